#include "Folders.h"

#include <QDir>
#include <QFileInfo>

namespace kos {
namespace {

QString UserDataFolder() {
  QString dir = qEnvironmentVariable("XDG_DATA_HOME");
  if (dir.isEmpty()) {
    const QString home = qEnvironmentVariable("HOME", QDir::homePath());
    if (home.isEmpty()) return {};
    dir = home + "/.local/share";
  }
  return dir;
}

QString CommonDataFolder() {
  const QString dir = qEnvironmentVariable("TESSARIN_COMMON_APPDATA");
  return dir.isEmpty() ? QStringLiteral("/var/lib") : dir;
}

}  // namespace

QString GetSpecialFolder(int csidl) {
  switch (csidl) {
    case CSIDL_APPDATA: return IncludeTrailingPathDelimiter(UserDataFolder());
    case CSIDL_COMMON_APPDATA: return IncludeTrailingPathDelimiter(CommonDataFolder());
    default: return {};
  }
}

QString IncludeTrailingPathDelimiter(const QString& path) {
  if (path.isEmpty() || path.endsWith('/')) return path;
  return path + '/';
}

bool DirectoryExists(const QString& path) {
  return !path.isEmpty() && QFileInfo(path).isDir();
}

bool FileExists(const QString& path) {
  return !path.isEmpty() && QFileInfo(path).isFile();
}

bool CreateDir(const QString& path) {
  return !path.isEmpty() && QDir().mkdir(path);
}

bool CreateDirOrFind(const QString& path) {
  // Make first, look afterwards: between a look and a make another program
  // may make the folder, and the make then fails though all is well.
  return CreateDir(path) || DirectoryExists(path);
}

bool ForceDirectories(const QString& path) {
  if (path.isEmpty()) return false;
  QDir().mkpath(path);
  return DirectoryExists(path);
}

}  // namespace kos
