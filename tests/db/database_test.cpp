#include "platform/db/database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <memory>

#include "platform/db/recordset.h"
#include "platform/files/paths.h"
#include "tests/db/failing_disk.h"
#include "tests/db/testdb.h"
#include "tests/readonly_guard.h"

namespace {

class DatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    path_ = dir_.filePath("Ordr.mdb");
    dbtest::makeFile(path_, dbtest::ticketSchema());
  }
  QString peek(const char* sql) const { return dbtest::peek(path_, sql); }

  QTemporaryDir dir_;
  QString path_;
};

TEST(DatabaseOpen, RefusesWhatIsNotAnSqliteDatabaseAndNamesTheFile) {
  QTemporaryDir dir;
  struct Case {
    const char* name;
    QByteArray content;  // empty: the file is not created
    const char* says;
  } const cases[] = {
      {"Jet.mdb", QByteArray("\x00\x01\x00\x00Standard Jet DB\x00\x01\x00\x00\x00", 24), "Access (Jet)"},
      {"Ace.mdb", QByteArray("\x00\x01\x00\x00Standard ACE DB\x00\x02\x00\x00\x00", 24), "Access (Jet)"},
      {"Notes.mdb", QByteArray(4096, 'x'), "is not a database"},
      {"Duzo98HS.mdb", QByteArray(""), "is empty"},  // a file whose content was lost
      {"Missing.mdb", QByteArray(), "was not found"},
  };
  for (const Case& c : cases) {
    const QString path = dir.filePath(c.name);
    if (!c.content.isNull()) {
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(c.content);
    }
    try {
      db::Database::open(path);
      ADD_FAILURE() << c.name << " was opened";
    } catch (const db::Error& e) {
      EXPECT_TRUE(e.message().contains(path)) << e.what();
      EXPECT_TRUE(e.message().contains(c.says)) << e.what();
    }
  }
}

// A statement that fails says in plain words what the file lacks or what is
// wrong with it, naming the file; its SQL text never shows.
TEST_F(DatabaseTest, AFailureSaysWhatIsWrongWithTheFileWithoutItsSql) {
  dbtest::makeFile(path_,
                   "CREATE TABLE tbPork (Dish_ID INTEGER, szMenu_nm TEXT);"
                   "INSERT INTO tbPork VALUES (1, 'Pulled Pork');");
  dbtest::damageTable(path_, "tbPork");
  const auto db = db::Database::open(path_);
  const struct {
    const char* sql;
    const char* says;
  } cases[] = {
      {"SELECT * FROM tbLamb ORDER BY Dish_ID ASC", "Ordr.mdb has no table tbLamb."},
      {"SELECT Gone FROM tblDy_Order", "Ordr.mdb has no field Gone."},
      {"SELECT * FROM tbPork", "Ordr.mdb is damaged."},
      {"SELECT * FROM tblDy_Order WHERE Date Between",
       "Ordr.mdb cannot be read: the request was not understood."},
  };
  for (const auto& c : cases) {
    try {
      db->openRecordset(c.sql);
      ADD_FAILURE() << c.sql << " was read";
    } catch (const db::Error& e) {
      EXPECT_EQ(e.message().toStdString(), c.says) << c.sql;
    }
  }
  // The file's other tables are still read.
  EXPECT_NO_THROW(db->openRecordset("tblDy_Order"));
}

// A file that does not open is named once, by the name the station gives it,
// not also by the local file that name maps to.
TEST_F(DatabaseTest, AFileThatDoesNotOpenIsNamedOnceByTheStationsName) {
  const std::string savedRoot = files::root();
  files::setRoot(dir_.path().toStdString());
  const QString install = dir_.filePath("drive_c/Program Files/Dovrel POS 4");
  ASSERT_TRUE(QDir().mkpath(install));
  const QString name = R"(C:\Program Files\Dovrel POS 4\BakHS.mdb)";
  const QString local = install + "/BakHS.mdb";
  const struct {
    std::function<void()> make;
    QString says;
  } cases[] = {
      {[] {}, "The database file \"%1\" was not found."},
      {[&] {
         QFile f(local);
         ASSERT_TRUE(f.open(QIODevice::WriteOnly));
       },
       "The database file \"%1\" is empty: it is not a database."},
      {[&] {
         dbtest::makeFile(local, "CREATE TABLE tbSetMain (p0 TEXT);");
         QFile f(local);
         ASSERT_TRUE(f.open(QIODevice::ReadWrite));
         ASSERT_TRUE(f.seek(100));  // the page type of the table of tables
         f.write("\x42", 1);
       },
       "The database file \"%1\" is damaged."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says.toStdString());
    QFile::remove(local);
    c.make();
    try {
      db::Database::open(name);
      ADD_FAILURE() << "the file opened";
    } catch (const db::Error& e) {
      EXPECT_EQ(e.message().toStdString(), c.says.arg(name).toStdString());
    }
  }
  files::setRoot(savedRoot);
}

