// The store settings window: receipt header and notes, tax rates and
// country, receipt options, category captions and menu mode, category
// routing, the second language, and the free, phone and delivery boxes.
//
// It is also where the other windows read these settings: a read of one of
// its controls loads it (it then shows as a child of the main window), and
// what a box shows counts at once, saved or not. Its controls are bound to
// six one-row tables of the install folder's Duzo98HS.mdb and BakHS.mdb; what
// changed is written back when the window unloads ("Save/Exit").
//
// What other windows read:
//   txtL1, txtL2, txtL3 (Text)            receipt header lines
//   txtNotes, txtENotes1 (Text)           first two ending notes ("-" = empty)
//   lblSetP (Caption)                     notes mode
//   lblFreeSf (Caption)                   free-pop mode
//   cmbCountry (Text)                     "Canada" turns on the second tax
//   txtTOTax1, txtTOTax2 (Text)           tax rates, read at each use
//   chkSort (Value)                       ticked: lines never merge
//   routingCombo(0..11) (Text)            routing code of a category slot
//   lblMainMu, txtm(0..13)                only through SetCategoryFaces
//   cmdEtoC (Enabled)                     second language on
#pragma once

#include <array>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/form.h"
#include "shell/categoryfaces.h"

namespace shell {

class frmInfor : public forms::Form {
 public:
  frmInfor();

  // Receipt header and the first two ending notes.
  forms::TextBox txtL1{this, "txtL1"};
  forms::TextBox txtL2{this, "txtL2"};
  forms::TextBox txtL3{this, "txtL3"};

  // Tax rates and country.
  forms::CommandButton cmdTaxA{this, "cmdTaxA"};
  forms::CommandButton cmdTaxO{this, "cmdTaxO"};
  forms::Label lblTaxRate{this, "lblTaxRate"};
  forms::TextBox txtTOTax1{this, "txtTOTax1"};
  forms::TextBox txtTaxOpt{this, "txtTaxOpt"};
  forms::TextBox txtTOTax2{this, "txtTOTax2"};
  forms::Label lblCountry{this, "lblCountry"};
  forms::ComboBox cmbCountry{this, "cmbCountry"};

  // Receipt-notes mode and the ending notes.
  forms::CommandButton Command5{this, "Command5"};
  forms::Label lblSetP{this, "lblSetP"};
  forms::Label lblMsg1{this, "lblMsg1"};
  forms::TextBox txtNotes{this, "txtNotes"};
  forms::TextBox txtENotes1{this, "txtENotes1"};
  forms::Label lblOver{this, "lblOver"};
  forms::TextBox txtPlan{this, "txtPlan"};
  forms::Label lblPlan{this, "lblPlan"};
  forms::Label lblMsg2{this, "lblMsg2"};
  forms::TextBox txtENotes2{this, "txtENotes2"};
  forms::TextBox txtENotes3{this, "txtENotes3"};
  forms::TextBox txtENotes4{this, "txtENotes4"};
  forms::TextBox txtENotes5{this, "txtENotes5"};

  // Receipt options.
  forms::CommandButton cmdFreeSf{this, "cmdFreeSf"};
  forms::Label lblFreeSf{this, "lblFreeSf"};
  forms::Label lblSort{this, "lblSort"};
  forms::CheckBox chkSort{this, "chkSort"};
  forms::Label lblDelFee{this, "lblDelFee"};
  forms::TextBox txtDelFee{this, "txtDelFee"};
  forms::Label lblSection{this, "lblSection"};
  forms::CheckBox chkSection{this, "chkSection"};
  forms::CheckBox chkDel{this, "chkDel"};
  forms::CheckBox chkKB{this, "chkKB"};
  forms::CommandButton cmdKB{this, "cmdKB"};
  forms::CheckBox chkEtoC{this, "chkEtoC"};
  forms::CommandButton cmdEtoC{this, "cmdEtoC"};

  // Column "Section": the caption boxes, each covered by its face button.
  forms::Label lblSectionHead{this, "lblSectionHead"};
  forms::CommandButton cmdMainMu{this, "cmdMainMu"};
  forms::Label lblMainMu{this, "lblMainMu"};
  forms::TextBox txtm0{this, "txtm0"};
  forms::TextBox txtm1{this, "txtm1"};
  forms::TextBox txtm2{this, "txtm2"};
  forms::TextBox txtm3{this, "txtm3"};
  forms::TextBox txtm4{this, "txtm4"};
  forms::TextBox txtm5{this, "txtm5"};
  forms::TextBox txtm6{this, "txtm6"};
  forms::TextBox txtm7{this, "txtm7"};
  forms::TextBox txtm8{this, "txtm8"};
  forms::TextBox txtm9{this, "txtm9"};
  forms::TextBox txtm10{this, "txtm10"};
  forms::TextBox txtm11{this, "txtm11"};
  forms::TextBox txtm12{this, "txtm12"};
  forms::TextBox txtm13{this, "txtm13"};
  forms::CommandButton cmdDrink{this, "cmdDrink"};
  forms::CommandButton cmdApter{this, "cmdApter"};
  forms::CommandButton cmdFriedRice{this, "cmdFriedRice"};
  forms::CommandButton cmdLoMein{this, "cmdLoMein"};
  forms::CommandButton cmdVDishes{this, "cmdVDishes"};
  forms::CommandButton cmdVegetables{this, "cmdVegetables"};
  forms::CommandButton cmdPoultry{this, "cmdPoultry"};
  forms::CommandButton cmdBeef{this, "cmdBeef"};
  forms::CommandButton cmdSeafood{this, "cmdSeafood"};
  forms::CommandButton cmdSoup{this, "cmdSoup"};
  forms::CommandButton cmdPork{this, "cmdPork"};
  forms::CommandButton cmdLamb{this, "cmdLamb"};
  forms::CommandButton cmdLunch{this, "cmdLunch"};
  forms::CommandButton cmdDiner{this, "cmdDiner"};

