// The card receipt: the signature copy of an approved card transaction.
#pragma once

#include <QString>

#include "platform/print/printer.h"

namespace tender {

// What one copy prints.
struct CardReceipt {
  QString storeLine1, storeLine2, storeLine3;  // the store's header lines
  QString ticket;                              // left out when empty
  QString clerk;                               // left out when empty
  QString date, time;                          // as shown: short date, long time
  QString cardType;
  QString cardNumber;  // only its last four characters are printed
  QString authCode;
  QString amount;  // the amount charged, as the tender box shows it
  QString tips;    // empty: the customer writes a tip in by hand
  bool isReturn = false;
};

// Prints one copy on the printer object, in the font name already set there:
// the header at 12 and 9 points, the card lines at 12, the totals in bold,
// the lines for a handwritten tip and total when no tip was entered, the
// signature line and the cardholder agreement. The account number shows only
// its last four characters and the expiry never shows. Does not end the
// document.
void printCardReceiptCopy(print::PrinterObject& printer, const CardReceipt& receipt);

}  // namespace tender
