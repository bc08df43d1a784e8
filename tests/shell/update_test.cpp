// Help > Check for Update against a server inside the test, and the version
// comparison it rests on.
#include "shell/update.h"

#include <QCoreApplication>
#include <QTimer>

#include "platform/forms/screen.h"
#include "shell/Lunessa.h"
#include "tests/http_server.h"
#include "tests/shell/shell_fixture.h"

namespace {

using shell::VersionOrder;

TEST(CompareVersions, NumbersPartByPartAfterTrimming) {
  struct Case {
    const char* fetched;
    const char* own;
    VersionOrder order;
  } cases[] = {
      {"1.2", "1.1", VersionOrder::Newer},
      {"1.1", "1.1", VersionOrder::NotNewer},
      {"1.0", "1.1", VersionOrder::NotNewer},
      {"1.10", "1.9", VersionOrder::Newer},  // not below it as text would have it
      {"1.9", "1.10", VersionOrder::NotNewer},
      {"1.1\r\n", "1.1", VersionOrder::NotNewer},  // a line break makes nothing newer
      {" 1.2 ", "1.1", VersionOrder::Newer},
      {"1.1.0", "1.1", VersionOrder::NotNewer},  // a missing part counts 0
      {"1.1.1", "1.1", VersionOrder::Newer},
      {"2", "1.1", VersionOrder::Newer},
      {"01.01", "1.1", VersionOrder::NotNewer},
      {"1.100000000000000000001", "1.1", VersionOrder::Newer},  // longer than any integer
      {"", "1.1", VersionOrder::Nothing},
      {" \r\n\t", "1.1", VersionOrder::Nothing},
      {"<html><body>Not Found</body></html>", "1.1", VersionOrder::NotAVersion},
      {"1.2a", "1.1", VersionOrder::NotAVersion},
      {"1..2", "1.1", VersionOrder::NotAVersion},
      {"v1.2", "1.1", VersionOrder::NotAVersion},
  };
  for (const Case& c : cases)
    EXPECT_EQ(shell::compareVersions(c.fetched, c.own), c.order) << '"' << c.fetched << "\" vs " << c.own;
}

class UpdateCheck : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    // An earlier close of the main window asked the program to quit: let
    // event loops run again.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    ASSERT_TRUE(server.listening());
    shell::MainWindow().Show();
    shell::MainWindow().updateServer = server.base();
    shell::MainWindow().Inet1.setRequestTimeoutMs(400);
    shell::MainWindow().urlOpener = [this](const QString& url) {
      opened << url;
      return true;
    };
  }
  void TearDown() override {
    shell::MainWindow().urlOpener = nullptr;
    shell::MainWindow().updateServer = shell::kUpdateServer;
    ShellFixture::TearDown();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
  }
  void check() { shell::MainWindow().mmChk.action()->trigger(); }
  QString failure() const {
    return QStringLiteral(
               "An error has occured. Update failed.\nYou must download new version of this application "
               "manually at ") +
           shell::MainWindow().updateServer + QStringLiteral("/.");
  }

  LocalHttpServer server;
  QStringList opened;
};

TEST_F(UpdateCheck, ItsMenuEntriesAndTheOthersOfThisBuildAreOn) {
  shell::Lunessa& m = shell::MainWindow();
  for (forms::Menu* item : {&m.mmPrinter, &m.mmEmployee, &m.mmChk, &m.mmAbout, &m.mmInfor})
    EXPECT_TRUE(item->Enabled()) << item->Name().toStdString();
  EXPECT_EQ(shell::kUpdateServer, "http://update.dovrel-pos.invalid");
}

