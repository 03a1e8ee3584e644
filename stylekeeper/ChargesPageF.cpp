// The style charges page: layout, wiring and handlers, with the TForm1
// entry points of those handlers. The grid is drawn as the external codes
// grid is (ExtCodesPageF).
#include "ChargesPageF.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <optional>
#include <tuple>

#include "ColourSizeGridClass.h"
#include "DataModF.h"
#include "Format.h"
#include "InfoPageF.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ListGridClass.h"
#include "PLUCodesClass.h"
#include "QuantityPageF.h"
#include "StyleExtrasClass.h"
#include "StyleKeeperForm.h"

namespace {

using X = TStyleExtrasClass;

constexpr char kApplyWhere[] = "TForm1::SpeedButton18Click";

const TListPage::Column kColumns[X::chColumns] = {{"Charge Name", 545}, {"Cost Price", 160}, {"Retail Price", 160}};

struct AmountColumn {
  int col;
  const char* field;
  const char* caption;
  const char* refusal;
};

const AmountColumn kAmounts[] = {{X::chCost, "COST_PRICE", "cost price", "Cost Price is not a valid number."},
                                 {X::chRetail, "RETAIL_PRICE", "retail price", "Retail Price is not a valid number."}};

}  // namespace

// ----- TForm1 entry points ------------------------------------------------------------------

void TForm1::SpButInfoChargesClick() { ChargesPage->Open(); }
void TForm1::SpeedButton18Click() { ChargesPage->Apply(); }

void TForm1::SGridStyleChargesKeyPress(kui::KvStringGrid& grid, QChar& key) {
  if (key == QChar('\r')) {
    key = QChar();
    const int col = grid.Col(), row = grid.Row();
    // A text that is no number stays, and so does the cursor.
    const std::optional<QString> text = X::ChargeTextAfterEnter(grid.Cell(col, row));
    if (!text) return;
    grid.SetEditorMode(false);
    grid.SetCell(col, row, *text);
    int nextCol = col, nextRow = row;
    TListGridClass::AcrossAfterEnter(nextCol, nextRow, X::chCost, X::chRetail, grid.FixedRows(), grid.RowCount());
    TListGridClass::MoveAfterEnter(grid, nextCol, nextRow);
    return;
  }
  // Digits, one point and the editing keys.
  const bool passes = key == QChar('.') ? TQuantityPage::TypedText(grid, key).count('.') == 1
                                        : TColourSizeGridClass::QuantityKeyPasses(key);
  if (!passes) key = QChar();
}

// ----- TChargesPage -------------------------------------------------------------------------

TChargesPage::TChargesPage(TForm1& form)
    : TListPage(form, "TabSheetCharges", "Charges", "PanelChargesStyle", "SGridStyleCharges", X::kChargeFixedCols,
                "SpeedButton18") {
  Grid->InplaceEditor()->setMaxLength(TPLUCodesClass::kPriceLength);
  Grid->OnDrawCell = [&form](kui::KvStringGrid& g, QPainter& p, int c, int r, const QRect& rect,
                             kui::KvGridDrawState s) { form.SGridExtCodeDrawCell(g, p, c, r, rect, s); };
  Grid->OnKeyPress = [&form](kui::KvStringGrid& g, QChar& key) {
    form.Guard("TForm1::SGridStyleChargesKeyPress", [&] { form.SGridStyleChargesKeyPress(g, key); });
  };
  OnClick(ApplyButton, kApplyWhere, [&form] { form.SpeedButton18Click(); });
}

