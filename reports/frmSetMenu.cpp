#include "reports/frmSetMenu.h"

#include "shell/appinfo.h"
#include "shell/categoryfaces.h"
#include "shell/dataopen.h"
#include "shell/placement.h"
#include "shell/steps.h"

namespace reports {

namespace {

constexpr forms::Color kButtonGrey = forms::RGB(224, 224, 224);
const QString kConnect = QStringLiteral("Access 2000;");

// The table buttons: slot by slot the category tables, then the notes, each
// at its place (left, top in twips).
const struct {
  const char* table;
  int left;
  int top;
} kTables[15] = {
    {"tbDrink", 4080, 6300},   {"tbAppetizer", 6000, 6300}, {"tbFriedRice", 7920, 6300},
    {"tbLoMein", 240, 6840},   {"tbVDishes", 2160, 6840},   {"tbVegetables", 4080, 6840},
    {"tbPoultry", 6000, 6840}, {"tbBeef", 7920, 6840},      {"tbSeafood", 240, 7380},
    {"tbSoup", 2160, 7380},    {"tbPork", 4080, 7380},      {"tbLamb", 6000, 7380},
    {"tbLunch", 240, 6300},    {"tbDinner", 2160, 6300},    {"tbSpl", 7920, 7380},
};

}  // namespace

frmSetMenu::frmSetMenu()
    : Form("frmSetMenu"), buttons_{&cmdDrink,      &cmdApter,   &cmdFriedRice, &cmdLoMein,  &cmdVDishes,
                                   &cmdVegetables, &cmdPoultry, &cmdBeef,      &cmdSeafood, &cmdSoup,
                                   &cmdPork,       &cmdLamb,    &cmdLunch,     &cmdDiner} {
  setMDIChild(true);
  setBorderStyle(0);
  setControlBox(false);
  setWidth(11550);
  setHeight(7980);

  lblOn.Move(480, 120, 4200, 465);
  lblOn.setFont(QStringLiteral("MS Sans Serif"), 18, true);
  lblOn.setAlignment(forms::vbCenter);
  lblOn.setBackColor(shell::kSettingsGreen);
  lblOn.setUseMnemonic(true);

  // Bound to the size words through a data control that is never given a
  // database: they keep their design texts and store nothing.
  const struct {
    forms::TextBox* box;
    int left;
    int width;
    const char* text;
    const char* field;
  } sizes[] = {{&txtSprice, 7680, 405, "M-", "szSize1"},
               {&txtMprice, 8400, 405, "L-", "szSize2"},
               {&txtPrice, 9120, 405, "", "szSize3"},
               {&txtLprice, 9840, 450, "XL-", ""}};
  for (const auto& s : sizes) {
    s.box->Move(s.left, 330, s.width, 285);
    s.box->setText(QString::fromLatin1(s.text));
    s.box->setDataSource(datSize);
    s.box->setDataField(QString::fromLatin1(s.field));
  }

  for (int slot = 0; slot < 15; ++slot) {
    forms::CommandButton& b = slot < 14 ? *buttons_[size_t(slot)] : cmdSp;
    b.Move(kTables[slot].left, kTables[slot].top, 1940, 550);
    b.setStyle(1);
    b.setBackColor(shell::kSettingsGreen);
    b.setFont(QStringLiteral("Comic Sans MS"), 9.75, true);
    b.setUseMnemonic(slot == 14);  // category names; "&Notes" marks its N
    const QString table = QString::fromLatin1(kTables[slot].table);
    b.onClick = [this, &b, table] { Table_Click(b, table); };
  }
  cmdSp.setCaption(QStringLiteral("&Notes"));

  imgRDS.setPicture(QStringLiteral(":/reports/rows.png"));
  imgRDS.setStretch(true);
  imgRDS.Move(10800, 4680, 705, 1140);
  cmdClose.setStyle(1);
  cmdClose.setPicture(QStringLiteral(":/reports/close.png"));
  cmdClose.setBackColor(kButtonGrey);
  cmdClose.Move(10080, 7200, 1455, 720);

  datList.setConnect(kConnect);
  datMain.setConnect(kConnect);
  datMain.setRecordSource(QStringLiteral("tbSetMain"));
  datSize.setConnect(kConnect);
  datSize.setRecordSource(QStringLiteral("tbSet"));

  dbList.setDataSource(datList);
  dbList.Move(240, 600, 10575, 5295);
  // The fourteen columns fit the grid's width: it scrolls up and down only.
  dbList.addColumn(QStringLiteral("ID"), QStringLiteral("Dish_ID"), QStringLiteral("General Number"), 450);
  dbList.addColumn(QStringLiteral("Qty"), QStringLiteral("szMenu_ID"), QString(), 450);
  dbList.addColumn(QStringLiteral("Menu"), QStringLiteral("szMenu_nm"), QString(), 1950);
  for (int option = 1; option <= 6; ++option)
    dbList.addColumn(QStringLiteral("Opt-%1").arg(option), QString::number(option), QString(), 660);
  dbList.addColumn(QStringLiteral("Spicy"), QStringLiteral("Option"), QStringLiteral("General Number"), 480);
  for (const auto& [caption, field] :
       {std::pair{"S-Price", "szPriceS_amt"}, std::pair{"M-Price", "szPriceM_amt"},
        std::pair{"L-Price", "szPrice_amt"}, std::pair{"XL-Price", "szPriceL_amt"}})
    dbList.addColumn(QString::fromLatin1(caption), QString::fromLatin1(field), QStringLiteral("Currency"),
                     690);
  dbList.setAllowUpdate(true);
  dbList.setAllowAddNew(true);
  dbList.setAllowDelete(true);
  dbList.setAllowRowSizing(true);
  dbList.setColumnHeaders(true);
  dbList.setRecordSelectors(true);
  dbList.setScrollBars(2);
  dbList.setBorderStyle(0);
  dbList.setBackColor(forms::vbWhite);
  dbList.setFont(QStringLiteral("MS Serif"), 9.75, true);
  forms::FontInfo head;
  head.name = QStringLiteral("MS Sans Serif");
  head.size = 8.25;
  dbList.setHeadFont(head);
  dbList.setRowDividerStyle(2);

  imgRDS.onClick = [this] { imgRDS_Click(); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
}

void frmSetMenu::Form_Load() {
  setBackColor(shell::kSettingsGreen);
  Place(20);
  // The menu is always this station's own.
  const QString menu = shell::localDatabase(QStringLiteral("BakHS.mdb"));
  datList.setDatabaseName(menu);
  datMain.setDatabaseName(menu);
  shell::DataOpener opener;
  opener.open({&datMain});

  // The category faces, by the settings window's rule: captions in caption
  // mode, this window's tbSetMain pictures otherwise. The notes button keeps
  // its caption.
  shell::FaceSlots faces;
  for (int slot = 0; slot < shell::kCategorySlots; ++slot)
    faces[size_t(slot)].push_back({buttons_[size_t(slot)], shell::FaceKind::Preview});
  shell::SetCategoryFaces(faces, shell::settingsMenuMode, datMain);
  // Told once the settings window the faces read has told its files too.
  opener.report();
}

// Each step stands alone and none reports: a table that cannot be opened
// leaves the grid empty under the new caption.
void frmSetMenu::Table_Click(forms::CommandButton& button, const QString& table) {
  shell::runStep([&] { lblOn.setUseMnemonic(button.UseMnemonic()); });
  shell::runStep([&] { lblOn.setCaption(button.Caption()); });
  shell::runStep(
      [&] { datList.setRecordSource(QStringLiteral("SELECT * FROM ") + table + " ORDER BY Dish_ID ASC"); });
  shell::runStep([&] { datList.Refresh(); });
}

void frmSetMenu::imgRDS_Click() {
  dbList.setRowDividerStyle(dbList.RowDividerStyle() == 0 ? 6 : 0);
}

void frmSetMenu::cmdClose_Click() {
  forms::Unload(*this);
}

frmSetMenu& SetMenu() {
  return forms::global<frmSetMenu>();
}

}  // namespace reports
