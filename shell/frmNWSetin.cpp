#include "shell/frmNWSetin.h"

#include "platform/files/paths.h"
#include "platform/forms/msgbox.h"
#include "shell/appinfo.h"
#include "shell/dataopen.h"
#include "shell/steps.h"

namespace shell {

namespace {

const QString kDefaultServerPath = QStringLiteral("\\\\Server\\");
const QString kDefaultDataFolder = QStringLiteral("Dovrel POS 4\\");
const QString kDriveDataFolder = QStringLiteral("C\\Program Files\\Dovrel POS 4\\");
const QString kSettingsFile = QStringLiteral("Duzo98HS.mdb");

bool fileOnStation(const QString& path) {
  return files::fileExists(files::localPath(path.toStdString()));
}

}  // namespace

QString normalisedServerPath(const QString& path) {
  QString p = path;
  if (!p.startsWith(QLatin1String("\\\\"))) p.prepend(QLatin1String("\\\\"));
  if (!p.endsWith(QLatin1Char('\\'))) p.append(QLatin1Char('\\'));
  return p;
}

QString normalisedDataFolder(const QString& folder) {
  return folder.endsWith(QLatin1Char('\\')) ? folder : folder + QLatin1Char('\\');
}

frmNWSetin::frmNWSetin() : Form("frmNWSetin"), probe(fileOnStation) {
  setMDIChild(true);
  setBorderStyle(3);
  setCaption(QStringLiteral("Data Location"));
  setWidth(7680);
  setHeight(5160);

  const int labelLeft = 240, boxLeft = 2520, boxWidth = 4680, rowHeight = 375;
  lblMode.setCaption(QStringLiteral("Mode:"));
  lblMode.Move(labelLeft, 300, 2160, rowHeight);
  txtNWsetin.Move(boxLeft, 240, boxWidth, rowHeight);
  txtNWsetin.setLocked(true);

  lblPath.setCaption(QStringLiteral("Server Name:"));
  lblPath.Move(labelLeft, 840, 2160, rowHeight);
  txtPath.setText(kDefaultServerPath);
  txtPath.Move(boxLeft, 780, boxWidth, rowHeight);

  lblData.setCaption(QStringLiteral("Shared Data Location:"));
  lblData.Move(labelLeft, 1380, 2160, rowHeight);
  txtData.setText(kDefaultDataFolder);
  txtData.Move(boxLeft, 1320, boxWidth, rowHeight);

  lblLocal.setCaption(QStringLiteral(" Data Location:"));
  lblLocal.Move(labelLeft, 1920, 2160, rowHeight);
  Text1.setText(QStringLiteral("C:\\Program Files\\Dovrel POS 4"));
  Text1.Move(boxLeft, 1860, boxWidth, rowHeight);
  Text1.setLocked(true);

  lblNote1.setCaption(
      QStringLiteral("File Sharing don't share your Menu data and same Settings in your Sever. "));
  lblNote1.Move(labelLeft, 2460, 6960, 450);
  lblNote2.setCaption(QStringLiteral(
      "If you using same Menu data for all stations.  Please copy bak.mdb file into your other station.  "));
  lblNote2.Move(labelLeft, 2940, 6960, 450);
  for (forms::Label* note : {&lblNote1, &lblNote2}) note->setWordWrap(true);

  cmdSingle.setCaption(QStringLiteral("Single/Sever"));
  cmdSingle.Move(240, 3720, 2220, 780);
  cmdShare.setCaption(QStringLiteral("File Sharing"));
  cmdShare.Move(2700, 3720, 2220, 780);
  cmdClose.setCaption(QStringLiteral("Close"));
  cmdClose.Move(5160, 3720, 2040, 780);
  for (forms::CommandButton* b : {&cmdSingle, &cmdShare, &cmdClose})
    b->setFont(QStringLiteral("Arial"), 11, true);

  txtNWsetin.setDataSource(DatSet);
  txtNWsetin.setDataField(QStringLiteral("SetC"));
  txtPath.setDataSource(DatSet);
  txtPath.setDataField(QStringLiteral("SetP"));
  txtData.setDataSource(DatSet);
  txtData.setDataField(QStringLiteral("SetO"));
  DatSet.setConnect(QStringLiteral("Access 2000;"));

  cmdShare.onClick = [this] { cmdShare_Click(); };
  cmdSingle.onClick = [this] { cmdSingle_Click(); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
}

void frmNWSetin::Form_Load() {
  setBackColor(kSettingsGreen);
  Place(5);

  // Without its settings row the window still opens, on its design texts;
  // the message names the file that could not be opened, or what its table
  // lacks.
  loadFailure_.reset();
  DataOpener opener;
  DatSet.setDatabaseName(kInstallFolder + kSettingsFile);
  DatSet.setRecordSource(QStringLiteral("SELECT * FROM tbSet ORDER BY ID ASC"));
  if (!opener.open({&DatSet})) loadFailure_ = opener.problems().join(QLatin1Char('\n'));
  if (!loadFailure_)
    runStep([this] {
      loadFailure_ = missingField(DatSet, QStringLiteral("tbSet"),
                                  {QStringLiteral("SetC"), QStringLiteral("SetP"), QStringLiteral("SetO")});
      if (!loadFailure_ && !DatSet.Recordset().hasCurrentRow())
        loadFailure_ = QStringLiteral("The table tbSet of %1 holds no row.").arg(kSettingsFile);
    });
  if (loadFailure_) {
    // Told by this window, or by the window whose opening loaded it.
    opener.add(DatSet.DatabaseName(), *loadFailure_);
    if (!quietLoad_) opener.report();
    return;
  }

  // A server path that was never set ("-") gets the design path. The box is
  // bound to the same "-", so it is the design text that is written.
  try {
    db::Recordset& rs = DatSet.Recordset();
    if (rs.hasCurrentRow() && rs.field(QStringLiteral("SetP")).toString() == QLatin1String("-")) {
      rs.edit();
      rs.setField(QStringLiteral("SetP"), kDefaultServerPath);
      rs.update();
      txtPath.setText(kDefaultServerPath);
    }
  } catch (const std::exception&) {
    // The row keeps its "-"; the next load tries again.
  }
}

void frmNWSetin::cmdShare_Click() {
  // Each step that fails is skipped and the next one runs.
  auto found = [this] {
    try {
      return probe && probe(txtPath.Text() + txtData.Text() + kSettingsFile);
    } catch (const std::exception&) {
      return false;
    }
  };

  runStep([this] { txtPath.setText(normalisedServerPath(txtPath.Text())); });
  runStep([this] { txtData.setText(normalisedDataFolder(txtData.Text())); });

  bool ok = found();
  if (!ok) {
    runStep([this] { txtData.setText(kDefaultDataFolder); });
    ok = found();
  }
  if (!ok) {
    runStep([this] { txtData.setText(kDriveDataFolder); });
    ok = found();
  }

  if (ok) {
    forms::MsgBox(QStringLiteral("Server ") + txtPath.Text() +
                  QStringLiteral(" found. Now your datas will be save into this Server."));
    txtNWsetin.setText(QStringLiteral("File Sharing"));
  } else {
    forms::MsgBox(QStringLiteral("Files or Server not found. Please check your Network in Control Planel. ") +
                  txtPath.Text() + QStringLiteral(" Error !!! "));
    txtNWsetin.setText(QStringLiteral("Single"));
  }
}

void frmNWSetin::cmdSingle_Click() {
  forms::MsgBox(QStringLiteral("This Station will disconnect from Server. ") + txtPath.Text());
  txtNWsetin.setText(QStringLiteral("Single"));
}

void frmNWSetin::cmdClose_Click() {
  forms::Unload(*this);
}

frmNWSetin& NWSetin() {
  return forms::global<frmNWSetin>();
}

std::optional<QString> frmNWSetin::settingsFailure() {
  loadQuietly(*this, quietLoad_);
  if (loadFailure_) return loadFailure_;
  return placementModeProblem(txtNWsetin.Text());
}

std::optional<QString> dataLocationFailure() {
  return NWSetin().settingsFailure();
}

DataLocation currentDataLocation() {
  frmNWSetin& w = NWSetin();
  return DataLocation{w.txtNWsetin.Text(), w.txtPath.Text(), w.txtData.Text()};
}

}  // namespace shell
