#include "shell/frmMbutton.h"

#include "shell/appinfo.h"

namespace shell {

frmMbutton::frmMbutton() : Form("frmMbutton") {
  setMDIChild(true);
  setBorderStyle(0);
  setControlBox(false);
  setBackColor(kSettingsGreen);
  setWidth(8355);
  setHeight(5865);

  cmdSales.setCaption(QStringLiteral("Sales"));
  cmdSales.Move(2880, 480, 2535, 2175);
  cmdReservation.setCaption(QStringLiteral("Reservations"));
  cmdReservation.Move(2880, 3360, 2535, 1935);
  for (forms::CommandButton* b : {&cmdSales, &cmdReservation}) {
    b->setStyle(1);
    b->setBackColor(forms::vbWhite);
    b->setFont(QStringLiteral("Arial"), 16, true);
    // The sales window and the appointment book come with later work.
    b->setEnabled(false);
  }
}

void frmMbutton::Form_Load() {
  Place(20);
}

frmMbutton& Mbutton() {
  return forms::global<frmMbutton>();
}

}  // namespace shell
