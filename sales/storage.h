// Storing a ticket: its header (tblDy_Order) and its lines (tblDetail) in the
// live or training ticket file, and the favourites tally (tbFav) of what was
// sold. The sales window gathers the ticket from its boxes and grid and hands
// it here with the connections of its own bindings; nothing here opens a file.
//
// One ticket, one transaction: the header, the lines and, for a recalled
// ticket, the removal of its old lines are written in one write transaction
// and committed once, so a failure or a crash never leaves half a ticket. A new
// ticket's number is the header's automatic number, drawn inside that
// transaction: two stations never draw the same one, and the second waits for
// the first's commit.
#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "platform/db/database.h"
#include "sales/tenderresult.h"

namespace sales {

// What a store does, by the ticket state (the tag of the ticket-number box).
enum class StoreKind {
  New,       // "" (and "NewNum"): a new header, which draws the ticket's number
  Recalled,  // "DidRecall": the stored header's amounts rewritten, its lines replaced
  Added,     // "OldNum": the stored header updated, the lines added to its own
};
StoreKind storeKind(const QString& ticketState);

// One row of the ticket grid: quantity, item text, price, routing code.
struct GridLine {
  QString qty, text, price, code;
};

// A stored ticket as the recall read it: every field of its header and of
// each of its lines, in the order stored.
struct TicketSnapshot {
  std::vector<QVariantList> header, lines;
  bool operator==(const TicketSnapshot& other) const {
    return header == other.header && lines == other.lines;
  }
  bool operator!=(const TicketSnapshot& other) const { return !(*this == other); }
};

// The ticket on the sales window, as a store reads it.
struct TicketToStore {
  StoreKind kind = StoreKind::New;
  QString number;                // a stored ticket's number (cmbRept)
  QString subtotal, tax, total;  // txtTotal, the whole tax (both taxes), txtEnding
  // The tender taken for the ticket in this window; nothing when none was.
  std::optional<TenderResult> tender;
  QString stylist;              // the ticket's stylist: lblID, or a stored ticket's own
  std::vector<GridLine> lines;  // grid rows from row 2
  QDateTime when;               // one clock reading for the header and its lines
  // A recalled ticket: the ticket as it was recalled; its store writes only
  // while the file still holds it so.
  std::optional<TicketSnapshot> recalled;
  bool training = false;  // a training ticket: no favourite counts it
};

// Fields and the values a store writes into them; a null value leaves the
// field Null.
using FieldValues = std::vector<std::pair<QString, QVariant>>;

// The header fields a store writes, besides the number (TO_Ord_ID, Inv):
//  - the amounts, except one reading "0.00" (the column default stays), and
//    for a recalled ticket all three, "0.00" included;
//  - for a new ticket the date and time (ISO), the stylist, "5" "Processing"
//    and Method "HS";
//  - the tender taken, each part apart: Receive what was received (handed
//    over less the change given back), szCard_amt what the card was charged
//    (the tip included) with its type in szType_Card, szCoupon_amt,
//    szGift_amt and szTip_amt, each only when it holds an amount. Without a
//    tender Receive keeps what it holds ("0", not paid, for a new ticket).
// Amounts are written "#,##0.00". Throws std::invalid_argument when the
// total of a ticket with a tender is not an amount.
FieldValues headerFields(const TicketToStore& ticket);

// The whole tax of a ticket, as its receipt prints it: tax 1 plus tax 2
// where the second tax is charged, "#,##0.00"; tax 1 as it stands otherwise
// (or when either is no amount).
QString wholeTax(const QString& tax1, const std::optional<QString>& tax2);

// An amount text below zero as the windows write it ("18.00" gives
// "-18.00"); a text that is no amount (an empty price) as it stands.
QString negatedAmount(const QString& amount);

// Makes the ticket a refund: its amounts and its lines' prices below zero, so
// that what a card return gave back comes off the day's sales.
void refundTicket(TicketToStore& ticket);

// Adds the header columns that ticket files made by earlier builds lack
// (szGift_amt, szTip_amt), so every file holds the whole tender. A file
// that has them is left as it is.
void upgradeTicketFile(db::Database& tickets);

// The fields of one line under `number`: the date, time and stylist of the
// ticket, Method "HS", and the grid's quantity, text and price, an empty
// cell left Null. The routing code is not stored.
FieldValues lineFields(const TicketToStore& ticket, const QString& number, const GridLine& line);

// A stored ticket's number that names no header: nothing was stored.
struct TicketNotFound : std::runtime_error {
  explicit TicketNotFound(const QString& number);
  QString number;
};

// A recalled ticket that another station stored or changed since it was
// recalled: nothing was stored, so that its change is not lost.
struct TicketChanged : std::runtime_error {
  explicit TicketChanged(const QString& number);
  QString number;
};

// The steps of a store, each inside the caller's transaction on `tickets`.
// SaveTicketHeader adds a new ticket's header and returns its number, or
// updates the header whose Inv is the ticket's number (throws TicketNotFound
// when none is). SaveTicketLines adds the lines under `number`;
// RewriteTicketLines first removes every line stored under it.
QString SaveTicketHeader(db::Database& tickets, const TicketToStore& ticket);
void SaveTicketLines(db::Database& tickets, const TicketToStore& ticket, const QString& number);
void RewriteTicketLines(db::Database& tickets, const TicketToStore& ticket, const QString& number);

// Stores the ticket in one write transaction on `tickets` and returns its
// number. A recalled ticket that carries its snapshot is first compared with
// the file inside that transaction (TicketChanged when they differ). Nothing
// is left of a store that throws (db::Error, TicketNotFound, TicketChanged).
QString storeTicket(db::Database& tickets, const TicketToStore& ticket);

// Whether a ticket could be stored in `tickets` now: the file gets the
// columns it lacks, then a header with every tender field and a line are
// written in a write transaction that is then rolled back, so the pages a
// store touches are read and written once. Throws db::Error as the store
// would (another station holding the file, a file that cannot be written or
// is damaged, a column that cannot be added); leaves the rows as they were.
void tryTicketStore(db::Database& tickets);

// A stored ticket read back for the recall, found by its number as a bound
// value and read afresh at each call from the ticket file's connection.
struct StoredHeader {
  QString subtotal, tax, total;  // SubTotal, Tax, Total as stored
  QString received;              // Receive; a Null reads "0", not paid
  QString cardType;              // szType_Card; empty unless paid by card
  QString cardAmount;            // szCard_amt; empty unless paid by card
  QString stylist;               // ID, the stylist it was rung up for
};
// The first header whose Inv is the number; nothing when none is.
std::optional<StoredHeader> storedHeader(db::Database& tickets, const QString& number);
// The lines stored under the number, in the order stored: quantity, item
// text and price (a Null reads as the empty text), no routing code.
std::vector<GridLine> storedLines(db::Database& tickets, const QString& number);
// The headers and lines stored under the number, every field as stored.
TicketSnapshot ticketSnapshot(db::Database& tickets, const QString& number);

// What the received box shows for a stored ticket that was paid (its Receive
// is not "0", or a card type or amount is stored), as when it was paid: the
// card type tagged "Card" for a card, otherwise what was received. Nothing
// for a ticket not paid.
struct StoredTender {
  QString text, tag;
};
std::optional<StoredTender> storedTender(const StoredHeader& header);

// One line taken off a stored ticket, as the removal dialog took it: the
// order type, the clerk who removed it, the line's item and price, why, the
// manager who approved, and when.
struct RemovalLogEntry {
  QString type, waiter, item, price, reason, manager;
  QDateTime when;
};
// Appends one row of tblRemv per entry, in one write transaction on
// `removals` (an empty text leaves its field Null); throws db::Error after
// rolling back. A trial (commit false) writes the rows and rolls them back:
// it tells whether they could be stored.
void appendRemovals(db::Database& removals, const std::vector<RemovalLogEntry>& entries, bool commit = true);

// The lines the favourites tally counts, so that each sale counts once: every
// item line of a new or added ticket; of a recalled ticket stored again only
// the item lines added after the recall (they carry a routing code). A "+"
// sub-line (an add-on, a percent off) is no dish, and a training ticket
// counts nothing.
std::vector<GridLine> talliedLines(const TicketToStore& ticket);

// Counts the lines in tbFav in one write transaction on `favourites`,
// reading each count from the file: a text gains the leading number of its
// line's quantity ("3" adds 3, "1/2" 1, "+" and "" nothing), a new one
// starting from nothing, an existing one from its count. Returns the last
// count written (empty when there was no line). Throws db::Error after
// rolling back.
QString tallyFavourites(db::Database& favourites, const std::vector<GridLine>& lines);

}  // namespace sales
