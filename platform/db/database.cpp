#include "platform/db/database.h"

#include <sqlite3.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "platform/convert/error.h"
#include "platform/convert/number.h"
#include "platform/convert/text.h"
#include "platform/db/accesssql.h"
#include "platform/db/openfiles.h"
#include "platform/db/recordset.h"
#include "platform/db/statement.h"
#include "platform/files/paths.h"

namespace db {

Error::Error(const QString& message, Kind kind) : std::runtime_error(message.toStdString()), kind_(kind) {}

namespace {

int g_busyTimeout = 5000;

QString textOf(sqlite3_value* v) {
  const char* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
  return QString::fromUtf8(p, sqlite3_value_bytes(v));
}

// AMT(x): the amount an amount text stands for. Numbers pass through, Null
// stays Null.
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
    default: {
      std::int64_t raw = 0;
      const char* bytes = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
      if (quickAmount(bytes, sqlite3_value_bytes(argv[0]), &raw))
        sqlite3_result_double(ctx, double(raw) / 10000.0);
      else
        sqlite3_result_double(ctx, amountValue(textOf(argv[0])));
    }
  }
}

// AMTSUM(x), what Sum(x) becomes: the amounts of the rows added up in fixed
// point with four decimals, so that ten "0.10" make exactly 1. Rows without a
// value add nothing; with none at all the sum is Null, as in Access. The
// result is the exact sum as a number (exact as a double up to some hundred
// billion).
struct AmountSum {
  std::int64_t raw = 0;
  bool any = false;
};

void amountSumStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
  auto* sum = static_cast<AmountSum*>(sqlite3_aggregate_context(ctx, sizeof(AmountSum)));
  if (sum == nullptr) {
    sqlite3_result_error_nomem(ctx);
    return;
  }
  sqlite3_value* v = argv[0];
  try {
    rt::Currency amount;
    switch (sqlite3_value_type(v)) {
      case SQLITE_NULL:
        return;
      case SQLITE_INTEGER:
        amount = rt::CCur(double(sqlite3_value_int64(v)));
        break;
      case SQLITE_FLOAT:
        amount = rt::CCur(sqlite3_value_double(v));
        break;
      default: {
        std::int64_t raw = 0;
        const char* bytes = reinterpret_cast<const char*>(sqlite3_value_text(v));
        amount = quickAmount(bytes, sqlite3_value_bytes(v), &raw) ? rt::Currency::fromRaw(raw)
                                                                  : amountCurrency(textOf(v));
      }
    }
    rt::Currency total = rt::Currency::fromRaw(sum->raw);
    total += amount;
    sum->raw = total.raw();
    sum->any = true;
  } catch (const rt::ConversionError&) {
    sqlite3_result_error(ctx, "Overflow", -1);
  }
}

void amountSumFinal(sqlite3_context* ctx) {
  auto* sum = static_cast<AmountSum*>(sqlite3_aggregate_context(ctx, 0));
  if (sum == nullptr || !sum->any) {
    sqlite3_result_null(ctx);
    return;
  }
  sqlite3_result_double(ctx, double(sum->raw) / 10000.0);
}

// ACCESS_CONCAT(a, b, ...): Access's "a & b". Null counts as an empty text;
// only when every part is Null is the result Null.
void concatFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  QByteArray joined;
  bool any = false;
  for (int k = 0; k < argc; ++k) {
    if (sqlite3_value_type(argv[k]) == SQLITE_NULL) continue;
    any = true;
    joined.append(reinterpret_cast<const char*>(sqlite3_value_text(argv[k])), sqlite3_value_bytes(argv[k]));
  }
  if (!any) {
    sqlite3_result_null(ctx);
    return;
  }
  sqlite3_result_text(ctx, joined.constData(), int(joined.size()), SQLITE_TRANSIENT);
}

// like(pattern, value): SQLite calls this for "value LIKE pattern". The
// pattern follows the runtime's Like rules, with letter case ignored as the
// Access engine does.
void likeFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  // "*" takes every value: the All report asks it of every ticket.
  if (sqlite3_value_bytes(argv[0]) == 1 && *sqlite3_value_text(argv[0]) == '*') {
    sqlite3_result_int(ctx, 1);
    return;
  }
  sqlite3_result_int(ctx, rt::Like(textOf(argv[1]), textOf(argv[0]), Qt::CaseInsensitive) ? 1 : 0);
}

// A database file as the messages name it: once, by the name the station
// gives it ("C:\Program Files\Dovrel POS 4\BakHS.mdb" in quotes), never also
// by the local file that name maps to.
QString named(const QString& path) {
  return QStringLiteral("\"%1\"").arg(path);
}

// The first bytes of an Access database: a page header, then the engine name.
bool isAccessFile(const QString& localPath) {
  QFile f(localPath);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray head = f.read(32);
  return head.mid(4, 15) == "Standard Jet DB" || head.mid(4, 15) == "Standard ACE DB";
}

