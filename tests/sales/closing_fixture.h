// What the tests of closing a ticket share: a menu page with a 25.00 and a
// 19.99 item, stored tickets written as another station would, and the
// clerk's steps on the sales window.
#pragma once

#include <QStringList>
#include <QVariant>
#include <vector>

#include "sales/frmSales.h"
#include "tests/sales/sales_fixture.h"

class ClosingFixture : public SalesFixture {
 protected:
  void SetUp() override;

  // One stored line: quantity, item text, price (a null QVariant is Null).
  struct Row {
    QVariant qty, text, price;
  };
  // A ticket header with its number, Receive and amounts (SubTotal, Tax,
  // Total), and its lines, in the install folder's `file`.
  void storeTicket(const QString& file, const QString& number, const QString& receive,
                   const std::vector<Row>& lines, const QStringList& amounts = {"35.00", "2.63", "37.63"});
  void storeLine(const QString& file, const QString& number, const Row& line);

  // The stylist as the keypad delivers the code (2345 is Jules).
  static void signIn(const QString& code = "2345") { sales::Sales().txtWaiter.setText(code); }
  // Every window unloaded, then the sales window shown afresh with Jules.
  void freshWindow();
  // The stylist prompt flashes at once, and the clerk keys this code on the
  // keypad it opens.
  void promptAnswered(const QString& code);
  // Page button k of the Soup page: 1 "Cut" 25.00, 2 "Blowout" 19.99.
  static void ring(int k);
  // Kids Cut, 18.00, on the Haircut page.
  static void kidsCut();
  // Types a number into the emptied ticket-number box and sends it with Enter.
  static void recall(const QString& number);
  // The ticket's rows, "qty | text | price | code".
  static QStringList screen();
  // The grid's rows from row 2 as the clerk clicks them: a cell.
  static void clickCell(int row, int col);
  QString count(const QString& table, const QString& file = "Ordr.mdb") const;

 private:
  qint64 now_ = 0;  // the window's wait clock in promptAnswered
};
