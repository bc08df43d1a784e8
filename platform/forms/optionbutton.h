// The option button: one of a group of which one at most is chosen.
//
//   forms::OptionButton Option1{this, "Option1"};
//   Option1.setCaption("View by Invoice");
//   Option1.onClick = [this] { Option1_Click(); };
//
// The group is every option button of the same container: the frame that
// holds them, or the form for those that sit on it. Choosing one (a click,
// or Value set to true) clears the others of its group and runs its Click;
// choosing the one already chosen runs nothing. Setting Value to false only
// clears the button.
#pragma once

#include "platform/forms/control.h"
#include "platform/forms/controls.h"

namespace forms {

class OptionButton : public Control {
 public:
  OptionButton(Form* form, const char* name, int index = -1);
  ~OptionButton() override;

  bool Value() const;
  void setValue(bool chosen);

  Handler onClick;

 protected:
  QWidget* createWidget(QWidget* parent) override;
  void pushText() override;
  void pushExtra() override;
  void saveDesign() override { valueDesign_ = value_; }
  void restoreDesign() override { value_ = valueDesign_; }

 private:
  void show(bool chosen);
  bool sameGroup(const OptionButton& other) const;
  bool value_ = false;
  bool valueDesign_ = false;
};

}  // namespace forms
