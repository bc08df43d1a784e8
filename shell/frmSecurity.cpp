#include "shell/frmSecurity.h"

#include "shell/appinfo.h"
#include "shell/dataopen.h"
#include "shell/placement.h"

namespace shell {

frmSecurity::frmSecurity() : Form("frmSecurity") {
  setMDIChild(true);
  setBorderStyle(3);
  setCaption(QStringLiteral("Security"));
  setWidth(px(440));
  setHeight(px(250));

  Label1.setCaption(QStringLiteral("Security Settings"));
  Label1.setFont(QStringLiteral("MS Sans Serif"), 13.5, true);
  Label1.Move(px(20), px(14), px(400), px(28));

  struct Row {
    forms::Label* caption;
    const char* text;
    forms::CheckBox* box;
    forms::Data* source;
    const char* field;
  };
  const Row rows[] = {
      {&lblEmplyID, "Print Orders w Employees ID:", &chkEmplyID, &datPW, "szID_nu"},
      {&lblItmDelSec, "Delete orders with password:", &chkItmDelSec, &datPW, "ItmDeSecl"},
      {&lblecd, "Open drawer with password:", &chkecd, &datcmdSet, "ecd"},
  };
  int top = 60;
  for (const Row& r : rows) {
    r.caption->setCaption(QString::fromLatin1(r.text));
    r.caption->setFontBold(true);
    r.caption->Move(px(20), px(top + 3), px(240), px(20));
    // The box's own caption reads "Disabled" whatever its value.
    r.box->setCaption(QStringLiteral("Disabled"));
    r.box->setBackColor(kSettingsGreen);
    r.box->Move(px(270), px(top), px(150), px(26));
    r.box->setDataSource(*r.source);
    r.box->setDataField(QString::fromLatin1(r.field));
    top += 36;
  }

  cmdClose.setCaption(QStringLiteral("Close"));
  cmdClose.Move(px(300), px(180), px(120), px(48));

  datPW.setConnect(QStringLiteral("Access 2000;"));
  datPW.setRecordSource(QStringLiteral("tabPword"));
  datcmdSet.setConnect(QStringLiteral("Access 2000;"));
  datcmdSet.setRecordSource(QStringLiteral("tbSet"));

  cmdClose.onClick = [this] { cmdClose_Click(); };
  Label1.onClick = [this] { Label1_Click(); };
}

void frmSecurity::Form_Load() {
  setBackColor(kSettingsGreen);
  Place(4);
  const QString settings = kInstallFolder + QStringLiteral("Duzo98HS.mdb");
  datPW.setDatabaseName(settings);
  datcmdSet.setDatabaseName(settings);
  DataOpener opener;
  opener.open({&datPW, &datcmdSet});
  opener.report();
}

void frmSecurity::cmdClose_Click() {
  forms::Unload(*this);
}

void frmSecurity::Label1_Click() {
  forms::Unload(*this);
}

frmSecurity& Security() {
  return forms::global<frmSecurity>();
}

}  // namespace shell
