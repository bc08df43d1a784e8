// Small routines the windows share.
#pragma once

#include <QString>
#include <memory>
#include <string>

#include "platform/sheet/sheet.h"

namespace forms {
class TextBox;
}

namespace shell {

// The key filter of the amount and code boxes: true for Backspace (8), the
// point (46) and the digits 0-9 (48-57). A KeyPress handler drops any other
// key by setting KeyAscii to 0.
bool IsNumericKey(int KeyAscii);

// The most digits an amount box takes, its two cents counted:
// 999,999,999.99, as the tender dialog's keypad takes them.
constexpr int kMaxAmountDigits = 11;

// The one rule of what an amount box may hold, however its text comes in
// (typed, pasted, dropped): nothing, or an amount ("25", "25.5", ".50",
// "1,250.00", "-5.00", "$5") with at most two decimals and at most
// kMaxAmountDigits digits, the cents counted as two. Commas may stand
// anywhere among the whole digits: the box groups them again at its change
// step. Not "1.11.5.00", "1e3", "VISA", "1.234", "1234567890".
bool isAmountEntry(const QString& text);

// Re-formats an amount box's own text after a change (its change step), the
// caret staying after the same digits and point it followed: "25" typed gives
// 25.00, not 52.00, which a write by code alone would give by putting the
// caret back at the start.
void ReformatAmount(forms::TextBox& box, const QString& format);

// How a box that re-formats itself as an amount takes a key typed into it,
// given its text and selection (SelStart, SelLength):
//  - a key IsNumericKey refuses is dropped;
//  - a point goes past the box's own point (the caret moves, the text stays);
//    into an empty box it starts the cents of 0.00; with the caret already
//    in the cents it is a second point, and does nothing;
//  - a digit after the point fills the next cent in place, and is dropped
//    once both cents are typed;
//  - Backspace right after the point steps back over it;
//  - any other key is typed as it comes, unless the text it leaves is not an
//    amount entry (a second point, a digit into a word such as "VISA", a
//    tenth whole digit).
// So "25.5" typed shows 25.50 and "1..5" shows 1.50, never "25.50.00". An
// amount box also sets isAmountEntry as its text rule (TextBox::setAccepts),
// so that a text pasted or dropped into it is held to the same rule.
struct AmountKey {
  enum Kind { Type, Drop, MoveCaret, StartCents };
  Kind kind = Drop;
  int selStart = 0;   // Type: the text the key replaces; MoveCaret: where the caret goes
  int selLength = 0;  // Type only
};
AmountKey placeAmountKey(const QString& text, int selStart, int selLength, int KeyAscii);

// The KeyPress step of a re-formatting amount box: places the key by
// placeAmountKey (KeyAscii becomes 0 for a key that is not typed as it
// comes). Its change step is ReformatAmount.
void AmountKeyPress(forms::TextBox& box, int& KeyAscii);

// The cash drawer's opening pulse: ESC "p" with drawer pin 2, 40 ms on and
// 200 ms off, then CR LF (1B 70 00 14 64 0D 0A).
extern const std::string kDrawerPulse;

// Sends the pulse to a drawer port as the printer window names it ("LPT1:",
// "COM1:", "USB001", a device path; "None" or nothing sends nothing).
// Silent, and returns at once.
void SendDrawerPulse(const QString& port);

// Opens the cash drawer on the port of the printer window's cmbECD (which
// loads the printer window when it is not loaded; it then shows).
void KickCashDrawer();

// The program-wide reference to the spreadsheet application. Only
// GetExcelApp sets it; it holds the application until the program ends or a
// later GetExcelApp replaces it.
extern std::shared_ptr<sheet::Application> ExcelApp;

// Attaches to the running spreadsheet application, or starts one, keeps it in
// ExcelApp and makes it visible; true when ExcelApp then holds one. When none
// can be had it says "Can't Creat Excel Object" and gives false. The
// hourglass shows meanwhile; pending messages run before it returns. A second
// call attaches to the application the first one started.
bool GetExcelApp();

}  // namespace shell
