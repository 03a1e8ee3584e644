#include "StyleGridClass.h"

#include "Format.h"
#include "KvDb.h"
#include "KvStringGrid.h"
#include "StyleFiguresClass.h"

namespace {

QString Money(Currency value) { return kos::FormatFloat(QStringLiteral("0.00"), value); }
QString Number(double value) { return kos::FormatFloat(QStringLiteral("0.00"), value); }

}  // namespace

const char* const TStyleGridClass::kLabels[kRows] = {
    "",         "Supplier",   "Style",        "Style Ref", "Colour",
    "Season",   "Brand",      "Description",  "Category",  "Department",
    "Sub-Dept", "Cost Price", "Retail Price", "VAT Rate",  "Before VAT",
    "Profit",   "Margin",     "Markup",       "Created",   "Root PLU"};

void TStyleGridClass::Reset() {
  grid_->SetColCount(2);
  grid_->SetRowCount(kRows);
  grid_->SetFixedRows(1);
  grid_->SetFixedCols(1);
  grid_->ClearCells();
  for (int row = 0; row < kRows; ++row) grid_->SetCell(0, row, QLatin1String(kLabels[row]));
  grid_->SetColWidth(0, kLabelWidth);
  grid_->SetColWidth(1, kColourWidth);
  grid_->SetCurrent(1, 1);
}

void TStyleGridClass::SetColours(int count) { grid_->SetColCount(count + 1); }

QStringList TStyleGridClass::ColourTexts(kdb::DataSet& row) {
  const auto text = [&row](const char* field) { return row.FieldByName(QLatin1String(field)).AsString(); };
  const TStyleFigures f = TStyleFiguresClass::Calc(row.FieldByName("current_cost_price").AsCurrency(),
                                                   row.FieldByName("retail_price").AsCurrency(),
                                                   static_cast<float>(row.FieldByName("vat_rate").AsFloat()));
  return {text("colour_value"),
          text("supplier_name"),
          text("style"),
          text("style_ref"),
          text("colour_name"),
          text("season_name"),
          text("brandlabel_name"),
          text("description"),
          text("category_name"),
          text("department_name"),
          text("subdepartment_name"),
          Money(f.Cost),
          Money(f.Retail),
          Number(f.VATRate),
          Money(f.BeforeVAT),
          Money(f.Profit),
          Number(f.Margin),
          Number(f.Markup),
          text("date_created"),
          text("root_plu")};
}

void TStyleGridClass::FillColour(int col, kdb::DataSet& row) {
  // Every colour column is as wide as the first.
  grid_->SetColWidth(col, grid_->ColWidth(1));
  const QStringList cells = ColourTexts(row);
  for (int r = 0; r < kRows; ++r) grid_->SetCell(col, r, cells[r]);
}
