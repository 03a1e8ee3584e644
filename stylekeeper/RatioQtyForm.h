#pragma once
// The quantity prompt of the ratio fill: the person types one quantity (at
// most four digits, "1" at every showing) and each size of the grid gets it
// times the size's ratio. Created once at program start and kept for the
// run as FormRatioQty.
//
//   if (FormRatioQty->Execute()) quantity = FormRatioQty->Quantity();
#include <QChar>

#include "KvDialog.h"

class QLabel;
class QPushButton;

namespace kui {
class KvEdit;
}

class TFormRatioQty : public kui::KvDialog {
  Q_OBJECT
 public:
  explicit TFormRatioQty(QWidget* owner = nullptr);
  ~TFormRatioQty() override;

  static constexpr quint32 kPanelColour = 0xC6FFFF;
  static constexpr quint32 kFocusColour = 0x00FFFF;
  static constexpr int kMaxDigits = 4;

  // The quantity typed (0 when the box is empty).
  int Quantity() const;

  // "1" in the box, which takes the focus.
  void FormShow();
  // Digits, Backspace and Enter pass; every other key is dropped.
  void EditQtyKeyPress(QChar& key);
  void EditQtyEnter();
  void EditQtyExit();

  QWidget* Panel1 = nullptr;
  QLabel* PanelTop = nullptr;
  QLabel* Label1 = nullptr;
  kui::KvEdit* EditQty = nullptr;
  QPushButton* BitBtn1 = nullptr;  // OK: only with a quantity typed
  QPushButton* BitBtn2 = nullptr;  // CANCEL

 protected:
  void showEvent(QShowEvent* event) override;
};

// The quantity prompt of the running program (nullptr before it is made).
extern TFormRatioQty* FormRatioQty;
