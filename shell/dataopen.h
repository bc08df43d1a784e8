// Opening a window's data controls in its load step, with one report of what
// could not be opened.
//
// A settings window whose file or table cannot be opened still opens, on its
// design texts, and says so once: one message naming each file that failed,
// however many of the window's data controls use it, and however many of the
// windows its load opens use it too.
#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <optional>

#include "platform/db/database.h"
#include "platform/forms/data.h"
#include "platform/forms/form.h"

namespace shell {

// The file a database path names, for the clerk: "Ordr.mdb".
QString fileName(const QString& path);

// Why a write to a database file failed, in the clerk's words: "another
// station is using Ordr.mdb. Please try again.", "Ordr.mdb cannot be
// written.", "Ordr.mdb cannot be written: the disk is full." (or "the disk
// quota is full."), "Ordr.mdb is damaged." (as the database layer names it),
// and for any other failure "Ordr.mdb could not be written."
QString writeFailure(const db::Error& error, const QString& file);

// The first of `fields` an opened data control's recordset does not have,
// for the clerk: "The table tbSet of Duzo98HS.mdb has no field SetC."; nothing
// when it has them all. A box bound to a missing field would show nothing.
std::optional<QString> missingField(forms::Data& data, const QString& table, const QStringList& fields);

// Loads a window that is not loaded with its switch `quiet` on while it
// loads: a window that tells its own load failure leaves it to the caller
// then.
void loadQuietly(forms::Form& window, bool& quiet);

// The files a window's load could not open, each told once. An opener made
// while another one is alive, by a window that another window's load opened
// (a settings window whose box it reads), hands what failed to that first
// opener: the window being opened names each file once, in its one message.
class DataOpener {
 public:
  DataOpener();
  ~DataOpener();
  DataOpener(const DataOpener&) = delete;
  DataOpener& operator=(const DataOpener&) = delete;

  // Opens each data control now (Refresh: the bound controls show its first
  // row). Returns false when any of them failed.
  bool open(std::initializer_list<forms::Data*> controls);
  // Records what is wrong with the database file `databaseName` (as a data
  // control names it), unless that file has a failure already.
  void add(const QString& databaseName, const QString& problem);
  // The failures so far, one text per database file, each naming the file.
  const QStringList& problems() const { return problems_; }
  // Shows the failures in one message; nothing when all opened. While the
  // load of another window's opening runs, they go to its opener instead.
  void report();

 private:
  DataOpener* opening_;  // the opener of the window being opened, when not this one
  QStringList files_;
  QStringList problems_;
};

}  // namespace shell
