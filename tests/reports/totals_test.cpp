// The sales report's runs as plain functions, on the six stored tickets.
#include <QFile>

#include "platform/convert/error.h"
#include "platform/db/recordset.h"
#include "reports/orderdetails.h"
#include "reports/salesreport.h"
#include "tests/reports/report_fixture.h"

namespace {

using reports::ReportKind;
using reports::ReportRequest;

class Totals : public ReportFixture {
 protected:
  reports::ReportBoxes report(ReportKind kind, const QString& filter, const QString& from = kShown1,
                              const QString& to = kShown2, const QString& start = "6:00 AM",
                              const QString& end = "11:59 PM") {
    auto db = db::Database::open(ticketFile());
    return reports::boxesOf(reports::salesTotals(*db, kind, ReportRequest{filter, from, to, start, end}));
  }
  // Count, sales, tax, cash, card, coupon, total received, gift card, tips.
  static QStringList texts(const reports::ReportBoxes& b) {
    return {b.chk, b.amount, b.tax, b.received, b.cCard, b.coupon, b.totalReceived, b.gift, b.tips};
  }
};

// The cash is what the drawer took: what the tickets received less card,
// coupon and gift card; the card total is what the cards were charged, the
// tips included; the tips show apart from the sales.
TEST_F(Totals, AllCountsAndTotalsEveryTicketOfThePeriodAndShift) {
  // Ticket 5 (5:30) is before the shift; 3 (23:59:30) is inside "11:59 PM".
  const QStringList all({"5", "1,379.50", "94.41", "1,294.50", "47.00", "5.00", "1,356.50", "10.00", "7.00"});
  EXPECT_EQ(texts(report(ReportKind::All, "*")), all);
  // A second run gives the same figures.
  EXPECT_EQ(texts(report(ReportKind::All, "*")), all);
}

// One stylist's figures by the same rule: the stylists add up to all.
TEST_F(Totals, OneStylistsFiguresAddUpToAll) {
  EXPECT_EQ(texts(report(ReportKind::Employee, "D'Arcy")),
            QStringList({"2", "55.00", "3.76", "0.00", "47.00", "0.00", "57.00", "10.00", "2.00"}));
  EXPECT_EQ(texts(report(ReportKind::Employee, "mara")),
            QStringList({"2", "1,294.50", "88.60", "1,294.50", "0.00", "5.00", "1,299.50", "0.00", "5.00"}));
  // The unpaid ticket counts and adds 0 to the received amounts.
  EXPECT_EQ(texts(report(ReportKind::Employee, "Jules")),
            QStringList({"1", "30.00", "2.05", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00"}));
}

// A ticket file of an earlier build has no gift-card or tip column: its
// report runs, with none of either.
TEST_F(Totals, AFileWithoutTheGiftCardAndTipColumnsReportsNone) {
  const QString old = root_.filePath("old.mdb");
  ASSERT_TRUE(QFile::copy(installFile("BpOrdr.mdb"), old));
  for (const char* column : {"szGift_amt", "szTip_amt"})
    run(old, QString("ALTER TABLE tblDy_Order DROP COLUMN %1").arg(column));
  run(old,
      "INSERT INTO tblDy_Order (Inv, Total, Tax, Time, Date, ID, Method, Receive) VALUES "
      "('1', '20.00', '1.40', '12:00:00', '2026-12-08', 'Mara', 'HS', '20.00')");
  auto db = db::Database::open(old);
  EXPECT_EQ(texts(reports::boxesOf(reports::salesTotals(
                *db, ReportKind::All, ReportRequest{"*", kShown1, kShown1, "6:00 AM", "11:59 PM"}))),
            QStringList({"1", "20.00", "1.40", "20.00", "0.00", "0.00", "20.00", "0.00", "0.00"}));
}

TEST_F(Totals, AStarMeansEveryoneAndATypedPatternMeansNoOne) {
  EXPECT_EQ(
      texts(report(ReportKind::Employee, "*")),
      QStringList({"5", "1,379.50", "94.41", "1,294.50", "47.00", "5.00", "1,356.50", "10.00", "7.00"}));
  const QStringList none({"0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00"});
  EXPECT_EQ(texts(report(ReportKind::Employee, "Ma*")), none);
  EXPECT_EQ(texts(report(ReportKind::Employee, "Nobody")), none);
}

TEST_F(Totals, TheBoundsAreIncludedAndAnEndWithoutSecondsTakesItsMinute) {
  EXPECT_EQ(report(ReportKind::All, "*", kShown1, kShown1).chk, "3");
  EXPECT_EQ(report(ReportKind::All, "*", kShown2, kShown2, "5:30 AM", "4:00 PM").chk, "3");
  EXPECT_EQ(report(ReportKind::All, "*", kShown1, kShown1, "6:00 AM", "11:59:00 PM").chk, "2");
  EXPECT_EQ(report(ReportKind::All, "*", "2026-12-08", "12/8/26").chk, "3") << "the date helper reads both";
}

TEST_F(Totals, APeriodOrShiftThatDoesNotReadFailsTheRunBeforeTheDatabase) {
  auto db = db::Database::open(ticketFile());
  const struct {
    ReportRequest request;
    const char* says;
  } cases[] = {
      {{"*", "13/45/2026", kShown2, "6:00 AM", "11:59 PM"}, "\"13/45/2026\" is not a date."},
      {{"*", kShown1, "", "6:00 AM", "11:59 PM"}, "\"\" is not a date."},
      {{"*", kShown1, kShown2, "25:00", "11:59 PM"}, "\"25:00\" is not a time."},
      {{"*", kShown1, kShown2, "6:00 AM", "'; DROP TABLE tblDy_Order; --"}, "is not a time."},
  };
  for (const auto& c : cases) {
    try {
      reports::salesTotals(*db, ReportKind::All, c.request);
      ADD_FAILURE() << "ran with " << c.says;
    } catch (const reports::ReportError& e) {
      EXPECT_TRUE(e.reason().contains(c.says)) << e.reason().toStdString();
    }
  }
  EXPECT_EQ(value(ticketFile(), "SELECT Count(*) FROM tblDy_Order"), "6");
}

TEST_F(Totals, TheListingIsTheSelectionTheFiguresCount) {
  auto db = db::Database::open(ticketFile());
  const reports::Query q =
      reports::listingQuery(ReportKind::Employee, {"D'Arcy", kShown1, kShown2, "6:00 AM", "11:59 PM"});
  auto listing = db->openRecordset(q.sql, q.params);
  EXPECT_EQ(listing->recordCount(), 2);
  EXPECT_TRUE(listing->updatable()) << "the grid stores edits and new rows into it";
}

TEST(SubTotal, IsTheTotalLessTheTaxReadAsMoney) {
  EXPECT_EQ(reports::subTotalText("1,234.50", "84.50"), "1,150.00");
  EXPECT_EQ(reports::subTotalText("0.30", "0.10"), "0.20");
  EXPECT_EQ(reports::subTotalText("$5.00", "0.00"), "5.00");
  EXPECT_EQ(reports::subTotalText("", "84.50"), "");
  EXPECT_EQ(reports::subTotalText("1,234.50", ""), "");
}

TEST(SummaryLines, SeventeenLinesWithTheirSpacing) {
  reports::SummaryBoxes b{"6:00 AM", "11:59 PM", "1,150.00", "84.50", "1,234.50", "1,134.50",
                          "52.00",   "0.00",     "1,236.50", "50.00", "2.00"};
  const std::vector<QString> expected = {
      "          Date: 12/8/2026",
      "",
      "Shift starting: 6:00 AM",
      " Shift closing: 11:59 PM",
      "-------------------------",
      "",
      "   Sub Total: 1,150.00",
      "   Tax Total: 84.50",
      " Total Sales: 1,234.50",
      "        Tips: 2.00",
      "",
      "Cash Received: 1,134.50",
      "Credit Card: 52.00",
      "     Coupon: 0.00",
      "  Gift Card: 50.00",
      "",
      "Total Received: 1,236.50",
  };
  EXPECT_EQ(reports::summaryLines("12/8/2026", b), expected);
}

TEST_F(Totals, OrderDetailsSortTicketNumbersAsNumbers) {
  auto db = db::Database::open(ticketFile());
  run(ticketFile(),
      "INSERT INTO tblDetail (Invoice, Date, Time, Method) VALUES ('A7', '2026-12-09', '12:00:00', 'HS')");
  const reports::Query q = reports::orderDetailQuery("*", kShown1, kShown2, "6:00 AM", "11:59 PM", "OptInv");
  auto rs = db->openRecordset(q.sql, q.params);
  QStringList order;
  for (; !rs->eof(); rs->moveNext()) order << rs->field("Invoice").toString();
  EXPECT_EQ(order, QStringList({"10", "9", "3", "2", "1", "A7"}));
  const reports::Query none = reports::orderDetailQuery("Bar", kShown1, kShown2, "6:00 AM", "11:59 PM", "");
  EXPECT_EQ(db->openRecordset(none.sql, none.params)->recordCount(), 0);
}

}  // namespace
