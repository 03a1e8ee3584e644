#pragma once
// The pictures of the code-list editors' buttons, drawn in code: the five
// square buttons at the right of every editor and the exit picture.
#include <QIcon>

namespace editors {

enum class Glyph { Print, Add, Edit, Cancel, Save, Exit };

// The glyph in a square of the given side, on a transparent ground.
QIcon GlyphIcon(Glyph glyph, int side);

}  // namespace editors
