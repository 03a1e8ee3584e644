// The prices page: layout, wiring and handlers, with the TForm1 entry points
// of those handlers.
#include "PLUPricesPageF.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "DataModF.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ListGridClass.h"
#include "PLUCodesClass.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"

namespace {

using C = TPLUCodesClass;

constexpr char kApplyWhere[] = "TForm1::SpButApplyPricesClick";

const TListPage::Column kColumns[C::pcColumns] = {
    {"PLU", 96},        {"Root PLU", 80},     {"Colour", 128},     {"Size", 96}, {"Cost Price", 96},
    {"Retail Price", 96}, {"Sale Price", 96}, {"Wholesale", 96}, {"", -1}};

// The money columns of the grid and of PRODUCTS, with what a typed text
// that is no number is called (none for the sale price, which reads as 0).
struct PriceColumn {
  int col;
  const char* field;
  const char* refusal;
};

const PriceColumn kPrices[] = {{C::pcCost, "CURRENT_COST_PRICE", "Cost Price is not a valid number."},
                               {C::pcRetail, "RETAIL_PRICE", "Retail Price is not a valid number."},
                               {C::pcSale, "SALEPRICE", nullptr},
                               {C::pcWholesale, "WHOLESALE_PRICE", "Wholesale Price is not a valid number."}};

}  // namespace

// ----- TForm1 entry points ------------------------------------------------------------------

void TForm1::SpButTabPricesClick() { PricesPage->Open(); }
void TForm1::SpButApplyPricesClick() { PricesPage->Apply(); }
void TForm1::SpButPricesSmartCopyClick() { PricesPage->SmartCopy(); }

void TForm1::SGridPricesDrawCell(kui::KvStringGrid& grid, QPainter& painter, int col, int row, const QRect& rect,
                                 kui::KvGridDrawState state) {
  TListGridClass::Paint(painter, grid, col, row, rect, state, {C::pcColourValue, C::pcCost, C::pcWholesale});
}

void TForm1::SGridPricesKeyPress(kui::KvStringGrid& grid, QChar& key) {
  if (key != QChar('\r')) return;
  int col = grid.Col(), row = grid.Row();
  TListGridClass::AcrossAfterEnter(col, row, C::pcCost, C::pcWholesale, grid.FixedRows(), grid.RowCount());
  TListGridClass::MoveAfterEnter(grid, col, row);
  key = QChar();
}

// ----- TPLUPricesPage -----------------------------------------------------------------------

TPLUPricesPage::TPLUPricesPage(TForm1& form)
    : TListPage(form, "TabShPrices", "Size Level Pricing", "PanelPricesStyle", "SGridPrices", C::kFixedCols,
                "SpButApplyPrices") {
  SpButBSPrices = skui::MakeButton(Sheet, "SpButBSPrices", "Branch Prices", 120);
  SpButPricesSmartCopy = skui::MakeButton(Sheet, "SpButPricesSmartCopy", "Smart Copy", 100);
  const int beforeApply = Top->indexOf(ApplyButton);
  Top->insertWidget(beforeApply, SpButPricesSmartCopy);
  Top->insertWidget(beforeApply, SpButBSPrices);
  Grid->InplaceEditor()->setMaxLength(C::kPriceLength);
  Grid->OnDrawCell = [&form](kui::KvStringGrid& g, QPainter& p, int c, int r, const QRect& rect,
                             kui::KvGridDrawState s) { form.SGridPricesDrawCell(g, p, c, r, rect, s); };
  Grid->OnKeyPress = [&form](kui::KvStringGrid& g, QChar& key) {
    form.Guard("TForm1::SGridPricesKeyPress", [&] { form.SGridPricesKeyPress(g, key); });
  };
  OnClick(SpButBSPrices, "TForm1::SpButBSPricesClick", [&form] { form.SpButBSPricesClick(); });
  OnClick(ApplyButton, kApplyWhere, [&form] { form.SpButApplyPricesClick(); });
  OnClick(SpButPricesSmartCopy, "TForm1::SpButPricesSmartCopyClick", [&form] { form.SpButPricesSmartCopyClick(); });
}

void TPLUPricesPage::Open() {
  const QString style = Form.EditSupplierStyle->text();
  {
    kui::KvBusyGuard busy(&Form, "Please wait...");
    StylePanel->setText(style);
    ResetGrid(kColumns);
    kdb::Query& q = Read(C::PricesSQL(style), DMDB->DBQueryRemote1, "The prices of style " + style + " could not be read.");
    for (q.First(); !q.Eof(); q.Next()) {
      const QString plu = q.FieldByName("plu").AsString();
      const auto price = [&q](const char* field) { return C::PriceText(q.FieldByName(field).AsCurrency()); };
      TPageSaveClass::KeptRow kept;
      for (const PriceColumn& p : kPrices) {
        kept.base.Capture(q, {p.field});
        kept.base.SetCaption(p.field, QString(kColumns[p.col].header) + " of PLU " + plu);
      }
      kept.key = plu;
      KeepRow({plu, q.FieldByName("root_plu").AsString(), q.FieldByName("colour_name").AsString(),
               q.FieldByName("size_name").AsString(), price("current_cost_price"), price("retail_price"),
               price("saleprice"), price("wholesale_price"), q.FieldByName("colour_value").AsString()},
              std::move(kept));
    }
    ShowAt(C::pcCost);
  }
  Grid->setFocus();
}

void TPLUPricesPage::Apply() {
  Grid->SetEditorMode(false);
  // Every row is checked before anything is written.
  for (int row = 1; row < Grid->RowCount(); ++row)
    for (const PriceColumn& p : kPrices)
      if (p.refusal && !C::Price(Grid->Cell(p.col, row))) {
        DMDB->ShowMessage(p.refusal);
        Grid->SetCurrent(p.col, row);
        Grid->setFocus();
        return;
      }
  // Written to the penny and shown as written.
  std::vector<Editable> columns;
  for (const PriceColumn& p : kPrices)
    columns.push_back({p.col, p.field, [sale = !p.refusal](QString& text) {
                         const Currency value = sale ? C::SalePrice(text) : *C::Price(text);
                         text = C::PriceText(value);
                         return QVariant::fromValue(value);
                       }});
  SaveRows({"Saving please wait...", "PRODUCTS", kApplyWhere, "The prices", "Prices saved successfuly!", {}},
           [&](int i, kdb::Table& table, kui::KvBusyGuard&) { EditChangedColumns(i, table, columns); });
}

void TPLUPricesPage::SmartCopy() {
  Grid->SetEditorMode(false);
  TStringGridCells cells(*Grid);
  TListGridClass::SmartCopy(cells, C::pcPLU, C::pcCost, C::pcWholesale);
}
