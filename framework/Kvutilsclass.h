#pragma once
// Pick-list helpers shared by the forms: the name and value parts of the
// selected "name=id" item of a list box, combo box or string list, lookup by
// value, entry splitting and cleaning, dates for SQL, and checking every item
// of a check list.
//
// A value is read the way a name-value list looks one up: the value of the
// first item that carries the item's name. With two suppliers of one name,
// the second item therefore reads as the first supplier's id.
#include <QDate>
#include <QString>
#include <QStringList>

class QComboBox;
class QListWidget;

namespace kui {
class KvCheckListBox;
}

namespace TKVUtilsClass {

// Name part of the selected item ("" when nothing is selected).
QString GetListBoxName(const QListWidget* listBox);
QString GetComboBoxName(const QComboBox* comboBox);
QString GetStringsName(const QStringList& strings, int index);

// Value of the selected item, by the first item of that name.
QString GetListBoxValue(const QListWidget* listBox);
QString GetComboBoxValue(const QComboBox* comboBox);
QString GetStringsValue(const QStringList& strings, int index);

// The first index whose value (as GetStringsValue reads it) equals value
// exactly; -1 when none.
int GetStringsValueIndex(const QStringList& strings, const QString& value);
int GetComboBoxValueIndex(const QComboBox* comboBox, const QString& value);

// Adds the cleaned entries of a comma-separated text to the list: every piece
// before a comma (also an empty one), the last piece only when not empty.
void SplitEntries(QStringList& list, const QString& text);
// Without quotes, in upper case, trimmed.
QString CleanEntry(const QString& text);
// 'yyyy-mm-dd' in single quotes.
QString DateToSQL(const QDate& date);

void CheckAllItems(kui::KvCheckListBox* checkListBox, bool checked);

}  // namespace TKVUtilsClass
