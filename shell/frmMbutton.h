// The launcher: a borderless child window of the main window with the two
// large buttons of daily work.
#pragma once

#include "platform/forms/controls.h"
#include "platform/forms/form.h"

namespace shell {

class frmMbutton : public forms::Form {
 public:
  frmMbutton();

  forms::CommandButton cmdSales{this, "cmdSales"};
  forms::CommandButton cmdReservation{this, "cmdReservation"};

 protected:
  void Form_Load() override;

 private:
  void cmdSales_Click();
  void cmdReservation_Click();
};

frmMbutton& Mbutton();

}  // namespace shell
