// TForm1: the programs the style editor starts. A double-click on the caption
// of a pick list starts that list's editor and waits for it, the window
// disabled, then reloads the list and selects again what was selected;
// "View History" and "Web Copy" on the info tab start their programs with the
// loaded root PLU without waiting. A program that is not installed is simply
// not started, without a message.
#include "StyleKeeperForm.h"

#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include "ControlEventsClass.h"
#include "DataModF.h"
#include "DisabledWindowClass.h"
#include "InfoPageF.h"
#include "PickList.h"

namespace {

// The selected item's id, 0 when none is selected or it is no number.
int SelectedID(const QComboBox* combo) {
  return combo->currentIndex() < 0 ? 0 : kui::SelectedPickValue(combo).toInt();
}

// Starts the editor of a list and waits until it ends; whether it started
// does not matter, the list is read again either way.
void RunEditor(const QString& program) { DMDB->RunProgram(program, DMDB->ExeFolder, true); }

void EditList(TForm1& f, const QString& program, QComboBox* combo, void (TForm1::*loader)()) {
  SkDisabledWindow disabled(&f);
  const int id = SelectedID(combo);
  RunEditor(program);
  (f.*loader)();
  combo->setCurrentIndex(TForm1::IndexOfID(combo, id));
}

// Categories, departments and sub-departments hang on each other: each is
// reloaded and its entry selected again in turn, as far as one was selected.
void EditDepartments(TForm1& f, const QString& program) {
  SkDisabledWindow disabled(&f);
  const std::pair<QComboBox*, void (TForm1::*)()> chain[] = {
      {f.ComboBoxCategories, &TForm1::LoadCategories},
      {f.ComboBoxDepartments, &TForm1::LoadDepartments},
      {f.ComboBoxProductGroups, &TForm1::LoadSubDepartmentList}};
  QStringList ids;
  for (const auto& [combo, loader] : chain) ids << kui::SelectedPickValue(combo);
  RunEditor(program);
  for (int i = 0; i < 3; ++i) {
    const auto& [combo, loader] = chain[i];
    (f.*loader)();
    if (!kdb::sql::IsInteger(ids[i])) return;  // nothing was selected here: the lists below stay
    combo->setCurrentIndex(TForm1::IndexOfID(combo, ids[i].toInt()));
  }
}

void StartWithRootPLU(const TForm1& f, const QString& program) {
  const QString rootPLU = f.LoadedRootPLU();
  if (!rootPLU.isEmpty()) DMDB->RunProgram(program + " " + rootPLU, DMDB->ExeFolder, false);
}

}  // namespace

void TForm1::ConnectLaunchHandlers() {
  const std::tuple<QLabel*, const char*, void (TForm1::*)()> labels[] = {
      {LabelSupplier, "TForm1::LabelSupplierDblClick", &TForm1::LabelSupplierDblClick},
      {LabelColour, "TForm1::LabelColourDblClick", &TForm1::LabelColourDblClick},
      {LabelSeason, "TForm1::LabelSeasonDblClick", &TForm1::LabelSeasonDblClick},
      {LabelCat, "TForm1::LabelCatDblClick", &TForm1::LabelCatDblClick},
      {Label11, "TForm1::Label11DblClick", &TForm1::Label11DblClick},
      {Label12, "TForm1::Label12DblClick", &TForm1::Label12DblClick},
      {LabelBrand, "TForm1::LabelBrandDblClick", &TForm1::LabelBrandDblClick},
      {LabelSizeScale, "TForm1::LabelSizeScaleDblClick", &TForm1::LabelSizeScaleDblClick},
      {LabelVAT, "TForm1::LabelVATDblClick", &TForm1::LabelVATDblClick}};
  for (const auto& [label, where, handler] : labels) {
    label->setToolTip("Double-click to edit the list");
    // A failure is logged; the user is not bothered with it.
    TControlEventsClass::Of(label).OnDblClick = [this, where, handler] {
      Guard(where, [this, handler] { (this->*handler)(); }, false);
    };
  }
}

void TForm1::LabelSupplierDblClick() { EditList(*this, "suppliers", ComboBoxSuppliers, &TForm1::LoadSuppliers); }
void TForm1::LabelColourDblClick() { EditList(*this, "colours", ComboBoxColours, &TForm1::LoadColours); }
void TForm1::LabelSeasonDblClick() { EditList(*this, "seasons", ComboBoxSeasons, &TForm1::LoadSeasons); }
void TForm1::LabelCatDblClick() { EditList(*this, "categories", ComboBoxCategories, &TForm1::LoadCategories); }
void TForm1::Label11DblClick() { EditDepartments(*this, "departments"); }
void TForm1::Label12DblClick() { EditDepartments(*this, "productgroups"); }
void TForm1::LabelBrandDblClick() { EditList(*this, "brandnames", ComboBoxBrands, &TForm1::LoadBrandLabelList); }
void TForm1::LabelSizeScaleDblClick() {
  EditList(*this, "sizeranges", ComboBoxSizeRanges, &TForm1::LoadSizeScaleList);
}
void TForm1::LabelVATDblClick() { EditList(*this, "TaxRates", ComboBoxTaxRates, &TForm1::LoadVatRateList); }

void TForm1::SpButInfoHistClick() { StartWithRootPLU(*this, "ItemDataReport"); }
void TForm1::SpButInfoContentClick() { StartWithRootPLU(*this, "webcopy"); }
