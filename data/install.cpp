#include "data/install.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <stdio.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "data/install_detail.h"
#include "platform/files/descriptor.h"
#include "platform/files/paths.h"

namespace data {
namespace {

struct DatabaseFile {
  const char* file;
  const char* script;
};

// The station's own files first (settings, menu, customers, the ticket
// template), then the files that may later move to a shared folder.
const DatabaseFile kDatabaseFiles[] = {
    {"Duzo98HS.mdb", "Duzo98HS.sql"},
    {"BakHS.mdb", "BakHS.sql"},
    {"Ref.mdb", "Ref.sql"},
    {"BpOrdr.mdb", "Ordr.sql"},
    {"Ordr.mdb", "Ordr.sql"},
    {"TOrdr.mdb", "Ordr.sql"},
    {"Infor.mdb", "Infor.sql"},
    {"CustmrTr.mdb", "CustmrTr.sql"},
    {"Fav.mdb", "Fav.sql"},
    {"Remv.mdb", "Remv.sql"},
    {"SalonReserv.mdb", "SalonReserv.sql"},
};

const detail::EmbeddedScript* findScript(const char* name) {
  for (int i = 0; i < detail::kEmbeddedScriptCount; ++i) {
    if (qstrcmp(detail::kEmbeddedScripts[i].name, name) == 0) return &detail::kEmbeddedScripts[i];
  }
  return nullptr;
}

QString sqliteMessage(sqlite3* db, int rc) {
  return QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
}

// Runs `script` into the new, empty database file at `path`, in one
// transaction. Double-quoted string literals are switched off, so a script
// can only name columns with double quotes.
bool buildDatabase(const QByteArray& path, const QByteArray& script, QString* error) {
  struct Closer {
    void operator()(sqlite3* handle) const { sqlite3_close(handle); }
  };
  sqlite3* opened = nullptr;
  const int openRc = sqlite3_open_v2(path.constData(), &opened, SQLITE_OPEN_READWRITE, nullptr);
  std::unique_ptr<sqlite3, Closer> db(opened);
  if (openRc != SQLITE_OK) {
    *error = sqliteMessage(db.get(), openRc);
    return false;
  }
  sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  sqlite3_db_config(db.get(), SQLITE_DBCONFIG_DQS_DML, 0, nullptr);

  const QByteArray text = "PRAGMA synchronous=FULL;\nBEGIN;\n" + script + "\nCOMMIT;\n";
  char* message = nullptr;
  const int rc = sqlite3_exec(db.get(), text.constData(), nullptr, nullptr, &message);
  if (rc != SQLITE_OK) {
    *error = message ? QString::fromUtf8(message) : sqliteMessage(db.get(), rc);
    sqlite3_free(message);
    return false;
  }
  // The last close is checked: the file is only complete when it succeeds.
  const int closeRc = sqlite3_close(db.release());
  if (closeRc != SQLITE_OK) {
    *error = QString::fromUtf8(sqlite3_errstr(closeRc));
    return false;
  }
  return true;
}

// Moves the finished file into place without ever replacing a file of that
// name: if one appeared meanwhile (another station installing into the same
// folder), it wins and *existed is set.
bool moveIntoPlace(const QByteArray& from, const QByteArray& to, bool* existed, QString* error) {
  *existed = false;
  if (files::renameNoReplace(from.toStdString(), to.toStdString())) return true;
  if (errno == EEXIST) {
    *existed = true;
    return false;
  }
  *error = QString::fromLocal8Bit(strerror(errno));
  return false;
}

// The prefix of the temporary name a database file is built under.
QString tempPrefix(const QString& file) {
  return QStringLiteral(".%1.new-").arg(file);
}

// Removes what an interrupted install left in `folder`: temporary database
// files (and their journals) that no running install holds. A build holds
// its temporary file locked from creation to rename, so one that another
// program is building right now is left alone.
void removeLeftovers(const QString& folder) {
  const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const DatabaseFile& entry : kDatabaseFiles) {
    const QString prefix = tempPrefix(QString::fromLatin1(entry.file));
    for (const QString& name : entries) {
      if (!name.startsWith(prefix) || name.endsWith(QLatin1String("-journal"))) continue;
      const QByteArray path = QFile::encodeName(QDir(folder).filePath(name));
      const files::Descriptor fd(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
      if (fd.valid() && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
        ::unlink(path.constData());
        ::unlink((path + "-journal").constData());
      }
    }
  }
}

void syncFolder(const QByteArray& folder) {
  const files::Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());
}

// Names in `folder`, folded to lower case, so a file is found whatever the
// letter case of its name.
QSet<QString> folderEntries(const QString& folder) {
  QSet<QString> names;
  const QStringList entries =
      QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString& entry : entries) names.insert(entry.toLower());
  return names;
}

}  // namespace

namespace detail {

BuildOutcome buildDatabaseFile(const QString& folder, const QString& file, const QByteArray& script,
                               QString* error) {
  const QString target = QDir(folder).filePath(file);
  const QByteArray targetPath = QFile::encodeName(target);

  // The temporary file is made beside its place, so the rename stays in one
  // file system, under a fresh name; SQLite takes an empty file as a new
  // database. It is created like any other file of the user (mode 0666 less
  // the umask), so other stations that share the folder can open it too.
  std::string temp;
  const files::Descriptor fd(
      files::createTempBeside(targetPath.toStdString(), tempPrefix(file).toStdString(), 0666, &temp));
  if (!fd.valid()) {
    *error = QStringLiteral("%1: %2").arg(target, QString::fromLocal8Bit(strerror(errno)));
    return BuildOutcome::Failed;
  }
  // Held until the file is in place, so that a later start does not take it
  // for a leftover of an interrupted install.
  ::flock(fd.get(), LOCK_EX);
  const QByteArray tempPath = QByteArray::fromStdString(temp);

  QString why;
  if (!buildDatabase(tempPath, script, &why)) {
    ::unlink(tempPath.constData());
    ::unlink((tempPath + "-journal").constData());
    *error = QStringLiteral("%1: %2").arg(target, why);
    return BuildOutcome::Failed;
  }
  bool existed = false;
  if (!moveIntoPlace(tempPath, targetPath, &existed, &why)) {
    ::unlink(tempPath.constData());
    if (existed) return BuildOutcome::Kept;
    *error = QStringLiteral("%1: %2").arg(target, why);
    return BuildOutcome::Failed;
  }
  return BuildOutcome::Created;
}

}  // namespace detail

