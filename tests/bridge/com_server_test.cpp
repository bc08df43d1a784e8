// libVXTransaction.so as Trivela meets it: registered in the registry store,
// created by class ID through the component runtime, called through its
// interface against a stand-in card program.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>

#include "bridge/vxtransaction.h"
#include "platform/com/registry.h"
#include "tests/bridge/cardsim_process.h"
#include "tests/bridge/no_file_growth.h"

namespace {

std::string LibraryPath() {
  char resolved[PATH_MAX];
  return realpath(VXTRANS_LIB, resolved) != nullptr ? resolved : VXTRANS_LIB;
}

template <typename Fn>
Fn Export(void* handle, const char* name) {
  return reinterpret_cast<Fn>(dlsym(handle, name));
}

// A BSTR made from UTF-8 and freed at the end of the scope.
class Text {
 public:
  explicit Text(const std::string& s) : b_(com::BstrFromUtf8(s)) {}
  ~Text() { SysFreeString(b_); }
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  operator BSTR() const { return b_; }

 private:
  BSTR b_;
};

std::string Take(BSTR& b) {
  std::string s = com::Utf8FromBstr(b);
  SysFreeString(b);
  b = nullptr;
  return s;
}

class ComServer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid() && tran_.isValid());
    LetModalWatchdogReset();
    com::SetRegistryRoot(root_.path().toStdString());
    handle_ = dlopen(LibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle_, nullptr) << dlerror();
    ASSERT_EQ(Export<DllRegisterServerFn>(handle_, "DllRegisterServer")(), S_OK);
    // Long enough for the stand-in card program to answer under any load,
    // short enough for the modal watchdog never to step in.
    setenv("VXTRANS_DEFAULT_TIMEOUT", "8", 1);
  }
  void TearDown() override {
    unsetenv("VXTRANS_DEFAULT_TIMEOUT");
    if (handle_ != nullptr) dlclose(handle_);
  }

  IVantixTransaction* Create() {
    void* p = nullptr;
    EXPECT_EQ(
        CoCreateInstance(CLSID_VantixTransaction, nullptr, CLSCTX_INPROC_SERVER, IID_IVantixTransaction, &p),
        S_OK);
    return static_cast<IVantixTransaction*>(p);
  }
  IClassFactory* Factory() {
    void* p = nullptr;
    EXPECT_EQ(Export<DllGetClassObjectFn>(handle_, "DllGetClassObject")(CLSID_VantixTransaction,
                                                                        IID_IClassFactory, &p),
              S_OK);
    return static_cast<IClassFactory*>(p);
  }
  HRESULT CanUnloadNow() { return Export<DllCanUnloadNowFn>(handle_, "DllCanUnloadNow")(); }

  struct Result {
    HRESULT hr;
    VARIANT_BOOL tranResult;
    std::string error, approval, avs, cvv2;
  };
  Result Purchase(IVantixTransaction* t, const std::string& folder) {
    Text tf(folder), cap("Purchase"), clerk("Ann"), receipt("DovrelPOS7"), cc("4111111111111111"),
        exp("2612"), amount("25.00"), zip("12345"), address("1 Main St, Apt 2"), cv("123");
    BSTR e = nullptr, a = nullptr, v = nullptr, c = nullptr;
    Result r{};
    r.tranResult = 7;
    r.hr = t->CCPurchase(0, tf, cap, clerk, receipt, cc, exp, nullptr, amount, zip, address, cv, &e, &a, &v,
                         &c, &r.tranResult);
    if (r.hr == S_OK) {
      EXPECT_NE(e, nullptr);
      EXPECT_NE(a, nullptr);
      EXPECT_NE(v, nullptr);
      EXPECT_NE(c, nullptr);
    }
    r.error = Take(e), r.approval = Take(a), r.avs = Take(v), r.cvv2 = Take(c);
    return r;
  }
  QStringList files() const { return QDir(tran_.path()).entryList(QDir::Files | QDir::NoDotAndDotDot); }

  QTemporaryDir root_, tran_;
  void* handle_ = nullptr;
};

