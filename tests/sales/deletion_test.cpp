// Deleting a line with a click: a line with its sub-lines, a sub-line alone;
// on a recalled ticket the manager's approval and the removal log.
#include <QDate>
#include <QRegularExpression>

#include "platform/convert/datetext.h"
#include "sales/frmSales.h"
#include "sales/ticket.h"
#include "shell/frmSecurity.h"
#include "shell/frmTakeOutPW.h"
#include "tender/frmRemoving.h"
#include "tests/sales/closing_fixture.h"

namespace {

using sales::Sales;
using shell::TakeOutPW;
using tender::Removing;

class Deletion : public ClosingFixture {
 protected:
  // The removal log, one "type|stylist|item|price|reason|manager" a row.
  QStringList removals() const {
    return rows(installFile("Remv.mdb"),
                "SELECT szType_out, szWaiter_out, szItems_out, szPrice_Out, szReason_out, szManager_out FROM "
                "tblRemv");
  }
  // The removal dialog as it shows, "item|price|type|stylist|manager"; the
  // clerk picks the first stored reason and presses "Enter/ Exit".
  void expectRemoval(QString& shown) {
    script_->on(Removing(), [&shown] {
      tender::frmRemoving& d = Removing();
      shown = QStringList({d.txtItem.Text(), d.txtPrice.Text(), d.txtType.Text(), d.txtWaiter.Text(),
                           d.txtManager.Text()})
                  .join('|');
      press(d.cmdRmsg1);
      press(d.cmdEnter);
    });
  }
  // The keypad, as the clerk keys a code ("E" presses Enter).
  void expectKeypad(const QString& keys) {
    script_->on(TakeOutPW(), [keys] {
      for (QChar k : keys) press(k == 'E' ? TakeOutPW().cmdEnter : TakeOutPW().comNumber(k.digitValue()));
    });
  }
  // Ticket 57 (a stored line with a modifier, and a second stored line)
  // recalled on a fresh window with Jules signed in.
  void recall57() {
    if (count("tblDy_Order") == "0")
      storeTicket(
          "Ordr.mdb", "57", "0",
          {{"1", "Women's Cut", "35.00"}, {"+", "1. Deep Condition", "8.00"}, {"1", "Gloss", "40.00"}},
          {"83.00", "6.23", "89.23"});
    freshWindow();
    recall("57");
  }
};

TEST_F(Deletion, ALineGoesWithItsSubLinesASubLineAlone) {
  const struct {
    const char* what;
    int row, col;
    QStringList left;
    const char* subtotal;
  } cases[] = {
      {"the line's text", 2, 1, {}, "0.00"},
      {"the marker of a sub-line", 3, 0, {"1 | Cut | 30.00 | A", "+ | 10% Off | -3.5 | "}, "26.50"},
      {"a sub-line's text: it and the sub-lines under it", 3, 1, {"1 | Cut | 30.00 | A"}, "30.00"},
      {"the last sub-line's price", 4, 2, {"1 | Cut | 30.00 | A", "+ | 1. Add Color | 5.00 | A"}, "35.00"},
      {"row 1",
       1,
       1,
       {"1 | Cut | 30.00 | A", "+ | 1. Add Color | 5.00 | A", "+ | 10% Off | -3.5 | "},
       "31.50"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    unloadAllWindows();
    sales::frmSales& w = Sales();
    w.Show();
    w.grdOrderItems.AddItem(sales::gridRow("1", "Cut", "30.00", "A"));
    w.grdOrderItems.AddItem(sales::gridRow("+", "1. Add Color", "5.00", "A"));
    w.grdOrderItems.AddItem(sales::gridRow("+", "10% Off", "-3.5", ""));
    w.txtTotal.setText("31.5");
    clickCell(c.row, c.col);
    EXPECT_EQ(screen(), c.left);
    EXPECT_EQ(w.txtTotal.Text().toStdString(), c.subtotal);
  }
  EXPECT_TRUE(Sales().grdOrderItems.Redraw());
  EXPECT_EQ(Sales().grdOrderItems.SelectionMode(), 1);
  EXPECT_FALSE(Removing().IsLoaded()) << "a new ticket logs nothing";
}

// A line of quantity 0 with a price (as a stored ticket may hold one): a
// tap on that 0 takes the line off, and its price with it.
TEST_F(Deletion, ALineOfQuantityZeroTakesItsPriceAlong) {
  sales::frmSales& w = Sales();
  w.Show();
  ring(2);
  w.grdOrderItems.AddItem(sales::gridRow("0", "Cut", "25.00", "-"));
  w.txtTotal.setText("44.99");
  ASSERT_EQ(screen(), QStringList({"1 | Blowout | 19.99 | -", "0 | Cut | 25.00 | -"}));
  ASSERT_EQ(w.txtTotal.Text(), "44.99");
  clickCell(3, 0);
  EXPECT_EQ(screen(), QStringList{"1 | Blowout | 19.99 | -"});
  EXPECT_EQ(w.txtTotal.Text().toStdString(), "19.99");
}

// A tap on the heading row leaves the current cell where the ring-up left it,
// which may be a priced sub-line's marker (the modifier pad works in the
// quantity column and moves the current row down a line at a time). The tap
// takes nothing off the ticket or its subtotal, and on a recalled ticket it
// asks for no manager.
TEST_F(Deletion, ATapOnTheHeadingRowDeletesNothing) {
  sales::frmSales& w = Sales();
  w.Show();
  w.grdOrderItems.AddItem(sales::gridRow("1", "Cut", "30.00", "A"));
  w.grdOrderItems.AddItem(sales::gridRow("+", "1. Add Color", "5.00", "A"));
  w.grdOrderItems.AddItem(sales::gridRow("1", "Gloss", "40.00", "A"));
  w.txtTotal.setText("75");
  w.grdOrderItems.setRow(3);
  w.grdOrderItems.setCol(0);
  clickCell(0, 1);
  EXPECT_EQ(screen(),
            QStringList({"1 | Cut | 30.00 | A", "+ | 1. Add Color | 5.00 | A", "1 | Gloss | 40.00 | A"}));
  EXPECT_EQ(w.txtTotal.Text(), "75.00");

  // Recalled, with deletions that need a manager: no keypad (nobody would
  // answer it) and no deletion mark.
  run(settingsFile(), "UPDATE tabPword SET ItmDeSecl = 1");
  recall57();
  kidsCut();
  press(Sales().command(4));  // two lines rung up: a stored line is the current one
  ASSERT_EQ(w.grdOrderItems.Row(), 2);
  clickCell(0, 1);
  EXPECT_EQ(Sales().grdOrderItems.Tag(), "");
  EXPECT_FALSE(TakeOutPW().IsLoaded());
  EXPECT_EQ(screen().size(), 5);
}

// Deletions on a recalled ticket that need no manager: a stored line takes
// its reason first, and so does its priced sub-line; a line added since goes
// without a word. The removals are logged when the ticket is stored.
TEST_F(Deletion, ARecalledLineIsLoggedFirst) {
  recall57();
  sales::frmSales& w = Sales();
  kidsCut();
  EXPECT_EQ(w.txtTotal.Text(), "101.00");
  QString shown, subShown;
  expectRemoval(shown);
  expectRemoval(subShown);
  clickCell(2, 1);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(shown, "Women's Cut|35.00|HS|Jules|");
  EXPECT_EQ(subShown, "1. Deep Condition|8.00|HS|Jules|");
  EXPECT_EQ(screen(), QStringList({"1 | Gloss | 40.00 | ", "1 | Kids Cut | 18.00 | -"}));
  EXPECT_EQ(w.txtTotal.Text(), "58.00");

  clickCell(3, 1);
  EXPECT_EQ(screen(), QStringList{"1 | Gloss | 40.00 | "});
  EXPECT_FALSE(Removing().IsLoaded());
  EXPECT_TRUE(removals().isEmpty()) << "nothing is logged before the ticket is stored";

  press(w.cmdPrintRce1);
  EXPECT_EQ(removals(), QStringList({"HS|Jules|Women's Cut|35.00|Client Changed Mind|<null>",
                                     "HS|Jules|1. Deep Condition|8.00|Client Changed Mind|<null>"}));
  const QString date = value(installFile("Remv.mdb"), "SELECT szDate_out FROM tblRemv");
  const QString time = value(installFile("Remv.mdb"), "SELECT szTime_out FROM tblRemv");
  EXPECT_EQ(date, rt::IsoDate(QDate::currentDate()));
  EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(time).hasMatch()) << time.toStdString();
}

// A removal on a ticket left unstored never happened: nothing is logged.
TEST_F(Deletion, ARemovalOnATicketClosedUnstoredLogsNothing) {
  recall57();
  sales::frmSales& w = Sales();
  QString shown;
  expectRemoval(shown);
  clickCell(4, 1);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(shown, "Gloss|40.00|HS|Jules|");
  messages_->answer(forms::vbYes);  // "Changes will not be save on this table ?"
  press(w.cmdClose);
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_TRUE(removals().isEmpty());
  EXPECT_EQ(count("tblDetail"), "3") << "the stored ticket keeps its lines";
}

// Every priced line taken off a stored ticket has a log row of its own: a
// sub-line taken off alone, and each priced sub-line that goes with its
// line, all with the manager who approved the deletion. A sub-line without
// a price, or one added since the recall, is not logged.
TEST_F(Deletion, EveryPricedStoredLineHasItsOwnLogRow) {
  run(settingsFile(), "UPDATE tabPword SET ItmDeSecl = 1");
  storeTicket("Ordr.mdb", "60", "0",
              {{"1", "Women's Cut", "35.00"},
               {"+", "1. Deep Condition", "8.00"},
               {"+", "1. No Fringe", QVariant()},
               {"1", "Gloss", "40.00"},
               {"+", "1. Toner", "6.00"}},
              {"89.00", "6.68", "95.68"});
  freshWindow();
  recall("60");
  sales::frmSales& w = Sales();
  w.grdOrderItems.AddItem(sales::gridRow("+", "1. Add Shine", "2.00", "-"));  // rung up since
  w.txtTotal.setText("91");
  ASSERT_EQ(screen().size(), 6);

  // The marker of the stored Toner line: approved, then logged and taken off.
  expectKeypad("1234");
  clickCell(6, 0);
  QString toner;
  expectRemoval(toner);
  clickCell(6, 0);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(toner, "1. Toner|6.00|HS|Jules|Mara");
  EXPECT_EQ(w.txtTotal.Text(), "85.00");

  // The Women's Cut line with its two sub-lines: two rows, both approved.
  expectKeypad("2345");
  clickCell(2, 1);
  QString cut, condition;
  expectRemoval(cut);
  expectRemoval(condition);
  clickCell(2, 1);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(cut, "Women's Cut|35.00|HS|Jules|Jules");
  EXPECT_EQ(condition, "1. Deep Condition|8.00|HS|Jules|Jules");
  EXPECT_EQ(screen(), QStringList({"1 | Gloss | 40.00 | ", "+ | 1. Add Shine | 2.00 | -"}));
  EXPECT_EQ(w.txtTotal.Text(), "42.00");

  // Gloss with the sub-line added since: the Gloss row alone.
  expectKeypad("1234");
  clickCell(2, 1);
  QString gloss;
  expectRemoval(gloss);
  clickCell(2, 1);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(screen(), QStringList());
  press(w.cmdPrintRce1);
  EXPECT_EQ(removals(), QStringList({"HS|Jules|1. Toner|6.00|Client Changed Mind|Mara",
                                     "HS|Jules|Women's Cut|35.00|Client Changed Mind|Jules",
                                     "HS|Jules|1. Deep Condition|8.00|Client Changed Mind|Jules",
                                     "HS|Jules|Gloss|40.00|Client Changed Mind|Mara"}));
}

// With "Delete orders with password:" set, a click asks the keypad for a
// manager and deletes nothing; an approval lets the next click delete one
// line, logged with the manager; a stylist's code approves nothing.
TEST_F(Deletion, ARecalledLineNeedsAManager) {
  run(settingsFile(), "UPDATE tabPword SET ItmDeSecl = 1");
  recall57();
  sales::frmSales& w = Sales();
  w.setTag("Waiter");

  expectKeypad("1234");
  clickCell(2, 1);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(screen().size(), 3);
  EXPECT_EQ(shell::Security().chkItmDelSec.Tag(), "Allow");
  EXPECT_EQ(w.grdOrderItems.Tag(), "");
  ASSERT_TRUE(Removing().IsLoaded()) << "the approval names the manager in the hidden dialog";
  EXPECT_FALSE(Removing().Visible());
  EXPECT_EQ(w.txtWaiter.Text() + " " + w.lblID.Caption() + " " + w.Tag(), "2345 Jules Waiter");

  QString shown, subShown;
  expectRemoval(shown);
  expectRemoval(subShown);
  clickCell(2, 1);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(shown, "Women's Cut|35.00|HS|Jules|Mara");
  EXPECT_EQ(subShown, "1. Deep Condition|8.00|HS|Jules|Mara");
  EXPECT_EQ(screen(), QStringList{"1 | Gloss | 40.00 | "});
  EXPECT_EQ(shell::Security().chkItmDelSec.Tag(), "");

  // The grant is used up: the next click asks again; a "Level 1" code
  // grants nothing, and Enter closes the keypad.
  expectKeypad("3456E");
  clickCell(2, 1);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(screen(), QStringList{"1 | Gloss | 40.00 | "});
  EXPECT_EQ(shell::Security().chkItmDelSec.Tag(), "");
  press(w.cmdPrintRce1);
  EXPECT_EQ(removals(), QStringList({"HS|Jules|Women's Cut|35.00|Client Changed Mind|Mara",
                                     "HS|Jules|1. Deep Condition|8.00|Client Changed Mind|Mara"}));
}

// The switch as the sales window read it when it opened: a missing value
// needs a manager too.
TEST_F(Deletion, TheSwitchAsTheWindowReadIt) {
  const struct {
    QVariant value;
    bool manager;
  } cases[] = {{QVariant(), true}, {1, true}, {0, false}};
  for (const auto& c : cases) {
    run(settingsFile(), "UPDATE tabPword SET ItmDeSecl = ?", {c.value});
    recall57();
    bool asked = false, logged = false;
    script_->on(c.manager ? static_cast<forms::Form&>(TakeOutPW()) : Removing(), [&] {
      asked = c.manager;
      logged = !c.manager;
      press(c.manager ? TakeOutPW().cmdEnter : Removing().cmdEnter);
    });
    clickCell(4, 1);
    EXPECT_TRUE(script_->done()) << c.value.toString().toStdString();
    EXPECT_EQ(asked, c.manager);
    EXPECT_EQ(screen().size(), logged ? 2 : 3) << c.value.toString().toStdString();
  }
}

// A removal on a ticket that was then left (its lines all taken off, another
// one recalled) never happened: the next ticket stored logs nothing of it.
TEST_F(Deletion, ARemovalOnATicketLeftLogsNothingWithTheNext) {
  storeTicket("Ordr.mdb", "57", "0", {{"1", "Women's Cut", "35.00"}});
  storeTicket("Ordr.mdb", "58", "0", {{"1", "Gloss", "40.00"}}, {"40.00", "3.00", "43.00"});
  freshWindow();
  recall("58");
  QString shown;
  expectRemoval(shown);
  clickCell(2, 1);
  ASSERT_TRUE(script_->done());
  EXPECT_EQ(screen(), QStringList());
  recall("57");
  ASSERT_EQ(screen().size(), 1);
  press(Sales().cmdPrintRce1);
  EXPECT_TRUE(removals().isEmpty());
  EXPECT_EQ(value(installFile("Ordr.mdb"), "SELECT COUNT(*) FROM tblDetail WHERE Invoice = '58'"), "1");
}

// A removal log that would refuse the rows stops the store, which is told:
// the stored ticket keeps its lines, and nothing is removed unlogged.
TEST_F(Deletion, ALogThatFailsKeepsTheStoredLines) {
  run(installFile("Remv.mdb"),
      "CREATE TRIGGER refuse BEFORE INSERT ON tblRemv BEGIN SELECT RAISE(ABORT, 'no'); END");
  recall57();
  sales::frmSales& w = Sales();
  QString shown;
  expectRemoval(shown);
  clickCell(4, 1);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(screen().size(), 2);
  messages_->answer(forms::vbOK);
  press(w.cmdPrintRce1);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt,
            "The ticket was not stored: its removals could not be logged: Remv.mdb could not be written.");
  EXPECT_EQ(count("tblDetail"), "3");
  EXPECT_EQ(screen().size(), 2) << "the ticket stays on the window";
  EXPECT_TRUE(removals().isEmpty());
}

