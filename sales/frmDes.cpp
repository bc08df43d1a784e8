#include "sales/frmDes.h"

#include <string>

#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "sales/frmSales.h"
#include "sales/gridticket.h"
#include "sales/menuitem.h"
#include "shell/steps.h"

namespace sales {

namespace {

using shell::runStep;

constexpr forms::Color kPadGreen = forms::RGB(192, 255, 192);
constexpr int kColumnLefts[5] = {180, 1560, 2940, 4320, 5700};
constexpr int kRowTops[8] = {2160, 3000, 3840, 4680, 5520, 6360, 7200, 8040};

}  // namespace

frmDes::frmDes() : Form("frmDes") {
  setBorderStyle(0);
  setControlBox(false);
  setWidth(7260);
  setHeight(9015);
  setBackColor(kPadGreen);

  const QString tahoma = QStringLiteral("Tahoma");
  const QString comic = QStringLiteral("Comic Sans MS");

  txtQty.Move(600, 240, 615, 435);
  txtQty.setText(QStringLiteral("1"));
  txtQty.setFont(tahoma, 14.25, true);
  txtQty.setAlignment(forms::vbCenter);
  cmdQty.Move(600, 240, 655, 455);
  cmdQty.setCaption(QStringLiteral("+Qty"));
  cmdQty.setFont(QStringLiteral("MS Sans Serif"), 12, true);
  txtSpl.Move(1320, 240, 3495, 435);
  txtSpl.setFont(tahoma, 14.25, true);
  txtSpl.setTabIndex(0);  // the modifier text has the focus when the pad opens
  txtPrice.Move(4920, 240, 855, 435);
  txtPrice.setFont(tahoma, 14.25, true);
  cmdLine.Move(6120, 120, 975, 735);
  cmdLine.setCaption(QStringLiteral("Default"));
  cmdLine.setFont(comic, 11.25, true);

  for (int n = 1; n <= 5; ++n) {
    forms::CommandButton& b = wordButton(n);
    b.Move(kColumnLefts[n - 1], 1560, 1400, 615);
    b.setCaption(padWord(n).trimmed());
    b.setBackColor(kPadGreen);
    b.setFont(comic, 14.25, true);
    b.onClick = [this, n] { word_Click(n); };
  }

  for (int n = kFirstAddOn; n <= kLastAddOn; ++n) {
    const int i = n - kFirstAddOn;
    // cmdClose takes the last column of rows 7 and 8: the buttons of those
    // rows fill their first four columns.
    const int row = i < 30 ? i / 5 : 6 + (i - 30) / 4;
    const int col = i < 30 ? i % 5 : (i - 30) % 4;
    const std::string name = "cmd" + std::to_string(n);
    auto b = std::make_unique<forms::CommandButton>(this, name.c_str());
    b->Move(kColumnLefts[col], kRowTops[row], 1400, 855);
    b->setBackColor(forms::vbWhite);
    b->setFont(comic, 9.75, true);
    b->setUseMnemonic(false);  // add-on names
    b->onClick = [this, n] { cmd_Click(n); };
    addOns_.push_back(std::move(b));
  }

  cmdClose.Move(5700, 7200, 1400, 1695);
  cmdClose.setCaption(QStringLiteral("Enter "));
  cmdClose.setFont(comic, 14.25, true);

  for (forms::CommandButton* b : {&cmdQty, &cmdLine, &cmdClose}) b->setBackColor(forms::vbWhite);
  for (forms::CommandButton* b :
       {&cmdQty, &cmdLine, &Command1, &Command2, &Command3, &Command4, &Command5, &cmdClose})
    b->setStyle(1);
  for (auto& b : addOns_) b->setStyle(1);

  txtPrice.onClick = [this] { txtPrice_Click(); };
  txtQty.onClick = [this] { txtQty_Click(); };
  cmdQty.onClick = [this] { cmdQty_Click(); };
  txtSpl.onClick = [this] { txtSpl_Click(); };
  cmdLine.onClick = [this] { cmdLine_Click(); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
}

forms::CommandButton& frmDes::cmd(int n) const {
  if (n < kFirstAddOn || n > kLastAddOn)
    throw forms::Error(QStringLiteral("There is no button cmd%1").arg(n), 340);
  return *addOns_[n - kFirstAddOn];
}

forms::CommandButton& frmDes::wordButton(int n) {
  forms::CommandButton* const words[5] = {&Command1, &Command2, &Command3, &Command4, &Command5};
  return *words[n - 1];
}

// The pad sits towards the right of the screen (its left edge computed from
// the width it was created with) and halfway down.
void frmDes::Form_Load() {
  runStep([this] { setBackColor(kPadGreen); });
  runStep([this] { setLeft((float(forms::Screen::Width()) - float(Width())) / 1.1f); });
  runStep([this] { setWidth(7790); });
  runStep([this] { setTop((forms::Screen::Height() - Height()) / 2.0); });
}

void frmDes::word_Click(int n) {
  txtSpl.setText(txtSpl.Text() + padWord(n));
}

void frmDes::cmd_Click(int n) {
  forms::CommandButton& b = cmd(n);
  const std::optional<QString> key = keyText(n);
  if (key && b.Caption() == *key) {
    if (*key == QLatin1String("Clear")) {
      for (int k : kKeypadButtons) {
        cmd(k).setFontSize(10);
        cmd(k).setCaption(QString());
      }
    } else if (*key == QLatin1String(".")) {
      txtPrice.setText(txtPrice.Text() + *key);
    } else if (cmdQty.Tag() == QLatin1String("On")) {
      txtQty.setText(*key);
    } else {
      txtPrice.setText(txtPrice.Text() + *key);
    }
    return;
  }
  // An add-on whose price is not an amount would go on the ticket at no
  // price: it is not added.
  if (const std::optional<QString> refused = addOnRefusal(b.Caption(), b.Tag())) {
    forms::MsgBox(*refused, forms::vbExclamation);
    return;
  }
  txtSpl.setText(withAddOn(txtSpl.Text(), b.Caption()));
  txtPrice.setText(priceWithAddOn(txtPrice.Text(), b.Tag()));
}

// The twelve keypad buttons show their keys, over the add-ons' names (their
// price tags stay).
void frmDes::showKeypad() {
  for (int k : kKeypadButtons) {
    cmd(k).setFontSize(18);
    cmd(k).setCaption(*keyText(k));
  }
}

void frmDes::txtPrice_Click() {
  txtPrice.setText(QString());
  cmdQty.setTag(QString());
  showKeypad();
}

void frmDes::txtQty_Click() {
  txtQty.setText(QString());
  cmdQty.setTag(QStringLiteral("On"));
  showKeypad();
}

void frmDes::cmdQty_Click() {
  cmdQty.setVisible(false);
  cmdQty.setTag(QStringLiteral("On"));
  txtQty_Click();
}

void frmDes::txtSpl_Click() {
  txtSpl.setText(QString());
}

void frmDes::cmdLine_Click() {
  cmdLine.setCaption(cmdLine.Caption() == QLatin1String("Default") ? QStringLiteral("UpLine")
                                                                   : QStringLiteral("Default"));
}

void frmDes::cmdClose_Click() {
  frmSales& sales = Sales();
  PadEntry pad{txtSpl.Text(), txtPrice.Text(), txtQty.Text(), cmdLine.Caption()};
  GridTicket grid(sales.grdOrderItems);
  QString subtotal = sales.txtTotal.Text();
  const PadCommit outcome = commitModifier(pad, saved_, grid, sales.lblScrn.Caption(), subtotal);
  if (outcome == PadCommit::InvalidPrice || outcome == PadCommit::InvalidCount) {
    forms::MsgBox(outcome == PadCommit::InvalidPrice ? QStringLiteral("Invalid price")
                                                     : QStringLiteral("Invalid quantity"),
                  forms::vbExclamation);
    return;
  }
  if (outcome == PadCommit::PricedLine) sales.txtTotal.setText(subtotal);
  forms::Unload(*this);
}

frmDes& Des() {
  return forms::global<frmDes>();
}

}  // namespace sales
