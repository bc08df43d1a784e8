// The sales report: the stored tickets of a period and a shift in a grid,
// totalled over all employees (All) or one (a name picked or typed), with the
// printed shift summary, the spreadsheet export and the hand-off of the
// period to the order-detail report.
//
// The window keeps its state in its controls: the period and shift texts,
// the filter of the last run in the tag of txtAmount, the figures in the
// total boxes and the listing in datOrder. A run that fails (a period or
// shift that does not read, a database that does not answer) empties the
// figures and the listing and says why, so nothing on screen is left over
// from an earlier run.
#pragma once

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/dbgrid.h"
#include "platform/forms/form.h"
#include "reports/salesreport.h"

namespace reports {

class frmRepDy : public forms::Form {
 public:
  frmRepDy();

  // The white and silver panels behind the totals come first, under them.
  forms::Label Label7{this, "Label7"};
  forms::Label Label4{this, "Label4"};

  forms::Label Label1{this, "Label1"};
  forms::Label Label3{this, "Label3"};
  forms::ComboBox cmbID{this, "cmbID"};
  forms::TextBox txtID{this, "txtID"};
  forms::Label Label25{this, "Label25"};
  forms::TextBox txtFrom{this, "txtFrom"};
  forms::Label Label26{this, "Label26"};
  forms::TextBox txtTo{this, "txtTo"};
  forms::Label Label5{this, "Label5"};
  forms::TextBox txtSTime{this, "txtSTime"};
  forms::Label Label6{this, "Label6"};
  forms::TextBox txtETime{this, "txtETime"};
  forms::CommandButton cmdTotal{this, "cmdTotal"};

  forms::Label lblAmount{this, "lblAmount"};
  forms::TextBox txtAmount{this, "txtAmount"};
  forms::Label Label2{this, "Label2"};
  forms::TextBox txtChk{this, "txtChk"};
  forms::Label Label12{this, "Label12"};
  forms::TextBox txtTax{this, "txtTax"};
  forms::Label Label11{this, "Label11"};
  forms::TextBox txtSub{this, "txtSub"};
  forms::Label lblReceived{this, "lblReceived"};
  forms::TextBox txtReceived{this, "txtReceived"};
  forms::Label Label8{this, "Label8"};
  forms::TextBox txtCCard{this, "txtCCard"};
  forms::Label Label9{this, "Label9"};
  forms::TextBox txtCoupon{this, "txtCoupon"};
  forms::Label Label10{this, "Label10"};
  forms::TextBox txtTotalReceived{this, "txtTotalReceived"};
  // The tips (on top of the sales) and the gift cards, each apart.
  forms::Label lblTips{this, "lblTips"};
  forms::TextBox txtTips{this, "txtTips"};
  forms::Label lblGift{this, "lblGift"};
  forms::TextBox txtGift{this, "txtGift"};

  forms::Data datOrder{this, "datOrder"};
  forms::Data datEmploye{this, "datEmploye"};
  forms::DBGrid DBGrid1{this, "DBGrid1"};
  forms::Image imgRDS{this, "imgRDS"};

  forms::CommandButton cmdDetails{this, "cmdDetails"};
  forms::CommandButton cmdPSummary{this, "cmdPSummary"};
  forms::CommandButton cmdExcel{this, "cmdExcel"};
  forms::CommandButton cmdPrintPrev{this, "cmdPrintPrev"};
  forms::CommandButton cmdClose{this, "cmdClose"};

  // The spreadsheet routines' own buttons, never shown.
  forms::CommandButton cmdLoadSales{this, "cmdLoadSales"};
  forms::CommandButton cmdPrint{this, "cmdPrint"};
  forms::CommandButton cmdExcelFillCells{this, "cmdExcelFillCells"};
  forms::CommandButton cmdFont{this, "cmdFont"};
  forms::CommandButton cmdAutoFill{this, "cmdAutoFill"};
  forms::CommandButton cmdSum{this, "cmdSum"};

  // The export of the listing into a new workbook of the spreadsheet
  // application, and the sample sheet's first routine.
  void ExcelLoadSales();
  void ExcelFillCells();

 protected:
  void Form_Load() override;

 private:
  void cmdTotal_Click();
  void cmbID_Click();
  void txtID_Change();
  void imgRDS_Click();
  void cmdDetails_Click();
  void cmdPSummary_Click();
  void cmdExcel_Click();
  void cmdPrintPrev_Click();
  void cmdLoadSales_Click();
  void cmdPrint_Click();
  void cmdExcelFillCells_Click();
  void cmdFont_Click();
  void cmdAutoFill_Click();
  void cmdSum_Click();
  void cmdClose_Click();
  void Label1_Click();

  void ShowMethodReport();
  void SumByMethod();
  void SumByEmployee();
  void ExcelAutoFill();
  void ExcelSetFont();
  void ExcelSum();

  // Fills empty shift boxes with the default times.
  void FillShiftTimes();
  // Opens the run's listing and fills the boxes with its figures; a step
  // that fails ends the run as a failure.
  void RunReport(ReportKind kind);
  void ShowFigures(const ReportBoxes& boxes);
  // Empties the boxes and the listing, and tells why the run failed.
  void FailRun(const QString& reason);
  // The workbooks a spreadsheet routine built are shown when it ends.
  void ShowWorkbooks();

  QString noDatabase_;  // why the window has no ticket database, when it has none
};

frmRepDy& RepDy();

}  // namespace reports
