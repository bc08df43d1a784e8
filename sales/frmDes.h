// The modifier pad: a borderless modal window on which the clerk composes
// one modifier for the item just rung up, from five word buttons and up to
// 38 add-on buttons (cmd7 to cmd44: caption the add-on's name, tag its price),
// with an optional price and count. Twelve add-on buttons double as a keypad
// for the price and the count: a button acts as its key exactly while its
// caption is its key text.
//
// Enter (cmdClose) writes the modifier into the sales window's ticket:
//   - a priced modifier: a "+" line with the price; the subtotal grows;
//   - an unpriced one in line mode "Default": a "+" line without price;
//   - an unpriced one in line mode "UpLine": the last ticket row joined with
//     the modifier text.
// Each priced add-on adds its price to the pad's price, and a priced
// modifier charges its count times its price. A price that is not an amount
// ("Invalid price") or a count that is not a number ("Invalid quantity") is
// refused and the pad stays open; otherwise Enter unloads the pad, so every
// item starts afresh.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "sales/modifierpad.h"

namespace sales {

class frmDes : public forms::Form {
 public:
  frmDes();

  forms::TextBox txtQty{this, "txtQty"};
  forms::CommandButton cmdQty{this, "cmdQty"};  // lies over txtQty until used
  forms::TextBox txtSpl{this, "txtSpl"};
  forms::TextBox txtPrice{this, "txtPrice"};
  forms::CommandButton cmdLine{this, "cmdLine"};
  forms::CommandButton Command1{this, "Command1"};
  forms::CommandButton Command2{this, "Command2"};
  forms::CommandButton Command3{this, "Command3"};
  forms::CommandButton Command4{this, "Command4"};
  forms::CommandButton Command5{this, "Command5"};
  forms::CommandButton cmdClose{this, "cmdClose"};

  // The add-on button cmdN, N = 7 to 44.
  forms::CommandButton& cmd(int n) const;

  // The ticket row the last "UpLine" took off the grid.
  const SavedRow& savedRow() const { return saved_; }

 protected:
  void Form_Load() override;

 private:
  forms::CommandButton& wordButton(int n);
  void word_Click(int n);  // Command1_Click .. Command5_Click
  void cmd_Click(int n);   // cmd7_Click .. cmd44_Click
  void txtPrice_Click();
  void txtQty_Click();
  void cmdQty_Click();
  void txtSpl_Click();
  void cmdLine_Click();
  void cmdClose_Click();
  void showKeypad();

  std::vector<std::unique_ptr<forms::CommandButton>> addOns_;  // cmd7 .. cmd44
  SavedRow saved_;
};

frmDes& Des();

}  // namespace sales
