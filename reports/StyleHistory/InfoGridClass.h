#pragma once
// The content of the enquiry's info grid: the row labels, one column per size
// of the colour shown (headed by its size name, in offset order, with one
// empty column after the last), and the movement figures placed in the column
// of their PLU, so a figure always stands under its own size, whatever gaps
// or repeats the colour's offsets have.
//
//   TInfoGridClass info(SGridInfo);
//   info.Reset(localMode);                    // labels, no sizes
//   info.Load(historyQuery, true);            // sizes and figures (THistorySQLClass::History)
//   info.ClearRow(hrSalesBetween);
//   info.Load(salesQuery, false);             // figures of the sizes shown
#include <QHash>
#include <QString>

#include "HistorySQLClass.h"

namespace kdb {
class DataSet;
}
namespace kui {
class KvStringGrid;
}

class TInfoGridClass {
 public:
  explicit TInfoGridClass(kui::KvStringGrid* grid) : grid_(grid) {}

  static constexpr int kRows = 13;
  static constexpr int kLabelWidth = 112;
  static const char* const kLabels[kRows];
  // What a row shows when its figures could not be read.
  static constexpr const char* kFailed = "n/a";

  // Two columns, the labels, no sizes; the current cell on row 1, column 1.
  // In the single-user edition only "Stock" shows (rows 2 to 12 hidden).
  void Reset(bool localMode);
  // The next size column (header size name) for a PLU.
  void AddSize(const QString& plu, const QString& sizeName);
  // The number of size columns.
  int SizeCount() const { return static_cast<int>(columns_.size()); }
  // The column of a PLU's figures, -1 when the colour shown has no such PLU.
  int ColumnOf(const QString& plu) const { return columns_.value(plu, -1); }

  // Every row of a history statement: with sizes, the row's size column is
  // added first; each figure column the statement has goes to its row in the
  // PLU's column, as the field's text. "On Order" follows from the orders.
  void Load(kdb::DataSet& rows, bool withSizes);
  // One figure; a PLU without a column is not shown.
  void SetFigure(int row, const QString& plu, const QString& text);
  // "On Order" of every size: ordered - delivered, shown when above 0.
  void UpdateOnOrder();

  // Rows 1 to 12 of every data column emptied; one row's figures emptied.
  void Clear();
  void ClearRow(int row);
  // A row whose figures could not be read: "n/a" in every size column.
  void MarkFailed(int row);

 private:
  kui::KvStringGrid* grid_;
  QHash<QString, int> columns_;
  void FillRow(int row, const QString& text);
};
