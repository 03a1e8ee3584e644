#include "ColourSizeViewClass.h"

#include <QPainter>

#include "KuiColour.h"
#include "Utils.h"

namespace {
using SG = TColourSizeGridClass;

// Keeps a grid's view among the grid's children, so it goes with the grid.
class ViewHolder : public QObject {
 public:
  ViewHolder(kui::KvStringGrid* grid, TColourSizeViewClass::Values values) : QObject(grid), View(grid, values) {}
  TColourSizeViewClass View;
};
}  // namespace

TColourSizeViewClass& TColourSizeViewClass::Of(kui::KvStringGrid* grid, Values values) {
  for (QObject* child : grid->children())
    if (auto* holder = dynamic_cast<ViewHolder*>(child)) return holder->View;
  return (new ViewHolder(grid, values))->View;
}

TColourSizeViewClass::TColourSizeViewClass(kui::KvStringGrid* grid, Values values) : Grid(grid), Kind(values) {
  Grid->setFrameShape(QFrame::NoFrame);
  Grid->SetFixedColour(kui::BgrColour(kFixedColour));
  Grid->SetGridOptions(kui::KvStringGrid::kDefaultOptions | kui::KvStringGrid::goColSizing |
                       kui::KvStringGrid::goRowSizing | kui::KvStringGrid::goEditing);
  Grid->SetDefaultDrawing(false);
}

void TColourSizeViewClass::Reset(int colCount, int rowCount) {
  Grid->ClearCells();
  Grid->SetColCount(colCount);
  Grid->SetRowCount(rowCount);
  Grid->SetFixedCols(SG::kFirstSizeCol);
  Grid->SetFixedRows(1);
}

void TColourSizeViewClass::Layout(const std::vector<SG::Colour>& colours, const QStringList& sizeNames) {
  Model.Layout(colours, sizeNames);
  Grid->SetDefaultColWidth(kSizeWidth);
  Grid->SetColWidth(SG::kRootPLUCol, -1);
  Grid->SetColWidth(SG::kColourValueCol, -1);
  Grid->SetColWidth(SG::kColourNameCol, kNameWidth);
  Grid->SetColWidth(Model.TotalsCol(), kTotalsWidth);
}

void TColourSizeViewClass::SumTotals() {
  if (Kind == Values::Prices)
    Model.SumPrices();
  else
    Model.SumQuantities();
}

QString TColourSizeViewClass::ShownText(int col, int row) const {
  const QString text = Cell(col, row);
  if (Kind == Values::Prices && row > 0 && col >= SG::kFirstSizeCol && !text.isEmpty())
    return SG::FormatPriceText(text);
  return text;
}

quint32 TColourSizeViewClass::Background(int col, int row, kui::KvGridDrawState state) const {
  if (state.selected || state.focused) return kSelectedColour;
  if (row > 0 && col == SG::kColourNameCol)
    return kui::ToBgr(kui::BgrColourOr(Cell(SG::kColourValueCol, row), Qt::white));
  const bool fixed = col < SG::kFirstSizeCol || row == 0;
  if (fixed) return kui::ToBgr(Grid->FixedColour());
  const QString text = Cell(col, row);
  if (text.isEmpty()) return SG::kWhite;
  return Kind == Values::Prices ? SG::PriceCellColour(text) : SG::QuantityCellColour(SG::QuantityOf(text));
}

void TColourSizeViewClass::DrawCell(QPainter& p, int col, int row, const QRect& rect,
                                    kui::KvGridDrawState state) const {
  const quint32 back = Background(col, row, state);
  const bool nameOnColour = row > 0 && col == SG::kColourNameCol && !state.selected && !state.focused;
  const quint32 fore = nameOnColour ? static_cast<quint32>(kos::ContrastTextColour(static_cast<int>(back))) : 0;
  QFont font = p.font();
  font.setBold(row == 0);
  p.setFont(font);
  p.fillRect(rect, kui::BgrColour(back));
  p.setPen(kui::BgrColour(fore));
  kui::KvStringGrid::DrawCellText(p, rect, ShownText(col, row),
                                  col < SG::kFirstSizeCol ? Qt::AlignLeft : Qt::AlignRight, 1, 2);
}

void TColourSizeViewClass::SelectCell(int col, int row, bool& canSelect) {
  canSelect = Model.CanSelect(col, row);
  // A read-only grid's cells are never rewritten: blank cells of figures
  // that could not be read stay blank, not zeros that look read.
  if (!Editable()) return;
  if (canSelect && Kind == Values::Prices && Model.IsSizeCell(col, row))
    SetCell(col, row, SG::FormatPriceText(Cell(col, row)));
  SumTotals();
}

void TColourSizeViewClass::KeyPress(QChar& key) {
  const bool editable = Editable();  // see SelectCell
  if (editable) SumTotals();
  if (key == QChar('\b')) return;
  const int col = Grid->Col(), row = Grid->Row();
  if (key == QChar('\r')) {
    const QString text = Cell(col, row);
    if (editable)
      SetCell(col, row, Kind == Values::Prices ? SG::FormatPriceText(text)
                                               : QString::number(SG::QuantityOf(text)));
    int nextCol = col, nextRow = row;
    Model.NextCellAfterEnter(nextCol, nextRow);
    Grid->SetCurrent(nextCol, nextRow);
    key = QChar();
    return;
  }
  const bool passes = Kind == Values::Prices ? SG::PriceKeyPasses(Cell(col, row), key)
                                             : SG::QuantityKeyPasses(key);
  if (!passes) key = QChar();
}
