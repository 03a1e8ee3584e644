#pragma once
// The picture file of a root PLU, read safely: only a regular file below a
// sane size is opened (a FIFO or device of that name would hang the window,
// a huge file freeze it), and it is decoded within a size limit. Anything
// else is no picture, and the window shows "No image".
// (The suite's shared safe picture loader is on its way to platform/ui; when
// it lands, Load becomes a call of it.)
#include <QImage>
#include <QString>

class TPictureFileClass {
 public:
  static constexpr qint64 kMaxFileBytes = 32LL * 1024 * 1024;
  static constexpr int kMaxSide = 12000;

  // True when the file may be read as a picture (it exists, is a regular
  // file and is not too large); nothing is opened.
  static bool Usable(const QString& path);
  // The decoded picture; a null image when the file is not usable or not a
  // picture.
  static QImage Load(const QString& path);
};
