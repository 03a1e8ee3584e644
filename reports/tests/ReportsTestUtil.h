#pragma once
// Helpers of the report units' tests: the shared helpers and data-module
// fixtures (kvfwtest), and a grid filled from rows of text.
#include <gtest/gtest.h>

#include "KvFwTestSupport.h"
#include "KvStringGrid.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <vector>

namespace reptest {

using kvtest::FreshFolder;
using kvtest::ReadAll;
using kvtest::WriteFile;

// Rows of cells into a grid (column count from the widest row).
inline void FillGrid(kui::KvStringGrid& grid, const std::vector<QStringList>& rows, int fixedRows = 1) {
  int cols = 1;
  for (const auto& r : rows) cols = std::max(cols, static_cast<int>(r.size()));
  grid.SetColCount(cols);
  grid.SetRowCount(static_cast<int>(rows.size()));
  grid.SetFixedCols(0);
  grid.SetFixedRows(fixedRows);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) grid.SetRowTexts(r, rows[r]);
}

}  // namespace reptest