// Sets up a connection the way every station needs it (see database.h) and
// reads the schema, which tells a database from any other file. Throws Error
// naming the file.
void setUpConnection(sqlite3* handle, const QString& local, const QString& name) {
  sqlite3_busy_timeout(handle, g_busyTimeout);  // other stations on the shared folder
  sqlite3_db_config(handle, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  sqlite3_db_config(handle, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  sqlite3_extended_result_codes(handle, 1);

  if (sqlite3_exec(handle, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
    const int code = sqlite3_errcode(handle) & 0xff;
    if (code == SQLITE_NOTADB) {
      throw Error(QStringLiteral("The file %1 is not a database.").arg(name), Error::Kind::NotADatabase);
    }
    if (code == SQLITE_CORRUPT)
      throw Error(QStringLiteral("The database file %1 is damaged.").arg(name), Error::Kind::Damaged);
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
      // Another station held its write lock past the wait.
      throw Error(QStringLiteral("Cannot read %1: another station is using the file.")
                      .arg(QFileInfo(local).fileName()),
                  Error::Kind::Busy);
    }
    throw Error(QStringLiteral("The database file %1 cannot be read: %2.")
                    .arg(name, QString::fromUtf8(sqlite3_errmsg(handle))));
  }
  // Rollback journal, not WAL: WAL needs shared memory, which a network share
  // does not give. Every commit reaches the disk before it returns. A page
  // cache of up to 32 MiB keeps a year of tickets in memory between the
  // report's runs (it fills only as pages are read, and another station's
  // write empties it).
  for (const char* pragma :
       {"PRAGMA journal_mode=DELETE", "PRAGMA synchronous=FULL", "PRAGMA cache_size=-32768"}) {
    if (sqlite3_exec(handle, pragma, nullptr, nullptr, nullptr) != SQLITE_OK) {
      throw Error(QStringLiteral("The database file %1 cannot be set up: %2.")
                      .arg(name, QString::fromUtf8(sqlite3_errmsg(handle))));
    }
  }
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  if (sqlite3_create_function(handle, "AMT", 1, flags, nullptr, amtFunction, nullptr, nullptr) != SQLITE_OK ||
      sqlite3_create_function(handle, "AMTSUM", 1, flags, nullptr, nullptr, amountSumStep, amountSumFinal) !=
          SQLITE_OK ||
      sqlite3_create_function(handle, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr) !=
          SQLITE_OK ||
      sqlite3_create_function(handle, "ACCESS_CONCAT", -1, flags, nullptr, concatFunction, nullptr,
                              nullptr) != SQLITE_OK) {
    throw Error(QStringLiteral("The database file %1 cannot be set up: %2.")
                    .arg(name, QString::fromUtf8(sqlite3_errmsg(handle))));
  }
}

}  // namespace

void setBusyTimeout(int milliseconds) {
  g_busyTimeout = milliseconds;
}

int busyTimeout() {
  return g_busyTimeout;
}

void ConnectionCloser::operator()(sqlite3* handle) const {
  sqlite3_close_v2(handle);
}

std::shared_ptr<Database> Database::open(const QString& path) {
  const QString local = QString::fromStdString(files::localPath(path.toStdString()));
  auto db = std::make_shared<Database>(Key{}, path, local);
  const QString name = db->describe();

  const QFileInfo info(local);
  if (path.trimmed().isEmpty()) throw Error(QStringLiteral("No database file was named."));
  if (!info.exists()) throw Error(QStringLiteral("The database file %1 was not found.").arg(name));
  if (!info.isFile()) throw Error(QStringLiteral("The database file %1 is not a file.").arg(name));
  // SQLite takes an empty file for an empty database; here it is a file whose
  // content was lost, and every table would be missing.
  if (info.size() == 0) {
    throw Error(QStringLiteral("The database file %1 is empty: it is not a database.").arg(name),
                Error::Kind::NotADatabase);
  }
  if (isAccessFile(local)) {
    throw Error(QStringLiteral("The database file %1 is a Microsoft Access (Jet) database. This program "
                               "reads SQLite databases only; replace it with the SQLite file of that name.")
                    .arg(name));
  }

  sqlite3* handle = nullptr;
  const int rc = sqlite3_open_v2(local.toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE, nullptr);
  db->db_.reset(handle);
  if (handle != nullptr) detail::noteOpened(db.get(), local);
  if (rc != SQLITE_OK) {
    const QString why = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QStringLiteral("out of memory");
    throw Error(QStringLiteral("The database file %1 cannot be opened: %2.").arg(name, why));
  }
  setUpConnection(handle, local, name);
  return db;
}

Database::Database(Key, const QString& path, const QString& localPath) : path_(path), localPath_(localPath) {}

void Database::reopenIfWritable() {
  if (sqlite3_db_readonly(handle(), "main") != 1 || inTransaction()) return;
  const QByteArray file = localPath_.toUtf8();
  if (::access(file.constData(), W_OK) != 0) return;  // still read-only: the write says so
  sqlite3* fresh = nullptr;
  const int rc = sqlite3_open_v2(file.constData(), &fresh, SQLITE_OPEN_READWRITE, nullptr);
  std::unique_ptr<sqlite3, ConnectionCloser> reopened(fresh);
  if (rc != SQLITE_OK || sqlite3_db_readonly(fresh, "main") != 0) return;
  try {
    setUpConnection(fresh, localPath_, describe());
  } catch (const Error&) {
    return;  // the write goes to the connection held, and says what is wrong
  }
  db_ = std::move(reopened);
}

Database::~Database() {
  detail::noteClosed(this);
}

QString Database::describe() const {
  return named(path_);
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

bool Database::inTransaction() const {
  return sqlite3_get_autocommit(handle()) == 0;
}

Transaction::Transaction(Database& db) : db_(&db), id_(++db.nextTransaction_), outer_(!db.inTransaction()) {
  if (outer_) db.open_.clear();  // whatever the list says, SQLite has none open
  detail::run(db,
              outer_ ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT trivela_%1").arg(id_));
  db.open_.push_back(id_);
}

Transaction::Transaction(Transaction&& other) noexcept
    : db_(other.db_), id_(other.id_), outer_(other.outer_) {
  other.db_ = nullptr;
}

Transaction::~Transaction() {
  if (!active()) return;
  try {
    rollback();
  } catch (...) {
    // Nothing may escape a destructor; the connection rolls back on close.
  }
}

bool Transaction::stillOpen() const {
  if (!db_ || !db_->inTransaction()) return false;
  const std::vector<int>& open = db_->open_;
  return std::find(open.begin(), open.end(), id_) != open.end();
}

bool Transaction::active() const {
  return stillOpen();
}

void Transaction::commit() {
  if (!stillOpen()) {
    db_ = nullptr;
    throw Error(QStringLiteral("The transaction is no longer active."));
  }
  if (db_->open_.back() != id_) throw Error(QStringLiteral("An inner transaction is still open."));
  detail::run(*db_, outer_ ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE trivela_%1").arg(id_));
  db_->open_.pop_back();
  db_ = nullptr;
}

void Transaction::rollback() {
  if (!stillOpen()) {
    db_ = nullptr;
    throw Error(QStringLiteral("The transaction is no longer active."));
  }
  Database* db = db_;
  db_ = nullptr;
  std::vector<int>& open = db->open_;
  // This one and every transaction opened inside it end here.
  open.erase(std::find(open.begin(), open.end(), id_), open.end());
  if (outer_) {
    open.clear();
    detail::run(*db, QStringLiteral("ROLLBACK"));
  } else {
    detail::run(*db, QStringLiteral("ROLLBACK TO trivela_%1").arg(id_));
    detail::run(*db, QStringLiteral("RELEASE trivela_%1").arg(id_));
  }
}

namespace {

// Runs a backup from one connection into another, whole, under the target's
// busy wait.
void backupInto(Database& target, Database& source) {
  sqlite3_backup* backup = sqlite3_backup_init(target.handle(), "main", source.handle(), "main");
  if (backup == nullptr) {
    throw Error(QStringLiteral("The database file %1 cannot be replaced: %2.")
                    .arg(target.describe(), QString::fromUtf8(sqlite3_errmsg(target.handle()))));
  }
  const int stepped = sqlite3_backup_step(backup, -1);
  const int finished = sqlite3_backup_finish(backup);
  const int rc = stepped == SQLITE_DONE ? finished : stepped;
  if (rc == SQLITE_OK || rc == SQLITE_DONE) return;
  if (std::optional<Error> told = detail::accessFailure(target, rc, true)) throw *told;
  throw Error(QStringLiteral("The database file %1 cannot be replaced: %2.")
                  .arg(target.describe(), QString::fromUtf8(sqlite3_errstr(rc))));
}

}  // namespace

void copyDatabase(const QString& from, const QString& to) {
  std::shared_ptr<Database> source = Database::open(from);
  const std::string target = files::localPath(to.toStdString());
  if (!files::fileExists(target)) {
    std::string why;
    if (!files::copyFile(source->localPath().toStdString(), target, false, &why)) {
      throw Error(QStringLiteral("The database file %1 cannot be created: %2.")
                      .arg(named(to), QString::fromStdString(why)));
    }
    return;
  }
  std::shared_ptr<Database> into;
  try {
    into = Database::open(to);
  } catch (const Error& e) {
    if (e.kind() != Error::Kind::NotADatabase) throw;
  }
  if (!into) {
    // No connection can be using a file that is no database: it is replaced
    // like any other file.
    std::string why;
    if (!files::copyFile(source->localPath().toStdString(), target, true, &why)) {
      throw Error(QStringLiteral("The database file %1 cannot be replaced: %2.")
                      .arg(named(to), QString::fromStdString(why)));
    }
    return;
  }
  backupInto(*into, *source);
}

}  // namespace db
