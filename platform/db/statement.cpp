#include "platform/db/statement.h"

#include <sqlite3.h>
#include <unistd.h>

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QFileInfo>
#include <QTime>
#include <cerrno>

#include "platform/convert/datetext.h"

namespace db::detail {

void StatementFinalizer::operator()(sqlite3_stmt* stmt) const {
  sqlite3_finalize(stmt);
}

Statement::Statement(const Database& db, const QString& sqliteSql) : db_(db), sql_(sqliteSql) {
  const QByteArray text = sqliteSql.toUtf8();
  const char* tail = nullptr;
  sqlite3_stmt* prepared = nullptr;
  const int rc =
      sqlite3_prepare_v2(db.handle(), text.constData(), static_cast<int>(text.size()), &prepared, &tail);
  handle_.reset(prepared);
  if (rc != SQLITE_OK) fail(QString::fromUtf8(sqlite3_errmsg(db.handle())), rc, true);
  if (!handle_) fail(QStringLiteral("empty statement"));
  // Only one statement per call: what follows may be blanks and semicolons.
  for (const char* p = tail; p && *p; ++p) {
    if (*p != ';' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') {
      fail(QStringLiteral("only one statement may be run at a time"));
    }
  }
}

namespace {

// What a failed statement found wrong with the file, in the clerk's words and
// naming the file. The statement's SQL text is the program's own business and
// stays out of it: a statement SQLite could not make sense of (a syntax
// error quotes it) is told as not understood.
QString plainFailure(const QString& what, int code, const QString& file, bool preparing) {
  const QLatin1String noTable("no such table: "), noField("no such column: ");
  if (what.startsWith(noTable))
    return QStringLiteral("%1 has no table %2.").arg(file, what.mid(noTable.size()));
  if (what.startsWith(noField))
    return QStringLiteral("%1 has no field %2.").arg(file, what.mid(noField.size()));
  switch (code & 0xff) {
    case SQLITE_CORRUPT:
      return QStringLiteral("%1 is damaged.").arg(file);
    case SQLITE_NOTADB:
      return QStringLiteral("%1 is not a database.").arg(file);
    case SQLITE_IOERR:
      return QStringLiteral("%1 cannot be read: the disk reported an error.").arg(file);
    case SQLITE_ERROR:
      if (preparing) return QStringLiteral("%1 cannot be read: the request was not understood.").arg(file);
      break;
    default:
      break;
  }
  return QStringLiteral("%1: %2.").arg(file, what);
}

}  // namespace

void Statement::fail(const QString& what, int code, bool preparing) const {
  const int primary = code & 0xff;
  throw Error(
      plainFailure(what, code, QFileInfo(db_.localPath()).fileName(), preparing),
      primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB ? Error::Kind::Damaged : Error::Kind::Other);
}

void Statement::bindAll(const Params& params) {
  const int wanted = sqlite3_bind_parameter_count(handle_.get());
  if (wanted != params.size()) {
    fail(QStringLiteral("the statement takes %1 values, %2 were given").arg(wanted).arg(params.size()));
  }
  for (int i = 0; i < params.size(); ++i) bind(i + 1, params[i]);
}

void Statement::bind(int index, const QVariant& v) {
  int rc = SQLITE_OK;
  if (!v.isValid() || v.isNull()) {
    rc = sqlite3_bind_null(handle_.get(), index);
  } else {
    switch (v.typeId()) {
      case QMetaType::Bool:
        rc = sqlite3_bind_int64(handle_.get(), index, v.toBool() ? 1 : 0);  // a Yes/No field holds 1/0
        break;
      case QMetaType::Int:
      case QMetaType::UInt:
      case QMetaType::Short:
      case QMetaType::UShort:
      case QMetaType::Long:
      case QMetaType::LongLong:
      case QMetaType::ULong:
      case QMetaType::ULongLong:
      case QMetaType::Char:
      case QMetaType::SChar:
      case QMetaType::UChar:
        rc = sqlite3_bind_int64(handle_.get(), index, v.toLongLong());
        break;
      case QMetaType::Double:
      case QMetaType::Float:
        rc = sqlite3_bind_double(handle_.get(), index, v.toDouble());
        break;
      case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        rc = sqlite3_bind_blob(handle_.get(), index, b.constData(), static_cast<int>(b.size()),
                               SQLITE_TRANSIENT);
        break;
      }
      default: {
        QString s;
        if (v.typeId() == QMetaType::QDate) {
          s = rt::IsoDate(v.toDate());
        } else if (v.typeId() == QMetaType::QTime) {
          s = rt::IsoTime(v.toTime());
        } else if (v.typeId() == QMetaType::QDateTime) {
          const QDateTime at = v.toDateTime();
          s = rt::IsoDate(at.date()) + u' ' + rt::IsoTime(at.time());
        } else {
          s = v.toString();
        }
        const QByteArray b = s.toUtf8();
        rc = sqlite3_bind_text(handle_.get(), index, b.constData(), static_cast<int>(b.size()),
                               SQLITE_TRANSIENT);
      }
    }
  }
  if (rc != SQLITE_OK) fail(QString::fromUtf8(sqlite3_errmsg(db_.handle())), rc);
}

