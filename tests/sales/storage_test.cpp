// Storing a ticket from the sales window: the header and lines as stored, the
// states of a stored ticket, a store that fails whole, the busy file, the
// cleared window and the favourites tally.
#include <sqlite3.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/convert/datetext.h"
#include "platform/db/recordset.h"
#include "sales/frmSales.h"
#include "sales/ticket.h"
#include "shell/Module1.h"
#include "shell/frmInfor.h"
#include "shell/frmSetPtr.h"
#include "shell/frmTakeOutPW.h"
#include "tests/db/failing_disk.h"
#include "tests/pseudo_terminal.h"
#include "tests/sales/sales_fixture.h"

namespace {

using sales::Sales;

class Storage : public SalesFixture {
 protected:
  QString tickets() const { return installFile("Ordr.mdb"); }
  QString count(const QString& table, const QString& file = "Ordr.mdb") const {
    return value(installFile(file), QString("SELECT COUNT(*) FROM %1").arg(table));
  }
  // A stored header, every field "name=value" (Null as "<null>").
  QStringList header(const QString& inv) const {
    auto db = db::Database::open(tickets());
    auto rs = db->openRecordset("SELECT * FROM tblDy_Order WHERE Inv = ?", {inv});
    QStringList fields;
    if (rs->recordCount() == 0) return fields;
    for (const QString& name : rs->fieldNames()) {
      const QVariant v = rs->field(name);
      fields << name + "=" + (v.isNull() ? QString("<null>") : v.toString());
    }
    return fields;
  }
  QString field(const QString& inv, const QString& name) const {
    return value(tickets(), QString("SELECT [%1] FROM tblDy_Order WHERE Inv = ?").arg(name), {inv});
  }
  // The stored lines of a ticket, "qty | text | price", in the order stored.
  QStringList lines(const QString& invoice) const {
    auto db = db::Database::open(tickets());
    auto rs = db->openRecordset("SELECT * FROM tblDetail WHERE Invoice = ?", {invoice});
    QStringList out;
    for (int i = 0; i < rs->recordCount(); ++i) {
      QStringList cells;
      for (const char* f : {"Qty", "szOrder", "Price"}) {
        const QVariant v = rs->valueAt(i, rs->fieldNames().indexOf(f));
        cells << (v.isNull() ? QString("<null>") : v.toString());
      }
      out << cells.join(" | ");
    }
    return out;
  }
  QString favourite(const QString& text) const {
    return value(installFile("Fav.mdb"), "SELECT szNum_nm FROM tbFav WHERE szMenu_id = ?", {text});
  }
  QStringList screen() { return ticketLines(Sales().grdOrderItems); }
  // The stylist as the keypad delivers the code.
  void signIn(const QString& code = "3456") { Sales().txtWaiter.setText(code); }
  void ring(forms::CommandButton& category, int k) {
    press(category);
    press(Sales().command(k));
  }
  void kidsCut() { ring(Sales().cmdDrink, 3); }
  void fringeTrim() { ring(Sales().cmdDrink, 4); }
  // A line as a recall puts it on the grid: no routing code.
  void recalled(const QString& qty, const QString& text, const QString& price) {
    Sales().grdOrderItems.AddItem(sales::gridRow(qty, text, price, ""));
  }
  void store() { press(Sales().cmdPrintRce1); }
  // Types a ticket number into the emptied number box and sends it.
  void recall(const QString& number) {
    Sales().cmbRept.setText(QString());
    type(Sales().cmbRept, number);
    pressEnter(Sales().cmbRept);
  }
  void expectMessage(const QString& text) {
    ASSERT_FALSE(messages_->shown().empty());
    EXPECT_EQ(messages_->shown().back().prompt, text);
  }
};

TEST_F(Storage, TheFirstTicketsAsStored) {
  sales::frmSales& w = Sales();
  signIn();
  kidsCut();
  fringeTrim();
  store();

  const QString today = rt::IsoDate(QDate::currentDate());
  QStringList first = header("1");
  ASSERT_FALSE(first.isEmpty());
  const QString time = first.filter(QRegularExpression("^Time=")).value(0).mid(5);
  EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(time).hasMatch()) << time.toStdString();
  EXPECT_EQ(first,
            QStringList({"TO_Ord_ID=1", "Inv=1", "SubTotal=26.00", "Tax=1.95", "Total=27.95", "Time=" + time,
                         "Date=" + today, "ID=Ines", "5=Processing", "Method=HS", "szCard_amt=<null>",
                         "szType_Card=<null>", "Receive=0", "szCoupon_amt=<null>", "szNumber_Card=<null>",
                         "szExp_Card=<null>", "1=<null>", "szGift_amt=<null>", "szTip_amt=<null>"}));
  EXPECT_EQ(lines("1"), QStringList({"1 | Kids Cut | 18.00", "1 | Fringe Trim | 8.00"}));
  // Every line carries the ticket's number, clock reading, stylist and type.
  EXPECT_EQ(
      value(
          tickets(),
          "SELECT COUNT(*) FROM tblDetail WHERE Invoice = '1' AND [Date] = ? AND [Time] = ? AND ID = 'Ines' "
          "AND Method = 'HS'",
          {today, time}),
      "2");
  EXPECT_EQ(favourite("Kids Cut"), "1");
  EXPECT_EQ(favourite("Fringe Trim"), "1");
  EXPECT_EQ(w.cmbRept.Text(), "1");

