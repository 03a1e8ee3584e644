// The list grids of the style editor (external codes, prices, options,
// charges) without a database: where Enter moves to, the Smart Copy of the
// prices by size across colours of different sizes, and how a cell is
// painted.
#include <gtest/gtest.h>

#include "KvStringGrid.h"
#include "ListGridClass.h"

namespace {

using L = TListGridClass;

TEST(ListGridEnter, DownWrapsToTheFirstDataRowAndAcrossRunsOnToTheNextRow) {
  int row = 2;
  L::DownAfterEnter(row, 1, 4);
  EXPECT_EQ(row, 3);
  L::DownAfterEnter(row, 1, 4);
  EXPECT_EQ(row, 1);
  row = 1;
  L::DownAfterEnter(row, 1, 2);  // a single row stays
  EXPECT_EQ(row, 1);

  int col = 4;
  row = 1;
  L::AcrossAfterEnter(col, row, 4, 7, 1, 3);
  EXPECT_EQ(std::make_pair(col, row), std::make_pair(5, 1));
  col = 7;
  L::AcrossAfterEnter(col, row, 4, 7, 1, 3);
  EXPECT_EQ(std::make_pair(col, row), std::make_pair(4, 2));
  col = 7;
  row = 2;
  L::AcrossAfterEnter(col, row, 4, 7, 1, 3);
  EXPECT_EQ(std::make_pair(col, row), std::make_pair(4, 1));
}

// A prices grid: PLU in column 0, prices in columns 1-2.
class ListGridSmartCopyTest : public ::testing::Test {
 protected:
  TCellTable cells;
  void Rows(const QList<QStringList>& rows) {
    cells.Reset(3, int(rows.size()) + 1);
    for (int r = 0; r < rows.size(); ++r)
      for (int c = 0; c < rows[r].size(); ++c) cells.SetCell(c, r + 1, rows[r][c]);
  }
  QStringList Prices(int row) const { return {cells.Cell(1, row), cells.Cell(2, row)}; }
};

TEST_F(ListGridSmartCopyTest, EachColourTakesTheFirstColoursPriceOfTheSameSize) {
  // BLACK has three sizes; DENIM only the first and third, RED a fourth size
  // the first colour lacks.
  Rows({{"0000004300", "1", "2"}, {"0000004301", "3", "4"}, {"0000004302", "5", "6"},
        {"0000004200", "0", "0"}, {"0000004202", "0", "0"},
        {"0000004401", "0", "0"}, {"0000004403", "9", "9"}});
  EXPECT_EQ(L::SmartCopy(cells, 0, 1, 2), 3);
  EXPECT_EQ(Prices(4), (QStringList{"1", "2"}));
  EXPECT_EQ(Prices(5), (QStringList{"5", "6"}));  // its own size, not the row at the same distance
  EXPECT_EQ(Prices(6), (QStringList{"3", "4"}));
  EXPECT_EQ(Prices(7), (QStringList{"9", "9"}));  // a size the first colour lacks keeps its prices
  EXPECT_EQ(Prices(1), (QStringList{"1", "2"}));
  EXPECT_EQ(cells.Cell(0, 5), "0000004202");
}

TEST_F(ListGridSmartCopyTest, AGridWithoutRowsOrWithOneColourIsLeftAlone) {
  Rows({});
  EXPECT_EQ(L::SmartCopy(cells, 0, 1, 2), 0);
  Rows({{"0000004300", "1", "2"}, {"0000004301", "3", "4"}});
  EXPECT_EQ(L::SmartCopy(cells, 0, 1, 2), 0);
  EXPECT_EQ(Prices(2), (QStringList{"3", "4"}));
}

TEST(ListGridPainting, TheColourColumnTakesItsRowsColourAndTheCurrentCellIsGrey) {
  kui::KvStringGrid grid;
  L::Look(grid, 4);
  grid.SetColCount(7);
  grid.SetRowCount(3);
  grid.SetRowTexts(1, {"0000004300", "00000043", "BLACK", "30", "", "", "255"});
  grid.SetRowTexts(2, {"0000004301", "00000043", "GREEN", "32", "", "", "no colour"});
  const L::Painting codes{6, 1, 0};
  const kui::KvGridDrawState plain;

  const L::CellLook red = L::LookOf(grid, 2, 1, plain, codes);
  EXPECT_EQ(red.back, 0x0000FFu);
  EXPECT_EQ(red.fore, 0xFFFFFFu);  // white reads better on red
  EXPECT_EQ(L::LookOf(grid, 2, 2, plain, codes).back, 0xFFFFFFu);
  // Without a colour column (options, charges) column 2 is white too.
  EXPECT_EQ(L::LookOf(grid, 2, 1, plain, {-1, 1, 0}).back, 0xFFFFFFu);
  EXPECT_EQ(L::LookOf(grid, 1, 1, plain, codes).back, 0xF0F0F0u);  // a fixed column
  EXPECT_EQ(L::LookOf(grid, 4, 1, plain, codes).back, 0xFFFFFFu);
  EXPECT_TRUE(L::LookOf(grid, 4, 0, plain, codes).bold);
  EXPECT_FALSE(L::LookOf(grid, 4, 1, plain, codes).bold);

  kui::KvGridDrawState current;
  current.selected = true;
  const L::CellLook grey = L::LookOf(grid, 2, 1, current, codes);
  EXPECT_EQ(grey.back, L::kSelectedColour);
  EXPECT_EQ(grey.fore, 0u);
}

}  // namespace
