#pragma once
// The confirmation window: a question with Yes and No. Enter means Yes
// wherever the focus is; Escape means No.
#include "MessageFrame.h"

class TFormMsgConfirm : public TMessageFrame {
  Q_OBJECT
 public:
  explicit TFormMsgConfirm(QWidget* parent = nullptr);

  QPushButton* BitBtnYes = nullptr;
  QPushButton* BitBtnNo = nullptr;
  bool Confirmed = false;

  // Asks modally; true when the user answered Yes.
  bool Execute(const QString& text);

  void BitBtnYesClick();
  void BitBtnNoClick();

 protected:
  void showEvent(QShowEvent* event) override;  // FormShow
  bool FormKeyDown(QKeyEvent* key) override;
};
