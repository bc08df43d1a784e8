#include <QDir>
#include <QFile>
#include <memory>
#include <stdexcept>

#include "platform/db/database.h"
#include "platform/files/paths.h"
#include "shell/Lunessa.h"
#include "shell/frmNWSetin.h"
#include "tests/readonly_guard.h"
#include "tests/shell/shell_fixture.h"

namespace {

using shell::NWSetin;

class PlacementWindow : public ShellFixture {
 protected:
  QString rowValue(const QString& field) {
    auto db = db::Database::open(settingsFile());
    return db->scalar(QStringLiteral("SELECT %1 FROM tbSet ORDER BY ID ASC").arg(field)).toString();
  }
  void setRowValue(const QString& field, const QString& value) {
    auto db = db::Database::open(settingsFile());
    db->execute(QStringLiteral("UPDATE tbSet SET %1 = ?").arg(field), {value});
  }
  // A station-settings file on the server share, as the station mounts it.
  void serverFile(const QString& relative) {
    const QString path = root_.path() + QStringLiteral("/unc/") + relative;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
};

TEST_F(PlacementWindow, LoadRepairsANeverSetServerPathOnly) {
  ASSERT_EQ(rowValue(QStringLiteral("SetP")), QStringLiteral("-"));
  EXPECT_EQ(NWSetin().txtPath.Text(), QStringLiteral("\\\\Server\\"));
  EXPECT_EQ(rowValue(QStringLiteral("SetP")), QStringLiteral("\\\\Server\\"));
  EXPECT_EQ(NWSetin().txtNWsetin.Text(), QStringLiteral("Single"));
  NWSetin().Unload();

  setRowValue(QStringLiteral("SetP"), QStringLiteral("\\\\Salon\\"));
  EXPECT_EQ(NWSetin().txtPath.Text(), QStringLiteral("\\\\Salon\\"));
  NWSetin().Unload();
  EXPECT_EQ(rowValue(QStringLiteral("SetP")), QStringLiteral("\\\\Salon\\"));
}

TEST_F(PlacementWindow, MissingSettingsFileIsNamedOnceAndTheWindowStillOpens) {
  ASSERT_TRUE(QFile::remove(settingsFile()));
  messages_->answer(forms::vbOK);
  EXPECT_EQ(NWSetin().txtData.Text(), QStringLiteral("Dovrel POS 4\\"));
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_TRUE(messages_->shown()[0].prompt.contains(QStringLiteral("Duzo98HS.mdb")));
  EXPECT_FALSE(QFile::exists(settingsFile()));
}

TEST_F(PlacementWindow, ASettingsFileThatIsNoDatabaseIsNamedWhenTheWindowOpens) {
  for (const QByteArray& content : {QByteArray(""), QByteArray(2048, 'x')}) {
    SCOPED_TRACE(content.size());
    {
      QFile f(settingsFile());
      ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
      f.write(content);
    }
    messages_->answer(forms::vbOK);
    EXPECT_EQ(NWSetin().txtData.Text(), QStringLiteral("Dovrel POS 4\\"));
    ASSERT_EQ(messages_->shown().size(), 1u);
    const QString said = messages_->shown()[0].prompt;
    EXPECT_TRUE(said.contains(QStringLiteral("Duzo98HS.mdb"))) << said.toStdString();
    EXPECT_TRUE(said.contains(content.isEmpty() ? "is empty: it is not a database" : "is not a database"))
        << said.toStdString();
    NWSetin().Unload();
    messages_->clear();
  }
}

TEST_F(PlacementWindow, AChangeThatCannotBeSavedIsToldInPlainWords) {
  (void)NWSetin().txtPath.Text();  // loaded while the file can still be written
  NWSetin().Unload();
  ReadOnlyPath readOnly(settingsFile().toStdString());
  if (!readOnly.active()) GTEST_SKIP() << "cannot make the file read-only here";
  NWSetin().txtPath.setText(QStringLiteral("\\\\Salon\\"));
  messages_->answer(forms::vbOK);
  NWSetin().cmdClose.setValue(true);
  EXPECT_FALSE(NWSetin().IsLoaded());
  ASSERT_EQ(messages_->shown().size(), 1u);
  EXPECT_EQ(messages_->shown()[0].prompt,
            QStringLiteral("Cannot save to Duzo98HS.mdb: the file is read-only."));
}

TEST_F(PlacementWindow, ReadingABoxShowsTheWindowInTheMainWindow) {
  shell::MainWindow().Show();
  ASSERT_FALSE(NWSetin().IsLoaded());
  const shell::DataLocation where = shell::currentDataLocation();
  EXPECT_EQ(where.mode, QStringLiteral("Single"));
  EXPECT_EQ(where.dataFolder, QStringLiteral("Dovrel POS 4\\"));
  EXPECT_TRUE(NWSetin().IsLoaded());
  EXPECT_TRUE(NWSetin().Visible());
}

TEST_F(PlacementWindow, FileSharingProbesThreeFolders) {
  struct Case {
    const char* name;
    QString path, data;   // as typed
    QString fileOnShare;  // where the share holds Duzo98HS.mdb ("" = nowhere)
    QString wantPath, wantData, wantMode;
  } cases[] = {
      {"typed bare, found as typed (any case)", "Host", "Shop", "HOST/shop/DUZO98HS.MDB", "\\\\Host\\",
       "Shop\\", "File Sharing"},
      {"found under the default folder", "\\\\Host\\", "Shop\\", "Host/Dovrel POS 4/Duzo98HS.mdb",
       "\\\\Host\\", "Dovrel POS 4\\", "File Sharing"},
      {"found under the drive folder", "\\\\Host", "Shop", "Host/C/Program Files/Dovrel POS 4/Duzo98HS.mdb",
       "\\\\Host\\", "C\\Program Files\\Dovrel POS 4\\", "File Sharing"},
      {"found nowhere", "Host", "Shop", "", "\\\\Host\\", "C\\Program Files\\Dovrel POS 4\\", "Single"},
      {"one backslash gets two more", "\\Host\\", "Shop\\", "", "\\\\\\Host\\",
       "C\\Program Files\\Dovrel POS 4\\", "Single"},
      {"empty path", "", "Shop\\", "", "\\\\", "C\\Program Files\\Dovrel POS 4\\", "Single"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QDir(root_.path() + QStringLiteral("/unc")).removeRecursively();
    if (!c.fileOnShare.isEmpty()) serverFile(c.fileOnShare);

    NWSetin().txtPath.setText(c.path);
    NWSetin().txtData.setText(c.data);
    messages_->clear();
    messages_->answer(forms::vbOK);
    NWSetin().cmdShare.setValue(true);

    EXPECT_EQ(NWSetin().txtPath.Text(), c.wantPath);
    EXPECT_EQ(NWSetin().txtData.Text(), c.wantData);
    EXPECT_EQ(NWSetin().txtNWsetin.Text(), c.wantMode);
    ASSERT_EQ(messages_->shown().size(), 1u);
    const QString expected =
        c.wantMode == QLatin1String("Single")
            ? QStringLiteral("Files or Server not found. Please check your Network in Control Planel. ") +
                  c.wantPath + QStringLiteral(" Error !!! ")
            : QStringLiteral("Server ") + c.wantPath +
                  QStringLiteral(" found. Now your datas will be save into this Server.");
    EXPECT_EQ(messages_->shown()[0].prompt, expected);
    EXPECT_EQ(messages_->shown()[0].title, QStringLiteral("Dovrel POS 4"));
  }
}

TEST_F(PlacementWindow, AProbeThatFailsCountsAsNotFound) {
  serverFile(QStringLiteral("Server/Dovrel POS 4/Duzo98HS.mdb"));
  auto saved = NWSetin().probe;
  NWSetin().probe = [](const QString&) -> bool { throw std::runtime_error("network unreachable"); };
  messages_->answer(forms::vbOK);
  NWSetin().cmdShare.setValue(true);
  EXPECT_EQ(NWSetin().txtNWsetin.Text(), QStringLiteral("Single"));
  NWSetin().probe = saved;
}

TEST_F(PlacementWindow, ModeReachesTheRowWhenTheWindowCloses) {
  serverFile(QStringLiteral("Server/Dovrel POS 4/Duzo98HS.mdb"));
  messages_->answer(forms::vbOK);
  NWSetin().cmdShare.setValue(true);
  ASSERT_EQ(NWSetin().txtNWsetin.Text(), QStringLiteral("File Sharing"));
  NWSetin().cmdClose.setValue(true);
  EXPECT_FALSE(NWSetin().IsLoaded());
  EXPECT_EQ(rowValue(QStringLiteral("SetC")), QStringLiteral("File Sharing"));
  EXPECT_EQ(rowValue(QStringLiteral("SetP")), QStringLiteral("\\\\Server\\"));
  EXPECT_EQ(rowValue(QStringLiteral("SetO")), QStringLiteral("Dovrel POS 4\\"));

  // Back to one station: the server path and folder stay for next time.
  messages_->answer(forms::vbOK);
  NWSetin().cmdSingle.setValue(true);
  EXPECT_EQ(messages_->shown().back().prompt,
            QStringLiteral("This Station will disconnect from Server. \\\\Server\\"));
  NWSetin().Unload();
  EXPECT_EQ(rowValue(QStringLiteral("SetC")), QStringLiteral("Single"));
  EXPECT_EQ(rowValue(QStringLiteral("SetO")), QStringLiteral("Dovrel POS 4\\"));
}

}  // namespace
