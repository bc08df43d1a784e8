// The tender dialog driven as the clerk drives it: what it copies when it
// opens, the cents keypad, the change sums, the tender buttons, Submit and
// Back, the card modes and fields, and the Void lookup.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

#include "platform/forms/screen.h"
#include "tests/forms/drive.h"
#include "tests/forms/text_view.h"
#include "tests/tender/tender_fixture.h"

namespace {

using tender::frmTender;
using tender::Tender;

class TenderDialog : public TenderFixture {};

// ---- opening

TEST_F(TenderDialog, OpensOverTheSalesWindowWithItsTicketAndTheCardBoxFocused) {
  frmTender& w = open("1234.5");
  EXPECT_EQ(w.txtEmply.Text(), "Jules");
  EXPECT_EQ(w.txtInv.Text(), "17");
  EXPECT_EQ(w.txtEnding.Text(), "1,234.50");
  EXPECT_EQ(w.txtReturn.Text(), "");
  EXPECT_EQ(w.frame.Caption(), "Purchase");
  EXPECT_EQ(w.cmdNext.Caption(), "Process");  // activation
  EXPECT_EQ(w.BackColor(), forms::RGB(192, 255, 192));
  EXPECT_EQ(w.cmdPurchase.BackColor(), forms::RGB(192, 255, 192));
  EXPECT_EQ(w.cmdVoid.BackColor(), forms::vbWhite);
  EXPECT_EQ(w.window()->focusWidget(), w.txtCardNu.widget());
  // Borderless and centred on the screen, a window of its own.
  EXPECT_TRUE(w.window()->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_FALSE(w.MDIChild());
  EXPECT_EQ(w.Left(), (forms::Screen::Width() - 15360) / 2);
  // Hidden at load: the raw swipe, the folder, the Purchase column is not
  // applied (coupon box and Find stay hidden).
  for (forms::Control* c : std::initializer_list<forms::Control*>{
           &w.txtString, &w.Text1, &w.txtCoupon, &w.cmdEmpty1, &w.cmdFind, &w.txtApproval, &w.txtCardType})
    EXPECT_FALSE(c->Visible()) << c->Name().toStdString();
  EXPECT_EQ(w.datOrders.DatabaseName(), "C:\\Program Files\\Dovrel POS 4\\Ordr.mdb");
  EXPECT_TRUE(w.datOrders.IsOpen());
}

TEST_F(TenderDialog, TheTicketFileFollowsPlacementAndCheckBook) {
  struct Case {
    const char* placement;
    const char* checkBook;
    const char* file;
  } cases[] = {
      {"Single", "Check Book", "C:\\Program Files\\Dovrel POS 4\\Ordr.mdb"},
      {"Single", "Training Check Book", "C:\\Program Files\\Dovrel POS 4\\TOrdr.mdb"},
      {"File Sharing", "Check Book", "\\\\Server\\Dovrel POS 4\\Ordr.mdb"},
  };
  for (const Case& c : cases) {
    run(settingsFile(), "UPDATE tbSet SET SetC = ?, SetP = ?", {c.placement, "\\\\Server\\"});
    run(settingsFile(), "UPDATE tbReset SET Reset_txt = ?", {c.checkBook});
    unloadAllWindows();
    // The sales window of a server that is not there says so; the tender
    // dialog passes over a ticket file it cannot open.
    if (QString(c.placement) == "File Sharing") messages_->answer(forms::vbOK);
    frmTender& w = open();
    EXPECT_EQ(w.datOrders.DatabaseName().toStdString(), c.file) << c.placement << " / " << c.checkBook;
    unloadAllWindows();
  }
}

// ---- keypad

TEST_F(TenderDialog, TheKeypadCountsCentsIntoAmountsAndAppendsToTextBoxes) {
  struct Case {
    const char* why;
    std::function<void(TenderDialog&, frmTender&)> steps;
    forms::TextBox frmTender::*box;
    const char* shows;
  } cases[] = {
      {"one key", [](TenderDialog& t, frmTender&) { t.keypad({"1"}); }, &frmTender::txtGet, "0.01"},
      {"two keys",
       [](TenderDialog& t, frmTender&) {
         t.keypad({"1", "2"});
       },
       &frmTender::txtGet, "0.12"},
      {"three keys",
       [](TenderDialog& t, frmTender&) {
         t.keypad({"1", "2", "3"});
       },
       &frmTender::txtGet, "1.23"},
      {"then 00",
       [](TenderDialog& t, frmTender&) {
         t.keypad({"1", "2", "3", "00"});
       },
       &frmTender::txtGet, "123.00"},
      {"a click starts afresh",
       [](TenderDialog& t, frmTender& w) {
         t.keypad({"1", "2"});
         click(w.txtGet);
         t.keypad({"1"});
       },
       &frmTender::txtGet, "0.01"},
      {"the card prompt is replaced, then 00 appended",
       [](TenderDialog& t, frmTender& w) {
         click(w.txtCardNu);
         EXPECT_EQ(w.txtCardNu.Text(), "-- Swipe Credit Card --");
         EXPECT_EQ(w.txtCardNu.SelLength(), 23);
         t.keypad({"4", "5"});
         EXPECT_EQ(w.txtCardNu.Text(), "45");
         t.keypad({"00"});
       },
       &frmTender::txtCardNu, "4500"},
      {"after Cash the buffer goes on",
       [](TenderDialog& t, frmTender& w) {
         t.keypad({"1", "2"});
         press(w.cmdCash);
         EXPECT_EQ(w.txtGet.Text(), "51.60");
         t.keypad({"3"});
       },
       &frmTender::txtGet, "1.23"},
      {"the twelfth digit is ignored",
       [](TenderDialog& t, frmTender&) {
         t.keypad({"9", "9", "9", "9", "9", "9", "9", "9", "9", "9", "9"});
         t.keypad({"9"});
         t.keypad({"00"});
       },
       &frmTender::txtGet, "999,999,999.99"},
      {"a tip keyed",
       [](TenderDialog& t, frmTender& w) {
         click(w.txtTips);
         t.keypad({"5", "0", "0"});
       },
       &frmTender::txtTips, "5.00"},
      {"the expiry keyed",
       [](TenderDialog& t, frmTender& w) {
         click(w.txtExp);
         t.keypad({"1", "2", "2", "7"});
       },
       &frmTender::txtExp, "1227"},
  };
  for (const Case& c : cases) {
    frmTender& w = open();
    c.steps(*this, w);
    EXPECT_EQ(((w).*(c.box)).Text().toStdString(), c.shows) << c.why;
    unloadAllWindows();
  }
}

// ---- change sums

TEST_F(TenderDialog, TheChangeIsWorkedOutExactlyAfterEveryAmount) {
  struct Case {
    const char* why;
    const char* due;
    std::function<void(TenderDialog&, frmTender&)> steps;
    const char* change;
  } cases[] = {
      {"tender over the amount due", "1,234.50",
       [](TenderDialog& t, frmTender&) {
         t.keypad({"1", "3", "0", "0", "0", "0"});
       },
       "65.50"},
      {"a tip makes a balance due", "20.00",
       [](TenderDialog& t, frmTender& w) {
         click(w.txtTips);
         t.keypad({"5", "0", "0"});
         click(w.txtGet);
         t.keypad({"2", "0", "0", "0"});
       },
       "-5.00"},
      {"coupon and tender", "20.00",
       [](TenderDialog& t, frmTender& w) {
         press(w.cmdCoupon);
         t.keypad({"5", "0", "0"});
         click(w.txtGet);
         t.keypad({"1", "5", "0", "0"});
       },
       "0.00"},
      {"a card logo and then a tip", "20.00",
       [](TenderDialog& t, frmTender& w) {
         press(w.cmdVisa1);
         EXPECT_EQ(w.txtReturn.Text(), "0.00");
         click(w.txtTips);
         t.keypad({"5", "0", "0"});
       },
       "-25.00"},
      {"no floating-point residue", "35.10",
       [](TenderDialog& t, frmTender& w) {
         click(w.txtTips);
         t.keypad({"2", "0"});
         click(w.txtGet);
         t.keypad({"3", "5", "3", "0"});
       },
       "0.00"},
      {"a gift card", "20.00",
       [](TenderDialog& t, frmTender& w) {
         type(w.txtGiftCards, "12.5");
         click(w.txtGet);
         t.keypad({"7", "5", "0"});
       },
       "0.00"},
      {"the amount due keyed after the tender", "20.00",
       [](TenderDialog& t, frmTender& w) {
         t.keypad({"2", "0", "0", "0"});
         click(w.txtEnding);
         t.keypad({"5", "0", "0", "0"});
       },
       "-30.00"},
      {"the amount due keyed after a card logo", "20.00",
       [](TenderDialog& t, frmTender& w) {
         press(w.cmdVisa1);
         click(w.txtEnding);
         t.keypad({"5", "0", "0", "0"});
       },
       "0.00"},
      {"an amount beyond range empties the change box", "20.00",
       [](TenderDialog&, frmTender& w) { w.txtGet.setText("99999999999999999999"); }, ""},
  };
  for (const Case& c : cases) {
    frmTender& w = open(c.due);
    c.steps(*this, w);
    EXPECT_EQ(w.txtReturn.Text().toStdString(), c.change) << c.why;
    unloadAllWindows();
  }
}

// Submit hands back only a tender that covers the amount due with the tip,
// and says what is still due.
TEST_F(TenderDialog, SubmitRefusesABalanceDue) {
  frmTender& w = open("20.00");
  messages_->answer(forms::vbOK);
  press(w.cmdNext);  // nothing tendered yet
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt, "Balance of -20.00 Due.");
  EXPECT_EQ(messages_->shown()[0].buttons, forms::vbOKOnly);

  click(w.txtTips);
  keypad({"5", "0", "0"});
  click(w.txtGet);
  keypad({"2", "0", "0", "0"});
  w.txtZip.SetFocus();
  messages_->answer(forms::vbOK);
  press(w.cmdNext);
  EXPECT_EQ(messages_->shown().back().prompt, "Balance of -5.00 Due.");
  EXPECT_TRUE(w.IsLoaded());
  EXPECT_EQ(w.window()->focusWidget(), w.txtGet.widget());
  EXPECT_EQ(sales::Sales().txtGet.Text(), "");
}

TEST_F(TenderDialog, SubmitHandsTheTenderBackAsACardOnlyWhenItIsOne) {
  sales::frmSales& sales = sales::Sales();
  struct Case {
    const char* why;
    std::function<void(frmTender&)> steps;
    const char* text;
    const char* tag;
    const char* change;  // the sales window's
  } cases[] = {
      {"cash", [](frmTender& w) { press(w.cmdCash); }, "51.60", "", "0.00"},
      {"a card logo", [](frmTender& w) { press(w.cmdMaster1); }, "Master", "Card", "0.00"},
      {"cash after a card logo",
       [](frmTender& w) {
         press(w.cmdAmex1);
         press(w.cmdCash);
       },
       "51.60", "", "0.00"},
      {"coupon and cash",
       [](frmTender& w) {
         press(w.cmdCoupon);
         for (int d : {1, 6, 0}) press(w.comNumber(d));
         click(w.txtGet);
         for (int d : {5, 0, 0, 0}) press(w.comNumber(d));
       },
       "50.00", "", "0.00"},
  };
  for (const Case& c : cases) {
    sales.txtGet.setTag("Card");  // a card tender left from before
    sales.txtGet.setText("");
    frmTender& w = open();
    c.steps(w);
    press(w.cmdNext);
    EXPECT_FALSE(w.IsLoaded()) << c.why;
    EXPECT_EQ(sales.txtGet.Text().toStdString(), c.text) << c.why;
    EXPECT_EQ(sales.txtGet.Tag().toStdString(), c.tag) << c.why;
    EXPECT_EQ(sales.txtReturn.Text().toStdString(), c.change) << c.why;
    EXPECT_TRUE(bridge_.calls.empty()) << c.why;
  }
}

TEST_F(TenderDialog, ACardLogoHandsItsBrandOverAtOnceAndBackKeepsIt) {
  sales::frmSales& sales = sales::Sales();
  sales.txtGet.setText("10.00");
  frmTender& w = open();
  press(w.cmdDiscover1);
  EXPECT_EQ(w.txtGet.Text(), "Discover");
  EXPECT_EQ(w.cmdNext.Tag(), "Card");
  EXPECT_EQ(sales.txtGet.Text(), "Discover");
  EXPECT_EQ(sales.txtGet.Tag(), "Card");
  EXPECT_EQ(sales.txtReturn.Text(), "0.00");
  press(w.cmdClose);
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_EQ(sales.txtGet.Text(), "Discover");
  EXPECT_EQ(sales.txtGet.Tag(), "Card");
}

TEST_F(TenderDialog, TheTenderAndTipBoxesTakeOnlyDigitsPointAndBackspace) {
  frmTender& w = open();
  w.txtGet.SetFocus();
  type(w.txtGet, "a5");
  EXPECT_EQ(w.txtGet.Text(), "5.00");  // re-formatted at every key
  type(w.txtTips, "x1.5");
  EXPECT_EQ(w.txtTips.Text(), "1.50");  // the tip too
  type(w.txtZip, "A1B");                // other boxes take any key
  EXPECT_EQ(w.txtZip.Text(), "A1B");
}

// The tender and amount-due boxes re-format at every key; what was typed keeps
// its order, so the change is worked out from the amount the clerk typed.
TEST_F(TenderDialog, AnAmountTypedIntoAReformattingBoxKeepsItsDigitsInOrder) {
  frmTender& w = open("37.63");
  const struct {
    forms::TextBox* box;
    const char* keys;
    const char* shown;
  } amounts[] = {{&w.txtGet, "25", "25.00"},
                 {&w.txtGet, "1250", "1,250.00"},
                 {&w.txtEnding, "50", "50.00"},
                 {&w.txtEnding, "1234", "1,234.00"}};
  for (const auto& a : amounts) {
    SCOPED_TRACE(a.keys);
    a.box->setText(QString());
    a.box->SetFocus();
    type(*a.box, a.keys);
    EXPECT_EQ(a.box->Text(), a.shown);
  }
  w.txtGet.setText(QString());
  w.txtEnding.setText("37.63");
  w.txtGet.SetFocus();
  type(w.txtGet, "40");
  EXPECT_EQ(w.txtReturn.Text(), "2.37");
}

// A point typed into a re-formatting amount box goes past the box's own
// point, and the digits after it fill the cents in place; at no key does the
// box hold a text that is not an amount.
TEST_F(TenderDialog, APointTypedIntoAnAmountBoxLeadsToItsCents) {
  frmTender& w = open("37.63");
  const QRegularExpression amount("^(\\d{1,3}(,\\d{3})*\\.\\d\\d)?$");
  const struct {
    QStringList keys;
    const char* shown;
  } cases[] = {
      {{"2", "5", ".", "5"}, "25.50"},
      {{"2", "5", ".", "5", "0"}, "25.50"},
      {{"3", "7", ".", "6", "3"}, "37.63"},
      {{"1", ".", ".", "5"}, "1.50"},  // a second point does nothing
      {{"2", "5", ".", "5", "0", ".", "9"}, "25.50"},
      {{"0", ".", "0", "5"}, "0.05"},
      {{".", "5"}, "0.50"},                 // a point into the empty box
      {{"2", ".", "5", "0", "5"}, "2.50"},  // no third decimal
      {{"2", "5", ".", "5", "{BS}", "7"}, "25.70"},
      {{"2", "5", ".", "{BS}", "{BS}"}, "2.00"},  // Backspace steps back over the point
  };
  for (forms::TextBox* box : {&w.txtGet, &w.txtEnding, &w.txtTips}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(box->Name().toStdString() + " " + c.keys.join("").toStdString());
      box->setText(QString());
      box->SetFocus();
      for (const QString& key : c.keys) {
        forms::SendKeys(key);
        EXPECT_TRUE(amount.match(box->Text()).hasMatch()) << box->Text().toStdString();
      }
      EXPECT_EQ(box->Text(), c.shown);
    }
  }
}

