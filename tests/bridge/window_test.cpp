// The wait window against a stand-in card program, with the time-out
// shortened through the environment so each case takes a few seconds.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <fstream>

#include "bridge/frmprocess.h"
#include "bridge/transaction.h"
#include "tests/bridge/cardsim_process.h"

namespace {

class WaitWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    LetModalWatchdogReset();
    setenv("VXTRANS_DEFAULT_TIMEOUT", "1", 1);
    setenv("VXTRANS_HOLD_EXTENSION", "1", 1);
    setenv("VXTRANS_MAX_TIMEOUT", "4", 1);
  }
  void TearDown() override {
    unsetenv("VXTRANS_DEFAULT_TIMEOUT");
    unsetenv("VXTRANS_HOLD_EXTENSION");
    unsetenv("VXTRANS_MAX_TIMEOUT");
  }
  QString folder() const { return dir_.path(); }
  QStringList files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::NoDotAndDotDot); }

  vxt::RunResult Purchase(const char* caption = "Purchase") {
    vxt::RequestFields f;
    f.Clerk = "Ann";
    f.Receipt = "DovrelPOS7";
    f.CC = "4111111111111111";
    f.Exp = "2612";
    f.Amount = "25.00";
    QElapsedTimer clock;
    clock.start();
    vxt::RunResult r = vxt::RunTransaction(0, folder().toStdString(), caption, vxt::Kind::Purchase, f);
    seconds_ = clock.elapsed() / 1000.0;
    return r;
  }

  // Runs `action` on the wait window `ms` after the transaction starts.
  static void At(int ms, std::function<void(TfrmProcess*)> action) {
    QTimer::singleShot(ms, qApp, [action] {
      ASSERT_NE(frmProcess, nullptr) << "no wait window";
      action(frmProcess);
    });
  }

  QTemporaryDir dir_;
  double seconds_ = 0;
};

TEST_F(WaitWindow, TimesOutAndWithdrawsTheRequest) {
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.status, vxt::RunResult::NotAnswered);
  EXPECT_FALSE(r.outcome.Approved);
  EXPECT_EQ(r.outcome.ResultMessage, "Transaction time-out");
  EXPECT_GE(seconds_, 1.4);
  EXPECT_LT(seconds_, 3.0);
  EXPECT_TRUE(files().isEmpty()) << files().join(",").toStdString();
}

TEST_F(WaitWindow, ShowsCaptionTimeAndProgress) {
  At(100, [](TfrmProcess* w) {
    EXPECT_EQ(w->windowTitle(), "Processing...");
    EXPECT_EQ(w->lblCaption->text(), " Post Auth");
    EXPECT_EQ(w->lblTime->text(), "0:00");
    EXPECT_EQ(w->ProgressBar1->maximum(), 2);
    EXPECT_FALSE(w->btnCancel->isEnabled());
    EXPECT_TRUE(w->isModal());
  });
  At(400, [](TfrmProcess* w) {
    EXPECT_EQ(w->lblTime->text(), " 00:00");
    EXPECT_EQ(w->ProgressBar1->value(), 0);
  });
  At(1200, [](TfrmProcess* w) {
    EXPECT_EQ(w->ProgressBar1->value(), 2);  // full at the time-out
    EXPECT_TRUE(w->btnCancel->isEnabled());
  });
  Purchase("Post Auth");
}

TEST_F(WaitWindow, ReturnsTheAnswerAndLeavesNoFiles) {
  CardSimProcess sim(folder(), {"--approve", "APPROVED42", "--avs", "Y", "--cvv2", "M"});
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.status, vxt::RunResult::Answered);
  EXPECT_TRUE(r.outcome.Approved);
  EXPECT_EQ(r.outcome.ResultMessage, "APPROVED42");
  EXPECT_EQ(r.outcome.AVSCode, "Y");
  EXPECT_EQ(r.outcome.CVV2Code, "M");
  EXPECT_LT(seconds_, 1.0);
  EXPECT_TRUE(files().isEmpty()) << files().join(",").toStdString();
}

TEST_F(WaitWindow, AnswersThatArriveLateSlowlyOrMalformed) {
  struct Case {
    QStringList script;
    bool approved;
    const char* message;
  } cases[] = {
      {{"--decline", "DECLINED", "--delay", "600"}, false, "DECLINED"},
      {{"--approve", "OK1", "--slow", "700"}, true, "OK1"},
      {{"--answer", "\"\""}, false, "Transaction Error - Invalid answer file"},
      {{"--answer", "", "--no-newline"}, false, "Transaction Error - Invalid answer file"},
  };
  for (const Case& c : cases) {
    LetModalWatchdogReset();
    CardSimProcess sim(folder(), c.script);
    const vxt::RunResult r = Purchase();
    EXPECT_EQ(r.status, vxt::RunResult::Answered) << c.message;
    EXPECT_EQ(r.outcome.Approved, c.approved) << c.message;
    EXPECT_EQ(r.outcome.ResultMessage, c.message);
    EXPECT_TRUE(files().isEmpty()) << files().join(",").toStdString();
  }
}

