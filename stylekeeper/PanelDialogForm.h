#pragma once
// The look the style editor's small dialogs share (the one-field search
// prompt, the stock evaluation, the print options): a fixed client size, the
// light yellow background, a white title panel in bold Verdana at the top,
// centred on the screen. A borderless one draws a 1 px black line around
// itself.
//
//   class TFormSimpleSearch : public TFormPanelDialog {
//     TFormSimpleSearch(QWidget* owner)
//         : TFormPanelDialog(owner, Border::None, {438, 245}, "Simple Search") {
//       Body()->addWidget(...);
//     }
//   };
#include <QSize>

#include "KvDialog.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

class TFormPanelDialog : public kui::KvDialog {
  Q_OBJECT
 public:
  static constexpr quint32 kFormColour = 0xC6FFFF;  // 13041663
  static constexpr int kTitleHeight = 68;
  static constexpr int kTitleFontPixels = 29;

  QLabel* PanelTop = nullptr;

  // A 150 x 50 button in bold Verdana that closes the dialog with `result`.
  QPushButton* AddCloseButton(const char* name, const QString& caption, int result);

 protected:
  TFormPanelDialog(QWidget* owner, Border border, QSize client, const QString& title);

  // The layout below the title panel.
  QVBoxLayout* Body() const { return body_; }

  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  bool framed_;
  QVBoxLayout* body_ = nullptr;
};
