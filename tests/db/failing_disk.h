// A disk that fills up on demand. While one of these lives, the connections
// opened through SQLite go through a file layer of its own over the default
// one; once fail() is called, every write of a file fails as a full disk
// fails it (SQLite's "database or disk is full", errno ENOSPC) or as a
// used-up quota does (an I/O error whose errno is EDQUOT). A connection
// opened before keeps its own file layer.
#pragma once

#include <sqlite3.h>

#include <cerrno>
#include <cstring>

namespace dbtest {

class FailingDisk {
 public:
  FailingDisk() {
    Layer& l = layer();
    if (l.vfs.zName == nullptr) {
      l.real = sqlite3_vfs_find(nullptr);
      l.vfs = *l.real;
      l.vfs.zName = "trivela-failing-disk";
      l.vfs.szOsFile = int(sizeof(File)) + l.real->szOsFile;
      l.vfs.xOpen = open;
      l.vfs.xGetLastError = lastError;
      l.vfs.pNext = nullptr;
    }
    l.failing = 0;
    sqlite3_vfs_register(&l.vfs, 1);
  }
  ~FailingDisk() {
    layer().failing = 0;
    sqlite3_vfs_unregister(&layer().vfs);
  }
  FailingDisk(const FailingDisk&) = delete;
  FailingDisk& operator=(const FailingDisk&) = delete;

  // ENOSPC: the disk is full; EDQUOT: the quota is used up; 0: writes again.
  void fail(int error) { layer().failing = error; }

 private:
  struct File {
    sqlite3_file base;
    sqlite3_file* real;  // the default layer's file, right behind this one
  };
  struct Layer {
    sqlite3_vfs vfs{};
    sqlite3_vfs* real = nullptr;
    sqlite3_io_methods methods{};
    int failing = 0;
  };
  static Layer& layer() {
    static Layer l;
    return l;
  }
  static sqlite3_file* real(sqlite3_file* f) { return reinterpret_cast<File*>(f)->real; }

  static int open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags) {
    File* file = reinterpret_cast<File*>(f);
    file->real = reinterpret_cast<sqlite3_file*>(file + 1);
    std::memset(file->real, 0, size_t(layer().real->szOsFile));
    const int rc = layer().real->xOpen(layer().real, name, file->real, flags, outFlags);
    file->base.pMethods = file->real->pMethods ? methods() : nullptr;
    return rc;
  }
  // The errno SQLite asks for after a write that failed.
  static int lastError(sqlite3_vfs*, int size, char* text) {
    if (layer().failing != 0) return layer().failing;
    return layer().real->xGetLastError(layer().real, size, text);
  }
  static int write(sqlite3_file* f, const void* data, int amount, sqlite3_int64 offset) {
    const int error = layer().failing;
    if (error == 0) return real(f)->pMethods->xWrite(real(f), data, amount, offset);
    return error == ENOSPC ? SQLITE_FULL : SQLITE_IOERR_WRITE;
  }
  // Version 1 of the file methods: no shared memory (the rollback journal
  // needs none) and no memory mapping.
  static const sqlite3_io_methods* methods() {
    sqlite3_io_methods& m = layer().methods;
    m.iVersion = 1;
    m.xClose = [](sqlite3_file* f) { return real(f)->pMethods->xClose(real(f)); };
    m.xRead = [](sqlite3_file* f, void* data, int amount, sqlite3_int64 offset) {
      return real(f)->pMethods->xRead(real(f), data, amount, offset);
    };
    m.xWrite = write;
    m.xTruncate = [](sqlite3_file* f, sqlite3_int64 size) {
      return real(f)->pMethods->xTruncate(real(f), size);
    };
    m.xSync = [](sqlite3_file* f, int flags) { return real(f)->pMethods->xSync(real(f), flags); };
    m.xFileSize = [](sqlite3_file* f, sqlite3_int64* size) {
      return real(f)->pMethods->xFileSize(real(f), size);
    };
    m.xLock = [](sqlite3_file* f, int lock) { return real(f)->pMethods->xLock(real(f), lock); };
    m.xUnlock = [](sqlite3_file* f, int lock) { return real(f)->pMethods->xUnlock(real(f), lock); };
    m.xCheckReservedLock = [](sqlite3_file* f, int* out) {
      return real(f)->pMethods->xCheckReservedLock(real(f), out);
    };
    m.xFileControl = [](sqlite3_file* f, int op, void* arg) {
      return real(f)->pMethods->xFileControl(real(f), op, arg);
    };
    m.xSectorSize = [](sqlite3_file* f) { return real(f)->pMethods->xSectorSize(real(f)); };
    m.xDeviceCharacteristics = [](sqlite3_file* f) {
      return real(f)->pMethods->xDeviceCharacteristics(real(f));
    };
    return &m;
  }
};

}  // namespace dbtest
