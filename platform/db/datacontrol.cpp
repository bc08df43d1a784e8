#include "platform/db/datacontrol.h"

#include <algorithm>
#include <exception>

namespace db {

namespace {

int actionOf(Recordset::Leave why) {
  switch (why) {
    case Recordset::Leave::MoveFirst:
      return DataActionMoveFirst;
    case Recordset::Leave::MovePrevious:
      return DataActionMovePrevious;
    case Recordset::Leave::MoveNext:
      return DataActionMoveNext;
    case Recordset::Leave::MoveLast:
      return DataActionMoveLast;
    case Recordset::Leave::Position:
      return DataActionBookmark;
    case Recordset::Leave::Find:
      return DataActionFind;
    case Recordset::Leave::AddNew:
      return DataActionAddNew;
    case Recordset::Leave::Requery:
      return DataActionClose;
  }
  return DataActionMoveNext;
}

}  // namespace

// Counts a step of the control on the stack. Entered from the top (nothing of
// the control running), it first frees the recordsets let go earlier: none of
// their steps can be running then.
class DataControl::InUse {
 public:
  explicit InUse(DataControl& dc) : dc_(dc) {
    if (dc_.depth_ == 0) dc_.retired_.clear();
    ++dc_.depth_;
  }
  ~InUse() { --dc_.depth_; }
  InUse(const InUse&) = delete;
  InUse& operator=(const InUse&) = delete;

