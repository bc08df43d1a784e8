#include "platform/convert/currency.h"

#include "platform/convert/error.h"
#include "platform/convert/number.h"

namespace rt {

Currency Currency::operator-() const {
  std::int64_t result = 0;
  if (__builtin_sub_overflow(std::int64_t(0), raw_, &result))
    throw ConversionError(ConversionError::Overflow);
  return Currency(result);
}

Currency& Currency::operator+=(Currency other) {
  std::int64_t result = 0;
  if (__builtin_add_overflow(raw_, other.raw_, &result)) throw ConversionError(ConversionError::Overflow);
  raw_ = result;
  return *this;
}

Currency& Currency::operator-=(Currency other) {
  std::int64_t result = 0;
  if (__builtin_sub_overflow(raw_, other.raw_, &result)) throw ConversionError(ConversionError::Overflow);
  raw_ = result;
  return *this;
}

Currency operator*(Currency a, double b) {
  return CCur(a.toDouble() * b);
}

}  // namespace rt
