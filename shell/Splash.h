// The splash window and the program's start-up sequence.
#pragma once

#include <QtGlobal>
#include <functional>

#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "shell/wait.h"

namespace shell {

class frmSplash : public forms::Form {
 public:
  frmSplash();

  forms::Label lblCompany{this, "lblCompany"};
  forms::Label lblProduct{this, "lblProduct"};
  forms::Label lblKind{this, "lblKind"};
  forms::Label lblVersion{this, "lblVersion"};

 protected:
  void Form_Load() override;
  void Form_KeyPress(int& KeyAscii) override;
};

frmSplash& Splash();

// The start-up sequence: shows the splash, waits until more than 2 whole
// seconds have passed (2 to 3 s, processing messages meanwhile), unloads the
// splash and shows the main window with the launcher.
void Main(const WholeSecondsClock& clock = monotonicWholeSeconds);

// The splash wait alone: returns once clock() - start > 2, testing before it
// lets `processMessages` run each time. Returns how often messages were
// processed.
int waitSplash(const WholeSecondsClock& clock, qint64 start, const std::function<void()>& processMessages);

}  // namespace shell
