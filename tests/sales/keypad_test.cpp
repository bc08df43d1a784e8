// The keypad: where each entry goes by the sales window's tag and a pending
// deletion, the manager check, and the keypad closed from inside its own step.
#include <QLineEdit>
#include <cmath>

#include "platform/forms/screen.h"
#include "sales/frmSales.h"
#include "shell/Module1.h"
#include "shell/frmNWSetin.h"
#include "shell/frmSecurity.h"
#include "shell/frmTakeOutPW.h"
#include "tender/frmRemoving.h"
#include "tests/fifo_port.h"
#include "tests/sales/sales_fixture.h"

namespace {

using shell::TakeOutPW;

// Stands in for the sales window: the keypad's mode in its tag, the boxes it
// delivers into (each write recorded) and the grid whose tag marks a deletion.
class frmCounter : public forms::Form {
 public:
  frmCounter() : Form("frmCounter") {
    for (forms::TextBox* box : {&txtWaiter, &txtQty, &txtPercent})
      box->onChange = [this, box] { writes << box->Name() + "=" + box->Text(); };
  }
  forms::TextBox txtWaiter{this, "txtWaiter"};
  forms::TextBox txtQty{this, "txtQty"};
  forms::TextBox txtPercent{this, "txtPercent"};
  forms::MSFlexGrid grdOrderItems{this, "grdOrderItems"};
  QStringList writes;
};

class Keypad : public SalesFixture {
 protected:
  void SetUp() override {
    SalesFixture::SetUp();
    shell::setKeypadSalesControls([this] {
      return shell::KeypadSalesControls{&*counter_, &counter_->txtWaiter, &counter_->txtQty,
                                        &counter_->txtPercent, &counter_->grdOrderItems};
    });
  }
  void TearDown() override {
    SalesFixture::TearDown();
    shell::setKeypadSalesControls({});
  }

  // Opens the keypad afresh for a sales tag and a grid tag.
  void open(const QString& salesTag, const QString& gridTag) {
    unloadAllWindows();
    counter_->writes.clear();
    counter_->setTag(salesTag);
    counter_->grdOrderItems.setTag(gridTag);
    TakeOutPW().Show();
  }
  // Keys as the clerk presses them: digits, "D" Delete, "E" Enter.
  static void keys(const QString& keys) {
    for (QChar k : keys) {
      if (k == 'E')
        press(TakeOutPW().cmdEnter);
      else if (k == 'D')
        press(TakeOutPW().Del);
      else
        press(TakeOutPW().comNumber(k.digitValue()));
    }
  }
  static QString grant() {
    return shell::Security().IsLoaded() ? shell::Security().chkItmDelSec.Tag() : QString("<not loaded>");
  }
  static QString manager() {
    return tender::Removing().IsLoaded() ? tender::Removing().txtManager.Text() : QString("<not loaded>");
  }

