// One item of the service menu (a row of a category table of BakHS.mdb) and
// what choosing it offers: its sizes, its options and its add-ons.
//
// Every field is read as text and a field without a value stays apart from
// an empty one (std::nullopt), because the rules treat the two differently:
// an add-on field without a value leaves its pad button alone, an empty one
// blanks it.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace db {
class Recordset;
}

namespace sales {

using Field = std::optional<QString>;

// The sizes in field order of the prices: S szPriceS_amt, M szPriceM_amt,
// L szPrice_amt (the plain price), XL szPriceL_amt.
enum Size { kS = 0, kM = 1, kL = 2, kXL = 3 };

constexpr int kFirstAddOn = 7;
constexpr int kLastAddOn = 44;
constexpr int kAddOns = kLastAddOn - kFirstAddOn + 1;

struct MenuItem {
  Field dishId;                            // Dish_ID
  Field menuQty;                           // szMenu_ID: "0.5" rings the item up as a half portion
  Field name;                              // szMenu_nm
  Field picture;                           // szDes
  std::array<Field, 4> prices;             // by Size
  std::array<Field, 6> options;            // "1" .. "6"
  std::array<Field, 6> optionPrices;       // "1_Price" .. "6_Price"
  std::array<Field, kAddOns> addOns;       // "7" .. "44"
  std::array<Field, kAddOns> addOnPrices;  // "7_Price" .. "44_Price"

  // Add-on n (7 to 44) and its price.
  const Field& addOn(int n) const { return addOns[n - kFirstAddOn]; }
  const Field& addOnPrice(int n) const { return addOnPrices[n - kFirstAddOn]; }
};

// The current row of a recordset on a category table. A column the table
// lacks reads as a field without a value.
MenuItem readMenuItem(const db::Recordset& rs);

// The text of a field, empty when it has no value.
inline QString text(const Field& f) {
  return f.value_or(QString());
}

// A price of the menu as the sales window takes it: none ("no such size",
// no price for an option or an add-on), an amount above zero, an amount
// below zero, or a text that is not an amount. A price is none without a
// value, when it is empty, "-", or an amount of zero ("0", "0.00"). An
// amount is written as the menu shows it: digits with an optional minus and
// "$" in front, thousands separators where they group thousands, and
// decimals after a point ("8.50", ".50", "$1,234.50", "-25.00"). Any other
// text ("8.5o", "abc", "8,50", a decimal comma the locale-aware conversion
// would read as 850) is not an amount. Nothing is rung up at a price below
// zero or one that is not an amount.
enum class MenuPrice { None, Amount, Negative, NotAnAmount };
MenuPrice menuPrice(const Field& price);
// What is wrong with a price nothing is rung up at: "is not an amount" or
// "is below zero". Nothing for an amount above zero or none.
std::optional<QString> menuPriceFault(const Field& price);

// Why the item is not rung up: a size price or the price of an option it
// offers that is not an amount or is below zero, named with the item and its
// column. Nothing when every such price is an amount above zero or none.
std::optional<QString> priceRefusal(const MenuItem& item);

// What the size prompt offers for an item. The priced sizes are counted in
// the order XL, M, S, L (a size is priced when its price is an amount); the
// buttons cmdNo (XL), cmdM (M) and cmdS (S) carry their price formatted
// "#,##0.00" and cmdYes (L) only when there are several sizes to choose from.
struct SizeOffer {
  int count = 0;  // priced sizes
  QString cmdS;   // captions of the prompt's size buttons; empty: not offered
  QString cmdM;
  QString cmdYes;
  QString cmdNo;
  QString lonePrice;  // the one priced size's field, unformatted, when count is 1
};
SizeOffer offerSizes(const MenuItem& item);

// An option the option prompt offers: n is 1 to 6.
struct OptionOffer {
  int n;
  QString name;
  Field price;
};
// The options whose name has a value that is neither empty nor "-" (a
// name of "- " or a single blank is offered).
std::vector<OptionOffer> offeredOptions(const MenuItem& item);

// True when the item's add-ons go onto the modifier pad: its first add-on
// (field "7") has a value that is neither empty nor "- ".
bool loadsAddOns(const MenuItem& item);

}  // namespace sales
