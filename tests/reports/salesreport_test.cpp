// The sales report window driven as the manager does: the All button, a
// stylist picked from the list, the row lines, a run that fails, the printed
// summary and the spreadsheet export.
#include <QDir>
#include <QProcess>

#include "platform/convert/datetext.h"
#include "platform/db/recordset.h"
#include "platform/files/paths.h"
#include "platform/print/printer.h"
#include "reports/frmRepDy.h"
#include "reports/frmRepOrdrDetails.h"
#include "reports/salesexport.h"
#include "shell/Lunessa.h"
#include "shell/Module1.h"
#include "shell/frmSetPtr.h"
#include "tests/fake_spooler.h"
#include "tests/forms/drive.h"
#include "tests/forms/grid_drive.h"
#include "tests/refusing_printer.h"
#include "tests/reports/report_fixture.h"
#include "tests/sheet/recorded_desktop.h"

namespace {

using reports::RepDy;

class SalesReport : public ReportFixture {
 protected:
  void SetUp() override {
    ReportFixture::SetUp();
    // Staff in sign-in code order: a shared first name, a name holding a
    // pattern character, and a row without a first name.
    run(installFile("Infor.mdb"),
        "INSERT INTO tbEmplo (szID_no, sFirst_nm, szLevel_nu) VALUES ('4567', 'D''Arcy', 'Level 1'),"
        " ('5678', 'Ma*', 'Level 1'), ('6789', NULL, 'Level 1'), ('9999', 'Mara', 'Level 1')");
  }

