#pragma once
// A text on a band. The caption may change at run time (BeforePrint,
// NeedData); each band printed takes the caption and style of that moment.
#include "ReportItem.h"

namespace kr {

class Label : public ReportItem {
 public:
  Label(const QString& name, const QRectF& geometry, const QString& caption = {});

  QString Caption;
  QFont Font = PixelFont("Arial", 13);
  QColor FontColour = Qt::black;
  QColor Colour;  // background; invalid: transparent
  kr::Alignment Alignment = kr::Alignment::Left;
  bool AutoSize = false;  // the width follows the text (single line only)
  bool WordWrap = false;  // lines broken to the width; lines below the height are cut
  kr::Frame Frame;

  void Layout(const LayoutContext& ctx, QPointF origin, std::vector<RenderedItem>& out) const override;

 protected:
  // The text printed: the caption, or what a system-data field reads.
  virtual QString PrintedText(const LayoutContext& ctx) const;

 private:
  QStringList Lines(const LayoutContext& ctx, const QString& text, qreal widthMm) const;
  QRectF AutoSized(QRectF rect, qreal textWidth, qreal lineHeight) const;
  qreal LineLeft(const QRectF& rect, qreal lineWidth) const;
};

// A field the report fills itself: date and time, report title, page number.
// Text goes before the value ("Page " gives "Page 3").
class SysData : public Label {
 public:
  SysData(const QString& name, SysDataKind data, const QRectF& geometry);

  SysDataKind Data;
  QString Text;

  // The value of a field, as every report prints it.
  static QString Value(SysDataKind data, const LayoutContext& ctx);

 protected:
  QString PrintedText(const LayoutContext& ctx) const override;
};

}  // namespace kr
