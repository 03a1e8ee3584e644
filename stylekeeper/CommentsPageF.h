#pragma once
// The comments page: the point-of-sale comment and the web comment of the
// shown root PLU, for this colour or every colour of the style.
#include "FormPartF.h"

class TCommentsPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TCommentsPage(TForm1& form);
};
