// The wholesale pack page: the style's pack code and a quantity per PLU in
// a colour-by-size grid.
// The unit lays out the page, wires its controls and holds its handlers,
// with the TForm1 entry points of those handlers.
#include "PackPageF.h"

#include <QVBoxLayout>

TPackPage::TPackPage(TForm1& form) : TFormPart(form, "TabShPack", "Package") { SheetLayout()->addStretch(1); }
