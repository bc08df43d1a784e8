#include "shell/frmInfor.h"

#include "platform/convert/format.h"
#include "platform/db/recordset.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "shell/Module1.h"
#include "shell/appinfo.h"
#include "shell/dataopen.h"
#include "shell/placement.h"
#include "shell/settingsrules.h"
#include "shell/steps.h"

namespace shell {

namespace {

const QString kEnglishOnly = QStringLiteral("E Only");
const QString kBothLanguages = QStringLiteral("中英");  // Big5 A4 A4 AD 5E

// The rows of the "Section", "Printer", "Free" and "Tel#" columns.
constexpr int kFirstRow = 90;
constexpr int kRowPitch = 36;

// Drops every key the numeric filter refuses.
void numericOnly(int& KeyAscii) {
  if (!IsNumericKey(KeyAscii)) KeyAscii = 0;
}

}  // namespace

frmInfor::frmInfor()
    : Form("frmInfor"),
      txtm_{&txtm0, &txtm1, &txtm2, &txtm3,  &txtm4,  &txtm5,  &txtm6,
            &txtm7, &txtm8, &txtm9, &txtm10, &txtm11, &txtm12, &txtm13},
      faces_{&cmdDrink, &cmdApter,   &cmdFriedRice, &cmdLoMein, &cmdVDishes, &cmdVegetables, &cmdPoultry,
             &cmdBeef,  &cmdSeafood, &cmdSoup,      &cmdPork,   &cmdLamb,    &cmdLunch,      &cmdDiner},
      routing_{&CmbDrink,   &CmbApter, &CmbFriedRice, &CmbLoMein, &CmbVDishes, &CmbVegetables,
               &CmbPoultry, &CmbBeef,  &CmbSeafood,   &CmbSoup,   &CmbPork,    &CmbLamb} {
  setMDIChild(true);
  setBorderStyle(3);
  setCaption(QStringLiteral("Information"));
  setWidth(px(980));
  setHeight(px(660));

  // Header lines and tax rates.
  txtL1.setText(QStringLiteral("Company Name"));
  txtL2.setText(QStringLiteral("Tel: "));
  txtL3.setText(QStringLiteral("Fax: "));
  txtL1.Move(px(10), px(10), px(290), px(24));
  txtL2.Move(px(10), px(38), px(290), px(24));
  txtL3.Move(px(10), px(66), px(290), px(24));

  cmdTaxA.setCaption(QStringLiteral("Auto"));
  cmdTaxA.Move(px(84), px(100), px(70), px(28));
  cmdTaxO.setCaption(QStringLiteral("Option"));
  cmdTaxO.Move(px(158), px(100), px(70), px(28));
  lblTaxRate.setCaption(QStringLiteral("Tax Rate:"));
  lblTaxRate.Move(px(10), px(136), px(72), px(20));
  txtTOTax1.Move(px(84), px(132), px(70), px(24));
  txtTaxOpt.Move(px(158), px(132), px(24), px(24));
  txtTaxOpt.setLocked(true);
  txtTOTax2.setText(QStringLiteral("0.075"));
  txtTOTax2.Move(px(186), px(132), px(70), px(24));
  lblCountry.setCaption(QStringLiteral("Country:"));
  lblCountry.Move(px(10), px(168), px(72), px(20));
  cmbCountry.setStyle(2);
  cmbCountry.Move(px(84), px(164), px(172), px(24));

  // Notes mode and ending notes.
  Command5.setCaption(QStringLiteral("Yes"));
  Command5.Move(px(10), px(200), px(50), px(28));
  lblSetP.Move(px(64), px(204), px(236), px(20));
  lblMsg1.setCaption(QStringLiteral("Receipt Message"));
  lblMsg1.Move(px(10), px(236), px(290), px(18));
  txtNotes.Move(px(10), px(256), px(290), px(24));
  txtENotes1.Move(px(10), px(284), px(290), px(24));
  lblOver.setCaption(QStringLiteral("Over  $"));
  lblOver.Move(px(10), px(324), px(60), px(20));
  txtPlan.Move(px(72), px(320), px(90), px(24));
  lblPlan.setCaption(QStringLiteral("Print Line below"));
  lblPlan.Move(px(166), px(324), px(134), px(20));
  lblMsg2.setCaption(QStringLiteral("Receipt Message"));
  lblMsg2.Move(px(10), px(352), px(290), px(18));
  int y = 372;
  for (forms::TextBox* note : {&txtENotes2, &txtENotes3, &txtENotes4, &txtENotes5}) {
    note->Move(px(10), px(y), px(290), px(24));
    y += 28;
  }
  for (forms::TextBox* note : {&txtNotes, &txtENotes1, &txtENotes2, &txtENotes3, &txtENotes4, &txtENotes5})
    note->setText(QStringLiteral("Ending Notes"));

  // Receipt options.
  cmdFreeSf.Move(px(320), px(10), px(150), px(32));
  lblFreeSf.Move(px(320), px(44), px(150), px(20));
  lblSort.setCaption(QStringLiteral("Sort Receipt"));
  lblSort.Move(px(320), px(76), px(150), px(18));
  chkSort.setCaption(QStringLiteral("Disabled"));
  chkSort.Move(px(320), px(94), px(150), px(22));
  lblDelFee.setCaption(QStringLiteral("Delivery Fee:"));
  lblDelFee.Move(px(320), px(126), px(150), px(18));
  txtDelFee.Move(px(320), px(144), px(90), px(24));
  lblSection.setCaption(QStringLiteral("Sections Auto Open"));
  lblSection.Move(px(320), px(180), px(150), px(18));
  chkSection.setCaption(QStringLiteral("Disabled"));
  chkSection.Move(px(320), px(198), px(150), px(22));
  chkDel.setCaption(QStringLiteral("Msg for Delivery"));
  chkDel.Move(px(320), px(232), px(150), px(22));
  chkKB.setCaption(QStringLiteral("KB Shortcut"));
  chkKB.Move(px(320), px(264), px(150), px(22));
  cmdKB.setStyle(1);
  cmdKB.setPicture(QStringLiteral(":/pictures/keyboard.png"));
  cmdKB.Move(px(320), px(288), px(104), px(68));
  chkEtoC.setCaption(QStringLiteral("2nd Language"));
  chkEtoC.Move(px(320), px(366), px(150), px(22));
  cmdEtoC.setCaption(kEnglishOnly);
  cmdEtoC.setFont(QStringLiteral("MS Sans Serif"), 12, true);
  cmdEtoC.Move(px(320), px(390), px(104), px(40));
  for (forms::Label* display : {&lblSetP, &lblFreeSf, &lblMainMu}) {
    display->setBackColor(forms::vbWhite);
    display->setAlignment(forms::vbCenter);
  }
  for (forms::CheckBox* box : {&chkSort, &chkSection, &chkDel, &chkKB, &chkEtoC})
    box->setBackColor(kSettingsGreen);

  // The four columns.
  lblSectionHead.setCaption(QStringLiteral("Section"));
  lblSectionHead.Move(px(490), px(10), px(140), px(18));
  cmdMainMu.Move(px(490), px(30), px(140), px(28));
  lblMainMu.Move(px(490), px(62), px(140), px(20));
  lblPrinterHead.setCaption(QStringLiteral("Printer"));
  lblPrinterHead.Move(px(638), px(66), px(56), px(18));
  lblFreeHead.setCaption(QStringLiteral("Free"));
  lblFreeHead.Move(px(702), px(66), px(130), px(18));
  lblTelHead.setCaption(QStringLiteral("Tel#"));
  lblTelHead.Move(px(840), px(66), px(130), px(18));
  for (forms::Label* head : {&lblSectionHead, &lblPrinterHead, &lblFreeHead, &lblTelHead})
    head->setFontBold(true);

  forms::TextBox* const freeBoxes[] = {&txts0, &txts1, &txts2, &txts3, &txts4,  &txts5,
                                       &txts6, &txts7, &txts8, &txts9, &txts10, &txts11};
  forms::TextBox* const telBoxes[] = {&txtT0, &txtT1, &txtT2,  &txtT3,  &txtT4,  &txtT5,  &txtT6, &txtT7,
                                      &txtT8, &txtT9, &txtT10, &txtT11, &txtT12, &txtT13, &txtT14};
  for (int slot = 0; slot < kCategorySlots; ++slot) {
    const int top = kFirstRow + slot * kRowPitch;
    txtm_[slot]->Move(px(490), px(top), px(140), px(32));
    faces_[slot]->Move(px(490), px(top), px(140), px(32));
    faces_[slot]->setFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    faces_[slot]->setUseMnemonic(false);  // category names
    txtm_[slot]->setDataSource(datMain);
    txtm_[slot]->setDataField(QStringLiteral("t%1").arg(slot));
    faces_[slot]->onClick = [this, slot] { faceButton_Click(slot); };
    if (slot < 12) {
      routing_[slot]->setStyle(2);
      routing_[slot]->Move(px(638), px(top + 4), px(56), px(24));
      routing_[slot]->setDataSource(datScrn);
      routing_[slot]->setDataField(QStringLiteral("scrn%1").arg(slot));
      freeBoxes[slot]->Move(px(702), px(top + 4), px(130), px(24));
      freeBoxes[slot]->setDataSource(DatSplSet);
      freeBoxes[slot]->setDataField(QStringLiteral("t%1").arg(slot));
    }
  }
  for (forms::Label* fixed : {&lblB12, &lblB13}) {
    const int top = kFirstRow + (fixed == &lblB12 ? 12 : 13) * kRowPitch;
    fixed->setCaption(QStringLiteral("B"));
    fixed->setAlignment(forms::vbCenter);
    fixed->Move(px(638), px(top + 8), px(56), px(20));
  }
  for (int i = 0; i < 15; ++i) {
    telBoxes[i]->Move(px(840), px(kFirstRow + i * kRowPitch + 4), px(130), px(24));
    telBoxes[i]->setDataSource(datTelSet);
    telBoxes[i]->setDataField(QStringLiteral("t%1").arg(i));
  }

  cmdClose.setCaption(QStringLiteral("Save/Exit"));
  cmdClose.setFont(QStringLiteral("MS Sans Serif"), 12, true);
  cmdClose.Move(px(10), px(596), px(290), px(52));

  // Bindings.
  struct Binding {
    forms::Bound* control;
    forms::Data* source;
    const char* field;
  };
  const Binding bindings[] = {
      {&txtTOTax1, &datcmdSet, "Tax"},      {&txtTOTax2, &datcmdSet, "TaxFed"},
      {&cmbCountry, &datcmdSet, "setL"},    {&txtTaxOpt, &datcmdSet, "SetB"},
      {&lblSetP, &datcmdSet, "SetM"},       {&chkSort, &datcmdSet, "szSort"},
      {&chkEtoC, &datcmdSet, "cmdEtoC"},    {&txtDelFee, &datcmdSet, "setF"},
      {&txtPlan, &datcmdSet, "Plan"},       {&chkSection, &datcmdSet, "szSectnAuto"},
      {&chkDel, &datcmdSet, "szMsg"},       {&chkKB, &datcmdSet, "KB"},
      {&txtL1, &datPritOut, "Line1"},       {&txtL2, &datPritOut, "Line2"},
      {&txtL3, &datPritOut, "Line3"},       {&txtNotes, &datPritOut, "Notes"},
      {&txtENotes1, &datPritOut, "Notes1"}, {&txtENotes2, &datPritOut, "Notes2"},
      {&txtENotes3, &datPritOut, "Notes3"}, {&txtENotes4, &datPritOut, "Notes4"},
      {&txtENotes5, &datPritOut, "Notes5"}, {&lblFreeSf, &DatSplSet, "t12"},
      {&lblMainMu, &datMain, "False"},
  };
  for (const Binding& b : bindings) {
    b.control->setDataSource(*b.source);
    b.control->setDataField(QString::fromLatin1(b.field));
  }
  const std::pair<forms::Data*, const char*> tables[] = {
      {&datcmdSet, "tbSet"},        {&datTelSet, "tbTel"},   {&datPritOut, "tbSetInfor"},
      {&DatSplSet, "tbSetFreePop"}, {&datMain, "tbSetMain"}, {&datScrn, "tbSetScrn"}};
  for (const auto& [data, table] : tables) {
    data->setConnect(QStringLiteral("Access 2000;"));
    data->setRecordSource(QString::fromLatin1(table));
  }

  // Handlers.
  cmbCountry.onClick = [this] { cmbCountry_Click(); };
  cmdTaxA.onClick = [this] { cmdTaxA_Click(); };
  cmdTaxO.onClick = [this] { cmdTaxO_Click(); };
  Command5.onClick = [this] { Command5_Click(); };
  cmdFreeSf.onClick = [this] { cmdFreeSf_Click(); };
  cmdMainMu.onClick = [this] { cmdMainMu_Click(); };
  chkSection.onClick = [this] { chkSection_Click(); };
  chkEtoC.onClick = [this] { chkEtoC_Click(); };
  cmdEtoC.onClick = [this] { cmdEtoC_Click(); };
  chkKB.onClick = [this] { chkKB_Click(); };
  cmdKB.onClick = [this] { cmdKB_Click(); };
  txtPlan.onChange = [this] { txtPlan_Change(); };
  for (forms::TextBox* amount : {&txtDelFee, &txtTOTax1, &txtTOTax2})
    amount->onKeyPress = [](int& KeyAscii) { numericOnly(KeyAscii); };
  txtPlan.onKeyPress = [this](int& KeyAscii) { AmountKeyPress(txtPlan, KeyAscii); };
  txtPlan.setAccepts(isAmountEntry);
  cmdClose.onClick = [this] { cmdClose_Click(); };
}

forms::TextBox& frmInfor::txtm(int slot) const {
  if (slot < 0 || slot >= kCategorySlots)
    throw forms::Error(QStringLiteral("Control array element '%1' doesn't exist").arg(slot), 340);
  return *txtm_[slot];
}

forms::CommandButton& frmInfor::faceButton(int slot) const {
  if (slot < 0 || slot >= kCategorySlots)
    throw forms::Error(QStringLiteral("Control array element '%1' doesn't exist").arg(slot), 340);
  return *faces_[slot];
}

forms::ComboBox& frmInfor::routingCombo(int slot) const {
  if (slot < 0 || slot >= int(routing_.size()))
    throw forms::Error(QStringLiteral("Control array element '%1' doesn't exist").arg(slot), 340);
  return *routing_[slot];
}

void frmInfor::Form_Load() {
  setBackColor(kSettingsGreen);
  Place(20);

  // The six tables lie in the install folder whatever the placement.
  const QString settings = kInstallFolder + QStringLiteral("Duzo98HS.mdb");
  const QString menu = kInstallFolder + QStringLiteral("BakHS.mdb");
  for (forms::Data* data : {&datcmdSet, &datTelSet}) data->setDatabaseName(settings);
  for (forms::Data* data : {&datPritOut, &DatSplSet, &datMain, &datScrn}) data->setDatabaseName(menu);

  for (const char* country :
       {"Australia", "Canada", "China", "Japan", "Korean", "United States", "United Kingdom"})
    cmbCountry.AddItem(QString::fromLatin1(country));
  for (int slot = 0; slot < int(routing_.size()); ++slot) {
    const QStringList codes = slot == 0                ? QStringList{"D", "-"}
                              : slot == 2 || slot == 3 ? QStringList{"A", "B", "S", "-"}
                                                       : QStringList{"A", "B", "-"};
    for (const QString& code : codes) routing_[slot]->AddItem(code);
  }

  DataOpener opener;
  opener.open({&datMain, &DatSplSet});
  cmdMainMu.setCaption(lblMainMu.Caption());

  // A free-pop mode outside the three is repaired at once.
  if (!isFreePopMode(lblFreeSf.Caption())) {
    runStep([this] {
      db::Recordset& rs = DatSplSet.Recordset();
      rs.edit();
      rs.setField(QStringLiteral("t12"), QStringLiteral("Auto"));
      rs.update();
      DatSplSet.Refresh();
    });
  }
  cmdFreeSf.setCaption(lblFreeSf.Caption());

  opener.open({&datcmdSet, &datTelSet, &datPritOut, &datScrn});
  runStep([this] {
    if (datcmdSet.Recordset().field(QStringLiteral("SetB")).toString() == QLatin1String("O"))
      txtTOTax1.setEnabled(false);
  });
  opener.report();

  setCategoryFaces();
}

void frmInfor::Form_Activate() {
  if (cmbCountry.Text() != QLatin1String("Canada")) txtTOTax2.setVisible(false);
}

// However the window closes, a rate that is not a number and an "Over $"
// that is not an amount never reach the row: the box goes back to what is
// stored, and one in use is named.
void frmInfor::Form_Unload(int& /*Cancel*/) {
  for (const CheckedBox& checked : refusedBoxes()) {
    const QString refused = checked.box->Text();
    runStep([&] { checked.box->setText(storedText(checked)); });
    if (inUse(checked)) forms::MsgBox(refusedMessage(checked, refused), forms::vbExclamation);
  }
}

std::vector<frmInfor::CheckedBox> frmInfor::refusedBoxes() {
  const CheckedBox boxes[] = {
      {&txtTOTax1, "Tax", "Tax Rate 1", isRateText, "a rate (digits with at most one point)"},
      {&txtTOTax2, "TaxFed", "Tax Rate 2", isRateText, "a rate (digits with at most one point)"},
      {&txtPlan, "Plan", "Over $", isAmountEntry, "an amount"}};
  std::vector<CheckedBox> refused;
  for (const CheckedBox& checked : boxes) {
    const QString text = checked.box->Text();
    if (checked.valid(text)) continue;
    bool changed = false;
    // Without the file nothing is written, so nothing is refused.
    runStep([&] { changed = text != storedText(checked); });
    if (changed) refused.push_back(checked);
  }
  return refused;
}

QString frmInfor::refusedMessage(const CheckedBox& checked, const QString& text) {
  return QStringLiteral("%1 \"%2\" is not %3: it was not saved.")
      .arg(QString::fromLatin1(checked.name), text, QString::fromLatin1(checked.what));
}

QString frmInfor::storedText(const CheckedBox& checked) {
  db::Recordset& rs = datcmdSet.Recordset();
  // A table without its row stores nothing yet: the box started empty, and
  // what is typed becomes the row.
  if (!rs.hasCurrentRow()) return QString();
  return rs.field(QString::fromLatin1(checked.field)).toString();
}

bool frmInfor::inUse(const CheckedBox& checked) {
  return checked.box != &txtTOTax2 || cmbCountry.Text() == QLatin1String("Canada");
}

void frmInfor::setCategoryFaces() {
  FaceSlots buttons;
  for (int slot = 0; slot < kCategorySlots; ++slot)
    buttons[slot] = {FaceButton{faces_[slot], FaceKind::Preview}};
  SetCategoryFaces(
      buttons, [this] { return cmdMainMu.Caption(); }, datMain);
}

void frmInfor::cmbCountry_Click() {
  txtTOTax2.setVisible(cmbCountry.Text() == QLatin1String("Canada"));
}

void frmInfor::cmdTaxA_Click() {
  txtTOTax1.setEnabled(true);
  txtTaxOpt.setText(QStringLiteral("A"));
}

void frmInfor::cmdTaxO_Click() {
  txtTOTax1.setEnabled(false);
  txtTaxOpt.setText(QStringLiteral("O"));
}

void frmInfor::Command5_Click() {
  lblSetP.setCaption(nextNotesMode(lblSetP.Caption()));
}

// The free-pop mode is written into its row at once, so that the receipt
// reads it whether or not the window is saved.
void frmInfor::cmdFreeSf_Click() {
  const std::optional<QString> next = nextFreePopMode(lblFreeSf.Caption());
  if (!next) return;
  db::Recordset& rs = DatSplSet.Recordset();
  rs.edit();
  try {
    rs.setField(QStringLiteral("t12"), *next);
    rs.update();
  } catch (...) {
    // Not stored: nothing of it stays pending for a later write of the row.
    if (rs.editMode() != db::EditMode::None) rs.cancelUpdate();
    throw;
  }
  cmdFreeSf.setCaption(*next);
  lblFreeSf.setCaption(*next);
}

void frmInfor::cmdMainMu_Click() {
  forms::Beep();
  const QString mode = nextMenuMode(lblMainMu.Caption());
  lblMainMu.setCaption(mode);
  cmdMainMu.setCaption(mode);
  setCategoryFaces();
}

// A face button uncovers its caption box until the window loads again.
void frmInfor::faceButton_Click(int slot) {
  faces_[slot]->setVisible(false);
}

void frmInfor::chkSection_Click() {
  chkSection.setCaption(chkSection.Caption() == QLatin1String("Enabled") ? QStringLiteral("Disabled")
                                                                         : QStringLiteral("Enabled"));
}

// The stored field is inverted: ticked turns the second language off.
void frmInfor::chkEtoC_Click() {
  cmdEtoC.setEnabled(!cmdEtoC.Enabled());
  cmdEtoC.setCaption(cmdEtoC.Enabled() ? kEnglishOnly : kBothLanguages);
}

// Turns the second language off until the window loads again; the stored
// field stays as it is.
void frmInfor::cmdEtoC_Click() {
  cmdEtoC.setEnabled(!cmdEtoC.Enabled());
  cmdEtoC.setCaption(cmdEtoC.Enabled() ? kBothLanguages : kEnglishOnly);
}

void frmInfor::chkKB_Click() {
  cmdKB.setEnabled(!cmdKB.Enabled());
}

void frmInfor::cmdKB_Click() {
  cmdKB.setEnabled(!cmdKB.Enabled());
}

void frmInfor::txtPlan_Change() {
  ReformatAmount(txtPlan, QStringLiteral("#,##0.00"));
}

void frmInfor::cmdClose_Click() {
  for (const CheckedBox& checked : refusedBoxes()) {
    if (!inUse(checked)) continue;
    forms::MsgBox(refusedMessage(checked, checked.box->Text()), forms::vbExclamation);
    checked.box->SetFocus();
    return;
  }
  for (forms::TextBox* note : {&txtNotes, &txtENotes1, &txtENotes2, &txtENotes3, &txtENotes4, &txtENotes5})
    if (note->Text().isEmpty()) note->setText(QStringLiteral("-"));
  forms::Unload(*this);
}

frmInfor& Infor() {
  return forms::global<frmInfor>();
}

}  // namespace shell
