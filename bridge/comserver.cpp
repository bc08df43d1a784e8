// The component class VantixTransaction, its class object and the four
// in-process server functions. No exception leaves a vtable or an export.
#include <dlfcn.h>

#include <atomic>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>
#include <new>

#include "bridge/transaction.h"
#include "bridge/typelib.h"
#include "bridge/vxtransaction.h"
#include "platform/com/registry.h"

namespace {

constexpr const char* kProgId = "VXTransaction.VantixTransaction";
constexpr const char* kThreadingModel = "Apartment";

// Living objects plus LockServer locks: the library may be unloaded at 0.
std::atomic<long> g_lockCount{0};

std::string ClsidText() {
  return com::GuidToString(CLSID_VantixTransaction);
}

// The COM error a method leaves when an internal error stops it. It is
// called from exception handlers, so it must not throw itself; error
// information that cannot be built is left out, the result stays.
HRESULT RaiseError(const char* message) noexcept {
  try {
    com::ErrorInfo info;
    info.description = message;
    info.iid = IID_IVantixTransaction;
    info.source = com::RegGetString("CLSID\\" + ClsidText() + "\\ProgID", "").value_or(kProgId);
    com::SetErrorInfo(info);
  } catch (...) {
  }
  return DISP_E_EXCEPTION;
}

class TVantixTransactionImpl;

// The object's own identity. An aggregating outer object holds this one;
// the interface's IUnknown methods go to the outer object instead.
class InnerUnknown final : public IUnknown {
 public:
  explicit InnerUnknown(TVantixTransactionImpl* owner) : owner_(owner) {}
  HRESULT QueryInterface(REFIID riid, void** ppv) override;
  ULONG AddRef() override;
  ULONG Release() override;

 private:
  TVantixTransactionImpl* owner_;
};

// Where a method's outputs go; one the method does not have is null.
struct Outputs {
  BSTR* ErrorMsg = nullptr;
  BSTR* ApprovalCode = nullptr;
  BSTR* AVSResult = nullptr;
  BSTR* CVV2Result = nullptr;
  VARIANT_BOOL* TranResult = nullptr;
};

class TVantixTransactionImpl final : public IVantixTransaction {
 public:
  explicit TVantixTransactionImpl(IUnknown* outer)
      : inner_(this), outer_(outer != nullptr ? outer : &inner_) {
    ++g_lockCount;
  }
  ~TVantixTransactionImpl() { --g_lockCount; }
  TVantixTransactionImpl(const TVantixTransactionImpl&) = delete;
  TVantixTransactionImpl& operator=(const TVantixTransactionImpl&) = delete;

  IUnknown* Inner() { return &inner_; }

