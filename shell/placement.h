// Where each window finds its databases.
//
// The placement window frmNWSetin holds the station's data placement in three
// boxes: the mode ("Single" or "File Sharing"), the server path and the data
// folder. Every window that opens a shared database reads those boxes when it
// loads and places its files by the one rule below. A mode text that is
// neither of the two was damaged, and places no file.
#pragma once

#include <QString>
#include <optional>

namespace shell {

// "C:\Program Files\Dovrel POS 4\": the install folder, fixed.
extern const QString kInstallFolder;

// The three boxes of the placement window, as they stand.
struct DataLocation {
  QString mode;        // txtNWsetin: "Single" or "File Sharing"
  QString serverPath;  // txtPath, e.g. "\\Server\"
  QString dataFolder;  // txtData, e.g. "Dovrel POS 4\"
};

// The install folder followed by the file name.
QString localDatabase(const QString& file);

// Server path, data folder and file name joined with nothing in between.
QString sharedDatabase(const DataLocation& where, const QString& file);

// Where a reader opens `file`: the install folder in mode "Single", the
// shared location in mode "File Sharing". Any other mode text, the empty one
// included, is not one the placement window writes (the field was damaged):
// no file is placed by it. The result is a path as the windows name it
// (mapped to the station's folders when the database is opened).
std::optional<QString> placeDatabase(const DataLocation& where, const QString& file);

// Live: exactly "Check Book" (case included).
bool isLiveCheckBook(const QString& checkBookMode);

// The ticket database of a check-book mode: "Check Book" is the live
// "Ordr.mdb", "Training Check Book" the training "TOrdr.mdb". Any other text,
// the empty one included, is not one the check-book window writes: it names
// no file, so that live sales never go to the training file.
std::optional<QString> ticketDatabaseName(const QString& checkBookMode);

// What is wrong with a mode as the settings row holds it, naming the file,
// the field and what it reads: "The field SetC of tbSet in Duzo98HS.mdb reads
// "Sxngle", not "Single" or "File Sharing"."; nothing for the two modes its
// window writes.
std::optional<QString> placementModeProblem(const QString& mode);
std::optional<QString> checkBookModeProblem(const QString& mode);

// Reads the placement window's boxes now (loading the window, which then shows
// as a child of the main window, when it is not loaded).
DataLocation currentDataLocation();

// Reads the check-book window's display box now (loading the window, which
// then shows as a child of the main window, when it is not loaded).
QString currentCheckBookMode();

// Why the check-book window, or the placement window, shows no mode that a
// reader may use: the install folder's Duzo98HS.mdb, its table or its row
// could not be read when the window loaded (it shows its design text), or
// the mode it shows is none its window writes (see placementModeProblem).
// Nothing when the setting was read and is sound. A window not loaded yet is
// loaded without a message of its own: the caller tells the clerk.
std::optional<QString> checkBookModeFailure();
std::optional<QString> dataLocationFailure();

// Where a ticket reader opens its tickets, decided now: the placement is
// read first, and the check book only when the placement can be used; the
// check book picks the live or the training file, the placement puts it.
// The windows that open the ticket database (the tender dialog, the sales
// report, the order-detail report) ask this and nothing else.
struct TicketDatabase {
  std::optional<QString> path;        // nothing when a setting cannot be read
  std::optional<QString> unreadable;  // then why: "the check book cannot be read. ..."
};
TicketDatabase currentTicketDatabase();

}  // namespace shell
