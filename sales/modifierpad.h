// The modifier pad's rules: composing a modifier from word and add-on
// buttons, the twelve add-on buttons that double as a keypad, and the commit
// that writes the modifier into the ticket.
#pragma once

#include <QString>
#include <array>
#include <optional>

#include "sales/ticket.h"

namespace sales {

// The twelve add-on buttons that serve as keys, in key order, and their key
// texts "1" to "9", ".", "0", "Clear".
constexpr std::array<int, 12> kKeypadButtons = {9, 10, 11, 14, 15, 16, 19, 20, 21, 24, 25, 26};
// The key text of add-on button n, nothing for the buttons that are no key.
std::optional<QString> keyText(int n);

// The word of word button 1 to 5: "Add ", "More ", "Less ", "No ", "Only ".
QString padWord(int button);

// The modifier text after an add-on: a blank and the add-on's name appended.
QString withAddOn(const QString& modifier, const QString& addOn);
// True when an add-on's price tag replaces the pad's price: the tag is an
// amount above zero as the menu writes one ('0.50', '.50', '1.50', '10.00';
// not '', '0.00', '-1.00', '-').
bool addOnSetsPrice(const QString& tag);
// Why an add-on is not added: its price tag is not an amount ('8.5o',
// 'abc'). Nothing for an add-on whose price is an amount or none.
std::optional<QString> addOnRefusal(const QString& name, const QString& tag);

// What the pad holds at Enter.
struct PadEntry {
  QString modifier;  // txtSpl
  QString price;     // txtPrice
  QString qty;       // txtQty
  QString lineMode;  // cmdLine's caption: "Default" or "UpLine"
};

// A ticket row the pad took off the grid ("UpLine"); the pad keeps it.
struct SavedRow {
  QString qty, text, price, code;
};

enum class PadCommit {
  Nothing,       // no modifier text: the ticket is left alone
  PricedLine,    // a "+" line with the price; the subtotal grows by it
  UnpricedLine,  // a "+" line without price
  JoinedLine,    // "UpLine": the modifier joined to the last row's text
  InvalidPrice,  // the price is not an amount: nothing written
};

// Takes the last ticket row off the grid into `saved` (the current cell
// moves through its four columns on the way). Does nothing without a ticket
// line.
void popLastOrderLine(OrderGrid& grid, SavedRow& saved);

// Enter on the pad. `routing` is the sales window's routing code. For a
// priced line, `subtotal` becomes the subtotal grown by the price as an
// amount rounded to the cent as its line prints ('1,200.00' adds 1,200.00,
// '1.005' adds 1.01), written plain; it is left alone when it
// is not an amount itself. "UpLine" with no ticket line acts as "Default".
PadCommit commitModifier(PadEntry& pad, SavedRow& saved, OrderGrid& grid, const QString& routing,
                         QString& subtotal);

}  // namespace sales
