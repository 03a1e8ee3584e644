// The colour-by-size grid without a window: its layout, the PLU of a cell,
// values placed by their PLU, integer and price totals, copy and paste,
// both Smart Copies, the Enter move, the key filters and the cell colours.
#include <gtest/gtest.h>

#include "ColourSizeGridClass.h"

namespace {

using G = TColourSizeGridClass;

// A style in two colours (RED 00000042, BLUE 00000043) of three sizes.
class ColourSizeGridTest : public ::testing::Test {
 protected:
  TCellTable cells;
  G grid{cells};

  void SetUp() override {
    grid.Layout({{"00000042", "255", "RED"}, {"00000043", "16711680", "BLUE"}}, {"S", "M", "L"});
  }

  // The size cells of a colour row, the first size first.
  QStringList Sizes(int row) const { return grid.CopyRow(row); }
  QStringList TotalsRow() const {
    QStringList t;
    for (int c = G::kFirstSizeCol; c < cells.ColCount(); ++c) t << cells.Cell(c, grid.TotalsRow());
    return t;
  }
};

TEST_F(ColourSizeGridTest, TheSameColoursAndSizesAreTheLayoutItHasAnyOtherIsNot) {
  const std::vector<G::Colour> colours{{"00000042", "255", "RED"}, {"00000043", "16711680", "BLUE"}};
  grid.FillValueCells("7");  // figures are no part of the layout
  EXPECT_TRUE(grid.HasLayout(colours, {"S", "M", "L"}));
  EXPECT_FALSE(grid.HasLayout(colours, {"S", "M", "XL"}));
  EXPECT_FALSE(grid.HasLayout(colours, {"S", "M"}));
  EXPECT_FALSE(grid.HasLayout({colours[0]}, {"S", "M", "L"}));
  EXPECT_FALSE(grid.HasLayout({colours[1], colours[0]}, {"S", "M", "L"}));
  EXPECT_FALSE(grid.HasLayout({colours[0], {"00000043", "16711680", "NAVY"}}, {"S", "M", "L"}));
  EXPECT_FALSE(grid.HasLayout({colours[0], {"00000043", "0", "BLUE"}}, {"S", "M", "L"}));
  grid.Layout({}, {});
  EXPECT_TRUE(grid.HasLayout({}, {}));
  EXPECT_FALSE(grid.HasLayout(colours, {"S", "M", "L"}));
}

TEST_F(ColourSizeGridTest, LayoutHasHeaderColoursAndTotals) {
  EXPECT_EQ(cells.RowCount(), 4);  // header, two colours, TOTALS
  EXPECT_EQ(cells.ColCount(), 7);  // three fixed, three sizes, TOTALS
  EXPECT_EQ(grid.ColourCount(), 2);
  EXPECT_EQ(grid.SizeCount(), 3);
  EXPECT_EQ(cells.Cell(0, 0), "");
  EXPECT_EQ(cells.Cell(2, 0), "");
  EXPECT_EQ(cells.Cell(3, 0), "S");
  EXPECT_EQ(cells.Cell(5, 0), "L");
  EXPECT_EQ(cells.Cell(6, 0), "TOTALS");
  EXPECT_EQ(cells.Cell(2, 3), "TOTALS");
  EXPECT_EQ(cells.Cell(0, 2), "00000043");
  EXPECT_EQ(cells.Cell(1, 2), "16711680");
  EXPECT_EQ(cells.Cell(2, 2), "BLUE");
  EXPECT_EQ(Sizes(1), QStringList({"", "", ""}));
  EXPECT_TRUE(grid.IsSizeCell(3, 1));
  EXPECT_TRUE(grid.IsSizeCell(5, 2));
  EXPECT_FALSE(grid.IsSizeCell(6, 1));  // TOTALS column
  EXPECT_FALSE(grid.IsSizeCell(3, 3));  // TOTALS row
  EXPECT_FALSE(grid.IsSizeCell(2, 1));
}

TEST_F(ColourSizeGridTest, AStyleWithoutProductsHasOnlyHeaderAndTotals) {
  grid.Layout({}, {});
  EXPECT_EQ(cells.RowCount(), 2);
  EXPECT_EQ(cells.ColCount(), 4);
  EXPECT_EQ(cells.Cell(3, 0), "TOTALS");
  EXPECT_EQ(cells.Cell(2, 1), "TOTALS");
  EXPECT_TRUE(grid.SizeCellsByColumn().empty());
  grid.FillSizeCells("0");
  grid.SumQuantities();
  EXPECT_EQ(cells.Cell(3, 1), "0");
  int col = 3, row = 1;
  grid.NextCellAfterEnter(col, row);  // nowhere to go
  EXPECT_EQ(col, 3);
  EXPECT_EQ(row, 1);
}

TEST_F(ColourSizeGridTest, APLUIsTheRootPLUAndTheSizeIndexInTwoDigits) {
  EXPECT_EQ(grid.PLUOfCell(3, 1), "0000004200");
  EXPECT_EQ(grid.PLUOfCell(5, 2), "0000004302");
  EXPECT_EQ(grid.PLUOfCell(6, 1), "");  // TOTALS column
  EXPECT_EQ(grid.PLUOfCell(2, 1), "");
  EXPECT_EQ(G::PLU("AB1C0042", 11), "AB1C004211");
  EXPECT_EQ(grid.FindColourRow("00000043"), 2);
  EXPECT_EQ(grid.FindColourRow("0000043"), 0);
  EXPECT_EQ(grid.FindColourRow("TOTALS"), 0);
}

TEST_F(ColourSizeGridTest, ValuesArePlacedByTheLastTwoDigitsOfTheirPLU) {
  grid.FillSizeCells("0");
  EXPECT_TRUE(grid.PlaceByPLU("00000043", "0000004302", "7"));
  EXPECT_TRUE(grid.PlaceByPLU("00000042", "0000004200", "-2"));
  EXPECT_FALSE(grid.PlaceByPLU("00000099", "0000009901", "5"));  // no such colour
  EXPECT_FALSE(grid.PlaceByPLU("00000042", "0000004203", "5"));  // beyond the sizes
  EXPECT_TRUE(grid.PlaceByPLU("00000042", "00000042xx", "9"));   // no number: first size
  EXPECT_EQ(Sizes(1), QStringList({"9", "0", "0"}));
  EXPECT_EQ(Sizes(2), QStringList({"0", "0", "7"}));
  EXPECT_EQ(cells.Cell(6, 1), "");  // the TOTALS column is not written
}

TEST_F(ColourSizeGridTest, SizeCellsGoColumnByColumn) {
  grid.PlaceByPLU("00000043", "0000004300", "x");
  const auto all = grid.SizeCellsByColumn();
  ASSERT_EQ(all.size(), 6u);
  QStringList plus;
  for (const auto& c : all) plus << c.plu;
  EXPECT_EQ(plus, QStringList({"0000004200", "0000004300", "0000004201", "0000004301", "0000004202",
                               "0000004302"}));
  EXPECT_EQ(all[1].text, "x");
  EXPECT_EQ(all[1].col, 3);
  EXPECT_EQ(all[1].row, 2);
}

TEST_F(ColourSizeGridTest, IntegerTotalsCountNegativesAndIgnoreWhatIsNoInteger) {
  grid.FillSizeCells("0");
  grid.PlaceByPLU("00000042", "0000004200", "5");
  grid.PlaceByPLU("00000042", "0000004201", "-3");
  grid.PlaceByPLU("00000042", "0000004202", "1.5");  // a fraction counts 0
  grid.PlaceByPLU("00000043", "0000004200", "2000000000");
  grid.PlaceByPLU("00000043", "0000004201", "2000000000");
  grid.PlaceByPLU("00000043", "0000004202", "");
  grid.SumQuantities();
  EXPECT_EQ(cells.Cell(6, 1), "2");
  EXPECT_EQ(cells.Cell(6, 2), "4000000000");  // no 32-bit overflow
  EXPECT_EQ(TotalsRow(), QStringList({"2000000005", "1999999997", "0", "4000000002"}));
  // Totals are recomputed, never read back.
  grid.SumQuantities();
  EXPECT_EQ(cells.Cell(6, 3), "4000000002");
}

TEST_F(ColourSizeGridTest, PriceTotalsAreFloatingPointAndSkipTextThatIsNoNumber) {
  grid.PlaceByPLU("00000042", "0000004200", "12.5");
  grid.PlaceByPLU("00000042", "0000004201", "0.1");
  grid.PlaceByPLU("00000042", "0000004202", "abc");
  grid.PlaceByPLU("00000043", "0000004200", "10");
  grid.SumPrices();
  EXPECT_EQ(cells.Cell(6, 1), "12.6");
  EXPECT_EQ(cells.Cell(6, 2), "10");  // a whole sum has no point
  EXPECT_EQ(TotalsRow(), QStringList({"22.5", "0.1", "0", "22.6"}));
}

TEST_F(ColourSizeGridTest, AddModeZeroesSizesAndTotals) {
  grid.FillValueCells("0");
  EXPECT_EQ(TotalsRow(), QStringList({"0", "0", "0", "0"}));
  EXPECT_EQ(cells.Cell(6, 1), "0");
  EXPECT_EQ(cells.Cell(2, 3), "TOTALS");  // the name column keeps its caption
}

TEST_F(ColourSizeGridTest, PasteWritesWholeNonNegativeNumbersAsFarAsTheCopyReaches) {
  grid.FillSizeCells("4");
  grid.PasteRow(2, {"-3", "abc"});
  EXPECT_EQ(Sizes(2), QStringList({"0", "0", "4"}));  // the third size keeps its figure
  grid.PasteEveryRow({"1", "2", "3", "99"});           // a longer copy stops at the last size
  EXPECT_EQ(Sizes(1), QStringList({"1", "2", "3"}));
  EXPECT_EQ(Sizes(2), QStringList({"1", "2", "3"}));
  EXPECT_EQ(cells.Cell(6, 1), "");  // totals are the caller's
  EXPECT_EQ(grid.CopyRow(1), QStringList({"1", "2", "3"}));
}

TEST_F(ColourSizeGridTest, SmartCopyOfTheGridGivesEveryColourTheCurrentRow) {
  grid.Layout({{"A0000001", "0", "A"}, {"A0000002", "0", "B"}, {"A0000003", "0", "C"}}, {"S", "M"});
  grid.PlaceByPLU("A0000002", "A000000200", "12.5");
  grid.PlaceByPLU("A0000002", "A000000201", "3");
  grid.CopyRowToEveryRow(2);
  EXPECT_EQ(Sizes(1), QStringList({"12.5", "3"}));  // texts as they stand
  EXPECT_EQ(Sizes(3), QStringList({"12.5", "3"}));
  grid.CopyRowToEveryRow(grid.TotalsRow());  // not a colour: nothing
  EXPECT_EQ(Sizes(1), QStringList({"12.5", "3"}));
}

TEST(ColourSizeGridSmartCopy, SizesMatchByPositionWithinEachRootPLU) {
  // RED has three sizes, BLUE only the first two, GREEN a size RED lacks.
  const QStringList plus = {"0000004200", "0000004201", "0000004202",  // RED
                            "0000004300", "0000004301",                // BLUE
                            "0000004401", "0000004403"};               // GREEN
  const std::vector<int> expected = {-1, -1, -1, 0, 1, 1, -1};
  EXPECT_EQ(G::SmartCopySources(plus), expected);
  EXPECT_TRUE(G::SmartCopySources({}).empty());
}

TEST_F(ColourSizeGridTest, EnterMovesRightThenToTheNextColourAndBackToTheFirst) {
  int col = 3, row = 1;
  grid.NextCellAfterEnter(col, row);
  EXPECT_EQ(std::make_pair(col, row), std::make_pair(4, 1));
  col = 5;
  grid.NextCellAfterEnter(col, row);
  EXPECT_EQ(std::make_pair(col, row), std::make_pair(3, 2));
  col = 5;
  grid.NextCellAfterEnter(col, row);  // the last cell of the last colour
  EXPECT_EQ(std::make_pair(col, row), std::make_pair(3, 1));
  EXPECT_FALSE(grid.CanSelect(6, 1));
  EXPECT_FALSE(grid.CanSelect(3, 3));
  EXPECT_TRUE(grid.CanSelect(5, 2));
}

TEST(ColourSizeGridKeys, QuantitiesTakeDigitsAndPricesOnePoint) {
  for (const char* key : {"0", "9", "\b"}) EXPECT_TRUE(G::QuantityKeyPasses(QChar(key[0]))) << key;
  for (const char* key : {"-", ".", "a", " ", "+"}) EXPECT_FALSE(G::QuantityKeyPasses(QChar(key[0]))) << key;
  EXPECT_FALSE(G::QuantityKeyPasses(QChar(0x0663)));  // an Arabic-Indic three is no digit here
  EXPECT_TRUE(G::PriceKeyPasses("12", QChar('.')));
  EXPECT_FALSE(G::PriceKeyPasses("12.5", QChar('.')));
  EXPECT_TRUE(G::PriceKeyPasses("12.5", QChar('7')));
  EXPECT_TRUE(G::PriceKeyPasses("12.5", QChar('\b')));
  EXPECT_FALSE(G::PriceKeyPasses("", QChar('-')));
}

TEST(ColourSizeGridLook, ValuesColourTheirCellsAndPricesShowTwoDecimals) {
  EXPECT_EQ(G::QuantityCellColour(3), 0xC0DCC0u);
  EXPECT_EQ(G::QuantityCellColour(-1), 0x0000FFu);
  EXPECT_EQ(G::QuantityCellColour(0), 0xFFFFFFu);
  EXPECT_EQ(G::PriceCellColour("0.01"), 0xC0DCC0u);
  EXPECT_EQ(G::PriceCellColour("0"), 0xFFFFFFu);
  EXPECT_EQ(G::PriceCellColour("-5"), 0xFFFFFFu);
  EXPECT_EQ(G::PriceCellColour("abc"), 0xFFFFFFu);
  EXPECT_EQ(G::FormatPriceText("12.5"), "12.50");
  EXPECT_EQ(G::FormatPriceText(""), "0.00");
  EXPECT_EQ(G::FormatPriceText("abc"), "0.00");
  EXPECT_EQ(G::QuantityOf("7x"), 0);
  EXPECT_EQ(G::QuantityOf("99999999999"), 0);  // beyond a quantity's range
}

}  // namespace
