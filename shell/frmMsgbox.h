// The prompt: one small modal window that asks several questions. Its tag
// holds the mode, and it lays itself out by the mode each time it becomes
// active:
//   "0"  which size of an item (the sales window)
//   "4"  "Delete Training Invoices." (the check-book window's "Fresh")
//   "7"  which option of an item (the sales window)
//   "1", "2", "3", "6" and "8" are laid out too; no window uses them.
// A button writes its answer straight into the asking window's controls and
// unloads the prompt, so that every question starts from the design state.
//
// To ask, write the captions of the buttons to offer (modes "0" and "7"; in
// "7" also their boxes' texts) and call ShowPrompt(mode). It returns false
// when the prompt was closed without an answer (its window's close command,
// or Escape): nothing was written then.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/form.h"

namespace shell {

class frmMsgbox : public forms::Form {
 public:
  frmMsgbox();

  forms::Label lblMsg{this, "lblMsg"};
  forms::Label lblC{this, "lblC"};                // the second-language line
  forms::CommandButton cmdS{this, "cmdS"};        // size S; option 1
  forms::CommandButton cmdM{this, "cmdM"};        // size M; option 2
  forms::CommandButton cmdOpt5{this, "cmdOpt5"};  // option 5
  forms::CommandButton cmdYes{this, "cmdYes"};    // size L; option 3; "Del"
  forms::CommandButton cmdNo{this, "cmdNo"};      // size XL; option 4; "No"
  forms::CommandButton cmdOpt6{this, "cmdOpt6"};  // option 6
  // The small box in each button's top left corner: the size word in mode
  // "0", the option's price in mode "7".
  forms::TextBox txtSprice{this, "txtSprice"};
  forms::TextBox txtMprice{this, "txtMprice"};
  forms::TextBox Text1{this, "Text1"};
  forms::TextBox txtPrice{this, "txtPrice"};
  forms::TextBox txtLprice{this, "txtLprice"};
  forms::TextBox Text2{this, "Text2"};
  forms::Data datSize{this, "datSize"};  // tbSet: the size words

  // True when the last display ended with one of the answer buttons.
  bool answered() const { return answered_; }

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyPress(int& KeyAscii) override;

 private:
  friend bool ShowPrompt(const QString& mode);
  enum class Answer { S, M, Yes, No, Opt5, Opt6 };
  void answer(Answer pressed);
  void optionAnswer(forms::CommandButton& button, forms::TextBox& box);
  QString sizeWord(const char* field);

  bool answered_ = false;
  bool openFailureShown_ = false;  // the prompt loads for every question: say it once
};

frmMsgbox& Msgbox();

// Sets the prompt's mode, shows it modally and returns when it has closed:
// true when it was answered, false when it was closed without an answer.
bool ShowPrompt(const QString& mode);

// The four controls of the sales window that the size and option answers
// write: lblList.Tag (size prefix "M-", "L-", "XL-"), txtList.Tag (the chosen
// price text), txtMenu.Text (the item text, " /" and the option appended) and
// txtPrice.Text (the item's price, the option's price added).
struct SalesPromptControls {
  forms::Control* lblList = nullptr;
  forms::Control* txtList = nullptr;
  forms::Control* txtMenu = nullptr;
  forms::Control* txtPrice = nullptr;
};
// The sales window sets this once; the prompt calls it when an answer is
// given (so that the sales window is reached as it stands then). Without it
// the size and option answers write nothing.
void setSalesPromptControls(std::function<SalesPromptControls()> controls);

// An option's price added to the item's price, both amount texts ("1,234.50",
// "$2.50"), written plain: "1237", "12.5"; an item without a price (an
// empty text) takes the option's price. Nothing when either is not an
// amount (the price then stays as it was).
std::optional<QString> addedOptionPrice(const QString& price, const QString& optionPrice);

}  // namespace shell
