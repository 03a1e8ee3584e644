// The styles listing's grid from hand-made lines: blocks of 20 sizes with
// their totals, the four stock-figure options, headers by size offset.
#include <gtest/gtest.h>

#include "KvStringGrid.h"
#include "KvTestSupport.h"
#include "StyleStockGridClass.h"

namespace {

using Stock = std::vector<std::pair<int, qint64>>;

TStyleStockLine Line(const QString& root, const QString& branch, const Stock& stock) {
  TStyleStockLine l;
  l.RootPLU = root;
  l.BranchId = branch;
  l.Colour = "RED";
  l.Supplier = "ACME";
  l.Brand = "TESSARIN";
  l.Style = "ST1";
  l.Cost = "10.00";
  l.Retail = "25.50";
  l.Stock = stock;
  return l;
}

TSizeScale Scale(int counter, int names) {
  TSizeScale s;
  s.Counter = counter;
  for (int i = 0; i < names; ++i) s.Names.push_back(QString("S%1").arg(i));
  return s;
}

class StyleStockGrid : public ::testing::Test {
 protected:
  kui::KvStringGrid grid;
  TStyleStockGridClass build{grid};

  void SetUp() override {
    build.BranchCode = [](const QString& id) { return "B" + id; };
    build.Reset();
  }
  QString Cell(int col, int row) const { return grid.Cell(col, row); }
  // Column 0 of every row from row 1: what the user reads down the grid.
  QStringList Roots() const {
    QStringList c = grid.ColTexts(0);
    c.removeFirst();
    return c;
  }
  QStringList Sizes(int row, int first, int count) const {
    QStringList s;
    for (int k = 0; k < count; ++k) s << Cell(TStyleStockGridClass::kFirstSizeCol + first + k, row);
    return s;
  }
};

TEST_F(StyleStockGrid, FortyFiveSizesGiveThreeBlocksEachWithItsNamesAndTotals) {
  Stock a, b;
  for (int k = 0; k < 45; ++k) a.emplace_back(k, k + 1);  // 1..45
  b = {{0, 2}, {20, -1}, {44, 7}};
  TStyleStock style{"ST1", {Line("00000001", "1", a), Line("00000002", "2", b)}};
  build.AddStyle(style, Scale(45, 45));
  build.Finish();

  // Three blocks of header, two lines, totals and a blank row.
  ASSERT_EQ(grid.RowCount(), 1 + 3 * 5);
  EXPECT_EQ(Roots(), (QStringList{"Root PLU", "00000001", "00000002", "", "",    //
                                  "Root PLU", "00000001", "00000002", "", "",    //
                                  "Root PLU", "00000001", "00000002", "", ""}));
  EXPECT_EQ(Cell(9, 2), "B1");
  EXPECT_EQ(Cell(10, 2), "10.00");
  EXPECT_EQ(Cell(11, 2), "25.50");
  // Block 1: sizes 1-20.
  EXPECT_EQ(Cell(12, 1), "S0");
  EXPECT_EQ(Cell(31, 1), "S19");
  EXPECT_EQ(Cell(32, 1), "Total");
  EXPECT_EQ(Cell(10, 4), "Totals");
  EXPECT_EQ(Cell(12, 4), "3");                 // 1 + 2
  EXPECT_EQ(Cell(32, 2), "210");               // 1..20
  EXPECT_EQ(Cell(32, 3), "2");
  EXPECT_EQ(Cell(32, 4), "212");
  // Block 2: sizes 21-40.
  EXPECT_EQ(Cell(12, 6), "S20");
  EXPECT_EQ(Cell(12, 8), "-1");
  EXPECT_EQ(Cell(12, 9), "20");                // 21 - 1
  EXPECT_EQ(Cell(32, 9), QString::number(610 - 1));  // 21..40, less 1
  // Block 3: five sizes only, five names and five sums.
  EXPECT_EQ(Sizes(11, 0, 6), (QStringList{"S40", "S41", "S42", "S43", "S44", ""}));
  EXPECT_EQ(Sizes(14, 0, 6), (QStringList{"41", "42", "43", "44", "52", ""}));
  EXPECT_EQ(Cell(32, 14), QString::number(41 + 42 + 43 + 44 + 45 + 7));
  EXPECT_EQ(build.OverallTotal, 1035 + 2 - 1 + 7);
  EXPECT_EQ(grid.ColWidth(9), 80);
  EXPECT_EQ(grid.ColWidth(2), -1);
}

TEST_F(StyleStockGrid, EachOptionKeepsItsLinesAndHiddenLinesStillCountInTheTotals) {
  const TStyleStock style{"ST1",
                          {Line("A-ZERO-TOTAL", "1", {{0, 3}, {1, -3}}), Line("B-ALL-ZERO", "1", {{0, 0}, {1, 0}}),
                           Line("C-NO-ROWS", "1", {}), Line("D-PLAIN", "1", {{0, 5}, {1, 2}})}};
  const QList<QStringList> kept = {
      {"A-ZERO-TOTAL", "B-ALL-ZERO", "C-NO-ROWS", "D-PLAIN"},
      {"D-PLAIN"},                  // a zero total hides 3 and -3 too
      {"A-ZERO-TOTAL", "D-PLAIN"},  // 3 and -3 are not all zero
      {"A-ZERO-TOTAL"},             // the only line with a negative
  };
  for (int option = 0; option < 4; ++option) {
    SCOPED_TRACE(option);
    build.Reset();
    build.Option = option;
    build.AddStyle(style, Scale(2, 2));
    build.Finish();
    QStringList expected = {"Root PLU"};
    expected << kept[option] << "" << "";
    EXPECT_EQ(Roots(), expected);
    const int totals = 2 + static_cast<int>(kept[option].size());
    EXPECT_EQ(Cell(10, totals), "Totals");
    EXPECT_EQ(Sizes(totals, 0, 2), (QStringList{"8", "-1"}));  // every line, hidden or not
    EXPECT_EQ(Cell(32, totals), "7");
    EXPECT_EQ(build.OverallTotal, 7);
  }
}

TEST_F(StyleStockGrid, ABlockWithoutAKeptLineLeavesNoRowsAndAddsNothing) {
  build.Option = TStyleStockGridClass::kOnlyNegative;
  const TStyleStock positive{"ST1", {Line("00000001", "1", {{0, 4}, {25, 9}})}};
  const TStyleStock negative{"ST2", {Line("00000002", "1", {{0, -2}})}};
  build.AddStyle(positive, Scale(26, 26));
  EXPECT_EQ(build.CurrentRow, 1);
  EXPECT_EQ(build.OverallTotal, 0);
  build.AddStyle(negative, Scale(1, 1));
  build.Finish();
  // The second style's header took the row the first one's headers left.
  EXPECT_EQ(Roots(), (QStringList{"Root PLU", "00000002", "", ""}));
  EXPECT_EQ(Cell(12, 1), "S0");
  EXPECT_EQ(Cell(13, 1), "");
  EXPECT_EQ(build.OverallTotal, -2);

  // Nothing kept at all: the fixed row only.
  build.Reset();
  build.Option = TStyleStockGridClass::kOnlyNegative;
  build.AddStyle(positive, Scale(26, 26));
  build.AddStyle(TStyleStock{"ST3", {}}, Scale(4, 4));
  build.Finish();
  EXPECT_EQ(grid.RowCount(), 1);
  EXPECT_EQ(build.OverallTotal, 0);
}

TEST_F(StyleStockGrid, HeadersFollowOffsetsWhateverTheCounterSays) {
  // The scale has no size at offset 1, and COUNTER says 3 where stock lies at offset 4.
  TSizeScale scale;
  scale.Counter = 3;
  scale.Names = {"XS", "", "M", "L", "XL"};
  const TStyleStock style{"ST1", {Line("00000001", "1", {{0, 1}, {2, 3}, {4, 5}})}};
  build.AddStyle(style, scale);
  build.Finish();
  EXPECT_EQ(Sizes(1, 0, 6), (QStringList{"XS", "", "M", "L", "XL", ""}));
  EXPECT_EQ(Sizes(2, 0, 6), (QStringList{"1", "", "3", "", "5", ""}));
  EXPECT_EQ(Sizes(3, 0, 6), (QStringList{"1", "0", "3", "0", "5", ""}));
  EXPECT_EQ(Cell(32, 3), "9");

  // A scale that names fewer sizes than its COUNTER: empty headers, columns kept.
  build.Reset();
  build.AddStyle(style, Scale(7, 2));
  build.Finish();
  EXPECT_EQ(Sizes(1, 0, 8), (QStringList{"S0", "S1", "", "", "", "", "", ""}));
  EXPECT_EQ(Sizes(3, 0, 8), (QStringList{"1", "0", "3", "0", "5", "0", "0", ""}));
}

}  // namespace
