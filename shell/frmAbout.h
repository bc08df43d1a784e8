// The about box: the application title and version, the store's company name
// (from the store settings window), an animated window icon and a button that
// starts the system-information tool the registry names.
#pragma once

#include <QString>

#include "platform/com/registry.h"
#include "platform/forms/controls.h"
#include "platform/forms/form.h"

namespace shell {

class frmAbout : public forms::Form {
 public:
  frmAbout();

  forms::Label lblTitle{this, "lblTitle"};
  forms::Label lblVersion{this, "lblVersion"};
  forms::Label Label1{this, "Label1"};
  forms::TextBox Text1{this, "Text1"};
  forms::CommandButton cmdSysInfo{this, "cmdSysInfo"};
  forms::CommandButton cmdClose{this, "cmdClose"};
  forms::ControlArray<forms::Image> Image1{this, "Image1", 0, 17};
  forms::Timer Timer1{this, "Timer1"};

  // Starts the system-information tool the registry names, or says it is
  // unavailable.
  void StartSysInfo();
  // Reads a string value of a key under a hive: true with the text in
  // `value`, false with `value` empty.
  static bool GetKeyValue(com::Hive root, const QString& keyName, const QString& valueName, QString& value);

  // The icon frame shown last (0 to 17); kept while the box is closed.
  int iconFrame() const { return frame_; }

 protected:
  void Form_Load() override;

 private:
  void Timer1_Timer();
  void cmdSysInfo_Click();
  void cmdClose_Click();
  void NextIconFrame();

  // The box's own variables: they keep their values between openings, so a
  // reopened box goes on from the frame it showed last.
  int animation_ = 0;
  qint16 frame_ = 0;
};

frmAbout& About();

}  // namespace shell
