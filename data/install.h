// The first install: every database file of a new data root.
//
// Each database file keeps the name the salon's stations use ("Ordr.mdb",
// "BakHS.mdb", ...) and is an SQLite 3 file built from one of the schema
// scripts compiled into the program (data/schema/*.sql): its tables, and the
// first-install rows (the one-row settings tables, the removal reasons and a
// small sample salon with its menu and staff).
//
// A new data root is one without its install folder. It gets the folder with
// every file at once: the files are built in a temporary folder beside it,
// which is renamed into place only when it is complete, so a start that is
// cut short leaves no install folder and the next start installs afresh.
//
// A root that has its install folder is never given the first-install rows
// again: an existing file keeps its bytes and its rows, whatever they are, and
// a missing file that holds the salon's own setup (the station settings, the
// menu, the staff) is not made anew; the salon would sell at sample prices.
// A missing file that holds only what the program records as it works (the
// tickets, the removal log, the tally, ...) is made anew from its tables
// alone, empty. Both are told at start (installNotice). A file made anew is
// built under a temporary name beside its place and renamed into place only
// when it is complete, so nobody ever opens half a file.
#pragma once

#include <QString>
#include <QStringList>

namespace data {

struct InstallReport {
  bool ok = true;        // false when anything could not be created
  bool newRoot = false;  // the install folder was made by this call
  QStringList created;   // database files this call created, by name: all of
                         // a new root, else those made anew, empty
  QStringList kept;      // database files that were already there, untouched
  QStringList missing;   // files missing from an existing install folder that
                         // are not made anew (settings, menu, staff)
  QStringList errors;    // one message per failure, naming the file or folder
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

// True for the files whose first-install rows are the salon's setup (the
// station settings, the menu and store information, the staff): they are
// made only with a new install folder, never anew in an existing one.
bool isSetupFile(const QString& file);

// Installs the data root whose install folder is `installDir` (the local path
// of "C:\Program Files\Dovrel POS 4\", e.g. ROOT/drive_c/Program Files/Dovrel POS 4).
// Without that folder: makes its parents and the folder with every database
// file (newRoot). With it: makes anew, empty, each missing file that is not a
// setup file, and lists the missing setup files in `missing`. A file counts
// as present when the folder holds an entry of that name in any letter case
// ("tordr.mdb" is "TOrdr.mdb"). Never throws; failures are in the report.
InstallReport installDataRoot(const QString& installDir);

// What the start tells the clerk about an existing install folder: each file
// that was missing from it, what it holds, and whether it was made anew,
// empty, or was not made (a setup file, which the windows that need it then
// name). Empty when nothing was missing, and for a new root.
QString installNotice(const InstallReport& report, const QString& installDir);

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

// Tells the card answers that no run has read. The card program answers
// NAME.ans also after the bridge stopped waiting (a time-out, or a program
// that ended while it waited), and an approval nobody sees is charged again
// on the next try. So at start every answer directly in the transaction
// folder `folder` (NAME.ans, and NAME.ans.claim-... that a bridge claimed and
// did not get to read to the end) is read as the bridge reads one, and
// moved into the sub-folder "Late" (made when needed), under its own name or
// that name and a number, never replacing a file, so that it is kept and
// told once. A file under an answer's name that is not a regular one or
// holds more than 64 KiB is named as unreadable and moved like the others.
// Returns the message that names each answer's transaction with its result
// and approval code, and where they are kept; empty when none was left, or
// when the folder cannot be read (removeLeftoverRequests tells that).
QString setAsideLateAnswers(const QString& folder);

}  // namespace data
