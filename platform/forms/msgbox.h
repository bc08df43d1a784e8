// The message-box service. Every message of the program goes through
// MsgBox(); a responder decides how it is answered: by default a modal Qt
// message box, in tests a ScriptedMessages queue.
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace forms {

// Button sets, icons and default button, combined with |.
enum MsgBoxStyle {
  vbOKOnly = 0,
  vbOKCancel = 1,
  vbAbortRetryIgnore = 2,
  vbYesNoCancel = 3,
  vbYesNo = 4,
  vbRetryCancel = 5,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
  vbDefaultButton1 = 0,
  vbDefaultButton2 = 256,
  vbDefaultButton3 = 512
};

// The pressed button.
enum MsgBoxResult { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// The title a message box shows when it is given none.
QString AppTitle();

// One message as it was asked: the text, the title shown (the application
// title when none was given) and the style flags.
struct Message {
  QString prompt;
  QString title;
  int buttons = vbOKOnly;
  bool input = false;  // an input box (InputBox), which answers with a text
};

// The answers a style offers, in button order (vbYesNo -> {vbYes, vbNo}).
std::vector<int> buttonsOf(int style);
// The answer of the style's default button.
int defaultAnswer(int style);

// Decides how a message is answered.
class MessageResponder {
 public:
  virtual ~MessageResponder() = default;
  virtual int respond(const Message& message) = 0;
  // An input box: the text entered, or nothing when it was cancelled.
  virtual std::optional<QString> respondInput(const Message& message) = 0;
};

// Installs the responder used by MsgBox and InputBox (nullptr: the modal Qt
// boxes). Returns the one installed before.
MessageResponder* setMessageResponder(MessageResponder* responder);
MessageResponder* messageResponder();

// Shows a message and returns the pressed button. An empty title shows the
// application title "Dovrel POS 4".
int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString());

// Test responder: answers from a queue and records every message. It
// installs itself for its lifetime and puts the previous responder back when
// it goes. A message with no answer left in the queue never blocks: it is
// answered with the style's default button and recorded as unscripted, and
// the optional failure callback is called (tests pass one that fails the
// running test).
class ScriptedMessages : public MessageResponder {
 public:
  explicit ScriptedMessages(std::function<void(const Message&)> onUnscripted = {});
  ~ScriptedMessages() override;
  ScriptedMessages(const ScriptedMessages&) = delete;
  ScriptedMessages& operator=(const ScriptedMessages&) = delete;

  // Queue the answer to the next message box.
  void answer(int result);
  // Queue the answer to the next input box: the text typed and OK, or
  // (nothing) Cancel.
  void answerInput(std::optional<QString> text);
  // Every message shown so far, in order.
  const std::vector<Message>& shown() const { return shown_; }
  // Messages that came when the queue was empty.
  const std::vector<Message>& unscripted() const { return unscripted_; }
  // Answers queued but not used yet.
  int pending() const { return int(answers_.size() + inputs_.size()); }
  void clear();

  int respond(const Message& message) override;
  std::optional<QString> respondInput(const Message& message) override;

 private:
  std::deque<int> answers_;
  struct Input {
    bool ok;
    QString text;
  };
  std::deque<Input> inputs_;
  std::vector<Message> shown_;
  std::vector<Message> unscripted_;
  std::function<void(const Message&)> onUnscripted_;
  MessageResponder* previous_;
};

}  // namespace forms
