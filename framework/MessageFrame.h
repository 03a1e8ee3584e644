#pragma once
// The frame the message and confirmation windows share: a borderless black
// window with a coloured caption panel at the top, the message in a read-only
// centred memo, and a coloured button panel at the bottom. The window sees
// every key before its controls do (FormKeyDown).
#include <QDialog>

class QKeyEvent;
class QLabel;
class QPushButton;
class QTextEdit;
class QWidget;

class TMessageFrame : public QDialog {
  Q_OBJECT
 public:
  QLabel* PanelTop = nullptr;
  QTextEdit* MemoMsg = nullptr;
  QWidget* PanelBottom = nullptr;

 protected:
  TMessageFrame(const QString& caption, int clientHeight, int bottomHeight, QWidget* parent);

  // A button of the bottom panel, w by h pixels, in Verdana of the pixel size.
  QPushButton* AddButton(const QString& name, const QString& caption, int w, int h, int fontPx);
  // Sends every key of the window and its controls to FormKeyDown first.
  void PreviewKeys();
  void SetMessage(const QString& text);
  // Returns true when the key was handled (the control then never sees it).
  virtual bool FormKeyDown(QKeyEvent* key) = 0;

  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Verdana in a pixel size (fontconfig substitutes where Verdana is missing).
QFont kvVerdana(int pixelSize, bool bold = false);
