#include "sales/totals.h"

#include "platform/convert/format.h"
#include "platform/convert/number.h"

namespace sales {

namespace {

const QString kMoney = QStringLiteral("#,##0.00");

// The product of an amount and a rate, shown in cents: the double product
// is formatted itself, so that it is rounded once.
QString taxOn(rt::Currency amount, double rate) {
  return rt::Format(amount.toDouble() * rate, kMoney);
}

}  // namespace

TaxRate readTaxRate(const QString& text) {
  if (text.trimmed().isEmpty()) return {};
  const std::optional<double> rate = rt::TryCDbl(text);
  if (!rate) return {0, true};
  return {*rate, false};
}

std::optional<TicketTotals> ticketTotals(const QString& subtotal, double rate1, std::optional<double> rate2) {
  try {
    const std::optional<rt::Currency> sub = rt::TryCCur(subtotal);
    if (!sub) return std::nullopt;
    TicketTotals t;
    t.subtotal = rt::Format(*sub, kMoney);
    t.tax1 = taxOn(*sub, rate1);
    const rt::Currency total = rt::CCur(t.subtotal) + rt::CCur(t.tax1);
    t.total = rt::Format(total, kMoney);
    if (rate2) {
      t.tax2 = taxOn(rt::CCur(t.total), *rate2);
      t.total = rt::Format(rt::CCur(t.total) + rt::CCur(*t.tax2), kMoney);
    }
    return t;
  } catch (const rt::ConversionError&) {
    return std::nullopt;  // a rate so large that the tax leaves the currency range
  }
}

QString moneyText(const QString& text) {
  return rt::Format(text, kMoney);
}

bool isMoneyText(const QString& text) {
  return rt::TryCCur(text) && moneyText(text) == text;
}

std::optional<QString> moneyDifference(const QString& a, const QString& b) {
  const std::optional<rt::Currency> x = rt::TryCCur(a);
  const std::optional<rt::Currency> y = rt::TryCCur(b);
  if (!x || !y) return std::nullopt;
  try {
    return rt::Format(*x - *y, kMoney);
  } catch (const rt::ConversionError&) {
    return std::nullopt;
  }
}

std::optional<QString> moneySum(const QString& a, const QString& b) {
  const std::optional<rt::Currency> x = rt::TryCCur(a);
  const std::optional<rt::Currency> y = rt::TryCCur(b);
  if (!x || !y) return std::nullopt;
  try {
    return rt::Format(*x + *y, kMoney);
  } catch (const rt::ConversionError&) {
    return std::nullopt;
  }
}

std::optional<QString> subtotalLess(const QString& subtotal, const QString& price) {
  const std::optional<double> a = rt::TryCDbl(subtotal);
  const std::optional<double> b = rt::TryCDbl(price);
  if (!a || !b) return std::nullopt;
  try {
    return rt::CStr(*a - *b);
  } catch (const rt::ConversionError&) {
    return std::nullopt;
  }
}

}  // namespace sales
