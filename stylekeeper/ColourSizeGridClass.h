#pragma once
// The colour-by-size grid of the style editor, without a window: the rows
// are the colours (root PLUs) of one style, the columns the sizes of its
// first colour, with a header row of size names and a TOTALS row and column.
// The stock, minimum and maximum stock, barcode, branch price and wholesale
// pack grids are all this grid; TStringGridCellsClass shows it in a string
// grid, TCellTable keeps it in memory.
//
//   column 0 root PLU (hidden), 1 colour value 0x00BBGGRR (hidden),
//          2 colour name, 3 .. n+2 the sizes 0 .. n-1, n+3 TOTALS
//   row    0 size names, 1 .. m the colours, m+1 TOTALS
//
//   TCellTable cells;
//   TColourSizeGridClass grid(cells);
//   grid.Layout({{"00000042", "255", "RED"}}, {"S", "M", "L"});
//   grid.FillSizeCells("0");
//   grid.PlaceByPLU("00000042", "0000004202", "7");   // size index 2: column 5
//   grid.SumQuantities();                              // TOTALS row and column
//
// The PLU of a cell is the row's root PLU followed by the size index as two
// digits, as the style save numbers PLUs. Cells are text; a value is read
// from its text when needed (an empty cell counts 0), and the totals are
// recomputed, never read back.
#include <QChar>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The texts of a grid, addressed column first as in the string grid.
class TGridCells {
 public:
  virtual ~TGridCells() = default;
  virtual int ColCount() const = 0;
  virtual int RowCount() const = 0;
  // A new size with every cell empty.
  virtual void Reset(int colCount, int rowCount) = 0;
  virtual QString Cell(int col, int row) const = 0;
  virtual void SetCell(int col, int row, const QString& text) = 0;
};

// Cells kept in memory.
class TCellTable : public TGridCells {
 public:
  int ColCount() const override { return colCount_; }
  int RowCount() const override { return static_cast<int>(rows_.size()); }
  void Reset(int colCount, int rowCount) override;
  // "" outside the grid; a write outside it is ignored.
  QString Cell(int col, int row) const override;
  void SetCell(int col, int row, const QString& text) override;

 private:
  int colCount_ = 0;
  std::vector<QStringList> rows_;
};

class TColourSizeGridClass {
 public:
  static constexpr int kRootPLUCol = 0;
  static constexpr int kColourValueCol = 1;
  static constexpr int kColourNameCol = 2;
  static constexpr int kFirstSizeCol = 3;
  static constexpr int kFirstColourRow = 1;
  static constexpr char kTotals[] = "TOTALS";

  struct Colour {
    QString rootPLU;
    QString colourValue;  // 0x00BBGGRR as decimal text
    QString colourName;
  };

  // A size cell with its PLU, as the writes of a grid take them.
  struct SizeCell {
    int col = 0;
    int row = 0;
    QString plu;
    QString text;
  };

  explicit TColourSizeGridClass(TGridCells& cells) : cells_(cells) {}

  TGridCells& Cells() const { return cells_; }
  QString Cell(int col, int row) const { return cells_.Cell(col, row); }
  void SetCell(int col, int row, const QString& text) { cells_.SetCell(col, row, text); }

  // ----- layout ------------------------------------------------------------------
  // Lays the grid out for these colours (in the order given: the style's
  // colours by name) and size names (the first colour's, by size offset);
  // the size cells and totals are empty.
  void Layout(const std::vector<Colour>& colours, const QStringList& sizeNames);
  // True when Layout(colours, sizeNames) would lay the grid out as it is.
  bool HasLayout(const std::vector<Colour>& colours, const QStringList& sizeNames) const;
  int ColourCount() const;
  int SizeCount() const;
  int LastColourRow() const { return cells_.RowCount() - 2; }
  int LastSizeCol() const { return cells_.ColCount() - 2; }
  int TotalsRow() const { return cells_.RowCount() - 1; }
  int TotalsCol() const { return cells_.ColCount() - 1; }
  // A cell of a colour row in a size column.
  bool IsSizeCell(int col, int row) const;

