// The wait window against a stand-in card program or a test playing its part,
// with the time-out shortened through the environment so each case takes a
// few seconds, and tick by tick on a clock of the test's own.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "bridge/frmprocess.h"
#include "bridge/transaction.h"
#include "tests/bridge/cardsim_process.h"

namespace {

// Every wait here ends on a condition or on the window's own time-out, never
// on a wall-clock bound, so the cases hold on a slow or loaded machine.
class WaitWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    LetModalWatchdogReset();
    // Long enough for an answer to arrive under any load, short enough for
    // the modal watchdog never to step in.
    setenv("VXTRANS_DEFAULT_TIMEOUT", "8", 1);
    setenv("VXTRANS_HOLD_EXTENSION", "1", 1);
    setenv("VXTRANS_MAX_TIMEOUT", "4", 1);
  }
  void TearDown() override {
    watchers_.clear();
    unsetenv("VXTRANS_DEFAULT_TIMEOUT");
    unsetenv("VXTRANS_HOLD_EXTENSION");
    unsetenv("VXTRANS_MAX_TIMEOUT");
  }
  // For the cases that wait for the time-out itself.
  static void OneSecondTimeOut() { setenv("VXTRANS_DEFAULT_TIMEOUT", "1", 1); }

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

  // Runs `action` once on the showing wait window as soon as `ready` holds
  // for it. An action whose condition never comes is left undone, which the
  // case's expectations then show.
  void When(std::function<bool(TfrmProcess*)> ready, std::function<void(TfrmProcess*)> action) {
    auto timer = std::make_unique<QTimer>();
    QTimer* t = timer.get();
    t->setInterval(20);
    QObject::connect(t, &QTimer::timeout, [t, ready, action] {
      if (frmProcess == nullptr || !frmProcess->isVisible() || !ready(frmProcess)) return;
      t->stop();
      action(frmProcess);
    });
    t->start();
    watchers_.push_back(std::move(timer));
  }
  static bool Shown(TfrmProcess*) { return true; }
  static bool CancelEnabled(TfrmProcess* w) { return w->btnCancel->isEnabled(); }

  // A window on the transaction POS_120000 whose request is written, driven
  // by hand: its timers do not run and its clock is `now`.
  std::unique_ptr<TfrmProcess> HandDriven(const std::int64_t& now) {
    auto w = std::make_unique<TfrmProcess>();
    const std::string stem = folder().toStdString() + "/POS_120000";
    w->AnswerFile = stem + ".ans";
    w->RequestFile = stem + ".req";
    w->HoldFile = stem + ".hld";
    std::ofstream(w->RequestFile, std::ios::binary) << "\"C1\"\r\n";
    w->Clock = [&now] { return now; };
    w->Timer1->stop();
    return w;
  }

  QTemporaryDir dir_;
  double seconds_ = 0;
  std::vector<std::unique_ptr<QTimer>> watchers_;
};

TEST_F(WaitWindow, TimesOutNamingTheTransactionAndWithdrawsTheRequest) {
  OneSecondTimeOut();
  std::string answerFile;
  When(Shown, [&](TfrmProcess* w) { answerFile = w->AnswerFile; });
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.status, vxt::RunResult::NotAnswered);
  EXPECT_FALSE(r.outcome.Approved);
  // The card program may still answer, so the caller learns which
  // transaction to look for.
  const std::string name = QFileInfo(QString::fromStdString(answerFile)).completeBaseName().toStdString();
  EXPECT_EQ(r.outcome.ResultMessage, "Transaction time-out: " + name);
  EXPECT_EQ(name.size(), vxt::MakeTransactionName().size()) << name;
  EXPECT_GE(seconds_, 1.5);  // one second, rounded to the nearest
  EXPECT_TRUE(files().isEmpty()) << files().join(",").toStdString();
}

TEST_F(WaitWindow, ShowsCaptionTimeAndProgress) {
  OneSecondTimeOut();
  bool looked = false;
  When(Shown, [&](TfrmProcess* w) {
    EXPECT_EQ(w->windowTitle(), "Processing...");
    EXPECT_EQ(w->lblCaption->text(), " Post Auth");
    EXPECT_EQ(w->ProgressBar1->maximum(), 2);
    EXPECT_TRUE(w->isModal());
    looked = true;
  });
  Purchase("Post Auth");
  EXPECT_TRUE(looked);

  // The time text, the progress bar and Cancel, tick by tick.
  std::int64_t now = 7000;
  std::unique_ptr<TfrmProcess> w = HandDriven(now);
  w->TimeoutSecs = 1;
  w->ProgressBar1->setMaximum(2);
  w->show();
  w->Timer->stop();
  EXPECT_EQ(w->lblTime->text(), "0:00");
  EXPECT_EQ(w->ProgressBar1->value(), 0);
  EXPECT_FALSE(w->btnCancel->isEnabled());
  now += 250;
  w->TimerTimer();
  EXPECT_EQ(w->lblTime->text(), " 00:00");
  now += 250;
  w->Timer1Timer();
  EXPECT_EQ(w->ProgressBar1->value(), 1);
  EXPECT_TRUE(w->btnCancel->isEnabled()) << "the request is still there";
  now += 500;
  w->Timer1Timer();
  w->Timer1Timer();
  EXPECT_EQ(w->ProgressBar1->value(), 2) << "full at the time-out, and no further";
  now = 7000 + 1499;
  w->TimerTimer();
  EXPECT_EQ(w->lblTime->text(), " 00:01");
  EXPECT_TRUE(w->isVisible()) << "1.499 s rounds to the one-second limit";
  now += 1;
  w->TimerTimer();
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(w->result(), QDialog::Rejected);
  EXPECT_EQ(w->ResultMessage, "Transaction time-out: POS_120000");
}

