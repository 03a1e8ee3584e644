#pragma once
// The report's modal preview: the laid-out pages at the report's zoom, page
// and zoom steps, "Print" (print dialog, then a new pass onto the printer)
// and "Save PDF" (save dialog, then a new pass into the file).
#include "RenderedPage.h"

#include <QDialog>
#include <QPrinter>

#include <memory>

class QAction;
class QLabel;
class QPrintPreviewWidget;

namespace kr {

class QuickReport;

class PreviewDialog : public QDialog {
  Q_OBJECT
 public:
  PreviewDialog(QuickReport& report, std::vector<RenderedPage> pages, QWidget* parent = nullptr);
  ~PreviewDialog() override;

  QPrintPreviewWidget* PreviewWidget() const { return preview_; }
  QAction* PrintAction() const { return print_; }
  QAction* SavePdfAction() const { return savePdf_; }
  int PageCount() const { return static_cast<int>(pages_.size()); }

 private slots:
  void PaintRequested(QPrinter* printer);
  void PrintClicked();
  void SavePdfClicked();
  void ShowPageNumber();

 private:
  void BuildToolBar();

  QuickReport& report_;
  std::vector<RenderedPage> pages_;
  QPrinter printer_;
  QPrintPreviewWidget* preview_ = nullptr;
  QLabel* pageLabel_ = nullptr;
  QAction* print_ = nullptr;
  QAction* savePdf_ = nullptr;
};

}  // namespace kr
