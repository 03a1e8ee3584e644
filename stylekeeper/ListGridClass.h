#pragma once
// The style editor's grids that list rows rather than colours by sizes: the
// external codes and per-PLU price grids (one row per PLU), the product
// options grid (one row per option) and the style charges grid (one row per
// charge). Their look, the painting of a cell, where Enter moves to, and the
// Smart Copy of the price grid; nothing here needs a window.
//
//   TListGridClass::Look(grid, 4);                      // font, rows, fixed columns
//   TListGridClass::Paint(p, grid, col, row, rect, state, {6, 4, 3});
//   TListGridClass::DownAfterEnter(col, row, 1, grid.RowCount());
#include <QChar>
#include <QRect>
#include <QString>
#include <QStringList>

#include "ColourSizeGridClass.h"

class QPainter;

namespace kui {
class KvStringGrid;
struct KvGridDrawState;
}  // namespace kui

// The cells of a string grid as the grid classes address them.
class TStringGridCells : public TGridCells {
 public:
  explicit TStringGridCells(kui::KvStringGrid& grid) : grid_(grid) {}
  int ColCount() const override;
  int RowCount() const override;
  void Reset(int colCount, int rowCount) override;
  QString Cell(int col, int row) const override;
  void SetCell(int col, int row, const QString& text) override;

 private:
  kui::KvStringGrid& grid_;
};

class TListGridClass {
 public:
  static constexpr quint32 kSelectedColour = 0xC0C0C0;
  static constexpr int kRowHeight = 24;
  static constexpr int kFontPixels = 13;

  // How a grid paints its cells.
  struct Painting {
    int colourCol = -1;     // the hidden column whose integer paints column 2; -1: none
    int rightFrom = 1;      // columns rightFrom .. rightTo are right-aligned
    int rightTo = 0;
  };

  // Gives a grid the look of the list grids: 13 px Verdana, rows of 24 px,
  // one fixed row, `fixedCols` fixed columns, editing on.
  static void Look(kui::KvStringGrid& grid, int fixedCols);

  // Background and text colours (0x00BBGGRR) of a cell and whether it is
  // bold: white with black text; a fixed cell in the grid's fixed colour;
  // row 0 bold; column 2 of a data row on the colour its hidden column
  // holds (white when that is no number) with a contrasting text; the
  // current cell grey.
  struct CellLook {
    quint32 back = 0xFFFFFF;
    quint32 fore = 0;
    bool bold = false;
  };
  static CellLook LookOf(const kui::KvStringGrid& grid, int col, int row, kui::KvGridDrawState state,
                         const Painting& painting);
  static void Paint(QPainter& p, const kui::KvStringGrid& grid, int col, int row, const QRect& rect,
                    kui::KvGridDrawState state, const Painting& painting);

  // ----- Enter --------------------------------------------------------------------------
  // Down one row in the same column; from the last row back to the first
  // data row.
  static void DownAfterEnter(int& row, int fixedRows, int rowCount);
  // One column right up to lastCol, then firstCol of the next row; from the
  // last row back to the first data row.
  static void AcrossAfterEnter(int& col, int& row, int firstCol, int lastCol, int fixedRows, int rowCount);
  // Moves the grid's current cell as Enter does: the in-place editor closes
  // (its text is in the cell already) and the cell moves.
  static void MoveAfterEnter(kui::KvStringGrid& grid, int col, int row);

  // ----- Smart Copy of the price grid ---------------------------------------------------
  // Rows 1 .. RowCount-1 list PLUs (column pluCol), colours in turn: every
  // row of another colour takes columns firstCol .. lastCol of the first
  // colour's row of the same size (its PLU's last two digits). A size the
  // first colour lacks keeps its values; a grid without rows is left alone.
  // Returns how many rows took values.
  static int SmartCopy(TGridCells& cells, int pluCol, int firstCol, int lastCol);
};
