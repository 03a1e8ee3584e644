#include "BrokenStyleRepForm.h"

#include "BrokenSizeGridClass.h"
#include "KvColour.h"
#include "Report1Form.h"

namespace {
constexpr qreal kDetailHeight = 18;
constexpr qreal kTextTop = 3;
constexpr qreal kTextHeight = 13;
constexpr int kTextPixels = 11;
constexpr qreal kSizeLeft = 424;
constexpr qreal kSizeStep = 31;
}  // namespace

TFormRep::TFormRep() : TGridReportForm(100, 0) {
  TReport1Form::SetUpPage(QuickRep1);

  QRBandHead = &QuickRep1.AddBand(kr::BandType::PageHeader, 59, "QRBandHead");
  QRBandHead->Colour = Qt::white;
  QRLabelTitle = &QRBandHead->AddLabel("QRLabelTitle", {8, 6, 10, 40});
  QRLabelTitle->Font = kr::PixelFont("Arial", 32, true);
  QRLabelTitle->AutoSize = true;
  QRLabelStartDate = &QRBandHead->AddLabel("QRLabelStartDate", {700, 22, 100, 16}, "Start Date:");
  QRLabelStartDate->Font = kr::PixelFont("Arial", 13, true);

  QRBandDetail = &QuickRep1.AddBand(kr::BandType::Detail, kDetailHeight, "QRBandDetail");
  QRBandDetail->Frame = kr::Frame::All(kvColour(kDetailFrameColour));
  QRBandDetail->Colour = Qt::white;
  auto text = [this](int col, const QString& name, qreal left, qreal width, kr::Alignment alignment) {
    kr::Label& l = AddColumnLabel(*QRBandDetail, col, name, {left, kTextTop, width, kTextHeight}, alignment);
    l.Font = kr::PixelFont("Arial", kTextPixels);
    return &l;
  };
  QRLabBranch = text(1, "QRLabBranch", 4, 110, kr::Alignment::Left);
  QRLabRootPLU = text(2, "QRLabRootPLU", 118, 70, kr::Alignment::Left);
  QRLabStyle = text(3, "QRLabStyle", 192, 112, kr::Alignment::Left);
  QRLabColour = text(4, "QRLabColour", 308, 112, kr::Alignment::Left);
  for (int k = 0; k < kSizes; ++k)
    QRLabSize[static_cast<size_t>(k)] = text(TBrokenSizeGridClass::kFirstSizeCol + k,
                                             QString("QRLabSize%1").arg(k),
                                             kSizeLeft + k * kSizeStep, kSizeStep - 2, kr::Alignment::Center);

  QRBandFoot = &QuickRep1.AddBand(kr::BandType::PageFooter, 28, "QRBandFoot");
  QRSysDataDate = &QRBandFoot->AddSysData("QRSysDataDate", kr::SysDataKind::DateTime, {4, 6, 240, 16});
  QRSysData1 = &QRBandFoot->AddSysData("QRSysData1", kr::SysDataKind::PageNumber, {800, 6, 240, 16});
  QRSysData1->Alignment = kr::Alignment::Right;
}

void TFormRep::BeforePrint() { QRLabelTitle->Caption = Title(); }

void TFormRep::StyleDetail(int row) {
  const bool header = TBrokenSizeGridClass::IsHeaderRow(*Grid(), row);
  QRBandDetail->Colour = header ? kvColour(kHeaderBandColour) : QColor(Qt::white);
}
