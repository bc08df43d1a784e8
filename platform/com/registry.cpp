// The registry store file: one section per key, in the style of a .reg export:
//
//   [CLSID\{...}\InprocServer32]
//   @="/opt/lib/libVXTransaction.so"
//   "ThreadingModel"="Apartment"
//
// Backslash, double quote and line breaks inside names and data are escaped
// with a backslash.
#include "platform/com/registry.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <utility>

#include "platform/files/descriptor.h"
#include "platform/files/paths.h"

namespace com {
namespace {

struct Key {
  std::string name;
  std::vector<std::pair<std::string, std::string>> values;
};
using Store = std::vector<Key>;

std::mutex g_rootMutex;
std::string g_root;
bool g_rootSet = false;

std::string Lower(const std::string& s) {
  std::string out = s;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool SameName(const std::string& a, const std::string& b) {
  return Lower(a) == Lower(b);
}

// "A\\B\\" and "a\\b" name the same key: trailing and doubled separators go.
std::string NormaliseKey(const std::string& key) {
  std::string out;
  for (char c : key) {
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out += c;
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\\' || c == '"') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else {
      out += c;
    }
  }
  return out;
}

// Reads a quoted text starting at line[pos] == '"'; pos ends after the closing quote.
bool ReadQuoted(const std::string& line, std::size_t& pos, std::string* out) {
  if (pos >= line.size() || line[pos] != '"') return false;
  ++pos;
  out->clear();
  while (pos < line.size()) {
    char c = line[pos++];
    if (c == '"') return true;
    if (c == '\\' && pos < line.size()) {
      char e = line[pos++];
      *out += e == 'n' ? '\n' : e == 'r' ? '\r' : e;
    } else {
      *out += c;
    }
  }
  return false;
}

Store Parse(const std::string& text) {
  Store store;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      std::size_t close = line.rfind(']');
      if (close == std::string::npos || close == 0) continue;
      store.push_back(Key{NormaliseKey(line.substr(1, close - 1)), {}});
      continue;
    }
    if (store.empty()) continue;
    std::string name;
    std::size_t pos = 0;
    if (line[0] == '@') {
      pos = 1;
    } else if (!ReadQuoted(line, pos, &name)) {
      continue;
    }
    if (pos >= line.size() || line[pos] != '=') continue;
    ++pos;
    std::string data;
    if (!ReadQuoted(line, pos, &data)) continue;
    store.back().values.emplace_back(name, data);
  }
  return store;
}

std::string Format(const Store& store, Hive hive) {
  std::string out = hive == Hive::LocalMachine ? "; Trivela registry (HKEY_LOCAL_MACHINE)\n"
                                               : "; Trivela component registry (HKEY_CLASSES_ROOT)\n";
  for (const Key& key : store) {
    out += "\n[" + key.name + "]\n";
    for (const auto& [name, data] : key.values) {
      out += name.empty() ? std::string("@") : "\"" + Escape(name) + "\"";
      out += "=\"" + Escape(data) + "\"\n";
    }
  }
  return out;
}

std::string RegistryDir() {
  return RegistryRoot() + "/registry";
}

bool ReadAll(int fd, std::string* out) {
  out->clear();
  char buf[8192];
  for (;;) {
    ssize_t n = read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    out->append(buf, static_cast<std::size_t>(n));
  }
}

// Holds the store's lock file for the duration of one change, so that two
// changes never work on the same store at once. A lookup takes no lock: a
// change replaces the whole file in one rename, so a reader always reads
// one whole store, and a station that may only read the files still finds
// its classes.
class StoreLock {
 public:
  explicit StoreLock(Hive hive)
      : fd_(files::makeDirs(RegistryDir())
                ? open((RegistryFile(hive) + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)
                : -1) {
    while (fd_.valid() && flock(fd_.get(), LOCK_EX) != 0)
      if (errno != EINTR) fd_.close();
  }
  bool ok() const { return fd_.valid(); }

 private:
  files::Descriptor fd_;
};

// A missing file is an empty store.
bool Load(Hive hive, Store* store) {
  const files::Descriptor fd(open(RegistryFile(hive).c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) {
    store->clear();
    return errno == ENOENT;
  }
  std::string text;
  if (!ReadAll(fd.get(), &text)) return false;
  *store = Parse(text);
  return true;
}

// Writes a temporary file beside the store and renames it over the store, so
// a reader sees either the old or the new store, never a half-written one.
bool Save(Hive hive, const Store& store) {
  const std::string path = RegistryFile(hive);
  const std::string tmp = path + ".new." + std::to_string(getpid());
  files::Descriptor fd(open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644));
  if (!fd.valid()) return false;
  const std::string text = Format(store, hive);
  bool ok = files::writeAll(fd.get(), text.data(), text.size()) && fsync(fd.get()) == 0;
  ok = fd.close() == 0 && ok;
  if (ok) ok = rename(tmp.c_str(), path.c_str()) == 0;
  if (!ok) unlink(tmp.c_str());
  return ok;
}

Key* FindKey(Store& store, const std::string& key) {
  for (Key& k : store)
    if (SameName(k.name, key)) return &k;
  return nullptr;
}

}  // namespace

