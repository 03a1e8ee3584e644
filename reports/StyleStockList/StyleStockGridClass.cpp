#include "StyleStockGridClass.h"

#include "KVQuantityTextClass.h"
#include "KvStringGrid.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kDefaultWidth = 72;
constexpr int kBranchWidthAtReset = 32;
constexpr int kBranchWidth = 80;
constexpr int kMoneyWidth = 48;
constexpr int kSizeWidth = 56;
constexpr int kTotalWidth = 64;

const QStringList& HeaderTexts() {
  static const QStringList texts = {"Root PLU", "Supplier", "Brand",     "Style", "Colour", "Season",
                                    "Desc",     "Style Ref", "Dept",     "Branch", "Cost",  "Retail"};
  return texts;
}

// The texts every header and totals row shows, shared by all of them.
const QString kTotalText = QString::fromLatin1(TStyleStockGridClass::kTotal);
const QString kTotalsText = QString::fromLatin1(TStyleStockGridClass::kTotals);

}  // namespace

const QStringList& TStyleStockGridClass::OptionTexts() {
  static const QStringList texts = {"Show all values.", "Hide line with a zero total.", "Hide line with all zero.",
                                    "Only lines with negative."};
  return texts;
}

void TStyleStockGridClass::Reset() {
  grid_.ClearCells();
  grid_.SetColCount(kColumns);
  grid_.SetRowCount(2);
  grid_.SetFixedRows(1);
  grid_.SetFixedCols(0);
  grid_.SetDefaultColWidth(kDefaultWidth);
  grid_.SetColWidth(2, -1);  // the brand: printed and exported, not shown
  grid_.SetColWidth(kBranchCol, kBranchWidthAtReset);
  grid_.SetColWidth(kCostCol, kMoneyWidth);
  grid_.SetColWidth(kCostCol + 1, kMoneyWidth);
  for (int c = kFirstSizeCol; c < kTotalCol; ++c) grid_.SetColWidth(c, kSizeWidth);
  grid_.SetColWidth(kTotalCol, kTotalWidth);
  CurrentRow = 1;
  OverallTotal = 0;
}

void TStyleStockGridClass::AddGridRows(int n) { grid_.SetRowCount(grid_.RowCount() + n); }

int TStyleStockGridClass::SizeCount(const TStyleStock& style, const TSizeScale& scale) {
  int count = std::max(0, scale.Counter);
  for (const TStyleStockLine& line : style.Lines)
    if (!line.Stock.empty()) count = std::max(count, line.Stock.back().first + 1);
  return count;
}

bool TStyleStockGridClass::HidesLine(int option, qint64 total, bool allZero, bool negative) {
  if (option == kHideZeroTotal && total == 0) return true;
  if (option == kHideAllZero && allZero) return true;
  if (negative) return false;
  return option == kOnlyNegative;
}

bool TStyleStockGridClass::IsHeaderRow(const kui::KvStringGrid& grid, int row) {
  return grid.Cell(kTotalCol, row) == QLatin1String(kTotal);
}

bool TStyleStockGridClass::IsTotalsRow(const kui::KvStringGrid& grid, int row) {
  return grid.Cell(kCostCol, row) == QLatin1String(kTotals);
}

void TStyleStockGridClass::AddStyles(TStyleStockQueryClass& reads, const QStringList& styles) {
  reads.ReadStyles(styles, [&](const TStyleStock& style) {
    if (style.Lines.empty()) return;  // no stock rows (in the branch): nothing to list
    if (BeforeStyle) BeforeStyle(style.Style);
    AddStyle(style, reads.Scale(style.Lines.front().SizesScaleId));
  });
}

void TStyleStockGridClass::AddStyle(const TStyleStock& style, const TSizeScale& scale) {
  if (style.Lines.empty()) return;
  const int sizes = SizeCount(style, scale);
  for (int first = 0; first < sizes; first += kBlockSizes)
    AddSizeBlock(style, scale, first, std::min(kBlockSizes, sizes - first));
}

void TStyleStockGridClass::AddHeaderRow(int row, const TSizeScale& scale, int first, int count) {
  grid_.ClearRow(row);
  const QStringList& texts = HeaderTexts();
  for (int c = 0; c < texts.size(); ++c) grid_.SetCell(c, row, texts[c]);
  // By offset: a scale whose rows do not match its COUNTER still heads the right columns.
  for (int k = 0; k < count; ++k) grid_.SetCell(kFirstSizeCol + k, row, scale.NameAt(first + k));
  grid_.SetCell(kTotalCol, row, kTotalText);
  grid_.SetColWidth(kBranchCol, kBranchWidth);
}

void TStyleStockGridClass::AddSizeBlock(const TStyleStock& style, const TSizeScale& scale, int first, int count) {
  AddHeaderRow(CurrentRow, scale, first, count);
  ++CurrentRow;
  AddGridRows(1);
  std::array<qint64, kBlockSizes> sums{};
  qint64 blockTotal = 0;
  bool kept = false;
  const int end = first + count;

  for (const TStyleStockLine& line : style.Lines) {
    // The line's row made whole, then written at once (a hidden line is not written).
    std::vector<QString> cells(kColumns);
    cells[0] = line.RootPLU;
    cells[1] = line.Supplier;
    cells[2] = line.Brand;
    cells[3] = line.Style;
    cells[4] = line.Colour;
    cells[5] = line.Season;
    cells[6] = line.Description;
    cells[7] = line.StyleRef;
    cells[8] = line.Department;
    if (BranchCode) cells[kBranchCol] = BranchCode(line.BranchId);
    cells[kCostCol] = line.Cost;
    cells[kCostCol + 1] = line.Retail;
    qint64 total = 0;
    bool allZero = true;
    bool negative = false;
    for (const auto& [offset, quantity] : line.Stock) {
      if (offset < first) continue;
      if (offset >= end) break;
      const int k = offset - first;
      cells[static_cast<size_t>(kFirstSizeCol + k)] = KVQuantityTextClass::Text(quantity);
      sums[static_cast<size_t>(k)] += quantity;
      total += quantity;
      if (quantity != 0) allZero = false;
      if (quantity < 0) negative = true;
    }
    cells[kTotalCol] = KVQuantityTextClass::Text(total);
    blockTotal += total;  // hidden lines count in the block's totals too
    if (!HidesLine(Option, total, allZero, negative)) {
      grid_.SetRowCells(CurrentRow, std::move(cells));
      AddGridRows(1);
      ++CurrentRow;
      kept = true;
    }
    if (AfterLine) AfterLine();
  }

  if (kept) {
    grid_.SetCell(kCostCol, CurrentRow, kTotalsText);
    for (int k = 0; k < count; ++k)
      grid_.SetCell(kFirstSizeCol + k, CurrentRow, KVQuantityTextClass::Text(sums[static_cast<size_t>(k)]));
    grid_.SetCell(kTotalCol, CurrentRow, QString::number(blockTotal));
    OverallTotal += blockTotal;
    AddGridRows(2);  // the totals row and a blank row
    CurrentRow += 2;
    return;
  }
  // Nothing kept: back onto the block's header row, which the next header
  // overwrites or the final trim drops.
  grid_.ClearRow(CurrentRow);
  if (CurrentRow > 1) {
    grid_.SetRowCount(grid_.RowCount() - 1);
    --CurrentRow;
  }
}

void TStyleStockGridClass::Finish() { grid_.SetRowCount(CurrentRow); }
