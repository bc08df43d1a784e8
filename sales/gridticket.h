// The sales window's ticket grid as the line rules see it.
#pragma once

#include "platform/forms/flexgrid.h"
#include "sales/ticket.h"

namespace sales {

class GridTicket : public OrderGrid {
 public:
  explicit GridTicket(forms::MSFlexGrid& grid) : g_(grid) {}

  int Rows() const override { return g_.Rows(); }
  void setRows(int rows) override { g_.setRows(rows); }
  QString TextMatrix(int row, int col) const override { return g_.TextMatrix(row, col); }
  void setTextMatrix(int row, int col, const QString& text) override { g_.setTextMatrix(row, col, text); }
  void AddItem(const QString& row) override { g_.AddItem(row); }
  void RemoveItem(int row) override { g_.RemoveItem(row); }
  void Refresh() override { g_.Refresh(); }
  int Row() const override { return g_.Row(); }
  void setRow(int row) override { g_.setRow(row); }
  int Col() const override { return g_.Col(); }
  void setCol(int col) override { g_.setCol(col); }
  QString Text() const override { return g_.Text(); }
  QString Tag() const override { return g_.Tag(); }
  void setTag(const QString& tag) override { g_.setTag(tag); }

 private:
  forms::MSFlexGrid& g_;
};

}  // namespace sales
