// The picture file of a colour without a window: where a picture lies in the
// 300 by 300 square, the square itself, its JPEG, and the write that replaces
// a stored picture only by a complete new one.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

#include "KvTestSupport.h"
#include "PictureFileClass.h"

namespace {

using P = TPictureFileClass;

QImage Filled(int w, int h, const QColor& colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

bool Near(QRgb pixel, const QColor& colour) {
  // JPEG keeps colours only roughly.
  return qAbs(qRed(pixel) - colour.red()) < 24 && qAbs(qGreen(pixel) - colour.green()) < 24 &&
         qAbs(qBlue(pixel) - colour.blue()) < 24;
}

TEST(PictureFileTest, FitsWideTallAndSmallPicturesIntoTheSquare) {
  // A small picture keeps its size, centred.
  EXPECT_EQ(P::FitRect(200, 100), QRect(50, 100, 200, 100));
  EXPECT_EQ(P::FitRect(300, 300), QRect(0, 0, 300, 300));
  // Larger ones shrink until the longer side is 300, keeping their shape.
  EXPECT_EQ(P::FitRect(600, 400), QRect(0, 50, 300, 200));
  EXPECT_EQ(P::FitRect(400, 600), QRect(50, 0, 200, 300));
  EXPECT_EQ(P::FitRect(301, 301), QRect(0, 0, 300, 300));
  // Whole numbers with the remainder dropped: 1 x 300 / 301 is 0.
  EXPECT_EQ(P::FitRect(301, 1), QRect(0, 150, 300, 0));
  // Huge pictures do not overflow the arithmetic.
  EXPECT_EQ(P::FitRect(100000, 50000), QRect(0, 75, 300, 150));
}

TEST(PictureFileTest, TheSquareIsWhiteWhereThePictureDoesNotReach) {
  const QImage square = P::Fit(Filled(600, 400, Qt::red));
  ASSERT_EQ(square.size(), QSize(300, 300));
  EXPECT_EQ(square.pixelColor(150, 150), QColor(Qt::red));
  EXPECT_EQ(square.pixelColor(150, 51), QColor(Qt::red));
  EXPECT_EQ(square.pixelColor(150, 10), QColor(Qt::white));   // above the picture
  EXPECT_EQ(square.pixelColor(150, 290), QColor(Qt::white));  // below it
  // A line too thin to keep any height leaves the square blank.
  const QImage blank = P::Fit(Filled(301, 1, Qt::red));
  EXPECT_EQ(blank.pixelColor(150, 150), QColor(Qt::white));
}

TEST(PictureFileTest, TheJpegReadsBackAsThePicture) {
  const QByteArray bytes = P::Jpeg(P::Fit(Filled(200, 100, Qt::blue)));
  ASSERT_TRUE(bytes.startsWith("\xFF\xD8"));
  QImage back;
  ASSERT_TRUE(back.loadFromData(bytes, "JPG"));
  EXPECT_EQ(back.size(), QSize(300, 300));
  EXPECT_TRUE(Near(back.pixel(150, 150), Qt::blue));
  EXPECT_TRUE(Near(back.pixel(10, 10), Qt::white));
  EXPECT_THROW(P::Jpeg(QImage()), P::Error);
}

TEST(PictureFileTest, SaveMakesTheFolderAndReplacesTheFileWhole) {
  const QString folder = kvtest::FreshFolder("pics") + "share/Images/";
  const QString path = folder + "00000042.jpg";
  P::Save(path, "first");
  P::Save(path, "second picture");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("second picture"));
  // Nothing of the temporary file is left beside it.
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"00000042.jpg"});
}

TEST(PictureFileTest, ASaveWithoutAFolderSaysWhy) {
  const QString root = kvtest::FreshFolder("pics");
  // A file where the pictures folder should be: no folder can be made.
  kvtest::WriteFile(root + "Images", "not a folder");
  try {
    P::Save(root + "Images/00000042.jpg", "picture");
    FAIL() << "no error";
  } catch (const P::Error& e) {
    EXPECT_NE(QString::fromUtf8(e.what()).indexOf("Images"), -1) << e.what();
  }
}

}  // namespace
