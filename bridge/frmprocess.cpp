#include "bridge/frmprocess.h"

#include <unistd.h>

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <memory>

TfrmProcess* frmProcess = nullptr;

namespace {

// The window was laid out for a narrow Windows sans face; Liberation Sans
// has the same widths as the common one, DejaVu Sans is the fallback.
QFont SansSerif(int pixelSize) {
  QFont font;
  font.setFamilies({"Liberation Sans", "DejaVu Sans"});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  return font;
}

// A green dollar sign with a dark shadow on a transparent ground.
QPixmap DollarPicture() {
  QPixmap picture(16, 22);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  QFont font = SansSerif(20);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(0, 64, 0));
  painter.drawText(QRect(1, 1, 16, 22), Qt::AlignCenter, "$");
  painter.setPen(QColor(0, 160, 0));
  painter.drawText(QRect(0, 0, 16, 22), Qt::AlignCenter, "$");
  return picture;
}

std::int64_t MonotonicMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QLabel* SunkenField(QWidget* parent, const QRect& geometry, const QString& text) {
  auto* field = new QLabel(text, parent);
  field->setGeometry(geometry);
  field->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  field->setAutoFillBackground(true);
  return field;
}

}  // namespace

TfrmProcess::TfrmProcess(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), Clock(MonotonicMs) {
  setWindowTitle("Processing...");
  setModal(true);
  setFixedSize(362, 174);
  setFont(SansSerif(11));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, pal.color(QPalette::Button));
  setPalette(pal);
  setAutoFillBackground(true);

  btnCancel = new QPushButton("Cancel", this);
  btnCancel->setGeometry(143, 144, 75, 25);
  btnCancel->setEnabled(false);
  btnCancel->setAutoDefault(false);

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setGeometry(8, 4, 345, 133);

  lblProcessing1 = new QLabel("Processing Transaction", GroupBox1);
  lblProcessing1->setGeometry(40, 12, 197, 24);
  lblProcessing1->setFont(SansSerif(19));

  Image1 = new QLabel(GroupBox1);
  Image1->setGeometry(12, 13, 16, 22);
  Image1->setPixmap(DollarPicture());

  Bevel1 = new QFrame(GroupBox1);
  Bevel1->setGeometry(40, 44, 285, 9);
  Bevel1->setStyleSheet("QFrame { border: none; border-top: 2px groove palette(mid); }");

  Label1 = new QLabel("Transaction Type", GroupBox1);
  Label1->setGeometry(40, 60, 83, 13);
  lblCaption = SunkenField(GroupBox1, QRect(128, 60, 197, 17), " Purchase");

  lblProcessing2 = new QLabel("Elapsed Time", GroupBox1);
  lblProcessing2->setGeometry(40, 88, 64, 13);
  lblTime = SunkenField(GroupBox1, QRect(128, 88, 197, 17), " 0:00");

  // The three captions size themselves to their text from their left edge, so
  // a font wider than the one the layout was drawn for does not clip them.
  for (QLabel* label : {lblProcessing1, Label1, lblProcessing2}) label->adjustSize();

  ProgressBar1 = new QProgressBar(GroupBox1);
  ProgressBar1->setGeometry(128, 105, 197, 8);
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setMinimum(0);
  ProgressBar1->setMaximum(2 * TimeoutSecs);
  ProgressBar1->setValue(0);

  Timer = new QTimer(this);
  Timer->setInterval(250);
  connect(Timer, &QTimer::timeout, this, &TfrmProcess::TimerTimer);
  Timer1 = new QTimer(this);
  Timer1->setInterval(500);
  connect(Timer1, &QTimer::timeout, this, &TfrmProcess::Timer1Timer);
  Timer1->start();

  connect(btnCancel, &QPushButton::clicked, this, &TfrmProcess::btnCancelClick);
}

void TfrmProcess::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TfrmProcess::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous()) FormHide();
}

