// Works a data-bound grid as the user does: types into a cell's editor and
// presses Enter, clicks a row, picks rows by their selectors, presses a key.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <stdexcept>

#include "platform/forms/dbgrid.h"

namespace drive {

inline QTableView* gridView(forms::DBGrid& grid) {
  auto* v = qobject_cast<QTableView*>(grid.widget());
  if (!v) throw std::logic_error("the grid's window is not loaded");
  return v;
}

// Opens the cell's editor, types the text over what it holds and presses
// Enter (or leaves the editor open).
inline void typeInto(forms::DBGrid& grid, int row, int col, const QString& text, bool enter = true) {
  QTableView* v = gridView(grid);
  const QModelIndex cell = v->model()->index(row, col);
  if (!cell.isValid()) throw std::logic_error("no such cell");
  v->setCurrentIndex(cell);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // an editor closed before goes first
  v->edit(cell);
  QLineEdit* editor = nullptr;
  for (QLineEdit* e : v->viewport()->findChildren<QLineEdit*>())
    if (e->isVisible()) editor = e;
  if (!editor) throw std::logic_error("no editor opened on the cell");
  editor->setText(text);
  if (enter) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(editor, &key);
    QCoreApplication::processEvents();  // the editor hands its text over once the key is handled
  }
}

// A click on a row (its first cell): an open editor hands over its text first.
inline void clickRow(forms::DBGrid& grid, int row) {
  QTableView* v = gridView(grid);
  v->setCurrentIndex(v->model()->index(row, 0));
}

// A click on the row's record selector, with Ctrl for a further pick.
inline void pickRow(forms::DBGrid& grid, int row, bool add = false) {
  QTableView* v = gridView(grid);
  v->selectionModel()->select(
      v->model()->index(row, 0),
      (add ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect) | QItemSelectionModel::Rows);
}

inline void pressKey(forms::DBGrid& grid, Qt::Key key) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(gridView(grid), &down);
}

}  // namespace drive
