#include "tender/frmTender.h"

#include <QDate>
#include <QTime>
#include <algorithm>
#include <functional>
#include <new>

#include "platform/convert/datetext.h"
#include "platform/convert/error.h"
#include "platform/convert/format.h"
#include "platform/convert/text.h"
#include "platform/files/paths.h"
#include "platform/forms/msgbox.h"
#include "platform/print/printer.h"
#include "sales/frmSales.h"
#include "sales/totals.h"
#include "shell/Module1.h"
#include "shell/frmInfor.h"
#include "shell/placement.h"
#include "shell/steps.h"
#include "tender/cardreceipt.h"
#include "tender/receiptprinter.h"
#include "tender/rules.h"

namespace tender {

namespace {

using forms::RGB;
using shell::runStep;

constexpr forms::Color kGreen = RGB(192, 255, 192);  // the dialog and the chosen mode
constexpr forms::Color kPaleGreen = RGB(128, 255, 128);
constexpr forms::Color kKeyGreen = RGB(0, 255, 0);
constexpr forms::Color kSubmitGreen = RGB(0, 192, 0);
constexpr forms::Color kGrey = RGB(224, 224, 224);
constexpr forms::Color kPaleYellow = RGB(255, 255, 192);
constexpr forms::Color kDarkBlue = RGB(0, 0, 128);
constexpr forms::Color kDarkGreen = RGB(0, 128, 0);

const QString kSans = QStringLiteral("MS Sans Serif");
const QString kMoney = QStringLiteral("#,##0.00");
const QString kChangeFormat = QStringLiteral("###,###,##0.00");
const QString kKeypadFormat = QStringLiteral("###0.00");
const QString kCard = QStringLiteral("Card");
const QString kTransactionFolder = QStringLiteral("C:\\Program Files\\Vantix\\LocalTran");

const char* const kModes[] = {"Purchase", "Return", "Force", "Pre-Authorization", "Void"};
enum Mode { Purchase, Return, Force, PreAuthorization, Void };

// A new string for the bridge, copied straight from the text's characters
// (no copy in between is left behind); a text that cannot be allocated is
// not sent as an empty one.
BSTR bridgeText(const QString& text) {
  BSTR b = SysAllocStringLen(reinterpret_cast<const char16_t*>(text.utf16()),
                             static_cast<std::uint32_t>(text.size()));
  if (b == nullptr) throw std::bad_alloc();
  return b;
}

QString fromBridge(const com::Bstr& b) {
  return QString::fromStdString(b.utf8());
}

}  // namespace

frmTender::frmTender() : Form("frmTender") {
  setBorderStyle(0);
  setControlBox(false);
  setStartUpPosition(forms::vbStartUpScreen);
  Move(0, 0, 15360, 11520);
  setBackColor(kGreen);

  // ---- left column
  Command2.setCaption(QStringLiteral("Credit Card Transactions"));
  Command2.Move(0, 0, 2415, 495);
  Command2.setBackColor(kPaleGreen);
  Command2.setFont(kSans, 8.25, true);
  Command3.Move(0, 480, 2415, 6735);
  Command3.setBackColor(kPaleGreen);
  forms::CommandButton* const modeButtons[] = {&cmdPurchase, &cmdReturn, &cmdForce, &cmdPre, &cmdVoid};
  const char* const modeCaptions[] = {"Purchase", "Return", "Force", "Pre-Authorization", "Void"};
  for (int i = 0; i < 5; ++i) {
    modeButtons[i]->setCaption(QString::fromLatin1(modeCaptions[i]));
    modeButtons[i]->Move(0, 480 + 1080 * i, 2295, 1095);
    modeButtons[i]->setBackColor(forms::vbWhite);
    modeButtons[i]->setFont(kSans, 12, true);
  }
  cmdRoom.setCaption(QStringLiteral("Charge To The Room"));
  cmdRoom.Move(0, 5880, 2295, 1215);
  cmdRoom.setBackColor(forms::vbWhite);
  cmdRoom.setFont(kSans, 9.75, true);
  cmdClose.setCaption(QStringLiteral("Back"));
  cmdClose.setPicture(QStringLiteral(":/pictures/back.png"));
  cmdClose.setStyle(1);
  cmdClose.setBackColor(kGrey);
  cmdClose.setFont(kSans, 9.75, true);
  cmdClose.Move(0, 10680, 1635, 800);
  datOrders.setCaption(QStringLiteral("Orders"));
  datOrders.setConnect(QStringLiteral("Access 2000;"));
  datOrders.setRecordSource(QStringLiteral("tblDy_Order"));
  datOrders.Move(600, 10080, 1110, 315);

  // ---- the frame
  frame.setCaption(QStringLiteral("Purchase"));
  frame.Move(2880, 120, 11895, 11175);
  frame.setFont(kSans, 26.25, true);
  frame.setForeColor(forms::vbBlue);
  frame.setBackColor(kGreen);

  struct Caption {
    forms::Label* label;
    const char* text;
    int left, top, width, height;
  };
  // The labels end where their boxes begin; a long caption wraps.
  const Caption captions[] = {
      {&Label6, "Clerk", 480, 840, 1200, 240},
      {&lblApproval, "Approval Code:", 1920, 840, 2400, 240},
      {&Label7, "* Receipt #", 840, 1605, 1080, 405},
      {&Label4, "Credit Card #", 480, 2100, 1440, 345},
      {&Label5, "*Expiration (MMYY)", 960, 2520, 960, 405},
      {&lblZip, "* Zip Code", 840, 3120, 1080, 285},
      {&lblAddress, "* Address", 840, 3495, 1080, 285},
      {&lblCVC, "* CVV2/CVC2", 600, 4005, 1320, 285},
      {&lblEnding, "Amount:", 600, 4680, 1320, 480},
      {&lblTips, "Tips:", 960, 5160, 960, 480},
      {&Label1, "Tender:", 2160, 7740, 1815, 195},
  };
  for (const Caption& c : captions) {
    c.label->setContainer(frame);
    c.label->setCaption(QString::fromLatin1(c.text));
    c.label->Move(c.left, c.top, c.width, c.height);
    c.label->setBackStyle(0);
    c.label->setFont(kSans, 8.25, true);
  }
  lblEnding.setFont(kSans, 12, true);
  lblTips.setFont(kSans, 12, true);
  lblTips.setForeColor(kDarkBlue);

  struct Box {
    forms::TextBox* box;
    int left, top, width, height;
  };
  const Box boxes[] = {
      {&txtEmply, 480, 1080, 855, 285},
      {&txtApproval, 1920, 1080, 3015, 405},
      {&txtAnswer, 6840, 600, 4095, 1095},
      {&txtInv, 1920, 1560, 2775, 405},
      {&txtCardType, 3960, 1560, 735, 405},
      {&txtCardNu, 1920, 2040, 3375, 405},
      {&txtExp, 1920, 2520, 2055, 405},
      {&txtZip, 1920, 3000, 2055, 405},
      {&txtAddress, 1920, 3480, 3255, 405},
      {&txtCVC, 1920, 3960, 2055, 405},
      {&txtEnding, 1920, 4680, 2055, 510},
      {&txtTips, 1920, 5160, 2055, 510},
      {&txtGiftCards, 2160, 6120, 1815, 750},
      {&txtCoupon, 2160, 6960, 1815, 630},
      {&txtGet, 2160, 7920, 1815, 510},
      {&txtReturn, 240, 9120, 6135, 1650},
      {&txtString, 6720, 5760, 4215, 285},
      {&Text1, 7560, 5760, 3015, 285},
      {&txtFEntr, 0, 0, 1215, 285},
      {&txtChk1, 0, 0, 1215, 285},
      {&txtChk2, 0, 0, 1215, 285},
  };
  for (const Box& b : boxes) {
    b.box->setContainer(frame);
    b.box->Move(b.left, b.top, b.width, b.height);
    b.box->setFont(kSans, 9.75, false);
  }
  txtEmply.setBackColor(kGreen);
  txtAnswer.setMultiLine(true);
  txtAnswer.setScrollBars(2);
  txtCardNu.setFont(kSans, 12, true);
  txtCardNu.setTabIndex(0);
  txtCVC.setAlignment(forms::vbCenter);
  const forms::FontInfo big{kSans, 21.75, true};
  for (forms::TextBox* b : {&txtEnding, &txtTips, &txtGiftCards, &txtCoupon, &txtGet}) b->setFont(big);
  // An amount of eleven digits, and a long first name, show whole in a
  // smaller face instead of running out of their boxes.
  for (forms::TextBox* b : {&txtEmply, &txtEnding, &txtTips, &txtGiftCards, &txtCoupon, &txtGet, &txtReturn})
    b->setFitText(true);
  txtEnding.setBackColor(kPaleGreen);
  txtEnding.setAlignment(forms::vbCenter);
  txtTips.setBackColor(kPaleGreen);
  txtGiftCards.setBackColor(kGrey);
  txtGiftCards.setForeColor(kDarkGreen);
  txtGet.setAlignment(forms::vbCenter);
  txtReturn.setBackColor(kGreen);
  txtReturn.setForeColor(forms::vbRed);
  txtReturn.setFont(kSans, 48, true);
  txtReturn.setAlignment(forms::vbCenter);
  Text1.setText(kTransactionFolder);

  ImgID.setContainer(frame);
  ImgID.Move(240, 840, 480, 480);
  ImgID.setStretch(true);
  ImgID.setPicture(QStringLiteral(":/tender/clerk.png"));
  ImgVantix.setContainer(frame);
  ImgVantix.Move(5640, 600, 1185, 705);
  ImgVantix.setStretch(true);
  ImgVantix.setPicture(QStringLiteral(":/tender/vantix.png"));

  struct Button {
    forms::CommandButton* button;
    const char* caption;
    const char* picture;
    int left, top, width, height;
    forms::Color back;
  };
  const Button buttons[] = {
      {&cmdFind, "", ":/pictures/find.png", 4680, 1520, 645, 495, kGrey},
      {&cmdAmEx, "", ":/tender/amex.png", 4080, 2640, 1215, 660, forms::vbWhite},
      {&cmdVisa, "", ":/tender/visa.png", 4080, 2640, 1215, 660, forms::vbWhite},
      {&cmdMaster, "", ":/tender/master.png", 4080, 2640, 1215, 660, forms::vbWhite},
      {&cmdDiscover, "", ":/tender/discover.png", 4080, 2640, 1215, 660, forms::vbWhite},
      {&cmdTips, "Empty", nullptr, 3960, 5160, 735, 495, forms::vbButtonFace},
      {&cmdGiftCards, "Gift Card", nullptr, 960, 6120, 3735, 735, kPaleYellow},
      {&cmdEmpty2, "Empty", nullptr, 6840, 6240, 735, 735, forms::vbButtonFace},
      {&cmdCoupon, "Coupon", nullptr, 960, 6960, 3735, 615, forms::vbButtonFace},
      {&cmdEmpty1, "Empty", nullptr, 3960, 6960, 735, 615, forms::vbButtonFace},
      {&cmdCash, "", ":/tender/cash.png", 960, 7920, 1215, 495, forms::vbButtonFace},
      {&cmdEmpty, "Empty", nullptr, 3960, 7935, 735, 495, forms::vbButtonFace},
      {&cmdKeypad, "", nullptr, 6660, 2280, 4275, 3450, kGreen},
      {&cmdSp, "", ":/tender/keyblank.png", 6720, 4860, 1380, 810, kKeyGreen},
      {&cmdBack, "", ":/tender/key00.png", 9480, 4860, 1380, 810, kKeyGreen},
      {&cmdVisa1, "", ":/tender/visa.png", 6000, 7200, 1100, 660, forms::vbWhite},
      {&cmdMaster1, "", ":/tender/master.png", 7320, 7200, 1100, 660, forms::vbWhite},
      {&cmdAmex1, "", ":/tender/amex.png", 8760, 7200, 1100, 660, forms::vbWhite},
      {&cmdDiscover1, "", ":/tender/discover.png", 10200, 7200, 1100, 660, forms::vbWhite},
      {&cmdNext, "Submit", nullptr, 7080, 9120, 4275, 1575, kSubmitGreen},
  };
  for (const Button& b : buttons) {
    b.button->setContainer(frame);
    b.button->setCaption(QString::fromLatin1(b.caption));
    if (b.picture) {
      b.button->setPicture(QString::fromLatin1(b.picture));
      b.button->setStyle(1);
    }
    b.button->Move(b.left, b.top, b.width, b.height);
    b.button->setBackColor(b.back);
    b.button->setFont(kSans, 9.75, true);
  }
  cmdGiftCards.setFont(kSans, 12, true);
  cmdCoupon.setFont(kSans, 12, true);
  cmdNext.setFont(kSans, 24, true);
  const int keyLefts[] = {6720, 8100, 9480};
  for (int d = 0; d <= 9; ++d) {
    forms::CommandButton& key = comNumber(d);
    key.setContainer(frame);
    key.setPicture(QStringLiteral(":/tender/key%1.png").arg(d));
    key.setStyle(1);
    key.setBackColor(kKeyGreen);
    if (d == 0)
      key.Move(8100, 4860, 1380, 810);
    else
      key.Move(keyLefts[(d - 1) % 3], 2340 + 840 * ((d - 1) / 3), 1380, 810);
    key.onClick = [this, d] { comNumber_Click(d); };
  }
  lblCard.setContainer(frame);
  lblCard.Move(10080, 7080, 1320, 885);
  lblCard.setBackColor(forms::vbRed);
  lblCard.setBorderStyle(1);

  // What the dialog hides at load.
  for (forms::Control* c : std::initializer_list<forms::Control*>{
           &lblApproval, &txtApproval, &ImgVantix, &txtAnswer, &cmdFind, &txtCardType, &cmdAmEx, &cmdVisa,
           &cmdMaster, &cmdDiscover, &cmdEmpty2, &txtCoupon, &cmdEmpty1, &txtString, &Text1, &lblCard,
           &txtFEntr, &txtChk1, &txtChk2})
    c->setVisible(false);

  // ---- events
  cmdNext.onClick = [this] { cmdNext_Click(); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
  cmdBack.onClick = [this] { cmdBack_Click(); };
  txtGet.onClick = [this] { txtGet_Click(); };
  txtEnding.onClick = [this] { txtEnding_Click(); };
  txtCoupon.onClick = [this] { txtCoupon_Click(); };
  txtTips.onClick = [this] { txtTips_Click(); };
  txtInv.onClick = [this] { txtInv_Click(); };
  txtApproval.onClick = [this] { txtApproval_Click(); };
  txtCardNu.onClick = [this] { txtCardNu_Click(); };
  txtExp.onClick = [this] { txtExp_Click(); };
  txtZip.onClick = [this] { txtZip_Click(); };
  txtCVC.onClick = [this] { txtCVC_Click(); };
  cmdCash.onClick = [this] { cmdCash_Click(); };
  cmdEmpty.onClick = [this] { cmdEmpty_Click(); };
  cmdCoupon.onClick = [this] { cmdCoupon_Click(); };
  cmdEmpty1.onClick = [this] { cmdEmpty1_Click(); };
  cmdEmpty2.onClick = [this] { cmdEmpty2_Click(); };
  cmdTips.onClick = [this] { txtTips.setText(QString()); };
  cmdVisa1.onClick = [this] { CardLogo_Click(QStringLiteral("VISA")); };
  cmdMaster1.onClick = [this] { CardLogo_Click(QStringLiteral("Master")); };
  cmdAmex1.onClick = [this] { CardLogo_Click(QStringLiteral("AMEX")); };
  cmdDiscover1.onClick = [this] { CardLogo_Click(QStringLiteral("Discover")); };
  txtGet.onChange = [this] { txtGet_Change(); };
  txtCoupon.onChange = [this] { txtCoupon_Change(); };
  txtGiftCards.onChange = [this] { txtGiftCards_Change(); };
  txtTips.onChange = [this] { txtTips_Change(); };
  txtEnding.onChange = [this] { txtEnding_Change(); };
  txtReturn.onChange = [this] { txtReturn_Change(); };
  txtGet.onKeyPress = [this](int& KeyAscii) { txtGet_KeyPress(KeyAscii); };
  txtEnding.onKeyPress = [this](int& KeyAscii) { txtEnding_KeyPress(KeyAscii); };
  txtTips.onKeyPress = [this](int& KeyAscii) { txtTips_KeyPress(KeyAscii); };
  txtCoupon.onKeyPress = [this](int& KeyAscii) { txtCoupon_KeyPress(KeyAscii); };
  txtGiftCards.onKeyPress = [this](int& KeyAscii) { txtGiftCards_KeyPress(KeyAscii); };
  cmdGiftCards.onClick = [this] { cmdGiftCards_Click(); };
  txtGiftCards.onClick = [this] { txtGiftCards_Click(); };
  // An amount box holds only an amount, however its text comes in: typed, pasted or dropped.
  for (forms::TextBox* amount : {&txtGet, &txtEnding, &txtTips, &txtCoupon, &txtGiftCards})
    amount->setAccepts(shell::isAmountEntry);
  cmdPurchase.onClick = [this] { cmdPurchase_Click(); };
  cmdReturn.onClick = [this] { cmdReturn_Click(); };
  cmdForce.onClick = [this] { cmdForce_Click(); };
  cmdPre.onClick = [this] { cmdPre_Click(); };
  cmdVoid.onClick = [this] { cmdVoid_Click(); };
  txtCardNu.onChange = [this] { txtCardNu_Change(); };
  txtCardNu.onKeyPress = [this](int& KeyAscii) { txtCardNu_KeyPress(KeyAscii); };
  txtCardType.onChange = [this] { txtCardType_Change(); };
  for (forms::CommandButton* logo : {&cmdAmEx, &cmdVisa, &cmdMaster, &cmdDiscover})
    logo->onClick = [this] { ClearCardFields(); };
  cmdFind.onClick = [this] { cmdFind_Click(); };
}

// ---- load, activation, Submit, Back

void frmTender::Form_Load() {
  setBackColor(kGreen);
  cmdPurchase.setBackColor(kGreen);
  frame.setCaption(QString::fromLatin1(kModes[Purchase]));

  // The ticket file of the check book in use, where the placement puts it.
  // A setting that cannot be read leaves the binding without a file, and
  // runs no card: where the ticket would go is not known.
  training_ = true;
  runStep([this] {
    const shell::TicketDatabase tickets = shell::currentTicketDatabase();
    training_ = !tickets.path || !shell::isLiveCheckBook(shell::currentCheckBookMode());
    if (tickets.path) datOrders.setDatabaseName(*tickets.path);
  });

  // TenderRequest, copied once. The amount due is kept as handed over: it is
  // what a card may be charged, whatever the Amount box is made to show.
  dueHandedOver_ = rt::Currency();
  logoBrand_.clear();
  runStep([this] { txtEmply.setText(sales::Sales().lblID.Caption()); });
  runStep([this] { txtInv.setText(sales::Sales().cmbRept.Text()); });
  runStep([this] { txtEnding.setText(sales::Sales().txtEnding.Text()); });
  runStep([this] { dueHandedOver_ = amountOf(sales::Sales().txtEnding.Text()); });
  // A coupon typed on the sales window is taken here, in the coupon box.
  runStep([this] {
    const QString coupon = sales::Sales().txtCoupon.Text();
    if (coupon.isEmpty()) return;
    UncoverCoupon();
    txtCoupon.setText(rt::Format(amountOf(coupon), kKeypadFormat));
  });

  // The tickets are needed only by the Void lookup; a file that will not
  // open is passed over without a word.
  if (!datOrders.DatabaseName().isEmpty()) runStep([this] { datOrders.Refresh(); });
}

void frmTender::Form_Activate() {
  cmdNext.setCaption(QStringLiteral("Process"));
}

// The dialog is done with the card: its boxes and the expiry kept for the
// bridge are overwritten before the window lets go of them.
void frmTender::Form_Unload(int& /*Cancel*/) {
  for (forms::TextBox* box : {&txtCardNu, &txtExp, &txtCVC, &txtZip, &txtAddress, &txtString}) box->Wipe();
  forms::WipeText(CardExpiry);
}

// Submit. A card number in the card box runs the mode's card transaction,
// keyed, which checks its own amount; a Void runs none and is refused. Without
// a card only a purchase takes a tender (the other modes are card
// transactions): the cash, coupon and gift card as keyed, or the card a logo
// button chose, handed back once they cover the amount due with the tip.
void frmTender::cmdNext_Click() {
  const QString mode = frame.Caption();
  if (mode == QLatin1String(kModes[Void])) {
    forms::MsgBox(
        QStringLiteral("A void runs no card transaction. To give money back to the card, run a Return."),
        forms::vbOKOnly | forms::vbExclamation);
    return;
  }
  // The reader's prompt alone is no card number.
  const QString card = txtCardNu.Text();
  if (!card.isEmpty() && card != kSwipePrompt) {
    CardExpiry = submitExpiry(txtExp.Text());
    SubmitCardByMode();
    return;
  }
  if (cmdNext.Tag() != kCard && mode != QLatin1String(kModes[Purchase])) {
    forms::MsgBox(QStringLiteral("Please swipe or key the card for this %1.").arg(mode),
                  forms::vbOKOnly | forms::vbExclamation);
    txtCardNu.SetFocus();
    return;
  }
  // A tender that is not a card goes back only as an amount: a text such as
  // "25.50.00" (a ticket stored so, found by the Void lookup) would be
  // stored and printed as money it is not.
  const QString tender = txtGet.Text();
  if (cmdNext.Tag() != kCard && !tender.isEmpty() && !sales::isMoneyText(tender)) {
    forms::MsgBox(
        QStringLiteral("The tender ") + tender + QStringLiteral(" is not an amount. Please key it again."),
        forms::vbOKOnly | forms::vbExclamation);
    txtGet.SetFocus();
    return;
  }
  std::optional<sales::TenderResult> taken;
  runStep([&] {
    if (cmdNext.Tag() != kCard) {
      taken = TenderOnScreen();
    } else if (const std::optional<rt::Currency> remaining = RemainingDue()) {
      taken = LogoTender(logoBrand_, std::max(*remaining, rt::Currency()));
    }
  });
  if (!taken) {
    forms::MsgBox(QStringLiteral("An amount is too large. Please key it again."),
                  forms::vbOKOnly | forms::vbExclamation);
    return;
  }
  // A coupon or gift card above what is due would be paid out as change.
  if (const std::optional<QString> why =
          couponRefusal(dueHandedOver_, taken->tip, taken->coupon, taken->gift)) {
    forms::MsgBox(*why, forms::vbOKOnly | forms::vbExclamation);
    return;
  }
  // What was handed over must cover the amount due as the sales window
  // handed it over, with the tip.
  const rt::Currency balance = sales::changeOf(*taken, dueHandedOver_);
  if (balance < rt::Currency()) {
    forms::MsgBox(
        QStringLiteral("Balance of ") + rt::Format(balance, kChangeFormat) + QStringLiteral(" Due."),
        forms::vbOKOnly);
    txtGet.SetFocus();
    return;
  }
  sales::Sales().TakeTender(*taken);
  forms::Unload(*this);
}

void frmTender::SubmitCardByMode() {
  const QString mode = frame.Caption();
  if (mode == QLatin1String(kModes[Purchase]))
    CardPurchase(txtGet.Text());
  else if (mode == QLatin1String(kModes[Return]))
    CardReturn();
  else if (mode == QLatin1String(kModes[Force]))
    CardForce();
  else if (mode == QLatin1String(kModes[PreAuthorization]))
    CardPreAuth();
}

void frmTender::cmdClose_Click() {
  forms::Unload(*this);
}

// ---- keypad

void frmTender::comNumber_Click(int Index) {
  KeypadKey(QString::number(Index));
}

void frmTender::cmdBack_Click() {
  KeypadKey(QStringLiteral("00"));
}

void frmTender::KeypadKey(const QString& key) {
  const QString target = cmdKeypad.Tag();
  forms::TextBox* money = target.isEmpty()                         ? &txtGet
                          : target == QLatin1String("Ending")      ? &txtEnding
                          : target == QLatin1String("InputCoupon") ? &txtCoupon
                          : target == QLatin1String("InputTip")    ? &txtTips
                          : target == QLatin1String("InputGift")   ? &txtGiftCards
                                                                   : nullptr;
  forms::TextBox* text = target == QLatin1String("Inv")       ? &txtInv
                         : target == QLatin1String("Appr")    ? &txtApproval
                         : target == QLatin1String("CardNum") ? &txtCardNu
                         : target == QLatin1String("Exp")     ? &txtExp
                         : target == QLatin1String("Zip")     ? &txtZip
                         : target == QLatin1String("CVC")     ? &txtCVC
                                                              : nullptr;
  // An amount takes no more digits than it can show: a further key is
  // ignored rather than lost from the amount.
  if (money && !keypadTakes(txtFEntr.Text(), key)) return;
  txtFEntr.setText(txtFEntr.Text() + key);
  if (money) {
    money->setText(keypadAmount(txtFEntr.Text()));
  } else if (text) {
    if (text == &txtCardNu && txtCardNu.Text() == kSwipePrompt) txtCardNu.setText(QString());
    text->setText(text->Text() + txtFEntr.Text());
    txtFEntr.setText(QString());
  }
}

// ---- box clicks: a click empties the box and points the keypad at it

void frmTender::StartEntry(forms::TextBox& box, const QString& target) {
  box.setText(QString());
  txtFEntr.setText(QString());
  cmdKeypad.setTag(target);
}

void frmTender::txtGet_Click() {
  StartEntry(txtGet, QString());
}

void frmTender::txtEnding_Click() {
  StartEntry(txtEnding, QStringLiteral("Ending"));
}

void frmTender::txtCoupon_Click() {
  StartEntry(txtCoupon, QStringLiteral("InputCoupon"));
  txtCoupon.SetFocus();
}

void frmTender::txtTips_Click() {
  StartEntry(txtTips, QStringLiteral("InputTip"));
  txtTips.SetFocus();
  if (!txtApproval.Text().isEmpty())
    cmdForce_Click();
  else
    cmdPurchase_Click();
}

void frmTender::txtInv_Click() {
  StartEntry(txtInv, QStringLiteral("Inv"));
  txtCardNu.setText(QString());
  txtExp.setText(QString());
  txtEnding.setText(QString());
}

void frmTender::txtApproval_Click() {
  StartEntry(txtApproval, QStringLiteral("Appr"));
}

void frmTender::txtCardNu_Click() {
  txtExp.setText(QString());
  StartEntry(txtCardNu, QStringLiteral("CardNum"));
  // The prompt, all selected: the reader's text replaces it.
  txtCardNu.setText(kSwipePrompt);
  txtCardNu.setSelStart(0);
  txtCardNu.setSelLength(int(kSwipePrompt.size()));
}

void frmTender::txtExp_Click() {
  StartEntry(txtExp, QStringLiteral("Exp"));
}

void frmTender::txtZip_Click() {
  StartEntry(txtZip, QStringLiteral("Zip"));
}

void frmTender::txtCVC_Click() {
  StartEntry(txtCVC, QStringLiteral("CVC"));
}

// ---- tender buttons

void frmTender::cmdCash_Click() {
  cmdNext.setTag(QString());
  txtCardNu.setText(QString());
  txtGet.setText(txtEnding.Text());
  cmdNext.SetFocus();
}

void frmTender::cmdEmpty_Click() {
  txtGet.setText(QString());
  txtFEntr.setText(QString());
  cmdNext.setTag(QString());
}

void frmTender::cmdCoupon_Click() {
  cmdNext.setTag(QStringLiteral("Coupon"));
  cmdKeypad.setTag(QStringLiteral("InputCoupon"));
  UncoverCoupon();
  txtCoupon.SetFocus();
  txtFEntr.setText(QString());
}

void frmTender::UncoverCoupon() {
  txtCoupon.setVisible(true);
  cmdEmpty1.setVisible(true);
  cmdCoupon.setWidth(1215);
}

void frmTender::cmdEmpty1_Click() {
  txtCoupon.setText(QString());
}

// The gift card as the coupon: the button uncovers its box and points the
// keypad at it, so an amount is keyed by touch alone.
void frmTender::cmdGiftCards_Click() {
  txtGiftCards_Click();
}

void frmTender::txtGiftCards_Click() {
  // The target first: the box stays uncovered while it is emptied.
  cmdKeypad.setTag(QStringLiteral("InputGift"));
  StartEntry(txtGiftCards, QStringLiteral("InputGift"));
  txtGiftCards_Change();
  txtGiftCards.SetFocus();
}

void frmTender::cmdEmpty2_Click() {
  // An emptied gift card is covered again, and the keypad goes back to the
  // tender box.
  if (cmdKeypad.Tag() == QLatin1String("InputGift")) {
    cmdKeypad.setTag(QString());
    txtFEntr.setText(QString());
  }
  txtGiftCards.setText(QString());
}

// A card paid on a terminal of its own: the brand is the tender, and the
// sales window takes it at once as a card that paid what is left to pay. It
// pays a purchase only: in the card modes a card is run through the bridge.
void frmTender::CardLogo_Click(const QString& brand) {
  if (frame.Caption() != QLatin1String(kModes[Purchase])) {
    forms::MsgBox(QStringLiteral("A card paid on its own terminal is taken in Purchase mode."),
                  forms::vbOKOnly | forms::vbExclamation);
    return;
  }
  std::optional<sales::TenderResult> card;
  runStep([&] {
    if (const std::optional<rt::Currency> remaining = RemainingDue())
      card = LogoTender(brand, std::max(*remaining, rt::Currency()));
  });
  if (!card) return;
  if (const std::optional<QString> why = couponRefusal(dueHandedOver_, card->tip, card->coupon, card->gift)) {
    forms::MsgBox(*why, forms::vbOKOnly | forms::vbExclamation);
    return;
  }
  cmdNext.setTag(kCard);
  logoBrand_ = brand;
  txtGet.setText(brand);
  runStep([&] { PassCardTypeToSales(*card); });
}

std::optional<rt::Currency> frmTender::RemainingDue() {
  return remainingDue(dueHandedOver_, txtTips.Text(), txtCoupon.Text(), txtGiftCards.Text());
}

sales::TenderResult frmTender::TenderOnScreen() {
  sales::TenderResult t;
  t.cash = amountOf(txtGet.Text());
  t.coupon = amountOf(txtCoupon.Text());
  t.gift = amountOf(txtGiftCards.Text());
  t.tip = amountOf(txtTips.Text());
  return t;
}

sales::TenderResult frmTender::LogoTender(const QString& cardType, rt::Currency amount) {
  sales::TenderResult t = TenderOnScreen();
  t.cash = rt::Currency();  // the tender box holds the brand
  t.byCard = true;
  t.cardType = cardType;
  t.card = amount;
  return t;
}

// ---- change sums, in exact money; an amount out of range leaves the change
// box empty, which Submit refuses

namespace {

// Writes a sum into the change box as its plain decimal text (the box
// formats it). False when an amount was out of range: the box is emptied.
bool showChange(forms::TextBox& change, const std::function<rt::Currency()>& sum) {
  QString text;
  bool ok = true;
  try {
    text = plainAmount(sum());
  } catch (const rt::ConversionError&) {
    ok = false;
  }
  change.setText(text);
  return ok;
}

}  // namespace

void frmTender::txtGet_Change() {
  shell::ReformatAmount(txtGet, kMoney);
  if (cmdNext.Tag() == kCard) {
    showChange(txtReturn, [this] {
      const rt::Currency due = amountOf(txtEnding.Text());
      return due - due;
    });
    return;
  }
  TwoStepChange(txtGet, txtCoupon);
}

// Change <- gift card + `first` - (tip + amount due); then, when `second`
// holds something, change <- the change as the box shows it + `second`.
void frmTender::TwoStepChange(forms::TextBox& first, forms::TextBox& second) {
  const bool ok = showChange(txtReturn, [this, &first] {
    return amountOf(txtGiftCards.Text()) + amountOf(first.Text()) -
           (amountOf(txtTips.Text()) + amountOf(txtEnding.Text()));
  });
  if (ok && !second.Text().isEmpty())
    showChange(txtReturn, [this, &second] { return amountOf(txtReturn.Text()) + amountOf(second.Text()); });
}

void frmTender::txtCoupon_Change() {
  TwoStepChange(txtCoupon, txtGet);
}

void frmTender::txtGiftCards_Change() {
  TwoStepChange(txtCoupon, txtGet);
  // A gift-card amount uncovers its box, and so does the keypad pointing at
  // it; an empty one is covered again.
  const bool held = !txtGiftCards.Text().isEmpty() || cmdKeypad.Tag() == QLatin1String("InputGift");
  cmdGiftCards.setWidth(held ? 1215 : 3735);
  cmdEmpty2.setVisible(held);
}

void frmTender::txtTips_Change() {
  // The tip is charged with the card and printed on its slip: it is kept an
  // amount as the keypad writes one.
  shell::ReformatAmount(txtTips, kKeypadFormat);
  showChange(txtReturn, [this] {
    return amountOf(txtGet.Text()) + amountOf(txtCoupon.Text()) + amountOf(txtGiftCards.Text()) -
           (amountOf(txtEnding.Text()) + amountOf(txtTips.Text()));
  });
}

// The change follows a new amount due once something has been tendered, so a
// balance due is never passed as change; before that the change box stays
// empty for Submit to refuse.
void frmTender::txtEnding_Change() {
  shell::ReformatAmount(txtEnding, kChangeFormat);
  if (!txtGet.Text().isEmpty())
    txtGet_Change();
  else if (!txtCoupon.Text().isEmpty() || !txtGiftCards.Text().isEmpty() || !txtTips.Text().isEmpty())
    txtTips_Change();
}

void frmTender::txtReturn_Change() {
  txtReturn.setText(rt::Format(txtReturn.Text(), kChangeFormat));
}

void frmTender::txtGet_KeyPress(int& KeyAscii) {
  shell::AmountKeyPress(txtGet, KeyAscii);
}

void frmTender::txtEnding_KeyPress(int& KeyAscii) {
  shell::AmountKeyPress(txtEnding, KeyAscii);
}

void frmTender::txtTips_KeyPress(int& KeyAscii) {
  shell::AmountKeyPress(txtTips, KeyAscii);
}

void frmTender::txtCoupon_KeyPress(int& KeyAscii) {
  shell::AmountKeyPress(txtCoupon, KeyAscii);
}

void frmTender::txtGiftCards_KeyPress(int& KeyAscii) {
  shell::AmountKeyPress(txtGiftCards, KeyAscii);
}

// ---- modes

void frmTender::cmdPurchase_Click() {
  ChooseMode(Purchase);
}
void frmTender::cmdReturn_Click() {
  ChooseMode(Return);
}
void frmTender::cmdForce_Click() {
  ChooseMode(Force);
}
void frmTender::cmdPre_Click() {
  ChooseMode(PreAuthorization);
}
void frmTender::cmdVoid_Click() {
  ChooseMode(Void);
}

void frmTender::ResetModeButtons() {
  for (forms::CommandButton* b : {&cmdPurchase, &cmdReturn, &cmdForce, &cmdPre, &cmdVoid})
    b->setBackColor(forms::vbWhite);
}

// Each mode shows, hides, enables or disables the fields it needs; a control
// a mode does not name keeps its state, so a mode's fields also depend on
// the modes chosen before it. Nothing is emptied.
void frmTender::ChooseMode(int mode) {
  frame.setCaption(QString::fromLatin1(kModes[mode]));
  ResetModeButtons();
  forms::CommandButton* const modeButtons[] = {&cmdPurchase, &cmdReturn, &cmdForce, &cmdPre, &cmdVoid};
  modeButtons[mode]->setBackColor(kGreen);

  enum Act { Show, Hide, Enable, Disable, Keep };
  struct Row {
    std::initializer_list<forms::Control*> controls;
    Act acts[5];  // Purchase, Return, Force, Pre-Authorization, Void
  };
  const Row rows[] = {
      {{&cmdFind}, {Hide, Hide, Hide, Hide, Show}},
      {{&lblApproval, &txtApproval}, {Hide, Hide, Show, Hide, Hide}},
      {{&txtCardNu, &txtExp}, {Enable, Enable, Enable, Enable, Disable}},
      {{&txtAddress, &lblAddress, &txtZip, &lblZip, &txtCVC, &lblCVC}, {Show, Hide, Hide, Show, Hide}},
      {{&cmdCash, &txtGet, &cmdEmpty}, {Show, Keep, Keep, Show, Hide}},
      {{&Label1}, {Keep, Keep, Keep, Keep, Hide}},
      {{&lblTips, &txtTips, &cmdTips}, {Show, Hide, Keep, Show, Hide}},
      {{&cmdCoupon, &cmdEmpty1, &txtCoupon}, {Show, Hide, Hide, Show, Hide}},
  };
  for (const Row& row : rows) {
    for (forms::Control* c : row.controls) {
      switch (row.acts[mode]) {
        case Show:
          c->setVisible(true);
          break;
        case Hide:
          c->setVisible(false);
          break;
        case Enable:
          c->setEnabled(true);
          break;
        case Disable:
          c->setEnabled(false);
          break;
        case Keep:
          break;
      }
    }
  }
}

// ---- card fields

void frmTender::txtCardNu_Change() {
  // A swipe being read holds the whole track text, track 1 or track 2 alone:
  // it shows masked.
  const QString text = txtCardNu.Text();
  const QString mask = holdsTrackText(text) ? QStringLiteral("*") : QString();
  if (txtCardNu.PasswordChar() != mask) txtCardNu.setPasswordChar(mask);
  txtCardType.setText(cardTypeOf(text));
}

void frmTender::txtCardNu_KeyPress(int& KeyAscii) {
  // The card reader ends its text with Enter. A failure on this road ends the
  // Enter quietly; what the card road has to say it says itself.
  if (KeyAscii != 13 || !txtCardNu.Text().contains(QLatin1Char('%'))) return;
  KeyAscii = 0;
  runStep([this] { ProcessCardEntry(); });
}

void frmTender::txtCardType_Change() {
  HideCardLogos();
  struct Brand {
    const char* type;
    forms::CommandButton* logo;
    int markerLeft;
  };
  const Brand brands[] = {{"AMEX", &cmdAmEx, 8640},
                          {"VISA", &cmdVisa, 5880},
                          {"Master", &cmdMaster, 7200},
                          {"Discover", &cmdDiscover, 10080}};
  const QString type = txtCardType.Text();
  for (const Brand& b : brands) {
    if (type != QLatin1String(b.type)) continue;
    b.logo->setVisible(true);
    lblCard.setVisible(true);
    lblCard.setLeft(b.markerLeft);
    ShowProcessing();
    return;
  }
  cmdNext.setCaption(QStringLiteral("Submit"));
  txtAnswer.setVisible(false);
  ImgVantix.setVisible(false);
}

void frmTender::HideCardLogos() {
  for (forms::Control* c :
       std::initializer_list<forms::Control*>{&lblCard, &cmdAmEx, &cmdVisa, &cmdMaster, &cmdDiscover})
    c->setVisible(false);
}

void frmTender::ShowProcessing() {
  cmdNext.setCaption(QStringLiteral("Process"));
  txtAnswer.setVisible(true);
  ImgVantix.setVisible(true);
}

void frmTender::ClearCardFields() {
  for (forms::TextBox* b : {&txtCardNu, &txtCardType, &txtExp, &txtCVC, &txtAddress, &txtZip})
    b->setText(QString());
}

// The Void lookup: the card and amounts of a stored ticket. Every step that
// fails is passed over; a ticket that is not stored changes nothing.
void frmTender::cmdFind_Click() {
  runStep([this] {
    datOrders.setRecordSource(QStringLiteral("SELECT * FROM tblDy_Order ORDER BY Inv ASC"));
    datOrders.Refresh();
  });
  bool found = false;
  runStep([this, &found] {
    db::Recordset& rs = datOrders.Recordset();
    rs.findFirst(QStringLiteral("Inv = ?"), {txtInv.Text()});
    found = !rs.noMatch();
  });
  if (!found) return;
  const std::pair<forms::TextBox*, const char*> fills[] = {
      {&txtCardNu, "szNumber_Card"}, {&txtExp, "szExp_Card"}, {&txtEnding, "Total"}};
  for (const auto& [box, field] : fills) {
    runStep([this, box = box, field = field] {
      const QVariant value = datOrders.Recordset().field(QString::fromLatin1(field));
      if (!value.isNull()) box->setText(value.toString());
    });
  }
  runStep([this] {
    const QVariant received = datOrders.Recordset().field(QStringLiteral("Receive"));
    if (!received.isNull() && received.toString() != QLatin1String("0")) txtGet.setText(received.toString());
  });
}

// ---- the card road

void frmTender::ProcessCardEntry() {
  if (!ParseCardSwipe(txtCardNu.Text())) return;
  const QString mode = frame.Caption();
  if (mode == QLatin1String(kModes[Purchase])) {
    // A swiped purchase charges what is left to pay, whatever the tender box
    // held.
    const QString before = txtGet.Text();
    const std::optional<rt::Currency> amount = RemainingDue();
    if (!amount) {
      RefuseAmount(CardKind::Purchase);
      return;
    }
    txtGet.setText(plainAmount(*amount));
    CardPurchase(before);
  } else if (mode == QLatin1String(kModes[Return])) {
    CardReturn();
  } else if (mode == QLatin1String(kModes[Force])) {
    CardForce();
  } else if (mode == QLatin1String(kModes[PreAuthorization])) {
    CardPreAuth();
  }
  // Void: the swipe only fills the boxes.
}

bool frmTender::ParseCardSwipe(const QString& text) {
  const QString swipe = swipeText(text);
  txtString.setText(swipe);
  const std::optional<SwipedCard> card = parseCardSwipe(swipe);
  if (!card) return false;
  CardExpiry = card->expiry;
  ApplySwipedCard(card->number);
  return true;
}

void frmTender::ApplySwipedCard(const QString& cardNumber) {
  txtCardNu.setText(cardNumber);
  txtExp.setText(swapExpiry(CardExpiry));
  txtCardType.setText(cardTypeOf(txtCardNu.Text()));
}

void frmTender::CardPurchase(const QString& tenderBefore) {
  // Only Submit reaches a purchase with an empty tender box: it charges what
  // is left to pay.
  if (txtGet.Text().isEmpty()) {
    if (const std::optional<rt::Currency> amount = RemainingDue(); amount && *amount > rt::Currency())
      txtGet.setText(plainAmount(*amount));
  }
  RunCardTransaction(CardKind::Purchase, tenderBefore);
}

void frmTender::CardReturn() {
  RunCardTransaction(CardKind::Return, std::nullopt);
}

void frmTender::CardForce() {
  RunCardTransaction(CardKind::Force, std::nullopt);
}

void frmTender::CardPreAuth() {
  RunCardTransaction(CardKind::PreAuth, std::nullopt);
}

void frmTender::RefuseAmount(CardKind kind) {
  const QString message =
      kind == CardKind::Return ? QStringLiteral("Please Enter Your Return Amount For This Purchase!!!")
      : kind == CardKind::PreAuth
          ? QStringLiteral("Please Enter Your Tender Amount For This Pre-Auth Purchase!!!")
          : QStringLiteral("Please Enter Your Tender Amount For This Purchase!!!");
  forms::MsgBox(message, forms::vbOKOnly | forms::vbCritical);
  txtGet.SetFocus();
}

// The box and the swipe it held are emptied, so the reader's next text
// lands in an empty box.
void frmTender::RefuseTrackText() {
  txtCardNu.setText(QString());
  txtString.setText(QString());
  forms::MsgBox(QStringLiteral("The card could not be read. Please swipe it again or key the card number."),
                forms::vbOKOnly | forms::vbExclamation);
  txtCardNu.SetFocus();
}

void frmTender::ShowCardFailure(const QString& reason) {
  forms::MsgBox(QStringLiteral("Fail: ") + reason, forms::vbOKOnly);
  txtAnswer.setText(reason);
}

// One card transaction through the bridge. A purchase that does not end
// approved gives the tender box back what it held before the card road
// wrote the amount into it, before the clerk is told why: nothing stands as
// paid that was not.
void frmTender::RunCardTransaction(CardKind kind, const std::optional<QString>& tenderBefore) {
  const auto restoreTender = [this, &tenderBefore] {
    if (tenderBefore && IsLoaded()) txtGet.setText(*tenderBefore);
  };
  const auto refuse = [&](const QString& reason) {
    restoreTender();
    forms::MsgBox(reason, forms::vbOKOnly | forms::vbCritical);
    txtGet.SetFocus();
  };

  // A training ticket goes to the training file, which is emptied later: no
  // real card may be charged for it.
  if (training_) {
    restoreTender();
    forms::MsgBox(QStringLiteral("This station is on the training check book: no card transaction is sent to "
                                 "the card program in training."),
                  forms::vbOKOnly | forms::vbExclamation);
    return;
  }

  // A swipe the parser could not read, or a track text typed in, is no card
  // number: it is never sent, nor printed on the slip.
  if (holdsTrackText(txtCardNu.Text())) {
    restoreTender();
    RefuseTrackText();
    return;
  }

  const bool pays = kind == CardKind::Purchase || kind == CardKind::Force;
  const std::optional<rt::Currency> remaining = RemainingDue();
  std::optional<sales::TenderResult> others;  // coupon, gift card and tip as keyed
  runStep([&] { others = TenderOnScreen(); });
  if (!remaining || !others) {
    refuse(QStringLiteral("An amount is too large. Please key it again."));
    return;
  }
  const bool withTip = others->tip > rt::Currency();
  if (pays) {
    if (const std::optional<QString> why =
            couponRefusal(dueHandedOver_, others->tip, others->coupon, others->gift)) {
      refuse(*why);
      return;
    }
    if (*remaining <= rt::Currency()) {
      refuse(*chargeRefusal(kind, rt::Currency(), *remaining, dueHandedOver_, withTip));
      return;
    }
  }
  const std::optional<rt::Currency> charge = chargeableAmount(txtGet.Text());
  if (!charge) {
    restoreTender();
    RefuseAmount(kind);
    return;
  }
  // A purchase or a force pays exactly what is left to pay, and a return
  // gives back the ticket's total: the ticket records what the card was
  // charged or given.
  if (const std::optional<QString> why = chargeRefusal(kind, *charge, *remaining, dueHandedOver_, withTip)) {
    refuse(*why);
    return;
  }
  // What a purchase or force hands back once approved, and a return as the
  // refund the ticket becomes, made up before the card is run so that an
  // approval is never left unrecorded. A pre-authorisation pays nothing.
  std::optional<sales::TenderResult> payment;
  if (pays) {
    payment = *others;
    payment->cash = rt::Currency();
    payment->card = *charge;
  } else if (kind == CardKind::Return) {
    payment = sales::TenderResult();
    payment->refund = true;
    payment->card = rt::Currency() - *charge;
  }
  if (payment) {
    payment->byCard = true;
    payment->charged = true;
    payment->cardType = txtCardType.Text();
  }

  // A text the bridge would refuse is named here, and nothing is sent. A
  // swipe refused is let go, so that the number can be keyed instead.
  const bool sendsAddress = kind != CardKind::Return;
  if (const std::optional<CardTextRefusal> refused = refusedCardText(
          {{CardText::Clerk, txtEmply.Text()},
           {CardText::Receipt, QStringLiteral("DovrelPOS") + txtInv.Text()},
           {CardText::CardNumber, txtCardNu.Text()},
           {CardText::Expiry, CardExpiry},
           {CardText::Swipe, kind == CardKind::Force ? QString() : txtString.Text()},
           {CardText::Amount, plainAmount(*charge)},
           {CardText::Zip, sendsAddress ? txtZip.Text() : QString()},
           {CardText::Address, sendsAddress ? txtAddress.Text() : QString()},
           {CardText::CVV2,
            kind == CardKind::Purchase || kind == CardKind::PreAuth ? txtCVC.Text() : QString()},
           {CardText::ApprovalCode, kind == CardKind::Force ? txtApproval.Text() : QString()}})) {
    if (refused->box == CardText::Swipe) txtString.setText(QString());
    restoreTender();
    forms::MsgBox(refused->message, forms::vbOKOnly | forms::vbExclamation);
    return;
  }

  if (!bridge_.get()) {
    IVantixTransaction* created = nullptr;
    const HRESULT hr = CreateBridge(&created);
    if (FAILED(hr) || created == nullptr) {
      // A failed creation leaves no object: the next transaction tries again.
      restoreTender();
      ShowCardFailure(bridgeCreationFailure(FAILED(hr) ? hr : E_FAIL));
      return;
    }
    bridge_.adopt(created);
  }

  const QString captions[] = {QStringLiteral("Purchase"), QStringLiteral("Return"),
                              QStringLiteral("Post Auth"), QStringLiteral("Pre-Auth")};
  const std::int32_t hHandle = hWnd();
  const com::Bstr TranFolder(
      bridgeText(QString::fromStdString(files::localPath(Text1.Text().toStdString()))));
  const com::Bstr TranCaption(bridgeText(captions[int(kind)]));
  const com::Bstr Clerk(bridgeText(txtEmply.Text()));
  const com::Bstr Receipt(bridgeText(QStringLiteral("DovrelPOS") + txtInv.Text()));
  const com::Bstr CC(bridgeText(txtCardNu.Text()));
  const com::Bstr Exp(bridgeText(CardExpiry));
  const com::Bstr Swipe(bridgeText(kind == CardKind::Force ? QString() : txtString.Text()));
  const com::Bstr Amount(bridgeText(plainAmount(*charge)));
  const com::Bstr Approval(bridgeText(txtApproval.Text()));
  const com::Bstr Zip(bridgeText(txtZip.Text()));
  const com::Bstr Address(bridgeText(txtAddress.Text()));
  const com::Bstr CV(bridgeText(txtCVC.Text()));
  com::Bstr errorMsg, approvalCode, avsResult, cvv2Result;
  VARIANT_BOOL TranResult = VARIANT_FALSE;

  // Each call empties the outputs it returns, then fills them.
  IVantixTransaction* bridge = bridge_.get();
  HRESULT hr = S_OK;
  com::ClearErrorInfo();
  switch (kind) {
    case CardKind::Purchase:
    case CardKind::PreAuth: {
      // Purchase and pre-authorisation take the same parameters.
      const auto method =
          kind == CardKind::Purchase ? &IVantixTransaction::CCPurchase : &IVantixTransaction::CCPreAuth;
      ErrorMsg.clear(), ApprovalCode.clear(), AVSResult.clear(), CVV2Result.clear();
      hr = (bridge->*method)(hHandle, TranFolder.get(), TranCaption.get(), Clerk.get(), Receipt.get(),
                             CC.get(), Exp.get(), Swipe.get(), Amount.get(), Zip.get(), Address.get(),
                             CV.get(), errorMsg.out(), approvalCode.out(), avsResult.out(), cvv2Result.out(),
                             &TranResult);
      break;
    }
    case CardKind::Return:
      ErrorMsg.clear(), ApprovalCode.clear();
      hr = bridge->CCReturn(hHandle, TranFolder.get(), TranCaption.get(), Clerk.get(), Receipt.get(),
                            CC.get(), Exp.get(), Swipe.get(), Amount.get(), errorMsg.out(),
                            approvalCode.out(), &TranResult);
      break;
    case CardKind::Force:
      ErrorMsg.clear(), AVSResult.clear();
      hr = bridge->CCForce(hHandle, TranFolder.get(), TranCaption.get(), Clerk.get(), Receipt.get(), CC.get(),
                           Exp.get(), Swipe.get(), Amount.get(), Approval.get(), Zip.get(), Address.get(),
                           errorMsg.out(), avsResult.out(), &TranResult);
      break;
  }
  // The dialog may have been closed while the bridge waited; a charge it
  // approved still pays the ticket.
  if (!IsLoaded()) {
    if (SUCCEEDED(hr) && TranResult != VARIANT_FALSE && payment) PassCardTypeToSales(*payment);
    return;
  }

  if (FAILED(hr)) {
    com::ErrorInfo info;
    const QString reason = com::GetErrorInfo(&info) && !info.description.empty()
                               ? QString::fromStdString(info.description)
                               : QStringLiteral("Error %1 in the payment bridge")
                                     .arg(static_cast<std::uint32_t>(hr), 8, 16, QLatin1Char('0'));
    restoreTender();
    ShowCardFailure(reason);
    return;
  }

  ErrorMsg = fromBridge(errorMsg);
  if (kind != CardKind::Force) ApprovalCode = fromBridge(approvalCode);
  if (kind != CardKind::Return) AVSResult = fromBridge(avsResult);
  if (kind == CardKind::Purchase || kind == CardKind::PreAuth) CVV2Result = fromBridge(cvv2Result);

  if (TranResult != VARIANT_FALSE) {
    if (kind == CardKind::PreAuth) {
      // The approval code travels to the sales window; the swipe stays here.
      sales::frmSales& sales = sales::Sales();
      sales.txtString.setTag(ApprovalCode);
      sales.txtString.setText(QString());
    }
    PrintCardReceipt(payment);
    return;
  }
  restoreTender();
  forms::MsgBox(cardFailureText(ErrorMsg), forms::vbOKOnly);
  txtAnswer.setText(ErrorMsg);
}

void frmTender::PassCardTypeToSales(const sales::TenderResult& card) {
  sales::Sales().TakeTender(card);
}

// ---- the card receipt: printed on the receipt printer, a second copy on
// request; a printing step that fails is passed over (a copy that could not
// be handed over is told), but the payment is always handed back and the
// dialog always closes

void frmTender::PrintCardReceipt(const std::optional<sales::TenderResult>& payment) {
  runStep([] { SelectReceiptPrinter(); });
  runStep([] { print::Printer().setFontName(QStringLiteral("courier new")); });

  const bool isForce = frame.Caption() == QLatin1String(kModes[Force]);
  const auto printCopy = [this, isForce] {
    CardReceipt r;
    shell::frmInfor& store = shell::Infor();
    r.storeLine1 = store.txtL1.Text();
    r.storeLine2 = store.txtL2.Text();
    r.storeLine3 = store.txtL3.Text();
    r.ticket = txtInv.Text();
    r.clerk = txtEmply.Text();
    r.date = rt::ShortDate(QDate::currentDate());
    r.time = rt::LongTime(QTime::currentTime());
    r.cardType = txtCardType.Text();
    r.cardNumber = txtCardNu.Text();
    r.authCode = isForce ? txtApproval.Text() : ApprovalCode;
    r.amount = txtGet.Text();
    r.tips = txtTips.Text();
    r.isReturn = frame.Caption() == QLatin1String(kModes[Return]);
    printCardReceiptCopy(print::Printer(), r);
    // The clerk needs the slip for the signature: a copy that went nowhere,
    // not even to a PDF file, is told.
    const print::Handover handover = print::Printer().EndDoc();
    if (!handover.done())
      forms::MsgBox(QStringLiteral("The card receipt could not be printed: ") + handover.failure,
                    forms::vbExclamation);
  };
  runStep(printCopy);
  int answer = forms::vbNo;
  runStep([&answer] {
    answer = forms::MsgBox(
        QStringLiteral(" Do you want to print out sencond copy of the credit card receipt?"), forms::vbYesNo);
  });
  if (answer == forms::vbYes) runStep(printCopy);

  if (payment) runStep([&] { PassCardTypeToSales(*payment); });
  forms::Unload(*this);
}

frmTender& Tender() {
  return forms::global<frmTender>();
}

}  // namespace tender
