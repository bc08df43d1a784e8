// The ticket on the sales window: the rows of its grid and what the rules of
// line building, merging and the modifier pad need of that grid.
//
// One row of the grid (an OrderGridLine) holds four texts: quantity, item
// text, price and routing code. Rows 0 (the header) and 1 are not ticket
// lines; ticket lines start at row 2. A "+" in the quantity column marks a
// sub-line (a modifier, a percent-off line) belonging to the nearest line
// above that is not one; "1/2" marks a half portion.
#pragma once

#include <QString>
#include <array>

namespace sales {

// The first grid row that is a ticket line.
constexpr int kFirstLine = 2;

// Columns of a grid row.
enum OrderColumn { kQtyColumn = 0, kTextColumn = 1, kPriceColumn = 2, kCodeColumn = 3 };

// A cell's text as a row may carry it: tabs and line breaks become blanks,
// so that no text can split a row into other cells or rows.
QString cellText(const QString& text);

// One grid row from its four cells, each cleaned by cellText, joined with
// tabs. Every writer of ticket rows builds its row here.
QString gridRow(const QString& qty, const QString& text, const QString& price, const QString& code);

// Widths of the four columns in twips that together fill `clientWidth`, the
// room beside the grid's vertical scroll bar, in the shares 7, 71, 18 and 6:
// each column ends at the twip nearest its share's end, so the widths add up
// to the room exactly. (Those shares of the whole grid width add up to 102 %:
// the last columns would lie out of view.)
std::array<int, 4> orderColumnWidths(int clientWidth);

// What the line rules use of the ticket grid: its cells, its rows, its
// current cell and its tag. The sales window gives its grid through this; the
// grid keeps the current row and column inside itself.
class OrderGrid {
 public:
  virtual ~OrderGrid() = default;
  virtual int Rows() const = 0;
  // Lowering the count removes rows from the end.
  virtual void setRows(int rows) = 0;
  virtual QString TextMatrix(int row, int col) const = 0;
  virtual void setTextMatrix(int row, int col, const QString& text) = 0;
  // Appends a row from tab-separated text; the current cell stays.
  virtual void AddItem(const QString& row) = 0;
  virtual void RemoveItem(int row) = 0;
  virtual void Refresh() = 0;
  virtual int Row() const = 0;
  virtual void setRow(int row) = 0;
  virtual int Col() const = 0;
  virtual void setCol(int col) = 0;
  // The current cell's text.
  virtual QString Text() const = 0;
  virtual QString Tag() const = 0;
  virtual void setTag(const QString& tag) = 0;
};

}  // namespace sales
