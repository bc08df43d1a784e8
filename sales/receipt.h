// The customer receipt: whether it opens the cash drawer, and the lines it
// prints for a ticket, in their fonts, sizes, styles and colours.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "platform/print/printer.h"
#include "sales/storage.h"

namespace sales {

// What one receipt prints, as the window's boxes and settings hold it.
struct CustomerReceipt {
  QString storeLine1, storeLine2, storeLine3;  // the store's header lines
  QString check;                               // "#" (live) or "T" and the number: "#1234"
  QString date, time;                          // as shown
  QString server;                              // the stylist's first name
  std::vector<GridLine> lines;                 // the ticket's rows from row 2
  bool freePopAuto = false;                    // lines marked " ." go to the end
  QString subtotal, tax1;
  std::optional<QString> tax2;  // only where the second tax is charged ("Canada")
  QString total;
  QString received, change;   // no Received and Change lines without a received text
  QString coupon, gift, tip;  // the other tenders taken; an empty one is not printed
  bool printNotes = false;    // the notes mode reads "Print L1 L2 Now"
  QString note1, note2;       // an empty note is not printed
};

// Prints the receipt on the printer object and leaves the document open:
//  - the header in Courier New: line 1 at 15 points bold, the other lines at
//    10 bold, the check number, the date and time, the server on a line of
//    its own, and the underlined column heading;
//  - one line a ticket row at 12 points: its quantity marker (" " for 1,
//    "   +" for a sub-line, "2." for 2, "/" as it is) and its item text, the
//    two cut to 19 characters and filled with blanks to 20, so that a blank
//    always stands before the price "#,##0.00"; a sub-line and a "/" line in
//    red (255), the others black;
//    with free-pop "Auto" a line marked " ." is printed last, as a sub-line;
//  - the rule, the totals in bold (each amount from column 21, the taxes from
//    column 22), received and change only with a received amount, and the
//    coupon, gift card and tip each when taken;
//  - the notes in MS Sans Serif, in the notes mode.
// The print quality is set to 300 before the font and to -2 after it.
void printCustomerReceipt(print::PrinterObject& printer, const CustomerReceipt& receipt);

}  // namespace sales
