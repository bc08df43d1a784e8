#include "shell/frmTakeOutPW.h"

#include "platform/convert/number.h"
#include "platform/db/recordset.h"
#include "platform/forms/screen.h"
#include "shell/Module1.h"
#include "shell/frmSecurity.h"
#include "shell/placement.h"
#include "shell/steps.h"

namespace shell {

namespace {

const QString kDelItems = QStringLiteral("DelItems");

std::function<KeypadSalesControls()>& salesHook() {
  static std::function<KeypadSalesControls()> hook;
  return hook;
}

std::function<forms::Control&()>& managerHook() {
  static std::function<forms::Control&()> hook;
  return hook;
}

KeypadSalesControls sales() {
  return salesHook() ? salesHook()() : KeypadSalesControls{};
}

QString salesTag() {
  const KeypadSalesControls s = sales();
  return s.form ? s.form->Tag() : QString();
}

QString gridTag() {
  const KeypadSalesControls s = sales();
  return s.grdOrderItems ? s.grdOrderItems->Tag() : QString();
}

// Writes an entry into one of the sales window's boxes, which runs that
// box's change step at once. An error when there is no box to write.
void deliver(forms::Control* box, const QString& entry) {
  if (!box) throw forms::Error(QStringLiteral("There is no sales window to deliver the entry to"));
  box->setText(entry);
}

bool approves(const QString& level) {
  return level == QLatin1String("Level 3") || level == QLatin1String("Level 2");
}

}  // namespace

bool keypadTakes(const QString& entry, int length) {
  return entry.size() >= length && rt::Val(entry) > 1;
}

KeypadRoute keypadRoute(const QString& salesTag, const QString& gridTag) {
  if (gridTag == kDelItems) return KeypadRoute::ManagerCheck;
  if (salesTag == QLatin1String("Waiter")) return KeypadRoute::Waiter;
  if (salesTag == QLatin1String("Qty")) return KeypadRoute::Qty;
  if (salesTag == QLatin1String("Percent")) return KeypadRoute::Percent;
  return KeypadRoute::ManagerCheck;
}

QString keypadTitle(const QString& salesTag) {
  if (salesTag == QLatin1String("Waiter")) return QStringLiteral("Enter Your ID");
  if (salesTag == QLatin1String("Percent")) return QStringLiteral("Sales Percentage");
  if (salesTag == QLatin1String("Qty")) return QStringLiteral("Enter Your Quantity");
  if (salesTag == QLatin1String("Tip")) return QStringLiteral("Enter Tip Percentage");
  return QStringLiteral("Enter ID");
}

void setKeypadSalesControls(std::function<KeypadSalesControls()> controls) {
  salesHook() = std::move(controls);
}

void setRemovalManagerBox(std::function<forms::Control&()> box) {
  managerHook() = std::move(box);
}

frmTakeOutPW::frmTakeOutPW() : Form("frmTakeOutPW") {
  setBorderStyle(3);
  setControlBox(false);
  setWidth(4560);
  setHeight(4335);
  setBackColor(forms::RGB(192, 192, 255));

  lblTitle.Move(120, 120, 3975, 495);
  lblTitle.setCaption(QStringLiteral("Enter ID"));
  lblTitle.setFont(QStringLiteral("MS Sans Serif"), 18, true);
  lblTitle.setBackStyle(0);

  txtPassword.Move(3120, 720, 1365, 720);
  txtPassword.setFont(QStringLiteral("Arial"), 27.75, true);
  txtPassword.setBackColor(forms::RGB(255, 255, 192));

  // Two columns of five: 1 to 5 on the left, 6 to 9 and 0 on the right.
  const int tops[5] = {720, 1425, 2115, 2820, 3510};
  for (int d = 0; d <= 9; ++d) {
    const int place = d == 0 ? 9 : d - 1;
    forms::CommandButton& b = comNumber(d);
    b.Move(place < 5 ? 120 : 1515, tops[place % 5], 1400, 720);
    b.setStyle(1);
    b.setPicture(QStringLiteral(":/pictures/digit%1.png").arg(d));
    b.onClick = [this, d] { comNumber_Click(d); };
  }

  Del.Move(3120, 1440, 1365, 855);
  Del.setCaption(QStringLiteral("Delete"));
  Del.setFont(QStringLiteral("Arial"), 14.25, true);
  cmdEnter.Move(3135, 2295, 1335, 1935);
  cmdEnter.setCaption(QStringLiteral("Enter"));
  cmdEnter.setFont(QStringLiteral("Arial"), 24, true);

  datInfor.setConnect(QStringLiteral("Access 2000;"));
  datInfor.setRecordSource(QStringLiteral("tbEmplo"));

  Del.onClick = [this] { Del_Click(); };
  cmdEnter.onClick = [this] { cmdEnter_Click(); };
  txtPassword.onClick = [this] { txtPassword_Click(); };
  txtPassword.onChange = [this] { txtPassword_Change(); };
}

void frmTakeOutPW::Form_Load() {
  const QString tag = salesTag();
  if (!tag.isEmpty()) {
    lblTitle.setCaption(keypadTitle(tag));
    Move((forms::Screen::Width() - Width()) / 5.0, (forms::Screen::Height() - Height()) / 1.2);
  }
  // Without a placed staff file the binding stays closed and the manager
  // check finds nobody; a file that cannot be read is treated the same,
  // without a word.
  const std::optional<QString> staff = placeDatabase(currentDataLocation(), QStringLiteral("Infor.mdb"));
  if (staff) {
    datInfor.setDatabaseName(*staff);
    runStep([this] { datInfor.Refresh(); });
  }
}

// A deletion mark lasts one opening: a later sign-in is never taken for a
// manager's code, and the next click on the line asks again.
void frmTakeOutPW::Form_Unload(int&) {
  runStep([] {
    const KeypadSalesControls s = sales();
    if (s.grdOrderItems && s.grdOrderItems->Tag() == kDelItems) s.grdOrderItems->setTag(QString());
  });
}

void frmTakeOutPW::comNumber_Click(int Index) {
  const int d = Index > 9 ? Index - 48 : Index;
  if (d < 0 || d > 9) return;
  if (salesTag() == QLatin1String("Waiter"))
    runStep([this] { txtPassword.setPasswordChar(QStringLiteral("*")); });
  runStep([this] {
    if (QWidget* w = txtPassword.widget()) w->repaint();
  });
  runStep([this, d] { txtPassword.setText(txtPassword.Text() + QString::number(d)); });
}

void frmTakeOutPW::Del_Click() {
  txtPassword.setText(QString());
}

void frmTakeOutPW::txtPassword_Click() {
  txtPassword.setText(QString());
}

// A delivery may run the sales window's stylist lookup, which closes the
// keypad from inside this step: nothing of the keypad is touched after it.
void frmTakeOutPW::txtPassword_Change() {
  const QString entry = txtPassword.Text();
  const KeypadSalesControls s = sales();
  const KeypadRoute route = keypadRoute(salesTag(), gridTag());
  switch (route) {
    case KeypadRoute::Waiter:
      if (keypadTakes(entry, kSignInLength)) deliver(s.txtWaiter, entry);
      return;
    case KeypadRoute::Qty:
    case KeypadRoute::Percent:
      if (!keypadTakes(entry, 2)) return;
      deliver(route == KeypadRoute::Qty ? s.txtQty : s.txtPercent, entry);
      forms::Unload(*this);
      return;
    case KeypadRoute::ManagerCheck:
      CheckManagerId();
      return;
  }
}

void frmTakeOutPW::cmdEnter_Click() {
  const QString entry = txtPassword.Text();
  const KeypadSalesControls s = sales();
  switch (keypadRoute(salesTag(), gridTag())) {
    case KeypadRoute::Waiter:
      deliver(s.txtWaiter, entry);
      break;
    case KeypadRoute::Qty:
      deliver(s.txtQty, entry);
      break;
    case KeypadRoute::Percent:
      deliver(s.txtPercent, entry);
      break;
    case KeypadRoute::ManagerCheck:
      break;
  }
  // The lookup may have closed the keypad already; unloading it again does
  // nothing.
  forms::Unload(*this);
}

// The whole entry must be a sign-in code: a prefix of a longer code, or a
// stylist's code, approves nothing.
void frmTakeOutPW::CheckManagerId() {
  const QString entry = txtPassword.Text();
  if (!keypadTakes(entry, kSignInLength)) return;

  bool found = false;
  QString firstName;
  const bool searched = runStep([&] {
    db::Recordset& rs = datInfor.Recordset();
    rs.findFirst(QStringLiteral("szID_no = ?"), {entry});
    found = !rs.noMatch();
    if (!found) return;
    setTag(rs.field(QStringLiteral("szLevel_nu")).toString());
    firstName = rs.field(QStringLiteral("sFirst_nm")).toString();
  });
  if (searched && !found) {
    forms::Unload(*this);
    return;
  }
  // A staff file that could not be searched leaves the level found last in
  // this opening, if any.
  const QString level = Tag();

  if (gridTag() == kDelItems) {
    if (!approves(level)) return;  // "Delete" and another code may follow
    runStep([] {
      if (forms::Control* grid = sales().grdOrderItems) grid->setTag(QString());
    });
    runStep([] { Security().chkItmDelSec.setTag(QStringLiteral("Allow")); });
    runStep([&firstName] {
      if (managerHook()) managerHook()().setText(firstName);
    });
    forms::Unload(*this);
    return;
  }
  if (approves(level)) runStep([] { KickCashDrawer(); });
  forms::Unload(*this);
}

bool frmTakeOutPW::KeyPressNumericValid(int KeyAscii) {
  if (KeyAscii == 46 || KeyAscii == 8 || KeyAscii < 48 || KeyAscii > 57) return false;
  forms::Control* focused = ActiveControl();
  if (focused && focused->Name() == QLatin1String("comNumber")) comNumber_Click(KeyAscii);
  return false;
}

frmTakeOutPW& TakeOutPW() {
  return forms::global<frmTakeOutPW>();
}

}  // namespace shell
