// The sales window: the screen on which a ticket is rung up. The launcher's
// Sales button shows it modally.
//
// Its working state lives in its controls, and the dialogs it opens write
// their answers straight into them:
//   frmSales.Tag         keypad mode "Qty", "Percent", "Waiter"; "HS" just
//                        before the modifier pad opens; empty after Notes
//   cmdMainM.Tag         "Main" while the page buttons show the categories
//   cmdLast.Tag          the item page in view: empty for page 1, "2" to "5"
//   cmbRept Text / Tag   ticket number / ticket state ("OldNum", "DidRecall",
//                        "NewNum", empty for a new ticket)
//   lblList Caption/Tag  the item being rung up / its size prefix
//   txtList Text / Tag   the item number handed in / the chosen size's price
//   txtMenu, txtPrice    text and price of the item being entered
//   txtQty, txtPercent   quantity and percent off for the next line
//   lblScrn              routing code of the category chosen last
//   grdOrderItems        the ticket, one line a row from row 2; Tag
//                        "DelItems" while a deletion waits, "Remove" while a
//                        merged line's sub-lines move
//   txtTotal, txtTOTax1, txtTOTax2, txtEnding, txtGet, txtReturn, txtCoupon
//                        the money of the ticket
//
//   txtWaiter, lblID     the stylist's sign-in code (masked) and first name;
//                        they stay from ticket to ticket while the window is
//                        open. lblID.Tag the code of the stylist signed in,
//                        which the box shows. txtWaiter.Tag "cmdPrintRce"
//                        while the receipt waits for the stylist's keypad
//   lblChk Caption/Tag   "#" live or "T" training / the number the receipt
//                        prints
//
// Closing a ticket:
//   - the tender button (or a click on the tender box) turns a pending
//     percent into a "% Off" line for the whole ticket and opens the tender
//     dialog for an unpaid ticket with lines; a stored ticket that was paid
//     is refused with "You Can Not Reprint This Receipt";
//   - a ticket number picked from cmbRept's list, or typed and sent with
//     Enter, recalls that stored ticket into an empty window;
//   - the receipt button opens the drawer for cash, stores the ticket (header
//     and lines in one transaction), prints the customer receipt on the
//     current printer and clears the window for the next ticket;
//   - a click on a line deletes it with its sub-lines; on a recalled ticket
//     the deletion may need a manager and each stored line is logged with a
//     reason in the removal dialog.
// The tender and removal dialogs belong to the tender subsystem, which links
// this one: the launcher connects them through the hooks below.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/form.h"
#include "sales/menuitem.h"
#include "sales/storage.h"
#include "shell/wait.h"

namespace sales {

// Opens the tender dialog modally on the ticket of the sales window.
void setTenderDialog(std::function<void()> showModal);

// What the line deletion uses of the removal dialog: the form (touching a box
// loads it hidden), the three boxes of the removed line, after it closed the
// removal it took (nothing when it took none), and the removal log the
// removals of a ticket go into once the ticket is stored.
struct RemovalDialog {
  forms::Form* form = nullptr;
  forms::Control* txtItem = nullptr;
  forms::Control* txtPrice = nullptr;
  forms::Control* txtType = nullptr;
  std::function<std::optional<RemovalLogEntry>()> removal;
  forms::Control* txtManager = nullptr;  // the approving manager's first name
  // Appends the rows to the removal log (or, as a trial, only tries to);
  // why they could not be, or empty.
  std::function<QString(const std::vector<RemovalLogEntry>&, bool commit)> log;
};
void setRemovalDialog(std::function<RemovalDialog()> dialog);

class frmSales : public forms::Form {
 public:
  frmSales();

  // The 14 category buttons, slots 0 to 13.
  forms::CommandButton cmdDrink{this, "cmdDrink"};
  forms::CommandButton cmdApter{this, "cmdApter"};
  forms::CommandButton cmdFR{this, "cmdFR"};
  forms::CommandButton cmdLM{this, "cmdLM"};
  forms::CommandButton cmdVD{this, "cmdVD"};
  forms::CommandButton cmdVege{this, "cmdVege"};
  forms::CommandButton cmdPy{this, "cmdPy"};
  forms::CommandButton cmdBf{this, "cmdBf"};
  forms::CommandButton cmdSf{this, "cmdSf"};
  forms::CommandButton cmdSp{this, "cmdSp"};
  forms::CommandButton cmdPk{this, "cmdPk"};
  forms::CommandButton cmdLb{this, "cmdLb"};
  forms::CommandButton cmdLunch{this, "cmdLunch"};
  forms::CommandButton cmdDiner{this, "cmdDiner"};

  // The narrow column beside the page buttons.
  forms::CommandButton cmdNotes{this, "cmdNotes"};
  forms::CommandButton cmdQty{this, "cmdQty"};
  forms::CommandButton cmdPercent{this, "cmdPercent"};
  forms::CommandButton cmdLast{this, "cmdLast"};
  forms::CommandButton cmdNext{this, "cmdNext"};
  forms::CommandButton cmdMainM{this, "cmdMainM"};

