#include "booking/schedule.h"

#include "platform/convert/datetext.h"

namespace booking {

namespace {

const QString kDayField = QStringLiteral("szDate_da");
const QString kNameField = QStringLiteral("szName_na");

// The day and the name are compared by the file (the day as a plain prefix,
// no pattern characters); the name is compared once more below, since the
// file may compare it without regard to case.
const QString kDayAndName = QStringLiteral("InStr(szDate_da, ?) = 1 AND szName_na = ?");

}  // namespace

bool findDayRow(db::Recordset& rs, const QDate& day, const QString& name) {
  const db::Params params{rt::IsoDate(day), name};
  for (rs.findFirst(kDayAndName, params); !rs.noMatch(); rs.findNext(kDayAndName, params)) {
    const QVariant stored = rs.field(kNameField);
    if (!stored.isNull() && stored.toString() == name) return true;
  }
  return false;
}

SlotTexts readDaySchedule(db::Recordset& rs, const QDate& day, const QString& name) {
  SlotTexts texts;
  if (!findDayRow(rs, day, name)) return texts;
  for (int i = 0; i < kSlotCount; ++i) texts[i] = rs.field(QString::fromLatin1(kSlotFields[i])).toString();
  return texts;
}

void storeDaySchedule(db::Recordset& rs, const QDate& day, const QString& name, const SlotTexts& texts) {
  if (findDayRow(rs, day, name)) {
    rs.edit();
    // An emptied box is stored as an empty text, not as no value.
    for (int i = 0; i < kSlotCount; ++i)
      rs.setField(QString::fromLatin1(kSlotFields[i]), texts[i].isNull() ? QStringLiteral("") : texts[i]);
  } else {
    rs.addNew();
    rs.setField(kNameField, name.isNull() ? QStringLiteral("") : name);
    rs.setField(kDayField, rt::IsoDate(day));
    for (int i = 0; i < kSlotCount; ++i)
      if (!texts[i].isEmpty()) rs.setField(QString::fromLatin1(kSlotFields[i]), texts[i]);
  }
  try {
    rs.update();
  } catch (...) {
    rs.cancelUpdate();
    throw;
  }
}

}  // namespace booking
