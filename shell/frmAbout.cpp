#include "shell/frmAbout.h"

#include <QIcon>
#include <QProcess>
#include <QWidget>

#include "platform/files/paths.h"
#include "platform/forms/msgbox.h"
#include "shell/appinfo.h"
#include "shell/frmInfor.h"

namespace shell {

namespace {

const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

// A path the registry holds, on this station (a Windows path maps under the
// data root).
QString stationPath(const QString& path) {
  return QString::fromStdString(files::localPath(path.toStdString()));
}

}  // namespace

frmAbout::frmAbout() : Form("frmAbout") {
  setMDIChild(true);
  setBorderStyle(3);
  setBackColor(kSettingsGreen);
  setWidth(6720);
  setHeight(3960);

  lblTitle.Move(1200, 240, 5280, 480);
  lblTitle.setFont(QStringLiteral("Arial"), 16, true);
  lblVersion.Move(1200, 780, 5280, 330);
  lblVersion.setFont(QStringLiteral("Arial"), 10);
  Label1.setCaption(QStringLiteral("For 32-bit Windows"));
  Label1.Move(1200, 1140, 5280, 330);
  Label1.setFont(QStringLiteral("Arial"), 10);
  for (forms::Label* l : {&lblTitle, &lblVersion, &Label1}) l->setBackStyle(0);
  Text1.Move(1200, 1680, 5280, 420);
  Text1.setFont(QStringLiteral("Arial"), 12, true);
  Text1.setLocked(true);

  cmdSysInfo.setCaption(QStringLiteral("&System Info..."));
  cmdSysInfo.Move(1200, 2640, 2160, 540);
  cmdSysInfo.setFont(QStringLiteral("Arial"), 10);
  cmdClose.Move(5280, 2400, 1200, 1080);
  cmdClose.setStyle(1);
  cmdClose.setPicture(QStringLiteral(":/pictures/close.png"));

  for (int i = 0; i <= 17; ++i) {
    Image1(i).Move(240, 240, 480, 480);
    Image1(i).setVisible(false);
    Image1(i).setPicture(QStringLiteral(":/pictures/icon%1.png").arg(i, 2, 10, QLatin1Char('0')));
  }
  // Fast enough to look alive; a shorter tick would only keep the processor
  // busy.
  Timer1.setInterval(60);

  Timer1.onTimer = [this] { Timer1_Timer(); };
  cmdSysInfo.onClick = [this] { cmdSysInfo_Click(); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
}

void frmAbout::Form_Load() {
  animation_ = 1;
  Place(10);
  setCaption(QStringLiteral("About ") + forms::AppTitle());
  lblVersion.setCaption(versionCaption());
  lblTitle.setCaption(forms::AppTitle());
  // The company name: the store settings window's first header line (reading
  // it loads that window, which then shows).
  Text1.setText(Infor().txtL1.Text());
}

void frmAbout::Timer1_Timer() {
  if (animation_ == 1) NextIconFrame();
}

void frmAbout::NextIconFrame() {
  frame_ = static_cast<qint16>(frame_ + 1);
  if (frame_ >= 18) frame_ = 0;
  if (QWidget* w = window()) w->setWindowIcon(QIcon(Image1(frame_).Picture()));
}

void frmAbout::cmdClose_Click() {
  animation_ = 0;
  forms::Unload(*this);
}

void frmAbout::cmdSysInfo_Click() {
  StartSysInfo();
}

bool frmAbout::GetKeyValue(com::Hive root, const QString& keyName, const QString& valueName, QString& value) {
  const std::optional<std::string> found =
      com::RegGetString(root, keyName.toStdString(), valueName.toStdString());
  if (!found) {
    value.clear();
    return false;
  }
  value = QString::fromStdString(*found);
  if (value.endsWith(QChar(0))) value.chop(1);
  return true;
}

void frmAbout::StartSysInfo() {
  QString tool;
  QString folder;
  if (GetKeyValue(com::Hive::LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                  QStringLiteral("PATH"), tool)) {
    // found: the tool's path
  } else if (GetKeyValue(com::Hive::LocalMachine,
                         QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                         QStringLiteral("MSINFO"), folder) &&
             files::fileExists(stationPath(folder + QStringLiteral("\\MSINFO32.EXE")).toStdString())) {
    tool = folder + QStringLiteral("\\MSINFO32.EXE");
  } else {
    forms::MsgBox(kUnavailable);
    return;
  }
  if (!QProcess::startDetached(stationPath(tool), {})) forms::MsgBox(kUnavailable);
}

frmAbout& About() {
  return forms::global<frmAbout>();
}

}  // namespace shell
