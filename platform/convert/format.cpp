#include "platform/convert/format.h"

#include <QStringList>
#include <cmath>
#include <vector>

#include "platform/convert/decimal.h"
#include "platform/convert/error.h"
#include "platform/convert/number.h"

namespace rt {

using detail::Decimal;

namespace {

// One section of a number format, parsed.
struct Section {
  QString prefix;
  QString suffix;
  bool hasPlaceholders = false;
  int minIntegerDigits = 0;
  bool grouping = false;
  bool hasPoint = false;
  int minDecimals = 0;
  int maxDecimals = 0;
};

// Splits at ';' outside quotes and escapes.
QStringList SplitSections(const QString& format) {
  QStringList sections;
  QString current;
  bool quoted = false;
  for (int i = 0; i < format.size(); ++i) {
    const QChar c = format[i];
    if (c == QLatin1Char('"')) {
      quoted = !quoted;
    } else if (!quoted && c == QLatin1Char('\\') && i + 1 < format.size()) {
      current += c;
      current += format[++i];
      continue;
    } else if (!quoted && c == QLatin1Char(';')) {
      sections << current;
      current.clear();
      continue;
    }
    current += c;
  }
  sections << current;
  return sections;
}

Section ParseSection(const QString& text) {
  enum Phase { Prefix, Integer, Fraction, Suffix };
  Section s;
  Phase phase = Prefix;
  auto literal = [&](const QString& lit) {
    if (phase == Prefix) {
      s.prefix += lit;
    } else {
      phase = Suffix;
      s.suffix += lit;
    }
  };
  for (int i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == QLatin1Char('"')) {
      const int close = text.indexOf(QLatin1Char('"'), i + 1);
      const int stop = close < 0 ? text.size() : close;
      literal(text.mid(i + 1, stop - i - 1));
      i = stop;
    } else if (c == QLatin1Char('\\')) {
      if (i + 1 < text.size()) literal(QString(text[++i]));
    } else if ((c == QLatin1Char('#') || c == QLatin1Char('0')) && phase != Suffix) {
      s.hasPlaceholders = true;
      if (phase == Prefix) phase = Integer;
      if (phase == Integer) {
        if (c == QLatin1Char('0')) ++s.minIntegerDigits;
      } else {
        ++s.maxDecimals;
        if (c == QLatin1Char('0')) s.minDecimals = s.maxDecimals;
      }
    } else if (c == QLatin1Char(',') && phase == Integer) {
      s.grouping = true;
    } else if (c == QLatin1Char('.') && (phase == Prefix || phase == Integer)) {
      s.hasPoint = true;
      s.hasPlaceholders = true;
      phase = Fraction;
    } else {
      literal(QString(c));
    }
  }
  return s;
}

// The magnitude of `value`, already rounded to the section's decimals.
QString Render(const Decimal& rounded, const Section& s) {
  if (!s.hasPlaceholders) return s.prefix + s.suffix;
  std::string integer;
  std::string fraction;
  if (!rounded.isZero()) {
    const long long n = static_cast<long long>(rounded.digits.size());
    const long long intLen = n + rounded.exponent;
    if (rounded.exponent >= 0) {
      integer = rounded.digits + std::string(static_cast<std::size_t>(rounded.exponent), '0');
    } else if (intLen > 0) {
      integer = rounded.digits.substr(0, static_cast<std::size_t>(intLen));
      fraction = rounded.digits.substr(static_cast<std::size_t>(intLen));
    } else {
      fraction = std::string(static_cast<std::size_t>(-intLen), '0') + rounded.digits;
    }
  }
  if (static_cast<int>(integer.size()) < s.minIntegerDigits)
    integer.insert(0, static_cast<std::size_t>(s.minIntegerDigits) - integer.size(), '0');
  if (static_cast<int>(fraction.size()) < s.minDecimals)
    fraction.append(static_cast<std::size_t>(s.minDecimals) - fraction.size(), '0');

  QString out = s.prefix;
  if (s.grouping) {
    const std::size_t len = integer.size();
    for (std::size_t i = 0; i < len; ++i) {
      if (i > 0 && (len - i) % 3 == 0) out += QLatin1Char(',');
      out += QLatin1Char(integer[i]);
    }
  } else {
    out += QString::fromLatin1(integer.data(), static_cast<qsizetype>(integer.size()));
  }
  if (s.hasPoint) {
    out += QLatin1Char('.');
    out += QString::fromLatin1(fraction.data(), static_cast<qsizetype>(fraction.size()));
  }
  return out + s.suffix;
}

QString NamedFormat(const QString& format) {
  if (format.compare(QLatin1String("Currency"), Qt::CaseInsensitive) == 0)
    return QStringLiteral("$#,##0.00;($#,##0.00)");
  if (format.compare(QLatin1String("Fixed"), Qt::CaseInsensitive) == 0) return QStringLiteral("0.00");
  if (format.compare(QLatin1String("Standard"), Qt::CaseInsensitive) == 0) return QStringLiteral("#,##0.00");
  return format;
}

bool IsGeneralNumber(const QString& format) {
  return format.isEmpty() || format.compare(QLatin1String("General Number"), Qt::CaseInsensitive) == 0;
}

QString FormatDecimal(const Decimal& value, const QString& format) {
  const QStringList texts = SplitSections(NamedFormat(format));
  const Section positive = ParseSection(texts[0]);

  if (value.isZero() && texts.size() >= 3 && !texts[2].isEmpty())
    return Render(Decimal{}, ParseSection(texts[2]));

  Decimal magnitude = value;
  magnitude.negative = false;
  if (value.negative) {
    if (texts.size() >= 2 && !texts[1].isEmpty()) {
      const Section negative = ParseSection(texts[1]);
      const Decimal rounded = detail::RoundToPlaces(magnitude, negative.maxDecimals);
      if (!rounded.isZero()) return Render(rounded, negative);
    } else {
      const Decimal rounded = detail::RoundToPlaces(magnitude, positive.maxDecimals);
      if (!rounded.isZero()) return QLatin1Char('-') + Render(rounded, positive);
    }
    // A negative too small to show prints as zero, without a sign.
    return Render(Decimal{}, positive);
  }
  return Render(detail::RoundToPlaces(magnitude, positive.maxDecimals), positive);
}

}  // namespace

QString Format(double value, const QString& format) {
  if (IsGeneralNumber(format)) return CStr(value);
  if (!std::isfinite(value)) throw ConversionError(ConversionError::Overflow);
  return FormatDecimal(detail::FromDouble(value), format);
}

QString Format(Currency value, const QString& format) {
  if (IsGeneralNumber(format)) return CStr(value);
  return FormatDecimal(detail::FromCurrencyRaw(value.raw()), format);
}

QString Format(const QString& text, const QString& format) {
  const std::optional<Decimal> value = detail::ParseNumberText(text);
  if (!value) return text;
  if (IsGeneralNumber(format)) {
    const std::optional<double> number = TryCDbl(text);
    return number ? CStr(*number) : text;
  }
  return FormatDecimal(*value, format);
}

}  // namespace rt
