// The keypad: a modal number pad that the sales window borrows for the
// stylist's sign-in code, a quantity, a percent and a manager's approval.
//
// It keeps no purpose of its own: each time it needs one it reads the keypad
// mode from the sales window's tag ("Waiter", "Qty", "Percent"), and it
// delivers an entry by writing it into the sales window's box of that mode,
// whose change step does the rest. Any other tag, and a line deletion waiting
// for a manager (the ticket grid's tag "DelItems") whatever the tag, sends
// every change of the entry to the manager check instead:
//   - the whole entry is looked up as a sign-in code of the staff table;
//   - a "Level 2" or "Level 3" code approves the waiting deletion (the
//     security window's chkItmDelSec tag "Allow", the manager's first name in
//     the removal dialog's txtManager) or, with none waiting, opens the cash
//     drawer;
//   - a code of nobody closes the keypad without a word.
// The keypad unloads after every answer, so each opening starts from the
// design state; a deletion mark it leaves behind is emptied as it unloads.
#pragma once

#include <QString>
#include <functional>

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/form.h"

namespace shell {

class frmTakeOutPW : public forms::Form {
 public:
  frmTakeOutPW();

  forms::Label lblTitle{this, "lblTitle"};
  forms::TextBox txtPassword{this, "txtPassword"};  // the entry
  // The digit buttons; the index is the digit.
  forms::ControlArray<forms::CommandButton> comNumber{this, "comNumber", 0, 9};
  forms::CommandButton Del{this, "Del"};
  forms::CommandButton cmdEnter{this, "cmdEnter"};
  forms::Data datInfor{this, "datInfor"};  // tbEmplo, Infor.mdb

  // A key typed while a digit button has the focus presses the digit's
  // button. Returns false whatever the key.
  bool KeyPressNumericValid(int KeyAscii);

 protected:
  void Form_Load() override;
  void Form_Unload(int& Cancel) override;

 private:
  void comNumber_Click(int Index);
  void Del_Click();
  void txtPassword_Click();
  void txtPassword_Change();
  void cmdEnter_Click();
  void CheckManagerId();
};

frmTakeOutPW& TakeOutPW();

// Where the keypad sends an entry.
enum class KeypadRoute { Waiter, Qty, Percent, ManagerCheck };

// The route of the sales window's tag, compared exactly: "Waiter", "Qty" and
// "Percent" have their box; a pending deletion (grid tag "DelItems") and any
// other tag go to the manager check.
KeypadRoute keypadRoute(const QString& salesTag, const QString& gridTag);

// An entry the keypad looks up or delivers as it changes: at least `length`
// characters (kSignInLength for a sign-in code, 2 for a quantity or a
// percent) and above 1 in value, so that "0000" and "0001" sign in nobody.
constexpr int kSignInLength = 4;
bool keypadTakes(const QString& entry, int length);

// The title the keypad shows for a sales tag: "Enter Your ID", "Enter Your
// Quantity", "Sales Percentage", "Enter Tip Percentage"; any other tag keeps
// the design title "Enter ID".
QString keypadTitle(const QString& salesTag);

// The controls of the sales window that the keypad reads and writes: the
// window (its tag is the keypad mode), the three boxes it delivers into and
// the ticket grid (its tag marks a deletion waiting for a manager).
struct KeypadSalesControls {
  forms::Form* form = nullptr;
  forms::Control* txtWaiter = nullptr;
  forms::Control* txtQty = nullptr;
  forms::Control* txtPercent = nullptr;
  forms::Control* grdOrderItems = nullptr;
};
// The sales window sets this when it loads and clears it when it unloads;
// without it the keypad's mode is empty and its deliveries write nothing.
void setKeypadSalesControls(std::function<KeypadSalesControls()> controls);

// The removal dialog's box for the approving manager's first name. Touching
// it loads the dialog, hidden. The launcher connects it (the removal dialog
// is the tender subsystem's); without it an approval names nobody.
void setRemovalManagerBox(std::function<forms::Control&()> box);

}  // namespace shell
