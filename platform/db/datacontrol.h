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
//
// Two steps of the window's own take part:
//  - validate runs before the bound values would be written back on leaving
//    a row (a move, find, addition or requery of the recordset, a refresh) or
//    at release, whenever there is a row that could be written (also none
//    shown yet, when the bound controls were typed into: see updateRecord). It may keep
//    the recordset where it is (action = DataActionCancel; not at release)
//    and may drop the write (save = false). It runs nowhere else: updateRecord()
//    writes without asking.
//  - rowShown runs after a row has been shown in the bound controls, once
//    their change steps have all run (at open, after every move).
// Either may run any code of the window, which may refresh, move or close this
// control: what the control holds is checked again after each of them, and a
// recordset it lets go while one of its steps is on the stack lives on until
// the control is next used from the top.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/db/binding.h"
#include "platform/db/database.h"
#include "platform/db/recordset.h"

namespace db {

// What is about to leave the row, as validate is told (the codes are those of
// the windows' data controls).
enum DataAction : int {
  DataActionCancel = 0,
  DataActionMoveFirst = 1,
  DataActionMovePrevious = 2,
  DataActionMoveNext = 3,
  DataActionMoveLast = 4,
  DataActionAddNew = 5,
  DataActionUpdate = 6,
  DataActionDelete = 7,
  DataActionFind = 8,
  DataActionBookmark = 9,
  DataActionClose = 10,
  DataActionUnload = 11,
};

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
  // stored values in the controls it wrote. With no row shown (an empty
  // source, or past either end) the changed fields are added as a new row,
  // which then is the current row; a source that takes no new row throws
  // Error("No current record.") and the controls keep what was typed. No
  // bound control changed, or the current row deleted: nothing is written (a
  // pending edit of the window's own is then left to the recordset, whose
  // next move discards it). Throws Error.
  void updateRecord();

  // Writes back (after validate, see above), then closes; the control is
  // closed even when writing fails (the error is rethrown after closing).
  void release();

  // Shows the current row's values again in every bound control, dropping
  // what was changed in them (rowShown does not run).
  void updateControls();

  // True when a bound control's value differs from the value it was shown.
  bool boundValuesChanged() const;

  // The window's steps (see above).
  std::function<void(int& action, bool& save)> validate;
  std::function<void()> rowShown;

 private:
  class InUse;
  bool leavingRow(Recordset& rs, Recordset::Leave why) override;
  void arrivedRow(Recordset& rs) override;
  // Asks validate and writes back; false when the row is to be kept.
  bool validateAndWrite(int action, bool mayCancel);
  void write();
  // Runs a step of the recordset's without telling this control: no row is
  // written back before it and none shown after it.
  void quietly(Recordset& rs, const std::function<void()>& step);
  // Shows the row in the bound controls; false when a nested show took over
  // or the recordset went meanwhile.
  bool showRow();
  void showRowAndTell();
  // Lets the recordset go: at once, or, while one of its steps may be on the
  // stack, at the next use of the control from the top.
  void letGo();

  QString databaseName_;
  QString recordSource_;
  Params params_;
  std::shared_ptr<Database> db_;
  std::unique_ptr<Recordset> rs_;
  std::vector<FieldBinding*> bindings_;
  unsigned showGeneration_ = 0;  // counts the shows of a row, nested ones included
  int depth_ = 0;                // steps of this control on the stack
  std::vector<std::unique_ptr<Recordset>> retired_;
};

}  // namespace db
