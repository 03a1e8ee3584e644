// TForm1: the modes View, Add and Edit, clearing the form, the defaults of a
// new style, and the tab sheets that belong to the window itself.
#include "StyleKeeperForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>

#include "DataModF.h"
#include "ImagePageF.h"
#include "InfoPageF.h"
#include "KuiFont.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ModeWords.h"
#include "NavigationBarF.h"
#include "PickList.h"
#include "QuantityPageF.h"
#include "StyleKeeperControls.h"

namespace {

using skui::SetVisible;

// Selects a remembered index when it still lies inside the list.
bool SelectRemembered(QComboBox* combo, int index) {
  if (index == -1 || index < 0 || index >= combo->count()) return false;
  combo->setCurrentIndex(index);
  return true;
}

}  // namespace

void TForm1::ConnectModeHandlers() {
  OnClick(SpButAdd, "TForm1::SpButAddClick", &TForm1::SpButAddClick);
  OnClick(SpButEdit, "TForm1::SpButEditClick", &TForm1::SpButEditClick);
  OnClick(SpButCancel, "TForm1::SpButCancelClick", &TForm1::SpButCancelClick);
  OnClick(SpButTabStyle, "TForm1::SpButTabStyleClick", &TForm1::SpButTabStyleClick);
  // The other tab buttons open their pages, which are made on first use.
  OnClick(SpButTabStock, "TForm1::SpButTabStockClick", &TForm1::SpButTabStockClick);
  OnClick(SpButShowMinStock, "TForm1::SpButShowMinStockClick", &TForm1::SpButShowMinStockClick);
  OnClick(SpButShowMaxStock, "TForm1::SpButShowMaxStockClick", &TForm1::SpButShowMaxStockClick);
  OnClick(SpButTabBCodes, "TForm1::SpButTabBCodesClick", &TForm1::SpButTabBCodesClick);
  OnClick(SpButTabImage, "TForm1::SpButTabImageClick", &TForm1::SpButTabImageClick);
  OnClick(SpButTabExternal, "TForm1::SpButTabExternalClick", &TForm1::SpButTabExternalClick);
  OnClick(SpButTabPrices, "TForm1::SpButTabPricesClick", &TForm1::SpButTabPricesClick);
  OnClick(SpButStyleInfo, "TForm1::SpButStyleInfoClick", &TForm1::SpButStyleInfoClick);
  OnClick(SpButTabPackage, "TForm1::SpButTabPackageClick", &TForm1::SpButTabPackageClick);
  // The style page's "Ratio" button starts the ratio program.
  OnClick(SpButSSRatio, "TForm1::SpButSSRatioClick", &TForm1::SpButSSRatioClick);
}

void TForm1::PreparePage(TFormPart& page) {
  kui::SmoothFonts(page.Sheet);
  ApplyPageSettings(&page);
  // The View mode's choices hold from its first setting on, in every mode.
  if (Mode() != skmode::kDesign) ApplyViewModeToPages(&page);
}

void TForm1::ApplyViewModeToPages(const TFormPart* page) {
  if (TInfoPage* p = InfoPage.IfMade(page)) p->EditProdAge->setReadOnly(true);
  // The single-user edition keeps no stock levels or labels.
  if (TQuantityPage* p = StockPage.IfMade(page); p && DMDB->Setup->LocalMode)
    SetVisible({p->SpButStockUseRatio, p->CheckBoxMinStock, p->CheckBoxMaxStock, p->CheckBoxCreateBarcodes}, false);
}

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
  SetVisible({ButtonAddNewColour, SpButTabStyle, SpButTabStock, SpButTabExternal, SpButTabPrices, SpButTabImage,
              SpeedButtonClone, SpButSeason},
             on);
  // The single-user edition keeps no stock levels, labels, packs or info:
  // those buttons are never shown there (not shown and hidden again on
  // every return to View, each time laying the bar out twice).
  const bool local = DMDB->Setup->LocalMode;
  SetVisible({SpButShowMinStock, SpButShowMaxStock, SpButTabBCodes, SpButStyleInfo}, on && !local);
  // The pack needs its label program, looked for only where the tab may show.
  SpButTabPackage->setVisible(on && !local && PackLabelProgramPresent());
}

void TForm1::HideStyleButtons() {
  SetVisible({SpButTabStock, SpButShowMinStock, SpButShowMaxStock, SpButTabImage, SpButTabExternal, SpButTabBCodes,
              SpButTabPackage, SpButTabPrices, ButtonAddNewColour, SpeedButtonClone, SpButSeason, SpButStyleInfo},
             false);
}

void TForm1::SetViewMode(bool styleButtons) {
  SetVisible({NavigationBar->SpButPrint, SpButAdd, SpButEdit}, true);
  SetVisible({SpButCancel, SpButSave}, false);
  ComboBoxRootPLU->setEnabled(true);
  SGridStyleColours->setEnabled(true);
  SetModeWord(skmode::kView);
  NavigationBar->SpButNavSearch->show();
  SetPickListsEnabled(false);
  SetStyleEditsReadOnly(true);
  if (styleButtons) {
    ShowTabButtons(true);
  } else {
    SpButTabStyle->show();
    HideStyleButtons();
  }
  ApplyViewModeToPages(nullptr);
}

void TForm1::SetEditMode() {
  SetVisible({NavigationBar->SpButPrint, SpButAdd, SpButEdit}, false);
  SetVisible({SpButCancel, SpButSave}, true);
  SGridStyleColours->setEnabled(false);
  NavigationBar->SpButNavSearch->hide();
  SetPickListsEnabled(true);
  SetStyleEditsReadOnly(false);
  ShowTabButtons(false);
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
                       static_cast<QLineEdit*>(EditWSPrice)}) {
    e->setText("0.00");
    e->setMaxLength(kPriceLength);  // a long stored price shown before had grown it
  }
  PanelMarkup->setText("0.00");
  SalePrice = Currency();
  ComboBoxECommerce->setCurrentIndex(0);
  PanelVATRate->setText("0");
  // A page not made yet shows no picture and no age when it is made.
  if (TImagePage* p = ImagePage.IfMade()) p->ImageLarge->hide();
  ImageSmall->hide();
  ClearColourList();
  if (TInfoPage* p = InfoPage.IfMade()) p->EditProdAge->clear();
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
  SetModeWord(skmode::kAdd);
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
  SetModeWord(skmode::kEdit);
  PricesTouched = false;
}

void TForm1::SpButCancelClick() {
  const QString mode = Mode();
  if (mode == skmode::kView) return;
  if (mode == skmode::kEdit) RootPLUToOpen = ComboBoxRootPLU->currentText();
  FormShow();
}

void TForm1::ShowTabSheet(QWidget* sheet) {
  // The sheet of a page not made yet is nullptr and never the one asked for.
  if (!sheet) return;
  const std::pair<QWidget*, QToolButton*> owners[] = {
      {TabShStock, SpButTabStock},         {TabShMinStock, SpButShowMinStock},
      {TabShMaxStock, SpButShowMaxStock},  {TabShImage, SpButTabImage},
      {TabShExtBCodes, SpButTabExternal},  {TabShPrices, SpButTabPrices},
      {TabShBarcodes, SpButTabBCodes}};
  for (const auto& [page, button] : owners)
    if (page == sheet) button->click();
  // The comments page is opened from the info page, which exists once it has.
  if (sheet == TabShComments) InfoPage->SpButInfoComments->click();
}

void TForm1::SpButTabStyleClick() { PageCtrlSF->setCurrentWidget(TabShStyleDetails); }
