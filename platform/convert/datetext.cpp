#include "platform/convert/datetext.h"

#include <QRegularExpression>

namespace rt {

namespace {

QString TwoDigits(int n) {
  return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

QString TwelveHour(const QTime& time, bool withSeconds) {
  const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
  QString out = QString::number(hour) + QLatin1Char(':') + TwoDigits(time.minute());
  if (withSeconds) out += QLatin1Char(':') + TwoDigits(time.second());
  return out + (time.hour() < 12 ? QLatin1String(" AM") : QLatin1String(" PM"));
}

}  // namespace

QString ShortDate(const QDate& date) {
  return QString::number(date.month()) + QLatin1Char('/') + QString::number(date.day()) + QLatin1Char('/') +
         QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
}

QString LongTime(const QTime& time) {
  return TwelveHour(time, true);
}

QString MediumTime(const QTime& time) {
  return TwelveHour(time, false);
}

QString IsoDate(const QDate& date) {
  return QString::number(date.year()).rightJustified(4, QLatin1Char('0')) + QLatin1Char('-') +
         TwoDigits(date.month()) + QLatin1Char('-') + TwoDigits(date.day());
}

QString IsoTime(const QTime& time) {
  return TwoDigits(time.hour()) + QLatin1Char(':') + TwoDigits(time.minute()) + QLatin1Char(':') +
         TwoDigits(time.second());
}

std::optional<QDate> ParseDate(const QString& text) {
  static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
  static const QRegularExpression shown(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4}|\\d{2})$"));
  const QString s = text.trimmed();
  int year = 0;
  int month = 0;
  int day = 0;
  if (const QRegularExpressionMatch m = iso.match(s); m.hasMatch()) {
    year = m.captured(1).toInt();
    month = m.captured(2).toInt();
    day = m.captured(3).toInt();
  } else if (const QRegularExpressionMatch m2 = shown.match(s); m2.hasMatch()) {
    month = m2.captured(1).toInt();
    day = m2.captured(2).toInt();
    year = m2.captured(3).toInt();
    if (m2.captured(3).size() == 2) year += year < 30 ? 2000 : 1900;
  } else {
    return std::nullopt;
  }
  if (year < 100) return std::nullopt;
  const QDate date(year, month, day);
  if (!date.isValid()) return std::nullopt;
  return date;
}

std::optional<QTime> ParseTime(const QString& text) {
  static const QRegularExpression form(QStringLiteral("^(\\d{1,2})(?::(\\d{2})(?::(\\d{2}))?)?\\s*(AM|PM)?$"),
                                       QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch m = form.match(text.trimmed());
  if (!m.hasMatch()) return std::nullopt;
  const bool hasMinutes = m.capturedLength(2) > 0;
  const QString meridiem = m.captured(4).toUpper();
  if (!hasMinutes && meridiem.isEmpty()) return std::nullopt;  // a bare number is no time
  int hour = m.captured(1).toInt();
  const int minute = hasMinutes ? m.captured(2).toInt() : 0;
  const int second = m.capturedLength(3) > 0 ? m.captured(3).toInt() : 0;
  if (!meridiem.isEmpty()) {
    if (hour > 12) return std::nullopt;
    if (hour == 12) hour = 0;
    if (meridiem == QLatin1String("PM")) hour += 12;
  }
  const QTime time(hour, minute, second);
  if (!time.isValid()) return std::nullopt;
  return time;
}

std::optional<QString> DateTextToIso(const QString& text) {
  const std::optional<QDate> date = ParseDate(text);
  if (!date) return std::nullopt;
  return IsoDate(*date);
}

std::optional<QString> TimeTextToIso(const QString& text) {
  const std::optional<QTime> time = ParseTime(text);
  if (!time) return std::nullopt;
  return IsoTime(*time);
}

QString IsoDateToShown(const QString& stored) {
  const std::optional<QDate> date = ParseDate(stored);
  return date ? ShortDate(*date) : stored;
}

QString IsoTimeToShown(const QString& stored) {
  const std::optional<QTime> time = ParseTime(stored);
  return time ? LongTime(*time) : stored;
}

}  // namespace rt
