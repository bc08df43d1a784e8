#include "shell/placement.h"

namespace shell {

namespace {

const QLatin1String kSingle("Single");
const QLatin1String kFileSharing("File Sharing");
const QLatin1String kLive("Check Book");
const QLatin1String kTraining("Training Check Book");

// What a field of the station's settings reads when it is neither of the two
// values its window writes.
std::optional<QString> modeProblem(const char* field, const char* table, const QString& mode,
                                   QLatin1String first, QLatin1String second) {
  if (mode == first || mode == second) return std::nullopt;
  const QString reads =
      mode.isEmpty() ? QStringLiteral("is empty") : QStringLiteral("reads \"%1\"").arg(mode);
  return QStringLiteral("The field %1 of %2 in Duzo98HS.mdb %3, not \"%4\" or \"%5\".")
      .arg(QLatin1String(field), QLatin1String(table), reads, first, second);
}

}  // namespace

const QString kInstallFolder = QStringLiteral("C:\\Program Files\\Dovrel POS 4\\");

QString localDatabase(const QString& file) {
  return kInstallFolder + file;
}

QString sharedDatabase(const DataLocation& where, const QString& file) {
  return where.serverPath + where.dataFolder + file;
}

std::optional<QString> placeDatabase(const DataLocation& where, const QString& file) {
  if (where.mode == kSingle) return localDatabase(file);
  if (where.mode == kFileSharing) return sharedDatabase(where, file);
  return std::nullopt;
}

bool isLiveCheckBook(const QString& checkBookMode) {
  return checkBookMode == kLive;
}

std::optional<QString> ticketDatabaseName(const QString& checkBookMode) {
  if (checkBookMode == kLive) return QStringLiteral("Ordr.mdb");
  if (checkBookMode == kTraining) return QStringLiteral("TOrdr.mdb");
  return std::nullopt;
}

std::optional<QString> placementModeProblem(const QString& mode) {
  return modeProblem("SetC", "tbSet", mode, kSingle, kFileSharing);
}

std::optional<QString> checkBookModeProblem(const QString& mode) {
  return modeProblem("Reset_txt", "tbReset", mode, kLive, kTraining);
}

TicketDatabase currentTicketDatabase() {
  TicketDatabase tickets;
  if (const std::optional<QString> why = dataLocationFailure()) {
    tickets.unreadable = QStringLiteral("the data location cannot be read. ") + *why;
    return tickets;
  }
  if (const std::optional<QString> why = checkBookModeFailure()) {
    tickets.unreadable = QStringLiteral("the check book cannot be read. ") + *why;
    return tickets;
  }
  if (const std::optional<QString> file = ticketDatabaseName(currentCheckBookMode()))
    tickets.path = placeDatabase(currentDataLocation(), *file);
  return tickets;
}

}  // namespace shell
