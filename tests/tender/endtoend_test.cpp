// The tender dialog with the real payment bridge: libVXTransaction.so
// registered in the data root by tools/regsvr, the stand-in card program
// tools/cardsim answering in the transaction folder, and the card receipt
// written as a PDF into the install folder's Printouts.
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <climits>
#include <cstdlib>
#include <functional>

#include "data/install.h"
#include "platform/com/registry.h"
#include "platform/files/paths.h"
#include "tests/bridge/cardsim_process.h"
#include "tests/tender/tender_fixture.h"

namespace {

using tender::frmTender;
using tender::Tender;

const QString kCard = "4242424242424242";

class EndToEnd : public SalesFixture {
 protected:
  void SetUp() override {
    SalesFixture::SetUp();
    LetModalWatchdogReset();
    print::setBackend(nullptr);  // the station's own printing: with no printer, PDF files
    com::SetRegistryRoot(root_.path().toStdString());
    ASSERT_EQ(regsvr({library()}), 0);
    ASSERT_TRUE(data::createTransactionFolder(folder()).ok);
    ASSERT_TRUE(record_.isValid());
    // Long enough for the card program to answer under any load, short
    // enough for a missing answer to end as a time-out before the modal
    // watchdog steps in.
    setenv("VXTRANS_DEFAULT_TIMEOUT", "8", 1);
    sales::frmSales& sales = sales::Sales();
    sales.lblID.setCaption("Jules");
    sales.cmbRept.setText("17");
    sales.txtEnding.setText("51.60");
  }
  void TearDown() override {
    unsetenv("VXTRANS_DEFAULT_TIMEOUT");
    Tender().ReleaseBridge();
    SalesFixture::TearDown();
  }

  static QString library() {
    char resolved[PATH_MAX];
    return QString::fromLocal8Bit(realpath(VXTRANS_LIB, resolved) != nullptr ? resolved : VXTRANS_LIB);
  }
  int regsvr(const QStringList& args) {
    QProcess p;
    p.start(REGSVR_PATH, QStringList{"--root", root_.path()} + args);
    if (!p.waitForFinished(60000)) return -1;
    return p.exitCode();
  }
  QString folder() const {
    return QString::fromStdString(files::localPath("C:\\Program Files\\Vantix\\LocalTran"));
  }
  QStringList printouts() const {
    const QDir dir(installFile("Printouts"));
    QStringList files;
    for (const QString& f : dir.entryList({"*.pdf"}, QDir::Files)) files << dir.filePath(f);
    return files;
  }
  static QString pdfText(const QString& file) {
    QProcess p;
    p.start("pdftotext", {"-layout", file, "-"});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
  }
  QStringList recordedRequests() const {
    QStringList lines;
    const QDir dir(record_.path());
    for (const QString& f : dir.entryList(QDir::Files)) {
      QFile file(dir.filePath(f));
      if (file.open(QIODevice::ReadOnly)) lines << QString::fromUtf8(file.readAll());
    }
    return lines;
  }
  // Files under the data root that hold the whole card number.
  QStringList filesHoldingTheCard() const {
    QStringList found;
    QDirIterator it(root_.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      QFile file(it.next());
      if (file.open(QIODevice::ReadOnly) && file.readAll().contains(kCard.toLatin1()))
        found << file.fileName();
    }
    return found;
  }

  // Opens the dialog modally, runs the clerk's steps on it, and watches for
  // the bridge's wait window over it. Returns when the dialog has closed.
  void tender(std::function<void(frmTender&)> steps) {
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal && Tender().IsLoaded() && modal != Tender().window() && modal->parentWidget() &&
          modal->parentWidget()->window() == Tender().window())
        sawWaitWindow_ = true;
    });
    watch.start(5);
    script_->on(Tender(), [steps] { steps(Tender()); });
    Tender().Show(forms::vbModal);
  }
  // Keys a card number and expiry on the keypad, as the clerk does.
  static void keyCard(frmTender& w, const QString& number, const QString& expiry) {
    click(w.txtCardNu);
    for (const QChar d : number) press(w.comNumber(d.digitValue()));
    click(w.txtExp);
    for (const QChar d : expiry) press(w.comNumber(d.digitValue()));
  }
  // The card keyed and processed for the amount due; then the dialog is
  // closed, if it is still open.
  static void processKeyedCardAndClose(frmTender& w) {
    press(w.cmdCash);
    keyCard(w, kCard, "1227");
    press(w.cmdNext);
    press(w.cmdClose);
  }

  QTemporaryDir record_;
  bool sawWaitWindow_ = false;
};

