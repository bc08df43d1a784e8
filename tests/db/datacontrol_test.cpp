#include "platform/db/datacontrol.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/db/testdb.h"

namespace {

// A bound control as the window runtime's boxes behave: it shows what the data
// control gives, and reports a change only after the user (or code) changed it.
class FakeBox : public db::FieldBinding {
 public:
  explicit FakeBox(QString field) : field_(std::move(field)) {}
  QString dataField() const override { return field_; }
  void showFieldValue(const QVariant& value) override {
    shown_ = value;
    text_ = value.toString();
    changed_ = false;
    ++shows_;
    if (onShow) onShow();
  }
  QVariant editedFieldValue() const override { return text_; }
  bool fieldValueChanged() const override { return changed_; }

  // Like the runtime's boxes: a real change of the text marks the box
  // changed until the data control shows a value again.
  void type(const QString& text) {
    if (text != text_) changed_ = true;
    text_ = text;
  }
  QString text() const { return text_; }
  const QVariant& shown() const { return shown_; }
  int shows() const { return shows_; }

  // Runs after each shown value, as a box's change step would.
  std::function<void()> onShow;

 private:
  QString field_;
  QVariant shown_;
  QString text_;
  bool changed_ = false;
  int shows_ = 0;
};

class DataControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.filePath("Duzo98HS.mdb");
    dbtest::makeFile(
        path_,
        "CREATE TABLE tbSet (ID INTEGER, SetC TEXT, SetP TEXT, SetO TEXT, szSize1 TEXT, Tax1 TEXT);"
        "INSERT INTO tbSet VALUES (1, NULL, '-', 'Dovrel POS 4\\', 'Small', '7.00');"
        "CREATE TABLE tbEmplo (szID_no TEXT, sFirst_nm TEXT, szLevel_nu TEXT);"
        "INSERT INTO tbEmplo VALUES ('1','Ann','Level 3'),('2','Bea','Level 1'),('3','Cleo',NULL);");
  }
  void openOn(db::DataControl& dc, const QString& source) {
    dc.setDatabaseName(path_);
    dc.setRecordSource(source);
    dc.refresh();
  }
  QString peek(const char* sql) const { return dbtest::peek(path_, sql); }

  QTemporaryDir dir_;
  QString path_;
};

TEST_F(DataControlTest, TwoWindowsOnOneSettingsRowEachWriteOnlyTheirOwnFields) {
  db::DataControl datSet, datOther;
  FakeBox txtNWsetin("SetC"), txtPath("SetP"), txtData("SetO");
  FakeBox size1("szSize1"), tax1("Tax1");
  datSet.addBinding(&txtNWsetin);
  datSet.addBinding(&txtPath);
  datSet.addBinding(&txtData);
  openOn(datSet, "SELECT * FROM tbSet ORDER BY ID ASC");
  datOther.addBinding(&size1);
  datOther.addBinding(&tax1);
  openOn(datOther, "SELECT * FROM tbSet ORDER BY ID ASC");

  EXPECT_FALSE(txtNWsetin.shown().isValid());  // a Null field shows as empty
  EXPECT_EQ(txtNWsetin.text(), "");
  EXPECT_EQ(txtPath.text(), "-");

  txtNWsetin.type("File Sharing");
  size1.type("Short");
  datOther.release();  // the other window unloads first
  datSet.release();

  EXPECT_EQ(
      peek("SELECT quote(SetC) || quote(SetP) || quote(SetO) || quote(szSize1) || quote(Tax1) FROM tbSet"),
      "'File Sharing''-''Dovrel POS 4\\''Short''7.00'");
  EXPECT_FALSE(datSet.isOpen());
}

TEST_F(DataControlTest, NullStaysNullUnlessTheBoxChanged) {
  db::DataControl dc;
  FakeBox mode("SetC");
  dc.addBinding(&mode);
  openOn(dc, "tbSet");
  EXPECT_EQ(mode.text(), "");  // shown empty...
  dc.release();
  EXPECT_EQ(peek("SELECT quote(SetC) FROM tbSet"), "NULL");  // ...and not written back as ""

  openOn(dc, "tbSet");
  mode.type("x");
  mode.type("");  // an emptied box: an empty text, not Null
  dc.release();
  EXPECT_EQ(peek("SELECT quote(SetC) FROM tbSet"), "''");
}

