// What a ticket records of its tender, from the clerk's presses on the tender
// dialog to the stored header: cash with its change, a coupon, a gift card, a
// card with what it was charged, a tip; a card return makes the ticket a
// refund, below zero; a training card charges nothing. Every row goes through
// the dialog, the receipt and the store.
#include <QFile>
#include <algorithm>
#include <functional>

#include "platform/db/database.h"
#include "shell/Module1.h"
#include "shell/subsystems.h"
#include "tender/bridge.h"
#include "tender/frmRemoving.h"
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
         keys("1935");
         Tender().txtCardNu.setText("4242424242424242");
         Tender().txtExp.setText("1227");
         press(Tender().cmdNext);
       },
       "CCReturn", "19.35", "0.00", false, "-19.35|<null>|<null>|-19.35|VISA|<null>",
       "          Total:    -19.35"},
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
  Sales().txtCoupon.SetFocus();
  type(Sales().txtCoupon, "5,a.00");  // what is no amount is not taken
  ASSERT_EQ(Sales().txtCoupon.Text(), "5.00");
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

// A card return gives back the ticket's total and stores the ticket as a
// refund: its amounts and lines below zero, so the day's sales and card total
// are net of it; nothing of it is tallied, and a return of less is refused.
TEST_F(Tendered, ACardReturnIsStoredAsARefund) {
  freshWindow();
  kidsCut();
  script_->on(Tender(), [] {
    press(Tender().cmdReturn);
    click(Tender().txtGet);
    keys("1000");
    Tender().txtCardNu.setText("4242424242424242");
    Tender().txtExp.setText("1227");
    press(Tender().cmdNext);  // less than the total: refused
    click(Tender().txtGet);
    keys("1935");
    press(Tender().cmdNext);
  });
  messages_->answer(forms::vbOK);
  messages_->answer(forms::vbNo);  // no second copy
  press(Sales().cmdTenerRec);
  ASSERT_TRUE(script_->done());
  ASSERT_EQ(bridge_.calls.size(), 1u);
  ASSERT_FALSE(messages_->shown().empty());
  EXPECT_EQ(messages_->shown()[0].prompt,
            "A return gives back the ticket's total, 19.35: ring up only what is returned.");
  // Not to be thrown away: the card was credited.
  messages_->answer(forms::vbOK);
  press(Sales().cmdClose);
  EXPECT_TRUE(Sales().IsLoaded());
  press(Sales().cmdPrintRce1);
  EXPECT_EQ(
      rows(installFile("Ordr.mdb"), "SELECT SubTotal, Tax, Total, Receive, szCard_amt FROM tblDy_Order"),
      QStringList("-18.00|-1.35|-19.35|-19.35|-19.35"));
  EXPECT_EQ(rows(installFile("Ordr.mdb"), "SELECT Qty, szOrder, Price FROM tblDetail"),
            QStringList("1|Kids Cut|-18.00"));
  EXPECT_EQ(count("tbFav", "Fav.mdb"), "0");
}

// A removal log that would refuse the ticket's removals is found before the
// tender dialog opens: no card is charged for a ticket that then could not
// be stored.
TEST_F(Tendered, ARemovalLogThatFailsIsFoundBeforeAnyCard) {
  run(installFile("Remv.mdb"),
      "CREATE TRIGGER refuse BEFORE INSERT ON tblRemv BEGIN SELECT RAISE(ABORT, 'no'); END");
  storeTicket("Ordr.mdb", "57", "0", {{"1", "Women's Cut", "35.00"}, {"1", "Gloss", "40.00"}},
              {"75.00", "5.63", "80.63"});
  freshWindow();
  recall("57");
  script_->on(tender::Removing(), [] {
    press(tender::Removing().cmdRmsg1);
    press(tender::Removing().cmdEnter);
  });
  clickCell(3, 1);
  ASSERT_TRUE(script_->done());
  int opened = 0;
  sales::setTenderDialog([&opened] { ++opened; });
  messages_->answer(forms::vbOK);
  press(Sales().cmdTenerRec);
  EXPECT_EQ(opened, 0);
  ASSERT_FALSE(messages_->shown().empty());
  EXPECT_EQ(
      messages_->shown().back().prompt,
      "The ticket cannot be tendered: its removals could not be logged. Remv.mdb could not be written.");
  shell::ConnectSubsystems();
}

