// The receipt printer: the printer settings name it by its port (or, for
// "Network", by the network port name) or by a device-name pattern, and the
// first installed printer that fits becomes the program's current printer.
// The card receipt and the printed shift summary choose it this way; the
// customer receipt prints on whatever is current.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "platform/print/catalogue.h"

namespace tender {

// The receipt printer's boxes of the printer window, as they stand.
struct ReceiptPrinterSetting {
  QString port;         // Cmb1: "LPT1:", "USB001", ..., "Network", "None" or empty
  QString networkPort;  // txtPtr1: the network port name used when port is "Network"
  QString typePattern;  // cmbType: a device-name pattern ("*", "?", "#", "[a-c]", "[!x]")
};

// The port a printer must stand on: the network port name when the port box
// reads exactly "Network", else the port box's text.
QString receiptPortKey(const ReceiptPrinterSetting& setting);

// True when the printer is the receipt printer: its port equals the port key
// exactly, or its whole device name matches the pattern, case-sensitively.
// An empty pattern matches only an empty device name.
bool isReceiptPrinter(const print::PrinterInfo& printer, const ReceiptPrinterSetting& setting);

// The first printer of the catalogue, in its order, that is the receipt
// printer; the settings are read afresh for each printer looked at. A read
// that fails passes over that printer. Nothing when no printer fits.
std::optional<print::PrinterInfo> findReceiptPrinter(const std::vector<print::PrinterInfo>& catalogue,
                                                     const std::function<ReceiptPrinterSetting()>& read);

// The printer window's receipt-printer boxes now (reading them loads the
// window when it is not loaded; it then shows inside the main window).
ReceiptPrinterSetting currentReceiptPrinterSetting();

// Makes the receipt printer of the printer settings the program's current
// printer, for all later printing. When no installed printer fits, the
// current printer stays as it was. Silent.
void SelectReceiptPrinter();

}  // namespace tender
