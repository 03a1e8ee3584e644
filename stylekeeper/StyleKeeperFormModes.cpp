// TForm1: the modes View, Add and Edit, clearing the form, the defaults of a
// new style, and the tab buttons that belong to the window itself.
#include "StyleKeeperForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>

#include "DataModF.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "PickList.h"

namespace {

constexpr const char* kView = "View";
constexpr const char* kAdd = "Add";
constexpr const char* kEdit = "Edit";

void SetVisible(std::initializer_list<QWidget*> widgets, bool on) {
  for (QWidget* w : widgets) w->setVisible(on);
}

// Selects a remembered index when it still lies inside the list.
bool SelectRemembered(QComboBox* combo, int index) {
  if (index == -1 || index < 0 || index >= combo->count()) return false;
  combo->setCurrentIndex(index);
  return true;
}

}  // namespace

void TForm1::SetPickListsEnabled(bool on) {
  for (QComboBox* c : {ComboBoxSuppliers, ComboBoxColours, ComboBoxSeasons, ComboBoxCategories,
                       ComboBoxDepartments, ComboBoxProductGroups, ComboBoxBrands, ComboBoxSizeRanges,
                       ComboBoxTaxRates, ComboBoxCurrency})
    c->setEnabled(on);
  ComboBoxECommerce->setEnabled(on);
}

void TForm1::SetStyleEditsReadOnly(bool on) {
  for (QLineEdit* e : {static_cast<QLineEdit*>(EditSupplierStyle), static_cast<QLineEdit*>(EditStyleRef),
                       static_cast<QLineEdit*>(EditDescription), static_cast<QLineEdit*>(EditCostPrice),
                       static_cast<QLineEdit*>(EditRetailPrice), static_cast<QLineEdit*>(EditWSPrice)})
    e->setReadOnly(on);
}

void TForm1::ShowTabButtons(bool on) {
  SetVisible({ButtonAddNewColour, SpButTabStyle, SpButTabStock, SpButShowMinStock, SpButShowMaxStock,
              SpButTabExternal, SpButTabPrices, SpButTabBCodes, SpButTabImage, SpeedButtonClone,
              SpButSeason, SpButStyleInfo},
             on);
}

void TForm1::SetViewMode() {
  SetVisible({SpButPrint, SpButAdd, SpButEdit}, true);
  SetVisible({SpButCancel, SpButSave}, false);
  ComboBoxRootPLU->setEnabled(true);
  SGridStyleColours->setEnabled(true);
  SetModeWord(kView);
  SpButNavSearch->show();
  SetPickListsEnabled(false);
  SetStyleEditsReadOnly(true);
  EditProdAge->setReadOnly(true);
  ShowTabButtons(true);
  SpButTabPackage->setVisible(PackLabelProgramPresent());
  // The single-user edition keeps no stock levels, labels, packs or info.
  if (DMDB->Setup->LocalMode)
    SetVisible({SpButShowMinStock, SpButShowMaxStock, SpButTabBCodes, SpButTabPackage, SpButStyleInfo,
                SpButStockUseRatio, CheckBoxMinStock, CheckBoxMaxStock, CheckBoxCreateBarcodes},
               false);
}

void TForm1::SetEditMode() {
  SetVisible({SpButPrint, SpButAdd, SpButEdit}, false);
  SetVisible({SpButCancel, SpButSave}, true);
  SGridStyleColours->setEnabled(false);
  SpButNavSearch->hide();
  SetPickListsEnabled(true);
  SetStyleEditsReadOnly(false);
  ShowTabButtons(false);
  SpButTabPackage->hide();
}

