#pragma once
// The top bar: the five one-click style searches ("External ", "Retail
// Price", "Cost Price", "Cost > Retail", "Website") and the stock evaluation
// ("Evaluation"), usable in every mode. The navigation bar's search button
// and the kept list of the last search's results belong here too.
//
// Every search runs one style list statement (TStyleListClass) and hands its
// rows to the search results dialog kept for the run (FormSearchResults,
// made by the first search's rows); the root PLU chosen there is opened in
// the window. A search that finds nothing says so and leaves the kept list
// as it was; one whose statement fails says that it failed.
#include <QString>

#include "FormPartF.h"

class QToolButton;
class QWidget;

class TSearchBar : public TFormPart {
  Q_OBJECT
 public:
  explicit TSearchBar(TForm1& form);

  static constexpr const char* kNoMatch = "Unable to find any matching styles";
  static constexpr const char* kSearchFailed = "The search could not be run:\n\n";
  static constexpr const char* kSearching = "Searching please wait...";

  QWidget* PanelTopBar = nullptr;  // the bar itself; the window places it
  QToolButton* SpButTopExtSearch = nullptr;
  QToolButton* SpButTopRetailPriceSearch = nullptr;
  QToolButton* SpButTopCostPriceSearch = nullptr;
  QToolButton* SpButTopCostGtRetailSearch = nullptr;
  QToolButton* SpButTopEComSearch = nullptr;
  QToolButton* ButtonEvaluationSearch = nullptr;

  // Runs a style list statement and shows its rows, or tells the user that
  // nothing matched or that the search failed.
  void RunStyleSearch(const QString& styleListSQL);
  // Asks for a price with the prompt and searches the money column for it;
  // a text that is no price is refused with a message.
  void PriceSearch(const QString& prompt, const QString& column);
};
