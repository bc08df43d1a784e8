#include "reports/frmRepOrdrDetails.h"

#include <QDate>
#include <exception>

#include "platform/convert/datetext.h"
#include "platform/forms/msgbox.h"
#include "reports/orderdetails.h"
#include "shell/placement.h"
#include "shell/steps.h"

namespace reports {

namespace {
// What the listing shows after a listing that failed: no line.
const QString kNoLines = QStringLiteral("SELECT * FROM tblDetail WHERE 1 = 0");
}  // namespace

frmRepOrdrDetails::frmRepOrdrDetails() : Form("frmRepOrdrDetails") {
  setMDIChild(true);
  setCaption(QStringLiteral("Order Details"));
  setWidth(11520);
  setHeight(7860);

  const struct {
    forms::Label* label;
    const char* caption;
    forms::TextBox* box;
    int left;
    int labelWidth;
    int boxWidth;
  } boxes[] = {{&lblFrom, "From:", &txtFrom, 240, 600, 1335},
               {&lblTo, "To:", &txtTo, 2280, 420, 1335},
               {&lblStart, "Start:", &txtSTime, 4200, 600, 1095},
               {&lblEnd, "End:", &txtETime, 6000, 480, 1095}};
  for (const auto& b : boxes) {
    b.label->setCaption(QString::fromLatin1(b.caption));
    b.label->Move(b.left, 240, b.labelWidth, 285);
    b.label->setFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    b.label->setBackStyle(0);
    b.box->Move(b.left + b.labelWidth, 180, b.boxWidth, 330);
  }
  txtSTime.setText(kShiftStart);
  txtETime.setText(kShiftEnd);
  txtAmount.setVisible(false);
  txtAmount.Move(7800, 180, 600, 330);

  const struct {
    forms::CommandButton* button;
    const char* caption;
    const char* type;
  } types[] = {{&cmdBar, "Bar", "Bar"},     {&cmdDel, "Delivery", "Dy"},  {&cmdDineIn, "Dine In", "DI"},
               {&cmdSO, "Self Ordr", "SO"}, {&cmdTakeOut, "To Go", "To"}, {&cmdTotal, "All", "*"}};
  int left = 240;
  for (const auto& t : types) {
    t.button->setCaption(QString::fromLatin1(t.caption));
    t.button->Move(left, 660, 1215, 495);
    t.button->setFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    const QString type = QString::fromLatin1(t.type);
    t.button->onClick = [this, type] { OrderType_Click(type); };
    left += 1320;
  }

  Option1.setCaption(QStringLiteral("View by Invoice"));
  Option2.setCaption(QStringLiteral("View by Item"));
  Option3.setCaption(QStringLiteral("View by Date"));
  int top = 120;
  for (forms::OptionButton* o : {&Option1, &Option2, &Option3}) {
    o->Move(8640, top, 2640, 315);
    o->setFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    top += 345;
  }

  datOrdrDetails.setConnect(QStringLiteral("Access 2000;"));
  DBGRepDetail.setDataSource(datOrdrDetails);
  DBGRepDetail.Move(240, 1320, 11040, 5640);
  DBGRepDetail.addColumn(QStringLiteral("Date:"), QStringLiteral("Date"), QStringLiteral("Short Date"), 1440);
  DBGRepDetail.addColumn(QStringLiteral("Invoice:"), QStringLiteral("Invoice"), QString(), 1200);
  DBGRepDetail.addColumn(QStringLiteral("Qty:"), QStringLiteral("Qty"), QString(), 720);
  DBGRepDetail.addColumn(QStringLiteral("Orders:"), QStringLiteral("szOrder"), QString(), 5400);
  DBGRepDetail.addColumn(QStringLiteral("Order From:"), QStringLiteral("Method"), QString(), 1560);
  DBGRepDetail.setAllowUpdate(false);
  DBGRepDetail.setAllowAddNew(false);
  DBGRepDetail.setAllowDelete(false);

  cmdClose.setStyle(1);
  cmdClose.setPicture(QStringLiteral(":/reports/close.png"));
  cmdClose.setBackColor(forms::vbWhite);
  cmdClose.Move(10200, 7035, 1080, 720);

  Option1.onClick = [this] { Option1_Click(); };
  Option2.onClick = [this] { Option2_Click(); };
  Option3.onClick = [this] { Option3_Click(); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
}

void frmRepOrdrDetails::Form_Load() {
  Place(20);
  datOrdrDetails.setRecordSource(QStringLiteral("SELECT * FROM tblDetail ORDER BY Invoice DESC"));
  const QDate today = QDate::currentDate();
  txtFrom.setText(rt::ShortDate(today));
  txtTo.setText(rt::ShortDate(today));
  // The live or training file where the placement puts it. A setting that
  // cannot be read gives none (told once): the install folder's training
  // file would pass for the station's tickets.
  const shell::TicketDatabase tickets = shell::currentTicketDatabase();
  datOrdrDetails.setDatabaseName(tickets.path.value_or(QString()));
  if (!tickets.path) {
    forms::MsgBox(
        QStringLiteral("The order-detail report has no database: ") + tickets.unreadable.value_or(QString()),
        forms::vbExclamation);
    return;
  }
  // No order type yet: this first listing holds nothing.
  LoadOrderDetails();
}

void frmRepOrdrDetails::OrderType_Click(const QString& type) {
  txtAmount.setTag(type);
  LoadOrderDetails();
}

// The view options only choose the order of the next listing.
void frmRepOrdrDetails::Option1_Click() {
  DBGRepDetail.setTag(QStringLiteral("OptInv"));
}

void frmRepOrdrDetails::Option2_Click() {
  DBGRepDetail.setTag(QStringLiteral("OptItem"));
}

void frmRepOrdrDetails::Option3_Click() {
  DBGRepDetail.setTag(QStringLiteral("OptDate"));
}

void frmRepOrdrDetails::LoadOrderDetails() {
  if (txtSTime.Text().isEmpty()) txtSTime.setText(kShiftStart);
  if (txtETime.Text().isEmpty()) txtETime.setText(kShiftEnd);
  try {
    const Query q = orderDetailQuery(txtAmount.Tag(), txtFrom.Text(), txtTo.Text(), txtSTime.Text(),
                                     txtETime.Text(), DBGRepDetail.Tag());
    datOrdrDetails.setRecordSource(q.sql, q.params);
    datOrdrDetails.Refresh();
  } catch (const std::exception& e) {
    // A listing that failed shows no line, never the one before.
    shell::runStep([this] {
      datOrdrDetails.setRecordSource(kNoLines);
      datOrdrDetails.Refresh();
    });
    forms::MsgBox(QStringLiteral("The report could not be run: ") + QString::fromUtf8(e.what()),
                  forms::vbExclamation);
  }
}

void frmRepOrdrDetails::cmdClose_Click() {
  forms::Unload(*this);
}

frmRepOrdrDetails& RepOrdrDetails() {
  return forms::global<frmRepOrdrDetails>();
}

}  // namespace reports