namespace {

InstallReport failedReport(const QString& message) {
  InstallReport report;
  report.ok = false;
  report.errors << message;
  return report;
}

bool makeFolder(const QString& folder, InstallReport* report) {
  QFileInfo info(folder);
  if (info.exists() && !info.isDir()) {
    report->ok = false;
    report->errors << QStringLiteral("%1: not a folder").arg(folder);
    return false;
  }
  std::string why;
  if (!files::makeDirs(QFile::encodeName(folder).toStdString(), &why)) {
    report->ok = false;
    report->errors << QStringLiteral("%1: the folder cannot be created: %2")
                          .arg(folder, QString::fromLocal8Bit(why.c_str()));
    return false;
  }
  return true;
}

}  // namespace

QStringList databaseFiles() {
  QStringList names;
  for (const DatabaseFile& entry : kDatabaseFiles) names << QString::fromLatin1(entry.file);
  return names;
}

QString schemaScript(const QString& file) {
  for (const DatabaseFile& entry : kDatabaseFiles) {
    if (file.compare(QLatin1String(entry.file), Qt::CaseInsensitive) != 0) continue;
    const detail::EmbeddedScript* script = findScript(entry.script);
    if (!script) return QString();
    return QString::fromUtf8(reinterpret_cast<const char*>(script->bytes), static_cast<int>(script->size));
  }
  return QString();
}

InstallReport installDataRoot(const QString& installDir) {
  try {
    InstallReport report;
    if (installDir.isEmpty()) return failedReport(QStringLiteral("No install folder given"));
    if (!makeFolder(installDir, &report)) return report;
    removeLeftovers(installDir);

    const QSet<QString> present = folderEntries(installDir);
    for (const DatabaseFile& entry : kDatabaseFiles) {
      const QString name = QString::fromLatin1(entry.file);
      if (present.contains(name.toLower())) {
        report.kept << name;
        continue;
      }
      const detail::EmbeddedScript* script = findScript(entry.script);
      if (!script) {
        report.ok = false;
        report.errors << QStringLiteral("%1: no schema script %2").arg(name, entry.script);
        continue;
      }
      QString error;
      const QByteArray text = QByteArray::fromRawData(reinterpret_cast<const char*>(script->bytes),
                                                      static_cast<int>(script->size));
      switch (detail::buildDatabaseFile(installDir, name, text, &error)) {
        case detail::BuildOutcome::Created:
          report.created << name;
          break;
        case detail::BuildOutcome::Kept:
          report.kept << name;
          break;
        case detail::BuildOutcome::Failed:
          report.ok = false;
          report.errors << error;
          break;
      }
    }
    if (!report.created.isEmpty()) syncFolder(QFile::encodeName(installDir));
    return report;
  } catch (const std::exception& e) {
    return failedReport(QStringLiteral("%1: %2").arg(installDir, QString::fromLocal8Bit(e.what())));
  } catch (...) {
    return failedReport(QStringLiteral("%1: the install failed").arg(installDir));
  }
}

InstallReport createTransactionFolder(const QString& folder) {
  try {
    InstallReport report;
    if (folder.isEmpty()) return failedReport(QStringLiteral("No transaction folder given"));
    makeFolder(folder, &report);
    return report;
  } catch (...) {
    return failedReport(QStringLiteral("%1: the folder cannot be created").arg(folder));
  }
}

QStringList removeLeftoverRequests(const QString& folder) {
  QStringList told;
  // The folder itself is followed as the payment bridge follows it; nothing
  // inside it is.
  struct Closer {
    void operator()(DIR* listing) const { ::closedir(listing); }
  };
  const std::unique_ptr<DIR, Closer> listing(::opendir(QFile::encodeName(folder).constData()));
  if (!listing) {
    if (errno != ENOENT)
      told << QStringLiteral("The transaction folder %1 cannot be read: %2")
                  .arg(folder, QString::fromLocal8Bit(strerror(errno)));
    return told;
  }
  // The names are read first and removed afterwards, so the listing is not
  // read while it changes.
  const std::string suffix = ".req";
  std::vector<std::string> requests;
  while (const struct dirent* entry = ::readdir(listing.get())) {
    const std::string name = entry->d_name;
    if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
      requests.push_back(name);
  }
  const int dirFd = ::dirfd(listing.get());
  for (const std::string& name : requests) {
    struct stat st;
    if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    // Gone meanwhile: the card program took it.
    if (::unlinkat(dirFd, name.c_str(), 0) == 0 || errno == ENOENT) continue;
    // Told, not passed over: the card data stays on disk, and a card program
    // started later would still charge it.
    told << QStringLiteral(
                "%1 could not be removed: %2. It is a card request left from an earlier run and "
                "holds card data; remove it before the card program is started.")
                .arg(QDir(folder).filePath(QFile::decodeName(name.c_str())),
                     QString::fromLocal8Bit(strerror(errno)));
  }
  return told;
}

}  // namespace data
