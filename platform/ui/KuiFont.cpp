#include "KuiFont.h"

#include <QWidget>

namespace kui {

void SmoothFont(QFont& font) {
  font.setStyleStrategy(static_cast<QFont::StyleStrategy>(
      (font.styleStrategy() & ~QFont::NoAntialias) | QFont::PreferAntialias));
}

void SmoothFonts(QWidget* widget) {
  if (!widget) return;
  auto apply = [](QWidget* w) {
    QFont f = w->font();
    SmoothFont(f);
    w->setFont(f);
  };
  apply(widget);
  for (QWidget* child : widget->findChildren<QWidget*>()) apply(child);
}

}  // namespace kui