void TfrmProcess::closeEvent(QCloseEvent* event) {
  // The window ends only through its own logic; a close request from the
  // window manager counts as Cancel while Cancel is possible.
  event->ignore();
  reject();
}

void TfrmProcess::reject() {
  if (btnCancel->isEnabled() && !answerClaimed_) btnCancelClick();
}

void TfrmProcess::FormShow() {
  StartTime = Clock();
  lblTime->setText("0:00");
  Timer->start();
}

void TfrmProcess::FormHide() {
  Timer->stop();
}

void TfrmProcess::TimerTimer() {
  Timer->stop();
  bool claimed = false;
  bool timedOut = false;
  try {
    const std::int64_t ms = Clock() - StartTime;
    lblTime->setText(QString::fromStdString(vxt::ElapsedText(ms)));
    const vxt::AnswerState answer = answerWatch_.Look(AnswerFile);
    const std::int64_t elapsed = vxt::ElapsedWholeSeconds(ms);
    if (elapsed > TimeoutSecs) {
      if (const std::optional<int> extended =
              vxt::ExtendTimeout(TimeoutSecs, vxt::FileExists(HoldFile), Settings)) {
        TimeoutSecs = *extended;
        ProgressBar1->setMaximum(2 * TimeoutSecs);
      } else if (answer == vxt::AnswerState::Changing && elapsed <= Settings.maxSecs) {
        // An answer is being written as the limit passes: it gets the poll
        // it needs to stand still, so an approval is not lost to the
        // time-out (and the card charged again on a retry).
      } else {
        EndWithout(vxt::TimeoutMessage(vxt::TransactionNameOf(AnswerFile)));
        ::unlink(RequestFile.c_str());
        timedOut = true;
      }
    }
    // An answer that stood still over the last poll is written to the end
    // and is taken; one found in the same tick as the time-out still wins.
    // One that cannot be moved ends the wait as an error: it would fail the
    // same way on every later poll.
    if (answer == vxt::AnswerState::Still) {
      const vxt::Claim claim = vxt::ClaimAnswer(AnswerFile);
      if (claim.status == vxt::Claim::Claimed) {
        answerClaimed_ = true;
        claimed = true;
        btnCancel->setEnabled(false);
        ProcessAnswerFile(claim.path);
      } else if (claim.status == vxt::Claim::Failed) {
        ClaimError = vxt::ClaimFailureMessage(AnswerFile, claim.error);
        ::unlink(RequestFile.c_str());
      }
    }
  } catch (...) {
    // A failing step must not stop the polling; the next tick tries again.
    // Once the answer is claimed nothing else can end the wait, so a reading
    // that failed half-way ends it as an invalid answer.
    if (claimed) EndWithout(vxt::kMsgInvalidAnswer);
  }
  if (claimed) {
    done(QDialog::Accepted);
  } else if (timedOut || !ClaimError.empty()) {
    done(QDialog::Rejected);
  } else if (isVisible()) {
    Timer->start();
  }
}

void TfrmProcess::Timer1Timer() {
  if (!answerClaimed_) btnCancel->setEnabled(vxt::FileExists(RequestFile));
  if (ProgressBar1->value() < ProgressBar1->maximum()) ProgressBar1->setValue(ProgressBar1->value() + 1);
}

void TfrmProcess::btnCancelClick() {
  if (answerClaimed_) return;  // the answer wins
  // Only a request the card program has not taken yet can be withdrawn.
  if (::unlink(RequestFile.c_str()) == 0) {
    EndWithout(vxt::kMsgCanceled);
    done(QDialog::Rejected);
  } else {
    btnCancel->setEnabled(false);
  }
}

void TfrmProcess::EndWithout(const std::string& message) {
  Approved = false;
  ResultMessage = message;
  AVSCode.clear();
  CVV2Code.clear();
}