void TForm1::ClearStyleForm() {
  for (QComboBox* c : {ComboBoxSuppliers, ComboBoxColours, ComboBoxSeasons, ComboBoxCategories,
                       ComboBoxDepartments, ComboBoxProductGroups, ComboBoxBrands, ComboBoxSizeRanges,
                       ComboBoxTaxRates, ComboBoxCurrency})
    c->setCurrentIndex(-1);
  kui::ClearPickItems(ComboBoxDepartments);
  kui::ClearPickItems(ComboBoxProductGroups);
  EditSupplierStyle->clear();
  EditStyleRef->clear();
  EditDescription->clear();
  for (QLineEdit* e : {static_cast<QLineEdit*>(EditCostPrice), static_cast<QLineEdit*>(EditRetailPrice),
                       static_cast<QLineEdit*>(EditWSPrice)})
    e->setText("0.00");
  PanelMarkup->setText("0.00");
  SalePrice = Currency();
  ComboBoxECommerce->setCurrentIndex(0);
  PanelVATRate->setText("0");
  ImageLarge->hide();
  ImageSmall->hide();
  ClearColourList();
  EditProdAge->clear();
}

void TForm1::SelectDefaults() {
  SelectRemembered(ComboBoxSeasons, DefaultSeasonIndex);
  SelectRemembered(ComboBoxBrands, DefaultBrandIndex);
  if (SelectRemembered(ComboBoxSizeRanges, DefaultSizeScaleIndex)) ComboBoxSizeRangesSelect();
  if (SelectRemembered(ComboBoxTaxRates, DefaultVATIndex)) ComboBoxTaxRatesSelect();
  if (ComboBoxSeasons->count() == 1) ComboBoxSeasons->setCurrentIndex(0);
  ComboBoxCurrency->setCurrentIndex(RememberedCurrencyIndex);
  if (RememberedSupplierIndex != -1)
    ComboBoxSuppliers->setCurrentIndex(RememberedSupplierIndex);
  else if (ComboBoxSuppliers->count() == 1)
    ComboBoxSuppliers->setCurrentIndex(0);
}

void TForm1::SpButAddClick() {
  PageCtrlSF->setCurrentWidget(TabShStyleDetails);
  SetEditMode();
  SetModeWord(kAdd);
  ClearStyleForm();
  ComboBoxSuppliers->setFocus();
  ComboBoxRootPLU->setEditText(QString());
  ComboBoxRootPLU->setEnabled(false);
  SelectDefaults();
}

void TForm1::SpButEditClick() {
  if (ComboBoxSuppliers->currentIndex() < 0) {
    DMDB->ShowMessage("Please select a style.");
    return;
  }
  SetEditMode();
  // What makes the root PLU what it is stays as it was saved.
  for (QComboBox* c : {ComboBoxSuppliers, ComboBoxColours, ComboBoxSizeRanges, ComboBoxCurrency})
    c->setEnabled(false);
  EditSupplierStyle->setReadOnly(true);
  SetModeWord(kEdit);
  PricesTouched = false;
}

void TForm1::SpButCancelClick() {
  const QString mode = Mode();
  if (mode == kView) return;
  if (mode == kEdit) RootPLUToOpen = ComboBoxRootPLU->currentText();
  FormShow();
}

void TForm1::ShowTabSheet(QWidget* sheet) {
  const std::pair<QWidget*, QToolButton*> owners[] = {
      {TabShStock, SpButTabStock},         {TabShMinStock, SpButShowMinStock},
      {TabShMaxStock, SpButShowMaxStock},  {TabShImage, SpButTabImage},
      {TabShExtBCodes, SpButTabExternal},  {TabShPrices, SpButTabPrices},
      {TabShBarcodes, SpButTabBCodes},     {TabShComments, SpButInfoComments}};
  for (const auto& [page, button] : owners)
    if (page == sheet) button->click();
}

void TForm1::SpButTabStyleClick() { PageCtrlSF->setCurrentWidget(TabShStyleDetails); }

void TForm1::SpButStyleInfoClick() {
  PanelInfoStyle->setText(EditSupplierStyle->text());
  EditProdColour->setText(kui::SelectedPickName(ComboBoxColours));
  PageCtrlSF->setCurrentWidget(TabShInfo);
  if (DMDB->Setup->LocalMode)
    SetVisible({SpButInfoMoreDetail, SpButInfoCharges, SpButInfoHist, SpButInfoContent}, false);
}
