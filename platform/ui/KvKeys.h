#pragma once
// What a key filter must let through.
//
//   bool TForm1::eventFilter(QObject* o, QEvent* e) {
//     auto* key = static_cast<QKeyEvent*>(e);
//     if (kui::IsEditingKey(*key)) return false;      // the box edits as usual
//     return !KeyPasses(key->text().at(0));           // the filter's own rule
//   }
//
// A filter that looks at the character a key types must not take the editing
// keys for characters: X11 sends Delete with the character 0x7F and Backspace
// with 0x08, which a digits-only rule would drop.
class QKeyEvent;

namespace kui {

// True for the keys that edit or move in a text box without typing a
// character: Backspace, Delete, the arrows, Home, End, Page Up and Down,
// Insert, and the editing shortcuts (undo, redo, cut, copy, select all, the
// word and line deletions). Paste is none of them: it types text, which the
// box's own rule judges.
bool IsEditingKey(const QKeyEvent& key);

}  // namespace kui
