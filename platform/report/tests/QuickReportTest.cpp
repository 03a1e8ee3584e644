#include "ReportTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

using namespace kr_test;
using kr::BandType;

TEST(QuickReport, ThreePagesNumberedWithHeadersAndFootersInPlace) {
  const int perPage = GridReport(0).RowsPerPage();
  ASSERT_GT(perPage, 10);
  GridReport g(2 * perPage + 3);
  const auto pages = g.rep.RenderPages();
  ASSERT_EQ(pages.size(), 3u);
  const QRectF printable = g.rep.Page.PrintableRectMm();
  for (const auto& p : pages) {
    SCOPED_TRACE(p.number);
    ASSERT_EQ(p.CountBands(BandType::PageHeader), 1);
    ASSERT_EQ(p.CountBands(BandType::PageFooter), 1);
    const auto* header = p.BandsOf(BandType::PageHeader)[0];
    const auto* footer = p.BandsOf(BandType::PageFooter)[0];
    EXPECT_NEAR(header->rect.top(), printable.top(), 1e-6);
    EXPECT_NEAR(footer->rect.bottom(), printable.bottom(), 1e-6);
    EXPECT_EQ(footer->FindText("QRSysData1")->PrintedText(), QString("Page %1").arg(p.number));
    EXPECT_EQ(footer->FindText("QRSysData3")->PrintedText(), "Product Stock Listing");
    for (const auto* d : p.BandsOf(BandType::Detail)) {
      EXPECT_GE(d->rect.top(), header->rect.bottom() - 1e-6);
      EXPECT_LE(d->rect.bottom(), footer->rect.top() + 1e-6);
    }
  }
  EXPECT_EQ(pages[0].CountBands(BandType::Detail), perPage);
  EXPECT_EQ(pages[1].CountBands(BandType::Detail), perPage);
  EXPECT_EQ(pages[2].CountBands(BandType::Detail), 3);
  // Every row exactly once, in order, across the page breaks.
  QStringList expected;
  for (const auto& r : g.rows) expected << r[0];
  EXPECT_EQ(DetailCodes(pages), expected);
  const QString when = QLocale().toString(g.rep.PrintDateTime, QLocale::ShortFormat);
  EXPECT_EQ(pages[2].BandsOf(BandType::PageFooter)[0]->FindText("QRSysData2")->PrintedText(), when);
}

TEST(QuickReport, WithoutTheOptionsTheFirstPageHasNoHeaderAndTheLastNoFooter) {
  GridReport g(2 * GridReport(0).RowsPerPage());
  g.rep.Options = {false, false};
  const auto pages = g.rep.RenderPages();
  ASSERT_GE(pages.size(), 2u);
  EXPECT_EQ(pages.front().CountBands(BandType::PageHeader), 0);
  EXPECT_NEAR(pages.front().bands.front().rect.top(), g.rep.Page.PrintableRectMm().top(), 1e-6);
  EXPECT_EQ(pages.front().CountBands(BandType::PageFooter), 1);
  EXPECT_EQ(pages.back().CountBands(BandType::PageHeader), 1);
  EXPECT_EQ(pages.back().CountBands(BandType::PageFooter), 0);
  EXPECT_EQ(DetailCodes(pages).size(), g.rows.size());
}

TEST(QuickReport, EveryPassRunsBeforePrintAndPrintsAllRowsAgain) {
  GridReport g(40);
  const auto first = g.rep.RenderPages();
  const auto second = g.rep.RenderPages();
  EXPECT_EQ(g.beforePrints, 2);
  EXPECT_EQ(DetailCodes(first), DetailCodes(second));
  EXPECT_EQ(DetailCodes(second).size(), 40);
  QTemporaryDir dir;
  ASSERT_TRUE(g.rep.ExportToPdf(dir.filePath("a.pdf")));
  EXPECT_EQ(g.beforePrints, 3);
}

