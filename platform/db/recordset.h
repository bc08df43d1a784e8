// The rows of a table or query, with a current row, as the windows use them.
//
// A recordset reads its rows when it opens (and at requery()), so it holds no
// lock on the file between calls. A recordset on one table reads only the
// keys of its rows then, in its order, and each row's values the first time
// they are asked for (a block of rows at a time), as an Access dynaset does:
// opening a table of many thousand tickets to find one stays quick. A row
// another station deleted before its values were read shows no values. It stands on one row at a time; BOF
// and EOF are the positions before the first and after the last row. On an updatable recordset (a table, or
// "SELECT * FROM <table> ..."), edit()/addNew(), setField() and update() write the row, and only the fields
// that were set: two windows that hold the same row each write their own fields.
//
// Automatic numbers: a table's INTEGER PRIMARY KEY AUTOINCREMENT column is its
// automatic number. addNew() draws the number at once (reserved in the file, so
// another station never draws the same one) and field() shows it during the
// addition, as Access does; a cancelled addition leaves its number unused.
// Column defaults show during the addition too; fields that are not set keep
// the column default when the row is stored.
//
// Null versus empty: a Null field reads as a null QVariant; an empty text reads
// as an empty, valid QString. An empty text written into a numeric column
// stores Null.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

#include "platform/db/database.h"

namespace db {

enum class EditMode { None, Edit, AddNew };

class Recordset {
 public:
  // What is about to leave the current row.
  enum class Leave { MoveFirst, MovePrevious, MoveNext, MoveLast, Position, Find, AddNew, Requery };

  // Told about moves, so that a data control can write back its bound
  // controls before the row is left and show the row it arrives at. When
  // leavingRow() returns false the recordset stays where it is and the step
  // that would have left the row does nothing.
  class Observer {
   public:
    virtual bool leavingRow(Recordset& rs, Leave why) = 0;
    virtual void arrivedRow(Recordset& rs) = 0;

   protected:
    ~Observer() = default;
  };

  Recordset(std::shared_ptr<Database> db, const QString& tableOrSql, const Params& params);
  ~Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  // Position. Both are true on an empty recordset.
  bool eof() const;
  bool bof() const;
  bool hasCurrentRow() const;   // neither BOF/EOF nor a deleted row (an addition counts)
  bool currentDeleted() const;  // the current row was deleted; move to leave it

  // Moves. moveFirst()/moveLast() on an empty recordset, moveNext() at EOF and
  // movePrevious() at BOF throw Error("No current record."). A pending edit or
  // addition is discarded by a move, as in Access; a data control first
  // stores what its bound controls changed (see DataControl).
  void moveFirst();
  void moveNext();
  void movePrevious();
  void moveLast();
  int recordCount() const;
  // 0-based position of the current row; -1 at BOF/EOF or during an addition.
  int absolutePosition() const;
  // The rowid of the current stored row; 0 at BOF/EOF, on a deleted row and
  // during an addition (which has no row in the file yet).
  qint64 currentRowId() const;
  void setAbsolutePosition(int position);

  // Fields of the current row (or of the edit buffer), by name without regard
  // to case. Unknown names and reading with no current row throw Error.
  QStringList fieldNames() const { return names_; }
  int fieldCount() const { return names_.size(); }
  bool hasField(const QString& name) const;
  // True when the table declares the field with a numeric type (INTEGER,
  // REAL, NUMERIC, ...), so that it holds numbers; false on a query.
  bool numericField(const QString& name) const;
  QVariant field(const QString& name) const;
  // A value of any row by position, without moving (for grids).
  QVariant valueAt(int position, int column) const;

  // Editing. setField() needs edit() or addNew() first.
  bool updatable() const { return !table_.isEmpty(); }
  QString tableName() const { return table_; }
  EditMode editMode() const { return mode_; }
  void addNew();
  void edit();
  void setField(const QString& name, const QVariant& value);
  // Stores the edit or addition. After an addition the new row, read back from
  // the file, is the current row (appended at the end of the recordset).
  void update();
  void cancelUpdate();
  // Deletes the current row from the file. The row stays current, marked
  // deleted, until the next move; moveNext() goes to the row after it.
  void deleteRecord();

  // Finds the first (next after the current) row matching criteria in the
  // Access dialect, with `?` parameters: findFirst("Inv = ?", {number}).
  // Found: the row becomes current. Not found: noMatch() and the current row
  // stays. Needs an updatable recordset.
  void findFirst(const QString& criteria, const Params& params = {});
  void findNext(const QString& criteria, const Params& params = {});
  bool noMatch() const { return noMatch_; }

  // Reads the rows again and stands on the first.
  void requery();

  QString source() const { return source_; }
  Database& database() const { return *db_; }
  void setObserver(Observer* observer) { observer_ = observer; }

 private:
  struct Row {
    qint64 rowid = 0;
    std::vector<QVariant> values;
    bool read = true;  // false: only the key is known yet
  };
  struct Column {
    QString name;
    bool numeric = false;
    bool autoNumber = false;
    QString defaultSql;  // the column's DEFAULT expression, empty when none
  };

  void load();
  void readTableInfo();
  int columnIndex(const QString& name) const;  // throws for unknown names
  Row readRow(qint64 rowid) const;
  // The row at `position` with its values, reading them (with the unread
  // rows after it, a block at a time) when they have not been read.
  const Row& rowAt(int position) const;
  qint64 reserveAutoNumber();
  void moveTo(int position, Leave why);
  void find(const QString& criteria, const Params& params, int from);
  void requireCurrent() const;

  std::shared_ptr<Database> db_;
  QString source_;  // as given
  Params params_;
  QString selectSql_;  // the SQLite query that reads the rows
  QString keySql_;     // on one table: the query that reads only their keys, in order
  QString table_;      // the one table of an updatable recordset
  QStringList names_;
  QHash<QString, int> index_;  // lower-case name -> column
  std::vector<Column> columns_;
  mutable std::vector<Row> rows_;  // values are read on first use
  int pos_ = -1;                   // -1 = BOF, rows_.size() = EOF
  bool deleted_ = false;
  EditMode mode_ = EditMode::None;
  Row buffer_;
  QSet<int> dirty_;
  int posBeforeAdd_ = -1;
  bool noMatch_ = false;
  Observer* observer_ = nullptr;
};

}  // namespace db
