// What a ticket records of its tender, from the clerk's presses on the tender
// dialog to the stored header: cash with its change, a coupon, a gift card, a
// card with what it was charged, a tip; a card return or a training card
// pays nothing. Every row goes through the dialog, the receipt and the store.
#include <QFile>
#include <algorithm>
#include <functional>

#include "shell/Module1.h"
#include "shell/subsystems.h"
#include "tender/bridge.h"
#include "tender/frmTender.h"
#include "tests/fifo_port.h"
#include "tests/sales/closing_fixture.h"
#include "tests/tender/fake_bridge.h"

namespace {

using sales::Sales;
using tender::frmTender;
using tender::Tender;

const QString kSwipe = "%B4242424242424242^DOE/JANE^25121010000000000000?;4242424242424242=25121010000?";

class Tendered : public ClosingFixture {
 protected:
  void SetUp() override {
    ClosingFixture::SetUp();
    tender::setBridgeFactory([this](IVantixTransaction** object) {
      bridge_.AddRef();
      *object = &bridge_;
      return S_OK;
    });
  }
  void TearDown() override {
    Tender().ReleaseBridge();
    tender::setBridgeFactory({});
    ClosingFixture::TearDown();
  }
  static void keys(const QString& digits) {
    for (QChar d : digits) press(Tender().comNumber(d.digitValue()));
  }
  static void swipe() {
    frmTender& w = Tender();
    click(w.txtCardNu);
    type(w.txtCardNu, kSwipe);
    pressEnter(w.txtCardNu);
  }
  FakeBridge bridge_;
};

TEST_F(Tendered, TheTicketRecordsExactlyWhatWasTaken) {
  FifoPort drawer(root_.filePath("drawer").toStdString());
  ASSERT_TRUE(drawer.ok());
  run(settingsFile(), "UPDATE tbSet SET Port6 = ?", {QString::fromStdString(drawer.path())});
  const QString header =
      "SELECT Receive, szCoupon_amt, szGift_amt, szCard_amt, szType_Card, szTip_amt FROM tblDy_Order "
      "WHERE Inv = ?";
  // Kids Cut: 18.00 and 1.35 tax, 19.35 due.
  const struct {
    const char* what;
    std::function<void()> onTheDialog;
    const char* call;    // the bridge's method, or nothing
    const char* amount;  // what it was asked to charge or credit
    const char* change;  // the sales window's change box
    bool drawer;
    const char* stored;   // Receive|coupon|gift|card|type|tip
    const char* printed;  // a line of the receipt, or nothing
  } cases[] = {
      {"cash with change",
       [] {
         keys("2000");
         press(Tender().cmdNext);
       },
       nullptr, nullptr, "0.65", true, "19.35|<null>|<null>|<null>|<null>|<null>",
       "       Received:    20.00"},
      {"coupon and cash",
       [] {
         press(Tender().cmdCoupon);
         keys("500");
         click(Tender().txtGet);
         keys("1500");
         press(Tender().cmdNext);
       },
       nullptr, nullptr, "0.65", true, "19.35|5.00|<null>|<null>|<null>|<null>", "         Coupon:    5.00"},
      {"gift card and cash",
       [] {
         press(Tender().cmdGiftCards);
         keys("1000");
         click(Tender().txtGet);
         keys("1000");
         press(Tender().cmdNext);
       },
       nullptr, nullptr, "0.65", true, "19.35|<null>|10.00|<null>|<null>|<null>",
       "      Gift Card:    10.00"},
      {"coupon and a swiped card",
       [] {
         press(Tender().cmdCoupon);
         keys("500");
         swipe();
       },
       "CCPurchase", "14.35", "0.00", false, "19.35|5.00|<null>|14.35|VISA|<null>",
       "       Received:    VISA"},
      {"a keyed card with a tip",
       [] {
         click(Tender().txtTips);
         keys("300");
         Tender().txtCardNu.setText("4242424242424242");
         Tender().txtExp.setText("1227");
         press(Tender().cmdNext);
       },
       "CCPurchase", "22.35", "0.00", false, "22.35|<null>|<null>|22.35|VISA|3.00",
       "            Tip:    3.00"},
      {"a keyed card return",
       [] {
         press(Tender().cmdReturn);
         click(Tender().txtGet);
         keys("1000");
         Tender().txtCardNu.setText("4242424242424242");
         Tender().txtExp.setText("1227");
         press(Tender().cmdNext);
       },
       "CCReturn", "10", "-19.35", false, "0|<null>|<null>|<null>|<null>|<null>", nullptr},
  };
  int number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    bridge_.calls.clear();
    freshWindow();
    sales::frmSales& w = Sales();
    kidsCut();
    script_->on(Tender(), c.onTheDialog);
    if (c.call) messages_->answer(forms::vbNo);  // no second copy of the card slip
    press(w.cmdTenerRec);
    ASSERT_TRUE(script_->done());
    EXPECT_FALSE(Tender().IsLoaded());
    if (c.call) {
      ASSERT_EQ(bridge_.calls.size(), 1u);
      EXPECT_EQ(bridge_.calls[0].method, c.call);
      EXPECT_EQ(bridge_.calls[0].in.at("Amount"), c.amount);
    } else {
      EXPECT_TRUE(bridge_.calls.empty());
    }
    EXPECT_EQ(w.txtReturn.Text().toStdString(), c.change);
    press(w.cmdPrintRce1);
    EXPECT_EQ(drawer.taken(), c.drawer ? shell::kDrawerPulse : std::string());
    EXPECT_EQ(rows(installFile("Ordr.mdb"), header, {QString::number(++number)}), QStringList(c.stored));
    if (c.printed) {
      ASSERT_FALSE(printed_.documents().empty());
      const std::vector<QString> receipt = print::Recorder::texts(printed_.documents().back().document);
      EXPECT_NE(std::find(receipt.begin(), receipt.end(), QString(c.printed)), receipt.end()) << c.printed;
    }
  }
  EXPECT_EQ(messages_->shown().size(), 3u) << "the three second-copy questions, nothing else";
}

