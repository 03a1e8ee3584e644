#include "QuickReport.h"

#include "Paginator.h"
#include "PreviewDialog.h"
#include "TextMeasure.h"

#include <ModalSeam.h>

#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace kr {

QSizeF PageSetup::PaperSizeMm() const {
  const QSizeF portrait = QPageSize(PaperSize).size(QPageSize::Millimeter);
  return Orientation == QPageLayout::Landscape ? portrait.transposed() : portrait;
}

QRectF PageSetup::PrintableRectMm() const {
  const QSizeF paper = PaperSizeMm();
  return QRectF(LeftMargin, TopMargin, paper.width() - LeftMargin - RightMargin,
                paper.height() - TopMargin - BottomMargin);
}

QPageLayout PageSetup::PageLayout() const {
  return QPageLayout(QPageSize(PaperSize), Orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

Band& QuickReport::AddBand(BandType type, qreal height, const QString& name) {
  bands_.push_back(std::make_unique<Band>(type, height, name));
  return *bands_.back();
}

Band* QuickReport::FindBand(const QString& name) const {
  for (const auto& band : bands_)
    if (band->Name == name) return band.get();
  return nullptr;
}

std::vector<RenderedPage> QuickReport::RenderPages() {
  if (OnBeforePrint) OnBeforePrint();
  TextMeasure measure;
  LayoutContext ctx;
  ctx.zoom = Page.Zoom > 0 ? Page.Zoom : 100;
  ctx.measure = &measure;
  ctx.reportTitle = ReportTitle;
  ctx.printedAt = PrintDateTime.isValid() ? PrintDateTime : QDateTime::currentDateTime();

  Paginator pages(*this, ctx);
  pages.Begin();
  bool anyRecord = false;
  while (OnNeedData && OnNeedData()) {
    anyRecord = true;
    pages.PlaceAll(BandType::Detail);
  }
  if (!anyRecord && !PrintIfEmpty) return {};
  pages.PlaceAll(BandType::Summary);
  return pages.Finish();
}

QImage QuickReport::RenderPageImage(int index, qreal dpi) {
  const auto pages = RenderPages();
  if (index < 0 || index >= static_cast<int>(pages.size())) return {};
  return PageImage(pages[index], dpi);
}

bool QuickReport::PaintPages(QPagedPaintDevice& device, const std::vector<RenderedPage>& pages) {
  if (pages.empty()) return false;
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal dpi = device.logicalDpiX();
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !device.newPage()) return false;
    PaintPage(painter, pages[i], dpi);
  }
  return painter.end();
}

bool QuickReport::ExportToPdf(const QString& path) {
  const auto pages = RenderPages();
  if (pages.empty()) return false;
  QPdfWriter writer(path);
  writer.setPageLayout(Page.PageLayout());
  writer.setTitle(ReportTitle);
  writer.setCreator(QStringLiteral("Tessarin"));
  return PaintPages(writer, pages);
}

void QuickReport::ApplyPageSetup(QPrinter& printer) const {
  printer.setFullPage(true);
  printer.setPageLayout(Page.PageLayout());
  if (printer.docName().isEmpty()) printer.setDocName(ReportTitle);
}

bool QuickReport::Print(QPrinter& printer) {
  ApplyPageSetup(printer);
  return PaintPages(printer, RenderPages());
}

bool QuickReport::Print(QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  ApplyPageSetup(printer);
  QPrintDialog dialog(&printer, parent);
  if (kui::ModalSeam::Exec(dialog) != QDialog::Accepted) return false;
  return Print(printer);
}

bool QuickReport::Preview(QWidget* parent) {
  auto pages = RenderPages();
  if (pages.empty()) return false;
  PreviewDialog dialog(*this, std::move(pages), parent);
  kui::ModalSeam::Exec(dialog);
  return true;
}

}  // namespace kr
