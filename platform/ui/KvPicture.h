#pragma once
// Reading a picture file that anyone may have put in the shared pictures
// folder, without letting it stop the program.
//
//   QString why;
//   const QImage picture = kui::LoadPicture(imagesFolder + rootPLU + ".jpg", &why);
//   if (picture.isNull()) ShowNoImage();        // missing, refused or unreadable
//
// Only a regular file is read, and only up to kMaxPictureBytes: a pipe or a
// device given the picture's name is never waited on, and a huge file is
// refused before a byte of it is read. The picture is decoded with a limit on
// the memory its pixels take, so a small file that claims enormous
// dimensions is refused too. The format is told by the contents.
#include <QImage>
#include <QString>

namespace kui {

inline constexpr qint64 kMaxPictureBytes = 64LL * 1024 * 1024;
inline constexpr int kMaxPictureMegabytes = 256;  // of decoded pixels

struct PictureLimits {
  qint64 maxFileBytes = kMaxPictureBytes;
  int maxDecodedMegabytes = kMaxPictureMegabytes;
};

// The picture, or a null image (with the reason in *why) when the file is
// missing, is no regular file, is too big, or cannot be decoded within the
// limits.
QImage LoadPicture(const QString& path, QString* why = nullptr, const PictureLimits& limits = {});

}  // namespace kui
