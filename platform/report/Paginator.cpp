#include "Paginator.h"

#include "QuickReport.h"

namespace kr {
namespace {
constexpr qreal kEpsilonMm = 0.001;
}

Paginator::Paginator(const QuickReport& report, LayoutContext& ctx)
    : report_(report), ctx_(ctx), printable_(report.Page.PrintableRectMm()) {}

void Paginator::Begin() { StartPage(); }

void Paginator::StartPage() {
  RenderedPage page;
  page.number = static_cast<int>(pages_.size()) + 1;
  page.size = report_.Page.PaperSizeMm();
  page.printable = printable_;
  page.frame = report_.Page.Frame;
  page.frame.Width = ctx_.Mm(report_.Page.Frame.Width);
  pages_.push_back(std::move(page));
  ctx_.pageNumber = pages_.back().number;
  y_ = printable_.top();
  bodyStarted_ = false;
  if (ctx_.pageNumber > 1 || report_.Options.FirstPageHeader) PlaceAll(BandType::PageHeader);
  if (ctx_.pageNumber == 1) PlaceAll(BandType::Title);
  PlaceAll(BandType::ColumnHeader);
}

qreal Paginator::FooterRoom() const {
  qreal room = 0;
  for (const auto& band : report_.Bands())
    if (band->Type() == BandType::PageFooter && band->Enabled) room += ctx_.Mm(band->Height);
  return room;
}

void Paginator::EndPage(bool last) {
  if (last && !report_.Options.LastPageFooter) return;
  y_ = printable_.bottom() - FooterRoom();
  PlaceAll(BandType::PageFooter);
}

void Paginator::Append(const Band& band) {
  pages_.back().bands.push_back(band.Layout(ctx_, QPointF(printable_.left(), y_), printable_.width()));
  y_ += ctx_.Mm(band.Height);
}

void Paginator::Place(const Band& band) {
  if (!band.Enabled) return;
  if (bodyStarted_ && y_ + ctx_.Mm(band.Height) > printable_.bottom() - FooterRoom() + kEpsilonMm) {
    EndPage(false);
    StartPage();
  }
  Append(band);
  bodyStarted_ = true;
}

void Paginator::PlaceAll(BandType type) {
  const bool body = type == BandType::Detail || type == BandType::Summary;
  for (const auto& band : report_.Bands()) {
    if (band->Type() != type || !band->Enabled) continue;
    if (body) Place(*band);
    else Append(*band);
  }
}

std::vector<RenderedPage> Paginator::Finish() {
  EndPage(true);
  return std::move(pages_);
}

}  // namespace kr
