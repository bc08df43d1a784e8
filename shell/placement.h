// Where each window finds its databases.
//
// The placement window frmNWSetin holds the station's data placement in three
// boxes: the mode ("Single" or "File Sharing"), the server path and the data
// folder. Every window that opens a shared database reads those boxes when it
// loads and places its files by the one rule below; the readers differ only in
// what they do with a mode text that is neither of the two.
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

// The windows that place databases, each with its own rule for a mode text that
// is neither "Single" nor "File Sharing".
enum class PlacementReader {
  Sales,        // other mode: shared location
  Tender,       // other mode: shared location
  Removal,      // other mode: install folder
  Keypad,       // other mode: not placed
  StaffEditor,  // other mode: install folder when the mode is empty, else not placed
  Booking,      // other mode: not placed
  SalesReport,  // other mode: not placed
  OrderDetail,  // other mode: the install folder's training file "Tordr.mdb"
};

// The install folder followed by the file name.
QString localDatabase(const QString& file);

// Server path, data folder and file name joined with nothing in between.
QString sharedDatabase(const DataLocation& where, const QString& file);

// Where `reader` opens `file`; nothing when that reader places no database
// for this mode. The result is a path as the windows name it (mapped to the
// station's folders when the database is opened).
std::optional<QString> placeDatabase(PlacementReader reader, const DataLocation& where, const QString& file);

// Live or training: exactly "Check Book" (case included) is live; any other
// text, the empty one included, is training.
bool isLiveCheckBook(const QString& checkBookMode);

// The ticket database of a check-book mode: "Check Book" is the live
// "Ordr.mdb"; any other text is the training "TOrdr.mdb".
QString ticketDatabaseName(const QString& checkBookMode);

// Reads the placement window's boxes now (loading the window, which then shows
// as a child of the main window, when it is not loaded).
DataLocation currentDataLocation();

// Reads the check-book window's display box now (loading the window, which
// then shows as a child of the main window, when it is not loaded).
QString currentCheckBookMode();

// Why the check-book window, or the placement window, shows its design text
// rather than the station's setting: the install folder's Duzo98HS.mdb, its
// table or its row could not be read when the window loaded. Nothing when the
// setting was read. A window not loaded yet is loaded without a message of
// its own: the caller tells the clerk.
std::optional<QString> checkBookModeFailure();
std::optional<QString> dataLocationFailure();

// Where a ticket reader opens its tickets, decided now: the check-book mode
// (read first) picks live or training, the placement puts the file. The
// sales report and the order-detail report read the placement first and the
// check book only for "Single" and "File Sharing"; for another mode the sales
// report places nothing and the order-detail report keeps the install
// folder's training file "Tordr.mdb" (live is false then). Every
// window that opens the ticket database (the sales window, the tender dialog,
// the sales report, the order-detail report) asks this and nothing else.
struct TicketDatabase {
  bool live = true;             // the check book reads exactly "Check Book"
  std::optional<QString> path;  // nothing: this reader places no database
};
TicketDatabase currentTicketDatabase(PlacementReader reader);

}  // namespace shell
