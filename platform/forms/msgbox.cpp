#include "platform/forms/msgbox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "platform/forms/tapguard.h"

namespace forms {

namespace {

MessageResponder* g_responder = nullptr;

// The modal Qt message box of a station with a clerk in front of it.
int askWithQt(const Message& m) {
  detail::guardTapsAfterModals();
  QMessageBox box;
  box.setWindowTitle(m.title);
  box.setText(m.prompt);
  switch (m.buttons & 0x70) {
    case vbCritical:
      box.setIcon(QMessageBox::Critical);
      break;
    case vbQuestion:
      box.setIcon(QMessageBox::Question);
      break;
    case vbExclamation:
      box.setIcon(QMessageBox::Warning);
      break;
    case vbInformation:
      box.setIcon(QMessageBox::Information);
      break;
    default:
      box.setIcon(QMessageBox::NoIcon);
      break;
  }
  std::vector<std::pair<QPushButton*, int>> buttons;
  for (int answer : buttonsOf(m.buttons)) {
    QString caption;
    QMessageBox::ButtonRole role = QMessageBox::AcceptRole;
    switch (answer) {
      case vbOK:
        caption = QStringLiteral("OK");
        break;
      case vbCancel:
        caption = QStringLiteral("Cancel"), role = QMessageBox::RejectRole;
        break;
      case vbAbort:
        caption = QStringLiteral("Abort"), role = QMessageBox::RejectRole;
        break;
      case vbRetry:
        caption = QStringLiteral("Retry");
        break;
      case vbIgnore:
        caption = QStringLiteral("Ignore");
        break;
      case vbYes:
        caption = QStringLiteral("Yes"), role = QMessageBox::YesRole;
        break;
      case vbNo:
        caption = QStringLiteral("No"), role = QMessageBox::NoRole;
        break;
    }
    buttons.emplace_back(box.addButton(caption, role), answer);
  }
  const int def = defaultAnswer(m.buttons);
  for (auto& [button, answer] : buttons) {
    if (answer == def) box.setDefaultButton(button);
  }
  if (buttons.size() == 1) box.setEscapeButton(buttons.front().first);
  box.exec();
  for (auto& [button, answer] : buttons) {
    if (box.clickedButton() == button) return answer;
  }
  // Closed without a button (Escape with no Cancel): the window's own close
  // counts as Cancel where there is one, else as the default button.
  for (auto& [button, answer] : buttons) {
    if (answer == vbCancel) return vbCancel;
  }
  return def;
}

}  // namespace

QString AppTitle() {
  return QStringLiteral("Dovrel POS 4");
}

std::vector<int> buttonsOf(int style) {
  switch (style & 0x0F) {
    case vbOKCancel:
      return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
      return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
      return {vbYes, vbNo, vbCancel};
    case vbYesNo:
      return {vbYes, vbNo};
    case vbRetryCancel:
      return {vbRetry, vbCancel};
    default:
      return {vbOK};
  }
}

int defaultAnswer(int style) {
  const std::vector<int> buttons = buttonsOf(style);
  std::size_t index = 0;
  if (style & vbDefaultButton3)
    index = 2;
  else if (style & vbDefaultButton2)
    index = 1;
  return index < buttons.size() ? buttons[index] : buttons.front();
}

MessageResponder* setMessageResponder(MessageResponder* responder) {
  return std::exchange(g_responder, responder);
}

MessageResponder* messageResponder() {
  return g_responder;
}

int MsgBox(const QString& prompt, int buttons, const QString& title) {
  Message m{prompt, title.isEmpty() ? AppTitle() : title, buttons};
  if (g_responder != nullptr) return g_responder->respond(m);
  return askWithQt(m);
}

ScriptedMessages::ScriptedMessages(std::function<void(const Message&)> onUnscripted)
    : onUnscripted_(std::move(onUnscripted)), previous_(setMessageResponder(this)) {}

ScriptedMessages::~ScriptedMessages() {
  setMessageResponder(previous_);
}

void ScriptedMessages::answer(int result) {
  answers_.push_back(result);
}

void ScriptedMessages::answerInput(std::optional<QString> text) {
  inputs_.push_back(Input{text.has_value(), text.value_or(QString())});
}

void ScriptedMessages::clear() {
  answers_.clear();
  inputs_.clear();
  shown_.clear();
  unscripted_.clear();
}

int ScriptedMessages::respond(const Message& message) {
  shown_.push_back(message);
  if (answers_.empty()) {
    unscripted_.push_back(message);
    if (onUnscripted_) onUnscripted_(message);
    return defaultAnswer(message.buttons);
  }
  const int result = answers_.front();
  answers_.pop_front();
  return result;
}

std::optional<QString> ScriptedMessages::respondInput(const Message& message) {
  shown_.push_back(message);
  if (inputs_.empty()) {
    unscripted_.push_back(message);
    if (onUnscripted_) onUnscripted_(message);
    return std::nullopt;
  }
  const Input input = inputs_.front();
  inputs_.pop_front();
  if (!input.ok) return std::nullopt;
  return input.text;
}

}  // namespace forms
