#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "platform/com/com.h"
#include "platform/com/registry.h"

namespace {

const GUID kClsid = {0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};

// The component library carries the path layer for its registry store but
// keeps it to itself: a program that links the path layer too would
// otherwise define its functions and its data (the data root) twice.
TEST(ComponentLibrary, ExportsNoneOfThePathLayer) {
  void* library = dlopen(TRIVELA_COM_LIB, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  EXPECT_NE(dlsym(library, "_Z14SysAllocStringPKDs"), nullptr);
  for (const char* symbol : {"_ZN5files14kInstallFolderE",
                             "_ZN5files7setRootERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE"})
    EXPECT_EQ(dlsym(library, symbol), nullptr) << symbol;
  dlclose(library);
}

TEST(CoCreateInstance, TellsWhyAClassCannotBeCreated) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  com::SetRegistryRoot(dir.path().toStdString());
  const std::string notALibrary = dir.path().toStdString() + "/notes.so";
  std::ofstream(notALibrary) << "plain text";
  const std::string key = "CLSID\\" + com::GuidToString(kClsid) + "\\InprocServer32";

  struct Case {
    const char* what;
    std::string registeredPath;  // "" = not registered
    HRESULT expected;
  } cases[] = {
      {"unregistered class", "", REGDB_E_CLASSNOTREG},
      {"missing file", dir.path().toStdString() + "/gone.so", com::kModuleNotFound},
      {"not a library", notALibrary, com::kModuleLoadFailed},
      {"library without DllGetClassObject", TRIVELA_COM_LIB, com::kProcNotFound},
  };
  for (const Case& c : cases) {
    com::RegDeleteTree("CLSID\\" + com::GuidToString(kClsid));
    if (!c.registeredPath.empty()) {
      ASSERT_TRUE(com::RegSetString(key, "", c.registeredPath));
    }
    void* object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object), c.expected)
        << c.what;
    EXPECT_EQ(object, nullptr) << c.what;
  }
  EXPECT_EQ(CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr), E_POINTER);
}

}  // namespace
