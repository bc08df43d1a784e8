#include "platform/sheet/sheet.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "platform/convert/format.h"
#include "platform/convert/number.h"

namespace sheet {

namespace {

// ---- addresses

int lettersToColumn(const QString& letters) {
  int col = 0;
  for (QChar c : letters) {
    const int d = c.toUpper().unicode() - 'A' + 1;
    if (d < 1 || d > 26) return 0;
    col = col * 26 + d;
    if (col > kMaxColumns) return 0;
  }
  return col;
}

// One end of an address: "B4", "$B$4" or a column alone ("B"; row 0).
bool parseEnd(const QString& text, int* row, int* col) {
  static const QRegularExpression end(QStringLiteral(R"(^\$?([A-Za-z]{1,3})(?:\$?(\d{1,7}))?$)"));
  const QRegularExpressionMatch m = end.match(text.trimmed());
  if (!m.hasMatch()) return false;
  *col = lettersToColumn(m.captured(1));
  *row = m.captured(2).isEmpty() ? 0 : m.captured(2).toInt();
  return *col >= 1 && *row >= 0 && *row <= kMaxRows;
}

Range rangeAt(Worksheet* sheet, const QString& address) {
  const QStringList ends = address.split(u':');
  int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
  if (ends.size() > 2 || !parseEnd(ends[0], &r1, &c1) ||
      (ends.size() == 2 ? !parseEnd(ends[1], &r2, &c2) : (r2 = r1, c2 = c1, false)) ||
      ((r1 == 0) != (r2 == 0)))
    throw Error(QStringLiteral("The address \"%1\" is not a range.").arg(address));
  if (r1 == 0) {  // whole columns
    r1 = 1;
    r2 = kMaxRows;
  }
  return Range(sheet, std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2));
}

QString cellAddress(int row, int col) {
  return columnLetters(col) + QString::number(row);
}

// ---- months for AutoFill

const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};

// The month a text names ("Jan", "january"); -1 for none. *full tells the
// long form.
int monthOf(const QString& text, bool* full) {
  for (int m = 0; m < 12; ++m) {
    const QString name = QString::fromLatin1(kMonths[m]);
    if (text.compare(name, Qt::CaseInsensitive) == 0) {
      *full = true;
      return m;
    }
    if (text.compare(name.left(3), Qt::CaseInsensitive) == 0) {
      *full = false;
      return m;
    }
  }
  return -1;
}

// A month's name in the form and letter case of the text that started the
// series.
QString monthLike(const QString& model, int month, bool full) {
  QString name = QString::fromLatin1(kMonths[((month % 12) + 12) % 12]);
  if (!full) name = name.left(3);
  if (model == model.toUpper()) return name.toUpper();
  if (model == model.toLower()) return name.toLower();
  return name;
}

// ---- number formats

// The sections of a format, split at ";" outside quotes.
QStringList sectionsOf(const QString& format) {
  QStringList out;
  QString current;
  bool quoted = false;
  for (int i = 0; i < format.size(); ++i) {
    const QChar c = format[i];
    if (c == u'"') quoted = !quoted;
    if (c == u'\\' && i + 1 < format.size()) {
      current += c;
      current += format[++i];
      continue;
    }
    if (c == u';' && !quoted) {
      out << current;
      current.clear();
      continue;
    }
    current += c;
  }
  out << current;
  return out;
}

// "_x" is as wide as x: a blank here. "*x" repeats x to fill the cell: left out.
QString withoutPadding(const QString& section) {
  QString out;
  bool quoted = false;
  for (int i = 0; i < section.size(); ++i) {
    const QChar c = section[i];
    if (c == u'"') quoted = !quoted;
    if (!quoted && (c == u'_' || c == u'*') && i + 1 < section.size()) {
      if (c == u'_') out += u' ';
      ++i;
      continue;
    }
    out += c;
  }
  return out;
}

