#include "shell/frmReset.h"

#include "platform/db/database.h"
#include "platform/db/recordset.h"
#include "platform/files/paths.h"
#include "platform/forms/msgbox.h"
#include "shell/appinfo.h"
#include "shell/dataopen.h"
#include "shell/frmMsgbox.h"
#include "shell/placement.h"

namespace shell {

namespace {

const QString kLive = QStringLiteral("Check Book");
const QString kTraining = QStringLiteral("Training Check Book");

}  // namespace

frmReset::frmReset() : Form("frmReset") {
  setMDIChild(true);
  setBorderStyle(3);
  setCaption(QStringLiteral("Check Book"));
  setWidth(px(420));
  setHeight(px(300));

  Label1.setCaption(QStringLiteral("Using"));
  Label1.Move(px(20), px(22), px(60), px(20));
  txtDisplay.Move(px(84), px(18), px(220), px(26));
  txtDisplay.setLocked(true);
  txtDisplay.setFont(QStringLiteral("MS Sans Serif"), 9.75, true);

  imgChk.setPicture(QStringLiteral(":/pictures/checkbook.png"));
  imgChk.Move(px(20), px(64), px(96), px(64));
  lblBusiness.setCaption(QStringLiteral("Business Use."));
  lblBusiness.Move(px(128), px(88), px(150), px(20));
  imgWchk.setPicture(QStringLiteral(":/pictures/tick.png"));
  imgWchk.Move(px(296), px(72), px(48), px(48));

  imgTrain.setPicture(QStringLiteral(":/pictures/training.png"));
  imgTrain.Move(px(20), px(144), px(96), px(64));
  lblTraining.setCaption(QStringLiteral("Training Use Only"));
  lblTraining.Move(px(128), px(168), px(150), px(20));
  imgWtrain.setPicture(QStringLiteral(":/pictures/tick.png"));
  imgWtrain.Move(px(296), px(152), px(48), px(48));
  for (forms::Label* caption : {&Label1, &lblBusiness, &lblTraining}) caption->setFontBold(true);

  cmdReset.setCaption(QStringLiteral("Fresh"));
  cmdReset.Move(px(20), px(232), px(120), px(48));
  cmdClose.setCaption(QStringLiteral("Close"));
  cmdClose.Move(px(280), px(232), px(120), px(48));

  // As for any text other than "Check Book": until the row says otherwise
  // the window shows training, and "Fresh" is not offered.
  imgWchk.setVisible(false);
  cmdReset.setVisible(false);

  txtDisplay.setDataSource(datChkBook);
  txtDisplay.setDataField(QStringLiteral("Reset_txt"));
  datChkBook.setConnect(QStringLiteral("Access 2000;"));
  datChkBook.setRecordSource(QStringLiteral("tbReset"));

  imgChk.onClick = [this] { imgChk_Click(); };
  imgTrain.onClick = [this] { imgTrain_Click(); };
  txtDisplay.onChange = [this] { txtDisplay_Change(); };
  cmdReset.onClick = [this] { cmdReset_Click(); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
}

void frmReset::Form_Load() {
  setBackColor(kSettingsGreen);
  Place(4);
  datChkBook.setDatabaseName(kInstallFolder + QStringLiteral("Duzo98HS.mdb"));

  loadFailure_.reset();
  DataOpener opener;
  if (opener.open({&datChkBook})) {
    // A table without its row gets the first-install row, so that a choice
    // has somewhere to be stored.
    db::Recordset& rs = datChkBook.Recordset();
    loadFailure_ = missingField(datChkBook, QStringLiteral("tbReset"), {QStringLiteral("Reset_txt")});
    if (!loadFailure_ && rs.recordCount() == 0) {
      try {
        rs.addNew();
        rs.setField(QStringLiteral("Reset_txt"), kLive);
        rs.update();
      } catch (const std::exception& e) {
        if (rs.editMode() != db::EditMode::None) rs.cancelUpdate();
        loadFailure_ = QString::fromUtf8(e.what());
      }
    }
  } else {
    loadFailure_ = opener.problems().join(QLatin1Char('\n'));
  }
  // Told by this window, or by the window whose opening loaded it.
  if (loadFailure_) opener.add(datChkBook.DatabaseName(), *loadFailure_);
  if (!quietLoad_) opener.report();
}

std::optional<QString> frmReset::settingsFailure() {
  loadQuietly(*this, quietLoad_);
  if (loadFailure_) return loadFailure_;
  return checkBookModeProblem(txtDisplay.Text());
}

void frmReset::imgChk_Click() {
  txtDisplay.setText(kLive);
  imgWchk.setVisible(true);
  imgWtrain.setVisible(false);
}

void frmReset::imgTrain_Click() {
  txtDisplay.setText(kTraining);
  imgWtrain.setVisible(true);
  imgWchk.setVisible(false);
}

void frmReset::txtDisplay_Change() {
  const bool live = isLiveCheckBook(txtDisplay.Text());
  imgWchk.setVisible(live);
  imgWtrain.setVisible(!live);
  cmdReset.setVisible(live);
}

// Empties the training tickets: the install folder's empty template is copied
// over the install folder's TOrdr.mdb (also in "File Sharing" mode; the
// shared files and Ordr.mdb are never touched). The copy goes through the
// database layer, so a window that holds the training file open reads the
// empty file afterwards.
void frmReset::cmdReset_Click() {
  ShowPrompt(QStringLiteral("4"));
  const QString answer = cmdReset.Tag();
  cmdReset.setTag(QString());
  if (answer != QLatin1String("Yes")) return;

  const QString templateFile = kInstallFolder + QStringLiteral("BpOrdr.mdb");
  if (!files::fileExists(files::localPath(templateFile.toStdString()))) {
    forms::MsgBox(QStringLiteral("BPORDR File Missing, Training Invoices can not be delete."));
    return;
  }
  try {
    db::copyDatabase(templateFile, kInstallFolder + QStringLiteral("TOrdr.mdb"));
  } catch (const db::Error& e) {
    // The reason names the file.
    forms::MsgBox(QStringLiteral("The training invoices were not deleted: ") + e.message(),
                  forms::vbExclamation);
  }
}

void frmReset::cmdClose_Click() {
  forms::Unload(*this);
}

frmReset& Reset() {
  return forms::global<frmReset>();
}

QString currentCheckBookMode() {
  return Reset().txtDisplay.Text();
}

std::optional<QString> checkBookModeFailure() {
  return Reset().settingsFailure();
}

}  // namespace shell
