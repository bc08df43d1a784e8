#include "platform/files/paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/readonly_guard.h"

namespace {

std::string makeTempRoot() {
  char tmpl[] = "/tmp/trivela-files-XXXXXX";
  const char* dir = ::mkdtemp(tmpl);
  return dir != nullptr ? dir : "";
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path) << text;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class PathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = makeTempRoot();
    ASSERT_FALSE(root.empty());
    // What exists decides the case of each component.
    ASSERT_TRUE(files::makeDirs(root + "/drive_c/Program Files/Dovrel POS 4"));
    writeFile(root + "/drive_c/Program Files/Dovrel POS 4/TOrdr.mdb", "t");
    ASSERT_TRUE(files::makeDirs(root + "/unc/Server/Dovrel POS 4"));
  }
  void TearDown() override { std::system(("rm -rf '" + root + "'").c_str()); }
  std::string root;
};

TEST_F(PathsTest, MapsWindowsPathsUnderTheRoot) {
  struct Case {
    const char* path;
    std::string expected;  // relative to root unless it starts with '/' or is relative
  } cases[] = {
      {"C:\\Program Files\\Dovrel POS 4\\Ordr.mdb", "/drive_c/Program Files/Dovrel POS 4/Ordr.mdb"},
      {"C:\\Program Files\\Dovrel POS 4\\", "/drive_c/Program Files/Dovrel POS 4/"},
      {"c:/program files/dovrel pos 4/tordr.mdb", "/drive_c/Program Files/Dovrel POS 4/TOrdr.mdb"},
      {"C:\\PROGRAM FILES\\Dovrel POS 4\\Tordr.mdb", "/drive_c/Program Files/Dovrel POS 4/TOrdr.mdb"},
      {"D:\\Backup\\x.mdb", "/drive_d/Backup/x.mdb"},
      {"\\Program Files\\a.txt", "/drive_c/Program Files/a.txt"},
      {"\\\\Server\\Dovrel POS 4\\Duzo98HS.mdb", "/unc/Server/Dovrel POS 4/Duzo98HS.mdb"},
      {"\\\\server\\dovrel pos 4\\", "/unc/Server/Dovrel POS 4/"},
      {"\\\\Server\\C\\Program Files\\Dovrel POS 4\\Duzo98HS.mdb",
       "/unc/Server/C/Program Files/Dovrel POS 4/Duzo98HS.mdb"},
      {"\\\\", "/unc/"},
      {"C:\\..\\..\\etc\\passwd", "/drive_c/etc/passwd"},
      {"C:\\Program Files\\.\\Dovrel POS 4\\..\\x", "/drive_c/Program Files/x"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(files::mapPath(root, c.path), root + c.expected) << c.path;
  }
  // Local paths pass through; relative ones change only their separators.
  EXPECT_EQ(files::mapPath(root, "/var/tmp/x"), "/var/tmp/x");
  EXPECT_EQ(files::mapPath(root, "None"), "None");
  EXPECT_EQ(files::mapPath(root, "sub\\file.txt"), "sub/file.txt");
}

TEST_F(PathsTest, TestsAndCopies) {
  files::setRoot(root + "/");
  EXPECT_EQ(files::root(), root);
  EXPECT_EQ(files::installDir(), root + "/drive_c/Program Files/Dovrel POS 4/");
  const std::string dir = files::installDir();
  EXPECT_TRUE(files::dirExists(dir));
  EXPECT_FALSE(files::fileExists(dir));
  EXPECT_TRUE(files::fileExists(files::localPath("C:\\Program Files\\Dovrel POS 4\\tordr.MDB")));

  writeFile(dir + "BpOrdr.mdb", "template");
  std::string error;
  EXPECT_FALSE(files::copyFile(dir + "BpOrdr.mdb", dir + "TOrdr.mdb", false, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(readFile(dir + "TOrdr.mdb"), "t");
  EXPECT_TRUE(files::copyFile(dir + "BpOrdr.mdb", dir + "TOrdr.mdb", true, &error)) << error;
  EXPECT_EQ(readFile(dir + "TOrdr.mdb"), "template");
  EXPECT_FALSE(files::copyFile(dir + "missing.mdb", dir + "TOrdr.mdb", true, &error));
  EXPECT_EQ(readFile(dir + "TOrdr.mdb"), "template");
}

TEST_F(PathsTest, CopiesNeverFollowAPlantedLinkNorReplaceWhenTheyMustNot) {
  const std::string dir = root + "/";
  writeFile(dir + "BpOrdr.mdb", "template");
  writeFile(dir + "victim", "precious");

  // Temporary files are made exclusively: a link planted at the name is not
  // followed, neither to a file (kept) nor to a missing one (not created).
  ASSERT_EQ(::symlink((dir + "victim").c_str(), (dir + "planted").c_str()), 0);
  ASSERT_EQ(::symlink((dir + "made-through-link").c_str(), (dir + "dangling").c_str()), 0);
  for (const char* name : {"planted", "dangling"}) {
    EXPECT_EQ(files::createExclusive(dir + name, 0600), -1) << name;
    EXPECT_EQ(errno, EEXIST);
  }
  EXPECT_EQ(readFile(dir + "victim"), "precious");
  EXPECT_FALSE(files::fileExists(dir + "made-through-link"));
  std::string temp;
  const int fd = files::createTempBeside(dir + "TOrdr.mdb", ".TOrdr.mdb.copy-", 0600, &temp);
  ASSERT_GE(fd, 0);
  ::close(fd);
  EXPECT_EQ(temp.rfind(dir + ".TOrdr.mdb.copy-", 0), 0u) << temp;

  // A rename that must not replace never does, whatever appeared meanwhile.
  writeFile(dir + "Taken.mdb", "other station");
  EXPECT_FALSE(files::renameNoReplace(temp, dir + "Taken.mdb"));
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(readFile(dir + "Taken.mdb"), "other station");
  EXPECT_TRUE(files::renameNoReplace(temp, dir + "Free.mdb"));

  // A copy leaves no temporary file behind, and a copy onto a link replaces
  // the link, never the file it points at.
  ASSERT_EQ(::symlink((dir + "victim").c_str(), (dir + "Linked.mdb").c_str()), 0);
  EXPECT_TRUE(files::copyFile(dir + "BpOrdr.mdb", dir + "Linked.mdb", true));
  EXPECT_EQ(readFile(dir + "victim"), "precious");
  EXPECT_EQ(readFile(dir + "Linked.mdb"), "template");
}

TEST_F(PathsTest, AFolderThatCannotBeMadeSaysWhy) {
  writeFile(root + "/plain", "x");
  std::string why;
  EXPECT_FALSE(files::makeDirs(root + "/plain/sub", &why));
  EXPECT_EQ(why, "Not a directory");
}

// In a folder that cannot be written, the first folder that cannot be made
// gives the reason, not the folders below it that could not be made then.
TEST_F(PathsTest, AFolderUnderAReadOnlyRootGivesTheFirstReason) {
  const std::string data = root + "/data";
  ASSERT_TRUE(files::makeDirs(data));
  std::string why;
  std::string first;
  {
    const ReadOnlyPath readOnly(data);
    if (!readOnly.active()) GTEST_SKIP() << "cannot make the folder read-only here";
    EXPECT_FALSE(files::makeDirs(data + "/drive_c/Program Files/Dovrel POS 4", &why));
    first = ::mkdir((data + "/drive_c").c_str(), 0755) == 0 ? "made" : std::strerror(errno);
  }
  EXPECT_EQ(why, first);
  EXPECT_NE(why, std::strerror(ENOENT));
}

}  // namespace