TEST_F(EndToEnd, AKeyedCardIsApprovedPrintedAndHandedBack) {
  CardSimProcess sim(folder(),
                     {"--approve", "123456", "--avs", "Y", "--cvv2", "M", "--record", record_.path()});
  messages_->answer(forms::vbNo);  // no second copy
  tender([this](frmTender& w) {
    press(w.cmdCash);
    keyCard(w, kCard, "1227");
    press(w.cmdNext);
  });
  EXPECT_FALSE(Tender().IsLoaded());
  EXPECT_TRUE(sawWaitWindow_);
  sales::frmSales& sales = sales::Sales();
  EXPECT_EQ(sales.txtGet.Text(), "VISA");
  EXPECT_EQ(sales.txtGet.Tag(), "Card");
  EXPECT_EQ(sales.txtReturn.Text(), "0.00");
  EXPECT_EQ(
      recordedRequests(),
      QStringList{
          "\"C1\",\"Jules\",\"DovrelPOS17\",\"4242424242424242\",\"2712\",\"51.6\",\"\",\"\",\"\"\r\n"});

  const QStringList pdfs = printouts();
  ASSERT_EQ(pdfs.size(), 1);
  const QString text = pdfText(pdfs[0]);
  for (const char* line : {"Card Type: VISA", "Account #: xxxx xxxx 4242", "Exp Date : xx/xx",
                           "Auth Code: 123456", "Total: 51.60", "Check: 17", "Server: Jules"})
    EXPECT_TRUE(text.contains(line)) << line << "\n" << text.toStdString();
  EXPECT_FALSE(text.contains(kCard));
  EXPECT_EQ(filesHoldingTheCard(), QStringList());
  EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList());
}

TEST_F(EndToEnd, ASwipeSendsItsTrackAfterTheExpiry) {
  const QString swipe = "%B4242424242424242^NAME/CARD^27121010000000000000?;4242424242424242=27121010000?";
  CardSimProcess sim(folder(), {"--approve", "123456", "--record", record_.path()});
  messages_->answer(forms::vbNo);
  tender([&swipe](frmTender& w) {
    click(w.txtCardNu);
    type(w.txtCardNu, swipe);
    pressEnter(w.txtCardNu);
  });
  EXPECT_FALSE(Tender().IsLoaded());
  EXPECT_EQ(recordedRequests(), QStringList{"\"C1\",\"Jules\",\"DovrelPOS17\",\"4242424242424242\",\"2712" +
                                            swipe + "\",\"51.6\",\"\",\"\",\"\"\r\n"});
  EXPECT_EQ(sales::Sales().txtGet.Text(), "VISA");
}

TEST_F(EndToEnd, ADeclineLeavesTheDialogOpenAndNothingPaidOrPrinted) {
  CardSimProcess sim(folder(), {"--decline", "DECLINED"});
  sales::frmSales& sales = sales::Sales();
  sales.txtGet.setText("");
  messages_->answer(forms::vbOK);
  bool openAfter = false;
  QString answer;
  tender([&](frmTender& w) {
    press(w.cmdCash);
    keyCard(w, kCard, "1227");
    press(w.cmdNext);
    openAfter = w.IsLoaded();
    answer = w.txtAnswer.Text();
    press(w.cmdClose);
  });
  EXPECT_TRUE(openAfter);
  EXPECT_EQ(answer, "DECLINED");
  ASSERT_FALSE(messages_->shown().empty());
  EXPECT_EQ(messages_->shown().back().prompt, "Fail: DECLINED");
  EXPECT_EQ(sales.txtGet.Text(), "");
  EXPECT_EQ(sales.txtGet.Tag(), "");
  EXPECT_TRUE(printouts().isEmpty());
}

