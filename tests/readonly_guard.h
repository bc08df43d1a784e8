// While one of these lives, a file or folder cannot be written, even by root:
// its write permissions are taken away, and for root the immutable flag is
// set as well. Both are restored when it goes, so the temporary folder can be
// removed.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

class ReadOnlyPath {
 public:
  explicit ReadOnlyPath(const std::string& path) : path_(path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return;
    mode_ = st.st_mode & 07777;
    if (::chmod(path.c_str(), mode_ & ~0222) != 0) return;
    active_ = ::geteuid() != 0 || setImmutable(true);
  }
  ~ReadOnlyPath() {
    if (immutable_) setImmutable(false);
    if (mode_ != 0) ::chmod(path_.c_str(), mode_);
  }
  ReadOnlyPath(const ReadOnlyPath&) = delete;
  ReadOnlyPath& operator=(const ReadOnlyPath&) = delete;

  // False when the path could not be made read-only (the test cannot run).
  bool active() const { return active_; }

 private:
  bool setImmutable(bool on) {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    immutable_ = on && ok;
    return ok;
  }

  std::string path_;
  mode_t mode_ = 0;
  bool active_ = false;
  bool immutable_ = false;
};
