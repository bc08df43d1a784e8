// The staff editor on the sample staff: 1234 Mara (Level 3), 2345 Jules
// (Level 2), 3456 Ines (Level 1).
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTimer>
#include <functional>
#include <memory>

#include "platform/forms/screen.h"
#include "shell/Lunessa.h"
#include "shell/frmEmploye.h"
#include "tests/readonly_guard.h"
#include "tests/shell/shell_fixture.h"

namespace {

using shell::Employe;
using shell::frmEmploye;

const char* kUsed = "This ID already been used";
const char* kInvalid = "This is Invalid number. Please try again!";
const char* kChanges = "Data has Changes, Save Changes?";
const char* kSignIn = "This ID cannot sign in: a code is four digits from 0002 to 9999.";

class StaffEditor : public ShellFixture {
 protected:
  void TearDown() override {
    // A close that asks is answered No, so the fixture can unload.
    if (Employe().IsLoaded() && Employe().cmdSave.Enabled()) messages_->answer(forms::vbNo);
    ShellFixture::TearDown();
    // Closing the main window asked the program to quit; let the next test
    // run event loops again.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
  }
  QString staff() const { return installFile(QStringLiteral("Infor.mdb")); }
  int holders(const QString& code) const {
    return value(staff(), "SELECT COUNT(*) FROM tbEmplo WHERE szID_no = ?", {code}).toInt();
  }
  int rows() const { return value(staff(), "SELECT COUNT(*) FROM tbEmplo").toInt(); }
  QString field(const QString& code, const QString& name) const {
    return value(staff(), QStringLiteral("SELECT [%1] FROM tbEmplo WHERE szID_no = ?").arg(name), {code});
  }
  static bool editMode(frmEmploye& w) {
    return w.cmdSave.Enabled() && w.cmdFind.Enabled() && !w.cmdErase.Enabled() && !w.cmdNew.Enabled();
  }
  static bool browseMode(frmEmploye& w) {
    return !w.cmdSave.Enabled() && w.cmdErase.Enabled() && w.cmdNew.Enabled() && w.cmdClose.Tag() == "Exit";
  }
  // The clerk picks an entry from a box's list (also the one already chosen).
  static void choose(forms::ComboBox& box, const QString& entry) {
    auto* combo = qobject_cast<QComboBox*>(box.widget());
    ASSERT_NE(combo, nullptr);
    const int i = combo->findText(entry);
    ASSERT_GE(i, 0) << "no entry " << entry.toStdString();
    combo->setCurrentIndex(i);
    emit combo->activated(i);
  }
  QStringList prompts() const {
    QStringList out;
    for (const forms::Message& m : messages_->shown()) out << m.prompt;
    return out;
  }
};

TEST_F(StaffEditor, OpensOnTheLowestCodeInBrowseMode) {
  frmEmploye& w = Employe();
  EXPECT_EQ(w.Caption(), "Employees");
  EXPECT_EQ(w.txtID.Text(), "1234");
  EXPECT_EQ(w.txtName.Text(), "Mara");
  EXPECT_EQ(w.datInfor.Caption(), "1");
  EXPECT_TRUE(browseMode(w));
  EXPECT_TRUE(w.datInfor.Visible());
  EXPECT_FALSE(w.cmbRoom.Enabled());
  EXPECT_EQ(w.cmbLevel.ListCount(), 3);
  EXPECT_EQ(w.cmbType.List(5), "Waiter");
  EXPECT_EQ(w.cmbType.List(7), "Manager");
  EXPECT_EQ(w.cmbRoom.List(0), "-");
  EXPECT_EQ(w.cmbRoom.List(8), "Party Room");
  EXPECT_EQ(w.Check5.Caption(), "Beer Liquor");  // field "4"
  EXPECT_EQ(w.Check10.Caption(), "Fav Dishes");  // field "5"
  EXPECT_EQ(w.Check4.Caption(), "Income Stm");   // field "6"
  EXPECT_EQ(w.Check16.Caption(), "Disable Tender");
  EXPECT_EQ(w.lblBirth.Caption(), "Brithday:");
  EXPECT_EQ(w.Check1.Value(), forms::vbChecked);  // Mara's options are all ticked
}

TEST_F(StaffEditor, WhatSwitchesToEditModeAndWhatDoesNot) {
  struct Case {
    const char* what;
    std::function<void(frmEmploye&)> act;
    bool edits;
  } cases[] = {
      {"a letter of the name", [](frmEmploye& w) { w.txtName.setText("Maran"); }, true},
      {"the code", [](frmEmploye& w) { w.txtID.setText("12345"); }, true},
      {"the address", [](frmEmploye& w) { w.txtAdds.setText("1 Main St"); }, true},
      {"the city", [](frmEmploye& w) { w.txtCity.setText("Troy"); }, true},
      {"the postal code", [](frmEmploye& w) { w.txtZip.setText("12180"); }, true},
      {"the phone", [](frmEmploye& w) { w.txtPhone.setText("555-0100"); }, true},
      {"the SSN", [](frmEmploye& w) { w.txtSS.setText("000-00-0000"); }, true},
      {"the birthday", [](frmEmploye& w) { w.Text20.setText("1990-05-01"); }, true},
      {"hired", [](frmEmploye& w) { w.txtHired.setText("2024-03-02"); }, true},
      {"terminated", [](frmEmploye& w) { w.txtTerminate.setText("2026-01-31"); }, true},
      {"the rate", [](frmEmploye& w) { w.Text1.setText("23.00"); }, true},
      {"a position chosen", [](frmEmploye& w) { choose(w.cmbType, "Cashier"); }, true},
      {"a room typed", [](frmEmploye& w) { w.cmbRoom.setText("Room A"); }, true},
      {"a level typed", [](frmEmploye& w) { w.cmbLevel.setText("Level 2"); }, true},
      {"a two-letter state", [](frmEmploye& w) { w.txtState.setText("ny"); }, true},
      {"a one-letter state", [](frmEmploye& w) { w.txtState.setText("n"); }, false},
      {"a level chosen", [](frmEmploye& w) { choose(w.cmbLevel, "Level 2"); }, false},
      {"a tick", [](frmEmploye& w) { w.Check5.setValue(forms::vbUnchecked); }, false},
      {"Disable Tender", [](frmEmploye& w) { w.Check16.setValue(forms::vbChecked); }, false},
      {"the photo path", [](frmEmploye& w) { w.txtPath.setText("C:\\Photos\\mara.png"); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    frmEmploye& w = Employe();
    ASSERT_TRUE(browseMode(w));
    c.act(w);
    EXPECT_EQ(editMode(w), c.edits);
    EXPECT_EQ(browseMode(w), !c.edits);
    w.datInfor.UpdateControls();  // nothing of it is kept
    if (w.cmdSave.Enabled()) messages_->answer(forms::vbNo);
    w.Unload();
    EXPECT_FALSE(w.IsLoaded());
  }
  EXPECT_EQ(field("1234", "sFirst_nm"), "Mara");
  EXPECT_EQ(field("1234", "szTender"), "0");
}

TEST_F(StaffEditor, NewWithAFreeCodeIsStoredAndShownAsTheLastRow) {
  frmEmploye& w = Employe();
  w.cmdNew.setValue(true);
  EXPECT_EQ(w.txtID.Text(), "");
  EXPECT_EQ(w.txtName.Text(), "");
  EXPECT_EQ(w.cmdNew.Tag(), "New");
  EXPECT_FALSE(w.cmdNew.Enabled() || w.cmdErase.Enabled() || w.cmdFind.Enabled() || w.cmdSave.Enabled());
  w.txtID.setText("4567");
  EXPECT_TRUE(editMode(w));
  w.txtName.setText("Zoe");
  w.cmdSave.setValue(true);
  EXPECT_EQ(rows(), 4);
  EXPECT_EQ(field("4567", "sFirst_nm"), "Zoe");
  EXPECT_EQ(w.txtID.Text(), "4567");
  EXPECT_EQ(w.datInfor.Caption(), "4");
  EXPECT_EQ(w.cmdNew.Tag(), "");
  EXPECT_TRUE(browseMode(w));
  EXPECT_TRUE(messages_->shown().empty());
}

TEST_F(StaffEditor, NoRoadStoresACodeAnotherRowHolds) {
  struct Case {
    const char* road;
    std::function<void(frmEmploye&)> go;
    QStringList said;
    QString codeShown;  // the window stays on the row with it
  } cases[] = {
      {"Save of a new row",
       [this](frmEmploye& w) {
         w.cmdNew.setValue(true);
         w.txtID.setText("1234");
         messages_->answer(forms::vbOK);
         w.cmdSave.setValue(true);
       },
       {kUsed},
       "1234"},
      {"Save of a changed code",
       [this](frmEmploye& w) {
         w.datInfor.navigate(forms::Data::Button::Next);
         w.txtID.setText("1234");
         messages_->answer(forms::vbOK);
         w.cmdSave.setValue(true);
       },
       {kUsed},
       "1234"},
      {"the navigation bar",
       [this](frmEmploye& w) {
         w.datInfor.navigate(forms::Data::Button::Next);
         w.txtID.setText("1234");
         messages_->answer(forms::vbOK);
         w.datInfor.navigate(forms::Data::Button::Next);
       },
       {kUsed},
       "1234"},
      {"Find",
       [this](frmEmploye& w) {
         w.datInfor.navigate(forms::Data::Button::Next);
         w.txtID.setText("1234");
         messages_->answerInput(QStringLiteral("3456"));
         messages_->answer(forms::vbOK);
         w.cmdFind.setValue(true);
       },
       {"Enter Empolyees ID", kUsed},
       "1234"},
      {"New",
       [this](frmEmploye& w) {
         w.datInfor.navigate(forms::Data::Button::Next);
         w.Check16.setValue(forms::vbChecked);  // written when the row is left
         w.txtID.setText("1234");
         w.SetFocus();
         // New is off in edit mode; a level choice alone leaves browse mode on.
         ASSERT_FALSE(w.cmdNew.Enabled());
         messages_->answer(forms::vbOK);
         w.datInfor.Recordset().addNew();
       },
       {kUsed},
       "1234"},
      {"closing with Back, Yes to save",
       [this](frmEmploye& w) {
         w.datInfor.navigate(forms::Data::Button::Next);
         w.txtID.setText("1234");
         messages_->answer(forms::vbYes);
         messages_->answer(forms::vbOK);
         w.cmdClose.setValue(true);
       },
       {kChanges, kUsed},
       "1234"},
      {"a new row left by the bar is dropped",
       [](frmEmploye& w) {
         w.cmdNew.setValue(true);
         w.txtID.setText("1234");
         w.datInfor.navigate(forms::Data::Button::First);
       },
       {},
       "1234"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.road);
    messages_->clear();
    frmEmploye& w = Employe();
    c.go(w);
    EXPECT_EQ(prompts(), c.said);
    EXPECT_TRUE(w.IsLoaded());
    EXPECT_EQ(w.txtID.Text(), c.codeShown);
    EXPECT_EQ(holders("1234"), 1);
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(field("2345", "szTender"), "0");
    messages_->clear();
    if (w.cmdSave.Enabled()) messages_->answer(forms::vbNo);
    w.Unload();
  }
}

// The keypad signs in with four digits worth more than 1: a longer code would
// sign in the holder of its first four, and it ignores 0000 and 0001. Every
// road that writes the row refuses such a code as it refuses a code in use,
// and the window stays on the row with the typing.
TEST_F(StaffEditor, ACodeTheKeypadCannotSignInIsStoredByNoRoad) {
  enum Road { Save, Bar, BackYes };
  const struct {
    const char* code;
    bool newRow;  // typed after New, else over Mara's code
    Road road;
  } cases[] = {{"23456", true, Save},     {"234", false, Save}, {"12.4", false, Bar},
               {"99999", false, BackYes}, {"0000", true, Save}, {"0001", false, Bar}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    messages_->clear();
    frmEmploye& w = Employe();
    if (c.newRow) {
      w.cmdNew.setValue(true);
      w.txtName.setText("Zoe");
    }
    w.txtID.setText(c.code);
    if (c.road == BackYes) messages_->answer(forms::vbYes);
    messages_->answer(forms::vbOK);
    if (c.road == Save) w.cmdSave.setValue(true);
    if (c.road == Bar) w.datInfor.navigate(forms::Data::Button::Next);
    if (c.road == BackYes) w.cmdClose.setValue(true);
    EXPECT_EQ(prompts(), c.road == BackYes ? QStringList({kChanges, kSignIn}) : QStringList{kSignIn});
    EXPECT_TRUE(w.IsLoaded());
    EXPECT_EQ(w.txtID.Text(), c.code);
    EXPECT_TRUE(editMode(w));
    EXPECT_EQ(holders(c.code), 0);
    EXPECT_EQ(holders("1234"), 1);
    EXPECT_EQ(rows(), 3);
    messages_->clear();
    messages_->answer(forms::vbNo);
    w.Unload();
  }
}

// The first name goes to the payment bridge as the clerk, which refuses a
// value holding a double quote, CR, LF or NUL: no road stores such a name, and
// the message names the character.
TEST_F(StaffEditor, AFirstNameTheCardRoadCannotCarryIsStoredByNoRoad) {
  enum Road { Save, Bar };
  const struct {
    QString name;
    bool newRow;
    Road road;
    const char* character;
  } cases[] = {
      {"Ma\"ra", false, Save, "a double quote (\")"},
      {"Zoe\r", true, Save, "a carriage return"},
      {"Zo\ne", false, Bar, "a line feed"},
      {QString("Zoe") + QChar(0), true, Save, "a NUL character"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.character);
    messages_->clear();
    frmEmploye& w = Employe();
    if (c.newRow) {
      w.cmdNew.setValue(true);
      w.txtID.setText("4567");
    }
    w.txtName.setText(c.name);
    messages_->answer(forms::vbOK);
    if (c.road == Save) w.cmdSave.setValue(true);
    if (c.road == Bar) w.datInfor.navigate(forms::Data::Button::Next);
    EXPECT_EQ(
        prompts(),
        QStringList{QString("This name cannot be stored: it holds %1, which a card payment cannot carry.")
                        .arg(c.character)});
    EXPECT_EQ(w.txtName.Text(), c.name);
    EXPECT_TRUE(editMode(w));
    EXPECT_EQ(field("1234", "sFirst_nm"), "Mara");
    EXPECT_EQ(rows(), 3);
    messages_->clear();
    messages_->answer(forms::vbNo);
    w.Unload();
  }
}

// A placement mode the placement window never writes places no staff file:
// the editor opens empty and says why, where an empty mode opened the
// install folder's staff and another one opened nothing without a word.
TEST_F(StaffEditor, ADamagedPlacementOpensNoStaffAndSaysWhy) {
  for (const QVariant& mode : {QVariant(), QVariant("Sxngle")}) {
    SCOPED_TRACE(mode.toString().toStdString());
    run(settingsFile(), "UPDATE tbSet SET SetC = ?", {mode});
    messages_->clear();
    messages_->answer(forms::vbOK);
    frmEmploye& w = Employe();
    w.Load();
    ASSERT_EQ(prompts().size(), 1);
    EXPECT_TRUE(
        prompts()[0].startsWith("The staff list has no database: the data location cannot be read. "
                                "The field SetC of tbSet in Duzo98HS.mdb "))
        << prompts()[0].toStdString();
    EXPECT_EQ(w.datInfor.DatabaseName(), "");
    EXPECT_EQ(w.txtID.Text(), "");
    unloadAllWindows();
  }
}

// With no row to show, what is typed is a new row: Save stores it.
TEST_F(StaffEditor, SaveOnAnEmptyTableStoresTheTypedRow) {
  run(staff(), "DELETE FROM tbEmplo");
  frmEmploye& w = Employe();
  ASSERT_EQ(w.txtID.Text(), "");
  w.txtID.setText("4567");
  w.txtName.setText("Zoe");
  w.cmdSave.setValue(true);
  EXPECT_EQ(rows(), 1);
  EXPECT_EQ(field("4567", "sFirst_nm"), "Zoe");
  EXPECT_EQ(w.txtID.Text(), "4567");
  EXPECT_EQ(w.datInfor.Caption(), "1");
  EXPECT_TRUE(browseMode(w));
  EXPECT_TRUE(messages_->shown().empty());
}

TEST_F(StaffEditor, TheReservedCodeAndAnEmptyCodeAreRefusedAndTheRowStaysPending) {
  for (const QString& code : {QStringLiteral("7061"), QString()}) {
    SCOPED_TRACE(code.toStdString());
    messages_->clear();
    frmEmploye& w = Employe();
    w.cmdNew.setValue(true);
    w.txtName.setText("Noor");
    w.txtID.setText(code);
    messages_->answer(forms::vbOK);
    w.cmdSave.setValue(true);
    EXPECT_EQ(prompts(), QStringList{kInvalid});
    EXPECT_EQ(w.txtID.Text(), "");
    EXPECT_TRUE(browseMode(w));
    EXPECT_EQ(w.txtName.Text(), "Noor");  // the rest stays as entered
    EXPECT_EQ(w.cmdNew.Tag(), "New");     // and the row pending
    EXPECT_EQ(rows(), 3);

    w.txtID.setText("5678");
    EXPECT_TRUE(editMode(w));
    w.cmdSave.setValue(true);
    EXPECT_EQ(field("5678", "sFirst_nm"), "Noor");
    run(staff(), "DELETE FROM tbEmplo WHERE szID_no = '5678'");
    w.Unload();
  }
  // An existing row's code emptied: refused the same way, also when the
  // window closes in browse mode; Back then puts the stored code back.
  messages_->clear();
  frmEmploye& w = Employe();
  w.txtID.setText("");
  messages_->answer(forms::vbOK);
  w.cmdSave.setValue(true);
  EXPECT_TRUE(browseMode(w));
  messages_->answer(forms::vbOK);
  w.cmdClose.setValue(true);
  EXPECT_EQ(prompts(), QStringList({kInvalid, kInvalid}));
  EXPECT_TRUE(w.IsLoaded());
  EXPECT_EQ(w.txtID.Text(), "1234");
  EXPECT_EQ(holders("1234"), 1);
  w.cmdClose.setValue(true);
  EXPECT_FALSE(w.IsLoaded());
}

TEST_F(StaffEditor, LevelsSetTheOptionBoxesAndAreStoredWithTheRow) {
  frmEmploye& w = Employe();
  w.datInfor.navigate(forms::Data::Button::Last);  // Ines, Level 1, nothing ticked
  std::vector<forms::CheckBox*> boxes = {&w.Check1,  &w.Check2,  &w.Check3,  &w.Check4,  &w.Check5,
                                         &w.Check6,  &w.Check7,  &w.Check8,  &w.Check9,  &w.Check10,
                                         &w.Check11, &w.Check12, &w.Check13, &w.Check14, &w.Check15};
  w.Check2.setValue(forms::vbChecked);
  choose(w.cmbLevel, "Level 1");
  for (forms::CheckBox* b : boxes) EXPECT_FALSE(b->Enabled()) << b->Name().toStdString();
  EXPECT_EQ(w.Check2.Value(), forms::vbChecked);  // ticks stay
  EXPECT_TRUE(w.Check16.Enabled());
  choose(w.cmbLevel, "Level 3");
  for (forms::CheckBox* b : boxes) {
    EXPECT_EQ(b->Value(), forms::vbChecked) << b->Name().toStdString();
    EXPECT_FALSE(b->Enabled());  // enabled state unchanged
  }
  choose(w.cmbLevel, "Level 2");
  for (forms::CheckBox* b : boxes) EXPECT_TRUE(b->Enabled());
  EXPECT_TRUE(browseMode(w));
  EXPECT_EQ(w.Check16.Value(), forms::vbUnchecked);

  w.datInfor.navigate(forms::Data::Button::First);  // leaving the row writes it
  EXPECT_EQ(field("3456", "szLevel_nu"), "Level 2");
  for (int f = 1; f <= 15; ++f) EXPECT_EQ(field("3456", QString::number(f)), "1") << f;
}

TEST_F(StaffEditor, WaiterOpensTheRoomListAndNothingClosesIt) {
  frmEmploye& w = Employe();
  ASSERT_FALSE(w.cmbRoom.Enabled());
  choose(w.cmbType, "Cashier");
  EXPECT_FALSE(w.cmbRoom.Enabled());
  choose(w.cmbType, "Waiter");
  EXPECT_TRUE(w.cmbRoom.Enabled());
  choose(w.cmbType, "Cashier");
  EXPECT_TRUE(w.cmbRoom.Enabled());
  w.cmbType.setText("Bartender");
  EXPECT_TRUE(w.cmbRoom.Enabled());
}

TEST_F(StaffEditor, TypedKeysAreFilteredAndTheStateGoesUpperCase) {
  frmEmploye& w = Employe();
  w.Show();
  struct Case {
    forms::TextBox* box;
    const char* keys;
    const char* result;
  } cases[] = {
      {&w.txtID, "45a6-7", "4567"}, {&w.txtZip, "12b18.0", "1218.0"}, {&w.Text1, "x19.50", "19.50"},
      {&w.txtName, "Ana", "Ana"},   {&w.txtState, "ny", "NY"},
  };
  for (const Case& c : cases) {
    c.box->setText("");
    c.box->SetFocus();
    forms::SendKeys(c.keys);
    EXPECT_EQ(c.box->Text(), c.result) << c.box->Name().toStdString();
  }
  EXPECT_TRUE(w.KeyPressNumericValid('7'));
  EXPECT_FALSE(w.KeyPressNumericValid('-'));
}

TEST_F(StaffEditor, FindAsksForACodeAndGoesToItsRow) {
  struct Case {
    const char* what;
    std::optional<QString> answer;
    QStringList said;
    const char* codeAfter;
  } cases[] = {
      {"cancelled", std::nullopt, {"Enter Empolyees ID", "Empolyees ID Not Entered"}, "1234"},
      {"empty", QString(), {"Enter Empolyees ID", "Empolyees ID Not Entered"}, "1234"},
      {"found", QStringLiteral("3456"), {"Enter Empolyees ID"}, "3456"},
      {"a quote", QStringLiteral("'"), {"Enter Empolyees ID"}, "1234"},
      {"nobody", QStringLiteral("9999"), {"Enter Empolyees ID"}, "1234"},
      {"a prefix is no match", QStringLiteral("34"), {"Enter Empolyees ID"}, "1234"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages_->clear();
    frmEmploye& w = Employe();
    w.datInfor.navigate(forms::Data::Button::First);
    messages_->answerInput(c.answer);
    if (c.said.size() > 1) messages_->answer(forms::vbCancel);
    w.cmdFind.setValue(true);
    EXPECT_EQ(prompts(), c.said);
    EXPECT_EQ(w.txtID.Text(), c.codeAfter);
    if (c.said.size() > 1) {
      EXPECT_EQ(messages_->shown()[1].title, "ERROR");
      EXPECT_EQ(messages_->shown()[1].buttons, forms::vbOKCancel);
    }
    EXPECT_EQ(messages_->shown()[0].title, "Find");
  }
}

TEST_F(StaffEditor, EraseDeletesTheRowAndShowsANeighbour) {
  struct Case {
    const char* what;
    QStringList before;  // codes in the table
    const char* erase;   // the code shown when Del is pressed ("" : none)
    int answer;
    QStringList after;
    const char* shownAfter;
  } cases[] = {
      {"the last row", {"1234", "2345", "3456"}, "3456", forms::vbYes, {"1234", "2345"}, "2345"},
      {"a middle row", {"1234", "2345", "3456"}, "2345", forms::vbYes, {"1234", "3456"}, "3456"},
      {"answered No", {"1234", "2345", "3456"}, "2345", forms::vbNo, {"1234", "2345", "3456"}, "2345"},
      {"the only row", {"1234"}, "1234", forms::vbYes, {}, ""},
      {"an empty table", {}, "", forms::vbYes, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages_->clear();
    run(staff(), "DELETE FROM tbEmplo");
    for (const QString& code : c.before)
      run(staff(), "INSERT INTO tbEmplo (szID_no, sFirst_nm) VALUES (?, ?)", {code, "N" + code});
    frmEmploye& w = Employe();
    while (w.txtID.Text() != c.erase) {
      const QString was = w.txtID.Text();
      w.datInfor.navigate(forms::Data::Button::Next);
      ASSERT_NE(w.txtID.Text(), was) << "no row " << c.erase;
    }
    messages_->answer(c.answer);
    w.cmdErase.setValue(true);
    ASSERT_EQ(messages_->shown().size(), 1u);
    EXPECT_EQ(messages_->shown()[0].prompt, "Do you wish to Erase the current Empolyees");
    EXPECT_EQ(messages_->shown()[0].title, "Erase");
    QStringList left;
    auto db = db::Database::open(staff());
    auto rs = db->openRecordset("SELECT * FROM tbEmplo ORDER BY szID_no");
    for (; !rs->eof(); rs->moveNext()) left << rs->field("szID_no").toString();
    EXPECT_EQ(left, c.after);
    EXPECT_EQ(w.txtID.Text(), c.shownAfter);
    EXPECT_TRUE(browseMode(w));
    w.Unload();
  }
}

TEST_F(StaffEditor, ErasingDuringANewRowDeletesNothing) {
  frmEmploye& w = Employe();
  w.cmdNew.setValue(true);
  w.cmdErase.setEnabled(true);  // the window keeps it off; pressed anyway
  messages_->answer(forms::vbYes);
  w.cmdErase.setValue(true);
  EXPECT_EQ(rows(), 3);
}

TEST_F(StaffEditor, TheCloseQuestionFromBackAndFromTheMainWindow) {
  enum Road { Back, MainWindowClose };
  struct Case {
    const char* what;
    const char* code;  // typed into Jules's row
    std::vector<int> answers;
    bool closes;
    const char* storedCode;  // Jules's code in the file afterwards
    const char* nameShown;   // when the window stays
  } cases[] = {
      {"Yes, stored", "2346", {forms::vbYes}, true, "2346", nullptr},
      {"Yes, refused", "1234", {forms::vbYes, forms::vbOK}, false, "2345", "Julia"},
      {"No", "2346", {forms::vbNo}, true, "2345", nullptr},
      {"Cancel", "2346", {forms::vbCancel}, false, "2345", "Julia"},
  };
  for (const Road road : {Back, MainWindowClose}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(road == Back ? "Back, " : "main window, ") + c.what);
      run(staff(),
          "UPDATE tbEmplo SET szID_no = '2345', sFirst_nm = 'Jules' WHERE sFirst_nm IN ('Jules', 'Julia')");
      messages_->clear();
      shell::MainWindow().Show();
      frmEmploye& w = Employe();
      w.datInfor.navigate(forms::Data::Button::Next);
      w.txtName.setText("Julia");
      w.txtID.setText(c.code);
      for (int a : c.answers) messages_->answer(a);
      if (road == Back)
        w.cmdClose.setValue(true);
      else
        shell::MainWindow().mmClose.action()->trigger();
      ASSERT_GE(messages_->shown().size(), 1u);
      EXPECT_EQ(messages_->shown()[0].prompt, kChanges);
      EXPECT_EQ(messages_->shown()[0].title, "Employees");
      EXPECT_EQ(messages_->shown()[0].buttons, forms::vbYesNoCancel | forms::vbQuestion);
      EXPECT_EQ(w.IsLoaded(), !c.closes);
      if (road == MainWindowClose) {
        EXPECT_EQ(shell::MainWindow().IsLoaded(), !c.closes);
      }
      EXPECT_EQ(value(staff(), "SELECT szID_no FROM tbEmplo WHERE sFirst_nm IN ('Jules', 'Julia')"),
                c.storedCode);
      if (!c.closes) {
        EXPECT_EQ(w.txtName.Text(), c.nameShown);  // the edits are kept
        messages_->answer(forms::vbNo);
        w.Unload();
      }
      shell::MainWindow().Unload();
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
      QCoreApplication::exec();
    }
  }
}

TEST_F(StaffEditor, WithoutEditsBackClosesAndWritesALevelOrTick) {
  frmEmploye& w = Employe();
  w.datInfor.navigate(forms::Data::Button::Next);
  w.Check16.setValue(forms::vbChecked);
  w.cmdClose.setValue(true);  // no question: browse mode
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_EQ(field("2345", "szTender"), "1");
}

TEST_F(StaffEditor, BackRevertsUnsavedEditsWhenTheWindowWasNeverBrowsed) {
  frmEmploye& w = Employe();
  w.cmdNew.setValue(true);
  w.txtID.setText("8888");
  w.cmdClose.setTag("");  // as before the first row was shown
  w.cmdClose.setValue(true);
  EXPECT_TRUE(w.IsLoaded());
  EXPECT_EQ(w.cmdNew.Tag(), "");
  EXPECT_EQ(w.txtID.Text(), "1234");  // back on the row shown before New
  EXPECT_TRUE(browseMode(w));
  EXPECT_EQ(rows(), 3);
}

TEST_F(StaffEditor, TwoStationsSavingOneCodeStoreOneRow) {
  forms::Instance<frmEmploye> other;  // a second window, on a connection of its own
  for (frmEmploye* w : {&Employe(), &*other}) {
    w->cmdNew.setValue(true);
    w->txtID.setText("5555");
    w->txtName.setText(w == &Employe() ? "First" : "Second");
  }
  Employe().cmdSave.setValue(true);
  messages_->answer(forms::vbOK);
  other->cmdSave.setValue(true);
  EXPECT_EQ(prompts(), QStringList{kUsed});
  EXPECT_EQ(holders("5555"), 1);
  EXPECT_EQ(field("5555", "sFirst_nm"), "First");
  messages_->answer(forms::vbNo);
  other->Unload();
}

// A staff file that was read-only as the window opened is written once it is
// writable again, without reopening the window: the first Save says why it
// cannot store, the next one stores.
TEST_F(StaffEditor, AFileReadOnlyAsTheWindowOpenedIsWrittenOnceItIsWritable) {
  auto readOnly = std::make_unique<ReadOnlyPath>(staff().toStdString());
  if (!readOnly->active()) GTEST_SKIP() << "cannot make the file read-only here";
  frmEmploye& w = Employe();
  ASSERT_EQ(w.txtName.Text(), "Mara");
  w.txtName.setText("Marah");
  messages_->answer(forms::vbOK);
  w.cmdSave.setValue(true);
  EXPECT_EQ(prompts(), QStringList{"Cannot save to Infor.mdb: the file is read-only."});
  EXPECT_EQ(field("1234", "sFirst_nm"), "Mara");

  readOnly.reset();
  w.cmdSave.setValue(true);
  EXPECT_EQ(prompts().size(), 1);
  EXPECT_EQ(field("1234", "sFirst_nm"), "Marah");
  EXPECT_TRUE(browseMode(w));
}

TEST_F(StaffEditor, ThePhotoShowsOrLeavesThePictureEmpty) {
  const QString photo = root_.path() + "/drive_c/Photos/jules.png";
  QDir().mkpath(root_.path() + "/drive_c/Photos");
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(Qt::red);
  ASSERT_TRUE(image.save(photo));
  frmEmploye& w = Employe();
  w.txtPath.setText("C:\\Photos\\jules.png");
  EXPECT_EQ(w.PicBox.Picture(), "C:\\Photos\\jules.png");
  w.txtPath.setText("C:\\Photos\\missing.png");
  EXPECT_EQ(w.PicBox.Picture(), "");
  EXPECT_TRUE(browseMode(w));
}

}  // namespace
