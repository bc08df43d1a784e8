// The printer dialog in its set-up form: the clerk picks a printer and its
// page settings. The program reads nothing back from it.
#pragma once

#include <QString>
#include <functional>

namespace print {

// Shows the dialog with the given title; true when it was accepted. Returns
// after it closes.
bool ShowPrinterDialog(const QString& title);

// Tests answer the dialog instead of a clerk: the handler gets the title and
// returns the answer. Installing returns the handler installed before (an
// empty one: the real dialog).
using PrinterDialogHandler = std::function<bool(const QString& title)>;
PrinterDialogHandler setPrinterDialogHandler(PrinterDialogHandler handler);

}  // namespace print
