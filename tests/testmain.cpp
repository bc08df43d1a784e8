// Shared main() of every test program.
//
// Tests run Qt offscreen unless the caller chose a platform. A watchdog timer
// looks for modal windows: one that stays open longer than the grace period
// fails the running test and is closed, so a dialog nobody answers can never
// hang the suite.
#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

class ModalWatchdog : public QObject {
 public:
  explicit ModalWatchdog(QObject* parent) : QObject(parent) {
    timer_.setInterval(250);
    connect(&timer_, &QTimer::timeout, this, [this] { check(); });
    timer_.start();
    qApp->installEventFilter(this);
  }

  // Every window that shows starts a new grace period, even when it is the
  // same window object shown again.
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Show && object->isWidgetType() && static_cast<QWidget*>(object)->isWindow()) {
      watched_ = nullptr;
      ticks_ = 0;
    }
    return false;
  }

 private:
  void check() {
    QWidget* modal = QApplication::activeModalWidget();
    // A QPointer forgets a window that was deleted, so a new dialog built at
    // the same address is not taken for the old one.
    if (modal != watched_.data()) {
      watched_ = modal;
      ticks_ = 0;
      return;
    }
    if (modal == nullptr) return;
    if (++ticks_ * timer_.interval() < graceMs_) return;
    ADD_FAILURE() << "modal window left open with nobody to answer it: " << modal->metaObject()->className()
                  << " \"" << modal->windowTitle().toStdString() << "\"";
    modal->close();
    modal->hide();
    ticks_ = 0;
  }

  QTimer timer_;
  QPointer<QWidget> watched_;
  int ticks_ = 0;
  const int graceMs_ = 10000;
};

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  ModalWatchdog watchdog(&app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
