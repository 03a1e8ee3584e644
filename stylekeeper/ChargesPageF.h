#pragma once
// The style charges page: a cost and a retail amount per style for every
// charge of the parameter list.
#include "FormPartF.h"

class TChargesPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TChargesPage(TForm1& form);
};