  // Opens the report on both days of the tickets.
  reports::frmRepDy& open() {
    RepDy().Show();
    RepDy().txtFrom.setText(kShown1);
    RepDy().txtTo.setText(kShown2);
    return RepDy();
  }
  static void press(forms::CommandButton& b) { b.setValue(true); }
  static QStringList boxes() {
    reports::frmRepDy& w = RepDy();
    return {w.txtChk.Text(),           w.txtAmount.Text(), w.txtTax.Text(),
            w.txtReceived.Text(),      w.txtCCard.Text(),  w.txtCoupon.Text(),
            w.txtTotalReceived.Text(), w.txtGift.Text(),   w.txtTips.Text()};
  }
  static int listed() { return RepDy().datOrder.Recordset().recordCount(); }
};

TEST_F(SalesReport, OpensOnTodayWithTheStaffListAndEmptyFigures) {
  run(ticketFile(), "UPDATE tblDy_Order SET Date = ? WHERE Inv IN ('1', '5')",
      {rt::IsoDate(QDate::currentDate())});
  reports::frmRepDy& w = RepDy();
  w.Show();
  EXPECT_EQ(w.txtFrom.Text(), rt::ShortDate(QDate::currentDate()));
  EXPECT_EQ(w.txtTo.Text(), w.txtFrom.Text());
  EXPECT_EQ(w.txtSTime.Text(), "6:00 AM");
  EXPECT_EQ(w.txtETime.Text(), "11:59 PM");
  EXPECT_EQ(listed(), 2) << "today's tickets at any time of day";
  QStringList names;
  for (int i = 0; i < w.cmbID.ListCount(); ++i) names << w.cmbID.List(i);
  EXPECT_EQ(names, QStringList({"Mara", "Jules", "Ines", "D'Arcy", "Ma*", "Mara"}));
  EXPECT_EQ(boxes(), QStringList({"", "", "", "", "", "", "", "", ""}));
  EXPECT_EQ(w.txtAmount.Tag(), "");
  EXPECT_EQ(w.BackColor(), forms::RGB(192, 255, 192));
  EXPECT_EQ(w.DBGrid1.ColumnCount(), 15);
  EXPECT_EQ(w.DBGrid1.RowDividerStyle(), 0);
  EXPECT_FALSE(w.cmdLoadSales.Visible());
  EXPECT_FALSE(w.txtSub.Visible());
}

TEST_F(SalesReport, AllCountsAndTotalsThePeriodAndShiftAndAStylistHerOwn) {
  reports::frmRepDy& w = open();
  press(w.cmdTotal);
  EXPECT_EQ(w.txtAmount.Tag(), "*");
  EXPECT_EQ(boxes(), QStringList({"5", "1,379.50", "94.41", "1,294.50", "47.00", "5.00", "1,356.50", "10.00",
                                  "7.00"}));
  EXPECT_EQ(listed(), 5);
  EXPECT_EQ(w.DBGrid1.Rows(), 6) << "five tickets and the new-row line";
  press(w.cmdTotal);
  EXPECT_EQ(boxes(), QStringList({"5", "1,379.50", "94.41", "1,294.50", "47.00", "5.00", "1,356.50", "10.00",
                                  "7.00"}));

  drive::chooseFromList(w.cmbID, 3);  // D'Arcy
  EXPECT_EQ(w.txtAmount.Tag(), "D'Arcy");
  EXPECT_EQ(w.txtID.Text(), "D'Arcy");
  EXPECT_EQ(boxes(), QStringList({"2", "55.00", "3.76", "0.00", "47.00", "0.00", "57.00", "10.00", "2.00"}));
  EXPECT_EQ(w.DBGrid1.CellText(0, 1), "D'Arcy");

  // The same name again runs nothing: a ticket stored meanwhile is not counted.
  run(ticketFile(),
      "INSERT INTO tblDy_Order (Inv, Total, Date, Time, ID, Method) VALUES"
      " ('7', '1.00', '2026-12-08', '12:00:00', 'D''Arcy', 'HS')");
  drive::chooseFromList(w.cmbID, 3);
  EXPECT_EQ(w.txtChk.Text(), "2");
  // A pattern character in a name is a plain character.
  drive::chooseFromList(w.cmbID, 4);
  EXPECT_EQ(boxes(), QStringList({"0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00", "0.00"}));
  EXPECT_EQ(listed(), 0);
}

TEST_F(SalesReport, TypingAfterAllReportsOverEveryEmployee) {
  reports::frmRepDy& w = open();
  press(w.cmdTotal);
  w.txtID.setText("x");
  EXPECT_EQ(w.txtAmount.Tag(), "*");
  EXPECT_EQ(boxes(), QStringList({"5", "1,379.50", "94.41", "1,294.50", "47.00", "5.00", "1,356.50", "10.00",
                                  "7.00"}));
}

TEST_F(SalesReport, EmptyShiftBoxesAreFilledAndTheBoundsAreIncluded) {
  reports::frmRepDy& w = open();
  w.txtTo.setText(kShown1);
  w.txtSTime.setText("");
  w.txtETime.setText("");
  press(w.cmdTotal);
  EXPECT_EQ(w.txtSTime.Text(), "6:00 AM");
  EXPECT_EQ(w.txtETime.Text(), "11:59 PM");
  EXPECT_EQ(w.txtChk.Text(), "3") << "6:00:00 and 23:59:30 are inside";
  // The employee report fills them too.
  w.txtETime.setText("");
  drive::chooseFromList(w.cmbID, 1);  // Jules
  EXPECT_EQ(w.txtETime.Text(), "11:59 PM");
  EXPECT_EQ(w.txtChk.Text(), "1");
}

TEST_F(SalesReport, AFailedRunClearsTheFiguresAndTheListingAndSaysWhy) {
  reports::frmRepDy& w = open();
  press(w.cmdTotal);
  ASSERT_EQ(w.txtChk.Text(), "5");
  w.txtFrom.setText("13/45/2026");
  messages_->answer(forms::vbOK);
  press(w.cmdTotal);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt, "The report could not be run: \"13/45/2026\" is not a date.");
  EXPECT_EQ(boxes(), QStringList({"", "", "", "", "", "", "", "", ""}));
  EXPECT_EQ(listed(), 0);
}

