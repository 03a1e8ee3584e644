#pragma once
// The external codes page: each PLU's external barcode and SKU, one grid
// row per PLU of the style on screen.
#include "FormPartF.h"

class TExtCodesPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TExtCodesPage(TForm1& form);
};
