#include "platform/print/dialog.h"

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <utility>

namespace print {

namespace {
PrinterDialogHandler g_handler;
}

PrinterDialogHandler setPrinterDialogHandler(PrinterDialogHandler handler) {
  return std::exchange(g_handler, std::move(handler));
}

bool ShowPrinterDialog(const QString& title) {
  if (g_handler) return g_handler(title);
  QPrinter printer;
  QPrintDialog dialog(&printer);
  dialog.setWindowTitle(title);
  // The set-up form: the printer and its properties, no pages or copies.
  dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
  if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
    if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace print