TEST_F(ComServer, RegistersTheValuesTrivelaLooksUp) {
  const std::string g = "{4F1C9A27-83D2-4B6E-9A15-C7E2D08B3F61}";
  struct Row {
    std::string key, name, data;
  } rows[] = {
      {"CLSID\\" + g, "", "VantixTransaction Object"},
      {"CLSID\\" + g + "\\InprocServer32", "", LibraryPath()},
      {"CLSID\\" + g + "\\InprocServer32", "ThreadingModel", "Apartment"},
      {"VXTransaction.VantixTransaction", "", "VantixTransaction Object"},
      {"VXTransaction.VantixTransaction\\CLSID", "", g},
      {"CLSID\\" + g + "\\ProgID", "", "VXTransaction.VantixTransaction"},
      {"CLSID\\" + g + "\\Version", "", "1.0"},
      {"CLSID\\" + g + "\\Typelib", "", "{D2B8F46C-1E7A-4C39-8F52-6A0E9B3C71D4}"},
      {"TypeLib\\{D2B8F46C-1E7A-4C39-8F52-6A0E9B3C71D4}\\1.0", "", "VXTransaction Library"},
      {"Interface\\{A7D3E915-2C4B-4F80-B6E1-95F0C2A4D738}", "", "IVantixTransaction"},
  };
  for (const Row& r : rows)
    EXPECT_EQ(com::RegGetString(r.key, r.name).value_or("<missing>"), r.data) << r.key;

  // Registering again rewrites the same values.
  std::ifstream first(com::RegistryFile());
  std::stringstream before;
  before << first.rdbuf();
  ASSERT_EQ(Export<DllRegisterServerFn>(handle_, "DllRegisterServer")(), S_OK);
  std::ifstream second(com::RegistryFile());
  std::stringstream after;
  after << second.rdbuf();
  EXPECT_EQ(before.str(), after.str());

  // Unregistering removes the class and the ProgID, not the type library.
  ASSERT_EQ(Export<DllUnregisterServerFn>(handle_, "DllUnregisterServer")(), S_OK);
  EXPECT_FALSE(com::RegKeyExists("CLSID\\" + g));
  EXPECT_FALSE(com::RegKeyExists("CLSID\\" + g + "\\InprocServer32"));
  EXPECT_FALSE(com::RegKeyExists("VXTransaction.VantixTransaction"));
  EXPECT_TRUE(com::RegKeyExists("TypeLib\\{D2B8F46C-1E7A-4C39-8F52-6A0E9B3C71D4}"));
  void* p = nullptr;
  EXPECT_EQ(
      CoCreateInstance(CLSID_VantixTransaction, nullptr, CLSCTX_INPROC_SERVER, IID_IVantixTransaction, &p),
      REGDB_E_CLASSNOTREG);
  EXPECT_EQ(Export<DllUnregisterServerFn>(handle_, "DllUnregisterServer")(), S_OK);
}

