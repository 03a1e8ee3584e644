#pragma once
// The things a band prints: labels, system-data fields, shapes and pictures.
// Geometry is in design pixels relative to the band's top-left corner.
#include "RenderedPage.h"
#include "TextMeasure.h"

#include <QDateTime>

namespace kr {

// What an item needs to know about the page it is laid out on.
struct LayoutContext {
  int zoom = 100;
  TextMeasure* measure = nullptr;
  QString reportTitle;
  QDateTime printedAt;
  int pageNumber = 1;

  qreal Mm(qreal designPixels) const { return DesignPixelsToMm(designPixels, zoom); }
};

class ReportItem {
 public:
  ReportItem(const QString& name, const QRectF& geometry);
  virtual ~ReportItem() = default;
  ReportItem(const ReportItem&) = delete;
  ReportItem& operator=(const ReportItem&) = delete;

  QString Name;
  qreal Left = 0;
  qreal Top = 0;
  qreal Width = 0;
  qreal Height = 0;
  bool Enabled = true;  // a disabled item does not print

  QRectF Geometry() const { return {Left, Top, Width, Height}; }
  void SetGeometry(const QRectF& r);

  // Appends what the item prints; origin is the band's top-left corner (mm).
  virtual void Layout(const LayoutContext& ctx, QPointF origin, std::vector<RenderedItem>& out) const = 0;

 protected:
  QRectF PaperRect(const LayoutContext& ctx, QPointF origin) const;
};

}  // namespace kr
