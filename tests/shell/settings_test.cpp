// The store settings window: what it shows on a new data root, its mode
// buttons, the second language, the key filter, the rates it refuses and what
// reaches its rows.
#include <sqlite3.h>

#include <QFile>
#include <QStringList>
#include <QToolButton>

#include "platform/forms/screen.h"
#include "shell/Lunessa.h"
#include "shell/frmInfor.h"
#include "shell/frmNWSetin.h"
#include "shell/frmSecurity.h"
#include "shell/settingsrules.h"
#include "tests/forms/drive.h"
#include "tests/shell/shell_fixture.h"

namespace {

using shell::Infor;

TEST(StoreSettingsRules, ARateIsDigitsWithAtMostOnePoint) {
  const struct {
    const char* text;
    bool rate;
  } cases[] = {
      {"0.0825", true}, {"7", true},      {".5", true},   {"5.", true},     {"", false},     {".", false},
      {"0.0.7", false}, {"-0.07", false}, {"1e2", false}, {" 0.07", false}, {"0,07", false},
  };
  for (const auto& c : cases) EXPECT_EQ(shell::isRateText(QString::fromLatin1(c.text)), c.rate) << c.text;
}

TEST(StoreSettingsRules, ModeButtonsCycle) {
  EXPECT_EQ(shell::nextFreePopMode("Auto").value_or("<none>"), "Default");
  EXPECT_EQ(shell::nextFreePopMode("Default").value_or("<none>"), "UpLine");
  EXPECT_EQ(shell::nextFreePopMode("UpLine").value_or("<none>"), "Auto");
  EXPECT_FALSE(shell::nextFreePopMode("auto").has_value());
  EXPECT_FALSE(shell::nextFreePopMode("").has_value());

  const struct {
    const char* from;
    const char* to;
  } notes[] = {{"-", "Print L1 L2 Now"},
               {"Print L1 L2 Now", "Not Printing L1 L2"},
               {"Not Printing L1 L2", "Print L1 L2 Now"},
               {"Print L1 L2 now", "Print L1 L2 now"},
               {"", ""}};
  for (const auto& c : notes) EXPECT_EQ(shell::nextNotesMode(c.from), QString::fromLatin1(c.to)) << c.from;

  EXPECT_EQ(shell::nextMenuMode("1.Default"), "2.Custom");
  EXPECT_EQ(shell::nextMenuMode("2.Custom"), "1.Default");
  EXPECT_EQ(shell::nextMenuMode("anything"), "1.Default");
}

class StoreSettings : public ShellFixture {
 protected:
  QString bak() const { return installFile("BakHS.mdb"); }
  QString tbSet(const QString& field) const {
    return value(settingsFile(), QStringLiteral("SELECT %1 FROM tbSet ORDER BY ID").arg(field));
  }
  void setTbSet(const QString& field, const QVariant& v) const {
    run(settingsFile(), QStringLiteral("UPDATE tbSet SET %1 = ?").arg(field), {v});
  }
  QString freePop() const { return value(bak(), "SELECT t12 FROM tbSetFreePop"); }
};

TEST_F(StoreSettings, ANewDataRootShowsTheFirstInstallSettings) {
  shell::MainWindow().Show();
  shell::MainWindow().mmInfor.action()->trigger();
  ASSERT_TRUE(Infor().IsLoaded());
  EXPECT_TRUE(Infor().Visible());
  EXPECT_EQ(Infor().Top(), qRound(forms::placedTop(Infor().Height(), 20)));
  EXPECT_EQ(Infor().Left(), qRound(forms::centredLeft(Infor().Width())));
  EXPECT_EQ(Infor().BackColor(), forms::RGB(192, 255, 192));

  EXPECT_EQ(Infor().txtL1.Text(), "Company Name");
  EXPECT_EQ(Infor().txtL2.Text(), "Tel: ");
  EXPECT_EQ(Infor().txtL3.Text(), "Fax: ");
  for (forms::TextBox* note : {&Infor().txtNotes, &Infor().txtENotes1, &Infor().txtENotes2,
                               &Infor().txtENotes3, &Infor().txtENotes4, &Infor().txtENotes5})
    EXPECT_EQ(note->Text(), "Ending Notes") << note->Name().toStdString();
  EXPECT_EQ(Infor().txtTOTax1.Text(), "0.075");
  EXPECT_TRUE(Infor().txtTOTax1.Enabled());
  EXPECT_FALSE(Infor().txtTOTax2.Visible());  // no country yet
  EXPECT_EQ(Infor().lblFreeSf.Caption(), "Auto");
  EXPECT_EQ(Infor().cmdFreeSf.Caption(), "Auto");
  EXPECT_EQ(Infor().lblSetP.Caption(), "-");
  EXPECT_EQ(Infor().lblMainMu.Caption(), "2.Custom");
  EXPECT_EQ(Infor().cmdMainMu.Caption(), "2.Custom");
  const QStringList faces = {"Haircut", "Color", "Highlights", "Perm",   "Styling", "Treatment", "Kids",
                             "Men",     "Nails", "Waxing",     "Makeup", "Bridal",  "Products",  "Packages"};
  for (int slot = 0; slot < shell::kCategorySlots; ++slot) {
    EXPECT_EQ(Infor().faceButton(slot).Caption(), faces[slot]);
    EXPECT_EQ(Infor().faceButton(slot).Picture(), "");
  }
  for (int slot = 0; slot < 12; ++slot) EXPECT_EQ(Infor().routingCombo(slot).Text(), "-");
  EXPECT_EQ(Infor().routingCombo(2).ListCount(), 4);  // "A", "B", "S", "-"
  EXPECT_EQ(Infor().cmbCountry.List(4), "Korean");
  // The second language is off until the salon turns it on.
  EXPECT_EQ(Infor().chkEtoC.Value(), 1);
  EXPECT_EQ(Infor().cmdEtoC.Caption(), QStringLiteral("中英"));
  EXPECT_FALSE(Infor().cmdEtoC.Enabled());
  EXPECT_TRUE(messages_->shown().empty());

  // A second choice only brings it forward: run-time values stay.
  Infor().setTag("still loaded");
  shell::MainWindow().mmInfor.action()->trigger();
  EXPECT_EQ(Infor().Tag(), "still loaded");
}

TEST_F(StoreSettings, FreePopCyclesAndEachClickReachesTheRowAtOnce) {
  for (const char* mode : {"Default", "UpLine", "Auto"}) {
    Infor().cmdFreeSf.setValue(true);
    EXPECT_EQ(freePop(), mode);
    EXPECT_EQ(Infor().lblFreeSf.Caption(), mode);
    EXPECT_EQ(Infor().cmdFreeSf.Caption(), mode);
  }
}

// A click whose mode could not be stored leaves nothing behind: a later
// save of the free boxes does not store that mode after all.
TEST_F(StoreSettings, AFreePopClickThatCannotBeStoredIsNotStoredLater) {
  db::setBusyTimeout(200);  // the window's wait for another station's lock
  Infor().Show();
  db::setBusyTimeout(5000);
  {
    // Another station holds the menu file's write lock past the wait.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open_v2(bak().toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    messages_->answer(forms::vbOK);
    Infor().cmdFreeSf.setValue(true);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
  }
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt, "Cannot save to BakHS.mdb: another station is using the file.");
  EXPECT_EQ(Infor().lblFreeSf.Caption(), "Auto");
  EXPECT_EQ(Infor().cmdFreeSf.Caption(), "Auto");

