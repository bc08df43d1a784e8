// The tender dialog: takes the payment of the ticket open in the sales
// window. The sales window shows it modally from its tender box; it copies
// the clerk, the ticket number, the amount due and a coupon typed there from
// the sales window when it loads (TenderRequest), and hands back what it took
// (a sales::TenderResult: cash, coupon, gift card, tip, and a card with what
// it was charged) when the tender is done:
//   Submit in Purchase mode without a card number: the cash, coupon and gift
//     card (or the card-logo card) as keyed;
//   a card-logo button: at once, the brand paying what is left to pay;
//   an approved purchase or force: the card with the amount charged.
// A return and a pre-authorisation hand back nothing: they pay nothing (an
// approved pre-authorisation gives the sales window's txtString its approval
// code as Tag, and an empty Text: the swipe never leaves this dialog).
//
// Its working state lives in its controls:
//   cmdNext.Tag     tender kind: "", "Card" (card-logo button), "Coupon"
//   cmdKeypad.Tag   keypad target: "" (txtGet), "Ending", "InputCoupon",
//                   "InputTip", "InputGift", "Inv", "Appr", "CardNum", "Exp",
//                   "Zip", "CVC"
//   txtFEntr        the keypad's entry buffer (hidden)
//   frame.Caption   transaction mode: "Purchase", "Return", "Force",
//                   "Pre-Authorization", "Void"
//   Text1           the transaction folder (hidden)
//   txtString       the last swipe read (hidden)
// The card values of the last transaction and the payment bridge's object
// are members of the class: they outlive the window's unloading, but for
// the card's expiry, which is wiped with the card boxes when it unloads.
#pragma once

#include <QString>
#include <optional>

#include "platform/convert/currency.h"
#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/form.h"
#include "sales/tenderresult.h"
#include "tender/bridge.h"
#include "tender/rules.h"

namespace tender {

class frmTender : public forms::Form {
 public:
  frmTender();

  // The left column: heading, mode buttons on their backdrop, Back.
  forms::CommandButton Command2{this, "Command2"};
  forms::CommandButton Command3{this, "Command3"};
  forms::CommandButton cmdPurchase{this, "cmdPurchase"};
  forms::CommandButton cmdReturn{this, "cmdReturn"};
  forms::CommandButton cmdForce{this, "cmdForce"};
  forms::CommandButton cmdPre{this, "cmdPre"};
  forms::CommandButton cmdVoid{this, "cmdVoid"};
  forms::CommandButton cmdRoom{this, "cmdRoom"};
  forms::CommandButton cmdClose{this, "cmdClose"};
  forms::Data datOrders{this, "datOrders"};

  // The frame with the card and amount fields, the keypad and Submit.
  forms::Frame frame{this, "frame"};
  forms::Image ImgID{this, "ImgID"};  // the clerk's icon, behind its caption
  forms::Label Label6{this, "Label6"};
  forms::TextBox txtEmply{this, "txtEmply"};
  forms::Label lblApproval{this, "lblApproval"};
  forms::TextBox txtApproval{this, "txtApproval"};
  forms::Image ImgVantix{this, "ImgVantix"};
  forms::TextBox txtAnswer{this, "txtAnswer"};
  forms::Label Label7{this, "Label7"};
  forms::TextBox txtInv{this, "txtInv"};
  forms::CommandButton cmdFind{this, "cmdFind"};
  forms::TextBox txtCardType{this, "txtCardType"};
  forms::Label Label4{this, "Label4"};
  forms::TextBox txtCardNu{this, "txtCardNu"};
  forms::Label Label5{this, "Label5"};
  forms::TextBox txtExp{this, "txtExp"};
  forms::CommandButton cmdAmEx{this, "cmdAmEx"};
  forms::CommandButton cmdVisa{this, "cmdVisa"};
  forms::CommandButton cmdMaster{this, "cmdMaster"};
  forms::CommandButton cmdDiscover{this, "cmdDiscover"};
  forms::Label lblZip{this, "lblZip"};
  forms::TextBox txtZip{this, "txtZip"};
  forms::Label lblAddress{this, "lblAddress"};
  forms::TextBox txtAddress{this, "txtAddress"};
  forms::Label lblCVC{this, "lblCVC"};
  forms::TextBox txtCVC{this, "txtCVC"};
  forms::Label lblEnding{this, "lblEnding"};
  forms::TextBox txtEnding{this, "txtEnding"};
  forms::Label lblTips{this, "lblTips"};
  forms::TextBox txtTips{this, "txtTips"};
  forms::CommandButton cmdTips{this, "cmdTips"};
  // The Gift Card and Coupon buttons lie over their boxes.
  forms::TextBox txtGiftCards{this, "txtGiftCards"};
  forms::CommandButton cmdGiftCards{this, "cmdGiftCards"};
  forms::CommandButton cmdEmpty2{this, "cmdEmpty2"};
  forms::TextBox txtCoupon{this, "txtCoupon"};
  forms::CommandButton cmdCoupon{this, "cmdCoupon"};
  forms::CommandButton cmdEmpty1{this, "cmdEmpty1"};
  forms::Label Label1{this, "Label1"};
  forms::CommandButton cmdCash{this, "cmdCash"};
  forms::TextBox txtGet{this, "txtGet"};
  forms::CommandButton cmdEmpty{this, "cmdEmpty"};
  forms::TextBox txtReturn{this, "txtReturn"};
  // The keypad: its keys over their backdrop.
  forms::CommandButton cmdKeypad{this, "cmdKeypad"};
  forms::ControlArray<forms::CommandButton> comNumber{this, "comNumber", 0, 9};
  forms::CommandButton cmdSp{this, "cmdSp"};
  forms::CommandButton cmdBack{this, "cmdBack"};
  forms::TextBox txtString{this, "txtString"};
  forms::TextBox Text1{this, "Text1"};
  // The card-logo buttons, the recognised one framed by lblCard behind it.
  forms::Label lblCard{this, "lblCard"};
  forms::CommandButton cmdVisa1{this, "cmdVisa1"};
  forms::CommandButton cmdMaster1{this, "cmdMaster1"};
  forms::CommandButton cmdAmex1{this, "cmdAmex1"};
  forms::CommandButton cmdDiscover1{this, "cmdDiscover1"};
  forms::CommandButton cmdNext{this, "cmdNext"};
  forms::TextBox txtFEntr{this, "txtFEntr"};
  forms::TextBox txtChk1{this, "txtChk1"};
  forms::TextBox txtChk2{this, "txtChk2"};