TEST_F(DataControlTest, MovesWriteBackTheRowLeftAndShowTheRowReached) {
  db::DataControl datInfor;
  FakeBox name("sFirst_nm"), level("szLevel_nu");
  datInfor.addBinding(&name);
  datInfor.addBinding(&level);
  openOn(datInfor, "SELECT * FROM tbEmplo ORDER BY szID_no ASC");
  db::Recordset& rs = datInfor.recordset();
  ASSERT_EQ(name.text(), "Ann");

  // Another station changes a field this window did not touch.
  dbtest::makeFile(path_, "UPDATE tbEmplo SET szLevel_nu = 'Level 2' WHERE szID_no = '1';");
  name.type("Anna");
  rs.moveNext();
  EXPECT_EQ(name.text(), "Bea");
  EXPECT_EQ(peek("SELECT sFirst_nm || '/' || szLevel_nu FROM tbEmplo WHERE szID_no = '1'"), "Anna/Level 2");

  rs.findFirst("szID_no = ?", {"3"});  // a find is a move too
  EXPECT_EQ(name.text(), "Cleo");
  EXPECT_FALSE(level.shown().isValid());
  rs.moveNext();  // EOF: nothing to show
  EXPECT_TRUE(rs.eof());
  EXPECT_EQ(name.text(), "");
  EXPECT_NO_THROW(datInfor.updateRecord());  // no current row: nothing to write

  // A bound box typed into during an addition is stored with it.
  rs.addNew();
  EXPECT_EQ(name.text(), "");
  name.type("Dee");
  datInfor.updateRecord();
  EXPECT_EQ(name.text(), "Dee");
  EXPECT_EQ(peek("SELECT count(*) FROM tbEmplo WHERE sFirst_nm = 'Dee' AND szID_no IS NULL"), "1");

  // Refresh keeps what was typed and shows the first row again.
  rs.moveFirst();
  level.type("Level 1");
  datInfor.refresh();
  EXPECT_EQ(peek("SELECT szLevel_nu FROM tbEmplo WHERE szID_no = '1'"), "Level 1");
  EXPECT_EQ(name.text(), "Dee");  // NULL codes sort first
  datInfor.release();
}

// Boxes typed into while no row is shown (an empty table, or past the last
// row) hold a new row: every write stores it as one. Where the source can take
// no row, the write says so and the typing stays.
TEST_F(DataControlTest, ValuesTypedWithNoRowShownAreStoredAsANewRow) {
  dbtest::makeFile(path_, "DELETE FROM tbEmplo;");
  db::DataControl datInfor;
  FakeBox code("szID_no"), name("sFirst_nm");
  datInfor.addBinding(&code);
  datInfor.addBinding(&name);
  int shown = 0;
  datInfor.rowShown = [&shown] { ++shown; };
  openOn(datInfor, "SELECT * FROM tbEmplo ORDER BY szID_no ASC");
  ASSERT_TRUE(datInfor.recordset().eof());
  code.type("4567");
  name.type("Zoe");
  datInfor.updateRecord();
  EXPECT_EQ(peek("SELECT szID_no || '/' || sFirst_nm || '/' || quote(szLevel_nu) FROM tbEmplo"),
            "4567/Zoe/NULL");
  EXPECT_TRUE(datInfor.recordset().hasCurrentRow());
  EXPECT_EQ(shown, 2) << "the stored row is shown as a row arrived at";
  EXPECT_FALSE(name.fieldValueChanged());

  datInfor.recordset().moveNext();  // past the last row: the boxes show nothing
  name.type("Yan");
  datInfor.release();
  EXPECT_EQ(peek("SELECT group_concat(ifnull(szID_no, '-') || '/' || sFirst_nm) FROM tbEmplo"),
            "4567/Zoe,-/Yan");

  db::DataControl datNames;
  FakeBox first("sFirst_nm");
  datNames.addBinding(&first);
  openOn(datNames, "SELECT sFirst_nm FROM tbEmplo WHERE sFirst_nm = 'nobody'");
  first.type("Ann");
  EXPECT_THROW(datNames.updateRecord(), db::Error);
  EXPECT_EQ(first.text(), "Ann");
  EXPECT_TRUE(first.fieldValueChanged());
  EXPECT_EQ(peek("SELECT count(*) FROM tbEmplo"), "2");
  datNames.removeBinding(&first);
}

