// What the report tests share: a data root with the first-install files and
// six stored tickets over two days, as the sales window stores them.
#pragma once

#include <QDate>
#include <QString>
#include <ostream>

#include "tests/shell/shell_fixture.h"

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

class ReportFixture : public ShellFixture {
 protected:
  void SetUp() override;

  // The two days of the tickets, as ISO texts and as the boxes show them.
  static constexpr const char* kDay1 = "2026-12-08";
  static constexpr const char* kDay2 = "2026-12-09";
  static const QString kShown1;  // "12/8/2026"
  static const QString kShown2;  // "12/9/2026"

  QString ticketFile() const { return installFile("Ordr.mdb"); }
  // Stores the six tickets (and their lines) into a ticket file, as the
  // sales window stores them (Receive what was kept, every tender apart):
  //  1 day 1 06:00:00 Mara    1,234.50 tax 84.50 cash 1,239.50 with a tip of 5.00
  //  2 day 1 12:15:00 D'Arcy     45.00 tax  3.08 card 47.00 VISA with a tip of 2.00
  //  3 day 1 23:59:30 Jules      30.00 tax  2.05 unpaid (Receive "0")
  //  4 day 2 14:00:00 Mara       60.00 tax  4.10 cash 55.00 and a coupon of 5.00
  //  5 day 2 05:30:00 Jules      20.00 tax  1.37 cash 20.00 (before the shift)
  //  6 day 2 16:00:00 D'Arcy     10.00 tax  0.68 a gift card of 10.00
  void storeTickets(const QString& file) const;
};
