// The menu editor: one menu table of BakHS.mdb at a time in an editable grid.
// The fourteen category buttons wear the category faces the sales window
// shows (captions or pictures by the menu mode), the fifteenth opens the
// notes table. The grid stores changed cells, new rows and deleted rows
// straight into the chosen table.
#pragma once

#include <QString>
#include <array>

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/dbgrid.h"
#include "platform/forms/form.h"

namespace reports {

class frmSetMenu : public forms::Form {
 public:
  frmSetMenu();

  forms::Label lblOn{this, "lblOn"};
  forms::TextBox txtSprice{this, "txtSprice"};
  forms::TextBox txtMprice{this, "txtMprice"};
  forms::TextBox txtPrice{this, "txtPrice"};
  forms::TextBox txtLprice{this, "txtLprice"};

  forms::Data datList{this, "datList"};
  forms::Data datMain{this, "datMain"};
  forms::Data datSize{this, "datSize"};
  forms::DBGrid dbList{this, "dbList"};

  forms::CommandButton cmdDrink{this, "cmdDrink"};
  forms::CommandButton cmdApter{this, "cmdApter"};
  forms::CommandButton cmdFriedRice{this, "cmdFriedRice"};
  forms::CommandButton cmdLoMein{this, "cmdLoMein"};
  forms::CommandButton cmdVDishes{this, "cmdVDishes"};
  forms::CommandButton cmdVegetables{this, "cmdVegetables"};
  forms::CommandButton cmdPoultry{this, "cmdPoultry"};
  forms::CommandButton cmdBeef{this, "cmdBeef"};
  forms::CommandButton cmdSeafood{this, "cmdSeafood"};
  forms::CommandButton cmdSoup{this, "cmdSoup"};
  forms::CommandButton cmdPork{this, "cmdPork"};
  forms::CommandButton cmdLamb{this, "cmdLamb"};
  forms::CommandButton cmdLunch{this, "cmdLunch"};
  forms::CommandButton cmdDiner{this, "cmdDiner"};
  forms::CommandButton cmdSp{this, "cmdSp"};

  forms::Image imgRDS{this, "imgRDS"};
  forms::CommandButton cmdClose{this, "cmdClose"};

  // The button of a category slot 0 to 13.
  forms::CommandButton& categoryButton(int slot) const { return *buttons_[size_t(slot)]; }

 protected:
  void Form_Load() override;

 private:
  // Every table button: its caption into lblOn, its table into the grid.
  void Table_Click(forms::CommandButton& button, const QString& table);
  void imgRDS_Click();
  void cmdClose_Click();

  std::array<forms::CommandButton*, 14> buttons_;
};

frmSetMenu& SetMenu();

}  // namespace reports