TEST_F(UpdateCheck, EachAnswerOfTheServerIsToldAsTheProgramAlwaysToldIt) {
  const QString upToDate = QStringLiteral(
      "Your system is running the most recent version of Dovrel's POS. No update is available at this time.");
  struct Case {
    const char* what;
    LocalHttpServer::Answer version;
    QString said;  // "" : nothing
    int icon;
  } cases[] = {
      {"the same version", {200, "1.1", false}, upToDate, forms::vbInformation},
      {"the same with a line break", {200, "1.1\r\n", false}, upToDate, forms::vbInformation},
      {"an older one", {200, "1.0.9", false}, upToDate, forms::vbInformation},
      {"an empty file", {200, "", false}, QString(), 0},
      {"blanks only", {200, " \n", false}, QString(), 0},
      {"a page instead of a number", {200, "<html>Moved</html>", false}, "failure", forms::vbCritical},
      {"no such file", {404, "not here", false}, "failure", forms::vbCritical},
      {"a server error", {500, "1.2", false}, "failure", forms::vbCritical},
      {"no answer within the time-out", {200, "", true}, "failure", forms::vbCritical},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages_->clear();
    server.clear();
    server.set("/DownloadHS/HSVer.ver", c.version);
    if (!c.said.isEmpty()) messages_->answer(forms::vbOK);
    check();
    if (c.said.isEmpty()) {
      EXPECT_TRUE(messages_->shown().empty());
    } else {
      ASSERT_EQ(messages_->shown().size(), 1u);
      EXPECT_EQ(messages_->shown()[0].prompt, c.said == "failure" ? failure() : c.said);
      EXPECT_EQ(messages_->shown()[0].title, "Dovrel POS 4");
      EXPECT_EQ(messages_->shown()[0].buttons, forms::vbOKOnly | c.icon);
    }
    EXPECT_EQ(server.requested(), QStringList{"/DownloadHS/HSVer.ver"});
    EXPECT_EQ(forms::Screen::MousePointer(), forms::vbDefault);
  }
  EXPECT_TRUE(opened.isEmpty());
}

TEST_F(UpdateCheck, ARefusedConnectionIsAFailure) {
  shell::MainWindow().updateServer = LocalHttpServer::refusingBase();
  messages_->answer(forms::vbOK);
  check();
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt, failure());
}

TEST_F(UpdateCheck, ANewerVersionOffersTheArchiveAndOpensItOnYesOnly) {
  server.set("/DownloadHS/HSVer.ver", {200, "1.2\r\n", false});
  server.set("/DownloadHS/HSnew.txt", {200, "What is new:\r\n- faster receipts\r\n", false});
  for (const int answer : {forms::vbNo, forms::vbYes}) {
    SCOPED_TRACE(answer == forms::vbYes ? "Yes" : "No");
    messages_->clear();
    opened.clear();
    messages_->answer(answer);
    check();
    ASSERT_EQ(messages_->shown().size(), 1u);
    const forms::Message& m = messages_->shown()[0];
    EXPECT_EQ(m.prompt, "What is new:\r\n- faster receipts\r\n");
    EXPECT_EQ(m.title, "You can update from version. for more information please visit: " + server.base() +
                           "/what's_new_FD.htm1.1 to version 1.2");
    EXPECT_EQ(m.buttons, forms::vbYesNo);
    if (answer == forms::vbYes)
      EXPECT_EQ(opened, QStringList{server.base() + "/DownloadHS/DovrelHS.zip"});
    else
      EXPECT_TRUE(opened.isEmpty());
  }
}

TEST_F(UpdateCheck, WhileItWaitsTheWindowWorksAndASecondClickIsIgnored) {
  server.set("/DownloadHS/HSVer.ver", {200, "", true});
  shell::MainWindow().Inet1.setRequestTimeoutMs(1500);
  int during = 0;
  int pointerDuring = -1;
  QTimer poke;
  QObject::connect(&poke, &QTimer::timeout, [&] {
    if (++during == 1) {
      pointerDuring = forms::Screen::MousePointer();
      check();  // the clerk clicks again
    }
  });
  poke.start(20);
  messages_->answer(forms::vbOK);
  check();
  poke.stop();
  EXPECT_GE(during, 1);
  EXPECT_EQ(pointerDuring, forms::vbHourglass);
  EXPECT_EQ(server.requested().size(), 1);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt, failure());
  EXPECT_EQ(forms::Screen::MousePointer(), forms::vbDefault);
}

TEST_F(UpdateCheck, ClosingTheProgramDuringTheWaitEndsTheCheckSilently) {
  server.set("/DownloadHS/HSVer.ver", {200, "", true});
  // Longer than the test may run: only the close can end this wait.
  shell::MainWindow().Inet1.setRequestTimeoutMs(600000);
  QTimer::singleShot(50, [] { shell::MainWindow().mmClose.action()->trigger(); });
  check();
  EXPECT_FALSE(shell::MainWindow().IsLoaded());
  EXPECT_TRUE(messages_->shown().empty());
  EXPECT_EQ(forms::Screen::MousePointer(), forms::vbDefault);
}

}  // namespace
