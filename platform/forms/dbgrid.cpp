#include "platform/forms/dbgrid.h"

#include <QAbstractTableModel>
#include <QFontInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPolygonF>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <algorithm>
#include <exception>

#include "platform/convert/datetext.h"
#include "platform/convert/format.h"
#include "platform/convert/number.h"
#include "platform/db/recordset.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "platform/forms/textfit.h"

namespace forms {

namespace {

bool isFormat(const QString& format, const char* name) {
  return format.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

bool isDateFormat(const QString& format) {
  return isFormat(format, "Short Date");
}

bool isTimeFormat(const QString& format) {
  return isFormat(format, "Medium Time");
}

bool isAmountFormat(const QString& format) {
  return isFormat(format, "Currency");
}

// What a refused text of a column should have been, for the message.
QString expectedKind(const QString& format, bool numericField) {
  if (isDateFormat(format)) return QStringLiteral("a date");
  if (isTimeFormat(format)) return QStringLiteral("a time");
  if (numericField) return QStringLiteral("a number");
  return QStringLiteral("an amount");
}

QString storedText(const QVariant& v) {
  return v.isNull() ? QString() : v.toString();
}

}  // namespace

QString gridDisplayText(const QVariant& stored, const QString& format) {
  if (stored.isNull()) return QString();
  const QString text = stored.toString();
  if (format.isEmpty()) return text;
  if (isDateFormat(format)) {
    const std::optional<QDate> date = rt::ParseDate(text);
    return date ? rt::ShortDate(*date) : text;
  }
  if (isTimeFormat(format)) {
    const std::optional<QTime> time = rt::ParseTime(text);
    return time ? rt::MediumTime(*time) : text;
  }
  try {
    return rt::Format(text, format);  // a text that is no number comes back as it is
  } catch (const std::exception&) {
    return text;
  }
}

std::optional<QVariant> gridStoredValue(const QString& typed, const QString& format, bool numericField) {
  if (typed.trimmed().isEmpty()) return QVariant();
  if (isDateFormat(format)) {
    const std::optional<QString> iso = rt::DateTextToIso(typed.trimmed());
    if (!iso) return std::nullopt;
    return QVariant(*iso);
  }
  if (isTimeFormat(format)) {
    const std::optional<QString> iso = rt::TimeTextToIso(typed.trimmed());
    if (!iso) return std::nullopt;
    return QVariant(*iso);
  }
  // A field that holds numbers gets the number's plain text, which the
  // database keeps as a number ("1,234" would stay a text no lookup finds).
  if (numericField) {
    const std::optional<double> number = rt::TryCDbl(typed);
    if (!number) return std::nullopt;
    return QVariant(rt::CStr(*number));
  }
  const QString trimmed = typed.trimmed();
  if (isAmountFormat(format)) {
    // Only an amount (rt::TryAmount): anything else would show as typed and
    // count as nothing, or as another amount. A "Currency" column shows $12.50;
    // an amount typed the way it is shown is stored without the sign, as the
    // column's other amounts are (a price stored as "$13.00" would read as no
    // price at all). Every other amount is stored as typed.
    if (!rt::TryAmount(trimmed)) return std::nullopt;
    if (trimmed.startsWith(QLatin1Char('$'))) return QVariant(trimmed.mid(1).trimmed());
  }
  return QVariant(typed);
}

namespace detail {

// The pointer of the current row or the pencil of a row in edit, 10 pixels
// square.
QPixmap selectorMark(bool editing) {
  QPixmap mark(10, 10);
  mark.fill(Qt::transparent);
  QPainter p(&mark);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  if (editing) {
    // A pencil from the lower left to the upper right.
    p.translate(5, 5);
    p.rotate(-45);
    p.drawRect(QRectF(-2.5, -1.5, 7, 3));
    p.drawPolygon(QPolygonF({QPointF(-2.5, -1.5), QPointF(-5, 0), QPointF(-2.5, 1.5)}));
  } else {
    p.drawPolygon(QPolygonF({QPointF(2, 1), QPointF(8, 5), QPointF(2, 9)}));
  }
  return mark;
}

// The rows of the grid's recordset as Qt's view asks for them. It keeps the
// recordset and the row count it last told the view about, so that the view
// never asks for a row the model has not announced.
class GridModel : public QAbstractTableModel {
 public:
  GridModel(DBGrid* grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

  // While rows come and go the view moves its current cell by itself; the
  // grid must not take that for a move of the user's (which would move the
  // recordset in the middle of the change).
  class Quiet {
   public:
    explicit Quiet(DBGrid* grid) : grid_(grid), was_(grid ? grid->syncing_ : false) {
      if (grid_) grid_->syncing_ = true;
    }
    ~Quiet() {
      if (grid_) grid_->syncing_ = was_;
    }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

   private:
    DBGrid* grid_;
    bool was_;
  };

  void detach() {
    const Quiet quiet(grid_);
    beginResetModel();
    grid_ = nullptr;
    rs_ = nullptr;
    count_ = 0;
    newLine_ = false;
    endResetModel();
  }

  // Brings the model in line with the recordset: the same recordset with more
  // or fewer rows inserts or removes them at the end, another one resets.
  void sync(bool reopened) {
    if (!grid_) return;
    const Quiet quiet(grid_);
    db::Recordset* rs = grid_->openRecordset();
    const int count = rs ? rs->recordCount() : 0;
    const bool newLine = grid_->newRowLine();
    if (reopened || rs != rs_ || newLine != newLine_) {
      beginResetModel();
      rs_ = rs;
      count_ = count;
      newLine_ = newLine;
      extra_ = false;
      mapFields();
      endResetModel();
      return;
    }
    if (extra_ && count == count_ + 1) {
      // The row being added was stored: its line becomes the new row and the
      // line below it the new-row line.
      count_ = count;
      extra_ = false;
      changedAll();
      return;
    }
    if (count > count_) {
      beginInsertRows(QModelIndex(), count_, count - 1);
      count_ = count;
      endInsertRows();
    } else if (count < count_) {
      beginRemoveRows(QModelIndex(), count, count_ - 1);
      count_ = count;
      endRemoveRows();
    }
    changedAll();
  }

  // A row typed into the new-row line gets a new-row line of its own below
  // it while it is being added; dropping the addition takes that line away.
  void startAddition() {
    if (extra_ || !newLine_) return;
    const Quiet quiet(grid_);
    beginInsertRows(QModelIndex(), count_ + 1, count_ + 1);
    extra_ = true;
    endInsertRows();
  }
  void dropAddition() {
    if (!extra_) return;
    const Quiet quiet(grid_);
    beginRemoveRows(QModelIndex(), count_ + 1, count_ + 1);
    extra_ = false;
    endRemoveRows();
  }
  // The line that adds rows: after the rows, and after a row being added.
  int newLineRow() const { return newLine_ ? count_ + (extra_ ? 1 : 0) : -1; }

  // One row left the recordset (a deletion): the rows below move up.
  void rowRemoved(int row) {
    if (row < 0 || row >= count_) return;
    const Quiet quiet(grid_);
    beginRemoveRows(QModelIndex(), row, row);
    --count_;
    endRemoveRows();
  }

  void changedRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    emit dataChanged(index(row, 0), index(row, std::max(columnCount() - 1, 0)));
    emit headerDataChanged(Qt::Vertical, row, row);
  }

