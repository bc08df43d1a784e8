// While one of these lives, no file of the process may grow: every write
// fails with EFBIG, even for root, so tests can see a request file that
// cannot be written. The signal such a write raises is ignored meanwhile.
#pragma once

#include <signal.h>
#include <sys/resource.h>

class NoFileGrowth {
 public:
  NoFileGrowth() {
    ignore_.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore_, &previous_);
    active_ = getrlimit(RLIMIT_FSIZE, &old_) == 0;
    if (!active_) return;
    struct rlimit none = old_;
    none.rlim_cur = 0;
    active_ = setrlimit(RLIMIT_FSIZE, &none) == 0;
  }
  ~NoFileGrowth() {
    if (active_) setrlimit(RLIMIT_FSIZE, &old_);
    sigaction(SIGXFSZ, &previous_, nullptr);
  }
  NoFileGrowth(const NoFileGrowth&) = delete;
  NoFileGrowth& operator=(const NoFileGrowth&) = delete;

  // False when the limit could not be set (the test cannot run then).
  bool active() const { return active_; }

 private:
  struct sigaction ignore_ {};
  struct sigaction previous_ {};
  struct rlimit old_ {};
  bool active_ = false;
};
