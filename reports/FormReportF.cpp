#include "FormReportF.h"

#include "KvStringGrid.h"

TGridReportForm::TGridReportForm(int zoom, int firstRow) : firstRow_(firstRow) {
  QuickRep1.Page.Zoom = zoom;
  QuickRep1.OnBeforePrint = [this] { QuickRep1BeforePrint(); };
  QuickRep1.OnNeedData = [this] { return QuickRep1NeedData(); };
}

TGridReportForm::~TGridReportForm() = default;

QString TGridReportForm::GetCell(int col) const {
  if (!grid_ || col < 0 || col >= grid_->ColCount()) return {};
  return grid_->Cell(col, printRow_);
}

bool TGridReportForm::Preview(QWidget* parent) { return grid_ && QuickRep1.Preview(parent); }

void TGridReportForm::QuickRep1BeforePrint() {
  printRow_ = firstRow_ - 1;
  BeforePrint();
}

bool TGridReportForm::QuickRep1NeedData() {
  ++printRow_;
  if (!grid_ || printRow_ >= grid_->RowCount()) return false;
  for (const ColumnLabelMap& c : columns_) c.label->Caption = GetCell(c.col);
  StyleDetail(printRow_);
  return true;
}

kr::Label& TGridReportForm::AddColumnLabel(kr::Band& band, int col, const QString& name,
                                           const QRectF& geometry, kr::Alignment alignment) {
  kr::Label& label = band.AddLabel(name, geometry);
  label.Alignment = alignment;
  columns_.push_back({col, &label});
  return label;
}

kr::Label* TGridReportForm::ColumnLabel(const QString& name) const {
  for (const ColumnLabelMap& c : columns_)
    if (c.label->Name == name) return c.label;
  return nullptr;
}
