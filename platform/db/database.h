// One SQLite database file, opened under the name the windows give it.
//
// Every database of the program keeps its Access file name ("Ordr.mdb",
// "Duzo98HS.mdb", ...) but is an SQLite 3 file. Database::open() maps the
// Windows path through files::localPath(), refuses a file that is really an
// Access (Jet/ACE) database or not a database at all with a message naming the
// file, and sets up the connection the way every station needs it:
//  - rollback journal (journal_mode=DELETE; the shared-folder mode puts files on
//    a network share, where WAL does not work), synchronous=FULL, a 5 s busy
//    timeout for other stations;
//  - double-quoted string literals switched off, so "x" is always a name;
//  - the SQL function AMT(text) that reads amount texts ("1,234.50", "$5.00")
//    the way the windows do, and the aggregate AMTSUM(text), what Sum()
//    becomes: those amounts added up exactly in fixed point with four
//    decimals (Null when no row has a value);
//  - the SQL function ACCESS_CONCAT(a, b, ...) that Access's "a & b" becomes:
//    Null counts as an empty text, and only all-Null parts give Null;
//  - the LIKE operator replaced by the Access pattern rules (*, ?, #, [list],
//    [!list], letter case ignored), so a pattern works the same whether it is
//    written into the query or bound as a parameter.
//
// All SQL handed to this layer is in the Access dialect the windows write;
// translateAccessSql() (accesssql.h) turns it into SQLite form. Values from
// users or boxes are always bound as parameters (`?` in the text).
#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <stdexcept>
#include <vector>

struct sqlite3;

namespace db {

// A database step that failed. The message says what and, where a file is
// involved, names it. The kind tells the failures a caller may treat apart.
struct Error : std::runtime_error {
  enum class Kind {
    Other,
    Busy,          // another station held the file past the busy wait
    ReadOnly,      // the file or its folder cannot be written
    Full,          // the disk holding the file is full
    QuotaFull,     // the user's disk quota is used up
    NotADatabase,  // the file is empty or holds something other than a database
    Damaged,       // the file is a database whose pages do not read
  };
  explicit Error(const QString& message, Kind kind = Kind::Other);
  QString message() const { return QString::fromUtf8(what()); }
  Kind kind() const { return kind_; }

 private:
  Kind kind_;
};

// How long a connection waits for another station's lock before a step fails
// with Error::Kind::Busy: 5 s unless set. Applies to connections opened
// afterwards (tests shorten it).
void setBusyTimeout(int milliseconds);
int busyTimeout();

// Closes a connection when its owner goes.
struct ConnectionCloser {
  void operator()(sqlite3* handle) const;
};

// Values bound to the `?` of a statement, in order. A null QVariant binds SQL
// NULL; bool binds 1/0; QDate, QTime and QDateTime bind the ISO texts
// "YYYY-MM-DD", "HH:MM:SS" and "YYYY-MM-DD HH:MM:SS".
//
// Yes/No values: every file stores a ticked box or a true switch as 1 and a
// clear one as 0 (the first-install rows do, and a bound check box writes its
// value). bool parameters and the words True and False in queries follow the
// same rule, so a file never mixes 1 and Access's -1; readers count any
// non-zero number as ticked.
using Params = QVariantList;

class Recordset;
class Transaction;

class Database : public std::enable_shared_from_this<Database> {
  struct Key {};

 public:
  // Opens an existing database file; `path` may be a Windows path
  // ("C:\Program Files\Dovrel POS 4\Ordr.mdb") or a local one. A missing file
  // is not created. Throws Error naming the file when it cannot be opened, is
  // an Access (Jet/ACE) file, or is not a database.
  static std::shared_ptr<Database> open(const QString& path);

  Database(Key, const QString& path, const QString& localPath);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // The path as given to open(), and the local file it names.
  QString path() const { return path_; }
  QString localPath() const { return localPath_; }

  // Runs one statement (Access dialect, `?` parameters) and returns the
  // number of rows it changed.
  int execute(const QString& sql, const Params& params = {});

  // First column of the first row of a query; a null QVariant when there is
  // no row or the value is Null.
  QVariant scalar(const QString& sql, const Params& params = {});

  // Opens a recordset on a table ("tbSet", "[tbSet]") or a query ("SELECT *
  // FROM tbSet ORDER BY ID ASC"), standing on its first row. A query of the
  // form "SELECT * FROM <one table> [WHERE ...] [ORDER BY ...]" (and a table)
  // gives an updatable recordset; any other query is read-only.
  std::unique_ptr<Recordset> openRecordset(const QString& tableOrSql, const Params& params = {});

  // Before a write: SQLite opens a file that cannot be written read-only, and
  // the connection stays so. When the file can be written now and no
  // transaction is open, the file is opened again, so that a file made
  // writable is written without reopening the window that holds it. Every
  // statement that writes (transactions included) runs this first.
  void reopenIfWritable();

  // Starts a transaction (a savepoint inside one already open). The guard
  // rolls back unless commit() is called. Writes that belong together (a
  // ticket header and its lines, delete-then-rewrite of lines) go into one.
  Transaction transaction();
  // True while SQLite has a transaction open on this connection.
  bool inTransaction() const;

  // The raw connection, for this layer's own classes.
  sqlite3* handle() const { return db_.get(); }

  // The file named in messages: once, by the path as given to open(), in
  // quotes.
  QString describe() const;

 private:
  friend class Transaction;
  QString path_;
  QString localPath_;
  std::unique_ptr<sqlite3, ConnectionCloser> db_;
  // The transactions of this connection that are open, outermost first. What
  // is open is SQLite's to say: when it has none (it rolled one back after an
  // error, or the outer one ended), this list is stale and is cleared.
  std::vector<int> open_;
  int nextTransaction_ = 0;
};

// A transaction: the outer one takes the write lock at once (BEGIN
// IMMEDIATE), so another station waits before it writes rather than failing
// half-way; one started inside it is a savepoint. Ends must come innermost
// first: committing one that has an inner transaction open is refused.
// Rolling one back also ends every transaction opened inside it, and those
// guards then have nothing left to do.
class Transaction {
 public:
  explicit Transaction(Database& db);
  Transaction(Transaction&& other) noexcept;
  Transaction& operator=(Transaction&&) = delete;
  Transaction(const Transaction&) = delete;
  ~Transaction();  // rolls back when still active; never throws

  void commit();
  void rollback();
  // False once committed or rolled back, also when an outer rollback ended it.
  bool active() const;

 private:
  bool stillOpen() const;
  Database* db_;
  int id_;
  bool outer_;
};

// True when this program holds a connection on the file `path` names (a
// Windows or local path): a data control, a recordset or any other connection
// opened through Database::open(). A file that does not exist is not open.
bool isDatabaseOpen(const QString& path);

// Replaces the content of the database file `to` with that of `from` (both
// Windows or local paths), through SQLite's online backup: the target file
// is written by SQLite under its lock and journal, never replaced on disk, so
// a connection this program holds on it reads the new content and a stale
// journal beside it cannot be played back into the copy. A missing target is
// created as a copy of the source. Throws Error naming the file that failed.
void copyDatabase(const QString& from, const QString& to);

}  // namespace db
