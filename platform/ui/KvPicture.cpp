#include "KvPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kui {
namespace {

QImage Refuse(QString* why, const QString& reason) {
  if (why) *why = reason;
  return {};
}

// Closes the descriptor on every way out.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

// The whole file, read from an open descriptor; false on a read error.
bool ReadAll(int fd, qint64 size, QByteArray& bytes) {
  bytes.resize(size);
  qint64 done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, bytes.data() + done, static_cast<size_t>(size - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;  // the file got shorter meanwhile
    done += n;
  }
  bytes.resize(done);
  return true;
}

}  // namespace

QImage LoadPicture(const QString& path, QString* why, const PictureLimits& limits) {
  if (path.isEmpty()) return Refuse(why, QStringLiteral("No file name"));
  // Opened without waiting (a pipe without writer would block an ordinary
  // open), and judged by what was opened, not by a look at the name before.
  const Descriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
  if (file.fd < 0) return Refuse(why, QString::fromLocal8Bit(std::strerror(errno)));
  struct stat st {};
  if (::fstat(file.fd, &st) != 0) return Refuse(why, QString::fromLocal8Bit(std::strerror(errno)));
  if (!S_ISREG(st.st_mode)) return Refuse(why, QStringLiteral("Not a regular file"));
  if (st.st_size > limits.maxFileBytes) return Refuse(why, QStringLiteral("The file is too large"));
  QByteArray bytes;
  if (!ReadAll(file.fd, st.st_size, bytes)) return Refuse(why, QString::fromLocal8Bit(std::strerror(errno)));

  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setAllocationLimit(limits.maxDecodedMegabytes);
  const QSize size = reader.size();
  if (size.isValid() && qint64(size.width()) * size.height() * 4 > qint64(limits.maxDecodedMegabytes) * 1024 * 1024)
    return Refuse(why, QStringLiteral("The picture is too large"));
  const QImage image = reader.read();
  if (image.isNull()) return Refuse(why, reader.errorString());
  if (why) why->clear();
  return image;
}

}  // namespace kui
