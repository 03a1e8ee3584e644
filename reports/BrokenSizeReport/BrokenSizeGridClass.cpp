#include "BrokenSizeGridClass.h"

#include "KVQuantityTextClass.h"
#include "KvStringGrid.h"

#include <QScopeGuard>

#include <algorithm>
#include <vector>

namespace {
// The row marks: one shared text each, whatever the number of rows.
const QString kHeaderMarkText = QString::fromLatin1(TBrokenSizeGridClass::kHeaderMark);
const QString kDataMarkText = QString::fromLatin1(TBrokenSizeGridClass::kDataMark);
const QString kBranchLabel = QStringLiteral("Branch");
const QString kRootPLULabel = QStringLiteral("Root PLU");
const QString kStyleLabel = QStringLiteral("Style");
const QString kColourLabel = QStringLiteral("Colour");
constexpr int kBranchWidth = 120;
constexpr int kRootPLUWidth = 80;
constexpr int kStyleWidth = 120;
constexpr int kColourWidth = 120;
}  // namespace

void TBrokenSizeGridClass::Reset() {
  grid_.ClearCells();
  grid_.SetFixedRows(0);
  grid_.SetFixedCols(0);
  grid_.SetColCount(kFirstSizeCol + 1);
  grid_.SetRowCount(1);
  grid_.SetDefaultColWidth(kSizeWidth);
  grid_.SetColWidth(0, -1);  // the row's kind
  grid_.SetColWidth(1, kBranchWidth);
  grid_.SetColWidth(2, kRootPLUWidth);
  grid_.SetColWidth(3, kStyleWidth);
  grid_.SetColWidth(4, kColourWidth);
  SizeColumnCount = kFirstSizeCol + 1;
  CurrentRow = 0;
  headerRow_ = -1;
  headerNames_.clear();
}

int TBrokenSizeGridClass::CountMissing(TBrokenRecords records, int minMissing, bool hideAllZero) {
  int noStock = 0;
  bool allZero = true;
  for (const TBrokenStockRecord& r : records) {
    if (r.Quantity <= 0) ++noStock;
    if (r.Quantity != 0) allZero = false;
  }
  return CountMissing(noStock, allZero, minMissing, hideAllZero);
}

int TBrokenSizeGridClass::CountMissing(int noStock, bool allZero, int minMissing, bool hideAllZero) {
  if (noStock < minMissing) return 0;
  if (allZero && hideAllZero) return 0;
  return noStock;
}

bool TBrokenSizeGridClass::IsHeaderRow(const kui::KvStringGrid& grid, int row) {
  bool ok = false;
  return grid.Cell(0, row).trimmed().toInt(&ok) == 1 && ok;
}

void TBrokenSizeGridClass::AddGridRow() { grid_.SetRowCount(grid_.RowCount() + 1); }

void TBrokenSizeGridClass::Widen(int columns) {
  if (columns <= SizeColumnCount) return;
  grid_.SetColCount(columns);
  for (int c = SizeColumnCount; c < columns; ++c) grid_.SetColWidth(c, kSizeWidth);
  SizeColumnCount = columns;
}

void TBrokenSizeGridClass::WriteHeaderLabels(int row) {
  grid_.SetCell(0, row, kHeaderMarkText);
  grid_.SetCell(1, row, kBranchLabel);
  grid_.SetCell(2, row, kRootPLULabel);
  grid_.SetCell(3, row, kStyleLabel);
  grid_.SetCell(4, row, kColourLabel);
}

void TBrokenSizeGridClass::WriteSizeNames(int row, const TBrokenColour& colour) {
  const int names = static_cast<int>(colour.SizeNames.size());
  Widen(kFirstSizeCol + names);
  for (int i = 0; i < names; ++i) grid_.SetCell(kFirstSizeCol + i, row, colour.SizeNames[static_cast<size_t>(i)]);
}

void TBrokenSizeGridClass::WriteHeader(int row, const TBrokenColour& colour) {
  // What WriteHeaderLabels and WriteSizeNames write, as one row.
  Widen(kFirstSizeCol + static_cast<int>(colour.SizeNames.size()));
  std::vector<QString> cells{kHeaderMarkText, kBranchLabel, kRootPLULabel, kStyleLabel, kColourLabel};
  cells.insert(cells.end(), colour.SizeNames.begin(), colour.SizeNames.end());
  grid_.SetRowCells(row, std::move(cells));
  headerRow_ = row;
  headerNames_ = colour.SizeNames;
}

