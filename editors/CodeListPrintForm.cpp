#include "CodeListPrintForm.h"

namespace {
constexpr qreal kHeaderHeight = 64;
constexpr qreal kCaptionTop = 42;
constexpr qreal kDetailHeight = 22;
constexpr qreal kFooterHeight = 28;
constexpr qreal kFieldHeight = 16;
constexpr qreal kFooterFieldWidth = 240;
}  // namespace

TQuickReport1::TQuickReport1(QPageLayout::Orientation orientation, int zoom, const std::vector<TPrintColumn>& columns)
    : TGridReportForm(zoom, 0) {
  kr::PageSetup& page = QuickRep1.Page;
  page.PaperSize = QPageSize::A4;
  page.Orientation = orientation;
  page.LeftMargin = page.TopMargin = page.RightMargin = page.BottomMargin = 10;
  QuickRep1.Options = {true, true};
  QuickRep1.PrintIfEmpty = true;

  QRBandHeader = &QuickRep1.AddBand(kr::BandType::PageHeader, kHeaderHeight, "QRBandHeader");
  QRBandHeader->Frame = kr::Frame::Under();
  QRLabelTitle = &QRBandHeader->AddLabel("QRLabelTitle", {4, 4, 10, 32});
  QRLabelTitle->Font = kr::PointFont("Arial", kTitlePoints, true);
  QRLabelTitle->AutoSize = true;

  QRBandDetail = &QuickRep1.AddBand(kr::BandType::Detail, kDetailHeight, "QRBandDetail");
  for (size_t i = 0; i < columns.size(); ++i) {
    const TPrintColumn& c = columns[i];
    kr::Label& caption = QRBandHeader->AddLabel("QRLabelCaption" + QString::number(i),
                                                {c.left, kCaptionTop, c.width, kFieldHeight}, c.caption);
    caption.Font = kr::PixelFont("Arial", 13, true);
    caption.Alignment = c.alignment;
    kr::Label& detail =
        AddColumnLabel(*QRBandDetail, static_cast<int>(i), c.label, {c.left, 3, c.width, kFieldHeight}, c.alignment);
    detail.Font = kr::PixelFont("Arial", c.fontPixels);
  }

  QRBandFooter = &QuickRep1.AddBand(kr::BandType::PageFooter, kFooterHeight, "QRBandFooter");
  QRBandFooter->Frame = kr::Frame::All();
  QRSysDataDate = &QRBandFooter->AddSysData("QRSysDataDate", kr::SysDataKind::DateTime,
                                            {4, 6, kFooterFieldWidth, kFieldHeight});
  QRSysDataPage = &QRBandFooter->AddSysData("QRSysDataPage", kr::SysDataKind::PageNumber,
                                            {BandWidth() - kFooterFieldWidth - 4, 6, kFooterFieldWidth, kFieldHeight});
  QRSysDataPage->Alignment = kr::Alignment::Right;
}

qreal TQuickReport1::BandWidth() const {
  return QuickRep1.Page.PrintableRectMm().width() / kr::DesignPixelsToMm(1, QuickRep1.Page.Zoom);
}

void TQuickReport1::BeforePrint() { QRLabelTitle->Caption = Title(); }