  forms::Instance<frmCounter> counter_;
};

TEST_F(Keypad, EachEntryGoesWhereTheTagsSendIt) {
  const int movedLeft = int(std::lround((forms::Screen::Width() - 4560) / 5.0));
  const int movedTop = int(std::lround((forms::Screen::Height() - 4335) / 1.2));
  const struct {
    const char* salesTag;
    const char* gridTag;
    const char* keys;
    QStringList writes;
    bool open;
    const char* title;
    const char* mask;  // after the first digit
  } cases[] = {
      {"Qty", "", "5", {}, true, "Enter Your Quantity", ""},
      {"Qty", "", "5E", {"txtQty=5"}, false, "Enter Your Quantity", ""},
      {"Qty", "", "12", {"txtQty=12"}, false, "Enter Your Quantity", ""},
      {"Qty", "", "01", {}, true, "Enter Your Quantity", ""},
      {"Qty", "", "01E", {"txtQty=01"}, false, "Enter Your Quantity", ""},
      {"Percent", "", "50", {"txtPercent=50"}, false, "Sales Percentage", ""},
      {"Waiter", "", "345", {}, true, "Enter Your ID", "*"},
      {"Waiter", "", "3456", {"txtWaiter=3456"}, true, "Enter Your ID", "*"},
      {"Waiter", "", "34567", {"txtWaiter=3456", "txtWaiter=34567"}, true, "Enter Your ID", "*"},
      {"Waiter", "", "0001", {}, true, "Enter Your ID", "*"},
      {"Waiter", "", "0001E", {"txtWaiter=0001"}, false, "Enter Your ID", "*"},
      // The manager check: 3456 is a stylist's code.
      {"Tip", "", "3456", {}, false, "Enter Tip Percentage", ""},
      {"Tip", "", "12E", {}, false, "Enter Tip Percentage", ""},
      {"", "", "3456", {}, false, "Enter ID", ""},
      {"HS", "", "3456", {}, false, "Enter ID", ""},
      // A pending deletion goes to the manager check whatever the tag.
      {"Waiter", "DelItems", "3456", {}, true, "Enter Your ID", "*"},
      {"Waiter", "DelItems", "3456E", {}, false, "Enter Your ID", "*"},
      {"Qty", "DelItems", "12", {}, true, "Enter Your Quantity", ""},
      {"Percent", "DelItems", "2345", {}, false, "Sales Percentage", ""},
  };
  for (const auto& c : cases) {
    const std::string label = std::string(c.salesTag) + " " + c.gridTag + " " + c.keys;
    open(c.salesTag, c.gridTag);
    EXPECT_EQ(TakeOutPW().lblTitle.Caption().toStdString(), c.title) << label;
    const bool moved = *c.salesTag != '\0';
    EXPECT_EQ(TakeOutPW().Left(), moved ? movedLeft : 0) << label;
    EXPECT_EQ(TakeOutPW().Top(), moved ? movedTop : 0) << label;
    const QString k = c.keys;
    keys(k.left(1));
    if (k[0] != 'E') {
      EXPECT_EQ(TakeOutPW().txtPassword.PasswordChar().toStdString(), c.mask) << label;
    }
    keys(k.mid(1));
    EXPECT_EQ(counter_->writes, c.writes) << label;
    EXPECT_EQ(TakeOutPW().IsLoaded(), c.open) << label;
    if (c.open && QString(c.mask) == "*") {
      auto* edit = qobject_cast<QLineEdit*>(TakeOutPW().txtPassword.widget());
      ASSERT_NE(edit, nullptr);
      EXPECT_EQ(edit->displayText(), QString(k.size(), '*')) << label;
    }
  }
}

TEST_F(Keypad, ManagerCheck) {
  // A manager whose code begins with a stylist's code, and stands before it.
  addStaff("56789", "Boss", "Level 3");
  addStaff("5678", "Kim", "Level 1");
  // The drawer's port, as the printer window reads it.
  FifoPort drawer(root_.filePath("drawer").toStdString());
  ASSERT_TRUE(drawer.ok());
  run(settingsFile(), "UPDATE tbSet SET Port6 = ?", {QString::fromStdString(drawer.path())});
  const struct {
    const char* keys;
    const char* typed;  // typed into the entry box after the keys
    bool deletion;
    bool open;
    const char* grant;
    const char* manager;
    bool kick;
  } cases[] = {
      {"1234", "", true, false, "Allow", "Mara", false},
      {"2345", "", true, false, "Allow", "Jules", false},
      {"3456", "", true, true, "<not loaded>", "<not loaded>", false},
      {"3456D2345", "", true, false, "Allow", "Jules", false},
      {"56789", "", true, false, "Allow", "Boss", false},
      {"5678", "", true, true, "<not loaded>", "<not loaded>", false},  // the whole code: Kim, not Boss
      {"9999", "", true, false, "<not loaded>", "<not loaded>", false},
      {"0001", "", true, true, "<not loaded>", "<not loaded>", false},
      {"", "12*4", true, false, "<not loaded>", "<not loaded>", false},
      {"", "9'OR'1", true, false, "<not loaded>", "<not loaded>", false},
      {"", "1'OR'", true, true, "<not loaded>", "<not loaded>", false},  // worth 1: not looked up
      {"1234", "", false, false, "<not loaded>", "<not loaded>", true},
      {"2345", "", false, false, "<not loaded>", "<not loaded>", true},
      {"", "56789", false, false, "<not loaded>", "<not loaded>", true},
      {"5678", "", false, false, "<not loaded>", "<not loaded>", false},  // Kim closes it at the fourth digit
      {"3456", "", false, false, "<not loaded>", "<not loaded>", false},
      {"9999", "", false, false, "<not loaded>", "<not loaded>", false},
      {"0001", "", false, true, "<not loaded>", "<not loaded>", false},
  };
  for (const auto& c : cases) {
    const std::string label = std::string(c.keys) + c.typed + (c.deletion ? " deletion" : "");
    // With a deletion pending the stylist's tag does not matter.
    open(c.deletion ? "Waiter" : "HS", c.deletion ? "DelItems" : "");
    keys(c.keys);
    if (*c.typed) TakeOutPW().txtPassword.setText(c.typed);
    EXPECT_EQ(TakeOutPW().IsLoaded(), c.open) << label;
    EXPECT_EQ(grant().toStdString(), c.grant) << label;
    EXPECT_EQ(manager().toStdString(), c.manager) << label;
    if (tender::Removing().IsLoaded()) {
      EXPECT_FALSE(tender::Removing().Visible()) << label;
    }
    // An approval empties the mark; so does a keypad that closes without one.
    EXPECT_EQ(counter_->grdOrderItems.Tag().toStdString(), c.deletion && c.open ? "DelItems" : "") << label;
    EXPECT_TRUE(counter_->writes.isEmpty()) << label;
    EXPECT_EQ(drawer.taken(), c.kick ? shell::kDrawerPulse : std::string()) << label;
  }
}

TEST_F(Keypad, AStaffFileThatIsNotPlacedApprovesNobody) {
  FifoPort drawer(root_.filePath("drawer").toStdString());
  ASSERT_TRUE(drawer.ok());
  run(settingsFile(), "UPDATE tbSet SET SetC = 'Elsewhere', Port6 = ?",
      {QString::fromStdString(drawer.path())});
  open("", "DelItems");
  keys("1234");
  EXPECT_TRUE(TakeOutPW().IsLoaded()) << "with a deletion pending the keypad waits";
  EXPECT_FALSE(shell::Security().IsLoaded());
  keys("E");
  EXPECT_EQ(counter_->grdOrderItems.Tag(), "");
  open("", "");
  keys("1234");
  EXPECT_FALSE(TakeOutPW().IsLoaded());
  EXPECT_EQ(drawer.taken(), "");
}

TEST_F(Keypad, TheManagersNameStaysUntilTheRemovalDialogUnloads) {
  open("", "DelItems");
  keys("1234");
  ASSERT_EQ(manager(), "Mara");
  // A later opening that approves nothing leaves it.
  TakeOutPW().Show();
  keys("3456");
  EXPECT_EQ(manager(), "Mara");
  forms::Unload(tender::Removing());
  EXPECT_EQ(manager(), "<not loaded>");
}

// A digit key typed while a digit button has the focus presses that digit,
// every digit included; any other key, or the focus elsewhere, does nothing.
TEST_F(Keypad, KeyPressNumericValid) {
  open("HS", "");
  TakeOutPW().comNumber(4).SetFocus();
  for (int key : {int('0'), int('9'), int('.'), 8, int('a')})
    EXPECT_FALSE(TakeOutPW().KeyPressNumericValid(key));
  EXPECT_EQ(TakeOutPW().txtPassword.Text(), "09");
  open("HS", "");
  TakeOutPW().txtPassword.SetFocus();
  TakeOutPW().KeyPressNumericValid('7');
  EXPECT_EQ(TakeOutPW().txtPassword.Text(), "");
}

}  // namespace
