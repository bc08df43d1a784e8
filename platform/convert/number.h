#pragma once

// Text to number and number to text, as the windows convert the amounts and
// quantities that travel between them as text.

#include <QString>
#include <optional>

#include "platform/convert/currency.h"
#include "platform/convert/error.h"

namespace rt {

// The leading number of a text: "025" gives 25, "2.5x" 2.5, "1/2" 1, "1,234" 1
// (reading stops at the comma), " 12 " 12, "-3" -3; blanks inside are ignored
// and a text without a leading number gives 0. Never a type mismatch; a value
// beyond the range of a double throws ConversionError(Overflow).
double Val(const QString& text);

// The locale-aware conversions (United States settings): surrounding blanks,
// a sign, a leading "$", thousands separators ("1,234.50"), an exponent and a
// negative in parentheses are accepted. The Try forms never throw: nullopt
// for text that is not a number (the empty text included) or out of range.
// The others throw ConversionError(TypeMismatch) and (Overflow) instead.
std::optional<double> TryCDbl(const QString& text);
double CDbl(const QString& text);
inline double CDbl(Currency value) {
  return value.toDouble();
}

// Text is read exactly as a decimal and rounded to four places, half away
// from zero. A double is taken at the 15 significant digits it shows
// (2.5 * 0.05 is 0.125) and then rounded the same way.
std::optional<Currency> TryCCur(const QString& text);
Currency CCur(const QString& text);
Currency CCur(double value);

// An amount as the windows write one and a clerk keys one: surrounding
// blanks, a minus sign, a "$" (blanks may follow it), digits whose commas group thousands
// ("1,234.50"), and at most one decimal point ("12", ".50", "8."). The
// amount it reads, or nothing for any other text: "8,50" (which CCur reads
// as 850), "1e3", "(5)", "8.5o", the empty text. Every rule that decides
// whether a stored or typed price is an amount asks this, so that what one
// window takes another never refuses.
std::optional<Currency> TryAmount(const QString& text);

// True when the text reads as a number in the range of a double.
inline bool IsNumeric(const QString& text) {
  return TryCDbl(text).has_value();
}

// The plain text of a number: up to 15 significant digits, no thousands
// separators, no trailing zeros, a "0" before the point ("0.5", "-0.5"), and
// scientific notation below 1E-04 or from 1E+15 on ("1E+16",
// "1.23456789012346E+15"). Throws Overflow for infinity and NaN.
QString CStr(double value);
// Up to four decimals, no trailing zeros, never scientific ("45", "45.5",
// "1234.56").
QString CStr(Currency value);

}  // namespace rt
