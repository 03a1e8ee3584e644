// TForm1: the department's fields, the category and department lists,
// loading a department and showing its VAT rate.
#include "DepartmentsForm.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QToolButton>

#include "CodeListGlyphs.h"
#include "DataModF.h"
#include "Format.h"
#include "KuiGuard.h"
#include "KvEdit.h"
#include "PickList.h"

TForm1::TForm1(QWidget* parent) : TParamEditorForm({"DEPARTMENT", "DEPARTMENT_ID", "DEPARTMENT_NAME"}, parent) {
  SetTitle(kTitle);
  SetListCaption("Departments");
  ListBoxDept = ListBoxParam;
  BuildFields();
  ClearRecord();
  SetViewMode();
}

TForm1::~TForm1() = default;

void TForm1::BuildFields() {
  ListBoxCat = AddListBefore("Categories", "ListBoxCat");
  connect(ListBoxCat, &QListWidget::currentRowChanged, this,
          kui::Named(Where("ListBoxCatClick"), [this] { ListBoxCatClick(); }));

  // The copy button at the left end of the departments' caption, the
  // multi-add button (the base's) at its right end.
  SpButParamCopy = new QToolButton(PanelList);
  SpButParamCopy->setObjectName("SpButParamCopy");
  SpButParamCopy->setToolTip("Copy departments to another category");
  SpButParamCopy->setAutoRaise(true);
  SpButParamCopy->setFocusPolicy(Qt::NoFocus);
  SpButParamCopy->setFixedSize(SpButMultiAdd->size());
  SpButParamCopy->setIcon(editors::GlyphIcon(editors::Glyph::Copy, SpButMultiAdd->width() - 6));
  SpButParamCopy->setCursor(Qt::PointingHandCursor);
  static_cast<QHBoxLayout*>(PanelList->layout())->insertWidget(0, SpButParamCopy);
  connect(SpButParamCopy, &QToolButton::clicked, this,
          kui::Named(Where("SpButParamCopyClick"), [this] { SpButParamCopyClick(); }));

  ComboBoxVAT = new QComboBox(this);
  ComboBoxVAT->setObjectName("ComboBoxVAT");
  ComboBoxVAT->setMinimumWidth(260);
  // The user's choice shows its rate; a choice made by the program does not.
  connect(ComboBoxVAT, &QComboBox::activated, this,
          kui::Named(Where("ComboBoxVATChange"), [this] { ComboBoxVATChange(); }));
  LabelVATRate = new QLabel(this);
  LabelVATRate->setObjectName("LabelVATRate");
  LabelVATRate->setMinimumWidth(80);
  auto* vat = new QWidget(this);
  auto* row = new QHBoxLayout(vat);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(ComboBoxVAT);
  row->addWidget(LabelVATRate);
  row->addStretch();
  QFrame* shape = AddShape();
  AddField(shape, "Name:", EditName);
  AddField(shape, "VAT Rate:", vat);
  LabelVATRate->setFont(font());
}

// ----- the lists -------------------------------------------------------------------------

bool TForm1::GetParamListByParent(QStringList& items, const QString& type, const QString& parentId) {
  SQLText = "select id, name, parent_id from parameters where type = " + kdb::sql::Quote(type) +
            " and parent_id = " + kdb::sql::Int(parentId) + " order by name";
  return ReadPickItems(SQLText, items);
}

bool TForm1::LoadVATRates() {
  QStringList items;
  SQLText = "select id, name, parent_id from parameters where type = 'VAT' order by name";
  if (!ReadPickItems(SQLText, items, &DefaultVATIndex)) return false;
  kui::SetPickItems(ComboBoxVAT, items);
  ComboBoxVAT->setCurrentIndex(DefaultVATIndex);
  return true;
}

bool TForm1::ReloadCategories() {
  QStringList items;
  if (!ReadPickItems("select id, name, parent_id from parameters where type = 'CATEGORY' order by name", items))
    return false;
  kui::SetPickItems(ListBoxCat, items);
  return true;
}

