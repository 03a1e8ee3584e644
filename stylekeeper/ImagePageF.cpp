// The image page: layout, wiring and handlers, with the TForm1 entry points
// of those handlers. Loading the picture of a style that is shown is the
// window's (StyleKeeperFormLoad.cpp).
#include "ImagePageF.h"

#include <QLabel>
#include <QVBoxLayout>

#include "StyleKeeperControls.h"

TImagePage::TImagePage(TForm1& form) : TFormPart(form, "TabShImage", "Image") {
  ImageLarge = skui::MakeLabel(Sheet, "ImageLarge", QString());
  ImageLarge->setFixedSize(300, 300);
  ImageLarge->setAlignment(Qt::AlignCenter);
  ImageLarge->hide();
  SheetLayout()->addWidget(ImageLarge, 0, Qt::AlignHCenter);
  SheetLayout()->addStretch(1);
}
