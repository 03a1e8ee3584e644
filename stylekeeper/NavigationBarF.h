#pragma once
// The navigation part of the bottom bar: first, previous, next and last
// style, the search button (whose handler the search bar holds) and the
// printed style sheet.
//
// A step follows the kept list of the last search when there is one, else the
// whole catalogue in PLU order (TStyleNavigationClass); it starts from the
// root PLU loaded in the window, shows the style reached in View mode and
// keeps the tab page that was open. A step whose statement fails is logged
// and told, and the window keeps the style it showed.
#include <QString>

#include <memory>

#include "FormPartF.h"

class QBoxLayout;
class QToolButton;
class TQuickReport1;

namespace kui {
class KvStringGrid;
}

class TNavigationBar : public TFormPart {
  Q_OBJECT
 public:
  // Places the stepping and search buttons at the start of the bar's row;
  // the window places "Print" beside its mode buttons.
  TNavigationBar(TForm1& form, QWidget* bar, QBoxLayout* row);

  static constexpr const char* kStepFailed = "The style could not be read:\n\n";
  static constexpr const char* kSheetFailed = "The style sheet could not be read:\n\n";

  QToolButton* SpButNavFirst = nullptr;
  QToolButton* SpButNavPrev = nullptr;
  QToolButton* SpButNavNext = nullptr;
  QToolButton* SpButNavLast = nullptr;
  QToolButton* SpButNavSearch = nullptr;
  QToolButton* SpButPrint = nullptr;

  // The hidden report grid the style sheet prints from: one row per root
  // PLU, 18 columns, kept until the next print.
  kui::KvStringGrid* StringGrid1 = nullptr;

  // One step in a direction of TStyleNavigationClass.
  void Step(int direction);
  // Fills the report grid for all styles or only the style on screen and
  // makes the style sheet on it; throws kdb::DbError when the rows cannot
  // be read.
  std::unique_ptr<TQuickReport1> PrepareStyleSheet(bool onlyThisStyle);
};