  Infor().txts3.setText("Tea");
  Infor().cmdClose.setValue(true);
  EXPECT_EQ(value(bak(), "SELECT t3 FROM tbSetFreePop"), "Tea");
  EXPECT_EQ(freePop(), "Auto");
}

TEST_F(StoreSettings, AStoredFreePopModeOutsideTheThreeIsRepairedAtLoad) {
  for (const QVariant& stored : {QVariant("auto"), QVariant()}) {
    run(bak(), "UPDATE tbSetFreePop SET t12 = ?", {stored});
    EXPECT_EQ(Infor().lblFreeSf.Caption(), "Auto");
    EXPECT_EQ(Infor().cmdFreeSf.Caption(), "Auto");
    EXPECT_EQ(freePop(), "Auto");
    Infor().Unload();
  }
}

TEST_F(StoreSettings, NotesModeButton) {
  const struct {
    const char* stored;
    QStringList afterClicks;
  } cases[] = {
      {"-", {"Print L1 L2 Now", "Not Printing L1 L2", "Print L1 L2 Now"}},
      {"Not Printing L1 L2", {"Print L1 L2 Now"}},
      {"Printing", {"Printing", "Printing"}},  // another caption stays
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    setTbSet("SetM", c.stored);
    for (const QString& expected : c.afterClicks) {
      Infor().Command5.setValue(true);
      EXPECT_EQ(Infor().lblSetP.Caption(), expected);
    }
    Infor().Unload();
    EXPECT_EQ(tbSet("SetM"), c.afterClicks.back());
  }
}

