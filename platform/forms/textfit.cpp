#include "platform/forms/textfit.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>

namespace forms {

namespace {

bool fitsAt(const QString& text, QFont face, double points, int room) {
  face.setPointSizeF(points);
  return QFontMetrics(face).horizontalAdvance(text) <= room;
}

// The largest size, in quarter points from `highest` down to `lowest`, at
// which the text fits; 0 when it fits at none. The widths grow with the size,
// so halving the range finds it; every size given back was measured.
int largestFitting(const QString& text, const QFont& face, int lowest, int highest, int room) {
  if (lowest > highest || !fitsAt(text, face, lowest / 4.0, room)) return 0;
  while (lowest < highest) {
    const int middle = (lowest + highest + 1) / 2;
    if (fitsAt(text, face, middle / 4.0, room))
      lowest = middle;
    else
      highest = middle - 1;
  }
  return lowest;
}

}  // namespace

bool isNumberText(const QString& text) {
  bool digit = false;
  for (const QChar c : text) {
    if (c.isDigit()) {
      digit = true;
      continue;
    }
    if (!QStringLiteral(" ,.$-+()").contains(c)) return false;
  }
  return digit;
}

FittedText fitText(const QString& text, const QFont& design, int room) {
  const double designPoints = design.pointSizeF() > 0 ? design.pointSizeF() : QFontInfo(design).pointSizeF();
  FittedText fit;
  fit.pointSize = designPoints;
  fit.text = text;
  if (text.isEmpty() || fitsAt(text, design, designPoints, room)) return fit;

  const bool number = isNumberText(text);
  const double floor = std::max(kFitFloorPoints, designPoints / 2);
  const int lowest = int(std::ceil(std::min(number ? kFitSmallestPoints : floor, designPoints) * 4));
  const int highest = int(std::ceil(designPoints * 4)) - 1;  // the quarter sizes below the design
  if (const int quarters = largestFitting(text, design, lowest, highest, room)) {
    fit.pointSize = quarters / 4.0;
    return fit;
  }
  fit.pointSize = std::min(designPoints, lowest / 4.0);
  if (number) return fit;  // as small as a face goes, and whole
  QFont face = design;
  face.setPointSizeF(fit.pointSize);
  fit.text = QFontMetrics(face).elidedText(text, Qt::ElideRight, std::max(0, room));
  fit.elided = fit.text != text;
  return fit;
}

int lineEditTextRoom(const QLineEdit& edit) {
  QStyleOptionFrame option;
  option.initFrom(&edit);
  option.rect = edit.rect();
  option.lineWidth =
      edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
  const QMargins margins = edit.textMargins();
  return contents.width() - margins.left() - margins.right() - 2 * 2 - 1;
}

}  // namespace forms
