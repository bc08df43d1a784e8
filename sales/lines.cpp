#include "sales/lines.h"

#include <QRegularExpression>

#include "platform/convert/format.h"
#include "platform/convert/number.h"

namespace sales {

namespace {

const QString kMoney = QStringLiteral("#,##0.00");
const QString kArranged = QStringLiteral("Arranged");
const QString kRemove = QStringLiteral("Remove");

// Runs one step of a rule; a conversion that fails ends only this step.
template <class Step>
void step(Step&& s) {
  try {
    s();
  } catch (const rt::ConversionError&) {
  }
}

// Two prices added for a merged line, an empty one counting as nothing;
// nothing when either is not an amount. Two empty prices stay empty.
std::optional<QString> mergedPrice(const QString& old, const QString& added) {
  if (old.isEmpty() && added.isEmpty()) return QString();
  const std::optional<rt::Currency> a = old.isEmpty() ? rt::Currency() : rt::TryCCur(old);
  const std::optional<rt::Currency> b = added.isEmpty() ? rt::Currency() : rt::TryCCur(added);
  if (!a || !b) return std::nullopt;
  return rt::Format(*a + *b, kMoney);
}

}  // namespace

std::optional<double> typedNumber(const QString& text) {
  static const QRegularExpression plain(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
  if (!plain.match(text).hasMatch()) return std::nullopt;
  return rt::TryCDbl(text);
}

std::optional<double> typedPercent(const QString& text) {
  const std::optional<double> percent = typedNumber(text);
  if (!percent || *percent > 100) return std::nullopt;
  return percent;
}

namespace {

const QString kNoNumber = QStringLiteral("is not a number (a decimal is written with a point, as in 1.5)");

// What is wrong with a percent box's text, as its message says it; nothing
// for a percent of 0 to 100.
std::optional<QString> percentFault(const QString& percent) {
  if (typedPercent(percent)) return std::nullopt;
  const bool number =
      typedNumber(percent) || (percent.startsWith(QLatin1Char('-')) && typedNumber(percent.mid(1)));
  if (!number) return kNoNumber;
  return QStringLiteral("is outside 0 to 100");
}

}  // namespace

std::optional<QString> typedEntryRefusal(const QString& qty, const QString& percent) {
  const QString refused = QStringLiteral("The %1 \"%2\" %3; the item is not rung up.");
  if (!qty.isEmpty() && !typedNumber(qty)) return refused.arg(QStringLiteral("quantity"), qty, kNoNumber);
  if (percent.isEmpty()) return std::nullopt;
  if (const std::optional<QString> why = percentFault(percent))
    return refused.arg(QStringLiteral("percent"), percent, *why);
  return std::nullopt;
}

std::optional<QString> ticketPercentRefusal(const QString& percent) {
  if (percent.isEmpty()) return std::nullopt;
  if (const std::optional<QString> why = percentFault(percent))
    return QStringLiteral("The percent \"%1\" %2; it is not taken off the ticket.").arg(percent, *why);
  return std::nullopt;
}

void applyItemPercent(LineEntry& entry) {
  const std::optional<double> percent = typedPercent(entry.percent);
  if (!percent) return;
  step([&] {
    const rt::Currency rate = rt::CCur(*percent / 100);
    // The rest is written whole and rounded once, to the cent, when the line
    // is formatted: an amount off rounded to four places first could move a
    // cent (19.99 less 49.75 % is 10.044975, not 10.045).
    const double price = rt::CDbl(entry.price);
    entry.price = rt::CStr(price - price * rate.toDouble());
  });
}

bool mergeOrderLine(LineEntry& entry, OrderGrid& grid) {
  const QString menu = cellText(entry.menu);
  // The number of examinations is fixed now; moved rows go beyond them.
  const int examinations = grid.Rows() - kFirstLine;
  int row = kFirstLine;
  bool merged = false;
  try {
    for (int n = 0; n < examinations && row < grid.Rows(); ++n) {
      const QString qty = grid.TextMatrix(row, kQtyColumn);
      const QString text = grid.TextMatrix(row, kTextColumn);
      if (text == menu && !merged) {
        // A line without a routing code (a recalled one) is never merged
        // into: the scan stays on it until its examinations are used up.
        if (grid.TextMatrix(row, kCodeColumn).isEmpty()) continue;
        const QString price = grid.TextMatrix(row, kPriceColumn);
        if (entry.qty.isEmpty()) {
          const double before = rt::CDbl(qty);  // "1/2" is no number: no merge
          const std::optional<QString> sum = mergedPrice(price, entry.price);
          if (!sum) return merged;
          entry.pending = rt::CStr(before + 1);
          grid.AddItem(gridRow(entry.pending, text, *sum, entry.routing));
        } else {
          const QString pending = rt::CStr(typedNumber(entry.qty).value_or(0) + rt::Val(qty));
          const std::optional<QString> sum = mergedPrice(price, entry.price);
          if (!sum) return merged;
          entry.pending = pending;
          grid.setTextMatrix(row, kPriceColumn, *sum);
          grid.AddItem(gridRow(entry.pending, text, *sum, entry.routing));
          entry.qtyTag = kArranged;
        }
        merged = true;
        grid.RemoveItem(row);
        grid.Refresh();
        grid.setTag(kRemove);
        grid.setRow(grid.Row() - 1);
      } else if (grid.Tag() == kRemove) {
        if (qty == QLatin1String("+")) {
          // A sub-line of the merged line follows it to the end.
          grid.AddItem(gridRow(qty, text, grid.TextMatrix(row, kPriceColumn), entry.routing));
          grid.RemoveItem(row);
        } else {
          grid.setTag(QString());
          ++row;
        }
      } else {
        ++row;
      }
    }
  } catch (const rt::ConversionError&) {
    // A step that fails ends the scan where it is.
  }
  return merged;
}

QString buildOrderLine(LineEntry& entry, const LineSettings& settings, OrderGrid& grid) {
  // Quantity: one reading for the line's quantity and its price.
  if (const std::optional<double> qty = typedNumber(entry.qty)) {
    step([&] { entry.pending = rt::CStr(*qty); });
    step([&] { entry.price = rt::CStr(*qty * rt::CDbl(entry.price)); });
    if (settings.menuQty && *settings.menuQty == QLatin1String("0.5")) entry.pending = QStringLiteral("1/2");
  } else {
    entry.qty.clear();
  }
  // The item text, the item's name and its option, gets the percent off
  // behind it and the size word in front.
  if (typedPercent(entry.percent)) {
    applyItemPercent(entry);
    entry.menu += QLatin1Char('-') + entry.percent + QLatin1Char('%');
  }
  const QString& prefix = entry.sizePrefix;
  if (prefix == QLatin1String("M-"))
    entry.menu = settings.sizeWords[0] + entry.menu;
  else if (prefix == QLatin1String("L-"))
    entry.menu = settings.sizeWords[1] + entry.menu;
  else if (prefix == QLatin1String("XL-"))
    entry.menu = settings.sizeWords[2] + entry.menu;

  // The price in cents, as the line shows it and the subtotal adds it.
  entry.price = rt::Format(entry.price, kMoney);
  const bool merged = settings.merge && mergeOrderLine(entry, grid);
  if (merged) {
    entry.qtyTag.clear();
  } else {
    if (entry.pending.isEmpty()) entry.pending = QStringLiteral("1");
    grid.AddItem(gridRow(entry.pending, entry.menu, entry.price, entry.routing));
    grid.setRow(grid.Row() + 1);
  }
  entry.qty.clear();
  entry.pending.clear();
  entry.menu.clear();
  return entry.price;
}

std::optional<QString> grownSubtotal(const QString& subtotal, const QString& price) {
  const std::optional<rt::Currency> a = rt::TryCCur(subtotal);
  const std::optional<rt::Currency> b = rt::TryCCur(price);
  if (!a || !b) return std::nullopt;
  try {
    return rt::CStr(*a + *b);
  } catch (const rt::ConversionError&) {
    return std::nullopt;
  }
}

std::optional<TicketPercent> ticketPercent(const QString& subtotal, const QString& percent) {
  const std::optional<double> rate = typedPercent(percent);
  const std::optional<rt::Currency> sub = rt::TryCCur(subtotal);
  if (!rate || !sub) return std::nullopt;
  try {
    const rt::Currency discount = rt::CCur(rt::Format(sub->toDouble() * (*rate / 100), kMoney));
    return TicketPercent{percent + QStringLiteral("% Off"), rt::CStr(-discount), rt::CStr(*sub - discount)};
  } catch (const rt::ConversionError&) {
    return std::nullopt;  // a percent so large that the discount leaves the currency range
  }
}

}  // namespace sales
