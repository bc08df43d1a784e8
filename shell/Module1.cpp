#include "shell/Module1.h"

#include <algorithm>

#include "platform/convert/format.h"
#include "platform/convert/number.h"
#include "platform/files/ports.h"
#include "platform/forms/controls.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "shell/frmSetPtr.h"

namespace shell {

const std::string kDrawerPulse("\x1b\x70\x00\x14\x64\x0d\x0a", 7);

bool IsNumericKey(int KeyAscii) {
  return KeyAscii == 8 || KeyAscii == 46 || (KeyAscii >= 48 && KeyAscii <= 57);
}

bool isAmountEntry(const QString& text) {
  if (text.isEmpty()) return true;
  QString plain = text.trimmed();
  plain.remove(QLatin1Char(','));
  if (!rt::TryAmount(plain)) return false;
  const int point = int(plain.indexOf(QLatin1Char('.')));
  const QString cents = point < 0 ? QString() : plain.mid(point + 1);
  int whole = 0;
  for (const QChar c : point < 0 ? plain : plain.left(point))
    if (c.isDigit() && (whole > 0 || c != QLatin1Char('0'))) ++whole;
  return cents.size() <= 2 && whole <= kMaxAmountDigits - 2;
}

void ReformatAmount(forms::TextBox& box, const QString& format) {
  const auto isAmountChar = [](QChar c) { return c.isDigit() || c == QLatin1Char('.'); };
  const QString typed = box.Text();
  const int caret = std::min(box.SelStart(), int(typed.size()));
  int before = 0;
  for (int i = 0; i < caret; ++i)
    if (isAmountChar(typed[i])) ++before;
  box.setText(rt::Format(typed, format));
  const QString shown = box.Text();
  int at = 0;
  for (; at < shown.size() && before > 0; ++at)
    if (isAmountChar(shown[at])) --before;
  box.setSelStart(at);
}

AmountKey placeAmountKey(const QString& text, int selStart, int selLength, int KeyAscii) {
  if (!IsNumericKey(KeyAscii)) return {AmountKey::Drop};
  const int size = int(text.size());
  selStart = std::clamp(selStart, 0, size);
  selLength = std::clamp(selLength, 0, size - selStart);
  const int point = int(text.indexOf(QLatin1Char('.')));
  const bool pointStays = point >= 0 && !(point >= selStart && point < selStart + selLength);
  if (KeyAscii == '.') {
    // A point typed once the caret is in the cents is a second point.
    if (pointStays)
      return selStart > point ? AmountKey{AmountKey::Drop} : AmountKey{AmountKey::MoveCaret, point + 1};
    if (selLength == size) return {AmountKey::StartCents};
  } else if (KeyAscii == 8) {
    if (selLength == 0 && point >= 0 && selStart == point + 1) return {AmountKey::MoveCaret, point};
  } else if (selLength == 0 && point >= 0 && selStart > point) {
    // The cents are filled in place: the digit takes the place of the one
    // after the caret.
    if (selStart < size && text.at(selStart).isDigit())
      selLength = 1;
    else if (size - point - 1 >= 2)
      return {AmountKey::Drop};
  }
  QString left = text.left(selStart);
  const QString right = text.mid(selStart + selLength);
  if (KeyAscii == 8) {
    if (selLength == 0) left.chop(1);
  } else {
    left += QChar(KeyAscii);
  }
  if (!isAmountEntry(left + right)) return {AmountKey::Drop};
  return {AmountKey::Type, selStart, selLength};
}

void AmountKeyPress(forms::TextBox& box, int& KeyAscii) {
  const AmountKey key = placeAmountKey(box.Text(), box.SelStart(), box.SelLength(), KeyAscii);
  switch (key.kind) {
    case AmountKey::Type:
      if (key.selLength > 0 || box.SelLength() > 0) {
        box.setSelStart(key.selStart);
        box.setSelLength(key.selLength);
      }
      return;
    case AmountKey::Drop:
      break;
    case AmountKey::MoveCaret:
      box.setSelStart(key.selStart);
      break;
    case AmountKey::StartCents:
      // The change step formats the 0 as 0.00.
      box.setText(QStringLiteral("0"));
      box.setSelStart(int(box.Text().indexOf(QLatin1Char('.'))) + 1);
      break;
  }
  KeyAscii = 0;
}

void SendDrawerPulse(const QString& port) {
  files::sendToPort(port.toStdString(), kDrawerPulse);
}

void KickCashDrawer() {
  SendDrawerPulse(SetPtr().cmbECD.Text());
}

std::shared_ptr<sheet::Application> ExcelApp;

bool GetExcelApp() {
  forms::Screen::setMousePointer(forms::vbHourglass);
  bool result = false;
  if (std::shared_ptr<sheet::Application> running = sheet::runningApplication()) ExcelApp = running;
  if (!ExcelApp) ExcelApp = sheet::createApplication();
  if (!ExcelApp) {
    forms::MsgBox(QStringLiteral("Can't Creat Excel Object"), forms::vbOKOnly);
  } else {
    if (!ExcelApp->Visible()) ExcelApp->setVisible(true);
    result = true;
  }
  forms::DoEvents();
  forms::Screen::setMousePointer(forms::vbDefault);
  return result;
}

}  // namespace shell