void TfrmProcess::ProcessAnswerFile(const std::string& claimedPath) {
  QCoreApplication::processEvents();
  const vxt::Outcome outcome = vxt::ReadAnswerFile(claimedPath, [] { QThread::msleep(1000); });
  Approved = outcome.Approved;
  ResultMessage = outcome.ResultMessage;
  AVSCode = outcome.AVSCode;
  CVV2Code = outcome.CVV2Code;
}

namespace vxt {

bool EnsureApplication(std::string* error) {
  QCoreApplication* existing = QCoreApplication::instance();
  if (existing != nullptr) {
    if (qobject_cast<QApplication*>(existing) == nullptr) {
      *error = "The card transaction window needs a graphical application";
      return false;
    }
    if (existing->thread() != QThread::currentThread()) {
      *error = "Card transactions must run on the application's user-interface thread";
      return false;
    }
    return true;
  }
  // Qt ends the process when it cannot reach a display; refuse instead.
  const auto set = [](const char* name) {
    const char* v = std::getenv(name);
    return v != nullptr && *v != '\0';
  };
  if (!set("QT_QPA_PLATFORM") && !set("DISPLAY") && !set("WAYLAND_DISPLAY")) {
    *error = "No display for the card transaction window";
    return false;
  }
  // A caller without Qt of its own: the application object lives until the
  // process ends, so later transactions reuse it.
  static int argc = 1;
  static char name[] = "VXTransaction";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  return true;
}

bool ProcessTransaction(std::int32_t hHandle, const std::string& answerPath, const std::string& caption,
                        Outcome* outcome, std::string* error) {
  // Between transactions frmProcess is null again, however this call ends.
  struct ClearCurrent {
    ~ClearCurrent() { frmProcess = nullptr; }
  } clearCurrent;

  QWidget* owner = nullptr;
  if (hHandle != 0) {
    owner = QWidget::find(static_cast<WId>(static_cast<std::uint32_t>(hHandle)));
    if (owner != nullptr) owner = owner->window();
  }
  auto window = std::make_unique<TfrmProcess>(owner);
  frmProcess = window.get();
  window->AnswerFile = answerPath;
  window->RequestFile = RequestPathFor(answerPath);
  window->HoldFile = HoldPathFor(answerPath);
  window->Settings = CurrentTimeoutSettings();
  window->TimeoutSecs = window->Settings.defaultSecs;
  window->ProgressBar1->setMaximum(2 * window->TimeoutSecs);
  window->lblCaption->setText(QString::fromStdString(" " + caption));
  if (QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen()) {
    QRect area = screen->geometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
  }

  // The window is a child of the caller's window; should that window be
  // destroyed meanwhile, it takes the wait window with it.
  const std::string requestFile = window->RequestFile;
  const QPointer<TfrmProcess> alive(window.get());
  // Closed from outside before any outcome: the request is withdrawn if the
  // card program has not taken it, and the transaction is cancelled. One the
  // card program has taken may still be answered, and approved, as after a
  // time-out.
  const auto endedFromOutside = [&] {
    return ::unlink(requestFile.c_str()) == 0 ? std::string(kMsgCanceled)
                                              : TimeoutMessage(TransactionNameOf(answerPath));
  };
  const int code = window->exec();
  if (alive.isNull()) {
    (void)window.release();  // already deleted by its owner
    *outcome = Outcome();
    outcome->ResultMessage = endedFromOutside();
    return false;
  }

  *error = window->ClaimError;
  const bool answered = code == QDialog::Accepted && window->AnswerClaimed();
  if (!answered && window->ResultMessage.empty() && error->empty())
    window->ResultMessage = endedFromOutside();
  outcome->Approved = window->Approved;
  outcome->ResultMessage = window->ResultMessage;
  outcome->AVSCode = answered ? window->AVSCode : std::string();
  outcome->CVV2Code = answered ? window->CVV2Code : std::string();
  return answered;
}

}  // namespace vxt
