#include "shell/settingsrules.h"

#include <string>

#include "bridge/protocol.h"

namespace shell {

bool isRateText(const QString& text) {
  int digits = 0, points = 0;
  for (const QChar c : text) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
      ++digits;
    else if (c == QLatin1Char('.'))
      ++points;
    else
      return false;
  }
  return digits > 0 && points <= 1;
}

bool isFreePopMode(const QString& mode) {
  return mode == QLatin1String("Auto") || mode == QLatin1String("Default") || mode == QLatin1String("UpLine");
}

std::optional<QString> nextFreePopMode(const QString& mode) {
  if (mode == QLatin1String("Auto")) return QStringLiteral("Default");
  if (mode == QLatin1String("Default")) return QStringLiteral("UpLine");
  if (mode == QLatin1String("UpLine")) return QStringLiteral("Auto");
  return std::nullopt;
}

QString nextNotesMode(const QString& mode) {
  if (mode == QLatin1String("Not Printing L1 L2") || mode == QLatin1String("-"))
    return QStringLiteral("Print L1 L2 Now");
  if (mode == QLatin1String("Print L1 L2 Now")) return QStringLiteral("Not Printing L1 L2");
  return mode;
}

QString nextMenuMode(const QString& mode) {
  return mode == QLatin1String("1.Default") ? QStringLiteral("2.Custom") : QStringLiteral("1.Default");
}

std::optional<QString> uncarriedCharacter(const QString& text) {
  // The bridge is sent the text as UTF-8 and tests it so, by its own rule.
  const std::string sent = text.toStdString();
  const std::size_t at = vxt::FindRefusedCharacter(sent);
  if (at == std::string::npos) return std::nullopt;
  switch (sent[at]) {
    case '"':
      return QStringLiteral("a double quote (\")");
    case '\r':
      return QStringLiteral("a carriage return");
    case '\n':
      return QStringLiteral("a line feed");
    default:
      return QStringLiteral("a NUL character");
  }
}

}  // namespace shell
