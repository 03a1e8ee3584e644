// Filling a quantity grid from size ratios without a window: one quantity
// times each size's ratio, by the size's position, always whole numbers.
#include <gtest/gtest.h>

#include "KvDb.h"
#include "RatioFillClass.h"

namespace {

class RatioFillClassTest : public ::testing::Test {
 protected:
  TCellTable cells;
  TColourSizeGridClass grid{cells};

  void SetUp() override {
    grid.Layout({{"00000042", "255", "RED"}, {"00000043", "0", "BLACK"}}, {"S", "M", "L", "XL"});
    grid.FillSizeCells("9");
  }
};

TEST_F(RatioFillClassTest, EveryColourGetsTheQuantityTimesEachSizesRatio) {
  ASSERT_TRUE(TRatioFillClass::Fill(grid, 2, {1, 2, 2, 1}, nullptr));
  for (int row : {1, 2}) EXPECT_EQ(grid.CopyRow(row), (QStringList{"2", "4", "4", "2"})) << row;
  EXPECT_EQ(grid.Cell(7, 1), "");  // the totals are the caller's
}

TEST_F(RatioFillClassTest, AFractionIsRoundedAndASizeWithoutRatioGetsZero) {
  ASSERT_TRUE(TRatioFillClass::Fill(grid, 3, {0.5, 1.5, -1}, nullptr));
  EXPECT_EQ(grid.CopyRow(1), (QStringList{"2", "5", "-3", "0"}));  // 1.5 -> 2, 4.5 -> 5
  EXPECT_EQ(TRatioFillClass::CellFigure(1, 2.5), 3);
}

TEST_F(RatioFillClassTest, AFigureBeyondAQuantityCellChangesNothing) {
  QString why;
  EXPECT_FALSE(TRatioFillClass::Fill(grid, 9999, {1, 1e9, 1, 1}, &why));
  EXPECT_EQ(why, "9999 times the ratio of size M is too large for a quantity.");
  EXPECT_EQ(grid.CopyRow(1), (QStringList{"9", "9", "9", "9"}));
}

TEST_F(RatioFillClassTest, TheStatementsReadOneScaleByOffset) {
  EXPECT_EQ(TRatioFillClass::RatiosSQL("7"), "SELECT RATIO FROM SIZES WHERE SIZESSCALE_ID = 7 ORDER BY \"offset\", ID");
  EXPECT_EQ(TRatioFillClass::RatioTotalSQL("7"), "SELECT SUM(RATIO) AS TOTAL FROM SIZES WHERE SIZESSCALE_ID = 7");
  EXPECT_THROW(TRatioFillClass::RatiosSQL("7 OR 1=1"), kdb::DbError);
}

}  // namespace