TEST_F(DatabaseTest, BindsDatesAndTimesAsIsoTexts) {
  const auto db = db::Database::open(path_);
  const struct {
    QVariant value;
    const char* stored;
  } cases[] = {
      {QDate(2026, 12, 8), "2026-12-08"},
      {QTime(9, 5, 3), "09:05:03"},
      {QDateTime(QDate(2024, 5, 1), QTime(18, 30, 15)), "2024-05-01 18:30:15"},
  };
  for (const auto& c : cases) EXPECT_EQ(db->scalar("SELECT ?", {c.value}).toString(), c.stored);
}

TEST_F(DatabaseTest, OpensAWindowsPathUnderTheRootAndSetsUpTheConnection) {
  files::setRoot(dir_.path().toStdString());
  const QString install = dir_.filePath("drive_c/Program Files/Dovrel POS 4");
  ASSERT_TRUE(QDir().mkpath(install));
  ASSERT_TRUE(QFile::rename(path_, install + "/TOrdr.mdb"));

  auto db = db::Database::open(R"(C:\Program Files\Dovrel POS 4\Tordr.mdb)");
  EXPECT_EQ(db->localPath(), install + "/TOrdr.mdb");
  EXPECT_EQ(db->scalar("PRAGMA journal_mode").toString(), "delete");
  EXPECT_EQ(db->scalar("PRAGMA synchronous").toInt(), 2);  // FULL
  EXPECT_EQ(db->scalar("PRAGMA busy_timeout").toInt(), 5000);
  // Double-quoted string literals are off: "Nosuch" is a name, so this fails.
  EXPECT_NE(sqlite3_exec(db->handle(), "SELECT \"Nosuch\" FROM tblDetail", nullptr, nullptr, nullptr),
            SQLITE_OK);
}

TEST_F(DatabaseTest, UserTextTravelsAsBoundValuesOnly) {
  auto db = db::Database::open(path_);
  const QString texts[] = {"O'Brien", "x'); DELETE FROM tblDetail; --",
                           "\"quoted\" & [bracket] #1/1/2020# *"};
  for (const QString& t : texts) db->execute("INSERT INTO tblDetail (szOrder) VALUES (?)", {t});
  EXPECT_EQ(db->scalar("SELECT Count(*) FROM tblDetail").toInt(), 3);

  auto rs = db->openRecordset("SELECT * FROM tblDetail ORDER BY Det_ID ASC");
  for (const QString& t : texts) {
    rs->findFirst("szOrder = ?", {t});
    ASSERT_FALSE(rs->noMatch()) << t.toStdString();
    EXPECT_EQ(rs->field("szOrder").toString(), t);
  }
  // A recordset edit binds as well.
  rs->moveFirst();
  rs->edit();
  rs->setField("szOrder", "D'Arcy's");
  rs->update();
  EXPECT_EQ(peek("SELECT szOrder FROM tblDetail WHERE Det_ID = 1"), "D'Arcy's");

  // One statement per call: a second one is refused, not run.
  EXPECT_THROW(db->execute("DELETE FROM tblDetail WHERE Det_ID = 1; DELETE FROM tblDetail"), db::Error);
  EXPECT_EQ(peek("SELECT Count(*) FROM tblDetail"), "3");
  EXPECT_THROW(db->execute("INSERT INTO tblDetail (szOrder) VALUES (?)", {}), db::Error);  // value missing
}

TEST_F(DatabaseTest, NumericColumnNamesAreQuotedWhereverThisLayerBuildsSql) {
  dbtest::makeFile(path_,
                   "CREATE TABLE tbBeef (Dish_ID INTEGER, szMenu_nm TEXT, \"1\" TEXT, \"1_Price\" TEXT,"
                   " \"7\" TEXT, \"7_Price\" TEXT, \"900\" TEXT);");
  auto db = db::Database::open(path_);
  auto rs = db->openRecordset("tbBeef");
  ASSERT_TRUE(rs->updatable());
  rs->addNew();
  rs->setField("Dish_ID", 3);
  rs->setField("1", "Short");
  rs->setField("1_Price", "12.00");
  rs->setField("7_Price", "2.50");
  rs->setField("900", "x");
  rs->update();
  EXPECT_EQ(rs->field("1").toString(), "Short");  // read back from the file
  rs->edit();
  rs->setField("7", "Colour");
  rs->update();
  EXPECT_EQ(peek("SELECT \"1\" || '|' || \"1_Price\" || '|' || \"7\" || '|' || \"7_Price\" || '|' || \"900\" "
                 "FROM tbBeef"),
            "Short|12.00|Colour|2.50|x");
  // The windows' own queries name such columns in brackets.
  EXPECT_EQ(db->scalar("SELECT [7_Price] FROM tbBeef WHERE [1] = ? AND [900] = 'x'", {"Short"}).toString(),
            "2.50");
  rs->findFirst("[7] = ?", {"Colour"});
  EXPECT_FALSE(rs->noMatch());
  // Written bare, a name that begins with a digit is still a name.
  EXPECT_EQ(db->scalar("SELECT 7_Price FROM tbBeef WHERE 1_Price = ?", {"12.00"}).toString(), "2.50");
}

