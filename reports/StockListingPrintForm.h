#pragma once
// The print form of the stock listings: the frame's report form with the
// column captions in the page header (on every page, under the title) and
// one detail label per grid column on a thin framed detail band. The group
// column's caption (QRLabGroupTitle) is set per print; "Totals" rows print
// bold.
//
//   TForm2 form(rules);                       // the listing's columns
//   form.QRLabGroupTitle->Caption = "Brand";
//   form.SetGrid(grid); form.SetTitle("Product Stock Listing By Supplier");
#include "Report1Form.h"

class TStockListingClass;

class TForm2 : public TReport1Form {
 public:
  explicit TForm2(const TStockListingClass& listing);

  static constexpr int kZoom = 120;
  static constexpr qreal kHeaderHeight = 72;
  static constexpr qreal kDetailHeight = 16;
  static constexpr quint32 kDetailFrameColour = 0xE8E8E8;

  kr::Band* QRBandDetail = nullptr;       // the detail band
  kr::Label* QRLabGroupTitle = nullptr;   // the group column's caption

 protected:
  void StyleDetail(int row) override;

 private:
  const TStockListingClass& listing_;
};
