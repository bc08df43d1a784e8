#include "platform/forms/inputbox.h"

#include <QInputDialog>

#include "platform/forms/msgbox.h"
#include "platform/forms/tapguard.h"

namespace forms {

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
  Message m{prompt, title.isEmpty() ? AppTitle() : title, vbOKCancel, true};
  if (MessageResponder* responder = messageResponder()) return responder->respondInput(m).value_or(QString());
  detail::guardTapsAfterModals();
  bool ok = false;
  const QString text = QInputDialog::getText(nullptr, m.title, m.prompt, QLineEdit::Normal, defaultText, &ok);
  return ok ? text : QString();
}

}  // namespace forms
