#pragma once
// The price calculator: retail and wholesale prices from a mark-up on the
// cost and back, and the sale price, for the style being added or edited.
// It works in 32-bit floating point, as the prices were always worked out
// here; the texts it returns are what the style window takes over.
#include <QString>

#include "KvDialog.h"

class QLineEdit;
class QPushButton;

class TFormPriceCalc : public kui::KvDialog {
  Q_OBJECT
 public:
  explicit TFormPriceCalc(QWidget* owner = nullptr);

  static constexpr quint32 kColour = 0xC6FFFF;
  static constexpr int kMaxLength = 10;

  QLineEdit* EditCostPrice = nullptr;  // read-only
  QLineEdit* EditVATRate = nullptr;    // read-only, enters no formula
  QLineEdit* EditRetailMarkup = nullptr;
  QLineEdit* EditRetailPrice = nullptr;  // including VAT
  QLineEdit* EditSalePrice = nullptr;    // including VAT
  QLineEdit* EditWSMarkup = nullptr;
  QLineEdit* EditWSPrice = nullptr;
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;

  // PrepareValues, then the modal showing; true when closed with OK.
  bool Execute();
  void PrepareValues();

  // cost x mark-up as "0.00"; 0 for a text that is no number.
  QString PriceFromMarkup(const QString& markup) const;
  // price / cost as "0.000"; 0 when the cost is 0 or a text is no number.
  QString MarkupFromPrice(const QString& price) const;
  // The text as money (four decimals, halves to even) shown as "0.00".
  static QString RoundInput(const QString& text);

  // Typed characters: Backspace, Enter, Ctrl+V, digits, and "." while the
  // box holds none. The editing keys (Delete among them) never come here. True when the character may reach the box.
  static bool KeyPasses(const QString& boxText, QChar key);

  // The five editable boxes. Leaving a box rounds it and updates its
  // partner only when the person changed it since it was last filled.
  void BoxChanged(QLineEdit* box);
  void BoxExit(QLineEdit* box);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Writes a box from code: such a change never cascades to another box.
  void SetBox(QLineEdit* box, const QString& text);
  float Cost() const;
  bool settingByCode_ = false;
};
