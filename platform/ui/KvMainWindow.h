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

  // Shows the window maximised, covering the screen's free area.
  void ShowWindow();

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  bool escapeCloses_ = false;
};

// On a bare X server (a virtual display without a window manager) nobody acts
// on "maximised": the window keeps its designed size in the corner. A window
// that asks to be maximised is then given the screen's free area itself.
// Main windows do this when shown; a maximised dialog calls it from its own
// showEvent.
void FitMaximisedWindow(QWidget* window);

}  // namespace kui