// A placement or check book the report does not know, or one that cannot be
// read, is told in one message; the window opens empty and every run says why.
TEST_F(SalesReport, AnUnknownPlacementOpensTheWindowEmptyAndEveryRunSaysWhy) {
  const struct {
    const char* what;
    const char* sql;
    const char* says;
  } cases[] = {
      // Nor does it read the training tickets for a check book it cannot read.
      {"unknown check book", "UPDATE tbReset SET Reset_txt = 'Ch@ck B00k'",
       "Reset_txt of tbReset in Duzo98HS.mdb reads \"Ch@ck B00k\""},
      {"unknown", "UPDATE tbSet SET SetC = 'Elsewhere'", "SetC of tbSet in Duzo98HS.mdb reads \"Elsewhere\""},
      {"unreadable", "DROP TABLE tbSet", "Duzo98HS.mdb has no table tbSet."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    run(settingsFile(), c.sql);
    messages_->answer(forms::vbOK);
    reports::frmRepDy& w = RepDy();
    w.Show();
    ASSERT_EQ(messages_->shown().size(), 1u);
    EXPECT_TRUE(messages_->shown()[0].prompt.contains(c.says)) << messages_->shown()[0].prompt.toStdString();
    EXPECT_TRUE(w.IsLoaded());
    EXPECT_EQ(w.cmbID.ListCount(), 0);
    EXPECT_EQ(w.DBGrid1.Rows(), 0);
    messages_->answer(forms::vbOK);
    press(w.cmdTotal);
    ASSERT_EQ(messages_->shown().size(), 2u);
    EXPECT_TRUE(messages_->shown()[1].prompt.startsWith("The report could not be run: "))
        << messages_->shown()[1].prompt.toStdString();
    EXPECT_TRUE(messages_->shown()[1].prompt.contains(c.says));
    EXPECT_EQ(boxes(), QStringList({"", "", "", "", "", "", "", "", ""}));
    unloadAllWindows();
    messages_->clear();
  }
}

TEST_F(SalesReport, TheRowLinesPictureSwitchesThemOnAndOff) {
  reports::frmRepDy& w = open();
  std::vector<int> styles;
  for (int i = 0; i < 2; ++i) {
    click(w.imgRDS);
    styles.push_back(w.DBGrid1.RowDividerStyle());
  }
  EXPECT_EQ(styles, std::vector<int>({6, 0}));
}

TEST_F(SalesReport, GridEditsAndNewRowsGoStraightIntoTheTicketsAndCount) {
  reports::frmRepDy& w = open();
  press(w.cmdTotal);
  drive::typeInto(w.DBGrid1, 0, 2, "1,300.00");
  drive::clickRow(w.DBGrid1, 1);
  const int last = w.DBGrid1.Rows() - 1;
  drive::typeInto(w.DBGrid1, last, 0, "8");
  drive::typeInto(w.DBGrid1, last, 3, kShown1);
  drive::typeInto(w.DBGrid1, last, 4, "8:00 PM");
  drive::typeInto(w.DBGrid1, last, 2, "10.00");
  drive::typeInto(w.DBGrid1, last, 5, "HS");
  drive::clickRow(w.DBGrid1, 0);
  EXPECT_EQ(
      value(ticketFile(), "SELECT Date || ' ' || Time || ' ' || Total FROM tblDy_Order WHERE Inv = '8'"),
      "2026-12-08 20:00:00 10.00");
  press(w.cmdTotal);
  EXPECT_EQ(w.txtChk.Text(), "6");
  EXPECT_EQ(w.txtAmount.Text(), "1,455.00");
}

// A total the totals would count as nothing is refused in the listing.
TEST_F(SalesReport, AnAmountThatDoesNotReadIsRefusedInTheListing) {
  reports::frmRepDy& w = open();
  press(w.cmdTotal);
  const QString total = w.txtAmount.Text();
  const QString inv = w.DBGrid1.CellText(0, 0);
  const char* row = "SELECT Total || '|' || Receive FROM tblDy_Order WHERE Inv = ?";
  const QString before = value(ticketFile(), row, {inv});
  for (const auto& [col, typed] : {std::pair{2, "twelve"}, std::pair{6, "n/a"}}) {
    SCOPED_TRACE(typed);
    messages_->clear();
    drive::typeInto(w.DBGrid1, 0, col, typed);
    messages_->answer(forms::vbOK);
    drive::clickRow(w.DBGrid1, 1);
    ASSERT_EQ(messages_->shown().size(), 1u);
    EXPECT_TRUE(messages_->shown()[0].prompt.contains(typed)) << messages_->shown()[0].prompt.toStdString();
    EXPECT_EQ(w.DBGrid1.Row(), 0);
    drive::pressKey(w.DBGrid1, Qt::Key_Escape);
  }
  EXPECT_EQ(value(ticketFile(), row, {inv}), before);
  press(w.cmdTotal);
  EXPECT_EQ(w.txtAmount.Text(), total);
}

TEST_F(SalesReport, TheMenuOpensItAsAChildOfTheMainWindow) {
  shell::MainWindow().Show();
  ASSERT_TRUE(shell::MainWindow().mmSalesRep.Enabled());
  shell::MainWindow().mmSalesRep.action()->trigger();
  EXPECT_TRUE(RepDy().IsLoaded());
  EXPECT_TRUE(RepDy().MDIChild());
}

// ---- the printed summary

class Summary : public SalesReport {
 protected:
  void SetUp() override {
    SalesReport::SetUp();
    spooler.queues = {{"Office", "ipp://10.0.0.9/office", true},
                      {"Receipt", "usb://Epson/TM-T88?serial=1", false}};
    print::ResetCurrentPrinter();
    shell::SetPtr().Cmb1.setText("USB001");
  }
  void TearDown() override {
    SalesReport::TearDown();
    print::ResetCurrentPrinter();
  }
  std::vector<QString> printed(size_t document) const {
    return print::Recorder::texts(recorder.documents().at(document).document);
  }
  FakeSpooler spooler;
  print::Recorder recorder;
};

TEST_F(Summary, PrintsTheSeventeenLinesOnTheReceiptPrinterWhichStaysCurrent) {
  reports::frmRepDy& w = open();
  w.txtTo.setText(kShown1);
  drive::chooseFromList(w.cmbID, 0);  // Mara: one ticket that day
  ASSERT_EQ(w.txtAmount.Text(), "1,234.50");
  ASSERT_EQ(w.txtTax.Text(), "84.50");
  press(w.cmdPSummary);
  ASSERT_EQ(recorder.documents().size(), 1u);
  const std::vector<QString> expected = {
      "          Date: " + rt::ShortDate(QDate::currentDate()),
      "",
      "Shift starting: 6:00 AM",
      " Shift closing: 11:59 PM",
      "-------------------------",
      "",
      "   Sub Total: 1,150.00",
      "   Tax Total: 84.50",
      " Total Sales: 1,234.50",
      "        Tips: 5.00",
      "",
      "Cash Received: 1,239.50",
      "Credit Card: 0.00",
      "     Coupon: 0.00",
      "  Gift Card: 0.00",
      "",
      "Total Received: 1,239.50",
  };
  EXPECT_EQ(printed(0), expected);
  const print::Recorder::Record& r = recorder.documents()[0];
  ASSERT_TRUE(r.printer.has_value());
  EXPECT_EQ(r.printer->deviceName, "Receipt");
  EXPECT_EQ(r.document.lines[0].runs.at(0).font.size, 14);
  EXPECT_EQ(r.document.lines[0].runs.at(0).font.name, "Courier New");
  EXPECT_EQ(w.txtSub.Text(), "1,150.00");
  EXPECT_EQ(print::CurrentPrinter()->deviceName, "Receipt") << "the choice stays for later printing";
}

TEST_F(Summary, WithoutFiguresTheMoneyLinesPrintTheirLabelsOnly) {
  reports::frmRepDy& w = open();
  press(w.cmdPSummary);  // before any run
  w.txtTo.setText(kShown1);
  drive::chooseFromList(w.cmbID, 0);
  press(w.cmdPSummary);
  w.txtFrom.setText("13/45/2026");  // a failed run after a printed summary
  messages_->answer(forms::vbOK);
  press(w.cmdTotal);
  press(w.cmdPSummary);
  ASSERT_EQ(recorder.documents().size(), 3u);
  for (size_t doc : {size_t(0), size_t(2)}) {
    const std::vector<QString> lines = printed(doc);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[6], "   Sub Total: ") << doc;
    EXPECT_EQ(lines[7], "   Tax Total: ") << doc;
    EXPECT_EQ(lines[8], " Total Sales: ") << doc;
    EXPECT_EQ(lines[9], "        Tips: ") << doc;
    EXPECT_EQ(lines[16], "Total Received: ") << doc;
  }
  EXPECT_EQ(printed(1)[6], "   Sub Total: 1,150.00");
  EXPECT_EQ(w.txtSub.Text(), "");
}

