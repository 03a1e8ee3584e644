#pragma once
// A colour-by-size grid shown in a string grid: the cells of
// TColourSizeGridClass are the string grid's own, and this class gives the
// grid its look, paints its cells and handles the Enter key, typing and the
// choice of a cell as every colour-by-size grid of the style editor does.
// Quantity grids (stock, min, max, barcodes, pack) hold whole numbers with
// integer totals; price grids (branch prices) hold prices with floating-point
// totals shown as "0.00".
//
//   TColourSizeViewClass view(StringGridStock, TColourSizeViewClass::Values::Quantities);
//   view.Layout(colours, sizeNames);
//   view.Model.FillSizeCells("0");
//   view.SumTotals();
//   grid->OnDrawCell = [&](auto& g, QPainter& p, int c, int r, const QRect& rc, auto s) {
//     view.DrawCell(p, c, r, rc, s); };
#include <QRect>

#include "ColourSizeGridClass.h"
#include "KvStringGrid.h"

class QPainter;

class TColourSizeViewClass : public TGridCells {
 public:
  enum class Values { Quantities, Prices };

  static constexpr quint32 kFixedColour = 0xE2FBFC;
  static constexpr quint32 kSelectedColour = 0xC0C0C0;
  static constexpr int kSizeWidth = 64;
  static constexpr int kNameWidth = 128;
  static constexpr int kTotalsWidth = 88;

  // Gives the grid the look of a colour-by-size grid.
  TColourSizeViewClass(kui::KvStringGrid* grid, Values values);

  // The view of a grid, made (with `values`) on first use and kept as long
  // as the grid, so handlers that are handed a grid find its view.
  static TColourSizeViewClass& Of(kui::KvStringGrid* grid, Values values = Values::Quantities);

  kui::KvStringGrid* const Grid;
  const Values Kind;
  TColourSizeGridClass Model{*this};

  // Lays the grid out (TColourSizeGridClass::Layout) with the columns'
  // widths: root PLU and colour value hidden, names 128, sizes 64, TOTALS 88.
  void Layout(const std::vector<TColourSizeGridClass::Colour>& colours, const QStringList& sizeNames);
  // Integer totals for quantities, floating-point totals for prices.
  void SumTotals();

  // The text a cell shows (a price cell as "0.00") and its background.
  QString ShownText(int col, int row) const;
  quint32 Background(int col, int row, kui::KvGridDrawState state) const;
  // Paints one cell: fixed cells in the fixed colour, the header bold, the
  // colour name on its own colour, a value on the colour of its value, the
  // current cell grey; text centred on one line, left in the first three
  // columns and right from the sizes on.
  void DrawCell(QPainter& p, int col, int row, const QRect& rect, kui::KvGridDrawState state) const;
  // The choice of a cell: the TOTALS row and column are refused; entering a
  // price cell shows it as "0.00". The totals are recomputed either way.
  // A grid without goEditing keeps every cell as it is, the totals too.
  void SelectCell(int col, int row, bool& canSelect);
  // A typed key: the totals are recomputed; Enter fixes the current cell's
  // text (not in a grid without goEditing) and moves on (the key goes no
  // further); other keys pass the cell's filter or are dropped (set to QChar()).
  void KeyPress(QChar& key);
  bool Editable() const { return Grid->HasOption(kui::KvStringGrid::goEditing); }

  // TGridCells: the string grid's own cells.
  int ColCount() const override { return Grid->ColCount(); }
  int RowCount() const override { return Grid->RowCount(); }
  void Reset(int colCount, int rowCount) override;
  QString Cell(int col, int row) const override { return Grid->Cell(col, row); }
  void SetCell(int col, int row, const QString& text) override { Grid->SetCell(col, row, text); }
};
