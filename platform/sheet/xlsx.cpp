// Writing a workbook as an .xlsx file (libxlsxwriter), showing it on the
// desktop, and the one application of the program.
#include <unistd.h>
#include <xlsxwriter.h>

#include <QByteArray>
#include <QProcess>
#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "platform/files/descriptor.h"
#include "platform/files/paths.h"
#include "platform/sheet/sheet.h"

namespace sheet {

namespace {

// ---- the desktop

const char* const kXlsxType = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

// The station's desktop through the freedesktop.org tools.
class XdgDesktop : public Desktop {
 public:
  QString defaultApplication() override {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QString::fromLatin1(kXlsxType)});
    if (!query.waitForFinished(10000)) {
      query.kill();
      query.waitForFinished(1000);
      return QString();
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) return QString();
    return QString::fromUtf8(query.readAllStandardOutput()).trimmed();
  }
  bool open(const QString& path) override {
    return QProcess::startDetached(QStringLiteral("xdg-open"), {path});
  }
};

Desktop* g_desktop = nullptr;

Desktop& desktop() {
  static XdgDesktop station;
  return g_desktop ? *g_desktop : station;
}

std::shared_ptr<Application>& running() {
  static std::shared_ptr<Application> app;
  return app;
}

// ---- writing

struct WorkbookCloser {
  void operator()(lxw_workbook* book) const { workbook_close(book); }
};

// The formats of one file, one per look.
class Formats {
 public:
  explicit Formats(lxw_workbook* book) : book_(book) {}
  lxw_format* get(const QString& numberFormat, bool bold, double size) {
    if (numberFormat.isEmpty() && !bold && size <= 0) return nullptr;
    const QString key = QStringLiteral("%1|%2|%3").arg(numberFormat).arg(bold).arg(size);
    const auto it = formats_.find(key);
    if (it != formats_.end()) return it->second;
    lxw_format* f = workbook_add_format(book_);
    if (!f) throw Error(QStringLiteral("Out of memory while writing the workbook."));
    if (!numberFormat.isEmpty()) format_set_num_format(f, numberFormat.toUtf8().constData());
    if (bold) format_set_bold(f);
    if (size > 0) format_set_font_size(f, size);
    formats_.emplace(key, f);
    return f;
  }

 private:
  lxw_workbook* book_;
  std::map<QString, lxw_format*> formats_;
};

void check(lxw_error error, const QString& file) {
  if (error != LXW_NO_ERROR)
    throw Error(QStringLiteral("The workbook %1 cannot be written: %2.")
                    .arg(file, QString::fromUtf8(lxw_strerror(error))));
}

// Writes the workbook into the file `into`; messages name `file`.
void writeSheet(const Worksheet& ws, const QString& file, const QString& into) {
  // Rows go out in order, so the file is written as it goes rather than
  // held whole in memory.
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  options.use_zip64 = LXW_TRUE;
  const QByteArray path = into.toUtf8();
  std::unique_ptr<lxw_workbook, WorkbookCloser> book(workbook_new_opt(path.constData(), &options));
  if (!book) throw Error(QStringLiteral("The workbook %1 cannot be created.").arg(file));
  lxw_worksheet* sh = workbook_add_worksheet(book.get(), ws.Name().toUtf8().constData());
  if (!sh) throw Error(QStringLiteral("The workbook %1 cannot be written.").arg(file));
  Formats formats(book.get());

  const int lastCol = ws.lastColumn();
  for (int c = 1; c <= std::max(lastCol, 1); ++c) {
    const double width = ws.columnWidth(c);
    lxw_format* columnFormat = formats.get(ws.columnFormat(c), false, 0);
    if (width >= 0 || columnFormat)
      check(worksheet_set_column(sh, lxw_col_t(c - 1), lxw_col_t(c - 1),
                                 width >= 0 ? width : LXW_DEF_COL_WIDTH, columnFormat),
            file);
  }
  for (int r = 1; r <= ws.lastRow(); ++r) {
    for (int c = 1; c <= lastCol; ++c) {
      const QVariant value = ws.value(r, c);
      const QString formula = ws.formula(r, c);
      const CellStyle style = ws.style(r, c);
      QString numberFormat = ws.effectiveFormat(r, c);
      // A date or time without a format of its own shows as one all the same.
      if (numberFormat.isEmpty() && value.typeId() == QMetaType::QDate)
        numberFormat = QStringLiteral("m/d/yyyy");
      if (numberFormat.isEmpty() && value.typeId() == QMetaType::QTime)
        numberFormat = QStringLiteral("h:mm:ss AM/PM");
      lxw_format* f = formats.get(numberFormat, style.bold, style.size);
      const auto row = lxw_row_t(r - 1);
      const auto col = lxw_col_t(c - 1);
      if (!formula.isEmpty()) {
        check(worksheet_write_formula(sh, row, col, formula.toUtf8().constData(), f), file);
      } else if (value.typeId() == QMetaType::QString) {
        check(worksheet_write_string(sh, row, col, value.toString().toUtf8().constData(), f), file);
      } else if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QTime) {
        check(worksheet_write_number(sh, row, col, serialOf(value), f), file);
      } else if (value.isValid()) {
        check(worksheet_write_number(sh, row, col, value.toDouble(), f), file);
      } else if (f) {
        check(worksheet_write_blank(sh, row, col, f), file);
      }
    }
  }
  const Range selected = const_cast<Worksheet&>(ws).Range(ws.selection());
  worksheet_set_selection(sh, lxw_row_t(selected.firstRow() - 1), lxw_col_t(selected.firstCol() - 1),
                          lxw_row_t(selected.lastRow() - 1), lxw_col_t(selected.lastCol() - 1));
  check(workbook_close(book.release()), file);
}

