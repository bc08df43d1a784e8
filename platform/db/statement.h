// A prepared SQLite statement for this layer's own use: native SQLite text
// (not the Access dialect), bound values, rows read as QVariants. Errors name
// the database file.
#pragma once

#include <QString>
#include <QVariant>

#include "platform/db/database.h"

struct sqlite3_stmt;

namespace db::detail {

class Statement {
 public:
  // Prepares exactly one statement; trailing semicolons and blanks are
  // allowed, a second statement is refused.
  Statement(const Database& db, const QString& sqliteSql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Binds all `?` of the statement in order; the count must match.
  void bindAll(const Params& params);
  void bind(int index, const QVariant& value);  // 1-based
  // Steps once: true when a row is ready.
  bool step();
  void reset();

  int columnCount() const;
  QString columnName(int column) const;
  QVariant value(int column) const;

 private:
  [[noreturn]] void fail(const QString& what) const;
  const Database& db_;
  QString sql_;
  sqlite3_stmt* stmt_ = nullptr;
};

// Runs native SQL to the end; returns the number of rows changed.
int run(const Database& db, const QString& sqliteSql, const Params& params = {});
// First value of the first row, null when there is none.
QVariant firstValue(const Database& db, const QString& sqliteSql, const Params& params = {});

}  // namespace db::detail
