// Navigation and the printed style sheet: layout, wiring and handlers, with
// the TForm1 entry points of those handlers.
#include "NavigationBarF.h"

#include <QBoxLayout>
#include <QStackedWidget>
#include <QToolButton>

#include "DataModF.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "OptionsForm.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"
#include "StyleListClass.h"
#include "StyleNavigationClass.h"
#include "StyleSheetPrintForm.h"

// ----- TForm1 entry points ---------------------------------------------------------------

void TForm1::SpButNavFirstClick() { NavigationBar->Step(TStyleNavigationClass::navFirst); }

void TForm1::SpButNavPrevClick() { NavigationBar->Step(TStyleNavigationClass::navPrior); }

void TForm1::SpButNavNextClick() { NavigationBar->Step(TStyleNavigationClass::navNext); }

void TForm1::SpButNavLastClick() { NavigationBar->Step(TStyleNavigationClass::navLast); }

void TForm1::SpButPrintClick() {
  TFormOptions options(this);
  if (options.Execute()) HandlePrint(options.ItemIndex() == TFormOptions::kOnlyThisStyle);
}

void TForm1::HandlePrint(bool onlyThisStyle) {
  Guard("TForm1::HandlePrint", [this, onlyThisStyle] {
    const std::unique_ptr<TQuickReport1> report = NavigationBar->PrepareStyleSheet(onlyThisStyle);
    report->Preview(this);
  });
}

// ----- the bar --------------------------------------------------------------------------

TNavigationBar::TNavigationBar(TForm1& form, QWidget* bar, QBoxLayout* row) : TFormPart(form) {
  SpButNavFirst = skui::MakeButton(bar, "SpButNavFirst", "|<", 44);
  SpButNavPrev = skui::MakeButton(bar, "SpButNavPrev", "<", 44);
  SpButNavNext = skui::MakeButton(bar, "SpButNavNext", ">", 44);
  SpButNavLast = skui::MakeButton(bar, "SpButNavLast", ">|", 44);
  SpButNavSearch = skui::MakeButton(bar, "SpButNavSearch", "Search", 80);
  SpButPrint = skui::MakeButton(bar, "SpButPrint", "Print", 80);
  for (QToolButton* b : {SpButNavFirst, SpButNavPrev, SpButNavNext, SpButNavLast, SpButNavSearch})
    row->addWidget(b);

  StringGrid1 = new kui::KvStringGrid(&form);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->SetFixedRows(0);
  StringGrid1->SetFixedCols(0);
  StringGrid1->SetColCount(TStyleListClass::kStyleSheetColumns);
  StringGrid1->SetRowCount(0);
  StringGrid1->hide();

  OnClick(SpButNavFirst, "TForm1::SpButNavFirstClick", [&form] { form.SpButNavFirstClick(); });
  OnClick(SpButNavPrev, "TForm1::SpButNavPrevClick", [&form] { form.SpButNavPrevClick(); });
  OnClick(SpButNavNext, "TForm1::SpButNavNextClick", [&form] { form.SpButNavNextClick(); });
  OnClick(SpButNavLast, "TForm1::SpButNavLastClick", [&form] { form.SpButNavLastClick(); });
  OnClick(SpButNavSearch, "TForm1::SpButNavSearchClick", [&form] { form.SpButNavSearchClick(); });
  OnClick(SpButPrint, "TForm1::SpButPrintClick", [&form] { form.SpButPrintClick(); });
}

void TNavigationBar::Step(int direction) {
  QWidget* shown = Form.PageCtrlSF->currentWidget();
  if (!Form.NavigateSearchResults(direction)) {
    kdb::Query* q = DMDB->DBQueryRemote1;
    // From the root PLU the window loaded, whatever is typed in the box.
    Form.RootPLUToOpen = TStyleNavigationClass::Step(
        direction, Form.LoadedRootPLU(), Form.EditSupplierStyle->text(), [q](const QString& sql) -> kdb::DataSet& {
          if (!DMDB->RunQuery(sql, q)) throw kdb::DbError(kStepFailed + DMDB->LastError);
          return *q;
        });
  }
  Form.FormShow();
  Form.ShowTabSheet(shown);
}

std::unique_ptr<TQuickReport1> TNavigationBar::PrepareStyleSheet(bool onlyThisStyle) {
  const std::optional<QString> style =
      onlyThisStyle ? std::optional<QString>(Form.EditSupplierStyle->text()) : std::nullopt;
  {
    kui::KvBusyGuard busy(&Form, "Please wait...");
    kdb::Query* q = DMDB->DBQueryRemote1;
    if (!DMDB->RunQuery(TStyleListClass::StyleSheetSQL(style), q)) throw kdb::DbError(kSheetFailed + DMDB->LastError);
    StringGrid1->ClearCells();
    StringGrid1->SetRowCount(q->RecordCount());
    int row = 0;
    for (q->First(); !q->Eof(); q->Next()) StringGrid1->SetRowTexts(row++, TStyleListClass::StyleSheetCells(*q));
    q->Close();
  }
  auto report = std::make_unique<TQuickReport1>();
  report->SetGrid(StringGrid1);
  report->SetTitle(TStyleListClass::StyleSheetTitle(style));
  return report;
}
