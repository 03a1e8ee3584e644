// The style charges page: layout, wiring and handlers, with the TForm1
// entry points of those handlers. The grid is drawn as the external codes
// grid is (ExtCodesPageF).
#include "ChargesPageF.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

#include "ColourSizeGridClass.h"
#include "DataModF.h"
#include "Format.h"
#include "InfoPageF.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ListGridClass.h"
#include "PLUCodesClass.h"
#include "StyleExtrasClass.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"

namespace {

using X = TStyleExtrasClass;

constexpr char kApplyWhere[] = "TForm1::SpeedButton18Click";
constexpr char kTable[] = "PRODUCTSCHARGES";

struct AmountColumn {
  int col;
  const char* field;
  const char* caption;
  const char* refusal;
};

const AmountColumn kAmounts[] = {{X::chCost, "COST_PRICE", "cost price", "Cost Price is not a valid number."},
                                 {X::chRetail, "RETAIL_PRICE", "retail price", "Retail Price is not a valid number."}};

kdb::Query& Run(const QString& sql, kdb::Query* q, const QString& failure) {
  if (!DMDB->RunQuery(sql, q)) throw kdb::DbError(failure);
  return *q;
}

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
  if (!TColourSizeGridClass::PriceKeyPasses(TListGridClass::TextBesideKey(grid), key)) key = QChar();
}

// ----- TChargesPage -------------------------------------------------------------------------

TChargesPage::TChargesPage(TForm1& form) : TFormPart(form, "TabSheetCharges", "Charges") {
  auto* top = new QHBoxLayout;
  PanelChargesStyle = skui::MakePanel(Sheet, "PanelChargesStyle", QString());
  PanelChargesStyle->setMinimumWidth(200);
  top->addWidget(skui::MakeLabel(Sheet, nullptr, "Style:"));
  top->addWidget(PanelChargesStyle);
  top->addStretch(1);
  SpeedButton18 = skui::MakeButton(Sheet, "SpeedButton18", "Apply", 90);
  top->addWidget(SpeedButton18);
  SheetLayout()->addLayout(top);

  SGridStyleCharges = new kui::KvStringGrid(Sheet);
  SGridStyleCharges->setObjectName("SGridStyleCharges");
  TListGridClass::Look(*SGridStyleCharges, X::kChargeFixedCols);
  SGridStyleCharges->InplaceEditor()->setMaxLength(TPLUCodesClass::kPriceLength);
  SheetLayout()->addWidget(SGridStyleCharges, 1);

  SGridStyleCharges->OnDrawCell = [&form](kui::KvStringGrid& g, QPainter& p, int c, int r, const QRect& rect,
                                          kui::KvGridDrawState s) { form.SGridExtCodeDrawCell(g, p, c, r, rect, s); };
  SGridStyleCharges->OnKeyPress = [&form](kui::KvStringGrid& g, QChar& key) {
    form.Guard("TForm1::SGridStyleChargesKeyPress", [&] { form.SGridStyleChargesKeyPress(g, key); });
  };
  OnClick(form.InfoPage->SpButInfoCharges, "TForm1::SpButInfoChargesClick", [&form] { form.SpButInfoChargesClick(); });
  OnClick(SpeedButton18, kApplyWhere, [&form] { form.SpeedButton18Click(); });
}

