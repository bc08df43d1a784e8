#pragma once

// Internal to the conversions: an exact decimal number that every conversion
// and format goes through, so that rounding works on the decimal value a
// number shows, not on its binary approximation.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace rt::detail {

struct Decimal {
  bool negative = false;
  std::string digits;  // significant digits, no leading or trailing zeros; empty for zero
  int exponent = 0;    // value = digits * 10^exponent

  bool isZero() const { return digits.empty(); }
};

// Strips leading and trailing zeros; zero loses its sign.
void Normalize(Decimal& d);

// The double rounded to 15 significant digits, the precision in which the
// language shows a double. Requires a finite value.
Decimal FromDouble(double value);
Decimal FromCurrencyRaw(std::int64_t raw);

// Rounds to `places` decimal places, half away from zero.
Decimal RoundToPlaces(const Decimal& d, int places);

// The nearest double; nullopt when out of range.
std::optional<double> ToDouble(const Decimal& d);
// Rounded to four places and scaled by 10000; nullopt when out of range.
std::optional<std::int64_t> ToCurrencyRaw(const Decimal& d);

// A number as the locale-aware conversion of text reads it (United States
// settings): blanks around it, a sign, a leading "$", thousands separators,
// a decimal point, an exponent, or a negative in parentheses ("($5.00)").
// nullopt when the text is not such a number.
std::optional<Decimal> ParseNumberText(const QString& text);

// The leading number of a text, as Val reads it: blanks, tabs and line ends
// are ignored anywhere, reading stops at the first other character that
// cannot continue a number. No number gives zero.
Decimal ParseLeadingNumber(const QString& text);

// Fixed notation of the whole value, "-" for negatives ("1234.5", "0.001").
QString ToPlainText(const Decimal& d);

}  // namespace rt::detail
