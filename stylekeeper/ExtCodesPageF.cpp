// The external codes page: each PLU's external barcode and SKU, one grid
// row per PLU of the style on screen.
// The unit lays out the page, wires its controls and holds its handlers,
// with the TForm1 entry points of those handlers.
#include "ExtCodesPageF.h"

#include <QVBoxLayout>

TExtCodesPage::TExtCodesPage(TForm1& form) : TFormPart(form, "TabShExtBCodes", "External Barcodes") { SheetLayout()->addStretch(1); }
