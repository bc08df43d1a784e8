// Runs tools/cardsim on a folder for the length of a test.
#pragma once

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QProcess>
#include <QStringList>
#include <QTimer>

class CardSimProcess {
 public:
  CardSimProcess(const QString& folder, const QStringList& script) {
    process_.setProgram(CARDSIM_PATH);
    process_.setArguments(QStringList{"--folder", folder, "--lifetime", "30000"} + script);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
    started_ = process_.waitForStarted(30000);
    // Its first line says it is watching the folder.
    if (started_) started_ = process_.waitForReadyRead(30000);
    EXPECT_TRUE(started_) << "cardsim did not start";
  }
  ~CardSimProcess() {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished(5000);
    }
  }
  CardSimProcess(const CardSimProcess&) = delete;
  CardSimProcess& operator=(const CardSimProcess&) = delete;

 private:
  QProcess process_;
  bool started_ = false;
};

// Lets the event loop run with no modal window open, so the test main's
// modal watchdog starts counting afresh for the next wait window (a new
// window can reuse the address of the last one).
inline void LetModalWatchdogReset() {
  QEventLoop loop;
  QTimer::singleShot(300, &loop, &QEventLoop::quit);
  loop.exec();
}
