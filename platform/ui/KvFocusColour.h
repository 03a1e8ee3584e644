#pragma once
// KvFocusColour: the entry field that has the focus takes a colour, and turns
// white again when the focus leaves it. One object serves a whole form,
// fields added later included.
//
//   new kui::KvFocusColour(this, kui::KvFocusColour::kEditors);   // yellow
//   new kui::KvFocusColour(this, kui::KvFocusColour::kGrey);      // 0xE9E9E9
//
// Entry fields are line edits, spin and date boxes, combo boxes and text edits
// that are descendants of the form. The in-cell editor of KvStringGrid is left
// alone, as is any widget with the property "kvNoFocusColour" set to true.
// The object is a child of the form and goes with it.
#include <QColor>
#include <QObject>
#include <QPointer>

class QWidget;

namespace kui {

class KvFocusColour : public QObject {
  Q_OBJECT
 public:
  static constexpr quint32 kEditors = 0x00FFFF;  // yellow, editors and dialogs
  static constexpr quint32 kGrey = 0xE9E9E9;     // style editor, calculator, history enquiry

  KvFocusColour(QWidget* form, quint32 bgr);

  QColor Colour() const { return colour_; }

  // The field a focused widget stands for (a combo box for its line edit), or
  // nullptr when it is no entry field of this form.
  QWidget* EntryField(QWidget* w) const;

  // Paints a field's background (Base, and Button for a combo box).
  static void Paint(QWidget* field, const QColor& colour);

 private:
  void FocusChanged(QWidget* old, QWidget* now);

  QPointer<QWidget> form_;
  QColor colour_;
};

}  // namespace kui
