// A fast second tap after a modal window closed: a press that comes within
// the double-click interval of the close, where the window was, is dropped;
// a later one, or one elsewhere, goes through.
#include <QApplication>
#include <QEventPoint>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QRect>
#include <QTimer>
#include <QTouchEvent>
#include <QWidget>

#include "tests/forms/support.h"

namespace {

using forms::Instance;

// The window under the prompt: one button where the prompt stands, one
// beside it.
class frmBelow : public forms::Form {
 public:
  frmBelow() : Form("frmBelow") {
    setBorderStyle(0);
    Move(0, 0, 7500, 4500);
    cmdUnder.Move(1800, 1800, 1200, 600);
    cmdBeside.Move(6000, 300, 1200, 600);
    cmdUnder.onClick = [this] { ++underClicks; };
    cmdBeside.onClick = [this] { ++besideClicks; };
  }
  forms::CommandButton cmdUnder{this, "cmdUnder"};
  forms::CommandButton cmdBeside{this, "cmdBeside"};
  int underClicks = 0;
  int besideClicks = 0;
};

// A prompt that closes itself when its button is pressed; its button lies
// over the button under it.
class frmPrompt : public forms::Form {
 public:
  frmPrompt() : Form("frmPrompt") {
    setBorderStyle(0);
    Move(1500, 1500, 3000, 1800);
    cmdOK.Move(300, 300, 1200, 600);
    cmdOK.onClick = [this] {
      ++answers;
      forms::Unload(*this);
    };
  }
  forms::CommandButton cmdOK{this, "cmdOK"};
  int answers = 0;
};

QPointF middleOf(const QWidget* w) {
  return QPointF(w->width() / 2.0, w->height() / 2.0);
}

// The left button pressed at the middle of the widget at platform time `at`
// and released 40 ms later.
void tap(QWidget* w, qint64 at) {
  const QPointF local = middleOf(w);
  const QPointF global = w->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  press.setTimestamp(quint64(at));
  QApplication::sendEvent(w, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  release.setTimestamp(quint64(at + 40));
  QApplication::sendEvent(w, &release);
}

// A finger on the middle of the widget at `at`, lifted 40 ms later.
void touch(QWidget* w, qint64 at) {
  static QPointingDevice screen(QStringLiteral("touch screen"), 4711, QInputDevice::DeviceType::TouchScreen,
                                QPointingDevice::PointerType::Finger, QInputDevice::Capability::Position, 1,
                                0);
  const QPointF local = middleOf(w);
  const QPointF global = w->mapToGlobal(local);
  QTouchEvent begin(QEvent::TouchBegin, &screen, Qt::NoModifier,
                    {QEventPoint(1, QEventPoint::Pressed, local, global)});
  begin.setTimestamp(quint64(at));
  QApplication::sendEvent(w, &begin);
  QTouchEvent end(QEvent::TouchEnd, &screen, Qt::NoModifier,
                  {QEventPoint(1, QEventPoint::Released, local, global)});
  end.setTimestamp(quint64(at + 40));
  QApplication::sendEvent(w, &end);
}

class TapGuardTest : public FormsTest {
 protected:
  TapGuardTest() : previous_(forms::setTapGuardClock([this] { return now; })) { below->Show(); }
  ~TapGuardTest() override { forms::setTapGuardClock(previous_); }

  // Shows the prompt modally and answers it with a tap at `at`; returns the
  // platform time of the close (the tap's release).
  qint64 answerPromptAt(qint64 at) {
    QTimer::singleShot(0, [this, at] {
      promptArea = prompt->window()->frameGeometry();
      tap(prompt->cmdOK.widget(), at);
    });
    prompt->Show(forms::Modal);
    EXPECT_FALSE(prompt->IsLoaded());
    return at + 40;
  }

  qint64 now = 0;    // the runtime's clock
  QRect promptArea;  // where the prompt stood on the screen
  const qint64 interval = QApplication::doubleClickInterval();
  Instance<frmBelow> below;
  Instance<frmPrompt> prompt;

 private:
  forms::MillisecondsClock previous_;
};

TEST_F(TapGuardTest, APressWhereAPromptClosedAMomentAgoIsDropped) {
  const struct {
    const char* why;
    bool under;    // where the prompt was, or beside it
    qint64 after;  // platform time of the tap after the close
    qint64 busy;   // what the clock counted after the close before the tap was handled
    int clicks;
  } cases[] = {
      {"the second tap of a double tap", true, 80, 0, 0},
      {"a tap queued while the code after the close still ran", true, 80, 5000, 0},
      {"a deliberate tap after the interval", true, interval, 0, 1},
      {"a tap beside the closed prompt", false, 80, 0, 1},
  };
  qint64 stamp = 100000;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    stamp += 10 * interval;
    below->underClicks = below->besideClicks = 0;
    const qint64 closed = answerPromptAt(stamp);
    now += c.busy;
    QWidget* target = (c.under ? below->cmdUnder : below->cmdBeside).widget();
    ASSERT_EQ(promptArea.contains(target->mapToGlobal(middleOf(target)).toPoint()), c.under);
    tap(target, closed + c.after);
    EXPECT_EQ(c.under ? below->underClicks : below->besideClicks, c.clicks);
  }
}

TEST_F(TapGuardTest, TheNextPromptInThePlaceOfTheClosedOneTakesOnlyADeliberateTap) {
  // The option prompt opens where the size prompt was: the size tap's twin
  // chooses nothing on it.
  const qint64 closed = answerPromptAt(200000);
  Instance<frmPrompt> next;
  QTimer::singleShot(0, [&] {
    tap(next->cmdOK.widget(), closed + 80);
    EXPECT_TRUE(next->IsLoaded()) << "the second tap of the double tap answered the next prompt";
    tap(next->cmdOK.widget(), closed + interval);
  });
  next->Show(forms::Modal);
  EXPECT_EQ(next->answers, 1);
  EXPECT_EQ(below->underClicks, 0);
}

// Counts the touches a widget is given.
class TouchCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::TouchBegin) ++begins;
    return false;
  }
  int begins = 0;
};

TEST_F(TapGuardTest, ATouchWhereAPromptClosedAMomentAgoIsDropped) {
  QWidget* under = below->cmdUnder.widget();
  under->setAttribute(Qt::WA_AcceptTouchEvents);
  TouchCounter seen;
  under->installEventFilter(&seen);

  const qint64 closed = answerPromptAt(300000);
  touch(under, closed + 80);
  EXPECT_EQ(seen.begins, 0);
  touch(under, closed + interval);
  EXPECT_EQ(seen.begins, 1);
}

}  // namespace
