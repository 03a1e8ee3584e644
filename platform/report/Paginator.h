#pragma once
// Lays bands out into pages for one rendering pass of a QuickReport.
#include "Band.h"

namespace kr {

class QuickReport;

class Paginator {
 public:
  Paginator(const QuickReport& report, LayoutContext& ctx);

  // Starts the first page with its headers.
  void Begin();
  // Places a band of the page body, on a new page when it does not fit above
  // the footer's room. A band taller than an empty page prints there all the
  // same, so a pass always ends.
  void Place(const Band& band);
  // Places every enabled band of the type.
  void PlaceAll(BandType type);
  // Closes the last page and hands the pages over.
  std::vector<RenderedPage> Finish();

 private:
  void StartPage();
  void EndPage(bool last);
  void Append(const Band& band);
  qreal FooterRoom() const;

  const QuickReport& report_;
  LayoutContext& ctx_;
  std::vector<RenderedPage> pages_;
  QRectF printable_;
  qreal y_ = 0;
  bool bodyStarted_ = false;  // the current page holds a body band
};

}  // namespace kr
