#include "booking/frmReservation.h"

#include <QStringList>
#include <exception>

#include "platform/convert/datetext.h"
#include "platform/db/database.h"
#include "platform/forms/msgbox.h"
#include "shell/appinfo.h"
#include "shell/placement.h"

namespace booking {

namespace {

constexpr forms::Color kFrameYellow = forms::RGB(255, 255, 192);
constexpr forms::Color kShadowOlive = forms::RGB(128, 128, 0);
constexpr forms::Color kNavy = forms::RGB(0, 0, 128);
constexpr forms::Color kSaveRed = forms::RGB(192, 0, 0);

const QString kStaffQuery = QStringLiteral(" SELECT * FROM tbEmplo ORDER BY szID_no ASC");
const QString kConnect = QStringLiteral("Access 2000;");

// The slots: one every 360 twips down the "Schedule" frame, each hour's label
// to the left of its first slot and as high as its two slots.
constexpr int kSlotTop = 480;
constexpr int kSlotStep = 360;
constexpr int kSlotLeft = 1800;
constexpr int kSlotWidth = 5535;
constexpr int kHourLeft = 240;
constexpr int kHourWidth = 1440;
const char* const kHourCaptions[] = {"9 AM", "10 AM", "11 AM", "12 PM", "1 PM", "2 PM",
                                     "3 PM", "4 PM",  "5 PM",  "6 PM",  "7 PM"};

}  // namespace

frmReservation::frmReservation()
    : Form("frmReservation"),
      boxes_{&Text1,  &Text2,  &Text3,  &Text4,  &Text5,  &Text6,  &Text7,  &Text8,
             &Text9,  &Text10, &Text11, &Text12, &Text13, &Text14, &Text15, &Text16,
             &Text17, &Text18, &Text19, &Text20, &Text21, &Text22},
      hours_{&Label1, &Label2, &Label3, &Label4,  &Label5, &Label6,
             &Label7, &Label8, &Label9, &Label10, &Label11} {
  setMDIChild(true);
  setCaption(QStringLiteral("Reservation"));
  setBackColor(shell::kSettingsGreen);
  setWidth(14700);
  setHeight(9465);

  // "Select Employee" at the top left, the calendar below it, the close and
  // Save buttons at the bottom left; "Schedule" fills the right side. Each
  // frame has an olive block behind it, offset as a drop shadow.
  Frame1.setCaption(QStringLiteral("Select Employee"));
  Frame1.Move(240, 240, 6375, 1095);
  Label13.Move(360, 360, 6375, 1095);
  Label12.setCaption(QStringLiteral("Name:"));
  Label12.Move(240, 480, 975, 375);
  cmbID.Move(1260, 420, 4875, 450);
  txtID.Move(240, 870, 975, 285);
  txtID.setVisible(false);
  for (forms::Control* c : {static_cast<forms::Control*>(&Label12), static_cast<forms::Control*>(&cmbID),
                            static_cast<forms::Control*>(&txtID)})
    c->setContainer(Frame1);

  Calendar1.Move(240, 1560, 6375, 6015);
  Calendar1.setFont(QStringLiteral("Arial"), 12);
  txtdate.Move(240, 1560, 1215, 285);
  txtdate.setVisible(false);

  Frame2.setCaption(QStringLiteral("Schedule"));
  Frame2.Move(6960, 240, 7575, 8775);
  Label14.Move(7080, 360, 7575, 8775);
  for (int i = 0; i < kSlotCount; ++i) {
    forms::TextBox& box = *boxes_[i];
    box.Move(kSlotLeft, kSlotTop + i * kSlotStep, kSlotWidth, kSlotStep);
    box.setFont(QStringLiteral("MS Sans Serif"), 12, true);
    box.setContainer(Frame2);
    box.onChange = [this] { Text_Change(); };
  }
  for (int h = 0; h < kSlotCount / 2; ++h) {
    forms::Label& label = *hours_[h];
    label.setCaption(QString::fromLatin1(kHourCaptions[h]));
    label.Move(kHourLeft, kSlotTop + 2 * h * kSlotStep, kHourWidth, 2 * kSlotStep);
    label.setBackColor(forms::vbWhite);
    label.setForeColor(kNavy);
    label.setFont(QStringLiteral("MS Sans Serif"), 18, true);
    label.setAlignment(forms::vbCenter);
    label.setContainer(Frame2);
  }

  for (forms::Frame* frame : {&Frame1, &Frame2}) {
    frame->setBackColor(kFrameYellow);
    frame->setFont(QStringLiteral("MS Sans Serif"), 12, true);
  }
  for (forms::Label* shadow : {&Label13, &Label14}) shadow->setBackColor(kShadowOlive);
  Label12.setFont(QStringLiteral("MS Sans Serif"), 12, true);
  cmbID.setFont(QStringLiteral("MS Sans Serif"), 12, true);

  cmdClose.setStyle(1);
  cmdClose.setPicture(QStringLiteral(":/booking/close.png"));
  cmdClose.Move(240, 7935, 1440, 1215);
  cmdSave.setCaption(QStringLiteral("Save"));
  cmdSave.setStyle(1);
  cmdSave.setBackColor(kSaveRed);
  cmdSave.setForeColor(forms::vbWhite);
  cmdSave.setFont(QStringLiteral("Arial"), 24, true);
  cmdSave.Move(1800, 7935, 4815, 1215);
  cmdSave.setVisible(false);
  cmdFind.setCaption(QStringLiteral("Find"));
  cmdFind.Move(240, 7935, 1215, 495);
  cmdFind.setVisible(false);

  datReserv.setConnect(kConnect);
  datEmploye.setConnect(kConnect);

  Calendar1.onClick = [this] { Calendar1_Click(); };
  Calendar1.onChange = [this] { Calendar1_Change(); };
  txtdate.onChange = [this] { txtdate_Change(); };
  cmbID.onClick = [this] { cmbID_Click(); };
  cmbID.onLostFocus = [this] { TakeTypedName(); };
  txtID.onChange = [this] { txtID_Change(); };
  cmdSave.onClick = [this] { cmdSave_Click(); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
  cmdFind.onClick = [this] { cmdFind_Click(); };
}

void frmReservation::Form_Load() {
  Place(20);
  noDatabase_.clear();
  bookOpened_ = false;

  // The day shown is today. Its Find runs before the databases are placed,
  // so it finds nothing: the slots stay empty and Save hidden.
  const QDate today = QDate::currentDate();
  Calendar1.setValue(today);
  txtdate.setText(rt::ShortDate(today));

  // A placement that cannot be read (also one whose mode is neither "Single"
  // nor "File Sharing") is told here, once, as the reason.
  if (const std::optional<QString> unreadable = shell::dataLocationFailure()) {
    // The window opens all the same, with no stylists; every save says why.
    noDatabase_ = QStringLiteral("the data location cannot be read. ") + *unreadable;
    forms::MsgBox(QStringLiteral("The appointment book has no database: ") + noDatabase_,
                  forms::vbExclamation);
    return;
  }
  const shell::DataLocation where = shell::currentDataLocation();
  datEmploye.setDatabaseName(shell::placeDatabase(where, QStringLiteral("Infor.mdb")).value_or(QString()));
  datReserv.setDatabaseName(
      shell::placeDatabase(where, QStringLiteral("SalonReserv.mdb")).value_or(QString()));

  // Each file that cannot be opened is named; the window still opens.
  QStringList problems;
  try {
    datReserv.setRecordSource(QString::fromLatin1(kScheduleQuery));
    datReserv.Refresh();
    bookOpened_ = true;
  } catch (const std::exception& e) {
    problems << QString::fromUtf8(e.what());
  }
  try {
    datEmploye.setRecordSource(kStaffQuery);
    datEmploye.Refresh();
    // Every staff member's first name, in sign-in code order, a shared name
    // as often as it occurs; a member without a first name is left out.
    // Nothing is picked.
    db::Recordset& staff = datEmploye.Recordset();
    for (; !staff.eof(); staff.moveNext()) {
      const QString name = staff.field(QStringLiteral("sFirst_nm")).toString();
      if (!name.isEmpty()) cmbID.AddItem(name);
    }
  } catch (const std::exception& e) {
    problems << QString::fromUtf8(e.what());
  }
  if (!problems.isEmpty()) {
    forms::MsgBox(
        QStringLiteral("The appointment book cannot open its data:\n") + problems.join(QLatin1Char('\n')),
        forms::vbExclamation);
  }
}

// A click on a day, also on the day shown: pending edits are stored under the
// day and stylist on screen, then the picked day is shown. When they cannot
// be stored, the calendar goes back to the day on screen. A name typed into
// the stylist box is taken first: the slots on screen are not hers.
void frmReservation::Calendar1_Click() {
  TakeTypedName();
  if (cmdSave.Visible() && !SaveDaySchedule()) {
    Calendar1.setValue(shownDay_);
    return;
  }
  txtdate.setText(rt::ShortDate(Calendar1.Value()));
}

// Every other change of the day by the user (the keys) is a pick as well, so
// the calendar never shows another day than the slots.
void frmReservation::Calendar1_Change() {
  Calendar1_Click();
}

void frmReservation::txtdate_Change() {
  cmdFind_Click();
}

// The combo already shows the picked name. Pending edits are stored under the
// day and stylist on screen, then the picked name becomes the shown stylist.
void frmReservation::cmbID_Click() {
  if (cmdSave.Visible() && !SaveDaySchedule()) {
    cmbID.setText(shownName_);
    return;
  }
  ShowStylist();
}

// The name in the combo becomes the shown stylist, and her day is loaded
// unless the slots are hers already. The shown stylist may stay the same
// while the slots were loaded for another name (a day picked while a name
// stood typed over the list loads for that name): the load then runs all the
// same, so the slots and the next save are the named stylist's.
void frmReservation::ShowStylist() {
  txtID.setText(cmbID.Text());
  if (shownName_ != cmbID.Text()) cmdFind_Click();
}

// A name typed into the combo, not picked, is taken when the box is left or
// a step would store the slots: her day is loaded before anything is saved,
// so the slots on screen are always the named stylist's. Edits made to the
// slots of the name typed over are dropped, as they belong to nobody named.
bool frmReservation::TakeTypedName() {
  if (cmbID.Text() == shownName_) return false;
  ShowStylist();
  return true;
}

void frmReservation::txtID_Change() {
  cmdFind_Click();
}

void frmReservation::Text_Change() {
  setTag(QStringLiteral("Datahaschange"));
  cmdSave.setVisible(true);
}

void frmReservation::cmdSave_Click() {
  if (TakeTypedName()) return;
  SaveDaySchedule();
}

// Pending edits are dropped without asking.
void frmReservation::cmdClose_Click() {
  forms::Unload(*this);
}

void frmReservation::cmdFind_Click() {
  ClearSchedule();
  LoadDaySchedule();
  setTag(QString());
  cmdSave.setVisible(false);
}

void frmReservation::ClearSchedule() {
  for (forms::TextBox* box : boxes_) box->setText(QString());
}

// Shows the stored slots of the calendar's day and the stylist in the combo,
// and remembers them as the schedule on screen. A schedule that cannot be
// read shows as empty; when the book opened with the window, that is said,
// since an empty day would look free, and the day is marked unread so that a
// save cannot overwrite what was never shown.
void frmReservation::LoadDaySchedule() {
  shownDay_ = Calendar1.Value();
  shownName_ = cmbID.Text();
  shownRead_ = true;
  SlotTexts stored;
  try {
    datReserv.Refresh();
    stored = readDaySchedule(datReserv.Recordset(), shownDay_, shownName_);
  } catch (const std::exception& e) {
    if (bookOpened_) {
      shownRead_ = false;
      forms::MsgBox(QStringLiteral("The schedule could not be read: ") + QString::fromUtf8(e.what()),
                    forms::vbExclamation);
    }
    return;
  }
  for (int i = 0; i < kSlotCount; ++i)
    if (!stored[i].isEmpty()) boxes_[i]->setText(stored[i]);
}

bool frmReservation::SaveDaySchedule() {
  SlotTexts texts;
  for (int i = 0; i < kSlotCount; ++i) texts[i] = boxes_[i]->Text();
  try {
    if (!noDatabase_.isEmpty()) throw db::Error(noDatabase_);
    datReserv.Refresh();
    if (!shownRead_ && findDayRow(datReserv.Recordset(), shownDay_, shownName_)) {
      throw db::Error(
          QStringLiteral("the stored schedule of this day was not read, and saving would replace "
                         "it. Pick the day again."));
    }
    storeDaySchedule(datReserv.Recordset(), shownDay_, shownName_, texts);
  } catch (const std::exception& e) {
    forms::MsgBox(QStringLiteral("The schedule could not be saved: ") + QString::fromUtf8(e.what()),
                  forms::vbExclamation);
    return false;
  }
  setTag(QString());
  cmdSave.setVisible(false);
  return true;
}

frmReservation& Reservation() {
  return forms::global<frmReservation>();
}

}  // namespace booking
