#include "platform/files/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/files/descriptor.h"

namespace files {

namespace {

std::string g_root;

bool isSep(char c) {
  return c == '\\' || c == '/';
}

std::string lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

bool pathExists(const std::string& p) {
  struct stat st;
  return ::lstat(p.c_str(), &st) == 0;
}

// The name in `dir` that equals `name` without regard to case: the exact name
// when it exists, else the first match in the listing, else `name` itself.
std::string matchComponent(const std::string& dir, const std::string& name) {
  if (name == "." || name == ".." || pathExists(dir + "/" + name)) return name;
  DIR* d = ::opendir(dir.empty() ? "/" : dir.c_str());
  if (d == nullptr) return name;
  std::string wanted = lower(name), found = name;
  while (dirent* e = ::readdir(d)) {
    if (lower(e->d_name) == wanted) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(d);
  return found;
}

std::vector<std::string> splitComponents(const std::string& s) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : s) {
    if (isSep(c)) {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

// Joins `rest` below `base`, resolving "." and ".." lexically without leaving
// the base, and matching each component's case against what exists. A path
// that named a folder (it ended with a separator) keeps its final slash.
std::string joinBelow(const std::string& base, const std::string& rest, bool trailingSep) {
  std::vector<std::string> kept;
  for (const std::string& part : splitComponents(rest)) {
    if (part == ".") continue;
    if (part == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(part);
  }
  std::string out = base;
  for (const std::string& part : kept) {
    std::string name = matchComponent(out, part);
    if (!out.empty() && out.back() != '/') out += '/';
    out += name;
  }
  if (trailingSep && out.back() != '/') out += '/';
  return out;
}

}  // namespace

const char* const kInstallFolder = "C:\\Program Files\\Dovrel POS 4\\";

void setRoot(const std::string& root) {
  g_root = root;
  while (g_root.size() > 1 && g_root.back() == '/') g_root.pop_back();
}

const std::string& root() {
  if (g_root.empty()) setRoot(defaultRoot());
  return g_root;
}

std::string defaultRoot() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && *xdg == '/') return std::string(xdg) + "/trivela";
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr ? home : "") + "/.local/share/trivela";
}

std::string mapPath(const std::string& root, const std::string& path) {
  const bool trailing = !path.empty() && isSep(path.back());
  std::string r = root;
  while (r.size() > 1 && r.back() == '/') r.pop_back();

  // \\Host\Share\rest (or //Host/...) -> ROOT/unc/Host/Share/rest
  if (path.size() >= 2 && isSep(path[0]) && isSep(path[1])) {
    return joinBelow(r + "/unc", path.substr(2), trailing);
  }
  // X:\rest -> ROOT/drive_x/rest
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    std::string drive = r + "/drive_" + lower(path.substr(0, 1));
    return joinBelow(drive, path.substr(2), trailing);
  }
  // \rest: rooted on the current drive, which is always C: here.
  if (!path.empty() && path[0] == '\\') return joinBelow(r + "/drive_c", path, trailing);
  // Already a Linux path.
  if (!path.empty() && path[0] == '/') return path;
  // Relative: only the separators change.
  std::string out = path;
  for (char& c : out)
    if (c == '\\') c = '/';
  return out;
}

std::string localPath(const std::string& path) {
  return mapPath(root(), path);
}

std::string installDir() {
  return localPath(kInstallFolder);
}

bool fileExists(const std::string& localPath) {
  struct stat st;
  return !localPath.empty() && ::stat(localPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool dirExists(const std::string& localPath) {
  struct stat st;
  return !localPath.empty() && ::stat(localPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool makeDirs(const std::string& localPath, std::string* error) {
  if (localPath.empty()) {
    if (error != nullptr) *error = std::strerror(ENOENT);
    return false;
  }
  // The first folder that cannot be made gives the reason: the ones below it
  // then fail only because it is missing.
  int failure = 0;
  std::string cur;
  for (size_t i = 0; i <= localPath.size() && failure == 0; ++i) {
    if (i == localPath.size() || localPath[i] == '/') {
      if (!cur.empty() && !dirExists(cur) && ::mkdir(cur.c_str(), 0755) != 0 && errno != EEXIST)
        failure = errno;
    }
    if (i < localPath.size()) cur += localPath[i];
  }
  if (dirExists(localPath)) return true;
  if (error != nullptr) *error = std::strerror(failure != 0 ? failure : ENOTDIR);
  return false;
}

int createExclusive(const std::string& path, int mode) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
}

namespace {

// Makes something under a fresh name beside `target`: `prefix` and 16
// random hex digits, tried again while the name is taken. `make` returns a
// negative value on failure with errno set; its result is returned.
template <typename Make>
int makeFreshBeside(const std::string& target, const std::string& prefix, std::string* path, Make make) {
  const size_t slash = target.rfind('/');
  const std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  static std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
    const std::string candidate = dir + prefix + suffix;
    const int made = make(candidate);
    if (made >= 0) {
      *path = candidate;
      return made;
    }
    if (errno != EEXIST) return -1;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

int createTempBeside(const std::string& target, const std::string& prefix, int mode, std::string* path) {
  return makeFreshBeside(target, prefix, path,
                         [mode](const std::string& candidate) { return createExclusive(candidate, mode); });
}

bool makeTempFolderBeside(const std::string& target, const std::string& prefix, std::string* path) {
  return makeFreshBeside(target, prefix, path,
                         [](const std::string& candidate) { return ::mkdir(candidate.c_str(), 0755); }) == 0;
}

bool renameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // The file system cannot rename without replacing. A folder is renamed
  // plainly, which never replaces a folder that holds anything; a file is
  // linked, and a hard link cannot replace either.
  if (dirExists(from)) return ::rename(from.c_str(), to.c_str()) == 0;
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

bool copyFile(const std::string& from, const std::string& to, bool replace, std::string* error) {
  auto fail = [error](int err) {
    if (error != nullptr) *error = std::strerror(err);
    return false;
  };
  if (!replace && pathExists(to)) return fail(EEXIST);

  const Descriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (!in.valid()) return fail(errno);
  struct stat st;
  if (::fstat(in.get(), &st) != 0) return fail(errno);
  if (!S_ISREG(st.st_mode)) return fail(EINVAL);
  const size_t slash = to.rfind('/');
  const std::string name = slash == std::string::npos ? to : to.substr(slash + 1);
  std::string tmp;
  Descriptor out(createTempBeside(to, "." + name + ".copy-", st.st_mode & 0777, &tmp));
  if (!out.valid()) return fail(errno);
  char buf[65536];
  int err = 0;
  for (;;) {
    const ssize_t n = ::read(in.get(), buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      break;
    }
    if (!writeAll(out.get(), buf, static_cast<size_t>(n))) {
      err = errno;
      break;
    }
  }
  if (err == 0 && ::fsync(out.get()) != 0) err = errno;
  if (out.close() != 0 && err == 0) err = errno;
  if (err == 0) {
    const bool moved = replace ? ::rename(tmp.c_str(), to.c_str()) == 0 : renameNoReplace(tmp, to);
    if (!moved) err = errno;
  }
  if (err != 0) {
    ::unlink(tmp.c_str());
    return fail(err);
  }
  return true;
}

}  // namespace files
