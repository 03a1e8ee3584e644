#include "StyleSheetPrintForm.h"

#include <array>

namespace {

constexpr qreal kHeaderHeight = 65;
constexpr qreal kCaptionTop = 46;
constexpr qreal kCaptionHeight = kHeaderHeight - kCaptionTop;  // two lines of a wrapped caption
constexpr qreal kDetailHeight = 10;
constexpr qreal kFooterHeight = 29;
constexpr qreal kFooterFieldHeight = 14;
constexpr qreal kFooterFieldWidth = 240;
constexpr qreal kColumnGap = 2;
constexpr int kTextPixels = 8;
constexpr int kTitlePixels = 24;

// Where each column starts, left to right; it ends short of the next one.
constexpr std::array<qreal, 18> kLefts{8,   65,  129, 208, 257, 328, 380, 440, 508,
                                       571, 634, 695, 751, 784, 840, 872, 929, 979};
constexpr int kStockColumn = 16;
constexpr int kMinStockColumn = 17;

}  // namespace

const QStringList& TQuickReport1::Captions() {
  static const QStringList captions{"ROOT PLU:", "SUPPLIER:",   "STYLE:",      "STYLE REF:", "DESCRIPTION:",
                                    "COLOUR:",   "SEASON:",     "CATEGORY:",   "DEPARTMENT:", "SUB-DEPT:",
                                    "BRAND:",    "SIZES:",      "VAT:",        "COST:",      "M/UP:",
                                    "RETAIL:",   "STOCK:",      "MIN STK:"};
  return captions;
}

TQuickReport1::TQuickReport1() : TGridReportForm(100, 0) {
  kr::PageSetup& page = QuickRep1.Page;
  page.PaperSize = QPageSize::A4;
  page.Orientation = QPageLayout::Landscape;
  page.LeftMargin = page.TopMargin = page.RightMargin = page.BottomMargin = 10;
  QuickRep1.Options = {true, true};
  QuickRep1.PrintIfEmpty = true;
  const qreal bandWidth = page.PrintableRectMm().width() / kr::DesignPixelsToMm(1, page.Zoom);

  QRBandHeader = &QuickRep1.AddBand(kr::BandType::PageHeader, kHeaderHeight, "QRBandHeader");
  QRBandHeader->Colour = Qt::white;
  QRBandHeader->Frame = kr::Frame::Under();
  QRLabelTitle = &QRBandHeader->AddLabel("QRLabelTitle", {6, 6, 10, 30});
  QRLabelTitle->Font = kr::PixelFont("Arial", kTitlePixels, true);
  QRLabelTitle->AutoSize = true;

  QRBandDetail = &QuickRep1.AddBand(kr::BandType::Detail, kDetailHeight, "QRBandDetail");
  for (int col = 0; col < static_cast<int>(kLefts.size()); ++col) {
    const qreal left = kLefts[static_cast<size_t>(col)];
    const qreal next = col + 1 < static_cast<int>(kLefts.size()) ? kLefts[static_cast<size_t>(col) + 1] : bandWidth;
    const qreal width = next - left - kColumnGap;
    const QString n = QString::number(col);
    kr::Label& caption =
        QRBandHeader->AddLabel("QRLabelCaption" + n, {left, kCaptionTop, width, kCaptionHeight}, Captions()[col]);
    caption.Font = kr::PixelFont("Arial", kTextPixels, true);
    caption.WordWrap = true;
    captions_.push_back(&caption);
    kr::Label& detail = AddColumnLabel(*QRBandDetail, col, "QRLabelCol" + n, {left, 0, width, kDetailHeight});
    detail.Font = kr::PixelFont("Arial", kTextPixels);
    detail.WordWrap = true;
  }

  QRBandFooter = &QuickRep1.AddBand(kr::BandType::PageFooter, kFooterHeight, "QRBandFooter");
  QRSysDataDate = &QRBandFooter->AddSysData("QRSysDataDate", kr::SysDataKind::DateTime,
                                            {6, 8, kFooterFieldWidth, kFooterFieldHeight});
  QRSysDataPage = &QRBandFooter->AddSysData("QRSysDataPage", kr::SysDataKind::PageNumber,
                                            {bandWidth - kFooterFieldWidth - 6, 8, kFooterFieldWidth,
                                             kFooterFieldHeight});
  QRSysDataPage->Alignment = kr::Alignment::Right;
  for (kr::SysData* field : {QRSysDataDate, QRSysDataPage}) field->Font = kr::PixelFont("Arial", 11);
}

kr::Label* TQuickReport1::CaptionOf(int col) const {
  return col >= 0 && col < static_cast<int>(captions_.size()) ? captions_[static_cast<size_t>(col)] : nullptr;
}

void TQuickReport1::BeforePrint() {
  QRLabelTitle->Caption = Title();
  CaptionOf(kStockColumn)->Caption.clear();
  CaptionOf(kMinStockColumn)->Caption.clear();
}