 private:
  DataControl& dc_;
};

DataControl::DataControl() = default;

DataControl::~DataControl() {
  if (rs_) rs_->setObserver(nullptr);
}

void DataControl::setDatabaseName(const QString& path) {
  databaseName_ = path;
}

void DataControl::setRecordSource(const QString& tableOrSql, const Params& params) {
  recordSource_ = tableOrSql;
  params_ = params;
}

Recordset& DataControl::recordset() {
  if (!rs_) throw Error(QStringLiteral("The data control is not open."));
  return *rs_;
}

Database& DataControl::database() {
  if (!rs_ || !db_) throw Error(QStringLiteral("The data control is not open."));
  return *db_;
}

void DataControl::letGo() {
  if (!rs_) return;
  rs_->setObserver(nullptr);
  if (depth_ > 1)
    retired_.push_back(std::move(rs_));
  else
    rs_.reset();
}

void DataControl::refresh() {
  const InUse use(*this);
  try {
    if (rs_) validateAndWrite(DataActionClose, false);  // what the user changed in the row is kept
    letGo();
    if (databaseName_.trimmed().isEmpty()) throw Error(QStringLiteral("The data control has no database."));
    if (recordSource_.trimmed().isEmpty())
      throw Error(QStringLiteral("The data control has no record source."));
    if (!db_ || db_->path() != databaseName_) {
      db_.reset();
      db_ = Database::open(databaseName_);
    }
    rs_ = db_->openRecordset(recordSource_, params_);
  } catch (...) {
    letGo();
    throw;
  }
  rs_->setObserver(this);
  showRowAndTell();
}

void DataControl::addBinding(FieldBinding* binding) {
  if (!binding || std::find(bindings_.begin(), bindings_.end(), binding) != bindings_.end()) return;
  bindings_.push_back(binding);
  if (rs_) {
    const InUse use(*this);
    const QString name = binding->dataField();
    binding->showFieldValue(rs_->hasCurrentRow() && rs_->hasField(name) ? rs_->field(name) : QVariant());
  }
}

void DataControl::removeBinding(FieldBinding* binding) {
  bindings_.erase(std::remove(bindings_.begin(), bindings_.end(), binding), bindings_.end());
}

bool DataControl::showRow() {
  if (!rs_) return false;
  // Showing a value runs the box's change step, which may refresh or move
  // this control (and so show a row itself) or close it. After each one the
  // loop looks again, and stops when the recordset is gone or replaced or a
  // nested show has taken over.
  const Recordset* showing = rs_.get();
  const unsigned generation = ++showGeneration_;
  const std::vector<FieldBinding*> bindings = bindings_;
  for (FieldBinding* b : bindings) {
    if (rs_.get() != showing || showGeneration_ != generation) return false;
    if (std::find(bindings_.begin(), bindings_.end(), b) == bindings_.end()) continue;
    const QString name = b->dataField();
    b->showFieldValue(rs_->hasCurrentRow() && rs_->hasField(name) ? rs_->field(name) : QVariant());
  }
  return rs_.get() == showing && showGeneration_ == generation;
}

void DataControl::showRowAndTell() {
  // Told only when this show ran to its end: a nested show tells for itself.
  if (showRow() && rowShown) rowShown();
}

void DataControl::updateControls() {
  const InUse use(*this);
  showRow();
}

bool DataControl::boundValuesChanged() const {
  return std::any_of(bindings_.begin(), bindings_.end(),
                     [](FieldBinding* b) { return b->fieldValueChanged(); });
}

bool DataControl::validateAndWrite(int action, bool mayCancel) {
  Recordset* const rs = rs_.get();
  if (!rs) return true;
  // No row that could be written: none is shown and nothing was typed to make
  // one, or the row was deleted (its edits go with it).
  if (!rs->hasCurrentRow() && (rs->currentDeleted() || !boundValuesChanged())) return true;
  bool save = boundValuesChanged();
  if (validate) {
    validate(action, save);
    if (rs_.get() != rs) return false;  // the step let the recordset go: it moves no more
    if (mayCancel && action == DataActionCancel) return false;
  }
  if (save) write();
  return rs_.get() == rs;
}

void DataControl::updateRecord() {
  const InUse use(*this);
  write();
}

void DataControl::quietly(Recordset& rs, const std::function<void()>& step) {
  rs.setObserver(nullptr);
  try {
    step();
  } catch (...) {
    rs.setObserver(this);
    throw;
  }
  rs.setObserver(this);
}

void DataControl::write() {
  if (!rs_) return;
  Recordset* const rs = rs_.get();
  const bool pending = rs->editMode() != EditMode::None;
  if (!pending && rs->currentDeleted()) return;  // the row is gone, and its edits with it

  std::vector<FieldBinding*> changed;
  for (FieldBinding* b : bindings_) {
    if (b->fieldValueChanged()) changed.push_back(b);
  }
  if (changed.empty()) return;

  // No row is shown (an empty source, or past either end): what was typed
  // into the empty boxes is a new row. The addition starts without showing
  // its empty row, which would wipe the typing, and without asking to leave
  // a row there is not.
  const bool adding = !pending && !rs->hasCurrentRow();
  if (adding) {
    if (!rs->updatable()) throw Error(QStringLiteral("No current record."));
    quietly(*rs, [rs] { rs->addNew(); });
  } else if (!pending) {
    rs->edit();
  }
  try {
    for (FieldBinding* b : changed) rs->setField(b->dataField(), b->editedFieldValue());
    rs->update();
  } catch (...) {
    if (rs_.get() == rs && !pending && rs->editMode() != EditMode::None) {
      if (adding)
        quietly(*rs, [rs] { rs->cancelUpdate(); });  // the boxes keep what was typed
      else
        rs->cancelUpdate();
    }
    throw;
  }
  // The controls written now show what was stored, which also clears their
  // changed state. Each shown value may run a change step that replaces or
  // closes the recordset: then there is nothing more to show here.
  for (FieldBinding* b : changed) {
    if (rs_.get() != rs) return;
    if (std::find(bindings_.begin(), bindings_.end(), b) == bindings_.end()) continue;
    if (rs->hasCurrentRow()) b->showFieldValue(rs->field(b->dataField()));
  }
}

void DataControl::release() {
  const InUse use(*this);
  std::exception_ptr failure;
  try {
    validateAndWrite(DataActionUnload, false);
  } catch (...) {
    failure = std::current_exception();
  }
  letGo();
  db_.reset();
  if (failure) std::rethrow_exception(failure);
}

bool DataControl::leavingRow(Recordset& rs, Recordset::Leave why) {
  if (&rs != rs_.get()) return true;
  const InUse use(*this);
  return validateAndWrite(actionOf(why), true);
}

void DataControl::arrivedRow(Recordset& rs) {
  if (&rs != rs_.get()) return;
  const InUse use(*this);
  showRowAndTell();
}

}  // namespace db
