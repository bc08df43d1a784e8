// The card road with a payment bridge of the test's making: swipes, the
// amount checks, the arguments of the four transactions, their outcomes, the
// bridge object's life, and where card data may go.
#include <QLineEdit>
#include <QWidget>
#include <functional>

#include "platform/convert/format.h"
#include "platform/files/paths.h"
#include "tests/heap_scan.h"
#include "tests/refusing_printer.h"
#include "tests/tender/tender_fixture.h"

namespace {

using tender::frmTender;
using tender::Tender;

const QString kSwipe = "%B4242424242424242^DOE/JANE^25121010000000000000?;4242424242424242=25121010000?";

class CardRoad : public TenderFixture {
 public:
  // The clerk clicks the card box and the reader types the swipe and Enter.
  void swipe(frmTender& w, const QString& text = kSwipe) {
    click(w.txtCardNu);
    type(w.txtCardNu, text);
    pressEnter(w.txtCardNu);
  }
  // Cash (which empties the card box), a typed card and Submit.
  void keyedSubmit(frmTender& w, const QString& number, const QString& expiry) {
    press(w.cmdCash);
    w.txtCardNu.setText(number);
    w.txtExp.setText(expiry);
    press(w.cmdNext);
  }
  // The card swiped, or keyed and Submit.
  void swipedOrKeyed(frmTender& w, bool swiped) {
    if (swiped) {
      swipe(w);
      return;
    }
    w.txtCardNu.setText("4242424242424242");
    w.txtExp.setText("1227");
    press(w.cmdNext);
  }
  QString folder() const {
    return QString::fromStdString(files::localPath("C:\\Program Files\\Vantix\\LocalTran"));
  }
};

TEST_F(CardRoad, ASwipedPurchaseChargesDuePlusTipAndPrintsTheReceipt) {
  frmTender& w = open("1,234.50");
  click(w.txtTips);
  keypad({"1", "0", "0", "0"});
  type(w.txtGet, "5");             // a typed amount the swipe replaces
  messages_->answer(forms::vbNo);  // no second copy
  const std::int32_t handle = w.hWnd();
  QWidget* const dialogWindow = w.window();
  QWidget* owner = nullptr;
  bridge_.whileWaiting = [&] { owner = QWidget::find(static_cast<WId>(static_cast<std::uint32_t>(handle))); };
  swipe(w);

  ASSERT_EQ(bridge_.calls.size(), 1u);
  const FakeBridge::Call& call = bridge_.calls[0];
  EXPECT_EQ(call.method, "CCPurchase");
  const std::map<QString, QString> expected = {{"TranFolder", folder()},
                                               {"TranCaption", "Purchase"},
                                               {"Clerk", "Jules"},
                                               {"Receipt", "DovrelPOS17"},
                                               {"CC", "4242424242424242"},
                                               {"Exp", "2512"},
                                               {"Swipe", kSwipe},
                                               {"Amount", "1244.5"},
                                               {"Zip", ""},
                                               {"Address", ""},
                                               {"CV", ""}};
  EXPECT_EQ(call.in, expected);
  // The handle finds the dialog's own window, which owns the bridge's wait
  // window.
  EXPECT_EQ(call.hHandle, handle);
  ASSERT_NE(owner, nullptr);
  EXPECT_EQ(owner->window(), dialogWindow);

  EXPECT_FALSE(w.IsLoaded());
  EXPECT_EQ(sales::Sales().txtGet.Tag(), "Card");
  EXPECT_EQ(sales::Sales().txtGet.Text(), "VISA");
  EXPECT_EQ(sales::Sales().txtReturn.Text(), "0.00");
  ASSERT_EQ(printed_.documents().size(), 1u);
  const std::vector<QString> lines = printedTexts()[0];
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Total: 1,244.50"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "   Tip: 10.00"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Auth Code: 123456"), lines.end());
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt,
            " Do you want to print out sencond copy of the credit card receipt?");
  EXPECT_EQ(messages_->shown()[0].buttons, forms::vbYesNo);
}

