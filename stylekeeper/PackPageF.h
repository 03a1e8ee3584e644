#pragma once
// The wholesale pack page: the style's pack code and a quantity per PLU in
// a colour-by-size grid.
#include "FormPartF.h"

class TPackPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TPackPage(TForm1& form);
};
