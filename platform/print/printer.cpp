#include "platform/print/printer.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QDateTime>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/files/descriptor.h"
#include "platform/files/paths.h"
#include "platform/forms/msgbox.h"
#include "platform/forms/screen.h"

namespace print {

namespace {

std::optional<PrinterInfo> g_current;
bool g_decided = false;
Backend* g_backend = nullptr;

// The installed family the window runtime's font mapping gives a font.
QFont qtFont(const Font& f) {
  forms::FontInfo info;
  info.name = f.name;
  info.size = f.size;
  info.bold = f.bold;
  info.underline = f.underline;
  return forms::toQFont(info);
}

void mapFont(Font& f) {
  f.mappedFamily = QFontInfo(qtFont(f)).family();
}

}  // namespace

// ---- the current printer

std::optional<PrinterInfo> startPrinter(const std::vector<PrinterInfo>& catalogue) {
  for (const PrinterInfo& p : catalogue)
    if (p.isDefault) return p;
  if (!catalogue.empty()) return catalogue.front();
  return std::nullopt;
}

std::optional<PrinterInfo> CurrentPrinter() {
  if (!g_decided) {
    g_current = startPrinter(Printers());
    g_decided = true;
  }
  return g_current;
}

void SetCurrentPrinter(const PrinterInfo& printer) {
  g_current = printer;
  g_decided = true;
}

void ResetCurrentPrinter() {
  g_current.reset();
  g_decided = false;
}

// ---- the printer object

PrinterObject::PrinterObject() {
  font_.name = QStringLiteral("Arial");
  font_.size = 10;
}

void PrinterObject::setFontName(const QString& name) {
  font_.name = name;
}

void PrinterObject::setFontSize(double points) {
  if (points > 0) font_.size = points;
}

void PrinterObject::Print(const QString& text, bool endLine) {
  if (!lineOpen_ && (!text.isEmpty() || endLine)) {
    doc_.lines.emplace_back();
    lineOpen_ = true;
  }
  if (!text.isEmpty()) {
    Run run{text, font_, color_};
    mapFont(run.font);
    doc_.lines.back().runs.push_back(std::move(run));
  }
  if (endLine && lineOpen_) {
    Font f = font_;
    mapFont(f);
    doc_.lines.back().font = f;
    lineOpen_ = false;
  }
}

Handover PrinterObject::EndDoc() {
  if (lineOpen_) {
    Font f = font_;
    mapFont(f);
    doc_.lines.back().font = f;
    lineOpen_ = false;
  }
  Document done = std::exchange(doc_, Document{});
  if (done.lines.empty()) return {};
  done.title = forms::AppTitle();
  try {
    const std::optional<PrinterInfo> printer = CurrentPrinter();
    return g_backend != nullptr ? g_backend->deliver(done, printer) : deliverOnStation(done, printer);
  } catch (const std::exception& e) {
    Handover failed;
    failed.failure = QString::fromUtf8(e.what());
    return failed;
  }
}

PrinterObject& Printer() {
  static PrinterObject printer;
  return printer;
}

// ---- back-ends

Backend* setBackend(Backend* backend) {
  return std::exchange(g_backend, backend);
}

Recorder::Recorder() : previous_(setBackend(this)) {}

Recorder::~Recorder() {
  setBackend(previous_);
}

Handover Recorder::deliver(const Document& document, const std::optional<PrinterInfo>& printer) {
  documents_.push_back(Record{document, printer});
  Handover h;
  h.queue = printer ? printer->deviceName : QString();
  return h;
}

std::vector<QString> Recorder::texts(const Document& document) {
  std::vector<QString> out;
  for (const Line& line : document.lines) {
    QString text;
    for (const Run& run : line.runs) text += run.text;
    out.push_back(text);
  }
  return out;
}

QPageLayout localePage() {
  const QPageSize paper(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ||
                                QLocale::system().measurementSystem() == QLocale::ImperialSystem
                            ? QPageSize::Letter
                            : QPageSize::A4);
  return QPageLayout(paper, QPageLayout::Portrait, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

QByteArray renderPdf(const Document& document, const QPageLayout& page) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageLayout(page);
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("Trivela"));
    QPainter painter(&writer);
    const QRectF area(0, 0, writer.width(), writer.height());
    painter.setClipRect(area);  // lines longer than the page are cut, not wrapped
    double y = 0;
    for (const Line& line : document.lines) {
      // The line is as high as its tallest run; an empty line takes the
      // height of the font it ended in.
      double height = 0, ascent = 0;
      auto measure = [&](const Font& f) {
        const QFontMetricsF m(qtFont(f), &writer);
        height = std::max(height, m.lineSpacing());
        ascent = std::max(ascent, m.ascent());
      };
      if (line.runs.empty()) measure(line.font);
      for (const Run& run : line.runs) measure(run.font);
      if (y > 0 && y + height > area.height()) {
        writer.newPage();
        y = 0;
      }
      double x = 0;
      for (const Run& run : line.runs) {
        const QFont f(qtFont(run.font), &writer);
        painter.setFont(f);
        painter.setPen(forms::toQColor(run.color));
        painter.drawText(QPointF(x, y + ascent), run.text);
        x += QFontMetricsF(f, &writer).horizontalAdvance(run.text);
      }
      y += height;
    }
  }
  return buffer.data();
}