TEST(QuickReport, NeedDataRestylesTheBandForEachRecord) {
  GridReport g(6);
  for (int i : {0, 3}) g.rows[i][1] = "Total";
  auto* band = g.rep.FindBand("QRBandRepLine");
  const auto fill = g.rep.OnNeedData;
  g.rep.OnNeedData = [&] {
    if (!fill()) return false;
    const bool head = g.rows[g.row][1] == "Total";
    band->Colour = head ? QColor(0xC0, 0xDC, 0xC0) : QColor(Qt::white);
    for (auto* l : {g.code, g.qty}) l->Font.setBold(head);
    return true;
  };
  const auto pages = g.rep.RenderPages();
  ASSERT_EQ(pages.size(), 1u);
  const auto details = pages[0].BandsOf(BandType::Detail);
  ASSERT_EQ(details.size(), 6u);
  for (int i = 0; i < 6; ++i) {
    const bool head = i == 0 || i == 3;
    EXPECT_EQ(details[i]->colour, head ? QColor(0xC0, 0xDC, 0xC0) : QColor(Qt::white)) << i;
    EXPECT_EQ(details[i]->FindText("QRLabQty")->font.bold(), head) << i;
    EXPECT_EQ(details[i]->FindText("QRLabCode")->PrintedText(), g.rows[i][0]);
  }
}

TEST(QuickReport, LabelsWrapAlignAndCutToTheirRectangles) {
  kr::QuickReport rep;
  auto& band = rep.AddBand(BandType::Title, 200);
  auto& wrap = band.AddLabel("wrap", {10, 10, 120, 200}, "A LONG DESCRIPTION OF A STYLE IN SEVERAL WORDS");
  wrap.WordWrap = true;
  auto& cut = band.AddLabel("cut", {140, 10, 120, 30}, wrap.Caption);
  auto& word = band.AddLabel("word", {10, 220, 40, 200}, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  word.WordWrap = true;
  cut.WordWrap = true;
  auto& right = band.AddLabel("right", {300, 10, 120, 20}, "12.50");
  right.Alignment = kr::Alignment::Right;
  auto& centre = band.AddLabel("centre", {300, 40, 120, 20}, "MID");
  centre.Alignment = kr::Alignment::Center;
  auto& autoRight = band.AddLabel("auto", {400, 10, 200, 20}, "AUTO");
  autoRight.Alignment = kr::Alignment::Right;
  autoRight.AutoSize = true;
  auto& pic = band.AddImage("pic", {600, 10, 20, 20}, QImage(40, 10, QImage::Format_RGB32));
  pic.Center = true;

  const auto pages = rep.RenderPages();
  ASSERT_EQ(pages.size(), 1u);
  const auto& b = pages[0].bands.at(0);
  const auto* w = b.FindText("wrap");
  ASSERT_GT(w->lines.size(), 2u);
  EXPECT_FALSE(w->clipped);
  EXPECT_EQ(w->PrintedText().split('\n').join(' '), wrap.Caption);  // no word lost
  for (size_t i = 0; i < w->lines.size(); ++i) {
    EXPECT_LE(w->lines[i].rect.width(), w->rect.width() + 1e-6);
    EXPECT_NEAR(w->lines[i].rect.left(), w->rect.left(), 1e-6);
    if (i > 0) {
      EXPECT_NEAR(w->lines[i].rect.top(), w->lines[i - 1].rect.bottom(), 1e-6);
    }
  }
  // A word wider than the label is broken inside, with no letter lost.
  const auto* wd = b.FindText("word");
  EXPECT_GT(wd->lines.size(), 2u);
  EXPECT_EQ(wd->PrintedText().remove('\n'), word.Caption);
  for (const auto& line : wd->lines) EXPECT_LE(line.rect.width(), wd->rect.width() + 1e-6);
  const auto* c = b.FindText("cut");
  EXPECT_TRUE(c->clipped);
  EXPECT_LT(c->lines.size(), w->lines.size());
  EXPECT_LE(c->TextRect().bottom(), c->rect.bottom() + 1e-6);

  const auto* r = b.FindText("right");
  EXPECT_NEAR(r->lines[0].rect.right(), r->rect.right(), 1e-6);
  EXPECT_GT(r->lines[0].rect.left(), r->rect.left());
  const auto* m = b.FindText("centre");
  EXPECT_NEAR(m->lines[0].rect.center().x(), m->rect.center().x(), 1e-6);
  const auto* a = b.FindText("auto");
  EXPECT_NEAR(a->rect.right(), b.rect.left() + kr::DesignPixelsToMm(600, 100), 1e-6);
  EXPECT_NEAR(a->rect.width(), a->lines[0].rect.width(), 1e-6);

  // A centred picture wider than its box keeps its middle part only.
  const auto* image = std::get_if<kr::RenderedImage>(&b.items.back());
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->image.size(), QSize(20, 10));
  EXPECT_NEAR(image->rect.width(), kr::DesignPixelsToMm(20, 100), 1e-6);
}

