#include "tender/cardreceipt.h"

namespace tender {

void printCardReceiptCopy(print::PrinterObject& p, const CardReceipt& r) {
  p.setFontBold(false);
  p.setFontSize(12);
  p.Print(r.storeLine1);
  p.setFontSize(9);
  p.Print(r.storeLine2);
  p.Print(r.storeLine3);
  p.Print(QString());
  if (!r.ticket.isEmpty()) p.Print(QStringLiteral("Check: ") + r.ticket);
  if (!r.clerk.isEmpty()) p.Print(QStringLiteral("Server: ") + r.clerk);
  p.Print(QStringLiteral("Date: ") + r.date);
  p.Print(QStringLiteral("Time: ") + r.time);
  p.Print(QString());

  p.setFontSize(12);
  p.Print(QStringLiteral("Card Type: ") + r.cardType);
  p.Print(QStringLiteral("Account #: xxxx xxxx ") + r.cardNumber.right(4));
  p.Print(QStringLiteral("Exp Date : xx/xx"));
  p.Print(QStringLiteral("Auth Code: ") + r.authCode);
  p.Print(QString());

  p.setFontBold(true);
  if (r.isReturn) {
    p.Print(QStringLiteral("Return Total: ") + r.amount);
  } else {
    if (!r.tips.isEmpty()) p.Print(QStringLiteral("   Tip: ") + r.tips);
    p.Print(QStringLiteral("Total: ") + r.amount);
  }
  p.setFontBold(false);
  p.Print(QString());

  if (r.tips.isEmpty()) {
    p.Print(QStringLiteral("  Tip: .................."));
    p.Print(QString());
    p.Print(QStringLiteral("Total:..................."));
  }
  p.Print(QString());
  p.Print(QStringLiteral("X:________________________"));
  p.Print(QString());
  p.Print(QStringLiteral("  I agree to pay above"));
  p.Print(QStringLiteral("total amount according to"));
  p.Print(QStringLiteral("card issuer agreement."));
  p.Print(QString());
  p.Print(QStringLiteral("  Thank You Come Again"));
}

}  // namespace tender
