#include "shell/frmMbutton.h"

#include "booking/frmReservation.h"
#include "sales/frmSales.h"
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
  }
  cmdSales.onClick = [this] { cmdSales_Click(); };
  cmdReservation.onClick = [this] { cmdReservation_Click(); };
}

void frmMbutton::Form_Load() {
  Place(20);
}

// The sales window, modal: the main menu waits while a ticket is open.
void frmMbutton::cmdSales_Click() {
  sales::Sales().Show(forms::vbModal);
}

// The appointment book, modeless inside the main window: the first press
// loads it, a later one brings it to the front.
void frmMbutton::cmdReservation_Click() {
  booking::Reservation().Show();
}

frmMbutton& Mbutton() {
  return forms::global<frmMbutton>();
}

}  // namespace shell
