// The data control as a control of its form (`DatSet`, `datOrders`, ...).
//
// It wraps a db::DataControl. The controls whose DataSource is this control
// bind to it when the form loads. After Form_Load has run, a data control
// that has a database name and a record source, and that the load step did
// not refresh itself, opens itself (a refresh that failed in the load step is
// not tried again, so its failure is reported once). When the form unloads it is released: the changed
// bound values are written into the row and the file is closed.
//
// Made visible, it shows its navigation bar: first, previous, its Caption,
// next, last. Next on the last row and previous on the first stay there.
//
// Its events, each run as a handler of the form:
//  - Reposition: another row has become the current one (also the first row
//    after opening), raised once the bound controls show it and their change
//    steps have run;
//  - Validate(Action, Save): the bound values are about to be written back
//    because the row is left (Action: vbDataActionMoveNext, ...Find,
//    ...AddNew, ...) or the form unloads (vbDataActionUnload). Setting
//    Action = vbDataActionCancel keeps the row (not at unload); Save = false
//    drops the write. Save comes in true when a bound value was changed.
//    UpdateRecord writes without it.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "platform/db/datacontrol.h"
#include "platform/forms/control.h"

namespace forms {

constexpr int vbDataActionCancel = db::DataActionCancel;
constexpr int vbDataActionMoveFirst = db::DataActionMoveFirst;
constexpr int vbDataActionMovePrevious = db::DataActionMovePrevious;
constexpr int vbDataActionMoveNext = db::DataActionMoveNext;
constexpr int vbDataActionMoveLast = db::DataActionMoveLast;
constexpr int vbDataActionAddNew = db::DataActionAddNew;
constexpr int vbDataActionFind = db::DataActionFind;
constexpr int vbDataActionBookmark = db::DataActionBookmark;
constexpr int vbDataActionClose = db::DataActionClose;
constexpr int vbDataActionUnload = db::DataActionUnload;

// A control that shows the rows of a data control, such as a data-bound
// grid. The data control tells it when its rows or its current row may have
// changed, and asks it to store an edit it still holds before the rows are
// read again or the file is closed.
class DataClient {
 public:
  // The rows may have changed (reopened is true after a refresh, also a
  // failed one, and at closing) or another row became current.
  virtual void dataChanged(bool reopened) = 0;
  // Stores the edit the client holds, if any; it reports a failure itself.
  virtual void storePendingEdit() = 0;

 protected:
  ~DataClient() = default;
};

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
  // Shows the current row's stored values again in the bound controls,
  // dropping what was changed in them.
  void UpdateControls();
  // True when a bound control's value differs from the row it was shown.
  bool BoundValuesChanged() const { return control_.boundValuesChanged(); }
  bool IsOpen() const { return control_.isOpen(); }

  db::DataControl& control() { return control_; }

  // The controls showing this data control's rows (see DataClient). A
  // client must remove itself before it goes.
  void addClient(DataClient* client);
  void removeClient(DataClient* client);

  std::function<void()> onReposition;
  std::function<void(int& Action, bool& Save)> onValidate;

  // The buttons of the navigation bar, as the clerk presses them.
  enum class Button { First, Previous, Next, Last };
  void navigate(Button button);

 protected:
  QWidget* createWidget(QWidget* parent) override;
  void pushText() override;
  void saveDesign() override { dDesign_ = d_; }
  void restoreDesign() override {
    d_ = dDesign_;
    refreshed_ = false;
  }
  void formLoaded() override;
  void formUnloading() override;

 private:
  void tellClients(bool reopened);
  void askClientsToStore();

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
  std::vector<DataClient*> clients_;
};

}  // namespace forms
