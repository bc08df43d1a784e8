// The customer list: the customers of Ref.mdb in an editable grid ordered by
// phone number. Typing over a row changes that customer, the new-row line
// adds one, and rows picked by their selectors are deleted with Delete; the
// grid stores each straight into tblCustmr.
#pragma once

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/dbgrid.h"
#include "platform/forms/form.h"

namespace reports {

class frmRepCustmr : public forms::Form {
 public:
  frmRepCustmr();

  forms::Label lblCustmer{this, "lblCustmer"};
  forms::Label Label1{this, "Label1"};
  forms::Label Label2{this, "Label2"};
  forms::Label Label3{this, "Label3"};
  forms::Label Label4{this, "Label4"};
  forms::Data datCustmr{this, "datCustmr"};
  forms::DBGrid DBGrid1{this, "DBGrid1"};
  forms::Label lblNotes{this, "lblNotes"};
  forms::Image imgExit{this, "imgExit"};

 protected:
  void Form_Load() override;

 private:
  void imgExit_Click();
  void Label1_Click();
};

frmRepCustmr& RepCustmr();

}  // namespace reports
