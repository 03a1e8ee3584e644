#pragma once
// The product options page ("More Details"): one value per root PLU for
// every product option of the parameter list.
#include <QString>

#include <vector>

#include "FormPartF.h"
#include "PageSaveClass.h"

class QLabel;
class QToolButton;

namespace kui {
class KvStringGrid;
}

class TOptionsPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TOptionsPage(TForm1& form);

  // "More Detail": the options of the root PLU on screen.
  void Open();
  // "Apply": writes every option of the root PLU (a missing row is added,
  // a stored one only when its value was changed), all or none.
  void Apply();

  QLabel* PanelOptionsStyle = nullptr;
  kui::KvStringGrid* SGridProdOpts = nullptr;
  QToolButton* SpButOptionsApply = nullptr;

 private:
  // The sum of the chosen size scale's ratios.
  int RatioTotal() const;

  QString rootPLU_;                 // the root PLU the grid shows
  std::vector<QString> optionIds_;  // grid row r: the option's PARAMETERS ID
  std::vector<TPageSaveClass::KeptRow> rows_;  // grid row r is rows_[r - 1]
};
