#include "platform/convert/datetext.h"

#include <gtest/gtest.h>

namespace rt {
namespace {

TEST(DateTextTest, ShowsDatesAndTimes) {
  EXPECT_EQ(ShortDate(QDate(2026, 12, 8)), "12/8/2026");
  EXPECT_EQ(ShortDate(QDate(2024, 5, 1)), "5/1/2024");
  EXPECT_EQ(IsoDate(QDate(2026, 12, 8)), "2026-12-08");

  struct TimeCase {
    int h, m, s;
    const char* longTime;
    const char* mediumTime;
    const char* iso;
  };
  const TimeCase times[] = {
      {9, 5, 3, "9:05:03 AM", "9:05 AM", "09:05:03"},      {14, 5, 9, "2:05:09 PM", "2:05 PM", "14:05:09"},
      {0, 0, 0, "12:00:00 AM", "12:00 AM", "00:00:00"},    {12, 30, 0, "12:30:00 PM", "12:30 PM", "12:30:00"},
      {23, 59, 59, "11:59:59 PM", "11:59 PM", "23:59:59"}, {6, 0, 0, "6:00:00 AM", "6:00 AM", "06:00:00"},
  };
  for (const TimeCase& c : times) {
    const QTime t(c.h, c.m, c.s);
    EXPECT_EQ(LongTime(t), c.longTime);
    EXPECT_EQ(MediumTime(t), c.mediumTime);
    EXPECT_EQ(IsoTime(t), c.iso);
    EXPECT_EQ(ParseTime(QString::fromUtf8(c.longTime)), t) << c.longTime;
    EXPECT_EQ(ParseTime(QString::fromUtf8(c.iso)), t) << c.iso;
    EXPECT_EQ(IsoTimeToShown(QString::fromUtf8(c.iso)), c.longTime);
  }
}

TEST(DateTextTest, ReadsShownAndStoredDates) {
  struct Case {
    const char* text;
    const char* iso;  // nullptr: not a date
  };
  const Case cases[] = {
      {"12/10/2026", "2026-12-10"},
      {"2026-12-10", "2026-12-10"},
      {"5/1/2024", "2024-05-01"},
      {"05/01/2024", "2024-05-01"},
      {" 5/31/2024 ", "2024-05-31"},
      {"5/1/24", "2024-05-01"},
      {"5/1/30", "1930-05-01"},
      {"2/29/2024", "2024-02-29"},
      {"2026-1-5", "2026-01-05"},
      {"2/29/2023", nullptr},
      {"13/1/2024", nullptr},
      {"2024-13-01", nullptr},
      {"0/1/2024", nullptr},
      {"", nullptr},
      {"today", nullptr},
      {"5/1", nullptr},
      {"5/1/2024 x", nullptr},
      {"5-1-2024", nullptr},
  };
  for (const Case& c : cases) {
    const std::optional<QString> iso = DateTextToIso(QString::fromUtf8(c.text));
    if (c.iso) {
      ASSERT_TRUE(iso.has_value()) << c.text;
      EXPECT_EQ(*iso, c.iso) << c.text;
    } else {
      EXPECT_FALSE(iso.has_value()) << c.text;
    }
  }
  EXPECT_EQ(IsoDateToShown("2026-12-08"), "12/8/2026");
  EXPECT_EQ(IsoDateToShown("garbage"), "garbage");
}

TEST(DateTextTest, ReadsShiftTimes) {
  struct Case {
    const char* text;
    const char* iso;  // nullptr: not a time
  };
  const Case cases[] = {
      {"6:00 AM", "06:00:00"},
      {"11:59 PM", "23:59:00"},
      {"12:00 AM", "00:00:00"},
      {"12:15 PM", "12:15:00"},
      {"9:05:03 am", "09:05:03"},
      {"6 AM", "06:00:00"},
      {"6PM", "18:00:00"},
      {"14:05", "14:05:00"},
      {"13:00 PM", nullptr},
      {"24:00", nullptr},
      {"9:60", nullptr},
      {"6", nullptr},
      {"", nullptr},
      {"noon", nullptr},
      {"9:5", nullptr},
      {"9:05:03:01", nullptr},
  };
  for (const Case& c : cases) {
    const std::optional<QString> iso = TimeTextToIso(QString::fromUtf8(c.text));
    if (c.iso) {
      ASSERT_TRUE(iso.has_value()) << c.text;
      EXPECT_EQ(*iso, c.iso) << c.text;
    } else {
      EXPECT_FALSE(iso.has_value()) << c.text;
    }
  }
  EXPECT_EQ(IsoTimeToShown("not a time"), "not a time");
}

}  // namespace
}  // namespace rt