// An amount box holds an amount however a text comes into it: a pasted or
// dropped text that is no amount ("1.11.5.00") leaves the box as it was, an
// amount is taken and formatted; typing, like the keypad, takes at most
// eleven digits (999,999,999.99).
TEST_F(TenderDialog, AnAmountBoxHoldsAnAmountHoweverTheTextArrives) {
  frmTender& w = open("37.63");
  w.txtCoupon.setVisible(true);
  w.txtGiftCards.setVisible(true);
  const struct {
    forms::TextBox* box;
    bool keyFilter;     // its KeyPress takes only digits, the point and Backspace (not Ctrl+V)
    const char* taken;  // "25.5" pasted
    const char* typed;  // "123456789012.999" typed
  } boxes[] = {
      {&w.txtGet, true, "25.50", "123,456,789.99"},    {&w.txtEnding, true, "25.50", "123,456,789.99"},
      {&w.txtTips, true, "25.50", "123456789.99"},     {&w.txtCoupon, true, "25.5", "123456789.99"},
      {&w.txtGiftCards, true, "25.5", "123456789.99"},
  };
  for (const auto& b : boxes) {
    for (const drive::Arrival how : drive::kArrivals) {
      SCOPED_TRACE(b.box->Name().toStdString() + ", " + drive::arrivalName(how));
      b.box->setText("5.00");
      b.box->setSelStart(0);
      drive::arrive(*b.box, "1.11.5.00", how);
      EXPECT_EQ(b.box->Text().toStdString(), "5.00");
      b.box->setText(QString());
      drive::arrive(*b.box, "1,234,567,890.00", how);
      EXPECT_EQ(b.box->Text().toStdString(), "") << "twelve digits";
      drive::arrive(*b.box, "25.5", how);
      EXPECT_EQ(b.box->Text().toStdString(), b.keyFilter && how == drive::Arrival::CtrlV ? "" : b.taken);
    }
    SCOPED_TRACE(b.box->Name().toStdString() + ", typed");
    b.box->setText(QString());
    b.box->SetFocus();
    type(*b.box, "123456789012.999");
    EXPECT_EQ(b.box->Text().toStdString(), b.typed);
  }
}