TEST(QuickReport, PaperOrientationAndZoomGiveThePageAndBandSizes) {
  GridReport g(5);
  auto portrait = g.rep.RenderPages();
  EXPECT_NEAR(portrait[0].size.width(), 210, 0.5);
  EXPECT_NEAR(portrait[0].size.height(), 297, 0.5);
  g.rep.Page.Orientation = QPageLayout::Landscape;
  g.rep.Page.Zoom = 120;
  const auto landscape = g.rep.RenderPages();
  EXPECT_NEAR(landscape[0].size.width(), 297, 0.5);
  EXPECT_NEAR(landscape[0].printable.width(), 277, 0.5);
  // Drawn at zoom 120, a 30 px band prints at 100/120 of its 96 dpi size.
  EXPECT_NEAR(landscape[0].BandsOf(BandType::Detail)[0]->rect.height(), 30 * 25.4 / 96 / 1.2, 1e-6);
  const QImage image = g.rep.RenderPageImage(0);
  EXPECT_NEAR(image.width(), 1123, 1);
  EXPECT_NEAR(image.height(), 794, 1);
}

TEST(QuickReport, AnEmptyReportPrintsHeadersOnlyWhenAsked) {
  GridReport g(0);
  auto pages = g.rep.RenderPages();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].CountBands(BandType::Detail), 0);
  EXPECT_EQ(pages[0].CountBands(BandType::PageHeader), 1);
  EXPECT_EQ(pages[0].CountBands(BandType::PageFooter), 1);
  QTemporaryDir dir;
  ASSERT_TRUE(g.rep.ExportToPdf(dir.filePath("empty.pdf")));
  EXPECT_TRUE(PdfText(dir.filePath("empty.pdf")).contains("Product Stock Listing"));

  g.rep.PrintIfEmpty = false;
  EXPECT_TRUE(g.rep.RenderPages().empty());
  EXPECT_FALSE(g.rep.ExportToPdf(dir.filePath("none.pdf")));
  EXPECT_FALSE(QFile::exists(dir.filePath("none.pdf")));
}

TEST(QuickReport, ABandTallerThanThePagePrintsAndThePassEnds) {
  GridReport g(3);
  g.rep.FindBand("QRBandRepLine")->Height = 5000;
  const auto pages = g.rep.RenderPages();
  EXPECT_EQ(pages.size(), 3u);
  EXPECT_EQ(DetailCodes(pages).size(), 3);
}

TEST(QuickReport, PdfAndPrinterOutputKeepTheTextAsText) {
  GridReport g(GridReport(0).RowsPerPage() * 2 + 1);
  g.rows[7][0] = "STYLE ÉTÉ 7";
  QTemporaryDir dir;
  const QString pdf = dir.filePath("report.pdf");
  ASSERT_TRUE(g.rep.ExportToPdf(pdf));
  const QString text = PdfText(pdf);
  for (const char* s : {"Product Stock Listing", "ROW00000", "STYLE ÉTÉ 7", "Page 3"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s;
  EXPECT_EQ(text.count("Page "), 3);

  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("printed.pdf"));
  ASSERT_TRUE(g.rep.Print(printer));
  EXPECT_TRUE(PdfText(dir.filePath("printed.pdf")).contains(g.rows.back()[0]));
}

TEST(QuickReport, SavesAPictureOfTheFirstPage) {
  GridReport g(25);
  g.rep.Page.Orientation = QPageLayout::Landscape;
  const QImage image = g.rep.RenderPageImage(0, 96);
  ASSERT_FALSE(image.isNull());
  // The page frame runs along the margin, 10 mm in: dark there, white outside.
  const int margin = std::lround(10 / 25.4 * 96);
  EXPECT_LT(qGray(image.pixel(image.width() / 2, margin)), 128);
  EXPECT_EQ(qGray(image.pixel(image.width() / 2, margin / 2)), 255);
  EXPECT_TRUE(g.rep.RenderPageImage(5).isNull());
  const QString dirName = qEnvironmentVariable("KV_SCREENS_DIR");
  if (dirName.isEmpty()) GTEST_SKIP() << "KV_SCREENS_DIR not set";
  QDir().mkpath(dirName);
  EXPECT_TRUE(image.save(dirName + "/ReportPage.png", "PNG"));
}

}  // namespace
