// The product options page: layout, wiring and handlers, with the TForm1
// entry points of those handlers. The grid is drawn and moved through as
// the external codes grid is (ExtCodesPageF).
#include "OptionsPageF.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

#include "DataModF.h"
#include "Format.h"
#include "InfoPageF.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ListGridClass.h"
#include "PickList.h"
#include "StyleExtrasClass.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"

namespace {

using X = TStyleExtrasClass;

constexpr char kApplyWhere[] = "TForm1::SpButOptionsApplyClick";
constexpr char kTable[] = "PRODUCTOPTIONS";

kdb::Query& Run(const QString& sql, kdb::Query* q, const QString& failure) {
  if (!DMDB->RunQuery(sql, q)) throw kdb::DbError(failure);
  return *q;
}

}  // namespace

// ----- TForm1 entry points ------------------------------------------------------------------

void TForm1::SpButInfoMoreDetailClick() { OptionsPage->Open(); }
void TForm1::SpButOptionsApplyClick() { OptionsPage->Apply(); }

// ----- TOptionsPage -------------------------------------------------------------------------

TOptionsPage::TOptionsPage(TForm1& form) : TFormPart(form, "TabSheetOptions", "More Details") {
  auto* top = new QHBoxLayout;
  PanelOptionsStyle = skui::MakePanel(Sheet, "PanelOptionsStyle", QString());
  PanelOptionsStyle->setMinimumWidth(200);
  top->addWidget(skui::MakeLabel(Sheet, nullptr, "Style:"));
  top->addWidget(PanelOptionsStyle);
  top->addStretch(1);
  SpButOptionsApply = skui::MakeButton(Sheet, "SpButOptionsApply", "Apply", 90);
  top->addWidget(SpButOptionsApply);
  SheetLayout()->addLayout(top);

  SGridProdOpts = new kui::KvStringGrid(Sheet);
  SGridProdOpts->setObjectName("SGridProdOpts");
  TListGridClass::Look(*SGridProdOpts, X::kOptionFixedCols);
  SheetLayout()->addWidget(SGridProdOpts, 1);

  SGridProdOpts->OnDrawCell = [&form](kui::KvStringGrid& g, QPainter& p, int c, int r, const QRect& rect,
                                      kui::KvGridDrawState s) { form.SGridExtCodeDrawCell(g, p, c, r, rect, s); };
  SGridProdOpts->OnKeyPress = [&form](kui::KvStringGrid& g, QChar& key) {
    form.Guard("TForm1::SGridExtCodeKeyPress", [&] { form.SGridExtCodeKeyPress(g, key); });
  };
  OnClick(form.InfoPage->SpButInfoMoreDetail, "TForm1::SpButInfoMoreDetailClick",
          [&form] { form.SpButInfoMoreDetailClick(); });
  OnClick(SpButOptionsApply, kApplyWhere, [&form] { form.SpButOptionsApplyClick(); });
}

int TOptionsPage::RatioTotal() const {
  const QString scaleId = kui::SelectedPickValue(Form.ComboBoxSizeRanges);
  if (scaleId.isEmpty()) return 0;
  // The second query, so that a result open on the first stays.
  kdb::Query& q = Run("select sum(ratio) as total from sizes where sizesscale_id = " + kdb::sql::Int(scaleId),
                      DMDB->DBQueryRemote2, "The size ratios could not be read.");
  return static_cast<int>(q.FieldByName("total").AsInteger());
}

