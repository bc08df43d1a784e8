#include "tests/reports/report_fixture.h"

const QString ReportFixture::kShown1 = QStringLiteral("12/8/2026");
const QString ReportFixture::kShown2 = QStringLiteral("12/9/2026");

void ReportFixture::SetUp() {
  ShellFixture::SetUp();
  storeTickets(ticketFile());
}

void ReportFixture::storeTickets(const QString& file) const {
  run(file,
      "INSERT INTO tblDy_Order (Inv, SubTotal, Tax, Total, Time, Date, ID, \"5\", Method, szCard_amt, "
      "szType_Card, Receive, szCoupon_amt, szGift_amt, szTip_amt) VALUES"
      " ('1', '1,150.00', '84.50', '1,234.50', '06:00:00', '2026-12-08', 'Mara', 'Processing', 'HS', NULL, "
      "  NULL, '1,239.50', NULL, NULL, '5.00'),"
      " ('2', '41.92', '3.08', '45.00', '12:15:00', '2026-12-08', 'D''Arcy', 'Processing', 'HS', '47.00', "
      "  'VISA', '47.00', NULL, NULL, '2.00'),"
      " ('3', '27.95', '2.05', '30.00', '23:59:30', '2026-12-08', 'Jules', 'Processing', 'HS', NULL, NULL, "
      "  '0', NULL, NULL, NULL),"
      " ('4', '55.90', '4.10', '60.00', '14:00:00', '2026-12-09', 'Mara', 'Processing', 'HS', NULL, NULL,"
      "  '60.00', '5.00', NULL, NULL),"
      " ('5', '18.63', '1.37', '20.00', '05:30:00', '2026-12-09', 'Jules', 'Processing', 'HS', NULL, NULL,"
      "  '20.00', NULL, NULL, NULL),"
      " ('6', '9.32', '0.68', '10.00', '16:00:00', '2026-12-09', 'D''Arcy', 'Processing', 'HS', NULL, NULL,"
      "  '10.00', NULL, '10.00', NULL)");
  run(file,
      "INSERT INTO tblDetail (Invoice, Date, Time, ID, Method, Qty, szOrder, Price) VALUES"
      " ('1', '2026-12-08', '06:00:00', 'Mara', 'HS', '1', 'Colour', '1,150.00'),"
      " ('2', '2026-12-08', '12:15:00', 'D''Arcy', 'HS', '1', 'Women''s Cut', '41.92'),"
      " ('3', '2026-12-08', '23:59:30', 'Jules', 'HS', '1', 'Blow Dry', '27.95'),"
      " ('9', '2026-12-09', '14:00:00', 'Mara', 'HS', '1', 'Men''s Cut', '25.00'),"
      " ('10', '2026-12-09', '14:00:00', 'Mara', 'HS', '+', '1. Beard Trim', '10.00'),"
      " ('5', '2026-12-09', '05:30:00', 'Jules', 'HS', '1', 'Fringe Trim', '18.63')");
}
