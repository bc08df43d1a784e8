#include "shell/wait.h"

#include <chrono>

namespace shell {

qint64 monotonicWholeSeconds() {
  using namespace std::chrono;
  return duration_cast<seconds>(steady_clock::now().time_since_epoch()).count();
}

int waitMoreThan(const WholeSecondsClock& clock, qint64 start, int seconds,
                 const std::function<void()>& processMessages) {
  int rounds = 0;
  while (clock() - start <= seconds) {
    processMessages();
    ++rounds;
  }
  return rounds;
}

}  // namespace shell
