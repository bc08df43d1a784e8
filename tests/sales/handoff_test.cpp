// The tender hand-off and the recall: the percent off the whole ticket, the
// gate to the tender dialog, a stored ticket recalled by its number.
#include <QTimer>

#include "platform/db/database.h"
#include "sales/frmSales.h"
#include "shell/frmTakeOutPW.h"
#include "shell/subsystems.h"
#include "tender/bridge.h"
#include "tender/frmTender.h"
#include "tests/forms/drive.h"
#include "tests/sales/closing_fixture.h"
#include "tests/tender/fake_bridge.h"

namespace {

using sales::Sales;
using tender::Tender;

class HandOff : public ClosingFixture {
 protected:
  // The tender dialog as the clerk leaves it with Back; what it showed.
  struct Seen {
    int opened = 0;
    QString number;  // its ticket-number box
    QString got;     // the sales window's tender box meanwhile
    QString tag;
  };
  void expectTender(Seen& seen) {
    script_->on(Tender(), [&seen] {
      ++seen.opened;
      seen.number = Tender().txtInv.Text();
      seen.got = Sales().txtGet.Text();
      seen.tag = Sales().txtGet.Tag();
      press(Tender().cmdClose);
    });
  }
};

TEST_F(HandOff, ThePercentOffTheWholeTicket) {
  const struct {
    const char* what;
    std::function<void()> ticket;
    const char* percent;  // typed after the lines
    QStringList lines;    // afterwards
    const char* subtotal;
    const char* percentAfter;
    const char* told = nullptr;
  } cases[] = {
      {"25.00 at 10",
       [this] { ring(1); },
       "10",
       {"1 | Cut | 25.00 | -", "+ | 10% Off | -2.5 | "},
       "22.50",
       ""},
      {"19.99 at 15",
       [this] { ring(2); },
       "15",
       {"1 | Blowout | 19.99 | -", "+ | 15% Off | -3 | "},
       "16.99",
       ""},
      {"not a number",
       [this] { ring(1); },
       "abc",
       {"1 | Cut | 25.00 | -"},
       "25.00",
       "",
       "The percent \"abc\" is not a number (a decimal is written with a point, as in 1.5); it is not taken "
       "off "
       "the ticket."},
      {"a decimal comma is no number",
       [this] { ring(1); },
       "12,5",
       {"1 | Cut | 25.00 | -"},
       "25.00",
       "",
       "The percent \"12,5\" is not a number (a decimal is written with a point, as in 1.5); it is not taken "
       "off "
       "the ticket."},
      {"over 100",
       [this] { ring(1); },
       "150",
       {"1 | Cut | 25.00 | -"},
       "25.00",
       "",
       "The percent \"150\" is outside 0 to 100; it is not taken off the ticket."},
      {"below 0",
       [this] { ring(1); },
       "-1",
       {"1 | Cut | 25.00 | -"},
       "25.00",
       "",
       "The percent \"-1\" is outside 0 to 100; it is not taken off the ticket."},
      {"all of it", [this] { ring(1); }, "100", {"1 | Cut | 25.00 | -", "+ | 100% Off | -25 | "}, "0.00", ""},
      {"a percent typed after the one taken off the lines",
       [this] {
         Sales().txtPercent.setText("10");
         ring(1);
       },
       "12,5",
       {"1 | Cut-10% | 22.50 | -"},
       "22.50",
       "",
       "The percent \"12,5\" is not a number (a decimal is written with a point, as in 1.5); it is not taken "
       "off "
       "the ticket."},
      {"no lines: stays pending", [] {}, "10", {}, "0.00", "10"},
      {"taken off a line already",
       [this] {
         Sales().txtPercent.setText("10");
         ring(1);
       },
       "",
       {"1 | Cut-10% | 22.50 | -"},
       "22.50",
       ""},
      {"\"NewNum\" at 0.00: nothing", [] { Sales().cmbRept.setTag("NewNum"); }, "10", {}, "0.00", "10"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    freshWindow();
    sales::frmSales& w = Sales();
    c.ticket();
    if (*c.percent) w.txtPercent.setText(c.percent);
    Seen seen;
    if (!c.lines.isEmpty()) expectTender(seen);
    if (c.told) messages_->answer(forms::vbOK);
    const size_t before = messages_->shown().size();
    press(w.cmdTenerRec);
    ASSERT_EQ(messages_->shown().size(), before + (c.told ? 1 : 0));
    if (c.told) {
      EXPECT_EQ(messages_->shown().back().prompt.toStdString(), c.told);
    }
    EXPECT_EQ(screen(), c.lines);
    EXPECT_EQ(w.txtTotal.Text().toStdString(), c.subtotal);
    EXPECT_EQ(w.txtPercent.Text().toStdString(), c.percentAfter);
    EXPECT_EQ(seen.opened, c.lines.isEmpty() ? 0 : 1);
  }
  // A fresh percent after the one taken off the lines comes off the ticket.
  freshWindow();
  Sales().txtPercent.setText("10");
  ring(1);
  press(Sales().cmdPercent);
  Sales().txtPercent.setText("5");
  Seen seen;
  expectTender(seen);
  press(Sales().cmdTenerRec);
  EXPECT_EQ(screen(), QStringList({"1 | Cut-10% | 22.50 | -", "+ | 5% Off | -1.13 | "}));
  EXPECT_EQ(Sales().txtTotal.Text(), "21.37");
}

TEST_F(HandOff, TheGateOpensForAnUnpaidTicketWithLines) {
  storeTicket("Ordr.mdb", "57", "0", {{"1", "Women's Cut", "35.00"}});
  storeTicket("Ordr.mdb", "58", "20.00", {{"1", "Women's Cut", "35.00"}});
  storeTicket("Ordr.mdb", "59", "0.00", {{"1", "Women's Cut", "35.00"}});
  storeTicket("Ordr.mdb", "60", "0", {{"1", "Women's Cut", "35.00"}});
  run(installFile("Ordr.mdb"), "UPDATE tblDy_Order SET szType_Card = 'AMEX' WHERE Inv = '60'");
  const char* const reprint = "You Can Not Reprint This Receipt";
  const struct {
    const char* what;
    std::function<void()> ticket;
    bool opens;
    const char* number;   // in the dialog, or in the box after a refusal
    const char* got;      // the tender box while the dialog is up
    const char* refusal;  // the message, when refused
  } cases[] = {
      {"a new one-line ticket",
       [this] {
         Sales().cmbRept.setText("5");  // the ticket stored last
         kidsCut();
       },
       true, "", "0", nullptr},
      {"no lines", [] {}, false, "", "", nullptr},
      {"recalled, not paid", [this] { recall("57"); }, true, "57", "0", nullptr},
      {"recalled, paid 20.00", [this] { recall("58"); }, false, "58", "", reprint},
      {"recalled, paid 0.00", [this] { recall("59"); }, false, "59", "", reprint},
      {"recalled, paid by card", [this] { recall("60"); }, false, "60", "", reprint},
      {"approved on a card",
       [this] {
         kidsCut();
         tendered(card("VISA", "19.35"));
       },
       false, "", "", "This ticket is paid: VISA was approved for it. It cannot be tendered again."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    freshWindow();
    sales::frmSales& w = Sales();
    c.ticket();
    Seen seen;
    if (c.opens) expectTender(seen);
    if (c.refusal) messages_->answer(forms::vbOK);
    const size_t before = messages_->shown().size();
    press(w.cmdTenerRec);
    EXPECT_EQ(seen.opened, c.opens ? 1 : 0);
    if (c.opens) {
      EXPECT_EQ(seen.number.toStdString(), c.number);
      EXPECT_EQ(seen.got.toStdString(), c.got);
      EXPECT_EQ(seen.tag, "");
    }
    ASSERT_EQ(messages_->shown().size(), before + (c.refusal ? 1 : 0));
    if (c.refusal) {
      EXPECT_EQ(messages_->shown().back().prompt.toStdString(), c.refusal);
      EXPECT_EQ(w.cmbRept.Text().toStdString(), c.number) << "a refusal keeps the recalled number";
    }
    EXPECT_TRUE(script_->done());
  }
}

// A card approved on the ticket pays it, on a new ticket as on a recalled
// one that was not paid: Tender again says so and opens nothing, its lines
// stay, the window does not close it unstored, and the receipt stores the
// card that was charged; recalled later its lines still stay.
TEST_F(HandOff, ATicketApprovedOnACardIsPaid) {
  const char* const kPaidLines =
      "This ticket is paid: VISA was approved for it. Its lines cannot be changed; money goes back to the "
      "card "
      "through a card Return.";
  FakeBridge bridge;
  tender::setBridgeFactory([&bridge](IVantixTransaction** object) {
    bridge.AddRef();
    *object = &bridge;
    return S_OK;
  });
  storeTicket("Ordr.mdb", "57", "0", {{"1", "Women's Cut", "35.00"}});
  const struct {
    const char* what;
    std::function<void()> ticket;
    const char* number;  // stored as
    const char* total;
  } cases[] = {
      {"a new ticket", [] { kidsCut(); }, "58", "19.35"},
      {"a recalled ticket, not paid", [this] { recall("57"); }, "57", "37.63"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    freshWindow();
    sales::frmSales& w = Sales();
    c.ticket();
    script_->on(Tender(), [] {
      press(Tender().cmdCash);
      Tender().txtCardNu.setText("4242424242424242");
      Tender().txtExp.setText("1225");
      press(Tender().cmdNext);
    });
    messages_->answer(forms::vbNo);  // no second copy of the card receipt
    press(w.cmdTenerRec);
    ASSERT_TRUE(script_->done());
    ASSERT_EQ(w.txtGet.Text() + " " + w.txtGet.Tag(), "VISA Card");

    // Tender again: the clerk is told, and nothing opens.
    int opened = 0;
    sales::setTenderDialog([&opened] { ++opened; });
    const size_t before = messages_->shown().size();
    messages_->answer(forms::vbOK);
    press(w.cmdTenerRec);
    EXPECT_EQ(opened, 0);
    ASSERT_EQ(messages_->shown().size(), before + 1);
    EXPECT_EQ(messages_->shown().back().prompt,
              "This ticket is paid: VISA was approved for it. It cannot be tendered again.");
    EXPECT_EQ(w.txtGet.Text() + " " + w.txtGet.Tag(), "VISA Card");
    shell::ConnectSubsystems();

    // Nor do its lines change: the card paid for these. An item rung up and a
    // line tapped are refused.
    const auto linesStay = [this, &w, kPaidLines] {
      const QStringList charged = ticketLines(w.grdOrderItems);
      const QString total = w.txtEnding.Text();
      ASSERT_FALSE(charged.isEmpty());
      for (const auto& change : {std::function<void()>([] { kidsCut(); }), std::function<void()>([] {
                                   clickCell(sales::kFirstLine, sales::kTextColumn);
                                 })}) {
        messages_->answer(forms::vbOK);
        change();
        EXPECT_EQ(messages_->shown().back().prompt, QString(kPaidLines));
        EXPECT_EQ(ticketLines(w.grdOrderItems), charged);
        EXPECT_EQ(w.txtEnding.Text(), total);
      }
    };
    linesStay();

    // Nor is it closed unstored: the charge would stand with no ticket.
    messages_->answer(forms::vbOK);
    press(w.cmdClose);
    EXPECT_TRUE(w.IsLoaded());
    EXPECT_EQ(
        messages_->shown().back().prompt,
        QString("This ticket is paid: VISA was charged %1 for it. Press Receipt to store it before closing.")
            .arg(c.total));

    press(w.cmdPrintRce1);
    EXPECT_EQ(
        rows(installFile("Ordr.mdb"),
             "SELECT szType_Card, szCard_amt, Receive, Total FROM tblDy_Order WHERE Inv = ?", {c.number}),
        QStringList(QString("VISA|%1|%1|%1").arg(c.total)));

    // Recalled later, its lines stay as the card paid for them.
    recall(c.number);
    linesStay();
    messages_->answer(forms::vbYes);  // "Changes will not be save on this table ?"
    press(w.cmdClose);
    EXPECT_FALSE(w.IsLoaded()) << "a ticket paid and stored closes";
  }
  EXPECT_EQ(bridge.calls.size(), 2u) << "one charge a ticket";
  tender::Tender().ReleaseBridge();
  tender::setBridgeFactory({});
}

// Without a stylist the tender button asks for one and stops there.
TEST_F(HandOff, NoStylistNoTender) {
  sales::frmSales& w = Sales();
  w.Show();
  kidsCut();
  promptAnswered("2345");
  press(w.cmdTenerRec);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(w.lblID.Caption(), "Jules");
  EXPECT_FALSE(Tender().IsLoaded());
}

TEST_F(HandOff, ARecalledTicketAsStored) {
  storeTicket(
      "Ordr.mdb", "57", "20.00",
      {{"1", "Women's Cut", "35.00"}, {"+", "1. Deep Condition", "8"}, {QVariant(), "Walk-in", QVariant()}},
      {"43.00", "3.00", "46"});
  sales::frmSales& w = Sales();
  w.Show();
  signIn();
  // A line stored under the number once the window is open comes back too.
  storeLine("Ordr.mdb", "57", {"2", "Fringe Trim", "1,010"});
  recall("57");
  EXPECT_EQ(screen(), QStringList({"1 | Women's Cut | 35.00 | ", "+ | 1. Deep Condition | 8.00 | ",
                                   " | Walk-in |  | ", "2 | Fringe Trim | 1,010.00 | "}));
  EXPECT_EQ(w.txtTotal.Text() + " " + w.txtTOTax1.Text() + " " + w.txtEnding.Text(), "43.00 3.00 46.00");
  EXPECT_EQ(w.txtGet.Text(), "20.00");
  EXPECT_TRUE(w.txtGet.Visible());
  EXPECT_EQ(w.cmbRept.Text() + " " + w.cmbRept.Tag(), "57 DidRecall");
  EXPECT_EQ(w.txtPrice.Text(), "");
  EXPECT_FALSE(Tender().IsLoaded());
  // It was paid for these lines: an item rung up now is refused, as nothing
  // more could be collected for it.
  messages_->answer(forms::vbOK);
  press(w.cmdLunch);
  press(w.cmdNotes);
  press(w.command(1));
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(
      messages_->shown().back().prompt,
      "This ticket is paid: 20.00 was received for it. Nothing can be added to it; ring up more on a new "
      "ticket.");
  EXPECT_EQ(screen().size(), 4);

  // Over a ticket with lines, a pick from the list changes nothing.
  w.cmbRept.AddItem("12");
  messages_->answer(forms::vbOK);
  drive::chooseFromList(w.cmbRept, 0);
  ASSERT_EQ(messages_->shown().size(), 2u);
  EXPECT_EQ(messages_->shown().back().prompt,
            "Finish or clear the ticket on screen before recalling another.");
  EXPECT_EQ(w.cmbRept.Text() + " " + w.cmbRept.Tag(), "57 DidRecall");
  EXPECT_EQ(screen().size(), 4);
}

// A ticket number left waiting for its recall ("OldNum") is recalled when the
// window becomes active again, here after the keypad closes over it.
TEST_F(HandOff, TheWindowRecallsAWaitingNumberWhenItBecomesActive) {
  storeTicket("Ordr.mdb", "57", "0", {{"1", "Gloss", "40.00"}});
  sales::frmSales& w = Sales();
  w.Show();
  w.cmbRept.setText("57");
  w.cmbRept.setTag("OldNum");
  promptAnswered("2345");
  click(w.txtWaiter);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(w.lblID.Caption(), "Jules");
  EXPECT_EQ(screen(), QStringList{"1 | Gloss | 40.00 | "});
  EXPECT_EQ(w.cmbRept.Text() + " " + w.cmbRept.Tag(), "57 DidRecall");
}

// A number with a quote, or one that names no ticket, recalls nothing and
// leaves a new ticket; no activation tries again.
TEST_F(HandOff, ANumberThatNamesNoTicket) {
  storeTicket("Ordr.mdb", "57", "20.00", {{"1", "Women's Cut", "35.00"}});
  sales::frmSales& w = Sales();
  w.Show();
  for (const char* number : {"5'7", "57' OR '1'='1", "99", ""}) {
    recall(number);
    EXPECT_EQ(w.cmbRept.Tag(), "") << number;
    EXPECT_EQ(screen(), QStringList()) << number;
  }
  EXPECT_TRUE(messages_->shown().empty());
}

// A ticket whose lines cannot be read is not recalled without them, which a
// later store would make its lines for good; the clerk is told why.
TEST_F(HandOff, ATicketWhoseLinesCannotBeReadIsNotRecalled) {
  storeTicket("Ordr.mdb", "57", "20.00", {{"1", "Women's Cut", "35.00"}});
  sales::frmSales& w = Sales();
  w.Show();
  run(installFile("Ordr.mdb"), "ALTER TABLE tblDetail RENAME TO tblDetailGone");
  messages_->answer(forms::vbOK);
  recall("57");
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_TRUE(messages_->shown()[0].prompt.startsWith("Ticket 57 could not be recalled: "))
      << messages_->shown()[0].prompt.toStdString();
  EXPECT_EQ(screen(), QStringList());
  EXPECT_EQ(w.cmbRept.Tag(), "");
  EXPECT_EQ(w.txtEnding.Text(), "0.00");
}

// Another station holding the ticket file past the wait: the recall and the
// tender gate of a recalled ticket say so; nothing is recalled or opened.
TEST_F(HandOff, AFileHeldByAnotherStationIsTold) {
  storeTicket("Ordr.mdb", "57", "0", {{"1", "Women's Cut", "35.00"}});
  db::setBusyTimeout(100);
  sales::frmSales& w = Sales();
  w.Show();
  signIn();
  {
    auto station = db::Database::open(installFile("Ordr.mdb"));
    station->execute("BEGIN EXCLUSIVE");
    messages_->answer(forms::vbOK);
    recall("57");
    station->execute("ROLLBACK");
  }
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt,
            "Ticket 57 could not be recalled: another station is using Ordr.mdb. Please try again.");
  EXPECT_EQ(screen(), QStringList());
  EXPECT_EQ(w.cmbRept.Tag(), "");

  // Recalled, then held when Tender asks whether it is paid.
  recall("57");
  ASSERT_EQ(screen().size(), 1);
  {
    auto station = db::Database::open(installFile("Ordr.mdb"));
    station->execute("BEGIN EXCLUSIVE");
    messages_->answer(forms::vbOK);
    press(w.cmdTenerRec);
    station->execute("ROLLBACK");
  }
  db::setBusyTimeout(5000);
  ASSERT_EQ(messages_->shown().size(), 2u);
  EXPECT_EQ(messages_->shown()[1].prompt,
            "Ticket 57 could not be read: another station is using Ordr.mdb. Please try again.");
  EXPECT_FALSE(Tender().IsLoaded());
  EXPECT_EQ(screen().size(), 1);
  EXPECT_EQ(w.cmbRept.Text() + " " + w.cmbRept.Tag(), "57 DidRecall");
}

TEST_F(HandOff, InTrainingTheRecallReadsTheTrainingFile) {
  run(settingsFile(), "UPDATE tbReset SET Reset_txt = 'Training Check Book'");
  storeTicket("TOrdr.mdb", "57", "0", {{"1", "Gloss", "40.00"}});
  storeTicket("Ordr.mdb", "57", "0", {{"1", "Women's Cut", "35.00"}});
  Sales().Show();
  recall("57");
  EXPECT_EQ(screen(), QStringList{"1 | Gloss | 40.00 | "});
}

// The clearing step: a received amount goes with the number and the
// amounts after a pause of at most a second on the window's clock, during
// which another click starts no second hand-off.
TEST_F(HandOff, TheClearingStepPausesOnceAndLeavesANewTicket) {
  sales::frmSales& w = Sales();
  w.Show();
  signIn();
  kidsCut();
  w.txtGet.setText("20.00");
  w.cmbRept.setText("12");
  qint64 now = 100;
  int reads = 0;
  w.setWaitClock([&] {
    if (++reads == 4) ++now;
    return now;
  });
  int clicksDuringPause = 0;
  QTimer::singleShot(0, [&] {
    ++clicksDuringPause;
    click(w.txtGet);
  });
  w.cmbRept.setTag("OldNum");
  Seen seen;
  expectTender(seen);
  click(w.txtGet);
  EXPECT_EQ(clicksDuringPause, 1);
  EXPECT_EQ(reads, 4) << "the pause ends once the clock has moved past the second noted";
  EXPECT_EQ(w.cmbRept.Tag(), "");
  EXPECT_EQ(w.cmbRept.Text(), "");
  EXPECT_EQ(seen.opened, 1) << "one hand-off, gone on to the gate";
}

}  // namespace
