#pragma once

#include <stdexcept>

namespace rt {

// A conversion that cannot give a value: the language's run-time errors 13
// ("Type mismatch", text that is not a number) and 6 ("Overflow", a value out
// of range). Window handlers catch it and skip the failing step.
class ConversionError : public std::runtime_error {
 public:
  enum Code { Overflow = 6, TypeMismatch = 13 };

  explicit ConversionError(Code code);
  Code code() const { return code_; }

 private:
  Code code_;
};

}  // namespace rt
