#include "platform/convert/number.h"

#include <QRegularExpression>
#include <cmath>

#include "platform/convert/decimal.h"

namespace rt {

using detail::Decimal;

namespace {

QString MessageFor(ConversionError::Code code) {
  return code == ConversionError::Overflow ? QStringLiteral("Overflow") : QStringLiteral("Type mismatch");
}

double DoubleOrOverflow(const Decimal& d) {
  std::optional<double> value = detail::ToDouble(d);
  if (!value) throw ConversionError(ConversionError::Overflow);
  // -0 would show as "-0"; the language has no negative zero.
  return *value == 0.0 ? 0.0 : *value;
}

Currency CurrencyOrOverflow(const Decimal& d) {
  std::optional<std::int64_t> raw = detail::ToCurrencyRaw(d);
  if (!raw) throw ConversionError(ConversionError::Overflow);
  return Currency::fromRaw(*raw);
}

}  // namespace

ConversionError::ConversionError(Code code)
    : std::runtime_error(MessageFor(code).toStdString()), code_(code) {}

double Val(const QString& text) {
  return DoubleOrOverflow(detail::ParseLeadingNumber(text));
}

std::optional<double> TryCDbl(const QString& text) {
  std::optional<Decimal> d = detail::ParseNumberText(text);
  if (!d) return std::nullopt;
  std::optional<double> value = detail::ToDouble(*d);
  if (!value) return std::nullopt;
  return *value == 0.0 ? 0.0 : *value;
}

double CDbl(const QString& text) {
  std::optional<Decimal> d = detail::ParseNumberText(text);
  if (!d) throw ConversionError(ConversionError::TypeMismatch);
  return DoubleOrOverflow(*d);
}

std::optional<Currency> TryCCur(const QString& text) {
  std::optional<Decimal> d = detail::ParseNumberText(text);
  if (!d) return std::nullopt;
  std::optional<std::int64_t> raw = detail::ToCurrencyRaw(*d);
  if (!raw) return std::nullopt;
  return Currency::fromRaw(*raw);
}

std::optional<Currency> TryAmount(const QString& text) {
  static const QRegularExpression amount(QStringLiteral("^-?(\\$\\s*)?(\\d+|\\d{1,3}(,\\d{3})+)?(\\.\\d*)?$"));
  const QRegularExpressionMatch m = amount.match(text.trimmed());
  if (!m.hasMatch()) return std::nullopt;
  // The conversion takes no blank after the "$": the sign goes first.
  QString plain = text.trimmed();
  plain.remove(m.capturedStart(1), m.capturedLength(1));
  return TryCCur(plain);
}

Currency CCur(const QString& text) {
  std::optional<Decimal> d = detail::ParseNumberText(text);
  if (!d) throw ConversionError(ConversionError::TypeMismatch);
  return CurrencyOrOverflow(*d);
}

Currency CCur(double value) {
  if (!std::isfinite(value)) throw ConversionError(ConversionError::Overflow);
  return CurrencyOrOverflow(detail::FromDouble(value));
}

QString CStr(double value) {
  if (!std::isfinite(value)) throw ConversionError(ConversionError::Overflow);
  const Decimal d = detail::FromDouble(value);
  if (d.isZero()) return QStringLiteral("0");
  const int n = static_cast<int>(d.digits.size());
  const int sciExponent = d.exponent + n - 1;
  if (sciExponent >= -4 && sciExponent < 15) return detail::ToPlainText(d);
  QString out;
  if (d.negative) out += QLatin1Char('-');
  out += QLatin1Char(d.digits[0]);
  if (n > 1) out += QLatin1Char('.') + QString::fromLatin1(d.digits.data() + 1, n - 1);
  out += QLatin1Char('E');
  out += sciExponent < 0 ? QLatin1Char('-') : QLatin1Char('+');
  out += QString::number(std::abs(sciExponent)).rightJustified(2, QLatin1Char('0'));
  return out;
}

QString CStr(Currency value) {
  return detail::ToPlainText(detail::FromCurrencyRaw(value.raw()));
}

}  // namespace rt