TEST_F(DatabaseTest, SumsAddTheAmountsExactlyInFixedPoint) {
  // Ten times "0.10" is 0.9999999999999999 when added as doubles.
  dbtest::makeFile(
      path_,
      "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 10)"
      " INSERT INTO tblDy_Order (Total, Tax) SELECT '0.10', NULL FROM n;"
      "INSERT INTO tblDy_Order (Total, Tax) VALUES ('1,234.50', '$5.00'), (NULL, NULL), ('', '0.005');");
  auto db = db::Database::open(path_);
  EXPECT_EQ(db->scalar("SELECT Sum(Total) FROM tblDy_Order WHERE Total = '0.10'").toDouble(), 1.0);
  EXPECT_EQ(db->scalar("SELECT Sum(Total) FROM tblDy_Order").toDouble(), 1235.5);
  // A row without a value adds nothing; half a ten-thousandth rounds away.
  EXPECT_EQ(db->scalar("SELECT Sum(Tax) FROM tblDy_Order").toDouble(), 5.005);
  EXPECT_FALSE(db->scalar("SELECT Sum(Tax) FROM tblDy_Order WHERE Tax IS NULL").isValid());
}

TEST_F(DatabaseTest, SumsOverAmountTextsAreRight) {
  dbtest::makeFile(path_,
                   "INSERT INTO tblDy_Order (Total, szCard_amt, Method, Date, Time, ID) VALUES"
                   " ('1,234.50', NULL, 'HS', '2024-05-01', '06:00:00', 'Ann'),"
                   " ('5.00', '5.00', 'HS', '2024-05-31', '23:59:00', 'Bob'),"
                   " ('$10.25', NULL, 'HS', '2024-05-15', '12:00:00', 'Ann'),"
                   " ('', NULL, 'HS', '2024-05-15', '12:00:00', 'Ann'),"
                   " (NULL, NULL, 'HS', '2024-05-15', '12:00:00', 'Ann'),"
                   " ('100.00', NULL, 'HS', '2024-06-01', '12:00:00', 'Ann'),"    // after the period
                   " ('100.00', NULL, 'HS', '2024-05-15', '05:59:00', 'Ann');");  // before the shift
  auto db = db::Database::open(path_);
  // The sales report's query, the filter bound instead of pasted in.
  const QString tail =
      "FROM tblDy_Order WHERE Method Like ? And Date Between #5/1/2024# And #5/31/2024# "
      "AND Time Between #6:00 AM# And #11:59 PM#; ";
  auto sum = db->openRecordset("SELECT Sum(tblDy_Order.Total) AS SumOfTotal " + tail, {"*"});
  EXPECT_DOUBLE_EQ(sum->field("SumOfTotal").toDouble(), 1249.75);
  EXPECT_DOUBLE_EQ(
      db->scalar("SELECT Sum(tblDy_Order.szCard_amt) AS SumOfszCard_amt " + tail, {"*"}).toDouble(), 5.0);
  // No ticket with a value: the sum is Null, which the window counts as 0.
  EXPECT_FALSE(db->scalar("SELECT Sum(tblDy_Order.szCoupon_amt) AS S " + tail, {"*"}).isValid());
  // The listing: bounds included, the employee filter as a Like pattern.
  auto listing = db->openRecordset(
      "SELECT * FROM tblDy_Order WHERE ID Like ? AND Date Between #5/1/2024# And #5/31/2024# AND Time "
      "Between "
      "#6:00 AM# AND  #11:59 PM#; ",
      {"an*"});
  EXPECT_EQ(listing->recordCount(), 4);
  EXPECT_TRUE(listing->updatable());
}

