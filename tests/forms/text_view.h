// What a one-line box shows on screen: whether its whole text is in view,
// as the box draws it, not as the window wrote it.
#pragma once

#include <QFontMetrics>
#include <QLineEdit>

#include "platform/forms/controls.h"

namespace textview {

inline QLineEdit* lineOf(const forms::TextBox& box) {
  return qobject_cast<QLineEdit*>(box.widget());
}

// True when the box draws `text` from its first character to its last: it
// holds that text, and putting the caret at the end does not scroll the start
// out of view (a line edit scrolls a text wider than itself so that the
// caret stays in view, and then shows only a part of it).
inline bool showsWhole(const forms::TextBox& box, const QString& text) {
  QLineEdit* edit = lineOf(box);
  if (!edit || edit->text() != text) return false;
  const int saved = edit->cursorPosition();
  auto caretAt = [edit](int position) {
    edit->setCursorPosition(position);
    edit->grab();  // painting is where the box scrolls to its caret
    return edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
  };
  const int start = caretAt(0);
  const int end = caretAt(int(text.size()));
  edit->setCursorPosition(saved);
  return end - start >= QFontMetrics(edit->font()).horizontalAdvance(text) - 1;
}

inline bool showsWhole(const forms::TextBox& box) {
  return showsWhole(box, box.Text());
}

}  // namespace textview