TEST_F(StoreSettings, TaxOptionLocksRateOne) {
  setTbSet("SetB", "O");
  EXPECT_FALSE(Infor().txtTOTax1.Enabled());
  EXPECT_EQ(Infor().txtTaxOpt.Text(), "O");
  Infor().cmdTaxA.setValue(true);
  EXPECT_TRUE(Infor().txtTOTax1.Enabled());
  Infor().Unload();
  EXPECT_EQ(tbSet("SetB"), "A");
  EXPECT_TRUE(Infor().txtTOTax1.Enabled());
  Infor().cmdTaxO.setValue(true);
  EXPECT_FALSE(Infor().txtTOTax1.Enabled());
}

TEST_F(StoreSettings, SecondRateShowsOnlyForCanada) {
  // On activation: a stored country other than exactly "Canada" hides it.
  const struct {
    const char* stored;
    bool shown;
  } stored[] = {{"Canada", true}, {"canada", false}, {"Japan", false}};
  for (const auto& c : stored) {
    setTbSet("setL", c.stored);
    Infor().Show();
    EXPECT_EQ(Infor().txtTOTax2.Visible(), c.shown) << c.stored;
    Infor().Unload();
  }
  // On a choice from the list.
  setTbSet("setL", "Japan");
  Infor().Show();
  Infor().cmbCountry.setListIndex(1);
  EXPECT_EQ(Infor().cmbCountry.Text(), "Canada");
  EXPECT_TRUE(Infor().txtTOTax2.Visible());
  EXPECT_EQ(Infor().txtTOTax2.Text(), "0.075");
  Infor().cmbCountry.setListIndex(0);
  EXPECT_FALSE(Infor().txtTOTax2.Visible());
}

TEST_F(StoreSettings, EmptyNotesAreStoredAsDashOnlyBySaveExit) {
  for (const bool saveExit : {true, false}) {
    SCOPED_TRACE(saveExit ? "Save/Exit" : "close box");
    for (forms::TextBox* note : {&Infor().txtNotes, &Infor().txtENotes1, &Infor().txtENotes2,
                                 &Infor().txtENotes3, &Infor().txtENotes4, &Infor().txtENotes5})
      note->setText(QString());
    if (saveExit)
      Infor().cmdClose.setValue(true);
    else
      Infor().window()->close();
    EXPECT_FALSE(Infor().IsLoaded());
    for (const char* field : {"Notes", "Notes1", "Notes2", "Notes3", "Notes4", "Notes5"})
      EXPECT_EQ(value(bak(), QStringLiteral("SELECT %1 FROM tbSetInfor").arg(field)), saveExit ? "-" : "")
          << field;
  }
}

TEST_F(StoreSettings, SecondLanguageFollowsTheInvertedField) {
  const QString both = QStringLiteral("中英");
  const struct {
    int field;
    const char* action;  // "load", "tick" (chkEtoC) or "press" (cmdEtoC)
    bool on;
    QString caption;
    const char* storedAfter;
  } cases[] = {
      {0, "load", true, "E Only", "0"}, {1, "load", false, both, "1"},      {0, "tick", false, both, "1"},
      {1, "tick", true, "E Only", "0"}, {0, "press", false, "E Only", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.field).arg(c.action).toStdString());
    setTbSet("cmdEtoC", c.field);
    Infor().Show();
    if (QLatin1String(c.action) == QLatin1String("tick"))
      Infor().chkEtoC.setValue(c.field ? 0 : 1);
    else if (QLatin1String(c.action) == QLatin1String("press"))
      Infor().cmdEtoC.setValue(true);
    EXPECT_EQ(Infor().cmdEtoC.Enabled(), c.on);
    EXPECT_EQ(Infor().cmdEtoC.Caption(), c.caption);
    Infor().cmdClose.setValue(true);
    EXPECT_EQ(tbSet("cmdEtoC"), c.storedAfter);
  }
}

