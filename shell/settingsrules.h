// The rules of the settings windows that do not need the window: what a tax
// rate may read, the cycles of the store settings' mode buttons, and what a
// staff member's first name may hold.
#pragma once

#include <QString>
#include <optional>

namespace shell {

// A tax rate as the totals read it: a decimal fraction typed as digits with at
// most one point ("0.0825", "7", ".5"). The empty text, a lone point and
// "0.0.7" are not rates.
bool isRateText(const QString& text);

// The free-pop modes "Auto", "Default" and "UpLine".
bool isFreePopMode(const QString& mode);
// The next free-pop mode: Auto -> Default -> UpLine -> Auto; nothing for any
// other text.
std::optional<QString> nextFreePopMode(const QString& mode);

// The next receipt-notes mode: "Not Printing L1 L2" and "-" become
// "Print L1 L2 Now", "Print L1 L2 Now" becomes "Not Printing L1 L2"; any other
// text stays.
QString nextNotesMode(const QString& mode);

// The next menu mode: "1.Default" becomes "2.Custom", any other text
// "1.Default".
QString nextMenuMode(const QString& mode);

// The first character of `text` that the card road cannot carry, named for
// the clerk ("a double quote (\")", "a carriage return", "a line feed", "a
// NUL character"): the payment bridge refuses a value holding one, and a
// staff member's first name is sent as the clerk. Nothing when there is none.
std::optional<QString> uncarriedCharacter(const QString& text);

}  // namespace shell
