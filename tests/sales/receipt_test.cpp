// The customer receipt: its printed lines, the drawer, the store before the
// paper, and the window it leaves for the next ticket.
#include "sales/receipt.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>
#include <stdexcept>

#include "platform/convert/datetext.h"
#include "platform/convert/number.h"
#include "sales/frmSales.h"
#include "shell/Module1.h"
#include "shell/frmInfor.h"
#include "shell/frmSecurity.h"
#include "shell/frmTakeOutPW.h"
#include "tender/frmTender.h"
#include "tests/fifo_port.h"
#include "tests/refusing_printer.h"
#include "tests/sales/closing_fixture.h"

namespace {

using sales::Sales;

// A printed line as "text{font size style colour}" for each run, "|" between
// runs; a line without runs as "{font size style}" of the font it ended in.
// Style "B" bold, "U" underlined, "-" plain; colour only when red.
std::string dump(const print::Line& line) {
  const auto font = [](const print::Font& f) {
    QString style = QString(f.bold ? "B" : "") + (f.underline ? "U" : "");
    return QString("%1 %2 %3").arg(f.name).arg(f.size).arg(style.isEmpty() ? "-" : style);
  };
  if (line.runs.empty()) return ("{" + font(line.font) + "}").toStdString();
  QStringList runs;
  for (const print::Run& r : line.runs)
    runs << r.text + "{" + font(r.font) + (r.color == 255 ? " red" : r.color == 0 ? "" : " ?") + "}";
  return runs.join('|').toStdString();
}

std::vector<std::string> dumpOf(const print::Document& d) {
  std::vector<std::string> out;
  for (const print::Line& line : d.lines) out.push_back(dump(line));
  return out;
}

class Receipt : public ClosingFixture {
 protected:
  QString field(const QString& inv, const QString& name) const {
    return value(installFile("Ordr.mdb"), QString("SELECT [%1] FROM tblDy_Order WHERE Inv = ?").arg(name),
                 {inv});
  }
  std::vector<QString> lastPrinted() const {
    if (printed_.documents().empty()) return {};
    return print::Recorder::texts(printed_.documents().back().document);
  }
  // Tenders cash on the tender dialog's keypad (cents), then Submit.
  void tenderCash(const QString& cents) {
    script_->on(tender::Tender(), [cents] {
      for (QChar d : cents) press(tender::Tender().comNumber(d.digitValue()));
      press(tender::Tender().cmdNext);
    });
    press(Sales().cmdTenerRec);
    ASSERT_TRUE(script_->done());
  }
};

TEST_F(Receipt, EveryLineWithItsFontStyleAndColour) {
  sales::CustomerReceipt full;
  full.storeLine1 = "Salon Mara";
  full.storeLine2 = "12 Main St";
  full.storeLine3 = "555-0100";
  full.check = "#1234";
  full.date = "1/2/2026";
  full.time = "10:15:00 AM";
  full.server = "Jules";
  full.lines = {{"1", "Shampoo", "12.00", "A"},
                {"+", "Add Color", "5.00", "A"},
                {"2", "Blow Dry", "30.00", "A"},
                {"1", "Balayage With Toner And Gloss!!", "95.00", "A"},
                {"+", "1.  Deep Condition Treatment", "12.00", "A"},
                {"12", "Keratin Smoothing Deluxe", "1,234.56", "A"},
                {" .", "Free Water", "$0.00", "A"},
                {"1/2", "Trim", "4", "A"}};
  full.freePopAuto = true;
  full.subtotal = "146.00";
  full.tax1 = "10.95";
  full.tax2 = "11.77";
  full.total = "168.72";
  full.received = "200.00";
  full.change = "31.28";
  full.printNotes = true;
  full.note1 = "-";
  full.note2 = "-";

  sales::CustomerReceipt plain = full;
  plain.lines = {{" .", "Free Water", "", "A"}};
  plain.freePopAuto = false;
  plain.tax2.reset();
  plain.received.clear();
  plain.printNotes = false;

  const std::vector<std::string> head = {
      "  Salon Mara{courier new 15 B}",
      "      12 Main St{courier new 10 B}",
      "      555-0100{courier new 10 B}",
      "{courier new 10 B}",
      "Check #: #1234{courier new 10 B}",
      "{courier new 10 B}",
      "Date 1/2/2026 Time 10:15:00 AM{courier new 10 B}",
      "Server: Jules{courier new 10 B}",
      "{courier new 10 B}",
      " -Items-               Amount{courier new 10 BU}",
  };
  std::vector<std::string> fullLines = head;
  for (const char* line : {
           " Shampoo            12.00{courier new 12 -}",
           "   +Add Color       5.00{courier new 12 - red}",
           "2.Blow Dry          30.00{courier new 12 -}",
           // A long item text is cut so that a blank stands before its price.
           " Balayage With Tone 95.00{courier new 12 -}",
           "   +1.  Deep Condit 12.00{courier new 12 - red}",
           "12.Keratin Smoothin 1,234.56{courier new 12 -}",
           "1/2.Trim            4.00{courier new 12 -}",
           "   + .Free Water    {courier new 12 - red}",
           "---------------------------{courier new 12 -}",
           "            Sub:    146.00{courier new 12 B}",
           "            Tax:     10.95{courier new 12 B}",
           "            Tax:     11.77{courier new 12 B}",
           "          Total:    168.72{courier new 12 B}",
           "{courier new 12 B}",
           "       Received:    200.00{courier new 12 B}",
           "         Change:    31.28{courier new 12 B}",
           "{courier new 12 B}",
           "{courier new 12 -}",
           "-{MS Sans Serif 12 -}",
           "-{MS Sans Serif 12 -}",
           "{MS Sans Serif 12 -}",
       })
    fullLines.push_back(line);
  std::vector<std::string> plainLines = head;
  for (const char* line : {
           " .Free Water        {courier new 12 -}",
           "---------------------------{courier new 12 -}",
           "            Sub:    146.00{courier new 12 B}",
           "            Tax:     10.95{courier new 12 B}",
           "          Total:    168.72{courier new 12 B}",
           "{courier new 12 -}",
       })
    plainLines.push_back(line);

  const struct {
    const char* what;
    const sales::CustomerReceipt* receipt;
    const std::vector<std::string>* lines;
  } cases[] = {{"Canada, received, free-pop Auto, notes", &full, &fullLines},
               {"one tax, nothing received, free-pop off, no notes", &plain, &plainLines}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    sales::printCustomerReceipt(print::Printer(), *c.receipt);
    EXPECT_EQ(print::Printer().PrintQuality(), -2);
    print::Printer().EndDoc();
    ASSERT_FALSE(printed_.documents().empty());
    EXPECT_EQ(dumpOf(printed_.documents().back().document), *c.lines);
  }
}

// Money goes into the drawer or out of it: cash handed over, or change given
// back; never for a balance still due, and not for a card or a coupon that
// pays exactly.
TEST_F(Receipt, TheDrawerOpensWhenCashGoesInOrOut) {
  const struct {
    const char* what;
    sales::TenderResult tender;
    bool opens;
  } cases[] = {
      {"cash, change due", cash({"20.00"}), true},
      {"cash, exact", cash({"17.50"}), true},
      {"a balance still due", cash({"10.00"}), false},
      {"coupon and cash", cash({"10.00", "7.50"}), true},
      {"a card", card("VISA", "17.50"), false},
      {"a coupon paying it all", cash({"", "17.50"}), false},
      {"a coupon over the total gives change", cash({"", "20.00"}), true},
      {"Tender, then Back: nothing taken", cash({}), false},
  };
  const rt::Currency due = rt::CCur(QStringLiteral("17.50"));
  for (const auto& c : cases) EXPECT_EQ(sales::tenderOpensDrawer(c.tender, due), c.opens) << c.what;
}

// A cash ticket tendered on the dialog: the drawer, the stored ticket, its
// receipt; the next ticket, printed without a tender, has its own number,
// no received line and no drawer, and starts clean.
TEST_F(Receipt, ACashTicketThenOneWithoutTender) {
  FifoPort drawer(root_.filePath("drawer").toStdString());
  ASSERT_TRUE(drawer.ok());
  run(settingsFile(), "UPDATE tbSet SET Port6 = ?", {QString::fromStdString(drawer.path())});
  run(installFile("BakHS.mdb"), "UPDATE tbSetInfor SET Line1 = 'Salon Mara'");
  sales::frmSales& w = Sales();
  w.Show();
  signIn();
  kidsCut();
  tenderCash("2000");
  EXPECT_EQ(w.txtGet.Text() + " " + w.txtReturn.Text(), "20.00 0.65");
  press(w.cmdPrintRce1);

  EXPECT_EQ(drawer.taken(), shell::kDrawerPulse);
  EXPECT_EQ(field("1", "Receive") + " " + field("1", "Total") + " " + field("1", "ID"), "19.35 19.35 Jules");
  EXPECT_EQ(count("tblDetail"), "1");
  ASSERT_EQ(printed_.documents().size(), 1u);
  const std::vector<QString> first = lastPrinted();
  ASSERT_GE(first.size(), 8u);
  EXPECT_EQ(first[0], "  Salon Mara");
  EXPECT_EQ(first[4], "Check #: #1");
  EXPECT_TRUE(QRegularExpression("^Date \\d{1,2}/\\d{1,2}/\\d{4} Time \\d{1,2}:\\d\\d:\\d\\d [AP]M$")
                  .match(first[6])
                  .hasMatch())
      << first[6].toStdString();
  EXPECT_EQ(first[7].toStdString(), "Server: Jules");
  EXPECT_NE(std::find(first.begin(), first.end(), " Kids Cut           18.00"), first.end());
  EXPECT_NE(std::find(first.begin(), first.end(), "       Received:    20.00"), first.end());
  EXPECT_NE(std::find(first.begin(), first.end(), "         Change:    0.65"), first.end());
  EXPECT_EQ(w.cmbRept.List(0), "1");
  EXPECT_FALSE(w.txtGet.Visible());
  EXPECT_EQ(screen(), QStringList());
  EXPECT_EQ(w.txtTotal.Text() + " " + w.txtEnding.Text() + " " + w.txtGet.Text(), "0.00 0.00 ");

  w.txtPercent.setText("10");
  kidsCut();
  press(w.cmdPrintRce1);
  EXPECT_EQ(drawer.taken(), "");
  EXPECT_EQ(field("2", "Receive"), "0");
  ASSERT_EQ(printed_.documents().size(), 2u);
  const std::vector<QString> second = lastPrinted();
  EXPECT_EQ(second[4], "Check #: #2");
  for (const QString& line : second) EXPECT_FALSE(line.contains("Received")) << line.toStdString();
  EXPECT_EQ(w.cmbRept.ListCount(), 2);
  EXPECT_EQ(w.txtPercent.Text(), "");

  // An empty new ticket: no drawer, no paper, nothing stored, twice.
  press(w.cmdPrintRce1);
  press(w.cmdPrintRce1);
  EXPECT_EQ(drawer.taken(), "");
  EXPECT_EQ(printed_.documents().size(), 2u);
  EXPECT_EQ(count("tblDy_Order"), "2");
  EXPECT_TRUE(messages_->shown().empty());
}

TEST_F(Receipt, TheDrawerOpensForCashOnly) {
  FifoPort drawer(root_.filePath("drawer").toStdString());
  ASSERT_TRUE(drawer.ok());
  run(settingsFile(), "UPDATE tbSet SET Port6 = ?", {QString::fromStdString(drawer.path())});
  sales::frmSales& w = Sales();
  w.Show();
  signIn();
  const struct {
    const char* what;
    std::optional<sales::TenderResult> tender;
    bool opens;
  } cases[] = {{"cash", cash({"20.00"}), true},
               {"a card", card("VISA", "19.35"), false},
               {"no tender", std::nullopt, false}};
  for (const auto& c : cases) {
    kidsCut();
    if (c.tender) tendered(*c.tender);
    press(w.cmdPrintRce1);
    EXPECT_EQ(drawer.taken(), c.opens ? shell::kDrawerPulse : std::string()) << c.what;
    EXPECT_EQ(screen(), QStringList()) << c.what;
  }
  // A tender that leaves a balance is not stored as paid: no drawer, no
  // store, and the ticket waits to be tendered again.
  kidsCut();
  tendered(cash({"10.00"}));
  messages_->answer(forms::vbOK);
  press(w.cmdPrintRce1);
  ASSERT_FALSE(messages_->shown().empty());
  EXPECT_EQ(messages_->shown().back().prompt, "Balance of -9.35 Due. Please tender the ticket again.");
  EXPECT_EQ(drawer.taken(), std::string());
  EXPECT_EQ(screen(), QStringList{"1 | Kids Cut | 18.00 | -"});
  EXPECT_EQ(count("tblDy_Order"), "3");
}

// A recalled ticket that was paid shows and prints its tender as it was paid
// and opens no drawer, stored again without a change to its tender; one
// that was not paid and is paid in cash now opens the drawer.
TEST_F(Receipt, ARecalledTicketPrintsItsTenderAsPaidAndOpensTheDrawerOnlyForCashTakenNow) {
  FifoPort drawer(root_.filePath("drawer").toStdString());
  ASSERT_TRUE(drawer.ok());
  run(settingsFile(), "UPDATE tbSet SET Port6 = ?", {QString::fromStdString(drawer.path())});
  const QStringList amounts = {"8.00", "0.60", "8.60"};
  storeTicket("Ordr.mdb", "57", "8.60", {{"1", "Bang Trim", "8.00"}}, amounts);
  run(installFile("Ordr.mdb"),
      "UPDATE tblDy_Order SET szType_Card = 'VISA', szCard_amt = '8.60' WHERE Inv = '57'");
  storeTicket("Ordr.mdb", "58", "10.00", {{"1", "Bang Trim", "8.00"}}, amounts);
  storeTicket("Ordr.mdb", "59", "0", {{"1", "Bang Trim", "8.00"}}, amounts);
  const QString header = "SELECT szType_Card, szCard_amt, Receive FROM tblDy_Order WHERE Inv = ?";
  const struct {
    const char* number;
    bool cashNow;          // tendered 10.00 cash on the dialog after the recall
    const char* shown;     // the received box and its tag after the recall
    const char* received;  // printed
    const char* change;
    bool opens;
    const char* stored;  // afterwards
  } cases[] = {
      {"57", false, "VISA Card", "VISA", "0.00", false, "VISA|8.60|8.60"},
      {"58", false, "10.00 ", "10.00", "1.40", false, "<null>|<null>|10.00"},
      {"59", true, " ", "10.00", "1.40", true, "<null>|<null>|8.60"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    freshWindow();
    sales::frmSales& w = Sales();
    recall(c.number);
    EXPECT_EQ((w.txtGet.Text() + " " + w.txtGet.Tag()).toStdString(), c.shown);
    if (c.cashNow) tenderCash("1000");
    press(w.cmdPrintRce1);
    EXPECT_EQ(drawer.taken(), c.opens ? shell::kDrawerPulse : std::string());
    const std::vector<QString> printed = lastPrinted();
    EXPECT_NE(std::find(printed.begin(), printed.end(), QString("       Received:    ") + c.received),
              printed.end());
    EXPECT_NE(std::find(printed.begin(), printed.end(), QString("         Change:    ") + c.change),
              printed.end());
    EXPECT_EQ(rows(installFile("Ordr.mdb"), header, {c.number}), QStringList(c.stored));
  }
}

// A store that fails stops the receipt before the paper; the ticket, its
// number and the grant stay for another press.
TEST_F(Receipt, AFailedStorePrintsNothingAndKeepsTheTicket) {
  sales::frmSales& w = Sales();
  w.Show();
  signIn();
  kidsCut();
  press(w.cmdPrintRce1);  // ticket 1
  run(installFile("Ordr.mdb"),
      "CREATE TRIGGER refuse BEFORE INSERT ON tblDetail BEGIN SELECT RAISE(ABORT, 'refused'); END");
  shell::Security().chkItmDelSec.setTag("Allow");
  kidsCut();
  messages_->answer(forms::vbOK);
  press(w.cmdPrintRce1);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt, "The ticket was not stored: Ordr.mdb could not be written.");
  EXPECT_EQ(printed_.documents().size(), 1u);
  EXPECT_EQ(screen(), QStringList{"1 | Kids Cut | 18.00 | -"});
  EXPECT_EQ(w.cmbRept.Text() + "/" + w.cmbRept.Tag(), "1/");
  EXPECT_EQ(shell::Security().chkItmDelSec.Tag(), "Allow");
  EXPECT_EQ(count("tblDy_Order"), "1");

  run(installFile("Ordr.mdb"), "DROP TRIGGER refuse");
  press(w.cmdPrintRce1);
  EXPECT_EQ(printed_.documents().size(), 2u);
  EXPECT_EQ(lastPrinted()[4], "Check #: #2");
  EXPECT_EQ(shell::Security().chkItmDelSec.Tag(), "");
}

// A printer that takes nothing at all: the clerk is told, and the ticket is
// stored and cleared all the same.
TEST_F(Receipt, AReceiptThatCannotBePrintedIsTold) {
  RefusingPrinter refusing;
  sales::frmSales& w = Sales();
  w.Show();
  signIn();
  kidsCut();
  messages_->answer(forms::vbOK);
  press(w.cmdPrintRce1);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(
      messages_->shown()[0].prompt,
      "Ticket 1 is stored; its receipt could not be printed: no PDF file could be written in /nowhere (No "
      "space left on device)");
  EXPECT_EQ(count("tblDy_Order") + " " + count("tblDetail"), "1 1");
  EXPECT_EQ(screen(), QStringList());
}

// With "Print Orders w Employees ID:" ticked the receipt needs no stylist;
// unticked it asks, and prints once the stylist is found.
TEST_F(Receipt, TheStylistSwitch) {
  run(settingsFile(), "UPDATE tabPword SET szID_nu = 1");
  sales::frmSales& w = Sales();
  w.Show();
  kidsCut();
  press(w.cmdPrintRce1);
  ASSERT_EQ(printed_.documents().size(), 1u);
  EXPECT_EQ(lastPrinted()[7].toStdString(), "Server: ");

  shell::Security().chkEmplyID.setValue(0);
  kidsCut();
  promptAnswered("2345");
  press(w.cmdPrintRce1);
  EXPECT_TRUE(script_->done());
  ASSERT_EQ(printed_.documents().size(), 2u);
  EXPECT_EQ(lastPrinted()[7].toStdString(), "Server: Jules");
  EXPECT_EQ(field("2", "ID"), "Jules");
}

}  // namespace