TEST_F(CardRoad, ASwipeFillsTheCardBoxesAndKeepsTheTrackHidden) {
  struct Case {
    const char* why;
    QString typed;
    bool parsed;
  } cases[] = {
      {"a two-track swipe", kSwipe, true},
      {"text before the swipe", "12" + kSwipe, true},
      {"one caret only", "%B4242424242424242^DOE/JANE", false},
  };
  for (const Case& c : cases) {
    frmTender& w = open("1,234.50");
    press(w.cmdVoid);  // Void: the swipe only fills the boxes
    w.txtCardNu.setEnabled(true);
    click(w.txtCardNu);
    w.txtCardNu.setText(QString());
    type(w.txtCardNu, c.typed);
    EXPECT_EQ(w.txtCardNu.PasswordChar(), "*") << c.why;
    pressEnter(w.txtCardNu);
    EXPECT_FALSE(w.txtString.Visible());
    EXPECT_EQ(w.txtString.Text(), c.typed.mid(c.typed.indexOf('%'))) << c.why;
    if (c.parsed) {
      EXPECT_EQ(w.txtCardNu.Text(), "4242424242424242") << c.why;
      EXPECT_EQ(w.txtCardNu.PasswordChar(), "") << c.why;
      EXPECT_EQ(w.txtExp.Text(), "1225") << c.why;
      EXPECT_EQ(w.txtCardType.Text(), "VISA") << c.why;
      EXPECT_EQ(w.CardExpiry, "2512") << c.why;
    } else {
      EXPECT_EQ(w.txtCardNu.Text(), c.typed) << c.why;  // the reader's text stays, masked
      EXPECT_EQ(w.txtCardNu.PasswordChar(), "*") << c.why;
    }
    EXPECT_TRUE(bridge_.calls.empty()) << c.why;
    unloadAllWindows();
  }
}

TEST_F(CardRoad, WithoutAnAmountAboveZeroThereIsNoCall) {
  struct Case {
    const char* why;
    const char* due;
    std::function<void(CardRoad&, frmTender&)> steps;
    const char* message;
    const char* tenderAfter;
  } cases[] = {
      {"a return without an amount", "20.00",
       [](CardRoad& t, frmTender& w) {
         press(w.cmdReturn);
         t.swipe(w);
         EXPECT_EQ(w.txtCardNu.Text(), "4242424242424242");  // Enter there now does nothing
       },
       "Please Enter Your Return Amount For This Purchase!!!", ""},
      {"a force without an amount", "20.00",
       [](CardRoad& t, frmTender& w) {
         press(w.cmdForce);
         t.swipe(w);
       },
       "Please Enter Your Tender Amount For This Purchase!!!", ""},
      {"a pre-authorisation of zero", "20.00",
       [](CardRoad& t, frmTender& w) {
         press(w.cmdPre);
         t.keypad({"0"});
         t.swipe(w);
       },
       "Please Enter Your Tender Amount For This Pre-Auth Purchase!!!", "0.00"},
      {"a swiped purchase of nothing due", "0.00",
       [](CardRoad& t, frmTender& w) {
         t.keypad({"5"});
         t.swipe(w);
       },
       "Nothing is left to pay by card.", "0.05"},
      {"a coupon that covers the due", "20.00",
       [](CardRoad& t, frmTender& w) {
         press(w.cmdCoupon);
         t.keypad({"2", "0", "0", "0"});
         t.swipe(w);
       },
       "Nothing is left to pay by card.", ""},
      {"a card brand left in the tender box", "20.00",
       [](CardRoad&, frmTender& w) {
         press(w.cmdVisa1);
         w.txtCardNu.setText("4242424242424242");
         w.txtExp.setText("1227");
         press(w.cmdNext);
       },
       "Please Enter Your Tender Amount For This Purchase!!!", "VISA"},
  };
  for (const Case& c : cases) {
    frmTender& w = open(c.due);
    messages_->answer(forms::vbOK);
    c.steps(*this, w);
    EXPECT_TRUE(bridge_.calls.empty()) << c.why;
    EXPECT_EQ(creations_, 0) << c.why;
    ASSERT_FALSE(messages_->shown().empty()) << c.why;
    EXPECT_EQ(messages_->shown().back().prompt.toStdString(), c.message) << c.why;
    EXPECT_EQ(messages_->shown().back().buttons, forms::vbOKOnly | forms::vbCritical) << c.why;
    EXPECT_TRUE(w.IsLoaded()) << c.why;
    EXPECT_EQ(w.txtGet.Text().toStdString(), c.tenderAfter) << c.why;
    messages_->clear();
    unloadAllWindows();
  }
}

