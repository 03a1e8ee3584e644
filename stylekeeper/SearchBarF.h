#pragma once
// The top bar: the five one-click style searches ("External ", "Retail
// Price", "Cost Price", "Cost > Retail", "Website") and the stock evaluation
// ("Evaluation"), usable in every mode. The navigation bar's search button
// and the kept list of the last search's results belong here too.
#include "FormPartF.h"

class QToolButton;
class QWidget;

class TSearchBar : public TFormPart {
  Q_OBJECT
 public:
  explicit TSearchBar(TForm1& form);

  QWidget* PanelTopBar = nullptr;  // the bar itself; the window places it
  QToolButton* SpButTopExtSearch = nullptr;
  QToolButton* SpButTopRetailPriceSearch = nullptr;
  QToolButton* SpButTopCostPriceSearch = nullptr;
  QToolButton* SpButTopCostGtRetailSearch = nullptr;
  QToolButton* SpButTopEComSearch = nullptr;
  QToolButton* ButtonEvaluationSearch = nullptr;
};
