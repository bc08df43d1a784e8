#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <climits>
#include <cstdlib>

#include "platform/com/registry.h"

namespace {

const std::string kInproc = "CLSID\\{4F1C9A27-83D2-4B6E-9A15-C7E2D08B3F61}\\InprocServer32";

int Regsvr(const QStringList& args) {
  QProcess p;
  p.start(REGSVR_PATH, args);
  if (!p.waitForFinished(20000)) return -1;
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

TEST(Regsvr, RegistersAndUnregistersUnderTheGivenRoot) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  com::SetRegistryRoot(root.path().toStdString());
  char full[PATH_MAX];
  ASSERT_NE(realpath(VXTRANS_LIB, full), nullptr);

  ASSERT_EQ(Regsvr({"--root", root.path(), VXTRANS_LIB}), 0);
  EXPECT_EQ(com::RegGetString(kInproc, "").value_or("<missing>"), full);
  EXPECT_EQ(com::RegGetString(kInproc, "ThreadingModel").value_or("<missing>"), "Apartment");

  ASSERT_EQ(Regsvr({"-u", "--root", root.path(), VXTRANS_LIB}), 0);
  EXPECT_FALSE(com::RegKeyExists(kInproc));
}

TEST(Regsvr, FailsForWhatItCannotRegister) {
  QTemporaryDir root;
  struct Case {
    const char* what;
    QStringList args;
    int exitCode;
  } cases[] = {
      {"no library", {}, 2},
      {"unknown option", {"-x", VXTRANS_LIB}, 2},
      {"missing file", {"--root", root.path(), root.path() + "/none.so"}, 1},
      {"no DllRegisterServer", {"--root", root.path(), TRIVELA_COM_LIB}, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(Regsvr(c.args), c.exitCode) << c.what;
}

}  // namespace
