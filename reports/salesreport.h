// The sales report's runs as plain functions: the stored tickets of a period
// and a shift, over all employees or one, counted and totalled.
//
// A run reads the period and shift texts of the window's boxes with the
// date-text helper and binds them as ISO texts; a text that does not read
// fails the run before anything reaches the database. An end time given
// without seconds includes its whole minute ("11:59 PM" takes a ticket
// stored at 23:59:30). The filter is bound too: the All report takes the
// tickets whose Method is Like it ("*": every ticket with an order type);
// the employee report those whose ID equals the name, letter case aside
// ("*", which only the All button sets, still means every employee).
//
// Sums are the database's fixed-point sums of the amount texts; the cash
// received and the total received are worked out in fixed point as well. Both
// kinds of run take their figures by one rule: what the tickets received
// (Receive: handed over less the change) is the total received, and the cash
// is what of it came neither by card, coupon nor gift card.
#pragma once

#include <QString>
#include <stdexcept>
#include <vector>

#include "platform/convert/currency.h"
#include "platform/db/database.h"

namespace reports {

// The shift times a run fills into empty boxes.
extern const QString kShiftStart;  // "6:00 AM"
extern const QString kShiftEnd;    // "11:59 PM"

enum class ReportKind {
  All,       // the All button: every employee and order type
  Employee,  // a name picked or typed: one first name
};

// What a run is asked, as the boxes hold it.
struct ReportRequest {
  QString filter;     // the tag of txtAmount: "*" or a first name
  QString fromDate;   // txtFrom
  QString toDate;     // txtTo
  QString startTime;  // txtSTime
  QString endTime;    // txtETime
};

// A run that cannot be done; the reason says why ("\"13/45/2026\" is not a
// date.").
struct ReportError : std::runtime_error {
  explicit ReportError(const QString& reason) : std::runtime_error(reason.toStdString()) {}
  QString reason() const { return QString::fromUtf8(what()); }
};

// A period and shift read into ISO texts: the first and last day, the
// first and last second of the shift.
struct ReportBounds {
  QString fromDate;
  QString toDate;
  QString startTime;
  QString endTime;
};
// Throws ReportError for a text that is not a date or a time.
ReportBounds readBounds(const QString& fromDate, const QString& toDate, const QString& startTime,
                        const QString& endTime);

// A query in the Access dialect with its bound values.
struct Query {
  QString sql;
  db::Params params;
};

// The listing a run shows. Throws ReportError.
Query listingQuery(ReportKind kind, const ReportRequest& request);

// The figures of a run.
struct SalesTotals {
  int count = 0;
  rt::Currency sales;          // S: sum of Total
  rt::Currency tax;            // X: sum of Tax (both taxes)
  rt::Currency card;           // C: sum of szCard_amt, the tips on cards included
  rt::Currency coupon;         // K: sum of szCoupon_amt
  rt::Currency gift;           // G: sum of szGift_amt
  rt::Currency tips;           // T: sum of szTip_amt, on top of the sales
  rt::Currency received;       // V: sum of Receive
  rt::Currency cash;           // R: V - C - K - G, what the drawer took
  rt::Currency totalReceived;  // V: R + C + K + G
};

// Counts and totals the run's selection. Throws ReportError for a period or
// shift that does not read and db::Error when the database fails.
SalesTotals salesTotals(db::Database& tickets, ReportKind kind, const ReportRequest& request);

// The texts of the seven boxes.
struct ReportBoxes {
  QString chk;     // the count, or "0.00" when there is none
  QString amount;  // total sales
  QString tax;
  QString received;  // cash received
  QString cCard;     // credit card
  QString coupon;
  QString totalReceived;
  QString gift;  // gift card
  QString tips;
};
// Money in "#,##0.00", the count as a whole number; an empty selection shows
// "0.00" in all nine.
ReportBoxes boxesOf(const SalesTotals& totals);

// The shift summary's sub total: total sales less tax, each read as money
// ("1,234.50" is 1234.5), formatted "#,##0.00"; empty when either box holds
// no number.
QString subTotalText(const QString& amount, const QString& tax);

// What the shift summary prints, box by box.
struct SummaryBoxes {
  QString startTime;
  QString endTime;
  QString subTotal;
  QString tax;
  QString amount;
  QString received;
  QString cCard;
  QString coupon;
  QString totalReceived;
  QString gift;
  QString tips;
};
// The summary's seventeen lines, the first with today's date as shown: the
// tips follow the total sales, the gift cards the coupons.
std::vector<QString> summaryLines(const QString& today, const SummaryBoxes& boxes);

}  // namespace reports
