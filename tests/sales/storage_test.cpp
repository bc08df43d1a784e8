// Storing a ticket from the sales window: the header and lines as stored, the
// states of a stored ticket, a store that fails whole, the busy file, the
// cleared window and the favourites tally.
#include <QDate>

#include "sales/frmSales.h"
#include "shell/frmTakeOutPW.h"
#include "tests/sales/sales_fixture.h"

namespace {

using sales::Sales;
using shell::TakeOutPW;

class Storage : public SalesFixture {
 protected:
  QString tickets() const { return installFile("Ordr.mdb"); }
  QString header(const QString& inv, const QString& field) const {
    return value(tickets(), QString("SELECT [%1] FROM tblDy_Order WHERE Inv = ?").arg(field), {inv});
  }
  QString count(const QString& sql) const { return value(tickets(), sql); }
  QString favourite(const QString& text) const {
    return value(installFile("Fav.mdb"), "SELECT szNum_nm FROM tbFav WHERE szMenu_id = ?", {text});
  }
  // Signs the stylist in as the keypad does, without the prompt.
  void signIn(const QString& code) { Sales().txtWaiter.setText(code); }
  void ring(forms::CommandButton& category, int k) {
    press(category);
    press(Sales().command(k));
  }
};

TEST_F(Storage, TheFirstTicket) {
  sales::frmSales& w = Sales();
  signIn("3456");
  ring(w.cmdDrink, 3);
  ring(w.cmdDrink, 4);
  press(w.cmdPrintRce1);
  EXPECT_EQ(count("SELECT COUNT(*) FROM tblDy_Order"), "1");
  EXPECT_EQ(w.cmbRept.Text(), "1");
}

}  // namespace

namespace {

TEST_F(Storage, TheFirstTicketWithThePrompt) {
  sales::frmSales& w = Sales();
  ring(w.cmdDrink, 3);
  ring(w.cmdDrink, 4);
  script_->on(TakeOutPW(), [] {
    for (int d : {3, 4, 5, 6}) press(TakeOutPW().comNumber(d));
  });
  press(w.cmdPrintRce1);
  EXPECT_TRUE(script_->done());
  EXPECT_EQ(w.cmbRept.Text(), "1");
  EXPECT_EQ(count("SELECT COUNT(*) FROM tblDy_Order"), "1");
}

}  // namespace
