// The spreadsheet application: cells, formats, fonts, widths, formulas and
// auto-fill in memory; workbooks shown as .xlsx files on a recorded desktop.
#include "platform/sheet/sheet.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/files/paths.h"
#include "tests/sheet/recorded_desktop.h"

inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace {

class SheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root.isValid());
    files::setRoot(root.path().toStdString());
    sheet::quitApplication();
  }
  void TearDown() override { sheet::quitApplication(); }
  QString exports() const {
    return QString::fromStdString(files::localPath("C:\\Program Files\\Dovrel POS 4\\Exports\\"));
  }
  // One part of an .xlsx file, read back with unzip.
  static QString part(const QString& file, const QString& name) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, name});
    if (!unzip.waitForFinished(30000)) return QStringLiteral("<unzip did not finish>");
    return QString::fromUtf8(unzip.readAllStandardOutput());
  }
  QTemporaryDir root;
  RecordedDesktop desktop;
};

TEST(SheetRules, ColumnLettersAndR1C1Formulas) {
  EXPECT_EQ(sheet::columnLetters(1), "A");
  EXPECT_EQ(sheet::columnLetters(26), "Z");
  EXPECT_EQ(sheet::columnLetters(27), "AA");
  EXPECT_EQ(sheet::columnLetters(16384), "XFD");
  struct Case {
    const char* r1c1;
    int row, col;
    const char* a1;
  } const cases[] = {
      {"=SUM(R[-12]C:R[-1]C)", 16, 2, "=SUM(B4:B15)"},
      {"=SUM(R[-12]C:R[-1]C)", 16, 4, "=SUM(D4:D15)"},
      {"=R1C1+RC[1]", 3, 3, "=A1+D3"},
      {"=ROUND(RC[-1],2)", 2, 2, "=ROUND(A2,2)"},
      {"=\"R1C1\"&R[1]C", 1, 1, "=\"R1C1\"&A2"},
  };
  for (const Case& c : cases) EXPECT_EQ(sheet::formulaToA1(c.r1c1, c.row, c.col), QString(c.a1)) << c.r1c1;
  EXPECT_THROW(sheet::formulaToA1("=R[-5]C", 2, 1), sheet::Error);
}

