#include "platform/com/registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTemporaryDir>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "tests/readonly_guard.h"

namespace {

class RegistryStore : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    com::SetRegistryRoot(dir_.path().toStdString());
  }
  std::string FileText() const {
    std::ifstream in(com::RegistryFile());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  QTemporaryDir dir_;
};

TEST_F(RegistryStore, TheLocalMachineHiveIsAFileOfItsOwn) {
  const std::string key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
  ASSERT_TRUE(com::RegSetString(com::Hive::LocalMachine, key, "PATH", "/usr/bin/sysinfo"));
  EXPECT_EQ(com::RegistryFile(com::Hive::LocalMachine), dir_.path().toStdString() + "/registry/HKLM.reg");
  EXPECT_EQ(com::RegGetString(com::Hive::LocalMachine, "software\\microsoft\\shared tools\\msinfo", "path")
                .value_or("?"),
            "/usr/bin/sysinfo");
  EXPECT_FALSE(com::RegGetString(key, "PATH").has_value());  // not in HKEY_CLASSES_ROOT
  struct stat st;
  EXPECT_NE(stat(com::RegistryFile().c_str(), &st), 0);
}

TEST_F(RegistryStore, LivesUnderTheRootAndIgnoresCase) {
  ASSERT_TRUE(com::RegSetString("CLSID\\{A}\\InprocServer32", "ThreadingModel", "Apartment"));
  EXPECT_EQ(com::RegistryFile(), dir_.path().toStdString() + "/registry/HKCR.reg");
  struct stat st;
  EXPECT_EQ(stat(com::RegistryFile().c_str(), &st), 0);

  EXPECT_EQ(com::RegGetString("clsid\\{a}\\inprocserver32", "threadingmodel").value_or("?"), "Apartment");
  EXPECT_TRUE(com::RegKeyExists("CLSID\\{A}"));  // keys above a new key exist too
  EXPECT_FALSE(com::RegGetString("CLSID\\{A}\\InprocServer32", "").has_value());
  EXPECT_FALSE(com::RegGetString("CLSID\\{B}", "").has_value());

  ASSERT_TRUE(com::RegSetString("Clsid\\{a}\\InprocServer32", "THREADINGMODEL", "Both"));
  EXPECT_EQ(com::RegGetString("CLSID\\{A}\\InprocServer32", "ThreadingModel").value_or("?"), "Both");
  // One key, one value: the second write replaced the first.
  EXPECT_EQ(FileText().find("Apartment"), std::string::npos);
}

TEST_F(RegistryStore, KeepsAwkwardTextsExactly) {
  const std::string texts[] = {"/opt/Program Files/lib.so", "a \"quoted\" \\ back\\slash", "two\nlines\r\n",
                               ""};
  for (const std::string& t : texts) {
    ASSERT_TRUE(com::RegSetString("Test\\Key", "value", t));
    EXPECT_EQ(com::RegGetString("Test\\Key", "value").value_or("<missing>"), t);
  }
}

TEST_F(RegistryStore, DeletesAKeyWithItsSubkeysOnly) {
  ASSERT_TRUE(com::RegSetString("CLSID\\{A}", "", "object"));
  ASSERT_TRUE(com::RegSetString("CLSID\\{A}\\InprocServer32", "", "/lib/a.so"));
  ASSERT_TRUE(com::RegSetString("CLSID\\{A}X", "", "neighbour"));
  ASSERT_TRUE(com::RegDeleteTree("clsid\\{a}"));
  EXPECT_FALSE(com::RegKeyExists("CLSID\\{A}"));
  EXPECT_FALSE(com::RegKeyExists("CLSID\\{A}\\InprocServer32"));
  EXPECT_EQ(com::RegGetString("CLSID\\{A}X", "").value_or("?"), "neighbour");
  EXPECT_TRUE(com::RegKeyExists("CLSID"));
  EXPECT_TRUE(com::RegDeleteTree("CLSID\\{missing}"));
}

TEST_F(RegistryStore, ConcurrentWritersLoseNothing) {
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t)
    writers.emplace_back([t] {
      for (int i = 0; i < 20; ++i) com::RegSetString("Key" + std::to_string(t), "v" + std::to_string(i), "x");
    });
  for (std::thread& w : writers) w.join();
  for (int t = 0; t < 4; ++t)
    for (int i = 0; i < 20; ++i)
      EXPECT_TRUE(com::RegGetString("Key" + std::to_string(t), "v" + std::to_string(i)).has_value())
          << t << i;
}

// A station whose registry files it may only read (registered by another
// user) still finds its classes; only a change is refused.
TEST_F(RegistryStore, ALookupNeedsNoRightToWrite) {
  ASSERT_TRUE(com::RegSetString("CLSID\\{A}\\InprocServer32", "", "/opt/lib/libA.so"));
  const ReadOnlyPath lock(com::RegistryFile() + ".lock");
  const ReadOnlyPath folder(dir_.path().toStdString() + "/registry");
  if (!lock.active() || !folder.active()) GTEST_SKIP() << "cannot make the registry read-only here";
  EXPECT_EQ(com::RegGetString("CLSID\\{A}\\InprocServer32", "").value_or("?"), "/opt/lib/libA.so");
  EXPECT_TRUE(com::RegKeyExists("CLSID\\{A}"));
  EXPECT_FALSE(com::RegSetString("CLSID\\{B}", "", "x"));
}

TEST_F(RegistryStore, ReportsAStoreThatCannotBeWritten) {
  // A file where the registry folder should be.
  std::ofstream(dir_.path().toStdString() + "/registry") << "not a folder";
  EXPECT_FALSE(com::RegSetString("CLSID\\{A}", "", "object"));
  EXPECT_FALSE(com::RegGetString("CLSID\\{A}", "").has_value());
}

}  // namespace
