#include "sales/ticket.h"

#include <QStringList>
#include <cmath>

namespace sales {

QString cellText(const QString& text) {
  QString clean = text;
  for (QChar& c : clean) {
    switch (c.unicode()) {
      case '\t':
      case '\n':
      case '\v':
      case '\f':
      case '\r':
      case 0x85:    // next line
      case 0x2028:  // line separator
      case 0x2029:  // paragraph separator
        c = QLatin1Char(' ');
        break;
      default:
        break;
    }
  }
  return clean;
}

QString gridRow(const QString& qty, const QString& text, const QString& price, const QString& code) {
  return QStringList{cellText(qty), cellText(text), cellText(price), cellText(code)}.join(QLatin1Char('\t'));
}

std::array<int, 4> orderColumnWidths(int clientWidth) {
  constexpr int kShares[4] = {7, 71, 18, 6};
  constexpr int kWhole = 7 + 71 + 18 + 6;
  std::array<int, 4> widths{};
  int share = 0;
  int edge = 0;
  for (int c = 0; c < 4; ++c) {
    share += kShares[c];
    const int next = int(std::lround(double(clientWidth) * share / kWhole));
    widths[c] = next - edge;
    edge = next;
  }
  return widths;
}

}  // namespace sales
