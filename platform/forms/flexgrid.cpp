#include "platform/forms/flexgrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <algorithm>
#include <cmath>

#include "platform/forms/screen.h"

namespace forms {

namespace {

constexpr int kDefaultColWidth = 960;  // twips

QStringList emptyRow(int cols) {
  QStringList row;
  row.reserve(cols);
  for (int c = 0; c < cols; ++c) row.append(QString());
  return row;
}

}  // namespace

MSFlexGrid::MSFlexGrid(Form* form, const char* name, int index) : Control(form, name, index) {
  p_.back = vbWindowBackground;
  p_.fore = vbWindowText;
  g_.cells = {emptyRow(g_.cols), emptyRow(g_.cols)};
  g_.widths.assign(g_.cols, -1);
}

QTableWidget* MSFlexGrid::table() const {
  return qobject_cast<QTableWidget*>(widget_.data());
}

// ---- size

int MSFlexGrid::Rows() const {
  touch();
  return int(g_.cells.size());
}

void MSFlexGrid::setRows(int rows) {
  touch();
  rows = std::max(rows, 1);
  const int before = int(g_.cells.size());
  if (rows == before) return;
  g_.cells.resize(rows, emptyRow(g_.cols));
  clampCurrent();
  if (QTableWidget* t = table()) {
    t->setRowCount(rows);
    for (int r = before; r < rows; ++r)
      for (int c = 0; c < g_.cols; ++c) pushCell(r, c);
    pushCurrent();
  }
}

int MSFlexGrid::Cols() const {
  touch();
  return g_.cols;
}

void MSFlexGrid::setCols(int cols) {
  touch();
  cols = std::max(cols, 1);
  if (cols == g_.cols) return;
  for (QStringList& row : g_.cells) {
    while (row.size() < cols) row.append(QString());
    while (row.size() > cols) row.removeLast();
  }
  g_.cols = cols;
  g_.widths.resize(cols, -1);
  clampCurrent();
  if (widget_) pushAll();
}

int MSFlexGrid::FixedRows() const {
  touch();
  return g_.fixedRows;
}

void MSFlexGrid::setFixedRows(int rows) {
  touch();
  g_.fixedRows = std::max(rows, 0);
  if (widget_) pushAll();
}

int MSFlexGrid::FixedCols() const {
  touch();
  return g_.fixedCols;
}

void MSFlexGrid::setFixedCols(int cols) {
  touch();
  g_.fixedCols = std::max(cols, 0);
  if (widget_) pushAll();
}

// ---- cells

void MSFlexGrid::checkCell(int row, int col) const {
  if (row < 0 || row >= int(g_.cells.size()) || col < 0 || col >= g_.cols)
    throw Error(QStringLiteral("Subscript out of range"), 381);
}

QString MSFlexGrid::TextMatrix(int row, int col) const {
  touch();
  checkCell(row, col);
  return g_.cells[row][col];
}

void MSFlexGrid::setTextMatrix(int row, int col, const QString& text) {
  touch();
  checkCell(row, col);
  g_.cells[row][col] = text;
  pushCell(row, col);
}

QString MSFlexGrid::Text() const {
  touch();
  return g_.cells[g_.row][g_.col];
}

void MSFlexGrid::setText(const QString& text) {
  setTextMatrix(Row(), Col(), text);
}

void MSFlexGrid::AddItem(const QString& item, int index) {
  touch();
  QStringList row = item.split(QLatin1Char('\t'));
  while (row.size() < g_.cols) row.append(QString());
  while (row.size() > g_.cols) row.removeLast();
  const int end = int(g_.cells.size());
  const int r = index < 0 ? end : std::clamp(index, std::min(g_.fixedRows, end), end);
  g_.cells.insert(g_.cells.begin() + r, row);
  if (index >= 0 && g_.row >= r && r < end) ++g_.row;
  if (QTableWidget* t = table()) {
    t->insertRow(r);
    if (shownRow_ >= r) ++shownRow_;
    for (int c = 0; c < g_.cols; ++c) pushCell(r, c);
    pushCurrent();
    if (index < 0) t->scrollToBottom();
  }
}

void MSFlexGrid::RemoveItem(int row) {
  touch();
  if (row < g_.fixedRows || row >= int(g_.cells.size()) || g_.cells.size() <= 1) return;
  g_.cells.erase(g_.cells.begin() + row);
  // The rows below move up, and so does a current row below the removed one.
  if (g_.row > row) --g_.row;
  clampCurrent();
  if (QTableWidget* t = table()) {
    t->removeRow(row);
    if (shownRow_ > row) --shownRow_;
    if (shownRow_ == row) shownRow_ = -1;
    pushCurrent();
  }
}

void MSFlexGrid::Refresh() {
  touch();
  if (QTableWidget* t = table()) t->viewport()->update();
}

bool MSFlexGrid::Redraw() const {
  touch();
  return g_.redraw;
}

void MSFlexGrid::setRedraw(bool redraw) {
  touch();
  g_.redraw = redraw;
  pushRedraw();
}

int MSFlexGrid::SelectionMode() const {
  touch();
  return g_.selectionMode;
}

void MSFlexGrid::setSelectionMode(int mode) {
  touch();
  g_.selectionMode = mode == 1 ? 1 : 0;
  if (widget_) pushAll();
}

// ---- the current cell

void MSFlexGrid::clampCurrent() {
  g_.row = std::clamp(g_.row, 0, int(g_.cells.size()) - 1);
  g_.col = std::clamp(g_.col, 0, g_.cols - 1);
  g_.colSel = std::clamp(g_.colSel, 0, g_.cols - 1);
}

int MSFlexGrid::Row() const {
  touch();
  return g_.row;
}

void MSFlexGrid::setRow(int row) {
  touch();
  g_.row = row;
  clampCurrent();
  pushCurrent();
}

int MSFlexGrid::Col() const {
  touch();
  return g_.col;
}

void MSFlexGrid::setCol(int col) {
  touch();
  g_.col = col;
  g_.colSel = col;
  clampCurrent();
  pushCurrent();
}

int MSFlexGrid::ColSel() const {
  touch();
  return g_.colSel;
}

void MSFlexGrid::setColSel(int col) {
  touch();
  g_.colSel = col;
  clampCurrent();
}

int MSFlexGrid::MouseRow() const {
  touch();
  return g_.mouseRow;
}

int MSFlexGrid::MouseCol() const {
  touch();
  return g_.mouseCol;
}

// ---- widths

int MSFlexGrid::ColWidth(int col) const {
  touch();
  checkCell(0, col);
  return g_.widths[col] < 0 ? kDefaultColWidth : g_.widths[col];
}

void MSFlexGrid::setColWidth(int col, double twips) {
  touch();
  checkCell(0, col);
  g_.widths[col] = std::max(0, int(std::lround(twips)));
  pushWidths();
}

int MSFlexGrid::ClientWidth() const {
  touch();
  const QTableWidget* t = table();
  const QStyle* style = t ? t->style() : QApplication::style();
  const int frame = t ? t->frameWidth() : style->pixelMetric(QStyle::PM_DefaultFrameWidth);
  int bar = t ? t->verticalScrollBar()->sizeHint().width() : style->pixelMetric(QStyle::PM_ScrollBarExtent);
  if (style->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents))
    bar += style->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing);
  const int pixels = twipsToPixelsX(p_.width) - 2 * frame - bar;
  return pixelsToTwipsX(std::max(pixels, 0));
}

