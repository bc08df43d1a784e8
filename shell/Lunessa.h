// The main window: the frame in which most windows appear as child windows,
// with the menu bar that opens them.
#pragma once

#include "platform/forms/controls.h"
#include "platform/forms/form.h"

namespace shell {

class Lunessa : public forms::MDIForm {
 public:
  Lunessa();

  forms::Menu mmFile{this, "mmFile"};
  forms::Menu mmClose{this, "mmClose", &mmFile};
  forms::Menu mmWindows{this, "mmWindows"};
  forms::Menu mmMain{this, "mmMain", &mmWindows};
  forms::Menu mmReports{this, "mmReports"};
  forms::Menu mmCustmrList{this, "mmCustmrList", &mmReports};
  forms::Menu mmEmployee{this, "mmEmployee", &mmReports};
  forms::Menu mmSalesRep{this, "mmSalesRep", &mmReports};
  forms::Menu mmSettings{this, "mmSettings"};
  forms::Menu mmInfor{this, "mmInfor", &mmSettings};
  forms::Menu mmPrinter{this, "mmPrinter", &mmSettings};
  forms::Menu mmMenus{this, "mmMenus", &mmSettings};
  forms::Menu mmHelp{this, "mmHelp"};
  forms::Menu mmChk{this, "mmChk", &mmHelp};
  forms::Menu mmAbout{this, "mmAbout", &mmHelp};

 protected:
  void MDIForm_Load() override;

 private:
  void mmClose_Click();
  void mmMain_Click();
  void mmInfor_Click();
  void mmPrinter_Click();
};

Lunessa& MainWindow();

}  // namespace shell
