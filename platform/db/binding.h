// The link between a data control and the controls bound to its fields.
//
// A data control (db::DataControl) stands on one row of a recordset. Each
// control bound to one of its fields implements FieldBinding: the data
// control pushes the field's value into the control whenever it moves to a
// row or refreshes, and, before it leaves the row or is released, writes back
// the values of the controls that report a change. Only changed fields are
// written, so several windows can bind the same one-row table without
// overwriting each other's fields.
#pragma once

#include <QString>
#include <QVariant>

namespace db {

class FieldBinding {
 public:
  // Name of the bound field (as the window names it, e.g. "SetC" or "900").
  virtual QString dataField() const = 0;

  // The data control moved to a row: show this value. A null QVariant means
  // no current row or a Null field; the control shows it as empty.
  virtual void showFieldValue(const QVariant& value) = 0;

  // The value the control would write back into the field.
  virtual QVariant editedFieldValue() const = 0;

  // True when the control's value changed since the last showFieldValue().
  virtual bool fieldValueChanged() const = 0;

 protected:
  ~FieldBinding() = default;
};

}  // namespace db
