#pragma once
// ItemStockReport's window: the product stock listing, one row per PLU of
// the checked values of one product attribute (see TStockListingForm for
// the run, TItemStockListingClass for the rows and totals).
#include "StockListingForm.h"

class TMainForm : public TStockListingForm {
  Q_OBJECT
 public:
  TMainForm();

  static constexpr const char* kTitle = "Product Stock Listing";
};
