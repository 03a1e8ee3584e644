// The external codes page: layout, wiring and handlers, with the TForm1
// entry points of those handlers. The page's drawing and Enter serve the
// options and charges grids too.
#include "ExtCodesPageF.h"

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

constexpr char kApplyWhere[] = "TForm1::SpButApplyExtCodesClick";

struct Column {
  const char* header;
  int width;
};

const Column kColumns[C::ecColumns] = {{"PLU", 96},     {"Root PLU", 80},  {"Colour", 128}, {"Size", 96},
                                       {"External", 200}, {"SKU", 200}, {"", -1}};

}  // namespace

// ----- TForm1 entry points ------------------------------------------------------------------

void TForm1::SpButTabExternalClick() { ExtCodesPage->Open(); }
void TForm1::SpButApplyExtCodesClick() { ExtCodesPage->Apply(); }

void TForm1::SGridExtCodeDrawCell(kui::KvStringGrid& grid, QPainter& painter, int col, int row, const QRect& rect,
                                  kui::KvGridDrawState state) {
  // The options and charges grids have no colour column: their column 2
  // stays white.
  TListGridClass::Paint(painter, grid, col, row, rect, state, {C::ecColourValue, 1, 0});
}

void TForm1::SGridExtCodeKeyPress(kui::KvStringGrid& grid, QChar& key) {
  if (key != QChar('\r')) return;
  int row = grid.Row();
  TListGridClass::DownAfterEnter(row, grid.FixedRows(), grid.RowCount());
  TListGridClass::MoveAfterEnter(grid, grid.Col(), row);
  key = QChar();
}

// ----- TExtCodesPage ------------------------------------------------------------------------

TExtCodesPage::TExtCodesPage(TForm1& form) : TFormPart(form, "TabShExtBCodes", "External Barcodes") {
  auto* top = new QHBoxLayout;
  PanelExternalStyle = skui::MakePanel(Sheet, "PanelExternalStyle", QString());
  PanelExternalStyle->setMinimumWidth(200);
  top->addWidget(skui::MakeLabel(Sheet, nullptr, "Style:"));
  top->addWidget(PanelExternalStyle);
  top->addStretch(1);
  SpButApplyExtCodes = skui::MakeButton(Sheet, "SpButApplyExtCodes", "Apply", 90);
  top->addWidget(SpButApplyExtCodes);
  SheetLayout()->addLayout(top);

  SGridExtCode = new kui::KvStringGrid(Sheet);
  SGridExtCode->setObjectName("SGridExtCode");
  TListGridClass::Look(*SGridExtCode, C::kFixedCols);
  SGridExtCode->InplaceEditor()->setMaxLength(C::kCodeLength);
  SheetLayout()->addWidget(SGridExtCode, 1);

  SGridExtCode->OnDrawCell = [&form](kui::KvStringGrid& g, QPainter& p, int c, int r, const QRect& rect,
                                     kui::KvGridDrawState s) { form.SGridExtCodeDrawCell(g, p, c, r, rect, s); };
  SGridExtCode->OnKeyPress = [&form](kui::KvStringGrid& g, QChar& key) {
    form.Guard("TForm1::SGridExtCodeKeyPress", [&] { form.SGridExtCodeKeyPress(g, key); });
  };
  OnClick(form.SpButTabExternal, "TForm1::SpButTabExternalClick", [&form] { form.SpButTabExternalClick(); });
  OnClick(SpButApplyExtCodes, kApplyWhere, [&form] { form.SpButApplyExtCodesClick(); });
}

