#include "Band.h"

namespace kr {

Band::Band(BandType type, qreal height, const QString& name) : Name(name), Height(height), type_(type) {}

Label& Band::AddLabel(const QString& name, const QRectF& geometry, const QString& caption) {
  return Add<Label>(name, geometry, caption);
}

SysData& Band::AddSysData(const QString& name, SysDataKind data, const QRectF& geometry) {
  return Add<SysData>(name, data, geometry);
}

Shape& Band::AddShape(const QString& name, ShapeKind kind, const QRectF& geometry) {
  return Add<Shape>(name, kind, geometry);
}

Image& Band::AddImage(const QString& name, const QRectF& geometry, const QImage& picture) {
  return Add<Image>(name, geometry, picture);
}

RenderedBand Band::Layout(const LayoutContext& ctx, QPointF topLeft, qreal width) const {
  RenderedBand out;
  out.type = type_;
  out.name = Name;
  out.rect = QRectF(topLeft, QSizeF(width, ctx.Mm(Height)));
  out.colour = Colour;
  out.frame = Frame;
  out.frame.Width = ctx.Mm(Frame.Width);
  out.items.reserve(items_.size());
  for (const auto& item : items_) item->Layout(ctx, topLeft, out.items);
  return out;
}

}  // namespace kr
