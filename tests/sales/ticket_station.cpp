// A station for the crash and shared-folder tests: it opens the sales window
// on a data root, signs a stylist in and stores tickets of known lines with
// the receipt button, as a clerk would, one after another.
//
//   ticket_station --root DIR --station NAME --tickets N
//                  [--shared TEXT] [--die-in TABLE --die-at-ticket K]
//
// Ticket i (from 1) holds 1 + i % 3 lines named "NAME-i-j" and, with
// --shared, one more line of that text. It prints "ready" once the window is
// open and "stored NAME i NUMBER" after each ticket. --die-in kills the
// process (SIGKILL, by itself) at the first row written into TABLE by the
// store of ticket K, before that store commits. Any message box the window
// shows is printed as "message: TEXT" and makes the exit code 3.
#include <sqlite3.h>

#include <QApplication>
#include <QCommandLineParser>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "data/install.h"
#include "platform/db/database.h"
#include "platform/files/paths.h"
#include "platform/forms/msgbox.h"
#include "sales/frmSales.h"
#include "sales/ticket.h"

namespace {

const char* g_dieIn = nullptr;

void dieAtWrite(void*, int op, const char*, const char* table, sqlite3_int64) {
  if (op == SQLITE_INSERT && g_dieIn && std::strcmp(table, g_dieIn) == 0) std::raise(SIGKILL);
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  QCommandLineParser options;
  const QCommandLineOption root("root", "", "DIR"), station("station", "", "NAME"),
      tickets("tickets", "", "N"), shared("shared", "", "TEXT"), dieIn("die-in", "", "TABLE"),
      dieAt("die-at-ticket", "", "K");
  options.addOptions({root, station, tickets, shared, dieIn, dieAt});
  options.process(app);

  files::setRoot(options.value(root).toStdString());
  const data::InstallReport report = data::installDataRoot(QString::fromStdString(files::installDir()));
  if (!report.ok) {
    std::fprintf(stderr, "install: %s\n", qPrintable(report.errors.join("; ")));
    return 2;
  }
  // Stations on a loaded machine may wait long for each other; the test
  // wants to see that they wait, not how long.
  db::setBusyTimeout(60000);
  int messages = 0;
  forms::ScriptedMessages answers([&messages](const forms::Message& m) {
    ++messages;
    std::printf("message: %s\n", qPrintable(m.prompt));
    std::fflush(stdout);
  });

  sales::frmSales& w = sales::Sales();
  w.Load();
  w.txtWaiter.setText("3456");
  const QByteArray dieTable = options.value(dieIn).toUtf8();
  const int dieTicket = options.value(dieAt).toInt();
  std::printf("ready\n");
  std::fflush(stdout);

  const QString name = options.value(station);
  const int count = options.value(tickets).toInt();
  for (int i = 1; i <= count; ++i) {
    for (int j = 1; j <= 1 + i % 3; ++j)
      w.grdOrderItems.AddItem(sales::gridRow("1", QString("%1-%2-%3").arg(name).arg(i).arg(j), "1.00", "-"));
    if (options.isSet(shared))
      w.grdOrderItems.AddItem(sales::gridRow("1", options.value(shared), "2.00", "-"));
    if (i == dieTicket && !dieTable.isEmpty()) {
      g_dieIn = dieTable.constData();
      sqlite3_update_hook(w.datOrders.Database().handle(), dieAtWrite, nullptr);
    }
    w.cmdPrintRce1.setValue(true);
    if (w.grdOrderItems.Rows() != sales::kFirstLine) {
      std::printf("not stored: %s %d\n", qPrintable(name), i);
      return 4;
    }
    std::printf("stored %s %d %s\n", qPrintable(name), i, qPrintable(w.cmbRept.Text()));
    std::fflush(stdout);
  }
  forms::Unload(w);
  return messages == 0 ? 0 : 3;
}
