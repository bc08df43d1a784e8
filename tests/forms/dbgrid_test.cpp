// The data-bound grid over a data control, driven as the user does: a cell
// typed over, the row left, the new-row line, rows picked by their selectors
// and deleted; and the option buttons of a group.
#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include "platform/db/database.h"
#include "tests/db/testdb.h"
#include "tests/forms/grid_drive.h"
#include "tests/forms/support.h"

// Texts print as texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace {

using drive::clickRow;
using drive::pickRow;
using drive::typeInto;
using forms::Instance;

void press(forms::DBGrid& grid, Qt::Key key) {
  drive::pressKey(grid, key);
}

class frmGrid : public forms::Form {
 public:
  explicit frmGrid(const QString& file) : Form("frmGrid") {
    Move(0, 0, 9000, 5000);
    datList.setDatabaseName(file);
    datList.setRecordSource("SELECT * FROM tblDy_Order ORDER BY Inv ASC");
    DBGrid1.setDataSource(datList);
    DBGrid1.Move(0, 0, 8800, 4000);
    DBGrid1.addColumn("Inv", "Inv");
    DBGrid1.addColumn("Total:", "Total", "Currency");
    DBGrid1.addColumn("Date", "Date", "Short Date");
    DBGrid1.addColumn("Time", "Time", "Medium Time");
    DBGrid1.addColumn("Chks", "Chks");
    DBGrid1.setAllowAddNew(true);
    DBGrid1.setAllowDelete(true);
    datList.onReposition = [this] { moves.push_back(datList.Recordset().absolutePosition()); };
  }
  forms::Data datList{this, "datList"};
  forms::DBGrid DBGrid1{this, "DBGrid1"};
  std::vector<int> moves;
};

class DBGridTest : public FormsTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    file = dir.filePath("Ordr.mdb");
    dbtest::makeFile(file,
                     "CREATE TABLE tblDy_Order (TO_Ord_ID INTEGER PRIMARY KEY AUTOINCREMENT, Inv TEXT,"
                     " Total TEXT DEFAULT '0.00', Date TEXT, Time TEXT, Receive TEXT DEFAULT '0',"
                     " Chks INTEGER);"
                     "INSERT INTO tblDy_Order (Inv, Total, Date, Time) VALUES"
                     " ('1', '1,234.50', '2026-12-08', '06:00:00'),"
                     " ('2', '5.00', '2026-12-09', '23:59:30'),"
                     " ('3', '48.00', '2026-12-10', '14:05:00');");
  }
  QString peek(const QString& sql) const { return dbtest::peek(file, sql.toUtf8().constData()); }

  static QTableView* view(forms::DBGrid& grid) { return drive::gridView(grid); }

  QTemporaryDir dir;
  QString file;
};

