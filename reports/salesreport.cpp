#include "reports/salesreport.h"

#include <QTime>

#include "platform/convert/datetext.h"
#include "platform/convert/format.h"
#include "platform/convert/number.h"
#include "platform/db/recordset.h"

namespace reports {

const QString kShiftStart = QStringLiteral("6:00 AM");
const QString kShiftEnd = QStringLiteral("11:59 PM");

namespace {

const QString kMoney = QStringLiteral("#,##0.00");

QString dateOf(const QString& text) {
  const std::optional<QString> iso = rt::DateTextToIso(text.trimmed());
  if (!iso) throw ReportError(QStringLiteral("\"%1\" is not a date.").arg(text));
  return *iso;
}

// A shift time; an end given without seconds runs to the end of its minute.
QString timeOf(const QString& text, bool end) {
  const std::optional<QTime> time = rt::ParseTime(text.trimmed());
  if (!time) throw ReportError(QStringLiteral("\"%1\" is not a time.").arg(text));
  const bool seconds = text.count(u':') >= 2;
  return rt::IsoTime(end && !seconds ? time->addSecs(59 - time->second()) : *time);
}

// The condition on the filter, the period and the shift, and its values.
Query selection(ReportKind kind, const ReportRequest& r) {
  const ReportBounds b = readBounds(r.fromDate, r.toDate, r.startTime, r.endTime);
  Query q;
  if (kind == ReportKind::All)
    q.sql = QStringLiteral("Method Like ?");
  else  // the name itself, not a pattern; "*" stays everyone
    q.sql = r.filter == QLatin1String("*") ? QStringLiteral("ID Like ?")
                                           : QStringLiteral("ID = ? COLLATE NOCASE");
  q.sql += QStringLiteral(" And Date Between ? And ? AND Time Between ? And ?");
  q.params = {r.filter, b.fromDate, b.toDate, b.startTime, b.endTime};
  return q;
}

// A sum as the database gives it: Null (no ticket with a value) is 0; the
// exact fixed-point sum is held exactly by the double.
rt::Currency moneyOf(const QVariant& v) {
  return v.isNull() ? rt::Currency() : rt::CCur(v.toDouble());
}

}  // namespace

ReportBounds readBounds(const QString& fromDate, const QString& toDate, const QString& startTime,
                        const QString& endTime) {
  return ReportBounds{dateOf(fromDate), dateOf(toDate), timeOf(startTime, false), timeOf(endTime, true)};
}

Query listingQuery(ReportKind kind, const ReportRequest& request) {
  Query q = selection(kind, request);
  q.sql = QStringLiteral("SELECT * FROM tblDy_Order WHERE ") + q.sql + QStringLiteral("; ");
  return q;
}

SalesTotals salesTotals(db::Database& tickets, ReportKind kind, const ReportRequest& request) {
  const Query where = selection(kind, request);
  // A ticket file of an earlier build may lack the columns of the gift card
  // and the tip: its tickets hold none.
  const QStringList columns =
      tickets.openRecordset(QStringLiteral("SELECT * FROM tblDy_Order WHERE 0"))->fieldNames();
  const auto sumOf = [&columns](const char* field) {
    const QString name = QString::fromLatin1(field);
    return columns.contains(name, Qt::CaseInsensitive)
               ? QStringLiteral(", Sum(tblDy_Order.%1) AS SumOf%1").arg(name)
               : QStringLiteral(", Null AS SumOf%1").arg(name);
  };
  // The count and every sum in one pass over the selection.
  QString sql = QStringLiteral("SELECT Count(*) AS Chks");
  for (const char* field :
       {"Total", "Tax", "Receive", "szCard_amt", "szCoupon_amt", "szGift_amt", "szTip_amt"})
    sql += sumOf(field);
  auto rs = tickets.openRecordset(
      sql + QStringLiteral(" FROM tblDy_Order WHERE ") + where.sql + QStringLiteral("; "), where.params);
  SalesTotals t;
  t.count = rs->field(QStringLiteral("Chks")).toInt();
  if (t.count == 0) return t;
  t.sales = moneyOf(rs->field(QStringLiteral("SumOfTotal")));
  t.tax = moneyOf(rs->field(QStringLiteral("SumOfTax")));
  t.received = moneyOf(rs->field(QStringLiteral("SumOfReceive")));
  t.card = moneyOf(rs->field(QStringLiteral("SumOfszCard_amt")));
  t.coupon = moneyOf(rs->field(QStringLiteral("SumOfszCoupon_amt")));
  t.gift = moneyOf(rs->field(QStringLiteral("SumOfszGift_amt")));
  t.tips = moneyOf(rs->field(QStringLiteral("SumOfszTip_amt")));
  t.cash = t.received - t.card - t.coupon - t.gift;
  t.totalReceived = t.received;
  return t;
}

ReportBoxes boxesOf(const SalesTotals& t) {
  if (t.count == 0) {
    const QString zero = QStringLiteral("0.00");
    return ReportBoxes{zero, zero, zero, zero, zero, zero, zero, zero, zero};
  }
  return ReportBoxes{QString::number(t.count),
                     rt::Format(t.sales, kMoney),
                     rt::Format(t.tax, kMoney),
                     rt::Format(t.cash, kMoney),
                     rt::Format(t.card, kMoney),
                     rt::Format(t.coupon, kMoney),
                     rt::Format(t.totalReceived, kMoney),
                     rt::Format(t.gift, kMoney),
                     rt::Format(t.tips, kMoney)};
}

QString subTotalText(const QString& amount, const QString& tax) {
  const std::optional<rt::Currency> sales = rt::TryCCur(amount);
  const std::optional<rt::Currency> taxes = rt::TryCCur(tax);
  if (!sales || !taxes) return QString();
  return rt::Format(*sales - *taxes, kMoney);
}

std::vector<QString> summaryLines(const QString& today, const SummaryBoxes& b) {
  return {
      QStringLiteral("          Date: ") + today,
      QString(),
      QStringLiteral("Shift starting: ") + b.startTime,
      QStringLiteral(" Shift closing: ") + b.endTime,
      QStringLiteral("-------------------------"),
      QString(),
      QStringLiteral("   Sub Total: ") + b.subTotal,
      QStringLiteral("   Tax Total: ") + b.tax,
      QStringLiteral(" Total Sales: ") + b.amount,
      QStringLiteral("        Tips: ") + b.tips,
      QString(),
      QStringLiteral("Cash Received: ") + b.received,
      QStringLiteral("Credit Card: ") + b.cCard,
      QStringLiteral("     Coupon: ") + b.coupon,
      QStringLiteral("  Gift Card: ") + b.gift,
      QString(),
      QStringLiteral("Total Received: ") + b.totalReceived,
  };
}

}  // namespace reports