  // The next ticket does not ask for the stylist again.
  kidsCut();
  store();
  EXPECT_EQ(field("2", "SubTotal") + " " + field("2", "Tax") + " " + field("2", "Total"), "18.00 1.35 19.35");
  EXPECT_EQ(favourite("Kids Cut"), "2");
  EXPECT_EQ(w.lblFav.Caption(), "2");
  EXPECT_EQ(header("1"), first);
  // An empty window stores nothing and counts nothing.
  store();
  EXPECT_EQ(count("tblDy_Order"), "2");
  EXPECT_EQ(count("tblDetail"), "3");
  EXPECT_EQ(favourite("Kids Cut"), "2");
  EXPECT_EQ(count("tbFav", "Fav.mdb"), "2");
  EXPECT_TRUE(messages_->shown().empty());
}

// Every part of the tender goes into a field of its own: Receive what was
// kept (handed over less the change), the card what it was charged (the tip
// included), the coupon, the gift card and the tip apart.
TEST_F(Storage, TheHeaderByTheBoxes) {
  sales::frmSales& w = Sales();
  signIn();
  const char* const fields[] = {"SubTotal",    "Tax",          "Total",      "Receive",  "szCard_amt",
                                "szType_Card", "szCoupon_amt", "szGift_amt", "szTip_amt"};
  const struct {
    const char* what;
    const char* taxRate;
    bool priced;  // Kids Cut, or the unpriced "Walk-in" note
    std::optional<sales::TenderResult> tender;
    QStringList stored;  // the fields above
  } cases[] = {
      {"a note, no tender",
       "0.075",
       false,
       std::nullopt,
       {"0.00", "0.00", "0.00", "0", "<null>", "<null>", "<null>", "<null>", "<null>"}},
      {"no tax, no tender",
       "0",
       true,
       std::nullopt,
       {"18.00", "0.00", "18.00", "0", "<null>", "<null>", "<null>", "<null>", "<null>"}},
      {"cash with change",
       "0.075",
       true,
       cash({"20.00"}),
       {"18.00", "1.35", "19.35", "19.35", "<null>", "<null>", "<null>", "<null>", "<null>"}},
      {"coupon and cash",
       "0.075",
       true,
       cash({"15.00", "5.00"}),
       {"18.00", "1.35", "19.35", "19.35", "<null>", "<null>", "5.00", "<null>", "<null>"}},
      {"gift card and cash with a tip",
       "0.075",
       true,
       cash({"10.00", "", "12.00", "2.00"}),
       {"18.00", "1.35", "19.35", "21.35", "<null>", "<null>", "<null>", "12.00", "2.00"}},
      {"a card with a tip",
       "0.075",
       true,
       card("VISA", "22.35", true, {"", "", "", "3.00"}),
       {"18.00", "1.35", "19.35", "22.35", "22.35", "VISA", "<null>", "<null>", "3.00"}},
      {"a coupon and a card",
       "0.075",
       true,
       card("AMEX", "9.35", false, {"", "10.00"}),
       {"18.00", "1.35", "19.35", "19.35", "9.35", "AMEX", "10.00", "<null>", "<null>"}},
  };
  int number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    shell::Infor().txtTOTax1.setText(c.taxRate);
    if (c.priced) {
      kidsCut();
    } else {
      press(w.cmdLunch);
      press(w.cmdNotes);
      press(w.command(1));
    }
    if (c.tender) tendered(*c.tender);
    store();
    const QString inv = QString::number(++number);
    QStringList stored;
    for (const char* f : fields) stored << field(inv, f);
    EXPECT_EQ(stored, c.stored);
    EXPECT_EQ(field(inv, "Method"), "HS");
  }
  shell::Infor().txtTOTax1.setText("0.075");
}

