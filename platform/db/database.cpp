#include "platform/db/database.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include "platform/convert/text.h"
#include "platform/db/accesssql.h"
#include "platform/db/recordset.h"
#include "platform/db/statement.h"
#include "platform/files/paths.h"

namespace db {

Error::Error(const QString& message) : std::runtime_error(message.toStdString()) {}

namespace {

QString textOf(sqlite3_value* v) {
  const char* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
  return QString::fromUtf8(p, sqlite3_value_bytes(v));
}

// AMT(x): the amount an amount text stands for. Numbers pass through, Null
// stays Null (so a sum over rows without a value is Null, as in Access).
void amtFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
      sqlite3_result_null(ctx);
      break;
    case SQLITE_INTEGER:
      sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
      break;
    case SQLITE_FLOAT:
      sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
      break;
    default:
      sqlite3_result_double(ctx, amountValue(textOf(argv[0])));
  }
}

// like(pattern, value): SQLite calls this for "value LIKE pattern". The
// pattern follows the runtime's Like rules, with letter case ignored as the
// Access engine does.
void likeFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  sqlite3_result_int(ctx, rt::Like(textOf(argv[1]), textOf(argv[0]), Qt::CaseInsensitive) ? 1 : 0);
}

// The first bytes of an Access database: a page header, then the engine name.
bool isAccessFile(const QString& localPath) {
  QFile f(localPath);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = f.read(32);
  return head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB";
}

}  // namespace

std::shared_ptr<Database> Database::open(const QString& path) {
  const QString local = QString::fromStdString(files::localPath(path.toStdString()));
  auto db = std::make_shared<Database>(Key{}, path, local);
  const QString name = db->describe();

  const QFileInfo info(local);
  if (path.trimmed().isEmpty()) throw Error(QStringLiteral("No database file was named."));
  if (!info.exists()) throw Error(QStringLiteral("The database file %1 was not found.").arg(name));
  if (!info.isFile()) throw Error(QStringLiteral("The database file %1 is not a file.").arg(name));
  if (isAccessFile(local)) {
    throw Error(QStringLiteral("The database file %1 is a Microsoft Access (Jet) database. This program "
                               "reads SQLite databases only; replace it with the SQLite file of that name.")
                    .arg(name));
  }

  const QByteArray file = local.toUtf8();
  sqlite3* handle = nullptr;
  const int rc = sqlite3_open_v2(file.constData(), &handle, SQLITE_OPEN_READWRITE, nullptr);
  db->db_ = handle;
  if (rc != SQLITE_OK) {
    const QString why = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QStringLiteral("out of memory");
    throw Error(QStringLiteral("The database file %1 cannot be opened: %2.").arg(name, why));
  }
  sqlite3_busy_timeout(handle, 5000);  // other stations on the shared folder
  sqlite3_db_config(handle, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  sqlite3_db_config(handle, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  sqlite3_extended_result_codes(handle, 1);

  // Reading the schema tells a database from any other file.
  if (sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
    const int code = sqlite3_errcode(handle) & 0xff;
    if (code == SQLITE_NOTADB) {
      throw Error(QStringLiteral("The file %1 is not a database.").arg(name));
    }
    throw Error(QStringLiteral("The database file %1 cannot be read: %2.")
                    .arg(name, QString::fromUtf8(sqlite3_errmsg(handle))));
  }
  // Rollback journal, not WAL: WAL needs shared memory, which a network share
  // does not give. Every commit reaches the disk before it returns.
  for (const char* pragma : {"PRAGMA journal_mode=DELETE", "PRAGMA synchronous=FULL"}) {
    if (sqlite3_exec(handle, pragma, nullptr, nullptr, nullptr) != SQLITE_OK) {
      throw Error(QStringLiteral("The database file %1 cannot be set up: %2.")
                      .arg(name, QString::fromUtf8(sqlite3_errmsg(handle))));
    }
  }
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  if (sqlite3_create_function(handle, "AMT", 1, flags, nullptr, amtFunction, nullptr, nullptr) != SQLITE_OK ||
      sqlite3_create_function(handle, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr) !=
          SQLITE_OK) {
    throw Error(QStringLiteral("The database file %1 cannot be set up: %2.")
                    .arg(name, QString::fromUtf8(sqlite3_errmsg(handle))));
  }
  return db;
}

Database::Database(Key, const QString& path, const QString& localPath) : path_(path), localPath_(localPath) {}

Database::~Database() {
  sqlite3_close_v2(db_);
}

QString Database::describe() const {
  if (path_ == localPath_) return QStringLiteral("\"%1\"").arg(path_);
  return QStringLiteral("\"%1\" (%2)").arg(path_, localPath_);
}

int Database::execute(const QString& sql, const Params& params) {
  return detail::run(*this, translateAccessSql(sql), params);
}

QVariant Database::scalar(const QString& sql, const Params& params) {
  return detail::firstValue(*this, translateAccessSql(sql), params);
}

std::unique_ptr<Recordset> Database::openRecordset(const QString& tableOrSql, const Params& params) {
  return std::make_unique<Recordset>(shared_from_this(), tableOrSql, params);
}

Transaction Database::transaction() {
  return Transaction(*this);
}

Transaction::Transaction(Database& db) : db_(&db), level_(db.transactionDepth_ + 1) {
  detail::run(db, level_ == 1 ? QStringLiteral("BEGIN IMMEDIATE")
                              : QStringLiteral("SAVEPOINT trivela_%1").arg(level_));
  db.transactionDepth_ = level_;
}

Transaction::Transaction(Transaction&& other) noexcept : db_(other.db_), level_(other.level_) {
  other.db_ = nullptr;
}

Transaction::~Transaction() {
  if (!db_) return;
  try {
    rollback();
  } catch (...) {
    // Nothing may escape a destructor; the connection rolls back on close.
  }
}

void Transaction::commit() {
  if (!db_) throw Error(QStringLiteral("The transaction is no longer active."));
  if (db_->transactionDepth_ != level_) throw Error(QStringLiteral("An inner transaction is still open."));
  detail::run(*db_,
              level_ == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE trivela_%1").arg(level_));
  db_->transactionDepth_ = level_ - 1;
  db_ = nullptr;
}

void Transaction::rollback() {
  if (!db_) throw Error(QStringLiteral("The transaction is no longer active."));
  Database* db = db_;
  db_ = nullptr;
  db->transactionDepth_ = level_ - 1;
  if (level_ == 1) {
    if (sqlite3_get_autocommit(db->handle())) return;  // already rolled back by SQLite
    detail::run(*db, QStringLiteral("ROLLBACK"));
  } else {
    detail::run(*db, QStringLiteral("ROLLBACK TO trivela_%1").arg(level_));
    detail::run(*db, QStringLiteral("RELEASE trivela_%1").arg(level_));
  }
}

}  // namespace db
