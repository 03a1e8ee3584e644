#include "MessageForm.h"

#include "ModalSeam.h"

#include <QKeyEvent>
#include <QPushButton>

TFormMsg::TFormMsg(QWidget* parent)
    : TMessageFrame(QStringLiteral("Message"), 363, 75, parent) {
  setObjectName("FormMsg");
  BitBtnOK = AddButton("BitBtnOK", QStringLiteral("OK"), 75, 50, 29);
  BitBtnOK->setDefault(true);
  connect(BitBtnOK, &QPushButton::clicked, this, &TFormMsg::BitBtnOKClick);
  PreviewKeys();
}

void TFormMsg::Execute(const QString& text) {
  SetMessage(text);
  kui::ModalSeam::Exec(*this);
}

void TFormMsg::BitBtnOKClick() { accept(); }

bool TFormMsg::FormKeyDown(QKeyEvent* key) {
  if (key->key() != Qt::Key_Escape) return false;
  BitBtnOKClick();
  return true;
}
