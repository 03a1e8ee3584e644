#pragma once
// The product options page ("More Detail"): one value per root PLU for
// every product option of the parameter list.
#include "FormPartF.h"

class TOptionsPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TOptionsPage(TForm1& form);
};
