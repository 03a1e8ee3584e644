// The comments page: the point-of-sale comment and the web comment of the
// shown root PLU, for this colour or every colour of the style.
// The unit lays out the page, wires its controls and holds its handlers,
// with the TForm1 entry points of those handlers.
#include "CommentsPageF.h"

#include <QVBoxLayout>

TCommentsPage::TCommentsPage(TForm1& form) : TFormPart(form, "TabShComments", "Comments") { SheetLayout()->addStretch(1); }
