#include "KvKeys.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace kui {

bool IsEditingKey(const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Insert:
      return true;
    default:
      break;
  }
  static constexpr QKeySequence::StandardKey kEditing[] = {
      QKeySequence::Undo,           QKeySequence::Redo,          QKeySequence::Cut,
      QKeySequence::Copy,           QKeySequence::SelectAll,     QKeySequence::DeleteStartOfWord,
      QKeySequence::DeleteEndOfWord, QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine};
  for (const QKeySequence::StandardKey k : kEditing)
    if (key.matches(k)) return true;
  return false;
}

}  // namespace kui
