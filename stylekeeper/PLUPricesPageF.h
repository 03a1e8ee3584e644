#pragma once
// The prices page ("Size Level Pricing"): each PLU's cost, retail, sale and
// wholesale price, one grid row per PLU of the style on screen; its "Branch
// Prices" button opens the branch prices page.
#include "ListPageF.h"

class TPLUPricesPage : public TListPage {
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

  // The page's controls by the names the window knows them by.
  QLabel* const& PanelPricesStyle = StylePanel;
  kui::KvStringGrid* const& SGridPrices = Grid;
  QToolButton* const& SpButApplyPrices = ApplyButton;
  QToolButton* SpButPricesSmartCopy = nullptr;
  QToolButton* SpButBSPrices = nullptr;  // shown only with Local/LOUseBSPrice
};
