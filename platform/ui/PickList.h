#pragma once
// Pick lists: code-list entries held as "NAME=ID" texts. In a combo box or
// list widget the item shows the name and keeps the id (the value) in
// Qt::UserRole; in a QStringList the item is the "NAME=ID" text itself.
//
//   kui::SetPickItems(combo, {"ACME=4", "BOLT=9"});   // no selection yet
//   kui::SelectPickValue(combo, "9");
//   QString id = kui::SelectedPickValue(combo);      // "9"
//   QString name = kui::SelectedPickName(combo);     // "BOLT"
//
// The name is the part before the first "=", the value the part after it.
// Names may repeat. A value can be read two ways:
//   PickValueRule::Own          the value of the item itself;
//   PickValueRule::FirstOfName  the value of the first item whose name equals
//                               this item's name (ignoring case), the way a
//                               name-value string list looks a value up by
//                               name: with two items "ACME=4", "ACME=7" the
//                               second reads as "4".
// Index and selection reads outside the list give "" (or -1).
#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

namespace kui {

enum class PickValueRule { Own, FirstOfName };

// Parts of one "NAME=ID" text. A text without "=" is all name, with value "".
QString PickName(const QString& item);
QString PickValue(const QString& item);

// ---- QStringList of "NAME=ID" texts
QString PickNameAt(const QStringList& items, int index);
QString PickValueAt(const QStringList& items, int index, PickValueRule rule = PickValueRule::Own);
// The first index whose name equals `name` ignoring case; -1 when none.
int IndexOfPickName(const QStringList& items, const QString& name);
// The value of the first item named `name` (ignoring case); "" when none.
QString PickValueOfName(const QStringList& items, const QString& name);
// The first index whose value (read by the rule) equals `value` exactly; -1 when none.
int IndexOfPickValue(const QStringList& items, const QString& value,
                     PickValueRule rule = PickValueRule::Own);

// ---- Filling a combo box or list widget. The fills never select an item
// and emit no change signals (as the items of a list change without the user).
void AddPickItem(QComboBox* box, const QString& item);
void AddPickItem(QListWidget* list, const QString& item);
// Replaces every item under one update; afterwards nothing is selected.
void SetPickItems(QComboBox* box, const QStringList& items);
void SetPickItems(QListWidget* list, const QStringList& items);
void ClearPickItems(QComboBox* box);
void ClearPickItems(QListWidget* list);
// The items as "NAME=ID" texts again. An item added without a value (plain
// addItem) is taken as its own text, so "NAME=ID" texts added that way read
// the same.
QStringList PickItems(const QComboBox* box);
QStringList PickItems(const QListWidget* list);

// ---- Reading a combo box or list widget (null gives "" / -1)
QString PickNameAt(const QComboBox* box, int index);
QString PickNameAt(const QListWidget* list, int index);
QString PickValueAt(const QComboBox* box, int index, PickValueRule rule = PickValueRule::Own);
QString PickValueAt(const QListWidget* list, int index, PickValueRule rule = PickValueRule::Own);
int IndexOfPickValue(const QComboBox* box, const QString& value,
                     PickValueRule rule = PickValueRule::Own);
int IndexOfPickValue(const QListWidget* list, const QString& value,
                     PickValueRule rule = PickValueRule::Own);

// The selected item: the combo box's current index, the list's current row.
QString SelectedPickName(const QComboBox* box);
QString SelectedPickName(const QListWidget* list);
QString SelectedPickValue(const QComboBox* box, PickValueRule rule = PickValueRule::Own);
QString SelectedPickValue(const QListWidget* list, PickValueRule rule = PickValueRule::Own);

// Selects the first item whose own value equals `value`; nothing is selected
// when there is none. Returns whether one was found. Emits the widget's
// ordinary change signals.
bool SelectPickValue(QComboBox* box, const QString& value);
bool SelectPickValue(QListWidget* list, const QString& value);

}  // namespace kui
