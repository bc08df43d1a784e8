// The program's printer: one current printer for the whole program, and the
// line documents the receipts and reports print on it.
//
//   print::Printer().setFontName("courier new");
//   print::Printer().setFontSize(10);
//   print::Printer().Print("Date ", false);      // no line end: the line goes on
//   print::Printer().Print("Time 10:15");        // ends the line
//   print::Printer().Print("");                  // an empty line
//   print::Printer().EndDoc();                   // hands the document over
//
// Each text printed is one run in the font set at that moment; a line is as
// high as its tallest run, a full page starts a new one, and lines are
// clipped at the right edge, never wrapped. Page and margins are the
// printer's defaults (a PDF gets the locale's page: Letter where the
// measurement system is imperial, else A4).
//
// Where a document goes when it ends:
//  - to the current printer's queue;
//  - when that printer has left the catalogue meanwhile, to the default queue,
//    and with none to a PDF file;
//  - with no current printer (a station without printers), or when the print
//    system refuses the job, to a new PDF file in the install folder's
//    Printouts folder, named YYYYMMDD-HHMMSS-N.pdf (no file is ever replaced).
// EndDoc tells what became of the document; a window that must say so when
// a document could not be handed over at all (not even as a PDF file) reads
// it. The current printer stays as it was chosen.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QString>
#include <optional>
#include <vector>

#include "platform/print/catalogue.h"

namespace print {

// ---- the current printer

// The current printer; nothing means the PDF files. Decided at the first ask:
// the print system's default queue, else the first queue listed, else none.
std::optional<PrinterInfo> CurrentPrinter();
// Makes a catalogue entry the current printer for all later printing.
void SetCurrentPrinter(const PrinterInfo& printer);
// The start rule alone: the default entry, else the first, else none.
std::optional<PrinterInfo> startPrinter(const std::vector<PrinterInfo>& catalogue);
// Forgets the current printer; the next ask decides it afresh (tests).
void ResetCurrentPrinter();

// ---- documents

// A font as the program names it ("courier new") and the installed family
// the window runtime's font mapping gives for it.
struct Font {
  QString name;
  QString mappedFamily;
  double size = 10;
  bool bold = false;
  bool underline = false;
};

// One text printed in one font and colour (Windows colour value: 0 black,
// 255 red).
struct Run {
  QString text;
  Font font;
  unsigned color = 0;
};

// One printed line: its runs, and the font in force when it ended, which
// gives an empty line its height.
struct Line {
  std::vector<Run> runs;
  Font font;
};

struct Document {
  QString title;
  std::vector<Line> lines;
};

// What became of an ended document: handed to a queue, written to a PDF
// file, or neither, and then why.
struct Handover {
  QString queue;    // the queue it went to
  QString file;     // the PDF file it was written to
  QString failure;  // why it went nowhere; empty when it was handed over
  bool done() const { return failure.isEmpty(); }
};

// The printer object the windows print through.
class PrinterObject {
 public:
  PrinterObject();

  QString FontName() const { return font_.name; }
  // Any letter case; the runtime's font mapping picks the installed face.
  void setFontName(const QString& name);
  double FontSize() const { return font_.size; }
  void setFontSize(double points);
  bool FontBold() const { return font_.bold; }
  void setFontBold(bool bold) { font_.bold = bold; }
  bool FontUnderline() const { return font_.underline; }
  void setFontUnderline(bool underline) { font_.underline = underline; }
  // Windows colour value: 0 black, 255 red.
  unsigned ForeColor() const { return color_; }
  void setForeColor(unsigned color) { color_ = color; }
  // The print-quality setting (dots per inch, or a negative quality level
  // such as -2). Kept only: it changes nothing of the text.
  int PrintQuality() const { return quality_; }
  void setPrintQuality(int quality) { quality_ = quality; }

  // Prints a text as a run of the current line. With endLine the line ends
  // after it; an empty text with endLine ends the current line, or adds an
  // empty line when the current line has no runs.
  void Print(const QString& text, bool endLine = true);
  // Ends the document and hands it over (see above); returns at once. A
  // line still open is printed with it. An empty document goes nowhere and
  // counts as handed over. A back-end that throws counts as a failure with
  // its message.
  Handover EndDoc();

  // The document printed so far and not yet ended.
  const Document& pending() const { return doc_; }

 private:
  Font font_;
  unsigned color_ = 0;
  int quality_ = 0;
  Document doc_;
  bool lineOpen_ = false;
};

// The program's printer object.
PrinterObject& Printer();

// ---- where ended documents go

class Backend {
 public:
  virtual ~Backend() = default;
  // A document has ended; `printer` is the current printer (none: PDF).
  virtual Handover deliver(const Document& document, const std::optional<PrinterInfo>& printer) = 0;
};

// Installs a back-end in place of the station's own (print system and PDF
// files); returns the one installed before (nullptr: the station's own).
Backend* setBackend(Backend* backend);

// The recording back-end of tests: installs itself for its lifetime and
// keeps every ended document with the printer it went to.
class Recorder : public Backend {
 public:
  struct Record {
    Document document;
    std::optional<PrinterInfo> printer;
  };
  Recorder();
  ~Recorder() override;
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  Handover deliver(const Document& document, const std::optional<PrinterInfo>& printer) override;
  const std::vector<Record>& documents() const { return documents_; }
  // The lines of one document as plain texts, runs joined.
  static std::vector<QString> texts(const Document& document);

 private:
  std::vector<Record> documents_;
  Backend* previous_;
};

// ---- the station's own back-end, for its tests

// The page of a PDF on this station: the locale's paper, portrait.
QPageLayout localePage();
// The document as a PDF on the given page, fonts embedded.
QByteArray renderPdf(const Document& document, const QPageLayout& page);
// Writes a PDF as a new file in the Printouts folder (made when missing).
// Returns its local path, or nothing when it cannot be written, with the
// reason in `failure` when given.
std::optional<std::string> writePrintout(const QByteArray& pdf, QString* failure = nullptr);
// What the station's back-end does with a document (see above).
Handover deliverOnStation(const Document& document, const std::optional<PrinterInfo>& printer);

}  // namespace print
