#include "tender/rules.h"

#include <utility>

#include "bridge/protocol.h"
#include "platform/convert/error.h"
#include "platform/convert/format.h"
#include "platform/convert/number.h"
#include "shell/settingsrules.h"

namespace tender {

const QString kSwipePrompt = QStringLiteral("-- Swipe Credit Card --");

rt::Currency amountOf(const QString& text) {
  int i = 0;
  const int n = int(text.size());
  while (i < n && text.at(i) == QLatin1Char(' ')) ++i;
  QString number;
  if (i < n && text.at(i) == QLatin1Char('-')) {
    number += QLatin1Char('-');
    ++i;
  }
  bool digits = false;
  for (; i < n; ++i) {
    const QChar c = text.at(i);
    if (c.isDigit() && c.unicode() < 128) {
      number += c;
      digits = true;
    } else if (c == QLatin1Char(',') && digits && !number.contains(QLatin1Char('.'))) {
      continue;  // a group separator between digits of the whole part
    } else if (c == QLatin1Char('.') && !number.contains(QLatin1Char('.'))) {
      number += c;
    } else {
      break;
    }
  }
  if (!digits) return rt::Currency();
  const std::optional<rt::Currency> value = rt::TryCCur(number);
  if (!value) throw rt::ConversionError(rt::ConversionError::Overflow);
  return *value;
}

QString plainAmount(rt::Currency amount) {
  return rt::CStr(amount);
}

std::optional<rt::Currency> chargeableAmount(const QString& text) {
  const std::optional<rt::Currency> amount = rt::TryCCur(text);
  if (!amount || *amount <= rt::Currency()) return std::nullopt;
  return amount;
}

std::optional<rt::Currency> remainingDue(rt::Currency due, const QString& tips, const QString& coupon,
                                         const QString& gift) {
  try {
    return due + amountOf(tips) - amountOf(coupon) - amountOf(gift);
  } catch (const rt::ConversionError&) {
    return std::nullopt;
  }
}

std::optional<QString> couponRefusal(rt::Currency due, rt::Currency tip, rt::Currency coupon,
                                     rt::Currency gift) {
  if (coupon + gift <= due + tip) return std::nullopt;
  return QStringLiteral(
             "The coupon and the gift card come to more than the amount due with the tip, %1: key "
             "only what is taken off them.")
      .arg(rt::Format(due + tip, QStringLiteral("#,##0.00")));
}

std::optional<QString> chargeRefusal(CardKind kind, rt::Currency charge, rt::Currency remaining,
                                     rt::Currency ticketTotal, bool withTip) {
  const QString money = QStringLiteral("#,##0.00");
  switch (kind) {
    case CardKind::Purchase:
    case CardKind::Force:
      if (remaining <= rt::Currency()) return QStringLiteral("Nothing is left to pay by card.");
      if (charge > remaining)
        return (withTip
                    ? QStringLiteral("The card can not be charged more than the amount due with the tip, %1.")
                    : QStringLiteral("The card can not be charged more than the amount due, %1."))
            .arg(rt::Format(remaining, money));
      if (charge < remaining)
        return QStringLiteral("The card must be charged what is left to pay, %1: %2 would leave %3 unpaid.")
            .arg(rt::Format(remaining, money), rt::Format(charge, money),
                 rt::Format(remaining - charge, money));
      return std::nullopt;
    case CardKind::Return:
      if (charge > ticketTotal)
        return QStringLiteral("A return can not be more than the ticket's total, %1.")
            .arg(rt::Format(ticketTotal, money));
      if (charge < ticketTotal)
        return QStringLiteral("A return gives back the ticket's total, %1: ring up only what is returned.")
            .arg(rt::Format(ticketTotal, money));
      return std::nullopt;
    case CardKind::PreAuth:
      return std::nullopt;
  }
  return std::nullopt;
}

bool keypadTakes(const QString& buffer, const QString& key) {
  return buffer.size() + key.size() <= kMaxAmountDigits;
}

QString keypadAmount(const QString& buffer) {
  bool ok = false;
  const qint64 cents = buffer.isEmpty() ? 0 : buffer.toLongLong(&ok);
  return rt::Format(rt::Currency::fromRaw((ok ? cents : 0) * 100), QStringLiteral("###0.00"));
}

QString cardTypeOf(const QString& cardNumber) {
  if (cardNumber.isEmpty()) return QString();
  switch (cardNumber.at(0).unicode()) {
    case '3':
      return QStringLiteral("AMEX");
    case '4':
      return QStringLiteral("VISA");
    case '5':
      return QStringLiteral("Master");
    case '6':
      return QStringLiteral("Discover");
    default:
      return QString();
  }
}

bool holdsTrackText(const QString& text) {
  return text.contains(QLatin1Char('%')) || text.contains(QLatin1Char(';'));
}

QString swipeText(const QString& boxText) {
  const qsizetype start = boxText.indexOf(QLatin1Char('%'));
  return start < 0 ? QString() : boxText.mid(start);
}

std::optional<SwipedCard> parseCardSwipe(const QString& swipe) {
  // The number stands between the format code (second character) and the
  // first "^"; the expiry follows the second "^".
  const qsizetype first = swipe.indexOf(QLatin1Char('^'));
  if (first < 2) return std::nullopt;
  const qsizetype second = swipe.indexOf(QLatin1Char('^'), first + 1);
  if (second < 0) return std::nullopt;
  return SwipedCard{swipe.mid(2, first - 2), swipe.mid(second + 1, 4)};
}

QString swapExpiry(const QString& expiry) {
  return expiry.mid(2, 2) + expiry.left(2);
}

QString submitExpiry(const QString& expiryBox) {
  return expiryBox.size() == 4 ? swapExpiry(expiryBox) : QString();
}

QString cardFailureText(const QString& errorMsg) {
  const std::optional<std::string> timedOut = vxt::TimedOutTransaction(errorMsg.toStdString());
  if (!timedOut) return QStringLiteral("Fail: ") + errorMsg;
  const QString transaction = timedOut->empty()
                                  ? QStringLiteral("the transaction")
                                  : QStringLiteral("transaction ") + QString::fromStdString(*timedOut);
  return QStringLiteral(
             "Fail: %1\n\nThe card program did not answer %2 in time. The card may still be "
             "approved: look it up in the card program before you charge the card again. An answer "
             "that comes later is shown when the program next starts.")
      .arg(QString::fromLatin1(vxt::kMsgTimeout), transaction);
}

std::optional<CardTextRefusal> refusedCardText(const std::vector<SentText>& texts) {
  for (const SentText& sent : texts) {
    const std::optional<QString> character = shell::uncarriedCharacter(sent.text);
    if (!character) continue;
    QString what;
    QString remedy = QStringLiteral("Please correct it.");
    if (sent.box == CardText::Clerk) {
      what = QStringLiteral("The stylist's name ") + sent.text;
      remedy = QStringLiteral("Please correct the name in Employees.");
    } else if (sent.box == CardText::Swipe) {
      what = QStringLiteral("The card's swipe");
      remedy = QStringLiteral("Please key the card number.");
    } else {
      // Each box by the caption the dialog shows for it.
      static const std::pair<CardText, const char*> kCaptions[] = {{CardText::Receipt, "Receipt #"},
                                                                   {CardText::CardNumber, "Credit Card #"},
                                                                   {CardText::Expiry, "Expiration (MMYY)"},
                                                                   {CardText::Amount, "Tender"},
                                                                   {CardText::Zip, "Zip Code"},
                                                                   {CardText::Address, "Address"},
                                                                   {CardText::CVV2, "CVV2/CVC2"},
                                                                   {CardText::ApprovalCode, "Approval Code"}};
      for (const auto& [box, caption] : kCaptions)
        if (box == sent.box) what = QStringLiteral("The %1 box").arg(QString::fromLatin1(caption));
    }
    return CardTextRefusal{sent.box,
                           QStringLiteral("%1 holds %2, which cannot be sent to the card program. %3")
                               .arg(what, *character, remedy)};
  }
  return std::nullopt;
}

}  // namespace tender
