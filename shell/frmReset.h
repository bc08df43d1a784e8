// The check-book window: live or training tickets.
//
// Its display box is bound to the one row of tbReset in the install folder's
// Duzo98HS.mdb: "Check Book" is live (Ordr.mdb), "Training Check Book"
// training (TOrdr.mdb); any other text was damaged, and no reader opens
// tickets by it (the window shows it as not live). Only the two picture
// buttons change it. It has no menu entry: the first window that reads the
// mode loads it (through currentCheckBookMode(), placement.h), and it then
// shows as a child of the main window. "Fresh", offered while the live check book is chosen, empties
// the training tickets after a prompt.
#pragma once

#include <QString>
#include <optional>

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/form.h"

namespace shell {

class frmReset : public forms::Form {
 public:
  frmReset();

  forms::Label Label1{this, "Label1"};
  forms::TextBox txtDisplay{this, "txtDisplay"};
  forms::Image imgChk{this, "imgChk"};
  forms::Label lblBusiness{this, "lblBusiness"};
  forms::Image imgWchk{this, "imgWchk"};
  forms::Image imgTrain{this, "imgTrain"};
  forms::Label lblTraining{this, "lblTraining"};
  forms::Image imgWtrain{this, "imgWtrain"};
  // "Fresh"; its tag carries the prompt's answer ("Yes" for "Del").
  forms::CommandButton cmdReset{this, "cmdReset"};
  forms::CommandButton cmdClose{this, "cmdClose"};
  forms::Data datChkBook{this, "datChkBook"};

  // Why the display box shows no mode a reader may use (see
  // checkBookModeFailure); loads the window, without a message, when it is
  // not loaded.
  std::optional<QString> settingsFailure();

 protected:
  void Form_Load() override;

 private:
  void imgChk_Click();
  void imgTrain_Click();
  void txtDisplay_Change();
  void cmdReset_Click();
  void cmdClose_Click();

  std::optional<QString> loadFailure_;  // why the last load could not read the row
  bool quietLoad_ = false;              // the reader that loads the window tells the failure
};

frmReset& Reset();

}  // namespace shell
