// The stylist's sign-in on the sales window: the lookup, the keypad it
// closes from inside the keypad's own step, the receipt waiting for the
// stylist, and the flashing prompt on an injected clock.
#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>

#include "sales/frmSales.h"
#include "shell/frmTakeOutPW.h"
#include "tests/sales/sales_fixture.h"

namespace {

using sales::Sales;
using shell::TakeOutPW;

class Stylist : public SalesFixture {
 protected:
  // The clerk clicks the stylist box and presses the keys on the keypad
  // ("E" Enter); the keypad must be closed afterwards.
  void signIn(const QString& keys) {
    script_->on(TakeOutPW(), [keys] {
      for (QChar k : keys) press(k == 'E' ? TakeOutPW().cmdEnter : TakeOutPW().comNumber(k.digitValue()));
    });
    click(Sales().txtWaiter);
    EXPECT_TRUE(script_->done()) << keys.toStdString();
    EXPECT_FALSE(TakeOutPW().IsLoaded()) << keys.toStdString();
  }
  QString headers() const { return value(installFile("Ordr.mdb"), "SELECT COUNT(*) FROM tblDy_Order"); }
  void ringKidsCut() {
    press(Sales().cmdDrink);
    press(Sales().command(3));
  }
};

TEST_F(Stylist, CodesLookedUpExactlyInTheStaffAsLoaded) {
  addStaff("4444", "First", "Level 1");
  addStaff("4444", "Second", "Level 1");
  addStaff("5'67", "Quinn", "Level 1");
  addStaff("0123", "Noor", "Level 1");
  sales::frmSales& w = Sales();
  w.Load();
  // Added after the window loaded: not found.
  addStaff("7777", "Late", "Level 1");
  const struct {
    const char* code;
    const char* lblID;   // before: the previous name
    const char* waiter;  // the box afterwards
    bool message;
  } cases[] = {
      // A text that signs nobody in leaves the box showing the code of the
      // stylist signed in, whose name stands beside it.
      {"3456", "Ines", "3456", false},  {"9999", "Ines", "3456", true},    {"4444", "First", "4444", false},
      {"5'67", "Quinn", "5'67", false}, {"1'OR'1", "Quinn", "5'67", true}, {"123", "Quinn", "5'67", false},
      {"0123", "Noor", "0123", false},  {"7777", "Noor", "0123", true},    {"abcd", "Noor", "0123", false},
  };
  for (const auto& c : cases) {
    if (c.message) messages_->answer(forms::vbOK);
    const size_t before = messages_->shown().size();
    w.txtWaiter.setText(c.code);
    EXPECT_EQ(w.lblID.Caption().toStdString(), c.lblID) << c.code;
    EXPECT_EQ(w.txtWaiter.Text().toStdString(), c.waiter) << c.code;
    ASSERT_EQ(messages_->shown().size(), before + (c.message ? 1 : 0)) << c.code;
    if (c.message) {
      EXPECT_EQ(messages_->shown().back().prompt, "ID not found. Please try again");
      EXPECT_EQ(messages_->shown().back().buttons, forms::vbOKOnly);
    }
    EXPECT_EQ(w.txtWaiter.PasswordChar(), "*");
  }
}

TEST_F(Stylist, OnTheKeypad) {
  sales::frmSales& w = Sales();
  w.Show();
  signIn("3456");
  EXPECT_EQ(w.lblID.Caption(), "Ines");
  EXPECT_EQ(w.Tag(), "Waiter");
  EXPECT_EQ(qobject_cast<QLineEdit*>(w.txtWaiter.widget())->displayText(), "****");

  // Four zeros are worth nothing: the keypad waits, and Enter's delivery is
  // not looked up.
  script_->on(TakeOutPW(), [] {
    for (int d : {0, 0, 0, 0}) press(TakeOutPW().comNumber(d));
    EXPECT_TRUE(TakeOutPW().IsLoaded());
    press(TakeOutPW().cmdEnter);
  });
  click(w.txtWaiter);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(w.txtWaiter.Text(), "3456");
  EXPECT_EQ(w.lblID.Caption(), "Ines");

  messages_->answer(forms::vbOK);
  signIn("9999");
  EXPECT_EQ(w.txtWaiter.Text(), "3456");
  EXPECT_EQ(w.lblID.Caption(), "Ines");
  ASSERT_EQ(messages_->shown().size(), 1u);
}

// A keypad closed without a whole known code leaves the sign-in as it was:
// the box shows the signed-in stylist's code or stays empty, and the receipt
// asks for a stylist when nobody is signed in.
TEST_F(Stylist, ACodeKeyedInPartLeavesTheSignInAsItWas) {
  const struct {
    const char* before;  // the code signed in first, if any
    const char* keys;
    bool message;
  } cases[] = {{"", "12E", false},   {"", "0000E", false},   {"", "E", false},
               {"", "9999", true},   {"3456", "12E", false}, {"3456", "0000E", false},
               {"3456", "E", false}, {"3456", "9999", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.before) + " then " + c.keys);
    unloadAllWindows();
    sales::frmSales& w = Sales();
    w.Show();
    if (*c.before) signIn(c.before);
    const QString name = w.lblID.Caption();
    if (c.message) messages_->answer(forms::vbOK);
    signIn(c.keys);
    EXPECT_EQ(w.txtWaiter.Text(), c.before);
    EXPECT_EQ(w.lblID.Caption(), name);

    // Receipt: stored with the stylist signed in; without one it asks (the
    // clerk closes the keypad) and stores nothing.
    qint64 now = 0;
    w.setWaitClock([&now] { return ++now; });
    ringKidsCut();
    if (!*c.before) script_->on(TakeOutPW(), [] { press(TakeOutPW().cmdEnter); });
    press(w.cmdPrintRce1);
    EXPECT_TRUE(script_->done());
    EXPECT_EQ(headers(), *c.before ? "1" : "0");
    EXPECT_EQ(value(installFile("Ordr.mdb"), "SELECT MAX(ID) FROM tblDy_Order"),
              *c.before ? "Ines" : "<null>");
    run(installFile("Ordr.mdb"), "DELETE FROM tblDy_Order");
  }
}

