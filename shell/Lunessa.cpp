#include "shell/Lunessa.h"

#include "shell/appinfo.h"
#include "shell/frmInfor.h"
#include "shell/frmMbutton.h"
#include "shell/frmSetPtr.h"

namespace shell {

Lunessa::Lunessa() : MDIForm("Lunessa") {
  setCaption(QStringLiteral("Lunessa - Dovrel's POS"));
  setBackColor(kSettingsGreen);
  setWidth(15360);
  setHeight(11520);
  setWindowState(forms::vbMaximized);

  mmFile.setCaption(QStringLiteral("File"));
  mmClose.setCaption(QStringLiteral("Close"));
  mmWindows.setCaption(QStringLiteral("Windows"));
  mmMain.setCaption(QStringLiteral("Main Window"));
  mmReports.setCaption(QStringLiteral("Reports"));
  mmCustmrList.setCaption(QStringLiteral("Customer List"));
  mmEmployee.setCaption(QStringLiteral("Employees"));
  mmSalesRep.setCaption(QStringLiteral("Sales Report"));
  mmSettings.setCaption(QStringLiteral("Settings"));
  mmInfor.setCaption(QStringLiteral("Information"));
  mmPrinter.setCaption(QStringLiteral("Printer"));
  mmMenus.setCaption(QStringLiteral("Menus"));
  mmHelp.setCaption(QStringLiteral("Help"));
  mmChk.setCaption(QStringLiteral("Check for Update"));
  mmAbout.setCaption(QStringLiteral("About"));

  // Entries whose windows are not part of this build yet stay visible but
  // cannot be chosen.
  for (forms::Menu* later : {&mmCustmrList, &mmEmployee, &mmSalesRep, &mmMenus, &mmChk, &mmAbout})
    later->setEnabled(false);

  mmClose.onClick = [this] { mmClose_Click(); };
  mmMain.onClick = [this] { mmMain_Click(); };
  mmInfor.onClick = [this] { mmInfor_Click(); };
  mmPrinter.onClick = [this] { mmPrinter_Click(); };
}

void Lunessa::MDIForm_Load() {
  Mbutton().Show();
}

// Unloading the frame asks every child first; any of them can stop it. Once
// the frame has unloaded, the program ends.
void Lunessa::mmClose_Click() {
  forms::Unload(*this);
}

void Lunessa::mmMain_Click() {
  Mbutton().Show();
}

void Lunessa::mmInfor_Click() {
  Infor().Show();
}

void Lunessa::mmPrinter_Click() {
  SetPtr().Show();
}

Lunessa& MainWindow() {
  return forms::global<Lunessa>();
}

}  // namespace shell
