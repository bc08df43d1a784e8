// An open file descriptor with one owner: closed when the owner goes, so no
// early return or exception leaves one open.
#pragma once

#include <unistd.h>

#include <cstddef>

namespace files {

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes it now; the close's own result (0, or -1 with errno set), which
  // tells whether the data reached the file.
  int close() {
    const int fd = fd_;
    fd_ = -1;
    return fd >= 0 ? ::close(fd) : 0;
  }

 private:
  int fd_;
};

// Writes all `size` bytes to `fd`, going on after a partial or interrupted
// write. False when the file takes no more, with errno saying why.
bool writeAll(int fd, const char* data, std::size_t size);

}  // namespace files
