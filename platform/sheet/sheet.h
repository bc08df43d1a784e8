// The spreadsheet application the reports drive: workbooks of cells with
// values, number formats, fonts, column widths and formulas, held in memory
// and shown as .xlsx files in the desktop's spreadsheet program.
//
//   std::shared_ptr<sheet::Application> app = sheet::createApplication();
//   app->Workbooks().Add();
//   app->ActiveSheet().Cells(1, 1).setValue(QStringLiteral("Invoice"));
//   app->ActiveSheet().Columns("C").Select();
//   app->Selection().setNumberFormat("m/d/yyyy_);(m/d/yyyy)");
//   app->Range("A1:H1").Font().setBold(true);
//   app->ActiveSheet().Columns("A:H").AutoFit();
//   app->ShowWorkbooks();     // when the routine that built them ends
//
// There is one application for the program's life. It can be created only
// when the desktop names a default application for .xlsx files (the
// Desktop seam below); runningApplication() then gives it to every later
// attach.
//
// Showing: while the application is Visible, ShowWorkbooks() writes each
// workbook changed since it was last written to the install folder's
// Exports folder, a new one as BookN.xlsx with the lowest N not taken (an
// existing file is never replaced), and opens a new one with the desktop's
// application. A later change rewrites the workbook's own file and does not
// open it again. PrintPreview() opens the workbook's file (writing it first
// when it changed); the desktop's application prints it from there.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVariant>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

namespace sheet {

// The rows and columns of a sheet.
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

// A step of the spreadsheet that failed; the message names the address or
// the file.
struct Error : std::runtime_error {
  explicit Error(const QString& message) : std::runtime_error(message.toStdString()) {}
  QString message() const { return QString::fromUtf8(what()); }
};

// The desktop the application lives on: which program opens .xlsx files,
// and opening a file with it. Tests install their own.
class Desktop {
 public:
  virtual ~Desktop() = default;
  // The desktop's default application for .xlsx files; empty when none.
  virtual QString defaultApplication() = 0;
  // Opens the file with that application; false when it cannot be started.
  virtual bool open(const QString& path) = 0;
};

// Installs a desktop in place of the station's own (xdg-mime and xdg-open);
// returns the one installed before (nullptr: the station's own).
Desktop* setDesktop(Desktop* desktop);

class Application;
class RangeFont;
class Workbook;
class Worksheet;

// A block of cells of one sheet; a whole column when built by Columns().
class Range {
 public:
  Range(Worksheet* sheet, int firstRow, int firstCol, int lastRow, int lastCol);

  // The first cell's value: a QString, a double, a QDate, a QTime or
  // nothing (empty). Setting it fills every cell of the range; an invalid
  // QVariant empties them.
  QVariant Value() const;
  void setValue(const QVariant& value);
  // Makes the range the sheet's selection.
  void Select();
  QString NumberFormat() const;
  void setNumberFormat(const QString& format);

  // The font of the cells.
  RangeFont Font() const;

  // Widens or narrows each column to its longest shown text, its heading
  // included.
  void AutoFit();
  // Fills `destination`, which starts with this range, from it: a single
  // month name continues as a series of months (Jan, Feb, ...), every other
  // value is copied.
  void AutoFill(const Range& destination);
  // A formula in R1C1 form, relative to each cell ("=SUM(R[-12]C:R[-1]C)"),
  // kept in A1 form ("=SUM(B4:B15)" in B16).
  void setFormulaR1C1(const QString& formula);
  // The first cell's formula in A1 form; empty when it holds none.
  QString Formula() const;

  // "B4:D15", "A1", "C:C".
  QString Address() const;
  int firstRow() const { return r1_; }
  int firstCol() const { return c1_; }
  int lastRow() const { return r2_; }
  int lastCol() const { return c2_; }
  bool wholeColumns() const { return r1_ == 1 && r2_ == kMaxRows; }
  Worksheet& sheet() const { return *sheet_; }

 private:
  Worksheet* sheet_;
  int r1_, c1_, r2_, c2_;
};

// The font of a range's cells.
class RangeFont {
 public:
  explicit RangeFont(Range range) : range_(range) {}
  bool Bold() const;
  void setBold(bool bold);
  // Points; 11 unless set.
  double Size() const;
  void setSize(double points);

 private:
  Range range_;
};

// How a cell looks: its number format and font.
struct CellStyle {
  QString numberFormat;  // empty: the column's format, else General
  bool bold = false;
  double size = 0;  // points; 0: the default size
  bool operator==(const CellStyle& o) const {
    return numberFormat == o.numberFormat && bold == o.bold && size == o.size;
  }
};

class Worksheet {
 public:
  Worksheet(Workbook* book, const QString& name);

  QString Name() const { return name_; }
  // One cell, 1-based; throws Error outside the sheet.
  sheet::Range Cells(int row, int col);
  // Whole columns by letters: "C", "A:H".
  sheet::Range Columns(const QString& letters);
  // A range by address: "A1", "A1:H1", "B4:D15", "A:H".
  sheet::Range Range(const QString& address);