  // Column "Printer": the routing code of slots 0 to 11; slots 12 and 13
  // always route to "B".
  forms::Label lblPrinterHead{this, "lblPrinterHead"};
  forms::ComboBox CmbDrink{this, "CmbDrink"};
  forms::ComboBox CmbApter{this, "CmbApter"};
  forms::ComboBox CmbFriedRice{this, "CmbFriedRice"};
  forms::ComboBox CmbLoMein{this, "CmbLoMein"};
  forms::ComboBox CmbVDishes{this, "CmbVDishes"};
  forms::ComboBox CmbVegetables{this, "CmbVegetables"};
  forms::ComboBox CmbPoultry{this, "CmbPoultry"};
  forms::ComboBox CmbBeef{this, "CmbBeef"};
  forms::ComboBox CmbSeafood{this, "CmbSeafood"};
  forms::ComboBox CmbSoup{this, "CmbSoup"};
  forms::ComboBox CmbPork{this, "CmbPork"};
  forms::ComboBox CmbLamb{this, "CmbLamb"};
  forms::Label lblB12{this, "lblB12"};
  forms::Label lblB13{this, "lblB13"};

  // Column "Free" (tbSetFreePop t0 to t11) and column "Tel#" (tbTel t0 to
  // t14): stored, read by no other window.
  forms::Label lblFreeHead{this, "lblFreeHead"};
  forms::TextBox txts0{this, "txts0"};
  forms::TextBox txts1{this, "txts1"};
  forms::TextBox txts2{this, "txts2"};
  forms::TextBox txts3{this, "txts3"};
  forms::TextBox txts4{this, "txts4"};
  forms::TextBox txts5{this, "txts5"};
  forms::TextBox txts6{this, "txts6"};
  forms::TextBox txts7{this, "txts7"};
  forms::TextBox txts8{this, "txts8"};
  forms::TextBox txts9{this, "txts9"};
  forms::TextBox txts10{this, "txts10"};
  forms::TextBox txts11{this, "txts11"};
  forms::Label lblTelHead{this, "lblTelHead"};
  forms::TextBox txtT0{this, "txtT0"};
  forms::TextBox txtT1{this, "txtT1"};
  forms::TextBox txtT2{this, "txtT2"};
  forms::TextBox txtT3{this, "txtT3"};
  forms::TextBox txtT4{this, "txtT4"};
  forms::TextBox txtT5{this, "txtT5"};
  forms::TextBox txtT6{this, "txtT6"};
  forms::TextBox txtT7{this, "txtT7"};
  forms::TextBox txtT8{this, "txtT8"};
  forms::TextBox txtT9{this, "txtT9"};
  forms::TextBox txtT10{this, "txtT10"};
  forms::TextBox txtT11{this, "txtT11"};
  forms::TextBox txtT12{this, "txtT12"};
  forms::TextBox txtT13{this, "txtT13"};
  forms::TextBox txtT14{this, "txtT14"};

  // "Save/Exit".
  forms::CommandButton cmdClose{this, "cmdClose"};

  forms::Data datcmdSet{this, "datcmdSet"};    // tbSet of Duzo98HS.mdb
  forms::Data datTelSet{this, "datTelSet"};    // tbTel of Duzo98HS.mdb
  forms::Data datPritOut{this, "datPritOut"};  // tbSetInfor of BakHS.mdb
  forms::Data DatSplSet{this, "DatSplSet"};    // tbSetFreePop of BakHS.mdb
  forms::Data datMain{this, "datMain"};        // tbSetMain of BakHS.mdb
  forms::Data datScrn{this, "datScrn"};        // tbSetScrn of BakHS.mdb

  // The caption box, face button and (slots 0 to 11) routing combo of a
  // category slot.
  forms::TextBox& txtm(int slot) const;
  forms::CommandButton& faceButton(int slot) const;
  forms::ComboBox& routingCombo(int slot) const;

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(int& Cancel) override;

 private:
  // A box whose text is checked before the row stores it: its field, its
  // name in the message, and what it must be.
  struct CheckedBox {
    forms::TextBox* box;
    const char* field;
    const char* name;
    bool (*valid)(const QString&);
    const char* what;
  };
  void cmbCountry_Click();
  void cmdTaxA_Click();
  void cmdTaxO_Click();
  void Command5_Click();
  void cmdFreeSf_Click();
  void cmdMainMu_Click();
  void faceButton_Click(int slot);
  void chkSection_Click();
  void chkEtoC_Click();
  void cmdEtoC_Click();
  void chkKB_Click();
  void cmdKB_Click();
  void txtPlan_Change();
  void cmdClose_Click();

  void setCategoryFaces();
  // The rate boxes and "Over $" whose text changed from the stored one and
  // is not a rate or an amount (the bindings would store it).
  std::vector<CheckedBox> refusedBoxes();
  // Rate 1 and "Over $" always, rate 2 while the country reads "Canada":
  // the boxes checked out loud.
  bool inUse(const CheckedBox& checked);
  // 'Tax Rate 1 "x" is not a rate (...): it was not saved.'
  static QString refusedMessage(const CheckedBox& checked, const QString& text);
  // The text as the row holds it, empty when the table has no row; an error
  // when the table is not open.
  QString storedText(const CheckedBox& checked);

  std::array<forms::TextBox*, kCategorySlots> txtm_;
  std::array<forms::CommandButton*, kCategorySlots> faces_;
  std::array<forms::ComboBox*, 12> routing_;
};

frmInfor& Infor();

}  // namespace shell
