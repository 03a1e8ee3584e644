// The printed style sheet on both engines, through the real window: the
// lines of one style or of all styles, the text of the PDF and a picture of
// its first page, a print without lines, and a print whose rows cannot be
// read.
#include "SearchDbFixture.h"

#include <QToolButton>

#include "NavigationBarF.h"
#include "RenderedPage.h"
#include "StyleSheetPrintForm.h"

namespace {

using sktest::AddColour;

class StyleSheetPrintDbTest : public sktest::SearchDbFixture {
 protected:
  // Beside JEAN01 DENIM 42 and BLACK 43: ALPHA 45 and a third colour of
  // JEAN01 added later, 46.
  void AddStyles() {
    AddColour(db(), {"00000045", "ALPHA", "NAVY", "4.00", "9.99"});
    AddColour(db(), {"00000046", "JEAN01", "WHITE", "25.00", "60.00"});
  }

  static QStringList Column(const kui::KvStringGrid& g, int col) {
    QStringList values;
    for (int r = 0; r < g.RowCount(); ++r) values << g.Cell(col, r);
    return values;
  }
};

TEST_P(StyleSheetPrintDbTest, OnlyThisStylePrintsEachOfItsColoursOnALine) {
  AddStyles();
  TForm1& f = Start({"", "00000043"});
  printScope = TFormOptions::kOnlyThisStyle;
  shots["TFormOptions"] = "StyleKeeperPrintOptions";
  f.NavigationBar->SpButPrint->click();
  EXPECT_EQ(previews, 1);
  EXPECT_EQ(previewPages, 1);
  const kui::KvStringGrid& grid = *f.NavigationBar->StringGrid1;
  EXPECT_EQ(Column(grid, 0), (QStringList{"00000042", "00000043", "00000046"}));
  EXPECT_EQ(grid.RowTexts(0), (QStringList{"00000042", "SOLENT DENIM", "JEAN01", "REF-JEAN01", "SLIM JEAN", "DENIM",
                                           "SPRING SUMMER 2025", "MENSWEAR", "JEANS", "SLIM FIT", "TESSARIN",
                                           "WAIST 30-40", "20", "25.00", "", "60.00", "", ""}));

  const std::unique_ptr<TQuickReport1> sheet = f.NavigationBar->PrepareStyleSheet(true);
  const QString pdf = kvtest::FreshFolder("sheet") + "sheet.pdf";
  ASSERT_TRUE(sheet->QuickRep1.ExportToPdf(pdf));
  const QString text = kvtest::PdfText(pdf);
  for (const char* shown : {"Style Keeper: JEAN01", "ROOT PLU:", "M/UP:", "RETAIL:", "00000046", "WHITE", "60.00"})
    EXPECT_TRUE(text.contains(shown)) << shown;
  // Nothing fills the stock columns: they have no captions either.
  EXPECT_FALSE(text.contains("STOCK:"));
  EXPECT_FALSE(text.contains("MIN STK:"));
  EXPECT_FALSE(text.contains("ALPHA"));
  const QImage page = sheet->QuickRep1.RenderPageImage(0);
  ASSERT_FALSE(page.isNull());
  EXPECT_GT(page.width(), page.height());  // landscape
  const QString screens = qEnvironmentVariable("KV_SCREENS_DIR");
  if (!screens.isEmpty()) page.save(screens + "/StyleKeeperStyleSheet.png");
  EXPECT_EQ(ShownTexts(), QStringList());
}

TEST_P(StyleSheetPrintDbTest, AllStylesPrintsEveryRootPLUByStyle) {
  AddStyles();
  TForm1& f = Start({"", "00000043"});
  printScope = TFormOptions::kAllStyles;
  shots["kr::PreviewDialog"] = "StyleKeeperStyleSheetPreview";
  f.NavigationBar->SpButPrint->click();
  EXPECT_EQ(previews, 1);
  EXPECT_EQ(Column(*f.NavigationBar->StringGrid1, 0), (QStringList{"00000045", "00000042", "00000043", "00000046"}));
  const std::unique_ptr<TQuickReport1> sheet = f.NavigationBar->PrepareStyleSheet(false);
  EXPECT_EQ(sheet->Title(), "Style Keeper");
  EXPECT_EQ(sheet->QuickRep1.RenderPages()[0].BandsOf(kr::BandType::Detail).size(), 4u);
}

TEST_P(StyleSheetPrintDbTest, APrintWithoutRowsPrintsNoLine) {
  AddStyles();
  TForm1& f = Start();
  f.NavigationBar->PrepareStyleSheet(false);  // the last print's lines in the grid
  // No style on screen: "only this style" finds no rows.
  const std::unique_ptr<TQuickReport1> sheet = f.NavigationBar->PrepareStyleSheet(true);
  EXPECT_EQ(f.NavigationBar->StringGrid1->RowCount(), 0);
  const std::vector<kr::RenderedPage> pages = sheet->QuickRep1.RenderPages();
  ASSERT_EQ(pages.size(), 1u);  // the empty sheet still prints its header
  EXPECT_TRUE(pages[0].BandsOf(kr::BandType::Detail).empty());
  // Cancel in the options prints nothing.
  printScope = -1;
  f.NavigationBar->SpButPrint->click();
  EXPECT_EQ(previews, 0);
}

TEST_P(StyleSheetPrintDbTest, APrintWhoseRowsCannotBeReadSaysSo) {
  TForm1& f = Start({"", "00000042"});
  DropTable("PRODUCTS");
  f.NavigationBar->SpButPrint->click();
  EXPECT_EQ(previews, 0);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith(TNavigationBar::kSheetFailed)) << messages[0].toStdString();
  EXPECT_TRUE(LogText().contains("TForm1::HandlePrint"));
  EXPECT_TRUE(f.isEnabled());
}

KV_DB_ENGINES(StyleSheetPrintDbTest);

}  // namespace