bool TBrokenSizeGridClass::FitsHeader(const TBrokenColour& colour) const {
  const size_t both = std::min(headerNames_.size(), colour.SizeNames.size());
  for (size_t i = 0; i < both; ++i) {
    const QString& shown = headerNames_[i];
    const QString& own = colour.SizeNames[i];
    if (!shown.isEmpty() && !own.isEmpty() && shown != own) return false;
  }
  return true;
}

void TBrokenSizeGridClass::AddRowWithHeader(const TBrokenColour& colour) {
  if (CurrentRow == 0) {  // nothing written yet
    WriteHeader(0, colour);
    AddGridRow();
    CurrentRow = 1;
    return;
  }
  AddGridRow();
  ++CurrentRow;
  // After a blank row a new style begins; a colour whose sizes the header
  // does not name gets a header of its own.
  if (grid_.Cell(2, CurrentRow - 1).isEmpty() || headerRow_ < 0 || !FitsHeader(colour)) {
    WriteHeader(CurrentRow, colour);
    AddGridRow();
    ++CurrentRow;
    return;
  }
  // Sizes the header lacks are added to it.
  if (colour.SizeNames.size() > headerNames_.size()) headerNames_.resize(colour.SizeNames.size());
  for (size_t i = 0; i < colour.SizeNames.size(); ++i) {
    if (!headerNames_[i].isEmpty() || colour.SizeNames[i].isEmpty()) continue;
    headerNames_[i] = colour.SizeNames[i];
    Widen(kFirstSizeCol + static_cast<int>(i) + 1);
    grid_.SetCell(kFirstSizeCol + static_cast<int>(i), headerRow_, headerNames_[i]);
  }
}

void TBrokenSizeGridClass::WriteStockRow(int row, const QString& branchName, const QString& style,
                                         const TBrokenColour& colour, TBrokenRecords records) {
  // The row made whole, as wide as its sizes need, then written at once.
  int width = kFirstSizeCol;
  for (const TBrokenStockRecord& r : records) width = std::max(width, kFirstSizeCol + r.SizeIndex + 1);
  Widen(width);
  std::vector<QString> cells(static_cast<size_t>(width));
  cells[0] = kDataMarkText;
  cells[1] = branchName;
  cells[2] = colour.RootPLU;
  cells[3] = style;
  cells[4] = colour.Colour;
  for (const TBrokenStockRecord& r : records)  // a later record of the same size shows
    cells[static_cast<size_t>(kFirstSizeCol + r.SizeIndex)] = r.Null ? QString() : KVQuantityTextClass::Text(r.Quantity);
  grid_.SetRowCells(row, std::move(cells));
}

void TBrokenSizeGridClass::AddStyles(TBrokenSizeQueryClass& reads, const QStringList& styles) {
  // The branch ids as numbers once for the run, not once per colour and branch.
  branchNumbers_.clear();
  for (const auto& branch : Branches) branchNumbers_.push_back(branch.first.toLongLong());
  const auto done = qScopeGuard([this] { branchNumbers_.clear(); });
  reads.ReadStyles(styles, [this](const TBrokenStyle& style) { AddStyle(style); });
}

void TBrokenSizeGridClass::AddStyle(const TBrokenStyle& style) {
  if (BeforeStyle) BeforeStyle(style);
  for (const TBrokenColour& colour : style.Colours) {
    if (BeforeColour) BeforeColour(style, colour);
    AddColour(style.Style, colour);
  }
  AddSeparator();
}

void TBrokenSizeGridClass::AddColour(const QString& style, const TBrokenColour& colour) {
  const bool numbered = branchNumbers_.size() == Branches.size();
  for (size_t b = 0; b < Branches.size(); ++b) {
    const auto& [id, name] = Branches[b];
    CurrentBranchId = id;
    CurrentBranchName = name;
    if (!BranchFilterId.isEmpty() && BranchFilterId != id) continue;
    const TBrokenColour::BranchStock stock = colour.StockOfBranch(numbered ? branchNumbers_[b] : id.toLongLong());
    if (CountMissing(stock.NoStock, stock.AllZero, MinMissing, HideAllZero) <= 0) continue;
    AddRowWithHeader(colour);
    WriteStockRow(CurrentRow, name, style, colour, stock.Records);
  }
}

void TBrokenSizeGridClass::AddSeparator() {
  if (CurrentRow == 0 && grid_.Cell(2, 0).isEmpty()) return;  // nothing written yet
  AddGridRow();
  ++CurrentRow;
  grid_.ClearRow(CurrentRow);
}
