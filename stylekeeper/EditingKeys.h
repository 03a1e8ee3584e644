#pragma once
// Keys that edit the text of a box rather than type into it: Backspace, and
// Delete, which X11 sends as the character 0x7F. Every key filter of the
// style editor lets them through. (The suite's shared test of editing keys
// is on its way to platform/ui; when it lands this becomes a call of it.)
#include <QChar>

namespace skkeys {

inline bool IsEditingKey(QChar key) { return key == QChar('\b') || key == QChar(0x7F); }

}  // namespace skkeys
