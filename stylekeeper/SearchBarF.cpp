// The top bar's searches and the evaluation: layout, wiring and handlers,
// with the TForm1 entry points of those handlers and of the navigation bar's
// search button.
#include "SearchBarF.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <memory>

#include "AdvancedSearchForm.h"
#include "DataModF.h"
#include "DisabledWindowClass.h"
#include "EvaluationForm.h"
#include "KuiColour.h"
#include "SearchResultsForm.h"
#include "SimpleSearchForm.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"
#include "StyleListClass.h"
#include "WaitClass.h"

// ----- TForm1 entry points ---------------------------------------------------------------

QString TForm1::StyleListSQL(const QString& where) { return TStyleListClass::StyleListSQL(where); }

bool TForm1::GetSimpleSearchValue(const QString& prompt) {
  SearchValue.clear();
  TFormSimpleSearch form(this);
  form.LabelFilter->setText(prompt);
  if (form.Execute()) SearchValue = form.GetValue();
  return !SearchValue.isEmpty();
}

void TForm1::RunAdvancedSearch() {
  if (!FormAdvancedSearch || !FormAdvancedSearch->Execute()) return;
  // The advanced search asks for the names a colour's sizes share.
  SearchBar->RunStyleSearch(TStyleListClass::FirstSizeStyleListSQL(FormAdvancedSearch->GetWhereClause()));
}

void TForm1::ShowSearchResults(kdb::Query* query) {
  if (!query) return;
  // Made by the first search and kept for the run, so the navigation
  // buttons and the search button find the last list again; until then
  // there is no list to find.
  if (!FormSearchResults) FormSearchResults = new TFormSearchResults(this);
  FormSearchResults->LoadResults(*query);
  if (FormSearchResults->Execute()) OpenRootPLU(FormSearchResults->CurrentRootPLU);
}

void TForm1::OpenRootPLU(const QString& rootPLU) {
  ComboBoxRootPLU->setEditText(rootPLU);
  RootPLUToOpen = ComboBoxRootPLU->currentText();
  FormShow();
  QApplication::processEvents();
}

bool TForm1::NavigateSearchResults(int direction) {
  if (!FormSearchResults || !FormSearchResults->HasResults()) return false;
  RootPLUToOpen = FormSearchResults->Navigate(direction);
  return true;
}

void TForm1::SpButNavSearchClick() {
  // The last list again, as it was left, without asking the database.
  if (FormSearchResults && FormSearchResults->HasResults()) {
    if (FormSearchResults->Execute()) {
      OpenRootPLU(FormSearchResults->CurrentRootPLU);
      return;
    }
    if (FormSearchResults->HasResults()) return;  // Cancel; "Clear" goes on to a new search
  }
  const auto dialog = std::make_unique<TFormAdvancedSearch>(this);
  FormAdvancedSearch = dialog.get();
  RunAdvancedSearch();
}

void TForm1::SpButTopExtSearchClick() {
  if (!GetSimpleSearchValue("External Barcode:")) return;
  SearchBar->RunStyleSearch(StyleListSQL(TStyleListClass::ExternalCodeWhere(SearchValue)));
}

void TForm1::SpButTopRetailPriceSearchClick() { SearchBar->PriceSearch("Retail Price:", "retail_price"); }

void TForm1::SpButTopCostPriceSearchClick() { SearchBar->PriceSearch("Cost Price:", "current_cost_price"); }

void TForm1::SpButTopCostGtRetailSearchClick() {
  SearchBar->RunStyleSearch(StyleListSQL(TStyleListClass::CostAboveRetailWhere()));
}

void TForm1::SpButTopEComSearchClick() { SearchBar->RunStyleSearch(StyleListSQL(TStyleListClass::WebsiteWhere())); }

void TForm1::ButtonEvaluationSearchClick() {
  TFormEvaluation dialog(this);
  dialog.Execute();
}

// ----- the bar --------------------------------------------------------------------------

TSearchBar::TSearchBar(TForm1& form) : TFormPart(form) {
  PanelTopBar = new QWidget(&form);
  PanelTopBar->setObjectName("PanelTopBar");
  kui::PaintBackground(PanelTopBar, kui::BgrColour(TForm1::kBarColour));
  auto* row = new QHBoxLayout(PanelTopBar);
  row->setContentsMargins(6, 2, 6, 2);
  SpButTopExtSearch = skui::MakeButton(PanelTopBar, "SpButTopExtSearch", "External ", 115);
  SpButTopRetailPriceSearch = skui::MakeButton(PanelTopBar, "SpButTopRetailPriceSearch", "Retail Price", 115);
  SpButTopCostPriceSearch = skui::MakeButton(PanelTopBar, "SpButTopCostPriceSearch", "Cost Price", 115);
  SpButTopCostGtRetailSearch = skui::MakeButton(PanelTopBar, "SpButTopCostGtRetailSearch", "Cost > Retail", 115);
  SpButTopEComSearch = skui::MakeButton(PanelTopBar, "SpButTopEComSearch", "Website", 115);
  ButtonEvaluationSearch = skui::MakeButton(PanelTopBar, "ButtonEvaluationSearch", "Evaluation", 115);
  for (QToolButton* b : {SpButTopExtSearch, SpButTopRetailPriceSearch, SpButTopCostPriceSearch,
                         SpButTopCostGtRetailSearch, SpButTopEComSearch, ButtonEvaluationSearch})
    row->addWidget(b);
  row->addStretch(1);

  OnClick(SpButTopExtSearch, "TForm1::SpButTopExtSearchClick", [&form] { form.SpButTopExtSearchClick(); });
  OnClick(SpButTopRetailPriceSearch, "TForm1::SpButTopRetailPriceSearchClick",
          [&form] { form.SpButTopRetailPriceSearchClick(); });
  OnClick(SpButTopCostPriceSearch, "TForm1::SpButTopCostPriceSearchClick",
          [&form] { form.SpButTopCostPriceSearchClick(); });
  OnClick(SpButTopCostGtRetailSearch, "TForm1::SpButTopCostGtRetailSearchClick",
          [&form] { form.SpButTopCostGtRetailSearchClick(); });
  OnClick(SpButTopEComSearch, "TForm1::SpButTopEComSearchClick", [&form] { form.SpButTopEComSearchClick(); });
  OnClick(ButtonEvaluationSearch, "TForm1::ButtonEvaluationSearchClick",
          [&form] { form.ButtonEvaluationSearchClick(); });
}

void TSearchBar::RunStyleSearch(const QString& styleListSQL) {
  TWaitClass wait;
  wait.Show(kSearching, QString());
  kdb::Query* q = DMDB->DBQueryRemote1;
  bool ran = false;
  {
    SkDisabledWindow disabled(&Form);
    ran = DMDB->RunQuery(styleListSQL, q);
  }
  wait.Close();
  if (!ran) {
    DMDB->ShowMessage(kSearchFailed + DMDB->LastError);
  } else if (q->RecordCount() > 0) {
    Form.ShowSearchResults(q);
  } else {
    DMDB->ShowMessage(kNoMatch);
  }
}

void TSearchBar::PriceSearch(const QString& prompt, const QString& column) {
  if (!Form.GetSimpleSearchValue(prompt)) return;
  const std::optional<QString> where = TStyleListClass::PriceWhere(column, Form.SearchValue);
  if (!where) {
    DMDB->ShowMessage("\"" + Form.SearchValue + "\" is not a price.");
    return;
  }
  RunStyleSearch(Form.StyleListSQL(*where));
}
