#pragma once
// The pictures of the code-list editors' buttons, drawn in code: the five
// square buttons at the right of every editor, the exit picture, and the
// copy picture of the departments editor.
#include <QFont>
#include <QIcon>

class QToolButton;
class QWidget;

namespace editors {

enum class Glyph { Print, Add, Edit, Cancel, Save, Exit, Copy };

// The glyph in a square of the given side, on a transparent ground.
QIcon GlyphIcon(Glyph glyph, int side);

// The exit picture of a window's title panel: a flat square button
// "ImageExit" of the given side, its glyph `margin` pixels smaller.
QToolButton* ExitButton(QWidget* parent, int side, int margin);

// The editors' font: Verdana at a size in pixels.
QFont Verdana(int pixels, bool bold = false);

}  // namespace editors
