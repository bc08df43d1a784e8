// The appointment book: a month calendar, the stylist list and the 22
// half-hour slots of the picked day and stylist, from 9:00 to 19:30.
//
// The window's state lives in its controls: the hidden txtdate holds the day
// on screen (short date), the hidden txtID the stylist last picked, and Save
// shows exactly while the slots hold edits that are not stored. Besides, the
// window remembers the day and stylist whose schedule it loaded last: every
// save stores under those, so the slots are never written into another
// day's or another stylist's row. A name typed into the stylist box loads
// its day when the box is left, or before Save or a day picked would store.
#pragma once

#include <QDate>
#include <QString>
#include <array>

#include "booking/schedule.h"
#include "platform/forms/calendar.h"
#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/form.h"

namespace booking {

class frmReservation : public forms::Form {
 public:
  frmReservation();

  // The olive shadows come first so that they lie under the frames.
  forms::Label Label13{this, "Label13"};
  forms::Label Label14{this, "Label14"};

  forms::Frame Frame1{this, "Frame1"};
  forms::Label Label12{this, "Label12"};
  forms::ComboBox cmbID{this, "cmbID"};
  forms::TextBox txtID{this, "txtID"};

  forms::Calendar Calendar1{this, "Calendar1"};
  forms::TextBox txtdate{this, "txtdate"};

  forms::Frame Frame2{this, "Frame2"};
  forms::TextBox Text1{this, "Text1"};
  forms::TextBox Text2{this, "Text2"};
  forms::TextBox Text3{this, "Text3"};
  forms::TextBox Text4{this, "Text4"};
  forms::TextBox Text5{this, "Text5"};
  forms::TextBox Text6{this, "Text6"};
  forms::TextBox Text7{this, "Text7"};
  forms::TextBox Text8{this, "Text8"};
  forms::TextBox Text9{this, "Text9"};
  forms::TextBox Text10{this, "Text10"};
  forms::TextBox Text11{this, "Text11"};
  forms::TextBox Text12{this, "Text12"};
  forms::TextBox Text13{this, "Text13"};
  forms::TextBox Text14{this, "Text14"};
  forms::TextBox Text15{this, "Text15"};
  forms::TextBox Text16{this, "Text16"};
  forms::TextBox Text17{this, "Text17"};
  forms::TextBox Text18{this, "Text18"};
  forms::TextBox Text19{this, "Text19"};
  forms::TextBox Text20{this, "Text20"};
  forms::TextBox Text21{this, "Text21"};
  forms::TextBox Text22{this, "Text22"};
  forms::Label Label1{this, "Label1"};
  forms::Label Label2{this, "Label2"};
  forms::Label Label3{this, "Label3"};
  forms::Label Label4{this, "Label4"};
  forms::Label Label5{this, "Label5"};
  forms::Label Label6{this, "Label6"};
  forms::Label Label7{this, "Label7"};
  forms::Label Label8{this, "Label8"};
  forms::Label Label9{this, "Label9"};
  forms::Label Label10{this, "Label10"};
  forms::Label Label11{this, "Label11"};

  forms::CommandButton cmdClose{this, "cmdClose"};
  forms::CommandButton cmdSave{this, "cmdSave"};
  forms::CommandButton cmdFind{this, "cmdFind"};

  forms::Data datReserv{this, "datReserv"};
  forms::Data datEmploye{this, "datEmploye"};

  // The slot boxes Text1 to Text22 in order (index 0 is Text1).
  const std::array<forms::TextBox*, kSlotCount>& slotBoxes() const { return boxes_; }

 protected:
  void Form_Load() override;

 private:
  void Calendar1_Click();
  void Calendar1_Change();
  void txtdate_Change();
  void cmbID_Click();
  void ShowStylist();
  // Loads the day of a name typed into the combo; false when the slots are
  // that name's already.
  bool TakeTypedName();
  void txtID_Change();
  // The change step of every slot box, Text1 to Text22 alike.
  void Text_Change();
  void cmdSave_Click();
  void cmdClose_Click();
  void cmdFind_Click();

  void ClearSchedule();
  void LoadDaySchedule();
  // Stores the slots under the day and stylist on screen. A failure is
  // reported and leaves the edits pending; the result tells which.
  bool SaveDaySchedule();

  std::array<forms::TextBox*, kSlotCount> boxes_;
  std::array<forms::Label*, kSlotCount / 2> hours_;
  QDate shownDay_;           // the day the last Find loaded
  QString shownName_;        // the stylist the last Find loaded
  QString noDatabase_;       // why the book has no database, when the placement gave none
  bool bookOpened_ = false;  // the book's file opened when the window loaded
  bool shownRead_ = true;    // the last Find read the stored schedule (or there was none to read)
};

frmReservation& Reservation();

}  // namespace booking
