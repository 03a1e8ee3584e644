// The external codes page: layout, wiring and handlers, with the TForm1
// entry points of those handlers. The page's drawing and Enter serve the
// options and charges grids too.
#include "ExtCodesPageF.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "DataModF.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ListGridClass.h"
#include "PLUCodesClass.h"
#include "StyleKeeperForm.h"

namespace {

using C = TPLUCodesClass;

constexpr char kApplyWhere[] = "TForm1::SpButApplyExtCodesClick";

const TListPage::Column kColumns[C::ecColumns] = {{"PLU", 96},       {"Root PLU", 80}, {"Colour", 128},
                                                  {"Size", 96},      {"External", 200}, {"SKU", 200},
                                                  {"", -1}};

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

TExtCodesPage::TExtCodesPage(TForm1& form)
    : TListPage(form, "TabShExtBCodes", "External Barcodes", "PanelExternalStyle", "SGridExtCode", C::kFixedCols,
                "SpButApplyExtCodes") {
  Grid->InplaceEditor()->setMaxLength(C::kCodeLength);
  Grid->OnDrawCell = [&form](kui::KvStringGrid& g, QPainter& p, int c, int r, const QRect& rect,
                             kui::KvGridDrawState s) { form.SGridExtCodeDrawCell(g, p, c, r, rect, s); };
  Grid->OnKeyPress = [&form](kui::KvStringGrid& g, QChar& key) {
    form.Guard("TForm1::SGridExtCodeKeyPress", [&] { form.SGridExtCodeKeyPress(g, key); });
  };
  OnClick(ApplyButton, kApplyWhere, [&form] { form.SpButApplyExtCodesClick(); });
}

void TExtCodesPage::Open() {
  const QString style = Form.EditSupplierStyle->text();
  {
    kui::KvBusyGuard busy(&Form, "Please wait...");
    StylePanel->setText(style);
    ResetGrid(kColumns);
    kdb::Query& q = Read(C::ExtCodesSQL(style), DMDB->DBQueryRemote1, "The PLUs of style " + style + " could not be read.");
    for (q.First(); !q.Eof(); q.Next()) {
      const QString plu = q.FieldByName("plu").AsString();
      TPageSaveClass::KeptRow kept;
      kept.base.Capture(q, {"EXTERNAL_BARCODE", "SKU"});
      kept.base.SetCaption("EXTERNAL_BARCODE", "The external code of PLU " + plu);
      kept.base.SetCaption("SKU", "The SKU of PLU " + plu);
      kept.key = plu;
      KeepRow({plu, q.FieldByName("root_plu").AsString(), q.FieldByName("colour_name").AsString(),
               q.FieldByName("size_name").AsString(), q.FieldByName("external_barcode").AsString(),
               q.FieldByName("sku").AsString(), q.FieldByName("colour_value").AsString()},
              std::move(kept));
    }
    ShowAt(C::ecExternal);
  }
  Grid->setFocus();
}

void TExtCodesPage::Apply() {
  if (!ApplyButton->isEnabled()) return;
  // A second click waits for the button; the window waits for the save.
  ApplyButton->setEnabled(false);
  struct Reenable {
    QToolButton* button;
    ~Reenable() { button->setEnabled(true); }
  } reenable{ApplyButton};
  // Only what the user typed is written, without its outer blanks (a SKU
  // in capitals), and shown as written.
  const std::vector<Editable> columns = {
      {C::ecExternal, "EXTERNAL_BARCODE", [](QString& text) { return QVariant(text = C::ExternalCode(text)); }},
      {C::ecSKU, "SKU", [](QString& text) { return QVariant(text = C::SKU(text)); }}};
  SaveRows({"Saving please wait...", "PRODUCTS", kApplyWhere, "The external barcodes",
            "External Barcodes saved successfuly!", {}},
           [&](int i, kdb::Table& table, kui::KvBusyGuard&) { EditChangedColumns(i, table, columns); });
}