TEST_F(DatabaseTest, NullAndEmptyStayApart) {
  dbtest::makeFile(path_,
                   "CREATE TABLE tbSet (ID INTEGER, SetC TEXT, SetP TEXT, Rate REAL);"
                   "INSERT INTO tbSet VALUES (1, NULL, '', 5.5);");
  auto db = db::Database::open(path_);
  auto rs = db->openRecordset("SELECT * FROM tbSet ORDER BY ID ASC");
  EXPECT_FALSE(rs->field("SetC").isValid());
  ASSERT_TRUE(rs->field("SetP").isValid());
  EXPECT_TRUE(rs->field("SetP").toString().isEmpty());
  EXPECT_FALSE(rs->field("SetP").toString().isNull());

  rs->edit();
  rs->setField("SetC", "");          // an emptied text box writes an empty text
  rs->setField("SetP", QVariant());  // Null stays Null
  rs->setField("Rate", "");          // an emptied box on a number writes Null
  rs->update();
  EXPECT_EQ(peek("SELECT quote(SetC) || ' ' || quote(SetP) || ' ' || quote(Rate) FROM tbSet"),
            "'' NULL NULL");
}

TEST_F(DatabaseTest, YesNoValuesAreStoredAsOneAndZero) {
  // The convention of the first-install rows and of the bound check boxes:
  // a bool value and the words True and False mean 1 and 0.
  dbtest::makeFile(path_,
                   "CREATE TABLE tabPword (szID_nu INTEGER DEFAULT 0, ItmDeSecl INTEGER DEFAULT 0);"
                   "INSERT INTO tabPword VALUES (1, 0);");
  auto db = db::Database::open(path_);
  db->execute("INSERT INTO tabPword VALUES (?, ?)", {true, false});
  auto rs = db->openRecordset("tabPword");
  rs->moveLast();
  rs->edit();
  rs->setField("ItmDeSecl", true);
  rs->update();
  EXPECT_EQ(peek("SELECT group_concat(szID_nu || '/' || ItmDeSecl) FROM tabPword"), "1/0,1/1");
  EXPECT_EQ(db->scalar("SELECT Count(*) FROM tabPword WHERE szID_nu = True").toInt(), 2);
  EXPECT_EQ(db->scalar("SELECT Count(*) FROM tabPword WHERE ItmDeSecl = False").toInt(), 1);
}

TEST_F(DatabaseTest, AutomaticNumberIsReadableDuringTheAdditionAndNeverDrawnTwice) {
  dbtest::makeFile(path_, "INSERT INTO tblDy_Order (TO_Ord_ID, Inv) VALUES (1041, '1041');");
  auto station1 = db::Database::open(path_);
  auto station2 = db::Database::open(path_);
  auto rs1 = station1->openRecordset("SELECT * FROM tblDy_Order ORDER BY Inv ASC");
  auto rs2 = station2->openRecordset("tblDy_Order");

  rs1->addNew();
  const qint64 first = rs1->field("TO_Ord_ID").toLongLong();
  EXPECT_EQ(first, 1042);
  EXPECT_EQ(rs1->field("Receive").toString(), "0");  // the column default shows during the addition
  EXPECT_THROW(rs1->setField("TO_Ord_ID", 7), db::Error);

  rs2->addNew();  // another station while the first is still adding
  EXPECT_EQ(rs2->field("TO_Ord_ID").toLongLong(), 1043);
  rs2->setField("Inv", "1043");
  rs2->update();

  rs1->setField("Inv", QString::number(first));
  rs1->setField("Total", "12.00");
  rs1->update();
  EXPECT_EQ(rs1->field("TO_Ord_ID").toLongLong(), 1042);  // the stored row is current
  EXPECT_EQ(rs1->field("Receive").toString(), "0");
  EXPECT_FALSE(rs1->field("Tax").isValid());  // not set: Null
  EXPECT_EQ(peek("SELECT Receive || '/' || Total FROM tblDy_Order WHERE TO_Ord_ID = 1042"), "0/12.00");

  // A cancelled addition leaves its number unused, as Access does.
  rs1->addNew();
  EXPECT_EQ(rs1->field("TO_Ord_ID").toLongLong(), 1044);
  rs1->cancelUpdate();
  EXPECT_EQ(rs1->field("TO_Ord_ID").toLongLong(), 1042);
  rs1->addNew();
  EXPECT_EQ(rs1->field("TO_Ord_ID").toLongLong(), 1045);
  rs1->update();
  EXPECT_EQ(peek("SELECT group_concat(TO_Ord_ID) FROM tblDy_Order"), "1041,1042,1043,1045");
}