// Only a tender the tender dialog took is stored: a text typed into the
// sales window's tender box ("25.50.00", or an amount) is no payment.
TEST_F(Storage, ATenderBoxTypedIntoIsNoPayment) {
  sales::frmSales& w = Sales();
  signIn();
  for (const char* typed : {"25.50.00", "20.00"}) {
    kidsCut();
    w.txtGet.setText(typed);
    store();
  }
  EXPECT_TRUE(messages_->shown().empty());
  EXPECT_EQ(field("1", "Receive") + " " + field("2", "Receive"), "0 0");
}

TEST_F(Storage, AStoredTicketStoredAgain) {
  sales::frmSales& w = Sales();
  signIn();
  kidsCut();
  fringeTrim();
  store();  // 1
  kidsCut();
  store();  // 2
  const QStringList second = header("2");
  const QStringList secondLines = lines("2");
  const QString firstTime = field("1", "Time");

  // Recalled: one line from the stored ticket, one added since; no tax now.
  shell::Infor().txtTOTax1.setText("0");
  w.cmbRept.setText("1");
  w.cmbRept.setTag("DidRecall");
  recalled("1", "Kids Cut", "18.00");
  fringeTrim();
  w.txtTotal.setText("26.00");
  store();
  EXPECT_EQ(field("1", "SubTotal") + " " + field("1", "Tax") + " " + field("1", "Total"), "26.00 0.00 26.00");
  EXPECT_EQ(field("1", "Time"), firstTime);
  EXPECT_EQ(field("1", "ID"), "Ines");
  EXPECT_EQ(lines("1"), QStringList({"1 | Kids Cut | 18.00", "1 | Fringe Trim | 8.00"}));
  EXPECT_EQ(header("2"), second);
  EXPECT_EQ(lines("2"), secondLines);
  // Only the line added after the recall is counted again.
  EXPECT_EQ(favourite("Kids Cut"), "2");
  EXPECT_EQ(favourite("Fringe Trim"), "2");
  EXPECT_EQ(w.cmbRept.Tag(), "");

  // The next ticket is a new one with its own number.
  const QStringList firstAgain = header("1");
  kidsCut();
  store();
  EXPECT_EQ(w.cmbRept.Text(), "3");
  EXPECT_EQ(lines("3"), QStringList{"1 | Kids Cut | 18.00"});
  EXPECT_EQ(header("1"), firstAgain);

  // Chosen by number: the lines are added to the stored ones.
  w.cmbRept.setText("2");
  w.cmbRept.setTag("OldNum");
  fringeTrim();
  store();
  EXPECT_EQ(lines("2"), QStringList({"1 | Kids Cut | 18.00", "1 | Fringe Trim | 8.00"}));
  EXPECT_EQ(field("2", "SubTotal"), "8.00");
  EXPECT_EQ(count("tblDy_Order"), "3");

  // A recalled ticket whose lines were all taken off is still stored.
  w.cmbRept.setText("3");
  w.cmbRept.setTag("DidRecall");
  w.txtTotal.setText("0.00");
  store();
  EXPECT_EQ(lines("3"), QStringList());
  EXPECT_EQ(field("3", "SubTotal") + " " + field("3", "Total"), "0.00 0.00");

  // A number that names no ticket stores nothing, and the ticket stays.
  messages_->answer(forms::vbOK);
  w.cmbRept.setText("77");
  w.cmbRept.setTag("DidRecall");
  recalled("1", "Kids Cut", "18.00");
  store();
  expectMessage("The ticket was not stored: Ordr.mdb holds no ticket 77.");
  EXPECT_EQ(count("tblDy_Order"), "3");
  EXPECT_EQ(count("tblDetail"), "4");
  EXPECT_EQ(screen(), QStringList{"1 | Kids Cut | 18.00 | "});
  EXPECT_EQ(w.cmbRept.Text() + " " + w.cmbRept.Tag(), "77 DidRecall");
  shell::Infor().txtTOTax1.setText("0.075");
}

