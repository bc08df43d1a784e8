// Building a ticket line from the chosen item: quantity times price, half
// portion, percent off, size word, then merging it into an equal line of the
// ticket or appending it.
//
// The rules act on the texts of the sales window's boxes, gathered in a
// LineEntry, and on its ticket grid. Every step that cannot convert a text
// (a price that is no amount, a quantity that is no number) is skipped and the
// next one runs, as the window's steps do.
#pragma once

#include <QString>
#include <array>
#include <optional>

#include "sales/menuitem.h"
#include "sales/ticket.h"

namespace sales {

// The boxes of the line being built.
struct LineEntry {
  QString qty;         // txtQty: the typed quantity; empty means 1
  QString qtyTag;      // txtQty.Tag: "Arranged" after a merge with a typed quantity
  QString percent;     // txtPercent: percent off, kept from line to line
  QString menu;        // txtMenu: the item's name, and " /" and the option chosen
  QString price;       // txtPrice: the price being built
  QString sizePrefix;  // lblList.Tag: "M-", "L-", "XL-" or empty
  QString routing;     // lblScrn: the routing code of the category
  QString pending;     // the window's pending quantity: empty, a number or "1/2"
};

// What line building reads besides the boxes.
struct LineSettings {
  Field menuQty;                     // the item's szMenu_ID
  std::array<QString, 3> sizeWords;  // szSize1 .. szSize3 of tbSet
  bool merge = true;                 // "Sort Receipt" unticked: equal lines merge
};

// The number a quantity or percent box holds: digits with at most one
// decimal point ("3", "03", "1.5", ".5", "12."). Nothing for any other text:
// a decimal comma ("1,5", which the locale-aware conversion reads as 15),
// letters, a sign, blanks, the empty text. The line reads its quantity and
// its percent only through this, for what it shows and what it charges.
std::optional<double> typedNumber(const QString& text);

// The number a percent box holds: a typedNumber from 0 to 100. Nothing for
// any other text ("150", "-1", "12,5"): a percent above 100 would take more
// than the price off.
std::optional<double> typedPercent(const QString& text);

// Why an item is not rung up with the boxes as they stand: a quantity that
// is not a number or a percent that is not one from 0 to 100, named by its
// box. Nothing when both are numbers or empty (an empty box means no
// quantity or no percent).
std::optional<QString> typedEntryRefusal(const QString& qty, const QString& percent);

// Why the percent pending at the tender hand-off is not taken off the
// ticket: it is not a number from 0 to 100. Nothing for such a percent and
// for an empty box.
std::optional<QString> ticketPercentRefusal(const QString& percent);

// Takes the percent in entry.percent (as typedPercent reads it) off
// entry.price (as typed): the
// percent is rounded to four decimals (33.333 % is 0.3333), and the price
// becomes the plain text of the rest, unrounded ("6.660333"), which the line
// rounds to the cent.
// A text that is not a number leaves the price as it was.
void applyItemPercent(LineEntry& entry);

// Merges the line being built into an equal line of the ticket: a line with
// the same item text and a routing code. The merged line goes to the end of
// the ticket with the sum of both quantities and both prices (an empty price
// counting as nothing), followed by its sub-lines, and the equal line is
// removed. With a typed quantity the entry's qtyTag becomes "Arranged".
// Returns true when a line was merged; entry.price stays the price of what
// was added, the amount by which the subtotal grows.
bool mergeOrderLine(LineEntry& entry, OrderGrid& grid);

// The line building of one item, after its options were asked: quantity,
// percent, size word, then merge or append (appending moves the grid's
// current row down one). The line's text is the entry's item text (the name
// and the option, so that the option shows whatever the size), the percent
// "-10%" behind it and the size word in front. A quantity that typedNumber does not read, or a
// percent typedPercent does not, counts as none (the window refuses such an
// item first). The entry's quantity, pending quantity and item text are
// emptied. Returns the price the subtotal grows by, formatted "#,##0.00";
// empty when the item has no price.
QString buildOrderLine(LineEntry& entry, const LineSettings& settings, OrderGrid& grid);

// The subtotal grown by a price, in currency arithmetic, written plain
// ("45", "1234.56"); nothing when either text is not an amount.
std::optional<QString> grownSubtotal(const QString& subtotal, const QString& price);

// The percent taken off the whole ticket at the tender hand-off: the
// discount is the subtotal times the percent, rounded to the cent, and comes
// off the subtotal exactly. 19.99 at 15 gives the line "15% Off" at "-3" and
// the subtotal "16.99". Nothing when the percent is not one as
// typedPercent reads it or the subtotal is not an amount.
struct TicketPercent {
  QString text;      // the percent as typed and "% Off"
  QString discount;  // the discount negated, written plain: "-2.5"
  QString subtotal;  // the subtotal less the discount, written plain: "22.5"
};
std::optional<TicketPercent> ticketPercent(const QString& subtotal, const QString& percent);

}  // namespace sales