  // ----- PLUs --------------------------------------------------------------------
  static QString PLU(const QString& rootPLU, int sizeIndex);
  // The PLU of a size cell; "" for any other cell.
  QString PLUOfCell(int col, int row) const;
  // The colour row whose root PLU is exactly this one; 0 when none.
  int FindColourRow(const QString& rootPLU) const;
  // The size index a PLU ends with (its last two characters); 0 when they
  // are not a number.
  static int SizeIndexOfPLU(const QString& plu);
  // Puts a value into the cell of its root PLU's row and its PLU's size
  // column. False (nothing written) when the root PLU has no row or the size
  // lies outside the size columns.
  bool PlaceByPLU(const QString& rootPLU, const QString& plu, const QString& text);
  // The size cells, column by column and, within a column, colour by colour.
  std::vector<SizeCell> SizeCellsByColumn() const;

  // ----- filling and totals ------------------------------------------------------------
  void FillSizeCells(const QString& text);
  // The size cells and the TOTALS row and column.
  void FillValueCells(const QString& text);
  // A quantity cell's value: its integer, 0 when empty or not an integer.
  static int QuantityOf(const QString& text);
  // Integer totals of the quantity grids: each colour row's size cells into
  // the TOTALS column, each size column into the TOTALS row, and their sum.
  void SumQuantities();
  // Floating-point totals of the price grids; a cell that is no number is
  // skipped.
  void SumPrices();

  // ----- copy and paste ---------------------------------------------------------------
  // The texts of a row's size cells, the first size first.
  QStringList CopyRow(int row) const;
  // Writes copied texts into a row's size cells as whole numbers (0 for a
  // text that is no integer, 0 for a negative one); sizes beyond the copied
  // texts keep their contents.
  void PasteRow(int row, const QStringList& copied);
  void PasteEveryRow(const QStringList& copied);
  // Smart Copy of a grid: every other colour row takes the source row's size
  // texts, size by size.
  void CopyRowToEveryRow(int sourceRow);
  // Smart Copy of a list of PLUs (one row per PLU, colours in turn): for each
  // row, the row of the first colour with the same size index, or -1 (a row
  // of the first colour itself, or a size the first colour lacks). Sizes are
  // matched by position within each root PLU, so colours of fewer sizes
  // never take another size's values.
  static std::vector<int> SmartCopySources(const QStringList& plus);

  // ----- moving and typing -----------------------------------------------------------------
  // The TOTALS row and column cannot be selected.
  bool CanSelect(int col, int row) const;
  // Enter: one size to the right, from the last size to the first size of
  // the next colour, from the last colour back to the first.
  void NextCellAfterEnter(int& col, int& row) const;
  // Keys a quantity cell takes: digits and Backspace (no sign, no point);
  // the grid hands it no other editing key.
  static bool QuantityKeyPasses(QChar key);
  // Keys a price cell takes: digits, Backspace and one decimal point.
  static bool PriceKeyPasses(const QString& cellText, QChar key);

  // ----- how cells look -------------------------------------------------------------------
  static constexpr quint32 kPositiveColour = 0xC0DCC0;
  static constexpr quint32 kNegativeColour = 0x0000FF;
  static constexpr quint32 kWhite = 0xFFFFFF;
  static quint32 QuantityCellColour(qint64 value);
  // Above 0: the positive colour; zero, negative or no number: white.
  static quint32 PriceCellColour(const QString& text);
  // The text as a price "0.00"; "0.00" when empty or no number.
  static QString FormatPriceText(const QString& text);

 private:
  // Row, column and grand totals of the size cells that `read` gives a
  // value for, written by `write`.
  void Sum(std::optional<double> (*read)(const QString&), QString (*write)(double));

  TGridCells& cells_;
};
