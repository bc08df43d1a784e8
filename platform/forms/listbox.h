// A list box: a list of texts the clerk can pick one of.
#pragma once

#include <QStringList>

#include "platform/forms/controls.h"

namespace forms {

class ListBox : public Control {
 public:
  ListBox(Form* form, const char* name, int index = -1);

  void AddItem(const QString& item, int index = -1);
  void RemoveItem(int index);
  // Empties the list.
  void Clear();
  int ListCount() const;
  // The item at `index`; empty outside the list.
  QString List(int index) const;
  // -1: no item chosen. Choosing an item (the clerk or code) makes Text the
  // item's text and runs Click.
  int ListIndex() const;
  void setListIndex(int index);

  Handler onClick;

 protected:
  QWidget* createWidget(QWidget* parent) override;
  void pushExtra() override;
  void saveDesign() override { lDesign_ = l_; }
  void restoreDesign() override { l_ = lDesign_; }

 private:
  void pushItems();
  void choose(int index);
  struct ListProps {
    QStringList items;
    int listIndex = -1;
  };
  ListProps l_;
  ListProps lDesign_;
};

}  // namespace forms