TEST_F(StoreSettings, TickedBoxesRunTheirClickStepsWhenTheRowSetsThem) {
  setTbSet("szSectnAuto", 1);
  setTbSet("KB", 1);
  EXPECT_EQ(Infor().chkSection.Caption(), "Enabled");
  EXPECT_FALSE(Infor().cmdKB.Enabled());
  Infor().chkSection.setValue(0);
  EXPECT_EQ(Infor().chkSection.Caption(), "Disabled");
  Infor().cmdKB.setValue(true);
  EXPECT_TRUE(Infor().cmdKB.Enabled());
  Infor().Unload();
  EXPECT_EQ(tbSet("szSectnAuto"), "0");
  EXPECT_EQ(tbSet("KB"), "1");
}

TEST_F(StoreSettings, AmountBoxesTakeDigitsAndThePointOnly) {
  Infor().Show();
  for (forms::TextBox* box : {&Infor().txtDelFee, &Infor().txtTOTax1, &Infor().txtTOTax2}) {
    SCOPED_TRACE(box->Name().toStdString());
    box->setVisible(true);
    box->setText(QString());
    box->SetFocus();
    forms::SendKeys("a1-,.x2{BS}5");
    EXPECT_EQ(box->Text(), "1.5");
  }
  // The "Over $" amount is reformatted after every key and keeps what was typed.
  const struct {
    const char* keys;
    const char* shown;
  } amounts[] = {{"x1", "1.00"},  {"12", "12.00"},  {"1250", "1,250.00"}, {"12{RIGHT}5", "12.50"},
                 {"1.5", "1.50"}, {"1..5", "1.50"}, {"0.05", "0.05"},     {"37.63", "37.63"},
                 {".5", "0.50"},  {"2.505", "2.50"}};
  for (const auto& a : amounts) {
    SCOPED_TRACE(a.keys);
    Infor().txtPlan.setText(QString());
    Infor().txtPlan.SetFocus();
    forms::SendKeys(a.keys);
    EXPECT_EQ(Infor().txtPlan.Text(), a.shown);
  }
}

// "Over $" holds an amount however a text comes into it, and Save/Exit
// stores only an amount there: a pasted text that is no amount leaves the
// box as it was, typing takes at most eleven digits, and a text that is no
// amount (one an earlier station stored) is refused naming the box.
TEST_F(StoreSettings, OverHoldsAnAmountAndSaveChecksIt) {
  Infor().Show();
  forms::TextBox& over = Infor().txtPlan;
  for (const drive::Arrival how : drive::kArrivals) {
    SCOPED_TRACE(drive::arrivalName(how));
    over.setText("5.00");
    drive::arrive(over, "1.11.5.00", how);
    EXPECT_EQ(over.Text().toStdString(), "5.00");
    if (how == drive::Arrival::CtrlV) continue;  // Ctrl+V is a key the amount filter drops
    over.setText(QString());
    drive::arrive(over, "1250", how);
    EXPECT_EQ(over.Text().toStdString(), "1,250.00");
  }
  over.setText(QString());
  over.SetFocus();
  forms::SendKeys("1234567890");
  EXPECT_EQ(over.Text().toStdString(), "123,456,789.00");

  over.setText("1.11.5.00");
  messages_->answer(forms::vbOK);
  Infor().cmdClose.setValue(true);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt.toStdString(),
            "Over $ \"1.11.5.00\" is not an amount: it was not saved.");
  EXPECT_TRUE(Infor().IsLoaded());
  EXPECT_EQ(tbSet("Plan"), "<null>");
  over.setText("12.50");
  Infor().cmdClose.setValue(true);
  EXPECT_FALSE(Infor().IsLoaded());
  EXPECT_EQ(tbSet("Plan"), "12.50");
}

// A point typed into "Over $" starts its cents: "1.5" is stored as 1.50.
TEST_F(StoreSettings, AnOverAmountTypedWithAPointIsStoredAsAnAmount) {
  Infor().Show();
  Infor().txtPlan.setText(QString());
  Infor().txtPlan.SetFocus();
  forms::SendKeys("1.5");
  Infor().cmdClose.setValue(true);
  EXPECT_FALSE(Infor().IsLoaded());
  EXPECT_EQ(tbSet("Plan"), "1.50");
}