  HRESULT InnerQueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown) {
      *ppv = static_cast<IUnknown*>(&inner_);
    } else if (riid == IID_IVantixTransaction) {
      *ppv = static_cast<IVantixTransaction*>(this);
    } else {
      return E_NOINTERFACE;
    }
    static_cast<IUnknown*>(*ppv)->AddRef();
    return S_OK;
  }
  ULONG InnerAddRef() { return ++refs_; }
  ULONG InnerRelease() {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT QueryInterface(REFIID riid, void** ppv) override { return outer_->QueryInterface(riid, ppv); }
  ULONG AddRef() override { return outer_->AddRef(); }
  ULONG Release() override { return outer_->Release(); }

  HRESULT CCPurchase(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR Clerk, BSTR Receipt,
                     BSTR CC, BSTR Exp, BSTR Swipe, BSTR Amount, BSTR Zip, BSTR Address, BSTR CV,
                     BSTR* ErrorMsg, BSTR* ApprovalCode, BSTR* AVSResult, BSTR* CVV2Result,
                     VARIANT_BOOL* TranResult) override {
    const auto fields = [&] { return Verified(Clerk, Receipt, CC, Exp, Swipe, Amount, Zip, Address, CV); };
    return Call(vxt::Kind::Purchase, hHandle, TranFolder, TranCaption, fields,
                {ErrorMsg, ApprovalCode, AVSResult, CVV2Result, TranResult});
  }
  HRESULT CCForce(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR Clerk, BSTR Receipt, BSTR CC,
                  BSTR Exp, BSTR Swipe, BSTR Amount, BSTR ApprovalCode, BSTR Zip, BSTR Address,
                  BSTR* ErrorMsg, BSTR* AVSResult, VARIANT_BOOL* TranResult) override {
    const auto fields = [&] {
      vxt::RequestFields f = Card(Clerk, Receipt, CC, Exp, Swipe, Amount);
      f.ApprovalCode = com::Utf8FromBstr(ApprovalCode);
      f.Zip = com::Utf8FromBstr(Zip);
      f.Address = com::Utf8FromBstr(Address);
      return f;
    };
    return Call(vxt::Kind::Force, hHandle, TranFolder, TranCaption, fields,
                {ErrorMsg, nullptr, AVSResult, nullptr, TranResult});
  }
  HRESULT CCPreAuth(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR Clerk, BSTR Receipt,
                    BSTR CC, BSTR Exp, BSTR Swipe, BSTR Amount, BSTR Zip, BSTR Address, BSTR CV,
                    BSTR* ErrorMsg, BSTR* ApprovalCode, BSTR* AVSResult, BSTR* CVV2Result,
                    VARIANT_BOOL* TranResult) override {
    const auto fields = [&] { return Verified(Clerk, Receipt, CC, Exp, Swipe, Amount, Zip, Address, CV); };
    return Call(vxt::Kind::PreAuth, hHandle, TranFolder, TranCaption, fields,
                {ErrorMsg, ApprovalCode, AVSResult, CVV2Result, TranResult});
  }
  HRESULT CCReturn(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR Clerk, BSTR Receipt, BSTR CC,
                   BSTR Exp, BSTR Swipe, BSTR Amount, BSTR* ErrorMsg, BSTR* ApprovalCode,
                   VARIANT_BOOL* TranResult) override {
    return Call(vxt::Kind::Return, hHandle, TranFolder, TranCaption,
                [&] { return Card(Clerk, Receipt, CC, Exp, Swipe, Amount); },
                {ErrorMsg, ApprovalCode, nullptr, nullptr, TranResult});
  }
  HRESULT CCDebitPurchase(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR Clerk, BSTR Receipt,
                          BSTR PurchaseAmount, BSTR CashBackAmount, BSTR TotalAmount, BSTR CC, BSTR Swipe,
                          BSTR PIN, BSTR KeyBlock, BSTR* ErrorMsg, BSTR* ApprovalCode,
                          VARIANT_BOOL* TranResult) override {
    return Call(vxt::Kind::DebitPurchase, hHandle, TranFolder, TranCaption,
                [&] {
                  return Debit(Clerk, Receipt, PurchaseAmount, CashBackAmount, TotalAmount, CC, Swipe, PIN,
                               KeyBlock);
                },
                {ErrorMsg, ApprovalCode, nullptr, nullptr, TranResult});
  }
  HRESULT CCDebitReturn(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR Clerk, BSTR Receipt,
                        BSTR PurchaseAmount, BSTR CashBackAmount, BSTR TotalAmount, BSTR CC, BSTR Swipe,
                        BSTR PIN, BSTR KeyBlock, BSTR* ErrorMsg, BSTR* ApprovalCode,
                        VARIANT_BOOL* TranResult) override {
    return Call(vxt::Kind::DebitReturn, hHandle, TranFolder, TranCaption,
                [&] {
                  return Debit(Clerk, Receipt, PurchaseAmount, CashBackAmount, TotalAmount, CC, Swipe, PIN,
                               KeyBlock);
                },
                {ErrorMsg, ApprovalCode, nullptr, nullptr, TranResult});
  }
  HRESULT CCGeneric(std::int32_t hHandle, BSTR TranFolder, BSTR TranCaption, BSTR ReqFileData,
                    VARIANT_BOOL* TranResult, BSTR* ErrorMsg, BSTR* ApprovalCode, BSTR* AVSResult,
                    BSTR* CVV2Result) override {
    const auto fields = [&] {
      vxt::RequestFields f;
      f.ReqFileData = com::Utf8FromBstr(ReqFileData);
      return f;
    };
    return Call(vxt::Kind::Generic, hHandle, TranFolder, TranCaption, fields,
                {ErrorMsg, ApprovalCode, AVSResult, CVV2Result, TranResult});
  }

 private:
  static vxt::RequestFields Card(BSTR Clerk, BSTR Receipt, BSTR CC, BSTR Exp, BSTR Swipe, BSTR Amount) {
    vxt::RequestFields f;
    f.Clerk = com::Utf8FromBstr(Clerk);
    f.Receipt = com::Utf8FromBstr(Receipt);
    f.CC = com::Utf8FromBstr(CC);
    f.Exp = com::Utf8FromBstr(Exp);
    f.Swipe = com::Utf8FromBstr(Swipe);
    f.Amount = com::Utf8FromBstr(Amount);
    return f;
  }
  // Purchase and pre-authorisation also carry the address check and the card
  // verification value.
  static vxt::RequestFields Verified(BSTR Clerk, BSTR Receipt, BSTR CC, BSTR Exp, BSTR Swipe, BSTR Amount,
                                     BSTR Zip, BSTR Address, BSTR CV) {
    vxt::RequestFields f = Card(Clerk, Receipt, CC, Exp, Swipe, Amount);
    f.Zip = com::Utf8FromBstr(Zip);
    f.Address = com::Utf8FromBstr(Address);
    f.CV = com::Utf8FromBstr(CV);
    return f;
  }
  static vxt::RequestFields Debit(BSTR Clerk, BSTR Receipt, BSTR PurchaseAmount, BSTR CashBackAmount,
                                  BSTR TotalAmount, BSTR CC, BSTR Swipe, BSTR PIN, BSTR KeyBlock) {
    vxt::RequestFields f;
    f.Clerk = com::Utf8FromBstr(Clerk);
    f.Receipt = com::Utf8FromBstr(Receipt);
    f.PurchaseAmount = com::Utf8FromBstr(PurchaseAmount);
    f.CashBackAmount = com::Utf8FromBstr(CashBackAmount);
    f.TotalAmount = com::Utf8FromBstr(TotalAmount);
    f.CC = com::Utf8FromBstr(CC);
    f.Swipe = com::Utf8FromBstr(Swipe);
    f.PIN = com::Utf8FromBstr(PIN);
    f.KeyBlock = com::Utf8FromBstr(KeyBlock);
    return f;
  }

  // Runs the transaction and hands its outcome back as new BSTRs. Every
  // output pointer is checked first: a charge must never be approved and then
  // lost because its result had nowhere to go. makeFields converts the BSTR
  // inputs inside the guard, since converting can fail too.
  template <typename MakeFields>
  static HRESULT Call(vxt::Kind kind, std::int32_t hHandle, BSTR folder, BSTR caption,
                      const MakeFields& makeFields, const Outputs& out) noexcept {
    const vxt::OutputSet has = vxt::OutputsOf(kind);
    if (out.TranResult == nullptr || out.ErrorMsg == nullptr ||
        (has.approvalCode && out.ApprovalCode == nullptr) || (has.avsResult && out.AVSResult == nullptr) ||
        (has.cvv2Result && out.CVV2Result == nullptr))
      return E_POINTER;
    try {
      const vxt::RunResult run = vxt::RunTransaction(hHandle, com::Utf8FromBstr(folder),
                                                     com::Utf8FromBstr(caption), kind, makeFields());
      if (run.status == vxt::RunResult::Failed) return RaiseError(run.error.c_str());

      // The buffers of the entry points: 100 bytes for the message, 50 for the others.
      char errorMsg[vxt::kErrorMsgSize], approval[vxt::kTextSize], avs[vxt::kTextSize], cvv2[vxt::kTextSize];
      bool approved = false;
      vxt::FillOutputs(kind, run.status == vxt::RunResult::Answered, run.outcome, &approved,
                       {errorMsg, approval, avs, cvv2});
      struct Pending {
        BSTR* target;
        const char* text;
        BSTR value;
      } pending[] = {{out.ErrorMsg, errorMsg, nullptr},
                     {out.ApprovalCode, approval, nullptr},
                     {out.AVSResult, avs, nullptr},
                     {out.CVV2Result, cvv2, nullptr}};
      for (Pending& p : pending) {
        if (p.target == nullptr) continue;
        p.value = com::BstrFromUtf8(p.text);
        if (p.value == nullptr) {
          for (Pending& q : pending) SysFreeString(q.value);
          return E_OUTOFMEMORY;
        }
      }
      for (Pending& p : pending)
        if (p.target != nullptr) *p.target = p.value;
      *out.TranResult = approved ? VARIANT_TRUE : VARIANT_FALSE;
      return S_OK;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    } catch (const std::exception& e) {
      return RaiseError(e.what());
    } catch (...) {
      return RaiseError("Unexpected error in the payment bridge");
    }
  }

  InnerUnknown inner_;
  IUnknown* outer_;
  ULONG refs_ = 0;  // a plain counter: the object lives in one apartment
};

