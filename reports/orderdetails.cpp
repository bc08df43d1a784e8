#include "reports/orderdetails.h"

namespace reports {

Query orderDetailQuery(const QString& orderType, const QString& fromDate, const QString& toDate,
                       const QString& startTime, const QString& endTime, const QString& sortChoice) {
  const ReportBounds b = readBounds(fromDate, toDate, startTime, endTime);
  QString order;
  if (sortChoice == QLatin1String("OptItem")) {
    order = QStringLiteral("ORDER BY szOrder DESC; ");
  } else if (sortChoice == QLatin1String("OptDate")) {
    order = QStringLiteral("ORDER BY date DESC; ");
  } else {
    // Whole numbers first, by their value; the other texts after them.
    order = QStringLiteral(
        "ORDER BY (CASE WHEN Invoice GLOB '[0-9]*' AND NOT Invoice GLOB '*[^0-9]*' THEN 0 ELSE 1 END), "
        "CAST(Invoice AS INTEGER) DESC, Invoice DESC; ");
  }
  return Query{QStringLiteral("SELECT * FROM tblDetail WHERE Method like ? AND Date Between ? And ? AND Time "
                              "Between ? AND ? ") +
                   order,
               {orderType, b.fromDate, b.toDate, b.startTime, b.endTime}};
}

}  // namespace reports