TEST_F(WaitWindow, AHoldExtendsTheWait) {
  CardSimProcess sim(folder(), {"--hold", "2500", "--approve", "HELD1"});
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.status, vxt::RunResult::Answered);
  EXPECT_EQ(r.outcome.ResultMessage, "HELD1");
  EXPECT_GT(seconds_, 2.4);  // well past the one-second time-out
}

TEST_F(WaitWindow, AHoldNeverExtendsBeyondTheLimit) {
  CardSimProcess sim(folder(), {"--hold", "20000", "--never"});
  At(2600, [](TfrmProcess* w) {
    EXPECT_GE(w->TimeoutSecs, 2);
    EXPECT_EQ(w->ProgressBar1->maximum(), 2 * w->TimeoutSecs);
  });
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.outcome.ResultMessage, "Transaction time-out");
  EXPECT_GE(seconds_, 4.4);
  EXPECT_LT(seconds_, 6.5);
}

TEST_F(WaitWindow, CancelWithdrawsARequestNotYetTaken) {
  At(700, [](TfrmProcess* w) {
    ASSERT_TRUE(w->btnCancel->isEnabled());
    w->btnCancel->click();
  });
  setenv("VXTRANS_DEFAULT_TIMEOUT", "5", 1);
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.status, vxt::RunResult::NotAnswered);
  EXPECT_EQ(r.outcome.ResultMessage, "Transaction canceled");
  EXPECT_LT(seconds_, 2.0);
  EXPECT_TRUE(files().isEmpty()) << files().join(",").toStdString();
}

TEST_F(WaitWindow, CancelAfterTheRequestWasTakenKeepsWaitingForTheAnswer) {
  setenv("VXTRANS_DEFAULT_TIMEOUT", "5", 1);
  At(700, [](TfrmProcess* w) {
    ASSERT_TRUE(w->btnCancel->isEnabled());
    // The card program takes the request just before the click lands.
    ASSERT_EQ(::unlink(w->RequestFile.c_str()), 0);
    w->btnCancel->click();
    EXPECT_FALSE(w->btnCancel->isEnabled());
    EXPECT_TRUE(w->isVisible());
    // With Cancel disabled, Escape and close requests change nothing.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(w, &escape);
    w->close();
    EXPECT_TRUE(w->isVisible());
  });
  At(1400, [](TfrmProcess* w) {
    EXPECT_FALSE(w->btnCancel->isEnabled());
    std::ofstream(w->AnswerFile, std::ios::binary) << "YAPPROVED99\r\n";
  });
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.status, vxt::RunResult::Answered);
  EXPECT_TRUE(r.outcome.Approved);
  EXPECT_EQ(r.outcome.ResultMessage, "APPROVED99");
  EXPECT_TRUE(files().isEmpty()) << files().join(",").toStdString();
}

TEST_F(WaitWindow, EscapeCancelsWhileCancelIsEnabled) {
  setenv("VXTRANS_DEFAULT_TIMEOUT", "5", 1);
  At(700, [](TfrmProcess* w) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(w, &escape);
  });
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.outcome.ResultMessage, "Transaction canceled");
}

TEST_F(WaitWindow, AnAnswerAlreadyClaimedIsNotOverwritten) {
  // A stale claim of the same name blocks the move: the answer stays where
  // it is and the transaction times out, the stale claim untouched.
  At(100, [](TfrmProcess* w) {
    std::ofstream(w->AnswerFile + ".tmp", std::ios::binary) << "YSTALE\r\n";
    std::ofstream(w->AnswerFile, std::ios::binary) << "YFRESH\r\n";
  });
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.outcome.ResultMessage, "Transaction time-out");
  EXPECT_EQ(files().size(), 2);
}