bool isDateTimeFormat(const QString& section) {
  bool quoted = false;
  for (int i = 0; i < section.size(); ++i) {
    const QChar c = section[i];
    if (c == u'"') quoted = !quoted;
    if (quoted) continue;
    if (c == u'\\' || c == u'_' || c == u'*') {
      ++i;
      continue;
    }
    const QChar l = c.toLower();
    if (l == u'0' || l == u'#') return false;
    if (l == u'y' || l == u'm' || l == u'd' || l == u'h' || l == u's') return true;
  }
  return false;
}

QString twoDigits(int n) {
  return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// A date and time in a date/time section: y, m, d, h, m (minutes after h or
// before s), s and AM/PM.
QString formatDateTime(const QDate& date, const QTime& time, const QString& section) {
  struct Token {
    QString text;
    bool literal;
  };
  std::vector<Token> tokens;
  const QString s = withoutPadding(section);
  bool ampm = false;
  for (int i = 0; i < s.size();) {
    const QChar c = s[i];
    if (c == u'"') {
      const int close = s.indexOf(u'"', i + 1);
      const int end = close < 0 ? int(s.size()) : close;
      tokens.push_back({s.mid(i + 1, end - i - 1), true});
      i = end + 1;
      continue;
    }
    if (c == u'\\' && i + 1 < s.size()) {
      tokens.push_back({QString(s[i + 1]), true});
      i += 2;
      continue;
    }
    if (s.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
      tokens.push_back({QStringLiteral("AM/PM"), false});
      ampm = true;
      i += 5;
      continue;
    }
    const QChar l = c.toLower();
    if (l == u'y' || l == u'm' || l == u'd' || l == u'h' || l == u's') {
      int j = i;
      while (j < s.size() && s[j].toLower() == l) ++j;
      tokens.push_back({s.mid(i, j - i).toLower(), false});
      i = j;
      continue;
    }
    tokens.push_back({QString(c), true});
    ++i;
  }
  QString out;
  for (size_t k = 0; k < tokens.size(); ++k) {
    const Token& t = tokens[k];
    if (t.literal) {
      out += t.text;
      continue;
    }
    const QChar kind = t.text[0];
    const int n = int(t.text.size());
    if (t.text == QLatin1String("AM/PM")) {
      out += time.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
    } else if (kind == u'y') {
      out += n <= 2 ? twoDigits(date.year() % 100) : QString::number(date.year());
    } else if (kind == u'd') {
      out += n == 1 ? QString::number(date.day()) : n == 2 ? twoDigits(date.day()) : date.toString(t.text);
    } else if (kind == u'h') {
      int hour = time.hour();
      if (ampm) hour = hour % 12 == 0 ? 12 : hour % 12;
      out += n == 1 ? QString::number(hour) : twoDigits(hour);
    } else if (kind == u's') {
      out += n == 1 ? QString::number(time.second()) : twoDigits(time.second());
    } else {  // m: minutes after an hour or before seconds, else the month
      bool minutes = false;
      for (size_t b = k; b-- > 0;) {
        if (tokens[b].literal) continue;
        minutes = tokens[b].text[0] == u'h';
        break;
      }
      for (size_t a = k + 1; !minutes && a < tokens.size(); ++a) {
        if (tokens[a].literal) continue;
        minutes = tokens[a].text[0] == u's';
        break;
      }
      if (minutes)
        out += n == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
      else if (n <= 2)
        out += n == 1 ? QString::number(date.month()) : twoDigits(date.month());
      else
        out += n == 3 ? QString::fromLatin1(kMonths[date.month() - 1]).left(3)
                      : QString::fromLatin1(kMonths[date.month() - 1]);
    }
  }
  return out;
}

const QDate kSerialBase(1899, 12, 30);

}  // namespace

// ---- rules

QString columnLetters(int col) {
  QString letters;
  while (col > 0) {
    const int d = (col - 1) % 26;
    letters.prepend(QChar(u'A' + d));
    col = (col - 1) / 26;
  }
  return letters;
}