// A ticket file of an earlier build that could not take the tender's columns
// when the window opened (another station held it) gets them before the
// tender: a tip charged on a card is stored.
TEST_F(Tendered, AFileUpgradedOnlyAtTheTenderStoresTheTip) {
  for (const char* column : {"szGift_amt", "szTip_amt"})
    run(installFile("Ordr.mdb"), QString("ALTER TABLE tblDy_Order DROP COLUMN %1").arg(column));
  db::setBusyTimeout(200);
  {
    const auto other = db::Database::open(installFile("Ordr.mdb"));
    db::Transaction held = other->transaction();
    freshWindow();
  }
  kidsCut();
  script_->on(Tender(), [] {
    click(Tender().txtTips);
    keys("300");
    Tender().txtCardNu.setText("4242424242424242");
    Tender().txtExp.setText("1227");
    press(Tender().cmdNext);
  });
  messages_->answer(forms::vbNo);
  press(Sales().cmdTenerRec);
  ASSERT_TRUE(script_->done());
  press(Sales().cmdPrintRce1);
  EXPECT_EQ(rows(installFile("Ordr.mdb"), "SELECT szCard_amt, szTip_amt FROM tblDy_Order"),
            QStringList("22.35|3.00"));
  db::setBusyTimeout(5000);
}

// The card-logo buttons pay a purchase only, and the brand they chose is the
// card's type whatever the tender box shows afterwards; a coupon above the
// amount due is refused rather than paid out as change.
TEST_F(Tendered, WhatTheLogosAndTheCouponMayPay) {
  freshWindow();
  kidsCut();
  script_->on(Tender(), [] {
    press(Tender().cmdReturn);
    press(Tender().cmdVisa1);  // refused: a return runs through the bridge
    press(Tender().cmdPurchase);
    press(Tender().cmdCoupon);
    keys("3000");
    press(Tender().cmdNext);  // refused: the coupon is above the due
    press(Tender().cmdEmpty1);
    press(Tender().cmdVisa1);
    click(Tender().txtGet);
    keys("1000");
    press(Tender().cmdNext);
  });
  for (int i = 0; i < 2; ++i) messages_->answer(forms::vbOK);
  press(Sales().cmdTenerRec);
  ASSERT_TRUE(script_->done());
  ASSERT_EQ(messages_->shown().size(), 2u);
  EXPECT_EQ(messages_->shown()[0].prompt, "A card paid on its own terminal is taken in Purchase mode.");
  EXPECT_EQ(
      messages_->shown()[1].prompt,
      "The coupon and the gift card come to more than the amount due with the tip, 19.35: key only what is "
      "taken off them.");
  press(Sales().cmdPrintRce1);
  EXPECT_EQ(rows(installFile("Ordr.mdb"), "SELECT Receive, szCard_amt, szType_Card FROM tblDy_Order"),
            QStringList("19.35|19.35|VISA"));
}

// A card-paid ticket recalled takes no percent off the whole ticket either.
TEST_F(Tendered, ARecalledCardTicketTakesNoTicketPercent) {
  storeTicket("Ordr.mdb", "61", "37.63", {{"1", "Women's Cut", "35.00"}});
  run(installFile("Ordr.mdb"),
      "UPDATE tblDy_Order SET szType_Card = 'VISA', szCard_amt = '37.63' WHERE Inv = '61'");
  freshWindow();
  recall("61");
  Sales().txtPercent.setText("10");
  messages_->answer(forms::vbOK);
  messages_->answer(forms::vbOK);  // "You Can Not Reprint This Receipt"
  press(Sales().cmdTenerRec);
  ASSERT_FALSE(messages_->shown().empty());
  EXPECT_EQ(
      messages_->shown().front().prompt,
      "This ticket is paid: VISA was approved for it. Its lines cannot be changed; money goes back to the "
      "card through a card Return.");
  EXPECT_EQ(screen(), QStringList{"1 | Women's Cut | 35.00 | "});
  EXPECT_EQ(Sales().txtPercent.Text(), "");
}

}  // namespace
