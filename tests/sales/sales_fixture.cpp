#include "tests/sales/sales_fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/convert/number.h"
#include "sales/frmSales.h"
#include "sales/ticket.h"
#include "shell/subsystems.h"

void TicketGrid::add(const QString& qty, const QString& text, const QString& price, const QString& code) {
  w_->grid.AddItem(sales::gridRow(qty, text, price, code));
}

QStringList TicketGrid::lines() const {
  return ticketLines(w_->grid);
}

QStringList ticketLines(forms::MSFlexGrid& grid) {
  QStringList lines;
  for (int r = sales::kFirstLine; r < grid.Rows(); ++r) {
    QStringList cells;
    for (int c = 0; c < 4; ++c) cells << grid.TextMatrix(r, c);
    lines << cells.join(QStringLiteral(" | "));
  }
  return lines;
}

ModalScript::ModalScript() {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, &context_, [this] { poll(); });
  timer_.start();
}

ModalScript::~ModalScript() {
  EXPECT_TRUE(steps_.empty()) << steps_.size() << " scripted step(s) never ran; the first waits for "
                              << steps_.front().form->Name().toStdString();
}

void ModalScript::on(forms::Form& form, std::function<void()> step) {
  steps_.push_back({&form, std::move(step)});
}

void ModalScript::poll() {
  if (steps_.empty()) return;
  forms::Form* form = steps_.front().form;
  if (!form->IsLoaded() || !form->window() || !form->window()->isVisible()) return;
  std::function<void()> run = std::move(steps_.front().run);
  steps_.pop_front();
  // The step runs from a timer of its own: this poll keeps running while the
  // step's modal windows are open.
  QTimer::singleShot(0, &context_, std::move(run));
}

void SalesFixture::SetUp() {
  ShellFixture::SetUp();
  print::ResetCurrentPrinter();
  shell::ConnectSubsystems();
  script_ = std::make_unique<ModalScript>();
}

void SalesFixture::TearDown() {
  ShellFixture::TearDown();
  // The window outlives the test: a clock of the test's making goes with it.
  sales::Sales().setWaitClock(shell::monotonicWholeSeconds);
  script_.reset();
  print::ResetCurrentPrinter();
}

namespace {

rt::Currency amount(const QString& text) {
  return text.isEmpty() ? rt::Currency() : rt::CCur(text);
}

}  // namespace

sales::TenderResult SalesFixture::cash(const Taken& t) {
  sales::TenderResult r;
  r.cash = amount(t.cash);
  r.coupon = amount(t.coupon);
  r.gift = amount(t.gift);
  r.tip = amount(t.tip);
  return r;
}

sales::TenderResult SalesFixture::card(const QString& type, const QString& charged, bool throughBridge,
                                       const Taken& with) {
  sales::TenderResult r = cash(with);
  r.cash = rt::Currency();
  r.byCard = true;
  r.charged = throughBridge;
  r.cardType = type;
  r.card = amount(charged);
  return r;
}

void SalesFixture::tendered(const sales::TenderResult& tender) {
  sales::Sales().TakeTender(tender);
}

void SalesFixture::fillMenu(const QString& table, int first, int last, const QString& prefix,
                            const QString& price) {
  run(menuFile(), QStringLiteral("DELETE FROM %1").arg(table));
  for (int n = first; n <= last; ++n)
    addItem(table, {{"Dish_ID", n}, {"szMenu_nm", prefix + QString::number(n)}, {"szPrice_amt", price}});
}

void SalesFixture::addItem(const QString& table, const QVariantMap& fields) {
  QStringList names, marks;
  db::Params values;
  for (auto it = fields.begin(); it != fields.end(); ++it) {
    names << QStringLiteral("\"%1\"").arg(it.key());
    marks << QStringLiteral("?");
    values << it.value();
  }
  run(menuFile(),
      QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
          .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
      values);
}

void SalesFixture::addStaff(const QString& code, const QString& firstName, const QString& level) {
  run(installFile("Infor.mdb"), "INSERT INTO tbEmplo (szID_no, sFirst_nm, szLevel_nu) VALUES (?, ?, ?)",
      {code, firstName, level});
}

void SalesFixture::type(forms::Control& box, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box.widget(), &key);
  }
}

void SalesFixture::pressEnter(forms::Control& box) {
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QApplication::sendEvent(box.widget(), &key);
}
