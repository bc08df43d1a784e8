// Device ports named the Windows way ("LPT1:", "COM2:", "USB001"), as the
// cash drawer's port is stored, and a sender of a few bytes to one of them.
#pragma once

#include <optional>
#include <string>

namespace files {

// The device a port text names on this station:
//   "LPTn:" -> /dev/lp{n-1}, "COMn:" -> /dev/ttyS{n-1}, "USB00n" -> /dev/usb/lp{n-1}
// with the letters in any case and the colon optional, as on Windows. "None",
// an empty or blank text name nothing. Any other text is a path mapped through
// the path layer, so "/dev/ttyUSB0" stands as it is and "Network" stays a
// relative name (which the sender never creates).
std::optional<std::string> portDevice(const std::string& port);

// Writes `bytes` to the device a port text names, and returns at once:
//  - nothing is ever created or truncated: a missing device, a regular file,
//    a folder or anything other than a character device or a FIFO is left
//    untouched;
//  - the device is opened write-only, without blocking and without becoming
//    the controlling terminal; a FIFO nobody reads is not written;
//  - a terminal is switched to raw output first (its default settings would
//    turn LF into CR LF); its speed and other settings stay;
//  - a port that takes no data, or a serial line that cannot drain, holds up
//    neither the write nor the close: what it has not taken after a short
//    moment is dropped.
// Every failure is silent. Returns the number of bytes the device took.
int sendToPort(const std::string& port, const std::string& bytes);

}  // namespace files
