#include "platform/files/ports.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <ctime>

#include "platform/files/descriptor.h"
#include "platform/files/paths.h"

namespace files {

namespace {

// How long a port may take the bytes before what is left is dropped: long
// enough for a slow serial line to take a drawer pulse (seven bytes at
// 1200 baud take 60 ms), short enough that the clerk never waits.
constexpr std::chrono::milliseconds kPortPatience{250};

std::string trimmed(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The number after `prefix` in `name` ("COM12" -> 12), or 0 when the rest is
// not 1 to `maxDigits` digits.
int numberAfter(const std::string& name, const std::string& prefix, size_t minDigits, size_t maxDigits) {
  if (name.compare(0, prefix.size(), prefix) != 0) return 0;
  const std::string digits = name.substr(prefix.size());
  if (digits.size() < minDigits || digits.size() > maxDigits) return 0;
  int n = 0;
  for (char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

// While one lives, a write to a FIFO whose reader has just gone fails with
// EPIPE instead of ending the program with SIGPIPE.
class NoBrokenPipeSignal {
 public:
  NoBrokenPipeSignal() {
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    sigpending(&pendingBefore_);
    blocked_ = pthread_sigmask(SIG_BLOCK, &pipe, &previous_) == 0;
  }
  ~NoBrokenPipeSignal() {
    if (!blocked_) return;
    // A SIGPIPE raised by our own write is taken off before the mask goes back.
    if (!sigismember(&pendingBefore_, SIGPIPE)) {
      sigset_t pipe, now;
      sigemptyset(&pipe);
      sigaddset(&pipe, SIGPIPE);
      sigpending(&now);
      if (sigismember(&now, SIGPIPE)) {
        const timespec zero{0, 0};
        while (sigtimedwait(&pipe, nullptr, &zero) < 0 && errno == EINTR) {
        }
      }
    }
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  NoBrokenPipeSignal(const NoBrokenPipeSignal&) = delete;
  NoBrokenPipeSignal& operator=(const NoBrokenPipeSignal&) = delete;

 private:
  sigset_t previous_;
  sigset_t pendingBefore_;
  bool blocked_ = false;
};

int millisecondsLeft(std::chrono::steady_clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

std::optional<std::string> portDevice(const std::string& port) {
  const std::string text = trimmed(port);
  std::string name = upper(text);
  if (name.empty() || name == "NONE") return std::nullopt;
  if (name.back() == ':') name.pop_back();
  if (const int n = numberAfter(name, "LPT", 1, 3); n >= 1) return "/dev/lp" + std::to_string(n - 1);
  if (const int n = numberAfter(name, "COM", 1, 3); n >= 1) return "/dev/ttyS" + std::to_string(n - 1);
  if (const int n = numberAfter(name, "USB", 3, 3); n >= 1) return "/dev/usb/lp" + std::to_string(n - 1);
  return localPath(text);
}

int sendToPort(const std::string& port, const std::string& bytes) {
  const std::optional<std::string> device = portDevice(port);
  if (!device || device->empty()) return 0;

  // No O_CREAT, no O_TRUNC: a name that is not there stays not there, and a
  // file that is there is not cut short by the open.
  const Descriptor fd(::open(device->c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) return 0;
  struct stat st;
  if (::fstat(fd.get(), &st) != 0 || !(S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))) return 0;

  const bool terminal = ::isatty(fd.get()) == 1;
  termios original{};
  bool rawOutput = false;
  if (terminal && ::tcgetattr(fd.get(), &original) == 0) {
    termios raw = original;
    raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    rawOutput = ::tcsetattr(fd.get(), TCSANOW, &raw) == 0;
  }

  const auto deadline = std::chrono::steady_clock::now() + kPortPatience;
  size_t done = 0;
  {
    const NoBrokenPipeSignal guard;
    while (done < bytes.size()) {
      const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
      if (n > 0) {
        done += static_cast<size_t>(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno == EAGAIN) {
        const int wait = millisecondsLeft(deadline);
        if (wait == 0) break;
        pollfd p{fd.get(), POLLOUT, 0};
        ::poll(&p, 1, wait);
        continue;
      }
      break;
    }
  }

  if (terminal) {
    // Output processing happens as the bytes are written, so the settings can
    // go back now. Then give the line a moment to send them; whatever it has
    // not sent by then is dropped, or the close would wait for it (a serial
    // port waits up to 30 s for a stalled line).
    if (rawOutput) ::tcsetattr(fd.get(), TCSANOW, &original);
    int queued = 0;
    while (::ioctl(fd.get(), TIOCOUTQ, &queued) == 0 && queued > 0 && millisecondsLeft(deadline) > 0) {
      const timespec tick{0, 5 * 1000 * 1000};
      ::nanosleep(&tick, nullptr);
    }
    if (queued > 0) ::tcflush(fd.get(), TCOFLUSH);
  }
  return static_cast<int>(done);
}

}  // namespace files
