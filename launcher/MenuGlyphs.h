#pragma once
// The launcher's pictures, drawn in code: the product logo of the top panel
// and the glyphs of the menu buttons.
#include <QIcon>
#include <QPixmap>

namespace launcher {

enum class Glyph {
  Setup, StyleKeeper, Reports, Upgrade, Contact, Close,
  Suppliers, Brands, Categories, Departments, Colours, Sizes,
  History, Valuation, StyleList, BrokenStyles, RootPLU, ProductList,
};

// The glyph in a square of the given side.
QPixmap GlyphPixmap(Glyph glyph, int side);
// The glyph as a button's icon, drawn when the button is first painted.
QIcon GlyphIcon(Glyph glyph, int side);

// The product logo, `height` pixels high, on white.
QPixmap LogoPixmap(int height);

}  // namespace launcher