// A purchase or a force charges no more than the amount due with the tip: a
// tender above it is refused before any request, and the message gives the
// amount. 37.63 is due.
TEST_F(CardRoad, ATenderAboveTheDueIsNeverCharged) {
  const char* const aboveDue = "The card can not be charged more than the amount due, 37.63.";
  struct Case {
    const char* why;
    bool force;
    QStringList tip;      // keyed
    QStringList tender;   // keyed
    bool swiped;          // else keyed card and Submit
    const char* charged;  // the amount sent; nothing when refused
    const char* message;
  } cases[] = {
      {"a purchase above the due", false, {}, {"4", "0", "0", "0"}, false, nullptr, aboveDue},
      {"a purchase of the due", false, {}, {"3", "7", "6", "3"}, false, "37.63", nullptr},
      {"a purchase of the due and the tip",
       false,
       {"2", "3", "7"},
       {"4", "0", "0", "0"},
       false,
       "40",
       nullptr},
      {"a purchase above the due and the tip",
       false,
       {"2", "3", "7"},
       {"4", "0", "0", "1"},
       false,
       nullptr,
       "The card can not be charged more than the amount due with the tip, 40.00."},
      {"a force above the due", true, {}, {"4", "0", "0", "0"}, false, nullptr, aboveDue},
      {"a swiped force above the due", true, {}, {"4", "0", "0", "0"}, true, nullptr, aboveDue},
      {"a swiped force below the due",
       true,
       {},
       {"2", "0", "0", "0"},
       true,
       nullptr,
       "The card must be charged what is left to pay, 37.63: 20.00 would leave 17.63 unpaid."},
      {"a swiped force of the due", true, {}, {"3", "7", "6", "3"}, true, "37.63", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    bridge_.calls.clear();
    const std::size_t printedBefore = printed_.documents().size();
    frmTender& w = open("37.63");
    if (c.force) {
      w.txtApproval.setText("F-7788");
      press(w.cmdForce);
    }
    if (!c.tip.isEmpty()) {
      click(w.txtTips);  // Force with an approval code, else Purchase
      keypad(c.tip);
    }
    click(w.txtGet);
    keypad(c.tender);
    messages_->answer(c.charged ? forms::vbNo : forms::vbOK);
    swipedOrKeyed(w, c.swiped);
    if (c.charged) {
      ASSERT_EQ(bridge_.calls.size(), 1u);
      EXPECT_EQ(bridge_.calls[0].in.at("Amount").toStdString(), c.charged);
      EXPECT_FALSE(w.IsLoaded());
    } else {
      EXPECT_TRUE(bridge_.calls.empty());
      ASSERT_EQ(messages_->shown().size(), 1u);
      EXPECT_EQ(messages_->shown()[0].prompt.toStdString(), c.message);
      EXPECT_TRUE(w.IsLoaded());
      EXPECT_EQ(printed_.documents().size(), printedBefore);
      EXPECT_EQ(sales::Sales().txtGet.Text(), "");
    }
    messages_->clear();
    unloadAllWindows();
  }
}

// A text that holds a track sentinel is never a card number: on every road
// that would send it, the clerk is asked to swipe again or key the number,
// the box is emptied, and nothing is sent.
TEST_F(CardRoad, ATrackTextInTheCardBoxIsNeverSent) {
  struct Case {
    const char* why;
    forms::CommandButton frmTender::*mode;
    QString text;
    bool process;  // Process after the Enter
  } cases[] = {
      {"a misread swipe, Process in Purchase", &frmTender::cmdPurchase, "%B4242424242424242^DOE/JANE", true},
      {"a misread swipe, Process in Force", &frmTender::cmdForce, "%B4242424242424242^DOE/JANE", true},
      {"a misread swipe, Process in Pre-Authorization", &frmTender::cmdPre, "%B4242424242424242^DOE/JANE",
       true},
      {"track 2 alone, Process", &frmTender::cmdPurchase, ";4242424242424242=25121010000?", true},
      {"a swipe whose number runs into track 2", &frmTender::cmdPurchase,
       "%E?;4242424242424242=2512^1010^00?", false},
      {"the same, swiped in Force", &frmTender::cmdForce, "%E?;4242424242424242=2512^1010^00?", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    frmTender& w = open();
    press(w.*c.mode);
    press(w.cmdCash);
    messages_->answer(forms::vbOK);
    swipe(w, c.text);
    if (c.process) press(w.cmdNext);
    EXPECT_TRUE(bridge_.calls.empty());
    EXPECT_EQ(creations_, 0);
    ASSERT_EQ(messages_->shown().size(), 1u);
    EXPECT_EQ(messages_->shown()[0].prompt,
              "The card could not be read. Please swipe it again or key the card number.");
    EXPECT_TRUE(w.IsLoaded());
    EXPECT_EQ(w.txtCardNu.Text(), "");
    EXPECT_EQ(w.txtCardNu.PasswordChar(), "");
    EXPECT_EQ(w.txtString.Text(), "");
    EXPECT_EQ(w.window()->focusWidget(), w.txtCardNu.widget());
    EXPECT_EQ(w.txtGet.Text(), "51.60");
    EXPECT_TRUE(printed_.documents().empty());
    messages_->clear();
    unloadAllWindows();
  }
}

// A double quote, a line break or a null character in a text the bridge is
// sent would break the request's one-line record, and the bridge refuses it.
// The dialog names the box (or the stylist) and the character before any
// bridge is created or called; card data itself is never shown.
TEST_F(CardRoad, ATextTheBridgeWouldRefuseIsNamedAndNothingIsSent) {
  const QString fails = "which cannot be sent to the card program.";
  struct Case {
    const char* why;
    forms::CommandButton frmTender::*mode;
    std::function<void(frmTender&)> fill;
    bool swiped;
    QString message;  // empty: sent
  } cases[] = {
      {"a quote in the stylist's name", &frmTender::cmdPurchase,
       [](frmTender&) { sales::Sales().lblID.setCaption("Jo \"JJ\""); }, false,
       "The stylist's name Jo \"JJ\" holds a double quote (\"), " + fails +
           " Please correct the name in Employees."},
      {"a quote in the zip code", &frmTender::cmdPurchase, [](frmTender& w) { w.txtZip.setText("02\"110"); },
       false, "The Zip Code box holds a double quote (\"), " + fails + " Please correct it."},
      {"a line break in the address", &frmTender::cmdPre,
       [](frmTender& w) { w.txtAddress.setText("1 Main St\n"); }, false,
       "The Address box holds a line feed, " + fails + " Please correct it."},
      {"a null character in the CVV2", &frmTender::cmdPurchase,
       [](frmTender& w) { w.txtCVC.setText(QString("12") + QChar(0) + "3"); }, false,
       "The CVV2/CVC2 box holds a NUL character, " + fails + " Please correct it."},
      {"a quote in the approval code of a force", &frmTender::cmdForce,
       [](frmTender& w) { w.txtApproval.setText("A\"1"); }, true,
       "The Approval Code box holds a double quote (\"), " + fails + " Please correct it."},
      {"a quote in the swipe", &frmTender::cmdPurchase, [](frmTender&) {}, true,
       "The card's swipe holds a double quote (\"), " + fails + " Please key the card number."},
      {"a quote in a box a return does not send", &frmTender::cmdReturn,
       [](frmTender& w) { w.txtZip.setText("02\"110"); }, true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    bridge_.calls.clear();
    creations_ = 0;
    tender::Tender().ReleaseBridge();
    frmTender& w = open();
    press(w.*c.mode);
    press(w.cmdCash);
    c.fill(w);
    w.txtEmply.setText(sales::Sales().lblID.Caption());
    messages_->answer(forms::vbOK);
    if (c.swiped) {
      const QString quoted = "%B4242424242424242^DO\"E/JANE^25121010000000000000?";
      swipe(w, c.mode == &frmTender::cmdPurchase ? quoted : kSwipe);
    } else {
      w.txtCardNu.setText("4242424242424242");
      w.txtExp.setText("1227");
      press(w.cmdNext);
    }
    if (c.message.isEmpty()) {
      EXPECT_EQ(bridge_.calls.size(), 1u);
    } else {
      EXPECT_TRUE(bridge_.calls.empty());
      EXPECT_EQ(creations_, 0);
      ASSERT_EQ(messages_->shown().size(), 1u);
      EXPECT_EQ(messages_->shown()[0].prompt.toStdString(), c.message.toStdString());
      EXPECT_TRUE(w.IsLoaded());
      EXPECT_EQ(w.txtGet.Text(), "51.60");
      if (c.message.contains("swipe")) {
        EXPECT_EQ(w.txtString.Text(), "") << "the swipe is let go";
      }
    }
    messages_->clear();
    unloadAllWindows();
    sales::Sales().lblID.setCaption("Jules");
  }
}

TEST_F(CardRoad, EachTransactionSendsItsOwnParameters) {
  struct Case {
    const char* mode;
    bool swiped;
    const char* method;
    std::map<QString, QString> in;
    const char* authLine;  // on the receipt
  } cases[] = {
      {"Purchase",
       false,
       "CCPurchase",
       {{"TranCaption", "Purchase"},
        {"CC", "4242424242424242"},
        {"Exp", "2712"},
        {"Swipe", ""},
        {"Amount", "51.6"},
        {"Zip", "02110"},
        {"Address", "1 Main St"},
        {"CV", "123"}},
       "Auth Code: 123456"},
      {"Return",
       true,
       "CCReturn",
       {{"TranCaption", "Return"},
        {"CC", "4242424242424242"},
        {"Exp", "2512"},
        {"Swipe", kSwipe},
        {"Amount", "51.6"}},
       "Auth Code: 123456"},
      {"Force",
       true,
       "CCForce",
       {{"TranCaption", "Post Auth"},
        {"CC", "4242424242424242"},
        {"Exp", "2512"},
        {"Swipe", ""},
        {"Amount", "51.6"},
        {"ApprovalCode", "F-7788"},
        {"Zip", "02110"},
        {"Address", "1 Main St"}},
       "Auth Code: F-7788"},
      {"Pre-Authorization",
       false,
       "CCPreAuth",
       {{"TranCaption", "Pre-Auth"},
        {"CC", "4242424242424242"},
        {"Exp", "2712"},
        {"Swipe", ""},
        {"Amount", "51.6"},
        {"Zip", "02110"},
        {"Address", "1 Main St"},
        {"CV", "123"}},
       "Auth Code: 123456"},
  };
  for (const Case& c : cases) {
    bridge_.calls.clear();
    frmTender& w = open();
    press(c.mode == QString("Return")     ? w.cmdReturn
          : c.mode == QString("Force")    ? w.cmdForce
          : c.mode == QString("Purchase") ? w.cmdPurchase
                                          : w.cmdPre);
    w.txtZip.setText("02110");
    w.txtAddress.setText("1 Main St");
    w.txtCVC.setText("123");
    w.txtApproval.setText("F-7788");
    press(w.cmdCash);
    messages_->answer(forms::vbNo);
    swipedOrKeyed(w, c.swiped);
    ASSERT_EQ(bridge_.calls.size(), 1u) << c.mode;
    EXPECT_EQ(bridge_.calls[0].method.toStdString(), c.method);
    std::map<QString, QString> expected = c.in;
    expected["TranFolder"] = folder();
    expected["Clerk"] = "Jules";
    expected["Receipt"] = "DovrelPOS17";
    EXPECT_EQ(bridge_.calls[0].in, expected) << c.mode;
    EXPECT_FALSE(w.IsLoaded()) << c.mode;
    const std::vector<QString> lines = printedTexts().back();
    EXPECT_NE(std::find(lines.begin(), lines.end(), c.authLine), lines.end()) << c.mode;
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "Return Total: 51.60") != lines.end(),
              c.mode == QString("Return"))
        << c.mode;
  }
}

// A printer that fails every document.
TEST_F(CardRoad, AnApprovalIsHandedBackEvenWhenPrintingFails) {
  RefusingPrinter failing("the printer is out of paper");
  frmTender& w = open();
  messages_->answer(forms::vbOK);
  messages_->answer(forms::vbYes);
  messages_->answer(forms::vbOK);
  keyedSubmit(w, "371449635398431", "1227");
  // Each copy that went nowhere is told, the second-copy question is still
  // asked, and the card goes back to the sales window.
  ASSERT_EQ(messages_->shown().size(), 3u);
  for (int i : {0, 2})
    EXPECT_EQ(messages_->shown()[i].prompt,
              "The card receipt could not be printed: the printer is out of paper");
  EXPECT_EQ(messages_->shown()[1].buttons, forms::vbYesNo);
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_EQ(sales::Sales().txtGet.Text(), "AMEX");
  EXPECT_EQ(sales::Sales().txtGet.Tag(), "Card");
  EXPECT_TRUE(print::Printer().pending().lines.empty());
}

// A pre-authorisation holds an amount and pays nothing: its slip prints, its
// code goes to the sales window, the ticket stays unpaid, and the force that
// captures it can then be run and pays it.
TEST_F(CardRoad, APreAuthorisationPaysNothingAndTheForceAfterItPays) {
  sales::frmSales& sales = sales::Sales();
  frmTender& w = open();
  press(w.cmdPre);
  press(w.cmdCash);
  messages_->answer(forms::vbYes);  // a second copy
  bridge_.answers.push_back({S_OK, true, "", "PA-55", "Y", "M", ""});
  swipe(w);
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_EQ(sales.txtString.Tag(), "PA-55");
  EXPECT_EQ(sales.txtString.Text(), "");  // the swipe never leaves the dialog
  EXPECT_EQ(sales.txtGet.Text() + "|" + sales.txtGet.Tag(), "|");
  EXPECT_FALSE(sales.TenderTaken().has_value());
  EXPECT_EQ(w.ApprovalCode, "PA-55");
  EXPECT_EQ(w.AVSResult, "Y");
  EXPECT_EQ(w.CVV2Result, "M");
  ASSERT_EQ(printed_.documents().size(), 2u);  // each copy its own document
  EXPECT_EQ(printedTexts()[0], printedTexts()[1]);

  frmTender& again = open();
  again.txtApproval.setText("PA-55");
  press(again.cmdForce);
  click(again.txtGet);
  keypad({"5", "1", "6", "0"});
  messages_->answer(forms::vbNo);
  swipe(again);
  ASSERT_EQ(bridge_.calls.size(), 2u);
  EXPECT_EQ(bridge_.calls[1].method, "CCForce");
  EXPECT_EQ(bridge_.calls[1].in.at("ApprovalCode"), "PA-55");
  ASSERT_TRUE(sales.TenderTaken().has_value());
  EXPECT_EQ(sales.txtGet.Text() + "|" + sales.txtGet.Tag(), "VISA|Card");
  EXPECT_EQ(rt::Format(sales.TenderTaken()->card, "#,##0.00"), "51.60");
}

// A dialog closed while the bridge waits (its window went away) still hands
// an approved charge back: the card is never charged with nothing recorded.
TEST_F(CardRoad, AnApprovalAfterTheDialogClosedStillPaysTheTicket) {
  frmTender& w = open("51.60");
  bridge_.whileWaiting = [&w] { forms::Unload(w); };
  messages_->answer(forms::vbNo);
  keyedSubmit(w, "4242424242424242", "1227");
  ASSERT_EQ(bridge_.calls.size(), 1u);
  ASSERT_TRUE(sales::Sales().TenderTaken().has_value());
  EXPECT_TRUE(sales::Sales().TenderTaken()->charged);
  EXPECT_EQ(rt::Format(sales::Sales().TenderTaken()->card, "#,##0.00"), "51.60");
  EXPECT_EQ(sales::Sales().txtGet.Text() + "|" + sales::Sales().txtGet.Tag(), "VISA|Card");
}

TEST_F(CardRoad, ADeclineIsToldAndNothingStandsAsPaid) {
  sales::frmSales& sales = sales::Sales();
  sales.txtGet.setText("");
  frmTender& w = open("1,234.50");
  type(w.txtGet, "2");
  bridge_.answers.push_back({S_OK, false, "DECLINED", "", "", "", ""});
  // What the clerk sees behind the message.
  struct Peek : forms::MessageResponder {
    frmTender* w;
    forms::Message message;
    QString tenderShown;
    int respond(const forms::Message& m) override {
      message = m;
      tenderShown = w->txtGet.Text();
      return forms::vbOK;
    }
    std::optional<QString> respondInput(const forms::Message&) override { return std::nullopt; }
  } peek;
  peek.w = &w;
  forms::MessageResponder* scripted = forms::setMessageResponder(&peek);
  swipe(w);
  forms::setMessageResponder(scripted);
  ASSERT_EQ(bridge_.calls.size(), 1u);
  EXPECT_EQ(bridge_.calls[0].in.at("Amount"), "1234.5");
  EXPECT_EQ(peek.message.prompt, "Fail: DECLINED");
  EXPECT_EQ(peek.message.buttons, forms::vbOKOnly);
  EXPECT_EQ(peek.tenderShown, "2.00");
  EXPECT_TRUE(w.IsLoaded());
  EXPECT_EQ(w.txtAnswer.Text(), "DECLINED");
  EXPECT_TRUE(w.txtAnswer.Visible());
  EXPECT_EQ(w.txtGet.Text(), "2.00");  // what it held before the card road
  EXPECT_EQ(sales.txtGet.Text(), "");
  EXPECT_EQ(sales.txtGet.Tag(), "");
  EXPECT_TRUE(printed_.documents().empty());

  // A bridge that fails the call: its error is told, the dialog stays.
  bridge_.answers.push_back({DISP_E_EXCEPTION, false, "", "", "", "", "Cannot write the request: disk full"});
  messages_->answer(forms::vbOK);
  w.txtGet.setText("1234.5");
  press(w.cmdNext);  // Submit with the card the swipe left
  EXPECT_EQ(messages_->shown().back().prompt, "Fail: Cannot write the request: disk full");
  EXPECT_EQ(w.txtAnswer.Text(), "Cannot write the request: disk full");
  EXPECT_EQ(w.txtGet.Text(), "1,234.50");
  EXPECT_TRUE(w.IsLoaded());
  EXPECT_TRUE(printed_.documents().empty());
}

TEST_F(CardRoad, ATimeOutSaysTheCardMayStillBeApprovedAndNamesTheTransaction) {
  frmTender& w = open();
  bridge_.answers.push_back({S_OK, false, "Transaction time-out: FRONTDESK_140509", "", "", "", ""});
  messages_->answer(forms::vbOK);
  keyedSubmit(w, "4242424242424242", "1227");
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt.toStdString(),
            "Fail: Transaction time-out\n\nThe card program did not answer transaction FRONTDESK_140509 in "
            "time. The card may still be approved: look it up in the card program before you charge the card "
            "again. An answer that comes later is shown when the program next starts.");
  EXPECT_EQ(w.txtAnswer.Text(), "Transaction time-out: FRONTDESK_140509");
  EXPECT_TRUE(w.IsLoaded());
}

