#include "shell/placement.h"

namespace shell {

const QString kInstallFolder = QStringLiteral("C:\\Program Files\\Dovrel POS 4\\");

QString localDatabase(const QString& file) {
  return kInstallFolder + file;
}

QString sharedDatabase(const DataLocation& where, const QString& file) {
  return where.serverPath + where.dataFolder + file;
}

std::optional<QString> placeDatabase(PlacementReader reader, const DataLocation& where, const QString& file) {
  if (where.mode == QLatin1String("Single")) return localDatabase(file);
  if (where.mode == QLatin1String("File Sharing")) return sharedDatabase(where, file);
  switch (reader) {
    case PlacementReader::Sales:
    case PlacementReader::Tender:
      return sharedDatabase(where, file);
    case PlacementReader::Removal:
      return localDatabase(file);
    case PlacementReader::StaffEditor:
      if (where.mode.isEmpty()) return localDatabase(file);
      return std::nullopt;
    case PlacementReader::OrderDetail:
      return localDatabase(QStringLiteral("Tordr.mdb"));
    case PlacementReader::Keypad:
    case PlacementReader::Booking:
    case PlacementReader::SalesReport:
      return std::nullopt;
  }
  return std::nullopt;
}

bool isLiveCheckBook(const QString& checkBookMode) {
  return checkBookMode == QLatin1String("Check Book");
}

QString ticketDatabaseName(const QString& checkBookMode) {
  return isLiveCheckBook(checkBookMode) ? QStringLiteral("Ordr.mdb") : QStringLiteral("TOrdr.mdb");
}

TicketDatabase currentTicketDatabase(PlacementReader reader) {
  TicketDatabase tickets;
  if (reader == PlacementReader::SalesReport || reader == PlacementReader::OrderDetail) {
    // The reports read the placement first, and ask the check book only for
    // the two placements they know.
    const DataLocation where = currentDataLocation();
    if (where.mode != QLatin1String("Single") && where.mode != QLatin1String("File Sharing")) {
      tickets.live = false;
      tickets.path = placeDatabase(reader, where, QString());
      return tickets;
    }
    const QString mode = currentCheckBookMode();
    tickets.live = isLiveCheckBook(mode);
    tickets.path = placeDatabase(reader, where, ticketDatabaseName(mode));
    return tickets;
  }
  const QString mode = currentCheckBookMode();
  tickets.live = isLiveCheckBook(mode);
  tickets.path = placeDatabase(reader, currentDataLocation(), ticketDatabaseName(mode));
  return tickets;
}

}  // namespace shell