// Where the second tax is charged, the ticket stores its whole tax, as its
// receipt prints it, so the day's sub total (total less tax) is what was rung
// up; recalled, it shows each tax again and stores the same.
TEST_F(Storage, ACanadaTicketStoresItsWholeTax) {
  run(settingsFile(), "UPDATE tbSet SET setL = 'Canada'");
  sales::frmSales& w = Sales();
  shell::Infor().txtTOTax1.setText("0.05");
  shell::Infor().txtTOTax2.setText("0.07");
  signIn();
  kidsCut();  // 18.00, tax 1 0.90, tax 2 1.32 on 18.90
  ASSERT_EQ(w.txtTOTax1.Text() + " " + w.txtTOTax2.Text() + " " + w.txtEnding.Text(), "0.90 1.32 20.22");
  store();
  EXPECT_EQ(field("1", "SubTotal") + " " + field("1", "Tax") + " " + field("1", "Total"), "18.00 2.22 20.22");

  recall("1");
  EXPECT_EQ(w.txtTOTax1.Text() + " " + w.txtTOTax2.Text() + " " + w.txtEnding.Text(), "0.90 1.32 20.22");
  store();
  EXPECT_EQ(field("1", "SubTotal") + " " + field("1", "Tax") + " " + field("1", "Total"), "18.00 2.22 20.22");
  shell::Infor().txtTOTax1.setText("0.075");
}

// A recalled ticket stays its stylist's, whoever is signed in: its lines,
// added ones too, and its reprint carry the stylist it was rung up for.
TEST_F(Storage, ARecalledTicketKeepsItsStylist) {
  sales::frmSales& w = Sales();
  signIn("3456");  // Ines
  kidsCut();
  store();
  signIn("2345");  // Jules
  recall("1");
  fringeTrim();
  store();
  EXPECT_EQ(field("1", "ID"), "Ines");
  EXPECT_EQ(value(tickets(), "SELECT COUNT(*) FROM tblDetail WHERE Invoice = '1' AND ID = 'Ines'"), "2");
  ASSERT_FALSE(printed_.documents().empty());
  const std::vector<QString> reprint = print::Recorder::texts(printed_.documents().back().document);
  EXPECT_NE(std::find_if(reprint.begin(), reprint.end(),
                         [](const QString& l) { return l.contains("Server: Ines"); }),
            reprint.end());
  EXPECT_EQ(w.lblID.Caption(), "Jules") << "the sign-in stays";
  // The next new ticket is the one signed in.
  kidsCut();
  store();
  EXPECT_EQ(field("2", "ID"), "Jules");
}

// A ticket file of an earlier build, without the gift-card and tip columns,
// gets them when the sales window opens on it, rows kept, and stores a tip.
TEST_F(Storage, AFileOfAnEarlierBuildGetsTheTenderColumns) {
  run(tickets(), "INSERT INTO tblDy_Order (Inv, Total, Receive) VALUES ('7', '10.00', '10.00')");
  for (const char* column : {"szGift_amt", "szTip_amt"})
    run(tickets(), QString("ALTER TABLE tblDy_Order DROP COLUMN %1").arg(column));
  signIn();
  kidsCut();
  tendered(cash({"25.00", "", "", "3.00"}));
  store();
  EXPECT_EQ(field("2", "Receive") + " " + field("2", "szTip_amt"), "22.35 3.00");
  EXPECT_EQ(field("7", "Total"), "10.00");
  EXPECT_TRUE(messages_->shown().empty());
}

