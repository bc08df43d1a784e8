// What the sales tests share: a ticket grid on a stand-in window for the
// line rules, and for the sales window a data root with a scripted clerk who
// answers the modal windows it opens.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <ostream>

#include "platform/forms/flexgrid.h"
#include "platform/forms/form.h"
#include "platform/print/printer.h"
#include "sales/gridticket.h"
#include "sales/tenderresult.h"
#include "tests/fake_spooler.h"
#include "tests/shell/shell_fixture.h"

// Texts print as texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

// A window holding only a ticket grid, as the sales window sets it up.
class frmTicket : public forms::Form {
 public:
  frmTicket() : Form("frmTicket") {
    grid.setCols(4);
    grid.setFixedRows(1);
    grid.setFixedCols(0);
  }
  forms::MSFlexGrid grid{this, "grid"};
};

// A ticket grid for the line rules: the rows from row 2 on, each as
// "qty | text | price | code".
class TicketGrid {
 public:
  TicketGrid() : ticket_(w_->grid) { w_->grid.setRow(0); }
  sales::GridTicket& grid() { return ticket_; }
  forms::MSFlexGrid& control() { return w_->grid; }
  void add(const QString& qty, const QString& text, const QString& price, const QString& code);
  QStringList lines() const;

 private:
  forms::Instance<frmTicket> w_;
  sales::GridTicket ticket_;
};

QStringList ticketLines(forms::MSFlexGrid& grid);

// Runs the clerk's steps on the modal windows as they come up: each step
// waits until its window shows, then runs once, outside the poll, so that a
// step may open further modal windows.
class ModalScript {
 public:
  ModalScript();
  ~ModalScript();
  void on(forms::Form& form, std::function<void()> step);
  bool done() const { return steps_.empty(); }

 private:
  struct Step {
    forms::Form* form;
    std::function<void()> run;
  };
  void poll();
  std::deque<Step> steps_;
  QTimer timer_;
  QObject context_;
};

// Printing is recorded, on a station with no printer (the print system of
// the test lists none).
class SalesFixture : public ShellFixture {
 protected:
  void SetUp() override;
  void TearDown() override;

  QString menuFile() const { return installFile("BakHS.mdb"); }
  // Replaces a menu table's items by `count` items numbered from `first`,
  // named prefix + number, each with the one price `price`.
  void fillMenu(const QString& table, int first, int last, const QString& prefix,
                const QString& price = "10.00");
  // Adds one item with the given fields (names as in the table).
  void addItem(const QString& table, const QVariantMap& fields);

  // Adds an employee after the sample staff (1234 Mara "Level 3", 2345 Jules
  // "Level 2", 3456 Ines "Level 1").
  void addStaff(const QString& code, const QString& firstName, const QString& level);

  // What the tender dialog hands back: cash with a coupon, a gift card and a
  // tip (an empty text is none), or a card of a type charged an amount (on
  // the payment bridge, or on a terminal of its own).
  struct Taken {
    Taken(const char* cash = "", const char* coupon = "", const char* gift = "", const char* tip = "")
        : cash(cash), coupon(coupon), gift(gift), tip(tip) {}
    QString cash, coupon, gift, tip;
  };
  static sales::TenderResult cash(const Taken& t);
  static sales::TenderResult card(const QString& type, const QString& amount, bool charged = true,
                                  const Taken& with = {});
  // The sales window takes a tender as from the tender dialog.
  static void tendered(const sales::TenderResult& tender);

  // Presses a button of the window as the clerk does.
  static void press(forms::CommandButton& b) { b.setValue(true); }
  // Types text into a box key by key, as the clerk or the card reader does.
  static void type(forms::Control& box, const QString& text);
  static void pressEnter(forms::Control& box);

  std::unique_ptr<ModalScript> script_;
  FakeSpooler spooler_;
  print::Recorder printed_;
};
