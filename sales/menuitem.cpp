#include "sales/menuitem.h"

#include "platform/convert/format.h"
#include "platform/convert/number.h"
#include "platform/db/recordset.h"

namespace sales {

namespace {

Field read(const db::Recordset& rs, const QString& name) {
  if (!rs.hasField(name)) return std::nullopt;
  const QVariant v = rs.field(name);
  if (v.isNull()) return std::nullopt;
  return v.toString();
}

bool priced(const Field& price) {
  return menuPrice(price) == MenuPrice::Amount;
}

// The menu editor's captions of the size prices, by Size.
const char* const kSizeColumns[4] = {"S-Price", "M-Price", "L-Price", "XL-Price"};

QString sizeCaption(const Field& price) {
  return rt::Format(*price, QStringLiteral("#,##0.00"));
}

}  // namespace

MenuPrice menuPrice(const Field& price) {
  if (!price) return MenuPrice::None;
  const QString text = price->trimmed();
  if (text.isEmpty() || text == QLatin1String("-")) return MenuPrice::None;
  const std::optional<rt::Currency> value = rt::TryAmount(text);
  if (!value) return MenuPrice::NotAnAmount;
  if (*value < rt::Currency()) return MenuPrice::Negative;
  return *value > rt::Currency() ? MenuPrice::Amount : MenuPrice::None;
}

std::optional<QString> menuPriceFault(const Field& price) {
  switch (menuPrice(price)) {
    case MenuPrice::NotAnAmount:
      return QStringLiteral("is not an amount");
    case MenuPrice::Negative:
      return QStringLiteral("is below zero");
    default:
      return std::nullopt;
  }
}

std::optional<QString> priceRefusal(const MenuItem& item) {
  QString name = text(item.name);
  if (name.isEmpty()) name = QStringLiteral("Item ") + text(item.dishId);
  const QString refused = QStringLiteral("\"%1\" is not rung up: %2 %3. Correct the price in the menu.");
  for (int size = kS; size <= kXL; ++size) {
    if (const std::optional<QString> why = menuPriceFault(item.prices[size]))
      return refused.arg(
          name, QStringLiteral("its %1 \"%2\"").arg(QLatin1String(kSizeColumns[size]), *item.prices[size]),
          *why);
  }
  for (const OptionOffer& option : offeredOptions(item)) {
    if (const std::optional<QString> why = menuPriceFault(option.price))
      return refused.arg(
          name, QStringLiteral("the price \"%1\" of its option \"%2\"").arg(*option.price, option.name),
          *why);
  }
  return std::nullopt;
}

MenuItem readMenuItem(const db::Recordset& rs) {
  MenuItem item;
  item.dishId = read(rs, QStringLiteral("Dish_ID"));
  item.menuQty = read(rs, QStringLiteral("szMenu_ID"));
  item.name = read(rs, QStringLiteral("szMenu_nm"));
  item.picture = read(rs, QStringLiteral("szDes"));
  item.prices[kS] = read(rs, QStringLiteral("szPriceS_amt"));
  item.prices[kM] = read(rs, QStringLiteral("szPriceM_amt"));
  item.prices[kL] = read(rs, QStringLiteral("szPrice_amt"));
  item.prices[kXL] = read(rs, QStringLiteral("szPriceL_amt"));
  for (int n = 1; n <= 6; ++n) {
    item.options[n - 1] = read(rs, QString::number(n));
    item.optionPrices[n - 1] = read(rs, QStringLiteral("%1_Price").arg(n));
  }
  for (int n = kFirstAddOn; n <= kLastAddOn; ++n) {
    item.addOns[n - kFirstAddOn] = read(rs, QString::number(n));
    item.addOnPrices[n - kFirstAddOn] = read(rs, QStringLiteral("%1_Price").arg(n));
  }
  return item;
}

SizeOffer offerSizes(const MenuItem& item) {
  SizeOffer offer;
  const Field* lone = nullptr;
  if (priced(item.prices[kXL])) {
    offer.cmdNo = sizeCaption(item.prices[kXL]);
    ++offer.count;
    lone = &item.prices[kXL];
  }
  if (priced(item.prices[kM])) {
    offer.cmdM = sizeCaption(item.prices[kM]);
    ++offer.count;
    lone = &item.prices[kM];
  }
  if (priced(item.prices[kS])) {
    offer.cmdS = sizeCaption(item.prices[kS]);
    ++offer.count;
    lone = &item.prices[kS];
  }
  if (priced(item.prices[kL])) {
    ++offer.count;
    lone = &item.prices[kL];
  }
  if (offer.count > 1 && priced(item.prices[kL])) offer.cmdYes = sizeCaption(item.prices[kL]);
  if (offer.count == 1) offer.lonePrice = **lone;
  return offer;
}

std::vector<OptionOffer> offeredOptions(const MenuItem& item) {
  std::vector<OptionOffer> offers;
  for (int n = 1; n <= 6; ++n) {
    const Field& name = item.options[n - 1];
    if (!name || name->isEmpty() || *name == QLatin1String("-")) continue;
    offers.push_back({n, *name, item.optionPrices[n - 1]});
  }
  return offers;
}

bool loadsAddOns(const MenuItem& item) {
  const Field& first = item.addOn(kFirstAddOn);
  return first && !first->isEmpty() && *first != QLatin1String("- ");
}

}  // namespace sales
