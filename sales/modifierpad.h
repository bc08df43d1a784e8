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
// The pad's price box after an add-on: an add-on priced above zero as the
// menu writes one ('0.50', '.50', '10.00') adds its price to what the box
// holds (an empty box counting as nothing), written "#,##0.00", so that two
// priced add-ons charge both. An add-on without a price ('', '0.00', '-'),
// and a box that holds no amount ('1.2.', which Enter refuses), leave the
// box as it is.
QString priceWithAddOn(const QString& price, const QString& tag);
// Why an add-on is not added: its price tag is not an amount ('8.5o',
// 'abc') or is below zero ('-1.00'). Nothing for an add-on whose price is
// an amount above zero or none.
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
  InvalidCount,  // a priced modifier whose count is not a number: nothing written
};

// Takes the last ticket row off the grid into `saved` (the current cell
// moves through its four columns on the way). Does nothing without a ticket
// line.
void popLastOrderLine(OrderGrid& grid, SavedRow& saved);

// What a priced modifier charges: its count (the pad's quantity box, empty
// counting as 1) times its price, rounded to the cent and written
// "#,##0.00" ('3' at '6.00' is 18.00, '1' at '1.005' is 1.01). Nothing when
// the price is not an amount or the count is not a number.
std::optional<QString> modifierCharge(const QString& count, const QString& price);

// Enter on the pad. `routing` is the sales window's routing code. A priced
// line shows what it charges (modifierCharge), and `subtotal` becomes the
// subtotal grown by that, written plain; it is left alone when it is not an
// amount itself. "UpLine" with no ticket line acts as "Default".
PadCommit commitModifier(PadEntry& pad, SavedRow& saved, OrderGrid& grid, const QString& routing,
                         QString& subtotal);

}  // namespace sales
