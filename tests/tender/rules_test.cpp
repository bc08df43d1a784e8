// The tender dialog's rules as plain functions: amounts, the purchase amount,
// the card brand, the magnetic stripe, the expiry, what the clerk is told of
// a card transaction, and the card receipt.
#include "tender/rules.h"

#include <gtest/gtest.h>

#include "platform/convert/error.h"
#include "platform/convert/number.h"
#include "tender/cardreceipt.h"

namespace {

using namespace tender;

TEST(TenderRules, AnAmountIsTheNumberItsTextBeginsWith) {
  struct Case {
    const char* text;
    const char* value;  // plain decimal
  } cases[] = {
      {"1,234.50", "1234.5"}, {"-5.00", "-5"},  {"", "0"},  {"VISA", "0"}, {"12abc", "12"},
      {" 7.25", "7.25"},      {"1.2.3", "1.2"}, {"-", "0"}, {".5", "0.5"}, {"999,999,999.99", "999999999.99"},
  };
  for (const Case& c : cases) EXPECT_EQ(plainAmount(amountOf(c.text)).toStdString(), c.value) << c.text;
  // Beyond the currency's range: an error the dialog turns into an empty
  // change box, never a wrong amount.
  EXPECT_THROW(amountOf("99999999999999999999"), rt::ConversionError);
}

TEST(TenderRules, OnlyAWholeNumberAboveZeroCanBeCharged) {
  EXPECT_EQ(plainAmount(*chargeableAmount("1,244.50")), "1244.5");
  EXPECT_EQ(plainAmount(*chargeableAmount("51.60")), "51.6");
  for (const char* refused : {"", "VISA", "0.00", "-5.00", "12abc"})
    EXPECT_FALSE(chargeableAmount(refused).has_value()) << refused;
}

// What a card pays is what is left: the due plus the tip, less the coupon
// and the gift card, exactly.
// A coupon and a gift card above the amount due with the tip would be paid
// out as change.
TEST(TenderRules, ACouponAndGiftCardAboveTheDueAreRefused) {
  const auto refused = [](const char* due, const char* tip, const char* coupon, const char* gift) {
    return couponRefusal(rt::CCur(QString(due)), rt::CCur(QString(tip)), rt::CCur(QString(coupon)),
                         rt::CCur(QString(gift)))
        .value_or("<none>")
        .toStdString();
  };
  EXPECT_EQ(refused("19.35", "0", "19.35", "0"), "<none>");
  EXPECT_EQ(refused("19.35", "2", "10", "11.35"), "<none>");
  EXPECT_EQ(
      refused("19.35", "0", "30", "0"),
      "The coupon and the gift card come to more than the amount due with the tip, 19.35: key only what is "
      "taken off them.");
}

TEST(TenderRules, WhatIsLeftToPayIsTheDueWithTheTipLessCouponAndGiftCard) {
  const struct {
    const char *due, *tips, *coupon, *gift;
    const char* left;  // nullptr: none
  } cases[] = {
      {"1,234.50", "10.00", "", "", "1244.5"}, {"35.10", "0.20", "", "", "35.3"},
      {"37.63", "", "17.63", "", "20"},        {"134.95", "5.00", "10.00", "50.00", "79.95"},
      {"19.35", "", "25.00", "", "-5.65"},     {"1.00", "922,337,203,685,477", "", "", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<rt::Currency> left = remainingDue(rt::CCur(QString(c.due)), c.tips, c.coupon, c.gift);
    if (c.left == nullptr)
      EXPECT_FALSE(left.has_value()) << c.due;
    else
      EXPECT_EQ(left ? plainAmount(*left).toStdString() : "<none>", c.left) << c.due;
  }
}

// A purchase or a force pays exactly what is left, a return gives back the
// ticket's total, and each refusal says what is wrong.
TEST(TenderRules, ACardPaysExactlyWhatIsLeftAndAReturnTheTicketsTotal) {
  const rt::Currency total = rt::CCur(QString("90.72"));
  const struct {
    CardKind kind;
    const char *charge, *left;
    bool tip;
    const char* refusal;  // nullptr: none
  } cases[] = {
      {CardKind::Purchase, "95.72", "95.72", true, nullptr},
      {CardKind::Force, "90.72", "90.72", false, nullptr},
      {CardKind::Purchase, "100.00", "95.72", true,
       "The card can not be charged more than the amount due with the tip, 95.72."},
      {CardKind::Force, "100.00", "90.72", false,
       "The card can not be charged more than the amount due, 90.72."},
      {CardKind::Purchase, "50.00", "90.72", false,
       "The card must be charged what is left to pay, 90.72: 50.00 would leave 40.72 unpaid."},
      {CardKind::Purchase, "1.00", "0.00", false, "Nothing is left to pay by card."},
      {CardKind::Return, "90.72", "0.00", false, nullptr},
      {CardKind::Return, "100.00", "90.72", false,
       "A return can not be more than the ticket's total, 90.72."},
      {CardKind::Return, "50.00", "90.72", false,
       "A return gives back the ticket's total, 90.72: ring up only what is returned."},
      {CardKind::PreAuth, "150.00", "90.72", false, nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<QString> why =
        chargeRefusal(c.kind, rt::CCur(QString(c.charge)), rt::CCur(QString(c.left)), total, c.tip);
    EXPECT_EQ(why.value_or("<none>").toStdString(), c.refusal ? c.refusal : "<none>") << c.charge;
  }
}

TEST(TenderRules, TheBrandFollowsTheFirstCharacterOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"371449635398431", "AMEX"},
      {"4242424242424242", "VISA"},
      {"5555555555554444", "Master"},
      {"6011111111111117", "Discover"},
      {"7", ""},
      {"", ""},
      {"-- Swipe Credit Card --", ""},
      {"%B4242424242424242^A^2512", ""},
  };
  for (const auto& [number, type] : cases) EXPECT_EQ(cardTypeOf(number).toStdString(), type) << number;
}

TEST(TenderRules, ASwipeGivesNumberAndExpiryFromTrackOne) {
  const QString full = "%B4242424242424242^DOE/JANE^25121010000000000000?;4242424242424242=25121010000?";
  struct Case {
    QString swipe;
    bool parsed;
    const char* number;
    const char* expiry;
  } cases[] = {
      {full, true, "4242424242424242", "2512"}, {"%B4242424242424242^DOE/JANE", false, "", ""},  // one "^"
      {"%^4242^DOE^2512", false, "", ""},     // the first "^" before the number
      {"%B4242^DOE^", true, "4242", ""},      // the second "^" ends the text
      {"%B4242^DOE^25", true, "4242", "25"},  // a short expiry
      {"%B^DOE^2512", true, "", "2512"},
  };
  for (const Case& c : cases) {
    const std::optional<SwipedCard> card = parseCardSwipe(c.swipe);
    ASSERT_EQ(card.has_value(), c.parsed) << c.swipe.toStdString();
    if (!card) continue;
    EXPECT_EQ(card->number.toStdString(), c.number) << c.swipe.toStdString();
    EXPECT_EQ(card->expiry.toStdString(), c.expiry) << c.swipe.toStdString();
  }
  // What was in the box before the reader's "%" is not part of the swipe.
  EXPECT_EQ(swipeText("12" + full), full);
  EXPECT_EQ(swipeText("4242424242424242"), "");
}

TEST(TenderRules, TheExpiryTurnsBetweenYYMMAndMMYY) {
  EXPECT_EQ(swapExpiry("2512"), "1225");
  EXPECT_EQ(swapExpiry("251"), "125");  // as far as the characters go
  EXPECT_EQ(submitExpiry("0727"), "2707");
  EXPECT_EQ(submitExpiry("727"), "");
  EXPECT_EQ(submitExpiry("07277"), "");
  EXPECT_EQ(submitExpiry(""), "");
}

TEST(TenderRules, KeypadCentsShowAsAmountsOfUpToElevenDigits) {
  EXPECT_EQ(keypadAmount("1"), "0.01");
  EXPECT_EQ(keypadAmount("12300"), "123.00");
  EXPECT_EQ(keypadAmount("99999999999"), "999999999.99");
  EXPECT_TRUE(keypadTakes("9999999999", "9"));
  EXPECT_FALSE(keypadTakes("99999999999", "9"));
  EXPECT_FALSE(keypadTakes("9999999999", "00"));
}

// ---- the card receipt, one copy through the recording back-end

struct PrintedLine {
  double size;
  bool bold;
  QString text;
};

std::vector<PrintedLine> printCopy(const CardReceipt& r) {
  print::Recorder recorder;
  print::Printer().setFontName("courier new");
  printCardReceiptCopy(print::Printer(), r);
  print::Printer().EndDoc();
  std::vector<PrintedLine> out;
  if (recorder.documents().size() != 1) return out;
  for (const print::Line& line : recorder.documents()[0].document.lines) {
    PrintedLine p{line.font.size, line.font.bold, QString()};
    for (const print::Run& run : line.runs) {
      p.text += run.text;
      EXPECT_EQ(run.font.name, "courier new");
      p.bold = run.font.bold;
      p.size = run.font.size;
    }
    out.push_back(p);
  }
  return out;
}

CardReceipt purchase() {
  CardReceipt r;
  r.storeLine1 = "Salon Vela";
  r.storeLine2 = "Tel: 555-0100";
  r.storeLine3 = "Fax: 555-0101";
  r.ticket = "17";
  r.clerk = "Jules";
  r.date = "3/14/2026";
  r.time = "2:05:09 PM";
  r.cardType = "VISA";
  r.cardNumber = "4242424242424242";
  r.authCode = "123456";
  r.amount = "35.00";
  r.tips = "5.00";
  return r;
}

std::vector<QString> golden(std::vector<PrintedLine> lines) {
  std::vector<QString> out;
  for (const PrintedLine& l : lines)
    out.push_back(QStringLiteral("%1%2|%3").arg(l.size).arg(l.bold ? "b" : "").arg(l.text));
  return out;
}

const std::vector<QString> kHeader = {
    "12|Salon Vela",   "9|Tel: 555-0100",   "9|Fax: 555-0101",    "9|", "9|Check: 17",
    "9|Server: Jules", "9|Date: 3/14/2026", "9|Time: 2:05:09 PM", "9|"};
const std::vector<QString> kFooter = {"12|",
                                      "12|X:________________________",
                                      "12|",
                                      "12|  I agree to pay above",
                                      "12|total amount according to",
                                      "12|card issuer agreement.",
                                      "12|",
                                      "12|  Thank You Come Again"};

std::vector<QString> join(std::initializer_list<std::vector<QString>> parts) {
  std::vector<QString> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(TenderRules, OnlyATimeOutIsToldAsACardThatMayStillBeApproved) {
  const QString mayBe =
      " in time. The card may still be approved: look it up in the card program before you charge the card "
      "again. An answer that comes later is shown when the program next starts.";
  struct Case {
    const char* errorMsg;
    QString told;
  } cases[] = {
      {"DECLINED", "Fail: DECLINED"},
      {"Transaction canceled", "Fail: Transaction canceled"},
      {"Transaction time-out: FRONTDESK_140509",
       "Fail: Transaction time-out\n\nThe card program did not answer transaction FRONTDESK_140509" + mayBe},
      // A bridge that names no transaction.
      {"Transaction time-out",
       "Fail: Transaction time-out\n\nThe card program did not answer the transaction" + mayBe},
  };
  for (const Case& c : cases) EXPECT_EQ(cardFailureText(c.errorMsg).toStdString(), c.told.toStdString());
}

TEST(CardReceiptCopy, WithATipTheTipAndTotalAreBoldAndNoDottedLines) {
  EXPECT_EQ(golden(printCopy(purchase())),
            join({kHeader,
                  {"12|Card Type: VISA", "12|Account #: xxxx xxxx 4242", "12|Exp Date : xx/xx",
                   "12|Auth Code: 123456", "12|", "12b|   Tip: 5.00", "12b|Total: 35.00", "12|"},
                  kFooter}));
}

TEST(CardReceiptCopy, WithoutATipTheCustomerWritesTipAndTotalIn) {
  CardReceipt r = purchase();
  r.tips.clear();
  EXPECT_EQ(golden(printCopy(r)),
            join({kHeader,
                  {"12|Card Type: VISA", "12|Account #: xxxx xxxx 4242", "12|Exp Date : xx/xx",
                   "12|Auth Code: 123456", "12|", "12b|Total: 35.00", "12|", "12|  Tip: ..................",
                   "12|", "12|Total:..................."},
                  kFooter}));
}

TEST(CardReceiptCopy, AReturnPrintsItsReturnTotalAndTheDottedLinesWithoutATip) {
  CardReceipt r = purchase();
  r.tips.clear();
  r.isReturn = true;
  r.cardType = "Master";
  r.cardNumber = "42";  // shorter than four: all of it
  EXPECT_EQ(golden(printCopy(r)),
            join({kHeader,
                  {"12|Card Type: Master", "12|Account #: xxxx xxxx 42", "12|Exp Date : xx/xx",
                   "12|Auth Code: 123456", "12|", "12b|Return Total: 35.00", "12|",
                   "12|  Tip: ..................", "12|", "12|Total:..................."},
                  kFooter}));
}

TEST(CardReceiptCopy, AnEmptyTicketAndClerkLeaveTheirLinesOut) {
  CardReceipt r = purchase();
  r.ticket.clear();
  r.clerk.clear();
  r.authCode = "F-7788";  // a force prints the code the clerk typed
  const std::vector<QString> lines = golden(printCopy(r));
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(std::vector<QString>(lines.begin(), lines.begin() + 7),
            (std::vector<QString>{"12|Salon Vela", "9|Tel: 555-0100", "9|Fax: 555-0101", "9|",
                                  "9|Date: 3/14/2026", "9|Time: 2:05:09 PM", "9|"}));
  EXPECT_EQ(lines[10], "12|Auth Code: F-7788");
}

}  // namespace
