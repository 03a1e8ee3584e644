#include "StyleStockRepForm.h"

#include "KvColour.h"
#include "StyleStockGridClass.h"

namespace {

constexpr qreal kUpper = 2;
constexpr qreal kLower = 15;
constexpr qreal kLabelHeight = 12;

struct Place {
  int col;
  const char* name;
  qreal left;
  qreal top;
  qreal width;
  kr::Alignment alignment;
};

// Design pixels at the form's zoom of 120: the total's right edge (1252)
// lies just inside the band (277 mm of landscape A4 within its margins).
constexpr Place kPlaces[] = {
    {0, "QRLabRootPLU", 2, kUpper, 47, kr::Alignment::Left},
    {3, "QRLabStyle", 54, kUpper, 107, kr::Alignment::Left},
    {4, "QRLabColour", 54, kLower, 107, kr::Alignment::Left},
    {1, "QRLabSupplier", 166, kUpper, 107, kr::Alignment::Left},
    {2, "QRLabBrand", 166, kLower, 107, kr::Alignment::Left},
    {5, "QRLabSeason", 278, kUpper, 107, kr::Alignment::Left},
    {6, "QRLabDesc", 278, kLower, 107, kr::Alignment::Left},
    {8, "QRLabDept", 391, kUpper, 107, kr::Alignment::Left},
    {7, "QRLabStyleRef", 390, kLower, 107, kr::Alignment::Left},
    {9, "QRLabBranch", 527, kUpper, 50, kr::Alignment::Left},
    {10, "QRLabCost", 584, kUpper, 46, kr::Alignment::Right},
    {11, "QRLabRetail", 584, kLower, 46, kr::Alignment::Right},
};

constexpr qreal kSizeLefts[TStyleStockGridClass::kBlockSizes] = {
    637, 666, 694, 722, 751, 780, 808, 836, 865, 893, 922, 951, 979, 1008, 1036, 1064, 1093, 1122, 1150, 1178};
constexpr qreal kSizeWidth = 27;

}  // namespace

TFormRep::TFormRep() : TReport1Form(kZoom, 1) {
  for (const Place& p : kPlaces)
    details_.push_back(&AddDetailLabel(p.col, p.name, {p.left, p.top, p.width, kLabelHeight}, p.alignment));
  for (int k = 0; k < TStyleStockGridClass::kBlockSizes; ++k)
    details_.push_back(&AddDetailLabel(TStyleStockGridClass::kFirstSizeCol + k,
                                       QString("QRLabSize%1").arg(k, 2, 10, QChar('0')),
                                       {kSizeLefts[k], kUpper, kSizeWidth, kLabelHeight}, kr::Alignment::Right));
  details_.push_back(
      &AddDetailLabel(TStyleStockGridClass::kTotalCol, "QRLabTotal", {1208, kUpper, 44, kLabelHeight}, kr::Alignment::Right));

  // The footer's overall total, between the title in the middle and the page number.
  const qreal right = BandWidth() - 250;
  QRLabelOverallTotal = &QRBand3->AddLabel("QRLabelOverallTotal", {right - 270, 8, 125, 16}, "Overall Total:");
  QRLabelOverallTotal->Font = kr::PixelFont("Arial", 13, true);
  QRLabelOverallTotals = &QRBand3->AddLabel("QRLabelOverallTotals", {right - 135, 8, 125, 16});
  QRLabelOverallTotals->Font = kr::PixelFont("Arial", 13, true);
  QRLabelOverallTotals->Alignment = kr::Alignment::Right;
}

void TFormRep::StyleDetail(int row) {
  const bool header = GetCell(TStyleStockGridClass::kTotalCol) == QLatin1String(TStyleStockGridClass::kTotal);
  QRBandRepLine->Colour = header ? kvColour(kHeaderBandColour) : QColor(Qt::white);
  for (kr::Label* label : details_) label->Font.setBold(header);
  Q_UNUSED(row);
}
