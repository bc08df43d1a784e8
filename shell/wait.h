// Waits that keep the windows working: a clock of whole seconds that never
// goes back, and a loop that lets messages run until enough of them passed.
#pragma once

#include <QtGlobal>
#include <functional>

namespace shell {

// Whole seconds of a clock that never goes back: the time of day would jump
// back at midnight and a wait would not end. Its seconds tick at an arbitrary
// phase, so "more than n whole seconds" lasts n to n + 1 s.
using WholeSecondsClock = std::function<qint64()>;
qint64 monotonicWholeSeconds();

// Returns once clock() - start > seconds, letting `processMessages` run
// before each test of the clock. Returns how often messages were processed.
int waitMoreThan(const WholeSecondsClock& clock, qint64 start, int seconds,
                 const std::function<void()>& processMessages);

}  // namespace shell
