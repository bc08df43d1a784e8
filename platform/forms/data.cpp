#include "platform/forms/data.h"

namespace forms {

Data::Data(Form* form, const char* name, int index) : Control(form, name, index) {}

QString Data::DatabaseName() const {
  touch();
  return d_.databaseName;
}

void Data::setDatabaseName(const QString& path) {
  touch();
  d_.databaseName = path;
}

QString Data::RecordSource() const {
  touch();
  return d_.recordSource;
}

void Data::setRecordSource(const QString& tableOrSql, const db::Params& params) {
  touch();
  d_.recordSource = tableOrSql;
  d_.params = params;
}

QString Data::Connect() const {
  touch();
  return d_.connect;
}

void Data::setConnect(const QString& connect) {
  touch();
  d_.connect = connect;
}

void Data::Refresh() {
  touch();
  refreshed_ = true;
  control_.setDatabaseName(d_.databaseName);
  control_.setRecordSource(d_.recordSource, d_.params);
  control_.refresh();
}

db::Recordset& Data::Recordset() {
  touch();
  return control_.recordset();
}

db::Database& Data::Database() {
  touch();
  return control_.database();
}

void Data::UpdateRecord() {
  touch();
  control_.updateRecord();
}

void Data::formLoaded() {
  // A data control the load step did not refresh opens with its source.
  if (refreshed_ || d_.databaseName.isEmpty() || d_.recordSource.isEmpty()) return;
  Refresh();
}

void Data::formUnloading() {
  control_.release();
}

}  // namespace forms
