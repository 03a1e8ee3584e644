#pragma once
// The picture window: a full-screen black window with the product brochure
// page in a scroll box in its middle. Any key or click closes it; the wheel
// scrolls it.
#include <QDialog>
#include <QPixmap>

class QLabel;
class QScrollArea;
class QWheelEvent;

class TFormUpgrade : public QDialog {
  Q_OBJECT
 public:
  explicit TFormUpgrade(QWidget* owner = nullptr);

  static constexpr int kImageWidth = 794;
  static constexpr int kImageHeight = 1118;
  static constexpr int kBoxWidth = 820;

  // Shows the window modally, scrolled to the top.
  void Execute();

  void FormPaint();
  void FormMouseWheel(QWheelEvent* event);
  void FormKeyPress();
  void FormClick();
  void FormShow();

  // The brochure page the window shows, drawn in code.
  static QPixmap BrochurePage();

  QScrollArea* ScrollBoxImg = nullptr;
  QLabel* Image1 = nullptr;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // The window sees keys, clicks and wheel turns of its controls first.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceScrollBox();
};
