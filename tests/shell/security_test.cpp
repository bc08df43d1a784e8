// The security window: switches stored when it unloads, and the one-shot
// deletion grant in a tag that only others write.
#include "shell/frmSecurity.h"
#include "shell/placement.h"
#include "tests/shell/shell_fixture.h"

namespace {

using shell::Security;

// The sales window reads the delete switch through a binding of its own.
class frmReader : public forms::Form {
 public:
  frmReader() : Form("frmReader") {
    chkSwitch.setDataSource(datPW);
    chkSwitch.setDataField("ItmDeSecl");
    datPW.setConnect("Access 2000;");
    datPW.setRecordSource("tabPword");
  }
  forms::CheckBox chkSwitch{this, "chkSwitch"};
  forms::Data datPW{this, "datPW"};

 protected:
  void Form_Load() override { datPW.setDatabaseName(shell::kInstallFolder + "Duzo98HS.mdb"); }
};

class SecurityOptions : public ShellFixture {};

TEST_F(SecurityOptions, ChangedBoxesReachTheRowsWhenTheWindowUnloads) {
  EXPECT_EQ(Security().chkEmplyID.Value(), 0);
  for (forms::CheckBox* box : {&Security().chkEmplyID, &Security().chkItmDelSec, &Security().chkecd})
    box->setValue(1);
  for (forms::CheckBox* box : {&Security().chkEmplyID, &Security().chkItmDelSec, &Security().chkecd})
    EXPECT_EQ(box->Caption(), "Disabled") << box->Name().toStdString();  // whatever the value

  forms::Instance<frmReader> sales;
  sales->datPW.Refresh();
  EXPECT_EQ(sales->chkSwitch.Value(), 0);  // the row has not got it yet
  EXPECT_EQ(value(settingsFile(), "SELECT szID_nu FROM tabPword"), "0");

  Security().cmdClose.setValue(true);
  EXPECT_FALSE(Security().IsLoaded());
  sales->datPW.Refresh();
  EXPECT_EQ(sales->chkSwitch.Value(), 1);
  EXPECT_EQ(value(settingsFile(), "SELECT szID_nu FROM tabPword"), "1");
  EXPECT_EQ(value(settingsFile(), "SELECT ecd FROM tbSet"), "1");

  // A greyed switch is read back greyed; the title closes the window too.
  run(settingsFile(), "UPDATE tabPword SET ItmDeSecl = 2");
  EXPECT_EQ(Security().chkItmDelSec.Value(), 2);
  click(Security().Label1);
  EXPECT_FALSE(Security().IsLoaded());
}

TEST_F(SecurityOptions, TheGrantLivesOnlyInTheLoadedWindow) {
  Security().chkItmDelSec.setTag("Allow");  // the keypad's manager check
  Security().chkItmDelSec.setValue(1);
  Security().chkItmDelSec.setValue(0);
  EXPECT_EQ(Security().chkItmDelSec.Tag(), "Allow");  // ticking leaves it
  Security().Unload();
  EXPECT_EQ(Security().chkItmDelSec.Tag(), "");
}

}  // namespace
