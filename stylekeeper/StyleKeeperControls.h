#pragma once
// The style editor's controls as its window and pages build them: buttons,
// labels, pick lists, edit boxes and panels with the window's look, and the
// tab sheets of its page control. Every unit that lays out a part of the
// window uses these, so the parts look alike.
#include <QString>

#include <initializer_list>

class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QToolButton;
class QWidget;

namespace kui {
class KvEdit;
}

namespace skui {

// A flat button that takes no focus; width 0 leaves it to the layout.
QToolButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int width = 0);
// A label; name may be nullptr for a caption nobody refers to.
QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption);
// A pick list of 12 items dropped down.
QComboBox* MakePickList(QWidget* parent, const char* name);
// An upper-case edit box; maxLength 0 = no limit.
kui::KvEdit* MakeEdit(QWidget* parent, const char* name, int maxLength = 0);
// A framed panel showing a text.
QLabel* MakePanel(QWidget* parent, const char* name, const QString& caption);
// A read-only edit box.
QLineEdit* MakeReadOnly(QWidget* parent, const char* name);
// A tab sheet of the page control with its title (none when empty) at the
// top of a vertical layout.
QWidget* AddSheet(QStackedWidget* pages, const QString& name, const QString& title);
// Sets a box's text whole: a text the program puts into a box (a stored
// price, a computed one) is never cut to the length a person may type; the
// box's limit grows to hold it.
void SetTextWhole(QLineEdit* box, const QString& text);
// Shows or hides every widget of the list.
void SetVisible(std::initializer_list<QWidget*> widgets, bool on);

}  // namespace skui