void TExtCodesPage::Open() {
  const QString style = Form.EditSupplierStyle->text();
  {
    kui::KvBusyGuard busy(&Form, "Please wait...");
    PanelExternalStyle->setText(style);
    rows_.clear();
    kui::KvStringGrid* g = SGridExtCode;
    g->ClearCells();
    g->SetColCount(C::ecColumns);
    g->SetRowCount(1);
    for (int col = 0; col < C::ecColumns; ++col) {
      g->SetCell(col, 0, kColumns[col].header);
      g->SetColWidth(col, kColumns[col].width);
    }
    kdb::Query* q = DMDB->DBQueryRemote1;
    if (!DMDB->RunQuery(C::ExtCodesSQL(style), q))
      throw kdb::DbError("The PLUs of style " + style + " could not be read.");
    g->SetRowCount(q->RecordCount() + 1);
    int row = 1;
    for (q->First(); !q->Eof(); q->Next(), ++row) {
      const QString plu = q->FieldByName("plu").AsString();
      g->SetRowTexts(row, {plu, q->FieldByName("root_plu").AsString(), q->FieldByName("colour_name").AsString(),
                           q->FieldByName("size_name").AsString(), q->FieldByName("external_barcode").AsString(),
                           q->FieldByName("sku").AsString(), q->FieldByName("colour_value").AsString()});
      TPageSaveClass::KeptRow kept;
      kept.base.Capture(*q, {"EXTERNAL_BARCODE", "SKU"});
      kept.base.SetCaption("EXTERNAL_BARCODE", "The external code of PLU " + plu);
      kept.base.SetCaption("SKU", "The SKU of PLU " + plu);
      kept.texts = g->RowTexts(row);
      kept.key = plu;
      rows_.push_back(std::move(kept));
    }
    ShowSheet();
    g->SetCurrent(C::ecExternal, 1);
  }
  SGridExtCode->setFocus();
}

void TExtCodesPage::Apply() {
  if (!SpButApplyExtCodes->isEnabled()) return;
  kui::KvStringGrid* g = SGridExtCode;
  TPageSaveClass::Outcome outcome;
  {
    // A second click waits for the button; the window waits for the save.
    SpButApplyExtCodes->setEnabled(false);
    struct Reenable {
      QToolButton* button;
      ~Reenable() { button->setEnabled(true); }
    } reenable{SpButApplyExtCodes};
    kui::KvBusyGuard busy(&Form, "Saving please wait...");
    g->SetEditorMode(false);
    kdb::Table& table = *DMDB->DBTableR1;
    if (!DMDB->GetTable("PRODUCTS", &table)) throw kdb::DbError("The table PRODUCTS could not be opened.");
    TPageSaveClass save(*DMDB->DBDatabaseRemote, kApplyWhere);
    outcome = save.RunKeeping(rows_, static_cast<int>(rows_.size()), [&](int i) {
      const int row = i + 1;
      TPageSaveClass::KeptRow& kept = rows_[size_t(i)];
      TPageSaveClass::Values shown;
      // Only what the user typed is written; it is shown as it is written.
      if (kept.Changed(C::ecExternal, g->Cell(C::ecExternal, row))) {
        g->SetCell(C::ecExternal, row, C::ExternalCode(g->Cell(C::ecExternal, row)));
        shown.emplace_back("EXTERNAL_BARCODE", g->Cell(C::ecExternal, row));
      }
      if (kept.Changed(C::ecSKU, g->Cell(C::ecSKU, row))) {
        g->SetCell(C::ecSKU, row, C::SKU(g->Cell(C::ecSKU, row)));
        shown.emplace_back("SKU", g->Cell(C::ecSKU, row));
      }
      if (shown.empty()) return;
      TPageSaveClass::EditRow(table, kept.key, kept.base, shown, "PLU " + kept.key.toString());
    });
    if (outcome.Saved())
      for (size_t i = 0; i < rows_.size(); ++i) rows_[i].texts = g->RowTexts(int(i) + 1);
  }
  if (!outcome.Saved()) {
    DMDB->ShowMessage(TPageSaveClass::FailureText("The external barcodes", outcome));
    return;
  }
  DMDB->ShowMessage("External Barcodes saved successfuly!");
}
