#include "platform/forms/calendar.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QSignalBlocker>

namespace forms {

// Watches the day grid for the release of a mouse button, which is when the
// grid picks the clicked day and reports the click.
class CalendarClicks : public QObject {
 public:
  CalendarClicks(Calendar* calendar, QObject* parent) : QObject(parent), calendar_(calendar) {}
  // Nothing of this object is used after the call: a handler run by the
  // click may unload the form, which deletes this filter.
  bool eventFilter(QObject* watched, QEvent* event) override {
    return calendar_->deliverClick(watched, event);
  }

 private:
  Calendar* calendar_;
};

Calendar::Calendar(Form* form, const char* name, int index) : Control(form, name, index) {
  p_.back = vbWindowBackground;
  p_.fore = vbWindowText;
  p_.width = 4800;
  p_.height = 3600;
}

QWidget* Calendar::createWidget(QWidget* parent) {
  // A window that loads shows today unless the design picked a day.
  if (!value_.isValid()) value_ = QDate::currentDate();

  auto* calendar = new QCalendarWidget(parent);
  calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  calendar->setFirstDayOfWeek(Qt::Sunday);
  calendar->setGridVisible(true);
  QObject::connect(calendar, &QCalendarWidget::selectionChanged, link(),
                   [this, calendar] { pickedByUser(calendar->selectedDate()); });
  QObject::connect(calendar, &QCalendarWidget::clicked, link(),
                   [this](const QDate& date) { clickedByUser(date); });
  if (auto* days = calendar->findChild<QAbstractItemView*>())
    days->viewport()->installEventFilter(new CalendarClicks(this, link()));
  return calendar;
}

void Calendar::pushExtra() {
  if (auto* calendar = qobject_cast<QCalendarWidget*>(widget_.data())) calendar->setSelectedDate(value_);
}

QDate Calendar::Value() const {
  touch();
  return value_;
}

void Calendar::setValue(const QDate& date) {
  touch();
  if (!date.isValid()) throw Error(QStringLiteral("Invalid property value"), 380);
  value_ = date;
  if (widget_) {
    const QSignalBlocker block(widget_.data());
    pushExtra();
  }
}

bool Calendar::deliverClick(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonRelease || inClick_) return false;
  inClick_ = true;
  QCoreApplication::sendEvent(watched, event);
  inClick_ = false;
  return true;
}

void Calendar::pickedByUser(const QDate& date) {
  if (!date.isValid() || date == value_) return;
  value_ = date;
  // A day picked by a click runs Click, which follows at once.
  if (!inClick_) fire(onChange);
}

void Calendar::clickedByUser(const QDate& date) {
  if (date.isValid()) value_ = date;
  fire(onClick);
}

}  // namespace forms
