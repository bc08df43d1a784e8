// The Access dialect of the windows' queries, turned into SQLite form in one
// place, and the value rules that the SQL functions of the database share.
#pragma once

#include <QString>
#include <cstdint>

#include "platform/convert/currency.h"

namespace db {

// Turns a query or criteria text written in the Access dialect into SQLite:
//  - #12/10/2026#  -> '2026-12-10'; #6:00 AM# -> '06:00:00';
//    #5/1/2024 6:30 PM# -> '2024-05-01 18:30:00' (month/day/year as Access
//    reads date literals); an unreadable literal throws Error
//  - [Field Name]  -> "Field Name" (a quoted name; "5" and "7_Price" too);
//    a bare word that begins with a digit and is no number (7_Price) is
//    quoted as well; a bare number (900) stays a number
//  - "text"        -> 'text' (Access double-quoted string literal)
//  - a & b & c     -> ACCESS_CONCAT(a, b, c): Access's text concatenation,
//    where Null counts as empty (see database.h); & binds less tightly than
//    arithmetic and more tightly than comparisons, as in Access
//  - tbl.900       -> tbl."900" (after "table." a number is a column name)
//  - -- comments and /* comments */ are copied as they stand
//  - True / False  -> 1 / 0 (Yes/No fields hold 1 and 0, see database.h)
//  - Sum(x)        -> AMTSUM(x): the amounts the texts stand for, added up
//    exactly in fixed point (see database.h)
// Texts inside quotes are left alone. Like patterns stay in Access form: the
// database's LIKE operator reads them (see database.h).
QString translateAccessSql(const QString& sql);

// A name quoted for SQLite ("900" -> "\"900\""), for SQL this layer builds.
QString quoteIdentifier(const QString& name);

// Reads an Access date/time literal body ("12/10/2026", "6:00 AM",
// "2026-12-10", "5/1/24 18:30") into ISO form: "YYYY-MM-DD", "HH:MM:SS" or
// "YYYY-MM-DD HH:MM:SS". Returns false for a text that is none of these.
bool isoFromAccessDate(const QString& text, QString* iso);

// An amount text read the way the windows read it: a well-formed amount as
// rt::CDbl reads it ("1,234.50" -> 1234.5, "$5.00" -> 5, "($5.00)" -> -5),
// any other text by its leading number as rt::Val reads it once thousands
// separators and "$" are dropped ("2.5x" -> 2.5, "" -> 0, "abc" -> 0).
double amountValue(const QString& text);

// The same amount as money with four decimals, read exactly: a well-formed
// amount as the decimal it shows ("0.10" is one tenth), any other text as
// amountValue reads it, rounded to four places. Throws rt::ConversionError
// (Overflow) beyond the range of money.
rt::Currency amountCurrency(const QString& text);

// The usual amount texts read straight from their UTF-8 bytes, without
// allocating: blanks, a sign, "$", thousands separators, up to four decimals
// and fourteen integer digits. Gives the value in ten-thousandths and true;
// false for any other text, which amountCurrency then reads. Both readings
// agree on every text this one takes.
bool quickAmount(const char* utf8, int size, std::int64_t* raw);

}  // namespace db