// An approval whose dialog was never shown goes with its deletion, or with
// the window: no later removal is logged with that manager.
TEST_F(Deletion, NoLingeringManager) {
  run(settingsFile(), "UPDATE tabPword SET ItmDeSecl = 1");
  recall57();
  sales::frmSales& w = Sales();
  kidsCut();
  expectKeypad("1234");
  clickCell(5, 1);  // the line added since: approved, then deleted without a log
  clickCell(5, 1);
  EXPECT_EQ(screen().size(), 3);
  EXPECT_FALSE(Removing().IsLoaded());

  expectKeypad("1234");
  clickCell(2, 1);
  ASSERT_TRUE(Removing().IsLoaded());
  messages_->answer(forms::vbYes);  // "Changes will not be save on this table ?"
  press(w.cmdClose);
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_FALSE(Removing().IsLoaded());

  // Nor does the approval itself: the security window stays open, and the
  // next deletion, on a ticket recalled in a window opened again, asks anew.
  ASSERT_TRUE(shell::Security().IsLoaded());
  EXPECT_EQ(shell::Security().chkItmDelSec.Tag(), "");
  w.Show();
  signIn();
  recall("57");
  expectKeypad("E");
  clickCell(2, 1);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(screen().size(), 3);
  messages_->answer(forms::vbYes);
  press(w.cmdClose);

  // Deletions no longer need a manager.
  run(settingsFile(), "UPDATE tabPword SET ItmDeSecl = 0");
  recall57();
  QString shown;
  expectRemoval(shown);
  clickCell(4, 1);
  EXPECT_EQ(shown, "Gloss|40.00|HS|Jules|");
  press(w.cmdPrintRce1);
  EXPECT_EQ(removals(), QStringList{"HS|Jules|Gloss|40.00|Client Changed Mind|<null>"});
}

}  // namespace
