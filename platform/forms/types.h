// Basic values of the window runtime: colours, alignment and style codes,
// font descriptions and the runtime's error type.
#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace forms {

// A colour as the windows store it: red in the low byte, then green, then
// blue (RGB(255, 0, 0) == 0x0000FF). Values with the high bit set name a
// system colour (the widget keeps the style's own colour for that role).
using Color = std::uint32_t;

constexpr Color RGB(int r, int g, int b) {
  return Color(r & 0xFF) | (Color(g & 0xFF) << 8) | (Color(b & 0xFF) << 16);
}

constexpr Color vbBlack = 0x000000;
constexpr Color vbWhite = 0xFFFFFF;
constexpr Color vbRed = 0x0000FF;
constexpr Color vbGreen = 0x00FF00;
constexpr Color vbBlue = 0xFF0000;
constexpr Color vbYellow = 0x00FFFF;
constexpr Color vbButtonFace = 0x8000000F;
constexpr Color vbButtonText = 0x80000012;
constexpr Color vbWindowBackground = 0x80000005;
constexpr Color vbWindowText = 0x80000008;

constexpr bool isSystemColor(Color c) {
  return (c & 0x80000000u) != 0;
}

// Text alignment of text boxes and labels.
enum Alignment { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };

// Form.Show modes.
enum ShowMode { vbModeless = 0, vbModal = 1 };
constexpr ShowMode Modeless = vbModeless;
constexpr ShowMode Modal = vbModal;

// Why a form is being unloaded (the UnloadMode of Form_QueryUnload).
enum UnloadMode {
  vbFormControlMenu = 0,  // the window's own close button
  vbFormCode = 1,         // Unload in code
  vbAppWindows = 2,
  vbAppTaskManager = 3,
  vbFormMDIForm = 4,  // the MDI frame is closing
  vbFormOwner = 5
};

// Check box values.
enum CheckValue { vbUnchecked = 0, vbChecked = 1, vbGrayed = 2 };

// Mouse pointers of Screen::setMousePointer.
enum MousePointer { vbDefault = 0, vbArrow = 1, vbHourglass = 11 };

// Window states.
enum WindowState { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };

// Start-up positions of a form.
enum StartUpPosition {
  vbStartUpManual = 0,
  vbStartUpOwner = 1,
  vbStartUpScreen = 2,
  vbStartUpWindowsDefault = 3
};

// A font as the windows name it ("MS Sans Serif", 8.25 pt); mapped to an
// installed family when applied.
struct FontInfo {
  QString name = QStringLiteral("MS Sans Serif");
  double size = 8.25;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool operator==(const FontInfo& o) const {
    return name == o.name && size == o.size && bold == o.bold && italic == o.italic &&
           underline == o.underline;
  }
};

// A run-time error of a control or form (a picture that cannot be loaded, a
// property written with a value it cannot take). Handlers let it escape; the
// runtime reports it with a message box.
class Error : public std::runtime_error {
 public:
  explicit Error(const QString& text, int number = 0)
      : std::runtime_error(text.toStdString()), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

}  // namespace forms
