#pragma once
// A picture on a band: stretched to the item's rectangle, or at its own size
// (one image pixel per design pixel) at the top-left or centred, cut to the
// rectangle. An empty picture prints nothing.
#include "ReportItem.h"

namespace kr {

class Image : public ReportItem {
 public:
  Image(const QString& name, const QRectF& geometry, const QImage& picture = {});

  QImage Picture;
  bool Stretch = false;
  bool Center = false;

  void Layout(const LayoutContext& ctx, QPointF origin, std::vector<RenderedItem>& out) const override;

 private:
  RenderedImage Natural(const LayoutContext& ctx, const QRectF& box) const;
};

}  // namespace kr
