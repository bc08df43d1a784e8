#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <functional>
#include <vector>

#include "shell/Lunessa.h"
#include "shell/Splash.h"
#include "shell/frmMbutton.h"
#include "shell/process.h"
#include "tests/shell/shell_fixture.h"

namespace {

// A clock of whole seconds over a fake time that moves `step` seconds at
// each reading, starting at `t0` (any phase within a second).
struct FakeClock {
  double t;
  double step;
  qint64 operator()() {
    const double now = t;
    t += step;
    return static_cast<qint64>(now);
  }
};

TEST(SplashWait, LastsTwoToThreeSecondsWhateverThePhase) {
  for (double t0 : {100.0, 100.3, 100.999, 86399.5}) {
    FakeClock clock{t0, 0.01};
    const qint64 start = clock();
    int processed = 0;
    shell::waitSplash(std::ref(clock), start, [&] { ++processed; });
    const double waited = clock.t - clock.step - t0;
    EXPECT_GE(waited, 2.0) << t0;
    EXPECT_LE(waited, 3.0 + 1e-6) << t0;
    EXPECT_GT(processed, 0);
  }
  // The test comes before the messages: a clock already past the wait
  // processes nothing.
  std::vector<qint64> readings{13};
  size_t next = 0;
  int processed = 0;
  shell::waitSplash([&] { return readings[next++]; }, 10, [&] { ++processed; });
  EXPECT_EQ(processed, 0);
}

// After the start-up call the process writes no core file and cannot be
// read by another program. Run in a child, which first allows both as far
// as it may, so the test's own process keeps its settings.
TEST(CoreDumps, AreOffAfterTheStartUpCall) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    struct rlimit allowed;
    ::getrlimit(RLIMIT_CORE, &allowed);
    allowed.rlim_cur = allowed.rlim_max;
    ::setrlimit(RLIMIT_CORE, &allowed);
    ::prctl(PR_SET_DUMPABLE, 1, 0, 0, 0);
    const bool before = allowed.rlim_cur != 0 && ::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) == 1;
    const bool done = shell::disableCoreDumps();
    struct rlimit after;
    ::getrlimit(RLIMIT_CORE, &after);
    const bool off = after.rlim_cur == 0 && after.rlim_max == 0 && ::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) == 0;
    ::_exit(!before ? 3 : !done ? 2 : off ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "core dumps cannot be allowed here to begin with";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: still allowed, 2: the call failed";
}

class StartUp : public ShellFixture {};

TEST_F(StartUp, SplashThenMainWindowWithTheLauncher) {
  bool keySent = false;
  bool mainLoadedDuringWait = false;
  FakeClock time{500.2, 0.25};
  shell::Main([&] {
    const qint64 now = time();
    if (shell::Splash().IsLoaded() && !keySent && time.t > 501) {
      // A key during the splash closes it at once ...
      EXPECT_EQ(shell::Splash().lblVersion.Caption(), QStringLiteral("Version 1.1.0"));
      QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
      QApplication::sendEvent(shell::Splash().window(), &press);
      keySent = true;
      EXPECT_FALSE(shell::Splash().IsLoaded());
    }
    // ... yet the main window opens no earlier.
    mainLoadedDuringWait = mainLoadedDuringWait || shell::MainWindow().IsLoaded();
    return now;
  });
  EXPECT_TRUE(keySent);
  EXPECT_FALSE(mainLoadedDuringWait);
  EXPECT_FALSE(shell::Splash().IsLoaded());
  EXPECT_TRUE(shell::MainWindow().IsLoaded());
  EXPECT_TRUE(shell::Mbutton().IsLoaded());
  EXPECT_TRUE(shell::Mbutton().Visible());
  EXPECT_EQ(shell::MainWindow().Caption(), QStringLiteral("Lunessa - Dovrel's POS"));
  EXPECT_TRUE(messages_->shown().empty());
}

TEST_F(StartUp, MainWindowMenuShowsTheLauncherOnce) {
  shell::MainWindow().Show();
  shell::Mbutton().setTag(QStringLiteral("run-time value"));
  shell::MainWindow().mmMain.action()->trigger();
  shell::MainWindow().mmMain.action()->trigger();
  // Loaded again would have reset its tag to the design value.
  EXPECT_EQ(shell::Mbutton().Tag(), QStringLiteral("run-time value"));
  EXPECT_TRUE(shell::Mbutton().Visible());
}

// A child window that can refuse to close, as the staff editor does with
// unsaved changes.
class frmRefuses : public forms::Form {
 public:
  frmRefuses() : Form("frmRefuses") { setMDIChild(true); }
  bool refuse = true;
  int unloads = 0;

 protected:
  void Form_QueryUnload(int& Cancel, int /*UnloadMode*/) override { Cancel = refuse ? 1 : 0; }
  void Form_Unload(int& /*Cancel*/) override { ++unloads; }
};

TEST_F(StartUp, AnyChildCanStopTheClose) {
  frmRefuses& child = forms::global<frmRefuses>();
  shell::MainWindow().Show();
  child.Show();

  shell::MainWindow().mmClose.action()->trigger();
  EXPECT_TRUE(shell::MainWindow().IsLoaded());
  EXPECT_TRUE(shell::Mbutton().IsLoaded());
  EXPECT_TRUE(child.IsLoaded());
  EXPECT_EQ(child.unloads, 0);

  child.refuse = false;
  shell::MainWindow().mmClose.action()->trigger();
  EXPECT_FALSE(child.IsLoaded());
  EXPECT_FALSE(shell::Mbutton().IsLoaded());
  EXPECT_FALSE(shell::MainWindow().IsLoaded());
  EXPECT_EQ(child.unloads, 1);
}

}  // namespace
