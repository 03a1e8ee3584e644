#include "StyleKeeperControls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "KvEdit.h"

namespace skui {

QToolButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int width) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(caption);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  b->setMinimumHeight(28);
  if (width > 0) b->setFixedWidth(width);
  return b;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption) {
  auto* l = new QLabel(caption, parent);
  if (name) l->setObjectName(name);
  return l;
}

QComboBox* MakePickList(QWidget* parent, const char* name) {
  auto* c = new QComboBox(parent);
  c->setObjectName(name);
  c->setMaxVisibleItems(12);
  c->setMinimumWidth(260);
  return c;
}

kui::KvEdit* MakeEdit(QWidget* parent, const char* name, int maxLength) {
  auto* e = new kui::KvEdit(parent);
  e->setObjectName(name);
  e->SetCharCase(kui::KvEdit::CharCase::Upper);
  if (maxLength > 0) e->SetMaxLength(maxLength);
  return e;
}

QLabel* MakePanel(QWidget* parent, const char* name, const QString& caption) {
  auto* p = MakeLabel(parent, name, caption);
  // A plain grey box: the light half of a sunken bevel would vanish into
  // the white form.
  p->setStyleSheet("QLabel { border: 1px solid #a0a0a0; padding: 1px 4px; }");
  p->setMinimumWidth(90);
  return p;
}

QLineEdit* MakeReadOnly(QWidget* parent, const char* name) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setReadOnly(true);
  return e;
}

QWidget* AddSheet(QStackedWidget* pages, const QString& name, const QString& title) {
  auto* sheet = new QWidget(pages);
  sheet->setObjectName(name);
  auto* layout = new QVBoxLayout(sheet);
  layout->setContentsMargins(8, 8, 8, 8);
  if (!title.isEmpty()) {
    auto* caption = MakeLabel(sheet, nullptr, title);
    QFont f = caption->font();
    f.setPixelSize(19);
    f.setBold(true);
    caption->setFont(f);
    layout->addWidget(caption);
  }
  pages->addWidget(sheet);
  return sheet;
}

void SetTextWhole(QLineEdit* box, const QString& text) {
  if (text.size() > box->maxLength()) box->setMaxLength(static_cast<int>(text.size()));
  box->setText(text);
}

void SetVisible(std::initializer_list<QWidget*> widgets, bool on) {
  for (QWidget* w : widgets) w->setVisible(on);
}

}  // namespace skui