// A disk that is full, or a quota used up, is told as such: nothing is
// stored and the ticket stays for another press once there is room.
TEST_F(Storage, AFullDiskIsToldAsSuch) {
  const struct {
    int error;
    const char* says;
  } cases[] = {
      {ENOSPC, "The ticket was not stored: Ordr.mdb cannot be written: the disk is full."},
      {EDQUOT, "The ticket was not stored: Ordr.mdb cannot be written: the disk quota is full."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    dbtest::FailingDisk disk;  // under the window's files as it opens
    signIn();
    kidsCut();
    disk.fail(c.error);
    messages_->answer(forms::vbOK);
    store();
    disk.fail(0);
    expectMessage(c.says);
    EXPECT_EQ(count("tblDy_Order"), "0");
    EXPECT_EQ(screen(), QStringList{"1 | Kids Cut | 18.00 | -"});
    unloadAllWindows();
    messages_->clear();
  }
}

// A line the file refuses leaves nothing of the ticket: neither its header
// nor its other lines, nor the number it drew, nor a count.
TEST_F(Storage, ATicketIsStoredWholeOrNotAtAll) {
  sales::frmSales& w = Sales();
  signIn();
  kidsCut();
  store();  // 1, with one line
  run(tickets(),
      "CREATE TRIGGER refuse BEFORE INSERT ON tblDetail WHEN NEW.szOrder = 'Fringe Trim' "
      "BEGIN SELECT RAISE(ABORT, 'refused'); END");

  messages_->answer(forms::vbOK);
  kidsCut();
  fringeTrim();
  store();
  expectMessage("The ticket was not stored: Ordr.mdb could not be written.");
  EXPECT_EQ(count("tblDy_Order"), "1");
  EXPECT_EQ(count("tblDetail"), "1");
  EXPECT_EQ(screen().size(), 2);
  EXPECT_EQ(w.cmbRept.Text(), "1");
  EXPECT_EQ(w.txtTotal.Text(), "26.00");
  EXPECT_EQ(favourite("Kids Cut"), "1");
  EXPECT_EQ(favourite("Fringe Trim"), "<null>");

  // Recalled: the stored lines are not lost with the rewrite.
  messages_->answer(forms::vbOK);
  w.grdOrderItems.setRows(2);
  w.cmbRept.setTag("DidRecall");
  recalled("1", "Kids Cut", "18.00");
  fringeTrim();
  store();
  EXPECT_EQ(messages_->shown().size(), 2u);
  EXPECT_EQ(lines("1"), QStringList{"1 | Kids Cut | 18.00"});
  EXPECT_EQ(field("1", "Total"), "19.35");

  run(tickets(), "DROP TRIGGER refuse");
  w.grdOrderItems.setRows(2);
  w.cmbRept.setTag("");
  kidsCut();
  fringeTrim();
  store();
  EXPECT_EQ(w.cmbRept.Text(), "2") << "the refused store drew no number";
  EXPECT_EQ(lines("2").size(), 2);
}

// The tally is counted after the ticket is stored: one that fails is rolled
// back whole, without a word, and the ticket stays stored.
TEST_F(Storage, AFailedTallyLeavesTheTicketStored) {
  run(installFile("Fav.mdb"),
      "CREATE TRIGGER refuse BEFORE INSERT ON tbFav WHEN NEW.szMenu_id = 'Fringe Trim' "
      "BEGIN SELECT RAISE(ABORT, 'refused'); END");
  signIn();
  kidsCut();
  fringeTrim();
  store();
  EXPECT_EQ(lines("1").size(), 2);
  EXPECT_EQ(count("tbFav", "Fav.mdb"), "0");
  EXPECT_TRUE(screen().isEmpty());
  EXPECT_TRUE(messages_->shown().empty());
}

TEST_F(Storage, ABusyFileIsTriedOnceMoreThenTold) {
  db::setBusyTimeout(100);
  sales::frmSales& w = Sales();
  signIn();
  kidsCut();
  {
    auto station = db::Database::open(tickets());
    db::Transaction holding = station->transaction();
    messages_->answer(forms::vbOK);
    store();
    holding.rollback();
  }
  db::setBusyTimeout(5000);
  ASSERT_EQ(messages_->shown().size(), 1u);
  expectMessage("The ticket was not stored: another station is using Ordr.mdb. Please try again.");
  EXPECT_EQ(count("tblDy_Order"), "0");
  EXPECT_EQ(screen().size(), 1);
  EXPECT_EQ(w.cmbRept.Text(), "");
  store();
  EXPECT_EQ(count("tblDy_Order"), "1");
  EXPECT_EQ(count("tblDetail"), "1");
  EXPECT_EQ(messages_->shown().size(), 1u);
}

// Two stations recall one ticket and each adds a line: the second to store
// it is told, and the first one's store stays as it was. A ticket nobody
// changed since the recall stores as before.
TEST_F(Storage, ARecalledTicketAnotherStationChangedIsNotStoredOver) {
  const struct {
    const char* what;
    const char* change;  // by the other station, after the recall
    bool stored;
  } cases[] = {
      {"a line added and the amounts rewritten",
       "INSERT INTO tblDetail (Invoice, Qty, szOrder, Price) VALUES ('%1', '1', 'Blowout', '19.99');"
       "UPDATE tblDy_Order SET SubTotal = '37.99', Tax = '2.85', Total = '40.84' WHERE Inv = '%1'",
       false},
      {"paid there", "UPDATE tblDy_Order SET Receive = '19.35' WHERE Inv = '%1'", false},
      {"its line rewritten as it was", "UPDATE tblDetail SET [Time] = '23:59:59' WHERE Invoice = '%1'",
       false},
      {"nothing", "", true},
  };
  sales::frmSales& w = Sales();
  signIn();
  int number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const QString inv = QString::number(++number);
    kidsCut();
    store();
    recall(inv);
    ASSERT_EQ(screen().size(), 1);
    for (const QString& sql : QString(c.change).arg(inv).split(';', Qt::SkipEmptyParts)) run(tickets(), sql);
    const QStringList storedHeader = header(inv);
    const QStringList storedLines = lines(inv);
    fringeTrim();
    if (!c.stored) messages_->answer(forms::vbOK);
    const size_t before = messages_->shown().size();
    store();
    if (c.stored) {
      EXPECT_EQ(messages_->shown().size(), before);
      EXPECT_EQ(lines(inv), QStringList({"1 | Kids Cut | 18.00", "1 | Fringe Trim | 8.00"}));
      EXPECT_EQ(screen(), QStringList());
      continue;
    }
    ASSERT_EQ(messages_->shown().size(), before + 1);
    EXPECT_EQ(messages_->shown().back().prompt,
              QString("The ticket was not stored: ticket %1 was changed at another station since it was "
                      "recalled. Please recall it again.")
                  .arg(inv));
    EXPECT_EQ(header(inv), storedHeader);
    EXPECT_EQ(lines(inv), storedLines);
    EXPECT_EQ(screen().size(), 2) << "the ticket stays on the window";
    EXPECT_EQ(w.cmbRept.Text() + " " + w.cmbRept.Tag(), inv + " DidRecall");
    // The clerk clears the window (Close) and recalls it again.
    messages_->answer(forms::vbYes);
    press(w.cmdClose);
    signIn();
  }
}

