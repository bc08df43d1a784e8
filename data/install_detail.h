// Internals of the data library: the schema scripts compiled into the program
// (generated at build time from data/schema/*.sql) and the step that builds
// one database file from a script.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>

namespace data::detail {

struct EmbeddedScript {
  const char* name;            // script file name, e.g. "Duzo98HS.sql"
  const unsigned char* bytes;  // UTF-8 text, followed by a terminating zero
  std::size_t size;            // length without the terminating zero
};

extern const EmbeddedScript kEmbeddedScripts[];
extern const int kEmbeddedScriptCount;

enum class BuildOutcome { Created, Kept, Failed };

// Builds `file` in `folder` from `script`: runs it into a fresh temporary file
// beside the target, in one transaction, and renames the finished file into
// place without replacing anything. Kept: a file of that name appeared
// meanwhile and was left alone. Failed: *error names the file and the cause,
// and nothing is left behind.
BuildOutcome buildDatabaseFile(const QString& folder, const QString& file, const QByteArray& script,
                               QString* error);

}  // namespace data::detail
