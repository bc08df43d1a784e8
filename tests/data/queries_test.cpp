// The installed databases against the queries, criteria and stored texts the
// windows use on them, through the database layer and under the Windows names
// the windows give the files.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>
#include <vector>

#include "data/install.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "platform/files/paths.h"

namespace {

const QString kInstall = QStringLiteral("C:\\Program Files\\Dovrel POS 4\\");

class InstalledRoot : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root.isValid());
    files::setRoot(root.path().toStdString());
    const data::InstallReport report =
        data::installDataRoot(QString::fromStdString(files::localPath(kInstall.toStdString())));
    ASSERT_TRUE(report.ok) << report.errors.join("; ").toStdString();
  }
  // A database of the install folder, opened as the windows name it.
  static std::shared_ptr<db::Database> open(const QString& file) {
    return db::Database::open(kInstall + file);
  }

  QTemporaryDir root;
};

// Every record source the windows give their bindings opens on a fresh
// install, as a recordset the windows can edit.
TEST_F(InstalledRoot, RecordSourcesOfTheWindowsOpen) {
  struct Source {
    const char* file;
    const char* source;
    int rows;  // rows on a fresh install; -1: at least one
  };
  const std::vector<Source> sources = {
      // Category and notes queries the sales window sends.
      {"BakHS.mdb", "Select * from tbDrink order by Dish_ID ASC", -1},
      {"BakHS.mdb", "Select * from tbAppetizer order by Dish_ID ASC", -1},
      {"BakHS.mdb", "Select * from tbFriedRice order by Dish_ID ASC", -1},
      {"BakHS.mdb", "Select * from tbLoMein order by Dish_ID ASC", -1},
      {"BakHS.mdb", "SELECT * FROM tbVDishes ORDER BY Dish_ID ASC", -1},
      {"BakHS.mdb", "Select * from tbVegetables order by Dish_ID ASC", -1},
      {"BakHS.mdb", "Select * from tbPoultry order by Dish_ID ASC", -1},
      {"BakHS.mdb", "Select * from tbBeef order by Dish_ID ASC", -1},
      {"BakHS.mdb", "Select * from tbSeafood order by Dish_ID ASC", -1},
      {"BakHS.mdb", "Select * from tbSoup order by Dish_ID ASC", -1},
      {"BakHS.mdb", "Select * from tbPork order by Dish_ID ASC", -1},
      {"BakHS.mdb", "SELECT * FROM tbLamb ORDER BY Dish_ID ASC", -1},
      {"BakHS.mdb", "Select * from tbLunch order by Dish_ID ASC", -1},
      {"BakHS.mdb", "Select * from tbDinner order by Dish_ID ASC", -1},
      {"BakHS.mdb", "SELECT * FROM tbSpl ORDER BY Dish_ID ASC", -1},
      // The one-row settings tables, bound by table name.
      {"BakHS.mdb", "tbSetMain", 1},
      {"BakHS.mdb", "tbSetScrn", 1},
      {"BakHS.mdb", "tbSetInfor", 1},
      {"BakHS.mdb", "tbSetFreePop", 1},
      {"Duzo98HS.mdb", "SELECT * FROM tbSet ORDER BY ID ASC", 1},
      {"DUZO98HS.mdb", "tbSet", 1},
      {"Duzo98HS.mdb", "tbTel", 1},
      {"Duzo98HS.mdb", "tbReset", 1},
      {"Duzo98HS.mdb", "tabPword", 1},
      {"Duzo98HS.mdb", "tbRemov", 1},
      // Staff, with and without the appointment book's leading blank.
      {"Infor.mdb", "SELECT * FROM tbEmplo ORDER BY szID_no ASC", 3},
      {"Infor.mdb", " SELECT * FROM tbEmplo ORDER BY szID_no ASC", 3},
      // Tickets: live, training (also as the order-detail report names it) and
      // the template.
      {"Ordr.mdb", "tblDy_Order", 0},
      {"Ordr.mdb", "SELECT * FROM tblDy_Order ORDER BY Inv ASC", 0},
      {"Ordr.mdb", "tblDetail", 0},
      {"Ordr.mdb", "SELECT * FROM tblDetail ORDER BY Invoice ASC", 0},
      {"TOrdr.mdb", "SELECT * FROM tblDy_Order ORDER BY Inv ASC", 0},
      {"Tordr.mdb", "SELECT * FROM tblDetail ORDER BY Invoice DESC", 0},
      {"BpOrdr.mdb", "tblDy_Order", 0},
      // The other files of the placement table.
      {"CustmrTr.mdb", "tblCustmrTr", 0},
      {"Fav.mdb", "tbFav", 0},
      {"Remv.mdb", "tblRemv", 0},
      {"SalonReserv.mdb", "SELECT * FROM tblSalonReserv ORDER BY szDate_da ASC", 0},
      {"Ref.mdb", "SELECT * FROM tblCustmr ORDER BY sphone_no ASC", 0},
  };
  for (const Source& s : sources) {
    SCOPED_TRACE(std::string(s.file) + ": " + s.source);
    try {
      auto rs = open(s.file)->openRecordset(s.source);
      EXPECT_TRUE(rs->updatable());
      if (s.rows < 0) {
        EXPECT_GT(rs->recordCount(), 0);
      } else {
        EXPECT_EQ(rs->recordCount(), s.rows);
      }
    } catch (const db::Error& e) {
      ADD_FAILURE() << e.message().toStdString();
    }
  }
}

