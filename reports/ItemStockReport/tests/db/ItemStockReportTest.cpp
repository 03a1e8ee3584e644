// The product stock listing on both engines: its statement against the
// straightforward one, the run with its totals, the group of a cancelled
// choice, an empty run, a failed run, printing and export.
#include "../../../tests/StockReportFixture.h"

#include "ItemStockListingClass.h"
#include "RootPLUItemStockRepForm.h"
#include "StockListingPrintForm.h"

#include <QComboBox>

namespace {

using namespace stocktest;

// The listing's statement as first written: stock joined to PRODUCTS and
// summed per PLU after the join. Only what each engine needs to run it is
// changed: the PLU qualified, a plain alias, and on PostgreSQL every shown
// column grouped and NULLs sorted first as on SQLite.
QString Reference(const TGroupChoice& g, const QString& id, const QString& branch, bool pg) {
  QString sql =
      "select products.plu, supplier_name, style, season_name, colour_name, size_offset, size_name,"
      "category_name, department_name, description," + g.NameColumn + " as group_name,"
      " sum(bs.stock_quantity) as total_stock, current_cost_price, retail_price from products"
      " inner join branchstock bs on (bs.plu = products.plu) where " + g.IdColumn + " = " + id;
  if (!branch.isEmpty()) sql += " and branch_id = " + branch;
  if (pg)
    return sql + " group by products.plu, supplier_name, style, season_name, colour_name, size_offset, size_name,"
                 " category_name, department_name, description, current_cost_price, retail_price, " + g.NameColumn +
           " order by style nulls first, colour_name nulls first, size_offset nulls first";
  return sql + " group by products.plu order by style, colour_name, size_offset";
}

class ItemStockReport : public StockReportTest<TMainForm> {};

TEST_P(ItemStockReport, EveryGroupAndBranchListsWhatTheStraightforwardStatementGivesValueByValue) {
  PrepareDatabase(ShopWithStock());
  TItemStockListingClass listing;
  ExpectRunsAsTheReference(
      db(), listing, {QString(), QString("1"), QString("4")},
      [&](const TGroupChoice& g, const QString& id, const QString& branch) { return Reference(g, id, branch, isPg()); },
      [&](kdb::DataSet& q) { return listing.RecordRow(q); });
}

TEST_P(ItemStockReport, ARunListsEachCheckedValueWithItsTotalsAndPrintsAndExports) {
  TMainForm& f = Start("ItemStockReport");
  ASSERT_FALSE(terminated);
  EXPECT_EQ(f.ComboBoxGroupBy->currentText(), "Supplier");
  QStringList offered;
  AnswerChecklist({"ACME KNITS", "BOLT & CO"}, true, &offered);
  f.SpButView->click();
  EXPECT_TRUE(offered.contains("BOLT & CO=9002"));
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  ASSERT_TRUE(f.ReportShown());
  const QString e;
  const std::vector<QStringList> expected{
      {"PLU", "Supplier", "Brand", "Style", "Colour", "Size", "Category", "Department", "Description", "Cost",
       "Retail", "Qty", "T. Cost", "T. Retail"},
      {"R000000400", "ACME KNITS", "BETA", e, e, e, "CASUALS", "KNITWEAR CARDIGANS", e, "1.23", "0.00", "7", "8.64", "0.00"},
      {"R000000100", "ACME KNITS", "ALPHA", "ST100", "NAVY", "S", "OUTERWEARXYZ", "KNITWEAR CARDIGANS",
       "CABLE CARDIGAN", "10.50", "25.99", "6", "63.00", "155.94"},
      {"R000000101", "ACME KNITS", "ALPHA", "ST100", "NAVY", "M", "OUTERWEARXYZ", "KNITWEAR CARDIGANS",
       "CABLE CARDIGAN", "10.50", "25.99", "0", "0.00", "0.00"},
      {"R000000102", "ACME KNITS", "ALPHA", "ST100", "NAVY", "L", "OUTERWEARXYZ", "KNITWEAR CARDIGANS",
       "CABLE CARDIGAN", "10.50", "25.99", "1", "10.50", "25.99"},
      {"R000000200", "ACME KNITS", "ALPHA", "ST100", "RED", "S", "OUTERWEARXYZ", "KNITWEAR CARDIGANS",
       "CABLE CARDIGAN", "10.50", "25.99", "5", "52.50", "129.95"},
      {"R000000201", "ACME KNITS", "ALPHA", "ST100", "RED", "M", "OUTERWEARXYZ", "KNITWEAR CARDIGANS",
       "CABLE CARDIGAN", "10.50", "25.99", "-2", "-21.00", "-51.98"},
      {"Totals", e, e, e, e, e, e, e, e, e, e, "17", "113.64", "259.90"},
      QStringList(14, e),
      {"R000000300", "BOLT & CO", "BETA", "ST200", "NAVY", "OS", "CASUALS", "KNITWEAR CARDIGANS", "ONE SIZE SCARF",
       "3.33", "7.50", "1010", "3366.63", "7575.00"},
      {"Totals", e, e, e, e, e, e, e, e, e, e, "1010", "3366.63", "7575.00"},
      QStringList(14, e),
      {"Totals", e, e, e, e, e, e, e, e, e, e, "1027", "3480.27", "7834.90"},
      QStringList(14, e),
  };
  EXPECT_EQ(Grid(), expected);
  kvtest::SaveScreenshot(&f, "ItemStockReport");

  // Print: titled after the group; every row after the header, the PLU in full.
  std::unique_ptr<TGridReportForm> print = f.PreparedPrintForm();
  EXPECT_EQ(print->Title(), "Product Stock Listing By Supplier");
  const QString text = PrintOut(*print, "ItemStockReport-print");
  EXPECT_TRUE(text.contains("Product Stock Listing By Supplier"));
  EXPECT_TRUE(text.contains("Total Retail"));
  EXPECT_TRUE(text.contains("R000000400"));
  EXPECT_TRUE(text.contains("3480.27"));
  f.SpButPrint->click();
  EXPECT_EQ(previews, 1);

  // Export: every grid row, the header and the trailing empty row included.
  const QList<QByteArray> lines = Export().split('\n');
  EXPECT_EQ(messages, QStringList{"Export complete."});
  ASSERT_EQ(lines.size(), 15);  // 14 rows, each ended by CR LF
  EXPECT_EQ(lines[0], "PLU,Supplier,Brand,Style,Colour,Size,Category,Department,Description,Cost,Retail,Qty,"
                      "T. Cost,T. Retail\r");
  EXPECT_EQ(lines[12], "Totals,,,,,,,,,,,1027,3480.27,7834.90\r");
}

TEST_P(ItemStockReport, OneBranchSumsOnlyItsStock) {
  TMainForm& f = Start("ItemStockReport");
  ASSERT_TRUE(kui::SelectPickValue(f.ComboBoxBranch, "1"));
  AnswerChecklist({"ACME KNITS"});
  f.SpButView->click();
  const auto grid = Grid();
  ASSERT_EQ(grid.size(), 9u);
  QStringList plus, qty;
  for (int r = 1; r <= 5; ++r) plus << grid[r][0], qty << grid[r][11];
  EXPECT_EQ(plus, (QStringList{"R000000100", "R000000101", "R000000200", "R000000201", "Totals"}));
  EXPECT_EQ(qty, (QStringList{"4", "3", "5", "-2", "10"}));
}

TEST_P(ItemStockReport, ACancelledChoiceLeavesTheLastRunsGroupForPrinting) {
  TMainForm& f = Start("ItemStockReport");
  AnswerChecklist({"BOLT & CO"});
  f.SpButView->click();
  const auto before = Grid();
  f.ComboBoxGroupBy->setCurrentIndex(TStockGroupByClass::kSeason);
  AnswerChecklist({"SS24"}, false);  // Cancel with a value checked
  f.SpButView->click();
  AnswerChecklist({});  // OK with nothing checked
  f.SpButView->click();
  EXPECT_EQ(Grid(), before);
  EXPECT_EQ(f.GroupCaption, "Supplier");
  std::unique_ptr<TGridReportForm> print = f.PreparedPrintForm();
  EXPECT_EQ(print->Title(), "Product Stock Listing By Supplier");
  EXPECT_EQ(static_cast<TForm2&>(*print).QRLabGroupTitle->Caption, "Brand");
  EXPECT_TRUE(messages.isEmpty());
}

TEST_P(ItemStockReport, WithoutAnyStockTheGrandTotalsStandBelowTheHeaderAndPrint) {
  TMainForm& f = Start("ItemStockReport");
  f.ComboBoxGroupBy->setCurrentIndex(TStockGroupByClass::kSeason);
  AnswerChecklist({"AUTUMN WINTER 2025"});  // a season of the starter data, without products
  f.SpButView->click();
  ASSERT_TRUE(f.ReportShown());
  const auto grid = Grid();
  ASSERT_EQ(grid.size(), 3u);
  EXPECT_EQ(grid[0][2], "Season");
  EXPECT_EQ(grid[1], (QStringList{"Totals", "", "", "", "", "", "", "", "", "", "", "0", "0.00", "0.00"}));
  std::unique_ptr<TGridReportForm> print = f.PreparedPrintForm();
  EXPECT_TRUE(PrintOut(*print, "ItemStockReport-empty").contains("Totals"));
}

TEST_P(ItemStockReport, AFailedRunTellsTheUserAndShowsNoReport) {
  ASSERT_NO_FATAL_FAILURE(ExpectAFailedRunIsTold("ItemStockReport", "ACME KNITS"));
  TMainForm& f = *form;
  f.SpButPrint->click();
  EXPECT_EQ(messages.last(), "Please run the report first.");
  EXPECT_EQ(previews, 0);
}

KV_DB_ENGINES(ItemStockReport);

}  // namespace
