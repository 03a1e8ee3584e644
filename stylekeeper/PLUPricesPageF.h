#pragma once
// The prices page ("Size Level Pricing"): each PLU's cost, retail, sale and
// wholesale price, one grid row per PLU of the style on screen; its "Branch
// Prices" button opens the branch prices page.
#include "FormPartF.h"

class QToolButton;

class TPLUPricesPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TPLUPricesPage(TForm1& form);

  QToolButton* SpButBSPrices = nullptr;  // shown only with Local/LOUseBSPrice
};
