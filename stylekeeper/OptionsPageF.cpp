// The product options page: layout, wiring and handlers, with the TForm1
// entry points of those handlers. The grid is drawn and moved through as
// the external codes grid is (ExtCodesPageF).
#include "OptionsPageF.h"

#include <QLabel>
#include <QToolButton>

#include <optional>

#include "DataModF.h"
#include "Format.h"
#include "InfoPageF.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "PickList.h"
#include "StyleExtrasClass.h"
#include "StyleKeeperForm.h"

namespace {

using X = TStyleExtrasClass;

constexpr char kApplyWhere[] = "TForm1::SpButOptionsApplyClick";

const TListPage::Column kColumns[X::ocColumns] = {{"Style", X::kOptionWidth},       {"Colour", X::kOptionWidth},
                                                  {"Description", X::kOptionWidth}, {"Option", X::kOptionWidth},
                                                  {"Value", X::kOptionWidth}};

}  // namespace

// ----- TForm1 entry points ------------------------------------------------------------------

void TForm1::SpButInfoMoreDetailClick() { OptionsPage->Open(); }
void TForm1::SpButOptionsApplyClick() { OptionsPage->Apply(); }

// ----- TOptionsPage -------------------------------------------------------------------------

TOptionsPage::TOptionsPage(TForm1& form)
    : TListPage(form, "TabSheetOptions", "More Details", "PanelOptionsStyle", "SGridProdOpts", X::kOptionFixedCols,
                "SpButOptionsApply") {
  Grid->OnDrawCell = [&form](kui::KvStringGrid& g, QPainter& p, int c, int r, const QRect& rect,
                             kui::KvGridDrawState s) { form.SGridExtCodeDrawCell(g, p, c, r, rect, s); };
  Grid->OnKeyPress = [&form](kui::KvStringGrid& g, QChar& key) {
    form.Guard("TForm1::SGridExtCodeKeyPress", [&] { form.SGridExtCodeKeyPress(g, key); });
  };
  OnClick(ApplyButton, kApplyWhere, [&form] { form.SpButOptionsApplyClick(); });
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
  StylePanel->setText(style);
  ResetGrid(kColumns);
  optionIds_.clear();
  rootPLU_ = rootPLU;

  // Every stored value of the root PLU in one statement; the first row of
  // an option is its value.
  kdb::Query& stored = Read(X::OptionValuesSQL(rootPLU), DMDB->DBQueryRemote2,
                            "The options of root PLU " + rootPLU + " could not be read.");
  const QHash<QString, qint64> ids = TPageSaveClass::FirstIdByKey(stored, "option_id");
  QHash<qint64, QVariant> values;
  for (stored.First(); !stored.Eof(); stored.Next())
    values.insert(stored.FieldByName("id").AsInteger(), stored.FieldByName("value").Value());

  std::optional<int> ratioTotal;  // read once, when first needed
  const auto total = [&] {
    if (!ratioTotal) ratioTotal = Form.SizeScaleRatioTotal();
    return *ratioTotal;
  };
  kdb::Query& options = Read(X::OptionListSQL(), DMDB->DBQueryRemote1, "The product options could not be read.");
  for (options.First(); !options.Eof(); options.Next()) {
    const QString id = options.FieldByName("id").AsString();
    const QString name = options.FieldByName("name").AsString();
    TPageSaveClass::KeptRow kept;
    QVariant value;  // null: no row
    if (const std::optional<qint64> row = IdOf(ids, id)) {
      kept.key = *row;
      value = values.value(*row);
    }
    kept.base.Set("VALUE", value);
    kept.base.SetCaption("VALUE", "The option " + name);
    KeepRow({style, colour, description, name, X::ShownOption(name, value.toString(), retail, total)},
            std::move(kept));
    optionIds_.push_back(id);
  }
  ShowAt(X::ocValue);
  Grid->setFocus();
}

void TOptionsPage::Apply() {
  SaveKeyedRows({"Please wait...", "PRODUCTOPTIONS", kApplyWhere, "The options", "Options were saved successfully.",
                 {"PRODUCTOPTIONS"}},
                X::OptionValuesSQL(rootPLU_), "option_id",
                [&](int i, kdb::Table& table, kui::KvBusyGuard& busy, const QHash<QString, qint64>& ids) {
                  const int row = i + 1;
                  const QString name = Grid->Cell(X::ocOption, row);
                  busy.SetMessage("Please saving option: " + name);
                  TPageSaveClass::KeptRow& kept = Rows[size_t(i)];
                  const bool changed = kept.Changed(X::ocValue, Grid->Cell(X::ocValue, row));
                  const QString value = X::StoredOption(name, Grid->Cell(X::ocValue, row));
                  if (changed) Grid->SetCell(X::ocValue, row, value);  // shown as stored
                  const QString& option = optionIds_[size_t(i)];
                  TPageSaveClass::UpsertKeyedRow(
                      table, IdOf(ids, option), kept,
                      changed ? TPageSaveClass::Values{{"VALUE", value}} : TPageSaveClass::Values{},
                      {{"ROOT_PLU", rootPLU_}, {"OPTION_ID", option}, {"VALUE", value}}, "The option " + name);
                });
}
