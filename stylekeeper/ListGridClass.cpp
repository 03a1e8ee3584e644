#include "ListGridClass.h"

#include <QPainter>

#include "KuiColour.h"
#include "KvStringGrid.h"
#include "Utils.h"

// ----- TStringGridCells -------------------------------------------------------------------

int TStringGridCells::ColCount() const { return grid_.ColCount(); }
int TStringGridCells::RowCount() const { return grid_.RowCount(); }

void TStringGridCells::Reset(int colCount, int rowCount) {
  grid_.ClearCells();
  grid_.SetColCount(colCount);
  grid_.SetRowCount(rowCount);
}

QString TStringGridCells::Cell(int col, int row) const { return grid_.Cell(col, row); }
void TStringGridCells::SetCell(int col, int row, const QString& text) { grid_.SetCell(col, row, text); }

// ----- look and painting ------------------------------------------------------------------

void TListGridClass::Look(kui::KvStringGrid& grid, int fixedCols) {
  QFont font("Verdana");
  font.setPixelSize(kFontPixels);
  grid.setFont(font);
  grid.SetDefaultRowHeight(kRowHeight);
  grid.SetFixedRows(1);
  grid.SetFixedCols(fixedCols);
  grid.SetGridOptions(grid.GridOptions() | kui::KvStringGrid::goEditing | kui::KvStringGrid::goColSizing);
  grid.SetDefaultDrawing(false);
}

TListGridClass::CellLook TListGridClass::LookOf(const kui::KvStringGrid& grid, int col, int row,
                                                kui::KvGridDrawState state, const Painting& painting) {
  CellLook look;
  if (col < grid.FixedCols() || row < grid.FixedRows()) look.back = kui::ToBgr(grid.FixedColour());
  look.bold = row == 0;
  if (row > 0 && col == 2) {
    const QString value = painting.colourCol >= 0 ? grid.Cell(painting.colourCol, row) : QString();
    look.back = kui::ToBgr(kui::BgrColourOr(value, Qt::white));
    look.fore = static_cast<quint32>(kos::ContrastTextColour(static_cast<int>(look.back)));
  }
  if (state.selected || state.focused) {
    look.back = kSelectedColour;
    look.fore = 0;
  }
  return look;
}

void TListGridClass::Paint(QPainter& p, const kui::KvStringGrid& grid, int col, int row, const QRect& rect,
                           kui::KvGridDrawState state, const Painting& painting) {
  const CellLook look = LookOf(grid, col, row, state, painting);
  QFont font = p.font();
  font.setBold(look.bold);
  p.setFont(font);
  p.fillRect(rect, kui::BgrColour(look.back));
  p.setPen(kui::BgrColour(look.fore));
  const bool right = col >= painting.rightFrom && col <= painting.rightTo;
  kui::KvStringGrid::DrawCellText(p, rect, grid.Cell(col, row), right ? Qt::AlignRight : Qt::AlignLeft, 1, 2);
}

// ----- Enter ----------------------------------------------------------------------------------

void TListGridClass::DownAfterEnter(int& row, int fixedRows, int rowCount) {
  row = row + 1 < rowCount ? row + 1 : fixedRows;
}

void TListGridClass::AcrossAfterEnter(int& col, int& row, int firstCol, int lastCol, int fixedRows, int rowCount) {
  if (col < lastCol) {
    ++col;
    return;
  }
  col = firstCol;
  DownAfterEnter(row, fixedRows, rowCount);
}

void TListGridClass::MoveAfterEnter(kui::KvStringGrid& grid, int col, int row) {
  grid.SetEditorMode(false);
  grid.SetCurrent(col, row);
}

// ----- Smart Copy -----------------------------------------------------------------------------

int TListGridClass::SmartCopy(TGridCells& cells, int pluCol, int firstCol, int lastCol) {
  QStringList plus;
  for (int row = 1; row < cells.RowCount(); ++row) plus << cells.Cell(pluCol, row);
  const std::vector<int> sources = TColourSizeGridClass::SmartCopySources(plus);
  int copied = 0;
  for (int i = 0; i < static_cast<int>(sources.size()); ++i) {
    const int source = sources[size_t(i)];
    if (source < 0) continue;
    for (int col = firstCol; col <= lastCol; ++col) cells.SetCell(col, i + 1, cells.Cell(col, source + 1));
    ++copied;
  }
  return copied;
}
