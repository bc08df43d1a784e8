// The money of the open ticket: taxes and total from the subtotal, change
// from the amount received. Amounts are the boxes' texts; sums are taken in
// currency arithmetic (four decimals), an amount times a rate in double
// precision, and every result is written "#,##0.00" (half away from zero,
// never "-0.00"). Each result is read back as the rounded text it shows, so
// tax 1 is rounded before it enters the total.
#pragma once

#include <QString>
#include <optional>

namespace sales {

// A tax rate as the settings window's box holds it ("0.075" for 7.5 %).
// An empty box is no tax; a text that is not a number counts as no tax too
// and is marked bad, so that the window can say so.
struct TaxRate {
  double value = 0;
  bool bad = false;
};
TaxRate readTaxRate(const QString& text);

struct TicketTotals {
  QString subtotal;  // the subtotal, formatted
  QString tax1;
  std::optional<QString> tax2;  // only when the second tax applies
  QString total;
};

// Tax 1 on the subtotal; with a second rate, tax 2 compounded on subtotal
// plus tax 1. Nothing when the subtotal is not an amount.
std::optional<TicketTotals> ticketTotals(const QString& subtotal, double rate1, std::optional<double> rate2);

// An amount text formatted "#,##0.00"; other text unchanged.
QString moneyText(const QString& text);
// True for an amount written as the windows write it, "#,##0.00" ("25.50",
// "1,234.50", "-5.00"); not for "25.50.00", "1250.00", "0" or "".
bool isMoneyText(const QString& text);
// a - b and a + b of two amount texts, formatted; nothing when either is not
// an amount.
std::optional<QString> moneyDifference(const QString& a, const QString& b);
std::optional<QString> moneySum(const QString& a, const QString& b);

// The subtotal less the price of a line taken off the ticket, in double
// precision, written plain ("17.5" for 30.00 less 12.50); nothing when
// either text is not a number.
std::optional<QString> subtotalLess(const QString& subtotal, const QString& price);

}  // namespace sales
