// A pseudo-terminal standing in for a serial drawer port: its default settings
// turn LF into CR LF, as a real serial port's do. The test reads what the
// line carried from the other end.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
    path_ = ::ptsname(master_);
    // Held open so the line stays up while the sender opens and closes it.
    slave_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  }
  ~PseudoTerminal() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
  }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  bool ok() const { return slave_ >= 0; }
  // The device path of the line ("/dev/pts/N").
  const std::string& path() const { return path_; }
  // What the line carried: reads until nothing more comes for a moment.
  std::string received() {
    std::string out;
    for (;;) {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, out.empty() ? 2000 : 200) <= 0) break;
      char buf[64];
      const ssize_t n = ::read(master_, buf, sizeof buf);
      if (n <= 0) break;
      out.append(buf, static_cast<size_t>(n));
    }
    return out;
  }

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};
