#include "platform/print/catalogue.h"

#include <cups/cups.h>

#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <memory>
#include <utility>

namespace print {

namespace {

// How long the scheduler may take to answer the connection. With none
// running the connection fails at once; a scheduler on a dead host would
// otherwise stall the window that asks.
constexpr int kConnectMs = 2000;

struct HttpCloser {
  void operator()(http_t* http) const { httpClose(http); }
};
using Connection = std::unique_ptr<http_t, HttpCloser>;

Connection connectToScheduler() {
  return Connection(
      httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectMs, nullptr));
}

// The destinations of one cupsGetDests2 call, freed when this goes.
class DestList {
 public:
  explicit DestList(http_t* http) { count_ = cupsGetDests2(http, &dests_); }
  ~DestList() { cupsFreeDests(count_, dests_); }
  DestList(const DestList&) = delete;
  DestList& operator=(const DestList&) = delete;
  int count() const { return count_; }
  const cups_dest_t& operator[](int i) const { return dests_[i]; }

 private:
  cups_dest_t* dests_ = nullptr;
  int count_ = 0;
};

class CupsSpooler : public Spooler {
 public:
  std::vector<Destination> destinations() override {
    std::vector<Destination> out;
    const Connection http = connectToScheduler();
    if (!http) return out;
    const DestList dests(http.get());
    for (int i = 0; i < dests.count(); ++i) {
      const cups_dest_t& d = dests[i];
      if (d.instance != nullptr) continue;  // saved option sets of a queue, not queues of their own
      const char* uri = cupsGetOption("device-uri", d.num_options, d.options);
      out.push_back(Destination{QString::fromUtf8(d.name), uri ? QString::fromUtf8(uri) : QString(),
                                d.is_default != 0});
    }
    return out;
  }

  std::optional<QPageLayout> defaultPage(const QString& queue) override {
    const QPrinterInfo info = QPrinterInfo::printerInfo(queue);
    if (info.isNull()) return std::nullopt;
    QPrinter printer(info);
    return printer.pageLayout();
  }

  bool submit(const QString& queue, const QString& title, const QByteArray& pdf) override {
    const Connection http = connectToScheduler();
    if (!http) return false;
    const QByteArray name = queue.toUtf8();
    const QByteArray jobTitle = title.toUtf8();
    const int job = cupsCreateJob(http.get(), name.constData(), jobTitle.constData(), 0, nullptr);
    if (job == 0) return false;
    bool ok = cupsStartDocument(http.get(), name.constData(), job, jobTitle.constData(), CUPS_FORMAT_PDF,
                                1) == HTTP_STATUS_CONTINUE;
    ok = ok && cupsWriteRequestData(http.get(), pdf.constData(), static_cast<size_t>(pdf.size())) ==
                   HTTP_STATUS_CONTINUE;
    ok = ok && ippJobTaken(cupsFinishDocument(http.get(), name.constData()));
    if (!ok) cupsCancelJob2(http.get(), name.constData(), job, 0);
    return ok;
  }
};

Spooler* g_installed = nullptr;

}  // namespace

bool ippJobTaken(int status) {
  return status >= IPP_STATUS_OK && status <= 0x00FF;
}

QString portFromUri(const QString& uri, int usbNumber) {
  static const QRegularExpression parallel(QStringLiteral(R"(^parallel:/dev/lp(\d+)$)"),
                                           QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression serial(QStringLiteral(R"(^serial:/dev/ttyS(\d+)(\?.*)?$)"),
                                         QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression network(QStringLiteral(R"(^(socket|lpd|ipp|ipps|http|https|smb)://(.*)$)"),
                                          QRegularExpression::CaseInsensitiveOption);
  if (const auto m = parallel.match(uri); m.hasMatch())
    return QStringLiteral("LPT%1:").arg(m.captured(1).toLongLong() + 1);
  if (const auto m = serial.match(uri); m.hasMatch())
    return QStringLiteral("COM%1:").arg(m.captured(1).toLongLong() + 1);
  if (uri.startsWith(QLatin1String("usb://"), Qt::CaseInsensitive))
    return QStringLiteral("USB%1").arg(usbNumber, 3, 10, QLatin1Char('0'));
  if (const auto m = network.match(uri); m.hasMatch()) return m.captured(2);
  return uri;
}

std::vector<PrinterInfo> catalogueOf(const std::vector<Destination>& destinations) {
  std::vector<PrinterInfo> out;
  int usb = 0;
  for (const Destination& d : destinations) {
    if (d.uri.startsWith(QLatin1String("usb://"), Qt::CaseInsensitive)) ++usb;
    out.push_back(PrinterInfo{d.name, portFromUri(d.uri, usb), d.uri, d.isDefault});
  }
  return out;
}

Spooler* setSpooler(Spooler* spooler) {
  return std::exchange(g_installed, spooler);
}

Spooler& spooler() {
  static CupsSpooler cups;
  return g_installed != nullptr ? *g_installed : cups;
}

std::vector<PrinterInfo> Printers() {
  return catalogueOf(spooler().destinations());
}

}  // namespace print
