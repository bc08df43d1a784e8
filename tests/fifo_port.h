// A FIFO standing in for a drawer port: the test holds its reading end open
// (the sender writes only to a FIFO someone reads) and reads, without
// waiting, what the sender has written so far.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

class FifoPort {
 public:
  explicit FifoPort(const std::string& path) : path_(path) {
    if (::mkfifo(path.c_str(), 0600) == 0) fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  }
  ~FifoPort() {
    if (fd_ >= 0) ::close(fd_);
  }
  FifoPort(const FifoPort&) = delete;
  FifoPort& operator=(const FifoPort&) = delete;

  bool ok() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }
  // Everything written since the last call.
  std::string taken() {
    std::string out;
    char buf[64];
    for (ssize_t n; (n = ::read(fd_, buf, sizeof buf)) > 0;) out.append(buf, static_cast<size_t>(n));
    return out;
  }

 private:
  std::string path_;
  int fd_ = -1;
};
