#include "shell/subsystems.h"

#include "shell/frmTakeOutPW.h"
#include "tender/frmRemoving.h"

namespace shell {

void ConnectSubsystems() {
  setRemovalManagerBox([]() -> forms::Control& { return tender::Removing().txtManager; });
}

}  // namespace shell
