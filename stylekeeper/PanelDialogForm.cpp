#include "PanelDialogForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "KuiColour.h"
#include "MessageFrame.h"

TFormPanelDialog::TFormPanelDialog(QWidget* owner, Border border, QSize client, const QString& title)
    : kui::KvDialog(owner, border), framed_(border == Border::None) {
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  setFixedSize(client);
  kui::PaintBackground(this, kui::BgrColour(kFormColour));

  PanelTop = new QLabel(title, this);
  PanelTop->setObjectName("PanelTop");
  PanelTop->setAlignment(Qt::AlignCenter);
  PanelTop->setFixedHeight(kTitleHeight);
  PanelTop->setFont(kvVerdana(kTitleFontPixels, true));
  kui::PaintBackground(PanelTop, Qt::white);

  auto* outer = new QVBoxLayout(this);
  // The black line of a borderless dialog stays visible around the panel.
  const int m = framed_ ? 1 : 0;
  outer->setContentsMargins(m, m, m, m);
  outer->setSpacing(0);
  outer->addWidget(PanelTop);
  body_ = new QVBoxLayout;
  body_->setContentsMargins(20, 14, 20, 16);
  body_->setSpacing(10);
  outer->addLayout(body_, 1);
}

QPushButton* TFormPanelDialog::AddCloseButton(const char* name, const QString& caption, int result) {
  auto* b = new QPushButton(caption, this);
  b->setObjectName(name);
  b->setFixedSize(150, 50);
  b->setFont(kvVerdana(15, true));
  connect(b, &QPushButton::clicked, this, [this, result] { SetModalResult(result); });
  return b;
}

void TFormPanelDialog::paintEvent(QPaintEvent* event) {
  kui::KvDialog::paintEvent(event);
  if (!framed_) return;
  QPainter p(this);
  p.setPen(Qt::black);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TFormPanelDialog::showEvent(QShowEvent* event) {
  // Centred on the screen, not on the window that opens it.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  kui::KvDialog::showEvent(event);
}
