#include "Kvutilsclass.h"

#include "KvCheckListBox.h"
#include "PickList.h"
#include "Utils.h"

namespace TKVUtilsClass {

namespace {
constexpr kui::PickValueRule kByName = kui::PickValueRule::FirstOfName;
}

QString GetListBoxName(const QListWidget* listBox) { return kui::SelectedPickName(listBox); }

QString GetComboBoxName(const QComboBox* comboBox) { return kui::SelectedPickName(comboBox); }

QString GetStringsName(const QStringList& strings, int index) {
  return kui::PickNameAt(strings, index);
}

QString GetListBoxValue(const QListWidget* listBox) {
  return kui::SelectedPickValue(listBox, kByName);
}

QString GetComboBoxValue(const QComboBox* comboBox) {
  return kui::SelectedPickValue(comboBox, kByName);
}

QString GetStringsValue(const QStringList& strings, int index) {
  return kui::PickValueAt(strings, index, kByName);
}

int GetStringsValueIndex(const QStringList& strings, const QString& value) {
  return kui::IndexOfPickValue(strings, value, kByName);
}

int GetComboBoxValueIndex(const QComboBox* comboBox, const QString& value) {
  return kui::IndexOfPickValue(comboBox, value, kByName);
}

void SplitEntries(QStringList& list, const QString& text) { list += kos::SplitEntries(text); }

QString CleanEntry(const QString& text) { return kos::CleanEntry(text); }

QString DateToSQL(const QDate& date) { return kos::DateToSql(date); }

void CheckAllItems(kui::KvCheckListBox* checkListBox, bool checked) {
  if (checkListBox) checkListBox->CheckAll(checked);
}

}  // namespace TKVUtilsClass
