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
#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bridge/protocol.h"
#include "data/install_detail.h"
#include "platform/files/descriptor.h"
#include "platform/files/paths.h"

namespace data {
namespace {

struct DatabaseFile {
  const char* file;
  const char* script;
  const char* holds;  // what the file holds, in the words of the start's notice
  bool setup;         // its first-install rows are the salon's setup (isSetupFile)
};

// The station's own files first (settings, menu, customers, the ticket
// template), then the files that may later move to a shared folder. The
// scripts of the files that are not setup files create tables and no rows.
const DatabaseFile kDatabaseFiles[] = {
    {"Duzo98HS.mdb", "Duzo98HS.sql", "the station settings", true},
    {"BakHS.mdb", "BakHS.sql", "the menu and the store information", true},
    {"Ref.mdb", "Ref.sql", "the customers", false},
    {"BpOrdr.mdb", "Ordr.sql", "the empty ticket template", false},
    {"Ordr.mdb", "Ordr.sql", "the tickets", false},
    {"TOrdr.mdb", "Ordr.sql", "the training tickets", false},
    {"Infor.mdb", "Infor.sql", "the staff", true},
    {"CustmrTr.mdb", "CustmrTr.sql", "the customer transactions", false},
    {"Fav.mdb", "Fav.sql", "the favourites tally", false},
    {"Remv.mdb", "Remv.sql", "the removal log", false},
    {"SalonReserv.mdb", "SalonReserv.sql", "the appointment book", false},
};

const DatabaseFile* findFile(const QString& file) {
  for (const DatabaseFile& entry : kDatabaseFiles)
    if (file.compare(QLatin1String(entry.file), Qt::CaseInsensitive) == 0) return &entry;
  return nullptr;
}

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

// Notes in the report that `folder` cannot be created, and the system's reason.
void folderFailed(const QString& folder, const QString& why, InstallReport* report) {
  report->ok = false;
  report->errors << QStringLiteral("%1: the folder cannot be created: %2").arg(folder, why);
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
    folderFailed(folder, QString::fromLocal8Bit(why.c_str()), report);
    return false;
  }
  return true;
}

QByteArray scriptText(const DatabaseFile& entry) {
  const detail::EmbeddedScript* script = findScript(entry.script);
  if (!script) return QByteArray();
  return QByteArray::fromRawData(reinterpret_cast<const char*>(script->bytes),
                                 static_cast<int>(script->size));
}

// Builds one file into `folder` and notes the outcome in the report.
void buildInto(const QString& folder, const DatabaseFile& entry, InstallReport* report) {
  const QString name = QString::fromLatin1(entry.file);
  const QByteArray text = scriptText(entry);
  if (text.isEmpty()) {
    report->ok = false;
    report->errors << QStringLiteral("%1: no schema script %2").arg(name, entry.script);
    return;
  }
  QString error;
  switch (detail::buildDatabaseFile(folder, name, text, &error)) {
    case detail::BuildOutcome::Created:
      report->created << name;
      break;
    case detail::BuildOutcome::Kept:
      report->kept << name;
      break;
    case detail::BuildOutcome::Failed:
      report->ok = false;
      report->errors << error;
      break;
  }
}

// The prefix of the temporary folder a new install folder is built in.
QString stagingPrefix(const QString& installDir) {
  return QStringLiteral(".%1.new-").arg(QFileInfo(installDir).fileName());
}

// Removes the temporary folders of first installs that were cut short, beside
// `installDir`. A first install holds its folder locked until it is in
// place, so one that another start is building now is left alone.
void removeStagingLeftovers(const QString& installDir) {
  const QDir parent = QFileInfo(installDir).dir();
  const QString prefix = stagingPrefix(installDir);
  const QStringList entries =
      parent.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
  for (const QString& name : entries) {
    if (!name.startsWith(prefix)) continue;
    const QString path = parent.filePath(name);
    const files::Descriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.valid() && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) QDir(path).removeRecursively();
  }
}