TEST(SheetRules, ValuesShowInTheirNumberFormats) {
  const QString money = "$#,##0.00_);($#,##0.00)";
  struct Case {
    QVariant value;
    QString format;
    const char* shown;
  } const cases[] = {
      {QDate(2026, 12, 8), "m/d/yyyy_);(m/d/yyyy)", "12/8/2026 "},
      {QTime(6, 0), "h:mm AM/PM", "6:00 AM"},
      {QTime(23, 59, 30), "h:mm AM/PM", "11:59 PM"},
      {QTime(0, 5), "h:mm AM/PM", "12:05 AM"},
      {1234.5, money, "$1,234.50 "},
      {-5.0, money, "($5.00)"},
      {240.0, "$#,##0_);($#,##0)", "$240 "},
      {1042.0, "", "1042"},
      {QString("HS"), money, "HS"},
      {QDate(2026, 1, 2), "", "1/2/2026"},
      {46364.25, "m/d/yyyy h:mm", "12/8/2026 6:00"},
      {46364.0 - 1e-9, "m/d/yyyy h:mm", "12/8/2026 0:00"},  // a hair before midnight rounds to the next day
      {QVariant(), money, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(sheet::shownInFormat(c.value, c.format), QString(c.shown)) << c.value.toString().toStdString();
  EXPECT_EQ(sheet::serialOf(QDate(2026, 12, 8)), 46364.0);
  EXPECT_EQ(sheet::serialOf(QTime(18, 0)), 0.75);
}

TEST_F(SheetTest, ColumnsFormatsFontsAndFittedWidths) {
  auto app = sheet::createApplication();
  ASSERT_TRUE(app);
  app->Workbooks().Add();
  sheet::Worksheet& ws = app->ActiveSheet();
  ws.Cells(1, 1).setValue(QStringLiteral("Date"));
  ws.Cells(2, 1).setValue(QDate(2026, 12, 8));
  ws.Cells(3, 1).setValue(QDate(2026, 1, 1));
  ws.Cells(1, 2).setValue(QStringLiteral("Sale Price"));
  ws.Cells(2, 2).setValue(1234.5);
  ws.Columns("A").Select();
  app->Selection().setNumberFormat("m/d/yyyy_);(m/d/yyyy)");
  ws.Columns("B").Select();
  app->Selection().setNumberFormat("$#,##0.00_);($#,##0.00)");
  app->Range("A1:B1").Select();
  app->Selection().Font().setBold(true);
  ws.Columns("A:C").AutoFit();
  app->Range("A1").Select();

  EXPECT_EQ(ws.effectiveFormat(3, 1), "m/d/yyyy_);(m/d/yyyy)");
  EXPECT_EQ(ws.shownText(2, 1), "12/8/2026 ");
  EXPECT_TRUE(ws.style(1, 2).bold);
  EXPECT_FALSE(ws.style(2, 2).bold);
  // The longest shown text: "12/8/2026 " (10) in A, bold "Sale Price" (10 x 1.1) in B.
  EXPECT_EQ(ws.columnWidth(1), 11);
  EXPECT_EQ(ws.columnWidth(2), 12);
  EXPECT_EQ(ws.columnWidth(3), -1) << "an empty column keeps its width";
  EXPECT_EQ(ws.selection(), "A1");
  EXPECT_EQ(app->ActiveCell().Address(), "A1");
}

TEST_F(SheetTest, TheSampleSheetFillsMonthsCopiesNumbersAndSums) {
  auto app = sheet::createApplication();
  app->Workbooks().Add();
  sheet::Worksheet& ws = app->ActiveSheet();
  app->Range("A4").setValue(QStringLiteral("Jan"));
  app->Range("A4:A4").Select();
  app->Selection().AutoFill(app->Range("A4:A15"));
  app->Range("B4").setValue(20);
  app->Range("C4").setValue(30);
  app->Range("D4").setValue(40);
  app->Range("B4:D4").Select();
  app->Selection().AutoFill(app->Range("B4:D15"));
  EXPECT_EQ(ws.value(5, 1).toString(), "Feb");
  EXPECT_EQ(ws.value(15, 1).toString(), "Dec");
  EXPECT_EQ(ws.value(15, 2).toDouble(), 20.0);
  EXPECT_EQ(ws.value(15, 4).toDouble(), 40.0);
  for (const char* cell : {"B16", "C16", "D16"}) {
    app->Range(cell).Select();
    app->ActiveCell().setFormulaR1C1("=SUM(R[-12]C:R[-1]C)");
  }
  EXPECT_EQ(ws.formula(16, 2), "=SUM(B4:B15)");
  EXPECT_EQ(ws.formula(16, 4), "=SUM(D4:D15)");
  app->ActiveSheet().Columns("B:D").Select();
  app->Selection().setNumberFormat("$#,##0_);($#,##0)");
  EXPECT_EQ(ws.shownText(16, 3), "$360 ");
  // A range that does not start where the fill starts cannot be filled.
  EXPECT_THROW(app->Range("A4").AutoFill(app->Range("B4:B10")), sheet::Error);
}

TEST_F(SheetTest, FillingFromAnEmptyCellEmptiesTheCellsItFills) {
  auto app = sheet::createApplication();
  app->Workbooks().Add();
  sheet::Worksheet& ws = app->ActiveSheet();
  // C1 was never written; C2 and C3 hold a value and a formula.
  app->Range("C2").setValue(QStringLiteral("old"));
  app->Range("C3").setFormulaR1C1("=SUM(R[-2]C:R[-1]C)");
  app->Range("C3").Font().setBold(true);
  app->Range("C1").AutoFill(app->Range("C1:C3"));
  for (int row : {2, 3}) {
    EXPECT_FALSE(ws.value(row, 3).isValid()) << "row " << row;
    EXPECT_TRUE(ws.formula(row, 3).isEmpty()) << "row " << row;
    EXPECT_FALSE(ws.style(row, 3).bold) << "row " << row;
  }
}

TEST_F(SheetTest, TheApplicationNeedsTheDesktopsXlsxApplicationAndIsCreatedOnce) {
  desktop.application.clear();
  EXPECT_FALSE(sheet::createApplication());
  EXPECT_FALSE(sheet::runningApplication());
  desktop.application = "calc.desktop";
  auto first = sheet::createApplication();
  ASSERT_TRUE(first);
  EXPECT_EQ(sheet::createApplication(), first);
  EXPECT_EQ(sheet::runningApplication(), first);
}

TEST_F(SheetTest, AShownWorkbookGetsTheLowestFreeBookNameAndOpensOnce) {
  ASSERT_TRUE(QDir().mkpath(exports()));
  QFile taken(exports() + "Book1.xlsx");
  ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
  taken.write("someone's");
  taken.close();

  auto app = sheet::createApplication();
  app->Workbooks().Add();
  app->Range("A1").setValue(QStringLiteral("Invoice"));
  EXPECT_TRUE(app->ShowWorkbooks().isEmpty());
  EXPECT_TRUE(desktop.opened.isEmpty()) << "nothing shows while the application is hidden";
  app->setVisible(true);
  EXPECT_TRUE(app->ShowWorkbooks().isEmpty());
  const QString book = exports() + "Book2.xlsx";
  EXPECT_EQ(desktop.opened, QStringList{book});
  QFile first(exports() + "Book1.xlsx");
  ASSERT_TRUE(first.open(QIODevice::ReadOnly));
  EXPECT_EQ(first.readAll(), "someone's");

  // Unchanged: nothing more. Changed: its own file again, not opened again.
  app->ShowWorkbooks();
  app->Range("A2").setValue(1042);
  app->ShowWorkbooks();
  EXPECT_EQ(desktop.opened, QStringList{book});
  EXPECT_TRUE(part(book, "xl/worksheets/sheet1.xml").contains("<v>1042</v>"));

  // The preview opens it; a new workbook previewed is opened just once.
  app->ActiveWorkbook()->PrintPreview();
  EXPECT_EQ(desktop.opened.size(), 2);
  app->Workbooks().Add();
  app->Range("A1").setValue(QStringLiteral("x"));
  app->ActiveWorkbook()->PrintPreview();
  EXPECT_EQ(desktop.opened.size(), 3);
  EXPECT_EQ(desktop.opened.back(), exports() + "Book3.xlsx");
}

TEST_F(SheetTest, TheFileHoldsValuesFormatsFontsWidthsFormulasAndTheSelection) {
  auto app = sheet::createApplication();
  app->setVisible(true);
  app->Workbooks().Add();
  sheet::Worksheet& ws = app->ActiveSheet();
  ws.Cells(1, 1).setValue(QStringLiteral("Date"));
  ws.Cells(2, 1).setValue(QDate(2026, 12, 8));
  ws.Cells(2, 2).setValue(QTime(18, 0));
  ws.Cells(2, 3).setValue(1234.5);
  ws.Columns("A").Select();
  app->Selection().setNumberFormat("m/d/yyyy_);(m/d/yyyy)");
  app->Range("C2").setNumberFormat("$#,##0.00_);($#,##0.00)");
  app->Range("A1").Font().setBold(true);
  app->Range("A1").Font().setSize(18);
  app->Range("C3").setFormulaR1C1("=SUM(R[-1]C:R[-1]C)");
  ws.Columns("A:C").AutoFit();
  app->Range("B2").Select();
  ASSERT_TRUE(app->ShowWorkbooks().isEmpty());
  ASSERT_EQ(desktop.opened.size(), 1);

  const QString xml = part(desktop.opened[0], "xl/worksheets/sheet1.xml");
  const QString styles = part(desktop.opened[0], "xl/styles.xml");
  EXPECT_TRUE(xml.contains("<t>Date</t>")) << xml.toStdString();
  EXPECT_TRUE(xml.contains("<v>46364</v>"));
  EXPECT_TRUE(xml.contains("<v>0.75</v>"));
  EXPECT_TRUE(xml.contains("<v>1234.5</v>"));
  EXPECT_TRUE(xml.contains("<f>SUM(C2:C2)</f>"));
  EXPECT_TRUE(xml.contains("<selection activeCell=\"B2\" sqref=\"B2\"/>"));
  EXPECT_TRUE(xml.contains("width=\"" + QString::number(ws.columnWidth(1))));
  EXPECT_TRUE(styles.contains("formatCode=\"m/d/yyyy_);(m/d/yyyy)\"")) << styles.toStdString();
  EXPECT_TRUE(styles.contains("formatCode=\"$#,##0.00_);($#,##0.00)\""));
  EXPECT_TRUE(styles.contains("<sz val=\"18\"/>"));
  EXPECT_TRUE(styles.contains("<b/>"));
}

// A workbook written again that fails half-way (a text longer than a cell
// holds) leaves the file as it was shown last, whole; nothing is left beside it.
TEST_F(SheetTest, AFailedRewriteKeepsTheWorkbookShownLast) {
  auto app = sheet::createApplication();
  app->setVisible(true);
  app->Workbooks().Add();
  app->Range("A1").setValue(QStringLiteral("Invoice"));
  app->Range("A2").setValue(1042);
  ASSERT_TRUE(app->ShowWorkbooks().isEmpty());
  ASSERT_EQ(desktop.opened.size(), 1);
  const QString book = desktop.opened[0];

  app->Range("A1").setValue(QString(40000, QLatin1Char('x')));
  EXPECT_EQ(app->ShowWorkbooks().size(), 1);
  const QString xml = part(book, "xl/worksheets/sheet1.xml");
  EXPECT_TRUE(xml.contains("<v>1042</v>")) << xml.toStdString();
  EXPECT_TRUE(xml.contains("Invoice"));
  EXPECT_EQ(QDir(exports()).entryList(QDir::Files | QDir::Hidden), QStringList{"Book1.xlsx"});
}

TEST_F(SheetTest, AWorkbookThatCannotBeWrittenNamesItsFile) {
  // The Exports folder is a file: nothing can be made in it.
  const QString install = QString::fromStdString(files::installDir());
  ASSERT_TRUE(QDir().mkpath(install));
  QFile blocker(install + "Exports");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  auto app = sheet::createApplication();
  app->setVisible(true);
  app->Workbooks().Add();
  app->Range("A1").setValue(QStringLiteral("x"));
  const QStringList problems = app->ShowWorkbooks();
  ASSERT_EQ(problems.size(), 1);
  EXPECT_TRUE(problems[0].contains("Exports")) << problems[0].toStdString();
  EXPECT_TRUE(desktop.opened.isEmpty());
}

}  // namespace
