#include "shell/Module1.h"

#include "platform/files/ports.h"
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

}  // namespace shell