// A summary that cannot be handed over at all, not even as a PDF file: the
// clerk is told why, and the figures stay on screen for another press.
TEST_F(Summary, ASummaryThatCannotBePrintedIsTold) {
  reports::frmRepDy& w = open();
  w.txtTo.setText(kShown1);
  drive::chooseFromList(w.cmbID, 0);
  {
    RefusingPrinter refusing;
    messages_->answer(forms::vbOK);
    press(w.cmdPSummary);
  }
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt,
            "The shift summary could not be printed: no PDF file could be written in /nowhere (No space "
            "left on device)");
  EXPECT_EQ(w.txtAmount.Text(), "1,234.50");
  press(w.cmdPSummary);
  ASSERT_EQ(recorder.documents().size(), 1u);
  EXPECT_EQ(printed(0)[6], "   Sub Total: 1,150.00");
}

// ---- the spreadsheet export

class Export : public SalesReport {
 protected:
  void SetUp() override {
    SalesReport::SetUp();
    sheet::quitApplication();
    shell::ExcelApp.reset();
  }
  void TearDown() override {
    SalesReport::TearDown();
    sheet::quitApplication();
    shell::ExcelApp.reset();
  }
  // The listing's ticket numbers, in its order.
  static QStringList listing() {
    QStringList numbers;
    const db::Recordset& rs = RepDy().datOrder.Recordset();
    const int inv = int(rs.fieldNames().indexOf("Inv"));
    for (int r = 0; r < rs.recordCount(); ++r) numbers << rs.valueAt(r, inv).toString();
    return numbers;
  }
  static QStringList column(const sheet::Worksheet& ws, int col) {
    QStringList values;
    for (int r = 1; r <= ws.lastRow(); ++r) values << ws.value(r, col).toString();
    return values;
  }
  static QString sheetXml(const QString& file) {
    QProcess unzip;
    unzip.start("unzip", {"-p", file, "xl/worksheets/sheet1.xml"});
    unzip.waitForFinished(30000);
    return QString::fromUtf8(unzip.readAllStandardOutput());
  }
  QString exports() const {
    return QString::fromStdString(files::localPath("C:\\Program Files\\Dovrel POS 4\\Exports\\"));
  }
  RecordedDesktop desktop;
};

