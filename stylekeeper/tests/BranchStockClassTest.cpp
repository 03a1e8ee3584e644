// The BRANCHSTOCK statements and figures of the stock and branch price
// grids, without a database: what a cell may hold, what each mode writes to
// which column, and the upserts built from it (on both engines the
// statements themselves run in the window's database tests).
#include <gtest/gtest.h>

#include "BranchStockClass.h"
#include "KvDb.h"

namespace {

using B = TBranchStockClass;
using How = B::How;

TEST(BranchStockClassTest, AQuantityCellHoldsAWholeNumberItsColumnCanStore) {
  EXPECT_EQ(B::QuantityValue(""), 0);
  EXPECT_EQ(B::QuantityValue("42"), 42);
  EXPECT_EQ(B::QuantityValue("-3"), -3);  // a stored negative stock
  EXPECT_EQ(B::QuantityValue("2147483647"), 2147483647);
  EXPECT_EQ(B::QuantityValue("2147483648"), std::nullopt);
  EXPECT_EQ(B::QuantityValue("-2147483649"), std::nullopt);
  for (const char* bad : {"1.5", "abc", " 4", "1e3", "--1"}) EXPECT_EQ(B::QuantityValue(bad), std::nullopt) << bad;
}

TEST(BranchStockClassTest, APriceCellHoldsWhatMoneyHolds) {
  EXPECT_EQ(B::PriceValue(""), Currency());
  EXPECT_EQ(B::PriceValue("12.5"), Currency::FromRaw(125000));
  EXPECT_EQ(B::PriceValue("922337203685477"), Currency::FromInt(922337203685477LL));
  EXPECT_EQ(B::PriceValue("922337203685478"), std::nullopt);
  EXPECT_EQ(B::PriceValue("12.5.1"), std::nullopt);
}

TEST(BranchStockClassTest, AddAddsTheFigureAndTheCheckedColumnsAsTheStockPageSays) {
  B::QuantityChoice stock{"STOCK_QUANTITY", true, true, false, true};
  const auto a = B::QuantityAssigns(stock, 5, 99);
  ASSERT_EQ(a.size(), 3u);
  EXPECT_EQ(a[0].column, "STOCK_QUANTITY");
  EXPECT_EQ(a[0].how, How::Add);
  EXPECT_EQ(a[0].value, "5");
  EXPECT_EQ(a[1].column, "MIN_STOCK_QUANTITY");  // the figure itself, not a sum
  EXPECT_EQ(a[1].how, How::Set);
  EXPECT_EQ(a[2].column, "BARCODES_QUANTITY");
  EXPECT_EQ(a[2].how, How::Add);
  // Adding 0 changes no figure, but "Set As Min Stock" still sets 0.
  const auto zero = B::QuantityAssigns(stock, 0, 7);
  EXPECT_EQ(zero[0].how, How::Keep);
  EXPECT_EQ(zero[1].how, How::Set);
  EXPECT_EQ(zero[2].how, How::Keep);
}

TEST(BranchStockClassTest, EditReplacesOnlyAChangedFigureAndRemembersWhatWasLoaded) {
  B::QuantityChoice min{"MIN_STOCK_QUANTITY"};
  EXPECT_EQ(B::QuantityAssigns(min, 4, 4)[0].how, How::Keep);
  const auto changed = B::QuantityAssigns(min, 6, 4);
  EXPECT_EQ(changed[0].how, How::Edit);
  EXPECT_EQ(changed[0].loaded, "4");
  // The stock page's barcode box overwrites in Edit.
  B::QuantityChoice stock{"STOCK_QUANTITY", false, false, false, true};
  EXPECT_EQ(B::QuantityAssigns(stock, 4, 4)[1].how, How::Set);

  const auto price = B::PriceAssigns(Currency::FromRaw(125000), Currency::FromRaw(125000));
  EXPECT_EQ(price[0].how, How::Keep);
  EXPECT_EQ(price[0].value, "12.5000");
  EXPECT_EQ(B::PriceAssigns(Currency::FromRaw(1), Currency())[0].how, How::Edit);
}

TEST(BranchStockClassTest, TheUpsertInsertsOrUpdatesTheRowsOfThePLUsAtTheBranch) {
  const B::Branch branch{"4", "HARROGATE"};
  const QString keep = B::UpsertSQL(branch, {{{"O'NEILL01", "O'NEILL0"}, {{"STOCK_QUANTITY", "3", How::Keep, {}}}}});
  EXPECT_EQ(keep, "INSERT INTO BRANCHSTOCK (PLU, ROOT_PLU, BRANCH_NAME, BRANCH_ID, STOCK_QUANTITY) VALUES "
                  "('O''NEILL01', 'O''NEILL0', 'HARROGATE', 4, 3) ON CONFLICT (PLU, BRANCH_ID) DO NOTHING RETURNING *");

  // Each row is checked against the figure it loaded itself.
  const QString both = B::UpsertSQL(
      branch, {{{"0000004200", "00000042"}, {{"STOCK_QUANTITY", "3", How::Add, {}}, {"MAX_STOCK_QUANTITY", "8", How::Edit, "6"}}},
               {{"0000004201", "00000042"}, {{"STOCK_QUANTITY", "0", How::Add, {}}, {"MAX_STOCK_QUANTITY", "2", How::Edit, "-1"}}}});
  EXPECT_TRUE(both.contains("('0000004200', '00000042', 'HARROGATE', 4, 3, 8), ('0000004201', '00000042', 'HARROGATE', 4, 0, 2)"))
      << both.toStdString();
  EXPECT_TRUE(both.endsWith("DO UPDATE SET STOCK_QUANTITY = COALESCE(BRANCHSTOCK.STOCK_QUANTITY, 0) + "
                            "excluded.STOCK_QUANTITY, MAX_STOCK_QUANTITY = excluded.MAX_STOCK_QUANTITY WHERE "
                            "COALESCE(BRANCHSTOCK.MAX_STOCK_QUANTITY, 0) = CASE excluded.PLU WHEN '0000004200' THEN 6 "
                            "WHEN '0000004201' THEN -1 END RETURNING *"))
      << both.toStdString();
}

TEST(BranchStockClassTest, RowsWrittenAlikeShareAStatementOfAtMostTwoHundred) {
  std::vector<B::Row> rows;
  for (int i = 0; i < 250; ++i)
    rows.push_back({{QString::number(i).rightJustified(10, '0'), "00000000"},
                    {{"STOCK_QUANTITY", "1", i % 50 == 7 ? How::Edit : How::Keep, "0"}}});
  const auto batches = B::Batches(rows);
  ASSERT_EQ(batches.size(), 3u);
  EXPECT_EQ(batches[0].size(), 200u);  // the unchanged ones, in their order
  EXPECT_EQ(batches[0][1].cell.plu, "0000000001");
  EXPECT_EQ(batches[1].size(), 5u);    // the edited ones
  EXPECT_EQ(batches[1][1].cell.plu, "0000000057");
  EXPECT_EQ(batches[2].size(), 45u);
  EXPECT_THROW(B::UpsertSQL({"4", "X"}, rows), kdb::DbError);  // not alike
}

TEST(BranchStockClassTest, NothingButNumbersAndTheGridsColumnsReachTheStatement) {
  const B::Cell cell{"0000004200", "00000042"};
  const auto one = [&cell](const B::Assign& a) { return std::vector<B::Row>{{cell, {a}}}; };
  EXPECT_THROW(B::UpsertSQL({"4", "X"}, one({"STOCK_QUANTITY", "1); DROP TABLE PRODUCTS; --", How::Set, {}})),
               kdb::DbError);
  EXPECT_THROW(B::UpsertSQL({"4", "X"}, one({"STOCK_QUANTITY", "1", How::Edit, "0 OR 1=1"})), kdb::DbError);
  EXPECT_THROW(B::UpsertSQL({"4", "X"}, one({"PLU", "1", How::Set, {}})), kdb::DbError);
  // A figure is -?digits(.digits)? and nothing else; the loaded one too.
  for (const char* bad : {"", "-", "1.", ".5", "1.2.3", "1e5", "+1", "--1", "1 ", "0x10"}) {
    EXPECT_THROW(B::UpsertSQL({"4", "X"}, one({"STOCK_QUANTITY", bad, How::Set, {}})), kdb::DbError) << bad;
    EXPECT_THROW(B::UpsertSQL({"4", "X"}, one({"STOCK_QUANTITY", "1", How::Edit, bad})), kdb::DbError) << bad;
  }
  for (const char* good : {"0", "-12", "0.5000", "-1.25"})
    EXPECT_TRUE(B::UpsertSQL({"4", "X"}, one({B::kPriceColumn, good, How::Edit, good})).contains(good)) << good;
  // Rows of one statement agree in every column's way, not just in columns.
  EXPECT_THROW(B::UpsertSQL({"4", "X"}, {{cell, {{"STOCK_QUANTITY", "1", How::Set, {}}}},
                                         {{"0000004201", "00000042"}, {{"STOCK_QUANTITY", "1", How::Add, {}}}}}),
               kdb::DbError);
  EXPECT_THROW(B::UpsertSQL({"4 OR 1=1", "X"}, one({"STOCK_QUANTITY", "1", How::Set, {}})), kdb::DbError);
  EXPECT_THROW(B::ColumnSQL("STOCK_QUANTITY; DELETE FROM BRANCHSTOCK", "4", "JEAN01"), kdb::DbError);
  EXPECT_TRUE(B::ColumnSQL("BSRETAIL_PRICE", "4", "JE'AN").contains("products.STYLE = 'JE''AN'"));
  EXPECT_EQ(B::BranchesSQL(0), "SELECT NAME, ID FROM BRANCHES ORDER BY NAME ASC, ID");
  EXPECT_EQ(B::BranchesSQL(3), "SELECT NAME, ID FROM BRANCHES WHERE ID = 3 ORDER BY NAME ASC, ID");
}

TEST(BranchStockClassTest, FiguresAndCaptionsComeFromTheGridsSizeCells) {
  TCellTable cells;
  TColourSizeGridClass grid(cells);
  grid.Layout({{"00000043", "0", "BLACK"}, {"00000042", "255", "DENIM"}}, {"30", "32"});
  grid.FillSizeCells("0");
  grid.SetCell(4, 2, "7");
  const QHash<QString, QString> figures = B::Figures(grid);
  EXPECT_EQ(figures.size(), 4);
  EXPECT_EQ(figures.value("0000004201"), "7");
  EXPECT_EQ(figures.value("0000004300"), "0");
  EXPECT_EQ(B::CellCaption(grid, 4, 2), "DENIM 32");
}

}  // namespace
