// One card transaction from start to end, shared by the C entry points and
// the component class.
#pragma once

#include <cstdint>
#include <string>

#include "bridge/core.h"

namespace vxt {

struct RunResult {
  // Answered: an answer file was read. NotAnswered: refused before writing,
  // timed out or cancelled (the reason is outcome.ResultMessage). Failed: an
  // internal error such as a request file that could not be written or an
  // answer that could not be claimed.
  enum Status { Answered, NotAnswered, Failed } status = NotAnswered;
  Outcome outcome;
  std::string error;
};

RunResult RunTransaction(std::int32_t hHandle, const std::string& folder, const std::string& caption,
                         Kind kind, const RequestFields& fields);

}  // namespace vxt
