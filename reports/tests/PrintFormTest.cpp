// The grid print form: which rows print, the page header and footer on
// every page, and the printed text in the PDF file.
#include "ReportsTestUtil.h"

#include "Report1Form.h"

#include <cmath>

namespace {

using kr::BandType;

class GridPrintForm : public ::testing::Test {
 protected:
  kui::KvStringGrid grid;

  // A header row and `n` rows of three columns, the middle one hidden on screen.
  void Rows(int n) {
    std::vector<QStringList> rows{{"Code", "Secret", "Qty"}};
    for (int i = 1; i <= n; ++i) rows.push_back({QString("ROW %1").arg(i, 5, 10, QChar('0')), "x", QString::number(i * 2)});
    reptest::FillGrid(grid, rows);
    grid.SetColWidth(1, -1);
  }

  std::unique_ptr<TReport1Form> Form(int zoom = 120, int firstRow = 1) {
    auto form = std::make_unique<TReport1Form>(zoom, firstRow);
    form->AddGridColumnLabels(grid, [](int col) { return col == 2 ? kr::Alignment::Right : kr::Alignment::Left; });
    form->SetGrid(&grid);
    form->SetTitle("Product Stock Listing");
    form->QuickRep1.PrintDateTime = QDateTime(QDate(2024, 3, 5), QTime(14, 30));
    return form;
  }

  static QStringList Details(const std::vector<kr::RenderedPage>& pages, const QString& label = "QRLabCol0") {
    QStringList out;
    for (const auto& p : pages)
      for (const auto* b : p.BandsOf(BandType::Detail)) out << b->FindText(label)->PrintedText();
    return out;
  }

  // Detail rows that fit one page between header and footer, worked out from
  // the paper and the band heights.
  static int RowsPerPage(const TReport1Form& form) {
    const int zoom = form.QuickRep1.Page.Zoom;
    const qreal body = form.QuickRep1.Page.PrintableRectMm().height() - kr::DesignPixelsToMm(52 + 32, zoom);
    return static_cast<int>(std::floor(body / kr::DesignPixelsToMm(30, zoom)));
  }
};

TEST_F(GridPrintForm, AHeaderRowAndNRowsPrintExactlyNDetailBands) {
  Rows(4);
  auto form = Form();
  const auto pages = form->QuickRep1.RenderPages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(Details(pages), (QStringList{"ROW 00001", "ROW 00002", "ROW 00003", "ROW 00004"}));
  EXPECT_EQ(Details(pages, "QRLabCol2"), (QStringList{"2", "4", "6", "8"}));
  // The hidden column has no label; the numbers are right-aligned in small print.
  EXPECT_EQ(form->ColumnLabel("QRLabCol1"), nullptr);
  EXPECT_EQ(form->ColumnLabel("QRLabCol2")->Alignment, kr::Alignment::Right);
  EXPECT_EQ(kr::FontPixels96(form->ColumnLabel("QRLabCol0")->Font), 8);
  // A second output runs its own pass from the first row again.
  EXPECT_EQ(Details(form->QuickRep1.RenderPages()).size(), 4);
}

TEST_F(GridPrintForm, OnlyTheHeaderRowStillPrintsPageHeaderAndFooter) {
  Rows(0);
  auto form = Form();
  const auto pages = form->QuickRep1.RenderPages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].CountBands(BandType::Detail), 0);
  EXPECT_EQ(pages[0].CountBands(BandType::PageHeader), 1);
  EXPECT_EQ(pages[0].CountBands(BandType::PageFooter), 1);
}

TEST_F(GridPrintForm, AGridWithoutFixedRowPrintsFromRowZero) {
  Rows(2);
  auto form = Form(100, 0);
  EXPECT_EQ(Details(form->QuickRep1.RenderPages()), (QStringList{"Code", "ROW 00001", "ROW 00002"}));
}

TEST_F(GridPrintForm, ThreePagesEachWithTitleDateAndPageNumber) {
  auto probe = Form();
  const int perPage = RowsPerPage(*probe);
  ASSERT_GT(perPage, 5);
  Rows(perPage * 2 + 5);
  auto form = Form();
  const auto pages = form->QuickRep1.RenderPages();
  ASSERT_EQ(pages.size(), 3u);
  QStringList expected;
  for (int i = 1; i <= perPage * 2 + 5; ++i) expected << QString("ROW %1").arg(i, 5, 10, QChar('0'));
  EXPECT_EQ(Details(pages), expected);
  for (int i = 0; i < 3; ++i) {
    const auto& page = pages[i];
    EXPECT_TRUE(page.size.width() > page.size.height());  // landscape
    EXPECT_EQ(page.CountBands(BandType::Detail), i < 2 ? perPage : 5);
    ASSERT_EQ(page.CountBands(BandType::PageHeader), 1);
    ASSERT_EQ(page.CountBands(BandType::PageFooter), 1);
    const auto* header = page.BandsOf(BandType::PageHeader)[0];
    const auto* footer = page.BandsOf(BandType::PageFooter)[0];
    EXPECT_EQ(header->FindText("QRLabelTitle")->PrintedText(), "Product Stock Listing");
    EXPECT_EQ(footer->FindText("QRSysData1")->PrintedText(), QString::number(i + 1));
    EXPECT_EQ(footer->FindText("QRSysData3")->PrintedText(), "Product Stock Listing");
    EXPECT_TRUE(footer->FindText("QRSysData2")->PrintedText().contains("2024"));
    // The footer closes the page: nothing is printed below it.
    for (const auto& band : page.bands) EXPECT_LE(band.rect.bottom(), footer->rect.bottom() + 0.01);
  }
  // The same form printed to PDF: the text stays text.
  const QString pdf = reptest::FreshFolder("pdf") + "listing.pdf";
  ASSERT_TRUE(form->QuickRep1.ExportToPdf(pdf));
  const QString text = kvtest::PdfText(pdf);
  EXPECT_EQ(text.count("Product Stock Listing"), 6);  // title and footer of three pages
  EXPECT_TRUE(text.contains("ROW 00001"));
  EXPECT_TRUE(text.contains(expected.last()));
  EXPECT_EQ(text.count('\f'), 3);
}

}  // namespace
