#include "CodeListGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>

#include <utility>

#include "KuiColour.h"

namespace editors {
namespace {

// Drawn on a 48 by 48 grid, scaled to the side asked for.
constexpr qreal kGrid = 48.0;

const QColor kInk = kui::BgrColour(0x3A3A3A);
const QColor kGreen = kui::BgrColour(0x3C9A2E);
const QColor kRed = kui::BgrColour(0x2B39C0);
const QColor kBlue = kui::BgrColour(0xB06A2A);

QPainterPath Polygon(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(points));
  path.closeSubpath();
  return path;
}

QPainterPath Rounded(const QRectF& r, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(r, radius, radius);
  return path;
}

QPen Line(const QColor& c, qreal width) { return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

// Straight strokes, each from its first point to its second.
void Strokes(QPainter& p, std::initializer_list<std::pair<QPointF, QPointF>> lines, const QPen& pen) {
  QPainterPath path;
  for (const auto& [from, to] : lines) {
    path.moveTo(from);
    path.lineTo(to);
  }
  p.strokePath(path, pen);
}

void Printer(QPainter& p) {
  p.fillPath(Rounded({14, 6, 20, 14}, 1), kui::BgrColour(0xF4F4F4));
  p.strokePath(Rounded({14, 6, 20, 14}, 1), Line(kInk, 2.5));
  p.fillPath(Rounded({6, 18, 36, 16}, 3), kInk);
  p.fillPath(Rounded({13, 28, 22, 14}, 1), Qt::white);
  p.strokePath(Rounded({13, 28, 22, 14}, 1), Line(kInk, 2.5));
  Strokes(p, {{{17, 33}, {31, 33}}, {{17, 37}, {31, 37}}}, Line(kInk, 1.5));  // the printed lines
  p.fillPath(Rounded({35, 21, 4, 4}, 2), kGreen);
}

void Plus(QPainter& p) {
  p.fillPath(Rounded({4, 4, 40, 40}, 20), kGreen);
  Strokes(p, {{{24, 13}, {24, 35}}, {{13, 24}, {35, 24}}}, Line(Qt::white, 6));
}

void Pencil(QPainter& p) {
  p.fillPath(Polygon({{33, 6}, {42, 15}, {17, 40}, {8, 31}}), kBlue);
  p.fillPath(Polygon({{8, 31}, {17, 40}, {5, 43}}), kInk);
  Strokes(p, {{{29, 10}, {38, 19}}}, Line(Qt::white, 1.5));
}

void Cross(QPainter& p, const QColor& ground) {
  p.fillPath(Rounded({5, 5, 38, 38}, 8), ground);
  Strokes(p, {{{15, 15}, {33, 33}}, {{33, 15}, {15, 33}}}, Line(Qt::white, 5));
}

void Disk(QPainter& p) {
  p.fillPath(Polygon({{6, 6}, {36, 6}, {42, 12}, {42, 42}, {6, 42}}), kBlue);
  p.fillPath(Rounded({13, 6, 20, 12}, 0), Qt::white);  // the shutter
  p.fillPath(Rounded({26, 8, 5, 8}, 0), kBlue);
  p.fillPath(Rounded({11, 26, 26, 16}, 0), Qt::white);  // the label
  Strokes(p, {{{16, 34}, {21, 38}}, {{21, 38}, {32, 29}}}, Line(kGreen, 3.5));
}

// Two sheets, the copy lying over the original.
void Sheets(QPainter& p) {
  p.fillPath(Rounded({6, 6, 24, 30}, 2), kui::BgrColour(0xF4F4F4));
  p.strokePath(Rounded({6, 6, 24, 30}, 2), Line(kInk, 2.5));
  p.fillPath(Rounded({18, 14, 24, 30}, 2), Qt::white);
  p.strokePath(Rounded({18, 14, 24, 30}, 2), Line(kBlue, 2.5));
  Strokes(p, {{{23, 23}, {37, 23}}, {{23, 29}, {37, 29}}, {{23, 35}, {33, 35}}}, Line(kBlue, 1.5));
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
    case Glyph::Copy: Sheets(p); break;
  }
  return QIcon(pm);
}

QToolButton* ExitButton(QWidget* parent, int side, int margin) {
  auto* b = new QToolButton(parent);
  b->setObjectName("ImageExit");
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  b->setFixedSize(side, side);
  b->setIcon(GlyphIcon(Glyph::Exit, side - margin));
  b->setIconSize({side - margin, side - margin});
  b->setToolTip("Exit");
  return b;
}

QFont Verdana(int pixels, bool bold) {
  QFont f("Verdana");
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

}  // namespace editors
