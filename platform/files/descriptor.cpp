#include "platform/files/descriptor.h"

#include <cerrno>

namespace files {

bool writeAll(int fd, const char* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;  // a file that takes nothing would be asked for ever
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace files
