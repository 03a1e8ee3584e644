#pragma once
// The styles listing's grid, built from the lines read for each style: per
// style and per block of at most 20 sizes a header row (with the block's size
// names), one data line per kept (branch, colour) line, a totals row and a
// blank row; the overall total of every block that kept a line.
//
//   TStyleStockGridClass build(grid);
//   build.BranchCode = [&](const QString& id) { return code; };
//   build.Option = TStyleStockGridClass::kHideZeroTotal;
//   build.Reset();
//   build.AddStyles(reads, picked);          // or AddStyle(style, scale) per style
//   build.Finish();                          // drops the unwritten last row
//
// Columns of a block are size offsets: column 12 + k holds offset first + k,
// in the header (its size name) and in every line alike. The style has as many
// sizes as its scale's COUNTER says, or more when stock lies at a higher
// offset, so no quantity falls outside the blocks.
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

#include "StyleStockQueryClass.h"

namespace kui {
class KvStringGrid;
}

class TStyleStockGridClass {
 public:
  explicit TStyleStockGridClass(kui::KvStringGrid& grid) : grid_(grid) {}

  // The stock-figure options (RadioGrpOpt's item indexes).
  enum Option { kShowAll = 0, kHideZeroTotal = 1, kHideAllZero = 2, kOnlyNegative = 3 };
  static const QStringList& OptionTexts();

  static constexpr int kColumns = 33;
  static constexpr int kBranchCol = 9;
  static constexpr int kCostCol = 10;
  static constexpr int kFirstSizeCol = 12;
  static constexpr int kBlockSizes = 20;
  static constexpr int kTotalCol = 32;
  static constexpr const char* kTotal = "Total";
  static constexpr const char* kTotals = "Totals";

  int Option = kShowAll;
  // The branch code shown for a branch id.
  std::function<QString(const QString& branchId)> BranchCode;
  // Called before each style with lines and after every line (the window
  // keeps itself painted and names the style in its wait window).
  std::function<void(const QString& style)> BeforeStyle;
  std::function<void()> AfterLine;

  // The next grid row to write, and the total of the kept blocks.
  int CurrentRow = 1;
  qint64 OverallTotal = 0;

  // Columns, widths, two rows of which one fixed (row 0 stays empty); totals 0.
  void Reset();
  // The run: every style of the pick as the reads deliver it, in its order.
  void AddStyles(TStyleStockQueryClass& reads, const QStringList& styles);
  // Every block of the style (nothing for a style without lines).
  void AddStyle(const TStyleStock& style, const TSizeScale& scale);
  // One block: sizes first .. first + count - 1.
  void AddSizeBlock(const TStyleStock& style, const TSizeScale& scale, int first, int count);
  // The header texts and the names of sizes first .. first + count - 1.
  void AddHeaderRow(int row, const TSizeScale& scale, int first, int count);
  // The grid ends at the last written row.
  void Finish();

  // The number of size columns the style needs.
  static int SizeCount(const TStyleStock& style, const TSizeScale& scale);
  // Whether a line with these figures is hidden under the option.
  static bool HidesLine(int option, qint64 total, bool allZero, bool negative);
  // True for a header row (its total column reads "Total").
  static bool IsHeaderRow(const kui::KvStringGrid& grid, int row);
  static bool IsTotalsRow(const kui::KvStringGrid& grid, int row);

 private:
  kui::KvStringGrid& grid_;
  void AddGridRows(int n);
};
