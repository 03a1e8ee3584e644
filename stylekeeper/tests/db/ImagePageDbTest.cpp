// The image page on both engines: a picture loaded from disk is only shown
// until Apply writes it as the colour's 300 x 300 JPEG (replacing the stored
// file whole), Copy writes it for every colour of the style, Clear deletes
// the file; every button acts on the loaded root PLU; an unreadable file or a
// write that fails leaves the stored picture as it was and says so.
#include "StyleKeeperDbFixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QStackedWidget>
#include <QToolButton>

#include "ImagePageF.h"

namespace {

using kvtest::Engine;

class ImagePageDbTest : public sktest::StyleKeeperDbFixture {
 protected:
  QString disk;  // pictures a person would pick from

  void SetUp() override {
    StyleKeeperDbFixture::SetUp();
    disk = kvtest::FreshFolder("disk");
  }

  // A picture file on disk of one colour.
  QString PictureOnDisk(const QString& name, int w, int h, const QColor& colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = disk + name;
    EXPECT_TRUE(image.save(path, "JPEG"));
    return path;
  }

  // Shows a style and its image page.
  TForm1& ShowImagePage(const QString& rootPLU) {
    TForm1& f = Start({"", rootPLU});
    f.SpButTabImage->click();
    return f;
  }

  QString Stored(TForm1& f, const QString& rootPLU) { return f.ImagesFolder + rootPLU + ".jpg"; }

  void StorePicture(TForm1& f, const QString& rootPLU, const QColor& colour) {
    QDir().mkpath(f.ImagesFolder);
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(Stored(f, rootPLU), "JPEG"));
  }

  // 00000042 with a stored picture, on its image page.
  TForm1& ShowWithStoredPicture(const QColor& colour) {
    TForm1& f = Start();
    StorePicture(f, "00000042", colour);
    f.RootPLUToOpen = "00000042";
    f.FormShow();
    f.SpButTabImage->click();
    return f;
  }

  void Load(TForm1& f, const QString& path) {
    fileChoice = path;
    f.ImagePage->SpButImgLoad->click();
  }
};

bool Near(const QImage& image, int x, int y, const QColor& colour) {
  const QColor c = image.pixelColor(x, y);
  return qAbs(c.red() - colour.red()) < 24 && qAbs(c.green() - colour.green()) < 24 &&
         qAbs(c.blue() - colour.blue()) < 24;
}

TEST_P(ImagePageDbTest, ALoadedPictureIsWrittenOnlyByApplyAsTheSquare) {
  TForm1& f = ShowWithStoredPicture(Qt::blue);
  EXPECT_EQ(f.ImagePage->PanelImageStyle->text(), "JEAN01");
  EXPECT_TRUE(Shown(f.ImagePage->SpButImgApply));
  const QByteArray before = kvtest::ReadAll(Stored(f, "00000042"));

  Load(f, PictureOnDisk("wide.jpg", 600, 400, Qt::red));
  EXPECT_EQ(fileFilter, TImagePage::kFileFilter);
  EXPECT_TRUE(Shown(f.ImagePage->ImageLarge));
  // Until Apply the stored picture is the colour's.
  EXPECT_EQ(kvtest::ReadAll(Stored(f, "00000042")), before);
  kvtest::SaveScreenshot(&f, "StyleKeeperImageLoaded");

  f.ImagePage->SpButImgApply->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Image saved"});
  const QImage written(Stored(f, "00000042"));
  ASSERT_EQ(written.size(), QSize(300, 300));
  EXPECT_TRUE(Near(written, 150, 150, Qt::red));
  EXPECT_TRUE(Near(written, 150, 10, Qt::white));  // 600 x 400 lies 300 x 200 at top 50
  // The style is shown again, on this page, with the picture now stored.
  EXPECT_EQ(f.PageCtrlSF->currentWidget(), f.TabShImage);
  EXPECT_TRUE(Shown(f.ImagePage->ImageLarge));
  EXPECT_TRUE(Shown(f.ImageSmall));
  EXPECT_EQ(QDir(f.ImagesFolder).entryList(QDir::Files), QStringList{"00000042.jpg"});
}

