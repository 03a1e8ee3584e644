#include "Files.h"
#include "KvTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

TEST(AppendFile, EachRecordIsInTheFileWhenAppendReturnsAndTheFileStaysOpen) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/2024-03-05 suppliers.log";
  kos::AppendFile log;
  ASSERT_TRUE(log.Append(path, "[=]program started[=]\r\n"));
  // Another reader sees it at once: nothing waits in a buffer of this program.
  EXPECT_EQ(ReadAll(path), "[=]program started[=]\r\n");
  EXPECT_EQ(kvtest::OpenHandlesOf(path), 1);
  ASSERT_TRUE(log.Append(path, "2024-03-05 09:15:30\r\nsuppliers\r\n"));
  EXPECT_EQ(ReadAll(path), "[=]program started[=]\r\n2024-03-05 09:15:30\r\nsuppliers\r\n");
  EXPECT_EQ(kvtest::OpenHandlesOf(path), 1);  // the same file, not opened again
  log.Close();
  EXPECT_EQ(kvtest::OpenHandlesOf(path), 0);
}

TEST(AppendFile, TwoProgramsAppendingToOneFileKeepTheirRecordsWholeAndInOrder) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/shared.log";
  kos::AppendFile first, second;
  ASSERT_TRUE(first.Append(path, "A1\r\nA1\r\n"));
  ASSERT_TRUE(second.Append(path, "B1\r\n"));
  ASSERT_TRUE(first.Append(path, "A2\r\n"));
  EXPECT_EQ(ReadAll(path), "A1\r\nA1\r\nB1\r\nA2\r\n");
}

TEST(AppendFile, AFileDeletedOrReplacedMeanwhileIsMadeAgain) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/day.log";
  kos::AppendFile log;
  ASSERT_TRUE(log.Append(path, "one\r\n"));
  ASSERT_TRUE(QFile::remove(path));
  ASSERT_TRUE(log.Append(path, "two\r\n"));
  EXPECT_EQ(ReadAll(path), "two\r\n");

  ASSERT_TRUE(QFile::rename(path, path + ".old"));
  ASSERT_TRUE(log.Append(path, "three\r\n"));
  EXPECT_EQ(ReadAll(path), "three\r\n");
  EXPECT_EQ(ReadAll(path + ".old"), "two\r\n");

  // Another path opens that file instead.
  ASSERT_TRUE(log.Append(path + ".other", "four\r\n"));
  EXPECT_EQ(ReadAll(path + ".other"), "four\r\n");
}

TEST(AppendFile, AFolderThatIsMissingLosesTheRecordAndTheNextOneTriesAgain) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/bologs/day.log";
  kos::AppendFile log;
  EXPECT_FALSE(log.Append(path, "lost\r\n"));
  EXPECT_FALSE(log.IsOpen());
  ASSERT_TRUE(QDir().mkdir(dir.path() + "/bologs"));
  ASSERT_TRUE(log.Append(path, "kept\r\n"));
  EXPECT_EQ(ReadAll(path), "kept\r\n");
}

// A program that opened the file before the rewrite reads it whole, as it
// was: the file is replaced, not cut short and written again.
TEST(ReplaceFile, AReaderSeesTheOldFileWholeAndLaterReadersTheNewOne) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/user.txt";
  ASSERT_TRUE(kos::ReplaceFile(path, "OLD NAME\r\n17\r\n"));
  const int reader = ::open(QFile::encodeName(path).constData(), O_RDONLY);
  ASSERT_GE(reader, 0);

  QString error;
  ASSERT_TRUE(kos::ReplaceFile(path, "1\r\n2\r\n", &error)) << error.toStdString();
  char buffer[64] = {};
  const ssize_t n = ::read(reader, buffer, sizeof buffer);
  ::close(reader);
  EXPECT_EQ(QByteArray(buffer, int(n)), "OLD NAME\r\n17\r\n");
  EXPECT_EQ(ReadAll(path), "1\r\n2\r\n");
  // No temporary file is left beside it.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"user.txt"});
}

TEST(ReplaceFile, AFileThatCannotBeWrittenReportsWhy) {
  QTemporaryDir dir;
  QString error;
  EXPECT_FALSE(kos::ReplaceFile(dir.path() + "/missing/user.txt", "x", &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(dir.path() + "/missing"));
}

}  // namespace