// A coupon typed on the sales window is taken by the tender dialog: it shows
// in the coupon box and comes off what is due.
TEST_F(Tendered, ACouponTypedOnTheSalesWindowIsTaken) {
  freshWindow();
  kidsCut();
  Sales().txtCoupon.setText("5.00");
  QString shown;
  bool visible = false;
  script_->on(Tender(), [&] {
    shown = Tender().txtCoupon.Text();
    visible = Tender().txtCoupon.Visible();
    keys("1435");
    press(Tender().cmdNext);
  });
  press(Sales().cmdTenerRec);
  ASSERT_TRUE(script_->done());
  EXPECT_EQ(shown, "5.00");
  EXPECT_TRUE(visible);
  EXPECT_EQ(Sales().txtReturn.Text(), "0.00");
  press(Sales().cmdPrintRce1);
  EXPECT_EQ(rows(installFile("Ordr.mdb"), "SELECT Receive, szCoupon_amt FROM tblDy_Order WHERE Inv = '1'"),
            QStringList("19.35|5.00"));
}

// In training every ticket goes to the training file, which is emptied
// later: no card reaches the card program, and the clerk is told.
TEST_F(Tendered, TrainingChargesNoCard) {
  run(settingsFile(), "UPDATE tbReset SET Reset_txt = 'Training Check Book'");
  freshWindow();
  kidsCut();
  script_->on(Tender(), [] {
    swipe();
    press(Tender().cmdClose);
  });
  messages_->answer(forms::vbOK);
  press(Sales().cmdTenerRec);
  ASSERT_TRUE(script_->done());
  EXPECT_TRUE(bridge_.calls.empty());
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt,
            "This station is on the training check book: no card transaction is sent to the card program in "
            "training.");
  EXPECT_FALSE(Sales().TenderTaken().has_value());
}

// A ticket file that cannot take the ticket is found before the tender
// dialog opens: no card is run for a ticket that could then not be stored.
TEST_F(Tendered, ADamagedTicketFileIsFoundBeforeAnyCard) {
  // Every page but the first, which holds the schema, overwritten.
  QFile file(installFile("Ordr.mdb"));
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  const qint64 size = file.size();
  ASSERT_GT(size, 4096);
  file.seek(4096);
  file.write(QByteArray(int(size - 4096), '\xA5'));
  file.close();
  messages_->answer(forms::vbOK);  // the window's load names the file
  freshWindow();
  kidsCut();
  int opened = 0;
  sales::setTenderDialog([&opened] { ++opened; });
  messages_->answer(forms::vbOK);
  press(Sales().cmdTenerRec);
  EXPECT_EQ(opened, 0);
  ASSERT_FALSE(messages_->shown().empty());
  EXPECT_EQ(messages_->shown().back().prompt,
            "The ticket cannot be tendered: it could not be stored. Ordr.mdb is damaged.");
  EXPECT_TRUE(bridge_.calls.empty());
  shell::ConnectSubsystems();
}

// The Amount box may be changed on the dialog, but a card is charged against
// the amount due the sales window handed over: keyed above it, refused; swiped,
// that amount.
TEST_F(Tendered, TheAmountBoxLiftsNoChargeLimit) {
  freshWindow();
  kidsCut();  // 19.35 due
  script_->on(Tender(), [] {
    click(Tender().txtEnding);
    keys("3763");
    click(Tender().txtGet);
    keys("3763");
    Tender().txtCardNu.setText("4242424242424242");
    Tender().txtExp.setText("1227");
    press(Tender().cmdNext);
    swipe();
  });
  messages_->answer(forms::vbOK);
  messages_->answer(forms::vbNo);  // no second copy
  press(Sales().cmdTenerRec);
  ASSERT_TRUE(script_->done());
  ASSERT_GE(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt, "The card can not be charged more than the amount due, 19.35.");
  ASSERT_EQ(bridge_.calls.size(), 1u);
  EXPECT_EQ(bridge_.calls[0].in.at("Amount"), "19.35");
  press(Sales().cmdPrintRce1);
  EXPECT_EQ(
      rows(installFile("Ordr.mdb"), "SELECT szCard_amt, Receive, Total FROM tblDy_Order WHERE Inv = '1'"),
      QStringList("19.35|19.35|19.35"));
}

}  // namespace
