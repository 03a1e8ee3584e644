#include "KvCheckListBox.h"

#include <QSignalBlocker>

namespace kui {
namespace {
constexpr int kTextRole = Qt::UserRole + 1;  // the whole item text
}

KvCheckListBox::KvCheckListBox(QWidget* parent) : QListWidget(parent) {
  setUniformItemSizes(true);
  connect(this, &QListWidget::itemChanged, this,
          [this](QListWidgetItem* item) { emit CheckChanged(row(item)); });
}

QString KvCheckListBox::Shown(const QString& text) const { return display_ ? display_(text) : text; }

QString KvCheckListBox::Item(int i) const {
  const QListWidgetItem* it = item(i);
  return it ? it->data(kTextRole).toString() : QString();
}

QStringList KvCheckListBox::Items() const {
  QStringList out;
  for (int i = 0; i < count(); ++i) out << Item(i);
  return out;
}

void KvCheckListBox::AddItem(const QString& text, bool checked) {
  auto* it = new QListWidgetItem(Shown(text));
  it->setData(kTextRole, text);
  it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
  it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  if (itemHeight_ > 0) it->setSizeHint(QSize(0, itemHeight_));
  const QSignalBlocker block(this);
  addItem(it);
}

void KvCheckListBox::SetItems(const QStringList& texts) {
  setUpdatesEnabled(false);
  clear();
  for (const QString& t : texts) AddItem(t);
  setUpdatesEnabled(true);
}

void KvCheckListBox::DeleteItem(int i) { delete takeItem(i); }

int KvCheckListBox::IndexOf(const QString& text) const {
  for (int i = 0; i < count(); ++i)
    if (Item(i) == text) return i;
  return -1;
}

bool KvCheckListBox::Checked(int i) const {
  const QListWidgetItem* it = item(i);
  return it && it->checkState() == Qt::Checked;
}

void KvCheckListBox::SetChecked(int i, bool on) {
  if (QListWidgetItem* it = item(i)) it->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void KvCheckListBox::CheckAll(bool on) {
  for (int i = 0; i < count(); ++i) SetChecked(i, on);
}

int KvCheckListBox::CheckedCount() const {
  int n = 0;
  for (int i = 0; i < count(); ++i) n += Checked(i) ? 1 : 0;
  return n;
}

QStringList KvCheckListBox::CheckedItems() const {
  QStringList out;
  for (int i = 0; i < count(); ++i)
    if (Checked(i)) out << Item(i);
  return out;
}

void KvCheckListBox::SetDisplayText(std::function<QString(const QString&)> f) {
  display_ = std::move(f);
  const QSignalBlocker block(this);
  for (int i = 0; i < count(); ++i) item(i)->setText(Shown(Item(i)));
}

void KvCheckListBox::SetItemHeight(int pixels) {
  itemHeight_ = pixels;
  const QSignalBlocker block(this);
  for (int i = 0; i < count(); ++i) item(i)->setSizeHint(QSize(0, pixels > 0 ? pixels : -1));
}

}  // namespace kui
