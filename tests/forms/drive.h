// Works controls as the user does: a mouse click on a day cell of a month
// calendar, a key pressed in its day grid, its month selector; a choice from
// the list of a combo box; a click on a cell of a flexible grid; a text
// pasted or dropped into a text box.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTableWidget>
#include <QToolButton>
#include <stdexcept>

#include "platform/forms/calendar.h"
#include "platform/forms/controls.h"
#include "platform/forms/flexgrid.h"

namespace drive {

inline QCalendarWidget* widgetOf(const forms::Calendar& c) {
  auto* w = qobject_cast<QCalendarWidget*>(c.widget());
  if (!w) throw std::logic_error("the calendar's window is not loaded");
  return w;
}

inline QAbstractItemView* dayGrid(const forms::Calendar& c) {
  auto* grid = widgetOf(c)->findChild<QAbstractItemView*>();
  if (!grid) throw std::logic_error("the calendar has no day grid");
  return grid;
}

// The cell of `date`, which must lie in the month the calendar shows. The
// grid lists the days row by row; the month's days run on from its "1"
// (cells before it belong to the month before).
inline QModelIndex cellOf(const forms::Calendar& c, const QDate& date) {
  QCalendarWidget* w = widgetOf(c);
  if (date.year() != w->yearShown() || date.month() != w->monthShown())
    throw std::logic_error("the day is not on the page shown");
  QAbstractItemModel* model = dayGrid(c)->model();
  int counted = 0;
  for (int row = 0; row < model->rowCount(); ++row) {
    for (int col = 0; col < model->columnCount(); ++col) {
      const QModelIndex cell = model->index(row, col);
      bool number = false;
      const int day = model->data(cell, Qt::DisplayRole).toString().toInt(&number);
      if (!number) continue;
      if (counted == 0 && day != 1) continue;
      ++counted;
      if (counted == date.day()) return cell;
    }
  }
  throw std::logic_error("day cell not found");
}

// Presses and releases the left button over a cell of an item view.
inline void clickIndex(QAbstractItemView* view, const QModelIndex& cell) {
  const QPoint at = view->visualRect(cell).center();
  QWidget* viewport = view->viewport();
  const QPointF global = viewport->mapToGlobal(QPointF(at));
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(viewport, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(viewport, &release);
}

// Presses and releases the left button over the day's cell.
inline void clickDay(const forms::Calendar& c, const QDate& date) {
  clickIndex(dayGrid(c), cellOf(c, date));
}

// Clicks a cell of a flexible grid, which must be on screen (scrolled to).
inline void clickCell(const forms::MSFlexGrid& grid, int row, int col) {
  auto* table = qobject_cast<QTableWidget*>(grid.widget());
  if (!table) throw std::logic_error("the grid's window is not loaded");
  const QModelIndex cell = table->model()->index(row, col);
  table->scrollTo(cell);
  clickIndex(table, cell);
}

inline void pressKey(const forms::Calendar& c, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(dayGrid(c), &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
  QApplication::sendEvent(dayGrid(c), &release);
}

// The month selector's arrow to the next month.
inline void nextMonth(const forms::Calendar& c) {
  auto* button = widgetOf(c)->findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth"));
  if (!button) throw std::logic_error("the calendar has no next-month button");
  button->click();
}

// Opens the list of the combo box and chooses the item at `index` with the
// keyboard, as the clerk does with the list open.
inline void chooseFromList(const forms::ComboBox& c, int index) {
  auto* combo = qobject_cast<QComboBox*>(c.widget());
  if (!combo) throw std::logic_error("the combo box's window is not loaded");
  combo->showPopup();
  QAbstractItemView* list = combo->view();
  list->setCurrentIndex(list->model()->index(index, 0));
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(list, &enter);
}

// The ways a text reaches a text box other than typed key by key: pasted
// from the clipboard with Ctrl+V or Shift+Insert, or with the Paste of the
// box's context menu, and dragged and dropped onto it. (A middle-button
// paste needs the system's selection, which the offscreen platform lacks.)
enum class Arrival { CtrlV, ShiftInsert, ContextPaste, Drop };

inline const char* arrivalName(Arrival how) {
  switch (how) {
    case Arrival::CtrlV:
      return "Ctrl+V";
    case Arrival::ShiftInsert:
      return "Shift+Insert";
    case Arrival::ContextPaste:
      return "the context menu's Paste";
    case Arrival::Drop:
      return "drag and drop";
  }
  return "";
}

// Puts `text` into the box the way `how` says, where its caret is (a drop
// lands at the end of its text).
inline void arrive(forms::TextBox& box, const QString& text, Arrival how) {
  auto* edit = qobject_cast<QLineEdit*>(box.widget());
  if (!edit) throw std::logic_error("the box's window is not loaded");
  switch (how) {
    case Arrival::CtrlV: {
      QGuiApplication::clipboard()->setText(text);
      QKeyEvent key(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
      QApplication::sendEvent(edit, &key);
      break;
    }
    case Arrival::ShiftInsert: {
      QGuiApplication::clipboard()->setText(text);
      QKeyEvent key(QEvent::KeyPress, Qt::Key_Insert, Qt::ShiftModifier);
      QApplication::sendEvent(edit, &key);
      break;
    }
    case Arrival::ContextPaste:
      QGuiApplication::clipboard()->setText(text);
      edit->paste();
      break;
    case Arrival::Drop: {
      QMimeData mime;
      mime.setText(text);
      const QPointF at(edit->width() - 2, edit->height() / 2.0);
      QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(edit, &enter);
      QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(edit, &drop);
      break;
    }
  }
}

constexpr Arrival kArrivals[] = {Arrival::CtrlV, Arrival::ShiftInsert, Arrival::ContextPaste, Arrival::Drop};

}  // namespace drive
