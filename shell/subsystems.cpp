#include "shell/subsystems.h"

#include "sales/frmSales.h"
#include "shell/frmTakeOutPW.h"
#include "tender/frmRemoving.h"
#include "tender/frmTender.h"

namespace shell {

void ConnectSubsystems() {
  setRemovalManagerBox([]() -> forms::Control& { return tender::Removing().txtManager; });
  sales::setTenderDialog([] { tender::Tender().Show(forms::vbModal); });
  sales::setRemovalDialog([] {
    tender::frmRemoving& d = tender::Removing();
    return sales::RemovalDialog{&d,
                                &d.txtItem,
                                &d.txtPrice,
                                &d.txtType,
                                [&d] { return d.Removal(); },
                                &d.txtManager,
                                [](const std::vector<sales::RemovalLogEntry>& removals, bool commit) {
                                  return tender::logRemovals(removals, commit);
                                }};
  });
}

}  // namespace shell