bool Statement::step() {
  const int rc = sqlite3_step(handle_.get());
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  const QString msg = QString::fromUtf8(sqlite3_errmsg(db_.handle()));
  sqlite3_reset(handle_.get());
  failStep(rc, msg);
}

void Statement::failStep(int rc, const QString& message) const {
  // A transaction's start and end take the write lock, though SQLite counts
  // them as read-only statements.
  const bool writes = !sqlite3_stmt_readonly(handle_.get()) ||
                      sql_.startsWith(QLatin1String("BEGIN"), Qt::CaseInsensitive) ||
                      sql_.startsWith(QLatin1String("COMMIT"), Qt::CaseInsensitive);
  if (std::optional<Error> told = accessFailure(db_, rc, writes)) throw *told;
  fail(message, rc);
}

std::optional<Error> accessFailure(const Database& db, int rc, bool writes) {
  const QString file = QFileInfo(db.localPath()).fileName();
  // A full disk: SQLite says so, or a write or a new journal failed with the
  // system's word for it, which SQLite keeps for an I/O error.
  const int code = rc & 0xff;
  const int system = code == SQLITE_IOERR || code == SQLITE_CANTOPEN ? sqlite3_system_errno(db.handle()) : 0;
  if (code == SQLITE_FULL || system == ENOSPC)
    return Error(QStringLiteral("Cannot save to %1: the disk is full.").arg(file), Error::Kind::Full);
  if (system == EDQUOT)
    return Error(QStringLiteral("Cannot save to %1: the disk quota is full.").arg(file),
                 Error::Kind::QuotaFull);
  switch (code) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return Error((writes ? QStringLiteral("Cannot save to %1: another station is using the file.")
                           : QStringLiteral("Cannot read %1: another station is using the file."))
                       .arg(file),
                   Error::Kind::Busy);
    case SQLITE_READONLY:
      return Error(QStringLiteral("Cannot save to %1: the file is read-only.").arg(file),
                   Error::Kind::ReadOnly);
    case SQLITE_CANTOPEN:
      // The journal beside the file cannot be made: the folder is read-only.
      if (writes && ::access(QFileInfo(db.localPath()).absolutePath().toUtf8().constData(), W_OK) != 0)
        return Error(QStringLiteral("Cannot save to %1: its folder is read-only.").arg(file),
                     Error::Kind::ReadOnly);
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

void Statement::reset() {
  sqlite3_reset(handle_.get());
  sqlite3_clear_bindings(handle_.get());
}

int Statement::columnCount() const {
  return sqlite3_column_count(handle_.get());
}

QString Statement::columnName(int column) const {
  return QString::fromUtf8(sqlite3_column_name(handle_.get(), column));
}

QVariant Statement::value(int column) const {
  switch (sqlite3_column_type(handle_.get(), column)) {
    case SQLITE_NULL:
      return QVariant();
    case SQLITE_INTEGER:
      return QVariant(static_cast<qlonglong>(sqlite3_column_int64(handle_.get(), column)));
    case SQLITE_FLOAT:
      return QVariant(sqlite3_column_double(handle_.get(), column));
    case SQLITE_BLOB: {
      const void* p = sqlite3_column_blob(handle_.get(), column);
      return QVariant(QByteArray(static_cast<const char*>(p), sqlite3_column_bytes(handle_.get(), column)));
    }
    default: {
      const char* p = reinterpret_cast<const char*>(sqlite3_column_text(handle_.get(), column));
      QString s = QString::fromUtf8(p, sqlite3_column_bytes(handle_.get(), column));
      if (s.isNull()) s = QLatin1String("");  // an empty text is a value, not Null
      return QVariant(s);
    }
  }
}

int run(Database& db, const QString& sqliteSql, const Params& params) {
  db.reopenIfWritable();
  Statement st(db, sqliteSql);
  st.bindAll(params);
  while (st.step()) {
  }
  return sqlite3_changes(db.handle());
}

QVariant firstValue(const Database& db, const QString& sqliteSql, const Params& params) {
  Statement st(db, sqliteSql);
  st.bindAll(params);
  if (!st.step() || st.columnCount() == 0) return QVariant();
  return st.value(0);
}

}  // namespace db::detail