TEST_F(CardRoad, AMissingBridgeIsToldAndALaterTransactionCreatesIt) {
  creationResults_ = {REGDB_E_CLASSNOTREG, com::kModuleNotFound, com::kProcNotFound};
  frmTender& w = open();
  press(w.cmdCash);
  w.txtCardNu.setText("4242424242424242");
  w.txtExp.setText("1227");
  const char* told[] = {"The payment bridge VXTransaction is not registered on this station.",
                        "The payment bridge VXTransaction cannot be loaded.",
                        "The payment bridge VXTransaction cannot be loaded."};
  for (const char* reason : told) {
    messages_->answer(forms::vbOK);
    press(w.cmdNext);
    EXPECT_EQ(messages_->shown().back().prompt.toStdString(), std::string("Fail: ") + reason);
    EXPECT_EQ(w.txtAnswer.Text().toStdString(), reason);
    EXPECT_TRUE(w.IsLoaded());
    EXPECT_FALSE(w.HasBridge());
  }
  EXPECT_EQ(sales::Sales().txtGet.Text(), "");
  EXPECT_TRUE(bridge_.calls.empty());

  messages_->answer(forms::vbNo);
  press(w.cmdNext);
  EXPECT_EQ(creations_, 4);
  EXPECT_EQ(bridge_.calls.size(), 1u);
  EXPECT_FALSE(w.IsLoaded());
}