TEST(GridDisplayText, EachFormatShowsWhatItReadsAndLeavesTheRestAsStored) {
  struct Case {
    QVariant stored;
    const char* format;
    const char* shown;
  } cases[] = {
      {QString("1,234.50"), "Currency", "$1,234.50"},
      {QString("-5"), "Currency", "($5.00)"},
      {QString("0"), "Currency", "$0.00"},
      {QString("1234.5"), "Standard", "1,234.50"},
      {QString("HS"), "Standard", "HS"},      // no number: as stored
      {QString("VISA"), "Currency", "VISA"},  // no number: as stored
      {QVariant(7), "General Number", "7"},
      {QString("2.50"), "General Number", "2.5"},
      {QString("2026-12-08"), "Short Date", "12/8/2026"},
      {QString("13/45/2026"), "Short Date", "13/45/2026"},  // no date: as stored
      {QString("06:00:00"), "Medium Time", "6:00 AM"},
      {QString("23:59:30"), "Medium Time", "11:59 PM"},
      {QString("late"), "Medium Time", "late"},
      {QString("2026-12-08"), "", "2026-12-08"},
      {QVariant(), "Currency", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(forms::gridDisplayText(c.stored, c.format), QString(c.shown))
        << c.stored.toString().toStdString() << " in " << c.format;
  }
  EXPECT_EQ(forms::gridStoredValue("12/9/2026", "Short Date"), QVariant("2026-12-09"));
  EXPECT_EQ(forms::gridStoredValue("6:30 PM", "Medium Time"), QVariant("18:30:00"));
  EXPECT_EQ(forms::gridStoredValue("13/45/2026", "Short Date"), std::nullopt);
  EXPECT_EQ(forms::gridStoredValue("1,000", "Currency"), QVariant("1,000"));
  EXPECT_EQ(forms::gridStoredValue("$13.00", "Currency"), QVariant("13.00"));  // typed as shown
  EXPECT_EQ(forms::gridStoredValue(" $ 1,250.5", "Currency"), QVariant("1,250.5"));
  EXPECT_EQ(forms::gridStoredValue(".50", "Currency"), QVariant(".50"));
  EXPECT_EQ(forms::gridStoredValue("$abc", "Currency"), std::nullopt);
  EXPECT_EQ(forms::gridStoredValue("8.5o", "Currency"), std::nullopt);
  EXPECT_EQ(forms::gridStoredValue("$13.00", ""), QVariant("$13.00"));
  EXPECT_TRUE(forms::gridStoredValue("", "Currency")->isNull());
  // A field the table declares numeric takes a number, stored plain.
  EXPECT_EQ(forms::gridStoredValue("1,234", "General Number", true), QVariant("1234"));
  EXPECT_EQ(forms::gridStoredValue("5x", "General Number", true), std::nullopt);
  EXPECT_EQ(forms::gridStoredValue("hot", "", true), std::nullopt);
  EXPECT_TRUE(forms::gridStoredValue(" ", "", true)->isNull());
  EXPECT_EQ(forms::gridStoredValue("hot", "", false), QVariant("hot"));
}

TEST_F(DBGridTest, ShowsTheRowsInTheirFormatsAndFollowsTheRecordset) {
  Instance<frmGrid> f(file);
  f->Show();
  forms::DBGrid& g = f->DBGrid1;
  ASSERT_EQ(g.Rows(), 4);  // three rows and the new-row line
  EXPECT_EQ(g.CellText(0, 1), "$1,234.50");
  EXPECT_EQ(g.CellText(1, 2), "12/9/2026");
  EXPECT_EQ(g.CellText(1, 3), "11:59 PM");
  EXPECT_EQ(g.CellText(3, 0), "");
  EXPECT_EQ(view(g)->model()->headerData(1, Qt::Horizontal).toString(), "Total:");

  // The recordset moves the grid, and the grid the recordset.
  f->datList.Recordset().moveLast();
  EXPECT_EQ(g.Row(), 2);
  clickRow(g, 1);
  EXPECT_EQ(f->datList.Recordset().absolutePosition(), 1);
  EXPECT_EQ(f->moves.back(), 1);
}

TEST_F(DBGridTest, AnEditedRowIsStoredWhenLeftWithItsDateAsIso) {
  Instance<frmGrid> f(file);
  f->Show();
  forms::DBGrid& g = f->DBGrid1;
  typeInto(g, 0, 1, "1,300.00");
  typeInto(g, 0, 2, "12/24/2026");
  EXPECT_EQ(peek("SELECT Total FROM tblDy_Order WHERE Inv = '1'"), "1,234.50")
      << "stored before the row was left";
  clickRow(g, 2);
  EXPECT_EQ(peek("SELECT Total FROM tblDy_Order WHERE Inv = '1'"), "1,300.00");
  EXPECT_EQ(peek("SELECT Date FROM tblDy_Order WHERE Inv = '1'"), "2026-12-24");
  EXPECT_EQ(g.CellText(0, 1), "$1,300.00");
  EXPECT_EQ(g.CellText(0, 2), "12/24/2026");
  EXPECT_EQ(g.Row(), 2);
  EXPECT_FALSE(g.DataChanged());
}

// An editor passed through without a change writes nothing, also in a row
// that is already in edit: a time shown without its seconds keeps them.
TEST_F(DBGridTest, ACellPassedThroughUnchangedKeepsItsStoredValue) {
  Instance<frmGrid> f(file);
  f->Show();
  forms::DBGrid& g = f->DBGrid1;
  typeInto(g, 1, 1, "6.00");
  typeInto(g, 1, 3, g.CellText(1, 3));  // "11:59 PM", as it shows
  clickRow(g, 0);
  EXPECT_EQ(peek("SELECT Total FROM tblDy_Order WHERE Inv = '2'"), "6.00");
  EXPECT_EQ(peek("SELECT Time FROM tblDy_Order WHERE Inv = '2'"), "23:59:30");
}

// The edit of a row is written into that row or nowhere: when the window's
// Validate keeps the recordset on another row, the edit stays pending.
TEST_F(DBGridTest, AnEditGoesIntoItsOwnRowOrNowhere) {
  Instance<frmGrid> f(file);
  f->Show();
  forms::DBGrid& g = f->DBGrid1;
  bool keep = false;
  f->datList.onValidate = [&keep](int& Action, bool&) {
    if (keep) Action = forms::vbDataActionCancel;
  };
  typeInto(g, 2, 1, "77.00");
  f->datList.Recordset().moveFirst();  // the window's code moves the recordset meanwhile
  keep = true;                         // and then keeps the row it stands on
  clickRow(g, 1);
  EXPECT_EQ(peek("SELECT Total FROM tblDy_Order WHERE Inv = '1'"), "1,234.50");
  EXPECT_EQ(peek("SELECT Total FROM tblDy_Order WHERE Inv = '3'"), "48.00");
  EXPECT_EQ(g.Row(), 2);
  EXPECT_TRUE(g.DataChanged());

  keep = false;
  clickRow(g, 1);
  EXPECT_EQ(peek("SELECT Total FROM tblDy_Order WHERE Inv = '3'"), "77.00");
  EXPECT_EQ(peek("SELECT Total FROM tblDy_Order WHERE Inv = '1'"), "1,234.50");

  // A row typed into the new-row line waits in the same way.
  keep = true;
  typeInto(g, 3, 0, "4");
  clickRow(g, 0);
  EXPECT_EQ(peek("SELECT count(*) FROM tblDy_Order"), "3");
  EXPECT_TRUE(g.DataChanged());
  keep = false;
  clickRow(g, 0);
  EXPECT_EQ(peek("SELECT count(*) FROM tblDy_Order WHERE Inv = '4'"), "1");
}

TEST_F(DBGridTest, AnUnreadableDateIsRefusedAndTheRowStaysInEdit) {
  Instance<frmGrid> f(file);
  f->Show();
  forms::DBGrid& g = f->DBGrid1;
  typeInto(g, 1, 1, "9.00");
  typeInto(g, 1, 2, "13/45/2026");
  messages.answer(forms::vbOK);
  clickRow(g, 0);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_TRUE(messages.shown()[0].prompt.contains("13/45/2026")) << messages.shown()[0].prompt.toStdString();
  EXPECT_EQ(g.Row(), 1);
  EXPECT_TRUE(g.DataChanged());
  EXPECT_EQ(g.CellText(1, 2), "13/45/2026");
  EXPECT_EQ(peek("SELECT Total || '|' || Date FROM tblDy_Order WHERE Inv = '2'"), "5.00|2026-12-09");

  // Corrected, the row goes in whole.
  typeInto(g, 1, 2, "12/31/2026");
  clickRow(g, 0);
  EXPECT_EQ(peek("SELECT Total || '|' || Date FROM tblDy_Order WHERE Inv = '2'"), "9.00|2026-12-31");
}

// An amount column takes only what reads as an amount, and a column the table
// declares numeric only a number: anything else is refused as a date is.
TEST_F(DBGridTest, AnAmountOrANumberThatDoesNotReadIsRefusedAndTheRowStaysInEdit) {
  Instance<frmGrid> f(file);
  f->Show();
  forms::DBGrid& g = f->DBGrid1;
  const struct {
    int col;
    const char* typed;
  } refused[] = {{1, "twelve"}, {1, "8.5o"}, {1, "$abc"}, {1, "8,50"}, {1, "1e3"}, {4, "5x"}, {4, "hot"}};
  for (const auto& c : refused) {
    SCOPED_TRACE(c.typed);
    messages.clear();
    typeInto(g, 1, c.col, c.typed);
    messages.answer(forms::vbOK);
    clickRow(g, 0);
    ASSERT_EQ(messages.shown().size(), 1u);
    const QString& said = messages.shown()[0].prompt;
    EXPECT_TRUE(said.contains(c.typed) && said.contains(g.ColumnCaption(c.col))) << said.toStdString();
    EXPECT_EQ(g.Row(), 1);
    EXPECT_TRUE(g.DataChanged());
    EXPECT_EQ(peek("SELECT Total || '|' || quote(Chks) FROM tblDy_Order WHERE Inv = '2'"), "5.00|NULL");
    press(g, Qt::Key_Escape);
  }

  const struct {
    int col;
    const char* typed;
    const char* stored;
  } taken[] = {{1, ".50", "'.50'"}, {1, "$13.00", "'13.00'"}, {1, "", "NULL"},
               {4, "7", "7"},       {4, "1,234", "1234"},     {4, "", "NULL"}};
  for (const auto& c : taken) {
    SCOPED_TRACE(c.typed);
    typeInto(g, 1, c.col, c.typed);
    clickRow(g, 0);
    EXPECT_EQ(peek(QString("SELECT quote(%1) FROM tblDy_Order WHERE Inv = '2'").arg(g.ColumnField(c.col))),
              c.stored);
  }
  EXPECT_TRUE(messages.unscripted().empty());
}

TEST_F(DBGridTest, TheDatabaseRefusingARowShowsItsMessage) {
  dbtest::makeFile(file,
                   "CREATE TRIGGER no_big BEFORE UPDATE ON tblDy_Order WHEN NEW.Total = '999'"
                   " BEGIN SELECT RAISE(ABORT, 'Total too big'); END;");
  Instance<frmGrid> f(file);
  f->Show();
  forms::DBGrid& g = f->DBGrid1;
  typeInto(g, 2, 1, "999");
  messages.answer(forms::vbOK);
  clickRow(g, 0);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_TRUE(messages.shown()[0].prompt.contains("Total too big"))
      << messages.shown()[0].prompt.toStdString();
  EXPECT_EQ(g.Row(), 2);
  // Escape drops the edit; the row can then be left.
  press(g, Qt::Key_Escape);
  clickRow(g, 0);
  EXPECT_EQ(g.Row(), 0);
  EXPECT_EQ(peek("SELECT Total FROM tblDy_Order WHERE Inv = '3'"), "48.00");
}

TEST_F(DBGridTest, TheNewRowLineAddsARowWithOnlyTheTypedFields) {
  Instance<frmGrid> f(file);
  f->Show();
  forms::DBGrid& g = f->DBGrid1;
  typeInto(g, 3, 0, "4");
  typeInto(g, 3, 3, "9:15 AM");
  clickRow(g, 0);
  EXPECT_EQ(peek("SELECT count(*) FROM tblDy_Order"), "4");
  EXPECT_EQ(peek("SELECT Time || '|' || Total || '|' || Receive || '|' || ifnull(Date, '<null>')"
                 " FROM tblDy_Order WHERE Inv = '4'"),
            "09:15:00|0.00|0|<null>");
  EXPECT_EQ(g.Rows(), 5);
  EXPECT_EQ(g.CellText(3, 3), "9:15 AM");
  EXPECT_EQ(g.Row(), 0);

  // A row being added gets a new-row line below it; going down to that line
  // stores the row, and the line takes the next one.
  typeInto(g, 4, 0, "5");
  EXPECT_EQ(g.Rows(), 6);
  clickRow(g, 5);
  EXPECT_EQ(peek("SELECT count(*) FROM tblDy_Order WHERE Inv = '5'"), "1");
  EXPECT_EQ(g.Rows(), 6);
  EXPECT_EQ(g.Row(), 5) << "on the new-row line the user went to";
  typeInto(g, 5, 0, "6");
  EXPECT_EQ(g.Rows(), 7);
  press(g, Qt::Key_Escape);  // an addition dropped takes its extra line along
  EXPECT_EQ(g.Rows(), 6);
  EXPECT_EQ(peek("SELECT count(*) FROM tblDy_Order"), "5");
}

TEST_F(DBGridTest, RowsPickedByTheirSelectorsAreDeletedWithTheDeleteKey) {
  Instance<frmGrid> f(file);
  f->Show();
  forms::DBGrid& g = f->DBGrid1;
  press(g, Qt::Key_Delete);  // nothing picked: nothing goes
  EXPECT_EQ(peek("SELECT count(*) FROM tblDy_Order"), "3");
  pickRow(g, 0);
  pickRow(g, 2, true);
  press(g, Qt::Key_Delete);
  EXPECT_EQ(peek("SELECT group_concat(Inv) FROM tblDy_Order"), "2");
  EXPECT_EQ(g.Rows(), 2);
  EXPECT_EQ(g.CellText(0, 0), "2");
  EXPECT_EQ(f->datList.Recordset().field("Inv").toString(), "2");
}

// While the window's Validate keeps the recordset on its row, a deletion
// takes no other row in place of the one picked, and a click on another row
// leaves the grid on the row the bound controls show.
TEST_F(DBGridTest, ARowTheWindowKeepsIsNeitherLeftNorDeletedInPlaceOfAnother) {
  Instance<frmGrid> f(file);
  f->Show();
  forms::DBGrid& g = f->DBGrid1;
  f->datList.onValidate = [](int& Action, bool&) { Action = forms::vbDataActionCancel; };
  pickRow(g, 2);
  press(g, Qt::Key_Delete);
  EXPECT_EQ(peek("SELECT group_concat(Inv) FROM tblDy_Order"), "1,2,3");
  EXPECT_EQ(g.Rows(), 4);
  clickRow(g, 1);
  EXPECT_EQ(f->datList.Recordset().absolutePosition(), 0);
  EXPECT_EQ(g.Row(), 0);
}

TEST_F(DBGridTest, AReadOnlyGridNeitherEditsNorDeletes) {
  Instance<frmGrid> f(file);
  f->DBGrid1.setAllowUpdate(false);
  f->DBGrid1.setAllowAddNew(false);
  f->DBGrid1.setAllowDelete(false);
  forms::DBGrid& g = f->DBGrid1;
  EXPECT_EQ(g.Rows(), 3);
  const QModelIndex cell = view(g)->model()->index(0, 1);
  EXPECT_FALSE(view(g)->model()->flags(cell) & Qt::ItemIsEditable);
  EXPECT_THROW(g.setText("1"), forms::Error);
  pickRow(g, 0);
  press(g, Qt::Key_Delete);
  EXPECT_EQ(peek("SELECT count(*) FROM tblDy_Order"), "3");
}

TEST_F(DBGridTest, AnEditOpenWhenTheWindowClosesIsStored) {
  {
    Instance<frmGrid> f(file);
    f->Show();
    typeInto(f->DBGrid1, 1, 0, "22", false);  // the editor is still open
    forms::Unload(*f);
  }
  EXPECT_EQ(peek("SELECT count(*) FROM tblDy_Order WHERE Inv = '22'"), "1");
}

TEST_F(DBGridTest, RowsThatCannotBeReadShowEmptyUntilTheFileCanBeReadAgain) {
  // Rows beyond the first block are read when first shown; another station
  // holds the file locked meanwhile.
  dbtest::makeFile(file,
                   "WITH RECURSIVE n(i) AS (SELECT 4 UNION ALL SELECT i + 1 FROM n WHERE i < 200)"
                   " INSERT INTO tblDy_Order (Inv) SELECT printf('%03d', i) FROM n;");
  db::setBusyTimeout(50);
  Instance<frmGrid> f(file);
  f->Show();
  db::setBusyTimeout(5000);
  QAbstractItemModel* model = view(f->DBGrid1)->model();
  const QModelIndex far = model->index(180, 0);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  QVariant shown;
  EXPECT_NO_THROW(shown = model->data(far, Qt::DisplayRole));
  EXPECT_EQ(shown.toString(), "");
  EXPECT_NO_THROW(model->data(far, Qt::EditRole));
  // A text typed into such a row is refused with the file's message.
  messages.answer(forms::vbOK);
  bool stored = true;
  EXPECT_NO_THROW(stored = model->setData(far, QStringLiteral("X"), Qt::EditRole));
  EXPECT_FALSE(stored);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].prompt, "Cannot read Ordr.mdb: another station is using the file.");
  EXPECT_FALSE(f->DBGrid1.DataChanged());
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_EQ(model->data(far, Qt::DisplayRole).toString(),
            peek("SELECT Inv FROM tblDy_Order ORDER BY Inv LIMIT 1 OFFSET 180"));
}

