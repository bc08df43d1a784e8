#include "reports/salesexport.h"

#include "platform/convert/datetext.h"
#include "platform/convert/number.h"

namespace reports {

namespace {

// The heading and the field of columns A to H.
struct SheetColumn {
  const char* heading;
  const char* field;
};
constexpr SheetColumn kColumns[] = {
    {"Invoice", "Inv"}, {"Employees", "ID"},     {"Date", "Date"},   {"Time", "Time"},
    {"Tax", "Tax"},     {"Sale Price", "Total"}, {"From", "Method"}, {"Received", "Receive"},
};

const QString kMoneyFormat = QStringLiteral("$#,##0.00_);($#,##0.00)");

QVariant numberOr(const QString& text) {
  const std::optional<double> number = rt::TryCDbl(text);
  return number ? QVariant(*number) : QVariant(text);
}

}  // namespace

QVariant exportCell(int column, const QVariant& field) {
  if (field.isNull()) return QVariant();
  const QString text = field.toString();
  switch (column) {
    case 3: {
      const std::optional<QDate> date = rt::ParseDate(text);
      return date ? QVariant(*date) : QVariant(text);
    }
    case 4: {
      const std::optional<QTime> time = rt::ParseTime(text);
      return time ? QVariant(*time) : QVariant(text);
    }
    case 8:
      if (text == QLatin1String("0")) return QVariant();
      return numberOr(text);
    case 1:
    case 5:
    case 6:
      return numberOr(text);
    default:
      return QVariant(text);
  }
}

ExportResult writeSalesSheet(sheet::Worksheet& ws, const db::Recordset* listing, int lastRow) {
  for (int c = 1; c <= 8; ++c) ws.Cells(1, c).setValue(QString::fromLatin1(kColumns[c - 1].heading));
  ExportResult result;
  if (!listing) return result;
  int fields[8];
  const QStringList names = listing->fieldNames();
  for (int c = 0; c < 8; ++c) {
    fields[c] = -1;
    for (int i = 0; i < names.size(); ++i)
      if (names[i].compare(QLatin1String(kColumns[c].field), Qt::CaseInsensitive) == 0) fields[c] = i;
  }
  const int tickets = listing->recordCount();
  for (int t = 0; t < tickets; ++t) {
    const int row = t + 2;
    if (row > lastRow) {
      result.leftOut = tickets - t;
      break;
    }
    for (int c = 0; c < 8; ++c) {
      if (fields[c] < 0) continue;
      const QVariant value = exportCell(c + 1, listing->valueAt(t, fields[c]));
      if (value.isValid()) ws.Cells(row, c + 1).setValue(value);
    }
    ++result.written;
  }
  return result;
}

void formatSalesSheet(sheet::Application& app) {
  const std::pair<const char*, QString> formats[] = {{"C", QStringLiteral("m/d/yyyy_);(m/d/yyyy)")},
                                                     {"D", QStringLiteral("h:mm AM/PM")},
                                                     {"E", kMoneyFormat},
                                                     {"F", kMoneyFormat},
                                                     {"H", kMoneyFormat}};
  for (const auto& [column, format] : formats) {
    app.ActiveSheet().Columns(QString::fromLatin1(column)).Select();
    app.Selection().setNumberFormat(format);
  }
  app.Range(QStringLiteral("A1:H1")).Select();
  app.Selection().Font().setBold(true);
  app.ActiveSheet().Columns(QStringLiteral("A:H")).AutoFit();
  app.Range(QStringLiteral("A1")).Select();
}

}  // namespace reports
