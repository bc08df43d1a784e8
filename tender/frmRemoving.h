// The removal dialog, which logs a removed line of a recalled ticket with a
// reason. So far it holds only the approving manager's first name: the
// keypad's manager check writes it into txtManager, which loads the dialog
// hidden, and the name stays there until the dialog unloads.
#pragma once

#include "platform/forms/controls.h"
#include "platform/forms/form.h"

namespace tender {

class frmRemoving : public forms::Form {
 public:
  frmRemoving();

  forms::TextBox txtManager{this, "txtManager"};
};

frmRemoving& Removing();

}  // namespace tender
