#include "platform/db/recordset.h"

#include <sqlite3.h>

#include <QRegularExpression>
#include <algorithm>

#include "platform/db/accesssql.h"
#include "platform/db/statement.h"

namespace db {

namespace {

const QString kNoCurrent = QStringLiteral("No current record.");

QString key(const QString& name) {
  return name.toCaseFolded();
}

// A name as the windows write it: plain, [bracketed] or "quoted".
QString unquoteName(const QString& name) {
  if (name.size() >= 2 &&
      ((name.front() == u'[' && name.back() == u']') || (name.front() == u'"' && name.back() == u'"'))) {
    QString inner = name.mid(1, name.size() - 2);
    if (name.front() == u'"') inner.replace(QStringLiteral("\"\""), QStringLiteral("\""));
    return inner;
  }
  return name;
}

// SQLite's type affinity rules: is the declared column type numeric?
bool numericType(const QString& declared) {
  const QString t = declared.toUpper();
  if (t.isEmpty() || t.contains(QLatin1String("BLOB"))) return false;
  return !(t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) ||
           t.contains(QLatin1String("TEXT")));
}

QString stripTrailingSemicolons(QString sql) {
  int end = sql.size();
  while (end > 0 && (sql[end - 1].isSpace() || sql[end - 1] == u';')) --end;
  sql.truncate(end);
  return sql;
}

}  // namespace

