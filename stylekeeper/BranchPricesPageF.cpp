// The branch prices page: one branch's retail price per PLU of the style on
// screen, kept in BRANCHSTOCK, in a colour-by-size grid. Opened from the
// prices page.
// The unit lays out the page, wires its controls and holds its handlers,
// with the TForm1 entry points of those handlers.
#include "BranchPricesPageF.h"

#include <QVBoxLayout>

TBranchPricesPage::TBranchPricesPage(TForm1& form) : TFormPart(form, "TabSheetBSPrice", "Branch Level Pricing") { SheetLayout()->addStretch(1); }
