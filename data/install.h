// The first install: every database file of a new data root.
//
// Each database file keeps the name the salon's stations use ("Ordr.mdb",
// "BakHS.mdb", ...) and is an SQLite 3 file built from one of the schema
// scripts compiled into the program (data/schema/*.sql): its tables, and the
// first-install rows (the one-row settings tables, the removal reasons and a
// small sample salon with its menu and staff).
//
// The install never touches a file that is already there: an existing file
// keeps its bytes and its rows, whatever they are. A missing file is built
// under a temporary name beside its place and renamed into place only when it
// is complete, so nobody ever opens half a file.
#pragma once

#include <QString>
#include <QStringList>

namespace data {

struct InstallReport {
  bool ok = true;       // false when anything could not be created
  QStringList created;  // database files this call created, by name
  QStringList kept;     // database files that were already there, untouched
  QStringList errors;   // one message per failure, naming the file or folder
};

// The database files of the install folder, in the order they are created:
// "Duzo98HS.mdb", "BakHS.mdb", "Ref.mdb", "BpOrdr.mdb", "Ordr.mdb",
// "TOrdr.mdb", "Infor.mdb", "CustmrTr.mdb", "Fav.mdb", "Remv.mdb",
// "SalonReserv.mdb".
QStringList databaseFiles();

// The schema script that builds `file` (a name of databaseFiles(), matched
// without regard to case): the ticket template for "Ordr.mdb", "TOrdr.mdb"
// and "BpOrdr.mdb". Empty for a name that is not a database file.
QString schemaScript(const QString& file);

// Creates the install folder `installDir` (the local path of
// "C:\Program Files\Dovrel POS 4\", e.g. ROOT/drive_c/Program Files/Dovrel POS 4)
// with its parents, and each database file that is missing from it. A file
// counts as present when the folder holds an entry of that name in any letter
// case ("tordr.mdb" is "TOrdr.mdb"). Never throws; failures are in the report.
InstallReport installDataRoot(const QString& installDir);

// Creates the card program's transaction folder (the local path of
// "C:\Program Files\Vantix\LocalTran") with its parents. An existing folder is
// left as it is. Never throws; a failure is in the report.
InstallReport createTransactionFolder(const QString& folder);

// Removes the card requests an earlier run left in the transaction folder
// `folder`. A program that ends while it waits for the card program leaves
// its NAME.req, with the card's number, expiry and CVV2, and a card program
// started later would charge a ticket that was never stored. A request the
// card program has taken is no longer there, so at start every one is left
// over. Only regular files directly in the folder whose names end in ".req"
// (as the payment bridge names its requests) are removed; links and folders
// are never followed. Returns one message per request that could not be
// removed, and for a folder that cannot be read; empty when all went.
QStringList removeLeftoverRequests(const QString& folder);

}  // namespace data