  void changedAll() {
    if (rowCount() == 0 || columnCount() == 0) return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
  }

  void columnsChanged() {
    const Quiet quiet(grid_);
    beginResetModel();
    mapFields();
    endResetModel();
  }

  // The recordset's column of a grid column's field; -1 when it has none.
  int fieldOf(int col) const { return col >= 0 && col < int(fields_.size()) ? fields_[size_t(col)] : -1; }

  int listingRows() const { return count_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : count_ + (newLine_ ? 1 : 0) + (extra_ ? 1 : 0);
  }

  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() || !grid_ ? 0 : int(grid_->g_.columns.size());
  }

  // The view asks while it paints and edits, where nothing may be thrown: a
  // row the file does not give now (another station holds it locked) shows
  // empty and is read again the next time it is shown.
  QVariant data(const QModelIndex& index, int role) const override {
    if (!grid_ || !index.isValid()) return QVariant();
    try {
      if (role == Qt::DisplayRole) return grid_->shownText(index.row(), index.column());
      if (role == Qt::EditRole) return grid_->editText(index.row(), index.column());
      if (role == Qt::FontRole) return grid_->fittedFont(index);
    } catch (const std::exception&) {
    }
    return QVariant();
  }

  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (!grid_ || !index.isValid() || role != Qt::EditRole) return false;
    try {
      return grid_->cellEdited(index.row(), index.column(), value.toString());
    } catch (const std::exception& e) {
      MsgBox(QString::fromUtf8(e.what()), vbExclamation);
      return false;
    }
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (grid_ && index.isValid() && grid_->editable(index.row(), index.column())) f |= Qt::ItemIsEditable;
    return f;
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (!grid_) return QVariant();
    if (orientation == Qt::Vertical && role == Qt::DecorationRole) {
      // The record selector: a pencil on the row in edit, a pointer on the
      // current row; drawn, so that no font needs the signs.
      if (grid_->pending_.active && grid_->pending_.row == section) return selectorMark(true);
      if (grid_->Row() == section && section != newLineRow()) return selectorMark(false);
      return QVariant();
    }
    if (role != Qt::DisplayRole) return QVariant();
    if (orientation == Qt::Horizontal) {
      if (section < 0 || section >= int(grid_->g_.columns.size())) return QVariant();
      return grid_->g_.columns[size_t(section)].caption;
    }
    // The record selector of the new-row line.
    return section == newLineRow() ? QStringLiteral("*") : QString();
  }