// A new root: the install folder with every file, built in a temporary folder
// beside it and renamed into place once complete. False when another start
// put the folder there meanwhile; the caller then treats it as an existing one.
bool installNewRoot(const QString& installDir, InstallReport* report) {
  const QString parent = QFileInfo(installDir).path();
  std::string why;
  if (!files::makeDirs(QFile::encodeName(parent).toStdString(), &why)) {
    folderFailed(installDir, QString::fromLocal8Bit(why.c_str()), report);
    return true;
  }
  removeStagingLeftovers(installDir);
  std::string staging;
  if (!files::makeTempFolderBeside(QFile::encodeName(installDir).toStdString(),
                                   stagingPrefix(installDir).toStdString(), &staging)) {
    folderFailed(installDir, QString::fromLocal8Bit(strerror(errno)), report);
    return true;
  }
  const QString folder = QFile::decodeName(staging.c_str());
  const files::Descriptor lock(::open(staging.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (lock.valid()) ::flock(lock.get(), LOCK_EX);

  InstallReport built;
  for (const DatabaseFile& entry : kDatabaseFiles) buildInto(folder, entry, &built);
  if (!built.ok) {
    QDir(folder).removeRecursively();
    report->ok = false;
    report->errors << built.errors;
    return true;
  }
  syncFolder(staging.c_str());
  if (!files::renameNoReplace(staging, QFile::encodeName(installDir).toStdString())) {
    const int err = errno;
    QDir(folder).removeRecursively();
    if (err == EEXIST || err == ENOTEMPTY) return false;
    folderFailed(installDir, QString::fromLocal8Bit(strerror(err)), report);
    return true;
  }
  syncFolder(QFile::encodeName(parent));
  report->newRoot = true;
  report->created = built.created;
  return true;
}

// An existing install folder: a missing file that is not a setup file is
// made anew, empty; a missing setup file is listed and left missing.
void completeExistingRoot(const QString& installDir, InstallReport* report) {
  removeLeftovers(installDir);
  const QSet<QString> present = folderEntries(installDir);
  for (const DatabaseFile& entry : kDatabaseFiles) {
    const QString name = QString::fromLatin1(entry.file);
    if (present.contains(name.toLower()))
      report->kept << name;
    else if (entry.setup)
      report->missing << name;
    else
      buildInto(installDir, entry, report);
  }
  if (!report->created.isEmpty()) syncFolder(QFile::encodeName(installDir));
}

}  // namespace

QStringList databaseFiles() {
  QStringList names;
  for (const DatabaseFile& entry : kDatabaseFiles) names << QString::fromLatin1(entry.file);
  return names;
}

QString schemaScript(const QString& file) {
  const DatabaseFile* entry = findFile(file);
  return entry ? QString::fromUtf8(scriptText(*entry)) : QString();
}

bool isSetupFile(const QString& file) {
  const DatabaseFile* entry = findFile(file);
  return entry && entry->setup;
}

InstallReport installDataRoot(const QString& installDir) {
  try {
    InstallReport report;
    if (installDir.isEmpty()) return failedReport(QStringLiteral("No install folder given"));
    const QString folder = QDir::cleanPath(installDir);
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir())
      return failedReport(QStringLiteral("%1: not a folder").arg(installDir));
    if (!info.exists() && installNewRoot(folder, &report)) return report;
    completeExistingRoot(folder, &report);
    return report;
  } catch (const std::exception& e) {
    return failedReport(QStringLiteral("%1: %2").arg(installDir, QString::fromLocal8Bit(e.what())));
  } catch (...) {
    return failedReport(QStringLiteral("%1: the install failed").arg(installDir));
  }
}