TEST_F(CardRoad, OneBridgeObjectServesEveryOpening) {
  for (int opening = 0; opening < 3; ++opening) {
    frmTender& w = open();
    messages_->answer(forms::vbNo);
    keyedSubmit(w, "5555555555554444", "0727");
    EXPECT_FALSE(w.IsLoaded());
  }
  EXPECT_EQ(creations_, 1);
  EXPECT_EQ(bridge_.calls.size(), 3u);
  EXPECT_EQ(bridge_.references(), 2u);  // the test's and the dialog's
  for (const FakeBridge::Call& call : bridge_.calls) EXPECT_EQ(call.in.at("Exp"), "2707");
}

TEST_F(CardRoad, SubmitSendsTheExpiryBoxTurnedAroundOrNothing) {
  struct Case {
    const char* box;
    const char* exp;
  } cases[] = {{"0727", "2707"}, {"727", ""}, {"", ""}};
  for (const Case& c : cases) {
    bridge_.calls.clear();
    frmTender& w = open();
    messages_->answer(forms::vbNo);
    keyedSubmit(w, "4242424242424242", c.box);
    ASSERT_EQ(bridge_.calls.size(), 1u) << c.box;
    EXPECT_EQ(bridge_.calls[0].in.at("Exp").toStdString(), c.exp) << c.box;
  }
}

