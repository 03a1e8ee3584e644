#pragma once
// The navigation part of the bottom bar: first, previous, next and last
// style, the search button (whose handler the search bar holds) and the
// printed style sheet.
#include "FormPartF.h"

class QBoxLayout;
class QToolButton;

class TNavigationBar : public TFormPart {
  Q_OBJECT
 public:
  // Places the stepping and search buttons at the start of the bar's row;
  // the window places "Print" beside its mode buttons.
  TNavigationBar(TForm1& form, QWidget* bar, QBoxLayout* row);

  QToolButton* SpButNavFirst = nullptr;
  QToolButton* SpButNavPrev = nullptr;
  QToolButton* SpButNavNext = nullptr;
  QToolButton* SpButNavLast = nullptr;
  QToolButton* SpButNavSearch = nullptr;
  QToolButton* SpButPrint = nullptr;
};
