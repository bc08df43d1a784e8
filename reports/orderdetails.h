// The order-detail report's listing as a plain function: the stored ticket
// lines of one order type, a period and a shift, in the order the view
// options choose.
#pragma once

#include <QString>

#include "reports/salesreport.h"

namespace reports {

// The listing of lines whose Method is Like the order type ("*" every one;
// an empty type none the program stores), dated in the period and timed in
// the shift (read as the sales report reads them), sorted by the sort
// choice: "OptItem" by item text, "OptDate" by date, anything else by
// ticket number, each descending. Ticket numbers sort as numbers (10 before
// 9); texts that are no numbers follow them. Throws ReportError for a
// period or shift that does not read.
Query orderDetailQuery(const QString& orderType, const QString& fromDate, const QString& toDate,
                       const QString& startTime, const QString& endTime, const QString& sortChoice);

}  // namespace reports
