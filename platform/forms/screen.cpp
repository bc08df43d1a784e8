#include "platform/forms/screen.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <cmath>

#include "platform/forms/control.h"

namespace forms {

namespace detail {
extern Control* g_focus;
}

namespace {

int g_pointer = vbDefault;

int twipsPerPixel(bool horizontal) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi =
      screen ? (horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY()) : 96.0;
  if (dpi <= 0) return 15;
  return std::max(1, int(std::lround(1440.0 / dpi)));
}

QSize screenPixels() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().size() : QSize(800, 600);
}

struct Key {
  int code;
  QString text;
};

// One key of a SendKeys text, starting at i; advances i.
Key nextKey(const QString& keys, int& i) {
  const QChar c = keys.at(i);
  if (c == QLatin1Char('~')) {
    ++i;
    return {Qt::Key_Return, QStringLiteral("\r")};
  }
  if (c == QLatin1Char('{')) {
    // "{}}" and "{{}" name the braces themselves.
    int close = keys.indexOf(QLatin1Char('}'), i + 2);
    if (i + 2 < keys.size() && keys.at(i + 1) == QLatin1Char('}') && keys.at(i + 2) == QLatin1Char('}'))
      close = i + 2;
    if (close > i) {
      const QString name = keys.mid(i + 1, close - i - 1).toUpper();
      i = close + 1;
      if (name.size() == 1) return {Qt::Key_unknown, keys.mid(close - 1, 1)};
      if (name == QLatin1String("BS") || name == QLatin1String("BACKSPACE") || name == QLatin1String("BKSP"))
        return {Qt::Key_Backspace, QString(QChar(8))};
      if (name == QLatin1String("ENTER")) return {Qt::Key_Return, QStringLiteral("\r")};
      if (name == QLatin1String("TAB")) return {Qt::Key_Tab, QStringLiteral("\t")};
      if (name == QLatin1String("ESC") || name == QLatin1String("ESCAPE"))
        return {Qt::Key_Escape, QString(QChar(27))};
      if (name == QLatin1String("DEL") || name == QLatin1String("DELETE")) return {Qt::Key_Delete, QString()};
      if (name == QLatin1String("LEFT")) return {Qt::Key_Left, QString()};
      if (name == QLatin1String("RIGHT")) return {Qt::Key_Right, QString()};
      if (name == QLatin1String("UP")) return {Qt::Key_Up, QString()};
      if (name == QLatin1String("DOWN")) return {Qt::Key_Down, QString()};
      if (name == QLatin1String("HOME")) return {Qt::Key_Home, QString()};
      if (name == QLatin1String("END")) return {Qt::Key_End, QString()};
      return {Qt::Key_unknown, QString()};  // a key this program never sends
    }
  }
  ++i;
  int code = Qt::Key_unknown;
  if (c.isDigit())
    code = Qt::Key_0 + c.digitValue();
  else if (c.isLetter() && c.unicode() < 128)
    code = Qt::Key_A + (c.toUpper().unicode() - 'A');
  else if (c == QLatin1Char(' '))
    code = Qt::Key_Space;
  return {code, QString(c)};
}

}  // namespace

int Screen::TwipsPerPixelX() {
  return twipsPerPixel(true);
}
int Screen::TwipsPerPixelY() {
  return twipsPerPixel(false);
}
int Screen::Width() {
  return screenPixels().width() * TwipsPerPixelX();
}
int Screen::Height() {
  return screenPixels().height() * TwipsPerPixelY();
}

void Screen::setMousePointer(int pointer) {
  if (pointer == g_pointer) return;
  while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  g_pointer = pointer;
  if (pointer == vbHourglass)
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else if (pointer == vbArrow)
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
}

int Screen::MousePointer() {
  return g_pointer;
}

int twipsToPixelsX(double twips) {
  return int(std::lround(twips / Screen::TwipsPerPixelX()));
}
int twipsToPixelsY(double twips) {
  return int(std::lround(twips / Screen::TwipsPerPixelY()));
}
int pixelsToTwipsX(int pixels) {
  return pixels * Screen::TwipsPerPixelX();
}
int pixelsToTwipsY(int pixels) {
  return pixels * Screen::TwipsPerPixelY();
}

double centredLeft(double width) {
  return (Screen::Width() - width) / 2.0;
}
double placedTop(double height, double n) {
  return (Screen::Height() - height) / n;
}

void DoEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void Beep() {
  QApplication::beep();
}

void SendKeys(const QString& keys) {
  for (int i = 0; i < keys.size();) {
    const Key key = nextKey(keys, i);
    if (key.code == Qt::Key_unknown && key.text.isEmpty()) continue;
    // Looked up for every key: a handler may have moved the focus.
    QWidget* target = QApplication::focusWidget();
    if (!target && detail::g_focus) target = detail::g_focus->widget();
    if (!target) return;
    const QPointer<QWidget> guard(target);
    QKeyEvent press(QEvent::KeyPress, key.code, Qt::NoModifier, key.text);
    QCoreApplication::sendEvent(target, &press);
    if (!guard) continue;
    QKeyEvent release(QEvent::KeyRelease, key.code, Qt::NoModifier, key.text);
    QCoreApplication::sendEvent(target, &release);
  }
}

// The Liberation faces come first: they have the widths of the Windows faces
// the windows were laid out for, so captions fit their controls.
QFont toQFont(const FontInfo& info) {
  static const QStringList sans = {QStringLiteral("ms sans serif"), QStringLiteral("microsoft sans serif"),
                                   QStringLiteral("arial"),         QStringLiteral("tahoma"),
                                   QStringLiteral("verdana"),       QStringLiteral("segoe ui"),
                                   QStringLiteral("helvetica"),     QStringLiteral("system")};
  static const QStringList mono = {QStringLiteral("courier new"), QStringLiteral("courier"),
                                   QStringLiteral("lucida console"), QStringLiteral("fixedsys")};
  static const QStringList serif = {QStringLiteral("times new roman"), QStringLiteral("ms serif"),
                                    QStringLiteral("times")};
  const QString key = info.name.trimmed().toLower();
  QFont font;
  if (sans.contains(key) || key.isEmpty()) {
    font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setFamilies(
        {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    font.setStyleHint(QFont::SansSerif);
  } else if (mono.contains(key)) {
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies(
        {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Monospace")});
    font.setStyleHint(QFont::TypeWriter);
  } else if (serif.contains(key)) {
    font.setFamilies(
        {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"), QStringLiteral("Serif")});
    font.setStyleHint(QFont::Serif);
  } else {
    font.setFamily(info.name);
    font.setStyleHint(QFont::SansSerif);
  }
  font.setPointSizeF(info.size > 0 ? info.size : 8.25);
  font.setBold(info.bold);
  font.setItalic(info.italic);
  font.setUnderline(info.underline);
  return font;
}

QColor toQColor(Color color) {
  return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

}  // namespace forms