std::optional<std::string> writePrintout(const QByteArray& pdf, QString* failure) {
  const std::string folder = files::localPath(std::string(files::kInstallFolder) + "Printouts\\");
  const auto failWith = [&](const std::string& why) -> std::optional<std::string> {
    if (failure)
      *failure = QStringLiteral("no PDF file could be written in %1 (%2)")
                     .arg(QString::fromStdString(folder), QString::fromLocal8Bit(why.c_str()));
    return std::nullopt;
  };
  const auto fail = [&](int error) { return failWith(std::strerror(error)); };
  std::string why;
  if (!files::makeDirs(folder, &why)) return failWith(why);
  const std::string stamp =
      QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")).toStdString();
  for (int n = 1; n < 10000; ++n) {
    const std::string path = folder + stamp + "-" + std::to_string(n) + ".pdf";
    files::Descriptor fd(files::createExclusive(path, 0644));
    if (!fd.valid()) {
      if (errno == EEXIST) continue;  // another document of this second has it
      return fail(errno);
    }
    const bool ok = files::writeAll(fd.get(), pdf.constData(), static_cast<size_t>(pdf.size()));
    const int writeError = errno;
    if (fd.close() != 0 || !ok) {
      const int error = ok ? errno : writeError;
      ::unlink(path.c_str());
      return fail(error);
    }
    return path;
  }
  return fail(EEXIST);
}

Handover deliverOnStation(const Document& document, const std::optional<PrinterInfo>& printer) {
  std::optional<QString> queue;
  if (printer) {
    const std::vector<PrinterInfo> catalogue = Printers();
    const bool listed = std::any_of(catalogue.begin(), catalogue.end(), [&](const PrinterInfo& p) {
      return p.deviceName == printer->deviceName;
    });
    if (listed) {
      queue = printer->deviceName;
    } else {
      for (const PrinterInfo& p : catalogue)
        if (p.isDefault) queue = p.deviceName;
    }
  }
  Handover done;
  const auto toFile = [&done](const QByteArray& pdf) {
    if (const std::optional<std::string> file = writePrintout(pdf, &done.failure))
      done.file = QString::fromStdString(*file);
  };
  if (queue) {
    const QByteArray pdf = renderPdf(document, spooler().defaultPage(*queue).value_or(localePage()));
    if (spooler().submit(*queue, document.title, pdf)) {
      done.queue = *queue;
      return done;
    }
    toFile(pdf);
    return done;
  }
  toFile(renderPdf(document, localePage()));
  return done;
}

}  // namespace print
