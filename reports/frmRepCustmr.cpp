#include "reports/frmRepCustmr.h"

#include "shell/dataopen.h"
#include "shell/placement.h"

namespace reports {

namespace {

constexpr forms::Color kNavy = forms::RGB(0, 0, 128);

// The grid's columns in the table's field order: the phone number (the
// customer's ID), the name, the address in four parts, the notes.
const struct {
  const char* field;
  int width;
} kColumns[] = {{"sPhone_no", 1500}, {"sFirst_nm", 1800}, {"szStreet_ad", 2400}, {"szCity_nm", 1500},
                {"sState_cd", 600},  {"sZip_cd", 900},    {"szNotes_nm", 3000}};

}  // namespace

frmRepCustmr::frmRepCustmr() : Form("frmRepCustmr") {
  setMDIChild(true);
  setCaption(QStringLiteral("Customer Reports"));
  setWidth(12600);
  setHeight(7320);

  lblCustmer.setCaption(QStringLiteral("Customer Reports"));
  lblCustmer.Move(240, 120, 4800, 495);
  lblCustmer.setFont(QStringLiteral("Arial"), 18, true);
  lblCustmer.setForeColor(kNavy);
  lblCustmer.setBackStyle(0);

  // The headings above the grid, which shows none of its own: "ID:" over the
  // phone number, "Name:" over the name, "Address:" over its four parts,
  // "Notes:" over the notes. A click on "ID:" closes the window.
  const int gridLeft = 240;
  const int selectors = 270;
  const struct {
    forms::Label* label;
    const char* caption;
    int left;
    int width;
  } headings[] = {{&Label1, "ID:", gridLeft + selectors, 1500},
                  {&Label2, "Name:", gridLeft + selectors + 1500, 1800},
                  {&Label3, "Address:", gridLeft + selectors + 3300, 5400},
                  {&Label4, "Notes:", gridLeft + selectors + 8700, 3000}};
  for (const auto& h : headings) {
    h.label->setCaption(QString::fromLatin1(h.caption));
    h.label->Move(h.left, 780, h.width, 300);
    h.label->setFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    h.label->setBackStyle(0);
  }

  datCustmr.setConnect(QStringLiteral("Access 2000;"));
  DBGrid1.setDataSource(datCustmr);
  DBGrid1.Move(gridLeft, 1110, 12180, 4980);
  for (const auto& c : kColumns)
    DBGrid1.addColumn(QString(), QString::fromLatin1(c.field), QString(), c.width);
  DBGrid1.setColumnHeaders(false);
  DBGrid1.setRecordSelectors(true);
  DBGrid1.setAllowUpdate(true);
  DBGrid1.setAllowAddNew(true);
  DBGrid1.setAllowDelete(true);

  lblNotes.setCaption(QStringLiteral(
      "You can't delete an entire line of information . To replace an exiting customer with a new customer,  "
      "simply type the new information over the current information. The new customer's informtaion will be "
      "saved. "));
  lblNotes.Move(240, 6240, 10560, 900);
  lblNotes.setFont(QStringLiteral("MS Sans Serif"), 9.75, false);
  lblNotes.setBackStyle(0);

  imgExit.setPicture(QStringLiteral(":/reports/close.png"));
  imgExit.setStretch(true);
  imgExit.Move(11280, 6240, 960, 960);

  imgExit.onClick = [this] { imgExit_Click(); };
  Label1.onClick = [this] { Label1_Click(); };
}

void frmRepCustmr::Form_Load() {
  Place(20);
  // The customers are always the install folder's, whatever the placement.
  datCustmr.setDatabaseName(shell::localDatabase(QStringLiteral("Ref.mdb")));
  datCustmr.setRecordSource(QStringLiteral("SELECT * FROM tblCustmr ORDER BY sphone_no ASC"));
  // A file or table that cannot be opened is named once; the list opens empty.
  shell::DataOpener opener;
  opener.open({&datCustmr});
  opener.report();
}

void frmRepCustmr::imgExit_Click() {
  forms::Unload(*this);
}

void frmRepCustmr::Label1_Click() {
  forms::Unload(*this);
}

frmRepCustmr& RepCustmr() {
  return forms::global<frmRepCustmr>();
}

}  // namespace reports
