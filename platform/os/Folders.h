#pragma once
// Special folders of the machine and small path helpers.
//
// The user's application-data folder is $XDG_DATA_HOME (default
// ~/.local/share/); the all-users application-data folder is /var/lib/ unless
// TESSARIN_COMMON_APPDATA names another folder. Every folder text returned
// here ends with "/".
#include <QString>

namespace kos {

// Shell folder ids the programs ask for.
inline constexpr int CSIDL_APPDATA = 26;         // the user's application data
inline constexpr int CSIDL_COMMON_APPDATA = 35;  // application data of all users

// The folder of the id with a trailing "/"; "" for an unknown id or when the
// folder cannot be worked out (no home folder).
QString GetSpecialFolder(int csidl);

// The path with exactly one trailing "/" added when it has none ("" stays "").
QString IncludeTrailingPathDelimiter(const QString& path);

bool DirectoryExists(const QString& path);
bool FileExists(const QString& path);  // a regular file (not a folder)

// Creates one folder whose parent must exist; true when it was made.
bool CreateDir(const QString& path);
// Creates one folder whose parent must exist; true when it is a folder
// afterwards, whoever made it: another program that makes the same folder at
// the same moment is no failure (forty programs started at once on a first
// run all find their working folders).
bool CreateDirOrFind(const QString& path);
// Creates the folder with every missing parent; true when it exists afterwards.
bool ForceDirectories(const QString& path);

}  // namespace kos
