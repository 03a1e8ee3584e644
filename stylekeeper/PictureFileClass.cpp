#include "PictureFileClass.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

#include "Files.h"
#include "Folders.h"

QRect TPictureFileClass::FitRect(int width, int height) {
  const int half = kFrame / 2;
  if (width <= kFrame && height <= kFrame) return QRect(half - width / 2, half - height / 2, width, height);
  if (width > height) {
    const int h = static_cast<int>(qint64(height) * kFrame / width);
    return QRect(0, half - h / 2, kFrame, h);
  }
  const int w = static_cast<int>(qint64(width) * kFrame / height);
  return QRect(half - w / 2, 0, w, kFrame);
}

QImage TPictureFileClass::Fit(const QImage& picture) {
  QImage square(kFrame, kFrame, QImage::Format_RGB32);
  square.fill(Qt::white);
  const QRect target = FitRect(picture.width(), picture.height());
  if (!target.isEmpty()) {
    QPainter painter(&square);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
  }
  return square;
}

QByteArray TPictureFileClass::Jpeg(const QImage& picture) {
  if (picture.isNull()) throw Error(QStringLiteral("There is no picture to write."));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(kJpegQuality);
  if (!writer.write(picture)) throw Error("The picture could not be made into a JPEG file: " + writer.errorString());
  return bytes;
}

void TPictureFileClass::Save(const QString& path, const QByteArray& bytes) {
  const QString folder = QFileInfo(path).absolutePath();
  if (!kos::ForceDirectories(folder)) throw Error("The pictures folder " + folder + " could not be made.");
  QString why;
  if (!kos::ReplaceFile(path, bytes, &why)) throw Error("The picture file " + path + " could not be written: " + why);
}
