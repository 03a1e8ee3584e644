#include "Report1Form.h"

#include "KvStringGrid.h"

namespace {
constexpr qreal kHeaderHeight = 52;
constexpr qreal kDetailHeight = 30;
constexpr qreal kFooterHeight = 32;
constexpr qreal kFieldTop = 8;
constexpr qreal kFieldHeight = 16;
constexpr qreal kFieldWidth = 240;
}  // namespace

void TReport1Form::SetUpPage(kr::QuickReport& report) {
  kr::PageSetup& page = report.Page;
  page.PaperSize = QPageSize::A4;
  page.Orientation = QPageLayout::Landscape;
  page.LeftMargin = page.TopMargin = page.RightMargin = page.BottomMargin = 10;
  page.Frame = kr::Frame::All();
  report.Options = {true, true};
  report.PrintIfEmpty = true;
}

TReport1Form::TReport1Form(int zoom, int firstRow) : TGridReportForm(zoom, firstRow) {
  SetUpPage(QuickRep1);

  QRBand1 = &QuickRep1.AddBand(kr::BandType::PageHeader, kHeaderHeight, "QRBand1");
  QRBand1->Frame = kr::Frame::All();
  QRBand1->Colour = Qt::white;
  QRLabelTitle = &QRBand1->AddLabel("QRLabelTitle", {8, 8, 10, 34});
  QRLabelTitle->Font = kr::PixelFont("Arial", 24, true);
  QRLabelTitle->AutoSize = true;

  QRBandRepLine = &QuickRep1.AddBand(kr::BandType::Detail, kDetailHeight, "QRBandRepLine");
  QRBandRepLine->Frame = kr::Frame::Under();
  QRBandRepLine->Colour = Qt::white;

  QRBand3 = &QuickRep1.AddBand(kr::BandType::PageFooter, kFooterHeight, "QRBand3");
  QRBand3->Frame = kr::Frame::All();
  const qreal width = BandWidth();
  QRSysData2 = &QRBand3->AddSysData("QRSysData2", kr::SysDataKind::DateTime,
                                    {4, kFieldTop, kFieldWidth, kFieldHeight});
  QRSysData3 = &QRBand3->AddSysData("QRSysData3", kr::SysDataKind::ReportTitle,
                                    {(width - kFieldWidth) / 2, kFieldTop, kFieldWidth, kFieldHeight});
  QRSysData3->Alignment = kr::Alignment::Center;
  QRSysData1 = &QRBand3->AddSysData("QRSysData1", kr::SysDataKind::PageNumber,
                                    {width - kFieldWidth - 4, kFieldTop, kFieldWidth, kFieldHeight});
  QRSysData1->Alignment = kr::Alignment::Right;
}

qreal TReport1Form::BandWidth() const {
  const qreal mm = QuickRep1.Page.PrintableRectMm().width();
  return mm / kr::DesignPixelsToMm(1, QuickRep1.Page.Zoom);
}

kr::Label& TReport1Form::AddDetailLabel(int col, const QString& name, const QRectF& geometry,
                                        kr::Alignment alignment) {
  kr::Label& label = AddColumnLabel(*QRBandRepLine, col, name, geometry, alignment);
  label.Font = kr::PixelFont("Arial", kDetailFontPixels);
  return label;
}

void TReport1Form::AddGridColumnLabels(const kui::KvStringGrid& grid,
                                       const std::function<kr::Alignment(int col)>& alignment) {
  qreal shown = 0;
  for (int c = 0; c < grid.ColCount(); ++c) shown += qMax(0, grid.ColWidth(c));
  if (shown <= 0) return;
  const qreal scale = (BandWidth() - 4) / shown;
  qreal left = 2;
  for (int c = 0; c < grid.ColCount(); ++c) {
    if (grid.ColWidth(c) <= 0) continue;
    const qreal width = grid.ColWidth(c) * scale;
    AddDetailLabel(c, QString("QRLabCol%1").arg(c), {left, 2, width - 4, kDetailHeight - 6},
                   alignment ? alignment(c) : kr::Alignment::Left);
    left += width;
  }
}

void TReport1Form::BeforePrint() { QRLabelTitle->Caption = Title(); }
