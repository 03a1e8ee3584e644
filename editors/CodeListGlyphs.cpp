#include "CodeListGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "KuiColour.h"

namespace editors {
namespace {

// Drawn on a 48 by 48 grid, scaled to the side asked for.
constexpr qreal kGrid = 48.0;

const QColor kInk = kui::BgrColour(0x3A3A3A);
const QColor kGreen = kui::BgrColour(0x3C9A2E);
const QColor kRed = kui::BgrColour(0x2B39C0);
const QColor kBlue = kui::BgrColour(0xB06A2A);
const QColor kPaper = kui::BgrColour(0xF4F4F4);

void Stroke(QPainter& p, const QColor& c, qreal width) {
  p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
}

void Solid(QPainter& p, const QColor& c) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
}

void Printer(QPainter& p) {
  Stroke(p, kInk, 2.5);
  p.setBrush(kPaper);
  p.drawRect(QRectF(14, 6, 20, 14));     // paper going in
  Solid(p, kInk);
  p.drawRoundedRect(QRectF(6, 18, 36, 16), 3, 3);
  Stroke(p, kInk, 2.5);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(13, 28, 22, 14));    // the printed sheet
  Stroke(p, kInk, 1.5);
  for (qreal y : {33.0, 37.0}) p.drawLine(QPointF(17, y), QPointF(31, y));
  Solid(p, kGreen);
  p.drawEllipse(QPointF(37, 23), 2, 2);
}

void Plus(QPainter& p) {
  Solid(p, kGreen);
  p.drawEllipse(QRectF(4, 4, 40, 40));
  Stroke(p, Qt::white, 6);
  p.drawLine(QPointF(24, 13), QPointF(24, 35));
  p.drawLine(QPointF(13, 24), QPointF(35, 24));
}

void Pencil(QPainter& p) {
  QPainterPath body;
  body.moveTo(33, 6);
  body.lineTo(42, 15);
  body.lineTo(17, 40);
  body.lineTo(8, 31);
  body.closeSubpath();
  Solid(p, kBlue);
  p.drawPath(body);
  QPainterPath tip;
  tip.moveTo(8, 31);
  tip.lineTo(17, 40);
  tip.lineTo(5, 43);
  tip.closeSubpath();
  Solid(p, kInk);
  p.drawPath(tip);
  Stroke(p, Qt::white, 1.5);
  p.drawLine(QPointF(29, 10), QPointF(38, 19));
}

void Cross(QPainter& p, const QColor& ground) {
  Solid(p, ground);
  p.drawRoundedRect(QRectF(5, 5, 38, 38), 8, 8);
  Stroke(p, Qt::white, 5);
  p.drawLine(QPointF(15, 15), QPointF(33, 33));
  p.drawLine(QPointF(33, 15), QPointF(15, 33));
}

void Disk(QPainter& p) {
  QPainterPath body;
  body.moveTo(6, 6);
  body.lineTo(36, 6);
  body.lineTo(42, 12);
  body.lineTo(42, 42);
  body.lineTo(6, 42);
  body.closeSubpath();
  Solid(p, kBlue);
  p.drawPath(body);
  Solid(p, Qt::white);
  p.drawRect(QRectF(13, 6, 20, 12));   // the shutter's label
  p.drawRect(QRectF(11, 26, 26, 16));  // the label
  Solid(p, kBlue);
  p.drawRect(QRectF(26, 8, 5, 8));
  Stroke(p, kGreen, 3.5);
  p.drawPolyline(QPolygonF({QPointF(16, 34), QPointF(21, 38), QPointF(32, 29)}));
}

}  // namespace

QIcon GlyphIcon(Glyph glyph, int side) {
  QPixmap pm(side, side);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(side / kGrid, side / kGrid);
  switch (glyph) {
    case Glyph::Print: Printer(p); break;
    case Glyph::Add: Plus(p); break;
    case Glyph::Edit: Pencil(p); break;
    case Glyph::Cancel: Cross(p, kRed); break;
    case Glyph::Save: Disk(p); break;
    case Glyph::Exit: Cross(p, kInk); break;
  }
  return QIcon(pm);
}

}  // namespace editors
