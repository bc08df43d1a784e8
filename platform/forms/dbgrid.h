// The data-bound grid: the rows of a data control's recordset in columns,
// with a current cell, editing and a new-row line.
//
//   forms::DBGrid DBGrid1{this, "DBGrid1"};
//   DBGrid1.setDataSource(datOrder);                       // design
//   DBGrid1.addColumn("Total:", "Total", "Currency");      // caption, field, format
//
// The grid is a view over the recordset (Recordset::valueAt): it makes no
// widget per row, so a listing of 200,000 rows scrolls. Its current row and
// the recordset's current row follow each other: a row picked in the grid
// becomes the recordset's current row, and a move of the recordset moves the
// grid's current row.
//
// A number wider than its column (a price of "$1,234.56") is drawn whole in
// a smaller face, never cut off; other text is cut off at the column's end.
//
// Editing: a changed row is stored when the user leaves it for another row,
// when the data control reads its rows again and when the window unloads; a
// row typed into the new-row line (AllowAddNew) is added to the table then.
// Only the fields typed into are written. A date or time typed into a "Short
// Date" or "Medium Time" column is stored as ISO text, a number typed into a
// field the table declares numeric as its plain text; every other text is
// stored as typed, and an emptied cell stores Null. When the database refuses
// the row (or a date, time, number or, in a "Currency" column, an amount does
// not read), its message shows and the row stays in edit, the current row
// with it; Escape drops the row's edit. Rows picked by their record selectors
// are deleted with the Delete key (AllowDelete), each at once.
#pragma once

#include <QModelIndex>
#include <QString>
#include <QVariant>
#include <map>
#include <optional>
#include <vector>

#include "platform/forms/control.h"
#include "platform/forms/data.h"

namespace forms {

namespace detail {
class GridModel;
class GridView;
class GridDelegate;
}  // namespace detail

// What a column in a display format shows of a stored value. "Currency"
// ($1,234.50, ($5.00)), "Standard" (1,234.50) and "General Number" read the
// value as a number; "Short Date" shows a stored ISO date as 12/8/2026 and
// "Medium Time" a stored ISO time as 6:00 AM. Null shows empty; a value the
// format cannot read, and every value of a column without a format, shows
// as stored.
QString gridDisplayText(const QVariant& stored, const QString& format);

// The value a typed cell text is stored as: ISO text in a "Short Date" or
// "Medium Time" column; in a field the table declares numeric the number's
// plain text ("1,234" as 1234); in a "Currency" column the amount as typed,
// one typed with its "$" without the sign; the text as typed in any other.
// An empty text is Null. Nothing when the text of a date, time, numeric or
// "Currency" column is not a date, time, number or amount.
std::optional<QVariant> gridStoredValue(const QString& typed, const QString& format,
                                        bool numericField = false);

class DBGrid : public Control, private DataClient {
 public:
  DBGrid(Form* form, const char* name, int index = -1);
  ~DBGrid() override;

  // Design: the data control whose rows the grid shows.
  void setDataSource(Data& data) { data_ = &data; }
  Data* DataSource() const { return data_; }

  // Design: one more column at the right: its heading, the field it shows
  // (by name, any letter case), its display format and its width in twips
  // (-1: the default width).
  void addColumn(const QString& caption, const QString& field, const QString& format = QString(),
                 int widthTwips = -1);
  int ColumnCount() const;
  QString ColumnCaption(int col) const;
  QString ColumnField(int col) const;
  QString ColumnFormat(int col) const;
  int ColumnWidth(int col) const;

