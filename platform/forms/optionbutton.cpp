#include "platform/forms/optionbutton.h"

#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>
#include <vector>

namespace forms {

namespace {

// Every option button of the program, to find the members of a group.
std::vector<OptionButton*>& allOptions() {
  static std::vector<OptionButton*> options;
  return options;
}

}  // namespace

OptionButton::OptionButton(Form* form, const char* name, int index) : Control(form, name, index) {
  allOptions().push_back(this);
}

OptionButton::~OptionButton() {
  std::vector<OptionButton*>& options = allOptions();
  options.erase(std::remove(options.begin(), options.end(), this), options.end());
}

QWidget* OptionButton::createWidget(QWidget* parent) {
  auto* button = new QRadioButton(parent);
  // The group is kept here, not by Qt: a click only asks to be chosen.
  button->setAutoExclusive(false);
  QObject::connect(button, &QRadioButton::clicked, link(), [this] {
    if (value_) {
      show(true);  // a click on the chosen button leaves it chosen
      return;
    }
    setValue(true);
  });
  watch(button);
  return button;
}

void OptionButton::pushText() {
  if (auto* button = qobject_cast<QRadioButton*>(widget_.data())) button->setText(p_.text);
}

void OptionButton::pushExtra() {
  if (auto* button = qobject_cast<QRadioButton*>(widget_.data())) button->setChecked(value_);
}

void OptionButton::show(bool chosen) {
  value_ = chosen;
  if (widget_) {
    const QSignalBlocker block(widget_.data());
    pushExtra();
  }
}

bool OptionButton::sameGroup(const OptionButton& other) const {
  return &other != this && &other.Parent() == &Parent() && other.container() == container();
}

bool OptionButton::Value() const {
  touch();
  return value_;
}

void OptionButton::setValue(bool chosen) {
  touch();
  if (chosen == value_) return;
  if (!chosen) {
    show(false);
    return;
  }
  const std::vector<OptionButton*> options = allOptions();
  for (OptionButton* other : options)
    if (sameGroup(*other) && other->value_) other->show(false);
  show(true);
  if (!designing()) fire(onClick);
}

}  // namespace forms