TEST_F(WaitWindow, ReturnsTheAnswerAndLeavesNoFiles) {
  CardSimProcess sim(folder(), {"--approve", "APPROVED42", "--avs", "Y", "--cvv2", "M"});
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.status, vxt::RunResult::Answered);
  EXPECT_TRUE(r.outcome.Approved);
  EXPECT_EQ(r.outcome.ResultMessage, "APPROVED42");
  EXPECT_EQ(r.outcome.AVSCode, "Y");
  EXPECT_EQ(r.outcome.CVV2Code, "M");
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

TEST_F(WaitWindow, AnAnswerIsTakenOnlyOnceItStoodStillOverAPoll) {
  // A card program that creates the answer and then writes into it, the
  // second half one poll later: neither the poll that finds the file nor the
  // one after the write takes it; the poll over which it stood still does.
  struct Case {
    const char* first;
    const char* second;
  } cases[] = {{"", "YAPPROVED42YM\r\n"}, {"YAPPRO", "VED42YM\r\n"}};
  for (const Case& c : cases) {
    std::int64_t now = 0;
    std::unique_ptr<TfrmProcess> w = HandDriven(now);
    std::ofstream(w->AnswerFile, std::ios::binary) << c.first;
    now += 250;
    w->TimerTimer();
    EXPECT_FALSE(w->AnswerClaimed()) << "found as \"" << c.first << "\"";
    std::ofstream(w->AnswerFile, std::ios::binary | std::ios::app) << c.second;
    now += 250;
    w->TimerTimer();
    EXPECT_FALSE(w->AnswerClaimed()) << "written to meanwhile";
    EXPECT_TRUE(vxt::FileExists(w->AnswerFile));
    now += 250;
    w->TimerTimer();
    EXPECT_TRUE(w->AnswerClaimed());
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_TRUE(w->Approved);
    EXPECT_EQ(w->ResultMessage, "APPROVED42");
    EXPECT_EQ(w->AVSCode, "Y");
    EXPECT_EQ(w->CVV2Code, "M");
    ::unlink(w->RequestFile.c_str());
    EXPECT_TRUE(files().isEmpty()) << files().join(",").toStdString();
  }
}

TEST_F(WaitWindow, AnAnswerOfTheWrongKindOrSizeEndsTheWaitOnceItStoodStill) {
  struct Case {
    const char* what;
    std::function<void(const std::string&)> make;
  } cases[] = {
      {"a FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }},
      {"an over-long file",
       [](const std::string& p) {
         std::ofstream(p, std::ios::binary) << "YAPPROVED\r\n" << std::string(1 << 17, 'x');
       }},
  };
  for (const Case& c : cases) {
    std::int64_t now = 0;
    std::unique_ptr<TfrmProcess> w = HandDriven(now);
    c.make(w->AnswerFile);
    w->TimerTimer();
    EXPECT_FALSE(w->AnswerClaimed()) << c.what << ": just found";
    now += 250;
    w->TimerTimer();
    EXPECT_TRUE(w->AnswerClaimed()) << c.what;
    EXPECT_EQ(w->result(), QDialog::Accepted) << c.what;
    EXPECT_FALSE(w->Approved) << c.what;
    EXPECT_EQ(w->ResultMessage, "Transaction Error - Invalid answer file") << c.what;
    ::unlink(w->RequestFile.c_str());
    EXPECT_TRUE(files().isEmpty()) << c.what << ": " << files().join(",").toStdString();
  }
}

TEST_F(WaitWindow, AHoldExtendsTheWait) {
  OneSecondTimeOut();
  // The card program takes the request and holds it past the one-second
  // limit; once the wait has been extended twice it answers.
  When(Shown, [](TfrmProcess* w) {
    ::unlink(w->RequestFile.c_str());
    std::ofstream(w->HoldFile, std::ios::binary) << "hold\r\n";
  });
  When([](TfrmProcess* w) { return w->TimeoutSecs >= 3; },
       [](TfrmProcess* w) {
         EXPECT_EQ(w->ProgressBar1->maximum(), 2 * w->TimeoutSecs);
         ::unlink(w->HoldFile.c_str());
         std::ofstream(w->AnswerFile, std::ios::binary) << "YHELD1\r\n";
       });
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.status, vxt::RunResult::Answered);
  EXPECT_EQ(r.outcome.ResultMessage, "HELD1");
  EXPECT_TRUE(files().isEmpty()) << files().join(",").toStdString();
}

