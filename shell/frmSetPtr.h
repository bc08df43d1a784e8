// The printer and drawer window: the port, type and network path of five
// printers, their routing letters and "Print Price" boxes, and the cash
// drawer's port, bound to the station-settings row (tbSet).
//
// Other windows read Cmb1, txtPtr1, cmbType and cmbECD when they need them;
// reading one loads the window, which then shows inside the main window.
#pragma once

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/form.h"
#include "platform/forms/listbox.h"

namespace shell {

class frmSetPtr : public forms::Form {
 public:
  frmSetPtr();

  forms::Label lblHeading{this, "lblHeading"};

  // Printer 1, the front (receipt) printer.
  forms::Label lblFront{this, "lblFront"};
  forms::ComboBox Cmb1{this, "Cmb1"};
  forms::Label lblType1{this, "lblType1"};
  forms::ComboBox cmbType{this, "cmbType"};
  forms::Label lblWhere1{this, "lblWhere1"};
  forms::TextBox txtPtr1{this, "txtPtr1"};
  forms::Label lblRoute1{this, "lblRoute1"};
  forms::ComboBox cmbPtr1{this, "cmbPtr1"};
  forms::Label lblLegend1{this, "lblLegend1"};

  // Printer 2, kitchen A.
  forms::Label lblKitchen1{this, "lblKitchen1"};
  forms::Label lblKPtr1{this, "lblKPtr1"};
  forms::ComboBox Cmb2{this, "Cmb2"};
  forms::Label lblType2{this, "lblType2"};
  forms::ComboBox cmbType2{this, "cmbType2"};
  forms::Label lblWhere2{this, "lblWhere2"};
  forms::TextBox txtPtr2{this, "txtPtr2"};
  forms::Label lblRoute2{this, "lblRoute2"};
  forms::ComboBox cmbPtr2{this, "cmbPtr2"};
  forms::Label lblLegend2{this, "lblLegend2"};
  forms::CheckBox chkPtr2{this, "chkPtr2"};

  // Printer 3, kitchen B.
  forms::Label lblKitchen2{this, "lblKitchen2"};
  forms::Label lblKPtr2{this, "lblKPtr2"};
  forms::ComboBox Cmb3{this, "Cmb3"};
  forms::Label lblType3{this, "lblType3"};
  forms::ComboBox cmbType3{this, "cmbType3"};
  forms::Label lblWhere3{this, "lblWhere3"};
  forms::TextBox txtPtr3{this, "txtPtr3"};
  forms::Label lblRoute3{this, "lblRoute3"};
  forms::ComboBox cmbPtr3{this, "cmbPtr3"};
  forms::Label lblLegend3{this, "lblLegend3"};
  forms::CheckBox chkPtr3{this, "chkPtr3"};

  // Printer 4, the bar.
  forms::Label lblBar{this, "lblBar"};
  forms::Label Label4{this, "Label4"};
  forms::ComboBox Cmb4{this, "Cmb4"};
  forms::Label lblType4{this, "lblType4"};
  forms::ComboBox cmbType4{this, "cmbType4"};
  forms::Label lblWhere4{this, "lblWhere4"};
  forms::TextBox txtPtr4{this, "txtPtr4"};
  forms::Label lblRoute4{this, "lblRoute4"};
  forms::ComboBox cmbPtr4{this, "cmbPtr4"};
  forms::Label lblLegend4{this, "lblLegend4"};
  forms::CheckBox chkPtr4{this, "chkPtr4"};

  // Printer 5, the salad.
  forms::Label lblSalad{this, "lblSalad"};
  forms::Label Label19{this, "Label19"};
  forms::ComboBox Cmb5{this, "Cmb5"};
  forms::Label lblType5{this, "lblType5"};
  forms::ComboBox cmbType5{this, "cmbType5"};
  forms::Label lblWhere5{this, "lblWhere5"};
  forms::TextBox txtPtr5{this, "txtPtr5"};
  forms::Label lblRoute5{this, "lblRoute5"};
  forms::ComboBox cmbPtr5{this, "cmbPtr5"};
  forms::Label lblLegend5{this, "lblLegend5"};
  forms::CheckBox chkPtr5{this, "chkPtr5"};

  // The cash drawer.
  forms::Label lblDrawer{this, "lblDrawer"};
  forms::ComboBox cmbECD{this, "cmbECD"};

  forms::Frame Frame1{this, "Frame1"};
  forms::ListBox lstPrinters{this, "lstPrinters"};

  forms::CommandButton Command1{this, "Command1"};
  forms::CommandButton cmdPtr{this, "cmdPtr"};
  forms::CommandButton cmdClose{this, "cmdClose"};
  forms::CommandButton cmdNext{this, "cmdNext"};

  forms::Data datcmdSet{this, "datcmdSet"};

 protected:
  void Form_Load() override;
  void Form_Activate() override;

 private:
  void Cmb1_Click();
  void Cmb2_Click();
  void Cmb3_Click();
  void Cmb4_Click();
  void Command1_Click();
  void cmdPtr_Click();
  void cmdClose_Click();
  void cmdNext_Click();
  void ShowNetworkPathBoxes();
  // A port chosen from a list is written into its field at once; false when
  // the row could not be written (the box shows the stored port again).
  bool WritePort(forms::ComboBox& box, const QString& field);
};

frmSetPtr& SetPtr();

// The help window of the printer window: example settings.
class frmHelpSetPtr : public forms::Form {
 public:
  frmHelpSetPtr();

  forms::Image imgPort{this, "imgPort"};
  forms::Image imgDrawer{this, "imgDrawer"};
  forms::Image imgHelp{this, "imgHelp"};
  forms::Label lblFront{this, "lblFront"};
  forms::ComboBox cmbPort{this, "cmbPort"};
  forms::Label lblType{this, "lblType"};
  forms::ComboBox cmbType{this, "cmbType"};
  forms::Label lblDrawer{this, "lblDrawer"};
  forms::ComboBox cmbDrawer{this, "cmbDrawer"};

 protected:
  void Form_Load() override;
};

frmHelpSetPtr& HelpSetPtr();

}  // namespace shell
