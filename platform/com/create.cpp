// Creating an object of an in-process class by its class ID.
#include <dlfcn.h>
#include <sys/stat.h>

#include <map>
#include <mutex>

#include "platform/com/com.h"
#include "platform/com/registry.h"

namespace {

std::mutex g_modulesMutex;
// Loaded component libraries by path. They are never unloaded: an object may
// outlive every reference the runtime knows of.
std::map<std::string, void*> g_modules;

void SetCreationError(const std::string& text) {
  com::ErrorInfo info;
  info.description = text;
  info.source = "CoCreateInstance";
  com::SetErrorInfo(info);
}

HRESULT LoadClassFactoryFunction(const std::string& path, DllGetClassObjectFn* fn) {
  std::lock_guard<std::mutex> lock(g_modulesMutex);
  void* handle = nullptr;
  auto found = g_modules.find(path);
  if (found != g_modules.end()) {
    handle = found->second;
  } else {
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
      SetCreationError("Component library not found: " + path);
      return com::kModuleNotFound;
    }
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      const char* why = dlerror();
      SetCreationError(std::string("Component library cannot be loaded: ") + (why != nullptr ? why : path));
      return com::kModuleLoadFailed;
    }
    g_modules[path] = handle;
  }
  void* symbol = dlsym(handle, "DllGetClassObject");
  if (symbol == nullptr) {
    SetCreationError("DllGetClassObject not found in " + path);
    return com::kProcNotFound;
  }
  *fn = reinterpret_cast<DllGetClassObjectFn>(symbol);
  return S_OK;
}

}  // namespace

HRESULT CoCreateInstance(REFCLSID rclsid, IUnknown* pUnkOuter, std::uint32_t dwClsContext, REFIID riid,
                         void** ppv) {
  if (ppv == nullptr) return E_POINTER;
  *ppv = nullptr;
  if ((dwClsContext & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
  const std::string key = "CLSID\\" + com::GuidToString(rclsid) + "\\InprocServer32";
  const std::optional<std::string> path = com::RegGetString(key, "");
  if (!path || path->empty()) return REGDB_E_CLASSNOTREG;

  DllGetClassObjectFn getClassObject = nullptr;
  HRESULT hr = LoadClassFactoryFunction(*path, &getClassObject);
  if (FAILED(hr)) return hr;

  IClassFactory* factory = nullptr;
  hr = getClassObject(rclsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return hr;
  if (factory == nullptr) return E_FAIL;
  hr = factory->CreateInstance(pUnkOuter, riid, ppv);
  factory->Release();
  return hr;
}