QString formulaToA1(const QString& formulaR1C1, int row, int col) {
  // R[n] / Rn / R (this row), then C[n] / Cn / C (this column); not inside
  // quotes and not inside a word (ROUND, ARC).
  static const QRegularExpression ref(QStringLiteral(R"(R(\[-?\d+\]|\d+)?C(\[-?\d+\]|\d+)?)"));
  QString out;
  bool quoted = false;
  int i = 0;
  const int n = int(formulaR1C1.size());
  while (i < n) {
    const QChar c = formulaR1C1[i];
    if (c == u'"') quoted = !quoted;
    if (!quoted && (c == u'R' || c == u'r') && (i == 0 || !formulaR1C1[i - 1].isLetterOrNumber())) {
      const QRegularExpressionMatch m = ref.match(formulaR1C1, i, QRegularExpression::NormalMatch,
                                                  QRegularExpression::AnchorAtOffsetMatchOption);
      const int end = m.hasMatch() ? int(m.capturedEnd()) : i;
      if (m.hasMatch() && (end >= n || !formulaR1C1[end].isLetterOrNumber())) {
        auto resolve = [](const QString& part, int here) {
          if (part.isEmpty()) return here;
          if (part.startsWith(u'[')) return here + part.mid(1, part.size() - 2).toInt();
          return part.toInt();
        };
        const int r = resolve(m.captured(1), row);
        const int k = resolve(m.captured(2), col);
        if (r < 1 || r > kMaxRows || k < 1 || k > kMaxColumns)
          throw Error(QStringLiteral("The formula \"%1\" refers outside the sheet.").arg(formulaR1C1));
        out += cellAddress(r, k);
        i = end;
        continue;
      }
    }
    out += c;
    ++i;
  }
  return out;
}

double serialOf(const QVariant& dateOrTime) {
  if (dateOrTime.typeId() == QMetaType::QDate) return double(kSerialBase.daysTo(dateOrTime.toDate()));
  if (dateOrTime.typeId() == QMetaType::QTime) return dateOrTime.toTime().msecsSinceStartOfDay() / 86400000.0;
  return dateOrTime.toDouble();
}

QString shownInFormat(const QVariant& value, const QString& format) {
  if (!value.isValid() || value.isNull()) return QString();
  const QStringList sections = sectionsOf(format);
  const bool general = format.isEmpty() || format.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0;
  switch (value.typeId()) {
    case QMetaType::QString:
      return value.toString();
    case QMetaType::QDate:
      return formatDateTime(
          value.toDate(), QTime(0, 0),
          general || !isDateTimeFormat(sections[0]) ? QStringLiteral("m/d/yyyy") : sections[0]);
    case QMetaType::QTime:
      return formatDateTime(
          kSerialBase, value.toTime(),
          general || !isDateTimeFormat(sections[0]) ? QStringLiteral("h:mm:ss AM/PM") : sections[0]);
    default:
      break;
  }
  const double number = value.toDouble();
  if (general) return rt::CStr(number);
  QString section = sections[0];
  double shown = number;
  if (number < 0 && sections.size() >= 2) {
    section = sections[1];
    shown = -number;
  } else if (number == 0 && sections.size() >= 3) {
    section = sections[2];
  }
  if (isDateTimeFormat(section)) {
    double days = std::floor(number);
    int msecs = int(std::lround((number - days) * 86400000.0));
    if (msecs >= 86400000) {  // rounded up to midnight: the next day
      days += 1;
      msecs = 0;
    }
    return formatDateTime(kSerialBase.addDays(qint64(days)), QTime(0, 0).addMSecs(msecs), section);
  }
  try {
    return rt::Format(shown, withoutPadding(section));
  } catch (const std::exception&) {
    return rt::CStr(number);
  }
}

// ---- ranges

Range::Range(Worksheet* sheet, int firstRow, int firstCol, int lastRow, int lastCol)
    : sheet_(sheet), r1_(firstRow), c1_(firstCol), r2_(lastRow), c2_(lastCol) {
  if (r1_ < 1 || c1_ < 1 || r2_ > kMaxRows || c2_ > kMaxColumns || r1_ > r2_ || c1_ > c2_)
    throw Error(
        QStringLiteral("The range R%1C%2:R%3C%4 is outside the sheet.").arg(r1_).arg(c1_).arg(r2_).arg(c2_));
}

