// Ringing up a ticket on the sales window, offscreen: each press of an item
// button runs the window's own steps, from the item lookup through the line
// and the subtotal to the taxes and the total, and the window repaints.
//
// Storing a ten-line ticket: the header and its lines in one transaction on
// the ticket file and the favourites tally in one on Fav.mdb, each committed
// durably (synchronous=FULL); alone, and as the receipt button does it with
// the window's clearing for the next ticket.
//
// The data root is a first install under the working directory (scripts/bench
// runs in the build folder), with ten single-priced items in one category.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <vector>

#include "data/install.h"
#include "platform/convert/number.h"
#include "platform/db/database.h"
#include "platform/files/paths.h"
#include "platform/forms/msgbox.h"
#include "sales/frmSales.h"
#include "sales/storage.h"

namespace {

constexpr int kLines = 10;

// A station on a fresh data root; every window unloaded when it goes.
class Station {
 public:
  Station() : dir_(QDir::currentPath() + "/trivela-sales-bench-XXXXXX") {
    if (!dir_.isValid()) throw std::runtime_error("cannot create a folder under the working directory");
    files::setRoot(dir_.path().toStdString());
    const data::InstallReport report = data::installDataRoot(QString::fromStdString(files::installDir()));
    if (!report.ok) throw std::runtime_error(report.errors.join("; ").toStdString());
    auto menu = db::Database::open(QString::fromStdString(files::installDir()) + "BakHS.mdb");
    menu->execute("DELETE FROM tbLunch");
    for (int n = 1; n <= kLines; ++n) {
      menu->execute("INSERT INTO tbLunch (Dish_ID, szMenu_nm, szPrice_amt) VALUES (?, ?, ?)",
                    {n, QString("Product %1").arg(n), QString("%1.50").arg(n)});
    }
  }
  ~Station() {
    // An unload step may create or end windows: the loop goes over the forms
    // as they were, and skips one that has gone since.
    for (forms::Form* form : std::vector<forms::Form*>(forms::Form::Forms())) {
      const std::vector<forms::Form*>& now = forms::Form::Forms();
      if (std::find(now.begin(), now.end(), form) != now.end() && form->IsLoaded()) form->Unload();
    }
  }
  // A message box would wait for an answer: none is expected.
  bool quiet() const { return messages_.shown().empty(); }

 private:
  QTemporaryDir dir_;
  forms::ScriptedMessages messages_;
};

// One press rings up one line; every ten presses the ticket starts again.
void RingUpATenLineTicket(benchmark::State& state) {
  Station station;
  sales::frmSales& w = sales::Sales();
  w.Show();
  w.cmdLunch.setValue(true);
  QCoreApplication::processEvents();
  int k = 0;
  for (auto _ : state) {
    if (k == 0) {
      state.PauseTiming();
      w.grdOrderItems.setRows(2);
      w.grdOrderItems.setRow(0);
      w.txtTotal.setText("0.00");
      QCoreApplication::processEvents();
      state.ResumeTiming();
    }
    w.command(k + 1).setValue(true);
    QCoreApplication::processEvents();
    k = (k + 1) % kLines;
  }
  if (!station.quiet() || w.grdOrderItems.Rows() < 3 || w.txtEnding.Text() == "0.00")
    state.SkipWithError("the presses did not ring up lines");
}
BENCHMARK(RingUpATenLineTicket)->Unit(benchmark::kMillisecond);

// The store itself, on the connections the window's bindings would hold.
void StoreATenLineTicket(benchmark::State& state) {
  Station station;
  const QString folder = QString::fromStdString(files::installDir());
  const auto tickets = db::Database::open(folder + "Ordr.mdb");
  const auto favourites = db::Database::open(folder + "Fav.mdb");
  sales::TicketToStore ticket;
  ticket.subtotal = "65.00";
  ticket.tax = "4.88";
  ticket.total = "69.88";
  sales::TenderResult cash;
  cash.cash = rt::CCur(70.0);
  ticket.tender = cash;
  ticket.stylist = "Ines";
  for (int n = 1; n <= kLines; ++n)
    ticket.lines.push_back({"1", QString("Product %1").arg(n), QString("%1.50").arg(n), "B"});
  for (auto _ : state) {
    ticket.when = QDateTime::currentDateTime();
    sales::storeTicket(*tickets, ticket);
    sales::tallyFavourites(*favourites, sales::talliedLines(ticket));
  }
}
BENCHMARK(StoreATenLineTicket)->Unit(benchmark::kMillisecond);

// The receipt button on a rung-up ticket: store, tally, the receipt printed
// (to a PDF here) and the ticket cleared. The argument is the number of tickets
// the file holds before: the window's bindings read their whole tables again
// after each store.
void StoreATenLineTicketWithTheReceiptButton(benchmark::State& state) {
  Station station;
  {
    const auto tickets = db::Database::open(QString::fromStdString(files::installDir()) + "Ordr.mdb");
    sales::TicketToStore earlier;
    earlier.when = QDateTime::currentDateTime();
    for (int n = 1; n <= kLines; ++n)
      earlier.lines.push_back({"1", QString("Product %1").arg(n), "1.50", "B"});
    for (int64_t i = 0; i < state.range(0); ++i) sales::storeTicket(*tickets, earlier);
  }
  sales::frmSales& w = sales::Sales();
  w.Show();
  w.txtWaiter.setText("3456");
  for (auto _ : state) {
    state.PauseTiming();
    w.cmdLunch.setValue(true);
    for (int k = 1; k <= kLines; ++k) w.command(k).setValue(true);
    QCoreApplication::processEvents();
    state.ResumeTiming();
    w.cmdPrintRce1.setValue(true);
    QCoreApplication::processEvents();
  }
  if (!station.quiet() || w.grdOrderItems.Rows() != 2 || w.cmbRept.Text().isEmpty())
    state.SkipWithError("the receipt button did not store the tickets");
}
BENCHMARK(StoreATenLineTicketWithTheReceiptButton)->Arg(0)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
