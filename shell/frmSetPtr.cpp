#include "shell/frmSetPtr.h"

#include "platform/forms/msgbox.h"
#include "platform/print/catalogue.h"
#include "platform/print/dialog.h"
#include "shell/appinfo.h"
#include "shell/placement.h"

namespace shell {

namespace {

const QString kSettingsFile = QStringLiteral("DUZO98HS.mdb");

// The port lists of the boxes.
const QStringList kPorts = {"None", "LPT1:", "LPT2:", "COM1:", "COM2:", "USB001", "USB002", "Network"};
const QStringList kPortsBar = {
    "None", "LPT1:", "LPT2:", "COM1:", "COM2:", "COM3:", "COM4:", "USB001", "USB002", "Network"};
const QStringList kPortsSalad = {
    "None", "LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:", "USB001", "USB002"};

void fill(forms::ComboBox& box, const QStringList& items) {
  for (const QString& item : items) box.AddItem(item);
}

}  // namespace

frmSetPtr::frmSetPtr() : Form("frmSetPtr") {
  setMDIChild(true);
  setBorderStyle(0);
  setControlBox(false);
  setBackColor(kSettingsGreen);
  setWidth(14400);
  setHeight(10200);

  lblHeading.setCaption(QStringLiteral("Printer Settings"));
  lblHeading.Move(240, 120, 13920, 480);
  lblHeading.setFont(QStringLiteral("Arial"), 16, true);
  lblHeading.setAlignment(forms::vbCenter);

  // Five printer blocks and the drawer, three to a row.
  struct Block {
    forms::Label* heading;
    forms::Label* letter;  // the routing letter beside the heading, if any
    forms::ComboBox* port;
    forms::Label* typeLabel;
    forms::ComboBox* type;
    forms::Label* whereLabel;
    forms::TextBox* path;
    forms::Label* routeLabel;
    forms::ComboBox* route;
    forms::Label* legend;
    forms::CheckBox* price;
  };
  const Block blocks[] = {
      {&lblFront, nullptr, &Cmb1, &lblType1, &cmbType, &lblWhere1, &txtPtr1, &lblRoute1, &cmbPtr1,
       &lblLegend1, nullptr},
      {&lblKitchen1, &lblKPtr1, &Cmb2, &lblType2, &cmbType2, &lblWhere2, &txtPtr2, &lblRoute2, &cmbPtr2,
       &lblLegend2, &chkPtr2},
      {&lblKitchen2, &lblKPtr2, &Cmb3, &lblType3, &cmbType3, &lblWhere3, &txtPtr3, &lblRoute3, &cmbPtr3,
       &lblLegend3, &chkPtr3},
      {&lblBar, &Label4, &Cmb4, &lblType4, &cmbType4, &lblWhere4, &txtPtr4, &lblRoute4, &cmbPtr4, &lblLegend4,
       &chkPtr4},
      {&lblSalad, &Label19, &Cmb5, &lblType5, &cmbType5, &lblWhere5, &txtPtr5, &lblRoute5, &cmbPtr5,
       &lblLegend5, &chkPtr5},
  };
  const char* headings[] = {"Front Printer Port:", "Kitchen -", "Kitchen -", "Bar Printer -",
                            "Salad Printer -"};
  const char* legends[] = {"Print All Items", "A = Print A Items", "B = Print B Items", "D= Print Drinks",
                           "S= Print Salad"};
  const int columns[] = {240, 4920, 9600};
  const int rows[] = {840, 4080};
  for (int i = 0; i < 5; ++i) {
    const Block& b = blocks[i];
    const int x = columns[i % 3], y = rows[i / 3];
    b.heading->setCaption(QString::fromLatin1(headings[i]));
    b.heading->Move(x, y, b.letter ? 1560 : 2100, 360);
    if (b.letter) b.letter->Move(x + 1580, y, 500, 360);
    b.port->Move(x + 2160, y - 30, 2280, 360);
    b.typeLabel->setCaption(QStringLiteral("Type:"));
    b.typeLabel->Move(x, y + 540, 840, 330);
    b.type->Move(x + 900, y + 510, 3540, 360);
    b.whereLabel->setCaption(QStringLiteral("Where:"));
    b.whereLabel->Move(x, y + 1020, 840, 330);
    b.path->Move(x + 900, y + 990, 3540, 360);
    b.routeLabel->setCaption(i == 4 ? QStringLiteral("Printer") : QStringLiteral("Screen/Printer"));
    b.routeLabel->Move(x, y + 1500, 1500, 330);
    b.route->Move(x + 1560, y + 1470, 840, 360);
    b.legend->setCaption(QString::fromLatin1(legends[i]));
    b.legend->Move(x + 2520, y + 1500, 2040, 330);
    if (b.price) {
      b.price->setCaption(QStringLiteral("Print Price"));
      b.price->Move(x, y + 1980, 1800, 330);
      b.price->setBackColor(kSettingsGreen);
    }
    for (forms::Label* l : {b.heading, b.letter, b.typeLabel, b.whereLabel, b.routeLabel, b.legend}) {
      if (!l) continue;
      l->setBackStyle(0);
      l->setFont(QStringLiteral("Arial"), 9, true);
    }
  }
  lblDrawer.setCaption(QStringLiteral("Cash Drawer"));
  lblDrawer.Move(columns[2], rows[1], 2100, 360);
  lblDrawer.setBackStyle(0);
  lblDrawer.setFont(QStringLiteral("Arial"), 9, true);
  cmbECD.Move(columns[2] + 2160, rows[1] - 30, 2280, 360);

  Frame1.setCaption(QStringLiteral("Available Printer"));
  Frame1.Move(1680, 7200, 7800, 2760);
  Frame1.setBackColor(kSettingsGreen);
  Frame1.setFont(QStringLiteral("Arial"), 9, true);
  lstPrinters.setContainer(Frame1);
  lstPrinters.Move(120, 360, 7560, 2280);

  cmdClose.Move(240, 8880, 1200, 1080);
  cmdPtr.Move(9720, 8880, 1200, 1080);
  Command1.setCaption(QStringLiteral("?"));
  Command1.setFont(QStringLiteral("Arial"), 20, true);
  Command1.Move(11340, 8880, 1200, 1080);
  cmdNext.Move(12960, 8880, 1200, 1080);
  cmdPtr.setPicture(QStringLiteral(":/pictures/printer.png"));
  cmdClose.setPicture(QStringLiteral(":/pictures/back.png"));
  cmdNext.setPicture(QStringLiteral(":/pictures/next.png"));
  for (forms::CommandButton* b : {&cmdPtr, &cmdClose, &cmdNext}) b->setStyle(1);

  // Every box takes typed text, so a stored text that is not in its list
  // still shows.
  const std::pair<forms::Bound*, const char*> bound[] = {
      {&Cmb1, "Port"},       {&cmbType, "szType"},   {&txtPtr1, "szPath1"}, {&lblKPtr1, "szScrnA"},
      {&Cmb2, "Port2"},      {&cmbType2, "szType2"}, {&txtPtr2, "szPath2"}, {&cmbPtr2, "szScrnA"},
      {&chkPtr2, "chkPtr2"}, {&lblKPtr2, "szScrnB"}, {&Cmb3, "Port3"},      {&cmbType3, "szType3"},
      {&txtPtr3, "szPath3"}, {&cmbPtr3, "szScrnB"},  {&chkPtr3, "chkPtr3"}, {&Label4, "szScrnD"},
      {&Cmb4, "Port4"},      {&cmbType4, "szType4"}, {&txtPtr4, "szPath4"}, {&cmbPtr4, "szScrnD"},
      {&chkPtr4, "chkPtr4"}, {&Label19, "szScrnS"},  {&Cmb5, "Port5"},      {&cmbType5, "szType5"},
      {&txtPtr5, "szPath5"}, {&cmbPtr5, "szScrnS"},  {&chkPtr5, "chkPtr5"}, {&cmbECD, "Port6"}};
  for (const auto& [box, field] : bound) {
    box->setDataSource(datcmdSet);
    box->setDataField(QString::fromLatin1(field));
  }

  Cmb1.onClick = [this] { Cmb1_Click(); };
  Cmb2.onClick = [this] { Cmb2_Click(); };
  Cmb3.onClick = [this] { Cmb3_Click(); };
  Cmb4.onClick = [this] { Cmb4_Click(); };
  Command1.onClick = [this] { Command1_Click(); };
  cmdPtr.onClick = [this] { cmdPtr_Click(); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
  cmdNext.onClick = [this] { cmdNext_Click(); };
}

void frmSetPtr::Form_Load() {
  setBackColor(kSettingsGreen);
  Place(5);

  // The binding opens when the load step ends; a file that cannot be opened
  // is reported then, once, and the window still opens with its lists.
  datcmdSet.setDatabaseName(kInstallFolder + kSettingsFile);
  datcmdSet.setConnect(QStringLiteral("Access 2000;"));
  datcmdSet.setRecordSource(QStringLiteral("tbSet"));

  for (forms::ComboBox* type : {&cmbType, &cmbType2, &cmbType3, &cmbType4, &cmbType5})
    type->AddItem(QString());
  for (const print::PrinterInfo& printer : print::Printers()) {
    for (forms::ComboBox* type : {&cmbType, &cmbType2, &cmbType3, &cmbType4, &cmbType5})
      type->AddItem(printer.deviceName);
    lstPrinters.AddItem(printer.deviceName);
  }

  fill(Cmb1, kPorts);
  fill(cmbPtr1, {" "});
  fill(cmbECD, kPorts);
  fill(Cmb2, kPorts);
  fill(cmbPtr2, {" ", "A", "B"});
  fill(Cmb3, kPorts + QStringList{"Label"});
  fill(cmbPtr3, {" ", "A", "B"});
  fill(Cmb4, kPortsBar);
  fill(cmbPtr4, {" ", "D"});
  fill(Cmb5, kPortsSalad);
  fill(cmbPtr5, {" ", "S"});

  ShowNetworkPathBoxes();
}

void frmSetPtr::Form_Activate() {
  ShowNetworkPathBoxes();
}

void frmSetPtr::ShowNetworkPathBoxes() {
  txtPtr1.setVisible(Cmb1.Text() == QLatin1String("Network"));
  txtPtr2.setVisible(Cmb2.Text() == QLatin1String("Network"));
  txtPtr3.setVisible(Cmb3.Text() == QLatin1String("Network") || Cmb3.Text() == QLatin1String("Label"));
  txtPtr4.setVisible(Cmb4.Text() == QLatin1String("Network"));
}

bool frmSetPtr::WritePort(forms::ComboBox& box, const QString& field) {
  try {
    db::Recordset& rs = datcmdSet.Recordset();
    rs.edit();
    try {
      rs.setField(field, box.Text());
      rs.update();
    } catch (...) {
      if (rs.editMode() != db::EditMode::None) rs.cancelUpdate();
      throw;
    }
    // Stored: the binding has nothing left to write for this box.
    box.showFieldValue(rs.field(field));
    return true;
  } catch (const std::exception& e) {
    forms::MsgBox(QString::fromUtf8(e.what()), forms::vbExclamation);
  }
  // The box goes back to the port the row holds.
  try {
    db::Recordset& rs = datcmdSet.Recordset();
    box.showFieldValue(rs.hasCurrentRow() ? rs.field(field) : QVariant());
  } catch (const std::exception&) {
    box.showFieldValue(QVariant());
  }
  return false;
}

void frmSetPtr::Cmb1_Click() {
  WritePort(Cmb1, QStringLiteral("Port"));
  ShowNetworkPathBoxes();
}

void frmSetPtr::Cmb2_Click() {
  WritePort(Cmb2, QStringLiteral("Port2"));
  ShowNetworkPathBoxes();
}

void frmSetPtr::Cmb3_Click() {
  if (WritePort(Cmb3, QStringLiteral("Port3"))) cmbPtr3.setEnabled(Cmb3.Text() != QLatin1String("Label"));
  ShowNetworkPathBoxes();
}

void frmSetPtr::Cmb4_Click() {
  WritePort(Cmb4, QStringLiteral("Port4"));
  ShowNetworkPathBoxes();
}

void frmSetPtr::Command1_Click() {
  HelpSetPtr().Show();
}

// The clerk may pick another printer or its page there; nothing is read back.
void frmSetPtr::cmdPtr_Click() {
  print::ShowPrinterDialog(QStringLiteral("SELECT a Printer"));
}

void frmSetPtr::cmdClose_Click() {
  forms::Unload(*this);
}

void frmSetPtr::cmdNext_Click() {
  forms::Unload(*this);
}

frmSetPtr& SetPtr() {
  return forms::global<frmSetPtr>();
}

// ---- help

frmHelpSetPtr::frmHelpSetPtr() : Form("frmHelpSetPtr") {
  setMDIChild(true);
  setBorderStyle(1);
  setMinButton(false);
  setMaxButton(false);
  setCaption(QStringLiteral("Help"));
  setBackColor(kSettingsGreen);
  setWidth(10440);
  setHeight(5520);

  imgPort.Move(240, 240, 4800, 3000);
  imgPort.setPicture(QStringLiteral(":/pictures/help_port.png"));
  imgDrawer.Move(5400, 240, 4800, 3000);
  imgDrawer.setPicture(QStringLiteral(":/pictures/help_drawer.png"));
  imgHelp.Move(240, 3840, 960, 960);
  imgHelp.setPicture(QStringLiteral(":/pictures/help_small.png"));

  // A miniature of the front printer's block with fixed example values.
  lblFront.setCaption(QStringLiteral("Front Printer Port:"));
  lblFront.Move(1560, 3600, 2100, 360);
  cmbPort.setText(QStringLiteral("LPT1:"));
  cmbPort.Move(3720, 3570, 1800, 360);
  lblType.setCaption(QStringLiteral("Type:"));
  lblType.Move(1560, 4080, 2100, 360);
  cmbType.setText(QStringLiteral("SAMSUNG SRP270"));
  cmbType.Move(3720, 4050, 3000, 360);
  lblDrawer.setCaption(QStringLiteral("Cash Drawer"));
  lblDrawer.Move(1560, 4560, 2100, 360);
  cmbDrawer.setText(QStringLiteral("LPT1:"));
  cmbDrawer.Move(3720, 4530, 1800, 360);
  for (forms::Label* l : {&lblFront, &lblType, &lblDrawer}) {
    l->setBackStyle(0);
    l->setFont(QStringLiteral("Arial"), 9, true);
  }
}

void frmHelpSetPtr::Form_Load() {
  setBackColor(kSettingsGreen);
  Place(5);
}

frmHelpSetPtr& HelpSetPtr() {
  return forms::global<frmHelpSetPtr>();
}

}  // namespace shell
