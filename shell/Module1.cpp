#include "shell/Module1.h"

namespace shell {

bool IsNumericKey(int KeyAscii) {
  return KeyAscii == 8 || KeyAscii == 46 || (KeyAscii >= 48 && KeyAscii <= 57);
}

}  // namespace shell
