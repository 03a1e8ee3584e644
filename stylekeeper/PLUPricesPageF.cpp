// The prices page: layout, wiring and handlers, with the TForm1 entry points
// of those handlers.
#include "PLUPricesPageF.h"

#include <QToolButton>
#include <QVBoxLayout>

#include "StyleKeeperControls.h"

TPLUPricesPage::TPLUPricesPage(TForm1& form) : TFormPart(form, "TabShPrices", "Size Level Pricing") {
  SpButBSPrices = skui::MakeButton(Sheet, "SpButBSPrices", "Branch Prices", 120);
  SheetLayout()->addWidget(SpButBSPrices, 0, Qt::AlignLeft);
  SheetLayout()->addStretch(1);
}
