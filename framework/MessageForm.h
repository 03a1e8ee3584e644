#pragma once
// The message window: a text and an OK button.
#include "MessageFrame.h"

class TFormMsg : public TMessageFrame {
  Q_OBJECT
 public:
  explicit TFormMsg(QWidget* parent = nullptr);

  QPushButton* BitBtnOK = nullptr;

  // Shows the text modally; returns when the window is closed.
  void Execute(const QString& text);

  void BitBtnOKClick();

 protected:
  bool FormKeyDown(QKeyEvent* key) override;
};
