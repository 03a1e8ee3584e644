#include "PreviewDialog.h"

#include "QuickReport.h"

#include <ModalSeam.h>

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <exception>

namespace kr {
namespace {
// The preview's zoom 100 shows the paper at its real size on a 96 dpi screen.
constexpr qreal kZoomStep = 1.25;

QString Describe(const std::exception_ptr& e) {
  try {
    std::rethrow_exception(e);
  } catch (const std::exception& ex) {
    return QString::fromLocal8Bit(ex.what());
  } catch (...) {
  }
  return QStringLiteral("unknown error");
}
}  // namespace

PreviewDialog::PreviewDialog(QuickReport& report, std::vector<RenderedPage> pages, QWidget* parent)
    : QDialog(parent), report_(report), pages_(std::move(pages)), printer_(QPrinter::ScreenResolution) {
  setWindowTitle(report_.ReportTitle.isEmpty() ? tr("Print Preview") : report_.ReportTitle);
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  resize(1000, 760);
  report_.ApplyPageSetup(printer_);

  preview_ = new QPrintPreviewWidget(&printer_, this);
  connect(preview_, &QPrintPreviewWidget::paintRequested, this, &PreviewDialog::PaintRequested);
  connect(preview_, &QPrintPreviewWidget::previewChanged, this, &PreviewDialog::ShowPageNumber);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  BuildToolBar();
  layout->addWidget(preview_, 1);
  preview_->setZoomFactor(report_.Page.Zoom / 100.0);
}

PreviewDialog::~PreviewDialog() = default;

void PreviewDialog::BuildToolBar() {
  auto* bar = new QToolBar(this);
  print_ = bar->addAction(tr("Print"), this, &PreviewDialog::PrintClicked);
  savePdf_ = bar->addAction(tr("Save PDF"), this, &PreviewDialog::SavePdfClicked);
  bar->addSeparator();
  bar->addAction(tr("First"), preview_, [this] { preview_->setCurrentPage(1); });
  bar->addAction(tr("Previous"), preview_, [this] { preview_->setCurrentPage(preview_->currentPage() - 1); });
  bar->addAction(tr("Next"), preview_, [this] { preview_->setCurrentPage(preview_->currentPage() + 1); });
  bar->addAction(tr("Last"), preview_, [this] { preview_->setCurrentPage(preview_->pageCount()); });
  bar->addSeparator();
  bar->addAction(tr("Zoom In"), preview_, [this] { preview_->zoomIn(kZoomStep); });
  bar->addAction(tr("Zoom Out"), preview_, [this] { preview_->zoomOut(kZoomStep); });
  bar->addAction(tr("Whole Page"), preview_, [this] { preview_->fitInView(); });
  bar->addAction(tr("Close"), this, &QDialog::reject);
  pageLabel_ = new QLabel(this);
  bar->addWidget(pageLabel_);
  layout()->addWidget(bar);
}

void PreviewDialog::ShowPageNumber() {
  pageLabel_->setText(tr("  Page %1 of %2").arg(preview_->currentPage()).arg(preview_->pageCount()));
}

void PreviewDialog::PaintRequested(QPrinter* printer) {
  // Painting the pages already laid out: no report event runs here.
  QuickReport::PaintPages(*printer, pages_);
}

void PreviewDialog::PrintClicked() {
  try {
    report_.Print(this);
  } catch (...) {
    qWarning("kr::PreviewDialog::PrintClicked: %s", qPrintable(Describe(std::current_exception())));
  }
}

void PreviewDialog::SavePdfClicked() {
  try {
    QString path = kui::ModalSeam::GetSaveFileName(this, tr("Save PDF"), {}, tr("PDF files (*.pdf)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    if (!report_.ExportToPdf(path)) qWarning("kr::PreviewDialog::SavePdfClicked: cannot write %s", qPrintable(path));
  } catch (...) {
    qWarning("kr::PreviewDialog::SavePdfClicked: %s", qPrintable(Describe(std::current_exception())));
  }
}

}  // namespace kr
