#include "RatioQtyForm.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ControlEventsClass.h"
#include "KuiColour.h"
#include "KvEdit.h"
#include "KvFocusColour.h"

TFormRatioQty* FormRatioQty = nullptr;

namespace {

void SetPixelFont(QWidget* w, int pixels, bool bold) {
  QFont f = w->font();
  f.setPixelSize(pixels);
  f.setBold(bold);
  w->setFont(f);
}

}  // namespace

TFormRatioQty::TFormRatioQty(QWidget* owner) : kui::KvDialog(owner) {
  if (!FormRatioQty) FormRatioQty = this;
  setObjectName("FormRatioQty");
  kui::PaintBackground(this, Qt::black);  // the 1 px border
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(1, 1, 1, 1);
  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  kui::PaintBackground(Panel1, kui::BgrColour(kPanelColour));
  outer->addWidget(Panel1);

  auto* layout = new QVBoxLayout(Panel1);
  layout->setContentsMargins(0, 0, 0, 12);
  PanelTop = new QLabel("Ratio", Panel1);
  PanelTop->setObjectName("PanelTop");
  PanelTop->setAlignment(Qt::AlignCenter);
  PanelTop->setFixedHeight(68);
  kui::PaintBackground(PanelTop, Qt::white);
  SetPixelFont(PanelTop, 29, true);
  layout->addWidget(PanelTop);

  auto* body = new QVBoxLayout;
  body->setContentsMargins(24, 12, 24, 0);
  Label1 = new QLabel("Enter Quantity:", Panel1);
  Label1->setObjectName("Label1");
  SetPixelFont(Label1, 27, false);
  EditQty = new kui::KvEdit(Panel1);
  EditQty->setObjectName("EditQty");
  EditQty->setFrame(false);
  EditQty->SetMaxLength(kMaxDigits);
  EditQty->SetFilter(kui::KvEdit::Filter::Digits);
  SetPixelFont(EditQty, 27, false);
  body->addWidget(Label1);
  body->addWidget(EditQty);
  body->addStretch(1);
  layout->addLayout(body, 1);

  BitBtn1 = new QPushButton("OK", Panel1);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton("CANCEL", Panel1);
  BitBtn2->setObjectName("BitBtn2");
  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(24, 0, 24, 0);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  layout->addLayout(buttons);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });
  // Without a quantity there is nothing to fill.
  connect(EditQty, &QLineEdit::textChanged, this, [this](const QString& text) { BitBtn1->setEnabled(!text.isEmpty()); });

  TControlEventsClass& events = TControlEventsClass::Of(EditQty);
  events.OnKeyPress = [this](QChar& key) { EditQtyKeyPress(key); };
  events.OnEnter = [this] { EditQtyEnter(); };
  events.OnExit = [this] { EditQtyExit(); };

  setFixedSize(303, 295);  // a client area of 301 x 293 inside the border
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

TFormRatioQty::~TFormRatioQty() {
  if (FormRatioQty == this) FormRatioQty = nullptr;
}

int TFormRatioQty::Quantity() const { return EditQty->text().toInt(); }

void TFormRatioQty::showEvent(QShowEvent* event) {
  kui::KvDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFormRatioQty::FormShow() {
  EditQty->setText("1");
  EditQty->setFocus();
  EditQty->selectAll();
  EditQtyEnter();
}

void TFormRatioQty::EditQtyKeyPress(QChar& key) {
  const bool passes = (key >= QChar('0') && key <= QChar('9')) || key == QChar('\b') || key == QChar('\r') || key == QChar(0x7F);
  if (!passes) key = QChar();
}

void TFormRatioQty::EditQtyEnter() { kui::KvFocusColour::Paint(EditQty, kui::BgrColour(kFocusColour)); }

void TFormRatioQty::EditQtyExit() { kui::KvFocusColour::Paint(EditQty, Qt::white); }
