#include "platform/db/openfiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "platform/db/database.h"
#include "platform/files/paths.h"

namespace db {

namespace {

// A file by its device and inode: one file whatever name or link reaches
// it, and no longer the same file once another one is put in its place.
struct FileId {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileId& o) const { return device == o.device && inode == o.inode; }
};

bool fileId(const QString& localPath, FileId* id) {
  struct stat st;
  if (::stat(localPath.toLocal8Bit().constData(), &st) != 0) return false;
  id->device = st.st_dev;
  id->inode = st.st_ino;
  return true;
}

struct OpenFile {
  const Database* db;
  FileId id;
};

std::vector<OpenFile>& openFiles() {
  static std::vector<OpenFile> files;
  return files;
}

}  // namespace

namespace detail {

void noteOpened(const Database* db, const QString& localPath) {
  FileId id;
  if (!fileId(localPath, &id)) return;
  openFiles().push_back(OpenFile{db, id});
}

void noteClosed(const Database* db) {
  std::vector<OpenFile>& files = openFiles();
  files.erase(std::remove_if(files.begin(), files.end(), [db](const OpenFile& f) { return f.db == db; }),
              files.end());
}

}  // namespace detail

bool isDatabaseOpen(const QString& path) {
  if (path.trimmed().isEmpty()) return false;
  FileId id;
  if (!fileId(QString::fromStdString(files::localPath(path.toStdString())), &id)) return false;
  const std::vector<OpenFile>& files = openFiles();
  return std::any_of(files.begin(), files.end(), [&id](const OpenFile& f) { return f.id == id; });
}

}  // namespace db
