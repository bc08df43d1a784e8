// The staff editor: one row of the staff table (tbEmplo in Infor.mdb) at a
// time, with the sign-in code, the first name that travels on tickets,
// contact and payroll details, position, room, access level with fifteen
// option boxes and "Disable Tender", and a photo.
//
// Browse mode (Erase and New) and edit mode (Save), entered by changing a
// field. Every write of a row, by Save or by the data control when the row is
// left or the window closes, goes through one door (WriteRow): the code is
// checked against the file and the row written in one transaction, so no two
// rows, and no two stations, store one code.
#pragma once

#include <QString>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/form.h"

namespace shell {

class frmEmploye : public forms::Form {
 public:
  frmEmploye();

  forms::Label lblID{this, "lblID"};
  forms::TextBox txtID{this, "txtID"};
  forms::Label lblIDNote{this, "lblIDNote"};
  forms::Label lblName{this, "lblName"};
  forms::TextBox txtName{this, "txtName"};
  forms::Label lblAdds{this, "lblAdds"};
  forms::TextBox txtAdds{this, "txtAdds"};
  forms::Label lblCity{this, "lblCity"};
  forms::TextBox txtCity{this, "txtCity"};
  forms::TextBox txtState{this, "txtState"};
  forms::TextBox txtZip{this, "txtZip"};
  forms::Label lblPhone{this, "lblPhone"};
  forms::TextBox txtPhone{this, "txtPhone"};
  forms::Label lblSS{this, "lblSS"};
  forms::TextBox txtSS{this, "txtSS"};
  forms::Label lblBirth{this, "lblBirth"};
  forms::TextBox Text20{this, "Text20"};
  forms::Label lblHired{this, "lblHired"};
  forms::TextBox txtHired{this, "txtHired"};
  forms::Label lblTerm{this, "lblTerm"};
  forms::TextBox txtTerminate{this, "txtTerminate"};
  forms::Label lblRate{this, "lblRate"};
  forms::TextBox Text1{this, "Text1"};
  forms::Label lblType{this, "lblType"};
  forms::ComboBox cmbType{this, "cmbType"};
  forms::Label lblRoom{this, "lblRoom"};
  forms::ComboBox cmbRoom{this, "cmbRoom"};
  forms::Label lblLevel{this, "lblLevel"};
  forms::ComboBox cmbLevel{this, "cmbLevel"};
  forms::CheckBox Check16{this, "Check16"};

  forms::PictureBox PicBox{this, "PicBox"};
  forms::TextBox txtPath{this, "txtPath"};

  forms::Frame fraSecurity{this, "fraSecurity"};
  forms::Frame fraReports{this, "fraReports"};
  forms::Frame fraBackOffice{this, "fraBackOffice"};
  forms::CheckBox Check1{this, "Check1"};
  forms::CheckBox Check2{this, "Check2"};
  forms::CheckBox Check3{this, "Check3"};
  forms::CheckBox Check4{this, "Check4"};
  forms::CheckBox Check5{this, "Check5"};
  forms::CheckBox Check6{this, "Check6"};
  forms::CheckBox Check7{this, "Check7"};
  forms::CheckBox Check8{this, "Check8"};
  forms::CheckBox Check9{this, "Check9"};
  forms::CheckBox Check10{this, "Check10"};
  forms::CheckBox Check11{this, "Check11"};
  forms::CheckBox Check12{this, "Check12"};
  forms::CheckBox Check13{this, "Check13"};
  forms::CheckBox Check14{this, "Check14"};
  forms::CheckBox Check15{this, "Check15"};
  forms::Label lblLevel1{this, "lblLevel1"};
  forms::Label lblLevel2{this, "lblLevel2"};
  forms::Label lblLevel3{this, "lblLevel3"};

  forms::CommandButton cmdNew{this, "cmdNew"};
  forms::CommandButton cmdSave{this, "cmdSave"};
  forms::CommandButton cmdFind{this, "cmdFind"};
  forms::CommandButton cmdErase{this, "cmdErase"};
  forms::CommandButton cmdClose{this, "cmdClose"};

  forms::Data datInfor{this, "datInfor"};

  // The key filter of the code, postal code and rate boxes: Backspace, the
  // point and the digits.
  bool KeyPressNumericValid(int KeyAscii);

 protected:
  void Form_Load() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;

 private:
  // What became of a write of the current row.
  enum class WriteVerdict { Stored, CodeInUse, CodeInvalid, CodeCannotSignIn, NameNotCarried, Failed };

  void datInfor_Reposition();
  void datInfor_Validate(int& Action, bool& Save);
  void SetBrowseMode();
  void SetEditMode();
  void cmbLevel_Click();
  void cmbType_Click();
  void txtState_Change();
  void txtPath_Change();
  void NumericKeyPress(int& KeyAscii);
  void cmdNew_Click();
  void cmdSave_Click();
  void cmdFind_Click();
  void cmdErase_Click();
  void cmdClose_Click();

  // Save: writes the row through the one door and tells a refusal. True when
  // the row was stored.
  bool Save();
  // The one door: in one transaction, refuses a code another row of the file
  // holds, the reserved 7061, an empty code, a code the keypad cannot sign in
  // with (not four digits, or 0000 and 0001) and a first name the card road
  // cannot carry, else writes the changed fields of the row (adds a new one,
  // also when the table has no row to show).
  WriteVerdict WriteRow();
  // Save's messages for a refused write; an invalid code is emptied and the
  // window goes to browse mode with the row still pending.
  void TellRefusal(WriteVerdict verdict);
  // A new row is being entered and not stored yet.
  bool NewRowPending();
  // The fifteen option boxes in field order ("1" to "15").
  std::vector<forms::CheckBox*> OptionBoxes();

  QString failure_;               // why the last write failed
  QString refused_;               // the character a refused first name holds
  bool closeStopped_ = false;     // the close question kept the window open
  bool discardOnUnload_ = false;  // "No" to the close question: write nothing
};

frmEmploye& Employe();

}  // namespace shell
