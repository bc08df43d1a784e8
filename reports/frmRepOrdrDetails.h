// The order-detail report: the stored ticket lines of one order type, a
// period and a shift, sorted by ticket number, item or date.
//
// Its state lives in its controls: the period and shift boxes, the order type
// of the last listing in the tag of the hidden txtAmount, the sort choice in
// the tag of the grid. The view options only choose the sort; each order-type
// button lists again with all four. The sales report's More Details writes
// the period into txtFrom and txtTo, which queries nothing.
#pragma once

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/dbgrid.h"
#include "platform/forms/form.h"
#include "platform/forms/optionbutton.h"

namespace reports {

class frmRepOrdrDetails : public forms::Form {
 public:
  frmRepOrdrDetails();

  forms::Label lblFrom{this, "lblFrom"};
  forms::TextBox txtFrom{this, "txtFrom"};
  forms::Label lblTo{this, "lblTo"};
  forms::TextBox txtTo{this, "txtTo"};
  forms::Label lblStart{this, "lblStart"};
  forms::TextBox txtSTime{this, "txtSTime"};
  forms::Label lblEnd{this, "lblEnd"};
  forms::TextBox txtETime{this, "txtETime"};
  forms::TextBox txtAmount{this, "txtAmount"};

  forms::CommandButton cmdBar{this, "cmdBar"};
  forms::CommandButton cmdDel{this, "cmdDel"};
  forms::CommandButton cmdDineIn{this, "cmdDineIn"};
  forms::CommandButton cmdSO{this, "cmdSO"};
  forms::CommandButton cmdTakeOut{this, "cmdTakeOut"};
  forms::CommandButton cmdTotal{this, "cmdTotal"};

  forms::OptionButton Option1{this, "Option1"};
  forms::OptionButton Option2{this, "Option2"};
  forms::OptionButton Option3{this, "Option3"};

  forms::Data datOrdrDetails{this, "datOrdrDetails"};
  forms::DBGrid DBGRepDetail{this, "DBGRepDetail"};
  forms::CommandButton cmdClose{this, "cmdClose"};

 protected:
  void Form_Load() override;

 private:
  // Each order-type button: its type into the tag, then the listing.
  void OrderType_Click(const QString& type);
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void cmdClose_Click();
  void LoadOrderDetails();
};

frmRepOrdrDetails& RepOrdrDetails();

}  // namespace reports