// A new file named BookN.xlsx in the folder, the lowest N not taken; made
// empty at once so that no one else takes it.
// Writes the workbook beside its file under a fresh name and renames it into
// place: a write that fails or is cut short leaves the file as it was, whole
// (the last workbook shown, or the empty file that holds a new name).
void writeSheetInPlace(const Worksheet& ws, const QString& file) {
  const std::string target = file.toStdString();
  const std::size_t slash = target.rfind('/');
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temp;
  files::Descriptor made(files::createTempBeside(target, "." + name + ".new-", 0644, &temp));
  if (!made.valid())
    throw Error(QStringLiteral("The workbook %1 cannot be written: %2.")
                    .arg(file, QString::fromLocal8Bit(std::strerror(errno))));
  made.close();
  try {
    writeSheet(ws, file, QString::fromStdString(temp));
  } catch (const Error&) {
    ::unlink(temp.c_str());
    throw;
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    throw Error(QStringLiteral("The workbook %1 cannot be written: %2.")
                    .arg(file, QString::fromLocal8Bit(std::strerror(error))));
  }
}

QString newBookFile(const std::string& folder) {
  for (int n = 1; n < 100000; ++n) {
    const std::string path = folder + "Book" + std::to_string(n) + ".xlsx";
    const files::Descriptor made(files::createExclusive(path, 0644));
    if (made.valid()) return QString::fromStdString(path);  // the empty file holds the name
    if (errno != EEXIST)
      throw Error(QStringLiteral("The workbook %1 cannot be created: %2.")
                      .arg(QString::fromStdString(path), QString::fromLocal8Bit(std::strerror(errno))));
  }
  throw Error(
      QStringLiteral("The folder %1 holds no free workbook name.").arg(QString::fromStdString(folder)));
}

}  // namespace

Desktop* setDesktop(Desktop* d) {
  Desktop* before = g_desktop;
  g_desktop = d;
  return before;
}

std::shared_ptr<Application> runningApplication() {
  return running();
}

std::shared_ptr<Application> createApplication() {
  if (running()) return running();
  if (desktop().defaultApplication().isEmpty()) return nullptr;
  running() = std::make_shared<Application>();
  return running();
}

void quitApplication() {
  running().reset();
}

void Workbook::show() {
  const bool first = file_.isEmpty();
  if (first) {
    const std::string folder = files::localPath(std::string(files::kInstallFolder) + "Exports\\");
    std::string why;
    if (!files::makeDirs(folder, &why))
      throw Error(QStringLiteral("The folder %1 cannot be made: %2.")
                      .arg(QString::fromStdString(folder), QString::fromStdString(why)));
    file_ = newBookFile(folder);
  }
  try {
    writeSheetInPlace(sheet_, file_);
  } catch (const Error&) {
    if (first) {
      ::unlink(file_.toLocal8Bit().constData());
      file_.clear();
    }
    throw;
  }
  changed_ = false;
  if (first && !desktop().open(file_))
    throw Error(QStringLiteral("The workbook %1 cannot be opened on the desktop.").arg(file_));
}

void Workbook::PrintPreview() {
  if (changed_ || file_.isEmpty()) {
    const bool first = file_.isEmpty();
    show();
    if (first) return;  // showing it opened it
  }
  if (!desktop().open(file_))
    throw Error(QStringLiteral("The workbook %1 cannot be opened on the desktop.").arg(file_));
}

}  // namespace sheet
