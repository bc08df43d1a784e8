// The sales report's spreadsheet export as plain functions: the listing's
// tickets into a sheet, and the sheet's formats.
#pragma once

#include <QVariant>

#include "platform/db/recordset.h"
#include "platform/sheet/sheet.h"

namespace reports {

// The value a ticket's field takes in its column of the sheet, as the
// spreadsheet reads what it is given: A (Inv) a number when it reads as one;
// C (Date) a date and D (Time) a time when they read as such; E (Tax), F
// (Total) and H (Receive) numbers by the money reading ("1,234.50" is
// 1234.5); a text that does not read stays a text. A field without a value
// leaves the cell empty (an invalid QVariant), and so does a Receive of "0".
QVariant exportCell(int column, const QVariant& field);

struct ExportResult {
  int written = 0;  // tickets written
  int leftOut = 0;  // tickets beyond the sheet's last row
};

// Writes the headings into row 1 and one row per ticket of the listing into
// rows 2 on, from the listing's first row whatever its current row, which it
// leaves where it was (no listing: the headings alone). Tickets that do not
// fit up to lastRow are counted, not written.
ExportResult writeSalesSheet(sheet::Worksheet& ws, const db::Recordset* listing,
                             int lastRow = sheet::kMaxRows);

// The column formats (C a date, D a time, E, F and H money), the heading row
// bold, A:H fitted to their contents and A1 selected, as the export leaves
// the application's active sheet.
void formatSalesSheet(sheet::Application& app);

}  // namespace reports
