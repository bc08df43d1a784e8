#include "sales/frmSales.h"

#include <QThread>
#include <algorithm>
#include <array>
#include <optional>

#include "platform/convert/datetext.h"
#include "platform/convert/format.h"
#include "platform/convert/number.h"
#include "platform/db/recordset.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"
#include "platform/print/printer.h"
#include "sales/frmDes.h"
#include "sales/gridticket.h"
#include "sales/lines.h"
#include "sales/pages.h"
#include "sales/receipt.h"
#include "sales/ticket.h"
#include "sales/totals.h"
#include "shell/Module1.h"
#include "shell/categoryfaces.h"
#include "shell/dataopen.h"
#include "shell/frmInfor.h"
#include "shell/frmMsgbox.h"
#include "shell/frmSecurity.h"
#include "shell/frmTakeOutPW.h"
#include "shell/placement.h"
#include "shell/steps.h"

namespace sales {

namespace {

using shell::runStep;

const QString kMain = QStringLiteral("Main");
const QString kMoney = QStringLiteral("#,##0.00");

// A data control whose file did not open with the window (another station
// held it for a moment, say) is opened again before it is used. Throws when
// it still cannot be.
void openIfClosed(forms::Data& data) {
  if (!data.IsOpen()) data.Refresh();
}

// Reads a stored ticket through the window's ticket file. A file another
// station holds past the wait is told as the store tells it.
template <class Read>
std::optional<QString> readTicketFile(forms::Data& tickets, Read&& read) {
  const QString file = shell::fileName(tickets.DatabaseName());
  try {
    openIfClosed(tickets);
    read(tickets.Database());
    return std::nullopt;
  } catch (const db::Error& e) {
    if (e.kind() == db::Error::Kind::Busy || e.kind() == db::Error::Kind::Damaged)
      return shell::writeFailure(e, file);
    if (!tickets.IsOpen()) return QStringLiteral("%1 could not be opened.").arg(file);
    return e.message();
  } catch (const std::exception& e) {
    if (!tickets.IsOpen()) return QStringLiteral("%1 could not be opened.").arg(file);
    return QString::fromUtf8(e.what());
  }
}

// The built-in icon of each category button.
const char* const kCategoryIcons[kCategories] = {
    ":/sales/cut.png",      ":/sales/color.png",     ":/sales/highlights.png", ":/sales/perm.png",
    ":/sales/styling.png",  ":/sales/treatment.png", ":/sales/kids.png",       ":/sales/men.png",
    ":/sales/nails.png",    ":/sales/waxing.png",    ":/sales/makeup.png",     ":/sales/bridal.png",
    ":/sales/products.png", ":/sales/packages.png"};

// The page buttons that belong to no category slot: blank on the main-menu
// page.
constexpr int kSlotlessPageButtons[] = {13, 14, 15, 16, 19, 20, 21, 22, 23, 24};

constexpr forms::Color kCategoryColor = forms::RGB(255, 255, 192);
constexpr forms::Color kColumnColor = forms::RGB(192, 224, 255);

// A card as the clerk is told of it: its type, or "a card" without one.
QString cardName(const QString& cardType) {
  return cardType.isEmpty() ? QStringLiteral("a card") : cardType;
}

const QString kDidRecall = QStringLiteral("DidRecall");
const QString kLinesStay =
    QStringLiteral("Its lines cannot be changed; money goes back to the card through a card Return.");
const QString kOldNum = QStringLiteral("OldNum");
const QString kNewNum = QStringLiteral("NewNum");
const QString kNoAmount = QStringLiteral("0.00");

std::function<void()>& tenderHook() {
  static std::function<void()> hook;
  return hook;
}

std::function<RemovalDialog()>& removalHook() {
  static std::function<RemovalDialog()> hook;
  return hook;
}

RemovalDialog removalDialog() {
  return removalHook() ? removalHook()() : RemovalDialog{};
}

}  // namespace

void setTenderDialog(std::function<void()> showModal) {
  tenderHook() = std::move(showModal);
}

void setRemovalDialog(std::function<RemovalDialog()> dialog) {
  removalHook() = std::move(dialog);
}

frmSales::frmSales() : Form("frmSales") {
  setBorderStyle(0);
  setControlBox(false);
  setCaption(QStringLiteral("Sales"));
  setWidth(15360);
  setHeight(11520);

  const QString sans = QStringLiteral("MS Sans Serif");
  const QString arial = QStringLiteral("Arial");

  for (int slot = 0; slot < kCategories; ++slot) {
    forms::CommandButton& b = categoryButton(slot);
    b.Move(13560, 60 + 810 * slot, 1740, 780);
    b.setStyle(1);
    b.setBackColor(kCategoryColor);
    b.setFont(arial, 9.75, true);
    b.setPicture(QString::fromLatin1(kCategoryIcons[slot]));
    b.setUseMnemonic(false);  // category names
    b.onClick = [this, slot] { category_Click(slot); };
  }

  const struct {
    forms::CommandButton* button;
    const char* caption;
    int top;
  } column[] = {
      {&cmdNotes, "Notes", 60}, {&cmdQty, "+ Qty", 1320}, {&cmdPercent, "Discount %", 2580},
      {&cmdLast, "", 3840},     {&cmdNext, "", 5100},     {&cmdMainM, "Main Menu", 10260},
  };
  for (const auto& c : column) {
    c.button->Move(12540, c.top, 960, 1200);
    c.button->setCaption(QString::fromLatin1(c.caption));
    c.button->setStyle(1);
    c.button->setBackColor(kColumnColor);
    c.button->setFont(arial, 9, true);
  }
  cmdLast.setFont(arial, 18, true);
  cmdNext.setFont(arial, 18, true);
  cmdNotes.onClick = [this] { cmdNotes_Click(); };
  cmdQty.onClick = [this] { cmdQty_Click(); };
  cmdPercent.onClick = [this] { cmdPercent_Click(); };
  cmdLast.onClick = [this] { cmdLast_Click(); };
  cmdNext.onClick = [this] { cmdNext_Click(); };
  cmdMainM.onClick = [this] { cmdMainM_Click(); };

  for (int k = 1; k <= 24; ++k) {
    const int c = (k - 1) / 8, r = (k - 1) % 8;
    const int left = 7020 + 1830 * c, top = 60 + 1425 * r;
    forms::CommandButton& b = command(k);
    b.Move(left, top, 1770, 1350);
    b.setStyle(1);
    b.setBackColor(forms::vbWhite);
    b.setFont(arial, 9, true);
    b.setUseMnemonic(false);  // item and category names
    b.onClick = [this, k] { command_Click(k); };
    forms::TextBox& n = Text(k);
    n.Move(left, top, 360, 285);
    n.setFont(sans, 8.25, false);
  }

  lblCompanyName.Move(120, 60, 6720, 360);
  lblCompanyName.setFont(arial, 14, true);
  lblLine1.Move(120, 420, 6720, 300);
  lblLine2.Move(120, 720, 6720, 300);
  for (forms::Label* l : {&lblLine1, &lblLine2}) l->setFont(arial, 10, false);

  lblChk.Move(120, 1080, 360, 360);
  lblChk.setCaption(QStringLiteral("#"));
  cmbRept.Move(540, 1080, 1800, 360);
  cmdT.Move(2400, 1080, 540, 360);
  txtWaiter.Move(3000, 1080, 1440, 360);
  lblID.Move(4500, 1080, 2340, 360);
  for (forms::Control* c :
       std::initializer_list<forms::Control*>{&lblChk, &cmbRept, &cmdT, &txtWaiter, &lblID})
    c->setFont(arial, 11, true);

  grdOrderItems.Move(120, 1500, 6720, 5700);
  grdOrderItems.setCols(4);
  grdOrderItems.setFixedRows(1);
  grdOrderItems.setFixedCols(0);
  grdOrderItems.setFont(arial, 11, false);

  const struct {
    forms::Control* box;
    int left;
  } entry[] = {{&txtQty, 120}, {&txtPercent, 1380}, {&txtList, 2640}, {&lblScrn, 3900}};
  for (const auto& e : entry) {
    e.box->Move(e.left, 7290, 1200, 420);
    e.box->setFont(arial, 12, true);
  }
  txtQty.setVisible(false);
  txtPercent.setVisible(false);
  txtQty.onChange = [this] { txtQty_Change(); };
  txtQty.onClick = [this] { txtQty_Click(); };
  txtPercent.onClick = [this] { txtPercent_Click(); };
  txtList.onChange = [this] { txtList_Change(); };

  cmdTenerRec.onClick = [this] { cmdTenerRec_Click(); };
  cmbRept.onClick = [this] { cmbRept_Click(); };
  cmbRept.onKeyPress = [this](int& KeyAscii) { cmbRept_KeyPress(KeyAscii); };
  cmbRept.onChange = [this] { cmbRept_Change(); };
  grdOrderItems.onClick = [this] { grdOrderItems_Click(); };
  cmdTenerRec.Move(120, 7800, 2700, 1200);
  cmdTenerRec.setCaption(QStringLiteral("Tender"));
  cmdPrintRce1.Move(120, 9060, 2700, 1080);
  cmdPrintRce1.setCaption(QStringLiteral("Receipt"));
  txtCoupon.Move(120, 10200, 2700, 420);
  cmdClose.Move(120, 10680, 2700, 780);
  cmdClose.setCaption(QStringLiteral("Close"));
  for (forms::CommandButton* b : {&cmdTenerRec, &cmdPrintRce1, &cmdClose}) {
    b->setStyle(1);
    b->setBackColor(forms::vbWhite);
    b->setFont(arial, 14, true);
  }
  txtCoupon.setFont(arial, 12, true);
  // The coupon is an amount the tender dialog takes: the box holds only one,
  // typed or pasted.
  txtCoupon.setAccepts(shell::isAmountEntry);
  txtCoupon.onKeyPress = [this](int& KeyAscii) { shell::AmountKeyPress(txtCoupon, KeyAscii); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
  cmdPrintRce1.onClick = [this] { cmdPrintRce1_Click(); };
  txtWaiter.onClick = [this] { txtWaiter_Click(); };
  txtWaiter.onChange = [this] { txtWaiter_Change(); };

  const struct {
    forms::TextBox* box;
    int top;
  } money[] = {{&txtTotal, 7800},  {&txtTOTax1, 8280}, {&txtTOTax2, 8760},
               {&txtEnding, 9240}, {&txtGet, 9720},    {&txtReturn, 10200}};
  for (const auto& m : money) {
    m.box->Move(4260, m.top, 2580, 420);
    m.box->setFont(arial, 12, true);
    m.box->setAlignment(forms::vbRightJustify);
  }
  txtTotal.setText(QStringLiteral("0.00"));
  txtTOTax1.setText(QStringLiteral("0.00"));
  txtTOTax2.setText(QStringLiteral("0.00"));
  txtEnding.setText(QStringLiteral("000.00"));
  txtTotal.onChange = [this] { txtTotal_Change(); };
  txtTOTax1.onChange = [this] { txtTOTax1_Change(); };
  txtReturn.onChange = [this] { txtReturn_Change(); };
  txtGet.onChange = [this] { txtGet_Change(); };
  txtGet.onClick = [this] { txtGet_Click(); };

  const struct {
    forms::Label* label;
    const char* caption;
    int top;
  } captions[] = {{&lblTaxCaption, "Tax:", 8280},
                  {&lblTotalCaption, "Total:", 9240},
                  {&lblChangeCaption, "Change:", 10200}};
  for (const auto& c : captions) {
    c.label->Move(3000, c.top, 1200, 420);
    c.label->setCaption(QString::fromLatin1(c.caption));
    c.label->setFont(arial, 12, true);
    c.label->setBackStyle(0);
  }

  for (forms::Control* hidden :
       std::initializer_list<forms::Control*>{&txtMenu, &txtPrice, &lblList, &txtString, &lblFav, &cmdMsg1})
    hidden->setVisible(false);
  lblList.onChange = [this] { lblList_Change(); };
  // The stylist prompt: under the stylist box while it flashes.
  cmdMsg1.Move(2760, 1470, 1935, 675);
  cmdMsg1.setStyle(1);
  cmdMsg1.setBackColor(forms::RGB(0, 255, 0));
  cmdMsg1.setPicture(QStringLiteral(":/sales/enterid.png"));

  const QString access = QStringLiteral("Access 2000;");
  const std::pair<forms::Data*, const char*> sources[] = {
      {&datList, "tbAppetizer"},  {&datMain, "tbSetMain"},     {&datSize, "tbSet"},
      {&datPW, "tabPword"},       {&datOrders, "tblDy_Order"}, {&datDetail, "tblDetail"},
      {&datEmployees, "tbEmplo"}, {&datFav, "tbFav"},          {&datCustmrTr, "tblCustmrTr"}};
  for (const auto& [data, source] : sources) {
    data->setConnect(access);
    data->setRecordSource(QString::fromLatin1(source));
  }
}

forms::CommandButton& frmSales::categoryButton(int slot) const {
  forms::CommandButton* const buttons[kCategories] = {
      const_cast<forms::CommandButton*>(&cmdDrink), const_cast<forms::CommandButton*>(&cmdApter),
      const_cast<forms::CommandButton*>(&cmdFR),    const_cast<forms::CommandButton*>(&cmdLM),
      const_cast<forms::CommandButton*>(&cmdVD),    const_cast<forms::CommandButton*>(&cmdVege),
      const_cast<forms::CommandButton*>(&cmdPy),    const_cast<forms::CommandButton*>(&cmdBf),
      const_cast<forms::CommandButton*>(&cmdSf),    const_cast<forms::CommandButton*>(&cmdSp),
      const_cast<forms::CommandButton*>(&cmdPk),    const_cast<forms::CommandButton*>(&cmdLb),
      const_cast<forms::CommandButton*>(&cmdLunch), const_cast<forms::CommandButton*>(&cmdDiner)};
  return *buttons[slot];
}

// ---- the frame

void frmSales::Form_Load() {
  badRateReported_ = false;
  handingOff_ = false;
  percentApplied_ = false;
  ticketNumber_.clear();
  numberTyped_ = false;
  ForgetTicket();
  shell::setSalesPromptControls([this] {
    return shell::SalesPromptControls{&lblList, &txtList, &txtMenu, &txtPrice};
  });
  shell::setKeypadSalesControls([this] {
    return shell::KeypadSalesControls{this, &txtWaiter, &txtQty, &txtPercent, &grdOrderItems};
  });

  Place(2);
  cmdLast.setVisible(false);
  cmdNext.setVisible(false);

  // Every file that cannot be opened is told once, by name, also one that a
  // settings window read here uses.
  shell::DataOpener opener;
  told_.clear();

  // What is read once an opening: live or training and where the databases
  // lie, the country and the store lines. The first two say where every
  // ticket goes: when the station's settings cannot give them, live sales
  // would go to the training file or to another folder, so the window does
  // not open.
  const char* setting = "the check book";
  std::optional<QString> unreadable = shell::checkBookModeFailure();
  if (!unreadable) {
    setting = "the data location";
    unreadable = shell::dataLocationFailure();
  }
  if (unreadable) {
    forms::MsgBox(
        QStringLiteral("Sales cannot open: %1 cannot be read. ").arg(QLatin1String(setting)) + *unreadable,
        forms::vbExclamation);
    forms::Unload(*this);
    return;
  }
  const QString checkBook = shell::currentCheckBookMode();
  const shell::DataLocation where = shell::currentDataLocation();
  training_ = !shell::isLiveCheckBook(checkBook);
  txtTOTax2.setVisible(shell::Infor().cmbCountry.Text() == QLatin1String("Canada"));
  if (!training_) {
    cmdT.setCaption(QString());
    lblChk.setCaption(QStringLiteral("#"));
  } else {
    cmdT.setCaption(QStringLiteral("T"));
    lblChk.setCaption(QStringLiteral("T"));
  }
  lblCompanyName.setCaption(shell::Infor().txtL1.Text());
  lblLine1.setCaption(shell::Infor().txtL2.Text());
  lblLine2.setCaption(shell::Infor().txtL3.Text());

  datSize.setDatabaseName(shell::localDatabase(QStringLiteral("Duzo98HS.mdb")));
  datPW.setDatabaseName(shell::localDatabase(QStringLiteral("Duzo98HS.mdb")));
  datList.setDatabaseName(shell::localDatabase(QStringLiteral("BakHS.mdb")));
  datMain.setDatabaseName(shell::localDatabase(QStringLiteral("BakHS.mdb")));
  // Without the menu there is nothing to sell: the window closes again.
  if (!opener.open({&datMain})) {
    opener.report();
    forms::Unload(*this);
    return;
  }

  const QString tickets = shell::ticketDatabaseName(checkBook).value_or(QString());
  const std::pair<forms::Data*, QString> placed[] = {{&datOrders, tickets},
                                                     {&datDetail, tickets},
                                                     {&datCustmrTr, QStringLiteral("CustmrTr.mdb")},
                                                     {&datEmployees, QStringLiteral("Infor.mdb")},
                                                     {&datFav, QStringLiteral("Fav.mdb")}};
  for (const auto& [data, file] : placed) {
    const std::optional<QString> path = shell::placeDatabase(where, file);
    if (path) data->setDatabaseName(*path);
  }

  cmdMainM.setTag(kMain);
  InitOrderGrid();
  ShowMainMenu();

  opener.open({&datList, &datSize, &datPW, &datOrders, &datDetail, &datEmployees, &datFav, &datCustmrTr});
  opener.report();
  told_ = opener.problems();
  // A ticket file of an earlier build gets the columns that hold the tender
  // apart; one that cannot be written fails its store and says so then.
  if (datOrders.IsOpen()) runStep([this] { upgradeTicketFile(datOrders.Database()); });
}

void frmSales::InitOrderGrid() {
  const std::array<int, 4> widths = orderColumnWidths(grdOrderItems.ClientWidth());
  for (int col = 0; col < 4; ++col) grdOrderItems.setColWidth(col, widths[col]);
  grdOrderItems.setColSel(0);
  grdOrderItems.setRow(0);
  grdOrderItems.setCol(0);
  grdOrderItems.setCol(1);
  grdOrderItems.setCol(2);
  txtTotal.setText(QStringLiteral("0.00"));
  txtTOTax1.setText(QStringLiteral("0.00"));
  if (txtTOTax2.Visible()) txtTOTax2.setText(QStringLiteral("0.00"));
  txtEnding.setText(QStringLiteral("0.00"));
}

void frmSales::Form_Activate() {
  if (cmbRept.Tag() == kOldNum) txtGet_Click();
}

// A close request from the window system is the Close button.
void frmSales::Form_QueryUnload(int& Cancel, int UnloadMode) {
  if (UnloadMode != forms::vbFormControlMenu) return;
  Cancel = 1;
  cmdClose_Click();
}

void frmSales::Form_Unload(int&) {
  shell::setSalesPromptControls({});
  shell::setKeypadSalesControls({});
  // An approval never outlives the window that asked for it: neither the
  // grant (the security window stays open) nor the manager's name.
  if (shell::Security().IsLoaded()) runStep([] { shell::Security().chkItmDelSec.setTag(QString()); });
  DiscardHiddenRemovalDialog();
}

// Closing never stores: an open total only asks first. A ticket a card was
// charged for here is never thrown away: the charge would stand with no
// ticket to show for it.
void frmSales::cmdClose_Click() {
  if (tender_ && tender_->charged) {
    forms::MsgBox(QStringLiteral("This ticket is paid: %1 was charged %2 for it. Press Receipt to store it "
                                 "before closing.")
                      .arg(cardName(tender_->cardType), rt::Format(tender_->card, kMoney)),
                  forms::vbExclamation);
    return;
  }
  if (txtEnding.Text() == QLatin1String("0.00")) {
    forms::Unload(*this);
    return;
  }
  if (forms::MsgBox(QStringLiteral("Changes will not be save on this table ?"),
                    forms::vbYesNo | forms::vbQuestion) == forms::vbYes)
    forms::Unload(*this);
}

// ---- categories and pages

// A category table that cannot be read leaves the item list closed, so the
// page fills empty and rings nothing; why is told once an opening.
void frmSales::RefreshItemList() {
  try {
    datList.Refresh();
  } catch (const std::exception& e) {
    const QString problem = QString::fromUtf8(e.what());
    if (told_.contains(problem)) return;
    told_ << problem;
    forms::MsgBox(problem, forms::vbExclamation);
  }
}

void frmSales::category_Click(int slot) {
  const Category& c = kCategory[slot];
  datList.setRecordSource(QString::fromLatin1(c.query));
  lblScrn.setCaption(c.routesToB ? QStringLiteral("B") : shell::Infor().routingCombo(slot).Text());
  RefreshItemList();
  if (!c.keepsPage) cmdLast.setTag(QString());
  FillItemPage();
  cmdMainM.setTag(QString());
}

void frmSales::cmdNotes_Click() {
  datList.setRecordSource(QString::fromLatin1(kNotesQuery));
  RefreshItemList();
  cmdLast.setTag(QString());
  FillItemPage();
  setTag(QString());
}

void frmSales::command_Click(int index) {
  if (cmdMainM.Tag() == kMain) {
    const int slot = slotOfPageButton(index);
    if (slot >= 0) {
      const Category& c = kCategory[slot];
      datList.setRecordSource(QString::fromLatin1(c.query));
      lblScrn.setCaption(c.routesToB ? QStringLiteral("B") : shell::Infor().routingCombo(slot).Text());
    }
    RefreshItemList();
    FillItemPage();
    cmdMainM.setTag(QString());
    return;
  }
  forms::CommandButton& b = command(index);
  txtMenu.setText(b.Caption());
  txtList.setText(handedOnNumber(index, b.Tag()));
}

void frmSales::cmdLast_Click() {
  if (const std::optional<QString> tag = pageTagOfCaption(cmdLast.Caption())) cmdLast.setTag(*tag);
  FillItemPage();
}

void frmSales::cmdNext_Click() {
  if (const std::optional<QString> tag = pageTagOfCaption(cmdNext.Caption())) cmdLast.setTag(*tag);
  FillItemPage();
}

void frmSales::cmdMainM_Click() {
  cmdLast.setVisible(false);
  cmdNext.setVisible(false);
  cmdLast.setTag(QString());
  cmdMainM.setTag(kMain);
  ShowMainMenu();
}

void frmSales::FillItemPage() {
  QString pageTag;
  runStep([&] { pageTag = cmdLast.Tag(); });
  // The last page that holds an item; a page after it is never shown.
  int lastPage = 1;
  runStep([&] {
    db::Recordset& rs = datList.Recordset();
    for (int page = 5; page > 1 && lastPage == 1; --page) {
      rs.findFirst(QStringLiteral("Dish_ID > ? And Dish_ID <= ?"), {24 * (page - 1), 24 * page});
      if (!rs.noMatch()) lastPage = page;
    }
  });
  const QString within = pageTagWithin(pageTag, lastPage);
  if (within != pageTag) {
    pageTag = within;
    runStep([&] { cmdLast.setTag(within); });
  }
  const std::optional<int> start = pageStart(pageTag);
  if (start) {
    bool numbered = false;
    for (int k = 1; k <= 24; ++k) {
      forms::CommandButton& b = command(k);
      bool found = false;
      MenuItem item;
      runStep([&] {
        db::Recordset& rs = datList.Recordset();
        rs.findFirst(QStringLiteral("Dish_ID Like ?"), {QString::number(*start + k)});
        found = !rs.noMatch();
        if (found) item = readMenuItem(rs);
      });
      runStep([&] { b.setPicture(QString()); });
      // A row without a name shows no caption, never the one before it.
      runStep([&] { b.setCaption(found ? text(item.name) : QString()); });
      if (!found) continue;
      if (!text(item.picture).isEmpty()) runStep([&] { b.setPicture(*item.picture); });
      if (numbered) continue;
      numbered = true;
      for (int m = 1; m <= 24; ++m) {
        const QString number = QString::number(*start + m);
        runStep([&] { Text(m).setText(number); });
        runStep([&] { command(m).setTag(number); });
      }
    }
  }
  // A tag that names no page fills nothing and leaves the paging buttons.
  if (!start) return;
  PagingButtons paging;
  runStep([&] { paging = pagingButtons(*start / 24 + 1, !command(24).Caption().isEmpty(), lastPage); });
  if (paging.lastVisible) runStep([&] { cmdLast.setVisible(*paging.lastVisible); });
  if (paging.lastCaption) runStep([&] { cmdLast.setCaption(*paging.lastCaption); });
  if (paging.nextVisible) runStep([&] { cmdNext.setVisible(*paging.nextVisible); });
  if (paging.nextCaption) runStep([&] { cmdNext.setCaption(*paging.nextCaption); });
}

void frmSales::ShowMainMenu() {
  shell::FaceSlots faces;
  for (int slot = 0; slot < kCategories; ++slot)
    faces[slot] = {{&categoryButton(slot), shell::FaceKind::Category},
                   {&command(kCategory[slot].pageButton), shell::FaceKind::Page}};
  runStep([&] { shell::SetCategoryFaces(faces, shell::settingsMenuMode, datMain); });
  for (int k : kSlotlessPageButtons) {
    runStep([&] { command(k).setCaption(QString()); });
    runStep([&] { command(k).setPicture(QString()); });
  }
  runStep([this] { cmdMainM.setTag(kMain); });
}

// ---- item choice

void frmSales::txtList_Change() {
  const QString entry = txtList.Text();
  if (entry == QLatin1String("'") || entry == QLatin1String(".")) return;
  if (entry.size() < 2) return;
  double number = 0;
  if (!runStep([&] { number = rt::Val(entry); }) || number < 0) return;
  lblList.setCaption(entry);
  txtList.setText(QString());
}

void frmSales::lblList_Change() {
  const QString chosen = lblList.Caption();
  if (chosen.size() < 2) return;

  bool found = false;
  MenuItem item;
  runStep([&] {
    db::Recordset& rs = datList.Recordset();
    rs.findFirst(QStringLiteral("Dish_ID = ?"), {rt::Val(chosen)});
    found = !rs.noMatch();
    if (found) item = readMenuItem(rs);
  });

  bool cancelled = false;
  // A quantity, percent or price that cannot be read would show one amount
  // and charge another: the item is not rung up, and the clerk is told why.
  if (found && RefuseMoreOnPaidTicket()) {
    found = false;
    cancelled = true;
    runStep([this] { txtMenu.setText(QString()); });
  }
  if (found) {
    std::optional<QString> refused = typedEntryRefusal(txtQty.Text(), txtPercent.Text());
    if (!refused) refused = priceRefusal(item);
    if (refused) {
      found = false;
      cancelled = true;
      runStep([this] { txtMenu.setText(QString()); });
      forms::MsgBox(*refused, forms::vbExclamation);
    }
  }
  if (found) {
    // The line names the item by its own name, also when its number was
    // typed rather than pressed.
    runStep([&] { txtMenu.setText(text(item.name)); });

    shell::frmMsgbox& prompt = shell::Msgbox();
    const SizeOffer offer = offerSizes(item);
    // Captions an earlier prompt that was never shown left behind go first.
    for (forms::CommandButton* b : {&prompt.cmdS, &prompt.cmdM, &prompt.cmdYes, &prompt.cmdNo})
      runStep([b] { b->setCaption(QString()); });
    runStep([&] { prompt.setTag(QString::number(offer.count)); });
    runStep([&] { prompt.cmdNo.setCaption(offer.cmdNo); });
    runStep([&] { prompt.cmdM.setCaption(offer.cmdM); });
    runStep([&] { prompt.cmdS.setCaption(offer.cmdS); });

    if (offer.count > 1) {
      runStep([&] { prompt.setTag(QStringLiteral("0")); });
      runStep([&] { prompt.cmdYes.setCaption(offer.cmdYes); });
      // An answer writes both tags; a prompt closed without one leaves them
      // empty, and the item is not rung up.
      runStep([this] { txtList.setTag(QString()); });
      runStep([this] { lblList.setTag(QString()); });
      bool answered = false;
      runStep([&] { answered = shell::ShowPrompt(QStringLiteral("0")); });
      if (answered) {
        runStep([this] { txtPrice.setText(rt::Format(txtList.Tag(), kMoney)); });
      } else {
        cancelled = true;
        runStep([this] { txtMenu.setText(QString()); });
        runStep([this] { txtPrice.setText(QString()); });
      }
    } else {
      runStep([&] { prompt.setTag(QStringLiteral("0")); });
      if (offer.count == 1) runStep([&] { txtPrice.setText(offer.lonePrice); });
      runStep([this] { txtPrice.setText(rt::Format(txtPrice.Text(), kMoney)); });
    }
    if (!cancelled) runStep([&] { AddOrderLine(item); });
  }

  runStep([this] { lblList.setCaption(QString()); });
  runStep([this] { grdOrderItems.setTag(QString()); });
  runStep([this] { datList.Refresh(); });
  if (!cancelled) runStep([this] { ShowModifierPad(); });
}

// The modifier pad opens when the item put an add-on on its first button.
void frmSales::ShowModifierPad() {
  frmDes& pad = Des();
  if (pad.cmd(7).Caption().isEmpty()) return;
  runStep([this] { setTag(QStringLiteral("HS")); });
  runStep([&] { pad.setWidth(7460); });
  pad.Show(forms::vbModal);
}

void frmSales::LoadItemOptions(const MenuItem& item) {
  shell::frmMsgbox& prompt = shell::Msgbox();
  forms::CommandButton* const buttons[6] = {&prompt.cmdS,  &prompt.cmdM,    &prompt.cmdYes,
                                            &prompt.cmdNo, &prompt.cmdOpt5, &prompt.cmdOpt6};
  forms::TextBox* const boxes[6] = {&prompt.txtSprice, &prompt.txtMprice, &prompt.txtPrice,
                                    &prompt.txtLprice, &prompt.Text1,     &prompt.Text2};
  // The prompt offers this item's options only.
  for (forms::CommandButton* b : buttons) runStep([b] { b->setCaption(QString()); });
  for (const OptionOffer& option : offeredOptions(item)) {
    runStep([&] { buttons[option.n - 1]->setCaption(option.name); });
    if (option.price) runStep([&] { boxes[option.n - 1]->setText(*option.price); });
    runStep([&] { prompt.setTag(QStringLiteral("True")); });
  }
  bool ask = false;
  runStep([&] { ask = prompt.Tag() == QLatin1String("True"); });
  if (ask) {
    runStep([&] { prompt.setTag(QStringLiteral("7")); });
    runStep([] { shell::ShowPrompt(QStringLiteral("7")); });
  }

  if (!loadsAddOns(item)) return;
  frmDes& pad = Des();
  for (int n = kFirstAddOn; n <= kLastAddOn; ++n) {
    if (const Field& name = item.addOn(n)) runStep([&] { pad.cmd(n).setCaption(*name); });
    if (const Field& price = item.addOnPrice(n)) runStep([&] { pad.cmd(n).setTag(*price); });
  }
}

void frmSales::AddOrderLine(const MenuItem& item) {
  LoadItemOptions(item);

  LineSettings settings;
  settings.menuQty = item.menuQty;
  const char* const words[3] = {"szSize1", "szSize2", "szSize3"};
  for (int i = 0; i < 3; ++i)
    runStep(
        [&] { settings.sizeWords[i] = datSize.Recordset().field(QString::fromLatin1(words[i])).toString(); });
  settings.merge = false;
  runStep([&] { settings.merge = shell::Infor().chkSort.Value() == 0; });

  LineEntry entry{txtQty.Text(),   txtQty.Tag(),  txtPercent.Text(), txtMenu.Text(),
                  txtPrice.Text(), lblList.Tag(), lblScrn.Caption(), pendingQty_};
  GridTicket grid(grdOrderItems);
  QString price;
  runStep([&] { price = buildOrderLine(entry, settings, grid); });
  // The percent is now taken off a line: the hand-off does not take it off
  // the ticket once more.
  if (!entry.percent.isEmpty()) percentApplied_ = true;

  runStep([&] { txtQty.setTag(entry.qtyTag); });
  runStep([&] { txtQty.setText(entry.qty); });
  pendingQty_ = entry.pending;
  runStep([&] { txtMenu.setText(entry.menu); });
  if (!price.isEmpty()) {
    runStep([&] {
      if (const std::optional<QString> subtotal = grownSubtotal(txtTotal.Text(), price))
        txtTotal.setText(*subtotal);
    });
  }
  runStep([this] { txtPrice.setText(QString()); });
  runStep([this] { lblList.setTag(QString()); });
}

// ---- quantity and percent

void frmSales::cmdQty_Click() {
  runStep([this] { txtQty.setVisible(true); });
  runStep([this] { txtQty.SetFocus(); });
  runStep([this] {
    if (!txtQty.Text().isEmpty()) txtQty.setText(QString());
  });
  runStep([this] { setTag(QStringLiteral("Qty")); });
}

void frmSales::txtQty_Click() {
  txtQty.setText(QString());
  setTag(QStringLiteral("Qty"));
}

void frmSales::cmdPercent_Click() {
  percentApplied_ = false;
  txtPercent.setVisible(true);
  txtPercent.setText(QString());
  setTag(QStringLiteral("Percent"));
}

void frmSales::txtPercent_Click() {
  percentApplied_ = false;
  txtPercent.setText(QString());
  setTag(QStringLiteral("Percent"));
}

// A quantity takes two characters at least (02 to 99, 1.5); "00" and "01"
// are refused. One above 1 sends the clerk on to the item number.
void frmSales::txtQty_Change() {
  runStep([this] {
    if (txtQty.Text() == QLatin1String("00")) txtQty.setText(QString());
    if (txtQty.Text() == QLatin1String("01")) txtQty.setText(QString());
  });
  if (txtQty.Text().size() < 2) return;
  runStep([this] {
    if (typedNumber(txtQty.Text()).value_or(0) > 1) txtList.SetFocus();
  });
  runStep([this] { txtQty.setVisible(true); });
}

// ---- totals and change

void frmSales::txtTotal_Change() {
  QString rate1, rate2;
  runStep([&] { rate1 = shell::Infor().txtTOTax1.Text(); });
  runStep([&] { rate2 = shell::Infor().txtTOTax2.Text(); });
  runStep([this] { txtTotal.setAlignment(forms::vbRightJustify); });
  runStep([this] { txtTotal.setText(moneyText(txtTotal.Text())); });

  const bool secondTax = txtTOTax2.Visible();
  const TaxRate first = readTaxRate(rate1);
  const TaxRate second = secondTax ? readTaxRate(rate2) : TaxRate{};
  if ((first.bad || second.bad) && !badRateReported_) {
    badRateReported_ = true;
    QStringList bad;
    if (first.bad) bad << rate1;
    if (second.bad) bad << rate2;
    forms::MsgBox(QStringLiteral("The tax rate %1 is not a number; no tax is charged on it.")
                      .arg(QStringLiteral("\"") + bad.join(QStringLiteral("\", \"")) + QStringLiteral("\"")),
                  forms::vbExclamation);
  }

  const std::optional<TicketTotals> totals = ticketTotals(
      txtTotal.Text(), first.value, secondTax ? std::optional<double>(second.value) : std::nullopt);
  if (!totals) return;
  runStep([&] { txtTOTax1.setText(totals->tax1); });
  runStep([&] { txtEnding.setText(totals->total); });
  if (totals->tax2) runStep([&] { txtTOTax2.setText(*totals->tax2); });
  // A tender already on the window: its change follows the new total, so
  // that a line rung up or taken off after it is owed or given back.
  const QString got = txtGet.Text();
  if (tender_ || (!got.isEmpty() && (txtGet.Tag() == QLatin1String("Card") || rt::TryCCur(got))))
    txtGet_Change();
}

void frmSales::txtTOTax1_Change() {
  txtTOTax1.setText(moneyText(txtTOTax1.Text()));
}

void frmSales::txtReturn_Change() {
  txtReturn.setText(moneyText(txtReturn.Text()));
}

void frmSales::txtGet_Change() {
  // A tender taken here: what it handed over against the amount due as it
  // stands, so that a line rung up after it shows the balance still due.
  if (tender_) {
    runStep([this] {
      if (const std::optional<rt::Currency> due = rt::TryAmount(txtEnding.Text()))
        txtReturn.setText(rt::Format(changeOf(*tender_, owedFor(*tender_, *due)), kMoney));
    });
    return;
  }
  if (txtGet.Tag() == QLatin1String("Card")) {
    // A card pays the total exactly.
    if (const std::optional<QString> none = moneyDifference(txtEnding.Text(), txtEnding.Text()))
      txtReturn.setText(*none);
    return;
  }
  if (const std::optional<QString> change = moneyDifference(txtGet.Text(), txtEnding.Text()))
    txtReturn.setText(*change);
  if (txtCoupon.Text().isEmpty()) return;
  if (const std::optional<QString> change = moneySum(txtReturn.Text(), txtCoupon.Text()))
    txtReturn.setText(*change);
}

void frmSales::TakeTender(const TenderResult& tender) {
  tender_ = tender;
  recalledTender_ = false;
  runStep([&] {
    txtCoupon.setText(tender.coupon != rt::Currency() ? rt::Format(tender.coupon, kMoney) : QString());
  });
  // The tag first: the change step reads it.
  runStep([&] { txtGet.setTag(tender.byCard ? QStringLiteral("Card") : QString()); });
  // A refund says so: its amounts go below zero when it is stored.
  const QString card =
      tender.refund ? (tender.cardType + QStringLiteral(" Return")).trimmed() : tender.cardType;
  runStep([&] { txtGet.setText(tender.byCard ? card : rt::Format(tender.cash, kMoney)); });
  txtGet_Change();
}

// ---- the stylist

void frmSales::txtWaiter_Click() {
  txtWaiter.setText(QString());
  setTag(QStringLiteral("Waiter"));
  ShowKeypad();
  if (!IsLoaded()) return;
  // A keypad closed without a code found leaves the sign-in as it was, and
  // a receipt that waited for this keypad waits no longer: a later sign-in
  // only signs in.
  ShowSignIn();
  runStep([this] { txtWaiter.setTag(QString()); });
}

void frmSales::ShowKeypad() {
  shell::TakeOutPW().Show(forms::vbModal);
}

// Runs at every change of the stylist box, also inside the keypad's own step
// that wrote it: the lookup closes the keypad from there. The stylist signed
// in is the one whose code a lookup found last (lblID's caption and tag);
// the box shows that code, masked, and no other text stays in it.
void frmSales::txtWaiter_Change() {
  runStep([this] { txtWaiter.setPasswordChar(QStringLiteral("*")); });
  if (showingSignIn_) return;
  const QString code = txtWaiter.Text();
  // Emptied for the keypad's entry: the sign-in stands meanwhile.
  if (code.isEmpty()) return;
  double value = 0;
  runStep([&] { value = rt::Val(code); });
  // A code keyed in part, or one worth nothing, signs nobody in.
  if (code.size() < 4 || value < 1) {
    ShowSignIn();
    return;
  }

  // The first row, as the window loaded them, whose code is exactly the
  // text ("0123" is not "123").
  bool found = false;
  QString firstName;
  runStep([&] {
    openIfClosed(datEmployees);
    db::Recordset& rs = datEmployees.Recordset();
    rs.findFirst(QStringLiteral("szID_no = ?"), {code});
    found = !rs.noMatch();
    if (found) firstName = rs.field(QStringLiteral("sFirst_nm")).toString();
  });
  if (!found) {
    ShowSignIn();
    runStep([] { forms::Unload(shell::TakeOutPW()); });
    // A staff file that still cannot be opened is no unknown code.
    if (!datEmployees.IsOpen())
      forms::MsgBox(QStringLiteral("The ID cannot be looked up: %1 could not be opened. Please try again.")
                        .arg(shell::fileName(datEmployees.DatabaseName())),
                    forms::vbExclamation);
    else
      forms::MsgBox(QStringLiteral("ID not found. Please try again"), forms::vbOKOnly);
    return;
  }
  runStep([&] { lblID.setCaption(firstName); });
  runStep([&] { lblID.setTag(code); });
  runStep([] { forms::Unload(shell::TakeOutPW()); });
  // The tag goes first, so that the receipt it starts runs once.
  if (txtWaiter.Tag() == QLatin1String("cmdPrintRce")) {
    txtWaiter.setTag(QString());
    PrintReceipt();
    return;
  }
  runStep([this] { txtWaiter.setTag(QString()); });
}

// A card that paid the ticket paid it for the lines it then had: a ticket
// tendered again would charge the card again, and a line rung up or taken off
// would store a card amount other than the one charged. That holds for a card
// taken in this window and, for its lines, for a recalled ticket a card paid
// (money goes back to a card through a card Return). True after telling the
// clerk so.
bool frmSales::RefusePaidTicket(const QString& consequence, bool recalledToo) {
  QString card;
  if (tender_ && tender_->byCard)
    card = tender_->cardType;
  else if (recalledToo && recalledTender_ && recalledHeader_ &&
           (!recalledHeader_->cardType.isEmpty() || !recalledHeader_->cardAmount.isEmpty()))
    card = recalledHeader_->cardType;
  else
    return false;
  forms::MsgBox(
      QStringLiteral("This ticket is paid: %1 was approved for it. ").arg(cardName(card)) + consequence,
      forms::vbExclamation);
  return true;
}

// A paid ticket is paid for the lines it has: a card paid it (see above), or
// a recalled ticket was stored with its tender, which the window cannot take
// again. An item or a percent off would change what it owes with nothing to
// collect or give back. True after telling the clerk so.
bool frmSales::RefuseMoreOnPaidTicket() {
  if (RefusePaidTicket(kLinesStay, true)) return true;
  if (!recalledTender_) return false;
  forms::MsgBox(
      QStringLiteral("This ticket is paid: %1 was received for it. Nothing can be added to it; ring up "
                     "more on a new ticket.")
          .arg(txtGet.Text()),
      forms::vbExclamation);
  return true;
}

QString frmSales::ticketStylist() {
  return recalledHeader_ ? recalledHeader_->stylist : lblID.Caption();
}

bool frmSales::signedIn() {
  return !lblID.Tag().isEmpty();
}

// The box shows the code of the stylist signed in, masked, or nothing.
void frmSales::ShowSignIn() {
  showingSignIn_ = true;
  runStep([this] { txtWaiter.setText(lblID.Tag()); });
  showingSignIn_ = false;
}

// Flashes the request for the stylist's ID for one to two seconds, the
// window working meanwhile, then asks for it on the keypad. A call while a
// prompt or its keypad is up returns at once.
void frmSales::PromptServerId() {
  if (prompting_) return;
  prompting_ = true;
  const qint64 start = waitClock_();
  runStep([this] { txtWaiter.SetFocus(); });
  runStep([this] {
    cmdMsg1.setHeight(675);
    cmdMsg1.setWidth(1935);
    cmdMsg1.setVisible(true);
  });
  shell::waitMoreThan(waitClock_, start, 1, [] {
    forms::DoEvents();
    QThread::msleep(10);
  });
  // The clerk may have closed the window during the wait.
  if (IsLoaded()) {
    runStep([this] { cmdMsg1.setVisible(false); });
    txtWaiter_Click();
  }
  prompting_ = false;
}

// ---- storing the ticket

void frmSales::OpenDrawer() {
  shell::KickCashDrawer();
}

TicketToStore frmSales::ticketOnScreen() {
  TicketToStore t;
  t.kind = storeKind(cmbRept.Tag());
  t.number = cmbRept.Text();
  t.subtotal = txtTotal.Text();
  // The whole tax, as the receipt prints it.
  t.tax = wholeTax(txtTOTax1.Text(),
                   txtTOTax2.Visible() ? std::optional<QString>(txtTOTax2.Text()) : std::nullopt);
  t.total = txtEnding.Text();
  // A tender recalled with the ticket is stored already, as it was paid.
  if (!recalledTender_) t.tender = tender_;
  if (t.kind == StoreKind::Recalled) t.recalled = recalled_;
  t.training = training_;
  t.stylist = ticketStylist();
  t.when = QDateTime::currentDateTime();
  for (int r = kFirstLine; r < grdOrderItems.Rows(); ++r) {
    t.lines.push_back({grdOrderItems.TextMatrix(r, kQtyColumn), grdOrderItems.TextMatrix(r, kTextColumn),
                       grdOrderItems.TextMatrix(r, kPriceColumn), grdOrderItems.TextMatrix(r, kCodeColumn)});
  }
  // A refund gives back what the window shows: it is stored, and printed,
  // below zero.
  if (t.tender && t.tender->refund) refundTicket(t);
  return t;
}

bool frmSales::StoreTicket(const TicketToStore& ticket) {
  if (ticket.kind == StoreKind::New && ticket.lines.empty()) return true;
  // The removals go into their log after the ticket: a ticket not stored
  // removed nothing. A log that would refuse them is found first, so a
  // removal is never stored unlogged; but a ticket a card was run for here
  // is stored whatever the log says, so that the card is never charged with
  // nothing to show for it (the clerk is told of the log after the store).
  if (!removals_.empty() && !(tender_ && tender_->charged)) {
    const QString refused = WriteRemovals(removals_, false);
    if (!refused.isEmpty()) {
      forms::MsgBox(QStringLiteral("The ticket was not stored: its removals could not be logged: ") + refused,
                    forms::vbExclamation);
      return false;
    }
  }

  const QString file = shell::fileName(datOrders.DatabaseName());
  QString number, failure;
  const QString notOpened = QStringLiteral("%1 could not be opened.").arg(file);
  // A file another station still holds after the wait is tried once more.
  for (int attempt = 1; attempt <= 2; ++attempt) {
    try {
      openIfClosed(datOrders);
      number = storeTicket(datOrders.Database(), ticket);
      failure.clear();
      break;
    } catch (const db::Error& e) {
      const bool busy = e.kind() == db::Error::Kind::Busy;
      // A damaged file is told as damaged, whether or not it opened.
      failure = !busy && e.kind() != db::Error::Kind::Damaged && !datOrders.IsOpen()
                    ? notOpened
                    : shell::writeFailure(e, file);
      if (!busy) break;
    } catch (const TicketNotFound& e) {
      failure = QStringLiteral("%1 holds no ticket %2.").arg(file, e.number);
      break;
    } catch (const TicketChanged& e) {
      failure = QStringLiteral(
                    "ticket %1 was changed at another station since it was recalled. Please recall it again.")
                    .arg(e.number);
      break;
    } catch (const std::exception&) {
      failure = datOrders.IsOpen() ? QStringLiteral("%1 could not be written.").arg(file) : notOpened;
      break;
    }
  }
  if (!failure.isEmpty()) {
    forms::MsgBox(QStringLiteral("The ticket was not stored: ") + failure, forms::vbExclamation);
    return false;
  }
  // The tally and the removal log are commits of their own in other files:
  // they follow the ticket's at once, so that a program killed in between
  // loses as little as separate files allow.
  TallyFavourites(ticket);
  const QString unlogged = LogRemovals();

  // The bindings read the stored ticket; the line binding has its own
  // connection, which waited for nothing.
  runStep([this] { datOrders.Refresh(); });
  runStep([this] { datDetail.Refresh(); });
  switch (ticket.kind) {
    case StoreKind::New:
      runStep([&] { setTicketNumber(number); });
      break;
    case StoreKind::Recalled:
      runStep([&] { lblChk.setTag(number); });
      runStep([this] { cmbRept.setTag(kNewNum); });
      break;
    case StoreKind::Added:
      runStep([&] { lblChk.setTag(number); });
      break;
  }
  if (!unlogged.isEmpty())
    forms::MsgBox(QStringLiteral("The ticket is stored; its removals could not be logged: ") + unlogged,
                  forms::vbExclamation);
  return true;
}

// The removals of the stored ticket's lines go into the removal log now that
// the ticket is stored without them. Returns why the log could not be
// written, for the clerk (the ticket stays stored); empty when it was.
QString frmSales::LogRemovals() {
  if (removals_.empty()) return QString();
  const std::vector<RemovalLogEntry> entries = std::move(removals_);
  removals_.clear();
  return WriteRemovals(entries, true);
}

QString frmSales::WriteRemovals(const std::vector<RemovalLogEntry>& entries, bool commit) {
  const RemovalDialog d = removalDialog();
  return d.log ? d.log(entries, commit) : QStringLiteral("there is no removal log on this station.");
}

// Counts what was sold, after the ticket is stored. A tally that fails
// leaves the ticket stored and says nothing.
void frmSales::TallyFavourites(const TicketToStore& ticket) {
  const std::vector<GridLine> lines = talliedLines(ticket);
  if (lines.empty()) return;
  QString last;
  for (int attempt = 1; attempt <= 2; ++attempt) {
    try {
      openIfClosed(datFav);
      last = tallyFavourites(datFav.Database(), lines);
      break;
    } catch (const db::Error& e) {
      if (e.kind() != db::Error::Kind::Busy) return;
    } catch (const std::exception&) {
      return;
    }
  }
  if (!last.isEmpty()) runStep([&] { lblFav.setCaption(last); });
}

void frmSales::ClearTicket() {
  for (int n = grdOrderItems.Rows() - kFirstLine; n > 0; --n) grdOrderItems.RemoveItem(kFirstLine);
  txtEnding.setText(QStringLiteral("0.00"));
  txtTOTax1.setText(QStringLiteral("0.00"));
  txtTotal.setText(QStringLiteral("0.00"));
  // The next ticket is a new one: it draws its own number, and no tender,
  // coupon, percent or swipe of this one carries over.
  cmbRept.setTag(QString());
  lblChk.setTag(QString());
  txtGet.setTag(QString());
  txtGet.setText(QString());
  txtReturn.setText(QString());
  txtCoupon.setText(QString());
  txtPercent.setText(QString());
  txtString.setTag(QString());
  txtString.setText(QString());
  txtWaiter.setTag(QString());
  percentApplied_ = false;
  ForgetTicket();
}

void frmSales::ForgetTicket() {
  recalled_.reset();
  recalledTender_ = false;
  recalledHeader_.reset();
  tender_.reset();
  removals_.clear();
}

// ---- the tender hand-off and the recall

// Without a stylist the tender button only asks for one; the clerk presses
// it again.
void frmSales::cmdTenerRec_Click() {
  if (!signedIn()) {
    PromptServerId();
    return;
  }
  txtGet.setVisible(true);
  txtGet_Click();
}

// The hand-off: a waiting recall, the percent off the whole ticket, then the
// gate to the tender dialog. One runs at a time: a click while the clearing
// step pauses, or an activation while the tender dialog is up, is ignored.
void frmSales::txtGet_Click() {
  if (handingOff_) return;
  handingOff_ = true;
  struct Done {
    bool& running;
    ~Done() { running = false; }
  } done{handingOff_};

  const qint64 start = waitClock_();
  if (txtEnding.Text() == kNoAmount && cmbRept.Tag() == kNewNum) return;
  // A card approved for this ticket has paid it: no second tender, so that
  // the card is not charged again, and the approval stays for the store.
  if (RefusePaidTicket(QStringLiteral("It cannot be tendered again."))) return;
  if (cmbRept.Tag() == kOldNum) {
    if (RecallTicket(start)) return;
    if (!IsLoaded()) return;  // closed during the pause
  } else {
    keepTicketNumber();
  }
  AddTicketPercentLine();
  TenderGate();
}

// Puts the stored ticket named in the box on the window: its amounts, what it
// received, and its lines as stored (three columns, no routing code). Read
// afresh from the window's ticket file, the number a bound value.
bool frmSales::RecallTicket(qint64 start) {
  const QString number = cmbRept.Text();
  std::optional<StoredHeader> header;
  // The lines are read before anything shows: a ticket recalled without the
  // lines it has would lose them when it is stored again.
  std::vector<GridLine> lines;
  // Read first: a change another station commits while the rest is read
  // then shows as a change when the ticket is stored again.
  std::optional<TicketSnapshot> snapshot;
  if (!number.isEmpty() && !ticketHasLines()) {
    const std::optional<QString> failure = readTicketFile(datOrders, [&](db::Database& tickets) {
      snapshot = ticketSnapshot(tickets, number);
      header = storedHeader(tickets, number);
      if (header) lines = storedLines(tickets, number);
    });
    if (failure) {
      header.reset();
      forms::MsgBox(QStringLiteral("Ticket %1 could not be recalled: ").arg(number) + *failure,
                    forms::vbExclamation);
    }
  }
  if (!header) {
    ClearingStep(start);
    return false;
  }
  if (txtEnding.Text() == kNoAmount) {
    runStep([&] { txtTotal.setText(header->subtotal); });
    // The stored tax is the whole tax; where the second tax is charged, tax 1
    // is what is left of it beside tax 2. A ticket stored by an earlier build
    // holds tax 1 alone: it reads as tax 1 as it stands.
    runStep([&] {
      const std::optional<rt::Currency> whole = rt::TryAmount(header->tax);
      const std::optional<rt::Currency> first = rt::TryAmount(txtTOTax1.Text());
      const std::optional<rt::Currency> second = rt::TryAmount(txtTOTax2.Text());
      const bool split = txtTOTax2.Visible() && whole && second && !(first && *whole == *first);
      txtTOTax1.setText(split ? rt::Format(*whole - *second, kMoney) : header->tax);
    });
    runStep([&] { txtEnding.setText(rt::Format(header->total, kMoney)); });
  }
  recalledHeader_ = header;
  if (const std::optional<StoredTender> paid = storedTender(*header)) {
    ShowStoredTender(*paid);
    runStep([this] { txtGet.setVisible(!txtGet.Text().isEmpty()); });
  }
  for (const GridLine& line : lines) {
    runStep([&] { txtPrice.setText(rt::Format(line.price, kMoney)); });
    runStep([&] { grdOrderItems.AddItem(gridRow(line.qty, line.text, txtPrice.Text(), QString())); });
  }
  // The next item without a price must not take the last recalled one.
  runStep([this] { txtPrice.setText(QString()); });
  runStep([&] { setTicketNumber(number); });
  recalled_ = snapshot;
  cmbRept.setTag(kDidRecall);
  return true;
}

// A paid stored ticket's tender into the received box as when it was paid,
// the tag first, so that the change step reads it.
void frmSales::ShowStoredTender(const StoredTender& paid) {
  recalledTender_ = true;
  runStep([&] { txtGet.setTag(paid.tag); });
  runStep([&] { txtGet.setText(paid.text); });
}

// Nothing to recall: a received amount on the window goes with the number
// and the amounts, after a pause of at most a second; the window is a new
// ticket again, so that no activation tries the recall once more.
void frmSales::ClearingStep(qint64 start) {
  if (!txtGet.Text().isEmpty()) {
    runStep([this] { setTicketNumber(QString()); });
    runStep([this] { txtTotal.setText(kNoAmount); });
    runStep([this] { txtTOTax1.setText(kNoAmount); });
    runStep([this] { txtEnding.setText(kNoAmount); });
    runStep([this] { txtGet.setText(QString()); });
    runStep([this] { txtEnding.setText(kNoAmount); });
    shell::waitMoreThan(waitClock_, start, 0, [] {
      forms::DoEvents();
      QThread::msleep(10);
    });
    if (!IsLoaded()) return;
  }
  runStep([this] { txtGet.setText(QString()); });
  runStep([this] { cmbRept.setTag(QString()); });
  ForgetTicket();
}

// A pending percent comes off the whole ticket as a "% Off" line, unless the
// ticket has no line yet (it stays pending) or it was taken off the lines
// already (it is only emptied). A percent that is no number from 0 to 100
// (one typed since a line took the last one off, too) is told and emptied.
void frmSales::AddTicketPercentLine() {
  const QString percent = txtPercent.Text();
  if (percent.isEmpty() || !ticketHasLines()) return;
  if (RefuseMoreOnPaidTicket()) {
    // told: a paid ticket takes no percent off
  } else if (const std::optional<QString> refused = ticketPercentRefusal(percent)) {
    forms::MsgBox(*refused, forms::vbExclamation);
  } else if (!percentApplied_) {
    if (const std::optional<TicketPercent> p = ticketPercent(txtTotal.Text(), percent)) {
      runStep([&] { grdOrderItems.AddItem(gridRow(QStringLiteral("+"), p->text, p->discount, QString())); });
      runStep([&] { txtTotal.setText(p->subtotal); });
    }
  }
  runStep([this] { txtPercent.setText(QString()); });
  percentApplied_ = false;
}

// The tender dialog opens for a ticket with lines that is not paid: a new
// ticket (it has no number yet: the box is emptied, so that no earlier
// number reaches the dialog), or a stored one whose Receive reads "0" and
// that no card paid. The received box then reads "0" and has no tag; a paid
// stored ticket shows its tender as it was paid, and is refused.
void frmSales::TenderGate() {
  const QString state = cmbRept.Tag();
  if (state == kNewNum || !ticketHasLines()) return;
  std::optional<StoredTender> paid;
  if (state.isEmpty()) {
    runStep([this] { setTicketNumber(QString()); });
  } else {
    const QString number = cmbRept.Text();
    std::optional<StoredHeader> header;
    const std::optional<QString> failure =
        readTicketFile(datOrders, [&](db::Database& tickets) { header = storedHeader(tickets, number); });
    if (failure)
      forms::MsgBox(QStringLiteral("Ticket %1 could not be read: ").arg(number) + *failure,
                    forms::vbExclamation);
    if (!header) return;
    paid = storedTender(*header);
  }
  if (!paid) {
    // No card is run and no money taken for a ticket that could not be
    // stored afterwards.
    const std::optional<QString> unstorable =
        readTicketFile(datOrders, [](db::Database& tickets) { tryTicketStore(tickets); });
    if (unstorable) {
      forms::MsgBox(QStringLiteral("The ticket cannot be tendered: it could not be stored. ") + *unstorable,
                    forms::vbExclamation);
      return;
    }
    // Nor when the removals it is stored with could not be logged.
    if (!removals_.empty()) {
      const QString unlogged = WriteRemovals(removals_, false);
      if (!unlogged.isEmpty()) {
        forms::MsgBox(
            QStringLiteral("The ticket cannot be tendered: its removals could not be logged. ") + unlogged,
            forms::vbExclamation);
        return;
      }
    }
    recalledTender_ = false;
    tender_.reset();
    runStep([this] { txtGet.setTag(QString()); });
    runStep([this] { txtGet.setText(QStringLiteral("0")); });
    if (tenderHook()) tenderHook()();
    return;
  }
  ShowStoredTender(*paid);
  forms::MsgBox(QStringLiteral("You Can Not Reprint This Receipt"), forms::vbOKOnly);
}

void frmSales::cmbRept_Click() {
  RecallChosenTicket();
}

// Enter sends the typed number; every other key types it.
void frmSales::cmbRept_KeyPress(int& KeyAscii) {
  if (KeyAscii == 13) {
    KeyAscii = 0;
    RecallChosenTicket();
    return;
  }
  numberTyped_ = true;
}

// What the window itself writes into the box is the ticket's number; what
// the clerk types is only a number to recall.
void frmSales::cmbRept_Change() {
  if (!numberTyped_) ticketNumber_ = cmbRept.Text();
}

// A stored ticket chosen by number is recalled into an empty window; over a
// ticket with lines the box gets its number back and the clerk is told.
void frmSales::RecallChosenTicket() {
  numberTyped_ = false;
  if (ticketHasLines() || handingOff_) {
    runStep([this] { cmbRept.setText(ticketNumber_); });
    forms::MsgBox(QStringLiteral("Finish or clear the ticket on screen before recalling another."),
                  forms::vbExclamation);
    return;
  }
  ForgetTicket();
  runStep([this] { txtGet.setTag(QString()); });
  runStep([this] { txtGet.setText(QString()); });
  runStep([this] { txtReturn.setText(QString()); });
  cmbRept.setTag(kOldNum);
  txtGet_Click();
}

void frmSales::setTicketNumber(const QString& number) {
  numberTyped_ = false;
  cmbRept.setText(number);
  ticketNumber_ = number;
}

void frmSales::keepTicketNumber() {
  if (numberTyped_) runStep([this] { setTicketNumber(ticketNumber_); });
}

bool frmSales::ticketHasLines() {
  return grdOrderItems.Rows() > kFirstLine;
}

// ---- the receipt

void frmSales::cmdPrintRce1_Click() {
  PrintReceipt();
}

// Asks for the stylist when one is needed, opens the drawer for cash, stores
// the ticket, prints the receipt and clears the window. A store that fails
// has told the clerk and stops here, the ticket kept for another press; a
// receipt that could not be handed over at all is told after the store.
void frmSales::PrintReceipt() {
  keepTicketNumber();
  // A new ticket without a line is no sale: no drawer, no paper, no store.
  if (storeKind(cmbRept.Tag()) == StoreKind::New && !ticketHasLines()) return;
  bool stylistNeeded = true;
  runStep([&] { stylistNeeded = shell::Security().chkEmplyID.Value() == 0; });
  if (stylistNeeded && !signedIn()) {
    txtWaiter.setTag(QStringLiteral("cmdPrintRce"));
    PromptServerId();
    return;
  }
  // A tender that leaves a balance due would store the ticket as paid with
  // money it never took: the clerk tenders it again.
  const std::optional<rt::Currency> due = rt::TryAmount(txtEnding.Text());
  if (tender_ && due) {
    const rt::Currency change = changeOf(*tender_, owedFor(*tender_, *due));
    if (change < rt::Currency()) {
      forms::MsgBox(QStringLiteral("Balance of %1 Due. Please tender the ticket again.")
                        .arg(rt::Format(change, kMoney)),
                    forms::vbExclamation);
      return;
    }
  }
  // Read before the store, which makes a recalled ticket a new one.
  const QString server = ticketStylist();
  const TicketToStore ticket = ticketOnScreen();
  if (!StoreTicket(ticket)) return;
  // Only a tender taken in this window brings money to the drawer (a recalled
  // ticket's was taken when it was stored), and only for a ticket stored.
  if (tender_ && !recalledTender_ && due && tenderOpensDrawer(*tender_, owedFor(*tender_, *due)))
    runStep([this] { OpenDrawer(); });

  CustomerReceipt r;
  runStep([&] {
    shell::frmInfor& store = shell::Infor();
    r.storeLine1 = store.txtL1.Text();
    r.storeLine2 = store.txtL2.Text();
    r.storeLine3 = store.txtL3.Text();
    if (store.cmbCountry.Text() == QLatin1String("Canada")) r.tax2 = txtTOTax2.Text();
    r.freePopAuto = store.lblFreeSf.Caption() == QLatin1String("Auto");
    r.printNotes = store.lblSetP.Caption() == QLatin1String("Print L1 L2 Now");
    r.note1 = store.txtNotes.Text();
    r.note2 = store.txtENotes1.Text();
  });
  if (lblChk.Tag().isEmpty()) lblChk.setTag(cmbRept.Text());
  r.check = lblChk.Caption() + lblChk.Tag();
  r.date = rt::ShortDate(QDate::currentDate());
  r.time = rt::LongTime(QTime::currentTime());
  // Each number goes into the list once.
  runStep([this] {
    for (int i = 0; i < cmbRept.ListCount(); ++i)
      if (cmbRept.List(i) == lblChk.Tag()) return;
    cmbRept.AddItem(lblChk.Tag());
  });
  r.server = server;
  r.lines = ticket.lines;
  r.subtotal = ticket.subtotal;
  r.tax1 = txtTOTax1.Text();
  if (ticket.tender && ticket.tender->refund) {
    r.tax1 = negatedAmount(r.tax1);
    if (r.tax2) r.tax2 = negatedAmount(*r.tax2);
  }
  r.total = ticket.total;
  r.received = txtGet.Text();
  r.change = txtReturn.Text();
  if (tender_ && !recalledTender_) {
    const auto shown = [](rt::Currency amount) {
      return amount != rt::Currency() ? rt::Format(amount, kMoney) : QString();
    };
    r.coupon = shown(tender_->coupon);
    r.gift = shown(tender_->gift);
    r.tip = shown(tender_->tip);
  }
  runStep([&] { printCustomerReceipt(print::Printer(), r); });
  if (!r.received.isEmpty()) runStep([this] { txtGet.setVisible(false); });
  const print::Handover handover = print::Printer().EndDoc();
  if (!handover.done())
    forms::MsgBox(
        QStringLiteral("Ticket %1 is stored; its receipt could not be printed: ").arg(lblChk.Tag()) +
            handover.failure,
        forms::vbExclamation);

  // No approval and no removal record outlive the ticket.
  runStep([] { shell::Security().chkItmDelSec.setTag(QString()); });
  DiscardHiddenRemovalDialog();
  ClearTicket();
}

// ---- line deletion

// A click on a line of a recalled ticket deletes it only when deletions need
// no manager or a manager approved this one; otherwise it asks the keypad
// for a manager's code, and the next click deletes.
void frmSales::grdOrderItems_Click() {
  // A tap on the heading row makes no cell current: the current cell is still
  // the one the ring-up left, and none of it may be taken off.
  if (grdOrderItems.MouseRow() < grdOrderItems.FixedRows()) return;
  if (grdOrderItems.MouseRow() >= kFirstLine && RefusePaidTicket(kLinesStay, true)) return;
  if (cmbRept.Tag() != kDidRecall) {
    DeleteOrderLine();
    return;
  }
  if (grdOrderItems.Row() < kFirstLine) return;
  // The switch as the window read it when it loaded; a missing value needs a
  // manager.
  bool needsManager = true;
  runStep([&] {
    const QVariant v = datPW.Recordset().field(QStringLiteral("ItmDeSecl"));
    needsManager = v.isNull() || v.toInt() != 0;
  });
  bool granted = false;
  runStep([&] { granted = shell::Security().chkItmDelSec.Tag() == QLatin1String("Allow"); });
  if (!needsManager || granted) {
    runStep([] { shell::Security().chkItmDelSec.setTag(QString()); });
    DeleteOrderLine();
    return;
  }
  grdOrderItems.setTag(QStringLiteral("DelItems"));
  shell::TakeOutPW().Show(forms::vbModal);
}

void frmSales::DeleteOrderLine() {
  runStep([this] { grdOrderItems.setRedraw(true); });
  runStep([this] { grdOrderItems.setSelectionMode(1); });
  QString cell;
  runStep([&] { cell = grdOrderItems.Text(); });
  const int clicked = grdOrderItems.MouseRow();
  if (cell.isEmpty() || cell == QLatin1String("Price")) {
    // nothing to delete
  } else if (cell == QLatin1String("+") || cell == QLatin1String("0")) {
    // The marker of a sub-line takes off that line alone, and so does a
    // quantity of 0; each takes its price off the subtotal (a quantity that
    // is no number reads 0 and leaves the price whole). A priced line of the
    // stored ticket is logged first, and stays when its row was not stored.
    runStep([this] { grdOrderItems.setCol(kPriceColumn); });
    const QString price = grdOrderItems.Text();
    if (!price.isEmpty() && isStoredLine(clicked)) {
      QString manager;
      if (!LogRemoval(clicked, manager)) {
        DiscardHiddenRemovalDialog();
        return;
      }
    } else {
      FillRemovalRecord();
    }
    if (!price.isEmpty()) SubtractFromSubtotal(price);
    runStep([&] { grdOrderItems.RemoveItem(clicked); });
    runStep([this] { grdOrderItems.setRow(grdOrderItems.Row() - 1); });
    if (cell == QLatin1String("+")) runStep([this] { datList.Refresh(); });
  } else {
    DeleteLineWithSubLines();
    runStep([this] { grdOrderItems.Refresh(); });
    runStep([this] { datList.Refresh(); });
  }
  DiscardHiddenRemovalDialog();
}

// Takes off the clicked line and the sub-lines under it. A line that came
// from the stored ticket (no routing code) is logged in the removal dialog
// first, and so is each priced sub-line of the stored ticket that goes with
// it, each in a row of its own; when a log row could not be stored, the
// line stays with its sub-lines and their prices.
void frmSales::DeleteLineWithSubLines() {
  const int r = grdOrderItems.MouseRow();
  runStep([&] { grdOrderItems.setRow(r); });
  runStep([this] { grdOrderItems.setCol(kPriceColumn); });
  if (r < kFirstLine) {
    runStep([this] { grdOrderItems.AddItem(QString(), 1); });
    runStep([this] { grdOrderItems.RemoveItem(kFirstLine); });
    return;
  }
  QString price;
  runStep([&] { price = grdOrderItems.TextMatrix(r, kPriceColumn); });
  if (!price.isEmpty()) FillRemovalRecord();
  if (cmbRept.Tag() == kDidRecall) {
    runStep([this] { grdOrderItems.setCol(kCodeColumn); });
    int end = r + 1;
    runStep([&] {
      while (end < grdOrderItems.Rows() && grdOrderItems.TextMatrix(end, kQtyColumn) == QLatin1String("+"))
        ++end;
    });
    QString manager;
    for (int row = r; row < end; ++row) {
      if (!isStoredLine(row)) continue;
      if (row > r && grdOrderItems.TextMatrix(row, kPriceColumn).isEmpty()) continue;
      if (!LogRemoval(row, manager)) return;
    }
    runStep([&] { grdOrderItems.setRow(r); });
  }
  if (!price.isEmpty()) SubtractFromSubtotal(price);
  runStep([&] { grdOrderItems.RemoveItem(r); });
  while (r < grdOrderItems.Rows() && grdOrderItems.TextMatrix(r, kQtyColumn) == QLatin1String("+")) {
    const QString subPrice = grdOrderItems.TextMatrix(r, kPriceColumn);
    if (!subPrice.isEmpty()) SubtractFromSubtotal(subPrice);
    grdOrderItems.RemoveItem(r);
  }
}

// The current line of a recalled ticket into the removal dialog, which this
// loads hidden; not while the security switch is greyed.
void frmSales::FillRemovalRecord() {
  if (cmbRept.Tag() != kDidRecall) return;
  runStep([this] {
    const int value = shell::Security().chkItmDelSec.Value();
    if (value != forms::vbUnchecked && value != forms::vbChecked) return;
    const RemovalDialog d = removalDialog();
    if (!d.form) return;
    const int row = grdOrderItems.Row();
    d.txtItem->setText(grdOrderItems.TextMatrix(row, kTextColumn));
    d.txtPrice->setText(grdOrderItems.TextMatrix(row, kPriceColumn));
    d.txtType->setText(QStringLiteral("HS"));
    grdOrderItems.setCol(kPriceColumn);
  });
}

bool frmSales::isStoredLine(int row) {
  if (cmbRept.Tag() != kDidRecall) return false;
  bool stored = false;
  runStep([&] { stored = grdOrderItems.TextMatrix(row, kCodeColumn).isEmpty(); });
  return stored;
}

// The manager who approved a deletion approved all of it: the first row
// takes the name the approval put into the dialog, and each later row of the
// same deletion, in a dialog loaded afresh, is given it.
bool frmSales::LogRemoval(int row, QString& manager) {
  runStep([&] { grdOrderItems.setRow(row); });
  runStep([this] { grdOrderItems.setCol(kCodeColumn); });
  FillRemovalRecord();
  const RemovalDialog d = removalDialog();
  if (d.txtManager) {
    runStep([&] {
      if (manager.isEmpty())
        manager = d.txtManager->Text();
      else
        d.txtManager->setText(manager);
    });
  }
  return ShowRemovalDialog();
}

// The removal the dialog took waits for the ticket's store: a ticket left
// unstored removed nothing.
bool frmSales::ShowRemovalDialog() {
  const RemovalDialog d = removalDialog();
  if (!d.form) return false;
  d.form->Show(forms::vbModal);
  const std::optional<RemovalLogEntry> removal = d.removal ? d.removal() : std::nullopt;
  if (!removal) return false;
  removals_.push_back(*removal);
  return true;
}

void frmSales::DiscardHiddenRemovalDialog() {
  const RemovalDialog d = removalDialog();
  if (d.form && d.form->IsLoaded() && !d.form->Visible()) forms::Unload(*d.form);
}

// A price comes off as the cent its line prints, as it was added.
void frmSales::SubtractFromSubtotal(const QString& price) {
  runStep([&] {
    if (const std::optional<QString> subtotal = subtotalLess(txtTotal.Text(), moneyText(price)))
      txtTotal.setText(*subtotal);
  });
}

frmSales& Sales() {
  return forms::global<frmSales>();
}

}  // namespace sales
