#include "MenuGlyphs.h"

#include "KuiColour.h"
#include "MessageFrame.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace launcher {
namespace {

// The glyphs are drawn on a 64 by 64 grid and scaled to the side asked for.
constexpr double kGrid = 64.0;

const QColor kInk = kui::BgrColour(0x2D2A2B);     // the menu's dark grey
const QColor kAccent = kui::BgrColour(0x2F7DE0);  // warm orange
const QColor kCool = kui::BgrColour(0xA06A1E);    // steel blue

void Pen(QPainter& p, const QColor& c, double w) {
  p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
}

void Fill(QPainter& p, const QColor& c) {
  p.setPen(Qt::NoPen);
  p.setBrush(c);
}

void Gear(QPainter& p) {
  Fill(p, kInk);
  for (int i = 0; i < 8; ++i) {
    p.save();
    p.translate(32, 32);
    p.rotate(i * 45.0);
    p.drawRect(QRectF(-5, -27, 10, 12));
    p.restore();
  }
  p.drawEllipse(QPointF(32, 32), 18, 18);
  Fill(p, Qt::white);
  p.drawEllipse(QPointF(32, 32), 7, 7);
}

void Hanger(QPainter& p) {
  Pen(p, kInk, 4);
  p.drawArc(QRectF(26, 6, 12, 12), 180 * 16, -250 * 16);
  p.drawLine(QPointF(32, 18), QPointF(32, 24));
  QPainterPath body;
  body.moveTo(32, 24);
  body.lineTo(6, 44);
  body.lineTo(58, 44);
  body.closeSubpath();
  p.drawPath(body);
  Fill(p, kAccent);
  p.drawRect(QRectF(16, 48, 32, 10));
}

void Bars(QPainter& p) {
  Pen(p, kInk, 3);
  p.drawLine(QPointF(8, 56), QPointF(58, 56));
  const double heights[] = {18, 32, 24, 44};
  for (int i = 0; i < 4; ++i) {
    Fill(p, i == 3 ? kAccent : kCool);
    p.drawRect(QRectF(12 + i * 12, 54 - heights[i], 8, heights[i]));
  }
}

void ArrowUp(QPainter& p) {
  Fill(p, kAccent);
  p.drawEllipse(QRectF(6, 6, 52, 52));
  Fill(p, Qt::white);
  QPainterPath a;
  a.moveTo(32, 14);
  a.lineTo(48, 32);
  a.lineTo(38, 32);
  a.lineTo(38, 48);
  a.lineTo(26, 48);
  a.lineTo(26, 32);
  a.lineTo(16, 32);
  a.closeSubpath();
  p.drawPath(a);
}

void Envelope(QPainter& p) {
  Fill(p, Qt::white);
  Pen(p, kInk, 4);
  p.drawRoundedRect(QRectF(6, 14, 52, 36), 4, 4);
  p.drawPolyline(QPolygonF({QPointF(8, 16), QPointF(32, 36), QPointF(56, 16)}));
}

void Cross(QPainter& p) {
  Pen(p, kInk, 6);
  p.drawLine(QPointF(16, 16), QPointF(48, 48));
  p.drawLine(QPointF(48, 16), QPointF(16, 48));
}

void Truck(QPainter& p) {
  Fill(p, kCool);
  p.drawRect(QRectF(4, 18, 34, 24));
  Fill(p, kInk);
  p.drawRect(QRectF(40, 26, 18, 16));
  Fill(p, kInk);
  p.drawEllipse(QPointF(16, 46), 6, 6);
  p.drawEllipse(QPointF(48, 46), 6, 6);
}

void Tag(QPainter& p) {
  QPainterPath t;
  t.moveTo(30, 6);
  t.lineTo(58, 6);
  t.lineTo(58, 34);
  t.lineTo(30, 60);
  t.lineTo(4, 34);
  t.closeSubpath();
  Fill(p, kAccent);
  p.drawPath(t);
  Fill(p, Qt::white);
  p.drawEllipse(QPointF(47, 17), 5, 5);
}

void Squares(QPainter& p) {
  for (int i = 0; i < 4; ++i) {
    Fill(p, i % 3 == 0 ? kCool : kInk);
    p.drawRoundedRect(QRectF(8 + (i % 2) * 26, 8 + (i / 2) * 26, 22, 22), 3, 3);
  }
}

void Building(QPainter& p) {
  Fill(p, kInk);
  p.drawRect(QRectF(10, 20, 44, 38));
  QPainterPath roof;
  roof.moveTo(6, 22);
  roof.lineTo(32, 6);
  roof.lineTo(58, 22);
  roof.closeSubpath();
  Fill(p, kAccent);
  p.drawPath(roof);
  Fill(p, Qt::white);
  for (int i = 0; i < 3; ++i) p.drawRect(QRectF(16 + i * 12, 30, 8, 10));
  p.drawRect(QRectF(27, 44, 10, 14));
}

void Palette(QPainter& p) {
  const quint32 dots[] = {0x0000E0, 0x00C0E0, 0x30B040, 0xE06020, 0x8030A0};
  Fill(p, kui::BgrColour(0xD8E8F0));
  p.drawEllipse(QRectF(4, 8, 56, 48));
  for (int i = 0; i < 5; ++i) {
    const double a = std::numbers::pi * (0.9 + i * 0.3);
    Fill(p, kui::BgrColour(dots[i]));
    p.drawEllipse(QPointF(32 + 18 * std::cos(a), 32 + 14 * std::sin(a)), 6, 6);
  }
}

void Ruler(QPainter& p) {
  p.save();
  p.translate(32, 32);
  p.rotate(-30);
  Fill(p, kAccent);
  p.drawRect(QRectF(-28, -9, 56, 18));
  Pen(p, kInk, 2);
  for (int i = 0; i < 9; ++i) {
    const double x = -24 + i * 6;
    p.drawLine(QPointF(x, -9), QPointF(x, i % 2 ? -4 : 0));
  }
  p.restore();
}

void Clock(QPainter& p) {
  Fill(p, Qt::white);
  Pen(p, kInk, 4);
  p.drawEllipse(QPointF(32, 32), 25, 25);
  p.drawLine(QPointF(32, 32), QPointF(32, 16));
  Pen(p, kAccent, 4);
  p.drawLine(QPointF(32, 32), QPointF(44, 38));
}

void Coins(QPainter& p) {
  for (int i = 0; i < 4; ++i) {
    Fill(p, i % 2 ? kAccent : kui::BgrColour(0x20A0E0));
    p.drawEllipse(QRectF(10 + (i % 2) * 4, 44 - i * 10, 40, 14));
  }
  Pen(p, kInk, 3);
  p.drawLine(QPointF(54, 10), QPointF(54, 56));
}

void Lines(QPainter& p, bool broken) {
  for (int i = 0; i < 5; ++i) {
    Fill(p, i == 0 ? kCool : kInk);
    const double y = 8 + i * 11;
    if (broken && i == 3) {
      Fill(p, kAccent);
      p.drawRect(QRectF(6, y, 20, 6));
      p.drawRect(QRectF(36, y, 22, 6));
    } else {
      p.drawRect(QRectF(6, y, 52, 6));
    }
  }
}

void Barcode(QPainter& p, bool withList) {
  Fill(p, kInk);
  const int widths[] = {3, 1, 2, 1, 3, 2, 1, 1, 3, 1, 2, 2, 1, 3};
  double x = 6;
  for (int i = 0; i < 14; ++i) {
    if (i % 2 == 0) p.drawRect(QRectF(x, 8, widths[i] * 2, withList ? 30 : 48));
    x += widths[i] * 2 + 1;
  }
  if (!withList) return;
  Fill(p, kAccent);
  for (int i = 0; i < 2; ++i) p.drawRect(QRectF(6, 44 + i * 9, 52, 5));
}

void Draw(QPainter& p, Glyph g) {
  switch (g) {
    case Glyph::Setup: Gear(p); break;
    case Glyph::StyleKeeper: Hanger(p); break;
    case Glyph::Reports: Bars(p); break;
    case Glyph::Upgrade: ArrowUp(p); break;
    case Glyph::Contact: Envelope(p); break;
    case Glyph::Close: Cross(p); break;
    case Glyph::Suppliers: Truck(p); break;
    case Glyph::Brands: Tag(p); break;
    case Glyph::Categories: Squares(p); break;
    case Glyph::Departments: Building(p); break;
    case Glyph::Colours: Palette(p); break;
    case Glyph::Sizes: Ruler(p); break;
    case Glyph::History: Clock(p); break;
    case Glyph::Valuation: Coins(p); break;
    case Glyph::StyleList: Lines(p, false); break;
    case Glyph::BrokenStyles: Lines(p, true); break;
    case Glyph::RootPLU: Barcode(p, false); break;
    case Glyph::ProductList: Barcode(p, true); break;
  }
}

}  // namespace

