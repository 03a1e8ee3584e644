// The style charges page: a cost and a retail amount per style for every
// charge of the parameter list.
// The unit lays out the page, wires its controls and holds its handlers,
// with the TForm1 entry points of those handlers.
#include "ChargesPageF.h"

#include <QVBoxLayout>

TChargesPage::TChargesPage(TForm1& form) : TFormPart(form, "TabSheetCharges", "Charges") { SheetLayout()->addStretch(1); }
