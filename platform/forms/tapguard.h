// The guard against the second tap of a double tap that closed a prompt.
//
// On a touch screen the clerk's second tap comes fast. When the first one
// closes a modal window (a size prompt, the modifier pad, a message box), the
// second would land on whatever the window covered: a line of the ticket, or
// the next prompt opening in the same place. A press (mouse or touch) that
// arrives within the platform's double-click interval after a modal window
// closed, at a point the closed window covered, is therefore dropped, and so
// is the rest of that press (its release, its moves). A press after the
// interval, or elsewhere, goes through as it always did.
//
// "Arrives" is the time the platform gives the press, so that a press queued
// while the code after the close still ran counts as the fast tap it was.
// The close is timed on the same scale: the time of the last input event
// seen, plus what the runtime's clock counted since. An event the program
// makes itself without a platform time is not guarded.
#pragma once

#include <QtGlobal>
#include <functional>

namespace forms {

// Milliseconds of a clock that never goes back.
using MillisecondsClock = std::function<qint64()>;

// The clock the guard counts by since the last input event; the runtime's
// own unless a test sets one. Returns the clock it replaces.
MillisecondsClock setTapGuardClock(MillisecondsClock clock);

namespace detail {
// Starts the guard for the application (once; later calls do nothing). The
// runtime calls it before it shows a window or a message box.
void guardTapsAfterModals();
}  // namespace detail

}  // namespace forms
