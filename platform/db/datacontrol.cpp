#include "platform/db/datacontrol.h"

#include <algorithm>
#include <exception>

namespace db {

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

void DataControl::refresh() {
  try {
    if (rs_) updateRecord();  // what the user changed in the row is kept
    if (rs_) rs_->setObserver(nullptr);
    rs_.reset();
    if (databaseName_.trimmed().isEmpty()) throw Error(QStringLiteral("The data control has no database."));
    if (recordSource_.trimmed().isEmpty())
      throw Error(QStringLiteral("The data control has no record source."));
    if (!db_ || db_->path() != databaseName_) {
      db_.reset();
      db_ = Database::open(databaseName_);
    }
    rs_ = db_->openRecordset(recordSource_, params_);
  } catch (...) {
    if (rs_) rs_->setObserver(nullptr);
    rs_.reset();
    throw;
  }
  rs_->setObserver(this);
  showRow();
}

void DataControl::addBinding(FieldBinding* binding) {
  if (!binding || std::find(bindings_.begin(), bindings_.end(), binding) != bindings_.end()) return;
  bindings_.push_back(binding);
  if (rs_) {
    const QString name = binding->dataField();
    binding->showFieldValue(rs_->hasCurrentRow() && rs_->hasField(name) ? rs_->field(name) : QVariant());
  }
}

void DataControl::removeBinding(FieldBinding* binding) {
  bindings_.erase(std::remove(bindings_.begin(), bindings_.end(), binding), bindings_.end());
}

void DataControl::showRow() {
  if (!rs_) return;
  // Showing a value runs the box's change step, which may refresh or move
  // this control (and so show a row itself) or close it. After each one the
  // loop looks again, and stops when the recordset is gone or replaced or a
  // nested show has taken over.
  const Recordset* showing = rs_.get();
  const unsigned generation = ++showGeneration_;
  const std::vector<FieldBinding*> bindings = bindings_;
  for (FieldBinding* b : bindings) {
    if (rs_.get() != showing || showGeneration_ != generation) return;
    if (std::find(bindings_.begin(), bindings_.end(), b) == bindings_.end()) continue;
    const QString name = b->dataField();
    b->showFieldValue(rs_->hasCurrentRow() && rs_->hasField(name) ? rs_->field(name) : QVariant());
  }
}

void DataControl::updateRecord() {
  if (!rs_) return;
  Recordset* const rs = rs_.get();
  const bool pending = rs->editMode() != EditMode::None;
  if (!pending && !rs->hasCurrentRow()) return;

  std::vector<FieldBinding*> changed;
  for (FieldBinding* b : bindings_) {
    if (b->fieldValueChanged()) changed.push_back(b);
  }
  if (changed.empty()) return;

  if (!pending) rs->edit();
  try {
    for (FieldBinding* b : changed) rs->setField(b->dataField(), b->editedFieldValue());
    rs->update();
  } catch (...) {
    if (rs_.get() == rs && !pending && rs->editMode() != EditMode::None) rs->cancelUpdate();
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
  std::exception_ptr failure;
  try {
    updateRecord();
  } catch (...) {
    failure = std::current_exception();
  }
  if (rs_) rs_->setObserver(nullptr);
  rs_.reset();
  db_.reset();
  if (failure) std::rethrow_exception(failure);
}

void DataControl::leavingRow(Recordset&) {
  updateRecord();
}

void DataControl::arrivedRow(Recordset&) {
  showRow();
}

}  // namespace db