TEST_F(DataControlTest, FailuresAreReportedAndLeaveTheControlClosed) {
  db::DataControl dc;
  FakeBox box("SetC"), typo("SetX");
  dc.addBinding(&box);
  dc.setDatabaseName(dir_.filePath("Missing.mdb"));
  dc.setRecordSource("tbSet");
  try {
    dc.refresh();
    ADD_FAILURE() << "a missing file was opened";
  } catch (const db::Error& e) {
    EXPECT_TRUE(e.message().contains("Missing.mdb")) << e.what();
  }
  EXPECT_FALSE(dc.isOpen());
  EXPECT_THROW(dc.recordset(), db::Error);

  openOn(dc, "tbSet");
  dc.addBinding(&typo);
  EXPECT_FALSE(typo.shown().isValid());
  typo.type("x");
  box.type("Single");
  EXPECT_THROW(dc.release(), db::Error);  // the misnamed field is reported
  EXPECT_FALSE(dc.isOpen());
  EXPECT_EQ(peek("SELECT quote(SetC) FROM tbSet"), "NULL");  // and nothing half-written
}

TEST_F(DataControlTest, ValidateCanKeepTheRowOrDropTheWriteAndIsToldWhy) {
  db::DataControl datInfor;
  FakeBox name("sFirst_nm");
  datInfor.addBinding(&name);
  openOn(datInfor, "SELECT * FROM tbEmplo ORDER BY szID_no ASC");
  db::Recordset& rs = datInfor.recordset();

  std::vector<int> told;
  std::vector<bool> toldSave;
  int answer = -1;      // the action to answer with; -1 keeps it
  bool dropIt = false;  // answer save = false
  datInfor.validate = [&](int& action, bool& save) {
    told.push_back(action);
    toldSave.push_back(save);
    if (answer >= 0) action = answer;
    if (dropIt) save = false;
  };

  name.type("Anne");
  answer = db::DataActionCancel;
  rs.moveNext();
  EXPECT_EQ(rs.absolutePosition(), 0);  // kept
  EXPECT_EQ(name.text(), "Anne");       // with the edit
  EXPECT_EQ(peek("SELECT sFirst_nm FROM tbEmplo WHERE szID_no = '1'"), "Ann");
  rs.findFirst("szID_no = ?", {"3"});
  EXPECT_EQ(rs.absolutePosition(), 0);
  EXPECT_FALSE(rs.noMatch());
  rs.addNew();
  EXPECT_EQ(rs.editMode(), db::EditMode::None);

  answer = -1;
  dropIt = true;
  rs.moveNext();
  EXPECT_EQ(name.text(), "Bea");
  EXPECT_EQ(peek("SELECT sFirst_nm FROM tbEmplo WHERE szID_no = '1'"), "Ann");  // dropped

  dropIt = false;
  name.type("Beatrix");
  rs.moveLast();
  EXPECT_EQ(peek("SELECT sFirst_nm FROM tbEmplo WHERE szID_no = '2'"), "Beatrix");

  rs.deleteRecord();
  const size_t before = told.size();
  rs.movePrevious();  // a deleted row has nothing to write: not asked
  EXPECT_EQ(told.size(), before);
  name.type("Bee");
  datInfor.updateRecord();  // an explicit write does not ask either
  EXPECT_EQ(told.size(), before);
  datInfor.release();

  const std::vector<int> expected = {db::DataActionMoveNext, db::DataActionFind,     db::DataActionAddNew,
                                     db::DataActionMoveNext, db::DataActionMoveLast, db::DataActionUnload};
  EXPECT_EQ(told, expected);
  const std::vector<bool> expectedSave = {true, true, true, true, true, false};
  EXPECT_EQ(toldSave, expectedSave);
}

TEST_F(DataControlTest, RowShownComesOnceEveryBoundControlShowsTheRow) {
  db::DataControl datInfor;
  FakeBox code("szID_no"), name("sFirst_nm");
  datInfor.addBinding(&code);
  datInfor.addBinding(&name);
  std::vector<QString> seen;
  datInfor.rowShown = [&] { seen.push_back(code.text() + "/" + name.text()); };
  openOn(datInfor, "SELECT * FROM tbEmplo ORDER BY szID_no ASC");
  db::Recordset& rs = datInfor.recordset();
  rs.moveNext();

  // A change step that moves on by itself: the row it moves to is told, the
  // row it left is not told afterwards.
  code.onShow = [&] {
    if (code.text() == "2") rs.moveNext();
  };
  rs.moveFirst();
  rs.moveNext();
  code.onShow = nullptr;
  datInfor.updateControls();  // shows again, tells nothing
  const std::vector<QString> expected = {"1/Ann", "2/Bea", "1/Ann", "3/Cleo"};
  EXPECT_EQ(seen, expected);

  name.type("Cleopatra");
  EXPECT_TRUE(datInfor.boundValuesChanged());
  datInfor.updateControls();
  EXPECT_EQ(name.text(), "Cleo");
  EXPECT_FALSE(datInfor.boundValuesChanged());
  datInfor.release();
  EXPECT_EQ(peek("SELECT sFirst_nm FROM tbEmplo WHERE szID_no = '3'"), "Cleo");
}

