#include "KuiColour.h"

#include <QWidget>

namespace kui {

QColor BgrColour(quint32 bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

quint32 ToBgr(const QColor& colour) {
  const QColor c = colour.toRgb();
  return static_cast<quint32>(c.red()) | (static_cast<quint32>(c.green()) << 8) |
         (static_cast<quint32>(c.blue()) << 16);
}

QColor BgrColourOr(const QString& text, const QColor& fallback) {
  bool ok = false;
  const qlonglong v = text.trimmed().toLongLong(&ok);
  if (!ok) return fallback;
  return BgrColour(static_cast<quint32>(v & 0xFFFFFFFF));
}

void PaintBackground(QWidget* w, const QColor& colour) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, colour);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

}  // namespace kui
