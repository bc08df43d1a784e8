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

// Creates the folder and its parents; true when it exists afterwards.
bool makeDirs(const std::string& localPath);

// Copies `from` over `to`. With replace=false an existing `to` is an error.
// The copy is written beside the target and renamed into place, so a reader
// never sees half a file. On failure returns false and, when given, sets
// *error to the system's message.
bool copyFile(const std::string& from, const std::string& to, bool replace, std::string* error = nullptr);

}  // namespace files
