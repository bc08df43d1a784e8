// Component runtime: the small part of COM that Trivela and VXTransaction share.
//
// Interfaces are structs of pure virtual functions in slot order with no
// virtual destructor, so their vtables match across the two deliverables.
// HRESULT values, GUID, IUnknown, IClassFactory, BSTR and VARIANT_BOOL keep the
// Windows names and values because they are the binary contract between the
// program and the payment bridge; everything of our own lives in namespace com.
#pragma once

#include <cstdint>
#include <string>

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;
using VARIANT_BOOL = std::int16_t;
using BOOL = std::int32_t;
using BSTR = char16_t*;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);

constexpr bool SUCCEEDED(HRESULT hr) {
  return hr >= 0;
}
constexpr bool FAILED(HRESULT hr) {
  return hr < 0;
}

constexpr std::uint32_t CLSCTX_INPROC_SERVER = 0x1;

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const GUID&;
using REFCLSID = const GUID&;

inline bool operator==(const GUID& a, const GUID& b) {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i)
    if (a.Data4[i] != b.Data4[i]) return false;
  return true;
}
inline bool operator!=(const GUID& a, const GUID& b) {
  return !(a == b);
}

inline constexpr GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
inline constexpr IID IID_ISupportErrorInfo = {
    0xDF0B3D60, 0x548F, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};

// Slots 0..2 of every interface.
struct IUnknown {
  virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;
};

// Slots 3..4 after IUnknown.
struct IClassFactory : IUnknown {
  virtual HRESULT CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppvObject) = 0;
  virtual HRESULT LockServer(BOOL fLock) = 0;
};

// The four functions an in-process component library exports by name.
using DllGetClassObjectFn = HRESULT (*)(REFCLSID rclsid, REFIID riid, void** ppv);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();

// BSTR: UTF-16 code units preceded by a 4-byte length in bytes and followed by
// a NUL unit; the pointer points at the first code unit. A null BSTR is the
// empty string.
BSTR SysAllocString(const char16_t* psz);
BSTR SysAllocStringLen(const char16_t* strIn, std::uint32_t ui);
void SysFreeString(BSTR bstrString);
std::uint32_t SysStringLen(BSTR pbstr);
std::uint32_t SysStringByteLen(BSTR bstr);

// Creates an object of an in-process class: looks up the class's
// InprocServer32 entry in the registry store, loads that library, asks its
// DllGetClassObject for the class factory and lets the factory create the
// object with the requested interface. Libraries stay loaded for the life of
// the process.
HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, std::uint32_t dwClsContext, REFIID riid,
                         void** ppv);

namespace com {

// Creation errors besides REGDB_E_CLASSNOTREG: the registered library file
// does not exist, it exists but cannot be loaded, or it lacks DllGetClassObject.
constexpr HRESULT kModuleNotFound = static_cast<HRESULT>(0x8007007Eu);
constexpr HRESULT kProcNotFound = static_cast<HRESULT>(0x8007007Fu);
constexpr HRESULT kModuleLoadFailed = static_cast<HRESULT>(0x800401F9u);

// "{4F1C9A27-83D2-4B6E-9A15-C7E2D08B3F61}": upper-case hex in braces.
std::string GuidToString(const GUID& guid);
// Accepts exactly that form, hex digits of either case; false otherwise.
bool GuidFromString(const std::string& text, GUID* guid);

// UTF-8 <-> UTF-16. Malformed input becomes U+FFFD; nothing is dropped.
std::u16string Utf8ToUtf16(const std::string& text);
std::string Utf16ToUtf8(const char16_t* text, std::size_t length);
// A new BSTR holding the text (null when memory runs out).
BSTR BstrFromUtf8(const std::string& text);
// The text of a BSTR, embedded NULs kept; a null BSTR gives "".
std::string Utf8FromBstr(BSTR bstr);

// Owns one BSTR and frees it when it goes. out() is the place for an output
// parameter: what it held is freed first, so a call's result is never lost.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(BSTR owned) : b_(owned) {}
  ~Bstr() { SysFreeString(b_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return b_; }
  BSTR* out() {
    SysFreeString(b_);
    b_ = nullptr;
    return &b_;
  }
  std::string utf8() const { return Utf8FromBstr(b_); }

 private:
  BSTR b_ = nullptr;
};

// Error information of the calling thread, as a method leaves it for its
// caller after returning a failure.
struct ErrorInfo {
  std::string description;
  std::string source;
  GUID iid = GUID_NULL;
};
void SetErrorInfo(const ErrorInfo& info);
void ClearErrorInfo();
// Hands out the thread's error information and clears it, as the caller of a
// failed method takes it once; false when there is none.
bool GetErrorInfo(ErrorInfo* info);

}  // namespace com
