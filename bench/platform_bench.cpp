// The platform's share of every sale: storing a ticket, finding a row by its
// code, and reading and formatting amounts.
//
// The database files live in a folder under the working directory (scripts/bench
// runs in the build folder), so that synchronous=FULL meets a real disk and not
// a temporary file system held in memory.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>
#include <vector>

#include "data/install.h"
#include "platform/convert/format.h"
#include "platform/convert/number.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

namespace {

// A fresh data folder holding every database file of a first install.
class DataFolder {
 public:
  DataFolder() : dir_(QDir::currentPath() + "/trivela-bench-XXXXXX") {
    if (!dir_.isValid()) throw std::runtime_error("cannot create a folder under the working directory");
    const data::InstallReport report = data::installDataRoot(folder());
    if (!report.ok) throw std::runtime_error(report.errors.join("; ").toStdString());
  }
  std::shared_ptr<db::Database> open(const QString& file) const {
    return db::Database::open(QDir(folder()).filePath(file));
  }

 private:
  // A new install folder inside the temporary one: the first install fills
  // only a new one.
  QString folder() const { return dir_.filePath("Dovrel POS 4"); }
  QTemporaryDir dir_;
};

// One ticket as the sales window stores it: the header through a recordset,
// which draws the ticket number, and five lines keyed by that number, all in
// one transaction on the live ticket file (synchronous=FULL).
void StoreTicketWithFiveLines(benchmark::State& state) {
  const DataFolder folder;
  const auto tickets = folder.open("Ordr.mdb");
  const QString date = "2026-03-14", time = "10:42:05";
  for (auto _ : state) {
    auto transaction = tickets->transaction();
    auto header = tickets->openRecordset("SELECT * FROM tblDy_Order WHERE TO_Ord_ID = ?", {-1});
    header->addNew();
    const QVariant number = header->field("TO_Ord_ID");
    header->setField("Inv", number);
    header->setField("SubTotal", "112.00");
    header->setField("Tax", "9.24");
    header->setField("Total", "121.24");
    header->setField("Date", date);
    header->setField("Time", time);
    header->setField("ID", "Mara");
    header->setField("Method", "Cash");
    header->update();
    for (int line = 1; line <= 5; ++line) {
      tickets->execute(
          "INSERT INTO tblDetail (Invoice, [Date], [Time], ID, Method, Qty, szOrder, Price) "
          "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
          {number, date, time, "Mara", "Cash", "1", QString("Cut and style %1").arg(line), "22.40"});
    }
    transaction.commit();
  }
}
BENCHMARK(StoreTicketWithFiveLines)->Unit(benchmark::kMillisecond);

// The sign-in lookup at its worst size: the staff table with 10,000 rows,
// one recordset on it, and a code found with FindFirst.
void FindRowByCodeIn10000(benchmark::State& state) {
  constexpr int kRows = 10000;
  const DataFolder folder;
  const auto staff = folder.open("Infor.mdb");
  {
    auto transaction = staff->transaction();
    for (int i = 0; i < kRows; ++i)
      staff->execute("INSERT INTO tbEmplo (szID_no, sFirst_nm, szLevel_nu) VALUES (?, ?, ?)",
                     {QString::number(100000 + i), QString("Stylist %1").arg(i), "Level 1"});
    transaction.commit();
  }
  const auto rs = staff->openRecordset("tbEmplo");
  // Codes spread over the table, so the row found lies anywhere in it.
  int next = 0;
  for (auto _ : state) {
    const QString code = QString::number(100000 + (next * 7919) % kRows);
    next = (next + 1) % kRows;
    rs->findFirst("szID_no = ?", {code});
    if (rs->noMatch()) {
      state.SkipWithError("a code that was stored was not found");
      break;
    }
    benchmark::DoNotOptimize(rs->field("sFirst_nm"));
  }
}
BENCHMARK(FindRowByCodeIn10000)->Unit(benchmark::kMicrosecond);

// What the sales window's ticket bindings do after every stored ticket:
// open the ticket headers of a salon's years (50,000 tickets) in number
// order and find the ticket on screen.
void OpenAndFindIn50000Tickets(benchmark::State& state) {
  constexpr int kTickets = 50000;
  const DataFolder folder;
  const auto tickets = folder.open("Ordr.mdb");
  {
    auto transaction = tickets->transaction();
    for (int i = 1; i <= kTickets; ++i)
      tickets->execute(
          "INSERT INTO tblDy_Order (Inv, SubTotal, Tax, Total, [Date], [Time], ID, Method, Receive) "
          "VALUES (?, '112.00', '9.24', '121.24', '2026-03-14', '10:42:05', 'Mara', 'HS', '121.24')",
          {QString::number(i)});
    transaction.commit();
  }
  for (auto _ : state) {
    const auto rs = tickets->openRecordset("SELECT * FROM tblDy_Order ORDER BY Inv ASC");
    rs->findFirst("Inv = ?", {QString::number(kTickets - 7)});
    benchmark::DoNotOptimize(rs->field("Total"));
  }
}
BENCHMARK(OpenAndFindIn50000Tickets)->Unit(benchmark::kMillisecond);

// 100,000 amount texts read with CCur and written back with Format, as the
// sales window and the reports turn every amount they touch.
void FormatAndCCur100000Amounts(benchmark::State& state) {
  constexpr int kAmounts = 100000;
  std::vector<QString> amounts;
  amounts.reserve(kAmounts);
  for (int i = 0; i < kAmounts; ++i)
    amounts.push_back(rt::Format(static_cast<double>(i * 37 % 250000) / 100.0, "#,##0.00"));
  for (auto _ : state) {
    for (const QString& text : amounts) {
      const rt::Currency value = rt::CCur(text);
      benchmark::DoNotOptimize(rt::Format(value, "#,##0.00"));
    }
  }
  state.SetItemsProcessed(state.iterations() * kAmounts);
}
BENCHMARK(FormatAndCCur100000Amounts)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
