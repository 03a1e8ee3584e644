// Picture files read safely: a FIFO, a folder or a file far too large never
// opens, a picture too large to decode is none, and a good one loads.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include <sys/stat.h>

#include "KvTestSupport.h"
#include "PictureFileClass.h"

namespace {

class PictureFileTest : public ::testing::Test {
 protected:
  QString dir = kvtest::TempRoot() + "/picture-file/";
  void SetUp() override { QDir().mkpath(dir); }
  void TearDown() override { QDir(dir).removeRecursively(); }
};

TEST_F(PictureFileTest, AGoodPictureLoads) {
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  ASSERT_TRUE(picture.save(dir + "00000042.jpg", "JPEG"));
  EXPECT_TRUE(TPictureFileClass::Usable(dir + "00000042.jpg"));
  EXPECT_EQ(TPictureFileClass::Load(dir + "00000042.jpg").size(), QSize(40, 30));
  EXPECT_TRUE(TPictureFileClass::Load(dir + "missing.jpg").isNull());
}

TEST_F(PictureFileTest, WhatIsNoRegularFileOfASaneSizeIsNeverOpened) {
  // A FIFO: opening it would wait for a writer for ever.
  ASSERT_EQ(::mkfifo(QFile::encodeName(dir + "fifo.jpg").constData(), 0600), 0);
  EXPECT_FALSE(TPictureFileClass::Usable(dir + "fifo.jpg"));
  EXPECT_TRUE(TPictureFileClass::Load(dir + "fifo.jpg").isNull());
  ASSERT_TRUE(QDir().mkpath(dir + "folder.jpg"));
  EXPECT_TRUE(TPictureFileClass::Load(dir + "folder.jpg").isNull());
  // 3 GB, made sparse so the test writes nothing.
  QFile huge(dir + "huge.jpg");
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
  ASSERT_TRUE(huge.resize(3LL * 1024 * 1024 * 1024));
  huge.close();
  EXPECT_FALSE(TPictureFileClass::Usable(dir + "huge.jpg"));
  EXPECT_TRUE(TPictureFileClass::Load(dir + "huge.jpg").isNull());
}

TEST_F(PictureFileTest, APictureTooLargeToDecodeIsNone) {
  // A valid grey PNG of 13000 x 1 pixels in 92 bytes: small on disk, wider
  // than any picture of a style.
  const QByteArray png(
      "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x32\xc8\x00\x00\x00\x01\x08\x00"
      "\x00\x00\x00\xce\xd2\x4c\xe3\x00\x00\x00\x23\x49\x44\x41\x54\x78\xda\xed\xc1\x31\x01\x00\x00\x00\xc2\xa0"
      "\xf5\x4f\x6d\x0b\x2f\xa0\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\xe0\x60\x32\xc9\x00\x01\xdf\x5b"
      "\x99\xe6\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82",
      92);
  QFile f(dir + "wide.jpg");
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(png);
  f.close();
  ASSERT_EQ(QImage(dir + "wide.jpg").width(), 13000);  // it is a picture Qt would decode
  EXPECT_TRUE(TPictureFileClass::Usable(dir + "wide.jpg"));
  EXPECT_TRUE(TPictureFileClass::Load(dir + "wide.jpg").isNull());
}

}  // namespace
