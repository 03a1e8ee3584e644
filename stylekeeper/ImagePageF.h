#pragma once
// The image page: the picture of the shown root PLU, 300 x 300, and (as they
// are built) the buttons that load, apply, copy and clear it.
#include "FormPartF.h"

class QLabel;

class TImagePage : public TFormPart {
  Q_OBJECT
 public:
  explicit TImagePage(TForm1& form);

  QLabel* ImageLarge = nullptr;  // visible exactly when a picture is held
};
