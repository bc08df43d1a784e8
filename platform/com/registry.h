// The registry store: the HKEY_CLASSES_ROOT part of a registry, kept in the
// text file ROOT/registry/HKCR.reg, and an HKEY_LOCAL_MACHINE part beside it
// in ROOT/registry/HKLM.reg. The functions without a hive work on
// HKEY_CLASSES_ROOT.
//
// Keys are paths with backslashes ("CLSID\{...}\InprocServer32"), compared
// without regard to case; each key holds named string values, the empty name
// being the key's default value. Every change reads the file, applies the
// change and replaces the file atomically while holding an exclusive lock, so
// several processes can register and look up classes at the same time; a
// lookup needs no lock, and no right to write the registry files.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace com {

// The data root. Until SetRegistryRoot is called it is $TRIVELA_ROOT, else
// $XDG_DATA_HOME/trivela, else ~/.local/share/trivela.
void SetRegistryRoot(const std::string& root);
std::string RegistryRoot();
enum class Hive { ClassesRoot, LocalMachine };

// ROOT/registry/HKCR.reg (HKLM.reg for the local machine)
std::string RegistryFile();
std::string RegistryFile(Hive hive);

// Creates the key (and the keys above it) when missing and sets one string
// value; name "" is the default value. False when the store cannot be written.
bool RegSetString(const std::string& key, const std::string& name, const std::string& data);
// The value, or nothing when the key or the value does not exist.
std::optional<std::string> RegGetString(const std::string& key, const std::string& name);
bool RegKeyExists(const std::string& key);
// Deletes the key and all its subkeys. True when the store is consistent
// afterwards (also when the key did not exist), false when it cannot be written.
bool RegDeleteTree(const std::string& key);

// The same in a given hive.
bool RegSetString(Hive hive, const std::string& key, const std::string& name, const std::string& data);
std::optional<std::string> RegGetString(Hive hive, const std::string& key, const std::string& name);

}  // namespace com
