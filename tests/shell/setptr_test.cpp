// The printer and drawer window, its help window and the drawer kick.
#include <QFile>

#include "platform/db/database.h"
#include "platform/print/catalogue.h"
#include "platform/print/dialog.h"
#include "shell/Lunessa.h"
#include "shell/Module1.h"
#include "shell/frmSetPtr.h"
#include "tests/pseudo_terminal.h"
#include "tests/readonly_guard.h"
#include "tests/shell/shell_fixture.h"

namespace {

using shell::SetPtr;

class TwoPrinters : public print::Spooler {
 public:
  TwoPrinters() : previous_(print::setSpooler(this)) {}
  ~TwoPrinters() override { print::setSpooler(previous_); }
  std::vector<print::Destination> destinations() override {
    return {{"Front SRP270", "usb://SAMSUNG/SRP270", true},
            {"Kitchen TM-T20", "socket://10.0.0.7:9100", false}};
  }
  std::optional<QPageLayout> defaultPage(const QString&) override { return std::nullopt; }
  bool submit(const QString&, const QString&, const QByteArray&) override { return false; }

 private:
  print::Spooler* previous_;
};

class PrinterWindow : public ShellFixture {
 protected:
  QVariant rowValue(const QString& field) {
    return db::Database::open(settingsFile())->scalar(QStringLiteral("SELECT [%1] FROM tbSet").arg(field));
  }
  void setRowValue(const QString& field, const QVariant& value) {
    db::Database::open(settingsFile())
        ->execute(QStringLiteral("UPDATE tbSet SET [%1] = ?").arg(field), {value});
  }
  // Chooses an entry from a box's list, as the clerk does.
  static void choose(forms::ComboBox& box, const QString& entry) {
    for (int i = 0; i < box.ListCount(); ++i) {
      if (box.List(i) == entry) {
        box.setListIndex(i);
        return;
      }
    }
    ADD_FAILURE() << "no entry " << entry.toStdString() << " in " << box.Name().toStdString();
  }
  static QStringList listOf(forms::ComboBox& box) {
    QStringList out;
    for (int i = 0; i < box.ListCount(); ++i) out << box.List(i);
    return out;
  }
  TwoPrinters printers_;
};

TEST_F(PrinterWindow, EachBoxListsItsEntries) {
  shell::frmSetPtr& w = SetPtr();
  const QStringList ports = {"None", "LPT1:", "LPT2:", "COM1:", "COM2:", "USB001", "USB002", "Network"};
  const QStringList types = {"", "Front SRP270", "Kitchen TM-T20"};
  struct Case {
    forms::ComboBox* box;
    QStringList entries;
  } cases[] = {
      {&w.Cmb1, ports},
      {&w.Cmb2, ports},
      {&w.cmbECD, ports},
      {&w.Cmb3, ports + QStringList{"Label"}},
      {&w.Cmb4,
       {"None", "LPT1:", "LPT2:", "COM1:", "COM2:", "COM3:", "COM4:", "USB001", "USB002", "Network"}},
      {&w.Cmb5, {"None", "LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:", "USB001", "USB002"}},
      {&w.cmbPtr1, {" "}},
      {&w.cmbPtr2, {" ", "A", "B"}},
      {&w.cmbPtr3, {" ", "A", "B"}},
      {&w.cmbPtr4, {" ", "D"}},
      {&w.cmbPtr5, {" ", "S"}},
      {&w.cmbType, types},
      {&w.cmbType2, types},
      {&w.cmbType3, types},
      {&w.cmbType4, types},
      {&w.cmbType5, types},
  };
  for (const Case& c : cases) EXPECT_EQ(listOf(*c.box), c.entries) << c.box->Name().toStdString();
  ASSERT_EQ(w.lstPrinters.ListCount(), 2);
  EXPECT_EQ(w.lstPrinters.List(0), "Front SRP270");
  EXPECT_EQ(w.lstPrinters.List(1), "Kitchen TM-T20");
  EXPECT_EQ(w.Frame1.Caption(), "Available Printer");
}

TEST_F(PrinterWindow, OnlyNetworkShowsAPathBoxAndLabelShowsPrinterThrees) {
  shell::MainWindow().Show();
  shell::frmSetPtr& w = SetPtr();
  w.Show();
  struct Case {
    forms::ComboBox* port;
    forms::TextBox* path;
    const char* choice;
    bool shown;
  } cases[] = {
      {&w.Cmb1, &w.txtPtr1, "Network", true}, {&w.Cmb1, &w.txtPtr1, "LPT1:", false},
      {&w.Cmb2, &w.txtPtr2, "Network", true}, {&w.Cmb2, &w.txtPtr2, "USB001", false},
      {&w.Cmb3, &w.txtPtr3, "Network", true}, {&w.Cmb3, &w.txtPtr3, "Label", true},
      {&w.Cmb3, &w.txtPtr3, "COM2:", false},  {&w.Cmb4, &w.txtPtr4, "Network", true},
      {&w.Cmb4, &w.txtPtr4, "COM4:", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.port->Name().toStdString()) + " " + c.choice);
    choose(*c.port, c.choice);
    EXPECT_EQ(c.path->Visible(), c.shown);
    EXPECT_TRUE(w.txtPtr5.Visible());  // printer 5's path box is always there
  }
  w.Unload();
  EXPECT_EQ(rowValue("Port").toString(), "LPT1:");
  EXPECT_EQ(rowValue("Port2").toString(), "USB001");
  EXPECT_EQ(rowValue("Port3").toString(), "COM2:");
  EXPECT_EQ(rowValue("Port4").toString(), "COM4:");
}

