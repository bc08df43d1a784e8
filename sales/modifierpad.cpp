#include "sales/modifierpad.h"

#include "platform/convert/number.h"
#include "sales/lines.h"
#include "sales/menuitem.h"
#include "sales/totals.h"

namespace sales {

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

bool addOnSetsPrice(const QString& tag) {
  return menuPrice(tag) == MenuPrice::Amount;
}

std::optional<QString> addOnRefusal(const QString& name, const QString& tag) {
  if (menuPrice(tag) != MenuPrice::NotAnAmount) return std::nullopt;
  return QStringLiteral(
             "The add-on \"%1\" is not added: its price \"%2\" is not an amount. "
             "Correct the price in the menu.")
      .arg(name, tag);
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
    if (!rt::TryCCur(pad.price)) return PadCommit::InvalidPrice;
    grid.AddItem(modifierLine());
    // The price counts as the cent its line prints ("1.005" as 1.01).
    if (const std::optional<QString> grown = grownSubtotal(subtotal, moneyText(pad.price))) subtotal = *grown;
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
