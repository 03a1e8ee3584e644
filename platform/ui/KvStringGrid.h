#pragma once
// KvStringGrid: a grid of text cells with fixed (header) rows and columns.
//
// Usage
//   auto* g = new kui::KvStringGrid(parent);
//   g->SetColCount(7); g->SetRowCount(2); g->SetFixedCols(3); g->SetFixedRows(1);
//   g->SetDefaultColWidth(64);        // resets every column to 64 ...
//   g->SetColWidth(0, -1);            // ... so set single widths after it; -1 hides
//   g->SetCell(col, row, "text");     // column first, as everywhere in this class
//   g->SetGridOptions(g->GridOptions() | kui::KvStringGrid::goEditing);
//   g->OnDrawCell = [](kui::KvStringGrid& g, QPainter& p, int col, int row,
//                      const QRect& r, kui::KvGridDrawState s) { ... };
//
// Cells
// - Every cell is text. Cells of hidden columns (width -1 or 0) and rows keep
//   their text: printing and export read them with Cell().
// - Growing RowCount is O(1); storage for a row is made when a cell of it is
//   written. Shrinking RowCount or ColCount discards the cells cut off.
// - A cell beyond ColCount can be written (it is kept and shows once ColCount
//   reaches it); a write to a row at or beyond RowCount is ignored.
// - Setting DefaultColWidth / DefaultRowHeight gives every column / row that
//   size; set single widths or heights afterwards.
//
// Current cell
// - Col()/Row() start at FixedCols/FixedRows. SetCol/SetRow/SetCurrent consult
//   OnSelectCell like a move made by the user; a refused move leaves the current
//   cell where it was and returns false. When no data row exists (RowCount <=
//   FixedRows) Row() equals FixedRows, which lies outside the grid.
// - OnClick fires after a mouse click and after a keyboard move, not after a
//   move made by code.
//
// Keys (grid and in-cell editor alike)
// - OnKeyDown(grid, key, modifiers) sees every key first (Qt::Key values); key
//   set to 0 swallows it.
// - OnKeyPress(grid, ch) sees characters: Enter arrives as '\r', Backspace as
//   '\b', Escape as '\x1b'. Set ch to QChar() (0) to swallow it; change it to
//   type another character. In the editor the cell already holds the text typed
//   so far, so a handler can read Cell(Col(), Row()).
// - With goEditing a typed character opens the in-cell editor on the current
//   cell; Enter or F2 opens it, Enter closes it again; Escape restores the text
//   the cell had when the editor opened. Each change in the editor writes the
//   cell at once and calls OnSetEditText.
// - Without goEditing, Enter and Escape that no hook swallowed go on to the
//   window (default button, Escape closing a dialog).
//
// Drawing
// - With DefaultDrawing (the default) the grid paints background and text
//   (left-aligned, 2 px in) and then calls OnDrawCell, which may paint over
//   the cell. The painter is clipped to the cell; its brush holds the colour
//   the grid would fill with, its pen the text colour, its font the grid's font.
//   DrawCellText is the helper most draw hooks want.
//
// Other
// - Disabled (setEnabled(false)) means read-only; the grid looks the same.
// - SetContextMenu(menu) pops the menu on a right click; a menu shared by
//   several grids can ask PopupComponent(menu) which grid opened it.
#include <QAbstractScrollArea>
#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "KvGridAxis.h"

class QLineEdit;
class QMenu;
class QPainter;

namespace kui {

// State of a cell handed to OnDrawCell.
struct KvGridDrawState {
  bool selected = false;  // the current cell, or any cell of the current row with goRowSelect
  bool focused = false;   // the current cell while the grid (or its editor) has the focus
  bool fixed = false;     // a cell of a fixed row or column
};

class KvStringGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  enum Option : unsigned {
    goFixedVertLine = 1u << 0,
    goFixedHorzLine = 1u << 1,
    goVertLine = 1u << 2,
    goHorzLine = 1u << 3,
    goColSizing = 1u << 4,   // drag column borders in the fixed rows
    goRowSizing = 1u << 5,   // drag row borders in the fixed columns
    goEditing = 1u << 6,
    goRowSelect = 1u << 7,   // the whole current row is selected
    goTabs = 1u << 8,        // Tab moves between cells instead of between controls
    goAlwaysShowEditor = 1u << 9,
  };
  using Options = unsigned;
  static constexpr Options kDefaultOptions =
      goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine;

