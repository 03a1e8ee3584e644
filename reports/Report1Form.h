#pragma once
// The print form every stock report starts from: A4 landscape, margins of
// 10 mm, a frame around the page, Arial 13 px; the page header QRBand1 with
// the title QRLabelTitle (printed on the first page too), the detail band
// QRBandRepLine (one line of the grid, a line under it) and the page footer
// QRBand3 with the date and time of printing, the report title and the page
// number (printed on the last page too). Printed even without a detail.
//
//   class TFormRep : public TReport1Form {
//    public:
//     TFormRep() : TReport1Form(120) {
//       AddDetailLabel(0, "QRLabRootPLU", {2, 2, 47, 12});
//       AddDetailLabel(10, "QRLabCost", {584, 2, 46, 12}, kr::Alignment::Right);
//       QRLabelOverallTotals = &QRBand3->AddLabel(...);
//     }
//   };
#include "FormReportF.h"

#include <functional>

class TReport1Form : public TGridReportForm {
 public:
  explicit TReport1Form(int zoom = 100, int firstRow = 1);

  kr::Band* QRBand1 = nullptr;        // page header
  kr::Label* QRLabelTitle = nullptr;
  kr::Band* QRBandRepLine = nullptr;  // detail
  kr::Band* QRBand3 = nullptr;        // page footer
  kr::SysData* QRSysData2 = nullptr;  // date and time
  kr::SysData* QRSysData3 = nullptr;  // report title
  kr::SysData* QRSysData1 = nullptr;  // page number

  static constexpr int kDetailFontPixels = 8;

  // A detail label (Arial 8 px) on QRBandRepLine that takes the cell of `col`.
  kr::Label& AddDetailLabel(int col, const QString& name, const QRectF& geometry,
                            kr::Alignment alignment = kr::Alignment::Left);

  // One detail label per shown column of the grid (hidden columns, width -1
  // or 0, are left out), side by side across the band in proportion to the
  // columns' widths on screen, named "QRLabCol" and the column number.
  void AddGridColumnLabels(const kui::KvStringGrid& grid,
                           const std::function<kr::Alignment(int col)>& alignment);

  // The width of the band inside the page's margins, in design pixels.
  qreal BandWidth() const;

  // The page every report prints on: A4 landscape, margins of 10 mm, a frame
  // around the page, page header on the first and footer on the last page
  // too, printed even without a detail.
  static void SetUpPage(kr::QuickReport& report);

 protected:
  void BeforePrint() override;
};
