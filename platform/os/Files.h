#pragma once
// Writing files so that readers never see half of a write.
//
//   kos::AppendFile log;
//   log.Append(path, record);            // one write at the end, on disk now
//
//   QString error;
//   if (!kos::ReplaceFile(path, bytes, &error)) ...   // whole new file or old one
#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace kos {

// A file kept open for appending whole records. Each Append writes its bytes
// with one write at the file's end (so records of two programs appending to
// one file never mix) and hands them to the system before it returns: what
// was appended is in the file when the program dies right after. The file is
// opened on the first Append, created when missing, and opened again when
// another path is given or when the path no longer names the open file (it
// was deleted or replaced meanwhile). Nothing is held between records but the
// open file.
class AppendFile {
 public:
  AppendFile() = default;
  ~AppendFile();
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;

  // False when the bytes could not be written whole (the next Append tries
  // to open the file again).
  bool Append(const QString& path, const QByteArray& bytes);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
  QString path_;
  dev_t device_ = 0;
  ino_t inode_ = 0;
  bool Open(const QString& path);
  bool StillNamed() const;
};

// Replaces the file's contents: the bytes go to a temporary file beside it,
// which then takes the file's name. A reader sees the old file or the new one,
// never a part; a write that fails leaves the old file as it was. False (with
// the reason in *error) when the file could not be written.
bool ReplaceFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

}  // namespace kos