TEST_F(Export, WritesTheHeadingsAndEveryTicketInTheirFormats) {
  reports::frmRepDy& w = open();
  press(w.cmdTotal);
  press(w.cmdExcel);
  ASSERT_TRUE(shell::ExcelApp);
  ASSERT_EQ(shell::ExcelApp->Workbooks().Count(), 1);
  const sheet::Worksheet& ws = shell::ExcelApp->Workbooks().Item(1).ActiveSheet();
  QStringList headings;
  for (int c = 1; c <= 8; ++c) headings << ws.value(1, c).toString();
  EXPECT_EQ(headings,
            QStringList({"Invoice", "Employees", "Date", "Time", "Tax", "Sale Price", "From", "Received"}));
  EXPECT_EQ(column(ws, 1).mid(1), listing());
  ASSERT_EQ(ws.lastRow(), 6);
  // Ticket 3 was not paid: its Receive "0" leaves H empty.
  const int unpaid = int(listing().indexOf("3")) + 2;
  EXPECT_FALSE(ws.value(unpaid, 8).isValid());
  const int first = int(listing().indexOf("1")) + 2;
  EXPECT_EQ(ws.value(first, 1), QVariant(1.0));
  EXPECT_EQ(ws.value(first, 2), QVariant("Mara"));
  EXPECT_EQ(ws.value(first, 3), QVariant(QDate(2026, 12, 8)));
  EXPECT_EQ(ws.value(first, 4), QVariant(QTime(6, 0)));
  EXPECT_EQ(ws.value(first, 5), QVariant(84.5));
  EXPECT_EQ(ws.value(first, 6), QVariant(1234.5));
  EXPECT_EQ(ws.value(first, 8), QVariant(1239.5));
  EXPECT_EQ(ws.shownText(first, 6), "$1,234.50 ");
  EXPECT_EQ(ws.columnFormat(3), "m/d/yyyy_);(m/d/yyyy)");
  EXPECT_EQ(ws.columnFormat(4), "h:mm AM/PM");
  for (int c : {5, 6, 8}) EXPECT_EQ(ws.columnFormat(c), "$#,##0.00_);($#,##0.00)");
  for (int c = 1; c <= 8; ++c) {
    EXPECT_TRUE(ws.style(1, c).bold) << c;
    EXPECT_GT(ws.columnWidth(c), 0) << c;
  }
  EXPECT_FALSE(ws.style(2, 1).bold);
  EXPECT_EQ(ws.columnWidth(6), 12) << "\"Sale Price\" in bold is its widest text";
  EXPECT_EQ(ws.selection(), "A1");
  ASSERT_EQ(desktop.opened, QStringList{exports() + "Book1.xlsx"});

  // The file holds the headings and every ticket.
  const QString xml = sheetXml(desktop.opened[0]);
  EXPECT_TRUE(xml.contains("<t>Sale Price</t>"));
  for (int r = 2; r <= 6; ++r) {
    EXPECT_TRUE(xml.contains(QStringLiteral("<c r=\"A%1\"><v>%2</v>").arg(r).arg(listing()[r - 2])))
        << r << " " << xml.left(2000).toStdString();
  }
}