// The lookups of the windows find the sample rows they are meant to find.
TEST_F(InstalledRoot, CriteriaOfTheWindowsFindTheSampleRows) {
  struct Find {
    const char* file;
    const char* source;
    const char* criteria;
    QVariantList params;
    const char* field;
    QVariant expected;  // invalid: no row may match
  };
  const std::vector<Find> finds = {
      // Item page fill and item choice: Dish_ID is compared as a number.
      {"BakHS.mdb",
       "Select * from tbDrink order by Dish_ID ASC",
       "Dish_ID Like 3",
       {},
       "szMenu_nm",
       "Kids Cut"},
      {"BakHS.mdb",
       "Select * from tbDrink order by Dish_ID ASC",
       "Dish_ID = 2",
       {},
       "szMenu_nm",
       "Men's Cut"},
      {"BakHS.mdb",
       "Select * from tbDrink order by Dish_ID ASC",
       "Dish_ID = 25",
       {},
       "szMenu_nm",
       QVariant()},
      // Manager check (code prefix) and stylist lookup (exact code, as text).
      {"Infor.mdb",
       "SELECT * FROM tbEmplo ORDER BY szID_no ASC",
       "szID_no LIKE ? & '*'",
       {"123"},
       "szLevel_nu",
       "Level 3"},
      {"Infor.mdb",
       "SELECT * FROM tbEmplo ORDER BY szID_no ASC",
       "szID_no = ?",
       {"2345"},
       "sFirst_nm",
       "Jules"},
      {"Infor.mdb",
       "SELECT * FROM tbEmplo ORDER BY szID_no ASC",
       "szID_no = ?",
       {"02345"},
       "sFirst_nm",
       QVariant()},
  };
  for (const Find& f : finds) {
    SCOPED_TRACE(std::string(f.file) + ": " + f.criteria);
    try {
      auto rs = open(f.file)->openRecordset(f.source);
      rs->findFirst(f.criteria, f.params);
      if (!f.expected.isValid()) {
        EXPECT_TRUE(rs->noMatch());
      } else {
        ASSERT_FALSE(rs->noMatch());
        EXPECT_EQ(rs->field(f.field).toString(), f.expected.toString());
      }
    } catch (const db::Error& e) {
      ADD_FAILURE() << e.message().toStdString();
    }
  }
}

// Amounts, codes, quantities and dates are texts: each column keeps what the
// windows write into it, character for character, and the item number is a
// number that sorts as one.
TEST_F(InstalledRoot, ColumnsKeepTheTextsTheWindowsWrite) {
  struct Column {
    const char* file;
    const char* table;
    const char* column;
    const char* text;
  };
  const std::vector<Column> columns = {
      {"Ordr.mdb", "tblDy_Order", "SubTotal", "12.00"},
      {"Ordr.mdb", "tblDy_Order", "Total", "1,234.50"},
      {"Ordr.mdb", "tblDy_Order", "Receive", "0"},
      {"Ordr.mdb", "tblDy_Order", "szCard_amt", "20.10"},
      {"Ordr.mdb", "tblDy_Order", "Inv", "0042"},
      {"Ordr.mdb", "tblDetail", "Qty", "1/2"},
      {"Ordr.mdb", "tblDetail", "Price", "5.50"},
      {"Ordr.mdb", "tblDetail", "Invoice", "0042"},
      {"BakHS.mdb", "tbBeef", "szPrice_amt", "25.00"},
      {"BakHS.mdb", "tbBeef", "7_Price", "1.50"},
      {"BakHS.mdb", "tbBeef", "szMenu_ID", "0.5"},
      {"Duzo98HS.mdb", "tbSet", "Tax", "0.0750"},
      {"Duzo98HS.mdb", "tbSet", "Plan", "10.00"},
      {"Infor.mdb", "tbEmplo", "szID_no", "0123"},
      {"Infor.mdb", "tbEmplo", "szRate", "18.50"},
      {"Fav.mdb", "tbFav", "szNum_nm", "007"},
      {"Remv.mdb", "tblRemv", "szPrice_Out", "00.00"},
      {"Ref.mdb", "tblCustmr", "sPhone_no", "0412 555 010"},
      {"SalonReserv.mdb", "tblSalonReserv", "900", "0930"},
  };
  for (const Column& c : columns) {
    SCOPED_TRACE(std::string(c.file) + " " + c.table + "." + c.column);
    try {
      auto rs = open(c.file)->openRecordset(c.table);
      rs->addNew();
      rs->setField(c.column, QString::fromLatin1(c.text));
      rs->update();
      const QVariant back = rs->field(c.column);
      EXPECT_EQ(back.typeId(), QMetaType::QString);
      EXPECT_EQ(back.toString(), QString::fromLatin1(c.text));
    } catch (const db::Error& e) {
      ADD_FAILURE() << e.message().toStdString();
    }
  }

  // 10 sorts after 4 only when the item number is a number.
  auto notes = open("BakHS.mdb")->openRecordset("tbSpl");
  notes->addNew();
  notes->setField("Dish_ID", 10);
  notes->setField("szMenu_nm", "Late Booking");
  notes->update();
  auto ordered = open("BakHS.mdb")->openRecordset("SELECT * FROM tbSpl ORDER BY Dish_ID ASC");
  ordered->moveLast();
  EXPECT_EQ(ordered->field("szMenu_nm").toString(), "Late Booking");
}

