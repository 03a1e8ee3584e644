#pragma once
// The broken styles report's rule and grid. A colour's size run is broken at
// a branch when enough of its stock records hold no stock:
//
//   missing = records with a quantity of 0 or below (a size without a record
//             is not missing; a negative quantity is missing and not zero)
//   listed when missing >= MinMissing, unless every record is exactly 0 (or
//   there is none) and "Hide with all zeros" is ticked.
//
// The grid has no fixed rows; column 0 marks a header row "1" and a data row
// "0" (hidden), columns 1-4 branch, root PLU, style and colour, and from
// column 5 on one column per size index. The first broken colour of a style
// starts with a header row of its size names; later colours follow under it
// when their size names agree with it (a size the header lacks is added to
// it), and under a header of their own when they do not. The grid widens as a
// header or a stock row needs, so no quantity lies beyond its columns. A blank
// row closes each style once the grid holds rows.
//
//   TBrokenSizeGridClass build(grid);
//   build.MinMissing = 2;
//   build.Branches = {{"4", "HARROGATE"}, ...};  // by name, as the selector lists them
//   build.Reset();
//   build.AddStyles(reads, picked);            // or per style:
//   if (build.CountMissing(records) > 0) { build.AddRowWithHeader(colour); build.WriteStockRow(...); }
//   build.AddSeparator();                      // after each style
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

#include "BrokenSizeQueryClass.h"

namespace kui {
class KvStringGrid;
}

class TBrokenSizeGridClass {
 public:
  explicit TBrokenSizeGridClass(kui::KvStringGrid& grid) : grid_(grid) {}

  static constexpr int kFirstSizeCol = 5;
  static constexpr int kSizeWidth = 48;
  static constexpr const char* kHeaderMark = "1";
  static constexpr const char* kDataMark = "0";

  int MinMissing = 1;
  bool HideAllZero = true;
  // The branches a colour is looked at in, in order: (id, name); and the one
  // branch to report ("" for all).
  std::vector<std::pair<QString, QString>> Branches;
  QString BranchFilterId;
  // Called before each style and each of its colours (the window names them
  // in its wait window and keeps itself painted).
  std::function<void(const TBrokenStyle& style)> BeforeStyle;
  std::function<void(const TBrokenStyle& style, const TBrokenColour& colour)> BeforeColour;
  // The grid row last written, the column count as widened so far, and the
  // branch AddColour looks at.
  int CurrentRow = 0;
  QString CurrentBranchId;
  QString CurrentBranchName;
  int SizeColumnCount = kFirstSizeCol + 1;

  // 6 columns, 1 row, no fixed rows, widths; nothing written.
  void Reset();
  // The broken-size rule: the number of missing sizes, 0 when the colour is
  // not to be listed.
  static int CountMissing(TBrokenRecords records, int minMissing, bool hideAllZero);
  int CountMissing(TBrokenRecords records) const { return CountMissing(records, MinMissing, HideAllZero); }
  // The rule on counts made already: records holding no stock, all exactly 0.
  static int CountMissing(int noStock, bool allZero, int minMissing, bool hideAllZero);
  // The run: every style of the pick as the reads deliver it, in its order.
  void AddStyles(TBrokenSizeQueryClass& reads, const QStringList& styles);
  // A style's broken colours, then the blank row that closes it.
  void AddStyle(const TBrokenStyle& style);
  // The colour's row at each branch where its run is broken.
  void AddColour(const QString& style, const TBrokenColour& colour);
  // Moves CurrentRow to the colour's data row, writing a header before it
  // where one is due.
  void AddRowWithHeader(const TBrokenColour& colour);
  void WriteHeaderLabels(int row);
  void WriteSizeNames(int row, const TBrokenColour& colour);
  // The whole row (cells it does not name are empty): mark, branch, root
  // PLU, style, colour and each record's quantity under its size.
  void WriteStockRow(int row, const QString& branchName, const QString& style, const TBrokenColour& colour,
                     TBrokenRecords records);
  void AddSeparator();

  static bool IsHeaderRow(const kui::KvStringGrid& grid, int row);

 private:
  kui::KvStringGrid& grid_;
  int headerRow_ = -1;
  std::vector<QString> headerNames_;  // the size names the current header shows
  std::vector<qint64> branchNumbers_;  // Branches' ids as numbers, during AddStyles

  void AddGridRow();
  void Widen(int columns);
  void WriteHeader(int row, const TBrokenColour& colour);
  // True when the colour's size names agree with the current header's
  // wherever both name a size.
  bool FitsHeader(const TBrokenColour& colour) const;
};
