#include "PickList.h"

#include <QComboBox>
#include <QHash>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStandardItemModel>

#include <type_traits>

namespace kui {

namespace {

bool InRange(const QStringList& items, int index) { return index >= 0 && index < items.size(); }

QString NameKey(const QString& name) { return name.toCaseFolded(); }

QVariant ValueData(const QString& item) {
  return item.contains(u'=') ? QVariant(PickValue(item)) : QVariant();
}

QString ItemText(const QString& shown, const QVariant& value) {
  return value.isValid() ? shown + u'=' + value.toString() : shown;
}

// Fills under one update with the widget's signals held back, then restores
// the selection the fill must not change.
template <class Widget, class Fill>
void QuietFill(Widget* w, int selectionAfter, Fill fill) {
  const QSignalBlocker block(w);
  w->setUpdatesEnabled(false);
  fill();
  if constexpr (std::is_same_v<Widget, QComboBox>) {
    w->setCurrentIndex(selectionAfter);
  } else {
    w->setCurrentRow(selectionAfter);
  }
  w->setUpdatesEnabled(true);
}

void Append(QComboBox* box, const QString& item) { box->addItem(PickName(item), ValueData(item)); }

// The items appended as one insertion: the box and its view hear of the rows
// once, not once per row (a list of hundreds of suppliers fills in a fifth of
// the time). Each row is the item addItem would make.
void AppendAll(QComboBox* box, const QStringList& items) {
  auto* model = qobject_cast<QStandardItemModel*>(box->model());
  if (!model || box->rootModelIndex().isValid()) {
    for (const QString& item : items) Append(box, item);
    return;
  }
  QList<QStandardItem*> rows;
  rows.reserve(items.size());
  for (const QString& item : items) {
    auto* row = new QStandardItem(PickName(item));
    if (const QVariant value = ValueData(item); value.isValid()) row->setData(value, Qt::UserRole);
    rows << row;
  }
  model->invisibleRootItem()->appendRows(rows);
}

void Append(QListWidget* list, const QString& item) {
  auto* row = new QListWidgetItem(PickName(item));
  row->setData(Qt::UserRole, ValueData(item));
  list->addItem(row);
}

}  // namespace

QString PickName(const QString& item) {
  const qsizetype eq = item.indexOf(u'=');
  return eq < 0 ? item : item.left(eq);
}

QString PickValue(const QString& item) {
  const qsizetype eq = item.indexOf(u'=');
  return eq < 0 ? QString() : item.mid(eq + 1);
}

QString PickNameAt(const QStringList& items, int index) {
  return InRange(items, index) ? PickName(items[index]) : QString();
}

int IndexOfPickName(const QStringList& items, const QString& name) {
  for (int i = 0; i < items.size(); ++i) {
    if (PickName(items[i]).compare(name, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

QString PickValueOfName(const QStringList& items, const QString& name) {
  const int i = IndexOfPickName(items, name);
  return i < 0 ? QString() : PickValue(items[i]);
}

QString PickValueAt(const QStringList& items, int index, PickValueRule rule) {
  if (!InRange(items, index)) return {};
  if (rule == PickValueRule::Own) return PickValue(items[index]);
  return PickValueOfName(items, PickName(items[index]));
}

int IndexOfPickValue(const QStringList& items, const QString& value, PickValueRule rule) {
  // The first item of each name carries the value every item of that name reads.
  QHash<QString, QString> firstOfName;
  for (int i = 0; i < items.size(); ++i) {
    const QString own = PickValue(items[i]);
    const QString key = NameKey(PickName(items[i]));
    if (!firstOfName.contains(key)) firstOfName.insert(key, own);
    const QString read = rule == PickValueRule::Own ? own : firstOfName.value(key);
    if (read == value) return i;
  }
  return -1;
}

void AddPickItem(QComboBox* box, const QString& item) {
  if (box) QuietFill(box, box->currentIndex(), [&] { Append(box, item); });
}

void AddPickItem(QListWidget* list, const QString& item) {
  if (list) QuietFill(list, list->currentRow(), [&] { Append(list, item); });
}

void SetPickItems(QComboBox* box, const QStringList& items) {
  if (!box) return;
  QuietFill(box, -1, [&] {
    box->clear();
    AppendAll(box, items);
  });
}

void SetPickItems(QListWidget* list, const QStringList& items) {
  if (!list) return;
  QuietFill(list, -1, [&] {
    list->clear();
    for (const QString& item : items) Append(list, item);
  });
}

void ClearPickItems(QComboBox* box) { SetPickItems(box, {}); }
void ClearPickItems(QListWidget* list) { SetPickItems(list, {}); }

QStringList PickItems(const QComboBox* box) {
  QStringList items;
  if (!box) return items;
  for (int i = 0; i < box->count(); ++i) items << ItemText(box->itemText(i), box->itemData(i));
  return items;
}

QStringList PickItems(const QListWidget* list) {
  QStringList items;
  if (!list) return items;
  for (int i = 0; i < list->count(); ++i) {
    const QListWidgetItem* row = list->item(i);
    items << ItemText(row->text(), row->data(Qt::UserRole));
  }
  return items;
}

QString PickNameAt(const QComboBox* box, int index) { return PickNameAt(PickItems(box), index); }
QString PickNameAt(const QListWidget* list, int index) { return PickNameAt(PickItems(list), index); }

QString PickValueAt(const QComboBox* box, int index, PickValueRule rule) {
  return PickValueAt(PickItems(box), index, rule);
}
QString PickValueAt(const QListWidget* list, int index, PickValueRule rule) {
  return PickValueAt(PickItems(list), index, rule);
}

int IndexOfPickValue(const QComboBox* box, const QString& value, PickValueRule rule) {
  return IndexOfPickValue(PickItems(box), value, rule);
}
int IndexOfPickValue(const QListWidget* list, const QString& value, PickValueRule rule) {
  return IndexOfPickValue(PickItems(list), value, rule);
}

QString SelectedPickName(const QComboBox* box) { return box ? PickNameAt(box, box->currentIndex()) : QString(); }
QString SelectedPickName(const QListWidget* list) {
  return list ? PickNameAt(list, list->currentRow()) : QString();
}

QString SelectedPickValue(const QComboBox* box, PickValueRule rule) {
  return box ? PickValueAt(box, box->currentIndex(), rule) : QString();
}
QString SelectedPickValue(const QListWidget* list, PickValueRule rule) {
  return list ? PickValueAt(list, list->currentRow(), rule) : QString();
}

bool SelectPickValue(QComboBox* box, const QString& value) {
  if (!box) return false;
  const int i = IndexOfPickValue(box, value);
  box->setCurrentIndex(i);
  return i >= 0;
}

bool SelectPickValue(QListWidget* list, const QString& value) {
  if (!list) return false;
  const int i = IndexOfPickValue(list, value);
  list->setCurrentRow(i);
  return i >= 0;
}

}  // namespace kui