// ---- the widget

QWidget* MSFlexGrid::createWidget(QWidget* parent) {
  auto* t = new QTableWidget(parent);
  t->horizontalHeader()->hide();
  // A column is as wide as its ColWidth, also a narrow one.
  t->horizontalHeader()->setMinimumSectionSize(0);
  t->verticalHeader()->hide();
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionMode(QAbstractItemView::NoSelection);
  t->setFocusPolicy(Qt::NoFocus);
  t->setWordWrap(false);
  t->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  QObject::connect(t, &QTableWidget::cellClicked, link(), [this](int row, int col) { clicked(row, col); });
  watch(t);
  return t;
}

void MSFlexGrid::pushExtra() {
  pushAll();
}

void MSFlexGrid::pushAll() {
  QTableWidget* t = table();
  if (!t) return;
  t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 8);
  t->setColumnCount(g_.cols);
  t->setRowCount(int(g_.cells.size()));
  shownRow_ = shownCol_ = -1;
  for (int r = 0; r < int(g_.cells.size()); ++r)
    for (int c = 0; c < g_.cols; ++c) pushCell(r, c);
  pushWidths();
  pushCurrent();
  pushRedraw();
}

void MSFlexGrid::pushRedraw() {
  QTableWidget* t = table();
  if (!t) return;
  t->viewport()->setUpdatesEnabled(g_.redraw);
  if (g_.redraw) t->viewport()->update();
}

bool MSFlexGrid::highlighted(int row, int col) const {
  if (row != g_.row || row < g_.fixedRows || col < g_.fixedCols) return false;
  return g_.selectionMode == 1 || col == g_.col;
}

void MSFlexGrid::pushCell(int row, int col) {
  QTableWidget* t = table();
  if (!t) return;
  QTableWidgetItem* item = t->item(row, col);
  if (!item) {
    item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled);
    t->setItem(row, col, item);
  }
  item->setText(g_.cells[row][col]);
  const QPalette& pal = t->palette();
  const bool fixed = row < g_.fixedRows || col < g_.fixedCols;
  const bool current = highlighted(row, col);
  item->setBackground(current ? pal.highlight() : fixed ? pal.button() : pal.base());
  item->setForeground(current ? pal.highlightedText() : fixed ? pal.buttonText() : pal.text());
}

// Repaints the cells of the old and the new current cell (their rows, when
// the whole row shows it).
void MSFlexGrid::pushCurrent() {
  QTableWidget* t = table();
  if (!t) return;
  const int oldRow = shownRow_, oldCol = shownCol_;
  shownRow_ = g_.row;
  shownCol_ = g_.col;
  const auto repaint = [this](int row, int col) {
    if (row < 0 || row >= int(g_.cells.size())) return;
    if (g_.selectionMode == 1) {
      for (int c = 0; c < g_.cols; ++c) pushCell(row, c);
    } else if (col >= 0 && col < g_.cols) {
      pushCell(row, col);
    }
  };
  repaint(oldRow, oldCol);
  repaint(g_.row, g_.col);
}

// Each column ends at the pixel nearest to where its twips end, so the
// columns together are as wide as their twips, never a pixel wider.
void MSFlexGrid::pushWidths() {
  QTableWidget* t = table();
  if (!t) return;
  int twips = 0;
  int edge = 0;
  for (int c = 0; c < g_.cols; ++c) {
    twips += g_.widths[c] < 0 ? kDefaultColWidth : g_.widths[c];
    const int next = twipsToPixelsX(twips);
    t->setColumnWidth(c, next - edge);
    edge = next;
  }
}

void MSFlexGrid::clicked(int row, int col) {
  if (row < 0 || row >= int(g_.cells.size()) || col < 0 || col >= g_.cols) return;
  g_.mouseRow = row;
  g_.mouseCol = col;
  if (row >= g_.fixedRows && col >= g_.fixedCols) {
    g_.row = row;
    g_.col = col;
    g_.colSel = col;
    pushCurrent();
  }
  fire(onClick);
}

}  // namespace forms