  // The card values of the last transaction (kept in memory only).
  QString CardExpiry;  // YYMM; wiped when the dialog unloads
  QString ErrorMsg;
  QString ApprovalCode;
  QString AVSResult;
  QString CVV2Result;

  // Lets go of the payment bridge's object; the next card transaction
  // creates one again (the program's end does this by itself).
  void ReleaseBridge() { bridge_.release(); }
  bool HasBridge() const { return bridge_.get() != nullptr; }

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(int& Cancel) override;

 private:
  // Submit and Back.
  void cmdNext_Click();
  void SubmitCardByMode();
  void cmdClose_Click();

  // The keypad and the box clicks.
  void comNumber_Click(int Index);
  void cmdBack_Click();
  void KeypadKey(const QString& key);
  void StartEntry(forms::TextBox& box, const QString& target);
  void txtGet_Click();
  void txtEnding_Click();
  void txtCoupon_Click();
  void txtTips_Click();
  void txtInv_Click();
  void txtApproval_Click();
  void txtCardNu_Click();
  void txtExp_Click();
  void txtZip_Click();
  void txtCVC_Click();

  // The tender buttons.
  void cmdCash_Click();
  void cmdEmpty_Click();
  void cmdCoupon_Click();
  void UncoverCoupon();
  void cmdEmpty1_Click();
  void cmdEmpty2_Click();
  void CardLogo_Click(const QString& brand);

  // The change sums.
  void txtGet_Change();
  void TwoStepChange(forms::TextBox& first, forms::TextBox& second);
  void txtCoupon_Change();
  void txtGiftCards_Change();
  void cmdGiftCards_Click();
  void txtGiftCards_Click();
  void txtTips_Change();
  void txtEnding_Change();
  void txtReturn_Change();
  void txtGet_KeyPress(int& KeyAscii);
  void txtEnding_KeyPress(int& KeyAscii);
  void txtTips_KeyPress(int& KeyAscii);
  void txtCoupon_KeyPress(int& KeyAscii);
  void txtGiftCards_KeyPress(int& KeyAscii);

  // Modes and card fields.
  void cmdPurchase_Click();
  void cmdReturn_Click();
  void cmdForce_Click();
  void cmdPre_Click();
  void cmdVoid_Click();
  void ChooseMode(int mode);
  void ResetModeButtons();
  void txtCardNu_Change();
  void txtCardNu_KeyPress(int& KeyAscii);
  void txtCardType_Change();
  void HideCardLogos();
  void ShowProcessing();
  void ClearCardFields();
  void cmdFind_Click();

  // The card road.
  void ProcessCardEntry();
  bool ParseCardSwipe(const QString& text);
  void ApplySwipedCard(const QString& cardNumber);
  void CardPurchase(const QString& tenderBefore);
  void CardReturn();
  void CardForce();
  void CardPreAuth();
  void RunCardTransaction(CardKind kind, const std::optional<QString>& tenderBefore);
  void RefuseAmount(CardKind kind);
  void RefuseTrackText();
  void ShowCardFailure(const QString& reason);
  // What is left for a card to pay; nothing when it leaves the currency range.
  std::optional<rt::Currency> RemainingDue();
  // The tender as the boxes hold it: cash from the tender box, coupon, gift
  // card and tip. Throws rt::ConversionError for an amount out of range.
  sales::TenderResult TenderOnScreen();
  // A card paid on a terminal of its own, for `amount`.
  sales::TenderResult LogoTender(const QString& cardType, rt::Currency amount);
  void PassCardTypeToSales(const sales::TenderResult& card);
  // Prints the slip, hands a purchase or force back as the payment it made
  // (a return or pre-authorisation hands nothing back) and closes.
  void PrintCardReceipt(const std::optional<sales::TenderResult>& payment);

  BridgeObject bridge_;
  rt::Currency dueHandedOver_;  // the amount due of TenderRequest
  QString logoBrand_;           // the brand a card-logo button chose
  bool training_ = true;        // the training check book: no card reaches the card program
};

frmTender& Tender();

}  // namespace tender
