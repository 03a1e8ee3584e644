#include "FormParamMultiAddF.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "CodeListGlyphs.h"
#include "DataModF.h"
#include "KuiColour.h"
#include "KuiGuard.h"
#include "KvFocusColour.h"
#include "ParamMultiAddClass.h"

namespace {

using editors::Verdana;

constexpr int kWidth = 684;
constexpr int kHeight = 431;
constexpr int kFrame = 2;
constexpr int kTitleHeight = 48;

}  // namespace

TFormParamMultiAdd::TFormParamMultiAdd(QWidget* owner) : kui::KvDialog(owner, Border::None) {
  setObjectName("FormParamMultiAdd");
  setWindowTitle(kTitle);
  setFont(Verdana(16));
  // The frame: the dialog's own black shows round the white and yellow inside.
  kui::PaintBackground(this, Qt::black);

  PanelTop = new QLabel(kTitle, this);
  PanelTop->setObjectName("PanelTop");
  PanelTop->setFixedHeight(kTitleHeight);
  PanelTop->setFont(Verdana(22, true));
  PanelTop->setIndent(12);
  kui::PaintBackground(PanelTop, Qt::white);

  auto* centre = new QWidget(this);
  centre->setObjectName("PanelCentre");
  kui::PaintBackground(centre, kui::BgrColour(kYellowColour));
  Label1 = new QLabel("Please enter one entry per line.", centre);
  Label1->setObjectName("Label1");
  MemoParam = new QPlainTextEdit(centre);
  MemoParam->setObjectName("MemoParam");
  MemoParam->setLineWrapMode(QPlainTextEdit::NoWrap);
  MemoParam->setTabChangesFocus(true);
  BitBtnOK = new QPushButton("OK", centre);
  BitBtnOK->setObjectName("BitBtnOK");
  BitBtnOK->setDefault(true);
  BitBtnCancel = new QPushButton("Cancel", centre);
  BitBtnCancel->setObjectName("BitBtnCancel");
  for (QPushButton* b : {BitBtnOK, BitBtnCancel}) b->setMinimumSize(100, 34);
  connect(BitBtnOK, &QPushButton::clicked, this,
          kui::Named("TFormParamMultiAdd::BitBtnOKClick", [this] { BitBtnOKClick(); }));
  connect(BitBtnCancel, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtnOK);
  buttons->addWidget(BitBtnCancel);
  auto* inner = new QVBoxLayout(centre);
  inner->setContentsMargins(16, 12, 16, 12);
  inner->addWidget(Label1);
  inner->addWidget(MemoParam, 1);
  inner->addLayout(buttons);

  auto* body = new QVBoxLayout(this);
  body->setContentsMargins(kFrame, kFrame, kFrame, kFrame);
  body->setSpacing(0);
  body->addWidget(PanelTop);
  body->addWidget(centre, 1);
  setFixedSize(kWidth, kHeight);

  new kui::KvFocusColour(this, kui::KvFocusColour::kEditors);
}

TFormParamMultiAdd::~TFormParamMultiAdd() = default;

bool TFormParamMultiAdd::Execute() {
  ClearEntries();
  if (QWidget* owner = parentWidget()) move(owner->window()->geometry().center() - rect().center());
  return KvDialog::Execute();
}

void TFormParamMultiAdd::ClearEntries() { MemoParam->clear(); }

QStringList TFormParamMultiAdd::Lines() const {
  const QString text = MemoParam->toPlainText();
  return text.isEmpty() ? QStringList() : text.split('\n');
}

void TFormParamMultiAdd::showEvent(QShowEvent* e) {
  kui::KvDialog::showEvent(e);
  FormShow();
}

void TFormParamMultiAdd::FormShow() { MemoParam->setFocus(); }

void TFormParamMultiAdd::BitBtnOKClick() {
  const QStringList entries = TParamMultiAddClass::Entries(Lines());
  // The memo shows what will be saved.
  MemoParam->setPlainText(entries.join('\n'));
  if (entries.isEmpty()) {
    DMDB->ShowMessage(kNoEntry);
    MemoParam->setFocus();
    return;
  }
  // A name longer than the editors take would be cut or refused by the
  // database; the user shortens it here instead.
  if (const QStringList longer = TParamMultiAddClass::TooLong(entries); !longer.isEmpty()) {
    DMDB->ShowMessage(QString("An entry can have at most %1 characters. Please shorten:\n\n")
                          .arg(TParamMultiAddClass::kNameLength) +
                      longer.join('\n'));
    MemoParam->setFocus();
    return;
  }
  SetModalResult(mrOk);
}
