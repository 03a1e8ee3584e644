// The product options page ("More Detail"): one value per root PLU for
// every product option of the parameter list.
// The unit lays out the page, wires its controls and holds its handlers,
// with the TForm1 entry points of those handlers.
#include "OptionsPageF.h"

#include <QVBoxLayout>

TOptionsPage::TOptionsPage(TForm1& form) : TFormPart(form, "TabSheetOptions", "More Details") { SheetLayout()->addStretch(1); }
