// Fitting a text into the room of its control: a text wider than the room is
// shown in a smaller face, down to a floor, and beyond that with its end cut
// off behind an ellipsis. A number (an amount, a ticket number) is never cut:
// it goes on shrinking until it fits whole.
#pragma once

#include <QFont>
#include <QString>

class QLineEdit;

namespace forms {

// The smallest face a text that is not a number is shown in: half its design
// size, and never below this.
constexpr double kFitFloorPoints = 6.0;
// The smallest face of all, for a number in a room far too narrow for it.
constexpr double kFitSmallestPoints = 1.0;

struct FittedText {
  double pointSize = 0;  // the design size or smaller, in quarter points
  QString text;          // the text as shown: whole, or its start and "…"
  bool elided = false;   // the end was cut off
};

// True for a text that is a number: digits, with only blanks, signs, thousands
// separators, a point, a dollar sign or brackets around them ("999,999,999.99",
// "$12.00", "(5.00)", "-5.00", "000123").
bool isNumberText(const QString& text);

// How `text` is shown in a room `room` pixels wide, in the face `design` (its
// point size is the largest size used): the largest size down to the floor at
// which the whole text fits; else, for a number, the largest smaller size at
// which it fits whole; else the text elided at the floor.
FittedText fitText(const QString& text, const QFont& design, int room);

// The room a one-line box gives its text, in pixels: its width less its
// frame, its text margins, the line edit's own margin of two pixels on either
// side and the caret. A text at most this wide shows whole, without scrolling.
int lineEditTextRoom(const QLineEdit& edit);

}  // namespace forms