TEST_F(ComServer, RegistersAFullPathWithBlanks) {
  QTemporaryDir place;
  const QString dir = place.path() + "/Program Files/Vantix";
  ASSERT_TRUE(QDir().mkpath(dir));
  const QString copy = dir + "/libVXTransaction.so";
  ASSERT_TRUE(QFile::copy(QString::fromStdString(LibraryPath()), copy));
  void* other = dlopen(copy.toUtf8().constData(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(other, nullptr) << dlerror();
  EXPECT_EQ(Export<DllRegisterServerFn>(other, "DllRegisterServer")(), S_OK);
  dlclose(other);
  EXPECT_EQ(
      com::RegGetString("CLSID\\{4F1C9A27-83D2-4B6E-9A15-C7E2D08B3F61}\\InprocServer32", "").value_or(""),
      copy.toStdString());
}

TEST_F(ComServer, ReportsAStoreItCannotWrite) {
  QTemporaryDir other;
  std::ofstream(other.path().toStdString() + "/registry") << "a file, not a folder";
  com::SetRegistryRoot(other.path().toStdString());
  EXPECT_EQ(Export<DllRegisterServerFn>(handle_, "DllRegisterServer")(), SELFREG_E_CLASS);
  EXPECT_EQ(Export<DllUnregisterServerFn>(handle_, "DllUnregisterServer")(), S_OK);
}

TEST_F(ComServer, PurchaseEndToEndReturnsTheApproval) {
  QTemporaryDir record;
  CardSimProcess sim(tran_.path(),
                     {"--approve", "APPROVED42", "--avs", "Y", "--cvv2", "M", "--record", record.path()});
  IVantixTransaction* t = Create();
  ASSERT_NE(t, nullptr);
  const Result r = Purchase(t, tran_.path().toStdString());
  EXPECT_EQ(r.hr, S_OK);
  EXPECT_EQ(r.tranResult, VARIANT_TRUE);
  EXPECT_EQ(r.error, "");
  EXPECT_EQ(r.approval, "APPROVED42");
  EXPECT_EQ(r.avs, "Y");
  EXPECT_EQ(r.cvv2, "M");
  const QStringList recorded = QDir(record.path()).entryList(QDir::Files);
  ASSERT_EQ(recorded.size(), 1);
  QFile req(record.path() + "/" + recorded[0]);
  ASSERT_TRUE(req.open(QIODevice::ReadOnly));
  EXPECT_EQ(
      req.readAll().toStdString(),
      "\"C1\",\"Ann\",\"DovrelPOS7\",\"4111111111111111\",\"2612\",\"25.00\",\"12345\",\"1 Main St, Apt "
      "2\",\"123\"\r\n");
  EXPECT_TRUE(files().isEmpty());
  EXPECT_EQ(t->Release(), 0u);
}

TEST_F(ComServer, DeclinesAndMissingFoldersAreNotErrors) {
  IVantixTransaction* t = Create();
  ASSERT_NE(t, nullptr);
  {
    CardSimProcess sim(tran_.path(), {"--decline", "DECLINED", "--count", "1"});
    const Result r = Purchase(t, tran_.path().toStdString());
    EXPECT_EQ(r.hr, S_OK);
    EXPECT_EQ(r.tranResult, VARIANT_FALSE);
    EXPECT_EQ(r.error, "DECLINED");
    EXPECT_EQ(r.approval + r.avs + r.cvv2, "");
  }
  const Result missing = Purchase(t, tran_.path().toStdString() + "/missing");
  EXPECT_EQ(missing.hr, S_OK);
  EXPECT_EQ(missing.tranResult, VARIANT_FALSE);
  EXPECT_EQ(missing.error, "Transaction Folder not found");
  t->Release();
}

TEST_F(ComServer, AFolderHoldingANulIsRefusedAtOnce) {
  // The folder's name up to the NUL names a folder that exists: a test that
  // read only that far would find it and then every request name under it
  // taken.
  IVantixTransaction* t = Create();
  ASSERT_NE(t, nullptr);
  const Result r = Purchase(t, tran_.path().toStdString() + std::string("\0x", 2));
  EXPECT_EQ(r.hr, S_OK);
  EXPECT_EQ(r.tranResult, VARIANT_FALSE);
  EXPECT_EQ(r.error, "Invalid character in request data");
  EXPECT_TRUE(files().isEmpty());
  t->Release();
}

TEST_F(ComServer, AnUnwritableRequestIsACOMError) {
  IVantixTransaction* t = Create();
  ASSERT_NE(t, nullptr);
  com::ClearErrorInfo();
  Text tf(tran_.path().toStdString()), cap("Return"), amount("5.00");
  BSTR e = reinterpret_cast<BSTR>(0x10), a = reinterpret_cast<BSTR>(0x20);
  VARIANT_BOOL tr = 7;
  HRESULT hr = S_OK;
  {
    NoFileGrowth noGrowth;
    ASSERT_TRUE(noGrowth.active());
    hr = t->CCReturn(0, tf, cap, nullptr, nullptr, nullptr, nullptr, nullptr, amount, &e, &a, &tr);
  }

  EXPECT_EQ(hr, DISP_E_EXCEPTION);
  EXPECT_EQ(e, reinterpret_cast<BSTR>(0x10));  // outputs untouched
  EXPECT_EQ(a, reinterpret_cast<BSTR>(0x20));
  EXPECT_EQ(tr, 7);
  com::ErrorInfo info;
  ASSERT_TRUE(com::GetErrorInfo(&info));
  EXPECT_NE(info.description.find(std::strerror(EFBIG)), std::string::npos) << info.description;
  EXPECT_EQ(info.source, "VXTransaction.VantixTransaction");
  EXPECT_TRUE(info.iid == IID_IVantixTransaction);
  EXPECT_TRUE(files().isEmpty());
  t->Release();
}

TEST_F(ComServer, ANullOutputPointerStopsBeforeAnyRequest) {
  IVantixTransaction* t = Create();
  ASSERT_NE(t, nullptr);
  Text tf(tran_.path().toStdString()), cap("Purchase"), data("\"C1\"");
  BSTR e = nullptr, a = nullptr, v = nullptr, c = nullptr;
  VARIANT_BOOL tr = 0;
  EXPECT_EQ(t->CCPurchase(0, tf, cap, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, &e, &a, &v, nullptr, &tr),
            E_POINTER);
  EXPECT_EQ(t->CCGeneric(0, tf, cap, data, nullptr, &e, &a, &v, &c), E_POINTER);
  EXPECT_EQ(t->CCForce(0, tf, cap, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, &v, &tr),
            E_POINTER);
  EXPECT_TRUE(files().isEmpty());
  t->Release();
}

TEST_F(ComServer, AnswersOnlyItsOwnInterfaces) {
  IVantixTransaction* t = Create();
  ASSERT_NE(t, nullptr);
  struct Case {
    const char* name;
    IID iid;
    HRESULT expected;
  } cases[] = {{"IUnknown", IID_IUnknown, S_OK},
               {"IVantixTransaction", IID_IVantixTransaction, S_OK},
               {"IDispatch", IID_IDispatch, E_NOINTERFACE},
               {"ISupportErrorInfo", IID_ISupportErrorInfo, E_NOINTERFACE},
               {"IClassFactory", IID_IClassFactory, E_NOINTERFACE}};
  for (const Case& c : cases) {
    void* p = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(t->QueryInterface(c.iid, &p), c.expected) << c.name;
    if (c.expected == S_OK) {
      ASSERT_NE(p, nullptr);
      static_cast<IUnknown*>(p)->Release();
    } else {
      EXPECT_EQ(p, nullptr) << c.name;
    }
  }
  // One identity: IUnknown from either interface is the same pointer.
  void *u1 = nullptr, *u2 = nullptr, *again = nullptr;
  t->QueryInterface(IID_IUnknown, &u1);
  t->QueryInterface(IID_IVantixTransaction, &again);
  static_cast<IUnknown*>(again)->QueryInterface(IID_IUnknown, &u2);
  EXPECT_EQ(u1, u2);
  static_cast<IUnknown*>(u1)->Release();
  static_cast<IUnknown*>(u2)->Release();
  static_cast<IUnknown*>(again)->Release();
  EXPECT_EQ(t->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(t->Release(), 0u);
}

// An outer object that counts the references its inner object passes on.
struct Outer : IUnknown {
  HRESULT QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++refs; }
  ULONG Release() override { return --refs; }
  ULONG refs = 1;
};

TEST_F(ComServer, ClassObjectCreatesPlainAndAggregatedObjects) {
  void* p = reinterpret_cast<void*>(0x1);
  auto getClassObject = Export<DllGetClassObjectFn>(handle_, "DllGetClassObject");
  EXPECT_EQ(getClassObject(IID_IDispatch, IID_IClassFactory, &p), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(p, nullptr);
  EXPECT_EQ(getClassObject(CLSID_VantixTransaction, IID_IClassFactory, nullptr), E_POINTER);

  IClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  Outer outer;
  struct Case {
    const char* what;
    IUnknown* outer;
    IID iid;
    bool nullResult;
    HRESULT expected;
  } cases[] = {
      {"plain object", nullptr, IID_IVantixTransaction, false, S_OK},
      {"plain, unknown interface", nullptr, IID_IDispatch, false, E_NOINTERFACE},
      {"aggregated, IUnknown", &outer, IID_IUnknown, false, S_OK},
      {"aggregated, other interface", &outer, IID_IVantixTransaction, false, CLASS_E_NOAGGREGATION},
      {"null result", nullptr, IID_IUnknown, true, E_POINTER},
  };
  for (const Case& c : cases) {
    void* object = reinterpret_cast<void*>(0x1);
    EXPECT_EQ(factory->CreateInstance(c.outer, c.iid, c.nullResult ? nullptr : &object), c.expected)
        << c.what;
    if (c.nullResult) continue;
    if (c.expected != S_OK) {
      EXPECT_EQ(object, nullptr) << c.what;
      continue;
    }
    if (c.outer != nullptr) {
      // The inner object's interface passes its references to the outer object.
      auto* inner = static_cast<IUnknown*>(object);
      void* iface = nullptr;
      ASSERT_EQ(inner->QueryInterface(IID_IVantixTransaction, &iface), S_OK);
      const ULONG before = outer.refs;
      static_cast<IVantixTransaction*>(iface)->AddRef();
      EXPECT_EQ(outer.refs, before + 1);
      static_cast<IVantixTransaction*>(iface)->Release();
      EXPECT_EQ(outer.refs, before);
      static_cast<IVantixTransaction*>(iface)->Release();  // the reference the query gave
      inner->Release();                                    // releases the object itself
      EXPECT_EQ(outer.refs, 1u);
    } else {
      static_cast<IUnknown*>(object)->Release();
    }
  }
  factory->Release();
}

TEST_F(ComServer, MayBeUnloadedOnlyWithoutObjectsAndLocks) {
  EXPECT_EQ(CanUnloadNow(), S_OK);
  IVantixTransaction* t = Create();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  t->Release();
  EXPECT_EQ(CanUnloadNow(), S_OK);
  IClassFactory* factory = Factory();
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory->LockServer(1), S_OK);
  EXPECT_EQ(CanUnloadNow(), S_FALSE);
  EXPECT_EQ(factory->LockServer(0), S_OK);
  EXPECT_EQ(CanUnloadNow(), S_OK);
  factory->Release();
}

TEST(VXTransactionLibrary, ExportsOnlyTheEntryPointsAndServerFunctions) {
  const std::string command = "nm -D --defined-only '" + LibraryPath() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> symbols;
  char line[512];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    std::istringstream fields(line);
    std::string address, type, name;
    if (fields >> address >> type >> name) symbols.insert(name);
  }
  ASSERT_EQ(pclose(pipe), 0);
  const std::set<std::string> expected = {
      "VXTrans_CCPurchase",      "VXTrans_CCForce",       "VXTrans_CCPreAuth",  "VXTrans_CCReturn",
      "VXTrans_CCDebitPurchase", "VXTrans_CCDebitReturn", "VXTrans_CCGeneric",  "DllGetClassObject",
      "DllCanUnloadNow",         "DllRegisterServer",     "DllUnregisterServer"};
  EXPECT_EQ(symbols, expected);
}

TEST(VXTransactionLibrary, APlainCProgramCanRunATransaction) {
  QTemporaryDir tran;
  CardSimProcess sim(tran.path(), {"--approve", "OK77", "--avs", "Z", "--count", "1"});
  QProcess caller;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("ASAN_OPTIONS", "detect_leaks=0");
  caller.setProcessEnvironment(env);
  caller.start(C_CALLER_PATH, {QString::fromStdString(LibraryPath()), tran.path()});
  ASSERT_TRUE(caller.waitForFinished(20000));
  EXPECT_EQ(caller.exitCode(), 0) << caller.readAllStandardError().toStdString();
  // "Y" "OK77" "Z": the second-last character is a digit, so Z is the AVS letter.
  EXPECT_EQ(caller.readAllStandardOutput().trimmed().toStdString(), "1|1||OK77|Z|");

  QProcess missing;
  missing.setProcessEnvironment(env);
  missing.start(C_CALLER_PATH, {QString::fromStdString(LibraryPath()), tran.path() + "/missing"});
  ASSERT_TRUE(missing.waitForFinished(20000));
  EXPECT_EQ(missing.readAllStandardOutput().trimmed().toStdString(), "0|0|Transaction Folder not found|||");
}

}  // namespace
