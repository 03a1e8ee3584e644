#pragma once
// The content of the enquiry's style grid: the row labels and one column per
// colour of the style, filled from a row of the style's colour statement
// (THistorySQLClass::StyleColours) with the prices worked out by
// TStyleFiguresClass.
//
//   TStyleGridClass style(SGridStyle);
//   style.Reset();                          // labels, one empty colour column
//   style.SetColours(q.RecordCount());
//   for (...) style.FillColour(col, q);     // col 1, 2, ... for the rows in order
#include <QStringList>

namespace kdb {
class DataSet;
}
namespace kui {
class KvStringGrid;
}

class TStyleGridClass {
 public:
  explicit TStyleGridClass(kui::KvStringGrid* grid) : grid_(grid) {}

  enum TRow {
    srSwatch = 0, srSupplier, srStyle, srStyleRef, srColour, srSeason, srBrand, srDescription,
    srCategory, srDepartment, srSubDept, srCostPrice, srRetailPrice, srVATRate, srBeforeVAT,
    srProfit, srMargin, srMarkup, srCreated, srRootPLU
  };
  static constexpr int kRows = 20;
  static constexpr int kLabelWidth = 96;
  static constexpr int kColourWidth = 120;
  static const char* const kLabels[kRows];

  // Two columns, twenty rows, the labels; the current cell on row 1, column 1.
  void Reset();
  // Room for this many colours.
  void SetColours(int count);
  // The column of one colour from the current row of the statement.
  void FillColour(int col, kdb::DataSet& row);
  // The texts of a colour's column, row 0 (its colour value) to 19 (root PLU).
  static QStringList ColourTexts(kdb::DataSet& row);

 private:
  kui::KvStringGrid* grid_;
};
