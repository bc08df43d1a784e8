#pragma once

// Dates and times as the windows show them (United States settings, with a
// four-digit year) and as the databases store them (ISO text). This is the
// one place that turns one form into the other.

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

namespace rt {

// Shown forms.
QString ShortDate(const QDate& date);   // "12/8/2026": month/day/four-digit year
QString LongTime(const QTime& time);    // "9:05:03 AM", "2:05:09 PM"
QString MediumTime(const QTime& time);  // "6:00 AM", "11:59 PM"

// Stored forms.
QString IsoDate(const QDate& date);  // "2026-12-08"
QString IsoTime(const QTime& time);  // "09:05:03"

// Reads a shown or a stored date: "12/8/2026", "12/08/2026", "2026-12-08";
// a two-digit year "5/1/24" means 1930 to 2029. A date that does not exist
// (2/30/2026) or any other text gives nullopt.
std::optional<QDate> ParseDate(const QString& text);
// Reads a shown or a stored time: "6:00 AM", "11:59 PM", "9:05:03 am",
// "6 AM", "14:05", "09:05:03". "12:xx AM" is just after midnight, "12:xx PM"
// just after noon.
std::optional<QTime> ParseTime(const QString& text);

// Shown text to stored text; nullopt when the text is no date or time.
std::optional<QString> DateTextToIso(const QString& text);
std::optional<QString> TimeTextToIso(const QString& text);

// Stored text to shown text (short date, long time). Text that is no date or
// time comes back unchanged, so a damaged row still shows what it holds.
QString IsoDateToShown(const QString& stored);
QString IsoTimeToShown(const QString& stored);

}  // namespace rt