TEST_F(CardRoad, ThePromptAloneIsNoCardNumber) {
  frmTender& w = open();
  click(w.txtCardNu);
  press(w.cmdCash);
  // Cash empties the card box; put the prompt back as the clerk's click would.
  click(w.txtCardNu);
  press(w.cmdNext);
  EXPECT_TRUE(bridge_.calls.empty());
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_EQ(sales::Sales().txtGet.Text(), "51.60");
}

// After a card sale, keyed or swiped, no copy of the card number or of the
// track text is left anywhere in the program's heap, in use or freed. The
// card is typed a key at a time, as the reader and the clerk do, from texts
// that are not on the heap; the test bridge's record of its arguments is the
// test's own and is overwritten before the heap is searched.
TEST_F(CardRoad, ACardSaleLeavesNoCopyOfTheCardInMemory) {
  static const char16_t kNumber[] = u"4929163847509126";
  static const char16_t kTrack[] = u"%B4929163847509126^ROE/JANE^26121010000000000000?";
  const size_t numberLength = sizeof kNumber / sizeof kNumber[0] - 1;
  // After the first characters, which a freed block gives to its allocator.
  const char16_t* const trackTail = kTrack + 8;
  const size_t tailLength = sizeof kTrack / sizeof kTrack[0] - 1 - 8;
  const auto typeKeys = [](forms::TextBox& box, const char16_t* keys) {
    for (; *keys; ++keys) type(box, QString(QChar(*keys)));
  };
  for (const bool swiped : {false, true}) {
    frmTender& w = open();
    messages_->answer(forms::vbNo);  // no second copy
    if (swiped) {
      click(w.txtCardNu);
      typeKeys(w.txtCardNu, kTrack);
      ASSERT_GE(findInHeap(trackTail, tailLength).whole, 1);
      pressEnter(w.txtCardNu);
    } else {
      press(w.cmdCash);
      typeKeys(w.txtCardNu, kNumber);
      typeKeys(w.txtExp, u"1227");
      ASSERT_GE(findInHeap(kNumber, numberLength).whole, 1);
      press(w.cmdNext);
    }
    ASSERT_EQ(bridge_.calls.size(), 1u) << swiped;
    ASSERT_FALSE(w.IsLoaded()) << swiped;
    for (auto& [name, value] : bridge_.calls[0].in) forms::WipeText(value);
    bridge_.calls.clear();
    const HeapCopies number = findInHeap(kNumber, numberLength);
    EXPECT_EQ(number.whole, 0) << swiped;
    // A swipe's undo list outgrew its room as the reader typed, and Qt freed
    // the lists it outgrew as they stood: those are out of reach. A keyed
    // number's list holds it only in the room it had last, which is wiped.
    if (!swiped) {
      EXPECT_EQ(number.strided, 0);
    }
    EXPECT_EQ(findInHeap(trackTail, tailLength).whole, 0) << swiped;
  }
}

