#pragma once
// The product options page ("More Details"): one value per root PLU for
// every product option of the parameter list.
#include <QString>

#include <vector>

#include "ListPageF.h"

class TOptionsPage : public TListPage {
  Q_OBJECT
 public:
  explicit TOptionsPage(TForm1& form);

  // "More Detail": the options of the root PLU on screen.
  void Open();
  // "Apply": writes every option of the root PLU (a missing row is added,
  // a stored one only when its value was changed), all or none.
  void Apply();

  // The page's controls by the names the window knows them by.
  QLabel* const& PanelOptionsStyle = StylePanel;
  kui::KvStringGrid* const& SGridProdOpts = Grid;
  QToolButton* const& SpButOptionsApply = ApplyButton;

 private:
  QString rootPLU_;                 // the root PLU the grid shows
  std::vector<QString> optionIds_;  // grid row r: the option's PARAMETERS ID
};
