#include "Label.h"

#include <QLocale>

namespace kr {
namespace {
constexpr qreal kEpsilonMm = 0.01;
}

Label::Label(const QString& name, const QRectF& geometry, const QString& caption)
    : ReportItem(name, geometry), Caption(caption) {}

QString Label::PrintedText(const LayoutContext&) const { return Caption; }

QStringList Label::Lines(const LayoutContext& ctx, const QString& text, qreal widthMm) const {
  if (text.isEmpty()) return {};
  if (WordWrap) return ctx.measure->Wrap(Font, text, widthMm);
  QString single = text;
  single.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace('\n', ' ').replace('\r', ' ');
  return {single};
}

QRectF Label::AutoSized(QRectF rect, qreal textWidth, qreal lineHeight) const {
  // The label keeps the edge its alignment holds to: left, right or centre.
  const qreal right = rect.right(), centre = rect.center().x();
  rect.setWidth(textWidth);
  rect.setHeight(lineHeight);
  if (Alignment == kr::Alignment::Right) rect.moveRight(right);
  if (Alignment == kr::Alignment::Center) rect.moveLeft(centre - textWidth / 2);
  return rect;
}

qreal Label::LineLeft(const QRectF& rect, qreal lineWidth) const {
  switch (Alignment) {
    case kr::Alignment::Center: return rect.center().x() - lineWidth / 2;
    case kr::Alignment::Right: return rect.right() - lineWidth;
    case kr::Alignment::Left: break;
  }
  return rect.left();
}

void Label::Layout(const LayoutContext& ctx, QPointF origin, std::vector<RenderedItem>& out) const {
  if (!Enabled) return;
  RenderedText t;
  t.name = Name;
  t.text = PrintedText(ctx);
  t.rect = PaperRect(ctx, origin);
  t.alignment = Alignment;
  t.font = Font;
  t.colour = FontColour;
  t.background = Colour;
  t.frame = Frame;
  t.frame.Width = ctx.Mm(Frame.Width);

  TextMeasure& m = *ctx.measure;
  const qreal lineHeight = m.LineHeight(Font);
  const QStringList lines = Lines(ctx, t.text, t.rect.width());
  if (AutoSize && !WordWrap && !lines.isEmpty()) t.rect = AutoSized(t.rect, m.Width(Font, lines.first()), lineHeight);

  qreal y = t.rect.top();
  for (const QString& line : lines) {
    // The first line always prints; later ones only while they fit.
    if (!t.lines.empty() && y + lineHeight > t.rect.bottom() + kEpsilonMm) {
      t.clipped = true;
      break;
    }
    const qreal w = m.Width(Font, line);
    if (w > t.rect.width() + kEpsilonMm) t.clipped = true;
    t.lines.push_back({line, QRectF(LineLeft(t.rect, w), y, w, lineHeight)});
    y += lineHeight;
  }
  out.emplace_back(std::move(t));
}

SysData::SysData(const QString& name, SysDataKind data, const QRectF& geometry)
    : Label(name, geometry), Data(data) {}

QString SysData::Value(SysDataKind data, const LayoutContext& ctx) {
  const QLocale locale;
  switch (data) {
    case SysDataKind::DateTime: return locale.toString(ctx.printedAt, QLocale::ShortFormat);
    case SysDataKind::Date: return locale.toString(ctx.printedAt.date(), QLocale::ShortFormat);
    case SysDataKind::Time: return locale.toString(ctx.printedAt.time(), QLocale::ShortFormat);
    case SysDataKind::ReportTitle: return ctx.reportTitle;
    case SysDataKind::PageNumber: return QString::number(ctx.pageNumber);
  }
  return {};
}

QString SysData::PrintedText(const LayoutContext& ctx) const { return Text + Value(Data, ctx); }

}  // namespace kr
