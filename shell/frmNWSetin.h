// The placement window: where this station's shared databases lie.
//
// It has no menu entry. The first window that reads one of its boxes loads
// it, and it then shows as a child of the main window. Its three boxes are
// bound to the placement fields of the station-settings row (tbSet).
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "platform/forms/controls.h"
#include "platform/forms/data.h"
#include "platform/forms/form.h"
#include "shell/placement.h"

namespace shell {

class frmNWSetin : public forms::Form {
 public:
  frmNWSetin();

  forms::Label lblMode{this, "lblMode"};
  forms::TextBox txtNWsetin{this, "txtNWsetin"};
  forms::Label lblPath{this, "lblPath"};
  forms::TextBox txtPath{this, "txtPath"};
  forms::Label lblData{this, "lblData"};
  forms::TextBox txtData{this, "txtData"};
  forms::Label lblLocal{this, "lblLocal"};
  forms::TextBox Text1{this, "Text1"};
  forms::Label lblNote1{this, "lblNote1"};
  forms::Label lblNote2{this, "lblNote2"};
  forms::CommandButton cmdSingle{this, "cmdSingle"};
  forms::CommandButton cmdShare{this, "cmdShare"};
  forms::CommandButton cmdClose{this, "cmdClose"};
  forms::Data DatSet{this, "DatSet"};

  // Where the station-settings file is looked for on the server. Tests
  // replace it; by default it asks the file system through the path mapping.
  std::function<bool(const QString& path)> probe;

  // Why the boxes show no placement a reader may use (see
  // dataLocationFailure); loads the window, without a message, when it is
  // not loaded.
  std::optional<QString> settingsFailure();

 protected:
  void Form_Load() override;

 private:
  void cmdShare_Click();
  void cmdSingle_Click();
  void cmdClose_Click();

  std::optional<QString> loadFailure_;  // why the last load could not read the row
  bool quietLoad_ = false;              // the reader that loads the window tells the failure
};

frmNWSetin& NWSetin();

// The server path and data folder as the "File Sharing" button leaves them:
// "\\" in front of the path unless its first two characters already are, and
// a final "\" on both.
QString normalisedServerPath(const QString& path);
QString normalisedDataFolder(const QString& folder);

}  // namespace shell
