// The transfer control: fetches a URL over HTTP and hands back its body as
// text. It has no widget.
#pragma once

#include <QPointer>
#include <QString>

#include "platform/forms/control.h"

class QEventLoop;

namespace forms {

// The wait for an answer ended because the window or the program closed.
class InetCancelled : public Error {
 public:
  InetCancelled() : Error(QStringLiteral("The request was cancelled"), 35764) {}
};

class Inet : public Control {
 public:
  Inet(Form* form, const char* name, int index = -1);

  // A GET of the whole resource; returns its body as text (UTF-8). Window
  // messages keep running while it waits, so the windows stay usable. Throws
  // Error for a status other than 200, a network error, or no complete answer
  // within the time-out; InetCancelled when the window unloads or the
  // program quits meanwhile. A second call while one waits is refused.
  QString OpenURL(const QString& url);
  // True while a request waits for its answer.
  bool StillExecuting() const { return waiting_ != nullptr; }

  // How long one request may take, whole: 60 s unless set.
  int RequestTimeoutMs() const { return timeoutMs_; }
  void setRequestTimeoutMs(int ms) { timeoutMs_ = ms > 0 ? ms : 1; }

 protected:
  QWidget* createWidget(QWidget*) override { return nullptr; }
  void saveDesign() override { timeoutDesign_ = timeoutMs_; }
  void restoreDesign() override { timeoutMs_ = timeoutDesign_; }
  void releasing() override;

 private:
  int timeoutMs_ = 60000;
  int timeoutDesign_ = 60000;
  QPointer<QEventLoop> waiting_;
  bool cancelled_ = false;
};

}  // namespace forms
