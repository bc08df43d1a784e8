#include <gtest/gtest.h>

#include <QProcess>

namespace {

struct Finished {
  int exitCode = -1;
  QString out, err;
};

Finished Cardsim(const QStringList& args) {
  QProcess p;
  p.start(CARDSIM_PATH, args);
  Finished run;
  if (!p.waitForFinished(20000) || p.exitStatus() != QProcess::NormalExit) return run;
  run.exitCode = p.exitCode();
  run.out = QString::fromLocal8Bit(p.readAllStandardOutput());
  run.err = QString::fromLocal8Bit(p.readAllStandardError());
  return run;
}

// Asked for its usage, cardsim prints it and exits; a call it cannot run
// prints the same usage as its error.
TEST(Cardsim, HelpPrintsTheUsageAndExitsZero) {
  for (const char* option : {"--help", "-h"}) {
    const Finished help = Cardsim({option});
    EXPECT_EQ(help.exitCode, 0) << option << ": " << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith("usage: cardsim --folder DIR [options]\n")) << help.out.toStdString();
    for (const char* listed : {"--approve MSG", "--decline MSG", "--never", "--lifetime MS"})
      EXPECT_TRUE(help.out.contains(listed)) << listed;
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
  }
  const Finished unknown = Cardsim({"--nonsense"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_TRUE(unknown.err.startsWith("cardsim: unknown option --nonsense\nusage: cardsim"))
      << unknown.err.toStdString();
  const Finished noFolder = Cardsim({"--never"});
  EXPECT_EQ(noFolder.exitCode, 2);
  EXPECT_TRUE(noFolder.err.startsWith("usage: cardsim")) << noFolder.err.toStdString();
}

}  // namespace
