// The main window: the frame in which most windows appear as child windows,
// with the menu bar that opens them.
#pragma once

#include <QString>
#include <functional>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/inet.h"

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
  // The transfer control of the update check.
  forms::Inet Inet1{this, "Inet1"};

  // Where the update check asks (tests point it at their own server).
  QString updateServer;
  // Opens a URL with the desktop's default handler (tests record instead).
  std::function<bool(const QString& url)> urlOpener;

 protected:
  void MDIForm_Load() override;

 private:
  void mmClose_Click();
  void mmMain_Click();
  void mmInfor_Click();
  void mmPrinter_Click();
  void mmEmployee_Click();
  void mmSalesRep_Click();
  void mmCustmrList_Click();
  void mmMenus_Click();
  void mmChk_Click();
  void mmAbout_Click();
  bool OpenUrl(const QString& url);

  bool checking_ = false;  // an update check waits for the server
};

Lunessa& MainWindow();

}  // namespace shell
