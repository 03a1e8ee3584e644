#pragma once
// The style charges page: a cost and a retail amount per style for every
// charge of the parameter list.
#include <QString>

#include <vector>

#include "FormPartF.h"
#include "PageSaveClass.h"

class QLabel;
class QToolButton;

namespace kui {
class KvStringGrid;
}

class TChargesPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TChargesPage(TForm1& form);

  // "Charges": every charge with the style's amounts, or its own where the
  // style has none.
  void Open();
  // "Apply": checks every amount, then writes every charge of the style (a
  // missing row is added, a stored one only when it was changed), all or none.
  void Apply();

  QLabel* PanelChargesStyle = nullptr;
  kui::KvStringGrid* SGridStyleCharges = nullptr;
  QToolButton* SpeedButton18 = nullptr;  // "Apply"

 private:
  QString style_;  // the style the grid shows
  std::vector<TPageSaveClass::KeptRow> rows_;  // grid row r is rows_[r - 1]
};
