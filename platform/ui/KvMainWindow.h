#pragma once
// KvMainWindow: the borderless, maximised main window of a program.
//
//   class TForm1 : public kui::KvMainWindow { ... };
//   TForm1 w; w.SetEscapeCloses(true); w.ShowWindow();
//
// Escape closes the window when SetEscapeCloses(true) and no control on it
// used the key (an open grid editor, a dialog's own handling).
#include <QWidget>

namespace kui {

class KvMainWindow : public QWidget {
  Q_OBJECT
 public:
  explicit KvMainWindow(QWidget* parent = nullptr);

  bool EscapeCloses() const { return escapeCloses_; }
  void SetEscapeCloses(bool on) { escapeCloses_ = on; }

  // Shows the window maximised.
  void ShowWindow();

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  bool escapeCloses_ = false;
};

}  // namespace kui