TEST_F(DBGridTest, AGridWithoutAnOpenDataControlIsEmptyAndAddsNothing) {
  Instance<frmGrid> f{QString()};  // a data control without a database
  forms::DBGrid& g = f->DBGrid1;
  EXPECT_EQ(g.Rows(), 0) << "no new-row line either";
  EXPECT_EQ(g.Row(), -1);
  EXPECT_THROW(g.setText("1"), forms::Error);
}

class frmOptions : public forms::Form {
 public:
  frmOptions() : Form("frmOptions") {
    Frame1.Move(0, 2000, 3000, 1500);
    Option3.setContainer(Frame1);
    Option4.setContainer(Frame1);
    for (auto* o : {&Option1, &Option2, &Option3, &Option4}) o->onClick = [this, o] { clicks << o->Name(); };
  }
  forms::OptionButton Option1{this, "Option1"};
  forms::OptionButton Option2{this, "Option2"};
  forms::Frame Frame1{this, "Frame1"};
  forms::OptionButton Option3{this, "Option3"};
  forms::OptionButton Option4{this, "Option4"};
  QStringList clicks;
};

TEST(OptionButton, ChoosingOneClearsTheOthersOfItsContainerOnly) {
  Instance<frmOptions> f;
  f->Show();
  f->Option1.setValue(true);
  f->Option3.setValue(true);
  EXPECT_TRUE(f->Option1.Value());
  auto* second = qobject_cast<QAbstractButton*>(f->Option2.widget());
  ASSERT_NE(second, nullptr);
  second->click();  // the user's click
  EXPECT_FALSE(f->Option1.Value());
  EXPECT_TRUE(f->Option2.Value());
  EXPECT_TRUE(f->Option3.Value()) << "another container is another group";
  second->click();  // the chosen one again: nothing runs
  EXPECT_TRUE(f->Option2.Value());
  EXPECT_EQ(f->clicks, QStringList({"Option1", "Option3", "Option2"}));
  forms::Unload(*f);
  EXPECT_FALSE(f->Option2.Value()) << "back to its design value";
}

}  // namespace
