#include "FormCopyDeptF.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "CodeListGlyphs.h"
#include "DataModF.h"
#include "KuiColour.h"
#include "KuiGuard.h"
#include "KvBusyGuard.h"
#include "KvCheckListBox.h"
#include "KvMainWindow.h"
#include "PickList.h"
#include "WaitClass.h"

TFormCopyDept* FormCopyDept = nullptr;

namespace {

using editors::Verdana;

constexpr int kTitleHeight = 68;
constexpr const char* kCategoriesNotRead = "Error: The categories could not be read. Please try again.";
constexpr const char* kDepartmentsNotRead = "Error: The departments could not be read. Please try again.";

QLabel* CaptionPanel(QWidget* parent, const QString& caption) {
  auto* panel = new QLabel(caption, parent);
  panel->setAlignment(Qt::AlignCenter);
  panel->setFixedHeight(32);
  panel->setFont(Verdana(16, true));
  kui::PaintBackground(panel, kui::BgrColour(TFormCopyDept::kYellowColour));
  return panel;
}

QToolButton* BandButton(QWidget* parent, const char* name, const QString& caption) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(caption);
  b->setMinimumSize(72, 30);
  b->setCursor(Qt::PointingHandCursor);
  return b;
}

// The items of a category list are shown whole ("NAME=ID").
QComboBox* CategoryBox(QWidget* parent, const char* name) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setMaxVisibleItems(TFormCopyDept::kDropDownRows);
  box->setMinimumWidth(300);
  return box;
}

}  // namespace

TFormCopyDept::TFormCopyDept(QWidget* owner) : kui::KvDialog(owner, Border::None) {
  if (!FormCopyDept) FormCopyDept = this;
  setObjectName("FormCopyDept");
  setWindowTitle(kTitle);
  setFont(Verdana(16));
  kui::PaintBackground(this, Qt::white);
  SetMaximised(true);

  PanelTop = new QLabel(kTitle, this);
  PanelTop->setObjectName("PanelTop");
  PanelTop->setFixedHeight(kTitleHeight);
  PanelTop->setFont(Verdana(27, true));
  PanelTop->setIndent(12);
  auto* bar = new QHBoxLayout(PanelTop);
  bar->setContentsMargins(0, 0, 0, 0);
  bar->addStretch();
  ImageExit = editors::ExitButton(PanelTop, kTitleHeight, 20);
  bar->addWidget(ImageExit);

  // The band with curved corners over the lists.
  auto* band = new QFrame(this);
  band->setObjectName("ShapeBand");
  band->setStyleSheet(QString("QFrame#ShapeBand { background: %1; border-radius: 10px; }")
                          .arg(kui::BgrColour(kYellowColour).name()));
  auto* bandRow = new QHBoxLayout(band);
  bandRow->setContentsMargins(16, 8, 16, 8);
  auto* bandText = new QLabel("Select departments to copy", band);
  bandText->setFont(Verdana(19, true));
  SpeedButtonAll = BandButton(band, "SpeedButtonAll", "All");
  SpeedButtonNone = BandButton(band, "SpeedButtonNone", "None");
  bandRow->addWidget(bandText);
  bandRow->addStretch();
  bandRow->addWidget(SpeedButtonAll);
  bandRow->addWidget(SpeedButtonNone);

  ComboBoxCat = CategoryBox(this, "ComboBoxCat");
  CheckListBoxDept = new kui::KvCheckListBox(this);
  CheckListBoxDept->setObjectName("CheckListBoxDept");
  CheckListBoxDept->SetItemHeight(22);
  ComboBoxCatDest = CategoryBox(this, "ComboBoxCatDest");
  auto* options = new QGroupBox("Options:", this);
  options->setObjectName("GroupBoxOptions");
  CheckBoxCopySub = new QCheckBox("Copy sub-departments", options);
  CheckBoxCopySub->setObjectName("CheckBoxCopySub");
  (new QVBoxLayout(options))->addWidget(CheckBoxCopySub);
  ButtonCopy = new QPushButton("Copy", this);
  ButtonCopy->setObjectName("ButtonCopy");
  ButtonCopy->setMinimumSize(140, 40);
  ButtonCopy->setAutoDefault(false);

  auto* from = new QVBoxLayout;
  from->setSpacing(0);
  from->addWidget(CaptionPanel(this, "From Category"));
  from->addWidget(ComboBoxCat);
  from->addSpacing(12);
  from->addWidget(CaptionPanel(this, "Departments"));
  from->addWidget(CheckListBoxDept, 1);
  auto* to = new QVBoxLayout;
  to->setSpacing(0);
  to->addWidget(CaptionPanel(this, "To Category"));
  to->addWidget(ComboBoxCatDest);
  to->addSpacing(12);
  to->addWidget(options);
  to->addSpacing(12);
  to->addWidget(ButtonCopy, 0, Qt::AlignLeft);
  to->addStretch();
  auto* columns = new QHBoxLayout;
  columns->setSpacing(24);
  columns->addLayout(from, 1);
  columns->addLayout(to, 1);
  auto* content = new QVBoxLayout;
  content->setContentsMargins(16, 12, 16, 16);
  content->setSpacing(12);
  content->addWidget(band);
  content->addLayout(columns, 1);
  auto* body = new QVBoxLayout(this);
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  body->addWidget(PanelTop);
  body->addLayout(content, 1);
  resize(1024, 737);

  const auto bind = [this](auto* sender, auto signal, const char* name, auto handler) {
    connect(sender, signal, this, kui::Named(QString("TFormCopyDept::") + name, [this, handler] { (this->*handler)(); }));
  };
  bind(ImageExit, &QToolButton::clicked, "ImageExitClick", &TFormCopyDept::ImageExitClick);
  bind(SpeedButtonAll, &QToolButton::clicked, "SpeedButtonAllClick", &TFormCopyDept::SpeedButtonAllClick);
  bind(SpeedButtonNone, &QToolButton::clicked, "SpeedButtonNoneClick", &TFormCopyDept::SpeedButtonNoneClick);
  bind(ComboBoxCat, &QComboBox::activated, "ComboBoxCatChange", &TFormCopyDept::ComboBoxCatChange);
  bind(ButtonCopy, &QPushButton::clicked, "ButtonCopyClick", &TFormCopyDept::ButtonCopyClick);
  ClearLists();
}

