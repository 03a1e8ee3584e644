#include "FileVersion.h"
#include "KvTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QString kProbe = QStringLiteral(KV_VERSION_PROBE);

using kvtest::ReadAll;

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  const QString path = dir.path() + "/" + name;
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return {};
  f.write(bytes);
  return path;
}

TEST(FileVersion, ReadFromTheRecordOfAnotherProgram) {
  EXPECT_EQ(kos::GetFileVersion(kProbe), "12.345.0.65535");
}

TEST(FileVersion, FileWithoutRecordGivesEmpty) {
  // This test program links the reader but no record.
  EXPECT_EQ(kos::GetFileVersion(QCoreApplication::applicationFilePath()), "");
  EXPECT_EQ(kos::GetFileVersion("/no/such/file"), "");
  QTemporaryDir dir;
  EXPECT_EQ(kos::GetFileVersion(WriteFile(dir, "empty", {})), "");
  EXPECT_EQ(kos::GetFileVersion(WriteFile(dir, "text", "KvFileVersion 1.2.3.4")), "");
}

TEST(FileVersion, RecordAnywhereInTheBytesButWhole) {
  const QByteArray probe = ReadAll(kProbe);
  const qsizetype at = probe.indexOf("KvFileVersion");
  ASSERT_GT(at, 0);
  const QByteArray record = probe.mid(at - 1, 24);  // 16 marker bytes, 4 x 2 number bytes
  QTemporaryDir dir;
  EXPECT_EQ(kos::GetFileVersion(WriteFile(dir, "inside", "junk" + record + "more junk")),
            "12.345.0.65535");
  EXPECT_EQ(kos::GetFileVersion(WriteFile(dir, "cut", "junk" + record.left(22))), "");
}

}  // namespace