// Once the dialog is done with the card, approved or closed without a
// charge, the card boxes and the expiry kept for the bridge are overwritten
// where they lie: a copy that shares their characters reads zeros.
TEST_F(CardRoad, TheCardBoxesAreWipedWhenTheDialogIsDoneWithThem) {
  for (const bool approved : {true, false}) {
    frmTender& w = open();
    w.txtZip.setText("02139");
    w.txtAddress.setText("12 Elm Street");
    w.txtCVC.setText("737");
    std::vector<std::pair<QString, QString>> held;  // box, a copy sharing its text
    const auto hold = [&w, &held] {
      for (forms::TextBox* box : {&w.txtCardNu, &w.txtExp, &w.txtCVC, &w.txtZip, &w.txtAddress, &w.txtString})
        held.emplace_back(box->Name(), box->Text());
      held.emplace_back("CardExpiry", w.CardExpiry);
    };
    if (approved) {
      bridge_.whileWaiting = hold;
      messages_->answer(forms::vbNo);  // no second copy
      swipe(w);
      ASSERT_EQ(bridge_.calls.size(), 1u);
    } else {
      // Keyed, then the dialog closed without a charge.
      type(w.txtCardNu, "4242424242424242");
      type(w.txtExp, "1227");
      hold();
      press(w.cmdClose);
    }
    ASSERT_FALSE(w.IsLoaded()) << approved;
    ASSERT_EQ(held.size(), 7u);
    for (const auto& [name, copy] : held) {
      if (!approved && (name == "txtString" || name == "CardExpiry")) continue;  // no swipe, no call
      EXPECT_FALSE(copy.isEmpty()) << name.toStdString();
      EXPECT_EQ(copy, QString(copy.size(), QChar(0))) << name.toStdString() << " " << approved;
    }
    EXPECT_TRUE(w.CardExpiry.isEmpty());
    bridge_.calls.clear();
    bridge_.whileWaiting = nullptr;
  }
}