  // The heading line above the columns.
  bool ColumnHeaders() const;
  void setColumnHeaders(bool shown);
  // The selector box at the left of each row.
  bool RecordSelectors() const;
  void setRecordSelectors(bool shown);
  // Cells can be changed.
  bool AllowUpdate() const;
  void setAllowUpdate(bool allow);
  // A new-row line at the bottom adds rows.
  bool AllowAddNew() const;
  void setAllowAddNew(bool allow);
  // Rows picked by their selectors are deleted with the Delete key.
  bool AllowDelete() const;
  void setAllowDelete(bool allow);
  // Rows can be made higher or lower by dragging.
  bool AllowRowSizing() const;
  void setAllowRowSizing(bool allow);
  // The lines between rows: 0 none, 1 black, 2 dark grey, 6 light grey (any
  // other style is kept and drawn dark grey).
  int RowDividerStyle() const;
  void setRowDividerStyle(int style);
  // 0 no border, 1 a fixed single border.
  int BorderStyle() const;
  void setBorderStyle(int style);
  // 0 none, 1 horizontal, 2 vertical, 3 both (each shown when needed).
  int ScrollBars() const;
  void setScrollBars(int bars);
  // The font of the heading line (the cells use Font).
  FontInfo HeadFont() const;
  void setHeadFont(const FontInfo& font);

  // The current line: 0 to the listing's last row; the new-row line comes
  // after them; -1 when there is none. Setting it moves as the user does: an
  // edit of the row left is stored first, and a refused store keeps the row.
  int Row() const;
  void setRow(int row);
  int Col() const;
  void setCol(int col);
  // Lines shown, the new-row line included.
  int Rows() const;
  // The text a cell shows.
  QString CellText(int row, int col) const;
  // The current cell: what it shows, and typing a new text into it.
  QString Text() const;
  void setText(const QString& text);
  // True while the current row holds an edit not yet stored.
  bool DataChanged() const;

 protected:
  QWidget* createWidget(QWidget* parent) override;
  void pushExtra() override;
  void saveDesign() override { gDesign_ = g_; }
  void restoreDesign() override { g_ = gDesign_; }
  void built() override;
  void releasing() override;

 private:
  friend class detail::GridModel;
  friend class detail::GridView;
  struct Column {
    QString caption;
    QString field;
    QString format;
    int width = -1;
  };
  struct GridProps {
    std::vector<Column> columns;
    bool headers = true;
    bool selectors = true;
    bool allowUpdate = true;
    bool allowAddNew = false;
    bool allowDelete = false;
    bool rowSizing = false;
    int divider = 2;
    int border = 1;
    int scrollBars = 3;
    FontInfo headFont;
  };
  // An edit of one row not yet stored: the typed text of each cell changed.
  struct Pending {
    bool active = false;
    bool adding = false;
    int row = -1;
    std::map<int, QString> texts;  // column -> text as typed
  };

  // DataClient
  void dataChanged(bool reopened) override;
  void storePendingEdit() override;

  // A column by number; throws Error 381 for one that is not there.
  const Column& column(int col) const;
  db::Recordset* openRecordset() const;
  bool newRowLine() const;
  int listingRows() const;
  QVariant storedValue(int row, int col) const;
  QString shownText(int row, int col) const;
  // The face of a cell whose text is a number too wide for its column: the
  // grid's face made as small as it needs to show the number whole (a
  // fitted box's rule, platform/forms/textfit.h); nothing (the grid's own
  // face) for any other cell.
  QVariant fittedFont(const QModelIndex& index) const;
  QString editText(int row, int col) const;
  bool editable(int row, int col) const;
  bool cellEdited(int row, int col, const QString& text);
  // Stores the pending row; false (after the message) when it was refused.
  bool storePending();
  void dropPending();
  // The user (or setRow) made another cell current.
  void currentMoved(int row, int col, int previousRow);
  void deleteSelectedRows();
  void showCurrent(int row, int col);
  void pushDivider();
  void pushColumns();
  void refreshSelectors();

  detail::GridView* view() const;

  Data* data_ = nullptr;
  GridProps g_;
  GridProps gDesign_;
  Pending pending_;
  detail::GridModel* model_ = nullptr;
  detail::GridDelegate* delegate_ = nullptr;
  bool syncing_ = false;  // the grid moves its own current cell
};

}  // namespace forms
