#pragma once
// The branch prices page: one branch's retail price per PLU of the style on
// screen, kept in BRANCHSTOCK, in a colour-by-size grid. Opened from the
// prices page.
#include "FormPartF.h"

class TBranchPricesPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TBranchPricesPage(TForm1& form);
};