// What the clerk typed reaches the sales window as the amount typed; a tender
// that is not an amount never does.
TEST_F(TenderDialog, TheTenderTypedIsHandedOverAsAnAmount) {
  sales::frmSales& sales = sales::Sales();
  const struct {
    const char* due;
    const char* keys;
    const char* handed;
    const char* change;  // the sales window's
  } cases[] = {{"25.50", "25.5", "25.50", "0.00"},
               {"37.63", "37.63", "37.63", "0.00"},
               {"1.00", "1..5", "1.50", "0.50"},
               {"0.05", "0.05", "0.05", "0.00"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    sales.txtGet.setText(QString());
    frmTender& w = open(c.due);
    w.txtGet.SetFocus();
    type(w.txtGet, c.keys);
    press(w.cmdNext);
    EXPECT_FALSE(w.IsLoaded());
    EXPECT_EQ(sales.txtGet.Text().toStdString(), c.handed);
    EXPECT_EQ(sales.txtReturn.Text().toStdString(), c.change);
  }

  // A ticket stored with such a tender, found by the Void lookup.
  run(installFile("Ordr.mdb"), "INSERT INTO tblDy_Order (Inv, Total, Receive) VALUES (?, ?, ?)",
      {"31", "25.50", "25.50.00"});
  sales.txtGet.setText(QString());
  frmTender& w = open();
  press(w.cmdVoid);
  click(w.txtInv);
  type(w.txtInv, "31");
  press(w.cmdFind);
  ASSERT_EQ(w.txtGet.Text(), "25.50.00");
  messages_->answer(forms::vbOK);
  press(w.cmdNext);  // a void hands nothing back
  messages_->answer(forms::vbOK);
  press(w.cmdPurchase);
  press(w.cmdNext);
  ASSERT_EQ(messages_->shown().size(), 2u);
  EXPECT_EQ(messages_->shown()[0].prompt,
            "A void runs no card transaction. To give money back to the card, run a Return.");
  EXPECT_EQ(messages_->shown()[1].prompt, "The tender 25.50.00 is not an amount. Please key it again.");
  EXPECT_TRUE(w.IsLoaded());
  EXPECT_EQ(sales.txtGet.Text(), "");
}

TEST_F(TenderDialog, TheCouponAndGiftCardBoxesOpenAndEmpty) {
  frmTender& w = open("20.00");
  EXPECT_EQ(w.cmdGiftCards.Width(), 3735);
  type(w.txtGiftCards, "5");
  EXPECT_EQ(w.cmdGiftCards.Width(), 1215);
  EXPECT_TRUE(w.cmdEmpty2.Visible());
  press(w.cmdEmpty2);
  EXPECT_EQ(w.txtGiftCards.Text(), "");
  EXPECT_EQ(w.cmdGiftCards.Width(), 3735);
  EXPECT_FALSE(w.cmdEmpty2.Visible());

  press(w.cmdCoupon);
  EXPECT_TRUE(w.txtCoupon.Visible() && w.cmdEmpty1.Visible());
  EXPECT_EQ(w.cmdCoupon.Width(), 1215);
  EXPECT_EQ(w.cmdNext.Tag(), "Coupon");
  keypad({"2", "5", "0"});
  EXPECT_EQ(w.txtCoupon.Text(), "2.50");
  press(w.cmdEmpty1);
  EXPECT_EQ(w.txtCoupon.Text(), "");

  keypad({"1"});  // the coupon's Empty leaves the buffer: it goes on
  EXPECT_EQ(w.txtCoupon.Text(), "25.01");
  press(w.cmdTips);
  click(w.txtTips);
  keypad({"1"});
  press(w.cmdTips);
  EXPECT_EQ(w.txtTips.Text(), "");
}

// ---- what the boxes show

// Eleven digits are the most the keypad takes. Every amount box shows such an
// amount whole, the change box too, in a smaller face where it needs one; the
// clerk's name shows whole as well.
TEST_F(TenderDialog, EveryAmountBoxShowsElevenDigitsWhole) {
  sales::Sales().lblID.setCaption(QStringLiteral("Alexandra"));
  frmTender& w = open("999999999.99");
  const QStringList eleven(11, QStringLiteral("9"));
  keypad(eleven);
  click(w.txtTips);
  keypad(eleven);
  press(w.cmdCoupon);
  keypad(eleven);
  type(w.txtGiftCards, "999999999.99");
  EXPECT_EQ(w.txtReturn.Text(), "999,999,999.99");
  for (forms::TextBox* box :
       {&w.txtEnding, &w.txtGet, &w.txtTips, &w.txtCoupon, &w.txtGiftCards, &w.txtReturn, &w.txtEmply})
    EXPECT_TRUE(textview::showsWhole(*box)) << box->Name().toStdString() << ": " << box->Text().toStdString();
  EXPECT_EQ(w.txtEnding.FontSize(), 21.75);  // the design face stays the box's font
  EXPECT_EQ(w.txtReturn.Width(), 6135);
}

// ---- modes

TEST_F(TenderDialog, EachModeShowsItsFieldsAndKeepsWhatItDoesNotName) {
  frmTender& w = open();
  press(w.cmdVoid);
  EXPECT_EQ(w.frame.Caption(), "Void");
  EXPECT_EQ(w.cmdVoid.BackColor(), forms::RGB(192, 255, 192));
  EXPECT_EQ(w.cmdPurchase.BackColor(), forms::vbWhite);
  EXPECT_TRUE(w.cmdFind.Visible());
  EXPECT_FALSE(w.txtCardNu.Enabled() || w.txtExp.Enabled());
  press(w.cmdReturn);
  // Return does not name the tender box, Cash, its Empty or "Tender:".
  for (forms::Control* c :
       std::initializer_list<forms::Control*>{&w.txtGet, &w.cmdCash, &w.cmdEmpty, &w.Label1})
    EXPECT_FALSE(c->Visible()) << c->Name().toStdString();
  EXPECT_TRUE(w.txtCardNu.Enabled());
  EXPECT_FALSE(w.cmdFind.Visible() || w.txtTips.Visible() || w.txtZip.Visible());

  press(w.cmdForce);
  EXPECT_TRUE(w.txtApproval.Visible() && w.lblApproval.Visible());
  EXPECT_FALSE(w.txtAddress.Visible() || w.txtCVC.Visible());
  press(w.cmdPre);
  EXPECT_EQ(w.frame.Caption(), "Pre-Authorization");
  EXPECT_FALSE(w.txtApproval.Visible());
  for (forms::Control* c :
       std::initializer_list<forms::Control*>{&w.txtAddress, &w.lblAddress, &w.txtZip, &w.lblZip, &w.txtCVC,
                                              &w.lblCVC, &w.txtGet, &w.txtTips, &w.txtCoupon})
    EXPECT_TRUE(c->Visible()) << c->Name().toStdString();
  EXPECT_FALSE(w.Label1.Visible());  // hidden until the dialog opens again

  // The tips box chooses Force when an approval code is there.
  w.txtApproval.setText("A1");
  click(w.txtTips);
  EXPECT_EQ(w.frame.Caption(), "Force");
}

TEST_F(TenderDialog, TheCardNumbersFirstCharacterShowsItsBrand) {
  struct Case {
    const char* number;
    const char* type;
    forms::CommandButton frmTender::*logo;
    int marker;
  } cases[] = {
      {"371449635398431", "AMEX", &frmTender::cmdAmEx, 8640},
      {"4242424242424242", "VISA", &frmTender::cmdVisa, 5880},
      {"5555555555554444", "Master", &frmTender::cmdMaster, 7200},
      {"6011111111111117", "Discover", &frmTender::cmdDiscover, 10080},
      {"7000", "", nullptr, 0},
      {"", "", nullptr, 0},
      {"-- Swipe Credit Card --", "", nullptr, 0},
      {"%B4242424242424242^A^2512", "", nullptr, 0},
      {";4242424242424242=2512", "", nullptr, 0},  // track 2 alone
  };
  frmTender& w = open();
  for (const Case& c : cases) {
    w.txtCardNu.setText(c.number);
    EXPECT_EQ(w.txtCardType.Text().toStdString(), c.type) << c.number;
    const bool known = c.logo != nullptr;
    for (auto logo :
         {&frmTender::cmdAmEx, &frmTender::cmdVisa, &frmTender::cmdMaster, &frmTender::cmdDiscover})
      EXPECT_EQ((w.*logo).Visible(), logo == c.logo) << c.number << " " << (w.*logo).Name().toStdString();
    EXPECT_EQ(w.lblCard.Visible(), known) << c.number;
    if (known) {
      EXPECT_EQ(w.lblCard.Left(), c.marker) << c.number;
    }
    EXPECT_EQ(w.ImgVantix.Visible(), known) << c.number;
    EXPECT_EQ(w.txtAnswer.Visible(), known) << c.number;
    EXPECT_EQ(w.cmdNext.Caption(), known ? "Process" : "Submit") << c.number;
    // A swipe being read shows masked.
    EXPECT_EQ(w.txtCardNu.PasswordChar(), QString(c.number).contains(QRegularExpression("[%;]")) ? "*" : "")
        << c.number;
  }
  w.txtCardNu.setText("4242424242424242");
  w.txtExp.setText("1227");
  w.txtZip.setText("02110");
  press(w.cmdVisa);  // the recognised logo clears the card fields
  EXPECT_EQ(w.txtCardNu.Text() + w.txtExp.Text() + w.txtZip.Text() + w.txtCardType.Text(), "");
  EXPECT_FALSE(w.cmdVisa.Visible());
  EXPECT_EQ(w.cmdNext.Caption(), "Submit");
}

TEST_F(TenderDialog, EnterRunsNoTransactionWithoutASwipeAndNeverPressesSubmit) {
  frmTender& w = open();
  w.txtCardNu.setText("4242424242424242");
  pressEnter(w.txtCardNu);
  press(w.cmdCash);  // the focus is on Submit now
  ASSERT_EQ(w.window()->focusWidget(), w.cmdNext.widget());
  pressEnter(w.cmdNext);
  EXPECT_TRUE(w.IsLoaded());
  EXPECT_TRUE(bridge_.calls.empty());
  EXPECT_EQ(creations_, 0);
}

// ---- the Void lookup

TEST_F(TenderDialog, TheVoidLookupFillsCardAndAmountsFromAStoredTicket) {
  const QString tickets = installFile("Ordr.mdb");
  const char* insert =
      "INSERT INTO tblDy_Order (Inv, Total, Receive, szNumber_Card, szExp_Card) VALUES (?, ?, ?, ?, ?)";
  run(tickets, insert, {"21", "60.00", "60.00", "4111111111111111", "1226"});
  run(tickets, insert, {"22", "18.50", "0", "5555555555554444", "0727"});
  run(tickets, insert, {"2'3", "7.00", "7.00", QVariant(), QVariant()});
  struct Case {
    const char* inv;
    const char* card;
    const char* exp;
    const char* due;
    const char* tender;
  } cases[] = {
      {"21", "4111111111111111", "1226", "60.00", "60.00"},  // paid: the tender box too
      {"22", "5555555555554444", "0727", "18.50", ""},       // Receive "0": not paid
      {"99", "", "", "", ""},                                // not stored: nothing changes
      {"2'3", "", "", "7.00", "7.00"},                       // a quote is only a character
  };
  for (const Case& c : cases) {
    frmTender& w = open();
    press(w.cmdVoid);
    click(w.txtInv);
    type(w.txtInv, c.inv);
    press(w.cmdFind);
    EXPECT_EQ(w.txtCardNu.Text().toStdString(), c.card) << c.inv;
    EXPECT_EQ(w.txtExp.Text().toStdString(), c.exp) << c.inv;
    EXPECT_EQ(w.txtEnding.Text().toStdString(), c.due) << c.inv;
    EXPECT_EQ(w.txtGet.Text().toStdString(), c.tender) << c.inv;
    EXPECT_EQ(w.datOrders.RecordSource(), "SELECT * FROM tblDy_Order ORDER BY Inv ASC");
    unloadAllWindows();
  }
}

}  // namespace
