#pragma once

// Number formats as the windows write their amounts: "#,##0.00", "###0.00",
// "###,###,##0.00", "$#,##0.00", "0.00", "0", and the named formats
// "General Number", "Currency", "Fixed" and "Standard".

#include <QString>

#include "platform/convert/currency.h"

namespace rt {

// Format grammar: `0` a digit always shown, `#` a digit shown when
// significant, `.` the decimal point, `,` between integer placeholders turns
// on thousands separators (grouping continues for any number of digits),
// `\c` and "quoted text" literals; every other character is a literal.
// Up to three sections "positive;negative;zero"; without a negative section
// a negative prints with a leading "-" ("-1,234.50", "-$5.00").
// Rounding is half away from zero on the decimal value (a double is taken at
// its 15 significant digits, so 2.50 * 0.05 gives "0.13"), and a negative
// that rounds to zero prints as zero ("0.00", never "-0.00").
// An empty format or "General Number" gives CStr. A double that is infinite
// or NaN throws ConversionError(Overflow).
QString Format(double value, const QString& format);
QString Format(Currency value, const QString& format);
// Text that reads as a number (CDbl rules) is formatted as that number, read
// exactly; any other text, the empty text included, comes back unchanged:
// Format("VISA", "#,##0.00") is "VISA", Format("2.5", "$#,##0.00") "$2.50".
QString Format(const QString& text, const QString& format);

}  // namespace rt
