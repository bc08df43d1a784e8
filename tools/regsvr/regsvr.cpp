// regsvr [-u] [--root DIR] LIB.so
//
// Registers a component library in the registry store by calling its
// DllRegisterServer, or unregisters it (-u) through DllUnregisterServer.
#include <dlfcn.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/com/com.h"
#include "platform/com/registry.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: regsvr [-u] [--root DIR] LIB.so\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool unregister = false;
  std::string library;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-u") {
      unregister = true;
    } else if (arg == "--root") {
      if (++i >= argc) return Usage();
      com::SetRegistryRoot(argv[i]);
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage();
    } else if (library.empty()) {
      library = arg;
    } else {
      return Usage();
    }
  }
  if (library.empty()) return Usage();

  // The library registers the path it was loaded from, so load it by its full path.
  char resolved[PATH_MAX];
  if (realpath(library.c_str(), resolved) == nullptr) {
    std::fprintf(stderr, "regsvr: %s: %s\n", library.c_str(), std::strerror(errno));
    return 1;
  }
  void* handle = dlopen(resolved, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    std::fprintf(stderr, "regsvr: cannot load %s: %s\n", resolved, dlerror());
    return 1;
  }
  const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
  auto fn = reinterpret_cast<DllRegisterServerFn>(dlsym(handle, entry));
  if (fn == nullptr) {
    std::fprintf(stderr, "regsvr: %s has no %s\n", resolved, entry);
    return 1;
  }
  const HRESULT hr = fn();
  if (FAILED(hr)) {
    std::fprintf(stderr, "regsvr: %s failed: 0x%08X\n", entry, static_cast<unsigned>(hr));
    return 1;
  }
  std::printf("%s in %s succeeded (%s)\n", entry, resolved, com::RegistryFile().c_str());
  return 0;
}
