// The program's identity, shown by the splash window and the about box and
// compared by the update check.
#pragma once

#include <QString>

namespace shell {

constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 1;
constexpr int kVersionRevision = 0;

// "Version 1.1.0"
inline QString versionCaption() {
  return QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

// The form in which versions are compared: "1.1".
inline QString versionKey() {
  return QStringLiteral("%1.%2").arg(kVersionMajor).arg(kVersionMinor);
}

// The background of the main window's client area, the launcher and the
// settings windows.
constexpr unsigned kSettingsGreen = 0xC0FFC0;  // RGB(192,255,192)

// A position or size the windows lay out in pixels of a 96 dpi screen, in
// twips (15 to a pixel).
constexpr double px(int pixels) {
  return pixels * 15.0;
}

}  // namespace shell