Recordset::Recordset(std::shared_ptr<Database> db, const QString& tableOrSql, const Params& params)
    : db_(std::move(db)), source_(tableOrSql), params_(params) {
  static const QRegularExpression bareName(QStringLiteral(R"(^(\[[^\]]+\]|"(?:[^"]|"")+"|[A-Za-z_]\w*)$)"));
  // "SELECT * FROM <one table>" with an optional WHERE / ORDER BY: updatable.
  static const QRegularExpression selectStar(
      QStringLiteral(R"(^\s*SELECT\s+\*\s+FROM\s+("(?:[^"]|"")+"|[A-Za-z_]\w*)(\s+(?:WHERE|ORDER)\b.*)?$)"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);

  const QString trimmed = tableOrSql.trimmed();
  QString candidate;  // the table named, if the source is one table
  QString rest;       // WHERE / ORDER BY of the query, in SQLite form
  QString sqliteSql;
  if (bareName.match(trimmed).hasMatch()) {
    candidate = unquoteName(trimmed);
    sqliteSql = QStringLiteral("SELECT * FROM %1").arg(quoteIdentifier(candidate));
  } else {
    sqliteSql = stripTrailingSemicolons(translateAccessSql(trimmed));
    const QRegularExpressionMatch m = selectStar.match(sqliteSql);
    if (m.hasMatch()) {
      candidate = unquoteName(m.captured(1));
      rest = m.captured(2);
    }
  }
  if (!candidate.isEmpty()) {
    // Only a real table (not a view) is updatable; use the name as stored.
    const QVariant stored = detail::firstValue(
        *db_,
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE"),
        {candidate});
    if (stored.isValid()) {
      table_ = stored.toString();
      selectSql_ = QStringLiteral("SELECT rowid, * FROM %1%2").arg(quoteIdentifier(table_), rest);
      keySql_ = QStringLiteral("SELECT rowid FROM %1%2").arg(quoteIdentifier(table_), rest);
      readTableInfo();
    }
  }
  if (table_.isEmpty()) selectSql_ = sqliteSql;
  load();
  pos_ = 0;
}

Recordset::~Recordset() = default;

void Recordset::readTableInfo() {
  const QString createSql =
      detail::firstValue(
          *db_, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?1"), {table_})
          .toString();
  static const QRegularExpression autoinc(QStringLiteral(R"(\bAUTOINCREMENT\b)"),
                                          QRegularExpression::CaseInsensitiveOption);
  const bool hasAutoincrement = autoinc.match(createSql).hasMatch();

  detail::Statement st(*db_, QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(table_)));
  columns_.clear();
  while (st.step()) {
    Column c;
    c.name = st.value(1).toString();
    const QString type = st.value(2).toString();
    c.numeric = numericType(type);
    c.defaultSql = st.value(4).toString();
    // The one INTEGER PRIMARY KEY of an AUTOINCREMENT table is its automatic number.
    c.autoNumber =
        hasAutoincrement && st.value(5).toInt() == 1 && type.compare("INTEGER", Qt::CaseInsensitive) == 0;
    columns_.push_back(c);
  }
}

void Recordset::load() {
  // The names, from the query that would read the rows whole.
  detail::Statement st(*db_, selectSql_);
  const int first = table_.isEmpty() ? 0 : 1;  // column 0 of an updatable query is the rowid
  names_.clear();
  index_.clear();
  for (int c = first; c < st.columnCount(); ++c) {
    const QString name = st.columnName(c);
    names_ << name;
    if (!index_.contains(key(name))) index_.insert(key(name), c - first);
  }
  rows_.clear();
  if (table_.isEmpty()) {
    // A query on more than one table has no keys: its rows are read whole.
    columns_.clear();
    for (const QString& name : names_) columns_.push_back(Column{name, false, false, QString()});
    st.bindAll(params_);
    while (st.step()) {
      Row r;
      r.values.reserve(names_.size());
      for (int c = 0; c < st.columnCount(); ++c) r.values.push_back(st.value(c));
      rows_.push_back(std::move(r));
    }
  } else {
    detail::Statement keys(*db_, keySql_);
    keys.bindAll(params_);
    while (keys.step()) {
      Row r;
      r.rowid = keys.value(0).toLongLong();
      r.read = false;
      rows_.push_back(std::move(r));
    }
  }
  mode_ = EditMode::None;
  dirty_.clear();
  deleted_ = false;
}

const Recordset::Row& Recordset::rowAt(int position) const {
  Row& row = rows_[position];
  if (row.read) return row;
  // This row and the unread ones after it, in one query.
  constexpr int kBlock = 64;
  std::vector<int> wanted;
  QStringList marks;
  Params ids;
  for (int i = position; i < static_cast<int>(rows_.size()) && static_cast<int>(wanted.size()) < kBlock;
       ++i) {
    if (rows_[i].read) continue;
    wanted.push_back(i);
    marks << QStringLiteral("?");
    ids << rows_[i].rowid;
  }
  detail::Statement st(*db_, QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid IN (%2)")
                                 .arg(quoteIdentifier(table_), marks.join(QStringLiteral(", "))));
  st.bindAll(ids);
  QHash<qint64, std::vector<QVariant>> found;
  while (st.step()) {
    std::vector<QVariant> values;
    values.reserve(names_.size());
    for (int c = 1; c < st.columnCount(); ++c) values.push_back(st.value(c));
    found.insert(st.value(0).toLongLong(), std::move(values));
  }
  for (int i : wanted) {
    Row& r = rows_[i];
    const auto it = found.find(r.rowid);
    // Deleted by another station since the keys were read: no values.
    r.values = it != found.end() ? std::move(it.value()) : std::vector<QVariant>(names_.size());
    r.read = true;
  }
  return row;
}

Recordset::Row Recordset::readRow(qint64 rowid) const {
  detail::Statement st(
      *db_, QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid = ?1").arg(quoteIdentifier(table_)));
  st.bind(1, rowid);
  if (!st.step()) throw Error(QStringLiteral("Record is deleted."));
  Row r;
  r.rowid = st.value(0).toLongLong();
  for (int c = 1; c < st.columnCount(); ++c) r.values.push_back(st.value(c));
  return r;
}

int Recordset::columnIndex(const QString& name) const {
  const auto it = index_.constFind(key(unquoteName(name)));
  if (it == index_.constEnd())
    throw Error(QStringLiteral("Item not found in this collection: field \"%1\".").arg(name));
  return it.value();
}

bool Recordset::hasField(const QString& name) const {
  return index_.contains(key(unquoteName(name)));
}

bool Recordset::numericField(const QString& name) const {
  const auto it = index_.constFind(key(unquoteName(name)));
  return it != index_.constEnd() && *it < static_cast<int>(columns_.size()) && columns_[*it].numeric;
}

bool Recordset::eof() const {
  return !deleted_ && pos_ >= static_cast<int>(rows_.size());
}
bool Recordset::bof() const {
  return !deleted_ && (pos_ < 0 || rows_.empty());
}
bool Recordset::currentDeleted() const {
  return deleted_;
}

bool Recordset::hasCurrentRow() const {
  return mode_ == EditMode::AddNew || (!deleted_ && pos_ >= 0 && pos_ < static_cast<int>(rows_.size()));
}

void Recordset::requireCurrent() const {
  if (deleted_) throw Error(QStringLiteral("Record is deleted."));
  if (pos_ < 0 || pos_ >= static_cast<int>(rows_.size())) throw Error(kNoCurrent);
}

QVariant Recordset::field(const QString& name) const {
  const int c = columnIndex(name);
  if (mode_ != EditMode::None) return buffer_.values[c];
  requireCurrent();
  return rowAt(pos_).values[c];
}

QVariant Recordset::valueAt(int position, int column) const {
  if (position < 0 || position >= static_cast<int>(rows_.size()) || column < 0 || column >= names_.size()) {
    throw Error(kNoCurrent);
  }
  return rowAt(position).values[column];
}

int Recordset::recordCount() const {
  return static_cast<int>(rows_.size());
}

qint64 Recordset::currentRowId() const {
  if (mode_ == EditMode::AddNew || deleted_ || pos_ < 0 || pos_ >= static_cast<int>(rows_.size())) return 0;
  return rows_[pos_].rowid;
}

int Recordset::absolutePosition() const {
  if (mode_ == EditMode::AddNew || deleted_ || pos_ < 0 || pos_ >= static_cast<int>(rows_.size())) return -1;
  return pos_;
}

void Recordset::moveTo(int position, Leave why) {
  if (observer_ && !observer_->leavingRow(*this, why)) return;
  mode_ = EditMode::None;
  dirty_.clear();
  deleted_ = false;
  pos_ = position;
  if (observer_) observer_->arrivedRow(*this);
}

void Recordset::moveFirst() {
  if (rows_.empty()) throw Error(kNoCurrent);
  moveTo(0, Leave::MoveFirst);
}

void Recordset::moveLast() {
  if (rows_.empty()) throw Error(kNoCurrent);
  moveTo(static_cast<int>(rows_.size()) - 1, Leave::MoveLast);
}

void Recordset::moveNext() {
  if (deleted_) {
    moveTo(pos_, Leave::MoveNext);  // the row after the deleted one now stands at its place
    return;
  }
  if (eof()) throw Error(kNoCurrent);
  moveTo(pos_ + 1, Leave::MoveNext);
}

void Recordset::movePrevious() {
  if (deleted_) {
    moveTo(pos_ - 1, Leave::MovePrevious);
    return;
  }
  if (bof()) throw Error(kNoCurrent);
  moveTo(pos_ - 1, Leave::MovePrevious);
}

void Recordset::setAbsolutePosition(int position) {
  if (position < 0 || position >= static_cast<int>(rows_.size())) throw Error(kNoCurrent);
  moveTo(position, Leave::Position);
}

void Recordset::requery() {
  if (observer_ && !observer_->leavingRow(*this, Leave::Requery)) return;
  load();
  pos_ = 0;
  if (observer_) observer_->arrivedRow(*this);
}

static void requireUpdatable(const Recordset& rs) {
  if (!rs.updatable()) {
    throw Error(
        QStringLiteral("The recordset \"%1\" cannot be updated: it is not on one table.").arg(rs.source()));
  }
}

qint64 Recordset::reserveAutoNumber() {
  // The next number is taken at once and recorded in sqlite_sequence, so that
  // an insert by another station (or another window) draws a later one.
  Transaction t(*db_);
  const qint64 next =
      detail::firstValue(
          *db_,
          QStringLiteral("SELECT max(coalesce((SELECT seq FROM sqlite_sequence WHERE name = ?1), 0), "
                         "coalesce((SELECT max(rowid) FROM %1), 0)) + 1")
              .arg(quoteIdentifier(table_)),
          {table_})
          .toLongLong();
  if (detail::run(*db_, QStringLiteral("UPDATE sqlite_sequence SET seq = ?1 WHERE name = ?2"),
                  {next, table_}) == 0) {
    detail::run(*db_, QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?2, ?1)"),
                {next, table_});
  }
  t.commit();
  return next;
}

void Recordset::addNew() {
  requireUpdatable(*this);
  if (observer_ && !observer_->leavingRow(*this, Leave::AddNew)) return;
  mode_ = EditMode::None;
  dirty_.clear();
  Row r;
  r.values.resize(columns_.size());
  for (size_t c = 0; c < columns_.size(); ++c) {
    if (columns_[c].autoNumber) {
      r.values[c] = reserveAutoNumber();
    } else if (!columns_[c].defaultSql.isEmpty()) {
      try {
        // The DEFAULT expression comes from the file's own schema.
        r.values[c] = detail::firstValue(*db_, QStringLiteral("SELECT ") + columns_[c].defaultSql);
      } catch (const Error&) {
        r.values[c] = QVariant();
      }
    }
  }
  buffer_ = std::move(r);
  if (!deleted_) posBeforeAdd_ = pos_;
  mode_ = EditMode::AddNew;
  if (observer_) observer_->arrivedRow(*this);
}

void Recordset::edit() {
  requireUpdatable(*this);
  if (mode_ == EditMode::AddNew)
    throw Error(QStringLiteral("An addition is pending: update or cancel it first."));
  requireCurrent();
  buffer_ = rowAt(pos_);
  dirty_.clear();
  mode_ = EditMode::Edit;
}

void Recordset::setField(const QString& name, const QVariant& value) {
  const int c = columnIndex(name);
  if (mode_ == EditMode::None) throw Error(QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
  if (columns_[c].autoNumber) {
    throw Error(QStringLiteral("Field \"%1\" cannot be updated: it is an automatic number.").arg(names_[c]));
  }
  QVariant v = value;
  // An emptied box on a numeric field stores Null, not an empty text.
  if (columns_[c].numeric && v.isValid() && !v.isNull() && (v.typeId() == QMetaType::QString) &&
      v.toString().trimmed().isEmpty()) {
    v = QVariant();
  }
  buffer_.values[c] = v;
  dirty_.insert(c);
}

void Recordset::update() {
  if (mode_ == EditMode::None) throw Error(QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
  QList<int> cols = dirty_.values();
  std::sort(cols.begin(), cols.end());
  if (mode_ == EditMode::Edit) {
    if (!cols.isEmpty()) {
      QStringList sets;
      Params values;
      for (int c : cols) {
        sets << quoteIdentifier(columns_[c].name) + QStringLiteral(" = ?");
        values << buffer_.values[c];
      }
      values << buffer_.rowid;
      const int changed = detail::run(*db_,
                                      QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                          .arg(quoteIdentifier(table_), sets.join(QStringLiteral(", "))),
                                      values);
      if (changed == 0) throw Error(QStringLiteral("Record is deleted."));
      rows_[pos_] = readRow(buffer_.rowid);
    }
    mode_ = EditMode::None;
    dirty_.clear();
    return;
  }

  // An addition: the set fields and the automatic number; the rest take the
  // column defaults.
  QStringList names;
  Params values;
  for (size_t c = 0; c < columns_.size(); ++c) {
    if (columns_[c].autoNumber || dirty_.contains(static_cast<int>(c))) {
      names << quoteIdentifier(columns_[c].name);
      values << buffer_.values[c];
    }
  }
  QString sql;
  if (names.isEmpty()) {
    sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(table_));
  } else {
    QStringList marks;
    for (int k = 0; k < names.size(); ++k) marks << QStringLiteral("?");
    sql =
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(quoteIdentifier(table_), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
  }
  detail::run(*db_, sql, values);
  const qint64 rowid = sqlite3_last_insert_rowid(db_->handle());
  rows_.push_back(readRow(rowid));
  mode_ = EditMode::None;
  dirty_.clear();
  deleted_ = false;
  pos_ = static_cast<int>(rows_.size()) - 1;
  if (observer_) observer_->arrivedRow(*this);
}

void Recordset::cancelUpdate() {
  const bool wasAdding = mode_ == EditMode::AddNew;
  mode_ = EditMode::None;
  dirty_.clear();
  if (wasAdding) {
    if (!deleted_) pos_ = posBeforeAdd_;
    if (observer_) observer_->arrivedRow(*this);
  }
}

void Recordset::deleteRecord() {
  requireUpdatable(*this);
  if (mode_ == EditMode::AddNew) throw Error(kNoCurrent);
  mode_ = EditMode::None;
  dirty_.clear();
  requireCurrent();
  detail::run(*db_, QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(quoteIdentifier(table_)),
              {rows_[pos_].rowid});
  rows_.erase(rows_.begin() + pos_);
  deleted_ = true;
}

void Recordset::find(const QString& criteria, const Params& params, int from) {
  if (!updatable()) {
    throw Error(QStringLiteral("Find needs a recordset on one table; \"%1\" is not.").arg(source_));
  }
  // The file answers which rows match; the recordset's order decides which
  // of them comes first.
  detail::Statement st(
      *db_, QStringLiteral("SELECT rowid FROM %1 WHERE (%2)")
                .arg(quoteIdentifier(table_), stripTrailingSemicolons(translateAccessSql(criteria))));
  st.bindAll(params);
  QSet<qint64> hits;
  while (st.step()) hits.insert(st.value(0).toLongLong());
  for (int i = std::max(from, 0); i < static_cast<int>(rows_.size()); ++i) {
    if (hits.contains(rows_[i].rowid)) {
      noMatch_ = false;
      moveTo(i, Leave::Find);  // a move the data control refuses leaves the row as it was
      return;
    }
  }
  noMatch_ = true;
}

void Recordset::findFirst(const QString& criteria, const Params& params) {
  find(criteria, params, 0);
}

void Recordset::findNext(const QString& criteria, const Params& params) {
  find(criteria, params, deleted_ ? pos_ : pos_ + 1);
}

}  // namespace db
