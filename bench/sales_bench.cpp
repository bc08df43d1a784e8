// Ringing up a ticket on the sales window, offscreen: each press of an item
// button runs the window's own steps, from the item lookup through the line
// and the subtotal to the taxes and the total, and the window repaints.
//
// The data root is a first install under the working directory (scripts/bench
// runs in the build folder), with ten single-priced items in one category.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include "data/install.h"
#include "platform/db/database.h"
#include "platform/files/paths.h"
#include "platform/forms/msgbox.h"
#include "sales/frmSales.h"

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
    for (forms::Form* form : forms::Form::Forms())
      if (form->IsLoaded()) form->Unload();
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
