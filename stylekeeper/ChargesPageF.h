#pragma once
// The style charges page: a cost and a retail amount per style for every
// charge of the parameter list.
#include <QString>

#include "ListPageF.h"

class TChargesPage : public TListPage {
  Q_OBJECT
 public:
  explicit TChargesPage(TForm1& form);

  // "Charges": every charge with the style's amounts, or its own where the
  // style has none.
  void Open();
  // "Apply": checks every amount, then writes every charge of the style (a
  // missing row is added, a stored one only when it was changed), all or none.
  void Apply();

  // The page's controls by the names the window knows them by.
  QLabel* const& PanelChargesStyle = StylePanel;
  kui::KvStringGrid* const& SGridStyleCharges = Grid;
  QToolButton* const& SpeedButton18 = ApplyButton;

 private:
  QString style_;  // the style the grid shows
};
