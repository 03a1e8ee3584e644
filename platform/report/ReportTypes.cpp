#include "ReportTypes.h"

namespace kr {

QFont PixelFont(const QString& family, int pixels, bool bold) {
  QFont f(family);
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

QFont PointFont(const QString& family, qreal points, bool bold) {
  QFont f(family);
  f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}

qreal FontPixels96(const QFont& font) {
  if (font.pixelSize() > 0) return font.pixelSize();
  if (font.pointSizeF() > 0) return font.pointSizeF() * 96.0 / 72.0;
  return 13;  // a font without a size prints as the form's default Arial 13 px
}

}  // namespace kr
