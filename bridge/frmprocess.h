// The wait window shown while the card-processing program has a transaction.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

#include "bridge/core.h"

class QFrame;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class TfrmProcess : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmProcess(QWidget* owner = nullptr);

  QPushButton* btnCancel;
  QGroupBox* GroupBox1;
  QLabel* lblProcessing1;
  QLabel* Image1;
  QFrame* Bevel1;
  QLabel* Label1;
  QLabel* lblCaption;
  QLabel* lblProcessing2;
  QLabel* lblTime;
  QProgressBar* ProgressBar1;
  QTimer* Timer;   // the poll, 250 ms
  QTimer* Timer1;  // Cancel button and progress bar, 500 ms

  std::string AnswerFile, RequestFile, HoldFile;
  vxt::TimeoutSettings Settings;
  int TimeoutSecs = 90;
  // Milliseconds on a monotonic clock; tests drive the window with their own.
  std::function<std::int64_t()> Clock;
  std::int64_t StartTime = 0;  // Clock() when the window showed

  bool Approved = false;
  std::string ResultMessage, AVSCode, CVV2Code;
  // Why the wait ended as an error: the answer could not be claimed.
  std::string ClaimError;

  void FormShow();
  void FormHide();
  void TimerTimer();
  void Timer1Timer();
  void btnCancelClick();
  void ProcessAnswerFile(const std::string& claimedPath);

  bool AnswerClaimed() const { return answerClaimed_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 public slots:
  // Escape: the Cancel button while it is enabled, nothing otherwise.
  void reject() override;

 private:
  // The wait ends without an approval: the outcome is the message alone.
  void EndWithout(const std::string& message);

  bool answerClaimed_ = false;
  vxt::AnswerWatch answerWatch_;  // the answer as the last poll found it
};

// The window of the transaction that is running, null between transactions.
extern TfrmProcess* frmProcess;

namespace vxt {

// Makes sure a QApplication exists on this thread for the window, creating one
// for a caller that has none (it follows QT_QPA_PLATFORM). False, with the
// reason, when no window can be shown.
bool EnsureApplication(std::string* error);

// Shows the wait window for the transaction whose answer file is answerPath
// and waits until it closes. True when an answer was read; the outcome holds
// the answer, or the time-out or cancel message with empty codes. *error
// says why the wait ended as an error (an answer that could not be
// claimed), and is empty otherwise.
bool ProcessTransaction(std::int32_t hHandle, const std::string& answerPath, const std::string& caption,
                        Outcome* outcome, std::string* error);

}  // namespace vxt
