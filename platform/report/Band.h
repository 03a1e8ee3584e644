#pragma once
// A band of the report: a strip across the page of a given height that holds
// labels, fields, shapes and pictures. Its colour, frame and items may be
// changed between records (NeedData); each printed band takes them as they
// are at that moment.
#include "Label.h"
#include "ReportImage.h"
#include "ReportShape.h"

#include <memory>

namespace kr {

class Band {
 public:
  Band(BandType type, qreal height, const QString& name = {});
  Band(const Band&) = delete;
  Band& operator=(const Band&) = delete;

  BandType Type() const { return type_; }

  QString Name;
  qreal Height;   // design pixels
  QColor Colour;  // invalid: transparent
  kr::Frame Frame;
  bool Enabled = true;  // a disabled band is left out, and takes no room

  Label& AddLabel(const QString& name, const QRectF& geometry, const QString& caption = {});
  SysData& AddSysData(const QString& name, SysDataKind data, const QRectF& geometry);
  Shape& AddShape(const QString& name, ShapeKind kind, const QRectF& geometry);
  Image& AddImage(const QString& name, const QRectF& geometry, const QImage& picture = {});

  const std::vector<std::unique_ptr<ReportItem>>& Items() const { return items_; }
  // The item of that name and type, or nullptr.
  template <class T>
  T* Find(const QString& name) const {
    for (const auto& item : items_)
      if (item->Name == name)
        if (auto* found = dynamic_cast<T*>(item.get())) return found;
    return nullptr;
  }

  // The band as printed at topLeft (mm), across the given width (mm).
  RenderedBand Layout(const LayoutContext& ctx, QPointF topLeft, qreal width) const;

 private:
  template <class T, class... Args>
  T& Add(Args&&... args) {
    items_.push_back(std::make_unique<T>(std::forward<Args>(args)...));
    return static_cast<T&>(*items_.back());
  }

  BandType type_;
  std::vector<std::unique_ptr<ReportItem>> items_;
};

}  // namespace kr
