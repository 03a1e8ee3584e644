#include "SeasonsForm.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "KuiColour.h"

TFormSeasons* FormSeasons = nullptr;

TFormSeasons::TFormSeasons(QWidget* owner) : kui::KvDialog(owner, Border::Fixed) {
  if (!FormSeasons) FormSeasons = this;
  setObjectName("FormSeasons");
  setWindowTitle(kCaption);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kui::BgrColour(kColour));
  setPalette(pal);
  setAutoFillBackground(true);

  Panel1 = new QLabel(kCaption, this);
  Panel1->setObjectName("Panel1");
  Panel1->setAlignment(Qt::AlignCenter);
  Panel1->setFrameShape(QFrame::Panel);
  Panel1->setMinimumHeight(36);
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  BitBtn1 = new QPushButton("OK", this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton("Cancel", this);
  BitBtn2->setObjectName("BitBtn2");
  connect(BitBtn1, &QPushButton::clicked, this, [this] { SetModalResult(mrOk); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { SetModalResult(mrCancel); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Panel1);
  layout->addWidget(ListBox1, 1);
  layout->addLayout(buttons);
  setFixedSize(417, 510);
  // Centred on the screen, not on the window that opens it.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

TFormSeasons::~TFormSeasons() {
  if (FormSeasons == this) FormSeasons = nullptr;
}
