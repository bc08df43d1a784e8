#pragma once

#include <cstdint>

namespace rt {

// Fixed-point money with four decimal places: the value times 10000 in a
// 64-bit integer, range -922,337,203,685,477.5808 to 922,337,203,685,477.5807.
// Sums and differences are exact; leaving the range throws
// ConversionError(Overflow).
class Currency {
 public:
  constexpr Currency() = default;
  static constexpr Currency fromRaw(std::int64_t tenThousandths) { return Currency(tenThousandths); }

  constexpr std::int64_t raw() const { return raw_; }
  double toDouble() const { return static_cast<double>(raw_) / 10000.0; }

  Currency operator-() const;
  Currency& operator+=(Currency other);
  Currency& operator-=(Currency other);

  friend Currency operator+(Currency a, Currency b) { return a += b; }
  friend Currency operator-(Currency a, Currency b) { return a -= b; }
  // The product rounded to four decimals, half away from zero (CCur of the
  // double product). To show a product in cents, format the double product
  // itself (Format(c.toDouble() * rate, ...)): rounding first to four
  // decimals and then to two can move a cent (0.33495 would give 0.34).
  friend Currency operator*(Currency a, double b);
  friend Currency operator*(double a, Currency b) { return b * a; }

  friend constexpr bool operator==(Currency a, Currency b) { return a.raw_ == b.raw_; }
  friend constexpr bool operator!=(Currency a, Currency b) { return a.raw_ != b.raw_; }
  friend constexpr bool operator<(Currency a, Currency b) { return a.raw_ < b.raw_; }
  friend constexpr bool operator<=(Currency a, Currency b) { return a.raw_ <= b.raw_; }
  friend constexpr bool operator>(Currency a, Currency b) { return a.raw_ > b.raw_; }
  friend constexpr bool operator>=(Currency a, Currency b) { return a.raw_ >= b.raw_; }

 private:
  constexpr explicit Currency(std::int64_t raw) : raw_(raw) {}
  std::int64_t raw_ = 0;
};

}  // namespace rt