// The check runs inside the store's write transaction: of two connections
// storing the ticket they both recalled, the second finds the first one's
// store and writes nothing.
TEST_F(Storage, TwoConnectionsStoringOneRecalledTicket) {
  signIn();
  kidsCut();
  store();  // 1
  auto first = db::Database::open(tickets());
  auto second = db::Database::open(tickets());
  const auto recalledOn = [](db::Database& station, const QString& added) {
    sales::TicketToStore t;
    t.kind = sales::StoreKind::Recalled;
    t.number = "1";
    t.subtotal = "26.00";
    t.tax = "1.95";
    t.total = "27.95";
    t.when = QDateTime::currentDateTime();
    t.lines = {{"1", "Kids Cut", "18.00", ""}, {"1", added, "8.00", "-"}};
    t.recalled = sales::ticketSnapshot(station, "1");
    return t;
  };
  const sales::TicketToStore fromFirst = recalledOn(*first, "Fringe Trim");
  const sales::TicketToStore fromSecond = recalledOn(*second, "Bang Trim");
  EXPECT_EQ(sales::storeTicket(*first, fromFirst), "1");
  EXPECT_THROW(sales::storeTicket(*second, fromSecond), sales::TicketChanged);
  EXPECT_EQ(lines("1"), QStringList({"1 | Kids Cut | 18.00", "1 | Fringe Trim | 8.00"}));
  EXPECT_FALSE(second->inTransaction());
}

// Another station held the ticket and favourites files as the window opened:
// the recall, the store and the tally open them again once they are free.
TEST_F(Storage, FilesHeldWhileTheWindowOpensAreOpenedAgainWhenUsed) {
  signIn();
  kidsCut();
  store();  // 1
  unloadAllWindows();
  db::setBusyTimeout(100);
  {
    auto station = db::Database::open(tickets());
    auto favourites = db::Database::open(installFile("Fav.mdb"));
    auto staff = db::Database::open(installFile("Infor.mdb"));
    station->execute("BEGIN EXCLUSIVE");
    favourites->execute("BEGIN EXCLUSIVE");
    staff->execute("BEGIN EXCLUSIVE");
    messages_->answer(forms::vbOK);
    Sales().Show();
    // While the staff file is still held, a code is not taken for unknown.
    messages_->answer(forms::vbOK);
    signIn();
    ASSERT_EQ(messages_->shown().size(), 2u);
    EXPECT_EQ(messages_->shown()[1].prompt,
              "The ID cannot be looked up: Infor.mdb could not be opened. Please try again.");
    station->execute("ROLLBACK");
    favourites->execute("ROLLBACK");
    staff->execute("ROLLBACK");
  }
  db::setBusyTimeout(5000);
  ASSERT_TRUE(Sales().IsLoaded());
  signIn();
  EXPECT_FALSE(Sales().lblID.Caption().isEmpty());
  recall("1");
  EXPECT_EQ(screen(), QStringList{"1 | Kids Cut | 18.00 | "});
  fringeTrim();
  store();
  EXPECT_EQ(messages_->shown().size(), 2u);
  EXPECT_EQ(lines("1"), QStringList({"1 | Kids Cut | 18.00", "1 | Fringe Trim | 8.00"}));
  EXPECT_EQ(favourite("Fringe Trim"), "1");
  kidsCut();
  store();
  EXPECT_EQ(lines("2"), QStringList{"1 | Kids Cut | 18.00"});
  EXPECT_EQ(messages_->shown().size(), 2u);
}

