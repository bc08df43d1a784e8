#include "platform/forms/listbox.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace forms {

ListBox::ListBox(Form* form, const char* name, int index) : Control(form, name, index) {
  p_.back = vbWindowBackground;
  p_.fore = vbWindowText;
}

QWidget* ListBox::createWidget(QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  QObject::connect(list, &QListWidget::currentRowChanged, link(), [this](int row) {
    if (row >= 0 && row != l_.listIndex) choose(row);
  });
  watch(list);
  watch(list->viewport());
  return list;
}

void ListBox::pushExtra() {
  pushItems();
}

void ListBox::pushItems() {
  auto* list = qobject_cast<QListWidget*>(widget_.data());
  if (!list) return;
  const QSignalBlocker block(list);
  list->clear();
  list->addItems(l_.items);
  list->setCurrentRow(l_.listIndex);
}

void ListBox::choose(int index) {
  l_.listIndex = index;
  p_.text = index >= 0 ? l_.items[index] : QString();
  if (auto* list = qobject_cast<QListWidget*>(widget_.data())) {
    const QSignalBlocker block(list);
    list->setCurrentRow(index);
  }
  if (!designing()) fire(onClick);
}

void ListBox::AddItem(const QString& item, int index) {
  touch();
  detail::insertItem(l_.items, l_.listIndex, item, index);
  if (widget_) pushItems();
}

void ListBox::RemoveItem(int index) {
  touch();
  if (detail::removeItem(l_.items, l_.listIndex, index)) p_.text.clear();
  if (widget_) pushItems();
}

void ListBox::Clear() {
  touch();
  l_.items.clear();
  l_.listIndex = -1;
  p_.text.clear();
  if (widget_) pushItems();
}

int ListBox::ListCount() const {
  touch();
  return int(l_.items.size());
}

QString ListBox::List(int index) const {
  touch();
  return index >= 0 && index < l_.items.size() ? l_.items[index] : QString();
}

int ListBox::ListIndex() const {
  touch();
  return l_.listIndex;
}

void ListBox::setListIndex(int index) {
  touch();
  if (index < -1 || index >= l_.items.size()) throw Error(QStringLiteral("Invalid property value"), 380);
  if (index == l_.listIndex) return;
  choose(index);
}

}  // namespace forms
