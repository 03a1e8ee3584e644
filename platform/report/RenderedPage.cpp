#include "RenderedPage.h"

#include <QPainter>

#include <cmath>

namespace kr {

QRectF RenderedText::TextRect() const {
  QRectF r;
  for (const auto& line : lines) r = r.isNull() ? line.rect : r.united(line.rect);
  return r;
}

QString RenderedText::PrintedText() const {
  QStringList parts;
  for (const auto& line : lines) parts << line.text;
  return parts.join('\n');
}

std::vector<const RenderedText*> RenderedBand::Texts() const {
  std::vector<const RenderedText*> out;
  for (const auto& item : items)
    if (const auto* t = std::get_if<RenderedText>(&item)) out.push_back(t);
  return out;
}

const RenderedText* RenderedBand::FindText(const QString& labelName) const {
  for (const auto* t : Texts())
    if (t->name == labelName) return t;
  return nullptr;
}

int RenderedPage::CountBands(BandType type) const { return static_cast<int>(BandsOf(type).size()); }

std::vector<const RenderedBand*> RenderedPage::BandsOf(BandType type) const {
  std::vector<const RenderedBand*> out;
  for (const auto& b : bands)
    if (b.type == type) out.push_back(&b);
  return out;
}

QStringList RenderedPage::Lines() const {
  QStringList out;
  for (const auto& b : bands)
    for (const auto* t : b.Texts())
      for (const auto& line : t->lines) out << line.text;
  return out;
}

const RenderedText* RenderedPage::FindText(const QString& contains) const {
  for (const auto& b : bands)
    for (const auto* t : b.Texts())
      if (t->PrintedText().contains(contains)) return t;
  return nullptr;
}

namespace {

// Millimetres to device pixels of the painter's device.
struct DeviceScale {
  qreal perMm;
  qreal operator()(qreal mm) const { return mm * perMm; }
  QRectF operator()(const QRectF& r) const {
    return {r.x() * perMm, r.y() * perMm, r.width() * perMm, r.height() * perMm};
  }
};

void PaintFrame(QPainter& p, const QRectF& rect, const Frame& frame, const DeviceScale& s) {
  if (!frame.Any()) return;
  QPen pen(frame.Colour, std::max<qreal>(1, s(frame.Width)));
  pen.setCapStyle(Qt::SquareCap);
  p.setPen(pen);
  const QRectF r = s(rect);
  if (frame.Top) p.drawLine(r.topLeft(), r.topRight());
  if (frame.Bottom) p.drawLine(r.bottomLeft(), r.bottomRight());
  if (frame.Left) p.drawLine(r.topLeft(), r.bottomLeft());
  if (frame.Right) p.drawLine(r.topRight(), r.bottomRight());
}

Qt::Alignment QtAlign(Alignment a) {
  switch (a) {
    case Alignment::Center: return Qt::AlignHCenter;
    case Alignment::Right: return Qt::AlignRight;
    case Alignment::Left: break;
  }
  return Qt::AlignLeft;
}

void PaintText(QPainter& p, const RenderedText& t, const DeviceScale& s, qreal dpi) {
  const QRectF box = s(t.rect);
  if (t.background.isValid()) p.fillRect(box, t.background);
  QFont f = t.font;
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(FontPixels96(t.font) * dpi / 96.0))));
  p.setFont(f);
  p.setPen(t.colour);
  if (t.clipped) {
    p.save();
    p.setClipRect(box);
  }
  // Each line is drawn across the label's width with the label's alignment,
  // so a slightly different glyph width on the device never pushes a
  // right-aligned figure over its edge.
  const int flags = QtAlign(t.alignment) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
  for (const auto& line : t.lines) {
    const QRectF lr = s(line.rect);
    p.drawText(QRectF(box.left(), lr.top(), box.width(), lr.height()), flags, line.text);
  }
  if (t.clipped) p.restore();
  PaintFrame(p, t.rect, t.frame, s);
}

void PaintShape(QPainter& p, const RenderedShape& sh, const DeviceScale& s) {
  p.setPen(QPen(sh.pen, std::max<qreal>(1, s(sh.penWidth))));
  p.setBrush(sh.brush.isValid() ? QBrush(sh.brush) : QBrush(Qt::NoBrush));
  const QRectF r = s(sh.rect);
  switch (sh.kind) {
    case ShapeKind::Rectangle: p.drawRect(r); break;
    case ShapeKind::Ellipse: p.drawEllipse(r); break;
    case ShapeKind::HorizontalLine: p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y())); break;
    case ShapeKind::VerticalLine: p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom())); break;
  }
  p.setBrush(Qt::NoBrush);
}

struct ItemPainter {
  QPainter& p;
  const DeviceScale& s;
  qreal dpi;
  void operator()(const RenderedText& t) const { PaintText(p, t, s, dpi); }
  void operator()(const RenderedShape& sh) const { PaintShape(p, sh, s); }
  void operator()(const RenderedImage& im) const { p.drawImage(s(im.rect), im.image); }
};

}  // namespace

void PaintPage(QPainter& painter, const RenderedPage& page, qreal dpi) {
  const DeviceScale s{dpi / 25.4};
  for (const auto& band : page.bands) {
    if (band.colour.isValid()) painter.fillRect(s(band.rect), band.colour);
    for (const auto& item : band.items) std::visit(ItemPainter{painter, s, dpi}, item);
    PaintFrame(painter, band.rect, band.frame, s);
  }
  PaintFrame(painter, page.printable, page.frame, s);
}

QImage PageImage(const RenderedPage& page, qreal dpi) {
  const qreal perMm = dpi / 25.4;
  QImage image(QSize(std::lround(page.size.width() * perMm), std::lround(page.size.height() * perMm)),
               QImage::Format_RGB32);
  const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  PaintPage(painter, page, dpi);
  return image;
}

}  // namespace kr