TEST_F(PrinterWindow, APortChoiceWritesOnlyItsFieldAndTheRestWaitsForTheClose) {
  shell::frmSetPtr& w = SetPtr();
  w.txtPtr1.setText("10.0.0.5:9100");
  w.cmbType.setText("Front SRP270");
  w.cmbECD.setText("COM1:");
  w.chkPtr2.setValue(forms::vbChecked);
  choose(w.Cmb1, "Network");
  EXPECT_EQ(rowValue("Port").toString(), "Network");
  EXPECT_TRUE(rowValue("szPath1").isNull());  // typed, not yet saved
  EXPECT_TRUE(rowValue("Port6").isNull());
  EXPECT_EQ(w.txtPtr1.Text(), "10.0.0.5:9100");  // the typed path is still on screen
  EXPECT_EQ(w.cmbECD.Text(), "COM1:");

  // Cmb5 and the drawer have no immediate write.
  choose(w.Cmb5, "LPT3:");
  EXPECT_TRUE(rowValue("Port5").isNull());

  w.cmdNext.setValue(true);
  EXPECT_FALSE(w.IsLoaded());
  EXPECT_EQ(rowValue("szPath1").toString(), "10.0.0.5:9100");
  EXPECT_EQ(rowValue("szType").toString(), "Front SRP270");
  EXPECT_EQ(rowValue("Port5").toString(), "LPT3:");
  EXPECT_EQ(rowValue("Port6").toString(), "COM1:");
  EXPECT_EQ(rowValue("chkPtr2").toInt(), 1);
  EXPECT_EQ(rowValue("Port").toString(), "Network");
}

TEST_F(PrinterWindow, LabelDisablesPrinterThreesRoutingOnlyWhenChosen) {
  setRowValue("Port3", "Label");
  setRowValue("szScrnB", "B");
  shell::MainWindow().Show();
  shell::frmSetPtr& w = SetPtr();
  w.Show();
  EXPECT_EQ(w.Cmb3.Text(), "Label");
  EXPECT_TRUE(w.cmbPtr3.Enabled());  // stored, not chosen
  EXPECT_TRUE(w.txtPtr3.Visible());  // the activation shows its path box
  EXPECT_EQ(w.cmbPtr3.Text(), "B");
  EXPECT_EQ(w.lblKPtr2.Caption(), "B");
  choose(w.Cmb3, "LPT2:");
  EXPECT_TRUE(w.cmbPtr3.Enabled());
  choose(w.Cmb3, "Label");
  EXPECT_FALSE(w.cmbPtr3.Enabled());
  choose(w.Cmb3, "None");
  EXPECT_TRUE(w.cmbPtr3.Enabled());
}

