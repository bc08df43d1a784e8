#include "reports/frmRepDy.h"

#include <QDate>
#include <exception>

#include "platform/convert/datetext.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "platform/print/printer.h"
#include "reports/frmRepOrdrDetails.h"
#include "reports/salesexport.h"
#include "sales/storage.h"
#include "shell/Module1.h"
#include "shell/appinfo.h"
#include "shell/dataopen.h"
#include "shell/placement.h"
#include "shell/steps.h"
#include "tender/receiptprinter.h"

namespace reports {

namespace {

constexpr forms::Color kNavy = forms::RGB(0, 0, 128);
constexpr forms::Color kSilver = forms::RGB(192, 192, 192);
const QString kConnect = QStringLiteral("Access 2000;");
const QString kStaffQuery = QStringLiteral("SELECT * FROM tbEmplo ORDER BY szID_no ASC");
// What the listing shows after a run that failed: no ticket.
const QString kNoTickets = QStringLiteral("SELECT * FROM tblDy_Order WHERE 1 = 0");

// The panel's rows: a label at the left, its box at the right.
constexpr int kLabelLeft = 9480;
constexpr int kBoxLeft = 11400;
constexpr int kBoxWidth = 1560;

}  // namespace

frmRepDy::frmRepDy() : Form("frmRepDy") {
  setMDIChild(true);
  setCaption(QStringLiteral("Sales Reports"));
  setWidth(14520);
  setHeight(8400);

  Label1.setCaption(QStringLiteral("Sales Reports"));
  Label1.setToolTipText(QStringLiteral("Exit"));
  Label1.Move(120, 60, 2880, 495);
  Label1.setFont(QStringLiteral("Arial"), 18, true);
  Label1.setForeColor(kNavy);
  Label1.setBackStyle(0);
  Label3.setCaption(QStringLiteral("Search by Employees:"));
  Label3.Move(3120, 150, 2520, 285);
  Label3.setBackStyle(0);
  cmbID.Move(5700, 90, 2415, 360);
  // The name box covers the text part of the list, leaving its button free.
  txtID.Move(5730, 105, 2100, 330);

  Label25.setCaption(QStringLiteral("From:"));
  Label25.Move(120, 720, 600, 285);
  txtFrom.Move(720, 660, 1335, 330);
  Label26.setCaption(QStringLiteral("To:"));
  Label26.Move(2160, 720, 420, 285);
  txtTo.Move(2580, 660, 1335, 330);
  Label5.setCaption(QStringLiteral("Start:"));
  Label5.Move(4080, 720, 600, 285);
  txtSTime.setText(kShiftStart);
  txtSTime.Move(4680, 660, 1095, 330);
  txtSTime.setAlignment(forms::vbCenter);
  Label6.setCaption(QStringLiteral("End:"));
  Label6.Move(5880, 720, 480, 285);
  txtETime.setText(kShiftEnd);
  txtETime.Move(6360, 660, 1095, 330);
  txtETime.setAlignment(forms::vbCenter);
  cmdTotal.setCaption(QStringLiteral("All"));
  cmdTotal.setToolTipText(QStringLiteral("Double Click"));
  cmdTotal.Move(7680, 600, 1095, 450);
  for (forms::Label* l : {&Label3, &Label25, &Label26, &Label5, &Label6}) {
    l->setFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    l->setBackStyle(0);
  }
  cmdTotal.setFont(QStringLiteral("MS Sans Serif"), 9.75, true);

  // The totals: total sales with the count, tax and tips, then cash
  // received, credit card, coupon, gift card and total received, on a white
  // panel framed silver.
  Label7.Move(9300, 60, 5100, 4140);
  Label7.setBackColor(kSilver);
  Label4.Move(9360, 120, 4980, 4020);
  Label4.setBackColor(forms::vbWhite);
  const struct {
    forms::Label* label;
    const char* caption;
    forms::TextBox* box;
    int top;
  } rows[] = {
      {&lblAmount, "Total Sales:", &txtAmount, 210}, {&Label12, "Tax:", &txtTax, 690},
      {&Label11, "Sub Total:", &txtSub, 1170},  // hidden
      {&lblTips, "Tips:", &txtTips, 1170},           {&lblReceived, "Cash Received:", &txtReceived, 1650},
      {&Label8, "Credit Card:", &txtCCard, 2130},    {&Label9, "Coupont:", &txtCoupon, 2610},
      {&lblGift, "Gift Card:", &txtGift, 3090},      {&Label10, "Total Received:", &txtTotalReceived, 3570},
  };
  for (const auto& r : rows) {
    r.label->setCaption(QString::fromLatin1(r.caption));
    r.label->Move(kLabelLeft, r.top + 30, 1860, 285);
    r.label->setFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    r.label->setBackStyle(0);
    r.box->Move(kBoxLeft, r.top, kBoxWidth, 330);
    r.box->setAlignment(forms::vbRightJustify);
    r.box->setFont(QStringLiteral("MS Sans Serif"), 9.75, true);
  }
  Label2.setCaption(QStringLiteral("Chks"));
  Label2.Move(13080, 240, 540, 285);
  Label2.setFont(QStringLiteral("MS Sans Serif"), 9.75, true);
  Label2.setBackStyle(0);
  txtChk.Move(13620, 210, 660, 330);
  txtChk.setAlignment(forms::vbCenter);
  txtChk.setFont(QStringLiteral("MS Sans Serif"), 9.75, true);
  Label11.setVisible(false);
  txtSub.setVisible(false);

  cmdDetails.setCaption(QStringLiteral("More Details"));
  cmdDetails.Move(9360, 4320, 2400, 600);
  cmdPSummary.setCaption(QStringLiteral("Print Summary"));
  cmdPSummary.Move(11940, 4320, 2400, 600);
  for (forms::CommandButton* b : {&cmdDetails, &cmdPSummary})
    b->setFont(QStringLiteral("MS Sans Serif"), 9.75, true);
  cmdExcel.setToolTipText(QStringLiteral("Print Reports"));
  cmdExcel.setPicture(QStringLiteral(":/reports/sheet.png"));
  cmdExcel.Move(9360, 5100, 1095, 975);
  cmdPrintPrev.setToolTipText(QStringLiteral("Print Reports"));
  cmdPrintPrev.setPicture(QStringLiteral(":/reports/preview.png"));
  cmdPrintPrev.Move(10560, 5100, 1095, 975);
  cmdClose.setPicture(QStringLiteral(":/reports/close.png"));
  cmdClose.Move(13245, 5100, 1095, 975);
  for (forms::CommandButton* b : {&cmdExcel, &cmdPrintPrev, &cmdClose}) {
    b->setStyle(1);
    b->setBackColor(forms::vbWhite);
  }
  imgRDS.setPicture(QStringLiteral(":/reports/rows.png"));
  imgRDS.Move(9360, 6240, 720, 1200);

  const struct {
    forms::CommandButton* button;
    const char* caption;
  } hidden[] = {{&cmdLoadSales, "Load Sales"},
                {&cmdPrint, "Print"},
                {&cmdExcelFillCells, "ExcelFillCells"},
                {&cmdFont, "Font"},
                {&cmdAutoFill, "Auto Fill"},
                {&cmdSum, "Sum"}};
  int left = 10200;
  for (const auto& h : hidden) {
    h.button->setCaption(QString::fromLatin1(h.caption));
    h.button->Move(left, 7800, 600, 360);
    h.button->setVisible(false);
    left += 660;
  }

  datOrder.setConnect(kConnect);
  datEmploye.setConnect(kConnect);

  // The listing: headings, no border, no record selectors, no row lines;
  // cells are changed and rows appended straight into tblDy_Order.
  DBGrid1.setDataSource(datOrder);
  DBGrid1.Move(120, 1140, 9060, 7140);
  const struct {
    const char* heading;
    const char* field;
    const char* format;
    int width;
  } columns[] = {
      {"Inv", "Inv", "", 600},
      {"ID", "ID", "", 960},
      {"Total:", "Total", "Currency", 1035},
      {"Date", "Date", "Short Date", 1035},
      {"Time", "Time", "Medium Time", 915},
      {"Method:", "Method", "Standard", 780},
      {"Receive:", "Receive", "Currency", 1035},
      {"Card:", "szType_Card", "Standard", 735},
      {"Card $:", "szCard_amt", "Currency", 1035},
      {"Coupon:", "szCoupon_amt", "Currency", 900},
      {"Gift:", "szGift_amt", "Currency", 900},
      {"Tip:", "szTip_amt", "Currency", 900},
      {"Del ID", "1", "", 600},
      {"Card #", "szNumber_Card", "", 1140},
      {"Exp:", "szExp_Card", "", 600},
  };
  for (const auto& c : columns)
    DBGrid1.addColumn(QString::fromLatin1(c.heading), QString::fromLatin1(c.field),
                      QString::fromLatin1(c.format), c.width);
  DBGrid1.setColumnHeaders(true);
  DBGrid1.setBorderStyle(0);
  DBGrid1.setRecordSelectors(false);
  DBGrid1.setRowDividerStyle(0);
  DBGrid1.setAllowUpdate(true);
  DBGrid1.setAllowAddNew(true);

  cmdTotal.onClick = [this] { cmdTotal_Click(); };
  cmbID.onClick = [this] { cmbID_Click(); };
  txtID.onChange = [this] { txtID_Change(); };
  imgRDS.onClick = [this] { imgRDS_Click(); };
  cmdDetails.onClick = [this] { cmdDetails_Click(); };
  cmdPSummary.onClick = [this] { cmdPSummary_Click(); };
  cmdExcel.onClick = [this] { cmdExcel_Click(); };
  cmdPrintPrev.onClick = [this] { cmdPrintPrev_Click(); };
  cmdLoadSales.onClick = [this] { cmdLoadSales_Click(); };
  cmdPrint.onClick = [this] { cmdPrint_Click(); };
  cmdExcelFillCells.onClick = [this] { cmdExcelFillCells_Click(); };
  cmdFont.onClick = [this] { cmdFont_Click(); };
  cmdAutoFill.onClick = [this] { cmdAutoFill_Click(); };
  cmdSum.onClick = [this] { cmdSum_Click(); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
  Label1.onClick = [this] { Label1_Click(); };
}

void frmRepDy::Form_Load() {
  setBackColor(shell::kSettingsGreen);
  Place(20);
  noDatabase_.clear();

  const QDate today = QDate::currentDate();
  txtFrom.setText(rt::ShortDate(today));
  txtTo.setText(rt::ShortDate(today));

  // The placement first; the check book only for a placement the report
  // knows. A setting that cannot be read (told here, once, as the reason)
  // leaves the window without a database.
  const shell::TicketDatabase tickets = shell::currentTicketDatabase();
  if (!tickets.path) {
    noDatabase_ = tickets.unreadable.value_or(QString());
    forms::MsgBox(QStringLiteral("The sales report has no database: ") + noDatabase_, forms::vbExclamation);
    return;
  }
  datOrder.setDatabaseName(*tickets.path);
  datEmploye.setDatabaseName(
      shell::placeDatabase(shell::currentDataLocation(), "Infor.mdb").value_or(QString()));

  // Today's tickets of every order type and time of day.
  const QString day = rt::IsoDate(today);
  datOrder.setRecordSource(QStringLiteral("SELECT * FROM tblDy_Order WHERE Date Between ? And ?;"),
                           {day, day});
  datEmploye.setRecordSource(kStaffQuery);

  // A file that cannot be opened is named once; the window opens all the
  // same, and each later run tells its failure.
  shell::DataOpener opener;
  if (opener.open({&datEmploye})) {
    // Every first name in sign-in code order, a shared one as often as it
    // occurs; a staff row without a first name is left out.
    shell::runStep([this] {
      db::Recordset& staff = datEmploye.Recordset();
      for (; !staff.eof(); staff.moveNext()) {
        const QString name = staff.field(QStringLiteral("sFirst_nm")).toString();
        if (!name.isEmpty()) cmbID.AddItem(name);
      }
    });
  }
  opener.open({&datOrder});
  opener.report();
  // A ticket file of an earlier build gets the columns of the gift card and
  // the tip; one that cannot be written is read without them.
  if (datOrder.IsOpen()) shell::runStep([this] { sales::upgradeTicketFile(datOrder.Database()); });
}

// ---- runs

void frmRepDy::cmdTotal_Click() {
  txtAmount.setTag(QStringLiteral("*"));
  ShowMethodReport();
}

void frmRepDy::cmbID_Click() {
  txtAmount.setTag(cmbID.Text());
  txtID.setText(cmbID.Text());  // the name already shown changes nothing and runs nothing
}

void frmRepDy::txtID_Change() {
  SumByEmployee();
}

void frmRepDy::FillShiftTimes() {
  if (txtSTime.Text().isEmpty()) txtSTime.setText(kShiftStart);
  if (txtETime.Text().isEmpty()) txtETime.setText(kShiftEnd);
}

void frmRepDy::ShowMethodReport() {
  FillShiftTimes();
  RunReport(ReportKind::All);
}

void frmRepDy::SumByMethod() {
  ShowFigures(boxesOf(
      salesTotals(datOrder.Database(), ReportKind::All,
                  {txtAmount.Tag(), txtFrom.Text(), txtTo.Text(), txtSTime.Text(), txtETime.Text()})));
}

void frmRepDy::SumByEmployee() {
  FillShiftTimes();
  RunReport(ReportKind::Employee);
}

void frmRepDy::RunReport(ReportKind kind) {
  const ReportRequest request{txtAmount.Tag(), txtFrom.Text(), txtTo.Text(), txtSTime.Text(),
                              txtETime.Text()};
  try {
    if (!noDatabase_.isEmpty())
      throw ReportError(QStringLiteral("there is no ticket database: ") + noDatabase_);
    const Query listing = listingQuery(kind, request);
    datOrder.setRecordSource(listing.sql, listing.params);
    datOrder.Refresh();
    if (kind == ReportKind::All)
      SumByMethod();
    else
      ShowFigures(boxesOf(salesTotals(datOrder.Database(), kind, request)));
  } catch (const std::exception& e) {
    FailRun(QString::fromUtf8(e.what()));
  }
}

void frmRepDy::ShowFigures(const ReportBoxes& b) {
  txtChk.setText(b.chk);
  txtAmount.setText(b.amount);
  txtTax.setText(b.tax);
  txtCCard.setText(b.cCard);
  txtCoupon.setText(b.coupon);
  txtGift.setText(b.gift);
  txtTips.setText(b.tips);
  txtReceived.setText(b.received);
  txtTotalReceived.setText(b.totalReceived);
}

void frmRepDy::FailRun(const QString& reason) {
  ShowFigures(ReportBoxes());
  if (noDatabase_.isEmpty()) {
    shell::runStep([this] {
      datOrder.setRecordSource(kNoTickets);
      datOrder.Refresh();
    });
  }
  forms::MsgBox(QStringLiteral("The report could not be run: ") + reason, forms::vbExclamation);
}

void frmRepDy::imgRDS_Click() {
  DBGrid1.setRowDividerStyle(DBGrid1.RowDividerStyle() == 0 ? 6 : 0);
}

// The period goes to the order-detail report as it stands; the first touch
// of that window loads it (with its own first listing), and nothing is
// queried here.
void frmRepDy::cmdDetails_Click() {
  RepOrdrDetails().txtFrom.setText(txtFrom.Text());
  RepOrdrDetails().txtTo.setText(txtTo.Text());
  RepOrdrDetails().Show();
}

// ---- the shift summary

void frmRepDy::cmdPSummary_Click() {
  shell::runStep([] { tender::SelectReceiptPrinter(); });
  print::PrinterObject& printer = print::Printer();
  shell::runStep([&] { printer.setFontSize(14); });
  shell::runStep([&] { printer.setFontName(QStringLiteral("Courier New")); });
  auto lines = [this] {
    return summaryLines(rt::ShortDate(QDate::currentDate()),
                        SummaryBoxes{txtSTime.Text(), txtETime.Text(), txtSub.Text(), txtTax.Text(),
                                     txtAmount.Text(), txtReceived.Text(), txtCCard.Text(), txtCoupon.Text(),
                                     txtTotalReceived.Text(), txtGift.Text(), txtTips.Text()});
  };
  const std::vector<QString> head = lines();
  for (size_t i = 0; i < 6; ++i) shell::runStep([&] { printer.Print(head[i]); });
  // The sub total of the figures on screen; none when they hold no numbers,
  // so an earlier sub total is never printed again.
  txtSub.setText(subTotalText(txtAmount.Text(), txtTax.Text()));
  const std::vector<QString> rest = lines();
  for (size_t i = 6; i < rest.size(); ++i) shell::runStep([&] { printer.Print(rest[i]); });
  // A summary that went nowhere, not even to a PDF file, is told.
  print::Handover handover;
  shell::runStep([&] { handover = printer.EndDoc(); });
  if (!handover.done())
    forms::MsgBox(QStringLiteral("The shift summary could not be printed: ") + handover.failure,
                  forms::vbExclamation);
}

// ---- the spreadsheet

void frmRepDy::ExcelLoadSales() {
  forms::Screen::setMousePointer(forms::vbHourglass);
  if (!shell::GetExcelApp()) return;
  sheet::Application& app = *shell::ExcelApp;
  sheet::Worksheet* ws = nullptr;
  shell::runStep([&] {
    app.Workbooks().Add();
    ws = &app.ActiveSheet();
  });
  if (!ws) return;
  // Every ticket of the listing, from the first whatever the grid's cursor.
  ExportResult result;
  shell::runStep([&] { result = writeSalesSheet(*ws, datOrder.IsOpen() ? &datOrder.Recordset() : nullptr); });
  shell::runStep([&] { formatSalesSheet(app); });
  if (result.leftOut > 0) {
    forms::MsgBox(QStringLiteral("The sheet holds %1 tickets: %2 tickets of the listing were left out.")
                      .arg(result.written)
                      .arg(result.leftOut),
                  forms::vbExclamation);
  }
}

void frmRepDy::ShowWorkbooks() {
  if (!shell::ExcelApp) return;
  const QStringList problems = shell::ExcelApp->ShowWorkbooks();
  if (!problems.isEmpty()) forms::MsgBox(problems.join(QLatin1Char('\n')), forms::vbExclamation);
}

void frmRepDy::cmdExcel_Click() {
  ExcelLoadSales();
  ShowWorkbooks();
}

void frmRepDy::cmdLoadSales_Click() {
  ExcelLoadSales();
  ShowWorkbooks();
}

// The preview opens the workbook in the spreadsheet program, which prints
// it; with no workbook yet there is nothing to preview.
void frmRepDy::cmdPrint_Click() {
  sheet::Workbook* book = shell::ExcelApp ? shell::ExcelApp->ActiveWorkbook() : nullptr;
  if (book) {
    try {
      book->PrintPreview();
    } catch (const sheet::Error& e) {
      forms::MsgBox(e.message(), forms::vbExclamation);
    }
  }
  ShowWorkbooks();
}

void frmRepDy::cmdPrintPrev_Click() {
  ExcelLoadSales();
  cmdPrint_Click();
}

void frmRepDy::ExcelFillCells() {
  forms::Screen::setMousePointer(forms::vbHourglass);
  if (shell::GetExcelApp()) {
    sheet::Application& app = *shell::ExcelApp;
    shell::runStep([&] { app.Workbooks().Add(); });
    const std::pair<const char*, const char*> cells[] = {{"A1", " Cost of Dog Ownership"},
                                                         {"B3", "Small Dog"},
                                                         {"C3", "Medium Dog"},
                                                         {"D3", "Large Dog"},
                                                         {"A4", "Jan"}};
    for (const auto& [address, text] : cells)
      shell::runStep([&] { app.Range(QString::fromLatin1(address)).setValue(QString::fromLatin1(text)); });
  }
  forms::Screen::setMousePointer(forms::vbDefault);
}

// The other sample routines work on the active sheet; with no application
// or no workbook they do nothing.
void frmRepDy::ExcelAutoFill() {
  if (!shell::ExcelApp || !shell::ExcelApp->ActiveWorkbook()) return;
  sheet::Application& app = *shell::ExcelApp;
  shell::runStep([&] {
    app.Range(QStringLiteral("A4:A4")).Select();
    app.Selection().AutoFill(app.Range(QStringLiteral("A4:A15")));
  });
  shell::runStep([&] { app.Range(QStringLiteral("B4")).setValue(20); });
  shell::runStep([&] { app.Range(QStringLiteral("C4")).setValue(30); });
  shell::runStep([&] { app.Range(QStringLiteral("D4")).setValue(40); });
  shell::runStep([&] {
    app.Range(QStringLiteral("B4:D4")).Select();
    app.Selection().AutoFill(app.Range(QStringLiteral("B4:D15")));
  });
  shell::runStep([&] { app.Range(QStringLiteral("A1")).Select(); });
}

void frmRepDy::ExcelSetFont() {
  if (!shell::ExcelApp || !shell::ExcelApp->ActiveWorkbook()) return;
  sheet::Application& app = *shell::ExcelApp;
  shell::runStep([&] {
    app.Range(QStringLiteral("A1")).Font().setBold(true);
    app.Range(QStringLiteral("A1")).Font().setSize(18);
  });
  shell::runStep([&] { app.Range(QStringLiteral("B3:D3")).Font().setBold(true); });
  shell::runStep([&] { app.ActiveSheet().Columns(QStringLiteral("B:D")).AutoFit(); });
}

void frmRepDy::ExcelSum() {
  if (!shell::ExcelApp || !shell::ExcelApp->ActiveWorkbook()) return;
  sheet::Application& app = *shell::ExcelApp;
  for (const char* cell : {"B16", "C16", "D16"}) {
    shell::runStep([&] {
      app.Range(QString::fromLatin1(cell)).Select();
      app.ActiveCell().setFormulaR1C1(QStringLiteral("=SUM(R[-12]C:R[-1]C)"));
    });
  }
  shell::runStep([&] {
    app.ActiveSheet().Columns(QStringLiteral("B:D")).Select();
    app.Selection().setNumberFormat(QStringLiteral("$#,##0_);($#,##0)"));
  });
  shell::runStep([&] {
    app.Range(QStringLiteral("B16:D16")).Select();
    app.Selection().Font().setBold(true);
  });
  shell::runStep([&] { app.ActiveSheet().Columns(QStringLiteral("B:D")).AutoFit(); });
  shell::runStep([&] { app.Range(QStringLiteral("A1")).Select(); });
}

void frmRepDy::cmdExcelFillCells_Click() {
  ExcelFillCells();
  ShowWorkbooks();
}

void frmRepDy::cmdAutoFill_Click() {
  ExcelAutoFill();
  ShowWorkbooks();
}

void frmRepDy::cmdFont_Click() {
  ExcelSetFont();
  ShowWorkbooks();
}

void frmRepDy::cmdSum_Click() {
  ExcelSum();
  ShowWorkbooks();
}

// ---- closing

void frmRepDy::cmdClose_Click() {
  shell::runStep([this] { forms::Unload(*this); });
}

void frmRepDy::Label1_Click() {
  forms::Unload(*this);
}

frmRepDy& RepDy() {
  return forms::global<frmRepDy>();
}

}  // namespace reports