  explicit KvStringGrid(QWidget* parent = nullptr);
  ~KvStringGrid() override;

  // --- size -----------------------------------------------------------------
  int ColCount() const { return cols_.Count(); }
  void SetColCount(int n);
  int RowCount() const { return rows_.Count(); }
  void SetRowCount(int n);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int n);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int n);

  int DefaultColWidth() const { return cols_.DefaultSize(); }
  void SetDefaultColWidth(int w);
  int DefaultRowHeight() const { return rows_.DefaultSize(); }
  void SetDefaultRowHeight(int h);
  int ColWidth(int col) const { return cols_.Size(col); }
  void SetColWidth(int col, int width);  // -1 (or 0) hides the column
  int RowHeight(int row) const { return rows_.Size(row); }
  void SetRowHeight(int row, int height);  // -1 (or 0) hides the row

  // --- cells ------------------------------------------------------------------
  QString Cell(int col, int row) const;
  void SetCell(int col, int row, const QString& text);
  // Cells set between BeginUpdate and EndUpdate (they nest) are painted
  // once at the end, and only those whose text then differs from the text
  // they had: a grid filled anew with the figures it shows paints nothing.
  void BeginUpdate() { ++updating_; }
  void EndUpdate();
  QStringList RowTexts(int row) const;  // ColCount texts
  void SetRowTexts(int row, const QStringList& texts);  // from column 0
  // A whole row at once, from column 0: the row becomes `cells` (cells past
  // its end are empty), so a row holds no more cells than it shows. Far
  // cheaper than a SetCell per cell for a grid filled with many rows.
  void SetRowCells(int row, std::vector<QString> cells);
  QStringList ColTexts(int col) const;  // RowCount texts
  void ClearCol(int col);
  void ClearRow(int row);
  void ClearCells();               // every cell; sizes stay
  void InsertRow(int row);         // an empty row before `row` (row == RowCount appends)
  void DeleteRow(int row);

  // --- current cell -------------------------------------------------------------
  int Col() const { return col_; }
  int Row() const { return row_; }
  bool SetCol(int col) { return MoveTo(col, row_, false); }
  bool SetRow(int row) { return MoveTo(col_, row, false); }
  bool SetCurrent(int col, int row) { return MoveTo(col, row, false); }

  // --- options and look ---------------------------------------------------------
  Options GridOptions() const { return options_; }
  void SetGridOptions(Options options);
  bool HasOption(Option o) const { return (options_ & o) != 0; }
  void SetOption(Option o, bool on);

  QColor Colour() const { return colour_; }
  void SetColour(const QColor& c);
  QColor FixedColour() const { return fixedColour_; }
  void SetFixedColour(const QColor& c);
  QColor GridLineColour() const { return lineColour_; }
  void SetGridLineColour(const QColor& c);
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool on);

  // --- editor -------------------------------------------------------------------
  bool EditorMode() const { return editing_; }
  void SetEditorMode(bool on);  // opens only with goEditing, enabled, on a data cell
  QLineEdit* InplaceEditor() const { return editor_; }

  // --- geometry and scrolling ---------------------------------------------------
  // Rectangle of a cell in viewport coordinates (as drawn when scrolled there);
  // empty for a hidden or invalid cell.
  QRect CellRect(int col, int row) const;
  bool CellVisible(int col, int row) const;  // entirely inside its part of the viewport
  // The cell under a viewport point; false when there is none.
  bool CellAt(const QPoint& viewportPos, int& col, int& row) const;
  int TopRow() const;   // first scrolling row shown
  void SetTopRow(int row);
  int LeftCol() const;  // first scrolling column shown
  void SetLeftCol(int col);
  int VisibleRowCount() const;  // scrolling rows that fit entirely
  void EnsureVisible(int col, int row);

  // --- pop-up menu ----------------------------------------------------------------
  void SetContextMenu(QMenu* menu) { menu_ = menu; }
  QMenu* ContextMenu() const { return menu_; }
  // The grid that last opened `menu` (nullptr when none did).
  static KvStringGrid* PopupComponent(const QMenu* menu);

  // Text drawn transparent on one line, vertically centred, inside the rect
  // narrowed by insetLeft/insetRight, aligned left, right or centre.
  static void DrawCellText(QPainter& p, const QRect& rect, const QString& text,
                           Qt::Alignment horizontal = Qt::AlignLeft, int insetLeft = 2,
                           int insetRight = 2);

  // --- events (single handlers, like the class library's properties) --------------
  std::function<void(KvStringGrid& grid, QPainter& p, int col, int row, const QRect& rect,
                     KvGridDrawState state)> OnDrawCell;
  std::function<void(KvStringGrid& grid, int col, int row, bool& canSelect)> OnSelectCell;
  std::function<void(KvStringGrid& grid, int& key, Qt::KeyboardModifiers modifiers)> OnKeyDown;
  std::function<void(KvStringGrid& grid, QChar& key)> OnKeyPress;
  std::function<void(KvStringGrid& grid, int col, int row, const QString& text)> OnSetEditText;
  std::function<void(KvStringGrid& grid)> OnClick;
  std::function<void(KvStringGrid& grid)> OnDblClick;
  std::function<void(KvStringGrid& grid)> OnTopLeftChanged;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void changeEvent(QEvent* e) override;
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  enum class Part { Fixed, ScrollCols, ScrollRows, Scroll };
  struct Resize {
    bool active = false;
    bool columns = true;
    int index = -1;
    int startPos = 0;
    int startSize = 0;
  };

  bool MoveTo(int col, int row, bool byUser);
  bool IsDataCell(int col, int row) const;
  void ClampCurrent();
  // After new fixed counts: the editor closed, the current cell on the first data cell.
  void ToFirstDataCell();
  int ViewX(int col) const;
  int ViewY(int row) const;
  int FixedWidth() const { return cols_.Pos(fixedCols_); }
  int FixedHeight() const { return rows_.Pos(fixedRows_); }
  void GeometryChanged();
  void UpdateScrollBars();
  void UpdateCell(int col, int row);
  void UpdateRow(int row);
  // The open editor's text set to its cell's text set from outside.
  void ShowInEditor(const QString& text);
  void PaintCell(QPainter& p, int col, int row, const QRect& rect);
  void PaintPart(QPainter& p, const QRect& clip, int firstCol, int lastCol, int firstRow,
                 int lastRow);
  bool HandleKey(QKeyEvent* e, bool fromEditor);
  bool Navigate(int key, Qt::KeyboardModifiers mods);
  int NextVisible(const KvGridAxis& axis, int from, int step, int first) const;
  void ShowEditor(bool selectAll);
  void HideEditor();
  void PlaceEditor();
  void EditorTextChanged(const QString& text);
  bool ResizeHit(const QPoint& pos, Resize& hit) const;
  bool HasFocusInside() const;
  template <class F>
  void Fire(const char* event, F&& call);

  KvGridAxis cols_{5, 64};
  KvGridAxis rows_{5, 24};
  int fixedCols_ = 1;
  int fixedRows_ = 1;
  int col_ = 1;
  int row_ = 1;
  std::vector<std::vector<QString>> cells_;  // by row; a row holds columns up to the last written
  Options options_ = kDefaultOptions;
  QColor colour_{Qt::white};
  QColor fixedColour_{0xF0, 0xF0, 0xF0};
  QColor lineColour_{0xC0, 0xC0, 0xC0};
  bool defaultDrawing_ = true;

  QLineEdit* editor_ = nullptr;
  bool editing_ = false;
  int updating_ = 0;
  // BeginUpdate: the cells set meanwhile, with the text each had before.
  std::map<std::pair<int, int>, QString> shownBefore_;
  bool loadingEditor_ = false;
  QString editOriginal_;
  QMenu* menu_ = nullptr;
  Resize resize_;
  bool pressedOnGrid_ = false;
  bool layoutPending_ = false;
  // Rows painted last time: cells written outside them need no repaint.
  int paintedFirstRow_ = 0;
  int paintedLastRow_ = -1;
};

}  // namespace kui
