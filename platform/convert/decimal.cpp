#include "platform/convert/decimal.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace rt::detail {
namespace {

// Exponents beyond this are out of range for every target anyway; capping them
// keeps the arithmetic on `exponent` from overflowing on hostile input.
constexpr int kExponentCap = 100000;

bool IsDigit(QChar c) {
  return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Collects the digits of a mantissa into a Decimal: integer digits, then
// fraction digits that lower the exponent.
struct MantissaBuilder {
  Decimal d;
  int digitCount = 0;

  void addInteger(QChar c) {
    d.digits.push_back(static_cast<char>(c.unicode()));
    ++digitCount;
  }
  void addFraction(QChar c) {
    d.digits.push_back(static_cast<char>(c.unicode()));
    --d.exponent;
    ++digitCount;
  }
};

// Reads "[+-]digits" at `pos` as a capped exponent; false when no digit follows.
bool ReadExponent(const QString& s, int& pos, int& value) {
  int p = pos;
  bool negative = false;
  if (p < s.size() && (s[p] == QLatin1Char('+') || s[p] == QLatin1Char('-'))) {
    negative = s[p] == QLatin1Char('-');
    ++p;
  }
  if (p >= s.size() || !IsDigit(s[p])) return false;
  long long v = 0;
  while (p < s.size() && IsDigit(s[p])) {
    if (v < kExponentCap) v = v * 10 + (s[p].unicode() - '0');
    ++p;
  }
  if (v > kExponentCap) v = kExponentCap;
  value = static_cast<int>(negative ? -v : v);
  pos = p;
  return true;
}

bool IsExponentMark(QChar c) {
  return c == QLatin1Char('e') || c == QLatin1Char('E') || c == QLatin1Char('d') || c == QLatin1Char('D');
}

}  // namespace

void Normalize(Decimal& d) {
  std::size_t first = d.digits.find_first_not_of('0');
  if (first == std::string::npos) {
    d = Decimal{};
    return;
  }
  d.digits.erase(0, first);
  std::size_t last = d.digits.find_last_not_of('0');
  d.exponent += static_cast<int>(d.digits.size() - 1 - last);
  d.digits.erase(last + 1);
}

Decimal FromDouble(double value) {
  // Scientific notation with 14 digits after the point: 15 significant
  // digits, correctly rounded, independent of the C locale.
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
  Decimal d;
  const char* p = buf;
  if (p < res.ptr && *p == '-') {
    d.negative = true;
    ++p;
  }
  for (; p < res.ptr && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') d.digits.push_back(*p);
  }
  int exp10 = 0;
  if (p < res.ptr && *p == 'e') {
    ++p;
    std::from_chars(p + (*p == '+' ? 1 : 0), res.ptr, exp10);
  }
  d.exponent = exp10 - 14;
  Normalize(d);
  return d;
}

Decimal FromCurrencyRaw(std::int64_t raw) {
  Decimal d;
  d.negative = raw < 0;
  std::uint64_t magnitude =
      raw < 0 ? std::uint64_t(0) - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
  d.digits = std::to_string(magnitude);
  d.exponent = -4;
  Normalize(d);
  return d;
}

Decimal RoundToPlaces(const Decimal& d, int places) {
  if (d.isZero() || d.exponent >= -places) return d;
  const long long n = static_cast<long long>(d.digits.size());
  const long long cut = static_cast<long long>(-places) - d.exponent;  // digits to drop, > 0
  Decimal r;
  r.negative = d.negative;
  r.exponent = -places;
  if (cut > n) return Decimal{};  // below half of the last kept place
  const std::size_t keep = static_cast<std::size_t>(n - cut);
  r.digits = d.digits.substr(0, keep);
  if (d.digits[keep] >= '5') {
    // Half away from zero: add one unit in the last kept place.
    std::size_t i = r.digits.size();
    while (i > 0 && r.digits[i - 1] == '9') {
      r.digits[i - 1] = '0';
      --i;
    }
    if (i == 0)
      r.digits.insert(r.digits.begin(), '1');
    else
      ++r.digits[i - 1];
  }
  Normalize(r);
  return r;
}

std::optional<double> ToDouble(const Decimal& d) {
  if (d.isZero()) return 0.0;
  const long long magnitude = static_cast<long long>(d.exponent) + static_cast<long long>(d.digits.size());
  if (magnitude > 310) return std::nullopt;
  if (magnitude < -330) return d.negative ? -0.0 : 0.0;
  std::string text = d.digits + "e" + std::to_string(d.exponent);
  double value = 0.0;
  auto res = std::from_chars(text.data(), text.data() + text.size(), value);
  if (res.ec == std::errc::result_out_of_range) {
    if (magnitude < 0) return d.negative ? -0.0 : 0.0;
    return std::nullopt;
  }
  if (res.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return d.negative ? -value : value;
}

std::optional<std::int64_t> ToCurrencyRaw(const Decimal& d) {
  Decimal r = RoundToPlaces(d, 4);
  if (r.isZero()) return 0;
  const int scale = r.exponent + 4;  // >= 0 after rounding
  if (static_cast<long long>(r.digits.size()) + scale > 19) return std::nullopt;
  std::uint64_t magnitude = 0;
  for (char c : r.digits) {
    if (__builtin_mul_overflow(magnitude, std::uint64_t(10), &magnitude) ||
        __builtin_add_overflow(magnitude, std::uint64_t(c - '0'), &magnitude))
      return std::nullopt;
  }
  for (int i = 0; i < scale; ++i) {
    if (__builtin_mul_overflow(magnitude, std::uint64_t(10), &magnitude)) return std::nullopt;
  }
  const std::uint64_t limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (r.negative) {
    if (magnitude > limit + 1) return std::nullopt;
    return static_cast<std::int64_t>(std::uint64_t(0) - magnitude);
  }
  if (magnitude > limit) return std::nullopt;
  return static_cast<std::int64_t>(magnitude);
}

std::optional<Decimal> ParseNumberText(const QString& text) {
  const QString s = text.trimmed();
  int pos = 0;
  const int end = s.size();
  bool negative = false;
  bool signSeen = false;
  bool parenthesised = false;

  if (pos < end && s[pos] == QLatin1Char('(')) {
    parenthesised = true;
    ++pos;
  }
  auto readSign = [&] {
    if (!signSeen && !parenthesised && pos < end &&
        (s[pos] == QLatin1Char('+') || s[pos] == QLatin1Char('-'))) {
      negative = s[pos] == QLatin1Char('-');
      signSeen = true;
      ++pos;
    }
  };
  readSign();
  if (pos < end && s[pos] == QLatin1Char('$')) ++pos;
  readSign();

  MantissaBuilder m;
  while (pos < end) {
    if (IsDigit(s[pos])) {
      m.addInteger(s[pos]);
    } else if (s[pos] == QLatin1Char(',') && m.digitCount > 0) {
      // Thousands separator: accepted wherever it follows a digit.
    } else {
      break;
    }
    ++pos;
  }
  if (pos < end && s[pos] == QLatin1Char('.')) {
    ++pos;
    while (pos < end && IsDigit(s[pos])) m.addFraction(s[pos++]);
  }
  if (m.digitCount == 0) return std::nullopt;
  if (pos < end && IsExponentMark(s[pos])) {
    ++pos;
    int exp10 = 0;
    if (!ReadExponent(s, pos, exp10)) return std::nullopt;
    m.d.exponent = std::max(-2 * kExponentCap, std::min(2 * kExponentCap, m.d.exponent + exp10));
  }
  if (parenthesised) {
    if (pos >= end || s[pos] != QLatin1Char(')')) return std::nullopt;
    ++pos;
    negative = true;
  }
  if (pos != end) return std::nullopt;
  m.d.negative = negative;
  Normalize(m.d);
  return m.d;
}

Decimal ParseLeadingNumber(const QString& text) {
  QString s;
  s.reserve(text.size());
  for (QChar c : text) {
    if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
      s.append(c);
  }
  int pos = 0;
  bool negative = false;
  if (pos < s.size() && (s[pos] == QLatin1Char('+') || s[pos] == QLatin1Char('-'))) {
    negative = s[pos] == QLatin1Char('-');
    ++pos;
  }
  MantissaBuilder m;
  while (pos < s.size() && IsDigit(s[pos])) m.addInteger(s[pos++]);
  if (pos < s.size() && s[pos] == QLatin1Char('.')) {
    ++pos;
    while (pos < s.size() && IsDigit(s[pos])) m.addFraction(s[pos++]);
  }
  if (m.digitCount == 0) return Decimal{};
  if (pos < s.size() && IsExponentMark(s[pos])) {
    ++pos;
    int exp10 = 0;
    if (ReadExponent(s, pos, exp10))
      m.d.exponent = std::max(-2 * kExponentCap, std::min(2 * kExponentCap, m.d.exponent + exp10));
  }
  m.d.negative = negative;
  Normalize(m.d);
  return m.d;
}

QString ToPlainText(const Decimal& d) {
  if (d.isZero()) return QStringLiteral("0");
  std::string out;
  if (d.negative) out.push_back('-');
  const long long n = static_cast<long long>(d.digits.size());
  if (d.exponent >= 0) {
    out += d.digits;
    out.append(static_cast<std::size_t>(d.exponent), '0');
  } else if (n + d.exponent > 0) {
    const std::size_t intLen = static_cast<std::size_t>(n + d.exponent);
    out += d.digits.substr(0, intLen);
    out.push_back('.');
    out += d.digits.substr(intLen);
  } else {
    out += "0.";
    out.append(static_cast<std::size_t>(-(n + d.exponent)), '0');
    out += d.digits;
  }
  return QString::fromLatin1(out.data(), static_cast<qsizetype>(out.size()));
}

}  // namespace rt::detail
