// Trivela: starts the program on its data root.
//
//   Trivela [--root DIR]
//
// A new root gets the install folder with every database on first start; a
// root that has it and lost a file is told at start.
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "data/install.h"
#include "platform/com/registry.h"
#include "platform/files/paths.h"
#include "platform/forms/msgbox.h"
#include "platform/print/printer.h"
#include "shell/Lunessa.h"
#include "shell/Splash.h"
#include "shell/process.h"
#include "shell/subsystems.h"

namespace {

// The install folder of the run's root: a new root gets it with every file.
// In a root that has it, a missing file is named in *notice, and so is one
// made anew, empty; the program still starts, and each window that needs a
// file that is still missing names it. Returns what keeps the program from
// starting.
QStringList installDataFolder(QString* notice) {
  const QString installDir = QString::fromStdString(files::installDir());
  const data::InstallReport install = data::installDataRoot(installDir);
  *notice = data::installNotice(install, installDir);
  return install.errors;
}

// Card answers that came after their wait had ended, at a time-out or in a
// run that ended while it waited, are shown once, each with its result: an
// approval nobody saw would be charged again.
void TellLateCardAnswers(const QString& transactionFolder) {
  const QString told = data::setAsideLateAnswers(transactionFolder);
  if (!told.isEmpty()) forms::MsgBox(told, forms::vbExclamation);
}

}  // namespace

int main(int argc, char** argv) {
  // Before anything else: no card data that passes through later may end in a
  // core file or be read by another program.
  if (!shell::disableCoreDumps()) std::fprintf(stderr, "Trivela: core dumps could not be turned off\n");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trivela"));
  QApplication::setApplicationVersion(QStringLiteral("1.1.0"));
  QApplication::setQuitOnLastWindowClosed(false);

  QCommandLineParser options;
  options.setApplicationDescription(QStringLiteral("Point of sale for hair salons"));
  options.addHelpOption();
  options.addVersionOption();
  QCommandLineOption rootOption(
      QStringLiteral("root"),
      QStringLiteral("Data root (default %1).").arg(QString::fromStdString(files::defaultRoot())),
      QStringLiteral("DIR"));
  options.addOption(rootOption);
  options.process(app);

  files::setRoot(options.isSet(rootOption) ? options.value(rootOption).toStdString() : files::defaultRoot());
  // The component runtime is a library of its own with its own idea of the
  // root: point its registry store at the same one.
  com::SetRegistryRoot(files::root());

  const QString transactionFolder =
      QString::fromStdString(files::localPath("C:\\Program Files\\Vantix\\LocalTran"));
  QString notice;
  QStringList problems = installDataFolder(&notice);
  problems += data::createTransactionFolder(transactionFolder).errors;
  if (!problems.isEmpty()) {
    forms::MsgBox(problems.join(QLatin1Char('\n')), forms::vbCritical);
    return 1;
  }
  if (!notice.isEmpty()) forms::MsgBox(notice, forms::vbExclamation);
  // A card request left by a run that ended while it waited for the card
  // program holds card data, and a card program started later would charge
  // it. One that cannot be removed is told; the program still starts.
  const QStringList leftovers = data::removeLeftoverRequests(transactionFolder);
  if (!leftovers.isEmpty()) forms::MsgBox(leftovers.join(QLatin1Char('\n')), forms::vbExclamation);
  TellLateCardAnswers(transactionFolder);

  // The program's printer is the system's default one as the program starts.
  print::CurrentPrinter();
  shell::ConnectSubsystems();
  shell::Main();
  return QApplication::exec();
}