QString Range::Address() const {
  if (wholeColumns()) return columnLetters(c1_) + u':' + columnLetters(c2_);
  if (r1_ == r2_ && c1_ == c2_) return cellAddress(r1_, c1_);
  return cellAddress(r1_, c1_) + u':' + cellAddress(r2_, c2_);
}

QVariant Range::Value() const {
  return sheet_->value(r1_, c1_);
}

void Range::setValue(const QVariant& value) {
  QVariant v;
  switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QDate:
    case QMetaType::QTime:
    case QMetaType::Double:
      v = value;
      break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Float:
      v = value.toDouble();
      break;
    default:
      if (value.isValid() && !value.isNull()) v = value.toString();
  }
  const int lastRow = wholeColumns() ? std::max(sheet_->lastRow(), 1) : r2_;
  for (int r = r1_; r <= lastRow; ++r) {
    for (int c = c1_; c <= c2_; ++c) {
      Worksheet::Cell* cell = sheet_->cell(r, c, v.isValid());
      if (!cell) continue;
      cell->value = v;
      cell->formula.clear();
    }
  }
  sheet_->changed();
}

void Range::Select() {
  sheet_->selection_ = Address();
  sheet_->changed();
}

QString Range::NumberFormat() const {
  if (wholeColumns()) return sheet_->columnFormat(c1_);
  return sheet_->style(r1_, c1_).numberFormat;
}

void Range::setNumberFormat(const QString& format) {
  if (wholeColumns()) {
    // A column's format; its cells take it too, as they do in the sheet.
    for (int c = c1_; c <= c2_; ++c) {
      sheet_->columnFormats_[c] = format;
      for (int r = 1; r <= sheet_->lastRow(); ++r) {
        if (Worksheet::Cell* cell = sheet_->cell(r, c, false)) {
          CellStyle s = sheet_->styles_[size_t(cell->style)];
          s.numberFormat.clear();
          cell->style = sheet_->styleIndex(s);
        }
      }
    }
    sheet_->changed();
  } else {
    sheet_->restyle(*this, [&format](CellStyle& s) { s.numberFormat = format; });
  }
}

RangeFont Range::Font() const {
  return RangeFont(*this);
}

bool RangeFont::Bold() const {
  return range_.sheet().style(range_.firstRow(), range_.firstCol()).bold;
}

double RangeFont::Size() const {
  const double size = range_.sheet().style(range_.firstRow(), range_.firstCol()).size;
  return size > 0 ? size : 11;
}

void RangeFont::setBold(bool bold) {
  range_.sheet().restyle(range_, [bold](CellStyle& s) { s.bold = bold; });
}

void RangeFont::setSize(double points) {
  range_.sheet().restyle(range_, [points](CellStyle& s) { s.size = points; });
}

void Range::AutoFit() {
  for (int c = c1_; c <= c2_; ++c) {
    double widest = -1;
    const int lastRow = std::min(wholeColumns() ? sheet_->lastRow() : r2_, sheet_->lastRow());
    for (int r = r1_; r <= lastRow; ++r) {
      const QString text = sheet_->shownText(r, c);
      if (text.isEmpty()) continue;
      const CellStyle s = sheet_->style(r, c);
      // Characters of the default 11-point font; a larger or bold font is wider.
      const double width = text.size() * (s.size > 0 ? s.size / 11.0 : 1.0) * (s.bold ? 1.1 : 1.0);
      widest = std::max(widest, width);
    }
    if (widest >= 0) sheet_->columnWidths_[c] = std::ceil(widest - 1e-9) + 1;
  }
  sheet_->changed();
}