// A receipt waits for the keypad it opened and no longer: closed without a
// sign-in, it ends the receipt, and a later sign-in only signs in.
TEST_F(Stylist, AKeypadClosedWithoutASignInEndsTheWaitingReceipt) {
  for (const char* keys : {"E", "9999"}) {
    SCOPED_TRACE(keys);
    unloadAllWindows();
    run(installFile("Ordr.mdb"), "DELETE FROM tblDy_Order");
    sales::frmSales& w = Sales();
    w.Show();
    qint64 now = 0;
    w.setWaitClock([&now] { return ++now; });
    ringKidsCut();
    if (QString(keys) == "9999") messages_->answer(forms::vbOK);
    script_->on(TakeOutPW(), [keys] {
      for (QChar k : QString(keys))
        press(k == 'E' ? TakeOutPW().cmdEnter : TakeOutPW().comNumber(k.digitValue()));
    });
    press(w.cmdPrintRce1);
    EXPECT_TRUE(script_->done());
    EXPECT_EQ(w.txtWaiter.Tag(), "");
    ringKidsCut();
    signIn("3456");
    EXPECT_EQ(headers(), "0");
    EXPECT_FALSE(ticketLines(w.grdOrderItems).isEmpty());
    press(w.cmdPrintRce1);
    EXPECT_EQ(headers(), "1");
    EXPECT_EQ(value(installFile("Ordr.mdb"), "SELECT ID FROM tblDy_Order"), "Ines");
  }
}

// The lookup unloads the keypad while the keypad's own step that wrote the
// box is still running; Enter's own unload that follows does nothing.
TEST_F(Stylist, TheLookupClosesTheKeypadFromInsideItsOwnStep) {
  addStaff("0001", "Zoe", "Level 1");
  sales::frmSales& w = Sales();
  w.Show();
  signIn("2345");  // closed by the fourth digit's step
  EXPECT_EQ(w.lblID.Caption(), "Jules");
  signIn("0001E");  // closed by Enter's step
  EXPECT_EQ(w.lblID.Caption(), "Zoe");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(TakeOutPW().IsLoaded());
  EXPECT_EQ(TakeOutPW().window(), nullptr);
}

// The receipt that waited for the stylist runs once, on the code found.
TEST_F(Stylist, AWaitingReceiptRunsOnceTheStylistIsFound) {
  sales::frmSales& w = Sales();
  w.Show();
  ringKidsCut();
  w.txtWaiter.setTag("cmdPrintRce");
  signIn("3456");
  EXPECT_EQ(headers(), "1");
  EXPECT_EQ(w.txtWaiter.Tag(), "");
  EXPECT_EQ(ticketLines(w.grdOrderItems), QStringList());
  ringKidsCut();
  signIn("2345");
  EXPECT_EQ(headers(), "1");
  EXPECT_EQ(ticketLines(w.grdOrderItems).size(), 1);
}

// The prompt waits until more than one whole second has passed on a clock
// that never goes back (here across what would be midnight), the window
// working meanwhile; a second press during the wait starts no second prompt.
TEST_F(Stylist, ThePromptFlashesThenAsksAndNeverNests) {
  sales::frmSales& w = Sales();
  w.Show();
  qint64 now = 86399;
  int reads = 0;
  w.setWaitClock([&] {
    if (++reads % 3 == 0) ++now;
    return now;
  });
  ringKidsCut();
  bool flashed = false;
  QTimer::singleShot(0, [&] {
    flashed = w.cmdMsg1.Visible() && w.cmdMsg1.Width() == 1935 && w.cmdMsg1.Height() == 675;
    press(w.cmdPrintRce1);
  });
  qint64 askedAt = 0;
  script_->on(TakeOutPW(), [&] {
    askedAt = now;
    EXPECT_FALSE(w.cmdMsg1.Visible());
    EXPECT_EQ(TakeOutPW().lblTitle.Caption(), "Enter Your ID");
    for (int d : {3, 4, 5, 6}) press(TakeOutPW().comNumber(d));
  });
  press(w.cmdPrintRce1);
  EXPECT_TRUE(script_->done());
  EXPECT_TRUE(flashed);
  EXPECT_EQ(askedAt, 86401);
  EXPECT_EQ(headers(), "1");
  EXPECT_EQ(value(installFile("Ordr.mdb"), "SELECT ID FROM tblDy_Order"), "Ines");
}

}  // namespace
