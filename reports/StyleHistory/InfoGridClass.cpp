#include "InfoGridClass.h"

#include "KvDb.h"
#include "KvStringGrid.h"

#include <vector>

const char* const TInfoGridClass::kLabels[kRows] = {
    "",          "Stock",    "Min Stock", "Max Stock",   "Ordered", "Delivered",    "On Order",
    "Trans Out", "Trans In", "Returned",  "Written Off", "Sales",   "Sales Between"};

void TInfoGridClass::Reset(bool localMode) {
  columns_.clear();
  grid_->SetColCount(2);
  grid_->SetRowCount(kRows);
  grid_->SetFixedRows(1);
  grid_->SetFixedCols(1);
  grid_->ClearCells();
  grid_->SetCurrent(1, 1);
  for (int row = 0; row < kRows; ++row) {
    grid_->SetCell(0, row, QLatin1String(kLabels[row]));
    grid_->SetRowHeight(row, localMode && row >= hrMinStock ? -1 : grid_->DefaultRowHeight());
  }
  grid_->SetColWidth(0, kLabelWidth);
}

void TInfoGridClass::AddSize(const QString& plu, const QString& sizeName) {
  const int col = SizeCount() + 1;
  // The sizes, and one empty column after them.
  grid_->SetColCount(col + 2);
  grid_->SetCell(col, 0, sizeName);
  grid_->ClearCol(col + 1);
  // A PLU listed twice keeps its first column.
  if (!columns_.contains(plu)) columns_.insert(plu, col);
}

void TInfoGridClass::Load(kdb::DataSet& rows, bool withSizes) {
  kdb::Field& plu = rows.FieldByName("plu");
  kdb::Field* sizeName = withSizes ? &rows.FieldByName("size_name") : nullptr;
  std::vector<std::pair<int, kdb::Field*>> figures;
  for (const THistoryFigure& f : THistorySQLClass::Figures())
    if (kdb::Field* field = rows.FindField(QLatin1String(f.alias))) figures.emplace_back(f.row, field);
  for (rows.First(); !rows.Eof(); rows.Next()) {
    const QString p = plu.AsString();
    if (sizeName) AddSize(p, sizeName->AsString());
    for (const auto& [row, field] : figures) SetFigure(row, p, field->AsString());
  }
  UpdateOnOrder();
}

void TInfoGridClass::SetFigure(int row, const QString& plu, const QString& text) {
  const int col = ColumnOf(plu);
  if (col >= 0) grid_->SetCell(col, row, text);
}

void TInfoGridClass::UpdateOnOrder() {
  for (int col = 1; col + 1 < grid_->ColCount(); ++col) {
    const qint64 onOrder = grid_->Cell(col, hrOrdered).toLongLong() - grid_->Cell(col, hrDelivered).toLongLong();
    grid_->SetCell(col, hrOnOrder, onOrder > 0 ? QString::number(onOrder) : QString());
  }
}

void TInfoGridClass::FillRow(int row, const QString& text) {
  for (int col = 1; col < grid_->ColCount(); ++col) grid_->SetCell(col, row, text);
}

void TInfoGridClass::Clear() {
  for (int row = 1; row < kRows; ++row) FillRow(row, QString());
}

void TInfoGridClass::ClearRow(int row) { FillRow(row, QString()); }

void TInfoGridClass::MarkFailed(int row) {
  // The empty column after the sizes stays empty.
  for (int col = 1; col + 1 < grid_->ColCount(); ++col) grid_->SetCell(col, row, QLatin1String(kFailed));
}