TEST_F(StoreSettings, SaveExitStoresAValidRateAndRefusesOthers) {
  const struct {
    const char* typed;
    bool stored;
  } cases[] = {{"0.0825", true}, {"0.0.7", false}, {"", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    setTbSet("Tax", "0.075");
    Infor().Show();
    Infor().txtTOTax1.setText(c.typed);
    if (!c.stored) messages_->answer(forms::vbOK);
    Infor().cmdClose.setValue(true);
    if (c.stored) {
      EXPECT_FALSE(Infor().IsLoaded());
      EXPECT_EQ(tbSet("Tax"), "0.0825");
      continue;
    }
    ASSERT_EQ(messages_->shown().size(), 1u);
    EXPECT_TRUE(messages_->shown()[0].prompt.contains("Tax Rate 1"))
        << messages_->shown()[0].prompt.toStdString();
    EXPECT_TRUE(messages_->shown()[0].prompt.contains("not saved"));
    EXPECT_TRUE(Infor().IsLoaded());
    QWidget* box = Infor().txtTOTax1.widget();
    EXPECT_EQ(box->window()->focusWidget(), box);
    EXPECT_EQ(tbSet("Tax"), "0.075");
    // Closed another way: the same message, and the stored rate stays.
    messages_->clear();
    messages_->answer(forms::vbOK);
    Infor().window()->close();
    EXPECT_FALSE(Infor().IsLoaded());
    EXPECT_EQ(messages_->shown().size(), 1u);
    EXPECT_EQ(tbSet("Tax"), "0.075");
    messages_->clear();
  }
}

// A settings file without its row: what the clerk types is stored as the row,
// and a rate that is not a number is refused as it is over a stored rate.
TEST_F(StoreSettings, WithoutItsRowSaveExitStoresTheTypedSettingsAsTheRow) {
  run(settingsFile(), "DELETE FROM tbSet");
  Infor().Show();
  Infor().cmbCountry.setListIndex(3);
  Infor().txtTOTax1.setText("0.0.7");
  messages_->answer(forms::vbOK);
  Infor().cmdClose.setValue(true);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_TRUE(messages_->shown()[0].prompt.contains("Tax Rate 1"));
  EXPECT_TRUE(Infor().IsLoaded());
  Infor().txtTOTax1.setText("0.0825");
  Infor().cmdClose.setValue(true);
  EXPECT_FALSE(Infor().IsLoaded());
  EXPECT_EQ(value(settingsFile(), "SELECT count(*) || '|' || Tax || '|' || setL FROM tbSet"),
            "1|0.0825|Japan");
}

TEST_F(StoreSettings, SecondRateIsCheckedWhileTheCountryIsCanada) {
  setTbSet("setL", "Canada");
  Infor().txtTOTax2.setText("1..2");
  messages_->answer(forms::vbOK);
  Infor().cmdClose.setValue(true);
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_TRUE(messages_->shown()[0].prompt.contains("Tax Rate 2"));
  EXPECT_TRUE(Infor().IsLoaded());

  // Another country: rate 2 is not in use and not checked, but its text is
  // still never stored.
  Infor().cmbCountry.setListIndex(3);
  Infor().cmdClose.setValue(true);
  EXPECT_FALSE(Infor().IsLoaded());
  EXPECT_EQ(tbSet("TaxFed"), "0.075");
  EXPECT_EQ(tbSet("setL"), "Japan");
}

TEST_F(StoreSettings, SaveExitWritesOnlyWhatChanged) {
  Infor().Show();
  Infor().cmbCountry.setListIndex(1);
  EXPECT_EQ(Infor().txtTOTax2.Text(), "0.075");
  Infor().txtTOTax1.setText("0.0825");
  Infor().txtNotes.setText(QString());
  Infor().cmdClose.setValue(true);
  EXPECT_EQ(tbSet("Tax"), "0.0825");
  EXPECT_EQ(tbSet("setL"), "Canada");
  EXPECT_EQ(tbSet("SetP"), "-");  // the placement window's field, untouched
  EXPECT_EQ(value(bak(), "SELECT Notes FROM tbSetInfor"), "-");
  EXPECT_EQ(value(bak(), "SELECT Notes1 FROM tbSetInfor"), "Ending Notes");
}

TEST_F(StoreSettings, ThreeWindowsEachStoreTheirOwnFieldOfTheOneRow) {
  setTbSet("SetP", "\\\\Salon\\");  // so that the placement window writes nothing at load
  const QStringList columns = {"SetC",        "SetP",  "SetO",    "Tax",     "TaxFed", "setL",
                               "SetB",        "SetM",  "szSort",  "cmdEtoC", "setF",   "Plan",
                               "szSectnAuto", "szMsg", "KB",      "Port",    "Port6",  "szType",
                               "szPath1",     "ecd",   "szSize1", "szSize2", "szSize3"};
  QStringList expected;
  for (const QString& column : columns) expected << column + "=" + tbSet(column);

  Infor().txtTOTax1.setText("0.09");
  shell::NWSetin().txtNWsetin.setText("File Sharing");
  shell::Security().chkecd.setValue(1);
  shell::Security().Unload();
  shell::NWSetin().Unload();
  Infor().Unload();

  expected[columns.indexOf("SetC")] = "SetC=File Sharing";
  expected[columns.indexOf("Tax")] = "Tax=0.09";
  expected[columns.indexOf("ecd")] = "ecd=1";
  QStringList after;
  for (const QString& column : columns) after << column + "=" + tbSet(column);
  EXPECT_EQ(after, expected);
}

TEST_F(StoreSettings, FaceButtonsHideUntilTheNextLoadAndTheModeButtonSwitchesTheFaces) {
  Infor().Show();
  Infor().cmdSoup.setValue(true);
  EXPECT_FALSE(Infor().cmdSoup.Visible());
  Infor().txtm9.setText("Wax and Brow");  // uncovered for editing

  Infor().cmdMainMu.setValue(true);
  EXPECT_EQ(Infor().lblMainMu.Caption(), "1.Default");
  EXPECT_EQ(Infor().cmdMainMu.Caption(), "1.Default");
  // Picture mode, and the first install has no pictures: the captions show.
  EXPECT_EQ(Infor().cmdDrink.Caption(), "Haircut");
  EXPECT_EQ(Infor().cmdSoup.Caption(), "Wax and Brow");
  EXPECT_FALSE(Infor().cmdSoup.Visible());

  Infor().cmdMainMu.setValue(true);
  EXPECT_EQ(Infor().lblMainMu.Caption(), "2.Custom");
  Infor().cmdClose.setValue(true);
  EXPECT_EQ(value(bak(), "SELECT t9 FROM tbSetMain"), "Wax and Brow");
  EXPECT_EQ(value(bak(), "SELECT [False] FROM tbSetMain"), "2.Custom");
  EXPECT_TRUE(Infor().cmdSoup.Visible());
}

TEST_F(StoreSettings, ACategoryNameWithAnAmpersandShowsAsItStandsOnItsFace) {
  run(bak(), "UPDATE tbSetMain SET t9 = 'Wax & Brow'");
  Infor().Show();
  EXPECT_EQ(Infor().cmdSoup.Caption(), "Wax & Brow");
  EXPECT_EQ(qobject_cast<QToolButton*>(Infor().cmdSoup.widget())->text().toStdString(), "Wax && Brow");
}

TEST_F(StoreSettings, AFileThatCannotBeOpenedIsNamedOnceAndTheWindowOpensOnItsDesignTexts) {
  ASSERT_TRUE(QFile::remove(bak()));
  messages_->answer(forms::vbOK);
  EXPECT_EQ(Infor().txtL1.Text(), "Company Name");
  ASSERT_EQ(messages_->shown().size(), 1u);
  const QString said = messages_->shown()[0].prompt;
  EXPECT_TRUE(said.contains("BakHS.mdb")) << said.toStdString();
  EXPECT_FALSE(said.contains('\n')) << said.toStdString();  // one line for the file its four tables are in
  EXPECT_FALSE(said.contains("Duzo98HS.mdb"));
  EXPECT_EQ(Infor().txtTOTax1.Text(), "0.075");  // the other file opened
  EXPECT_FALSE(QFile::exists(bak()));
}

}  // namespace
