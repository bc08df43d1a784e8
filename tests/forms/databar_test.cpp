// The data control seen by a window: its navigation bar, the row-change
// event after the bound controls show the row, the validate step before a
// write-back, and showing the stored row again.
#include <sqlite3.h>

#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>

#include "tests/forms/support.h"

namespace {

using forms::Instance;

class frmStaff : public forms::Form {
 public:
  explicit frmStaff(const QString& file) : Form("frmStaff") {
    Move(0, 0, 6000, 3000);
    datInfor.setDatabaseName(file);
    datInfor.setRecordSource("SELECT * FROM tbEmplo ORDER BY szID_no ASC");
    datInfor.Move(120, 1800, 4000, 360);
    datInfor.setVisible(true);
    txtName.setDataSource(datInfor);
    txtName.setDataField("sFirst_nm");
    txtID.setDataSource(datInfor);
    txtID.setDataField("szID_no");
    txtName.onChange = [this] { log << "change:" + txtName.Text(); };
    datInfor.onReposition = [this] {
      log << "row:" + txtID.Text() + "/" + txtName.Text();
      datInfor.setCaption(QString::number(datInfor.Recordset().absolutePosition() + 1));
    };
    datInfor.onValidate = [this](int& Action, bool& Save) {
      actions.push_back(Action);
      if (refuse) Action = forms::vbDataActionCancel;
      if (drop) Save = false;
    };
  }
  forms::TextBox txtID{this, "txtID"};
  forms::TextBox txtName{this, "txtName"};
  forms::Data datInfor{this, "datInfor"};
  forms::Data datHidden{this, "datHidden"};
  QStringList log;
  std::vector<int> actions;
  bool refuse = false;
  bool drop = false;
};

class DataBarTest : public FormsTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    file = dir.filePath("Infor.mdb");
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw,
                           "CREATE TABLE tbEmplo (szID_no TEXT, sFirst_nm TEXT);"
                           "INSERT INTO tbEmplo VALUES ('2345','Jules'),('1234','Mara'),('3456','Ines');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
  }
  QString stored(const QString& code) {
    return db::Database::open(file)
        ->scalar("SELECT sFirst_nm FROM tbEmplo WHERE szID_no = ?", {code})
        .toString();
  }
  static void press(forms::Data& data, const char* button) {
    auto* b = data.widget()->findChild<QToolButton*>(button);
    ASSERT_NE(b, nullptr) << button;
    b->click();
  }
  QTemporaryDir dir;
  QString file;
};

TEST_F(DataBarTest, TheBarMovesThroughTheRowsAndStaysAtEitherEnd) {
  Instance<frmStaff> f(file);
  f->Show();
  ASSERT_NE(f->datInfor.widget(), nullptr);
  EXPECT_TRUE(f->datInfor.widget()->isVisible());
  EXPECT_FALSE(f->datHidden.widget() && f->datHidden.widget()->isVisible());  // hidden unless made visible
  auto caption = [&] { return f->datInfor.widget()->findChild<QLabel*>("caption")->text(); };
  EXPECT_EQ(caption(), "1");

  struct Step {
    const char* button;
    const char* code;
    const char* caption;
  } steps[] = {
      {"next", "2345", "2"},     {"last", "3456", "3"},  {"next", "3456", "3"},
      {"previous", "2345", "2"}, {"first", "1234", "1"}, {"previous", "1234", "1"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.button);
    press(f->datInfor, s.button);
    EXPECT_EQ(f->txtID.Text(), s.code);
    EXPECT_EQ(caption(), s.caption);
  }
  // Staying at an end is no move: no row event for it.
  EXPECT_EQ(f->log.filter("row:").size(), 5);
}

TEST_F(DataBarTest, TheRowEventComesAfterEveryBoundBoxShowsTheRow) {
  Instance<frmStaff> f(file);
  f->Show();
  f->log.clear();
  f->datInfor.navigate(forms::Data::Button::Next);
  EXPECT_EQ(f->log, QStringList({"change:Jules", "row:2345/Jules"}));
}

TEST_F(DataBarTest, ValidateKeepsTheRowOrDropsTheWriteAndIsAskedAtUnload) {
  Instance<frmStaff> f(file);
  f->Show();
  f->txtName.setText("Mary");

  f->refuse = true;
  f->datInfor.navigate(forms::Data::Button::Next);
  EXPECT_EQ(f->txtID.Text(), "1234");
  EXPECT_EQ(f->txtName.Text(), "Mary");
  EXPECT_TRUE(f->datInfor.BoundValuesChanged());
  EXPECT_EQ(stored("1234"), "Mara");

  f->refuse = false;
  f->drop = true;
  f->datInfor.navigate(forms::Data::Button::Next);
  EXPECT_EQ(f->txtID.Text(), "2345");
  EXPECT_EQ(stored("1234"), "Mara");

  f->txtName.setText("Julia");
  f->Unload();
  EXPECT_EQ(stored("2345"), "Jules");
  EXPECT_EQ(f->actions, (std::vector<int>{forms::vbDataActionMoveNext, forms::vbDataActionMoveNext,
                                          forms::vbDataActionUnload}));

  f->drop = false;
  f->txtName.setText("Mars");  // loads again, on the first row
  f->Unload();
  EXPECT_EQ(stored("1234"), "Mars");
}

TEST_F(DataBarTest, UpdateControlsShowsTheStoredRowAgain) {
  Instance<frmStaff> f(file);
  f->txtName.setText("Mary");
  f->log.clear();
  f->datInfor.UpdateControls();
  EXPECT_EQ(f->txtName.Text(), "Mara");
  EXPECT_FALSE(f->datInfor.BoundValuesChanged());
  EXPECT_EQ(f->log, QStringList({"change:Mara"}));  // the boxes' steps run, no row event
  f->Unload();
  EXPECT_EQ(stored("1234"), "Mara");
}

}  // namespace
