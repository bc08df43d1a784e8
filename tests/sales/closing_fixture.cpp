#include "tests/sales/closing_fixture.h"

#include "shell/frmTakeOutPW.h"
#include "tests/forms/drive.h"

using sales::Sales;

void ClosingFixture::SetUp() {
  SalesFixture::SetUp();
  run(menuFile(), "DELETE FROM tbSoup");
  addItem("tbSoup", {{"Dish_ID", 1}, {"szMenu_nm", "Cut"}, {"szPrice_amt", "25.00"}});
  addItem("tbSoup", {{"Dish_ID", 2}, {"szMenu_nm", "Blowout"}, {"szPrice_amt", "19.99"}});
}

void ClosingFixture::storeTicket(const QString& file, const QString& number, const QString& receive,
                                 const std::vector<Row>& lines, const QStringList& amounts) {
  run(installFile(file),
      "INSERT INTO tblDy_Order (TO_Ord_ID, Inv, SubTotal, Tax, Total, Receive, ID, Method) "
      "VALUES (?, ?, ?, ?, ?, ?, 'Ines', 'HS')",
      {number.toInt(), number, amounts.value(0), amounts.value(1), amounts.value(2), receive});
  for (const Row& line : lines) storeLine(file, number, line);
}

void ClosingFixture::storeLine(const QString& file, const QString& number, const Row& line) {
  run(installFile(file),
      "INSERT INTO tblDetail (Invoice, Qty, szOrder, Price, ID, Method) VALUES (?, ?, ?, ?, 'Ines', 'HS')",
      {number, line.qty, line.text, line.price});
}

void ClosingFixture::freshWindow() {
  unloadAllWindows();
  Sales().Show();
  signIn();
}

void ClosingFixture::promptAnswered(const QString& code) {
  Sales().setWaitClock([this] { return ++now_; });
  script_->on(shell::TakeOutPW(), [code] {
    for (QChar d : code) press(shell::TakeOutPW().comNumber(d.digitValue()));
  });
}

void ClosingFixture::ring(int k) {
  press(Sales().cmdSp);
  press(Sales().command(k));
}

void ClosingFixture::kidsCut() {
  press(Sales().cmdDrink);
  press(Sales().command(3));
}

void ClosingFixture::recall(const QString& number) {
  Sales().cmbRept.setText(QString());
  type(Sales().cmbRept, number);
  pressEnter(Sales().cmbRept);
}

QStringList ClosingFixture::screen() {
  return ticketLines(Sales().grdOrderItems);
}

void ClosingFixture::clickCell(int row, int col) {
  drive::clickCell(Sales().grdOrderItems, row, col);
}

QString ClosingFixture::count(const QString& table, const QString& file) const {
  return value(installFile(file), QString("SELECT COUNT(*) FROM %1").arg(table));
}
