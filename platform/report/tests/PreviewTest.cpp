#include "ReportTestSupport.h"

#include <KvTestSupport.h>
#include <ModalSeam.h>
#include <PreviewDialog.h>

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>

namespace {

using namespace kr_test;

class ReportPreview : public ::testing::Test {
 protected:
  void TearDown() override { kui::ModalSeam::ClearAnswerers(); }
};

TEST_F(ReportPreview, ShowsEveryPageModallyAtTheReportZoom) {
  GridReport g(GridReport(0).RowsPerPage() * 2 + 1);
  g.rep.Page.Zoom = 120;
  const int expected = static_cast<int>(g.rep.RenderPages().size());
  ASSERT_GE(expected, 2);
  int pages = -1, previewPages = -1;
  qreal zoom = 0;
  QString caption;
  kui::ScopedAnswerer answer([&](QDialog& d) {
    auto* preview = qobject_cast<kr::PreviewDialog*>(&d);
    ASSERT_NE(preview, nullptr);
    pages = preview->PageCount();
    previewPages = preview->PreviewWidget()->pageCount();
    zoom = preview->PreviewWidget()->zoomFactor();
    caption = d.windowTitle();
    kvtest::SaveScreenshot(&d, "ReportPreview");
    d.reject();
  });
  EXPECT_TRUE(g.rep.Preview());
  EXPECT_EQ(kui::ModalSeam::ShownCount(), 1);
  EXPECT_EQ(pages, expected);
  EXPECT_EQ(previewPages, expected);
  EXPECT_DOUBLE_EQ(zoom, 1.2);
  EXPECT_EQ(caption, "Product Stock Listing");
  EXPECT_EQ(g.beforePrints, 2);  // one pass each; painting the preview runs no report event
}

TEST_F(ReportPreview, NothingToShowOpensNoWindow) {
  GridReport g(0);
  g.rep.PrintIfEmpty = false;
  kui::ScopedAnswerer answer([](QDialog& d) { d.reject(); });
  EXPECT_FALSE(g.rep.Preview());
  EXPECT_EQ(kui::ModalSeam::ShownCount(), 0);
}

TEST_F(ReportPreview, SavePdfAndPrintRunANewPass) {
  GridReport g(12);
  QTemporaryDir dir;
  const QString chosen = dir.filePath("sheet");  // no extension: ".pdf" is added
  bool printDialogSeen = false;
  kui::ModalSeam::SetFileAnswerer([&](kui::ModalSeam::FileKind kind, const QString&, const QString&) {
    EXPECT_EQ(kind, kui::ModalSeam::FileKind::Save);
    return chosen;
  });
  kui::ModalSeam::SetAnswerer([&](QDialog& d) {
    if (qobject_cast<QPrintDialog*>(&d)) {
      printDialogSeen = true;
      d.reject();  // the print is cancelled: no pass
      return;
    }
    auto& preview = dynamic_cast<kr::PreviewDialog&>(d);
    preview.SavePdfAction()->trigger();
    preview.PrintAction()->trigger();
    d.accept();
  });
  EXPECT_TRUE(g.rep.Preview());
  EXPECT_TRUE(printDialogSeen);
  EXPECT_EQ(g.beforePrints, 2);  // the preview's pass and the PDF's
  ASSERT_TRUE(QFile::exists(chosen + ".pdf"));
  EXPECT_TRUE(PdfText(chosen + ".pdf").contains("ROW00011"));
}

}  // namespace
