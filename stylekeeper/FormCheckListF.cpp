#include "FormCheckListF.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "DataModF.h"
#include "KuiColour.h"
#include "KvCheckListBox.h"
#include "KvEdit.h"
#include "PickList.h"
#include "WaitClass.h"

TFormCheckList* FormCheckList = nullptr;

namespace {

kui::KvCheckListBox* MakeList(QWidget* parent, const char* name) {
  auto* box = new kui::KvCheckListBox(parent);
  box->setObjectName(name);
  box->SetItemHeight(TFormCheckList::kItemHeight);
  box->SetDisplayText([](const QString& item) { return kui::PickName(item); });
  return box;
}

QToolButton* MakeArrow(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(caption);
  b->setFixedSize(48, 36);
  return b;
}

// A LIKE pattern that matches texts starting with `start` (its own % and _ included).
QString StartsWithPattern(const QString& start) {
  QString p = start;
  p.replace('\\', "\\\\").replace('%', "\\%").replace('_', "\\_");
  return kdb::sql::Quote(p + "%") + " escape '\\'";
}

}  // namespace

TFormCheckList& TFormCheckList::Kept(QWidget* owner) {
  if (!FormCheckList) FormCheckList = new TFormCheckList(owner ? owner->window() : nullptr);
  return *FormCheckList;
}

TFormCheckList::TFormCheckList(QWidget* owner) : kui::KvDialog(owner, Border::Fixed) {
  setObjectName("FormCheckList");
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kui::BgrColour(kColour));
  setPalette(pal);
  setAutoFillBackground(true);

  PanelTop = new QLabel(this);
  PanelTop->setObjectName("PanelTop");
  PanelTop->setAlignment(Qt::AlignCenter);
  PanelTop->setFrameShape(QFrame::Panel);
  PanelTop->setMinimumHeight(36);
  Label1 = new QLabel("Search:", this);
  Label1->setObjectName("Label1");
  EditSearch = new kui::KvEdit(this);
  EditSearch->setObjectName("EditSearch");
  EditSearch->SetCharCase(kui::KvEdit::CharCase::Upper);
  EditSearch->installEventFilter(this);
  SpeedButtonSearch = MakeArrow(this, "SpeedButtonSearch", "Search");
  SpeedButtonSearch->hide();
  CheckListBoxList = MakeList(this, "CheckListBoxList");
  CheckListBoxSelect = MakeList(this, "CheckListBoxSelect");
  SpButRight = MakeArrow(this, "SpButRight", ">");
  SpButLeft = MakeArrow(this, "SpButLeft", "<");
  BitBtnOk = new QPushButton("OK", this);
  BitBtnOk->setObjectName("BitBtnOk");
  BitBtnOk->setAutoDefault(false);
  BitBtnCancel = new QPushButton("Cancel", this);
  BitBtnCancel->setObjectName("BitBtnCancel");
  BitBtnCancel->setAutoDefault(false);

  connect(EditSearch, &QLineEdit::textChanged, this, [this] { EditSearchChange(); });
  connect(SpButRight, &QToolButton::clicked, this, [this] { SpButRightClick(); });
  connect(SpButLeft, &QToolButton::clicked, this, [this] { SpButLeftClick(); });
  connect(BitBtnOk, &QPushButton::clicked, this, [this] { BitBtnOkClick(); });
  connect(BitBtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });

  auto* search = new QHBoxLayout;
  search->addWidget(Label1);
  search->addWidget(EditSearch, 1);
  search->addWidget(SpeedButtonSearch);
  auto* arrows = new QVBoxLayout;
  arrows->addStretch(1);
  arrows->addWidget(SpButRight);
  arrows->addWidget(SpButLeft);
  arrows->addStretch(1);
  auto* lists = new QHBoxLayout;
  lists->addWidget(CheckListBoxList, 1);
  lists->addLayout(arrows);
  lists->addWidget(CheckListBoxSelect, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtnOk);
  buttons->addWidget(BitBtnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PanelTop);
  layout->addLayout(search);
  layout->addLayout(lists, 1);
  layout->addLayout(buttons);
  setFixedSize(896, 524);
}

TFormCheckList::~TFormCheckList() {
  if (FormCheckList == this) FormCheckList = nullptr;
}

void TFormCheckList::SetTitle(const QString& text) {
  setWindowTitle(text);
  PanelTop->setText(text);
}

bool TFormCheckList::Execute() {
  if (QWidget* owner = parentWidget()) move(owner->window()->geometry().center() - rect().center());
  EditSearch->clear();
  CheckListBoxSelect->ClearItems();
  LoadList();
  EditSearch->setFocus();
  return kui::KvDialog::Execute();
}

int TFormCheckList::SelectedCount() const { return CheckListBoxSelect->Count(); }

QString TFormCheckList::SelectedName(int i) const { return ItemName(CheckListBoxSelect->Items(), i); }

QString TFormCheckList::SelectedId(int i) const { return ItemId(CheckListBoxSelect->Items(), i); }

QString TFormCheckList::ItemName(const QStringList& strings, int i) { return kui::PickNameAt(strings, i); }

QString TFormCheckList::ItemId(const QStringList& strings, int i) { return kui::PickValueAt(strings, i); }

void TFormCheckList::LoadList() {
  TWaitClass wait;
  wait.Show("Searching...");
  QString sql = "select id, name from parameters where type = " + kdb::sql::Quote(paramType_);
  if (!EditSearch->text().isEmpty()) sql += " and name like " + StartsWithPattern(EditSearch->text());
  sql += " order by name asc";
  cache_.clear();
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (DMDB->RunQuery(sql, q))
    for (q->First(); !q->Eof(); q->Next())
      cache_ << q->FieldByName("name").AsString() + "=" + q->FieldByName("id").AsString();
  CheckListBoxList->SetItems(cache_);
}

void TFormCheckList::EditSearchChange() {
  const QString start = EditSearch->text();
  QStringList shown;
  for (const QString& item : cache_)
    if (kui::PickName(item).startsWith(start, Qt::CaseInsensitive)) shown << item;
  CheckListBoxList->SetItems(shown);
}

bool TFormCheckList::EditSearchKeyPress(QChar key) {
  if (key != QChar('\r') && key != QChar('\n')) return false;
  CheckListBoxList->setFocus();
  return true;
}

void TFormCheckList::SpButRightClick() {
  for (const QString& item : CheckListBoxList->CheckedItems())
    if (CheckListBoxSelect->IndexOf(item) < 0) CheckListBoxSelect->AddItem(item);
}

void TFormCheckList::SpButLeftClick() {
  for (int i = CheckListBoxSelect->Count() - 1; i >= 0; --i)
    if (CheckListBoxSelect->Checked(i)) CheckListBoxSelect->DeleteItem(i);
}

void TFormCheckList::BitBtnOkClick() {
  if (CheckListBoxSelect->Count() == 0) {
    DMDB->ShowMessage("Please select an item.");
    return;
  }
  SetModalResult(mrOk);
}

bool TFormCheckList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == EditSearch && event->type() == QEvent::KeyPress) {
    const QString text = static_cast<QKeyEvent*>(event)->text();
    return !text.isEmpty() && EditSearchKeyPress(text.at(0));
  }
  return kui::KvDialog::eventFilter(watched, event);
}