TEST_F(Storage, TheWindowAfterAStore) {
  fillMenu("tbSoup", 1, 30, "Item ");
  sales::frmSales& w = Sales();
  signIn();
  press(w.cmdSp);
  press(w.cmdNext);
  press(w.command(1));  // "Item 25", page 2
  tendered(cash({"20.00", "1.00"}));
  w.txtPercent.setText("10");
  w.txtString.setText("%B4111");
  w.txtString.setTag("123456");
  w.lblChk.setTag("9");
  store();
  EXPECT_EQ(field("1", "Receive") + " " + field("1", "szCoupon_amt"), "10.75 1.00");

  EXPECT_EQ(w.grdOrderItems.Rows(), 2);
  EXPECT_EQ(w.txtTotal.Text() + w.txtTOTax1.Text() + w.txtEnding.Text(), "0.000.000.00");
  EXPECT_EQ(w.cmdMainM.Tag(), "") << "the item page stays as it was";
  EXPECT_EQ(w.command(1).Caption(), "Item 25");
  EXPECT_EQ(w.cmdLast.Tag(), "2");
  EXPECT_TRUE(w.cmdLast.Visible());
  for (forms::Control* box : std::initializer_list<forms::Control*>{&w.txtGet, &w.txtReturn, &w.txtCoupon,
                                                                    &w.txtPercent, &w.txtString})
    EXPECT_EQ(box->Text(), "") << box->Name().toStdString();
  for (forms::Control* tagged :
       std::initializer_list<forms::Control*>{&w.txtGet, &w.txtString, &w.txtWaiter, &w.lblChk, &w.cmbRept})
    EXPECT_EQ(tagged->Tag(), "") << tagged->Name().toStdString();
  EXPECT_EQ(w.txtWaiter.Text() + " " + w.lblID.Caption(), "3456 Ines");
  EXPECT_EQ(w.cmbRept.Text(), "1");

  // Nothing of the last ticket's tender reaches the next.
  press(w.cmdDrink);
  press(w.command(3));
  store();
  EXPECT_EQ(field("2", "Receive"), "0");
}

// An empty new ticket is not stored, and the stylist is not asked for it.
TEST_F(Storage, AnEmptyTicketAsksNothingAndStoresNothing) {
  Sales().Show();
  store();
  EXPECT_FALSE(shell::TakeOutPW().IsLoaded());
  EXPECT_EQ(count("tblDy_Order"), "0");
}

TEST_F(Storage, TheFavouritesTally) {
  for (const auto& [text, n] : std::initializer_list<std::pair<const char*, const char*>>{
           {"Kids Cut", "3"}, {"Men's Cut", "3"}, {"Fringe Trim", "3"}, {"Tip", "2"}, {"Tip's Color", "7"}})
    run(installFile("Fav.mdb"), "INSERT INTO tbFav (szMenu_id, szNum_nm) VALUES (?, ?)", {text, n});
  signIn();
  const struct {
    const char* qty;
    const char* text;
  } sold[] = {{"3", "Conditioner"}, {"2", "Kids Cut"}, {"1/2", "Men's Cut"}, {"+", "Fringe Trim"},
              {"1", "Wash"},        {"2", "Wash"},     {"1/2", "Gloss"},     {"1", "Tip's Color"}};
  for (const auto& s : sold) Sales().grdOrderItems.AddItem(sales::gridRow(s.qty, s.text, "", "-"));
  store();
  const struct {
    const char* text;
    const char* count;
  } counts[] = {{"Conditioner", "3"}, {"Kids Cut", "5"}, {"Men's Cut", "4"}, {"Fringe Trim", "3"},
                {"Wash", "3"},        {"Gloss", "1"},    {"Tip", "2"},       {"Tip's Color", "8"}};
  for (const auto& c : counts) EXPECT_EQ(favourite(c.text).toStdString(), c.count) << c.text;
  EXPECT_EQ(count("tbFav", "Fav.mdb"), "8");
  EXPECT_EQ(Sales().lblFav.Caption(), "8");
}

