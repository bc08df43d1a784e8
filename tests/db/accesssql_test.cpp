#include "platform/db/accesssql.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/convert/error.h"
#include "platform/db/database.h"
#include "tests/db/testdb.h"

namespace {

struct Translation {
  const char* access;
  const char* sqlite;
};

TEST(TranslateAccessSql, TurnsTheDialectIntoSqlite) {
  const Translation cases[] = {
      {"SELECT * FROM tbSet ORDER BY ID ASC", "SELECT * FROM tbSet ORDER BY ID ASC"},
      {"Date Between #12/10/2026# And #1/2/2027#", "Date Between '2026-12-10' And '2027-01-02'"},
      {"Time Between #6:00 AM# AND  #11:59 PM#", "Time Between '06:00:00' AND  '23:59:00'"},
      {"d = #12:30 AM#", "d = '00:30:00'"},
      {"d = #12:05 PM#", "d = '12:05:00'"},
      {"d = #5/1/2024 6:30:15 PM#", "d = '2024-05-01 18:30:15'"},
      {"d = #2024-05-01#", "d = '2024-05-01'"},
      {"d = #5/1/24#", "d = '2024-05-01'"},
      {"SELECT [Field Name], [900], [7_Price] FROM [tb Menu]",
       "SELECT \"Field Name\", \"900\", \"7_Price\" FROM \"tb Menu\""},
      // & is Access's concatenation: one call per chain, whose operands run
      // to the nearest comparison, logical word, comma or parenthesis.
      {"a & b & 'x&y'", "ACCESS_CONCAT(a, b, 'x&y')"},
      {"SELECT sFirst_nm & ' ' & szID_no AS Who, x FROM t WHERE a & b = 'c' AND (d & e) Like f & '*'",
       "SELECT ACCESS_CONCAT(sFirst_nm, ' ', szID_no) AS Who, x FROM t WHERE ACCESS_CONCAT(a, b) = 'c' AND "
       "(ACCESS_CONCAT(d, e)) Like ACCESS_CONCAT(f, '*')"},
      {"n = Price + 1 & Left(m, 2)", "n = ACCESS_CONCAT(Price + 1, Left(m, 2))"},
      // A comment may hold an apostrophe; after "table." a number is a column.
      {"SELECT 1 -- the stylist's name\nFROM t", "SELECT 1 -- the stylist's name\nFROM t"},
      {"SELECT r.900, r.[930] FROM tblSalonReserv r", "SELECT r.\"900\", r.\"930\" FROM tblSalonReserv r"},
      {"chk = True OR chk = false", "chk = 1 OR chk = 0"},  // Yes/No fields hold 1 and 0
      {"t.True = 1", "t.True = 1"},
      {"m = \"O'Brien\" AND n = \"say \"\"hi\"\"\"", "m = 'O''Brien' AND n = 'say \"hi\"'"},
      {"x = 'it''s [not] #a# date & True'", "x = 'it''s [not] #a# date & True'"},
      {"SELECT Sum(tblDy_Order.Total) AS SumOfTotal ", "SELECT AMTSUM(tblDy_Order.Total) AS SumOfTotal "},
      {"SELECT sum ( (a) ) , Count(*)", "SELECT AMTSUM( (a) ) , Count(*)"},
      {"Method like '*' AND Dish_ID Like 5", "Method like '*' AND Dish_ID Like 5"},
      {"v = 1e5 AND w = ?", "v = 1e5 AND w = ?"},
      {"v = 1e+5 OR v = 2.50 OR v = 7.", "v = 1e+5 OR v = 2.50 OR v = 7."},
      // A bare name that begins with a digit is quoted; a bare number stays one.
      {"SELECT 7_Price, b.1_Price FROM tbBeef b WHERE 900 > 12abc",
       "SELECT \"7_Price\", b.\"1_Price\" FROM tbBeef b WHERE 900 > \"12abc\""},
  };
  for (const Translation& c : cases) {
    EXPECT_EQ(db::translateAccessSql(c.access).toStdString(), c.sqlite) << c.access;
  }
}

TEST(TranslateAccessSql, RefusesBrokenLiterals) {
  for (const char* bad : {"d = #13/1/2024#", "d = #2/30/2024#", "d = #25:00#", "d = #6#", "d = #5/1/2024",
                          "x = 'open", "x = \"open", "SELECT [open FROM t"}) {
    EXPECT_THROW(db::translateAccessSql(bad), db::Error) << bad;
  }
}

// The LIKE operator of an opened file: the runtime's Like, letter case ignored.
TEST(AccessLike, FollowsTheAccessPatternRules) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("Like.mdb");
  dbtest::makeFile(path, "CREATE TABLE t (x TEXT);");
  const std::shared_ptr<db::Database> file = db::Database::open(path);
  struct Case {
    const char* value;
    const char* pattern;
    bool match;
  } const cases[] = {
      {"HS", "*", true},        {"", "*", true},          {"Anna", "anna", true},  // case ignored
      {"Anna", "A?na", true},   {"Ana", "A?na", false},   {"1042", "10#2", true},
      {"10x2", "10#2", false},  {"Bob", "[A-C]*", true},  {"bob", "[A-C]*", true},
      {"Dan", "[A-C]*", false}, {"Dan", "[!A-C]*", true}, {"a*b", "a[*]b", true},
      {"axb", "a[*]b", false},  {"50%", "50%", true},     {"500", "50%", false},  // % and _ are plain
      {"a_c", "a_c", true},     {"abc", "a_c", false},    {"5/1/2024 x", "5/1/2024*", true},
      {"[x", "[x", false},  // an unclosed list is a malformed pattern: it matches nothing
      {"abcabd", "*abd", true}, {"abc", "*abd", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(file->scalar("SELECT ? LIKE ?", {c.value, c.pattern}).toInt(), c.match ? 1 : 0)
        << c.value << " Like " << c.pattern;
  }
}

TEST(AmountValue, ReadsAmountTextsAsTheWindowsDo) {
  struct Case {
    const char* text;
    double value;
  } const cases[] = {
      {"1,234.50", 1234.5}, {"$5.00", 5.0},     {"", 0.0},
      {"0.00", 0.0},        {"-12.25", -12.25}, {" 7 ", 7.0},
      {"2.5x", 2.5},        {"abc", 0.0},       {"1,000,000.01", 1000000.01},
      {".5", 0.5},          {"($5.00)", -5.0},  {"1e400", 0.0},
      {"1e3", 1000.0},      {"1e", 1.0},        {"-", 0.0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(db::amountValue(c.text), c.value) << c.text;
}

TEST(AmountCurrency, TheQuickReadingAgreesWithTheFullOneAndBothAreExact) {
  struct Case {
    const char* text;
    bool quick;  // read from the bytes, without the full reading
    qint64 raw;  // ten-thousandths
  } const cases[] = {
      {"0.10", true, 1000},
      {"1,234.50", true, 12345000},
      {"$5.00", true, 50000},
      {" -12.25 ", true, -122500},
      {"-$3", true, -30000},
      {"$-3", true, -30000},
      {".5", true, 5000},
      {"7.", true, 70000},
      {"0.0001", true, 1},
      {"1,000,000.01", true, 10000000100},
      {"", false, 0},
      {"abc", false, 0},
      {"($5.00)", false, -50000},
      {"2.5x", false, 25000},
      {"0.12345", false, 1235},
      {"1e3", false, 10000000},
      {",5", false, 50000},
      {"12345678901234567", false, 0},
  };
  for (const Case& c : cases) {
    const QByteArray bytes(c.text);
    std::int64_t raw = -1;
    EXPECT_EQ(db::quickAmount(bytes.constData(), int(bytes.size()), &raw), c.quick) << c.text;
    if (c.quick) {
      EXPECT_EQ(raw, c.raw) << c.text;
    }
    if (QByteArray(c.text).size() > 15) {
      EXPECT_THROW(db::amountCurrency(c.text), rt::ConversionError) << c.text << " is beyond money";
      continue;
    }
    EXPECT_EQ(db::amountCurrency(c.text).raw(), c.raw) << c.text;
  }
}

}  // namespace