void TOptionsPage::Open() {
  const QString rootPLU = Form.LoadedRootPLU();
  if (rootPLU.isEmpty()) {
    DMDB->ShowMessage("Please select a style.");
    return;
  }
  const QString style = Form.EditSupplierStyle->text();
  const QString colour = kui::SelectedPickName(Form.ComboBoxColours);
  const QString description = Form.EditDescription->text();
  const Currency retail = kos::TextToCurrency(Form.EditRetailPrice->text());
  PanelOptionsStyle->setText(style);
  kui::KvStringGrid* g = SGridProdOpts;
  g->ClearCells();
  rows_.clear();
  optionIds_.clear();
  rootPLU_ = rootPLU;

  kdb::Query& options = Run(X::OptionListSQL(), DMDB->DBQueryRemote1, "The product options could not be read.");
  struct Option {
    QString id, name;
  };
  std::vector<Option> list;
  for (options.First(); !options.Eof(); options.Next())
    list.push_back({options.FieldByName("id").AsString(), options.FieldByName("name").AsString()});
  g->SetColCount(X::ocColumns);
  g->SetRowCount(static_cast<int>(list.size()) + 1);
  g->SetDefaultColWidth(X::kOptionWidth);
  g->SetRowTexts(0, {"Style", "Colour", "Description", "Option", "Value"});

  // Every stored value of the root PLU in one statement; the first row of
  // an option is its value.
  kdb::Query& stored = Run(X::OptionValuesSQL(rootPLU), DMDB->DBQueryRemote1,
                           "The options of root PLU " + rootPLU + " could not be read.");
  const QHash<QString, qint64> ids = X::FirstIdByKey(stored, "option_id");
  QHash<qint64, QVariant> values;
  for (stored.First(); !stored.Eof(); stored.Next())
    values.insert(stored.FieldByName("id").AsInteger(), stored.FieldByName("value").Value());

  std::optional<int> ratioTotal;  // read once, when first needed
  const auto total = [&] {
    if (!ratioTotal) ratioTotal = RatioTotal();
    return *ratioTotal;
  };
  for (size_t i = 0; i < list.size(); ++i) {
    const int row = int(i) + 1;
    TPageSaveClass::KeptRow kept;
    QVariant value;  // null: no row
    if (ids.contains(list[i].id)) {
      kept.key = ids.value(list[i].id);
      value = values.value(ids.value(list[i].id));
    }
    kept.base.Set("VALUE", value);
    kept.base.SetCaption("VALUE", "The option " + list[i].name);
    g->SetRowTexts(row, {style, colour, description, list[i].name,
                         X::ShownOption(list[i].name, value.toString(), retail, total)});
    kept.texts = g->RowTexts(row);
    rows_.push_back(std::move(kept));
    optionIds_.push_back(list[i].id);
  }
  ShowSheet();
  g->SetCurrent(X::ocValue, 1);
  g->setFocus();
}

void TOptionsPage::Apply() {
  kui::KvStringGrid* g = SGridProdOpts;
  g->SetEditorMode(false);
  TPageSaveClass::Outcome outcome;
  {
    kui::KvBusyGuard busy(&Form, "Please wait...");
    kdb::Table& table = *DMDB->DBTableR1;
    if (!DMDB->GetTable(kTable, &table)) throw kdb::DbError(QStringLiteral("The table %1 could not be opened.").arg(kTable));
    TPageSaveClass save(*DMDB->DBDatabaseRemote, kApplyWhere);
    save.LockTables = {kTable};
    QHash<QString, qint64> idsNow;
    const auto lookUp = [&] {
      idsNow = X::FirstIdByKey(Run(X::OptionValuesSQL(rootPLU_), DMDB->DBQueryRemote2,
                                   "The options of root PLU " + rootPLU_ + " could not be read."),
                               "option_id");
    };
    outcome = save.RunKeeping(rows_, static_cast<int>(rows_.size()), [&](int i) {
      const int row = i + 1;
      const QString name = g->Cell(X::ocOption, row);
      busy.SetMessage("Please saving option: " + name);
      TPageSaveClass::KeptRow& kept = rows_[size_t(i)];
      const bool changed = kept.Changed(X::ocValue, g->Cell(X::ocValue, row));
      const QString value = X::StoredOption(name, g->Cell(X::ocValue, row));
      if (changed) g->SetCell(X::ocValue, row, value);  // shown as stored
      const TPageSaveClass::Values values = {{"VALUE", value}};
      const std::optional<qint64> idNow =
          idsNow.contains(optionIds_[size_t(i)]) ? std::optional<qint64>(idsNow.value(optionIds_[size_t(i)]))
                                                 : std::nullopt;
      TPageSaveClass::UpsertKeyedRow(
          table, idNow, kept, changed ? values : TPageSaveClass::Values{},
          {{"ROOT_PLU", rootPLU_}, {"OPTION_ID", optionIds_[size_t(i)]}, {"VALUE", value}}, "The option " + name);
    }, lookUp);
    if (outcome.Saved())
      for (size_t i = 0; i < rows_.size(); ++i) rows_[i].texts = g->RowTexts(int(i) + 1);
  }
  if (!outcome.Saved()) {
    DMDB->ShowMessage(TPageSaveClass::FailureText("The options", outcome));
    return;
  }
  DMDB->ShowMessage("Options were saved successfully.");
}
