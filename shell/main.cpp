// Trivela: starts the program on its data root.
//
//   Trivela [--root DIR]
//
// A new root gets the install folder with every database on first start.
#include <QApplication>
#include <QCommandLineParser>

#include "data/install.h"
#include "platform/com/registry.h"
#include "platform/files/paths.h"
#include "platform/forms/msgbox.h"
#include "platform/print/printer.h"
#include "shell/Lunessa.h"
#include "shell/Splash.h"
#include "shell/subsystems.h"

int main(int argc, char** argv) {
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
  QStringList problems;
  problems += data::installDataRoot(QString::fromStdString(files::installDir())).errors;
  problems += data::createTransactionFolder(transactionFolder).errors;
  if (!problems.isEmpty()) {
    forms::MsgBox(problems.join(QLatin1Char('\n')), forms::vbCritical);
    return 1;
  }
  // A card request left by a run that ended while it waited for the card
  // program holds card data, and a card program started later would charge
  // it. One that cannot be removed is told; the program still starts.
  const QStringList leftovers = data::removeLeftoverRequests(transactionFolder);
  if (!leftovers.isEmpty()) forms::MsgBox(leftovers.join(QLatin1Char('\n')), forms::vbExclamation);

  // The program's printer is the system's default one as the program starts.
  print::CurrentPrinter();
  shell::ConnectSubsystems();
  shell::Main();
  return QApplication::exec();
}