// The tally is a commit of its own in Fav.mdb, after the ticket's: a program
// killed between the two leaves the ticket untallied. Nothing the window
// does after a store (reading the stored ticket back, the number box) comes
// between them, so that window is as short as two files allow.
TEST_F(Storage, TheTallyCommitsRightAfterTheTicket) {
  sales::frmSales& w = Sales();
  signIn();
  kidsCut();
  struct Traced {
    const char* file;
    std::vector<std::string>* statements;
  };
  std::vector<std::string> statements;
  Traced orders{"Ordr.mdb", &statements}, details{"Ordr.mdb (lines)", &statements},
      fav{"Fav.mdb", &statements};
  const auto trace = [](unsigned, void* context, void* stmt, void*) {
    const Traced* t = static_cast<const Traced*>(context);
    t->statements->push_back(std::string(t->file) + ": " + sqlite3_sql(static_cast<sqlite3_stmt*>(stmt)));
    return 0;
  };
  const std::pair<forms::Data*, Traced*> traced[] = {
      {&w.datOrders, &orders}, {&w.datDetail, &details}, {&w.datFav, &fav}};
  for (const auto& [data, context] : traced)
    sqlite3_trace_v2(data->Database().handle(), SQLITE_TRACE_STMT, trace, context);
  store();
  for (const auto& [data, context] : traced) sqlite3_trace_v2(data->Database().handle(), 0, nullptr, nullptr);

  const auto commit = std::find(statements.begin(), statements.end(), "Ordr.mdb: COMMIT");
  ASSERT_NE(commit, statements.end());
  ASSERT_NE(commit + 1, statements.end());
  EXPECT_EQ(*(commit + 1), "Fav.mdb: BEGIN IMMEDIATE");
  EXPECT_EQ(favourite("Kids Cut"), "1");
}

// Only item lines are dishes: a percent off and an add-on ("+") count
// nothing, not even as a new text.
TEST_F(Storage, TheTallyCountsItemLinesOnly) {
  signIn();
  for (const auto& [qty, text] : std::initializer_list<std::pair<const char*, const char*>>{
           {"1", "Blowout"}, {"+", "2. Deep Condition"}, {"+", "10% Off"}})
    Sales().grdOrderItems.AddItem(sales::gridRow(qty, text, "", "-"));
  store();
  EXPECT_EQ(rows(installFile("Fav.mdb"), "SELECT szMenu_id, szNum_nm FROM tbFav"), QStringList{"Blowout|1"});
}

// The drawer pulse goes to the printer window's drawer port; a port that
// names nothing, or cannot be opened, gets nothing and creates no file.
TEST_F(Storage, OpenDrawer) {
  PseudoTerminal line;
  ASSERT_TRUE(line.ok());
  shell::SetPtr().cmbECD.setText(QString::fromStdString(line.path()));
  Sales().OpenDrawer();
  EXPECT_EQ(line.received(), shell::kDrawerPulse);

  const QString here = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(root_.path()));
  for (const char* port : {"None", "", "COM9:", "/nonexistent/drawer"}) {
    shell::SetPtr().cmbECD.setText(port);
    Sales().OpenDrawer();
  }
  QDir::setCurrent(here);
  EXPECT_FALSE(QFile::exists(root_.filePath("None")));
  EXPECT_FALSE(QFile::exists(installFile("None")));
  EXPECT_EQ(line.received(), "");
  EXPECT_TRUE(messages_->shown().empty());
}

TEST_F(Storage, TrainingTicketsGoToTheTrainingFile) {
  run(settingsFile(), "UPDATE tbReset SET Reset_txt = 'Training Check Book'");
  signIn();
  kidsCut();
  store();
  EXPECT_EQ(count("tblDy_Order", "TOrdr.mdb"), "1");
  EXPECT_EQ(count("tblDetail", "TOrdr.mdb"), "1");
  EXPECT_EQ(count("tblDy_Order"), "0");
  EXPECT_EQ(count("tblDetail"), "0");
  EXPECT_EQ(count("tbFav", "Fav.mdb"), "0") << "a training sale is no favourite";
}

}  // namespace
