// The registry store: the HKEY_CLASSES_ROOT part of a registry, kept in the
// text file ROOT/registry/HKCR.reg.
//
// Keys are paths with backslashes ("CLSID\{...}\InprocServer32"), compared
// without regard to case; each key holds named string values, the empty name
// being the key's default value. Every change reads the file, applies the
// change and replaces the file atomically while holding an exclusive lock, so
// several processes can register and look up classes at the same time.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace com {

// The data root. Until SetRegistryRoot is called it is $TRIVELA_ROOT, else
// $XDG_DATA_HOME/trivela, else ~/.local/share/trivela.
void SetRegistryRoot(const std::string& root);
std::string RegistryRoot();
// ROOT/registry/HKCR.reg
std::string RegistryFile();

// Creates the key (and the keys above it) when missing and sets one string
// value; name "" is the default value. False when the store cannot be written.
bool RegSetString(const std::string& key, const std::string& name, const std::string& data);
// The value, or nothing when the key or the value does not exist.
std::optional<std::string> RegGetString(const std::string& key, const std::string& name);
bool RegKeyExists(const std::string& key);
// Deletes the key and all its subkeys. True when the store is consistent
// afterwards (also when the key did not exist), false when it cannot be written.
bool RegDeleteTree(const std::string& key);

}  // namespace com