TEST_F(DatabaseTest, FindFirstAndNextFollowTheRecordsetOrder) {
  dbtest::makeFile(
      path_,
      "CREATE TABLE tbEmplo (szID_no TEXT, sFirst_nm TEXT);"
      "INSERT INTO tbEmplo VALUES ('120','Cleo'),('9','Ann'),('12','Bea'),('1','Dee'),('77','Eve');");
  auto db = db::Database::open(path_);
  auto rs = db->openRecordset("SELECT * FROM tbEmplo ORDER BY szID_no DESC");
  rs->moveLast();
  // The keypad's lookup: codes that begin with the entry, in the recordset's order.
  rs->findFirst("szID_no LIKE ?", {"1*"});
  ASSERT_FALSE(rs->noMatch());
  EXPECT_EQ(rs->field("sFirst_nm").toString(), "Cleo");
  rs->findNext("szID_no LIKE ?", {"1*"});
  EXPECT_EQ(rs->field("sFirst_nm").toString(), "Bea");
  rs->findNext("szID_no LIKE ?", {"1*"});
  EXPECT_EQ(rs->field("sFirst_nm").toString(), "Dee");
  rs->findNext("szID_no LIKE ?", {"1*"});
  EXPECT_TRUE(rs->noMatch());
  EXPECT_EQ(rs->field("sFirst_nm").toString(), "Dee");  // no match: the row stays
  rs->findFirst("szID_no = ?", {"2"});
  EXPECT_TRUE(rs->noMatch());
  rs->findFirst("szID_no = ? AND sFirst_nm = ?", {"77", "Eve"});
  EXPECT_EQ(rs->absolutePosition(), 1);

  auto counted = db->openRecordset("SELECT Count(*) AS N FROM tbEmplo");
  EXPECT_FALSE(counted->updatable());
  EXPECT_THROW(counted->findFirst("N > 0"), db::Error);
  EXPECT_THROW(counted->edit(), db::Error);
}

TEST_F(DatabaseTest, DeleteLeavesTheRowCurrentUntilTheNextMove) {
  dbtest::makeFile(path_,
                   "CREATE TABLE tbEmplo (szID_no TEXT, sFirst_nm TEXT);"
                   "INSERT INTO tbEmplo VALUES ('1','Ann'),('2','Bea'),('3','Cleo');");
  auto db = db::Database::open(path_);
  auto rs = db->openRecordset("SELECT * FROM tbEmplo ORDER BY szID_no ASC");
  // The staff editor's rule: delete, move next, and back when that is the end.
  rs->moveLast();
  rs->deleteRecord();
  EXPECT_TRUE(rs->currentDeleted());
  EXPECT_FALSE(rs->eof());
  EXPECT_THROW(rs->field("sFirst_nm"), db::Error);
  rs->moveNext();
  EXPECT_TRUE(rs->eof());
  rs->movePrevious();
  EXPECT_EQ(rs->field("sFirst_nm").toString(), "Bea");
  rs->moveFirst();
  rs->deleteRecord();
  rs->moveNext();
  EXPECT_EQ(rs->field("sFirst_nm").toString(), "Bea");
  EXPECT_EQ(rs->recordCount(), 1);
  EXPECT_EQ(peek("SELECT group_concat(sFirst_nm) FROM tbEmplo"), "Bea");
  rs->moveNext();
  EXPECT_THROW(rs->moveNext(), db::Error);  // at EOF
}

TEST_F(DatabaseTest, ARowIsReadWhenFirstAskedForAndARowDeletedMeanwhileShowsNoValues) {
  auto db = db::Database::open(path_);
  {
    auto t = db->transaction();
    for (int i = 1; i <= 200; ++i)
      db->execute("INSERT INTO tblDy_Order (Inv, Total) VALUES (?, '1.00')", {i});
    t.commit();
  }
  auto rs = db->openRecordset("SELECT * FROM tblDy_Order ORDER BY TO_Ord_ID DESC");
  ASSERT_EQ(rs->field("Inv").toString(), "200");
  // Another station changes and deletes rows this recordset has not shown yet.
  auto other = db::Database::open(path_);
  other->execute("UPDATE tblDy_Order SET Total = '9.99' WHERE Inv = '20'");
  other->execute("DELETE FROM tblDy_Order WHERE Inv = '10'");
  EXPECT_EQ(rs->recordCount(), 200);
  EXPECT_EQ(rs->valueAt(180, rs->fieldNames().indexOf("Total")).toString(), "9.99");
  EXPECT_FALSE(rs->valueAt(190, rs->fieldNames().indexOf("Inv")).isValid());
  rs->findFirst("Inv = ?", {"11"});
  EXPECT_EQ(rs->absolutePosition(), 189);
  EXPECT_EQ(rs->field("Total").toString(), "1.00");
}