TEST_F(CardRoad, TheTrackTextIsInNoVisibleBoxAndNeverReachesTheSalesWindow) {
  const QString name = "DOE/JANE";
  frmTender& w = open();
  press(w.cmdPre);
  press(w.cmdCash);
  // While the bridge waits, and after a decline, nothing on screen holds it.
  const auto visibleTrack = [&w, &name] {
    QStringList found;
    for (QWidget* child : w.window()->findChildren<QWidget*>()) {
      if (!child->isVisible()) continue;
      // What a box shows: a masked box shows its mask.
      const QString shown = qobject_cast<QLineEdit*>(child) ? child->property("displayText").toString()
                            : child->property("plainText").isValid() ? child->property("plainText").toString()
                                                                     : child->property("text").toString();
      if (shown.contains(name) || shown.contains("4242=")) found << child->objectName();
    }
    return found;
  };
  QStringList whileWaiting;
  bridge_.whileWaiting = [&] { whileWaiting = visibleTrack(); };
  bridge_.answers.push_back({S_OK, false, "DECLINED", "", "", "", ""});
  messages_->answer(forms::vbOK);
  click(w.txtCardNu);
  type(w.txtCardNu, kSwipe);
  EXPECT_TRUE(visibleTrack().isEmpty()) << visibleTrack().join(",").toStdString();  // masked while read
  pressEnter(w.txtCardNu);
  ASSERT_EQ(bridge_.calls.size(), 1u);
  EXPECT_TRUE(whileWaiting.isEmpty()) << whileWaiting.join(",").toStdString();
  EXPECT_TRUE(visibleTrack().isEmpty()) << visibleTrack().join(",").toStdString();
  for (const QString& message : {messages_->shown()[0].prompt}) EXPECT_FALSE(message.contains("4242"));

  bridge_.answers.push_back({S_OK, true, "", "PA-1", "", "", ""});
  messages_->answer(forms::vbNo);
  press(w.cmdNext);
  sales::frmSales& sales = sales::Sales();
  for (forms::TextBox* box : {&sales.txtString, &sales.txtGet, &sales.txtWaiter, &sales.txtList})
    EXPECT_FALSE(box->Text().contains(name) || box->Tag().contains(name)) << box->Name().toStdString();
}

}  // namespace