// A ticket header stored the way the sales window stores one: the amounts it
// leaves unwritten read "0.00", Receive reads "0" until a tender is stored,
// and the number can be read before the row is stored.
TEST_F(InstalledRoot, TicketHeaderWithoutAmountsReadsZeroAmounts) {
  auto orders = open("Ordr.mdb")->openRecordset("tblDy_Order");
  orders->addNew();
  const QString number = orders->field("TO_Ord_ID").toString();
  EXPECT_EQ(number, "1");
  orders->setField("Inv", number);
  orders->setField("5", "Processing");
  orders->setField("Method", "HS");
  orders->update();

  auto found = open("Ordr.mdb")->openRecordset("SELECT * FROM tblDy_Order ORDER BY Inv ASC");
  found->findFirst("Inv = ?", {number});
  ASSERT_FALSE(found->noMatch());
  for (const char* amount : {"SubTotal", "Tax", "Total"}) EXPECT_EQ(found->field(amount).toString(), "0.00");
  EXPECT_EQ(found->field("Receive").toString(), "0");
  EXPECT_FALSE(found->field("szCard_amt").isValid());
}

// The sales report's and the order-detail report's queries, word for word, over
// tickets stored with the sales window's fields.
TEST_F(InstalledRoot, ReportQueriesSelectAndSumStoredTickets) {
  struct Ticket {
    const char* date;
    const char* time;
    const char* stylist;
    const char* subTotal;
    const char* tax;
    const char* total;
    const char* receive;  // nullptr: no tender stored
    const char* card;     // card type, nullptr for cash
  };
  const Ticket tickets[] = {
      {"2024-05-03", "10:15:00", "Mara", "1,000.00", "75.00", "1,075.00", "1,100.00", nullptr},
      {"2024-05-03", "14:40:00", "Jules", "40.00", "3.00", "43.00", "43.00", "VISA"},
      {"2024-05-31", "23:59:00", "Jules", "20.00", "1.50", "21.50", nullptr, nullptr},
      {"2024-05-10", "05:30:00", "Mara", "30.00", "2.25", "32.25", "40.00", nullptr},  // before the shift
      {"2024-06-01", "10:00:00", "Mara", "50.00", "3.75", "53.75", "60.00", nullptr},  // after the period
  };
  {
    auto db = open("Ordr.mdb");
    auto orders = db->openRecordset("tblDy_Order");
    auto lines = db->openRecordset("tblDetail");
    for (const Ticket& t : tickets) {
      orders->addNew();
      const QString number = orders->field("TO_Ord_ID").toString();
      orders->setField("Inv", number);
      orders->setField("Date", t.date);
      orders->setField("Time", t.time);
      orders->setField("ID", t.stylist);
      orders->setField("SubTotal", t.subTotal);
      orders->setField("Tax", t.tax);
      orders->setField("Total", t.total);
      orders->setField("5", "Processing");
      orders->setField("Method", "HS");
      if (t.card) {
        orders->setField("szCard_amt", t.total);
        orders->setField("szType_Card", t.card);
      }
      if (t.receive) orders->setField("Receive", t.receive);
      orders->update();

      lines->addNew();
      lines->setField("Invoice", number);
      lines->setField("Date", t.date);
      lines->setField("Time", t.time);
      lines->setField("ID", t.stylist);
      lines->setField("Method", "HS");
      lines->setField("Qty", "1");
      lines->setField("szOrder", QStringLiteral("Cut %1").arg(number));
      lines->setField("Price", t.subTotal);
      lines->update();
    }
  }
  auto db = open("Ordr.mdb");
  const QString period =
      "Date Between #5/1/2024# And #5/31/2024# AND Time Between #6:00 AM# AND  #11:59 PM#; ";
  const QString sumPeriod =
      "Date Between #5/1/2024# And #5/31/2024# AND Time Between #6:00 AM# And #11:59 PM#; ";

  // Listing and sums of the All report (filter "*") and of the employee report.
  EXPECT_EQ(db->openRecordset("SELECT * FROM tblDy_Order WHERE Method like '*' AND " + period)->recordCount(),
            3);
  EXPECT_EQ(db->openRecordset("SELECT * FROM tblDy_Order WHERE ID Like 'Jules' AND " + period)->recordCount(),
            2);
  struct Sum {
    const char* head;
    const char* filter;
    double expected;
  };
  const Sum sums[] = {
      {"SELECT Sum(tblDy_Order.Total) AS SumOfTotal ", "Method Like '*' And ", 1139.50},
      {"SELECT Sum(tblDy_Order.Tax) AS SumOfTax ", "Method Like '*' And ", 79.50},
      {"SELECT Sum(tblDy_Order.szCard_amt) AS SumOfszCard_amt ", "Method Like '*' And  ", 43.00},
      {"SELECT Sum(tblDy_Order.szCoupon_amt) AS SumOfszCoupon_amt ", "Method Like '*' And ", 0.0},
      {"SELECT Sum(tblDy_Order.Receive) AS SumOfReceive ", "ID Like 'Jules' And ", 43.00},
      {"SELECT Sum(tblDy_Order.Total) AS SumOfTotal ", "ID Like 'Mara' And ", 1075.00},
  };
  for (const Sum& s : sums) {
    const QString sql = QString::fromLatin1(s.head) + "FROM tblDy_Order WHERE " + s.filter + sumPeriod;
    SCOPED_TRACE(sql.toStdString());
    try {
      EXPECT_DOUBLE_EQ(db->scalar(sql).toDouble(), s.expected);
    } catch (const db::Error& e) {
      ADD_FAILURE() << e.message().toStdString();
    }
  }

  // Order-detail listing ("All"), in each of its three orders.
  const QString detail =
      "SELECT * FROM tblDetail WHERE Method like '*' AND " + period.left(period.size() - 3);
  struct Order {
    const char* ending;
    const char* firstInvoice;
  };
  const Order orders[] = {{"# ORDER BY Invoice DESC; ", "3"},
                          {"# ORDER BY szOrder DESC; ", "3"},
                          {"# ORDER BY date DESC; ", "3"}};
  for (const Order& o : orders) {
    SCOPED_TRACE(o.ending);
    try {
      auto rs = db->openRecordset(detail + o.ending);
      EXPECT_EQ(rs->recordCount(), 3);
      EXPECT_EQ(rs->field("Invoice").toString(), o.firstInvoice);
    } catch (const db::Error& e) {
      ADD_FAILURE() << e.message().toStdString();
    }
  }
}

