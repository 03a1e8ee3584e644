#include "PickItemDrawClass.h"

#include <QPainter>
#include <QStyleOptionViewItem>

void TPickItemDrawClass::Draw(QPainter& p, const QStyleOptionViewItem& option, const QFont& font,
                              const QString& name, QPoint offset) {
  const bool selected = option.state & QStyle::State_Selected;
  const bool enabled = option.state & QStyle::State_Enabled;
  p.save();
  p.fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
  QColor text = Qt::black;
  if (selected)
    text = option.palette.color(QPalette::HighlightedText);
  else if (!enabled)
    text = option.palette.color(QPalette::Disabled, QPalette::Text);
  p.setPen(text);
  p.setFont(font);
  const QRect r = option.rect.adjusted(offset.x(), offset.y(), 0, 0);
  p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, name);
  p.restore();
}
