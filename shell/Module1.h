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

// Re-formats an amount box's own text after a change (its change step), the
// caret staying after the same digits and point it followed: "25" typed gives
// 25.00, not 52.00, which a write by code alone would give by putting the
// caret back at the start.
void ReformatAmount(forms::TextBox& box, const QString& format);

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