void SetRegistryRoot(const std::string& root) {
  std::lock_guard<std::mutex> lock(g_rootMutex);
  g_root = root;
  g_rootSet = true;
}

std::string RegistryRoot() {
  {
    std::lock_guard<std::mutex> lock(g_rootMutex);
    if (g_rootSet) return g_root;
  }
  if (const char* root = std::getenv("TRIVELA_ROOT"); root != nullptr && *root != '\0') return root;
  return files::defaultRoot();
}

std::string RegistryFile() {
  return RegistryFile(Hive::ClassesRoot);
}

std::string RegistryFile(Hive hive) {
  return RegistryDir() + (hive == Hive::LocalMachine ? "/HKLM.reg" : "/HKCR.reg");
}

bool RegSetString(const std::string& key, const std::string& name, const std::string& data) {
  return RegSetString(Hive::ClassesRoot, key, name, data);
}

std::optional<std::string> RegGetString(const std::string& key, const std::string& name) {
  return RegGetString(Hive::ClassesRoot, key, name);
}

bool RegSetString(Hive hive, const std::string& rawKey, const std::string& name, const std::string& data) {
  const std::string key = NormaliseKey(rawKey);
  if (key.empty()) return false;
  StoreLock lock(hive);
  Store store;
  if (!lock.ok() || !Load(hive, &store)) return false;
  // Every key above the new one exists too, as in a real registry.
  for (std::size_t pos = key.find('\\'); pos != std::string::npos; pos = key.find('\\', pos + 1))
    if (FindKey(store, key.substr(0, pos)) == nullptr) store.push_back(Key{key.substr(0, pos), {}});
  Key* k = FindKey(store, key);
  if (k == nullptr) {
    store.push_back(Key{key, {}});
    k = &store.back();
  }
  bool replaced = false;
  for (auto& [n, d] : k->values) {
    if (SameName(n, name)) {
      d = data;
      replaced = true;
      break;
    }
  }
  if (!replaced) k->values.emplace_back(name, data);
  return Save(hive, store);
}

// A lookup never creates the store: no file means no keys.
std::optional<std::string> RegGetString(Hive hive, const std::string& key, const std::string& name) {
  if (!files::fileExists(RegistryFile(hive))) return std::nullopt;
  Store store;
  if (!Load(hive, &store)) return std::nullopt;
  Key* k = FindKey(store, NormaliseKey(key));
  if (k == nullptr) return std::nullopt;
  for (const auto& [n, d] : k->values)
    if (SameName(n, name)) return d;
  return std::nullopt;
}

bool RegKeyExists(const std::string& key) {
  if (!files::fileExists(RegistryFile())) return false;
  Store store;
  if (!Load(Hive::ClassesRoot, &store)) return false;
  return FindKey(store, NormaliseKey(key)) != nullptr;
}

bool RegDeleteTree(const std::string& rawKey) {
  const std::string key = Lower(NormaliseKey(rawKey));
  if (key.empty()) return false;
  StoreLock lock(Hive::ClassesRoot);
  Store store;
  if (!lock.ok() || !Load(Hive::ClassesRoot, &store)) return false;
  Store kept;
  for (Key& k : store) {
    const std::string name = Lower(k.name);
    const bool inTree = name == key || name.compare(0, key.size() + 1, key + "\\") == 0;
    if (!inTree) kept.push_back(std::move(k));
  }
  if (kept.size() == store.size()) return true;
  return Save(Hive::ClassesRoot, kept);
}

}  // namespace com