QString installNotice(const InstallReport& report, const QString& installDir) {
  if (report.newRoot || (report.missing.isEmpty() && report.created.isEmpty())) return QString();
  QStringList lines{
      QStringLiteral("Files were missing from the install folder %1:").arg(QDir::cleanPath(installDir))};
  for (const QString& name : report.missing)
    lines << QStringLiteral(
                 "%1 (%2) is not made anew with sample data; put the salon's own copy back. Until "
                 "then the windows that need it say so.")
                 .arg(name, QLatin1String(findFile(name)->holds));
  for (const QString& name : report.created)
    lines << QStringLiteral("%1 (%2) was made anew, empty; what it held is not in it.")
                 .arg(name, QLatin1String(findFile(name)->holds));
  return lines.join(QLatin1Char('\n'));
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

namespace {

struct DirCloser {
  void operator()(DIR* listing) const { ::closedir(listing); }
};
using Listing = std::unique_ptr<DIR, DirCloser>;

// The names of a folder's entries, read before anything in it is changed,
// so the listing is not read while it changes.
std::vector<std::string> entryNames(DIR* listing) {
  std::vector<std::string> names;
  while (const struct dirent* entry = ::readdir(listing)) names.push_back(entry->d_name);
  return names;
}

}  // namespace

QStringList removeLeftoverRequests(const QString& folder) {
  QStringList told;
  // The folder itself is followed as the payment bridge follows it; nothing
  // inside it is.
  const Listing listing(::opendir(QFile::encodeName(folder).constData()));
  if (!listing) {
    if (errno != ENOENT)
      told << QStringLiteral("The transaction folder %1 cannot be read: %2")
                  .arg(folder, QString::fromLocal8Bit(strerror(errno)));
    return told;
  }
  const std::string suffix = ".req";
  std::vector<std::string> requests;
  for (const std::string& name : entryNames(listing.get()))
    if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
      requests.push_back(name);
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

namespace {

// What one answer left in the folder says, as the bridge would have read it.
QString lateAnswerResult(const std::string& path) {
  std::string contents;
  const vxt::Load load = vxt::LoadAnswer(path, &contents);
  const int error = errno;
  const vxt::Outcome outcome = vxt::OutcomeOf(load, contents);
  const QString message = QString::fromStdString(outcome.ResultMessage);
  if (outcome.Approved)
    return message.isEmpty() ? QStringLiteral("approved")
                             : QStringLiteral("approved, approval code ") + message;
  if (load == vxt::Load::Failed)
    return QStringLiteral("its answer cannot be read: ") + QString::fromLocal8Bit(strerror(error));
  if (outcome.ResultMessage == vxt::kMsgInvalidAnswer) return QStringLiteral("its answer cannot be read");
  return QStringLiteral("declined: ") + message;
}

// Moves `name` of the folder `dir` into `aside` under its own name, or that
// name and ".2", ".3", ... when the name is taken there. The reason when it
// cannot be moved, else empty.
std::string moveAside(const std::string& dir, const std::string& aside, const std::string& name) {
  for (int n = 1; n < 1000; ++n) {
    const std::string target = aside + "/" + name + (n == 1 ? std::string() : "." + std::to_string(n));
    if (files::renameNoReplace(dir + "/" + name, target)) return std::string();
    if (errno != EEXIST) break;
  }
  return strerror(errno);
}

}  // namespace

QString setAsideLateAnswers(const QString& folder) {
  const std::string dir = QFile::encodeName(folder).toStdString();
  const Listing listing(::opendir(dir.c_str()));
  if (!listing) return QString();
  std::vector<std::pair<std::string, std::string>> answers;  // file name, transaction
  for (const std::string& name : entryNames(listing.get()))
    if (const std::optional<std::string> transaction = vxt::AnsweredTransaction(name))
      answers.emplace_back(name, *transaction);
  if (answers.empty()) return QString();
  std::sort(answers.begin(), answers.end());

  // The folder aside is a folder of its own, never a link to elsewhere.
  const std::string aside = dir + "/Late";
  std::string asideProblem;
  struct stat st;
  if (::mkdir(aside.c_str(), 0700) != 0 && errno != EEXIST)
    asideProblem = strerror(errno);
  else if (::lstat(aside.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
    asideProblem = strerror(ENOTDIR);

  QStringList lines;
  bool kept = false;
  for (const auto& [name, transaction] : answers) {
    QString line =
        QString::fromStdString(transaction) + QStringLiteral(": ") + lateAnswerResult(dir + "/" + name);
    const std::string problem = !asideProblem.empty() ? asideProblem : moveAside(dir, aside, name);
    if (problem.empty())
      kept = true;
    else
      line += QStringLiteral(" (it stays in the folder: %1; it is shown again at the next start)")
                  .arg(QString::fromLocal8Bit(problem.c_str()));
    lines << line;
  }
  QString message = QStringLiteral(
                        "The card program answered these card transactions after the wait for their answers "
                        "had ended. A card may have been charged; check these before you charge a card "
                        "again:\n\n") +
                    lines.join(QLatin1Char('\n'));
  if (kept)
    message += QStringLiteral("\n\nThe answers are kept in %1.").arg(QFile::decodeName(aside.c_str()));
  return message;
}

}  // namespace data