TEST_F(DatabaseTest, WritesThatBelongTogetherCommitOrRollBackTogether) {
  auto db = db::Database::open(path_);
  {
    auto t = db->transaction();
    db->execute("INSERT INTO tblDy_Order (Inv) VALUES ('1')");
    db->execute("INSERT INTO tblDetail (Invoice) VALUES ('1')");
    // The guard goes out of scope without commit: neither row stays.
  }
  EXPECT_EQ(peek("SELECT Count(*) FROM tblDy_Order") + peek("SELECT Count(*) FROM tblDetail"), "00");
  {
    auto t = db->transaction();
    auto lines = db->openRecordset("SELECT * FROM tblDetail ORDER BY Invoice ASC");
    lines->addNew();
    lines->setField("Invoice", "2");
    lines->update();
    {
      auto inner = db->transaction();
      db->execute("DELETE FROM tblDetail");
      inner.rollback();  // only the inner part is undone
    }
    EXPECT_EQ(peek("SELECT Count(*) FROM tblDetail"), "0");  // another station sees nothing yet
    t.commit();
  }
  EXPECT_EQ(peek("SELECT group_concat(Invoice) FROM tblDetail"), "2");
}

// Descriptors this process holds open on `path`.
int openDescriptorsOn(const QString& path) {
  const QByteArray target = QFileInfo(path).canonicalFilePath().toUtf8();
  int n = 0;
  for (const QString& fd : QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System)) {
    char link[4096];
    const ssize_t len = ::readlink(("/proc/self/fd/" + fd).toUtf8().constData(), link, sizeof link);
    if (len > 0 && QByteArray(link, int(len)) == target) ++n;
  }
  return n;
}

TEST_F(DatabaseTest, ARefusedStatementLeavesNoHandleBehind) {
  {
    auto db = db::Database::open(path_);
    for (int i = 0; i < 3; ++i) {
      EXPECT_THROW(db->execute("SELECT 1; DELETE FROM tblDy_Order"), db::Error);
      EXPECT_THROW(db->execute("SELECT * FROM NoSuchTable"), db::Error);
    }
    EXPECT_GE(openDescriptorsOn(path_), 1);
  }
  EXPECT_EQ(openDescriptorsOn(path_), 0);
}

TEST_F(DatabaseTest, TransactionsEndedOutOfOrderLeaveTheConnectionSound) {
  auto db = db::Database::open(path_);
  {
    auto outer = db->transaction();
    auto inner = db->transaction();
    db->execute("INSERT INTO tblDy_Order (Inv) VALUES ('1')");
    EXPECT_THROW(outer.commit(), db::Error);  // the inner one is still open
    outer.rollback();                         // ends both
    EXPECT_FALSE(inner.active());
    EXPECT_FALSE(db->inTransaction());
  }  // the inner guard has nothing left to undo
  EXPECT_EQ(peek("SELECT Count(*) FROM tblDy_Order"), "0");

  // The next transaction is an outer one again: it holds the write lock at
  // once, so a second station cannot start writing meanwhile.
  db::setBusyTimeout(50);
  auto other = db::Database::open(path_);
  db::setBusyTimeout(5000);
  auto t = db->transaction();
  EXPECT_TRUE(db->inTransaction());
  EXPECT_THROW(other->execute("INSERT INTO tblDy_Order (Inv) VALUES ('2')"), db::Error);
  db->execute("INSERT INTO tblDy_Order (Inv) VALUES ('3')");
  t.commit();
  EXPECT_EQ(peek("SELECT group_concat(Inv) FROM tblDy_Order"), "3");
}

TEST_F(DatabaseTest, AWriteThatCannotBeMadeIsToldInPlainWords) {
  db::setBusyTimeout(100);
  auto station1 = db::Database::open(path_);
  auto station2 = db::Database::open(path_);
  db::setBusyTimeout(5000);
  {
    auto holding = station1->transaction();  // another station holds the write lock
    try {
      station2->execute("INSERT INTO tblDy_Order (Inv) VALUES ('1')");
      ADD_FAILURE() << "the write went through";
    } catch (const db::Error& e) {
      EXPECT_EQ(e.kind(), db::Error::Kind::Busy);
      EXPECT_EQ(e.message(), "Cannot save to Ordr.mdb: another station is using the file.");
    }
  }
}