void Range::AutoFill(const Range& destination) {
  const bool down =
      destination.c1_ == c1_ && destination.c2_ == c2_ && destination.r1_ == r1_ && destination.r2_ >= r2_;
  const bool right =
      destination.r1_ == r1_ && destination.r2_ == r2_ && destination.c1_ == c1_ && destination.c2_ >= c2_;
  if (destination.sheet_ != sheet_ || (!down && !right))
    throw Error(QStringLiteral("AutoFill from %1 cannot fill %2.").arg(Address(), destination.Address()));
  // Each line along the fill: its source cells, then the cells to fill.
  const int lines = down ? c2_ - c1_ + 1 : r2_ - r1_ + 1;
  const int sources = down ? r2_ - r1_ + 1 : c2_ - c1_ + 1;
  const int fills = down ? destination.r2_ - r2_ : destination.c2_ - c2_;
  for (int line = 0; line < lines; ++line) {
    auto at = [&](int k) {  // k-th cell along the line, from the range's start
      return down ? std::make_pair(r1_ + k, c1_ + line) : std::make_pair(r1_ + line, c1_ + k);
    };
    const QVariant first = sheet_->value(at(0).first, at(0).second);
    bool full = false;
    const int month =
        sources == 1 && first.typeId() == QMetaType::QString ? monthOf(first.toString(), &full) : -1;
    for (int k = 0; k < fills; ++k) {
      const auto [sr, sc] = at(k % sources);
      const auto [tr, tc] = at(sources + k);
      const Worksheet::Cell* source = sheet_->cell(sr, sc);
      Worksheet::Cell* target = sheet_->cell(tr, tc, source != nullptr);
      if (!target) continue;
      if (month >= 0) {
        target->value = monthLike(first.toString(), month + k + 1, full);
        target->formula.clear();
      } else if (source) {
        target->value = source->value;
        target->formula = source->formula;
      } else {
        // A source cell never written copies as an empty cell.
        *target = Worksheet::Cell();
      }
      target->style = source ? source->style : 0;
    }
  }
  sheet_->changed();
}

void Range::setFormulaR1C1(const QString& formula) {
  for (int r = r1_; r <= r2_; ++r) {
    for (int c = c1_; c <= c2_; ++c) {
      const QString a1 = formulaToA1(formula, r, c);
      Worksheet::Cell* cell = sheet_->cell(r, c, true);
      cell->formula = a1;
      cell->value = QVariant();
    }
  }
  sheet_->changed();
}

QString Range::Formula() const {
  return sheet_->formula(r1_, c1_);
}

// ---- worksheets

Worksheet::Worksheet(Workbook* book, const QString& name) : book_(book), name_(name) {}

Range Worksheet::Cells(int row, int col) {
  return sheet::Range(this, row, col, row, col);
}

Range Worksheet::Columns(const QString& letters) {
  sheet::Range r = rangeAt(this, letters);
  if (!r.wholeColumns()) throw Error(QStringLiteral("\"%1\" names no columns.").arg(letters));
  return r;
}

Range Worksheet::Range(const QString& address) {
  return rangeAt(this, address);
}

Worksheet::Cell* Worksheet::cell(int row, int col, bool create) {
  if (row < 1 || row > kMaxRows || col < 1 || col > kMaxColumns) return nullptr;
  if (row > int(rows_.size())) {
    if (!create) return nullptr;
    rows_.resize(size_t(row));
  }
  std::vector<Cell>& line = rows_[size_t(row - 1)];
  if (col > int(line.size())) {
    if (!create) return nullptr;
    line.resize(size_t(col));
  }
  return &line[size_t(col - 1)];
}

const Worksheet::Cell* Worksheet::cell(int row, int col) const {
  if (row < 1 || row > int(rows_.size()) || col < 1) return nullptr;
  const std::vector<Cell>& line = rows_[size_t(row - 1)];
  return col > int(line.size()) ? nullptr : &line[size_t(col - 1)];
}

void Worksheet::restyle(const sheet::Range& range, const std::function<void(CellStyle&)>& change) {
  // A whole column restyles the cells it holds, not a million empty ones.
  const int lastRow = range.wholeColumns() ? this->lastRow() : range.lastRow();
  for (int r = range.firstRow(); r <= lastRow; ++r) {
    for (int c = range.firstCol(); c <= range.lastCol(); ++c) {
      Cell* target = cell(r, c, true);
      CellStyle s = styles_[size_t(target->style)];
      change(s);
      target->style = styleIndex(s);
    }
  }
  changed();
}

