#pragma once
// The report object every printout of the suite uses: page set-up, bands and
// their labels, the BeforePrint and NeedData events, and the outputs (modal
// preview with printing, printer, PDF file, in-memory pages).
//
// A rendering pass: BeforePrint runs; the first page starts (page header when
// FirstPageHeader, the title band, column headers); NeedData is asked for each
// record, and while it answers true every enabled detail band is printed with
// the labels as NeedData left them, breaking to a new page before the page
// footer's room; then the summary bands; the page footers close every page
// (the last one only with LastPageFooter). Every output runs a pass of its own,
// so BeforePrint must reset whatever NeedData counts. An exception thrown by
// an event ends the pass and reaches the caller before anything is written.
#include "Band.h"

#include <QPageLayout>

#include <functional>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace kr {

struct PageSetup {
  QPageSize::PageSizeId PaperSize = QPageSize::A4;
  QPageLayout::Orientation Orientation = QPageLayout::Portrait;
  qreal LeftMargin = 10;  // millimetres
  qreal TopMargin = 10;
  qreal RightMargin = 10;
  qreal BottomMargin = 10;
  kr::Frame Frame;  // drawn around the area inside the margins
  int Zoom = 100;   // the zoom the geometry was drawn at, and the preview's zoom

  QSizeF PaperSizeMm() const;  // as oriented
  QRectF PrintableRectMm() const;
  // The paper without device margins: the report places everything itself.
  QPageLayout PageLayout() const;
};

struct ReportOptions {
  bool FirstPageHeader = false;  // the page header prints on the first page too
  bool LastPageFooter = false;   // the page footer prints on the last page too
};

class QuickReport {
 public:
  QuickReport() = default;
  QuickReport(const QuickReport&) = delete;
  QuickReport& operator=(const QuickReport&) = delete;

  PageSetup Page;
  ReportOptions Options;
  bool PrintIfEmpty = true;  // without any record, pages are printed all the same
  QString ReportTitle;
  // Date and time printed by the date-time fields; when invalid, the clock
  // at the start of each pass.
  QDateTime PrintDateTime;

  // Runs at the start of every pass.
  std::function<void()> OnBeforePrint;
  // Asked for each detail record: true (MoreData) prints the detail bands once
  // more. The handler may fill and restyle bands and labels for that record.
  // Without a handler the report has no detail records.
  std::function<bool()> OnNeedData;

  Band& AddBand(BandType type, qreal height, const QString& name = {});
  const std::vector<std::unique_ptr<Band>>& Bands() const { return bands_; }
  Band* FindBand(const QString& name) const;
  // An item of any band by name and type, or nullptr.
  template <class T>
  T* Find(const QString& name) const {
    for (const auto& band : bands_)
      if (T* found = band->Find<T>(name)) return found;
    return nullptr;
  }

  // One pass into pages; no pages when there is no record and PrintIfEmpty is off.
  std::vector<RenderedPage> RenderPages();
  // One pass, then page `index` (0-based) as a picture; null when there is none.
  QImage RenderPageImage(int index, qreal dpi = 96);
  // One pass into a PDF file whose text stays text. False when there is
  // nothing to print or the file cannot be written.
  bool ExportToPdf(const QString& path);
  // One pass onto the printer as it is set up.
  bool Print(QPrinter& printer);
  // The print dialog (through the modal seam), then one pass onto the printer chosen.
  bool Print(QWidget* parent = nullptr);
  // One pass into the modal preview window (through the modal seam), from
  // which the user prints or saves a PDF. False when there is nothing to show.
  bool Preview(QWidget* parent = nullptr);

  // Sets a printer to the report's paper, orientation and full-page drawing.
  void ApplyPageSetup(QPrinter& printer) const;
  // Paints laid-out pages onto a paged device (printer, PDF writer).
  static bool PaintPages(QPagedPaintDevice& device, const std::vector<RenderedPage>& pages);

 private:
  std::vector<std::unique_ptr<Band>> bands_;
};

}  // namespace kr