void TChargesPage::Open() {
  const QString style = Form.EditSupplierStyle->text();
  if (style.isEmpty()) {
    DMDB->ShowMessage("Please select a style.");
    return;
  }
  kui::KvStringGrid* g = SGridStyleCharges;
  bool any = false;
  {
    kui::KvBusyGuard busy(&Form, "Please wait... Loading style charges!");
    PanelChargesStyle->setText(style);
    g->ClearCells();
    rows_.clear();
    style_ = style;
    g->SetColCount(X::chColumns);
    g->SetRowCount(1);
    g->SetRowTexts(0, {"Charge Name", "Cost Price", "Retail Price"});
    g->SetColWidth(X::chName, 545);
    g->SetColWidth(X::chCost, 160);
    g->SetColWidth(X::chRetail, 160);

    // The style's amounts in one statement; the first row of a charge holds them.
    kdb::Query& stored = Run(X::StyleChargesSQL(style), DMDB->DBQueryRemote2,
                             "The charges of style " + style + " could not be read.");
    const QHash<QString, qint64> ids = X::FirstIdByKey(stored, "charge");
    QHash<qint64, std::pair<QVariant, QVariant>> amounts;
    const auto money = [&stored](const char* field) {
      const kdb::Field& f = stored.FieldByName(field);
      return f.IsNull() ? QVariant() : QVariant::fromValue(f.AsCurrency());
    };
    for (stored.First(); !stored.Eof(); stored.Next())
      amounts.insert(stored.FieldByName("id").AsInteger(), {money("cost_price"), money("retail_price")});

    kdb::Query& charges = Run(X::ChargeListSQL(), DMDB->DBQueryRemote1, "The charges could not be read.");
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
      if (ids.contains(name)) {
        kept.key = ids.value(name);
        std::tie(storedCost, storedRetail) = amounts.value(ids.value(name));
        cost = kos::FormatFloat("0.00", storedCost.value<Currency>());
        retail = kos::FormatFloat("0.00", storedRetail.value<Currency>());
      }
      kept.base.Set("COST_PRICE", storedCost);
      kept.base.Set("RETAIL_PRICE", storedRetail);
      for (const AmountColumn& a : kAmounts)
        kept.base.SetCaption(a.field, "The " + QString(a.caption) + " of charge " + name);
      const int row = g->RowCount();
      g->SetRowCount(row + 1);
      g->SetRowTexts(row, {name, cost, retail});
      kept.texts = g->RowTexts(row);
      rows_.push_back(std::move(kept));
    }
    any = !rows_.empty();
    if (any) {
      ShowSheet();
      g->SetCurrent(X::chCost, 1);
    }
  }
  if (!any) {
    DMDB->ShowMessage("There are no charges available.");
    return;
  }
  g->setFocus();
}

void TChargesPage::Apply() {
  kui::KvStringGrid* g = SGridStyleCharges;
  g->SetEditorMode(false);
  // Every amount is checked before anything is written; an empty one is 0.
  for (int row = 1; row < g->RowCount(); ++row)
    for (const AmountColumn& a : kAmounts) {
      if (!X::ChargeAmount(g->Cell(a.col, row))) {
        DMDB->ShowMessage(a.refusal);
        g->SetCurrent(a.col, row);
        g->setFocus();
        return;
      }
      if (g->Cell(a.col, row).trimmed().isEmpty()) g->SetCell(a.col, row, "0.00");
    }

  TPageSaveClass::Outcome outcome;
  {
    kui::KvBusyGuard busy(&Form, "Please wait... Saving style charges!");
    kdb::Table& table = *DMDB->DBTableR1;
    if (!DMDB->GetTable(kTable, &table)) throw kdb::DbError(QStringLiteral("The table %1 could not be opened.").arg(kTable));
    TPageSaveClass save(*DMDB->DBDatabaseRemote, kApplyWhere);
    save.LockTables = {kTable};
    QHash<QString, qint64> idsNow;
    const auto lookUp = [&] {
      idsNow = X::FirstIdByKey(Run(X::StyleChargesSQL(style_), DMDB->DBQueryRemote2,
                                   "The charges of style " + style_ + " could not be read."),
                               "charge");
    };
    outcome = save.RunKeeping(rows_, static_cast<int>(rows_.size()), [&](int i) {
      const int row = i + 1;
      const QString name = g->Cell(X::chName, row);
      busy.SetMessage("Please wait... Saving style charge: " + name);
      TPageSaveClass::KeptRow& kept = rows_[size_t(i)];
      TPageSaveClass::Values changed;
      TPageSaveClass::Values all = {{"STYLE", style_}, {"CHARGE", name}};
      for (const AmountColumn& a : kAmounts) {
        const QVariant amount = QVariant::fromValue(*X::ChargeAmount(g->Cell(a.col, row)));
        all.emplace_back(a.field, amount);
        if (kept.Changed(a.col, g->Cell(a.col, row))) changed.emplace_back(a.field, amount);
      }
      const std::optional<qint64> idNow =
          idsNow.contains(name) ? std::optional<qint64>(idsNow.value(name)) : std::nullopt;
      TPageSaveClass::UpsertKeyedRow(table, idNow, kept, changed, all, "The charge " + name);
    }, lookUp);
    if (outcome.Saved())
      for (size_t i = 0; i < rows_.size(); ++i) rows_[i].texts = g->RowTexts(int(i) + 1);
  }
  if (!outcome.Saved()) {
    DMDB->ShowMessage(TPageSaveClass::FailureText("The style charges", outcome));
    return;
  }
  DMDB->ShowMessage("Style charges were saved successfully!");
}
