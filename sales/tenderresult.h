// What the tender dialog took for a ticket, every tender apart: the cash
// handed over, a coupon, an amount off a gift card, a tip, and a card with
// what it was charged. The dialog hands it to the sales window when the
// tender is done (Submit, a card-logo button, an approved charge); the sales
// window shows it in its boxes and the store writes it into the ticket's
// header, so that the ticket records exactly what was taken.
//
// Amounts are exact (currency arithmetic); the change is worked out against
// the amount due the sales window shows at that moment, so a line rung up
// after a cash tender leaves a balance instead of being given away.
//
// A card return is a refund: the ticket on the window is what is given back,
// the card's amount is below zero, and the ticket is stored with its amounts
// below zero, so that the day's sales and card total are net of it.
#pragma once

#include <QString>

#include "platform/convert/currency.h"

namespace sales {

struct TenderResult {
  rt::Currency cash;    // handed over in cash or check: the dialog's tender box
  rt::Currency coupon;  // the coupon box
  rt::Currency gift;    // taken off a gift card: the gift-card box
  rt::Currency tip;     // on top of the amount due
  // A card paid: through the payment bridge here (charged), or on a terminal
  // of its own (a card-logo button). Its amount includes the tip.
  bool byCard = false;
  bool charged = false;
  QString cardType;  // "VISA", "AMEX", "Master", "Discover", or empty
  rt::Currency card;
  bool refund = false;  // a card return: card is what went back, below zero
};

// What the ticket owes for a total the window shows: the total, or for a
// refund the total below zero.
rt::Currency owedFor(const TenderResult& tender, rt::Currency shownTotal);

// Cash, coupon, gift card and card together.
rt::Currency handedOver(const TenderResult& tender);

// What was handed over less the amount due and the tip: the change, or below
// zero the balance still due.
rt::Currency changeOf(const TenderResult& tender, rt::Currency due);

// What the ticket received: everything handed over less the change given
// back (a balance due gives none back).
rt::Currency receivedOf(const TenderResult& tender, rt::Currency due);

// The drawer opens when money goes into it or out of it: cash was handed
// over, or change is given back; never for a balance due.
bool tenderOpensDrawer(const TenderResult& tender, rt::Currency due);

}  // namespace sales
