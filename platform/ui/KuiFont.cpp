#include "KuiFont.h"

#include <QWidget>

namespace kui {

void SmoothFont(QFont& font) {
  font.setStyleStrategy(static_cast<QFont::StyleStrategy>(
      (font.styleStrategy() & ~QFont::NoAntialias) | QFont::PreferAntialias));
}

void SmoothFonts(QWidget* widget) {
  if (!widget) return;
  // A font set on a widget reaches every descendant that does not choose its
  // own style strategy, so after the top one only those few need it: setting
  // every font again would make each descendant's whole subtree resolve its
  // fonts once more.
  auto apply = [](QWidget* w) {
    QFont f = w->font();
    SmoothFont(f);
    if (f.styleStrategy() != w->font().styleStrategy()) w->setFont(f);
  };
  apply(widget);
  for (QWidget* child : widget->findChildren<QWidget*>()) apply(child);
}

}  // namespace kui