TEST_F(Export, EveryExportHoldsTheWholeListingWhereverTheCursorStands) {
  reports::frmRepDy& w = open();
  press(w.cmdTotal);
  press(w.cmdExcel);
  drive::clickRow(w.DBGrid1, 3);
  ASSERT_EQ(w.datOrder.Recordset().absolutePosition(), 3);
  press(w.cmdExcel);
  ASSERT_EQ(shell::ExcelApp->Workbooks().Count(), 2);
  for (int book = 1; book <= 2; ++book)
    EXPECT_EQ(column(shell::ExcelApp->Workbooks().Item(book).ActiveSheet(), 1).mid(1), listing()) << book;
  EXPECT_EQ(w.datOrder.Recordset().absolutePosition(), 3) << "the cursor stays";
  ASSERT_EQ(desktop.opened.size(), 2);
  const QString xml = sheetXml(desktop.opened[1]);
  for (int r = 2; r <= 6; ++r)
    EXPECT_TRUE(xml.contains(QStringLiteral("<c r=\"A%1\"><v>%2</v>").arg(r).arg(listing()[r - 2]))) << r;
}

TEST_F(Export, AnEmptyListingGivesTheHeadingsOnly) {
  reports::frmRepDy& w = open();
  w.txtFrom.setText("1/1/2020");
  w.txtTo.setText("1/2/2020");
  press(w.cmdTotal);
  press(w.cmdExcel);
  const sheet::Worksheet& ws = shell::ExcelApp->Workbooks().Item(1).ActiveSheet();
  EXPECT_EQ(ws.lastRow(), 1);
  EXPECT_EQ(ws.value(1, 8).toString(), "Received");
}

