// The prices page: layout, wiring and handlers, with the TForm1 entry points
// of those handlers.
#include "PLUPricesPageF.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

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

struct Column {
  const char* header;
  int width;
};

const Column kColumns[C::pcColumns] = {{"PLU", 96},         {"Root PLU", 80},     {"Colour", 128},
                                       {"Size", 96},        {"Cost Price", 96},   {"Retail Price", 96},
                                       {"Sale Price", 96},  {"Wholesale", 96},    {"", -1}};

// The money columns of the grid and of PRODUCTS, with what a typed text
// that is no number is called ("" for the sale price, which reads as 0).
struct PriceColumn {
  int col;
  const char* field;
  const char* refusal;
};

const PriceColumn kPrices[] = {{C::pcCost, "CURRENT_COST_PRICE", "Cost Price is not a valid number."},
                               {C::pcRetail, "RETAIL_PRICE", "Retail Price is not a valid number."},
                               {C::pcSale, "SALEPRICE", ""},
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

TPLUPricesPage::TPLUPricesPage(TForm1& form) : TFormPart(form, "TabShPrices", "Size Level Pricing") {
  auto* top = new QHBoxLayout;
  PanelPricesStyle = skui::MakePanel(Sheet, "PanelPricesStyle", QString());
  PanelPricesStyle->setMinimumWidth(200);
  top->addWidget(skui::MakeLabel(Sheet, nullptr, "Style:"));
  top->addWidget(PanelPricesStyle);
  top->addStretch(1);
  SpButBSPrices = skui::MakeButton(Sheet, "SpButBSPrices", "Branch Prices", 120);
  SpButPricesSmartCopy = skui::MakeButton(Sheet, "SpButPricesSmartCopy", "Smart Copy", 100);
  SpButApplyPrices = skui::MakeButton(Sheet, "SpButApplyPrices", "Apply", 90);
  for (QToolButton* b : {SpButBSPrices, SpButPricesSmartCopy, SpButApplyPrices}) top->addWidget(b);
  SheetLayout()->addLayout(top);

  SGridPrices = new kui::KvStringGrid(Sheet);
  SGridPrices->setObjectName("SGridPrices");
  TListGridClass::Look(*SGridPrices, C::kFixedCols);
  SGridPrices->InplaceEditor()->setMaxLength(C::kPriceLength);
  SheetLayout()->addWidget(SGridPrices, 1);

  SGridPrices->OnDrawCell = [&form](kui::KvStringGrid& g, QPainter& p, int c, int r, const QRect& rect,
                                    kui::KvGridDrawState s) { form.SGridPricesDrawCell(g, p, c, r, rect, s); };
  SGridPrices->OnKeyPress = [&form](kui::KvStringGrid& g, QChar& key) {
    form.Guard("TForm1::SGridPricesKeyPress", [&] { form.SGridPricesKeyPress(g, key); });
  };
  OnClick(form.SpButTabPrices, "TForm1::SpButTabPricesClick", [&form] { form.SpButTabPricesClick(); });
  OnClick(SpButApplyPrices, kApplyWhere, [&form] { form.SpButApplyPricesClick(); });
  OnClick(SpButPricesSmartCopy, "TForm1::SpButPricesSmartCopyClick", [&form] { form.SpButPricesSmartCopyClick(); });
}

void TPLUPricesPage::Open() {
  const QString style = Form.EditSupplierStyle->text();
  {
    kui::KvBusyGuard busy(&Form, "Please wait...");
    PanelPricesStyle->setText(style);
    rows_.clear();
    kui::KvStringGrid* g = SGridPrices;
    g->ClearCells();
    g->SetColCount(C::pcColumns);
    g->SetRowCount(1);
    for (int col = 0; col < C::pcColumns; ++col) {
      g->SetCell(col, 0, kColumns[col].header);
      g->SetColWidth(col, kColumns[col].width);
    }
    kdb::Query* q = DMDB->DBQueryRemote1;
    if (!DMDB->RunQuery(C::PricesSQL(style), q))
      throw kdb::DbError("The prices of style " + style + " could not be read.");
    g->SetRowCount(q->RecordCount() + 1);
    int row = 1;
    for (q->First(); !q->Eof(); q->Next(), ++row) {
      const QString plu = q->FieldByName("plu").AsString();
      const auto price = [q](const char* field) { return C::PriceText(q->FieldByName(field).AsCurrency()); };
      g->SetRowTexts(row, {plu, q->FieldByName("root_plu").AsString(), q->FieldByName("colour_name").AsString(),
                           q->FieldByName("size_name").AsString(), price("current_cost_price"),
                           price("retail_price"), price("saleprice"), price("wholesale_price"),
                           q->FieldByName("colour_value").AsString()});
      TPageSaveClass::KeptRow kept;
      for (const PriceColumn& p : kPrices) {
        kept.base.Capture(*q, {p.field});
        kept.base.SetCaption(p.field, QString(kColumns[p.col].header) + " of PLU " + plu);
      }
      kept.texts = g->RowTexts(row);
      kept.key = plu;
      rows_.push_back(std::move(kept));
    }
    ShowSheet();
    g->SetCurrent(C::pcCost, 1);
  }
  SGridPrices->setFocus();
}

void TPLUPricesPage::Apply() {
  kui::KvStringGrid* g = SGridPrices;
  g->SetEditorMode(false);
  // Every row is checked before anything is written.
  for (int row = 1; row < g->RowCount(); ++row)
    for (const PriceColumn& p : kPrices)
      if (*p.refusal && !C::Price(g->Cell(p.col, row))) {
        DMDB->ShowMessage(p.refusal);
        g->SetCurrent(p.col, row);
        g->setFocus();
        return;
      }

  TPageSaveClass::Outcome outcome;
  {
    kui::KvBusyGuard busy(&Form, "Saving please wait...");
    kdb::Table& table = *DMDB->DBTableR1;
    if (!DMDB->GetTable("PRODUCTS", &table)) throw kdb::DbError("The table PRODUCTS could not be opened.");
    TPageSaveClass save(*DMDB->DBDatabaseRemote, kApplyWhere);
    outcome = save.RunKeeping(rows_, static_cast<int>(rows_.size()), [&](int i) {
      const int row = i + 1;
      TPageSaveClass::KeptRow& kept = rows_[size_t(i)];
      TPageSaveClass::Values shown;
      for (const PriceColumn& p : kPrices) {
        if (!kept.Changed(p.col, g->Cell(p.col, row))) continue;
        const Currency value = *p.refusal ? *C::Price(g->Cell(p.col, row)) : C::SalePrice(g->Cell(p.col, row));
        g->SetCell(p.col, row, C::PriceText(value));  // shown as written
        shown.emplace_back(p.field, QVariant::fromValue(value));
      }
      if (shown.empty()) return;
      TPageSaveClass::EditRow(table, kept.key, kept.base, shown, "PLU " + kept.key.toString());
    });
    if (outcome.Saved())
      for (size_t i = 0; i < rows_.size(); ++i) rows_[i].texts = g->RowTexts(int(i) + 1);
  }
  if (!outcome.Saved()) {
    DMDB->ShowMessage(TPageSaveClass::FailureText("The prices", outcome));
    return;
  }
  DMDB->ShowMessage("Prices saved successfuly!");
}

void TPLUPricesPage::SmartCopy() {
  SGridPrices->SetEditorMode(false);
  TStringGridCells cells(*SGridPrices);
  TListGridClass::SmartCopy(cells, C::pcPLU, C::pcCost, C::pcWholesale);
}
