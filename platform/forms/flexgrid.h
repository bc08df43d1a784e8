// The flexible grid: a read-only table of text cells with fixed (header) rows
// and columns, one current cell, and rows added from tab-separated text.
//
//   forms::MSFlexGrid grdOrderItems{this, "grdOrderItems"};
//   grdOrderItems.setCols(4);                       // design: 2 rows, 1 fixed
//   grdOrderItems.AddItem("1\tWomen's Cut\t48.00\tA");
//   grdOrderItems.TextMatrix(2, 1);                 // "Women's Cut"
//
// The grid never fails on a move: the current row and column always stay
// inside the grid. A move past either end stops at that end, and removing
// rows (RemoveItem, a lower Rows) pulls the current row up with them. Reading
// or writing a cell outside the grid throws Error 381 "Subscript out of
// range"; removing a row that is not there, or a fixed row, does nothing.
//
// Click runs after the click has made the clicked cell current (a click on a
// fixed row leaves the current cell); MouseRow and MouseCol tell the cell
// under the pointer at the click.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/controls.h"

class QTableWidget;

namespace forms {

class MSFlexGrid : public Control {
 public:
  MSFlexGrid(Form* form, const char* name, int index = -1);

  // Row and column counts. A higher count adds empty rows or columns at the
  // end, a lower one removes them from the end. There is always one row and
  // one column at least.
  int Rows() const;
  void setRows(int rows);
  int Cols() const;
  void setCols(int cols);
  // Fixed (grey, never current by a click) rows at the top and columns at
  // the left: 1 and 0 unless set.
  int FixedRows() const;
  void setFixedRows(int rows);
  int FixedCols() const;
  void setFixedCols(int cols);

  QString TextMatrix(int row, int col) const;
  void setTextMatrix(int row, int col, const QString& text);

  // The current cell. Values beyond the grid stop at its first or last row
  // (column).
  int Row() const;
  void setRow(int row);
  int Col() const;
  void setCol(int col);
  // The other end of the selection in the current row; setting Col sets it
  // too.
  int ColSel() const;
  void setColSel(int col);
  // The text of the current cell.
  QString Text() const;
  void setText(const QString& text);

  // Width of a column in twips.
  int ColWidth(int col) const;
  void setColWidth(int col, double twips);
  // The width in twips that the columns fill without a horizontal scroll
  // bar: the grid's width less its border and its vertical scroll bar. The
  // bar's room counts whether or not the rows need it yet, so columns that
  // fit stay in view once the grid scrolls.
  int ClientWidth() const;

  // Adds a row; the text's tab-separated parts fill its cells from the first
  // column (parts beyond the last column are dropped). Without an index the
  // row goes at the end and the current cell stays where it is. With one it
  // is inserted there (not above the fixed rows, at most at the end), the
  // rows from that index move down one, and so does a current row among them.
  void AddItem(const QString& item, int index = -1);
  // Removes one row that is not fixed; the rows below move up.
  void RemoveItem(int row);
  // Repaints the grid.
  void Refresh();
  // While off, changes are kept but not painted; switching it on paints the
  // grid as it now stands. On unless set.
  bool Redraw() const;
  void setRedraw(bool redraw);
  // How the current cell shows: 0 the cell alone is highlighted, 1 its whole
  // row is.
  int SelectionMode() const;
  void setSelectionMode(int mode);

  // The cell under the pointer at the last click.
  int MouseRow() const;
  int MouseCol() const;

  Handler onClick;

 protected:
  QWidget* createWidget(QWidget* parent) override;
  void pushExtra() override;
  void saveDesign() override { gDesign_ = g_; }
  void restoreDesign() override { g_ = gDesign_; }

 private:
  struct GridProps {
    std::vector<QStringList> cells;  // every row holds cols texts
    int cols = 2;
    int fixedRows = 1;
    int fixedCols = 0;
    int row = 1;
    int col = 0;
    int colSel = 0;
    std::vector<int> widths;  // twips; -1 for the default width
    int mouseRow = 0;
    int mouseCol = 0;
    bool redraw = true;
    int selectionMode = 0;
  };

  QTableWidget* table() const;
  void checkCell(int row, int col) const;
  void clampCurrent();
  // Widget upkeep: the whole grid, one cell, the current-cell highlight.
  void pushAll();
  void pushCell(int row, int col);
  void pushCurrent();
  void pushWidths();
  void pushRedraw();
  bool highlighted(int row, int col) const;
  void clicked(int row, int col);

  GridProps g_;
  GridProps gDesign_;
  int shownRow_ = -1;  // the cell the widget shows highlighted
  int shownCol_ = -1;
};

}  // namespace forms
