#include "StockListingPrintForm.h"

#include "KvColour.h"
#include "StockListingClass.h"

#include <algorithm>

namespace {
constexpr qreal kCaptionTop = 52;
constexpr qreal kCaptionHeight = 14;
constexpr int kTitleFontPixels = 27;
constexpr int kLabelFontPixels = 8;
}  // namespace

TForm2::TForm2(const TStockListingClass& listing) : TReport1Form(kZoom, 1), listing_(listing) {
  QRBand1->Height = kHeaderHeight;
  QRLabelTitle->Font = kr::PixelFont("Arial", kTitleFontPixels, true);
  QRBandDetail = QRBandRepLine;
  QRBandDetail->Name = "QRBandDetail";
  QRBandDetail->Height = kDetailHeight;
  QRBandDetail->Frame = kr::Frame::All(kvColour(kDetailFrameColour));

  // The footer's title is as long as the page header's.
  const qreal footerTitle = BandWidth() / 2;
  QRSysData3->SetGeometry({(BandWidth() - footerTitle) / 2, QRSysData3->Top, footerTitle, QRSysData3->Height});

  const auto& columns = listing.Columns();
  qreal total = 0;
  for (const auto& c : columns) total += c.PrintWidth;
  // Narrowed in proportion when the columns are wider than the band.
  const qreal scale = std::min<qreal>(1, (BandWidth() - 4) / total);
  qreal left = 2;
  for (int col = 0; col < static_cast<int>(columns.size()); ++col) {
    const auto& c = columns[size_t(col)];
    const qreal width = c.PrintWidth * scale;
    const kr::Alignment align = c.Right ? kr::Alignment::Right : kr::Alignment::Left;
    const QString captionName =
        col == TStockListingClass::kGroupColumn ? QString("QRLabGroupTitle") : QString("QRLabHead%1").arg(col);
    kr::Label& caption = QRBand1->AddLabel(captionName, {left, kCaptionTop, width - 4, kCaptionHeight},
                                           col == TStockListingClass::kGroupColumn ? "Supplier" : c.PrintCaption);
    caption.Font = kr::PixelFont("Arial", kLabelFontPixels, !c.Right);
    caption.Alignment = align;
    if (col == TStockListingClass::kGroupColumn) QRLabGroupTitle = &caption;
    AddDetailLabel(col, c.DetailLabel, {left, 2, width - 4, kDetailHeight - 4}, align);
    left += width;
  }
}

void TForm2::StyleDetail(int row) {
  const bool bold = listing_.IsBoldText(GetCell(0));
  for (const auto& c : listing_.Columns())
    if (kr::Label* label = ColumnLabel(c.DetailLabel)) label->Font.setBold(bold);
}
