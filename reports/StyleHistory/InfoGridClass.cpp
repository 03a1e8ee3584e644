#include "InfoGridClass.h"

#include "KvStringGrid.h"

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

void TInfoGridClass::FillRow(int row, const QString& text) {
  for (int col = 1; col < grid_->ColCount(); ++col) grid_->SetCell(col, row, text);
}

void TInfoGridClass::Clear() {
  for (int row = 1; row < kRows; ++row) FillRow(row, QString());
}

void TInfoGridClass::ClearRow(int row) { FillRow(row, QString()); }

void TInfoGridClass::Place(int kind, const QString& plu, const QString& q1, const QString& q2) {
  const int col = ColumnOf(plu);
  if (col < 0) return;
  if (kind != hrOrdered) {
    grid_->SetCell(col, kind, q1);
    return;
  }
  grid_->SetCell(col, hrOrdered, q1);
  grid_->SetCell(col, hrDelivered, q2);
  const qint64 onOrder = q1.toLongLong() - q2.toLongLong();
  grid_->SetCell(col, hrOnOrder, onOrder > 0 ? QString::number(onOrder) : QString());
}

void TInfoGridClass::MarkFailed(int kind) {
  const int last = grid_->ColCount() - 2;  // the empty column stays empty
  for (int col = 1; col <= last; ++col) {
    grid_->SetCell(col, kind, QLatin1String(kFailed));
    if (kind == hrOrdered) {
      grid_->SetCell(col, hrDelivered, QLatin1String(kFailed));
      grid_->SetCell(col, hrOnOrder, QLatin1String(kFailed));
    }
  }
}