TEST_F(PrinterWindow, AStoredTypeWhosePrinterIsGoneStillShows) {
  setRowValue("szType", "Old Epson");
  setRowValue("Port6", "COM9:");
  EXPECT_EQ(SetPtr().cmbType.Text(), "Old Epson");
  EXPECT_EQ(SetPtr().cmbType.ListIndex(), -1);
  EXPECT_EQ(SetPtr().cmbECD.Text(), "COM9:");
}

TEST_F(PrinterWindow, APortThatCannotBeWrittenSaysWhyAndShowsTheStoredPortAgain) {
  setRowValue("Port2", "LPT2:");
  ReadOnlyPath readOnly(settingsFile().toStdString());
  if (!readOnly.active()) GTEST_SKIP() << "cannot make the file read-only here";
  messages_->answer(forms::vbOK);
  choose(SetPtr().Cmb2, "COM1:");
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt, "Cannot save to Duzo98HS.mdb: the file is read-only.");
  EXPECT_EQ(SetPtr().Cmb2.Text(), "LPT2:");
  EXPECT_EQ(rowValue("Port2").toString(), "LPT2:");
  SetPtr().Unload();  // nothing left to write
  EXPECT_EQ(messages_->shown().size(), 1u);
}

TEST_F(PrinterWindow, AMissingSettingsFileIsReportedOnceAndTheListsStillFill) {
  ASSERT_TRUE(QFile::remove(settingsFile()));
  messages_->answer(forms::vbOK);
  EXPECT_EQ(SetPtr().Cmb1.ListCount(), 8);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_TRUE(messages_->shown()[0].prompt.contains("DUZO98HS.mdb", Qt::CaseInsensitive));
  EXPECT_EQ(SetPtr().cmbType.ListCount(), 3);
  EXPECT_FALSE(QFile::exists(settingsFile()));
}

TEST_F(PrinterWindow, TheButtonsOpenHelpAndThePrinterDialogAndClose) {
  shell::MainWindow().Show();
  QStringList asked;
  const print::PrinterDialogHandler before = print::setPrinterDialogHandler([&](const QString& title) {
    asked << title;
    return true;
  });
  SetPtr().cmdPtr.setValue(true);
  print::setPrinterDialogHandler(before);
  EXPECT_EQ(asked, QStringList{"SELECT a Printer"});

  SetPtr().Command1.setValue(true);
  EXPECT_TRUE(shell::HelpSetPtr().IsLoaded());
  EXPECT_TRUE(shell::HelpSetPtr().Visible());
  EXPECT_EQ(shell::HelpSetPtr().Caption(), "Help");
  EXPECT_EQ(shell::HelpSetPtr().cmbType.Text(), "SAMSUNG SRP270");
  EXPECT_EQ(shell::HelpSetPtr().cmbDrawer.Text(), "LPT1:");

  SetPtr().cmdClose.setValue(true);
  EXPECT_FALSE(SetPtr().IsLoaded());
}

TEST_F(PrinterWindow, KickingTheDrawerLoadsAndShowsTheWindowAndPulsesItsPort) {
  PseudoTerminal line;
  ASSERT_TRUE(line.ok());
  setRowValue("Port6", QString::fromStdString(line.path()));

  shell::MainWindow().Show();
  ASSERT_FALSE(SetPtr().IsLoaded());
  shell::KickCashDrawer();
  EXPECT_TRUE(SetPtr().IsLoaded());
  EXPECT_TRUE(SetPtr().Visible());

  EXPECT_EQ(line.received(), std::string("\x1b\x70\x00\x14\x64\x0d\x0a", 7));
}

}  // namespace
