#include "sales/modifierpad.h"

#include "platform/convert/format.h"
#include "platform/convert/number.h"
#include "sales/lines.h"
#include "sales/menuitem.h"
#include "sales/totals.h"

namespace sales {

namespace {

const QString kMoney = QStringLiteral("#,##0.00");

}  // namespace

std::optional<QString> keyText(int n) {
  static const char* const kKeys[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", ".", "0", "Clear"};
  for (std::size_t i = 0; i < kKeypadButtons.size(); ++i)
    if (kKeypadButtons[i] == n) return QString::fromLatin1(kKeys[i]);
  return std::nullopt;
}

QString padWord(int button) {
  static const char* const kWords[] = {"Add ", "More ", "Less ", "No ", "Only "};
  return button >= 1 && button <= 5 ? QString::fromLatin1(kWords[button - 1]) : QString();
}

QString withAddOn(const QString& modifier, const QString& addOn) {
  return modifier + QLatin1Char(' ') + addOn;
}

QString priceWithAddOn(const QString& price, const QString& tag) {
  if (menuPrice(tag) != MenuPrice::Amount) return price;
  const std::optional<rt::Currency> held = price.isEmpty() ? rt::Currency() : rt::TryAmount(price);
  if (!held) return price;
  try {
    return rt::Format(*held + *rt::TryAmount(tag), kMoney);
  } catch (const rt::ConversionError&) {
    return price;  // beyond the currency range
  }
}

std::optional<QString> addOnRefusal(const QString& name, const QString& tag) {
  const std::optional<QString> why = menuPriceFault(tag);
  if (!why) return std::nullopt;
  return QStringLiteral("The add-on \"%1\" is not added: its price \"%2\" %3. Correct the price in the menu.")
      .arg(name, tag, *why);
}

std::optional<QString> modifierCharge(const QString& count, const QString& price) {
  const std::optional<rt::Currency> amount = rt::TryAmount(price);
  const std::optional<double> times = count.isEmpty() ? 1.0 : typedNumber(count);
  if (!amount || !times) return std::nullopt;
  try {
    return rt::Format(*amount * *times, kMoney);
  } catch (const rt::ConversionError&) {
    return std::nullopt;
  }
}

void popLastOrderLine(OrderGrid& grid, SavedRow& saved) {
  if (grid.Rows() < kFirstLine + 1) return;
  grid.setRow(grid.Rows() - 1);
  QString* const cells[] = {&saved.qty, &saved.text, &saved.price, &saved.code};
  for (int col = 0; col < 4; ++col) {
    grid.setCol(col);
    *cells[col] = grid.Text();
  }
  grid.setRows(grid.Rows() - 1);
}

PadCommit commitModifier(PadEntry& pad, SavedRow& saved, OrderGrid& grid, const QString& routing,
                         QString& subtotal) {
  if (pad.modifier.isEmpty()) return PadCommit::Nothing;
  const auto modifierLine = [&] {
    return gridRow(QStringLiteral("+"), pad.qty + QStringLiteral(". ") + pad.modifier, pad.price, routing);
  };

  if (!pad.price.isEmpty()) {
    if (!rt::TryAmount(pad.price)) return PadCommit::InvalidPrice;
    const std::optional<QString> charge = modifierCharge(pad.qty, pad.price);
    if (!charge) return PadCommit::InvalidCount;
    // The line shows what it charges: the count times the price.
    pad.price = *charge;
    grid.AddItem(modifierLine());
    if (const std::optional<QString> grown = grownSubtotal(subtotal, *charge)) subtotal = *grown;
    return PadCommit::PricedLine;
  }

  const bool hasLine = grid.Rows() > kFirstLine;
  if (pad.lineMode == QLatin1String("UpLine") && hasLine) {
    popLastOrderLine(grid, saved);
    grid.AddItem(gridRow(saved.qty, saved.text + pad.modifier, saved.price, saved.code));
    return PadCommit::JoinedLine;
  }

  grid.setCol(kQtyColumn);
  if (grid.Text() == QLatin1String("1")) pad.qty.clear();
  grid.AddItem(modifierLine());
  grid.setRow(grid.Row() + 1);
  return PadCommit::UnpricedLine;
}

}  // namespace sales
