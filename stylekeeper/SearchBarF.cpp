// The top bar's searches and the evaluation: layout, wiring and handlers,
// with the TForm1 entry points of those handlers.
#include "SearchBarF.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "KuiColour.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"

TSearchBar::TSearchBar(TForm1& form) : TFormPart(form) {
  PanelTopBar = new QWidget(&form);
  PanelTopBar->setObjectName("PanelTopBar");
  kui::PaintBackground(PanelTopBar, kui::BgrColour(TForm1::kBarColour));
  auto* row = new QHBoxLayout(PanelTopBar);
  row->setContentsMargins(6, 2, 6, 2);
  SpButTopExtSearch = skui::MakeButton(PanelTopBar, "SpButTopExtSearch", "External ", 115);
  SpButTopRetailPriceSearch = skui::MakeButton(PanelTopBar, "SpButTopRetailPriceSearch", "Retail Price", 115);
  SpButTopCostPriceSearch = skui::MakeButton(PanelTopBar, "SpButTopCostPriceSearch", "Cost Price", 115);
  SpButTopCostGtRetailSearch = skui::MakeButton(PanelTopBar, "SpButTopCostGtRetailSearch", "Cost > Retail", 115);
  SpButTopEComSearch = skui::MakeButton(PanelTopBar, "SpButTopEComSearch", "Website", 115);
  ButtonEvaluationSearch = skui::MakeButton(PanelTopBar, "ButtonEvaluationSearch", "Evaluation", 115);
  for (QToolButton* b : {SpButTopExtSearch, SpButTopRetailPriceSearch, SpButTopCostPriceSearch,
                         SpButTopCostGtRetailSearch, SpButTopEComSearch, ButtonEvaluationSearch})
    row->addWidget(b);
  row->addStretch(1);
}