TEST_P(ImagePageDbTest, AnUnreadablePictureLeavesTheStoredOneUntouched) {
  TForm1& f = ShowWithStoredPicture(Qt::blue);
  const QByteArray before = kvtest::ReadAll(Stored(f, "00000042"));
  // A JPEG header and nothing a decoder can use after it.
  const QString broken = disk + "broken.jpg";
  kvtest::WriteFile(broken, QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11) + QByteArray(500, '\x5A'));

  Load(f, broken);
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].startsWith("Unable to load image " + broken)) << ShownTexts()[0].toStdString();
  EXPECT_EQ(kvtest::ReadAll(Stored(f, "00000042")), before);
  EXPECT_NE(LogText().indexOf("TForm1::SpButImgLoadClick"), -1);
  // The stored picture is still on screen, and Apply keeps it as it is.
  EXPECT_TRUE(Shown(f.ImagePage->ImageLarge));
  ClearShownTexts();
  f.ImagePage->SpButImgApply->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Image saved"});
  EXPECT_TRUE(Near(QImage(Stored(f, "00000042")), 150, 150, Qt::blue));
}

TEST_P(ImagePageDbTest, TheButtonsActOnTheLoadedRootPLUNotTheTypedOne) {
  TForm1& f = ShowImagePage("00000042");
  StorePicture(f, "00000043", Qt::green);
  // Typed into the root PLU box but not opened.
  f.ComboBoxRootPLU->setEditText("00000043");
  Load(f, PictureOnDisk("small.jpg", 200, 100, Qt::red));
  f.ImagePage->SpButImgApply->click();
  EXPECT_EQ(QImage(Stored(f, "00000042")).size(), QSize(300, 300));
  EXPECT_TRUE(Near(QImage(Stored(f, "00000043")), 60, 40, Qt::green));

  f.ComboBoxRootPLU->setEditText("00000043");
  f.ImagePage->SpButImgClear->click();
  EXPECT_FALSE(QFile::exists(Stored(f, "00000042")));
  EXPECT_TRUE(QFile::exists(Stored(f, "00000043")));
  EXPECT_FALSE(Shown(f.ImagePage->ImageLarge));
  EXPECT_FALSE(Shown(f.ImageSmall));
}

TEST_P(ImagePageDbTest, APictureLoadedForAnotherStyleIsNotWrittenHere) {
  TForm1& f = ShowImagePage("00000042");
  Load(f, PictureOnDisk("wide.jpg", 600, 400, Qt::red));
  // Another colour is shown before Apply: it has no picture of its own.
  f.RootPLUToOpen = "00000043";
  f.FormShow();
  f.SpButTabImage->click();
  f.ImagePage->SpButImgApply->click();
  EXPECT_EQ(ShownTexts(), QStringList{"There is no image to save."});
  EXPECT_TRUE(QDir(f.ImagesFolder).entryList(QDir::Files).isEmpty());
}

TEST_P(ImagePageDbTest, CopyWritesThePictureForEveryColourOfTheStyleOnly) {
  TForm1& f = ShowImagePage("00000042");
  // Another style: its picture is not touched.
  sktest::StyleSpec other;
  other.rootPLU = "00000050";
  other.style = "TEE07";
  sktest::InsertStyle(db(), other);
  Load(f, PictureOnDisk("wide.jpg", 600, 400, Qt::red));
  f.ImagePage->SpButImgCopy->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Image was copied successfully!"});
  EXPECT_EQ(QDir(f.ImagesFolder).entryList(QDir::Files), (QStringList{"00000042.jpg", "00000043.jpg"}));
  // Copy keeps the picture's own size; only Apply makes the square.
  EXPECT_EQ(QImage(Stored(f, "00000043")).size(), QSize(600, 400));
  EXPECT_EQ(f.PageCtrlSF->currentWidget(), f.TabShImage);
}

TEST_P(ImagePageDbTest, AWriteThatFailsIsReportedAndThePictureKept) {
  TForm1& f = ShowImagePage("00000042");
  // A file where the pictures folder should be.
  QDir().mkpath(QFileInfo(f.ImagesFolder.chopped(1)).absolutePath());
  kvtest::WriteFile(f.ImagesFolder.chopped(1), "not a folder");
  Load(f, PictureOnDisk("wide.jpg", 600, 400, Qt::red));
  f.ImagePage->SpButImgApply->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].startsWith("Unable to save image.\n")) << ShownTexts()[0].toStdString();
  EXPECT_NE(LogText().indexOf("TForm1::SpButImgApplyClick"), -1);
  EXPECT_TRUE(Shown(f.ImagePage->ImageLarge));
  EXPECT_TRUE(f.isEnabled());
  ClearShownTexts();
  f.ImagePage->SpButImgCopy->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].startsWith("Unable to copy image to: 00000042, 00000043")) << ShownTexts()[0].toStdString();
}

KV_DB_ENGINES(ImagePageDbTest);

}  // namespace
