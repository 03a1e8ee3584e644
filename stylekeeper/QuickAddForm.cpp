#include "QuickAddForm.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "DMBRulesF.h"
#include "DataModF.h"
#include "KuiColour.h"
#include "KvEdit.h"
#include "KvFocusColour.h"
#include "QuickAddClass.h"

TFormQuickAdd* FormQuickAdd = nullptr;

namespace {

constexpr const char* kNameExists = "Name already exists, please enter a unique name.";

void Paint(QWidget* w, quint32 bgr) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, kui::BgrColour(bgr));
  w->setPalette(pal);
  w->setAutoFillBackground(true);
}

}  // namespace

TFormQuickAdd& TFormQuickAdd::Kept(QWidget* owner) {
  if (!FormQuickAdd) FormQuickAdd = new TFormQuickAdd(owner);
  return *FormQuickAdd;
}

TFormQuickAdd::TFormQuickAdd(QWidget* owner) : kui::KvDialog(owner, Border::None) {
  setObjectName("FormQuickAdd");
  setWindowTitle("Add New");
  Paint(this, 0x000000);  // the 2-pixel frame
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(2, 2, 2, 2);
  outer->setSpacing(0);

  PanelTitle = new QLabel("Add New", this);
  PanelTitle->setObjectName("PanelTitle");
  PanelTitle->setFixedHeight(50);
  PanelTitle->setContentsMargins(12, 0, 12, 0);
  QFont title = PanelTitle->font();
  title.setPixelSize(19);
  title.setBold(true);
  PanelTitle->setFont(title);
  Paint(PanelTitle, 0xFFFFFF);
  outer->addWidget(PanelTitle);

  auto* body = new QFrame(this);
  body->setObjectName("PanelBody");
  Paint(body, kBodyColour);
  outer->addWidget(body, 1);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(16, 16, 16, 16);
  Label1 = new QLabel(body);
  Label1->setObjectName("Label1");
  EditDesc = new kui::KvEdit(body);
  EditDesc->setObjectName("EditDesc");
  EditDesc->SetCharCase(kui::KvEdit::CharCase::Upper);
  EditDesc->setFrame(false);
  layout->addWidget(Label1);
  layout->addWidget(EditDesc);
  layout->addStretch(1);
  BitBtnOK = new QPushButton("OK", body);
  BitBtnOK->setObjectName("BitBtnOK");
  BitBtnOK->setDefault(true);
  BitBtnCancel = new QPushButton("Cancel", body);
  BitBtnCancel->setObjectName("BitBtnCancel");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtnOK);
  buttons->addWidget(BitBtnCancel);
  layout->addLayout(buttons);
  new kui::KvFocusColour(this, kFocusColour);

  connect(BitBtnOK, &QPushButton::clicked, this, [this] {
    // No failure leaves the dialog: it is logged and told, and the dialog
    // stays open with the name as typed.
    try {
      BitBtnOKClick();
    } catch (const std::exception& e) {
      DMDB->LogException(e, "TFormQuickAdd::BitBtnOKClick");
      DMDB->ShowMessage(TDMDB::ExceptionMessage(e));
    }
  });
  connect(BitBtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });

  setFixedSize(323, 249);
  // Centred on the screen, not on the window that opens it.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

TFormQuickAdd::~TFormQuickAdd() {
  if (FormQuickAdd == this) FormQuickAdd = nullptr;
}

bool TFormQuickAdd::Execute(const QString& caption, int maxLength) {
  Label1->setText(caption);
  EditDesc->clear();
  EditDesc->SetMaxLength(maxLength);
  return ShowAgain();
}

bool TFormQuickAdd::ShowAgain() { return KvDialog::Execute(); }

void TFormQuickAdd::showEvent(QShowEvent* event) {
  KvDialog::showEvent(event);
  FormShow();
}

void TFormQuickAdd::FormShow() { EditDesc->setFocus(); }

bool TFormQuickAdd::Refuse(const QString& message) {
  DMDB->ShowMessage(message);
  EditDesc->setFocus();
  return false;
}

bool TFormQuickAdd::ValidateName() {
  EditDesc->setText(EditDesc->text().trimmed());
  if (EditDesc->text().isEmpty()) return Refuse("Please enter a name.");
  if (!ListType.isEmpty() && DMBRules->ParamNameExists(EditDesc->text(), ListType, 0)) return Refuse(kNameExists);
  return true;
}

bool TFormQuickAdd::SaveEntry() {
  if (ListType.isEmpty()) return true;  // the caller writes (colours)
  const QString name = EditDesc->text();
  try {
    const int id = TQuickAddClass::AddEntry(ListType, name, ParentName, ParentID, AfterSave);
    NewName = name;
    NewID = QString::number(id);
    return true;
  } catch (const TQuickAddClass::Duplicate&) {
    // Added by another user since the check before the save.
    return Refuse(kNameExists);
  } catch (const std::exception& e) {
    DMDB->LogException(e, "TFormQuickAdd::SaveEntry");
    return Refuse("The new entry was not saved.\n\n" + TDMDB::ExceptionMessage(e));
  }
}

void TFormQuickAdd::BitBtnOKClick() {
  if (ValidateName() && SaveEntry()) SetModalResult(mrOk);
}
