// Windows paths on a Linux station.
//
// The program names its files the way the salon's Windows stations do
// ("C:\Program Files\Dovrel POS 4\Ordr.mdb", "\\Server\Dovrel POS 4\").
// Everything lives under one data root: the drive C:\ is ROOT/drive_c/, a
// server path \\Host\Share\rest is ROOT/unc/Host/Share/rest (where the station
// mounts the share). Backslashes become slashes, and each component below the
// mapped base is matched without regard to case against what exists, so
// "Tordr.mdb" and "TOrdr.mdb" name one file.
#pragma once

#include <string>

namespace files {

// The data root of this run. Set once at start-up; tests set a temporary one.
void setRoot(const std::string& root);
const std::string& root();

// $XDG_DATA_HOME/trivela, or ~/.local/share/trivela.
std::string defaultRoot();

// Maps a Windows-style or Linux path to a Linux path under `root`.
//  - "C:\a\b" or "c:/a/b"    -> ROOT/drive_c/a/b    (any drive letter: drive_x)
//  - "\a\b" (rooted, no drive) -> ROOT/drive_c/a/b
//  - "\\Host\Share\x"        -> ROOT/unc/Host/Share/x
//  - "/abs/linux/path"       -> unchanged (already local)
//  - "rel\path"              -> "rel/path" (relative to the current folder)
// ".." never climbs above the mapped base. A trailing separator is kept.
std::string mapPath(const std::string& root, const std::string& path);

// mapPath() with the run's data root.
std::string localPath(const std::string& path);

// The install folder "C:\Program Files\Dovrel POS 4\" as the windows name it,
// and as a local folder under the run's root.
extern const char* const kInstallFolder;
std::string installDir();

// Tests on local paths; errors count as "no".
bool fileExists(const std::string& localPath);
bool dirExists(const std::string& localPath);

// Creates the folder and its parents; true when it exists afterwards. On
// failure *error, when given, says why ("Permission denied").
bool makeDirs(const std::string& localPath, std::string* error = nullptr);

// Creates `path` as a new file open for writing (the caller closes the
// descriptor). Fails with errno EEXIST when anything is there already, a
// symbolic link included: a link planted at the name is never followed.
int createExclusive(const std::string& path, int mode);

// A new file beside `target` whose name starts with `prefix` ("." + name +
// ".new-" for instance) and ends in a fresh random suffix, created
// exclusively (never an existing file, never through a planted symbolic
// link), open for writing. Returns the descriptor (the caller closes it) and
// sets *path; -1 with errno set on failure.
int createTempBeside(const std::string& target, const std::string& prefix, int mode, std::string* path);

// A new, empty folder beside `target` named as createTempBeside names its
// files, made like any folder of the user (0755 less the umask). True and
// *path set on success; false with errno set on failure.
bool makeTempFolderBeside(const std::string& target, const std::string& prefix, std::string* path);

// Renames `from` to `to` unless `to` exists, in one step (no test then act):
// another process that puts a file at `to` meanwhile keeps it. Fails with
// errno EEXIST then (ENOTEMPTY for a folder onto a folder that holds
// something, on a file system that cannot rename without replacing).
bool renameNoReplace(const std::string& from, const std::string& to);

// Copies `from` over `to`. With replace=false an existing `to` is an error
// and is never replaced, even when it appears during the copy. The copy is
// written beside the target under a fresh name and renamed into place, so a
// reader never sees half a file. On failure returns false and, when given,
// sets *error to the system's message. A database file is replaced through
// db::copyDatabase instead, which keeps SQLite's locks and journal in play.
bool copyFile(const std::string& from, const std::string& to, bool replace, std::string* error = nullptr);

}  // namespace files
