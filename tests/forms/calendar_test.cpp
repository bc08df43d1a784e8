// The month calendar: which event runs for which change of its day.
#include <functional>
#include <string>
#include <vector>

#include "tests/forms/drive.h"
#include "tests/forms/support.h"

namespace {

using forms::Instance;

class frmDiary : public forms::Form {
 public:
  frmDiary() : Form("frmDiary") {
    Move(0, 0, 6600, 6300);
    Calendar1.Move(120, 120, 6375, 6015);
    Calendar1.onClick = [this] { seen.push_back("Click " + day()); };
    Calendar1.onChange = [this] { seen.push_back("Change " + day()); };
  }
  forms::Calendar Calendar1{this, "Calendar1"};
  std::vector<std::string> seen;  // each event with the day the handler read

 private:
  std::string day() { return Calendar1.Value().toString(Qt::ISODate).toStdString(); }
};

class CalendarTest : public FormsTest {};

TEST_F(CalendarTest, EachChangeOfTheDayRunsItsOwnEvent) {
  Instance<frmDiary> f;
  f->Show();
  f->Calendar1.setValue(QDate(2026, 1, 15));
  ASSERT_TRUE(f->seen.empty()) << "a write by code raises nothing";

  struct Step {
    const char* what;
    std::function<void()> act;
    QDate value;
    std::vector<std::string> seen;  // every event so far
  };
  const forms::Calendar& cal = f->Calendar1;
  const std::vector<Step> steps = {
      {"click on another day",
       [&] { drive::clickDay(cal, QDate(2026, 1, 20)); },
       QDate(2026, 1, 20),
       {"Click 2026-01-20"}},
      {"click on the day shown",
       [&] { drive::clickDay(cal, QDate(2026, 1, 20)); },
       QDate(2026, 1, 20),
       {"Click 2026-01-20", "Click 2026-01-20"}},
      {"arrow key",
       [&] { drive::pressKey(cal, Qt::Key_Right); },
       QDate(2026, 1, 21),
       {"Click 2026-01-20", "Click 2026-01-20", "Change 2026-01-21"}},
      {"page down a month",
       [&] { drive::pressKey(cal, Qt::Key_PageDown); },
       QDate(2026, 2, 21),
       {"Click 2026-01-20", "Click 2026-01-20", "Change 2026-01-21", "Change 2026-02-21"}},
      {"month selector turns the page only",
       [&] { drive::nextMonth(cal); },
       QDate(2026, 2, 21),
       {"Click 2026-01-20", "Click 2026-01-20", "Change 2026-01-21", "Change 2026-02-21"}},
      {"write by code",
       [&] { f->Calendar1.setValue(QDate(2026, 7, 4)); },
       QDate(2026, 7, 4),
       {"Click 2026-01-20", "Click 2026-01-20", "Change 2026-01-21", "Change 2026-02-21"}},
  };
  for (const Step& s : steps) {
    s.act();
    EXPECT_EQ(f->Calendar1.Value(), s.value) << s.what;
    EXPECT_EQ(drive::widgetOf(cal)->selectedDate(), s.value) << s.what;
    EXPECT_EQ(f->seen, s.seen) << s.what;
  }
  EXPECT_EQ(drive::widgetOf(cal)->monthShown(), 7) << "a write by code shows its month";
}

TEST_F(CalendarTest, EveryLoadStartsOnToday) {
  Instance<frmDiary> f;
  EXPECT_EQ(f->Calendar1.Value(), QDate::currentDate());
  f->Calendar1.setValue(QDate(2020, 2, 29));
  f->Unload();
  EXPECT_EQ(f->Calendar1.Value(), QDate::currentDate());
  EXPECT_THROW(f->Calendar1.setValue(QDate()), forms::Error);
}

}  // namespace