  db::Recordset* recordset() const { return rs_; }

 private:
  void mapFields() {
    fields_.clear();
    if (!grid_) return;
    const QStringList names = rs_ ? rs_->fieldNames() : QStringList();
    for (const auto& column : grid_->g_.columns) {
      int found = -1;
      for (int i = 0; i < names.size() && found < 0; ++i)
        if (names[i].compare(column.field, Qt::CaseInsensitive) == 0) found = i;
      fields_.push_back(found);
    }
  }

  DBGrid* grid_;
  db::Recordset* rs_ = nullptr;
  int count_ = 0;
  bool newLine_ = false;
  bool extra_ = false;  // a row is being added on the line before the new-row line
  std::vector<int> fields_;
};

// Keeps the editor open on a cell, so that an edit can be taken from it when
// the grid must store the row (a refresh, the window closing).
class GridDelegate : public QStyledItemDelegate {
 public:
  explicit GridDelegate(QObject* parent) : QStyledItemDelegate(parent) {
    // An editor closed by its own keys (Enter, Escape) is no longer open.
    connect(this, &QAbstractItemDelegate::closeEditor, this, [this](QWidget* editor) {
      if (open_ == editor) open_ = nullptr;
    });
  }

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    open_ = editor;
    return editor;
  }

  // Hands the open editor's text to the model and closes it.
  void commitOpen() {
    if (QWidget* editor = open_.data()) {
      open_ = nullptr;
      emit commitData(editor);
      emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
  }

 private:
  mutable QPointer<QWidget> open_;
};

class GridView : public QTableView {
 public:
  GridView(DBGrid* grid, QWidget* parent) : QTableView(parent), grid_(grid) {}
  void detach() { grid_ = nullptr; }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (grid_ && state() != QAbstractItemView::EditingState) {
      if (event->key() == Qt::Key_Delete) {
        grid_->fire([g = grid_] { g->deleteSelectedRows(); });
        event->accept();
        return;
      }
      if (event->key() == Qt::Key_Escape && grid_->pending_.active) {
        grid_->dropPending();
        event->accept();
        return;
      }
    }
    QTableView::keyPressEvent(event);
  }

 private:
  DBGrid* grid_;
};

}  // namespace detail

DBGrid::DBGrid(Form* form, const char* name, int index) : Control(form, name, index) {
  p_.back = vbWindowBackground;
  p_.fore = vbWindowText;
  p_.width = 4800;
  p_.height = 2400;
}

DBGrid::~DBGrid() {
  if (data_) data_->removeClient(this);
}

detail::GridView* DBGrid::view() const {
  return static_cast<detail::GridView*>(widget_.data());
}

// ---- design

void DBGrid::addColumn(const QString& caption, const QString& field, const QString& format, int widthTwips) {
  touch();
  g_.columns.push_back(Column{caption, field, format, widthTwips});
  if (model_) model_->columnsChanged();
  pushColumns();
}

int DBGrid::ColumnCount() const {
  touch();
  return int(g_.columns.size());
}

static const char* kNoColumn = "Subscript out of range";