TEST_F(DataControlTest, AStepThatRefreshesWhileAMoveIsUnderWayLeavesTheMoveSafe) {
  // The recordset a move runs on is let go by a step the move runs: from
  // validate (the move is off) and from a change step while the written
  // values are shown again (the move ends on the old recordset, unseen).
  for (const bool fromValidate : {true, false}) {
    SCOPED_TRACE(fromValidate ? "validate refreshes" : "a change step refreshes");
    dbtest::makeFile(path_, "UPDATE tbEmplo SET sFirst_nm = 'Ann' WHERE szID_no = '1';");
    db::DataControl datInfor;
    FakeBox name("sFirst_nm");
    datInfor.addBinding(&name);
    openOn(datInfor, "SELECT * FROM tbEmplo ORDER BY szID_no ASC");
    db::Recordset* old = &datInfor.recordset();
    bool once = true;
    auto refreshOnce = [&] {
      if (!once) return;
      once = false;
      datInfor.refresh();
    };
    if (fromValidate)
      datInfor.validate = [&](int&, bool&) { refreshOnce(); };
    else
      name.onShow = [&] {
        if (name.text() == "Anna") refreshOnce();
      };
    name.type("Anna");
    old->moveNext();
    name.onShow = nullptr;
    datInfor.validate = nullptr;
    EXPECT_FALSE(once);
    EXPECT_NE(&datInfor.recordset(), old);
    EXPECT_EQ(datInfor.recordset().absolutePosition(), 0);  // the fresh recordset stands on the first row
    EXPECT_EQ(name.text(), "Anna");
    EXPECT_EQ(peek("SELECT sFirst_nm FROM tbEmplo WHERE szID_no = '1'"), "Anna");
    datInfor.recordset().moveLast();  // used from the top again: the old one is freed now
    EXPECT_EQ(name.text(), "Cleo");
    datInfor.release();
  }
}

TEST_F(DataControlTest, ARecordsetTheCallerHoldsOutlivesARefreshDuringItsOwnStep) {
  // A window finds a row and then asks whether it found one; showing the row
  // found refreshed the control meanwhile.
  db::DataControl datInfor;
  FakeBox name("sFirst_nm");
  datInfor.addBinding(&name);
  openOn(datInfor, "SELECT * FROM tbEmplo ORDER BY szID_no ASC");
  db::Recordset& rs = datInfor.recordset();
  bool once = true;
  name.onShow = [&] {
    if (name.text() == "Cleo" && once) {
      once = false;
      datInfor.refresh();
    }
  };
  rs.findFirst("szID_no = ?", {"3"});
  EXPECT_FALSE(rs.noMatch());  // still the caller's recordset, still readable
  EXPECT_NE(&datInfor.recordset(), &rs);
  name.onShow = nullptr;
  datInfor.release();
}

TEST_F(DataControlTest, AStepThatClosesOrReplacesTheRecordsetEndsTheWriteBackCleanly) {
  // A box's change step refreshes its own data control while the control
  // shows the values it has just stored: onto a missing file (the recordset
  // is gone) and onto the file again (it is replaced).
  for (const bool fails : {true, false}) {
    SCOPED_TRACE(fails ? "refresh fails" : "refresh succeeds");
    db::DataControl dc;
    FakeBox first("SetC"), second("SetP");
    dc.addBinding(&first);
    dc.addBinding(&second);
    openOn(dc, "tbSet");
    first.type("Single");
    second.type("\\\\Host\\");
    int refreshes = 0;
    first.onShow = [&] {
      if (refreshes++ > 0) return;
      if (fails) dc.setDatabaseName(dir_.filePath("Missing.mdb"));
      try {
        dc.refresh();
      } catch (const db::Error&) {
        // reported by the window runtime
      }
    };
    dc.updateRecord();
    EXPECT_EQ(dc.isOpen(), !fails);
    EXPECT_EQ(peek("SELECT SetC || ' ' || SetP FROM tbSet"), "Single \\\\Host\\");
    first.onShow = nullptr;
    dc.setDatabaseName(path_);
    dc.release();
  }
}

}  // namespace
