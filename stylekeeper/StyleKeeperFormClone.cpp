// TForm1: further root PLUs from the style on screen (clone, clone into
// another season, alternate colours) and the supplier-style exit step that
// hands an existing style's settings over. Every write goes through the style
// save (StyleKeeperFormSave.cpp).
#include "StyleKeeperForm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStackedWidget>
#include <QToolButton>

#include <optional>

#include "ControlEventsClass.h"
#include "DataModF.h"
#include "DisabledWindowClass.h"
#include "FormCheckListF.h"
#include "Format.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ModeWords.h"
#include "PickList.h"
#include "SeasonsForm.h"
#include "StyleKeeperControls.h"
#include "WaitClass.h"

namespace {


void SelectByName(QComboBox* combo, const QString& name) { combo->setCurrentIndex(TForm1::IndexOfName(combo, name)); }

}  // namespace

void TForm1::ConnectCloneHandlers() {
  OnClick(SpeedButtonClone, "TForm1::SpeedButtonCloneClick", &TForm1::SpeedButtonCloneClick);
  OnClick(SpButSeason, "TForm1::SpButSeasonClick", &TForm1::SpButSeasonClick);
  OnClick(ButtonAddNewColour, "TForm1::ButtonAddNewColourClick", &TForm1::ButtonAddNewColourClick);
  // After the move has settled: the step disables the window while it looks.
  TControlEventsClass::Of(EditSupplierStyle).OnExit = [this] {
    QMetaObject::invokeMethod(
        this, [this] { Guard("TForm1::EditSupplierStyleExit", [this] { EditSupplierStyleExit(); }); },
        Qt::QueuedConnection);
  };
}

// ----- clone -------------------------------------------------------------------------------

void TForm1::SpeedButtonCloneClick() {
  PageCtrlSF->setCurrentWidget(TabShStyleDetails);
  SetEditMode();
  SetModeWord(skmode::kAdd);
  ComboBoxSuppliers->setFocus();
  for (QToolButton* b : {ButtonAddNewColour, SpButTabStock, SpButShowMinStock, SpButShowMaxStock, SpButTabExternal,
                         SpButTabPrices, SpButTabBCodes, SpButTabPackage, SpeedButtonClone, SpButStyleInfo,
                         SpButTabImage})
    b->hide();
  ComboBoxRootPLU->setEditText(QString());
  ComboBoxRootPLU->setEnabled(false);
  // Everything else stays as the shown style has it.
  EditSupplierStyle->clear();
  EditStyleRef->clear();
  EditDescription->clear();
}

void TForm1::SpButSeasonClick() {
  const QString seasonId = kui::SelectedPickValue(ComboBoxSeasons);
  QString sql = "SELECT NAME, ID FROM PARAMETERS WHERE TYPE='SEASON'";
  if (kdb::sql::IsInteger(seasonId)) sql += " AND  " + QString(" ID <> ") + kdb::sql::Int(seasonId);
  if (!FormSeasons) new TFormSeasons(this);  // kept for the run
  QListWidget* list = FormSeasons->ListBox1;
  list->clear();
  const QString styleRef = EditStyleRef->text();
  const QString description = EditDescription->text();
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (DMDB->RunQuery(sql, q))
    for (q->First(); !q->Eof(); q->Next())
      list->addItem(q->FieldByName("NAME").AsString() + "=" + q->FieldByName("ID").AsString());
  if (list->count() > 0) list->setCurrentRow(0);
  if (FormSeasons->ExecuteResult() == kui::KvDialog::mrCancel) return;

  const QString chosen = list->currentItem() ? list->currentItem()->text() : QString();
  SpeedButtonCloneClick();
  EditDescription->setText(description);
  EditStyleRef->setText(styleRef);
  EditSupplierStyle->setText(styleRef + "/" + kui::PickValue(chosen));
  SelectByName(ComboBoxSeasons, kui::PickName(chosen));
  SpButSaveClick();
}

// ----- the supplier style ------------------------------------------------------------------------

void TForm1::EditSupplierStyleExit() { TakeSupplierStyle(WindowState::Enabled); }

