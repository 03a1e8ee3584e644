#include "Files.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kos {

AppendFile::~AppendFile() { Close(); }

void AppendFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  path_.clear();
}

bool AppendFile::Open(const QString& path) {
  Close();
  const QByteArray name = QFile::encodeName(path);
  const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY, 0644);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  path_ = path;
  device_ = st.st_dev;
  inode_ = st.st_ino;
  return true;
}

bool AppendFile::StillNamed() const {
  struct stat st {};
  return ::stat(QFile::encodeName(path_).constData(), &st) == 0 && st.st_dev == device_ &&
         st.st_ino == inode_;
}

bool AppendFile::Append(const QString& path, const QByteArray& bytes) {
  if (fd_ < 0 || path != path_ || !StillNamed()) {
    if (!Open(path)) return false;
  }
  const char* data = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd_, data, static_cast<size_t>(left));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      Close();
      return false;
    }
    data += n;
    left -= n;
  }
  return true;
}

bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile file(path);
  const bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
  if (!ok && error) *error = file.errorString();
  return ok;
}

}  // namespace kos
