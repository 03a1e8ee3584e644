#pragma once
// Fonts that ask for anti-aliasing, as every window of the suite draws them.
//
//   QFont f("Verdana"); kui::SmoothFont(f);   // one font
//   kui::SmoothFonts(this);                   // a form and every widget on it
#include <QFont>

class QWidget;

namespace kui {

void SmoothFont(QFont& font);

// The widget's own font and the fonts of all its descendants.
void SmoothFonts(QWidget* widget);

}  // namespace kui
