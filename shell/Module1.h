// Small routines the windows share.
#pragma once

namespace shell {

// The key filter of the amount and code boxes: true for Backspace (8), the
// point (46) and the digits 0-9 (48-57). A KeyPress handler drops any other
// key by setting KeyAscii to 0.
bool IsNumericKey(int KeyAscii);

}  // namespace shell