HRESULT InnerUnknown::QueryInterface(REFIID riid, void** ppv) {
  return owner_->InnerQueryInterface(riid, ppv);
}
ULONG InnerUnknown::AddRef() {
  return owner_->InnerAddRef();
}
ULONG InnerUnknown::Release() {
  return owner_->InnerRelease();
}

// The class object. There is one per loaded library; its own references do
// not keep the library loaded, LockServer locks do.
class TVantixClassFactory final : public IClassFactory {
 public:
  HRESULT QueryInterface(REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override { return --refs_; }

  HRESULT CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override {
    if (ppv == nullptr) return E_POINTER;
    *ppv = nullptr;
    if (pUnkOuter != nullptr && riid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
    TVantixTransactionImpl* object = new (std::nothrow) TVantixTransactionImpl(pUnkOuter);
    if (object == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = object->InnerQueryInterface(riid, ppv);
    if (FAILED(hr)) delete object;
    return hr;
  }
  HRESULT LockServer(BOOL fLock) override {
    if (fLock)
      ++g_lockCount;
    else
      --g_lockCount;
    return S_OK;
  }

 private:
  std::atomic<ULONG> refs_{0};
};

std::mutex g_factoryMutex;
// Released when the library is unloaded.
std::unique_ptr<TVantixClassFactory> g_factory;

// The full path of this library file, symbolic links resolved.
std::string LibraryPath() {
  static const int anchor = 0;
  Dl_info info{};
  if (dladdr(&anchor, &info) == 0 || info.dli_fname == nullptr) return std::string();
  char resolved[PATH_MAX];
  if (realpath(info.dli_fname, resolved) == nullptr) return info.dli_fname;
  return resolved;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string VersionText(int major, int minor) {
  return std::to_string(major) + "." + std::to_string(minor);
}

}  // namespace

extern "C" {

VXTRANS_API HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  if (rclsid != CLSID_VantixTransaction) return CLASS_E_CLASSNOTAVAILABLE;
  try {
    std::lock_guard<std::mutex> lock(g_factoryMutex);
    if (!g_factory) g_factory = std::make_unique<TVantixClassFactory>();
    return g_factory->QueryInterface(riid, ppv);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

VXTRANS_API HRESULT DllCanUnloadNow() {
  return g_lockCount.load() == 0 ? S_OK : S_FALSE;
}

VXTRANS_API HRESULT DllRegisterServer() {
  try {
    const vxt::TypeLibrary& library = vxt::VXTransactionTypeLibrary();
    const vxt::TypeCoClass* coclass = vxt::FindCoClass(library, CLSID_VantixTransaction);
    const std::string path = LibraryPath();
    if (coclass == nullptr || path.empty()) return SELFREG_E_CLASS;

    // Linux has no short names: the full path is registered, blanks and all.
    const std::string clsidKey = "CLSID\\" + ClsidText();
    const std::string description = coclass->helpString;
    const std::string libid = com::GuidToString(library.libid);
    const std::string version = VersionText(library.majorVersion, library.minorVersion);
    bool classOk = true;
    classOk &= com::RegSetString(clsidKey, "", description);
    classOk &= com::RegSetString(clsidKey + "\\InprocServer32", "", path);
    classOk &= com::RegSetString(clsidKey + "\\InprocServer32", "ThreadingModel", kThreadingModel);
    classOk &= com::RegSetString(kProgId, "", description);
    classOk &= com::RegSetString(std::string(kProgId) + "\\CLSID", "", ClsidText());
    classOk &= com::RegSetString(clsidKey + "\\ProgID", "", kProgId);
    classOk &= com::RegSetString(clsidKey + "\\Version", "", version);
    classOk &= com::RegSetString(clsidKey + "\\Typelib", "", libid);

    // The type library: where it lives, and its interface.
    char lcid[16];
    std::snprintf(lcid, sizeof lcid, "%x", library.lcid);
    const std::string libKey = "TypeLib\\" + libid + "\\" + version;
    // Every value is tried; any that could not be written fails the
    // registration, so an installer never takes a half registration for done.
    bool libOk = true;
    libOk &= com::RegSetString(libKey, "", library.helpString);
    libOk &= com::RegSetString(libKey + "\\" + lcid + "\\linux64", "", path);
    libOk &= com::RegSetString(libKey + "\\FLAGS", "", "0");
    libOk &= com::RegSetString(libKey + "\\HELPDIR", "", FolderOf(path));
    for (const vxt::TypeInterface& iface : library.interfaces) {
      const std::string key = "Interface\\" + com::GuidToString(iface.iid);
      libOk &= com::RegSetString(key, "", iface.name);
      libOk &= com::RegSetString(key + "\\TypeLib", "", libid);
      libOk &= com::RegSetString(key + "\\TypeLib", "Version", version);
    }
    return classOk && libOk ? S_OK : SELFREG_E_CLASS;
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

VXTRANS_API HRESULT DllUnregisterServer() {
  try {
    // The type library's own registration stays, as it does on Windows.
    if (vxt::FindCoClass(vxt::VXTransactionTypeLibrary(), CLSID_VantixTransaction) != nullptr) {
      com::RegDeleteTree("CLSID\\" + ClsidText());
      com::RegDeleteTree(kProgId);
    }
  } catch (...) {
  }
  return S_OK;
}

}  // extern "C"
