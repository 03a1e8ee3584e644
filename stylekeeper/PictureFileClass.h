#pragma once
// The picture file of a colour, without a window: the 300 by 300 square a
// picture is fitted into, its JPEG encoding, and the write that replaces a
// stored picture whole.
//
//   const QImage square = TPictureFileClass::Fit(picture);
//   TPictureFileClass::Save(imagesFolder + "00000042.jpg", TPictureFileClass::Jpeg(square));
//
// A picture that fits keeps its size and is centred; a larger one is scaled
// down, keeping its shape, until its longer side is 300. The arithmetic is in
// whole numbers with the remainder dropped, so a 301 x 1 picture becomes
// 300 x 0 (and nothing is drawn). The square is white where the picture does
// not cover it.
#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

#include <stdexcept>

class TPictureFileClass {
 public:
  static constexpr int kFrame = 300;
  static constexpr int kJpegQuality = 90;

  // A picture file that could not be made or written; the text says why.
  class Error : public std::runtime_error {
   public:
    explicit Error(const QString& message) : std::runtime_error(message.toStdString()) {}
  };

  // Where a picture of that size lies in the square.
  static QRect FitRect(int width, int height);
  // The square with the picture drawn into FitRect.
  static QImage Fit(const QImage& picture);
  // The picture as JPEG file contents. Throws Error.
  static QByteArray Jpeg(const QImage& picture);
  // Writes the file whole: its folder is made when missing, the bytes go to
  // a temporary file beside it that then takes the name, so the stored
  // picture is replaced only by a complete new one. Throws Error.
  static void Save(const QString& path, const QByteArray& bytes);
};