  // The page buttons and the number boxes on their top left corners.
  forms::ControlArray<forms::CommandButton> command{this, "command", 1, 24};
  forms::ControlArray<forms::TextBox> Text{this, "Text", 1, 24};

  // Store lines, ticket number and stylist.
  forms::Label lblCompanyName{this, "lblCompanyName"};
  forms::Label lblLine1{this, "lblLine1"};
  forms::Label lblLine2{this, "lblLine2"};
  forms::Label lblChk{this, "lblChk"};
  forms::ComboBox cmbRept{this, "cmbRept"};
  forms::CommandButton cmdT{this, "cmdT"};
  forms::TextBox txtWaiter{this, "txtWaiter"};
  forms::Label lblID{this, "lblID"};

  forms::MSFlexGrid grdOrderItems{this, "grdOrderItems"};

  // Entry of the next line.
  forms::TextBox txtQty{this, "txtQty"};
  forms::TextBox txtPercent{this, "txtPercent"};
  forms::TextBox txtList{this, "txtList"};
  forms::Label lblScrn{this, "lblScrn"};

  forms::CommandButton cmdTenerRec{this, "cmdTenerRec"};
  forms::CommandButton cmdPrintRce1{this, "cmdPrintRce1"};
  forms::TextBox txtCoupon{this, "txtCoupon"};
  forms::CommandButton cmdClose{this, "cmdClose"};

  // The money of the ticket and its captions.
  forms::TextBox txtTotal{this, "txtTotal"};
  forms::TextBox txtTOTax1{this, "txtTOTax1"};
  forms::TextBox txtTOTax2{this, "txtTOTax2"};
  forms::TextBox txtEnding{this, "txtEnding"};
  forms::TextBox txtGet{this, "txtGet"};
  forms::TextBox txtReturn{this, "txtReturn"};
  forms::Label lblTaxCaption{this, "lblTaxCaption"};
  forms::Label lblTotalCaption{this, "lblTotalCaption"};
  forms::Label lblChangeCaption{this, "lblChangeCaption"};

  // Not visible: the item being entered, the card hand-back, scratch.
  forms::TextBox txtMenu{this, "txtMenu"};
  forms::TextBox txtPrice{this, "txtPrice"};
  forms::Label lblList{this, "lblList"};
  forms::TextBox txtString{this, "txtString"};
  forms::Label lblFav{this, "lblFav"};
  forms::CommandButton cmdMsg1{this, "cmdMsg1"};

  forms::Data datList{this, "datList"};            // the chosen category's items, BakHS.mdb
  forms::Data datMain{this, "datMain"};            // tbSetMain (category faces), BakHS.mdb
  forms::Data datSize{this, "datSize"};            // tbSet (size words), Duzo98HS.mdb
  forms::Data datPW{this, "datPW"};                // tabPword (security switches), Duzo98HS.mdb
  forms::Data datOrders{this, "datOrders"};        // tblDy_Order, live or training tickets
  forms::Data datDetail{this, "datDetail"};        // tblDetail, the same file
  forms::Data datEmployees{this, "datEmployees"};  // tbEmplo, Infor.mdb
  forms::Data datFav{this, "datFav"};              // tbFav, Fav.mdb
  forms::Data datCustmrTr{this, "datCustmrTr"};    // tblCustmrTr, CustmrTr.mdb

  // The category button of slot 0 to 13.
  forms::CommandButton& categoryButton(int slot) const;

  // The main-menu page: the category faces on the category buttons and their
  // page buttons, the other page buttons blank, cmdMainM.Tag "Main".
  void ShowMainMenu();

  // Opens the cash drawer: the drawer pulse to the port of the printer
  // window's cmbECD, as KickCashDrawer sends it.
  void OpenDrawer();

  // The clock of the window's waits: the stylist prompt and the pause of the
  // recall's clearing step (tests set a clock of their own).
  void setWaitClock(shell::WholeSecondsClock clock) { waitClock_ = std::move(clock); }

  // The tender the tender dialog took for the ticket on the window: shown in
  // the tender, change and coupon boxes (a card as its type, tagged "Card")
  // and stored with the ticket by the receipt. It stands until the ticket is
  // stored or cleared, or the tender dialog opens again.
  void TakeTender(const TenderResult& tender);
  const std::optional<TenderResult>& TenderTaken() const { return tender_; }

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_QueryUnload(int& Cancel, int UnloadMode) override;
  void Form_Unload(int& Cancel) override;

 private:
  void InitOrderGrid();
  void cmdClose_Click();

  // The category buttons (cmdDrink_Click ... cmdDiner_Click) and Notes.
  void category_Click(int slot);
  void cmdNotes_Click();
  void command_Click(int index);
  void cmdLast_Click();
  void cmdNext_Click();
  void cmdMainM_Click();
  void RefreshItemList();
  void FillItemPage();

  // Item choice.
  void txtList_Change();
  void lblList_Change();
  void LoadItemOptions(const MenuItem& item);
  void AddOrderLine(const MenuItem& item);
  void ShowModifierPad();

  // Quantity and percent for the next line.
  void cmdQty_Click();
  void txtQty_Click();
  void cmdPercent_Click();
  void txtPercent_Click();
  void txtQty_Change();

