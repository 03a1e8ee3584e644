// Navigation and the printed style sheet: layout, wiring and handlers, with
// the TForm1 entry points of those handlers.
#include "NavigationBarF.h"

#include <QBoxLayout>
#include <QToolButton>

#include "StyleKeeperControls.h"

TNavigationBar::TNavigationBar(TForm1& form, QWidget* bar, QBoxLayout* row) : TFormPart(form) {
  SpButNavFirst = skui::MakeButton(bar, "SpButNavFirst", "|<", 44);
  SpButNavPrev = skui::MakeButton(bar, "SpButNavPrev", "<", 44);
  SpButNavNext = skui::MakeButton(bar, "SpButNavNext", ">", 44);
  SpButNavLast = skui::MakeButton(bar, "SpButNavLast", ">|", 44);
  SpButNavSearch = skui::MakeButton(bar, "SpButNavSearch", "Search", 80);
  SpButPrint = skui::MakeButton(bar, "SpButPrint", "Print", 80);
  for (QToolButton* b : {SpButNavFirst, SpButNavPrev, SpButNavNext, SpButNavLast, SpButNavSearch})
    row->addWidget(b);
}
