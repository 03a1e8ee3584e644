#include "KvFocusColour.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "KuiColour.h"

namespace kui {

KvFocusColour::KvFocusColour(QWidget* form, quint32 bgr)
    : QObject(form), form_(form), colour_(BgrColour(bgr)) {
  connect(qApp, &QApplication::focusChanged, this, &KvFocusColour::FocusChanged);
}

QWidget* KvFocusColour::EntryField(QWidget* w) const {
  if (!w || !form_ || !form_->isAncestorOf(w)) return nullptr;
  if (w->property("kvCellEditor").toBool() || w->property("kvNoFocusColour").toBool())
    return nullptr;
  if (qobject_cast<QLineEdit*>(w)) {
    // The edit inside a combo or spin box stands for its owner.
    QWidget* owner = w->parentWidget();
    if (qobject_cast<QComboBox*>(owner) || qobject_cast<QAbstractSpinBox*>(owner))
      return EntryField(owner);
    return w;
  }
  if (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)) return w;
  // Text edits take the focus on their viewport's owner.
  if (qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)) return w;
  return nullptr;
}

void KvFocusColour::Paint(QWidget* field, const QColor& colour) {
  QPalette pal = field->palette();
  pal.setColor(QPalette::Base, colour);
  if (qobject_cast<QComboBox*>(field)) pal.setColor(QPalette::Button, colour);
  field->setPalette(pal);
}

void KvFocusColour::FocusChanged(QWidget* old, QWidget* now) {
  QWidget* left = EntryField(old);
  QWidget* entered = EntryField(now);
  if (left && left != entered) Paint(left, Qt::white);
  if (entered) Paint(entered, colour_);
}

}  // namespace kui
