#include "ReportImage.h"

namespace kr {

Image::Image(const QString& name, const QRectF& geometry, const QImage& picture)
    : ReportItem(name, geometry), Picture(picture) {}

RenderedImage Image::Natural(const LayoutContext& ctx, const QRectF& box) const {
  // Work in design pixels, where one image pixel is one design pixel.
  QRectF placed(0, 0, Picture.width(), Picture.height());
  if (Center) placed.moveCenter(QPointF(Width / 2, Height / 2));
  const QRectF visible = placed.intersected(QRectF(0, 0, Width, Height));
  if (visible.isEmpty()) return {};
  const QRect source = visible.translated(-placed.topLeft()).toAlignedRect().intersected(Picture.rect());
  const QRectF target(box.left() + ctx.Mm(visible.left()), box.top() + ctx.Mm(visible.top()),
                      ctx.Mm(source.width()), ctx.Mm(source.height()));
  return {target, Picture.copy(source)};
}

void Image::Layout(const LayoutContext& ctx, QPointF origin, std::vector<RenderedItem>& out) const {
  if (!Enabled || Picture.isNull()) return;
  const QRectF box = PaperRect(ctx, origin);
  RenderedImage image = Stretch ? RenderedImage{box, Picture} : Natural(ctx, box);
  if (!image.image.isNull()) out.emplace_back(std::move(image));
}

}  // namespace kr
