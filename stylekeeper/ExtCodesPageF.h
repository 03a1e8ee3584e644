#pragma once
// The external codes page: each PLU's external barcode and SKU, one grid
// row per PLU of the style on screen.
#include "ListPageF.h"

class TExtCodesPage : public TListPage {
  Q_OBJECT
 public:
  explicit TExtCodesPage(TForm1& form);

  // "External": lists the PLUs of the style on screen.
  void Open();
  // "Apply": writes the codes changed since Open, all or none.
  void Apply();

  // The page's controls by the names the window knows them by.
  QLabel* const& PanelExternalStyle = StylePanel;
  kui::KvStringGrid* const& SGridExtCode = Grid;
  QToolButton* const& SpButApplyExtCodes = ApplyButton;
};
