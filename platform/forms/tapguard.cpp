#include "platform/forms/tapguard.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPointer>
#include <QRect>
#include <QTouchEvent>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

namespace forms {

namespace {

qint64 monotonicMs() {
  static QElapsedTimer timer = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return timer.elapsed();
}

MillisecondsClock& guardClock() {
  static MillisecondsClock clock = monotonicMs;
  return clock;
}

// Sees every event of the application: notes the modal windows that close
// and drops the presses that land where one of them was a moment ago.
class TapGuard : public QObject {
 public:
  explicit TapGuard(QObject* parent) : QObject(parent) {}

  // Goes on from the time it stands at now by another clock.
  void rebase(const MillisecondsClock& previous) {
    lastStamp_ += previous() - lastSeen_;
    lastSeen_ = guardClock()();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Hide:
        if (watched->isWidgetType()) noteClosed(*static_cast<QWidget*>(watched));
        return false;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        auto* e = static_cast<QMouseEvent*>(event);
        // The double click of a dropped press is part of it.
        const bool part = event->type() == QEvent::MouseButtonDblClick && (dropped_ & e->button());
        const bool drop = part || covered(e->globalPosition().toPoint(), *e);
        if (drop)
          dropped_ |= e->button();
        else
          dropped_ &= ~e->button();
        noteInput(*e);
        return drop;
      }
      case QEvent::MouseButtonRelease: {
        auto* e = static_cast<QMouseEvent*>(event);
        noteInput(*e);
        if (!(dropped_ & e->button())) return false;
        dropped_ &= ~e->button();
        return true;
      }
      case QEvent::MouseMove: {
        auto* e = static_cast<QMouseEvent*>(event);
        noteInput(*e);
        return (e->buttons() & dropped_) != 0;
      }
      case QEvent::TouchBegin: {
        auto* e = static_cast<QTouchEvent*>(event);
        touchDropped_ = !e->points().isEmpty() && covered(e->points().first().globalPosition().toPoint(), *e);
        noteInput(*e);
        if (touchDropped_) e->accept();  // taken: no mouse press is made of it either
        return touchDropped_;
      }
      case QEvent::TouchUpdate:
      case QEvent::TouchEnd:
      case QEvent::TouchCancel: {
        auto* e = static_cast<QTouchEvent*>(event);
        noteInput(*e);
        if (!touchDropped_) return false;
        if (event->type() != QEvent::TouchUpdate) touchDropped_ = false;
        e->accept();
        return true;
      }
      default:
        if (event->isInputEvent()) noteInput(*static_cast<QInputEvent*>(event));
        return false;
    }
  }

 private:
  struct Closed {
    QRect area;  // on the screen
    qint64 at;   // platform time
  };

  // The platform's time now: that of the last input event seen, plus what
  // the clock counted since it was seen.
  qint64 now() const { return lastStamp_ + (guardClock()() - lastSeen_); }

  void noteInput(const QInputEvent& e) {
    if (e.timestamp() == 0) return;
    lastStamp_ = qint64(e.timestamp());
    lastSeen_ = guardClock()();
  }

  void noteClosed(const QWidget& w) {
    if (!w.isWindow() || !w.isModal()) return;
    closed_.push_back({w.frameGeometry(), now()});
  }

  // Whether a press on `point` falls within the interval of a close (before
  // it too: a press the clerk made while the window still stood there was
  // meant for it) and inside the closed window. An event the program made
  // itself, without a platform time, is no tap of the clerk's.
  bool covered(const QPoint& point, const QInputEvent& press) {
    if (press.timestamp() == 0) return false;
    const qint64 at = qint64(press.timestamp());
    const qint64 interval = QApplication::doubleClickInterval();
    // Presses come in time order: a close too old for this one is too old
    // for every later one.
    closed_.erase(std::remove_if(closed_.begin(), closed_.end(),
                                 [&](const Closed& c) { return at - c.at >= interval; }),
                  closed_.end());
    return std::any_of(closed_.begin(), closed_.end(),
                       [&](const Closed& c) { return c.at - at < interval && c.area.contains(point); });
  }

  std::vector<Closed> closed_;
  qint64 lastStamp_ = 0;
  qint64 lastSeen_ = guardClock()();
  Qt::MouseButtons dropped_;
  bool touchDropped_ = false;
};

QPointer<TapGuard> g_guard;

}  // namespace

MillisecondsClock setTapGuardClock(MillisecondsClock clock) {
  MillisecondsClock previous =
      std::exchange(guardClock(), clock ? std::move(clock) : MillisecondsClock(monotonicMs));
  if (g_guard) g_guard->rebase(previous);
  return previous;
}

namespace detail {

void guardTapsAfterModals() {
  QCoreApplication* app = QCoreApplication::instance();
  if (g_guard || app == nullptr) return;
  g_guard = new TapGuard(app);
  app->installEventFilter(g_guard);
}

}  // namespace detail

}  // namespace forms
