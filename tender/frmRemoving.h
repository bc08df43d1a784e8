// The removal dialog: logs why a line was taken off a stored ticket.
//
// The sales window writes the removed line into txtItem, txtPrice and
// txtType and shows the dialog modally; a manager's approval on the keypad
// has already written the manager's first name into txtManager. Touching a
// box loads the dialog hidden, and its load copies the stylist's first name
// from the sales window into txtWaiter. The clerk types a reason on the
// on-screen keyboard or appends one of the twelve stored reasons, and
// "Enter/ Exit" takes the removal and closes the dialog: it is the only way
// out (the window manager's close and Escape do nothing). The sales window
// keeps the removal and adds its row to tblRemv of Remv.mdb when the ticket
// is stored (logRemovals), so a ticket left unstored logs nothing.
//
// The keyboard's letter mode is the caption of cmdCaps: "-A-" types the next
// letter in upper case, "-a-" in lower case. Any text in the reason box sets
// "-a-"; a back space that leaves it empty sets "-A-". The keys edit the
// reason box at its insertion point.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/form.h"
#include "sales/storage.h"

namespace tender {

class frmRemoving : public forms::Form {
 public:
  frmRemoving();

  forms::TextBox txtType{this, "txtType"};
  forms::Label Label1{this, "Label1"};
  forms::TextBox txtItem{this, "txtItem"};
  forms::TextBox txtPrice{this, "txtPrice"};
  forms::Label Label3{this, "Label3"};
  forms::TextBox txtManager{this, "txtManager"};
  forms::Image ImgID{this, "ImgID"};
  forms::TextBox txtWaiter{this, "txtWaiter"};
  forms::Label Label2{this, "Label2"};
  forms::TextBox txtReason{this, "txtReason"};

  // The stored reasons: hidden boxes bound to R1 .. R12 of tbRemov, under
  // the buttons that show them.
  forms::TextBox txtRmsg1{this, "txtRmsg1"}, txtRmsg2{this, "txtRmsg2"}, txtRmsg3{this, "txtRmsg3"},
      txtRmsg4{this, "txtRmsg4"}, txtRmsg5{this, "txtRmsg5"}, txtRmsg6{this, "txtRmsg6"},
      txtRmsg7{this, "txtRmsg7"}, txtRmsg8{this, "txtRmsg8"}, txtRmsg9{this, "txtRmsg9"},
      txtRmsg10{this, "txtRmsg10"}, txtRmsg11{this, "txtRmsg11"}, txtRmsg12{this, "txtRmsg12"};
  forms::CommandButton cmdRmsg1{this, "cmdRmsg1"}, cmdRmsg2{this, "cmdRmsg2"}, cmdRmsg3{this, "cmdRmsg3"},
      cmdRmsg4{this, "cmdRmsg4"}, cmdRmsg5{this, "cmdRmsg5"}, cmdRmsg6{this, "cmdRmsg6"},
      cmdRmsg7{this, "cmdRmsg7"}, cmdRmsg8{this, "cmdRmsg8"}, cmdRmsg9{this, "cmdRmsg9"},
      cmdRmsg10{this, "cmdRmsg10"}, cmdRmsg11{this, "cmdRmsg11"}, cmdRmsg12{this, "cmdRmsg12"};

  // The keyboard.
  forms::CommandButton cmdQ{this, "cmdQ"}, cmdW{this, "cmdW"}, cmdE{this, "cmdE"}, cmdR{this, "cmdR"},
      cmdT{this, "cmdT"}, cmdY{this, "cmdY"}, cmdU{this, "cmdU"}, cmdI{this, "cmdI"}, cmdO{this, "cmdO"},
      cmdP{this, "cmdP"}, cmdA{this, "cmdA"}, cmdS{this, "cmdS"}, cmdD{this, "cmdD"}, cmdF{this, "cmdF"},
      cmdG{this, "cmdG"}, cmdH{this, "cmdH"}, cmdJ{this, "cmdJ"}, cmdK{this, "cmdK"}, cmdL{this, "cmdL"},
      cmdZ{this, "cmdZ"}, cmdX{this, "cmdX"}, cmdC{this, "cmdC"}, cmdV{this, "cmdV"}, cmdB{this, "cmdB"},
      cmdN{this, "cmdN"}, cmdM{this, "cmdM"};
  forms::ControlArray<forms::CommandButton> cmdUn{this, "cmdUn", 0, 1};  // blank fillers
  forms::CommandButton cmdKyBack{this, "cmdKyBack"};
  forms::CommandButton cmdCaps{this, "cmdCaps"};
  forms::CommandButton cmdSpace{this, "cmdSpace"};
  forms::CommandButton cmdEnter{this, "cmdEnter"};

  forms::Data datRemv{this, "datRemv"};      // tblRemv, Remv.mdb
  forms::Data datReason{this, "datReason"};  // tbRemov, Duzo98HS.mdb

  // The stored reason n (1 to 12) and its button.
  forms::TextBox& reasonBox(int n);
  forms::CommandButton& reasonButton(int n);
  // The key of a letter "A" to "Z".
  forms::CommandButton& letterKey(QChar letter);

  // The removal the last "Enter/ Exit" took; nothing from each load on
  // until one does. The sales window reads it once the dialog has closed.
  const std::optional<sales::RemovalLogEntry>& Removal() const { return removal_; }

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;

 private:
  void cmdRmsg_Click(int n);
  void Letter_Click(QChar letter);
  void cmdSpace_Click();
  void cmdKyBack_Click();
  void cmdCaps_Click();
  void txtReason_Click();
  void txtReason_Change();
  void cmdEnter_Click();
  // Puts text in at the reason box's insertion point, over its selection.
  void TypeIntoReason(const QString& text);

  std::optional<sales::RemovalLogEntry> removal_;
};

frmRemoving& Removing();

// Adds one row a removal to tblRemv of Remv.mdb, where the placement puts it,
// in one transaction (a trial, commit false, rolls them back). Returns why
// the rows could not be stored, naming the file; empty when they were.
QString logRemovals(const std::vector<sales::RemovalLogEntry>& removals, bool commit = true);

}  // namespace tender
