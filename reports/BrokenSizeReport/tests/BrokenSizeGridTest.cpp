// The broken-size rule on hand-made stock, and the rows the report writes:
// headers, separators between styles, colours with more sizes than the header.
#include <gtest/gtest.h>

#include "BrokenSizeGridClass.h"
#include "KvStringGrid.h"
#include "KvTestSupport.h"

namespace {

std::vector<TBrokenStockRecord> Records(const std::vector<qint64>& quantities) {
  std::vector<TBrokenStockRecord> r;
  for (size_t i = 0; i < quantities.size(); ++i)
    r.push_back({static_cast<int>(i), quantities[i], false});
  return r;
}

TEST(BrokenSizeRule, CountsSizesWithARecordButNoStock) {
  struct Case {
    const char* what;
    std::vector<qint64> stock;
    int minMissing;
    bool hideAllZero;
    int missing;
  };
  const Case cases[] = {
      {"a missing middle size", {3, 2, 0, 4, 1}, 1, true, 1},
      {"the same under Min Missing 2", {3, 2, 0, 4, 1}, 2, true, 0},
      {"missing end sizes", {0, 2, 5, 0}, 2, true, 2},
      {"a full run", {1, 2, 3}, 1, false, 0},
      {"a negative quantity is missing", {-2, 4}, 1, true, 1},
      {"all zero, hidden", {0, 0, 0}, 1, true, 0},
      {"all zero, shown", {0, 0, 0}, 3, false, 3},
      {"all zero, shown but below Min Missing", {0, 0}, 3, false, 0},
      {"one negative breaks all-zero", {0, -1, 0}, 1, true, 3},
      {"no record at all", {}, 1, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(TBrokenSizeGridClass::CountMissing(Records(c.stock), c.minMissing, c.hideAllZero), c.missing);
  }
}

// Read from the PLU's text or from its UTF-8 bytes alike, also where a
// character before the size takes more than one byte.
TEST(BrokenSizeRule, ASizeIsTheNumberInThePLUsNinthAndTenthCharacters) {
  const std::pair<QString, int> cases[] = {
      {"1000000105", 5},
      {"ABC12F3A27", 27},
      {"100000019", 9},    // one digit only
      {"100000010 ", 0},   // a blank after it
      {"10000001 7", 7},
      {"10000001-1", 0},   // no size below the first
      {"10000001XL", 0},
      {"10000001", 0},
      {"1000000112345", 12},
      {QString::fromUtf8("\xc3\x84" "000000105"), 5},   // ten characters, eleven bytes
      {QString::fromUtf8("\xc3\x84" "00000112"), 2},    // nine characters in ten bytes: "12" is not at 9 and 10
      {QString::fromUtf8("100000010\xc3\x84"), 0},
  };
  for (const auto& [plu, size] : cases) {
    SCOPED_TRACE(plu.toStdString());
    EXPECT_EQ(TBrokenSizeQueryClass::SizeIndex(plu), size);
    const QByteArray utf8 = plu.toUtf8();
    EXPECT_EQ(TBrokenSizeQueryClass::SizeIndexOfUtf8(QUtf8StringView(utf8)), size);
  }
}

TBrokenColour Colour(const QString& root, const QString& name, const std::vector<QString>& sizes) {
  TBrokenColour c;
  c.RootPLU = root;
  c.Colour = name;
  c.SizeNames = sizes;
  return c;
}

class BrokenSizeGrid : public ::testing::Test {
 protected:
  kui::KvStringGrid grid;
  TBrokenSizeGridClass build{grid};
  void SetUp() override { build.Reset(); }

  void Broken(const TBrokenColour& c, const QString& branch, const std::vector<qint64>& stock) {
    build.AddRowWithHeader(c);
    build.WriteStockRow(build.CurrentRow, branch, "ST", c, Records(stock));
  }
  QStringList Row(int row) const { return grid.RowTexts(row); }
  QStringList Marks() const { return grid.ColTexts(0); }
};

TEST_F(BrokenSizeGrid, AStyleStartsWithAHeaderAndEndsWithABlankRow) {
  const TBrokenColour red = Colour("00000001", "RED", {"S", "M", "L"});
  const TBrokenColour blue = Colour("00000002", "BLUE", {"S", "M", "L"});
  build.AddSeparator();  // a first style without broken colours leaves nothing
  EXPECT_EQ(grid.RowCount(), 1);
  Broken(red, "LEEDS", {1, 0, 2});
  Broken(red, "YORK", {0, 0, 5});
  Broken(blue, "YORK", {0, 3});
  build.AddSeparator();
  build.AddSeparator();  // a style between without broken colours: a second blank row
  Broken(red, "LEEDS", {0, 1, 1});
  build.AddSeparator();

  EXPECT_EQ(Marks(), (QStringList{"1", "0", "0", "0", "", "", "1", "0", ""}));
  EXPECT_EQ(Row(0), (QStringList{"1", "Branch", "Root PLU", "Style", "Colour", "S", "M", "L"}));
  EXPECT_EQ(Row(2), (QStringList{"0", "YORK", "00000001", "ST", "RED", "0", "0", "5"}));
  EXPECT_EQ(Row(3), (QStringList{"0", "YORK", "00000002", "ST", "BLUE", "0", "3", ""}));
  EXPECT_EQ(Row(6), Row(0));
  EXPECT_EQ(Row(8), QStringList(8));
  EXPECT_TRUE(TBrokenSizeGridClass::IsHeaderRow(grid, 6));
  EXPECT_FALSE(TBrokenSizeGridClass::IsHeaderRow(grid, 7));
  EXPECT_EQ(grid.ColWidth(0), -1);
}

TEST_F(BrokenSizeGrid, ALaterColourWithMoreSizesWidensTheGridAndItsHeader) {
  Broken(Colour("00000001", "RED", {"S", "M"}), "LEEDS", {0, 2});
  EXPECT_EQ(grid.ColCount(), 7);
  Broken(Colour("00000002", "BLUE", {"S", "M", "L", "XL"}), "LEEDS", {1, 0, 4, 0});
  EXPECT_EQ(build.SizeColumnCount, 9);
  EXPECT_EQ(grid.ColCount(), 9);
  EXPECT_EQ(Row(0), (QStringList{"1", "Branch", "Root PLU", "Style", "Colour", "S", "M", "L", "XL"}));
  EXPECT_EQ(Row(2).mid(5), (QStringList{"1", "0", "4", "0"}));
  EXPECT_EQ(grid.ColWidth(8), TBrokenSizeGridClass::kSizeWidth);

  // Stock at a size no product names still gets its column.
  TBrokenColour odd = Colour("00000003", "GREEN", {"S", "M"});
  const std::vector<TBrokenStockRecord> oddStock{{0, 0, false}, {1, 0, true}, {6, 3, false}};
  build.AddRowWithHeader(odd);
  build.WriteStockRow(build.CurrentRow, "LEEDS", "ST", odd, oddStock);
  EXPECT_EQ(grid.ColCount(), 12);
  EXPECT_EQ(grid.Cell(11, 3), "3");
  EXPECT_EQ(grid.Cell(11, 0), "");
  EXPECT_EQ(Row(3).mid(5, 2), (QStringList{"0", ""}));  // a record without a quantity shows empty
}

TEST(BrokenColourStock, RecordsAreKeptByBranchWhateverOrderTheyComeIn) {
  TBrokenColour c;
  c.AddStock(4, {0, 3, false});
  c.AddStock(4, {1, 0, false});
  c.AddStock(1, {0, 5, false});
  c.AddStock(4, {2, -1, false});  // late: joins branch 4's records
  c.AddStock(1, {1, 0, true});
  const auto dump = [&](qint64 branch) {
    QStringList out;
    for (const TBrokenStockRecord& r : c.StockAt(branch))
      out << QString("%1=%2%3").arg(r.SizeIndex).arg(r.Quantity).arg(r.Null ? "?" : "");
    return out;
  };
  EXPECT_EQ(dump(4), (QStringList{"0=3", "1=0", "2=-1"}));
  EXPECT_EQ(dump(1), (QStringList{"0=5", "1=0?"}));
  EXPECT_TRUE(c.StockAt(2).empty());
  EXPECT_EQ(c.StockAt(QString("1")).size(), 2u);
  EXPECT_EQ(TBrokenSizeGridClass::CountMissing(c.StockAt(1), 1, true), 1);
}

// What the rule asks of a branch's records is counted as they come, a late
// record included, and agrees with counting the records afterwards.
TEST(BrokenColourStock, ABranchsCountsFollowItsRecords) {
  TBrokenColour c;
  c.AddStock(7, {0, 0, false});
  c.AddStock(7, {1, 0, true});
  c.AddStock(3, {0, 2, false});
  const auto counts = [&](qint64 branch) {
    const TBrokenColour::BranchStock s = c.StockOfBranch(branch);
    EXPECT_EQ(s.Records.size(), c.StockAt(branch).size());
    return QString("%1/%2").arg(s.NoStock).arg(s.AllZero ? "zero" : "stock");
  };
  EXPECT_EQ(counts(7), "2/zero");
  EXPECT_EQ(counts(3), "0/stock");
  EXPECT_EQ(counts(5), "0/zero");  // no records
  c.AddStock(7, {2, -4, false});   // late, and not zero
  c.AddStock(3, {1, 0, false});
  EXPECT_EQ(counts(7), "3/stock");
  EXPECT_EQ(counts(3), "1/stock");
  for (const bool hide : {true, false})
    for (const int min : {1, 2, 3, 4})
      for (const qint64 branch : {7, 3, 5}) {
        const TBrokenColour::BranchStock s = c.StockOfBranch(branch);
        EXPECT_EQ(TBrokenSizeGridClass::CountMissing(s.NoStock, s.AllZero, min, hide),
                  TBrokenSizeGridClass::CountMissing(s.Records, min, hide))
            << branch << " " << min << " " << hide;
      }
}

TEST_F(BrokenSizeGrid, AColourIsListedAtEachBrokenBranchInTheBranchesOrder) {
  build.Branches = {{"4", "HARROGATE"}, {"6", "LEEDS"}, {"1", "MAIN STORE"}, {"5", "YORK"}};
  TBrokenColour red = Colour("00000001", "RED", {"S", "M"});
  red.AddStock(1, {0, 0, false});
  red.AddStock(1, {1, 2, false});
  red.AddStock(5, {0, 1, false});
  red.AddStock(5, {1, 1, false});  // a full run: not listed
  red.AddStock(6, {0, -1, false});
  red.AddStock(9, {0, 0, false});  // a branch the selector does not list
  build.AddStyle(TBrokenStyle{"ST", {red}});
  EXPECT_EQ(grid.ColTexts(1), (QStringList{"Branch", "LEEDS", "MAIN STORE", ""}));
  EXPECT_EQ(build.CurrentBranchName, "YORK");

  build.Reset();
  build.BranchFilterId = "1";
  build.AddStyle(TBrokenStyle{"ST", {red}});
  EXPECT_EQ(grid.ColTexts(1), (QStringList{"Branch", "MAIN STORE", ""}));
}

TEST_F(BrokenSizeGrid, AColourWhoseSizesDifferGetsAHeaderOfItsOwn) {
  Broken(Colour("00000001", "RED", {"S", "M", "L"}), "LEEDS", {0, 1, 1});
  Broken(Colour("00000002", "BLUE", {"8", "10"}), "LEEDS", {0, 1});
  EXPECT_EQ(Marks(), (QStringList{"1", "0", "1", "0"}));
  EXPECT_EQ(Row(2).mid(5), (QStringList{"8", "10", ""}));
  EXPECT_EQ(Row(3).mid(5), (QStringList{"0", "1", ""}));
}

}  // namespace
