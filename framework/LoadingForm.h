#pragma once
// The wait window: a non-modal window with the product logo, an animated bar
// of eleven panels that fills with random colours, the message of the running
// operation and an optional info line.
#include <QElapsedTimer>
#include <QWidget>

#include <array>

class QLabel;
class QTimer;

class TFormLoading : public QWidget {
  Q_OBJECT
 public:
  explicit TFormLoading(QWidget* parent = nullptr);

  static constexpr int kBarPanels = 11;
  static constexpr quint32 kBarColour = 0xCAFFFF;  // an unpainted bar panel

  QLabel* PanelMsg = nullptr;
  QLabel* PanelInfo = nullptr;
  std::array<QWidget*, kBarPanels> BarPanels{};  // Panel00 .. Panel10
  QTimer* TimerLoading = nullptr;
  int Step = -1;  // the next bar panel, -1 to 10

  void SetMessage(const QString& text);
  void SetInfo(const QString& text);
  // Shows the window and lets it paint: at once when it appears, afterwards
  // at most every kPaintMs, so an operation that changes the text for every
  // row does not spend its time repainting. Only window events are processed
  // (clicks and keys wait for the event loop), so no handler starts inside
  // the operation.
  void ShowLoading();
  static constexpr int kPaintMs = 25;
  void ResetBar();
  static int RandomColour();
  void TimerLoadingTimer();

  // The colour of a bar panel as a 0x00BBGGRR value.
  quint32 PanelColour(int index) const;

 protected:
  void showEvent(QShowEvent* event) override;    // FormShow
  void closeEvent(QCloseEvent* event) override;  // FormClose

 private:
  QWidget* BuildBar();
  void PaintPanel(int index, quint32 bgr);
  void LetPaint(bool now);
  QElapsedTimer painted_;  // since the last time the window could paint
};
