#include "tender/frmRemoving.h"

namespace tender {

frmRemoving::frmRemoving() : Form("frmRemoving") {
  setBorderStyle(0);
  setWidth(9825);
  setHeight(7995);
  txtManager.Move(120, 120, 2535, 375);
}

frmRemoving& Removing() {
  return forms::global<frmRemoving>();
}

}  // namespace tender
