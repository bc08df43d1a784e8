#include "shell/dataopen.h"

#include <algorithm>
#include <exception>

#include "platform/db/recordset.h"
#include "platform/forms/msgbox.h"

namespace shell {

QString fileName(const QString& path) {
  return path.mid(std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/'))) + 1);
}

QString writeFailure(const db::Error& error, const QString& file) {
  switch (error.kind()) {
    case db::Error::Kind::Busy:
      return QStringLiteral("another station is using %1. Please try again.").arg(file);
    case db::Error::Kind::ReadOnly:
      return QStringLiteral("%1 cannot be written.").arg(file);
    case db::Error::Kind::Damaged:
      return error.message();
    case db::Error::Kind::Full:
      return QStringLiteral("%1 cannot be written: the disk is full.").arg(file);
    case db::Error::Kind::QuotaFull:
      return QStringLiteral("%1 cannot be written: the disk quota is full.").arg(file);
    default:
      return QStringLiteral("%1 could not be written.").arg(file);
  }
}

std::optional<QString> missingField(forms::Data& data, const QString& table, const QStringList& fields) {
  const QStringList names = data.Recordset().fieldNames();
  for (const QString& field : fields)
    if (!names.contains(field, Qt::CaseInsensitive))
      return QStringLiteral("The table %1 of %2 has no field %3.")
          .arg(table, fileName(data.DatabaseName()), field);
  return std::nullopt;
}

void loadQuietly(forms::Form& window, bool& quiet) {
  if (window.IsLoaded()) return;
  quiet = true;
  window.Load();
  quiet = false;
}

namespace {

// The opener of the window whose opening is under way: the first one alive.
DataOpener* g_opening = nullptr;

}  // namespace

DataOpener::DataOpener() : opening_(g_opening) {
  if (!g_opening) g_opening = this;
}

DataOpener::~DataOpener() {
  if (g_opening == this) g_opening = nullptr;
}

bool DataOpener::open(std::initializer_list<forms::Data*> controls) {
  bool all = true;
  for (forms::Data* data : controls) {
    try {
      data->Refresh();
    } catch (const std::exception& e) {
      all = false;
      add(data->DatabaseName(), QString::fromUtf8(e.what()));
    }
  }
  return all;
}

void DataOpener::add(const QString& databaseName, const QString& problem) {
  const QString file = databaseName.toLower();
  if (files_.contains(file)) return;
  files_ << file;
  problems_ << problem;
}

void DataOpener::report() {
  if (opening_) {
    for (int i = 0; i < files_.size(); ++i) opening_->add(files_[i], problems_[i]);
    return;
  }
  // A window opened while the message is up tells its own files.
  if (g_opening == this) g_opening = nullptr;
  if (!problems_.isEmpty()) forms::MsgBox(problems_.join(QLatin1Char('\n')), forms::vbExclamation);
}

}  // namespace shell