void TForm1::ChooseCategory(int index) {
  {
    const QSignalBlocker quiet(ListBoxCat);
    ListBoxCat->setCurrentRow(index);
  }
  if (index < 0 || index >= ListBoxCat->count()) {
    CategoryID.clear();
    CategoryName.clear();
    return;
  }
  CategoryID = kui::SelectedPickValue(ListBoxCat);
  CategoryName = kui::SelectedPickName(ListBoxCat);
  CategoryIndex = index;
}

bool TForm1::ReadListItems(QStringList& items) {
  items.clear();
  if (!departmentsOnly_) {
    // Other users' changes appear: the rates and categories are read again,
    // and the category chosen before is found by its id, so one added
    // meanwhile before it does not shift the choice.
    if (!LoadVATRates() || !ReloadCategories()) return false;
    int index = kui::IndexOfPickValue(ListBoxCat, CategoryID);
    if (index < 0) index = CategoryIndex >= 0 && CategoryIndex < ListBoxCat->count() ? CategoryIndex : 0;
    ChooseCategory(ListBoxCat->count() > 0 ? index : -1);
  }
  ShowCategoryButtons();
  if (CategoryID.isEmpty()) return true;
  return GetParamListByParent(items, "DEPARTMENT", CategoryID);
}

void TForm1::ListBoxCatClick() {
  ChooseCategory(ListBoxCat->currentRow());
  LoadDepartmentList();
}

void TForm1::LoadDepartmentList() {
  departmentsOnly_ = true;
  const bool read = LoadList();
  departmentsOnly_ = false;
  if (read) SelectDepartment(0, false);
}

void TForm1::SelectCategory(int index, bool focus) {
  if (index < 0 || index >= ListBoxCat->count()) return;
  ChooseCategory(index);
  LoadDepartmentList();
  if (focus) ListBoxCat->setFocus();
}

void TForm1::SelectDepartment(int index, bool focus) {
  if (index < 0 || index >= ListBoxDept->count()) return;
  SelectEntry(index);
  if (focus) ListBoxDept->setFocus();
}

void TForm1::ShowCategoryButtons() {
  const bool chosen = !CategoryID.isEmpty();
  SpButAdd->setEnabled(chosen);
  SpButParamCopy->setEnabled(chosen && !Editing());
  SpButMultiAdd->setEnabled(chosen && !Editing());
}

// ----- the department ----------------------------------------------------------------------

void TForm1::ClearFields() {
  ComboBoxVAT->setCurrentIndex(DefaultVATIndex);
  LabelVATRate->clear();
}

void TForm1::SetFieldsEditing(bool editing) {
  TParamEditorForm::SetFieldsEditing(editing);
  ComboBoxVAT->setEnabled(editing);
  ShowCategoryButtons();
}

void TForm1::LoadRecord() {
  kdb::Query& q = ReadParamRow({"EXTRA", "PARENT_ID", "PARENT_NAME"}, {{"EXTRA", "VAT Rate"}});
  ComboBoxVAT->setCurrentIndex(kui::IndexOfPickValue(ComboBoxVAT, q.FieldByName("EXTRA").AsString()));
  ComboBoxVATChange();
}

void TForm1::ComboBoxVATChange() {
  LabelVATRate->clear();
  if (ComboBoxVAT->currentIndex() < 0) return;
  SQLText = "select rate from parameters where type = 'VAT' and id = " +
            kdb::sql::Int(kui::SelectedPickValue(ComboBoxVAT));
  kdb::Query* q = DMDB->DBQueryRemote2;
  RunOrThrow(SQLText, q);
  LabelVATRate->setText(kos::FormatFloat("0.00", q->RecordCount() > 0 ? q->FieldByName("RATE").AsFloat() : 0.0));
}