QPixmap GlyphPixmap(Glyph glyph, int side) {
  QPixmap pm(side, side);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(side / kGrid, side / kGrid);
  Draw(p, glyph);
  return pm;
}

namespace {

// A glyph drawn when its button is first painted: the buttons of the menus
// not shown yet cost nothing at start-up. The last size drawn is kept.
class GlyphEngine : public QIconEngine {
 public:
  GlyphEngine(Glyph glyph, int side) : glyph_(glyph), side_(side) {}
  QIconEngine* clone() const override { return new GlyphEngine(*this); }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = std::min({size.width(), size.height(), side_});
    return {side, side};
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
    const int side = std::max(1, std::min(size.width(), size.height()));
    if (drawn_.width() != side) drawn_ = GlyphPixmap(glyph_, side);
    if (mode == QIcon::Normal || !QApplication::style()) return drawn_;
    // Disabled or active: as the style shows any picture in that state.
    QStyleOption option;
    option.palette = QGuiApplication::palette();
    return QApplication::style()->generatedIconPixmap(mode, drawn_, &option);
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
  }

 private:
  Glyph glyph_;
  int side_;
  QPixmap drawn_;
};

}  // namespace

QIcon GlyphIcon(Glyph glyph, int side) { return QIcon(new GlyphEngine(glyph, side)); }

QPixmap LogoPixmap(int height) {
  // A dark tile with the initial, then the product name beside it.
  const int width = height * 4;
  QPixmap pm(width, height);
  pm.fill(Qt::white);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const double tile = height - 8;
  const QRectF tileRect(6, 4, tile, tile);
  Fill(p, kInk);
  p.drawRoundedRect(tileRect, tile / 6, tile / 6);
  Fill(p, kAccent);
  p.drawRect(QRectF(tileRect.left(), tileRect.bottom() - tile / 8, tile, tile / 8));
  p.setPen(Qt::white);
  p.setFont(kvVerdana(static_cast<int>(tile * 0.7), true));
  p.drawText(tileRect.adjusted(0, 0, 0, -tile / 8), Qt::AlignCenter, QStringLiteral("T"));
  p.setPen(kInk);
  p.setFont(kvVerdana(static_cast<int>(height * 0.45), true));
  p.drawText(QRectF(tileRect.right() + 8, 0, width, height), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Tessarin"));
  return pm;
}

}  // namespace launcher
