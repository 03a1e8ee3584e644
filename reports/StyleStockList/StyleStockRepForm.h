#pragma once
// The print form of the styles listing: the grid's rows from row 1 on, each
// on a detail band of two lines (root PLU, style and colour, supplier and
// brand, season and description, department and style reference, branch,
// cost and retail, twenty sizes and the total), laid out for zoom 120 so the
// twenty size columns fit the landscape page. A header row prints on green
// with every label bold. The footer carries the overall total.
#include "Report1Form.h"

#include <vector>

class TFormRep : public TReport1Form {
 public:
  TFormRep();

  static constexpr int kZoom = 120;
  static constexpr quint32 kHeaderBandColour = 0xC0DCC0;

  kr::Label* QRLabelOverallTotal = nullptr;   // "Overall Total:"
  kr::Label* QRLabelOverallTotals = nullptr;  // the window's overall total

  // The detail labels in the order of the layout table.
  const std::vector<kr::Label*>& DetailLabels() const { return details_; }

 protected:
  void StyleDetail(int row) override;

 private:
  std::vector<kr::Label*> details_;
};
