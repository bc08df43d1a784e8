// The data control of a window (`datOrders`, `DatSet`, ...): a database file
// and a record source, one current row, and the controls bound to its fields.
//
// refresh() opens the file and the source, stands on the first row and shows
// it in the bound controls. Every move of its recordset (through the data
// control's recordset(), find included) first writes back the bound controls
// that report a change into the row being left, and then shows the row
// arrived at (nothing, shown as empty, at BOF/EOF). Only changed fields are
// written (an UPDATE of just those columns of the current row), so two windows
// bound to the one row of `tbSet` each write only their own fields.
//
// The window calls release() when it unloads, before its controls go: the
// changed fields are written and the file is closed.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "platform/db/binding.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

namespace db {

class DataControl : private Recordset::Observer {
 public:
  DataControl();
  ~DataControl();  // closes without writing back: call release() first
  DataControl(const DataControl&) = delete;
  DataControl& operator=(const DataControl&) = delete;

  // Take effect at the next refresh(). The path may be a Windows path.
  void setDatabaseName(const QString& path);
  QString databaseName() const { return databaseName_; }
  // A table name or an Access-dialect query; `params` are bound to its `?`.
  void setRecordSource(const QString& tableOrSql, const Params& params = {});
  QString recordSource() const { return recordSource_; }

  // Writes back the changed bound fields of the current row (when open), then
  // (re)opens the file and the source, moves to the first row and shows it.
  // Throws Error; the control is then closed.
  void refresh();

  bool isOpen() const { return rs_ != nullptr; }
  // The open recordset; throws Error when the control is not open.
  Recordset& recordset();
  // The open database; throws Error when the control is not open.
  Database& database();

  // A bound control. When the control is open the current row is shown at
  // once. The binding must be removed (or release() called) before it dies.
  void addBinding(FieldBinding* binding);
  void removeBinding(FieldBinding* binding);

  // Writes the changed bound fields into the current row (or, when the window
  // has an edit or addition pending, into it, and stores it) and shows the
  // stored values in the controls it wrote. No bound control changed, or no
  // current row: nothing is written (a pending edit of the window's own is
  // then left to the recordset, whose next move discards it). Throws Error.
  void updateRecord();

  // updateRecord(), then closes; the control is closed even when writing
  // fails (the error is rethrown after closing).
  void release();

 private:
  void leavingRow(Recordset& rs) override;
  void arrivedRow(Recordset& rs) override;
  void showRow();

  QString databaseName_;
  QString recordSource_;
  Params params_;
  std::shared_ptr<Database> db_;
  std::unique_ptr<Recordset> rs_;
  std::vector<FieldBinding*> bindings_;
  unsigned showGeneration_ = 0;  // counts the shows of a row, nested ones included
};

}  // namespace db
