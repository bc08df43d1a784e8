// The month calendar (`Calendar1`): one picked day, shown on a month page.
//
// Value is the picked day. It starts at today each time the window loads
// (unless the design gave it a day). The user picks a day in two ways:
// - clicking a day runs Click, also when the day clicked is the one already
//   picked (a click on a day of the next or previous month turns the page);
// - moving the day with the keys (arrows, Page Up/Down, Home/End) runs Change.
// The month and year selectors only turn the page: the picked day stays, and
// nothing runs. Writing Value from code raises nothing.
#pragma once

#include <QDate>

#include "platform/forms/control.h"
#include "platform/forms/controls.h"

namespace forms {

class Calendar : public Control {
 public:
  Calendar(Form* form, const char* name, int index = -1);

  QDate Value() const;
  // Picks the day and shows its month; runs neither Click nor Change.
  void setValue(const QDate& date);

  Handler onClick;
  Handler onChange;

 protected:
  QWidget* createWidget(QWidget* parent) override;
  void pushExtra() override;
  void saveDesign() override { valueDesign_ = value_; }
  void restoreDesign() override { value_ = valueDesign_; }

 private:
  friend class CalendarClicks;
  void pickedByUser(const QDate& date);
  void clickedByUser(const QDate& date);
  // Delivers a mouse release to the day grid itself, so that the day change
  // it makes is known to be part of a click.
  bool deliverClick(QObject* watched, QEvent* event);

  QDate value_;
  QDate valueDesign_;
  bool inClick_ = false;
};

}  // namespace forms