  // ---- what the sheet holds (tests and the writer read it)
  QVariant value(int row, int col) const;
  QString formula(int row, int col) const;  // A1 form
  CellStyle style(int row, int col) const;
  // The number format the cell shows its value in: its own, else its
  // column's; empty for General.
  QString effectiveFormat(int row, int col) const;
  // The text the cell shows in that format (a formula shows its formula
  // unless it is a SUM of cells, which shows its sum).
  QString shownText(int row, int col) const;
  QString columnFormat(int col) const;
  // Width in characters; -1 when never set (the default width).
  double columnWidth(int col) const;
  // The last row and column holding anything (0 when none).
  int lastRow() const { return int(rows_.size()); }
  int lastColumn() const;
  QString selection() const { return selection_; }
  Workbook& workbook() const { return *book_; }

 private:
  friend class sheet::Range;
  friend class sheet::RangeFont;
  struct Cell {
    QVariant value;
    QString formula;
    int style = 0;  // index into styles_
  };
  Cell* cell(int row, int col, bool create);
  const Cell* cell(int row, int col) const;
  int styleIndex(const CellStyle& style);
  // Changes the style of every cell of the range (of a whole column, the
  // cells it holds).
  void restyle(const sheet::Range& range, const std::function<void(CellStyle&)>& change);
  void changed();

  Workbook* book_;
  QString name_;
  std::vector<std::vector<Cell>> rows_;  // rows_[row - 1][col - 1]
  std::vector<CellStyle> styles_{CellStyle()};
  std::map<int, QString> columnFormats_;
  std::map<int, double> columnWidths_;
  QString selection_ = QStringLiteral("A1");
};

class Workbook {
 public:
  Workbook(Application* app, const QString& name);

  QString Name() const { return name_; }
  Worksheet& ActiveSheet() { return sheet_; }
  const Worksheet& ActiveSheet() const { return sheet_; }
  // Opens the workbook's file in the desktop's application, which prints it;
  // a workbook changed since it was written is written first, and one shown
  // for the first time is opened only once. Throws Error naming the file
  // when it cannot be written or opened.
  void PrintPreview();

  // The local file it was last written to; empty before.
  QString fileName() const { return file_; }
  bool changedSinceWritten() const { return changed_; }

 private:
  friend class Worksheet;
  friend class Application;
  // Writes the workbook (to a new BookN.xlsx the first time) and opens it
  // the first time. Throws Error naming the file.
  void show();
  Application* app_;
  QString name_;
  Worksheet sheet_;
  QString file_;
  bool changed_ = true;
};

class Workbooks {
 public:
  explicit Workbooks(Application* app) : app_(app) {}
  // A new empty workbook, which becomes the active one.
  Workbook& Add();
  int Count() const { return int(books_.size()); }
  // 1-based.
  Workbook& Item(int index);

 private:
  friend class Application;
  Application* app_;
  std::vector<std::unique_ptr<Workbook>> books_;
};

class Application {
 public:
  Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  sheet::Workbooks& Workbooks() { return books_; }
  // The active workbook; nullptr when there is none.
  Workbook* ActiveWorkbook() { return active_; }
  // The active workbook's sheet and what stands on it; throw Error when
  // there is no workbook.
  Worksheet& ActiveSheet();
  sheet::Range ActiveCell();
  sheet::Range Selection();
  sheet::Range Range(const QString& address);

  bool Visible() const { return visible_; }
  void setVisible(bool visible) { visible_ = visible; }

  // Shows every workbook changed since it was written (see above); nothing
  // while not visible. Returns one text per workbook that could not be
  // shown, naming its file.
  QStringList ShowWorkbooks();

 private:
  friend class sheet::Workbooks;
  sheet::Workbooks books_{this};
  Workbook* active_ = nullptr;
  bool visible_ = false;
};

// The application the program created, if any (attaching to it).
std::shared_ptr<Application> runningApplication();
// Creates the application when the desktop names a default application for
// .xlsx files; nullptr when it names none. Never creates a second one: when
// one runs, that one is returned.
std::shared_ptr<Application> createApplication();
// Ends the running application (tests); references held elsewhere keep it.
void quitApplication();

// ---- the sheet's own rules, for their tests

// "A" for 1, "Z" for 26, "AA" for 27.
QString columnLetters(int col);
// An R1C1 formula turned into A1 form for the cell at row, col.
QString formulaToA1(const QString& formulaR1C1, int row, int col);
// A value shown in an Excel number format ("$#,##0.00_);($#,##0.00)",
// "m/d/yyyy", "h:mm AM/PM"; empty: General).
QString shownInFormat(const QVariant& value, const QString& format);
// The serial number of a date or time of day, as the sheet stores it.
double serialOf(const QVariant& dateOrTime);

}  // namespace sheet