void TForm1::TakeSupplierStyle(WindowState window) {
  if (Mode() == skmode::kView) return;
  const QString style = EditSupplierStyle->text();
  if (EditStyleRef->text().isEmpty()) EditStyleRef->setText(style);
  if (DMDB->Setup->SFCopyStyleToDesc && EditDescription->text().isEmpty()) EditDescription->setText(style);

  std::optional<SkDisabledWindow> disabled;
  if (window == WindowState::Enabled) disabled.emplace(this);
  kdb::Query* q = DMDB->DBQueryRemote1;
  const QString sql = "select supplier_name, season_name, brandlabel_name, sizesscale_name," +
                      QString(" vat_name, category_name, department_name, subdepartment_name, retail_price, "
                              "current_cost_price") +
                      " from products where style = " + kdb::sql::Quote(style) + " LIMIT 1";
  if (!DMDB->RunQuery(sql, q) || q->RecordCount() == 0) {
    ComboBoxSuppliers->setEnabled(true);
    ComboBoxSizeRanges->setEnabled(true);
    return;
  }
  // The row is read whole first: the select steps below run queries of their own.
  const auto text = [q](const char* column) { return q->FieldByName(column).AsString(); };
  const QString supplier = text("supplier_name"), season = text("season_name"), brand = text("brandlabel_name"),
                sizeScale = text("sizesscale_name"), vat = text("vat_name"), category = text("category_name"),
                department = text("department_name"), subDepartment = text("subdepartment_name");
  const Currency retail = q->FieldByName("retail_price").AsCurrency();
  const Currency cost = q->FieldByName("current_cost_price").AsCurrency();

  // Every colour of one style has one supplier and one size scale.
  SelectByName(ComboBoxSuppliers, supplier);
  if (ComboBoxSeasons->currentIndex() < 0) SelectByName(ComboBoxSeasons, season);
  if (ComboBoxBrands->currentIndex() < 0) SelectByName(ComboBoxBrands, brand);
  SelectByName(ComboBoxSizeRanges, sizeScale);
  ComboBoxSizeRangesSelect();
  if (ComboBoxTaxRates->currentIndex() < 0) {
    SelectByName(ComboBoxTaxRates, vat);
    ComboBoxTaxRatesSelect();
  }
  if (ComboBoxCategories->currentIndex() < 0) {
    SelectByName(ComboBoxCategories, category);
    ComboBoxCategoriesSelect();
    SelectByName(ComboBoxDepartments, department);
    ComboBoxDepartmentsSelect();
    SelectByName(ComboBoxProductGroups, subDepartment);
  }
  if (EditRetailPrice->text().isEmpty()) skui::SetTextWhole(EditRetailPrice, kos::FormatFloat("0.00", retail));
  if (EditCostPrice->text().isEmpty()) skui::SetTextWhole(EditCostPrice, kos::FormatFloat("0.00", cost));
  CalcMarkup();
  ComboBoxSuppliers->setEnabled(false);
  ComboBoxSizeRanges->setEnabled(false);
}

// ----- alternate colours ---------------------------------------------------------------------------

void TForm1::ButtonAddNewColourClick() {
  if (SGridStyleColours->Cell(ccRootPLU, 0).isEmpty()) {
    DMDB->ShowMessage("Please select a style.");
    return;
  }
  // When no colour gets saved, the style shown now is shown again.
  if (!LoadedRootPLU().isEmpty()) RootPLUToOpen = LoadedRootPLU();
  TWaitClass wait;
  // Once colours are saved, the window stays disabled until the last one is
  // shown: enabled in between, every control would switch on and off again.
  std::optional<SkDisabledWindow> disabled;
  try {
    PageCtrlSF->setCurrentWidget(TabShStyleDetails);
    TFormCheckList& picker = TFormCheckList::Kept(this);
    picker.SetTitle("Select Alternate Colours");
    picker.SetParamType("COLOUR");
    if (picker.Execute()) {
      // One wait window for the colours and the showing of the last one.
      wait.Show("Saving new colours...");
      QStringList colours;
      for (int i = 0; i < picker.SelectedCount(); ++i) colours << picker.SelectedName(i) + "=" + picker.SelectedId(i);
      SaveColours(colours, disabled);
    }
  } catch (const std::exception& e) {
    // The colours saved so far stay; the rest are not tried.
    DMDB->LogException(e, "TForm1::ButtonAddNewColourClick");
  }
  LoadColours();
  // The style shown before, or the last colour saved of it.
  FormShow(Shown::Already);
}