TEST_F(WaitWindow, AHoldNeverExtendsBeyondTheLimit) {
  OneSecondTimeOut();
  std::string hold;
  When(Shown, [&](TfrmProcess* w) {
    ::unlink(w->RequestFile.c_str());
    hold = w->HoldFile;
    std::ofstream(hold, std::ios::binary) << "hold\r\n";
  });
  int barAtTheLimit = 0;
  When([](TfrmProcess* w) { return w->TimeoutSecs == 4; },
       [&](TfrmProcess* w) { barAtTheLimit = w->ProgressBar1->maximum(); });
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.outcome.ResultMessage, "Transaction time-out: " + vxt::TransactionNameOf(hold));
  EXPECT_EQ(barAtTheLimit, 8);
  EXPECT_TRUE(vxt::FileExists(hold)) << "the hold still stood when the wait ended";
  EXPECT_GE(seconds_, 4.5);
}

TEST_F(WaitWindow, CancelWithdrawsARequestNotYetTaken) {
  When(CancelEnabled, [](TfrmProcess* w) { w->btnCancel->click(); });
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.status, vxt::RunResult::NotAnswered);
  EXPECT_EQ(r.outcome.ResultMessage, "Transaction canceled");
  EXPECT_TRUE(files().isEmpty()) << files().join(",").toStdString();
}

TEST_F(WaitWindow, CancelAfterTheRequestWasTakenKeepsWaitingForTheAnswer) {
  int barAtClick = -1;
  When(CancelEnabled, [&](TfrmProcess* w) {
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
    barAtClick = w->ProgressBar1->value();
  });
  // A later tick of the Cancel timer leaves Cancel off; then the answer comes.
  When([&](TfrmProcess* w) { return barAtClick >= 0 && w->ProgressBar1->value() > barAtClick; },
       [](TfrmProcess* w) {
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
  When(CancelEnabled, [](TfrmProcess* w) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(w, &escape);
  });
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.outcome.ResultMessage, "Transaction canceled");
}

TEST_F(WaitWindow, AFileUnderTheOldClaimNameDoesNotBlockTheAnswer) {
  // NAME.ans.tmp, the one name every claim once took, left by a run killed
  // while it read an answer (or a card program's own name for an answer it
  // writes): the answer is still claimed and read, that file left alone.
  When(Shown, [](TfrmProcess* w) {
    ::unlink(w->RequestFile.c_str());  // taken
    std::ofstream(w->AnswerFile + ".tmp", std::ios::binary) << "YSTALE1\r\n";
    std::ofstream(w->AnswerFile, std::ios::binary) << "YFRESH42\r\n";
  });
  const vxt::RunResult r = Purchase();
  EXPECT_EQ(r.status, vxt::RunResult::Answered);
  EXPECT_EQ(r.outcome.ResultMessage, "FRESH42");
  ASSERT_EQ(files().size(), 1) << files().join(",").toStdString();
  EXPECT_TRUE(files()[0].endsWith(".ans.tmp"));
}

