// Which database files this program holds open: every Database connection
// notes its file when it opens and forgets it when it closes, so a window can
// ask whether the program has a file open (isDatabaseOpen, database.h).
#pragma once

#include <QString>

namespace db {

class Database;

namespace detail {

// The connection `db` is open on the local file `localPath`.
void noteOpened(const Database* db, const QString& localPath);
// The connection `db` is closing.
void noteClosed(const Database* db);

}  // namespace detail
}  // namespace db
