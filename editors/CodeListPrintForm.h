#pragma once
// The printed list of a code-list editor: every entry one detail line, read
// from the rows of the editor's hidden grid StringGrid1 (row 0 first, there is
// no header row), under a page header with the title and the column captions,
// over a page footer with the date and time of printing at the left and the
// page number at the right. A4, first-page header and last-page footer,
// printed even when the list is empty.
//
//   auto form = std::make_unique<TQuickReport1>(QPageLayout::Portrait, 100,
//       std::vector<TPrintColumn>{{"ID:", "QRLabelID", 4, 60}, {"NAME:", "QRLabelName", 70, 300}});
//   form->SetGrid(StringGrid1); form->SetTitle("Brand Names"); form->Preview(window);
#include "FormReportF.h"

#include <QPageLayout>

#include <vector>

// One printed column: the grid's column of the same index in the editor's
// grid is printed by the label named `label`, under the caption.
struct TPrintColumn {
  QString caption;
  QString label;
  qreal left;   // design pixels
  qreal width;
  kr::Alignment alignment = kr::Alignment::Left;
  int fontPixels = 13;  // of the detail label
};

class TQuickReport1 : public TGridReportForm {
 public:
  // Column i of `columns` prints grid column i.
  TQuickReport1(QPageLayout::Orientation orientation, int zoom, const std::vector<TPrintColumn>& columns);

  kr::Band* QRBandHeader = nullptr;
  kr::Label* QRLabelTitle = nullptr;
  kr::Band* QRBandDetail = nullptr;
  kr::Band* QRBandFooter = nullptr;
  kr::SysData* QRSysDataDate = nullptr;
  kr::SysData* QRSysDataPage = nullptr;

  static constexpr int kTitlePoints = 18;

  // The report's events under the names the editors know them by.
  void QuickRepBeforePrint() { QuickRep1BeforePrint(); }
  bool QuickRepNeedData() { return QuickRep1NeedData(); }

  // The width of a band inside the margins, in design pixels.
  qreal BandWidth() const;

 protected:
  void BeforePrint() override;
};
