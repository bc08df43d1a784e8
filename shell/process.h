// What the program's process lets out of its memory.
#pragma once

namespace shell {

// Card numbers, expiry dates and track texts pass through the program's
// memory on their way to the payment bridge. This keeps that memory from
// being written into a core file when the program crashes (core size limit
// 0) and from being read by other programs of the same user (not dumpable:
// no debugger can attach, /proc/PID/mem is closed to them). Called first
// thing in main, before any card data can exist. False when the system
// refused either step.
bool disableCoreDumps();

}  // namespace shell