void TChargesPage::Open() {
  const QString style = Form.EditSupplierStyle->text();
  if (style.isEmpty()) {
    DMDB->ShowMessage("Please select a style.");
    return;
  }
  {
    kui::KvBusyGuard busy(&Form, "Please wait... Loading style charges!");
    StylePanel->setText(style);
    ResetGrid(kColumns);
    style_ = style;

    // The style's amounts in one statement; the first row of a charge holds them.
    kdb::Query& stored = Read(X::StyleChargesSQL(style), DMDB->DBQueryRemote2,
                              "The charges of style " + style + " could not be read.");
    const QHash<QString, qint64> ids = TPageSaveClass::FirstIdByKey(stored, "charge");
    const auto money = [&stored](const char* field) {
      const kdb::Field& f = stored.FieldByName(field);
      return f.IsNull() ? QVariant() : QVariant::fromValue(f.AsCurrency());
    };
    QHash<qint64, std::pair<QVariant, QVariant>> amounts;
    for (stored.First(); !stored.Eof(); stored.Next())
      amounts.insert(stored.FieldByName("id").AsInteger(), {money("cost_price"), money("retail_price")});

    kdb::Query& charges = Read(X::ChargeListSQL(), DMDB->DBQueryRemote1, "The charges could not be read.");
    QStringList names;
    for (charges.First(); !charges.Eof(); charges.Next()) {
      const QString name = charges.FieldByName("name").AsString();
      // Amounts are kept by the charge's name: a second row of one name
      // would only show the first one's again.
      if (names.contains(name)) continue;
      names << name;
      busy.SetMessage("Please wait... Loading style charge: " + name);
      QString cost = kos::FormatFloat("0.00", charges.FieldByName("rate").AsFloat());
      QString retail = kos::FormatFloat("0.00", charges.FieldByName("value").AsCurrency());
      TPageSaveClass::KeptRow kept;
      QVariant storedCost, storedRetail;  // null: the style has no row for the charge
      if (const std::optional<qint64> row = IdOf(ids, name)) {
        kept.key = *row;
        std::tie(storedCost, storedRetail) = amounts.value(*row);
        cost = kos::FormatFloat("0.00", storedCost.value<Currency>());
        retail = kos::FormatFloat("0.00", storedRetail.value<Currency>());
      }
      kept.base.Set("COST_PRICE", storedCost);
      kept.base.Set("RETAIL_PRICE", storedRetail);
      for (const AmountColumn& a : kAmounts)
        kept.base.SetCaption(a.field, "The " + QString(a.caption) + " of charge " + name);
      KeepRow({name, cost, retail}, std::move(kept));
    }
    if (!Rows.empty()) ShowAt(X::chCost);
  }
  if (Rows.empty()) {
    DMDB->ShowMessage("There are no charges available.");
    return;
  }
  Grid->setFocus();
}

void TChargesPage::Apply() {
  Grid->SetEditorMode(false);
  // Every amount is checked before anything is written; an empty one is 0.
  for (int row = 1; row < Grid->RowCount(); ++row)
    for (const AmountColumn& a : kAmounts) {
      if (!X::ChargeAmount(Grid->Cell(a.col, row))) {
        DMDB->ShowMessage(a.refusal);
        Grid->SetCurrent(a.col, row);
        Grid->setFocus();
        return;
      }
      if (Grid->Cell(a.col, row).trimmed().isEmpty()) Grid->SetCell(a.col, row, "0.00");
    }
  SaveKeyedRows({"Please wait... Saving style charges!", "PRODUCTSCHARGES", kApplyWhere, "The style charges",
                 "Style charges were saved successfully!", {"PRODUCTSCHARGES"}},
                X::StyleChargesSQL(style_), "charge",
                [&](int i, kdb::Table& table, kui::KvBusyGuard& busy, const QHash<QString, qint64>& ids) {
                  const int row = i + 1;
                  const QString name = Grid->Cell(X::chName, row);
                  busy.SetMessage("Please wait... Saving style charge: " + name);
                  TPageSaveClass::KeptRow& kept = Rows[size_t(i)];
                  TPageSaveClass::Values changed;
                  TPageSaveClass::Values all = {{"STYLE", style_}, {"CHARGE", name}};
                  for (const AmountColumn& a : kAmounts) {
                    const QVariant amount = QVariant::fromValue(*X::ChargeAmount(Grid->Cell(a.col, row)));
                    all.emplace_back(a.field, amount);
                    if (kept.Changed(a.col, Grid->Cell(a.col, row))) changed.emplace_back(a.field, amount);
                  }
                  TPageSaveClass::UpsertKeyedRow(table, IdOf(ids, name), kept, changed, all, "The charge " + name);
                });
}
