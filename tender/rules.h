// The rules of the tender dialog, as plain functions over the texts of its
// boxes: reading amounts, the keypad's cents, the purchase amount, the card
// brand, the magnetic-stripe text and the expiry orders.
//
// Money is exact: amounts are read into the convert layer's Currency and
// every sum is taken there, so 35.10 + 0.20 against 35.30 leaves 0.00.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "platform/convert/currency.h"
#include "shell/Module1.h"

namespace tender {

// ---- amounts

// The amount a box holds, as the change sums read it: the number its text
// begins with (blanks first are passed over), an optional minus sign, digits
// with group separators and one decimal point, at its full value. A text
// that does not begin with a number ("", "VISA") reads as 0; "12abc" reads
// 12. Throws rt::ConversionError(Overflow) for a number beyond the currency
// range.
rt::Currency amountOf(const QString& text);

// The text of an amount as the bridge is sent it: plain decimal, no
// separators, no trailing zeros ("1244.5", "51.6", "20").
QString plainAmount(rt::Currency amount);

// An amount a card transaction may charge: the whole text reads as a number
// ("1,234.50" does) above zero. Nothing otherwise ("", "VISA", "0.00").
std::optional<rt::Currency> chargeableAmount(const QString& text);

// What is left for a card to pay: the amount due the sales window handed
// over plus the tip, less the coupon and the gift-card amount (each box read
// as amountOf reads it). Nothing when an amount leaves the currency range.
std::optional<rt::Currency> remainingDue(rt::Currency due, const QString& tips, const QString& coupon,
                                         const QString& gift);

// The card transactions of the dialog.
enum class CardKind { Purchase, Return, Force, PreAuth };

// Why a card transaction may not run for `charge`, told to the clerk; nothing
// when it may. A purchase or a force pays the ticket: it charges exactly what
// is left to pay (`remaining`), never more (the ticket would record less than
// the card was charged) and never less (the ticket would stand as paid with
// a balance due). A return gives back the ticket's total, which is then
// stored as a refund: what is returned is what is rung up. A
// pre-authorisation only holds an amount and is not limited here.
std::optional<QString> chargeRefusal(CardKind kind, rt::Currency charge, rt::Currency remaining,
                                     rt::Currency ticketTotal, bool withTip);

// Why a coupon and a gift card may not be taken: together they come to more
// than the amount due with the tip, and what is over would be paid out as
// change. Nothing when they may.
std::optional<QString> couponRefusal(rt::Currency due, rt::Currency tip, rt::Currency coupon,
                                     rt::Currency gift);

// ---- keypad

// The most digits the keypad takes for an amount, as typing does:
// 999,999,999.99.
using shell::kMaxAmountDigits;

// True when a key's digits ("7", "00") still fit an amount's entry buffer.
bool keypadTakes(const QString& buffer, const QString& key);

// The amount an entry buffer of cents shows: "0.01", "1.23", "123.00"
// (format "###0.00").
QString keypadAmount(const QString& buffer);

// ---- cards

// The prompt the card box shows for the card reader (23 characters).
extern const QString kSwipePrompt;

// The card brand by the first character of the card number: "AMEX" for 3,
// "VISA" for 4, "Master" for 5, "Discover" for 6, else empty.
QString cardTypeOf(const QString& cardNumber);

// True when a card box's text holds a sentinel of a magnetic-stripe track
// ("%" of track 1, ";" of track 2): it is a swipe, read or misread, and never
// a card number.
bool holdsTrackText(const QString& text);

// The swipe in a card box's text: the text from its first "%" on (what the
// clerk typed before a swipe is not part of it); empty without a "%".
QString swipeText(const QString& boxText);

// The card number and the expiry (YYMM) of a magnetic-stripe text, track 1
// first: "%", a format code, the number up to the first "^", the name up to
// the second "^", then the expiry (the four characters after it, or fewer
// when the text ends sooner). Nothing when there is no "^" from the third
// character on, or no second "^".
struct SwipedCard {
  QString number;
  QString expiry;  // YYMM
};
std::optional<SwipedCard> parseCardSwipe(const QString& swipe);

// YYMM to MMYY and back: characters 3, 4, 1, 2 as far as they exist
// ("2512" gives "1225").
QString swapExpiry(const QString& expiry);

// The expiry a transaction from Submit sends: the expiry box's MMYY as YYMM
// when it holds exactly four characters, else empty ("0727" gives "2707").
QString submitExpiry(const QString& expiryBox);

// ---- what the clerk is told about a card transaction

// The message after a card transaction that ended without an approval:
// "Fail: " and the bridge's ErrorMsg. After a time-out the card program may
// still answer, and approve the card: the message says so and names the
// transaction, so that the card is not charged a second time unseen.
QString cardFailureText(const QString& errorMsg);

// A text a card transaction sends, under the box it comes from.
enum class CardText { Clerk, Receipt, CardNumber, Expiry, Swipe, Amount, Zip, Address, CVV2, ApprovalCode };
struct SentText {
  CardText box;
  QString text;
};
struct CardTextRefusal {
  CardText box;
  QString message;
};
// The first text that holds a character the payment bridge refuses (its own
// rule: a double quote, a line break, a null character), and what the clerk
// is told: the box, or the stylist by name, and the character. Card data is
// never shown. Nothing when every text can be sent.
std::optional<CardTextRefusal> refusedCardText(const std::vector<SentText>& texts);

}  // namespace tender
