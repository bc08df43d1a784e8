// A prepared SQLite statement for this layer's own use: native SQLite text
// (not the Access dialect), bound values, rows read as QVariants. Errors name
// the database file and say what is wrong with it, never the SQL text.
#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

#include "platform/db/database.h"

struct sqlite3_stmt;

namespace db::detail {

// Finalises a prepared statement when its owner goes.
struct StatementFinalizer {
  void operator()(sqlite3_stmt* stmt) const;
};
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

class Statement {
 public:
  // Prepares exactly one statement; trailing semicolons and blanks are
  // allowed, a second statement is refused.
  Statement(const Database& db, const QString& sqliteSql);
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
  // Throws Error with what went wrong (SQLite's message and result code, and
  // whether the statement was being prepared) in plain words naming the file.
  [[noreturn]] void fail(const QString& what, int code = 0, bool preparing = false) const;
  // A step that failed: what accessFailure tells is told so, anything else
  // as fail() tells it.
  [[noreturn]] void failStep(int rc, const QString& message) const;
  const Database& db_;
  QString sql_;
  // Owned from the moment it is prepared, so a refusal in the constructor
  // still finalises it and the connection can close.
  StatementHandle handle_;
};

// The failures of a step on `db` (SQLite's result `rc`) that are told apart,
// in plain words naming the file: a full disk or quota, a lock held past the
// busy wait ("Cannot save to" a file when the step `writes`, else "Cannot
// read"), a read-only file, and for a write a read-only folder. Nothing for
// any other failure.
std::optional<Error> accessFailure(const Database& db, int rc, bool writes);

// Runs native SQL to the end; returns the number of rows changed. Every write
// of this layer goes through here: a connection opened read-only is opened
// again first when its file can be written now (Database::reopenIfWritable).
int run(Database& db, const QString& sqliteSql, const Params& params = {});
// First value of the first row, null when there is none.
QVariant firstValue(const Database& db, const QString& sqliteSql, const Params& params = {});

}  // namespace db::detail
