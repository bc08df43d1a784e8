// The rule of the windows whose steps stand alone: a step that fails is
// skipped without a message and the next one runs.
#pragma once

#include <exception>

namespace shell {

// Runs one step; an error it raises ends only this step. Returns false when
// the step failed.
template <class Step>
bool runStep(Step&& step) {
  try {
    step();
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace shell
