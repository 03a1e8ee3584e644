#include "SimpleSearchForm.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "KuiColour.h"
#include "KvEdit.h"
#include "MessageFrame.h"

TFormSimpleSearch* FormSimpleSearch = nullptr;

namespace {

constexpr int kFieldFontPixels = 19;

}  // namespace

TFormSimpleSearch::TFormSimpleSearch(QWidget* owner)
    : TFormPanelDialog(owner, Border::None, {kClientWidth, kClientHeight}, "Simple Search") {
  FormSimpleSearch = this;
  setObjectName("FormSimpleSearch");

  LabelFilter = new QLabel(this);
  LabelFilter->setObjectName("LabelFilter");
  LabelFilter->setFont(kvVerdana(kFieldFontPixels));

  // A flat field in a rounded grey frame.
  auto* frame = new QFrame(this);
  frame->setObjectName("PanelFilter");
  const QColor grey = kui::BgrColour(kEditFrameColour);
  frame->setStyleSheet(QString("#PanelFilter { background: %1; border-radius: 8px; }").arg(grey.name()));
  EditFilter = new kui::KvEdit(frame);
  EditFilter->setObjectName("EditFilter");
  EditFilter->SetCharCase(kui::KvEdit::CharCase::Upper);
  // As long as the longest value searched for: an external code.
  EditFilter->SetMaxLength(kMaxValueLength);
  EditFilter->setFrame(false);
  EditFilter->setFont(kvVerdana(kFieldFontPixels));
  auto* inFrame = new QHBoxLayout(frame);
  inFrame->setContentsMargins(8, 4, 8, 4);
  inFrame->addWidget(EditFilter);

  BitBtnOK = AddCloseButton("BitBtnOK", "OK", mrOk);
  BitBtnOK->setDefault(true);
  BitBtnCancel = AddCloseButton("BitBtnCancel", "Cancel", mrCancel);

  auto* field = new QHBoxLayout;
  field->addWidget(LabelFilter);
  field->addWidget(frame, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtnOK);
  buttons->addWidget(BitBtnCancel);
  Body()->addLayout(field);
  Body()->addStretch(1);
  Body()->addLayout(buttons);
}

TFormSimpleSearch::~TFormSimpleSearch() {
  if (FormSimpleSearch == this) FormSimpleSearch = nullptr;
}

void TFormSimpleSearch::showEvent(QShowEvent* event) {
  TFormPanelDialog::showEvent(event);
  FormShow();
}

void TFormSimpleSearch::FormShow() {
  EditFilter->clear();
  EditFilter->setFocus();
}

QString TFormSimpleSearch::GetValue() const { return EditFilter->text().trimmed(); }