const DBGrid::Column& DBGrid::column(int col) const {
  touch();
  if (col < 0 || col >= int(g_.columns.size())) throw Error(QString::fromLatin1(kNoColumn), 381);
  return g_.columns[size_t(col)];
}

QString DBGrid::ColumnCaption(int col) const {
  return column(col).caption;
}

QString DBGrid::ColumnField(int col) const {
  return column(col).field;
}

QString DBGrid::ColumnFormat(int col) const {
  return column(col).format;
}

int DBGrid::ColumnWidth(int col) const {
  return column(col).width;
}

bool DBGrid::ColumnHeaders() const {
  touch();
  return g_.headers;
}
void DBGrid::setColumnHeaders(bool shown) {
  touch();
  g_.headers = shown;
  if (widget_) pushExtra();
}

bool DBGrid::RecordSelectors() const {
  touch();
  return g_.selectors;
}
void DBGrid::setRecordSelectors(bool shown) {
  touch();
  g_.selectors = shown;
  if (widget_) pushExtra();
}

bool DBGrid::AllowUpdate() const {
  touch();
  return g_.allowUpdate;
}
void DBGrid::setAllowUpdate(bool allow) {
  touch();
  g_.allowUpdate = allow;
}

bool DBGrid::AllowAddNew() const {
  touch();
  return g_.allowAddNew;
}
void DBGrid::setAllowAddNew(bool allow) {
  touch();
  g_.allowAddNew = allow;
  if (model_) model_->sync(false);
}

bool DBGrid::AllowDelete() const {
  touch();
  return g_.allowDelete;
}
void DBGrid::setAllowDelete(bool allow) {
  touch();
  g_.allowDelete = allow;
}

bool DBGrid::AllowRowSizing() const {
  touch();
  return g_.rowSizing;
}
void DBGrid::setAllowRowSizing(bool allow) {
  touch();
  g_.rowSizing = allow;
  if (widget_) pushExtra();
}

int DBGrid::RowDividerStyle() const {
  touch();
  return g_.divider;
}
void DBGrid::setRowDividerStyle(int style) {
  touch();
  g_.divider = style;
  pushDivider();
}

int DBGrid::BorderStyle() const {
  touch();
  return g_.border;
}
void DBGrid::setBorderStyle(int style) {
  touch();
  g_.border = style;
  if (widget_) pushExtra();
}

int DBGrid::ScrollBars() const {
  touch();
  return g_.scrollBars;
}
void DBGrid::setScrollBars(int bars) {
  touch();
  g_.scrollBars = bars;
  if (widget_) pushExtra();
}

FontInfo DBGrid::HeadFont() const {
  touch();
  return g_.headFont;
}
void DBGrid::setHeadFont(const FontInfo& font) {
  touch();
  g_.headFont = font;
  if (widget_) pushExtra();
}

// ---- the widget

QWidget* DBGrid::createWidget(QWidget* parent) {
  auto* v = new detail::GridView(this, parent);
  model_ = new detail::GridModel(this, v);
  delegate_ = new detail::GridDelegate(v);
  v->setModel(model_);
  v->setItemDelegate(delegate_);
  v->setSelectionMode(QAbstractItemView::ExtendedSelection);
  v->setSelectionBehavior(QAbstractItemView::SelectItems);
  v->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                     QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  v->setWordWrap(false);
  v->verticalHeader()->setSectionsClickable(true);
  v->horizontalHeader()->setHighlightSections(false);
  QObject::connect(v->selectionModel(), &QItemSelectionModel::currentChanged, link(),
                   [this](const QModelIndex& current, const QModelIndex& previous) {
                     if (syncing_ || !current.isValid()) return;
                     const int was = previous.isValid() ? previous.row() : -1;
                     fire([this, current, was] { currentMoved(current.row(), current.column(), was); });
                   });
  return v;
}

