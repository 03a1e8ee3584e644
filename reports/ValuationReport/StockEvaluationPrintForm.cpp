#include "StockEvaluationPrintForm.h"

#include "StockEvaluationClass.h"

#include <QImage>

#include "KvPicture.h"

namespace {
constexpr qreal kHeaderHeight = 77;
constexpr qreal kDetailHeight = 20;
constexpr qreal kFooterHeight = 87;
constexpr int kDetailFontPixels = 9;
constexpr qreal kLogoWidth = 188;
constexpr qreal kLogoHeight = 62;

struct DetailLabel {
  int col;
  const char* name;
  qreal width;  // share of the band
};
constexpr DetailLabel kDetails[] = {
    {TStockEvaluationClass::cBranch, "QRLabelBranch", 14},
    {TStockEvaluationClass::cGroup, "QRLabelGroup", 20},
    {TStockEvaluationClass::cUnits, "QRLabelUnits", 10},
    {TStockEvaluationClass::cUnitCost, "QRLabelUnitCost", 11},
    {TStockEvaluationClass::cUnitRetail, "QRLabelUnitRetail", 11},
    {TStockEvaluationClass::cTotalCost, "QRLabelTCost", 11},
    {TStockEvaluationClass::cTotalRetail, "QRLabelTRetail", 11},
    {TStockEvaluationClass::cProfit, "QRLabelGrossProfit", 12},
};
}  // namespace

TFormReport::TFormReport() : TReport1Form(kZoom, 0) {
  const qreal width = BandWidth();
  QRBand1->Height = kHeaderHeight;
  QRLabelTitle->Font = kr::PixelFont("Arial", 32, true);
  QRLabelTitle->SetGeometry({8, 16, 10, 44});
  QRImage1 = &QRBand1->AddImage("QRImage1", {width - kLogoWidth - 6, 7, kLogoWidth, kLogoHeight});
  QRImage1->Stretch = true;
  QRImage1->Enabled = false;

  QRBand2 = QRBandRepLine;
  QRBand2->Name = "QRBand2";
  QRBand2->Height = kDetailHeight;
  qreal total = 0;
  for (const DetailLabel& d : kDetails) total += d.width;
  qreal left = 4;
  for (const DetailLabel& d : kDetails) {
    const qreal w = (width - 8) * d.width / total;
    const bool text = d.col <= TStockEvaluationClass::cGroup;
    kr::Label& label = AddDetailLabel(d.col, d.name, {left, 3, w - 4, kDetailHeight - 6},
                                      text ? kr::Alignment::Left : kr::Alignment::Center);
    label.Font = kr::PixelFont("Arial", kDetailFontPixels);
    left += w;
  }

  QRBand3->Height = kFooterHeight;
  for (kr::SysData* field : {QRSysData1, QRSysData2, QRSysData3}) field->Top = kFooterHeight - 24;
  QRSysData3->SetGeometry({width / 4, QRSysData3->Top, width / 2, QRSysData3->Height});
  struct Total {
    const char* caption;
    const char* name;
    kr::Label** label;
  };
  const Total totals[] = {{"Total Units:", "QRLabelTotalUnits", &QRLabelTotalUnits},
                          {"Total Cost:", "QRLabelTotalCost", &QRLabelTotalCost},
                          {"Total Retail:", "QRLabelTotalRetail", &QRLabelTotalRetail},
                          {"Gross Profit:", "QRLabelTotalGrossProfit", &QRLabelTotalGrossProfit}};
  const qreal step = (width - 8) / 4;
  for (int i = 0; i < 4; ++i) {
    const qreal x = 4 + i * step;
    kr::Label& caption = QRBand3->AddLabel(QString("QRLabelCaption%1").arg(i + 1), {x, 8, 96, 16}, totals[i].caption);
    caption.Font = kr::PixelFont("Arial", 13, true);
    *totals[i].label = &QRBand3->AddLabel(totals[i].name, {x + 100, 8, step - 108, 16});
  }
  QRBand3->AddLabel("QRLabelGPCaption", {4, 32, 110, 16}, "Gross Profit =").Font = kr::PixelFont("Arial", 13, true);
  QRBand3->AddLabel("QRLabelGPRule", {116, 32, 240, 16}, "Retail Price - Cost Price");
}

void TFormReport::BeforePrint() {
  TReport1Form::BeforePrint();
  QRImage1->Enabled = false;
  QRImage1->Picture = QImage();
  if (!UseImages) return;
  // A missing or unreadable logo leaves the page without it; a logo that is
  // no regular file (a pipe) or far too large is never read.
  const QImage picture = kui::LoadPicture(ImagesFolder + kLogoFile);
  if (picture.isNull()) return;
  QRImage1->Picture = picture;
  QRImage1->Enabled = true;
}

void TFormReport::StyleDetail(int row) {
  const bool bold = row == 0 || GetCell(TStockEvaluationClass::cGroup) == TStockEvaluationClass::kTotals;
  for (const DetailLabel& d : kDetails)
    if (kr::Label* label = ColumnLabel(d.name)) label->Font.setBold(bold);
}
