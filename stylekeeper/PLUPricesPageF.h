#pragma once
// The prices page ("Size Level Pricing"): each PLU's cost, retail, sale and
// wholesale price, one grid row per PLU of the style on screen; its "Branch
// Prices" button opens the branch prices page.
#include <vector>

#include "FormPartF.h"
#include "PageSaveClass.h"

class QLabel;
class QToolButton;

namespace kui {
class KvStringGrid;
}

class TPLUPricesPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TPLUPricesPage(TForm1& form);

  // "Prices": lists the PLUs of the style on screen with their prices.
  void Open();
  // "Apply": checks every row, then writes the prices changed since Open,
  // all or none.
  void Apply();
  // "Smart Copy": every colour takes the first colour's prices, size by size.
  void SmartCopy();

  QLabel* PanelPricesStyle = nullptr;
  kui::KvStringGrid* SGridPrices = nullptr;
  QToolButton* SpButApplyPrices = nullptr;
  QToolButton* SpButPricesSmartCopy = nullptr;
  QToolButton* SpButBSPrices = nullptr;  // shown only with Local/LOUseBSPrice

 private:
  std::vector<TPageSaveClass::KeptRow> rows_;  // grid row r is rows_[r - 1]
};