TFormCopyDept::~TFormCopyDept() {
  if (FormCopyDept == this) FormCopyDept = nullptr;
}

void TFormCopyDept::showEvent(QShowEvent* e) {
  kui::KvDialog::showEvent(e);
  kui::FitMaximisedWindow(this);
}

void TFormCopyDept::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    QChar key(27);
    FormKeyPress(key);
    return;
  }
  kui::KvDialog::keyPressEvent(e);
}

void TFormCopyDept::FormKeyPress(QChar& key) {
  if (key == QChar(27)) close();
}

void TFormCopyDept::ClearLists() {
  ComboBoxCat->clear();
  CheckListBoxDept->ClearItems();
  ComboBoxCatDest->clear();
}

void TFormCopyDept::Execute(const QString& categoryId) {
  // Without its categories the dialog could copy nothing (the user was told).
  if (!LoadCategories()) return;
  ComboBoxCat->setCurrentIndex(kui::IndexOfPickValue(ComboBoxCat, categoryId));
  RefreshLists();
  KvDialog::Execute();
}

bool TFormCopyDept::LoadCategories() {
  ClearLists();
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery("select id, name from parameters where type = 'CATEGORY' order by name", q)) {
    DMDB->ShowMessage(kCategoriesNotRead);
    return false;
  }
  for (q->First(); !q->Eof(); q->Next())
    ComboBoxCat->addItem(q->FieldByName("NAME").AsString() + "=" + q->FieldByName("ID").AsString());
  ComboBoxCat->setCurrentIndex(-1);
  return true;
}

bool TFormCopyDept::LoadDepartments(const QString& categoryId) {
  CheckListBoxDept->ClearItems();
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery("select id, name from parameters where type = 'DEPARTMENT' and parent_id = " +
                          kdb::sql::Int(categoryId) + " order by name",
                      q)) {
    DMDB->ShowMessage(kDepartmentsNotRead);
    return false;
  }
  QStringList items;
  for (q->First(); !q->Eof(); q->Next())
    items << q->FieldByName("NAME").AsString() + "=" + q->FieldByName("ID").AsString();
  CheckListBoxDept->SetItems(items);
  return true;
}

void TFormCopyDept::LoadDestinations() {
  // Every category but the source one.
  const QSignalBlocker quiet(ComboBoxCatDest);
  ComboBoxCatDest->clear();
  for (int i = 0; i < ComboBoxCat->count(); ++i)
    if (i != ComboBoxCat->currentIndex()) ComboBoxCatDest->addItem(ComboBoxCat->itemText(i));
  ComboBoxCatDest->setCurrentIndex(-1);
}

void TFormCopyDept::ComboBoxCatChange() {
  if (ComboBoxCat->currentIndex() < 0) return;
  LoadDepartments(kui::SelectedPickValue(ComboBoxCat));
  LoadDestinations();
}

void TFormCopyDept::RefreshLists() {
  ComboBoxCatChange();
  ComboBoxCatDest->setCurrentIndex(-1);
}

void TFormCopyDept::CheckAll(bool checked) { CheckListBoxDept->CheckAll(checked); }

void TFormCopyDept::ButtonCopyClick() {
  if (ComboBoxCatDest->currentIndex() < 0) {
    DMDB->ShowMessage(kNoDestination);
    ComboBoxCatDest->setFocus();
    return;
  }
  try {
    CopyDepartments();
  } catch (const std::exception& e) {
    // Nothing was copied: the ticks stay for another try.
    DMDB->LogException(e, "TFormCopyDept::ButtonCopyClick");
    DMDB->ShowMessage(QString(kCopyFailed) + "\n\n" + TDMDB::ExceptionMessage(e));
    return;
  }
  RefreshLists();
  DMDB->ShowMessage(TCopyDeptClass::ClosingMessage(LastResult));
}

void TFormCopyDept::CopyDepartments() {
  LastResult = {};
  DestCategoryID = kui::SelectedPickValue(ComboBoxCatDest);
  DestCategoryName = kui::SelectedPickName(ComboBoxCatDest);
  std::vector<TCopyDeptClass::Department> ticked;
  for (int i = 0; i < CheckListBoxDept->Count(); ++i)
    if (CheckListBoxDept->Checked(i))
      ticked.push_back({kui::PickValue(CheckListBoxDept->Item(i)), kui::PickName(CheckListBoxDept->Item(i))});
  TWaitClass wait;
  kui::KvBusyGuard busy(this, kCopying, QString(), &wait);
  LastResult = copy_.CopyDepartments(ticked, DestCategoryID, DestCategoryName, CheckBoxCopySub->isChecked(),
                                     [&](const TCopyDeptClass::Department& d) {
                                       SourceDepartmentID = d.id;
                                       DepartmentName = d.name;
                                       busy.SetMessage("Copying " + d.name);
                                     });
}
