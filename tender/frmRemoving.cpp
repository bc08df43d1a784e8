#include "tender/frmRemoving.h"

#include <QDateTime>
#include <memory>

#include "platform/convert/datetext.h"
#include "platform/db/recordset.h"
#include "platform/forms/msgbox.h"
#include "sales/frmSales.h"
#include "shell/dataopen.h"
#include "shell/placement.h"
#include "shell/steps.h"

namespace tender {

namespace {

using shell::runStep;

constexpr forms::Color kGreen = forms::RGB(192, 255, 192);
constexpr forms::Color kKeyColor = forms::RGB(192, 192, 255);
constexpr forms::Color kCaptionBlue = forms::RGB(0, 0, 192);

const QString kUpper = QStringLiteral("-A-");
const QString kLower = QStringLiteral("-a-");

// The keyboard's rows: each letter with its left edge.
struct KeyPlace {
  char letter;
  int left;
  int top;
};
constexpr KeyPlace kKeys[] = {
    {'Q', 120, 5040},  {'W', 1020, 5040}, {'E', 1920, 5040}, {'R', 2820, 5040}, {'T', 3720, 5040},
    {'Y', 4620, 5040}, {'U', 5520, 5040}, {'I', 6420, 5040}, {'O', 7320, 5040}, {'P', 8220, 5040},
    {'A', 555, 5760},  {'S', 1455, 5760}, {'D', 2355, 5760}, {'F', 3240, 5760}, {'G', 4155, 5760},
    {'H', 5055, 5760}, {'J', 5955, 5760}, {'K', 6855, 5760}, {'L', 7755, 5760}, {'Z', 975, 6480},
    {'X', 1875, 6480}, {'C', 2790, 6480}, {'V', 3705, 6480}, {'B', 4620, 6480}, {'N', 5520, 6480},
    {'M', 6420, 6480},
};

}  // namespace

frmRemoving::frmRemoving() : Form("frmRemoving") {
  setBorderStyle(2);
  setControlBox(false);
  setTitleBar(false);
  setWidth(9825);
  setHeight(7995);

  const QString arial = QStringLiteral("Arial");
  const QString sans = QStringLiteral("MS Sans Serif");

  txtType.Move(960, 120, 735, 285);
  txtType.setBackColor(kGreen);
  txtType.setAlignment(forms::vbCenter);
  Label1.Move(1920, 120, 495, 615);
  Label1.setCaption(QStringLiteral("X"));
  Label1.setForeColor(forms::RGB(255, 0, 0));
  Label1.setFont(arial, 24, true);
  Label1.setAlignment(forms::vbCenter);
  Label1.setBackStyle(0);
  txtItem.Move(2520, 120, 4095, 615);
  txtItem.setForeColor(forms::RGB(255, 0, 0));
  txtItem.setBackColor(kGreen);
  txtItem.setFont(arial, 18, true);
  txtItem.setAlignment(forms::vbCenter);
  txtPrice.Move(6600, 120, 1095, 615);
  txtPrice.setText(QStringLiteral("00.00"));
  txtPrice.setBackColor(kGreen);
  txtPrice.setFont(arial, 15.75, true);
  txtPrice.setAlignment(forms::vbCenter);
  // An item with its option, or a price of four digits, shows whole in a
  // smaller face instead of running out of its box.
  txtItem.setFitText(true);
  txtPrice.setFitText(true);
  Label3.Move(7680, 45, 2055, 375);
  Label3.setCaption(QStringLiteral("by Manager:"));
  Label3.setForeColor(kCaptionBlue);
  Label3.setFont(sans, 13.5, true);
  Label3.setBackStyle(0);
  txtManager.Move(7800, 380, 1815, 360);
  txtManager.setForeColor(kCaptionBlue);
  txtManager.setBackColor(kGreen);
  txtManager.setFont(sans, 9.75, true);
  txtManager.setAlignment(forms::vbCenter);
  ImgID.Move(240, 240, 480, 480);
  ImgID.setPicture(QStringLiteral(":/tender/clerk.png"));
  txtWaiter.Move(360, 480, 1335, 285);
  txtWaiter.setBackColor(kGreen);
  txtWaiter.setAlignment(forms::vbCenter);
  Label2.Move(0, 1080, 1335, 375);
  Label2.setCaption(QStringLiteral("Reason:"));
  Label2.setForeColor(kCaptionBlue);
  Label2.setFont(sans, 13.5, true);
  Label2.setBackStyle(0);
  txtReason.Move(1440, 1080, 8175, 495);
  txtReason.setFont(arial, 14.25, true);
  txtReason.setTabIndex(0);  // it has the focus when the dialog opens
  txtReason.onClick = [this] { txtReason_Click(); };
  txtReason.onChange = [this] { txtReason_Change(); };

  // Four columns of three rows, reasons 1 to 4 in the first row.
  const int lefts[4] = {120, 2520, 4920, 7320};
  const int tops[3] = {2040, 3000, 3960};
  datReason.setConnect(QStringLiteral("Access 2000;"));
  datReason.setRecordSource(QStringLiteral("tbRemov"));
  for (int n = 1; n <= 12; ++n) {
    const int left = lefts[(n - 1) % 4], top = tops[(n - 1) / 4];
    forms::TextBox& box = reasonBox(n);
    box.Move(left, top, 2415, 975);
    box.setVisible(false);
    box.setDataSource(datReason);
    box.setDataField(QStringLiteral("R%1").arg(n));
    forms::CommandButton& b = reasonButton(n);
    b.Move(left, top, 2415, 975);
    b.setStyle(1);
    b.setBackColor(kGreen);
    b.setFont(arial, 12, true);
    b.setUseMnemonic(false);  // the salon's own reasons
    b.onClick = [this, n] { cmdRmsg_Click(n); };
  }

  for (const KeyPlace& k : kKeys) {
    const QChar letter = QLatin1Char(k.letter);
    forms::CommandButton& b = letterKey(letter);
    b.Move(k.left, k.top, 900, 700);
    b.setCaption(QString(letter));
    b.onClick = [this, letter] { Letter_Click(letter); };
  }
  cmdUn(0).Move(9120, 5040, 570, 700);
  cmdUn(1).Move(120, 5760, 450, 700);
  std::vector<forms::CommandButton*> keys = {&cmdUn(0), &cmdUn(1)};
  for (const KeyPlace& k : kKeys) keys.push_back(&letterKey(QLatin1Char(k.letter)));
  for (forms::CommandButton* b : keys) {
    b->setStyle(1);
    b->setBackColor(kKeyColor);
    b->setFont(arial, 15.75, true);
  }
  cmdKyBack.Move(8640, 5760, 1050, 710);
  cmdKyBack.setPicture(QStringLiteral(":/tender/backspace.png"));
  cmdKyBack.setToolTipText(QStringLiteral("Back Space"));
  cmdCaps.Move(120, 6480, 855, 700);
  cmdCaps.setCaption(kUpper);
  cmdCaps.setFont(arial, 18, true);
  cmdSpace.Move(120, 7200, 7180, 735);
  for (forms::CommandButton* b : {&cmdKyBack, &cmdCaps, &cmdSpace}) {
    b->setStyle(1);
    b->setBackColor(kKeyColor);
  }
  cmdEnter.Move(7320, 6480, 2370, 1455);
  cmdEnter.setCaption(QStringLiteral("Enter/ Exit"));
  cmdEnter.setStyle(1);
  cmdEnter.setBackColor(forms::RGB(192, 255, 255));
  cmdEnter.setFont(arial, 15.75, true);
  cmdKyBack.onClick = [this] { cmdKyBack_Click(); };
  cmdCaps.onClick = [this] { cmdCaps_Click(); };
  cmdSpace.onClick = [this] { cmdSpace_Click(); };
  cmdEnter.onClick = [this] { cmdEnter_Click(); };

  datRemv.setConnect(QStringLiteral("Access 2000;"));
  datRemv.setRecordSource(QStringLiteral("tblRemv"));
}

forms::TextBox& frmRemoving::reasonBox(int n) {
  forms::TextBox* const boxes[12] = {&txtRmsg1, &txtRmsg2, &txtRmsg3, &txtRmsg4,  &txtRmsg5,  &txtRmsg6,
                                     &txtRmsg7, &txtRmsg8, &txtRmsg9, &txtRmsg10, &txtRmsg11, &txtRmsg12};
  return *boxes[n - 1];
}

forms::CommandButton& frmRemoving::reasonButton(int n) {
  forms::CommandButton* const buttons[12] = {&cmdRmsg1, &cmdRmsg2,  &cmdRmsg3,  &cmdRmsg4,
                                             &cmdRmsg5, &cmdRmsg6,  &cmdRmsg7,  &cmdRmsg8,
                                             &cmdRmsg9, &cmdRmsg10, &cmdRmsg11, &cmdRmsg12};
  return *buttons[n - 1];
}

forms::CommandButton& frmRemoving::letterKey(QChar letter) {
  forms::CommandButton* const letters[26] = {&cmdA, &cmdB, &cmdC, &cmdD, &cmdE, &cmdF, &cmdG, &cmdH, &cmdI,
                                             &cmdJ, &cmdK, &cmdL, &cmdM, &cmdN, &cmdO, &cmdP, &cmdQ, &cmdR,
                                             &cmdS, &cmdT, &cmdU, &cmdV, &cmdW, &cmdX, &cmdY, &cmdZ};
  const int i = letter.toUpper().unicode() - 'A';
  if (i < 0 || i >= 26) throw forms::Error(QStringLiteral("No key for ") + letter, 5);
  return *letters[i];
}

void frmRemoving::Form_Load() {
  removal_.reset();
  setBackColor(kGreen);
  Place(5);
  // The stylist of the ticket on the sales window; a sales window that is not
  // open has none, and is not opened for it.
  if (sales::Sales().IsLoaded()) runStep([this] { txtWaiter.setText(sales::Sales().lblID.Caption()); });

  // Both files where the placement puts them; the station settings too come
  // from the server in file sharing. A file that will not open is named once.
  const shell::DataLocation where = shell::currentDataLocation();
  const std::pair<forms::Data*, QString> files[] = {{&datRemv, QStringLiteral("Remv.mdb")},
                                                    {&datReason, QStringLiteral("Duzo98HS.mdb")}};
  for (const auto& [data, file] : files) {
    if (const std::optional<QString> path = shell::placeDatabase(where, file)) data->setDatabaseName(*path);
  }
  shell::DataOpener opener;
  opener.open({&datRemv, &datReason});
  opener.report();
}

void frmRemoving::Form_Activate() {
  for (int n = 1; n <= 12; ++n) runStep([this, n] { reasonButton(n).setCaption(reasonBox(n).Text()); });
}

// Only "Enter/ Exit" closes the dialog, so that every removal it was shown
// for is logged or told.
void frmRemoving::Form_QueryUnload(int& Cancel, int UnloadMode) {
  if (UnloadMode == forms::vbFormControlMenu) Cancel = 1;
}

// The caret goes after the appended reason, where the next key is typed
// (writing a box's text puts its caret at the start).
void frmRemoving::cmdRmsg_Click(int n) {
  txtReason.setText(txtReason.Text() + reasonBox(n).Text());
  txtReason.setSelStart(int(txtReason.Text().size()));
}

void frmRemoving::Letter_Click(QChar letter) {
  const QChar key = cmdCaps.Caption() == kLower ? letter.toLower() : letter.toUpper();
  txtReason.SetFocus();
  TypeIntoReason(QString(key));
}

void frmRemoving::cmdSpace_Click() {
  txtReason.SetFocus();
  TypeIntoReason(QStringLiteral(" "));
}

void frmRemoving::cmdKyBack_Click() {
  txtReason.SetFocus();
  const QString text = txtReason.Text();
  const int at = txtReason.SelStart();
  const int length = txtReason.SelLength();
  if (length > 0) {
    txtReason.setText(text.left(at) + text.mid(at + length));
    txtReason.setSelStart(at);
  } else if (at > 0) {
    txtReason.setText(text.left(at - 1) + text.mid(at));
    txtReason.setSelStart(at - 1);
  }
  if (txtReason.Text().isEmpty()) cmdCaps.setCaption(kUpper);
}

void frmRemoving::cmdCaps_Click() {
  cmdCaps.setCaption(cmdCaps.Caption() == kUpper ? kLower : kUpper);
}

void frmRemoving::txtReason_Click() {
  txtReason.setText(QString());
}

void frmRemoving::txtReason_Change() {
  if (!txtReason.Text().isEmpty()) cmdCaps.setCaption(kLower);
}

void frmRemoving::TypeIntoReason(const QString& text) {
  const QString before = txtReason.Text();
  const int at = txtReason.SelStart();
  const int length = txtReason.SelLength();
  txtReason.setText(before.left(at) + text + before.mid(at + length));
  txtReason.setSelStart(at + int(text.size()));
}

// The removal as the boxes hold it, with the moment it was taken. A removal
// log that did not open is told, and the dialog closes all the same; the
// sales window then keeps the line.
void frmRemoving::cmdEnter_Click() {
  removal_.reset();
  if (datRemv.IsOpen()) {
    removal_ = sales::RemovalLogEntry{txtType.Text(),
                                      txtWaiter.Text(),
                                      txtItem.Text(),
                                      txtPrice.Text(),
                                      txtReason.Text(),
                                      txtManager.Text(),
                                      QDateTime::currentDateTime()};
  } else {
    forms::MsgBox(QStringLiteral("The removal could not be logged: %1 could not be opened.")
                      .arg(shell::fileName(datRemv.DatabaseName())),
                  forms::vbExclamation);
  }
  forms::Unload(*this);
}

QString logRemovals(const std::vector<sales::RemovalLogEntry>& removals, bool commit) {
  const QString name = QStringLiteral("Remv.mdb");
  const std::optional<QString> path = shell::placeDatabase(shell::currentDataLocation(), name);
  if (!path) return QStringLiteral("%1 has no place on this station.").arg(name);
  const QString file = shell::fileName(*path);
  try {
    const std::shared_ptr<db::Database> log = db::Database::open(*path);
    sales::appendRemovals(*log, removals, commit);
    return QString();
  } catch (const db::Error& e) {
    return shell::writeFailure(e, file);
  } catch (const std::exception&) {
    return QStringLiteral("%1 could not be written.").arg(file);
  }
}

frmRemoving& Removing() {
  return forms::global<frmRemoving>();
}

}  // namespace tender
