// The data control as a control of its form (`DatSet`, `datOrders`, ...).
//
// It wraps a db::DataControl. The controls whose DataSource is this control
// bind to it when the form loads. After Form_Load has run, a data control
// that has a database name and a record source, and that the load step did
// not refresh itself, opens itself (a refresh that failed in the load step is
// not tried again, so its failure is reported once). When the form unloads it is released: the changed
// bound values are written into the row and the file is closed.
#pragma once

#include <QString>

#include "platform/db/datacontrol.h"
#include "platform/forms/control.h"

namespace forms {

class Data : public Control {
 public:
  Data(Form* form, const char* name, int index = -1);

  QString DatabaseName() const;
  void setDatabaseName(const QString& path);
  QString RecordSource() const;
  void setRecordSource(const QString& tableOrSql, const db::Params& params = {});
  // The connection text ("Access 2000;"); kept for the windows that set it.
  QString Connect() const;
  void setConnect(const QString& connect);

  // Opens (again) the file and the source and shows the first row.
  void Refresh();
  db::Recordset& Recordset();
  db::Database& Database();
  // Writes the changed bound values into the current row.
  void UpdateRecord();
  bool IsOpen() const { return control_.isOpen(); }

  db::DataControl& control() { return control_; }

 protected:
  QWidget* createWidget(QWidget*) override { return nullptr; }
  void saveDesign() override { dDesign_ = d_; }
  void restoreDesign() override {
    d_ = dDesign_;
    refreshed_ = false;
  }
  void formLoaded() override;
  void formUnloading() override;

 private:
  struct DataProps {
    QString databaseName;
    QString recordSource;
    db::Params params;  // bound to the `?` of the record source
    QString connect;
  };
  DataProps d_;
  DataProps dDesign_;
  bool refreshed_ = false;  // Refresh() ran since the form loaded
  db::DataControl control_;
};

}  // namespace forms
