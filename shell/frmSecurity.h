// The security window: three on/off switches of the station, and the one-shot
// approval of a line deletion.
//
// Its boxes are bound to the install folder's Duzo98HS.mdb: chkEmplyID and
// chkItmDelSec to the row of tabPword, chkecd to the station-settings row
// tbSet. Readers read the boxes' Value when they need it (the first read loads
// the window, which then shows as a child of the main window); the rows get a
// change when the window unloads. The boxes have no steps of their own.
//
// ItemDeleteGrant is the tag of chkItmDelSec: "Allow" while a manager's
// approval of one deletion is pending, else empty. Nothing here sets it; the
// keypad's manager check writes "Allow", the line deletion, the receipt and
// the store-and-reset step empty it, and unloading the window drops it.
#pragma once

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/form.h"

namespace shell {

class frmSecurity : public forms::Form {
 public:
  frmSecurity();

  // Closes the window when clicked.
  forms::Label Label1{this, "Label1"};
  forms::Label lblEmplyID{this, "lblEmplyID"};
  // Ticked: the receipt prints without asking for a stylist.
  forms::CheckBox chkEmplyID{this, "chkEmplyID"};
  forms::Label lblItmDelSec{this, "lblItmDelSec"};
  // Set: deleting a line of a recalled ticket needs a manager. Its tag is
  // ItemDeleteGrant.
  forms::CheckBox chkItmDelSec{this, "chkItmDelSec"};
  forms::Label lblecd{this, "lblecd"};
  // Stored only.
  forms::CheckBox chkecd{this, "chkecd"};
  forms::CommandButton cmdClose{this, "cmdClose"};
  forms::Data datPW{this, "datPW"};          // tabPword
  forms::Data datcmdSet{this, "datcmdSet"};  // tbSet

 protected:
  void Form_Load() override;

 private:
  void cmdClose_Click();
  void Label1_Click();
};

frmSecurity& Security();

}  // namespace shell
