// Test files for the database tests: SQLite files made with the plain C API,
// in the shape the program's schema gives its tables.
#pragma once

#include <sqlite3.h>

#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace dbtest {

// Creates (or extends) an SQLite file by running `sql` on it.
inline void makeFile(const QString& path, const char* sql) {
  sqlite3* h = nullptr;
  if (sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK) {
    throw std::runtime_error("cannot create test file");
  }
  char* err = nullptr;
  const int rc = sqlite3_exec(h, sql, nullptr, nullptr, &err);
  const std::string msg = err ? err : "";
  sqlite3_free(err);
  sqlite3_close(h);
  if (rc != SQLITE_OK) throw std::runtime_error("test schema failed: " + msg);
}

// One value read with a separate connection, as another station would see it.
// Returns "<null>" for Null so that Null and "" are told apart.
inline QString peek(const QString& path, const char* sql) {
  sqlite3* h = nullptr;
  sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* st = nullptr;
  QString out = "<no row>";
  if (sqlite3_prepare_v2(h, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW) {
    out = sqlite3_column_type(st, 0) == SQLITE_NULL
              ? QString("<null>")
              : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
  } else if (!st) {
    out = QString("<error: %1>").arg(sqlite3_errmsg(h));
  }
  sqlite3_finalize(st);
  sqlite3_close(h);
  return out;
}

// The ticket header table as the schema has it: an automatic number, amount
// texts, the "0" default of Receive, a numeric column name.
inline const char* ticketSchema() {
  return "CREATE TABLE tblDy_Order (TO_Ord_ID INTEGER PRIMARY KEY AUTOINCREMENT, Inv TEXT, SubTotal TEXT,"
         " Tax TEXT, Total TEXT, Time TEXT, Date TEXT, ID TEXT, \"5\" TEXT, Method TEXT, szCard_amt TEXT,"
         " szType_Card TEXT, Receive TEXT DEFAULT '0', szCoupon_amt TEXT);"
         "CREATE TABLE tblDetail (Det_ID INTEGER PRIMARY KEY AUTOINCREMENT, Invoice TEXT, Qty TEXT,"
         " szOrder TEXT, Price TEXT);";
}

// Overwrites the first page of a table's rows with bytes that are no page,
// as a disk fault would: the file still opens, and reading that table fails.
inline void damageTable(const QString& path, const char* table) {
  sqlite3* h = nullptr;
  sqlite3_open_v2(path.toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(
      h, "SELECT rootpage, (SELECT page_size FROM pragma_page_size) FROM sqlite_master WHERE name = ?", -1,
      &st, nullptr);
  sqlite3_bind_text(st, 1, table, -1, SQLITE_TRANSIENT);
  const bool found = sqlite3_step(st) == SQLITE_ROW;
  const qint64 page = found ? sqlite3_column_int64(st, 0) : 0;
  const qint64 size = found ? sqlite3_column_int64(st, 1) : 0;
  sqlite3_finalize(st);
  sqlite3_close(h);
  if (page < 2) throw std::runtime_error(std::string("no table to damage: ") + table);
  FILE* f = std::fopen(path.toUtf8().constData(), "r+b");
  if (f == nullptr) throw std::runtime_error("cannot open the file to damage");
  std::fseek(f, long((page - 1) * size), SEEK_SET);
  const std::string garbage(size_t(size), '\x5a');
  std::fwrite(garbage.data(), 1, garbage.size(), f);
  std::fclose(f);
}

}  // namespace dbtest
