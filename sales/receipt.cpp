#include "sales/receipt.h"

#include "platform/convert/format.h"
#include "platform/convert/number.h"
#include "platform/convert/text.h"

namespace sales {

namespace {

const QString kCourier = QStringLiteral("courier new");
constexpr unsigned kBlack = 0;
constexpr unsigned kRed = 255;

QString blanks(int n) {
  return QString(n, QLatin1Char(' '));
}

// One ticket line, not bold: red once after a line marked it ("1"), which
// uses the mark up; black otherwise.
void PrintReceiptLine(print::PrinterObject& p, const QString& line, QString& red) {
  p.setFontBold(false);
  if (red == QLatin1String("1")) {
    p.setForeColor(kRed);
    red = QStringLiteral("0");
  } else {
    p.setForeColor(kBlack);
  }
  p.Print(line);
  p.setForeColor(kBlack);
}

}  // namespace

void printCustomerReceipt(print::PrinterObject& p, const CustomerReceipt& r) {
  p.setPrintQuality(300);
  p.setFontName(kCourier);
  p.setPrintQuality(-2);
  p.setFontSize(15);
  p.setFontBold(true);

  p.Print(blanks(2) + r.storeLine1);
  p.setFontSize(10);
  p.Print(blanks(6) + r.storeLine2);
  p.Print(blanks(6) + r.storeLine3);
  p.Print(QString());
  p.Print(QStringLiteral("Check #: ") + r.check);
  p.Print(QString());
  p.Print(QStringLiteral("Date ") + r.date + QStringLiteral(" Time ") + r.time);
  p.setFontSize(10);
  p.Print(QStringLiteral("Server: ") + r.server);
  p.Print(QString());
  p.setFontName(kCourier);
  p.setFontSize(10);
  p.setFontBold(true);
  p.setFontUnderline(true);
  p.Print(QStringLiteral(" -Items-               Amount"), false);
  p.setFontUnderline(false);
  p.setFontBold(false);
  p.Print(QString());
  p.setFontSize(12);

  // The rows as the scan sees them: a line that free-pop moves to the end is
  // examined again there, as a sub-line.
  std::vector<GridLine> rows = r.lines;
  const size_t last = rows.size();  // read once, before the first line
  QString red;                      // "1": the next line printed is red
  for (size_t i = 0; i < last && i < rows.size();) {
    GridLine& row = rows[i];
    QString marker = row.qty;
    if (marker == QLatin1String("+")) {
      marker = QStringLiteral("   +");
      red = QStringLiteral("1");
    } else if (marker == QLatin1String("/")) {
      red = QStringLiteral("1");
    } else if (rt::StrComp(marker, QStringLiteral("1")) > 0) {
      marker += QLatin1Char('.');
    } else if (marker == QLatin1String("1")) {
      marker = blanks(1);
      red = QStringLiteral("0");
    }
    // The item text is cut so that its line keeps a blank before the price,
    // whatever the marker's width.
    QString line = (marker + row.text).left(19);
    line += blanks(20 - int(line.size()));
    if (row.price == QLatin1String("$0.00")) row.price.clear();
    line += rt::Format(row.price, QStringLiteral("#,##0.00"));

    if (r.freePopAuto && marker == QLatin1String(" .")) {
      rows.erase(rows.begin() + long(i));
      rows.push_back(GridLine{QStringLiteral("+"), line, QString(), QString()});
      continue;  // the same index now holds the next row
    }
    p.setFontBold(false);
    PrintReceiptLine(p, line, red);
    ++i;
  }

  p.Print(QString(27, QLatin1Char('-')));
  p.setFontBold(true);
  p.Print(blanks(12) + QStringLiteral("Sub:    ") + r.subtotal);
  p.Print(blanks(12) + QStringLiteral("Tax:     ") + r.tax1);
  if (r.tax2) p.Print(blanks(12) + QStringLiteral("Tax:     ") + *r.tax2);
  p.Print(blanks(10) + QStringLiteral("Total:    ") + r.total);
  if (!r.received.isEmpty()) {
    p.Print(QString());
    p.Print(blanks(7) + QStringLiteral("Received:    ") + r.received);
    if (!r.coupon.isEmpty()) p.Print(blanks(9) + QStringLiteral("Coupon:    ") + r.coupon);
    if (!r.gift.isEmpty()) p.Print(blanks(6) + QStringLiteral("Gift Card:    ") + r.gift);
    if (!r.tip.isEmpty()) p.Print(blanks(12) + QStringLiteral("Tip:    ") + r.tip);
    p.Print(blanks(9) + QStringLiteral("Change:    ") + r.change);
    p.Print(QString());
  }
  p.setFontBold(false);
  p.Print(QString());
  p.setFontName(QStringLiteral("MS Sans Serif"));
  if (r.printNotes) {
    if (!r.note1.isEmpty()) p.Print(r.note1);
    if (!r.note2.isEmpty()) p.Print(r.note2);
    p.Print(QString());
  }
}

}  // namespace sales