TEST_F(WaitWindow, AClaimThatFailsEndsTheWaitAtOnce) {
  // An answer whose name is as long as a name may be: no claim name can be
  // made from it, and the claim fails for a reason other than a taken name.
  std::int64_t now = 0;
  std::unique_ptr<TfrmProcess> w = HandDriven(now);
  w->AnswerFile = folder().toStdString() + "/" + std::string(251, 'P') + ".ans";
  std::ofstream(w->AnswerFile, std::ios::binary) << "YAPPROVED42\r\n";
  w->show();
  w->Timer->stop();
  now += 250;
  w->TimerTimer();  // found
  now += 250;
  w->TimerTimer();  // stood still: claimed, and the claim fails
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(w->result(), QDialog::Rejected);
  EXPECT_EQ(w->ClaimError, "The answer of transaction " + std::string(251, 'P') + " cannot be taken (" +
                               std::strerror(ENAMETOOLONG) +
                               "); the card may be approved. The answer stays in the transaction folder.");
  EXPECT_TRUE(vxt::FileExists(w->AnswerFile)) << "the answer stays for the next start to tell";
  EXPECT_FALSE(vxt::FileExists(w->RequestFile));
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
  // The limit is one second, so every tick from 1.5 s on is past it. An
  // answer that stood still over a poll is taken in the time-out tick; one
  // first found there gets the next poll to stand still, but never past the
  // longest wait a hold may reach.
  struct Case {
    const char* what;
    bool answer;
    std::vector<std::int64_t> ticks;
    int maxSecs;
    int result;
    bool approved;
    const char* message;
    QStringList left;
  } cases[] = {
      {"found a poll before", true, {1000, 1500}, 600, QDialog::Accepted, true, "APPROVED42", {}},
      {"first found in it", true, {1500, 1750}, 600, QDialog::Accepted, true, "APPROVED42", {}},
      {"no answer", false, {1500}, 600, QDialog::Rejected, false, "Transaction time-out: POS_120000", {}},
      {"first found past the longest wait",
       true,
       {1500},
       1,
       QDialog::Rejected,
       false,
       "Transaction time-out: POS_120000",
       {"POS_120000.ans"}},
  };
  for (const Case& c : cases) {
    std::int64_t now = 0;
    std::unique_ptr<TfrmProcess> window = HandDriven(now);
    TfrmProcess& w = *window;
    if (c.answer) std::ofstream(w.AnswerFile, std::ios::binary) << "YAPPROVED42YM\r\n";
    w.TimeoutSecs = 1;
    w.Settings.maxSecs = c.maxSecs;
    for (std::int64_t tick : c.ticks) {
      EXPECT_EQ(w.result(), 0) << c.what << ": ended before " << tick << " ms";
      EXPECT_EQ(w.ResultMessage, "") << c.what;
      now = tick;
      w.TimerTimer();
    }
    EXPECT_EQ(w.result(), c.result) << c.what;
    EXPECT_EQ(w.Approved, c.approved) << c.what;
    EXPECT_EQ(w.ResultMessage, c.message) << c.what;
    EXPECT_EQ(w.AVSCode, c.approved ? "Y" : "") << c.what;
    EXPECT_EQ(w.CVV2Code, c.approved ? "M" : "") << c.what;
    // The time-out withdrew the request either way; an answer taken was read
    // and deleted, one never taken stays under its own name.
    EXPECT_EQ(files(), c.left) << c.what << ": " << files().join(",").toStdString();
    ::unlink(w.AnswerFile.c_str());
  }
}

TEST_F(WaitWindow, ASecondTransactionWhileOneRunsIsRefused) {
  vxt::RunResult second;
  QStringList filesMeanwhile;
  OneSecondTimeOut();
  When(Shown, [&](TfrmProcess*) {
    vxt::RequestFields f;
    f.Amount = "1.00";
    second = vxt::RunTransaction(0, folder().toStdString(), "Return", vxt::Kind::Return, f);
    filesMeanwhile = files();
  });
  const vxt::RunResult first = Purchase();
  EXPECT_EQ(second.status, vxt::RunResult::Failed);
  EXPECT_EQ(second.error, "Another card transaction is in progress");
  EXPECT_EQ(filesMeanwhile.size(), 1) << filesMeanwhile.join(",").toStdString();  // only the first request
  EXPECT_EQ(first.outcome.ResultMessage.rfind("Transaction time-out: ", 0), 0u)
      << first.outcome.ResultMessage;
  EXPECT_EQ(frmProcess, nullptr);
}

TEST_F(WaitWindow, IsOwnedByTheCallersWindowAndSurvivesItsDestruction) {
  // The caller's window goes away while the transaction waits. A request
  // still there is withdrawn: cancelled. One the card program has taken may
  // still be approved, which the caller is told as after a time-out.
  for (const bool taken : {false, true}) {
    SCOPED_TRACE(taken ? "taken" : "not taken");
    LetModalWatchdogReset();
    auto* owner = new QWidget;
    owner->resize(200, 100);
    owner->show();
    const auto handle = static_cast<std::int32_t>(owner->winId());
    std::string name;
    When(Shown, [owner, taken, &name](TfrmProcess* w) {
      EXPECT_EQ(w->parentWidget(), owner);
      name = vxt::TransactionNameOf(w->AnswerFile);
      if (taken) ::unlink(w->RequestFile.c_str());
      delete owner;
    });
    vxt::RequestFields f;
    f.Amount = "1.00";
    const vxt::RunResult r =
        vxt::RunTransaction(handle, folder().toStdString(), "Return", vxt::Kind::Return, f);
    EXPECT_EQ(r.status, vxt::RunResult::NotAnswered);
    EXPECT_EQ(r.outcome.ResultMessage, taken ? "Transaction time-out: " + name : "Transaction canceled");
    EXPECT_EQ(frmProcess, nullptr);
    EXPECT_TRUE(files().isEmpty()) << files().join(",").toStdString();
  }
}

}  // namespace
