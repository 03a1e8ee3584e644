#include "ReportItem.h"

namespace kr {

ReportItem::ReportItem(const QString& name, const QRectF& geometry) : Name(name) { SetGeometry(geometry); }

void ReportItem::SetGeometry(const QRectF& r) {
  Left = r.left();
  Top = r.top();
  Width = r.width();
  Height = r.height();
}

QRectF ReportItem::PaperRect(const LayoutContext& ctx, QPointF origin) const {
  return {origin.x() + ctx.Mm(Left), origin.y() + ctx.Mm(Top), ctx.Mm(Width), ctx.Mm(Height)};
}

}  // namespace kr