int Worksheet::styleIndex(const CellStyle& style) {
  const auto it = std::find(styles_.begin(), styles_.end(), style);
  if (it != styles_.end()) return int(it - styles_.begin());
  styles_.push_back(style);
  return int(styles_.size()) - 1;
}

void Worksheet::changed() {
  book_->changed_ = true;
}

int Worksheet::lastColumn() const {
  int last = 0;
  for (const std::vector<Cell>& line : rows_) last = std::max(last, int(line.size()));
  return last;
}

QVariant Worksheet::value(int row, int col) const {
  const Cell* c = cell(row, col);
  return c ? c->value : QVariant();
}

QString Worksheet::formula(int row, int col) const {
  const Cell* c = cell(row, col);
  return c ? c->formula : QString();
}

CellStyle Worksheet::style(int row, int col) const {
  const Cell* c = cell(row, col);
  return c ? styles_[size_t(c->style)] : CellStyle();
}

QString Worksheet::columnFormat(int col) const {
  const auto it = columnFormats_.find(col);
  return it == columnFormats_.end() ? QString() : it->second;
}

double Worksheet::columnWidth(int col) const {
  const auto it = columnWidths_.find(col);
  return it == columnWidths_.end() ? -1 : it->second;
}

QString Worksheet::effectiveFormat(int row, int col) const {
  const QString own = style(row, col).numberFormat;
  return own.isEmpty() ? columnFormat(col) : own;
}

QString Worksheet::shownText(int row, int col) const {
  const Cell* c = cell(row, col);
  if (!c) return QString();
  if (!c->formula.isEmpty()) {
    // The one formula the reports write: a SUM over a block of cells.
    static const QRegularExpression sum(QStringLiteral(R"(^=SUM\(([A-Z]+\d+):([A-Z]+\d+)\)$)"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = sum.match(c->formula);
    if (!m.hasMatch()) return c->formula;
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (!parseEnd(m.captured(1), &r1, &c1) || !parseEnd(m.captured(2), &r2, &c2)) return c->formula;
    double total = 0;
    for (int r = r1; r <= r2; ++r)
      for (int k = c1; k <= c2; ++k) {
        const QVariant v = value(r, k);
        if (v.typeId() == QMetaType::Double) total += v.toDouble();
      }
    return shownInFormat(total, effectiveFormat(row, col));
  }
  return shownInFormat(c->value, effectiveFormat(row, col));
}

// ---- workbooks and the application

Workbook::Workbook(Application* app, const QString& name) : app_(app), name_(name), sheet_(this, "Sheet1") {}

Workbook& Workbooks::Add() {
  books_.push_back(std::make_unique<Workbook>(app_, QStringLiteral("Book%1").arg(books_.size() + 1)));
  app_->active_ = books_.back().get();
  return *books_.back();
}

Workbook& Workbooks::Item(int index) {
  if (index < 1 || index > int(books_.size()))
    throw Error(QStringLiteral("There is no workbook %1.").arg(index));
  return *books_[size_t(index - 1)];
}

Application::Application() = default;

Worksheet& Application::ActiveSheet() {
  if (!active_) throw Error(QStringLiteral("There is no workbook open."));
  return active_->ActiveSheet();
}

Range Application::ActiveCell() {
  Worksheet& ws = ActiveSheet();
  const sheet::Range selected = ws.Range(ws.selection());
  return ws.Cells(selected.firstRow(), selected.firstCol());
}

Range Application::Selection() {
  Worksheet& ws = ActiveSheet();
  return ws.Range(ws.selection());
}

Range Application::Range(const QString& address) {
  return ActiveSheet().Range(address);
}

QStringList Application::ShowWorkbooks() {
  QStringList problems;
  if (!visible_) return problems;
  for (const std::unique_ptr<Workbook>& book : books_.books_) {
    if (!book->changed_) continue;
    try {
      book->show();
    } catch (const Error& e) {
      problems << e.message();
    }
  }
  return problems;
}

}  // namespace sheet
