// Pictures from the shared folder: whatever lies there under a root PLU's
// name, reading it returns at once, with the picture or with none.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include "KvPicture.h"

namespace {

class KvPictureTest : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString Path(const char* name) const { return dir.path() + "/" + name; }
  QString Write(const char* name, const QByteArray& bytes) const {
    QFile f(Path(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return Path(name);
  }
  static QByteArray Jpeg(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    return bytes;
  }
};

TEST_F(KvPictureTest, APictureIsReadByItsContents) {
  QString why = "untouched";
  const QImage image = kui::LoadPicture(Write("00000042.jpg", Jpeg(600, 400)), &why);
  ASSERT_FALSE(image.isNull()) << why.toStdString();
  EXPECT_EQ(image.size(), QSize(600, 400));
  EXPECT_TRUE(why.isEmpty());
  // The format comes from the contents, not the name.
  QImage png(10, 20, QImage::Format_RGB32);
  png.fill(Qt::white);
  ASSERT_TRUE(png.save(Path("00000043.jpg"), "PNG"));
  EXPECT_EQ(kui::LoadPicture(Path("00000043.jpg")).size(), QSize(10, 20));
}

// A pipe nobody writes to would block an ordinary open for ever; a device
// reads without end. Neither is read.
TEST_F(KvPictureTest, APipeOrADeviceOfThePicturesNameIsRefusedAtOnce) {
  ASSERT_EQ(::mkfifo(QFile::encodeName(Path("00000044.jpg")).constData(), 0644), 0);
  ASSERT_TRUE(QFile::link("/dev/zero", Path("00000045.jpg")));
  for (const char* name : {"00000044.jpg", "00000045.jpg"}) {
    QElapsedTimer clock;
    clock.start();
    QString why;
    EXPECT_TRUE(kui::LoadPicture(Path(name), &why).isNull()) << name;
    EXPECT_EQ(why, "Not a regular file") << name;
    EXPECT_LT(clock.elapsed(), 5000) << name;
  }
  QString why;
  EXPECT_TRUE(kui::LoadPicture(dir.path(), &why).isNull());  // a folder
  EXPECT_EQ(why, "Not a regular file");
}

TEST_F(KvPictureTest, AHugeFileIsRefusedBeforeItIsRead) {
  const QString path = Write("00000046.jpg", Jpeg(8, 8));
  ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), 3LL * 1024 * 1024 * 1024), 0);  // 3 GB, sparse
  QString why;
  EXPECT_TRUE(kui::LoadPicture(path, &why).isNull());
  EXPECT_EQ(why, "The file is too large");

  // The limit is the caller's to set; one byte under it is read.
  const QString small = Write("00000047.jpg", Jpeg(8, 8));
  const qint64 size = QFile(small).size();
  EXPECT_FALSE(kui::LoadPicture(small, nullptr, {size, kui::kMaxPictureMegabytes}).isNull());
  EXPECT_TRUE(kui::LoadPicture(small, nullptr, {size - 1, kui::kMaxPictureMegabytes}).isNull());
}

// A small file may claim enormous dimensions: its pixels are never made.
TEST_F(KvPictureTest, APictureWhosePixelsWouldTakeTooMuchMemoryIsRefused) {
  QString why;
  EXPECT_TRUE(kui::LoadPicture(Write("00000048.jpg", Jpeg(1000, 600)), &why, {kui::kMaxPictureBytes, 1}).isNull());
  EXPECT_EQ(why, "The picture is too large");  // 2.4 MB of pixels, 1 MB allowed
  EXPECT_FALSE(kui::LoadPicture(Write("00000049.jpg", Jpeg(400, 300)), &why, {kui::kMaxPictureBytes, 1}).isNull());
}

TEST_F(KvPictureTest, AMissingOrBrokenFileGivesNoPictureAndSaysWhy) {
  QString why;
  EXPECT_TRUE(kui::LoadPicture(Path("missing.jpg"), &why).isNull());
  EXPECT_FALSE(why.isEmpty());
  why.clear();
  EXPECT_TRUE(kui::LoadPicture(Write("broken.jpg", "not a picture at all"), &why).isNull());
  EXPECT_FALSE(why.isEmpty());
  QByteArray cut = Jpeg(300, 300);
  cut.truncate(40);
  EXPECT_TRUE(kui::LoadPicture(Write("cut.jpg", cut)).isNull());
  EXPECT_TRUE(kui::LoadPicture(QString()).isNull());
}

}  // namespace
