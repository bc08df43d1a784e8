// The printing layer: ports of the catalogue, the current printer, line
// documents, and where a document goes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "platform/files/paths.h"
#include "platform/print/catalogue.h"
#include "platform/print/dialog.h"
#include "platform/print/printer.h"
#include "tests/readonly_guard.h"

namespace {

using print::Destination;
using print::PrinterInfo;

TEST(IppJobTaken, EverySuccessfulStatusTakesTheJob) {
  const struct {
    int status;
    bool taken;
  } cases[] = {{0x0000, true},   // ok
               {0x0001, true},   // ok-ignored-or-substituted-attributes
               {0x0002, true},   // ok-conflicting-attributes
               {0x0400, false},  // client-error-bad-request
               {0x0406, false},  // client-error-not-found
               {0x0500, false},  // server-error-internal-error
               {-1, false}};
  for (const auto& c : cases) EXPECT_EQ(print::ippJobTaken(c.status), c.taken) << std::hex << c.status;
}

TEST(PortFromUri, DerivesTheWindowsPortOfEachKindOfUri) {
  struct Case {
    const char* uri;
    int usbNumber;
    const char* port;
  } cases[] = {
      {"parallel:/dev/lp0", 0, "LPT1:"},
      {"parallel:/dev/lp1", 0, "LPT2:"},
      {"serial:/dev/ttyS0", 0, "COM1:"},
      {"serial:/dev/ttyS1?baud=9600+bits=8", 0, "COM2:"},  // options ignored
      {"usb://SAMSUNG/SRP270?serial=A1", 1, "USB001"},
      {"usb://Epson/TM-T88V", 2, "USB002"},
      {"socket://10.0.0.5:9100", 0, "10.0.0.5:9100"},
      {"lpd://printhost/queue", 0, "printhost/queue"},
      {"ipp://printhost:631/printers/front", 0, "printhost:631/printers/front"},
      {"ipps://printhost/ipp/print", 0, "printhost/ipp/print"},
      {"http://printhost:631/ipp", 0, "printhost:631/ipp"},
      {"https://printhost/ipp", 0, "printhost/ipp"},
      {"smb://SALON/Kitchen", 0, "SALON/Kitchen"},
      {"dnssd://Front._ipp._tcp.local/", 0, "dnssd://Front._ipp._tcp.local/"},  // anything else: as it is
      {"parallel:/dev/usb/lp0", 0, "parallel:/dev/usb/lp0"},
      {"serial:/dev/ttyUSB0", 0, "serial:/dev/ttyUSB0"},
      {"file:///dev/null", 0, "file:///dev/null"},
      {"", 0, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(print::portFromUri(c.uri, c.usbNumber), c.port) << c.uri;
}

TEST(Catalogue, KeepsTheSpoolersOrderAndNumbersUsbQueuesInIt) {
  const std::vector<PrinterInfo> cat = print::catalogueOf({
      {"Bar", "usb://Epson/TM-T20", false},
      {"Front", "socket://10.0.0.5:9100", true},
      {"Kitchen", "usb://SAMSUNG/SRP270", false},
      {"Office", "parallel:/dev/lp0", false},
      {"Salad", "USB://Star/TSP100", false},
  });
  ASSERT_EQ(cat.size(), 5u);
  const char* names[] = {"Bar", "Front", "Kitchen", "Office", "Salad"};
  const char* ports[] = {"USB001", "10.0.0.5:9100", "USB002", "LPT1:", "USB003"};
  for (size_t i = 0; i < cat.size(); ++i) {
    EXPECT_EQ(cat[i].deviceName, names[i]);
    EXPECT_EQ(cat[i].port, ports[i]);
  }
  EXPECT_TRUE(cat[1].isDefault);
}

// A print system of the test's making: its queues, and what it was handed.
class FakeSpooler : public print::Spooler {
 public:
  FakeSpooler() : previous_(print::setSpooler(this)) {}
  ~FakeSpooler() override { print::setSpooler(previous_); }
  std::vector<Destination> destinations() override { return queues; }
  std::optional<QPageLayout> defaultPage(const QString&) override { return std::nullopt; }
  bool submit(const QString& queue, const QString&, const QByteArray& pdf) override {
    if (refuses) return false;
    jobs.emplace_back(queue, pdf);
    return true;
  }
  std::vector<Destination> queues;
  bool refuses = false;
  std::vector<std::pair<QString, QByteArray>> jobs;

 private:
  print::Spooler* previous_;
};

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    files::setRoot(root_.path().toStdString());
    print::ResetCurrentPrinter();
  }
  void TearDown() override { print::ResetCurrentPrinter(); }

  QString printouts() const {
    return root_.path() + QStringLiteral("/drive_c/Program Files/Dovrel POS 4/Printouts");
  }
  QStringList printoutFiles() const {
    return QDir(printouts()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
  }
  print::Handover printOneLine(const QString& text) {
    print::Printer().Print(text);
    return print::Printer().EndDoc();
  }

  QTemporaryDir root_;
  FakeSpooler spooler_;
};

TEST_F(PrintTest, TheCurrentPrinterStartsOnTheDefaultElseTheFirstElseNone) {
  struct Case {
    const char* name;
    std::vector<Destination> queues;
    const char* expected;  // nullptr: the PDF files
  } cases[] = {
      {"default", {{"Bar", "usb://a/b", false}, {"Front", "socket://h:9100", true}}, "Front"},
      {"no default", {{"Bar", "usb://a/b", false}, {"Front", "socket://h:9100", false}}, "Bar"},
      {"no printers", {}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    print::ResetCurrentPrinter();
    spooler_.queues = c.queues;
    const std::optional<PrinterInfo> current = print::CurrentPrinter();
    if (c.expected == nullptr) {
      EXPECT_FALSE(current.has_value());
    } else {
      ASSERT_TRUE(current.has_value());
      EXPECT_EQ(current->deviceName, c.expected);
    }
    // Decided once: a new default later does not move it.
    spooler_.queues.push_back({"Later", "ipp://h/p", true});
    EXPECT_EQ(print::CurrentPrinter().has_value(), c.expected != nullptr);
    if (c.expected) {
      EXPECT_EQ(print::CurrentPrinter()->deviceName, c.expected);
    }
  }
}

TEST_F(PrintTest, ADocumentNeverGetsLost) {
  const Destination front{"Front", "socket://10.0.0.5:9100", false};
  const Destination kitchen{"Kitchen", "usb://SAMSUNG/SRP270", true};
  struct Case {
    const char* name;
    std::vector<Destination> queuesAtTheEnd;
    bool refuses;
    const char* wentTo;  // nullptr: a PDF in Printouts
  } cases[] = {
      {"the chosen printer", {front, kitchen}, false, "Front"},
      {"chosen printer gone: the default", {kitchen}, false, "Kitchen"},
      {"chosen printer gone, no default: a PDF", {{"Bar", "usb://x/y", false}}, false, nullptr},
      {"no printers left: a PDF", {}, false, nullptr},
      {"the print system refuses the job: a PDF", {front, kitchen}, true, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    spooler_.queues = {front, kitchen};
    spooler_.jobs.clear();
    const int filesBefore = printoutFiles().size();
    print::SetCurrentPrinter(print::Printers().front());

    spooler_.queues = c.queuesAtTheEnd;
    spooler_.refuses = c.refuses;
    const print::Handover h = printOneLine(QStringLiteral("Thank You Come Again"));
    EXPECT_TRUE(h.done()) << h.failure.toStdString();

    if (c.wentTo) {
      ASSERT_EQ(spooler_.jobs.size(), 1u);
      EXPECT_EQ(spooler_.jobs[0].first, c.wentTo);
      EXPECT_TRUE(spooler_.jobs[0].second.startsWith("%PDF"));
      EXPECT_EQ(printoutFiles().size(), filesBefore);
      EXPECT_EQ(h.queue, c.wentTo);
      EXPECT_EQ(h.file, "");
    } else {
      EXPECT_TRUE(spooler_.jobs.empty());
      EXPECT_EQ(printoutFiles().size(), filesBefore + 1);
      EXPECT_EQ(h.queue, "");
      EXPECT_TRUE(QFileInfo(h.file).isFile()) << h.file.toStdString();
    }
    // The choice stays for the next document.
    ASSERT_TRUE(print::CurrentPrinter().has_value());
    EXPECT_EQ(print::CurrentPrinter()->deviceName, QStringLiteral("Front"));
  }
}

// A document that cannot even become a PDF file is not handed over, and the
// caller learns why; the next one goes through again.
TEST_F(PrintTest, ADocumentThatGoesNowhereSaysWhy) {
  spooler_.queues.clear();
  ASSERT_TRUE(QDir().mkpath(QFileInfo(printouts()).path()));
  QFile blocker(printouts());  // a file where the folder should be
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const print::Handover h = printOneLine(QStringLiteral("Thank You Come Again"));
  EXPECT_FALSE(h.done());
  EXPECT_TRUE(h.failure.startsWith("no PDF file could be written in ")) << h.failure.toStdString();
  EXPECT_TRUE(h.failure.contains("Printouts")) << h.failure.toStdString();
  EXPECT_EQ(h.file, "");
  EXPECT_TRUE(print::Printer().pending().lines.empty());

  ASSERT_TRUE(QFile::remove(printouts()));
  EXPECT_TRUE(printOneLine(QStringLiteral("Thank You Come Again")).done());
  EXPECT_EQ(printoutFiles().size(), 1);
  EXPECT_TRUE(print::Printer().EndDoc().done()) << "an empty document goes nowhere and fails nothing";
}

// The reason given is the one that kept the folder from being made.
TEST_F(PrintTest, APrintoutsFolderThatCannotBeMadeSaysWhy) {
  spooler_.queues.clear();
  const QString install = QFileInfo(printouts()).path();
  ASSERT_TRUE(QDir().mkpath(install));
  const ReadOnlyPath locked(install.toStdString());
  if (!locked.active()) GTEST_SKIP() << "cannot make the install folder read-only here";
  std::string why;
  ASSERT_FALSE(files::makeDirs(printouts().toStdString(), &why));
  const print::Handover h = printOneLine(QStringLiteral("Thank You Come Again"));
  EXPECT_FALSE(h.done());
  EXPECT_TRUE(h.failure.endsWith(QStringLiteral("(%1)").arg(QString::fromStdString(why))))
      << h.failure.toStdString();
}

TEST_F(PrintTest, TheRecordingKeepsRunsFontsColoursAndContinuedLines) {
  print::Recorder recorder;
  print::SetCurrentPrinter(PrinterInfo{"Front", "USB001", "usb://a/b", true});
  print::PrinterObject& p = print::Printer();
  p.setPrintQuality(300);
  p.setFontName(QStringLiteral("courier new"));
  p.setPrintQuality(-2);
  p.setFontSize(10);
  p.setFontBold(true);
  p.Print(QStringLiteral("Date 1/2/2026 Time 10:15:00"), false);
  p.setFontSize(12);
  p.Print(QStringLiteral("Server: Mara"));
  p.Print(QString());  // an empty line
  p.setFontUnderline(true);
  p.Print(QStringLiteral(" -Items-               Amount"), false);
  p.setFontUnderline(false);
  p.setFontBold(false);
  p.Print(QString());  // ends the underlined line, adds nothing
  p.setForeColor(255);
  p.Print(QStringLiteral("   +Add Color          5.00"));
  p.setForeColor(0);
  p.setFontName(QStringLiteral("MS Sans Serif"));
  p.Print(QStringLiteral("-"));
  EXPECT_EQ(p.pending().lines.size(), 5u);
  p.EndDoc();
  EXPECT_TRUE(p.pending().lines.empty());

  ASSERT_EQ(recorder.documents().size(), 1u);
  const print::Recorder::Record& r = recorder.documents()[0];
  ASSERT_TRUE(r.printer.has_value());
  EXPECT_EQ(r.printer->deviceName, QStringLiteral("Front"));
  const std::vector<QString> expected = {QStringLiteral("Date 1/2/2026 Time 10:15:00Server: Mara"), QString(),
                                         QStringLiteral(" -Items-               Amount"),
                                         QStringLiteral("   +Add Color          5.00"), QStringLiteral("-")};
  EXPECT_EQ(print::Recorder::texts(r.document), expected);

  const std::vector<print::Line>& lines = r.document.lines;
  ASSERT_EQ(lines[0].runs.size(), 2u);  // the date line goes on in a larger font
  const print::Run& date = lines[0].runs[0];
  EXPECT_EQ(date.font.name, QStringLiteral("courier new"));
  EXPECT_TRUE(QFontDatabase::isFixedPitch(date.font.mappedFamily)) << date.font.mappedFamily.toStdString();
  EXPECT_EQ(date.font.size, 10);
  EXPECT_TRUE(date.font.bold);
  EXPECT_EQ(lines[0].runs[1].font.size, 12);
  EXPECT_TRUE(lines[1].runs.empty());
  EXPECT_EQ(lines[1].font.size, 12);  // an empty line is as high as its font
  EXPECT_TRUE(lines[2].runs[0].font.underline);
  EXPECT_EQ(lines[2].runs.size(), 1u);
  EXPECT_EQ(lines[3].runs[0].color, 255u);
  EXPECT_FALSE(lines[3].runs[0].font.bold);
  EXPECT_EQ(lines[4].runs[0].color, 0u);
  EXPECT_FALSE(QFontDatabase::isFixedPitch(lines[4].runs[0].font.mappedFamily));
  EXPECT_EQ(p.PrintQuality(), -2);
}

TEST_F(PrintTest, WithoutPrintersEachDocumentIsANewPdfWhoseTextExtractsInOrder) {
  const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
  ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils, scripts/setup) is needed";
  spooler_.queues.clear();
  ASSERT_FALSE(print::CurrentPrinter().has_value());
  ASSERT_FALSE(QDir(printouts()).exists());

  print::PrinterObject& p = print::Printer();
  p.setFontName(QStringLiteral("courier new"));
  p.setFontSize(12);
  p.Print(QStringLiteral("  Salon Mara"));
  p.Print(QStringLiteral("Check #: "), false);
  p.Print(QStringLiteral("#1234"));
  p.Print(QStringLiteral(" Shampoo            12.00"));
  p.EndDoc();
  for (int i = 1; i <= 120; ++i) p.Print(QStringLiteral("Line %1").arg(i));
  p.EndDoc();

  const QStringList made = printoutFiles();
  ASSERT_EQ(made.size(), 2) << made.join(' ').toStdString();
  for (const QString& name : made)
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^\d{8}-\d{6}-\d+\.pdf$)")).match(name).hasMatch())
        << name.toStdString();

  auto textOf = [&](const QString& file) {
    QProcess run;
    run.start(pdftotext, {QStringLiteral("-layout"), printouts() + '/' + file, QStringLiteral("-")});
    EXPECT_TRUE(run.waitForFinished(30000));
    return QString::fromUtf8(run.readAllStandardOutput());
  };
  // Files of one second are numbered in order; across seconds the stamp orders them.
  QString first = textOf(made[0]), second = textOf(made[1]);
  if (first.contains(QLatin1String("Line 1"))) std::swap(first, second);
  const QStringList lines = first.split('\n', Qt::SkipEmptyParts);
  ASSERT_GE(lines.size(), 3);
  // The layout keeps the words of each line on it; the width of a run of
  // blanks is the extractor's estimate.
  EXPECT_EQ(lines[0].simplified(), QStringLiteral("Salon Mara"));
  EXPECT_EQ(lines[1].simplified(), QStringLiteral("Check #: #1234"));
  EXPECT_EQ(lines[2].simplified(), QStringLiteral("Shampoo 12.00"));

  // A full page goes on on the next one; every line comes once, in order.
  EXPECT_GE(second.count(QLatin1Char('\f')), 2) << "expected at least two pages";
  int from = 0;
  for (int i = 1; i <= 120; ++i) {
    const QRegularExpression line(QStringLiteral("(^|\\n)\\s*Line %1\\s*\\n").arg(i));
    const QRegularExpressionMatch m = line.match(second, from);
    ASSERT_TRUE(m.hasMatch()) << "Line " << i;
    from = m.capturedEnd() - 1;
  }
}

TEST(PrinterDialog, TestsAnswerItInPlaceOfTheClerk) {
  QString asked;
  const print::PrinterDialogHandler before = print::setPrinterDialogHandler([&](const QString& title) {
    asked = title;
    return false;
  });
  EXPECT_FALSE(print::ShowPrinterDialog(QStringLiteral("SELECT a Printer")));
  EXPECT_EQ(asked, QStringLiteral("SELECT a Printer"));
  print::setPrinterDialogHandler(before);
}

}  // namespace
