#include "ReportShape.h"

namespace kr {

Shape::Shape(const QString& name, ShapeKind kind, const QRectF& geometry)
    : ReportItem(name, geometry), Kind(kind) {}

void Shape::Layout(const LayoutContext& ctx, QPointF origin, std::vector<RenderedItem>& out) const {
  if (!Enabled) return;
  out.emplace_back(RenderedShape{Kind, PaperRect(ctx, origin), PenColour, ctx.Mm(PenWidth), BrushColour});
}

}  // namespace kr
