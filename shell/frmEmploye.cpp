#include "shell/frmEmploye.h"

#include "platform/db/database.h"
#include "platform/forms/inputbox.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "shell/Module1.h"
#include "shell/frmTakeOutPW.h"
#include "shell/placement.h"
#include "shell/settingsrules.h"
#include "shell/steps.h"

namespace shell {

namespace {

const QString kSource = QStringLiteral("SELECT * FROM tbEmplo ORDER BY szID_no ASC");
const QString kReservedCode = QStringLiteral("7061");

// A code the keypad signs in with: four digits (a longer code would sign in
// the holder of its first four, a shorter or dotted one nobody) that the
// keypad takes, which "0000" and "0001" are not.
bool IsSignInCode(const QString& code) {
  if (code.size() != kSignInLength) return false;
  for (const QChar c : code)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return keypadTakes(code, kSignInLength);
}

}  // namespace

frmEmploye::frmEmploye() : Form("frmEmploye") {
  setMDIChild(true);
  setCaption(QStringLiteral("Employees"));
  setWidth(14400);
  setHeight(10200);

  const int labelLeft = 240, boxLeft = 1860, row = 480, top = 240;
  struct Field {
    forms::Label* label;
    const char* caption;
    forms::Control* box;
    int width;
  };
  const Field fields[] = {
      {&lblID, "Password", &txtID, 1500},       {&lblName, "Name:", &txtName, 4800},
      {&lblAdds, "Address:", &txtAdds, 4800},   {&lblCity, "City, St Zip:", &txtCity, 2460},
      {&lblPhone, "Phone:", &txtPhone, 2460},   {&lblSS, "SSN:", &txtSS, 2460},
      {&lblBirth, "Brithday:", &Text20, 1800},  {&lblHired, "Hired:", &txtHired, 1800},
      {&lblRate, "Hourly Rate:", &Text1, 1500}, {&lblType, "Position:", &cmbType, 2460},
      {&lblRoom, "Room:", &cmbRoom, 2460},      {&lblLevel, "Level:", &cmbLevel, 2460},
  };
  int y = top;
  for (const Field& f : fields) {
    f.label->setCaption(QString::fromLatin1(f.caption));
    f.label->Move(labelLeft, y + 30, 1560, 345);
    f.label->setBackStyle(0);
    f.label->setFont(QStringLiteral("Arial"), 10, true);
    f.label->setAlignment(forms::vbRightJustify);
    f.box->Move(boxLeft, y, f.width, 375);
    f.box->setFont(QStringLiteral("Arial"), 10);
    y += row;
  }
  lblIDNote.setCaption(QStringLiteral("(Four Digits Only)"));
  lblIDNote.Move(3480, top + 30, 2400, 345);
  lblIDNote.setBackStyle(0);
  lblIDNote.setFont(QStringLiteral("Arial"), 9);
  txtState.Move(4380, top + 3 * row, 660, 375);
  txtZip.Move(5100, top + 3 * row, 1560, 375);
  lblTerm.setCaption(QStringLiteral("Term:"));
  lblTerm.Move(3720, top + 7 * row + 30, 840, 345);
  lblTerm.setBackStyle(0);
  lblTerm.setFont(QStringLiteral("Arial"), 10, true);
  lblTerm.setAlignment(forms::vbRightJustify);
  txtTerminate.Move(4620, top + 7 * row, 1800, 375);
  for (forms::Control* c : {static_cast<forms::Control*>(&txtState), static_cast<forms::Control*>(&txtZip),
                            static_cast<forms::Control*>(&txtTerminate)})
    c->setFont(QStringLiteral("Arial"), 10);
  Check16.setCaption(QStringLiteral("Disable Tender"));
  Check16.Move(4500, top + 11 * row, 2160, 375);
  Check16.setFont(QStringLiteral("Arial"), 10, true);

  PicBox.Move(7440, top, 3120, 3360);
  PicBox.setStretch(true);
  PicBox.setBackColor(forms::vbWhite);
  txtPath.Move(7440, top + 3480, 5280, 375);

  // The buttons, one above the other at the right.
  struct Button {
    forms::CommandButton* button;
    const char* caption;
    const char* picture;
  } buttons[] = {
      {&cmdNew, "New", ":/pictures/new.png"},     {&cmdSave, "Save", ":/pictures/save.png"},
      {&cmdFind, "Find", ":/pictures/find.png"},  {&cmdErase, "Del", ":/pictures/erase.png"},
      {&cmdClose, "Back", ":/pictures/back.png"},
  };
  int by = top;
  for (const Button& b : buttons) {
    b.button->setCaption(QString::fromLatin1(b.caption));
    b.button->Move(12960, by, 1200, 1080);
    b.button->setStyle(1);
    b.button->setFont(QStringLiteral("Arial"), 10, true);
    b.button->setPicture(QString::fromLatin1(b.picture));
    by += 1170;
  }

  // The option boxes by group. Field "4" is Check5, "5" Check10, "6" Check4,
  // "7" Check6, "8" Check7, "10" Check8: the boxes are numbered out of field
  // order.
  struct Group {
    forms::Frame* frame;
    const char* caption;
    int left, width;
    std::vector<std::pair<forms::CheckBox*, const char*>> boxes;
  } groups[] = {
      {&fraSecurity,
       "Security",
       240,
       4440,
       {{&Check2, "Del Record"}, {&Check13, "Employees"}, {&Check14, "Menu Edit"}, {&Check15, "Settings"}}},
      {&fraReports,
       "Reports",
       4800,
       4440,
       {{&Check1, "Sales Report"},
        {&Check10, "Fav Dishes"},
        {&Check4, "Income Stm"},
        {&Check9, "Time Sheets"},
        {&Check8, "Removed Item"},
        {&Check12, "Customer List"}}},
      {&fraBackOffice,
       "Back Office",
       9360,
       4800,
       {{&Check3, "Freq Buyer"},
        {&Check5, "Beer Liquor"},
        {&Check6, "Expense"},
        {&Check7, "Drivers Bank"},
        {&Check11, "Customer/Vendor"}}},
  };
  const int groupTop = 6120;
  for (Group& g : groups) {
    g.frame->setCaption(QString::fromLatin1(g.caption));
    g.frame->Move(g.left, groupTop, g.width, 2280);
    g.frame->setFont(QStringLiteral("Arial"), 10, true);
    for (size_t i = 0; i < g.boxes.size(); ++i) {
      forms::CheckBox* box = g.boxes[i].first;
      box->setContainer(*g.frame);
      box->setCaption(QString::fromLatin1(g.boxes[i].second));
      box->Move(120 + int(i % 2) * (g.width / 2), 360 + int(i / 2) * 600, g.width / 2 - 180, 375);
      box->setFont(QStringLiteral("Arial"), 10);
    }
  }
  lblLevel1.setCaption(QStringLiteral("Level 1: No options access available."));
  lblLevel2.setCaption(QStringLiteral("Level 2: Optional your access option."));
  lblLevel3.setCaption(QStringLiteral("Level 3: All options access available."));
  int lx = 240;
  for (forms::Label* note : {&lblLevel1, &lblLevel2, &lblLevel3}) {
    note->Move(lx, groupTop + 2400, 4440, 345);
    note->setBackStyle(0);
    note->setFont(QStringLiteral("Arial"), 9, true);
    lx += 4560;
  }

  datInfor.Move(240, 9300, 6600, 450);
  datInfor.setVisible(true);
  datInfor.setFont(QStringLiteral("Arial"), 10, true);

  cmbRoom.setEnabled(false);

  const std::pair<forms::Bound*, const char*> bound[] = {
      {&txtID, "szID_no"},       {&txtName, "sFirst_nm"},      {&txtAdds, "szStreet_ad"},
      {&txtCity, "szCity_nm"},   {&txtState, "sState_cd"},     {&txtZip, "sZip_cd"},
      {&txtPhone, "sPhone_no"},  {&txtSS, "sSS_no"},           {&Text20, "sBrith_da"},
      {&txtHired, "szHired_da"}, {&txtTerminate, "szTerm_da"}, {&Text1, "szRate"},
      {&cmbType, "szType_tx"},   {&cmbRoom, "szRoom_nm"},      {&cmbLevel, "szLevel_nu"},
      {&txtPath, "szPics"},      {&Check16, "szTender"}};
  for (const auto& [box, field] : bound) {
    box->setDataSource(datInfor);
    box->setDataField(QString::fromLatin1(field));
  }
  const char* optionFields[] = {"1", "2",  "3",  "4",  "5",  "6",  "7", "8",
                                "9", "10", "11", "12", "13", "14", "15"};
  const std::vector<forms::CheckBox*> options = OptionBoxes();
  for (size_t i = 0; i < options.size(); ++i) {
    options[i]->setDataSource(datInfor);
    options[i]->setDataField(QString::fromLatin1(optionFields[i]));
  }

  // Edit mode by a change of any of these.
  for (forms::TextBox* box : {&txtID, &txtName, &txtAdds, &txtCity, &txtZip, &txtPhone, &txtSS, &Text20,
                              &txtHired, &txtTerminate, &Text1})
    box->onChange = [this] { SetEditMode(); };
  cmbRoom.onClick = [this] { SetEditMode(); };
  cmbRoom.onChange = [this] { SetEditMode(); };
  cmbType.onClick = [this] { cmbType_Click(); };
  cmbType.onChange = [this] { cmbType_Click(); };
  cmbLevel.onClick = [this] { cmbLevel_Click(); };
  cmbLevel.onChange = [this] { SetEditMode(); };
  txtState.onChange = [this] { txtState_Change(); };
  txtPath.onChange = [this] { txtPath_Change(); };
  for (forms::TextBox* box : {&txtID, &txtZip, &Text1})
    box->onKeyPress = [this](int& KeyAscii) { NumericKeyPress(KeyAscii); };

  datInfor.onReposition = [this] { datInfor_Reposition(); };
  datInfor.onValidate = [this](int& Action, bool& Save) { datInfor_Validate(Action, Save); };
  cmdNew.onClick = [this] { cmdNew_Click(); };
  cmdSave.onClick = [this] { cmdSave_Click(); };
  cmdFind.onClick = [this] { cmdFind_Click(); };
  cmdErase.onClick = [this] { cmdErase_Click(); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
}

std::vector<forms::CheckBox*> frmEmploye::OptionBoxes() {
  return {&Check1, &Check2, &Check3,  &Check5,  &Check10, &Check4,  &Check6, &Check7,
          &Check9, &Check8, &Check11, &Check12, &Check13, &Check14, &Check15};
}

bool frmEmploye::KeyPressNumericValid(int KeyAscii) {
  return IsNumericKey(KeyAscii);
}

void frmEmploye::NumericKeyPress(int& KeyAscii) {
  if (!KeyPressNumericValid(KeyAscii)) KeyAscii = 0;
}

// ---- load and row changes

void frmEmploye::Form_Load() {
  runStep([this] { Place(20); });
  // A placement that cannot be read places no staff file, and is told once:
  // the window opens empty, in browse mode (no row will be shown to set it).
  if (const std::optional<QString> unreadable = dataLocationFailure()) {
    SetBrowseMode();
    forms::MsgBox(
        QStringLiteral("The staff list has no database: the data location cannot be read. ") + *unreadable,
        forms::vbExclamation);
  } else {
    runStep([this] {
      const std::optional<QString> file = placeDatabase(currentDataLocation(), QStringLiteral("Infor.mdb"));
      if (file) datInfor.setDatabaseName(*file);
    });
  }
  runStep([this] { datInfor.setRecordSource(kSource); });
  runStep([this] {
    for (const char* level : {"Level 1", "Level 2", "Level 3"}) cmbLevel.AddItem(QString::fromLatin1(level));
    for (const char* type :
         {"Bartender", "Busboy", "Cashier", "Delivery", "Hostess", "Waiter", "Waitress", "Manager"})
      cmbType.AddItem(QString::fromLatin1(type));
    for (const char* room :
         {"-", "Bartender", "Room A", "Room B", "Room C", "Room D", "Smoking A", "Smoking B", "Party Room"})
      cmbRoom.AddItem(QString::fromLatin1(room));
  });
}

// Runs once the bound boxes show the new row (their change steps switched to
// edit mode on the way): the row starts in browse mode.
void frmEmploye::datInfor_Reposition() {
  SetBrowseMode();
  runStep([this] { datInfor.setCaption(QString::number(datInfor.Recordset().absolutePosition() + 1)); });
}

void frmEmploye::SetBrowseMode() {
  try {
    cmdSave.setEnabled(false);
    cmdErase.setEnabled(true);
    cmdNew.setEnabled(true);
    cmdClose.setTag(QStringLiteral("Exit"));
  } catch (const forms::Error& e) {
    forms::MsgBox(QStringLiteral("Error #: %1\r%2").arg(e.number()).arg(QString::fromUtf8(e.what())),
                  forms::vbCritical, QStringLiteral("Incorrect Enter, Please follow the users menu."));
  }
}

void frmEmploye::SetEditMode() {
  try {
    cmdSave.setEnabled(true);
    cmdFind.setEnabled(true);
    cmdErase.setEnabled(false);
    cmdNew.setEnabled(false);
  } catch (const forms::Error& e) {
    forms::MsgBox(QStringLiteral("Error #: %1\r%2").arg(e.number()).arg(QString::fromUtf8(e.what())),
                  forms::vbCritical, QStringLiteral("Incorrect Enter, Please follow the users menu."));
  }
}

// ---- fields

void frmEmploye::cmbLevel_Click() {
  const QString level = cmbLevel.Text();
  for (forms::CheckBox* box : OptionBoxes()) {
    if (level == QLatin1String("Level 1"))
      box->setEnabled(false);
    else if (level == QLatin1String("Level 2"))
      box->setEnabled(true);
    else if (level == QLatin1String("Level 3"))
      box->setValue(forms::vbChecked);
  }
}

void frmEmploye::cmbType_Click() {
  const QString type = cmbType.Text();
  if (type == QLatin1String("Waiter") || type == QLatin1String("Waitress") ||
      type == QLatin1String("Bartender"))
    cmbRoom.setEnabled(true);
  SetEditMode();
}

void frmEmploye::txtState_Change() {
  if (txtState.Text().size() < 2) return;
  txtState.setText(txtState.Text().toUpper());
  SetEditMode();
}

void frmEmploye::txtPath_Change() {
  runStep([this] { PicBox.setPicture(QString()); });
  runStep([this] { PicBox.setPicture(txtPath.Text()); });
}

// ---- the one door

bool frmEmploye::NewRowPending() {
  return datInfor.IsOpen() && datInfor.Recordset().editMode() == db::EditMode::AddNew;
}

frmEmploye::WriteVerdict frmEmploye::WriteRow() {
  try {
    db::Database& db = datInfor.Database();
    db::Recordset& rs = datInfor.Recordset();
    const QString code = txtID.Text();
    // The write lock is taken before the file is asked, so no other station
    // can store the code between the question and the write.
    db::Transaction t(db);
    if (!code.isEmpty()) {
      const bool adding = rs.editMode() == db::EditMode::AddNew;
      const int holders =
          adding ? db.scalar(QStringLiteral("SELECT COUNT(*) FROM tbEmplo WHERE szID_no = ?"), {code}).toInt()
                 : db.scalar(QStringLiteral("SELECT COUNT(*) FROM tbEmplo WHERE szID_no = ? AND rowid <> ?"),
                             {code, rs.currentRowId()})
                       .toInt();
      if (holders > 0) return WriteVerdict::CodeInUse;
    }
    if (code == kReservedCode || code.trimmed().isEmpty()) return WriteVerdict::CodeInvalid;
    if (!IsSignInCode(code)) return WriteVerdict::CodeCannotSignIn;
    if (const std::optional<QString> character = uncarriedCharacter(txtName.Text())) {
      refused_ = *character;
      return WriteVerdict::NameNotCarried;
    }
    datInfor.UpdateRecord();
    t.commit();
    return WriteVerdict::Stored;
  } catch (const std::exception& e) {
    failure_ = QString::fromUtf8(e.what());
    return WriteVerdict::Failed;
  }
}

void frmEmploye::TellRefusal(WriteVerdict verdict) {
  switch (verdict) {
    case WriteVerdict::CodeInUse:
      forms::MsgBox(QStringLiteral("This ID already been used"));
      break;
    case WriteVerdict::CodeCannotSignIn:
      forms::MsgBox(QStringLiteral("This ID cannot sign in: a code is four digits from 0002 to 9999."));
      break;
    case WriteVerdict::NameNotCarried:
      forms::MsgBox(
          QStringLiteral("This name cannot be stored: it holds %1, which a card payment cannot carry.")
              .arg(refused_));
      break;
    case WriteVerdict::CodeInvalid:
      forms::MsgBox(QStringLiteral("This is Invalid number. Please try again!"));
      runStep([this] { txtID.setText(QString()); });
      SetBrowseMode();
      break;
    case WriteVerdict::Failed:
      forms::MsgBox(failure_, forms::vbCritical);
      break;
    case WriteVerdict::Stored:
      break;
  }
}

bool frmEmploye::Save() {
  const WriteVerdict verdict = WriteRow();
  if (verdict != WriteVerdict::Stored) {
    TellRefusal(verdict);
    return false;
  }
  if (cmdNew.Tag() == QLatin1String("New")) {
    // Added at the end of the rows, so the last row is the one just stored.
    runStep([this] { datInfor.Recordset().moveLast(); });
    runStep([this] { cmdNew.setTag(QString()); });
  }
  SetBrowseMode();
  return true;
}

// The data control is about to write the row back: a new row is never added
// this way (leaving it abandons it), and any other write goes through the one
// door; a refused one keeps the window on the row.
void frmEmploye::datInfor_Validate(int& Action, bool& Save) {
  if (NewRowPending()) {
    Save = false;
    cmdNew.setTag(QString());
    return;
  }
  if (Action == forms::vbDataActionUnload && discardOnUnload_) {
    Save = false;
    return;
  }
  if (!Save) return;
  Save = false;  // written below, or not at all
  const WriteVerdict verdict = WriteRow();
  if (verdict == WriteVerdict::Stored) return;
  TellRefusal(verdict);
  Action = forms::vbDataActionCancel;
}

// ---- buttons

void frmEmploye::cmdNew_Click() {
  runStep([this] { datInfor.Recordset().addNew(); });
  if (!NewRowPending()) return;  // the row on screen could not be left
  runStep([this] { txtID.SetFocus(); });
  runStep([this] { cmdNew.setTag(QStringLiteral("New")); });
  runStep([this] {
    cmdNew.setEnabled(false);
    cmdErase.setEnabled(false);
    cmdFind.setEnabled(false);
  });
}

void frmEmploye::cmdSave_Click() {
  Save();
}

void frmEmploye::cmdFind_Click() {
  const QString answer = forms::InputBox(QStringLiteral("Enter Empolyees ID"), QStringLiteral("Find"));
  if (answer.isEmpty()) {
    forms::MsgBox(QStringLiteral("Empolyees ID Not Entered"), forms::vbOKCancel, QStringLiteral("ERROR"));
    return;
  }
  db::Recordset& rs = datInfor.Recordset();
  rs.findFirst(QStringLiteral("szID_no = ?"), {answer});
  if (rs.noMatch()) forms::Beep();
}

void frmEmploye::cmdErase_Click() {
  forms::Beep();
  if (forms::MsgBox(QStringLiteral("Do you wish to Erase the current Empolyees"),
                    forms::vbYesNo | forms::vbQuestion, QStringLiteral("Erase")) != forms::vbYes)
    return;
  if (!datInfor.IsOpen() || NewRowPending() || !datInfor.Recordset().hasCurrentRow())
    return;  // nothing stored
  db::Recordset& rs = datInfor.Recordset();
  rs.deleteRecord();
  if (!rs.eof()) {
    rs.moveNext();
    if (rs.eof() && rs.recordCount() > 0) rs.movePrevious();
  }
}

void frmEmploye::cmdClose_Click() {
  closeStopped_ = false;
  if (cmdClose.Tag() == QLatin1String("Exit")) {
    forms::Unload(*this);
    if (!IsLoaded() || closeStopped_) return;  // closed, or the clerk kept the edits
  }
  runStep([this] {
    if (NewRowPending() || cmdNew.Tag() == QLatin1String("New")) {
      if (NewRowPending()) datInfor.Recordset().cancelUpdate();
      cmdNew.setTag(QString());
    } else {
      datInfor.UpdateControls();
    }
  });
  SetBrowseMode();
}

void frmEmploye::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
  closeStopped_ = false;
  discardOnUnload_ = false;
  if (cmdSave.Enabled()) {
    const int answer = forms::MsgBox(QStringLiteral("Data has Changes, Save Changes?"),
                                     forms::vbYesNoCancel | forms::vbQuestion, Caption());
    if (answer == forms::vbYes) {
      if (!Save()) Cancel = 1;
    } else if (answer == forms::vbNo) {
      discardOnUnload_ = true;
    } else {
      Cancel = 1;
    }
    closeStopped_ = Cancel != 0;
    return;
  }
  // No question: a level, ticks or a photo changed in browse mode are written
  // with the row, through the one door. A new row is abandoned. A refused
  // write keeps the window open; Back then puts the stored row back.
  if (!datInfor.IsOpen() || NewRowPending() || !datInfor.BoundValuesChanged()) return;
  const WriteVerdict verdict = WriteRow();
  if (verdict == WriteVerdict::Stored) return;
  TellRefusal(verdict);
  Cancel = 1;
}

frmEmploye& Employe() {
  return forms::global<frmEmploye>();
}

}  // namespace shell
