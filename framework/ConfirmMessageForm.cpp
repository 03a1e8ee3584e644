#include "ConfirmMessageForm.h"

#include "ModalSeam.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>

namespace {
QIcon TickGlyph() {
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0, 128, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath tick;
  tick.moveTo(4, 13);
  tick.lineTo(10, 19);
  tick.lineTo(20, 5);
  p.drawPath(tick);
  return QIcon(pm);
}
}  // namespace

TFormMsgConfirm::TFormMsgConfirm(QWidget* parent)
    : TMessageFrame(QStringLiteral("Confirm Message"), 380, 65, parent) {
  setObjectName("FormMsgConfirm");
  BitBtnYes = AddButton("BitBtnYes", QStringLiteral("Yes"), 150, 50, 19);
  BitBtnYes->setIcon(TickGlyph());
  BitBtnYes->setIconSize(QSize(24, 24));
  BitBtnNo = AddButton("BitBtnNo", QStringLiteral("No"), 150, 50, 19);
  // Enter belongs to the window (FormKeyDown), not to a default button.
  BitBtnYes->setAutoDefault(false);
  BitBtnNo->setAutoDefault(false);
  connect(BitBtnYes, &QPushButton::clicked, this, &TFormMsgConfirm::BitBtnYesClick);
  connect(BitBtnNo, &QPushButton::clicked, this, &TFormMsgConfirm::BitBtnNoClick);
  PreviewKeys();
}

bool TFormMsgConfirm::Execute(const QString& text) {
  SetMessage(text);
  kui::ModalSeam::Exec(*this);
  return Confirmed;
}

void TFormMsgConfirm::BitBtnYesClick() {
  Confirmed = true;
  accept();
}

void TFormMsgConfirm::BitBtnNoClick() {
  Confirmed = false;
  reject();
}

void TFormMsgConfirm::showEvent(QShowEvent* event) {
  TMessageFrame::showEvent(event);
  BitBtnYes->setFocus();
}

bool TFormMsgConfirm::FormKeyDown(QKeyEvent* key) {
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: BitBtnYes->click(); return true;
    case Qt::Key_Escape: BitBtnNo->click(); return true;
    default: return false;
  }
}