  // Totals and change.
  void txtTotal_Change();
  void txtTOTax1_Change();
  void txtReturn_Change();
  void txtGet_Change();

  // The tender hand-off and the recall.
  void cmdTenerRec_Click();
  void txtGet_Click();
  // The recall step: true when a stored ticket was put on the window.
  bool RecallTicket(qint64 start);
  void ClearingStep(qint64 start);
  void AddTicketPercentLine();
  void TenderGate();
  // A ticket a card paid in this window (or, with `recalledToo`, a recalled
  // ticket a card paid): told with `consequence`, true.
  bool RefusePaidTicket(const QString& consequence, bool recalledToo = false);
  // The stylist the ticket on the window was rung up for: a recalled
  // ticket's own, otherwise the one signed in.
  QString ticketStylist();
  // An item or a percent off for a paid ticket: told, true.
  bool RefuseMoreOnPaidTicket();
  void ShowStoredTender(const StoredTender& paid);
  void cmbRept_Click();
  void cmbRept_KeyPress(int& KeyAscii);
  void cmbRept_Change();
  void RecallChosenTicket();
  // The ticket's number into the box, as the window's own.
  void setTicketNumber(const QString& number);
  // A number typed into the box and not sent with Enter is not the ticket's:
  // the box gets the ticket's own back.
  void keepTicketNumber();
  bool ticketHasLines();

  // The stylist.
  void txtWaiter_Click();
  void ShowKeypad();
  void txtWaiter_Change();
  void PromptServerId();
  // True when a stylist is signed in: a lookup found their code.
  bool signedIn();
  // Writes the code of the stylist signed in (or nothing) into the box,
  // without a lookup.
  void ShowSignIn();

  // The receipt: stores, prints and starts the next ticket.
  void cmdPrintRce1_Click();
  void PrintReceipt();
  // Stores the ticket on screen: header and lines in one transaction on the
  // ticket file of datOrders, then the favourites tally. True when it was
  // stored, or when a new ticket had no line to store; false after telling
  // the clerk that nothing was stored (the ticket then stays as it is). The
  // receipt calls this and nothing else to store, and stops on false.
  bool StoreTicket(const TicketToStore& ticket);
  TicketToStore ticketOnScreen();
  void TallyFavourites(const TicketToStore& ticket);
  QString LogRemovals();
  // Writes the removals into the removal log, or as a trial (commit false)
  // only tries to; why they could not be, or empty.
  QString WriteRemovals(const std::vector<RemovalLogEntry>& entries, bool commit);
  // Empties the grid from row 2 and the ticket's amounts, state, tender,
  // coupon, percent and swipe, so that the next ticket is a new one. The
  // stylist and the ticket-number box stay.
  void ClearTicket();
  // Forgets what the window knew of the ticket on it: a recall, its tender,
  // a tender taken, removals waiting for the store.
  void ForgetTicket();

  // Line deletion.
  void grdOrderItems_Click();
  void DeleteOrderLine();
  void DeleteLineWithSubLines();
  void FillRemovalRecord();
  // True when row `row` is a line of the stored ticket: the ticket was
  // recalled and the line has no routing code.
  bool isStoredLine(int row);
  // Fills the removal record from row `row` and shows the dialog; true when
  // it logged the removal. `manager` carries the approving manager's name
  // from one row of a deletion to the next.
  bool LogRemoval(int row, QString& manager);
  // Shows the removal dialog; true when it logged the removal.
  bool ShowRemovalDialog();
  // A removal dialog loaded and never shown holds another deletion's record
  // or manager: it goes.
  void DiscardHiddenRemovalDialog();
  void SubtractFromSubtotal(const QString& price);

  QString pendingQty_;            // the quantity of the line being built
  bool badRateReported_ = false;  // a tax rate that is no number is told once an opening
  QStringList told_;              // what could not be read, told once an opening
  bool prompting_ = false;        // the stylist prompt or its keypad is up
  bool showingSignIn_ = false;    // ShowSignIn writes the stylist box
  bool handingOff_ = false;       // a tender hand-off runs (it may pause or show the tender dialog)
  bool percentApplied_ = false;   // the pending percent was taken off a line
  QString ticketNumber_;          // the number the window itself put into cmbRept
  bool numberTyped_ = false;      // the clerk typed into cmbRept since
  bool training_ = false;         // the window opened on the training check book
  // The ticket on the window as the recall read it from the file.
  std::optional<TicketSnapshot> recalled_;
  // txtGet holds the tender the recalled ticket was stored with, not one
  // taken in this window: it opens no drawer and is not stored again.
  bool recalledTender_ = false;
  // The recalled ticket's header as the recall read it: its stylist, and
  // whether a card paid it.
  std::optional<StoredHeader> recalledHeader_;
  // The tender taken in this window for the ticket on it.
  std::optional<TenderResult> tender_;
  // The removals of this ticket's stored lines, logged once the ticket is
  // stored.
  std::vector<RemovalLogEntry> removals_;
  shell::WholeSecondsClock waitClock_ = shell::monotonicWholeSeconds;
};

frmSales& Sales();

}  // namespace sales
