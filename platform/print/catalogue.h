// The printer catalogue: the print system's queues, each with the port the
// windows know it by.
//
// The catalogue is asked afresh at each use (a printer added or removed
// meanwhile shows at once). It comes from the spooler, CUPS unless a test
// installs another; with no scheduler running it is empty at once.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <optional>
#include <vector>

namespace print {

// One queue as the print system reports it.
struct Destination {
  QString name;  // the queue name
  QString uri;   // its device URI ("usb://Maker/Model?serial=1", "socket://10.0.0.5:9100")
  bool isDefault = false;
};

// One printer of the catalogue, as the windows see it: its device name and
// the port that name stands on.
struct PrinterInfo {
  QString deviceName;  // the queue name
  QString port;        // "LPT1:", "COM2:", "USB001", "10.0.0.5:9100", ... (see portFromUri)
  QString uri;
  bool isDefault = false;
  bool operator==(const PrinterInfo& o) const {
    return deviceName == o.deviceName && port == o.port && uri == o.uri && isDefault == o.isDefault;
  }
};

// The port of a device URI:
//   parallel:/dev/lpN          -> "LPT{N+1}:"
//   serial:/dev/ttySN[?opts]   -> "COM{N+1}:"
//   usb://...                  -> "USB001", "USB002", ...: usbNumber is the
//                                 queue's place among the USB queues (from 1)
//   socket, lpd, ipp, ipps, http, https, smb -> the address: the URI without
//                                 its scheme and "//" ("10.0.0.5:9100")
//   anything else              -> the URI unchanged
QString portFromUri(const QString& uri, int usbNumber);

// Whether an IPP status code that ends a job's document says the job was
// taken: every code of the "successful" class (0x0000-0x00FF), such as
// "ok-ignored-or-substituted-attributes", not only "ok".
bool ippJobTaken(int status);

// The catalogue of a list of destinations, in their order, USB queues
// numbered in that order.
std::vector<PrinterInfo> catalogueOf(const std::vector<Destination>& destinations);

// The print system. Tests install their own.
class Spooler {
 public:
  virtual ~Spooler() = default;
  // Every queue in the print system's order; empty when it cannot be reached.
  virtual std::vector<Destination> destinations() = 0;
  // The page and margins a queue prints on by default, when known.
  virtual std::optional<QPageLayout> defaultPage(const QString& queue) = 0;
  // Hands a PDF document to a queue; false when the print system refuses it.
  virtual bool submit(const QString& queue, const QString& title, const QByteArray& pdf) = 0;
};

// The spooler of the program: CUPS unless one is installed. Installing
// returns the one installed before (nullptr: CUPS).
Spooler* setSpooler(Spooler* spooler);
Spooler& spooler();

// The catalogue now.
std::vector<PrinterInfo> Printers();

}  // namespace print
