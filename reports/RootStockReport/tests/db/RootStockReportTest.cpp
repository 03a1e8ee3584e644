// The style-and-colour stock listing on both engines: its statement against
// the straightforward one, the run with its averages and totals, a run
// without stock, printing and export, and a shop without branches.
#include "../../../tests/StockReportFixture.h"

#include "RootPLUItemStockRepForm.h"
#include "RootStockListingClass.h"
#include "StockListingPrintForm.h"

namespace {

using namespace stocktest;

// The listing's statement as first written: stock joined to PRODUCTS, then
// summed and averaged per root PLU. Only what each engine needs to run it
// is changed: the root PLU qualified, plain aliases, and on PostgreSQL every
// shown column grouped.
QString Reference(const TGroupChoice& g, const QString& id, const QString& branch, bool pg) {
  QString sql =
      "select products.root_plu, supplier_name, style, season_name, colour_name,category_name, department_name,"
      " description," + g.NameColumn + " as group_name, sum(bs.stock_quantity) as total_stock,"
      " sum(bs.stock_quantity * current_cost_price) as totcost, sum(bs.stock_quantity * retail_price) as totretail,"
      " avg(current_cost_price) as avg_cost, avg(retail_price) as avg_sell from products"
      " inner join branchstock bs on (bs.plu = products.plu) where " + g.IdColumn + " = " + id;
  if (!branch.isEmpty()) sql += " and branch_id = " + branch;
  sql += " group by products.root_plu";
  if (pg) sql += ", supplier_name, style, season_name, colour_name, category_name, department_name, description, " +
                 g.NameColumn;
  return sql + " order by products.root_plu, style, colour_name";
}

TRootStockRecord ReferenceRecord(kdb::DataSet& q) {
  TRootStockRecord r;
  r.RootPlu = q.FieldByName("root_plu").AsString();
  r.Supplier = q.FieldByName("supplier_name").AsString();
  r.Group = q.FieldByName("group_name").AsString();
  r.Style = q.FieldByName("style").AsString();
  r.Colour = q.FieldByName("colour_name").AsString();
  r.Category = q.FieldByName("category_name").AsString();
  r.Department = q.FieldByName("department_name").AsString();
  r.Description = q.FieldByName("description").AsString();
  r.AvgCost = q.FieldByName("avg_cost").AsCurrency();
  r.AvgSell = q.FieldByName("avg_sell").AsCurrency();
  r.QtyText = q.FieldByName("total_stock").AsString();
  r.TotCost = q.FieldByName("totcost").AsCurrency();
  r.TotRetail = q.FieldByName("totretail").AsCurrency();
  return r;
}

class RootStockReport : public StockReportTest<TMainForm> {};

TEST_P(RootStockReport, EveryGroupAndBranchListsWhatTheStraightforwardStatementGivesValueByValue) {
  PrepareDatabase(ShopWithStock());
  TRootStockListingClass listing;
  ExpectRunsAsTheReference(
      db(), listing, {QString(), QString("1"), QString("5")},
      [&](const TGroupChoice& g, const QString& id, const QString& branch) { return Reference(g, id, branch, isPg()); },
      [&](kdb::DataSet& q) { return listing.AddRecord(ReferenceRecord(q)); });
}

TEST_P(RootStockReport, ARunAveragesEachRootPluThenEachGroupAndPrintsAndExports) {
  TMainForm& f = Start("RootStockReport");
  ASSERT_FALSE(terminated);
  // Every branch, also the warehouse and the web shop.
  EXPECT_EQ(kui::PickItems(f.ComboBoxBranch).size(), 6);
  AnswerChecklist({"ACME KNITS", "BOLT & CO"});
  f.SpButView->click();
  ASSERT_TRUE(f.ReportShown());
  const QString e;
  const std::vector<QStringList> expected{
      {"Root PLU", "Supplier", "Brand", "Style", "Colour", "Category", "Department", "Description", "AV Cost",
       "AV Sell", "Qty", "T. Cost", "T. Retail"},
      {"R0000001", "ACME KNITS", "ALPHA", "ST100", "NAVY", "OUTERWEARXYZ", "KNITWEAR CARDIGANS", "CABLE CARDIGAN",
       "10.50", "25.99", "7", "73.50", "181.93"},
      {"R0000002", "ACME KNITS", "ALPHA", "ST100", "RED", "OUTERWEARXYZ", "KNITWEAR CARDIGANS", "CABLE CARDIGAN",
       "10.50", "25.99", "3", "31.50", "77.97"},
      {"R0000004", "ACME KNITS", "BETA", e, e, "CASUALS", "KNITWEAR CARDIGANS", e, "1.23", "0.00", "7", "8.64", "0.00"},
      // (10.50 + 10.50 + 1.2345) / 3 = 7.4115; (25.99 + 25.99 + 0) / 3 = 17.3266 cut
      {"Totals", e, e, e, e, e, e, e, "7.41", "17.33", "17", "113.64", "259.90"},
      QStringList(13, e),
      {"R0000003", "BOLT & CO", "BETA", "ST200", "NAVY", "CASUALS", "KNITWEAR CARDIGANS", "ONE SIZE SCARF", "3.33",
       "7.50", "1010", "3366.63", "7575.00"},
      {"Totals", e, e, e, e, e, e, e, "3.33", "7.50", "1010", "3366.63", "7575.00"},
      QStringList(13, e),
      // (7.4115 + 3.3333) / 2 = 5.3724; (17.3266 + 7.50) / 2 = 12.4133
      {"Totals", e, e, e, e, e, e, e, "5.37", "12.41", "1027", "3480.27", "7834.90"},
      QStringList(13, e),
  };
  EXPECT_EQ(Grid(), expected);
  kvtest::SaveScreenshot(&f, "RootStockReport");

  std::unique_ptr<TGridReportForm> print = f.PreparedPrintForm();
  EXPECT_EQ(print->Title(), "Style and Colour Stock Listing By Supplier");
  const QString text = PrintOut(*print, "RootStockReport-print");
  EXPECT_TRUE(text.contains("AVG Retail"));
  EXPECT_TRUE(text.contains("12.41"));
  EXPECT_TRUE(text.contains("R0000004"));

  const QList<QByteArray> lines = Export().split('\n');
  ASSERT_EQ(lines.size(), 12);
  EXPECT_EQ(lines[3], "R0000004,ACME KNITS,BETA,,,CASUALS,KNITWEAR CARDIGANS,,1.23,0.00,7,8.64,0.00\r");
  EXPECT_EQ(lines[9], "Totals,,,,,,,,5.37,12.41,1027,3480.27,7834.90\r");
}

TEST_P(RootStockReport, AtOneBranchARootWithoutStockRowsThereIsLeftOut) {
  TMainForm& f = Start("RootStockReport");
  ASSERT_TRUE(kui::SelectPickValue(f.ComboBoxBranch, "4"));  // HARROGATE
  AnswerChecklist({"ACME KNITS"});
  f.SpButView->click();
  const auto grid = Grid();
  ASSERT_EQ(grid.size(), 6u);
  EXPECT_EQ(grid[1].mid(0, 1) + grid[1].mid(8), (QStringList{"R0000001", "10.50", "25.99", "3", "31.50", "77.97"}));
  EXPECT_EQ(grid[2][0], "Totals");
  EXPECT_EQ(grid[4].mid(8), (QStringList{"10.50", "25.99", "3", "31.50", "77.97"}));
}

TEST_P(RootStockReport, WithoutAnyStockTheGrandTotalsShowZeroAverages) {
  TMainForm& f = Start("RootStockReport");
  f.ComboBoxGroupBy->setCurrentIndex(0);  // Brand
  AnswerChecklist({"TESSARIN", "LITTLE WREN"});
  f.SpButView->click();
  const auto grid = Grid();
  ASSERT_EQ(grid.size(), 3u);
  EXPECT_EQ(grid[0][2], "Brand");
  EXPECT_EQ(grid[1].mid(8), (QStringList{"0.00", "0.00", "0", "0.00", "0.00"}));
}

TEST_P(RootStockReport, AFailedRunTellsTheUserAndShowsNoReport) {
  ASSERT_NO_FATAL_FAILURE(ExpectAFailedRunIsTold("RootStockReport", "ACME KNITS"));
  TMainForm& f = *form;
  EXPECT_TRUE(kvfwtest::NoWaitWindowLeft());
  f.SpButPrint->click();
  f.SpButExport->click();
  EXPECT_EQ(previews, 0);
  EXPECT_EQ(fileDialogs, 0);
}

TEST_P(RootStockReport, AGroupWhoseValuesCannotBeReadIsToldNotOfferedAsAnEmptyList) {
  TMainForm& f = Start("RootStockReport");
  int checklists = 0;
  dialogAnswer = [&](QDialog& d) {
    if (qobject_cast<TKVFormUtilSelectChList*>(&d)) ++checklists;
    d.reject();
  };
  Exec("DROP TABLE PARAMETERS");
  f.SpButView->click();
  EXPECT_EQ(checklists, 0);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("The report could not be run:")) << messages[0].toStdString();
  EXPECT_FALSE(f.ReportShown());
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(LogText().contains("TDMDB::RunQuery"));
}

TEST_P(RootStockReport, AShopWithoutBranchesEndsTheProgram) {
  Start("RootStockReport", kvfwtest::StarterData([](kdb::Database& db) { db.Execute("DELETE FROM BRANCHES"); }));
  EXPECT_TRUE(terminated);
  EXPECT_EQ(boxes, QStringList{"There is no Branches!"});
  EXPECT_TRUE(messages.isEmpty());
}

KV_DB_ENGINES(RootStockReport);

}  // namespace
