// The type library that VXTransaction carries: the description of its
// interface and class that registration reads and records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/com.h"

namespace vxt {

// Parameter direction flags, with the values a type library uses.
enum ParamFlag : unsigned { kParamIn = 0x1, kParamOut = 0x2, kParamRetval = 0x8 };

struct TypeParam {
  std::string name;
  std::string type;  // "long", "BSTR", "BSTR*", "VARIANT_BOOL*"
  unsigned flags;
};

struct TypeMethod {
  std::string name;
  int memberId;
  std::vector<TypeParam> params;
};

struct TypeInterface {
  std::string name;
  IID iid;
  int majorVersion, minorVersion;
  std::string helpString;
  std::string baseInterface;  // "IUnknown", from the standard OLE library
  IID baseIid;
  bool dual;
  bool oleAutomation;
  std::vector<TypeMethod> methods;  // slot order, from slot 3
};

struct TypeCoClass {
  std::string name;
  CLSID clsid;
  int majorVersion, minorVersion;
  std::string helpString;
  bool creatable;
  std::string defaultInterface;
};

struct TypeLibrary {
  std::string name;
  GUID libid;
  int majorVersion, minorVersion;
  std::uint32_t lcid;
  std::string helpString;
  std::string helpFile;
  std::vector<TypeInterface> interfaces;
  std::vector<TypeCoClass> coclasses;
};

const TypeLibrary& VXTransactionTypeLibrary();
const TypeCoClass* FindCoClass(const TypeLibrary& library, const CLSID& clsid);

}  // namespace vxt
