#include "shell/Module1.h"

#include "platform/files/ports.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "shell/frmSetPtr.h"

namespace shell {

const std::string kDrawerPulse("\x1b\x70\x00\x14\x64\x0d\x0a", 7);

bool IsNumericKey(int KeyAscii) {
  return KeyAscii == 8 || KeyAscii == 46 || (KeyAscii >= 48 && KeyAscii <= 57);
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
