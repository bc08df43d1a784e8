// The sales report over a year of tickets: 200,000 stored as the sales window
// stores them (amount texts with thousands separators, three stylists, card,
// coupon and unpaid tickets), counted and totalled for all and for one
// stylist, and the listing opened.
//
// The ticket file lives in a folder under the working directory (scripts/bench
// runs in the build folder), on a real disk.
#include <benchmark/benchmark.h>

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

#include "data/install.h"
#include "platform/convert/currency.h"
#include "platform/convert/datetext.h"
#include "platform/convert/format.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "reports/salesreport.h"

namespace {

constexpr int kTickets = 200000;

class TicketYear {
 public:
  TicketYear() : dir_(QDir::currentPath() + "/trivela-report-bench-XXXXXX") {
    if (!dir_.isValid()) throw std::runtime_error("cannot create a folder under the working directory");
    // A new install folder inside it: the first install fills only a new one.
    const QString folder = dir_.filePath("Dovrel POS 4");
    const data::InstallReport report = data::installDataRoot(folder);
    if (!report.ok) throw std::runtime_error(report.errors.join("; ").toStdString());
    db_ = db::Database::open(QDir(folder).filePath("Ordr.mdb"));
    fill();
  }
  db::Database& tickets() { return *db_; }

 private:
  void fill() {
    const char* const stylists[] = {"Mara", "Jules", "Ines"};
    const QDate first(2026, 1, 1);
    auto transaction = db_->transaction();
    for (int i = 0; i < kTickets; ++i) {
      // 15.00 to about 1,500.00, in cents that wander; tax at 8.25 %.
      const rt::Currency subtotal = rt::Currency::fromRaw(std::int64_t(1500 + (i * 7919) % 148500) * 100);
      const rt::Currency tax = subtotal * 0.0825;
      const rt::Currency total = subtotal + tax;
      const QString money = QStringLiteral("#,##0.00");
      const QString totalText = rt::Format(total, money);
      const bool card = i % 7 == 0;
      const bool coupon = i % 11 == 0;
      const bool unpaid = i % 13 == 0;
      const int minutes = 5 * 60 + (i * 37) % (18 * 60);  // 5:00 to 22:59, a few before the shift
      db_->execute(
          "INSERT INTO tblDy_Order (Inv, SubTotal, Tax, Total, [Time], [Date], ID, [5], Method, szCard_amt,"
          " szType_Card, Receive, szCoupon_amt) VALUES (?, ?, ?, ?, ?, ?, ?, 'Processing', 'HS', ?, ?, ?, ?)",
          {QString::number(i + 1), rt::Format(subtotal, money), rt::Format(tax, money), totalText,
           rt::IsoTime(QTime(minutes / 60, minutes % 60, i % 60)), rt::IsoDate(first.addDays(i % 365)),
           QString::fromLatin1(stylists[i % 3]), card ? QVariant(totalText) : QVariant(),
           card ? QVariant("VISA") : QVariant(), unpaid ? QString("0") : totalText,
           coupon ? QVariant("5.00") : QVariant()});
    }
    transaction.commit();
  }

  QTemporaryDir dir_;
  std::shared_ptr<db::Database> db_;
};

TicketYear& year() {
  static TicketYear data;
  return data;
}

reports::ReportRequest wholeYear(const QString& filter) {
  return reports::ReportRequest{filter, "1/1/2026", "12/31/2026", "6:00 AM", "11:59 PM"};
}

void BM_SalesTotalsAll(benchmark::State& state) {
  db::Database& tickets = year().tickets();
  for (auto _ : state) {
    const reports::SalesTotals t = reports::salesTotals(tickets, reports::ReportKind::All, wholeYear("*"));
    benchmark::DoNotOptimize(t.totalReceived);
  }
}
BENCHMARK(BM_SalesTotalsAll)->Unit(benchmark::kMillisecond);

void BM_SalesTotalsEmployee(benchmark::State& state) {
  db::Database& tickets = year().tickets();
  for (auto _ : state) {
    const reports::SalesTotals t =
        reports::salesTotals(tickets, reports::ReportKind::Employee, wholeYear("Jules"));
    benchmark::DoNotOptimize(t.totalReceived);
  }
}
BENCHMARK(BM_SalesTotalsEmployee)->Unit(benchmark::kMillisecond);

void BM_SalesListingOpen(benchmark::State& state) {
  db::Database& tickets = year().tickets();
  const reports::Query q = reports::listingQuery(reports::ReportKind::All, wholeYear("*"));
  for (auto _ : state) {
    auto listing = tickets.openRecordset(q.sql, q.params);
    benchmark::DoNotOptimize(listing->recordCount());
  }
}
BENCHMARK(BM_SalesListingOpen)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