TEST_F(DatabaseTest, AFileLockedPastTheWaitAtOpenIsToldInPlainWords) {
  auto station1 = db::Database::open(path_);
  // Another station is in the middle of writing its commit: it holds the
  // lock that keeps readers out.
  ASSERT_EQ(sqlite3_exec(station1->handle(), "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  db::setBusyTimeout(50);
  try {
    db::Database::open(path_);
    ADD_FAILURE() << "the file opened";
  } catch (const db::Error& e) {
    EXPECT_EQ(e.kind(), db::Error::Kind::Busy);
    EXPECT_EQ(e.message(), "Cannot read Ordr.mdb: another station is using the file.");
  }
  db::setBusyTimeout(5000);
  sqlite3_exec(station1->handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

TEST(DatabaseReadOnly, AWriteToAReadOnlyFileOrFolderIsToldInPlainWords) {
  QTemporaryDir dir;
  const QString folder = dir.filePath("data");
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString path = folder + "/Duzo98HS.mdb";
  dbtest::makeFile(path, "CREATE TABLE tbSet (Tax TEXT); INSERT INTO tbSet VALUES ('0.075');");
  struct Case {
    QString readOnly;
    const char* says;
  } const cases[] = {
      {path, "Cannot save to Duzo98HS.mdb: the file is read-only."},
      {folder, "Cannot save to Duzo98HS.mdb: its folder is read-only."},  // no journal can be made
  };
  for (const Case& c : cases) {
    ReadOnlyPath guard(c.readOnly.toStdString());
    if (!guard.active()) GTEST_SKIP() << "cannot make " << c.readOnly.toStdString() << " read-only here";
    try {
      db::Database::open(path)->execute("UPDATE tbSet SET Tax = ?", {"0.08"});
      ADD_FAILURE() << c.readOnly.toStdString() << " was written";
    } catch (const db::Error& e) {
      EXPECT_EQ(e.kind(), db::Error::Kind::ReadOnly) << e.what();
      EXPECT_EQ(e.message(), c.says);
    }
  }
  EXPECT_EQ(dbtest::peek(path, "SELECT Tax FROM tbSet"), "0.075");
}

// A connection opened while its file was read-only writes once the file is
// writable again: the write opens the file again first.
TEST(DatabaseReadOnly, AFileOpenedReadOnlyIsWrittenOnceItIsWritable) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Infor.mdb");
  dbtest::makeFile(path, "CREATE TABLE tbEmplo (szID_no TEXT); INSERT INTO tbEmplo VALUES ('1234');");
  auto readOnly = std::make_unique<ReadOnlyPath>(path.toStdString());
  if (!readOnly->active()) GTEST_SKIP() << "cannot make the file read-only here";
  const auto db = db::Database::open(path);
  const auto rs = db->openRecordset("tbEmplo");
  EXPECT_THROW(db->execute("UPDATE tbEmplo SET szID_no = '2345'"), db::Error);
  readOnly.reset();
  // A recordset opened on the read-only connection writes as well.
  rs->edit();
  rs->setField("szID_no", "3456");
  rs->update();
  EXPECT_EQ(dbtest::peek(path, "SELECT szID_no FROM tbEmplo"), "3456");
  auto t = db->transaction();
  db->execute("INSERT INTO tbEmplo VALUES ('4567')");
  t.commit();
  EXPECT_EQ(dbtest::peek(path, "SELECT count(*) FROM tbEmplo"), "2");
}

// A write to a full disk, or beyond the user's quota, says so in plain words
// and is told apart from other failures.
TEST_F(DatabaseTest, AWriteToAFullDiskIsToldInPlainWords) {
  const struct {
    int error;
    db::Error::Kind kind;
    const char* says;
  } cases[] = {
      {ENOSPC, db::Error::Kind::Full, "Cannot save to Ordr.mdb: the disk is full."},
      {EDQUOT, db::Error::Kind::QuotaFull, "Cannot save to Ordr.mdb: the disk quota is full."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    dbtest::FailingDisk disk;
    const auto db = db::Database::open(path_);
    disk.fail(c.error);
    try {
      db->execute("INSERT INTO tblDy_Order (Inv) VALUES ('1')");
      ADD_FAILURE() << "the write went through";
    } catch (const db::Error& e) {
      EXPECT_EQ(e.kind(), c.kind);
      EXPECT_EQ(e.message(), c.says);
    }
    disk.fail(0);
    db->execute("INSERT INTO tblDy_Order (Inv) VALUES ('2')");
  }
  EXPECT_EQ(peek("SELECT group_concat(Inv) FROM tblDy_Order"), "2,2");
}

class CopyDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    template_ = dir_.filePath("BpOrdr.mdb");
    training_ = dir_.filePath("TOrdr.mdb");
    dbtest::makeFile(template_, dbtest::ticketSchema());
    dbtest::makeFile(training_, dbtest::ticketSchema());
    dbtest::makeFile(training_, "INSERT INTO tblDy_Order (Inv) VALUES ('old1'), ('old2');");
  }
  QTemporaryDir dir_;
  QString template_;
  QString training_;
};

TEST_F(CopyDatabaseTest, AConnectionHeldOnTheTargetReadsTheFreshContent) {
  auto window = db::Database::open(training_);
  ASSERT_EQ(window->scalar("SELECT Count(*) FROM tblDy_Order").toInt(), 2);
  db::copyDatabase(template_, training_);
  EXPECT_EQ(window->scalar("SELECT Count(*) FROM tblDy_Order").toInt(), 0);
  // What the window writes afterwards lands in the file, not in a lost one.
  window->execute("INSERT INTO tblDy_Order (Inv) VALUES ('new')");
  EXPECT_EQ(dbtest::peek(training_, "SELECT group_concat(Inv) FROM tblDy_Order"), "new");
}

TEST_F(CopyDatabaseTest, AStaleJournalIsNeverPlayedIntoTheCopy) {
  // A journal left by a crash in the middle of a write that deleted the old
  // tickets: played back, it would bring them back.
  {
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open(training_.toUtf8().constData(), &h), SQLITE_OK);
    sqlite3_exec(h,
                 "PRAGMA journal_mode=DELETE; PRAGMA cache_size=1; BEGIN;"
                 "DELETE FROM tblDy_Order; INSERT INTO tblDy_Order (Inv) SELECT 'x' FROM tblDy_Order;",
                 nullptr, nullptr, nullptr);
    sqlite3_exec(h, "PRAGMA cache_spill=1", nullptr, nullptr, nullptr);
    // Keep the journal as a crash would: copy it aside while it is live.
    QFile::copy(training_ + "-journal", training_ + "-journal.kept");
    sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(h);
  }
  if (!QFile::exists(training_ + "-journal.kept")) GTEST_SKIP() << "SQLite kept the journal in memory";
  QFile::rename(training_ + "-journal.kept", training_ + "-journal");

  db::copyDatabase(template_, training_);
  EXPECT_EQ(dbtest::peek(training_, "SELECT Count(*) FROM tblDy_Order"), "0");
  EXPECT_EQ(dbtest::peek(training_, "PRAGMA integrity_check"), "ok");
  EXPECT_FALSE(QFile::exists(training_ + "-journal"));
}

TEST_F(CopyDatabaseTest, AMissingOrBrokenTargetBecomesACopyAndABadSourceIsNamed) {
  const QString missing = dir_.filePath("New.mdb");
  db::copyDatabase(template_, missing);
  EXPECT_EQ(dbtest::peek(missing, "SELECT Count(*) FROM tblDy_Order"), "0");

  QFile broken(training_);
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
  broken.close();  // zero bytes
  db::copyDatabase(template_, training_);
  EXPECT_EQ(dbtest::peek(training_, "SELECT Count(*) FROM tblDy_Order"), "0");

  try {
    db::copyDatabase(dir_.filePath("Gone.mdb"), training_);
    ADD_FAILURE() << "a missing template was copied";
  } catch (const db::Error& e) {
    EXPECT_TRUE(e.message().contains("Gone.mdb")) << e.what();
  }
}

TEST_F(CopyDatabaseTest, TheProgramKnowsWhichFilesItHoldsOpen) {
  const std::string savedRoot = files::root();
  files::setRoot(dir_.path().toStdString());
  ASSERT_TRUE(QDir().mkpath(dir_.filePath("drive_c/Tickets")));
  const QString held = dir_.filePath("drive_c/Tickets/TOrdr.mdb");
  ASSERT_TRUE(QFile::copy(training_, held));

  EXPECT_FALSE(db::isDatabaseOpen("C:\\Tickets\\TOrdr.mdb"));
  {
    auto one = db::Database::open("C:\\Tickets\\tordr.mdb");
    auto two = db::Database::open(held);
    EXPECT_TRUE(db::isDatabaseOpen("C:\\Tickets\\TOrdr.mdb"));  // by either name
    EXPECT_TRUE(db::isDatabaseOpen(held));
    EXPECT_FALSE(db::isDatabaseOpen(template_));
    EXPECT_FALSE(db::isDatabaseOpen("C:\\Tickets\\Missing.mdb"));
    EXPECT_FALSE(db::isDatabaseOpen(""));
    one.reset();
    EXPECT_TRUE(db::isDatabaseOpen(held));  // the second connection still holds it
  }
  EXPECT_FALSE(db::isDatabaseOpen(held));
  files::setRoot(savedRoot);
}

}  // namespace
