// Shared fixture of the window runtime tests: every message box is scripted,
// and one that comes with no answer queued fails the test.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

#include "platform/forms/forms.h"

class FormsTest : public ::testing::Test {
 protected:
  FormsTest()
      : messages([](const forms::Message& m) {
          ADD_FAILURE() << "unscripted message box: \"" << m.prompt.toStdString() << "\"";
        }) {}

  ~FormsTest() override {
    EXPECT_EQ(messages.pending(), 0) << "scripted answers left unused";
    flushDeletes();
  }

  // Carries out the deletions the runtime deferred (what the event loop does
  // once a handler has returned).
  static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  // Processes events until done() or a generous deadline passes.
  static bool waitFor(const std::function<bool()>& done, int ms = 30000) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
  }

  forms::ScriptedMessages messages;
};