TEST_F(Export, WithoutASpreadsheetApplicationItSaysSoAndMakesNothing) {
  desktop.application.clear();
  reports::frmRepDy& w = open();
  press(w.cmdTotal);
  messages_->answer(forms::vbOK);
  press(w.cmdExcel);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt, "Can't Creat Excel Object");
  EXPECT_FALSE(shell::ExcelApp);
  EXPECT_TRUE(desktop.opened.isEmpty());
  EXPECT_FALSE(QDir(exports()).exists("Book1.xlsx"));
}

TEST_F(Export, ThePreviewOpensTheExportOnceAndLaterTheActiveWorkbook) {
  reports::frmRepDy& w = open();
  press(w.cmdPrint);  // no workbook yet: nothing
  EXPECT_TRUE(desktop.opened.isEmpty());
  press(w.cmdTotal);
  press(w.cmdPrintPrev);
  EXPECT_EQ(desktop.opened, QStringList{exports() + "Book1.xlsx"});
  press(w.cmdPrint);
  EXPECT_EQ(desktop.opened, QStringList({exports() + "Book1.xlsx", exports() + "Book1.xlsx"}));
}

TEST_F(Export, ATicketBeyondTheSheetIsCountedAndLeftOut) {
  auto db = db::Database::open(ticketFile());
  auto listing = db->openRecordset("tblDy_Order");
  sheet::Application app;
  app.Workbooks().Add();
  const reports::ExportResult r = reports::writeSalesSheet(app.ActiveSheet(), listing.get(), 4);
  EXPECT_EQ(r.written, 3);
  EXPECT_EQ(r.leftOut, 3);
  EXPECT_EQ(app.ActiveSheet().lastRow(), 4);
}

TEST_F(Export, TheSampleSheetBehindTheHiddenButtons) {
  reports::frmRepDy& w = open();
  press(w.cmdAutoFill);  // no application yet: nothing happens
  EXPECT_FALSE(shell::ExcelApp);
  for (forms::CommandButton* b : {&w.cmdExcelFillCells, &w.cmdAutoFill, &w.cmdFont, &w.cmdSum}) press(*b);
  ASSERT_EQ(shell::ExcelApp->Workbooks().Count(), 1);
  const sheet::Worksheet& ws = shell::ExcelApp->Workbooks().Item(1).ActiveSheet();
  EXPECT_EQ(ws.value(1, 1).toString(), " Cost of Dog Ownership");
  EXPECT_EQ(ws.value(3, 3).toString(), "Medium Dog");
  QStringList months;
  for (int r = 4; r <= 15; ++r) months << ws.value(r, 1).toString();
  EXPECT_EQ(months, QStringList({"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov",
                                 "Dec"}));
  EXPECT_EQ(ws.value(15, 2), QVariant(20.0));
  EXPECT_EQ(ws.value(15, 4), QVariant(40.0));
  EXPECT_EQ(ws.formula(16, 2), "=SUM(B4:B15)");
  EXPECT_EQ(ws.formula(16, 4), "=SUM(D4:D15)");
  EXPECT_EQ(ws.shownText(16, 3), "$360 ");
  EXPECT_TRUE(ws.style(1, 1).bold);
  EXPECT_EQ(ws.style(1, 1).size, 18);
  EXPECT_TRUE(ws.style(3, 2).bold);
  EXPECT_TRUE(ws.style(16, 4).bold);
  EXPECT_EQ(ws.columnFormat(2), "$#,##0_);($#,##0)");
  EXPECT_EQ(ws.selection(), "A1");
  EXPECT_EQ(desktop.opened.size(), 1) << "shown once, rewritten after each routine";
}

}  // namespace
