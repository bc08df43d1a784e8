#include "sales/storage.h"

#include <memory>

#include "platform/convert/datetext.h"
#include "platform/convert/format.h"
#include "platform/convert/number.h"
#include "platform/db/recordset.h"
#include "sales/totals.h"

namespace sales {

namespace {

const QString kNoAmount = QStringLiteral("0.00");
const QString kMethod = QStringLiteral("HS");

// An empty text is stored as Null.
QVariant textOrNull(const QString& text) {
  return text.isEmpty() ? QVariant() : QVariant(text);
}

void setFields(db::Recordset& rs, const FieldValues& fields) {
  for (const auto& [name, value] : fields) rs.setField(name, value);
}

const QString kMoney = QStringLiteral("#,##0.00");

QString money(rt::Currency amount) {
  return rt::Format(amount, kMoney);
}

// The header columns that hold the tender apart, beyond those of the first
// ticket files.
const char* const kAddedColumns[] = {"szGift_amt", "szTip_amt"};

}  // namespace

StoreKind storeKind(const QString& ticketState) {
  if (ticketState == QLatin1String("DidRecall")) return StoreKind::Recalled;
  if (ticketState == QLatin1String("OldNum")) return StoreKind::Added;
  return StoreKind::New;
}

FieldValues headerFields(const TicketToStore& ticket) {
  FieldValues f;
  const bool allAmounts = ticket.kind == StoreKind::Recalled;
  const std::pair<const char*, const QString*> amounts[] = {
      {"SubTotal", &ticket.subtotal}, {"Tax", &ticket.tax}, {"Total", &ticket.total}};
  for (const auto& [field, text] : amounts)
    if (allAmounts || *text != kNoAmount) f.emplace_back(QString::fromLatin1(field), *text);

  const bool isNew = ticket.kind == StoreKind::New;
  if (isNew) {
    f.emplace_back(QStringLiteral("Time"), rt::IsoTime(ticket.when.time()));
    f.emplace_back(QStringLiteral("Date"), rt::IsoDate(ticket.when.date()));
    f.emplace_back(QStringLiteral("ID"), textOrNull(ticket.stylist));
    f.emplace_back(QStringLiteral("5"), QStringLiteral("Processing"));
    f.emplace_back(QStringLiteral("Method"), kMethod);
  }
  if (!ticket.tender) return f;
  const TenderResult& t = *ticket.tender;
  const std::optional<rt::Currency> due = rt::TryAmount(ticket.total);
  if (!due) throw std::invalid_argument("the ticket's total is not an amount");
  f.emplace_back(QStringLiteral("Receive"), money(receivedOf(t, *due)));
  if (t.byCard) {
    f.emplace_back(QStringLiteral("Method"), kMethod);
    f.emplace_back(QStringLiteral("szCard_amt"), money(t.card));
    f.emplace_back(QStringLiteral("szType_Card"), textOrNull(t.cardType));
  }
  const std::pair<const char*, rt::Currency> parts[] = {
      {"szCoupon_amt", t.coupon}, {"szGift_amt", t.gift}, {"szTip_amt", t.tip}};
  for (const auto& [field, amount] : parts)
    if (amount != rt::Currency()) f.emplace_back(QString::fromLatin1(field), money(amount));
  return f;
}

QString wholeTax(const QString& tax1, const std::optional<QString>& tax2) {
  if (!tax2) return tax1;
  const std::optional<rt::Currency> first = rt::TryAmount(tax1);
  const std::optional<rt::Currency> second = rt::TryAmount(*tax2);
  if (!first || !second) return tax1;
  return money(*first + *second);
}

QString negatedAmount(const QString& amount) {
  const std::optional<rt::Currency> value = rt::TryAmount(amount);
  return value ? money(rt::Currency() - *value) : amount;
}

void refundTicket(TicketToStore& ticket) {
  for (QString* amount : {&ticket.subtotal, &ticket.tax, &ticket.total}) *amount = negatedAmount(*amount);
  for (GridLine& line : ticket.lines) line.price = negatedAmount(line.price);
}

void upgradeTicketFile(db::Database& tickets) {
  const QStringList have =
      tickets.openRecordset(QStringLiteral("SELECT * FROM tblDy_Order WHERE 0"))->fieldNames();
  for (const char* column : kAddedColumns) {
    const QString name = QString::fromLatin1(column);
    if (have.contains(name, Qt::CaseInsensitive)) continue;
    tickets.execute(
        QStringLiteral("ALTER TABLE tblDy_Order ADD COLUMN \"%1\" TEXT COLLATE NOCASE").arg(name));
  }
}

FieldValues lineFields(const TicketToStore& ticket, const QString& number, const GridLine& line) {
  return {{QStringLiteral("Invoice"), number},
          {QStringLiteral("Date"), rt::IsoDate(ticket.when.date())},
          {QStringLiteral("Time"), rt::IsoTime(ticket.when.time())},
          {QStringLiteral("ID"), textOrNull(ticket.stylist)},
          {QStringLiteral("Method"), kMethod},
          {QStringLiteral("Qty"), textOrNull(line.qty)},
          {QStringLiteral("szOrder"), textOrNull(line.text)},
          {QStringLiteral("Price"), textOrNull(line.price)}};
}

TicketNotFound::TicketNotFound(const QString& n)
    : std::runtime_error("no ticket header carries this number"), number(n) {}

TicketChanged::TicketChanged(const QString& n)
    : std::runtime_error("the ticket was changed since it was recalled"), number(n) {}

QString SaveTicketHeader(db::Database& tickets, const TicketToStore& ticket) {
  if (ticket.kind == StoreKind::New) {
    // A source that reads no row: the new header is all it needs.
    const std::unique_ptr<db::Recordset> rs =
        tickets.openRecordset(QStringLiteral("SELECT * FROM tblDy_Order WHERE TO_Ord_ID = ?"), {-1});
    rs->addNew();
    const QString number = rs->field(QStringLiteral("TO_Ord_ID")).toString();
    rs->setField(QStringLiteral("Inv"), number);
    setFields(*rs, headerFields(ticket));
    rs->update();
    return number;
  }
  const std::unique_ptr<db::Recordset> rs =
      tickets.openRecordset(QStringLiteral("SELECT * FROM tblDy_Order WHERE Inv = ?"), {ticket.number});
  if (rs->recordCount() == 0) throw TicketNotFound(ticket.number);
  rs->edit();
  setFields(*rs, headerFields(ticket));
  rs->update();
  return ticket.number;
}

void SaveTicketLines(db::Database& tickets, const TicketToStore& ticket, const QString& number) {
  for (const GridLine& line : ticket.lines) {
    db::Params values;
    for (const auto& field : lineFields(ticket, number, line)) values << field.second;
    tickets.execute(
        QStringLiteral("INSERT INTO tblDetail (Invoice, [Date], [Time], ID, Method, Qty, szOrder, "
                       "Price) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
        values);
  }
}

void RewriteTicketLines(db::Database& tickets, const TicketToStore& ticket, const QString& number) {
  tickets.execute(QStringLiteral("DELETE FROM tblDetail WHERE Invoice = ?"), {number});
  SaveTicketLines(tickets, ticket, number);
}

QString storeTicket(db::Database& tickets, const TicketToStore& ticket) {
  // Inside a transaction of someone else's the ticket would be committed
  // only with it: refused rather than left to that one's fate.
  if (tickets.inTransaction())
    throw db::Error(
        QStringLiteral("Cannot save to %1: a transaction is already open on it.").arg(tickets.path()));
  db::Transaction transaction = tickets.transaction();
  // Read under the write lock: no other station can store the ticket between
  // this look and the rewrite.
  if (ticket.kind == StoreKind::Recalled && ticket.recalled &&
      ticketSnapshot(tickets, ticket.number) != *ticket.recalled)
    throw TicketChanged(ticket.number);
  const QString number = SaveTicketHeader(tickets, ticket);
  if (ticket.kind == StoreKind::Recalled)
    RewriteTicketLines(tickets, ticket, number);
  else
    SaveTicketLines(tickets, ticket, number);
  transaction.commit();
  return number;
}

void tryTicketStore(db::Database& tickets) {
  if (tickets.inTransaction())
    throw db::Error(
        QStringLiteral("Cannot save to %1: a transaction is already open on it.").arg(tickets.path()));
  upgradeTicketFile(tickets);
  db::Transaction transaction = tickets.transaction();
  tickets.execute(QStringLiteral(
      "INSERT INTO tblDy_Order (Inv, Receive, szCard_amt, szType_Card, szCoupon_amt, szGift_amt, "
      "szTip_amt) VALUES (NULL, NULL, NULL, NULL, NULL, NULL, NULL)"));
  tickets.execute(QStringLiteral("INSERT INTO tblDetail (Invoice) VALUES (NULL)"));
  // Not committed: the guard rolls both rows back.
}

namespace {

QString textOf(const db::Recordset& rs, const char* field) {
  const QVariant v = rs.field(QString::fromLatin1(field));
  return v.isNull() ? QString() : v.toString();
}

}  // namespace

std::optional<StoredHeader> storedHeader(db::Database& tickets, const QString& number) {
  const std::unique_ptr<db::Recordset> rs =
      tickets.openRecordset(QStringLiteral("SELECT * FROM tblDy_Order WHERE Inv = ?"), {number});
  if (rs->recordCount() == 0) return std::nullopt;
  StoredHeader h{textOf(*rs, "SubTotal"), textOf(*rs, "Tax"),         textOf(*rs, "Total"),
                 textOf(*rs, "Receive"),  textOf(*rs, "szType_Card"), textOf(*rs, "szCard_amt"),
                 textOf(*rs, "ID")};
  if (rs->field(QStringLiteral("Receive")).isNull()) h.received = QStringLiteral("0");
  return h;
}

std::vector<GridLine> storedLines(db::Database& tickets, const QString& number) {
  const std::unique_ptr<db::Recordset> rs =
      tickets.openRecordset(QStringLiteral("SELECT * FROM tblDetail WHERE Invoice = ?"), {number});
  std::vector<GridLine> lines;
  for (int i = 0; i < rs->recordCount(); ++i) {
    rs->setAbsolutePosition(i);
    lines.push_back({textOf(*rs, "Qty"), textOf(*rs, "szOrder"), textOf(*rs, "Price"), QString()});
  }
  return lines;
}

namespace {

std::vector<QVariantList> rowsOf(db::Database& tickets, const QString& sql, const QString& number) {
  const std::unique_ptr<db::Recordset> rs = tickets.openRecordset(sql, {number});
  const int columns = int(rs->fieldNames().size());
  std::vector<QVariantList> rows;
  for (int i = 0; i < rs->recordCount(); ++i) {
    QVariantList row;
    for (int c = 0; c < columns; ++c) row << rs->valueAt(i, c);
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

TicketSnapshot ticketSnapshot(db::Database& tickets, const QString& number) {
  return {rowsOf(tickets, QStringLiteral("SELECT * FROM tblDy_Order WHERE Inv = ?"), number),
          rowsOf(tickets, QStringLiteral("SELECT * FROM tblDetail WHERE Invoice = ?"), number)};
}

std::optional<StoredTender> storedTender(const StoredHeader& header) {
  if (!header.cardType.isEmpty() || !header.cardAmount.isEmpty())
    return StoredTender{header.cardType, QStringLiteral("Card")};
  if (header.received == QLatin1String("0")) return std::nullopt;
  return StoredTender{header.received, QString()};
}

void appendRemovals(db::Database& removals, const std::vector<RemovalLogEntry>& entries, bool commit) {
  if (entries.empty()) return;
  db::Transaction transaction = removals.transaction();
  for (const RemovalLogEntry& e : entries) {
    removals.execute(
        QStringLiteral(
            "INSERT INTO tblRemv (szType_out, szWaiter_out, szItems_out, szPrice_Out, szReason_out, "
            "szManager_out, szDate_out, szTime_out) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
        {textOrNull(e.type), textOrNull(e.waiter), textOrNull(e.item), textOrNull(e.price),
         textOrNull(e.reason), textOrNull(e.manager), rt::IsoDate(e.when.date()),
         rt::IsoTime(e.when.time())});
  }
  if (commit) transaction.commit();
}

std::vector<GridLine> talliedLines(const TicketToStore& ticket) {
  std::vector<GridLine> dishes;
  // Nothing is sold on a training ticket or on a refund.
  if (ticket.training || (ticket.tender && ticket.tender->refund)) return dishes;
  for (const GridLine& line : ticket.lines) {
    if (line.qty == QLatin1String("+")) continue;
    if (ticket.kind == StoreKind::Recalled && line.code.isEmpty()) continue;
    dishes.push_back(line);
  }
  return dishes;
}

QString tallyFavourites(db::Database& favourites, const std::vector<GridLine>& lines) {
  if (lines.empty()) return QString();
  db::Transaction transaction = favourites.transaction();
  QString last;
  for (const GridLine& line : lines) {
    const std::unique_ptr<db::Recordset> rs =
        favourites.openRecordset(QStringLiteral("SELECT * FROM tbFav WHERE szMenu_id = ?"), {line.text});
    // A text met for the first time starts at its quantity, as a known one
    // grows by it.
    double stored = 0;
    if (rs->recordCount() > 0) {
      stored = rt::Val(rs->field(QStringLiteral("szNum_nm")).toString());
      rs->edit();
    } else {
      rs->addNew();
      rs->setField(QStringLiteral("szMenu_id"), line.text);
    }
    last = rt::CStr(stored + rt::Val(line.qty));
    rs->setField(QStringLiteral("szNum_nm"), last);
    rs->update();
  }
  transaction.commit();
  return last;
}

}  // namespace sales