// Queries mean on a fresh install what they mean in Access: text compares
// and sorts without regard to case, and & joins texts with Null as empty.
TEST_F(InstalledRoot, TextComparesAndJoinsAsAccessDoes) {
  const auto staff = open("Infor.mdb");
  staff->execute("INSERT INTO tbEmplo (szID_no, sFirst_nm) VALUES ('4567', 'anna')");
  struct Case {
    const char* query;
    const char* result;  // "<null>" for Null
  } const cases[] = {
      {"SELECT szID_no FROM tbEmplo WHERE sFirst_nm = 'MARA'", "1234"},
      {"SELECT Count(*) FROM tbEmplo WHERE sFirst_nm > 'B' AND sFirst_nm < 'j'", "1"},  // Ines
      {"SELECT sFirst_nm FROM tbEmplo ORDER BY sFirst_nm ASC", "anna"},
      {"SELECT sFirst_nm & ' ' & szStreet_ad & '!' FROM tbEmplo WHERE szID_no = '1234'", "Mara !"},
      {"SELECT szStreet_ad & szCity_nm FROM tbEmplo WHERE szID_no = '1234'", "<null>"},
      {"SELECT szID_no & 5 FROM tbEmplo WHERE sFirst_nm = 'ines'", "34565"},
      {"SELECT sFirst_nm FROM tbEmplo WHERE sFirst_nm & '' Like 'j*' -- the stylist's row", "Jules"},
  };
  for (const Case& c : cases) {
    const QVariant v = staff->scalar(c.query);
    EXPECT_EQ(v.isNull() ? QString("<null>") : v.toString(), c.result) << c.query;
  }
}

}  // namespace
