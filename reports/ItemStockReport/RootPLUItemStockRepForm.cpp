#include "RootPLUItemStockRepForm.h"

#include "ItemStockListingClass.h"

TMainForm::TMainForm() : TStockListingForm(std::make_unique<TItemStockListingClass>(), kTitle) {}
