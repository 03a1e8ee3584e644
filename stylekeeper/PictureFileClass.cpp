#include "PictureFileClass.h"

#include <QFileInfo>
#include <QImageReader>

bool TPictureFileClass::Usable(const QString& path) {
  const QFileInfo info(path);
  return info.isFile() && info.size() <= kMaxFileBytes;
}

QImage TPictureFileClass::Load(const QString& path) {
  if (!Usable(path)) return QImage();
  QImageReader reader(path);
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > kMaxSide || size.height() > kMaxSide) return QImage();
  QImage image;
  if (!reader.read(&image)) return QImage();
  return image;
}
