// Help > About: its texts, the company name from the store settings window,
// the icon animation across openings and the system-information tool.
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

#include "platform/com/registry.h"
#include "shell/Lunessa.h"
#include "shell/frmAbout.h"
#include "shell/frmInfor.h"
#include "tests/shell/shell_fixture.h"

namespace {

using shell::About;

class AboutBox : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    com::SetRegistryRoot(root_.path().toStdString());
  }
  // A program that leaves a mark when it runs.
  QString tool(const QString& path, const QString& mark) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(mark).toUtf8());
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
  }
  bool waitForFile(const QString& path) {
    for (int i = 0; i < 300 && !QFile::exists(path); ++i) QThread::msleep(20);
    return QFile::exists(path);
  }
};

TEST_F(AboutBox, ShowsTheTitleVersionAndTheStoresName) {
  shell::MainWindow().Show();
  ASSERT_FALSE(shell::Infor().IsLoaded());
  shell::MainWindow().mmAbout.action()->trigger();
  shell::frmAbout& a = About();
  EXPECT_EQ(a.Caption(), "About Dovrel POS 4");
  EXPECT_EQ(a.lblTitle.Caption(), "Dovrel POS 4");
  EXPECT_EQ(a.lblVersion.Caption(), "Version 1.1.0");
  EXPECT_EQ(a.Label1.Caption(), "For 32-bit Windows");
  EXPECT_EQ(a.cmdSysInfo.Caption(), "&System Info...");
  EXPECT_EQ(a.Text1.Text(), "Company Name");
  EXPECT_TRUE(shell::Infor().IsLoaded());  // read for the name, so it shows too
  EXPECT_TRUE(shell::Infor().Visible());
  for (int i = 0; i <= 17; ++i) EXPECT_FALSE(a.Image1(i).Visible());
  EXPECT_GE(a.Timer1.Interval(), 50);
  // Choosing About again only brings it forward.
  a.Text1.setText("kept");
  shell::MainWindow().mmAbout.action()->trigger();
  EXPECT_EQ(a.Text1.Text(), "kept");
}

TEST_F(AboutBox, TheIconGoesOnFromItsLastFrameWhenTheBoxOpensAgain) {
  shell::frmAbout& a = About();
  a.Show();
  const int start = a.iconFrame();
  for (int i = 0; i < 5; ++i) a.Timer1.onTimer();
  EXPECT_EQ(a.iconFrame(), (start + 5) % 18);
  EXPECT_FALSE(a.window()->windowIcon().isNull());
  a.cmdClose.setValue(true);
  EXPECT_FALSE(a.IsLoaded());
  const int kept = a.iconFrame();

  (void)a.Caption();  // open again
  EXPECT_EQ(a.iconFrame(), kept);
  while (a.iconFrame() != 17) a.Timer1.onTimer();
  a.Timer1.onTimer();
  EXPECT_EQ(a.iconFrame(), 0);  // 17 wraps to 0
  // The timer itself drives it.
  const int before = a.iconFrame();
  for (int i = 0; i < 300 && a.iconFrame() == before; ++i) {
    QEventLoop pause;
    QTimer::singleShot(20, &pause, &QEventLoop::quit);
    pause.exec();
  }
  EXPECT_NE(a.iconFrame(), before);
}

TEST_F(AboutBox, WithoutARegisteredToolSystemInfoIsUnavailable) {
  messages_->answer(forms::vbOK);
  About().cmdSysInfo.setValue(true);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt, "System Information Is Unavailable At This Time");
  EXPECT_EQ(messages_->shown()[0].title, "Dovrel POS 4");

  // A folder entry whose folder holds no tool is no better.
  ASSERT_TRUE(com::RegSetString(com::Hive::LocalMachine, "SOFTWARE\\Microsoft\\Shared Tools Location",
                                "MSINFO", "C:\\Tools"));
  messages_->answer(forms::vbOK);
  About().cmdSysInfo.setValue(true);
  EXPECT_EQ(messages_->shown().size(), 2u);
}

TEST_F(AboutBox, ARegisteredToolStartsOnItsOwn) {
  struct Case {
    const char* key;
    const char* name;
    QString value;
    QString program;  // the file that runs
  } cases[] = {
      {"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", root_.path() + "/bin/sysinfo",
       root_.path() + "/bin/sysinfo"},
      {"SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", "C:\\Tools",
       root_.path() + "/drive_c/Tools/MSINFO32.EXE"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    QFile::remove(com::RegistryFile(com::Hive::LocalMachine).c_str());
    const QString mark = root_.path() + "/ran-" + QString::fromLatin1(c.name);
    tool(c.program, mark);
    ASSERT_TRUE(com::RegSetString(com::Hive::LocalMachine, c.key, c.name, c.value.toStdString()));
    QString read;
    EXPECT_TRUE(shell::frmAbout::GetKeyValue(com::Hive::LocalMachine, c.key, c.name, read));
    EXPECT_EQ(read, c.value);
    About().cmdSysInfo.setValue(true);
    EXPECT_TRUE(waitForFile(mark));
    EXPECT_TRUE(messages_->shown().empty());
  }
  QString none = "x";
  EXPECT_FALSE(shell::frmAbout::GetKeyValue(com::Hive::LocalMachine, "SOFTWARE\\Nobody", "PATH", none));
  EXPECT_EQ(none, "");
}

}  // namespace
