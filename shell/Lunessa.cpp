#include "shell/Lunessa.h"

#include <QDesktopServices>
#include <QUrl>

#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "reports/frmRepCustmr.h"
#include "reports/frmRepDy.h"
#include "reports/frmSetMenu.h"
#include "shell/appinfo.h"
#include "shell/frmAbout.h"
#include "shell/frmEmploye.h"
#include "shell/frmInfor.h"
#include "shell/frmMbutton.h"
#include "shell/frmSetPtr.h"
#include "shell/update.h"

namespace shell {

namespace {
// At most this long for each fetch of the update check.
constexpr int kUpdateTimeoutMs = 10000;
}  // namespace

Lunessa::Lunessa() : MDIForm("Lunessa"), updateServer(kUpdateServer) {
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

  Inet1.setRequestTimeoutMs(kUpdateTimeoutMs);

  mmClose.onClick = [this] { mmClose_Click(); };
  mmMain.onClick = [this] { mmMain_Click(); };
  mmInfor.onClick = [this] { mmInfor_Click(); };
  mmPrinter.onClick = [this] { mmPrinter_Click(); };
  mmEmployee.onClick = [this] { mmEmployee_Click(); };
  mmSalesRep.onClick = [this] { mmSalesRep_Click(); };
  mmCustmrList.onClick = [this] { mmCustmrList_Click(); };
  mmMenus.onClick = [this] { mmMenus_Click(); };
  mmChk.onClick = [this] { mmChk_Click(); };
  mmAbout.onClick = [this] { mmAbout_Click(); };
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

void Lunessa::mmEmployee_Click() {
  Employe().Show();
}

// The report windows and the menu editor, modeless inside the main window.
void Lunessa::mmSalesRep_Click() {
  reports::RepDy().Show();
}

void Lunessa::mmCustmrList_Click() {
  reports::RepCustmr().Show();
}

void Lunessa::mmMenus_Click() {
  reports::SetMenu().Show();
}

void Lunessa::mmAbout_Click() {
  About().Show();
}

bool Lunessa::OpenUrl(const QString& url) {
  if (urlOpener) return urlOpener(url);
  return QDesktopServices::openUrl(QUrl(url));
}

// Asks the update server for its newest version. The window stays usable
// while it waits (a second click meanwhile is ignored); closing the program
// during the wait ends the check without a word.
void Lunessa::mmChk_Click() {
  if (checking_) return;
  checking_ = true;
  struct Done {
    bool& checking;
    ~Done() {
      checking = false;
      forms::Screen::setMousePointer(forms::vbDefault);
    }
  } done{checking_};
  const QString server = updateServer;
  const QString own = versionKey();
  forms::Screen::setMousePointer(forms::vbHourglass);
  try {
    const QString fetched = Inet1.OpenURL(updateVersionFile(server));
    if (!IsLoaded()) return;
    switch (compareVersions(fetched, own)) {
      case VersionOrder::Nothing:
        return;
      case VersionOrder::NotAVersion:
        throw forms::Error(QStringLiteral("The server sent no version number"));
      case VersionOrder::NotNewer:
        forms::Screen::setMousePointer(forms::vbDefault);
        forms::MsgBox(upToDateText(), forms::vbOKOnly | forms::vbInformation);
        return;
      case VersionOrder::Newer:
        break;
    }
    const QString news = Inet1.OpenURL(updateNewsFile(server));
    if (!IsLoaded()) return;
    forms::Screen::setMousePointer(forms::vbDefault);
    if (forms::MsgBox(news, forms::vbYesNo, updateTitle(server, own, fetched.trimmed())) == forms::vbYes)
      OpenUrl(updateArchive(server));
  } catch (const forms::InetCancelled&) {
    // The program is closing.
  } catch (const std::exception&) {
    forms::Screen::setMousePointer(forms::vbDefault);
    if (IsLoaded()) forms::MsgBox(updateFailureText(server), forms::vbOKOnly | forms::vbCritical);
  }
}

Lunessa& MainWindow() {
  return forms::global<Lunessa>();
}

}  // namespace shell