TEST_F(WaitWindow, RefusesBadInputBeforeWritingAnything) {
  struct Case {
    std::string folder;
    vxt::Kind kind;
    std::string reqData, clerk;
    const char* message;
  } cases[] = {
      {"/nonexistent/folder", vxt::Kind::Purchase, "", "Ann", "Transaction Folder not found"},
      {"/etc/hostname", vxt::Kind::Purchase, "", "Ann", "Transaction Folder not found"},
      {"", vxt::Kind::Generic, "", "", "Error reading request file data"},
      {"/nonexistent/folder", vxt::Kind::Generic, "", "", "Transaction Folder not found"},
      {"", vxt::Kind::Purchase, "", "Ann \"Quote\"", "Invalid character in request data"},
      {"", vxt::Kind::Generic, "\"C1\"\n", "", "Invalid character in request data"},
  };
  for (const Case& c : cases) {
    vxt::RequestFields f;
    f.Clerk = c.clerk;
    f.ReqFileData = c.reqData;
    const std::string where = c.folder.empty() ? folder().toStdString() : c.folder;
    const vxt::RunResult r = vxt::RunTransaction(0, where, "Purchase", c.kind, f);
    EXPECT_EQ(r.status, vxt::RunResult::NotAnswered) << c.message;
    EXPECT_EQ(r.outcome.ResultMessage, c.message);
    EXPECT_EQ(frmProcess, nullptr);
    EXPECT_TRUE(files().isEmpty());
  }
}

TEST_F(WaitWindow, AnAnswerFoundInTheTimeOutTickWins) {
  struct Case {
    bool answer;
    int result;
    bool approved;
    const char* message;
  } cases[] = {{true, QDialog::Accepted, true, "APPROVED42"},
               {false, QDialog::Rejected, false, "Transaction time-out"}};
  for (const Case& c : cases) {
    TfrmProcess w;
    const std::string stem = folder().toStdString() + "/POS_120000";
    w.AnswerFile = stem + ".ans";
    w.RequestFile = stem + ".req";
    w.HoldFile = stem + ".hld";
    std::ofstream(w.RequestFile, std::ios::binary) << "\"C1\"\r\n";
    if (c.answer) std::ofstream(w.AnswerFile, std::ios::binary) << "YAPPROVED42YM\r\n";
    w.TimeoutSecs = -1;  // the limit has passed by the first tick
    w.StartTime.start();
    w.TimerTimer();
    EXPECT_EQ(w.result(), c.result) << c.message;
    EXPECT_EQ(w.Approved, c.approved);
    EXPECT_EQ(w.ResultMessage, c.message);
    EXPECT_EQ(w.AVSCode, c.answer ? "Y" : "");
    EXPECT_EQ(w.CVV2Code, c.answer ? "M" : "");
    // The time-out withdrew the request either way; the answer was read and deleted.
    EXPECT_TRUE(files().isEmpty()) << files().join(",").toStdString();
  }
}

TEST_F(WaitWindow, ASecondTransactionWhileOneRunsIsRefused) {
  vxt::RunResult second;
  QStringList filesMeanwhile;
  At(300, [&](TfrmProcess*) {
    vxt::RequestFields f;
    f.Amount = "1.00";
    second = vxt::RunTransaction(0, folder().toStdString(), "Return", vxt::Kind::Return, f);
    filesMeanwhile = files();
  });
  const vxt::RunResult first = Purchase();
  EXPECT_EQ(second.status, vxt::RunResult::Failed);
  EXPECT_EQ(second.error, "Another card transaction is in progress");
  EXPECT_EQ(filesMeanwhile.size(), 1) << filesMeanwhile.join(",").toStdString();  // only the first request
  EXPECT_EQ(first.outcome.ResultMessage, "Transaction time-out");
  EXPECT_EQ(frmProcess, nullptr);
}

TEST_F(WaitWindow, IsOwnedByTheCallersWindowAndSurvivesItsDestruction) {
  setenv("VXTRANS_DEFAULT_TIMEOUT", "5", 1);
  auto* owner = new QWidget;
  owner->resize(200, 100);
  owner->show();
  const auto handle = static_cast<std::int32_t>(owner->winId());
  At(300, [owner](TfrmProcess* w) {
    EXPECT_EQ(w->parentWidget(), owner);
    delete owner;  // the caller's window goes away while the transaction waits
  });
  vxt::RequestFields f;
  f.Amount = "1.00";
  const vxt::RunResult r =
      vxt::RunTransaction(handle, folder().toStdString(), "Return", vxt::Kind::Return, f);
  EXPECT_EQ(r.status, vxt::RunResult::NotAnswered);
  EXPECT_EQ(r.outcome.ResultMessage, "Transaction canceled");
  EXPECT_EQ(frmProcess, nullptr);
  EXPECT_TRUE(files().isEmpty()) << files().join(",").toStdString();
}

}  // namespace
