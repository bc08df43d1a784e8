#include "shell/Module1.h"

#include <algorithm>

#include "platform/convert/format.h"
#include "platform/files/ports.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/controls.h"
#include "platform/forms/screen.h"
#include "shell/frmSetPtr.h"

namespace shell {

const std::string kDrawerPulse("\x1b\x70\x00\x14\x64\x0d\x0a", 7);

bool IsNumericKey(int KeyAscii) {
  return KeyAscii == 8 || KeyAscii == 46 || (KeyAscii >= 48 && KeyAscii <= 57);
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
