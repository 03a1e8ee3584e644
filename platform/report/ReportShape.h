#pragma once
// A rectangle, ellipse or line on a band.
#include "ReportItem.h"

namespace kr {

class Shape : public ReportItem {
 public:
  Shape(const QString& name, ShapeKind kind, const QRectF& geometry);

  ShapeKind Kind;
  QColor PenColour = Qt::black;
  qreal PenWidth = 1;  // design pixels
  QColor BrushColour;  // invalid: not filled

  void Layout(const LayoutContext& ctx, QPointF origin, std::vector<RenderedItem>& out) const override;
};

}  // namespace kr
