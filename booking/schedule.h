// The appointment book's records: one row of tblSalonReserv (SalonReserv.mdb)
// per day and stylist, holding 22 free-text half-hour slots.
//
// szDate_da holds the day as ISO text ("2026-12-08"), szName_na the stylist's
// first name as the stylist box showed it. No row is ever deleted: once a day
// and stylist has a row, every later save rewrites that row.
#pragma once

#include <QDate>
#include <QString>
#include <array>

#include "platform/db/recordset.h"

namespace booking {

constexpr int kSlotCount = 22;

// The slot boxes Text1 to Text22, in this order, by the field each is stored
// in: the slot's start on the 12-hour clock without colon or AM/PM, from 9:00
// in the morning ("900") to 7:30 in the evening ("730").
inline constexpr std::array<const char*, kSlotCount> kSlotFields = {
    "900", "930", "1000", "1030", "1100", "1130", "1200", "1230", "100", "130", "200",
    "230", "300", "330",  "400",  "430",  "500",  "530",  "600",  "630", "700", "730"};

// The texts of the slots, in the order of kSlotFields.
using SlotTexts = std::array<QString, kSlotCount>;

// The record source of the book's data control.
inline const char* const kScheduleQuery = "SELECT * FROM tblSalonReserv ORDER BY szDate_da ASC";

// Finds the row of a day and stylist among the rows of `rs`, in their order:
// the first whose szDate_da begins with the day's ISO text and whose
// szName_na equals `name` exactly, letter case counting (a row without a
// name matches no name). The row found becomes current. False when none.
bool findDayRow(db::Recordset& rs, const QDate& day, const QString& name);

// The stored slots of the day and stylist; a slot without a value, like a
// day without a row, reads as an empty text.
SlotTexts readDaySchedule(db::Recordset& rs, const QDate& day, const QString& name);

// Stores the slot texts as the schedule of the day and stylist. A row that is
// there gets all 22 slots, an empty box as an empty text. A new row carries
// the day, the name and the slots that are not empty; the others stay without
// a value. Throws db::Error when the row cannot be stored (nothing is stored).
void storeDaySchedule(db::Recordset& rs, const QDate& day, const QString& name, const SlotTexts& texts);

}  // namespace booking