// The card program approves after the bridge stopped waiting. The clerk is
// told at the time-out that the card may still be approved, and at the next
// start the program itself takes the late approval aside before it shows it.
TEST_F(EndToEnd, ALateApprovalIsToldAtTheTimeOutAndAtTheNextStart) {
  setenv("VXTRANS_DEFAULT_TIMEOUT", "1", 1);
  CardSimProcess sim(folder(), {"--approve", "654321", "--delay", "2500", "--record", record_.path()});
  messages_->answer(forms::vbOK);
  tender(processKeyedCardAndClose);
  const QStringList recorded = QDir(record_.path()).entryList(QDir::Files);
  ASSERT_EQ(recorded.size(), 1);
  const QString name = QFileInfo(recorded[0]).completeBaseName();
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_TRUE(messages_->shown()[0].prompt.startsWith(
      "Fail: Transaction time-out\n\nThe card program did not answer transaction " + name +
      " in time. The card may still be approved"))
      << messages_->shown()[0].prompt.toStdString();
  EXPECT_EQ(sales::Sales().txtGet.Tag(), "");

  const QString answer = QDir(folder()).filePath(name + ".ans");
  const auto waitFor = [](const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 30000) QThread::msleep(50);
    return done();
  };
  ASSERT_TRUE(waitFor([&] { return QFileInfo::exists(answer); })) << "the late approval never came";

  // The next start, offscreen: it waits on the message that tells the answer.
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  program.setProcessEnvironment(env);
  program.start(TRIVELA_PATH, {"--root", root_.path()});
  ASSERT_TRUE(program.waitForStarted(30000));
  const QString kept = QDir(folder()).filePath("Late/" + name + ".ans");
  EXPECT_TRUE(waitFor([&] { return QFileInfo::exists(kept) || program.waitForFinished(50); }));
  EXPECT_FALSE(program.waitForFinished(500)) << "the program ended: " << program.exitCode();
  program.kill();
  program.waitForFinished(10000);
  EXPECT_FALSE(QFileInfo::exists(answer));
  QFile keptFile(kept);
  ASSERT_TRUE(keptFile.open(QIODevice::ReadOnly));
  EXPECT_EQ(keptFile.readAll(), "Y654321\r\n");
}

TEST_F(EndToEnd, AfterUnregisteringTheClerkIsToldAndNoRequestIsWritten) {
  ASSERT_EQ(regsvr({"-u", library()}), 0);
  messages_->answer(forms::vbOK);
  tender(processKeyedCardAndClose);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt,
            "Fail: The payment bridge VXTransaction is not registered on this station.");
  EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList());
  EXPECT_FALSE(Tender().HasBridge());
  EXPECT_EQ(sales::Sales().txtGet.Text(), "");
}

TEST_F(EndToEnd, QuotesAndLineBreaksInACardFieldAreRefusedBeforeTheBridge) {
  struct Case {
    forms::TextBox frmTender::*box;
    const char* text;
    const char* told;
  } cases[] = {{&frmTender::txtZip, "02\"110", "The Zip Code box holds a double quote (\")"},
               {&frmTender::txtAddress, "1 Main St\r", "The Address box holds a carriage return"},
               {&frmTender::txtCVC, "12\n3", "The CVV2/CVC2 box holds a line feed"},
               {&frmTender::txtApproval, "A\"1", "The Approval Code box holds a double quote (\")"}};
  for (size_t i = 0; i < std::size(cases); ++i) messages_->answer(forms::vbOK);
  tender([&cases](frmTender& w) {
    press(w.cmdCash);
    keyCard(w, kCard, "1227");
    for (const Case& c : cases) {
      if (c.box == &frmTender::txtApproval) press(w.cmdForce);
      (w.*c.box).setText(c.text);
      press(w.cmdNext);
      (w.*c.box).setText(QString());
    }
    press(w.cmdClose);
  });
  ASSERT_EQ(messages_->shown().size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(messages_->shown()[i].prompt.toStdString(),
              cases[i].told + std::string(", which cannot be sent to the card program. Please correct it."));
  EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList());
}

}  // namespace
