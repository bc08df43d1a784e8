// The screen, twips, the message pump and keystroke injection.
//
// Sizes and positions are in twips, 1/1440 inch: 15 twips a pixel at 96 dpi.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "platform/forms/types.h"

namespace forms {

class Screen {
 public:
  // Size of the primary screen in twips.
  static int Width();
  static int Height();
  static int TwipsPerPixelX();
  static int TwipsPerPixelY();

  // The program-wide mouse pointer: vbHourglass shows the wait cursor until
  // it is set back to vbDefault.
  static void setMousePointer(int pointer);
  static int MousePointer();
};

int twipsToPixelsX(double twips);
int twipsToPixelsY(double twips);
int pixelsToTwipsX(int pixels);
int pixelsToTwipsY(int pixels);

// The placement rule of the windows: left = (screen width - width) / 2 and
// top = (screen height - height) / n, unrounded.
double centredLeft(double width);
double placedTop(double height, double n);

// Lets the window system process pending messages (repaint, input, timers).
void DoEvents();

// Sounds the system bell.
void Beep();

// Types keys into the focused box as if the clerk pressed them: plain
// characters, "~" or "{ENTER}" for Enter, "{BS}" / "{BACKSPACE}" / "{BKSP}",
// "{TAB}", "{ESC}", "{DEL}", "{LEFT}", "{RIGHT}", "{HOME}", "{END}", "{UP}",
// "{DOWN}", and "{x}" for a literal character x. The keys are delivered at
// once, through the box's KeyPress handler.
void SendKeys(const QString& keys);

// The installed font for a font the windows name ("MS Sans Serif" and the
// other Windows sans faces map to a sans family, "Courier New" to a
// monospace one).
QFont toQFont(const FontInfo& info);

// The colour a Windows colour value stands for (red in the low byte). A
// system colour has none of its own: the caller keeps the style's.
QColor toQColor(Color color);

}  // namespace forms