void DBGrid::pushExtra() {
  detail::GridView* v = view();
  if (!v) return;
  v->horizontalHeader()->setVisible(g_.headers);
  v->horizontalHeader()->setFont(toQFont(g_.headFont));
  QHeaderView* rows = v->verticalHeader();
  rows->setVisible(g_.selectors);
  rows->setFixedWidth(twipsToPixelsX(270));
  rows->setDefaultAlignment(Qt::AlignCenter);
  // One row height for all rows: the view then needs no row's contents to
  // lay out, however many rows there are.
  rows->setMinimumSectionSize(1);
  rows->setDefaultSectionSize(QFontMetrics(toQFont(p_.font)).height() + 6);
  rows->setSectionResizeMode(g_.rowSizing ? QHeaderView::Interactive : QHeaderView::Fixed);
  v->setFrameShape(g_.border == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
  v->setHorizontalScrollBarPolicy((g_.scrollBars & 1) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  v->setVerticalScrollBarPolicy((g_.scrollBars & 2) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  pushColumns();
  pushDivider();
}

void DBGrid::pushColumns() {
  detail::GridView* v = view();
  if (!v) return;
  for (size_t c = 0; c < g_.columns.size(); ++c) {
    if (g_.columns[c].width >= 0) v->setColumnWidth(int(c), twipsToPixelsX(g_.columns[c].width));
  }
}

void DBGrid::pushDivider() {
  detail::GridView* v = view();
  if (!v) return;
  v->setShowGrid(g_.divider != 0);
  const char* colour = g_.divider == 1 ? "#000000" : g_.divider == 6 ? "#d3d3d3" : "#808080";
  v->setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; }").arg(QLatin1String(colour)));
}

void DBGrid::built() {
  if (data_) data_->addClient(this);
  if (model_) model_->sync(true);
  if (db::Recordset* rs = openRecordset()) showCurrent(rs->absolutePosition(), 0);
}

void DBGrid::releasing() {
  if (data_) data_->removeClient(this);
  pending_ = Pending();
  if (model_) model_->detach();
  if (detail::GridView* v = view()) v->detach();
  model_ = nullptr;
  delegate_ = nullptr;
}

// ---- rows

db::Recordset* DBGrid::openRecordset() const {
  if (!data_ || !data_->control().isOpen()) return nullptr;
  return &data_->control().recordset();
}

bool DBGrid::newRowLine() const {
  db::Recordset* rs = openRecordset();
  return g_.allowAddNew && rs && rs->updatable();
}

int DBGrid::listingRows() const {
  return model_ ? model_->listingRows() : 0;
}

QVariant DBGrid::storedValue(int row, int col) const {
  db::Recordset* rs = model_ ? model_->recordset() : nullptr;
  if (!rs || rs != openRecordset() || row < 0 || row >= rs->recordCount()) return QVariant();
  const int field = model_->fieldOf(col);
  return field < 0 ? QVariant() : rs->valueAt(row, field);
}

QString DBGrid::shownText(int row, int col) const {
  if (pending_.active && pending_.row == row) {
    const auto it = pending_.texts.find(col);
    if (it != pending_.texts.end()) return it->second;
  }
  if (col < 0 || col >= int(g_.columns.size())) return QString();
  return gridDisplayText(storedValue(row, col), g_.columns[size_t(col)].format);
}

QVariant DBGrid::fittedFont(const QModelIndex& index) const {
  detail::GridView* v = view();
  if (!v) return QVariant();
  const QString text = shownText(index.row(), index.column());
  if (!isNumberText(text)) return QVariant();
  // The room the style leaves a cell's text: the cell less a focus-frame
  // margin and a pixel on either side.
  const int margin = v->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, v) + 1;
  const QFont design = v->font();
  const FittedText fit = fitText(text, design, v->visualRect(index).width() - 2 * margin);
  if (fit.pointSize >= QFontInfo(design).pointSizeF()) return QVariant();
  QFont face = design;
  face.setPointSizeF(fit.pointSize);
  return face;
}

QString DBGrid::editText(int row, int col) const {
  if (pending_.active && pending_.row == row) {
    const auto it = pending_.texts.find(col);
    if (it != pending_.texts.end()) return it->second;
  }
  if (col < 0 || col >= int(g_.columns.size())) return QString();
  const QString& format = g_.columns[size_t(col)].format;
  const QVariant stored = storedValue(row, col);
  // Dates and times are edited as they are shown; other values as stored.
  if (isDateFormat(format) || isTimeFormat(format)) return gridDisplayText(stored, format);
  return storedText(stored);
}

bool DBGrid::editable(int row, int col) const {
  db::Recordset* rs = openRecordset();
  if (!rs || !rs->updatable() || col < 0 || col >= int(g_.columns.size())) return false;
  if (!rs->hasField(g_.columns[size_t(col)].field)) return false;
  if (row >= listingRows()) return newRowLine() && model_ && row <= model_->newLineRow();
  return g_.allowUpdate && row >= 0;
}

bool DBGrid::cellEdited(int row, int col, const QString& text) {
  if (!editable(row, col)) return false;
  if (pending_.active && pending_.row != row && !storePending()) return false;
  // Nothing changed: an editor passed through writes nothing, also in a row
  // already in edit (a time shown without its seconds would lose them).
  if (text == editText(row, col)) return true;
  if (!pending_.active && row >= listingRows()) {
    row = listingRows();  // the row stored just now moved the new-row line down
    pending_.adding = true;
    if (model_) model_->startAddition();
  }
  pending_.active = true;
  pending_.row = row;
  pending_.texts[col] = text;
  if (model_) model_->changedRow(row);
  return true;
}

bool DBGrid::storePending() {
  if (!pending_.active) return true;
  db::Recordset* rs = openRecordset();
  if (!rs) {
    dropPending();
    return true;
  }
  QString refusal;
  std::vector<std::pair<QString, QVariant>> fields;
  for (const auto& [col, text] : pending_.texts) {
    const Column& c = g_.columns[size_t(col)];
    const bool numeric = rs->numericField(c.field);
    const std::optional<QVariant> value = gridStoredValue(text, c.format, numeric);
    if (!value) {
      refusal = QStringLiteral("\"%1\" is not %2 (%3).")
                    .arg(text, expectedKind(c.format, numeric), c.caption.isEmpty() ? c.field : c.caption);
      break;
    }
    fields.emplace_back(c.field, *value);
  }
  if (refusal.isEmpty()) {
    try {
      // The move (or the addition) asks the window's Validate first, which
      // may keep the recordset where it stands: the edit then stays pending,
      // never written into another row.
      if (pending_.adding) {
        rs->addNew();
        if (openRecordset() != rs || rs->editMode() != db::EditMode::AddNew) return !pending_.active;
      } else {
        if (rs->absolutePosition() != pending_.row) rs->setAbsolutePosition(pending_.row);
        if (openRecordset() != rs || rs->absolutePosition() != pending_.row) return !pending_.active;
        rs->edit();
      }
      for (const auto& [field, value] : fields) rs->setField(field, value);
      rs->update();
    } catch (const std::exception& e) {
      refusal = QString::fromUtf8(e.what());
      if (openRecordset() == rs && rs->editMode() != db::EditMode::None) {
        try {
          rs->cancelUpdate();
        } catch (const std::exception&) {
          // the row stays in edit all the same
        }
      }
    }
  }
  if (!refusal.isEmpty()) {
    MsgBox(refusal, vbExclamation);
    return false;
  }
  const int row = pending_.row;
  pending_ = Pending();
  if (model_) {
    model_->sync(false);
    model_->changedRow(row);
  }
  return true;
}

void DBGrid::dropPending() {
  if (!pending_.active) return;
  const int row = pending_.row;
  const bool adding = pending_.adding;
  pending_ = Pending();
  if (!model_) return;
  model_->changedRow(row);
  if (adding) model_->dropAddition();
}

void DBGrid::storePendingEdit() {
  if (delegate_) delegate_->commitOpen();
  if (!storePending()) dropPending();  // the rows go: an edit that cannot be stored goes with them
}

void DBGrid::dataChanged(bool reopened) {
  if (!model_) return;
  if (reopened) pending_ = Pending();
  model_->sync(reopened);
  if (db::Recordset* rs = openRecordset()) {
    const int at = rs->absolutePosition();
    if (at >= 0) showCurrent(at, std::max(Col(), 0));
  }
  refreshSelectors();
}

void DBGrid::showCurrent(int row, int col) {
  detail::GridView* v = view();
  if (!v || !model_ || row < 0 || row >= model_->rowCount()) return;
  const bool was = syncing_;
  syncing_ = true;
  v->setCurrentIndex(model_->index(row, std::min(std::max(col, 0), std::max(model_->columnCount() - 1, 0))));
  syncing_ = was;
  refreshSelectors();
}

void DBGrid::refreshSelectors() {
  if (model_ && model_->rowCount() > 0)
    emit model_->headerDataChanged(Qt::Vertical, 0, model_->rowCount() - 1);
}

void DBGrid::currentMoved(int row, int col, int previousRow) {
  if (pending_.active && pending_.row != row) {
    if (!storePending()) {
      showCurrent(pending_.row, col);
      return;
    }
    // The stored row became the recordset's current one; the user goes on
    // to the row they chose.
    showCurrent(row, col);
  }
  db::Recordset* rs = openRecordset();
  if (rs && row >= 0 && row < rs->recordCount() && rs->absolutePosition() != row) {
    rs->setAbsolutePosition(row);
    // The window's Validate kept the recordset on its row: so does the grid.
    if (openRecordset() == rs && rs->absolutePosition() >= 0 && rs->absolutePosition() != row) {
      showCurrent(rs->absolutePosition(), col);
      return;
    }
  }
  if (previousRow != row) refreshSelectors();
}

void DBGrid::deleteSelectedRows() {
  detail::GridView* v = view();
  db::Recordset* rs = openRecordset();
  if (!v || !rs || !g_.allowDelete || !rs->updatable()) return;
  std::vector<int> rows;
  for (const QModelIndex& i : v->selectionModel()->selectedRows())
    if (i.row() < listingRows()) rows.push_back(i.row());
  if (rows.empty()) return;
  std::sort(rows.rbegin(), rows.rend());
  // An edit of a row that stays is stored first; one of a deleted row goes.
  if (pending_.active && std::find(rows.begin(), rows.end(), pending_.row) == rows.end() && !storePending())
    return;
  dropPending();
  v->clearSelection();
  int lowest = rows.back();
  for (int row : rows) {
    rs = openRecordset();
    if (!rs) return;
    try {
      if (rs->absolutePosition() != row) rs->setAbsolutePosition(row);
      // The window's Validate may keep the recordset on its row: then no
      // other row is deleted in place of the one picked.
      if (openRecordset() != rs || rs->absolutePosition() != row) break;
      rs->deleteRecord();
    } catch (const std::exception& e) {
      MsgBox(QString::fromUtf8(e.what()), vbExclamation);
      break;
    }
    if (model_) model_->rowRemoved(row);
    lowest = row;
  }
  rs = openRecordset();
  if (rs && rs->recordCount() > 0) {
    rs->setAbsolutePosition(std::min(lowest, rs->recordCount() - 1));
  } else if (model_) {
    model_->sync(false);
  }
}

// ---- current cell

int DBGrid::Row() const {
  touch();
  detail::GridView* v = view();
  if (!v || !v->currentIndex().isValid()) return -1;
  return v->currentIndex().row();
}

void DBGrid::setRow(int row) {
  touch();
  detail::GridView* v = view();
  if (!v || !model_) return;
  if (row < 0 || row >= model_->rowCount()) throw Error(QStringLiteral("Invalid row number"), 6148);
  v->setCurrentIndex(model_->index(row, std::max(Col(), 0)));
}

int DBGrid::Col() const {
  touch();
  detail::GridView* v = view();
  if (!v || !v->currentIndex().isValid()) return -1;
  return v->currentIndex().column();
}

void DBGrid::setCol(int col) {
  touch();
  detail::GridView* v = view();
  if (!v || !model_) return;
  if (col < 0 || col >= model_->columnCount()) throw Error(QStringLiteral("Invalid column number"), 6148);
  const int row = std::max(Row(), 0);
  if (row >= model_->rowCount()) return;
  v->setCurrentIndex(model_->index(row, col));
}

int DBGrid::Rows() const {
  touch();
  return model_ ? model_->rowCount() : 0;
}

QString DBGrid::CellText(int row, int col) const {
  touch();
  if (!model_ || row < 0 || row >= model_->rowCount() || col < 0 || col >= model_->columnCount())
    throw Error(QString::fromLatin1(kNoColumn), 381);
  return shownText(row, col);
}

QString DBGrid::Text() const {
  touch();
  const int row = Row();
  const int col = Col();
  return row < 0 || col < 0 ? QString() : shownText(row, col);
}

void DBGrid::setText(const QString& text) {
  touch();
  const int row = Row();
  const int col = Col();
  if (row < 0 || col < 0 || !cellEdited(row, col, text))
    throw Error(QStringLiteral("The current cell cannot be changed"), 438);
}

bool DBGrid::DataChanged() const {
  touch();
  return pending_.active && pending_.row == Row();
}

}  // namespace forms
