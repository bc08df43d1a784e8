// The check-book window: live or training for every ticket reader, and
// "Fresh", which empties the training tickets.
#include <QDir>
#include <QFile>
#include <QTimer>

#include "platform/db/database.h"
#include "shell/frmMsgbox.h"
#include "shell/frmNWSetin.h"
#include "shell/frmReset.h"
#include "shell/placement.h"
#include "tests/shell/shell_fixture.h"

namespace {

using shell::Reset;

// A window that holds the training tickets open, as the sales window does.
class frmTickets : public forms::Form {
 public:
  frmTickets() : Form("frmTickets") {
    datOrders.setConnect("Access 2000;");
    datOrders.setRecordSource("tblDy_Order");
  }
  forms::Data datOrders{this, "datOrders"};

 protected:
  void Form_Load() override { datOrders.setDatabaseName(shell::kInstallFolder + "TOrdr.mdb"); }
};

class CheckBook : public ShellFixture {
 protected:
  QString training() const { return installFile("TOrdr.mdb"); }
  QString live() const { return installFile("Ordr.mdb"); }
  QString tickets(const QString& file) const { return value(file, "SELECT Count(*) FROM tblDy_Order"); }
  void addTicket(const QString& file, const QString& inv) const {
    run(file, "INSERT INTO tblDy_Order (Inv) VALUES (?)", {inv});
  }
  void setMode(const QVariant& mode) const {
    run(settingsFile(), "UPDATE tbReset SET Reset_txt = ?", {mode});
  }
  QByteArray bytes(const QString& file) const {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Presses "Fresh" and answers the prompt with `answer` ("Del", "No", or
  // "close" for its window's close command).
  void fresh(const QString& answer) {
    QObject guard;
    QTimer::singleShot(0, &guard, [answer] {
      if (answer == QLatin1String("close"))
        shell::Msgbox().window()->close();
      else
        (answer == QLatin1String("Del") ? shell::Msgbox().cmdYes : shell::Msgbox().cmdNo).setValue(true);
    });
    Reset().cmdReset.setValue(true);
    EXPECT_FALSE(shell::Msgbox().IsLoaded());
    EXPECT_EQ(Reset().cmdReset.Tag(), "");
  }
};

// Every ticket reader opens by the values the check-book and placement
// windows write, and by nothing else: a value that is Null, empty or damaged
// places no file, and the reason names the file, the field and what it reads.
// The placement is read first; the check book only once it is known.
TEST_F(CheckBook, ATicketFileIsPlacedOnlyByTheValuesTheWindowsWrite) {
  const QString live = shell::kInstallFolder + "Ordr.mdb";
  const QString badMode =
      "the check book cannot be read. The field Reset_txt of tbReset in Duzo98HS.mdb %1, "
      "not \"Check Book\" or \"Training Check Book\".";
  const QString badPlace =
      "the data location cannot be read. The field SetC of tbSet in Duzo98HS.mdb %1, "
      "not \"Single\" or \"File Sharing\".";
  const struct {
    QVariant checkBook;
    QVariant placement;
    QString path;  // empty: none
    QString unreadable;
    bool checkBookAsked;
  } cases[] = {
      {"Check Book", "Single", live, "", true},
      {"Training Check Book", "Single", shell::kInstallFolder + "TOrdr.mdb", "", true},
      {"Check Book", "File Sharing", "\\\\Server\\Dovrel POS 4\\Ordr.mdb", "", true},
      {"Training Check Book", "File Sharing", "\\\\Server\\Dovrel POS 4\\TOrdr.mdb", "", true},
      {QVariant(), "Single", "", badMode.arg("is empty"), true},
      {"", "Single", "", badMode.arg("is empty"), true},
      {"Ch@ck B00k", "Single", "", badMode.arg("reads \"Ch@ck B00k\""), true},
      {"check book", "File Sharing", "", badMode.arg("reads \"check book\""), true},
      {"Check Book", QVariant(), "", badPlace.arg("is empty"), false},
      {"Check Book", "", "", badPlace.arg("is empty"), false},
      {"Check Book", "Sxngle", "", badPlace.arg("reads \"Sxngle\""), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE((c.checkBook.toString() + " / " + c.placement.toString()).toStdString());
    setMode(c.checkBook);
    run(settingsFile(), "UPDATE tbSet SET SetC = ?, SetP = ?", {c.placement, "\\\\Server\\"});
    const shell::TicketDatabase tickets = shell::currentTicketDatabase();
    EXPECT_EQ(tickets.path.value_or(""), c.path);
    EXPECT_EQ(tickets.unreadable.value_or(""), c.unreadable);
    EXPECT_EQ(Reset().IsLoaded(), c.checkBookAsked);
    unloadAllWindows();
  }
  EXPECT_TRUE(messages_->shown().empty());
}

TEST_F(CheckBook, APictureButtonSwitchesAndTheSwitchIsStoredAtUnload) {
  Reset().Show();
  EXPECT_TRUE(Reset().txtDisplay.Locked());
  click(Reset().imgTrain);
  EXPECT_EQ(Reset().txtDisplay.Text(), "Training Check Book");
  EXPECT_TRUE(Reset().imgWtrain.Visible());
  EXPECT_FALSE(Reset().imgWchk.Visible());
  EXPECT_FALSE(Reset().cmdReset.Visible());
  EXPECT_EQ(value(settingsFile(), "SELECT Reset_txt FROM tbReset"), "Check Book");  // not yet
  Reset().cmdClose.setValue(true);
  EXPECT_FALSE(Reset().IsLoaded());
  EXPECT_EQ(value(settingsFile(), "SELECT Reset_txt FROM tbReset"), "Training Check Book");

  // A window loaded later reads the new mode.
  EXPECT_EQ(shell::currentTicketDatabase().path.value_or(""), shell::kInstallFolder + "TOrdr.mdb");
  click(Reset().imgChk);
  EXPECT_EQ(Reset().txtDisplay.Text(), "Check Book");
  EXPECT_TRUE(Reset().cmdReset.Visible());
  EXPECT_EQ(shell::currentTicketDatabase().path.value_or(""), shell::kInstallFolder + "Ordr.mdb");
}

TEST_F(CheckBook, AMissingRowGetsTheFirstInstallRow) {
  run(settingsFile(), "DELETE FROM tbReset");
  EXPECT_EQ(shell::currentCheckBookMode(), "Check Book");
  click(Reset().imgTrain);
  Reset().Unload();
  EXPECT_EQ(value(settingsFile(), "SELECT Count(*) FROM tbReset"), "1");
  EXPECT_EQ(value(settingsFile(), "SELECT Reset_txt FROM tbReset"), "Training Check Book");
}

TEST_F(CheckBook, FreshAnsweredDelEmptiesOnlyTheTrainingTickets) {
  addTicket(training(), "T1");
  addTicket(live(), "L1");
  const QByteArray liveBefore = bytes(live());
  fresh("Del");
  EXPECT_EQ(tickets(training()), "0");
  EXPECT_EQ(bytes(live()), liveBefore);
  EXPECT_TRUE(messages_->shown().empty());  // silent on success

  // "No" acts on its own answer only, also after an earlier "Del".
  addTicket(training(), "T2");
  fresh("No");
  EXPECT_EQ(tickets(training()), "1");
  fresh("close");
  EXPECT_EQ(tickets(training()), "1");
}

TEST_F(CheckBook, FreshWithoutTheTemplateSaysSoAndKeepsTheTickets) {
  addTicket(training(), "T1");
  ASSERT_TRUE(QFile::remove(installFile("BpOrdr.mdb")));
  messages_->answer(forms::vbOK);
  fresh("Del");
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt, "BPORDR File Missing, Training Invoices can not be delete.");
  EXPECT_EQ(tickets(training()), "1");
}

TEST_F(CheckBook, AWindowHoldingTheTrainingFileReadsTheFreshFile) {
  addTicket(training(), "T1");
  forms::Instance<frmTickets> window;
  window->datOrders.Refresh();
  ASSERT_EQ(window->datOrders.Recordset().recordCount(), 1);
  ASSERT_TRUE(db::isDatabaseOpen(shell::kInstallFolder + "TOrdr.mdb"));
  fresh("Del");
  window->datOrders.Refresh();
  EXPECT_EQ(window->datOrders.Recordset().recordCount(), 0);
  // What it writes afterwards lands in the training file.
  window->datOrders.Database().execute("INSERT INTO tblDy_Order (Inv) VALUES ('T2')");
  EXPECT_EQ(tickets(training()), "1");
}

TEST_F(CheckBook, ACopyThatFailsIsReportedAndTheTicketsStay) {
  addTicket(training(), "T1");
  db::setBusyTimeout(50);
  auto station = db::Database::open(training());
  auto writing = station->transaction();  // another station holds the write lock
  messages_->answer(forms::vbOK);
  fresh("Del");
  writing.rollback();
  db::setBusyTimeout(5000);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(
      messages_->shown()[0].prompt.toStdString(),
      "The training invoices were not deleted: Cannot save to TOrdr.mdb: another station is using the file.");
  EXPECT_EQ(tickets(training()), "1");
}

TEST_F(CheckBook, FreshInFileSharingResetsTheStationsOwnTrainingFile) {
  const QString share = root_.path() + "/unc/Server/Dovrel POS 4/";
  ASSERT_TRUE(QDir().mkpath(share));
  ASSERT_TRUE(QFile::copy(training(), share + "TOrdr.mdb"));
  addTicket(share + "TOrdr.mdb", "S1");
  addTicket(training(), "T1");
  run(settingsFile(), "UPDATE tbSet SET SetC = 'File Sharing', SetP = ?", {"\\\\Server\\"});
  fresh("Del");
  EXPECT_EQ(tickets(training()), "0");
  EXPECT_EQ(tickets(share + "TOrdr.mdb"), "1");
}

}  // namespace
