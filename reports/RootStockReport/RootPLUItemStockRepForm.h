#pragma once
// RootStockReport's window: the style-and-colour stock listing, one row per
// root PLU of the checked values of one product attribute (see
// TStockListingForm for the run, TRootStockListingClass for the rows,
// averages and totals). Without any branch the program ends at start.
#include "StockListingForm.h"

class TMainForm : public TStockListingForm {
  Q_OBJECT
 public:
  TMainForm();

  static constexpr const char* kTitle = "Style and Colour Stock Listing";
  static constexpr const char* kNoBranches = "There is no Branches!";

 protected:
  // Every branch, ids 2 and 3 included; none at all ends the program.
  void LoadBranches() override;
};
