#include "tender/receiptprinter.h"

#include "platform/convert/text.h"
#include "platform/print/printer.h"
#include "shell/frmSetPtr.h"
#include "shell/steps.h"

namespace tender {

QString receiptPortKey(const ReceiptPrinterSetting& setting) {
  return setting.port == QLatin1String("Network") ? setting.networkPort : setting.port;
}

bool isReceiptPrinter(const print::PrinterInfo& printer, const ReceiptPrinterSetting& setting) {
  return printer.port == receiptPortKey(setting) ||
         rt::Like(printer.deviceName, setting.typePattern, Qt::CaseSensitive);
}

std::optional<print::PrinterInfo> findReceiptPrinter(const std::vector<print::PrinterInfo>& catalogue,
                                                     const std::function<ReceiptPrinterSetting()>& read) {
  for (const print::PrinterInfo& printer : catalogue) {
    bool fits = false;
    shell::runStep([&] { fits = isReceiptPrinter(printer, read()); });
    if (fits) return printer;
  }
  return std::nullopt;
}

ReceiptPrinterSetting currentReceiptPrinterSetting() {
  shell::frmSetPtr& w = shell::SetPtr();
  return {w.Cmb1.Text(), w.txtPtr1.Text(), w.cmbType.Text()};
}

void SelectReceiptPrinter() {
  shell::runStep([] {
    if (const std::optional<print::PrinterInfo> printer =
            findReceiptPrinter(print::Printers(), currentReceiptPrinterSetting))
      print::SetCurrentPrinter(*printer);
  });
}

}  // namespace tender
