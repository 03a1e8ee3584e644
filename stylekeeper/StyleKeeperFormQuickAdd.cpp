// TForm1: the quick-add of list entries, the "+" beside seven pick lists of
// the style tab. The dialog is QuickAddForm; the write is TQuickAddClass's.
#include "StyleKeeperForm.h"

#include <QComboBox>
#include <QToolButton>

#include "DMBRulesF.h"
#include "DataModF.h"
#include "KvEdit.h"
#include "ModeWords.h"
#include "PickList.h"
#include "QuickAddClass.h"
#include "QuickAddForm.h"

namespace {

// PARAMETERS.NAME holds no more than this.
constexpr int kNameLength = 60;
constexpr int kSeasonNameLength = 8;

// The list a typed quick-add adds to.
struct TypedList {
  const char* type;
  const char* caption;
  int maxLength;
  QComboBox* TForm1::*combo;
  void (TForm1::*loader)();
  QComboBox* TForm1::*parent;  // nullptr: no parent
  const char* noParent;        // the message when no parent is chosen
};

// Reloads the list a quick-add added `newName` to and selects: the new entry
// while a new style is entered (and reloads the lists that hang on it), the
// entry chosen before in every other mode.
void ReloadAfterQuickAdd(TForm1& f, QComboBox* combo, void (TForm1::*loader)(), const QString& newName) {
  const QString before = combo->currentIndex() < 0 ? QString() : kui::SelectedPickName(combo);
  const QString subBefore = kui::SelectedPickName(f.ComboBoxProductGroups);
  (f.*loader)();
  if (f.Mode() == skmode::kAdd) {
    combo->setCurrentIndex(TForm1::IndexOfName(combo, newName));
    if (combo == f.ComboBoxCategories) f.ComboBoxCategoriesSelect();
    if (combo == f.ComboBoxDepartments) f.ComboBoxDepartmentsSelect();
    return;
  }
  combo->setCurrentIndex(before.isEmpty() ? -1 : TForm1::IndexOfName(combo, before));
  // Reloading the departments empties the sub-departments: the style keeps
  // the one it had, or a save would write it without one.
  if (combo == f.ComboBoxDepartments) {
    f.LoadSubDepartmentList();
    f.ComboBoxProductGroups->setCurrentIndex(subBefore.isEmpty() ? -1 : TForm1::IndexOfName(f.ComboBoxProductGroups, subBefore));
  }
}

void TypedQuickAdd(TForm1& f, const TypedList& list, const std::function<void(int id)>& afterSave = {}) {
  QString parentName, parentId;
  if (list.parent) {
    QComboBox* parent = f.*list.parent;
    if (parent->currentIndex() < 0) {
      DMDB->ShowMessage(list.noParent);
      return;
    }
    parentName = kui::SelectedPickName(parent);
    parentId = kui::SelectedPickValue(parent);
  }
  if (!f.d_QuickAddParam(list.type, list.caption, parentName, parentId, list.maxLength, afterSave)) return;
  if (f.QuickAddName.isEmpty()) return;
  ReloadAfterQuickAdd(f, f.*list.combo, list.loader, f.QuickAddName);
}

const TypedList kSuppliers{"SUPPLIER", "Supplier:", kNameLength, &TForm1::ComboBoxSuppliers, &TForm1::LoadSuppliers,
                           nullptr, nullptr};
const TypedList kSeasons{"SEASON", "Season:", kSeasonNameLength, &TForm1::ComboBoxSeasons, &TForm1::LoadSeasons,
                         nullptr, nullptr};
const TypedList kBrands{"BRANDLABEL", "Brand:", kNameLength, &TForm1::ComboBoxBrands, &TForm1::LoadBrandLabelList,
                        nullptr, nullptr};
const TypedList kCategories{"CATEGORY", "Category:", kNameLength, &TForm1::ComboBoxCategories,
                            &TForm1::LoadCategories, nullptr, nullptr};
const TypedList kDepartments{"DEPARTMENT", "Department:", kNameLength, &TForm1::ComboBoxDepartments,
                             &TForm1::LoadDepartments, &TForm1::ComboBoxCategories,
                             "Please select a category first."};
const TypedList kSubDepartments{"SUBDEPARTMENT", "Sub-Department:", kNameLength, &TForm1::ComboBoxProductGroups,
                                &TForm1::LoadSubDepartmentList, &TForm1::ComboBoxDepartments,
                                "Please select a department first."};

}  // namespace

void TForm1::ConnectQuickAddHandlers() {
  OnClick(SpButAddSupplier, "TForm1::SpButAddSupplierClick", &TForm1::SpButAddSupplierClick);
  OnClick(SpButAddColour, "TForm1::SpButAddColourClick", &TForm1::SpButAddColourClick);
  OnClick(SpButAddSeason, "TForm1::SpButAddSeasonClick", &TForm1::SpButAddSeasonClick);
  OnClick(SpButAddBrand, "TForm1::SpButAddBrandClick", &TForm1::SpButAddBrandClick);
  OnClick(SpButAddCat, "TForm1::SpButAddCatClick", &TForm1::SpButAddCatClick);
  OnClick(SpButAddDept, "TForm1::SpButAddDeptClick", &TForm1::SpButAddDeptClick);
  OnClick(SpButAddSubDept, "TForm1::SpButAddSubDeptClick", &TForm1::SpButAddSubDeptClick);
}

bool TForm1::d_QuickAddParam(const QString& type, const QString& caption, const QString& parentName,
                             const QString& parentID, int maxLength, const std::function<void(int id)>& afterSave) {
  QuickAddID.clear();
  QuickAddName.clear();
  try {
    TFormQuickAdd dialog(this);
    dialog.ListType = type;
    dialog.ParentID = parentID;
    dialog.ParentName = parentName;
    dialog.AfterSave = afterSave;
    if (!dialog.Execute(caption, maxLength)) return false;
    QuickAddID = dialog.NewID;
    QuickAddName = dialog.NewName;
    return true;
  } catch (const std::exception& e) {
    DMDB->LogException(e, "TForm1::d_QuickAddParam");
    return false;
  }
}

void TForm1::SpButAddSupplierClick() { TypedQuickAdd(*this, kSuppliers); }

void TForm1::SpButAddSeasonClick() {
  // The new season becomes everybody's default, in the same unit of work.
  TypedQuickAdd(*this, kSeasons, [](int id) { DMBRules->SetDefaultSeason(QString::number(id)); });
}

void TForm1::SpButAddBrandClick() { TypedQuickAdd(*this, kBrands); }
void TForm1::SpButAddCatClick() { TypedQuickAdd(*this, kCategories); }
void TForm1::SpButAddDeptClick() { TypedQuickAdd(*this, kDepartments); }
void TForm1::SpButAddSubDeptClick() { TypedQuickAdd(*this, kSubDepartments); }

void TForm1::SpButAddColourClick() {
  TFormQuickAdd& dialog = TFormQuickAdd::Kept(this);
  dialog.ListType.clear();  // the dialog only asks; the colour is written here
  for (bool ok = dialog.Execute("Colour:", kNameLength); ok; ok = dialog.ShowAgain()) {
    const QString name = dialog.EditDesc->text();
    try {
      TQuickAddClass::AddColour(name);
    } catch (const TQuickAddClass::Duplicate&) {
      DMDB->ShowMessage("There is already a colour with the same name!");
      continue;  // asked again, the name still in the field
    } catch (const std::exception& e) {
      DMDB->LogException(e, "TForm1::SpButAddColourClick");
      DMDB->ShowMessage("The new colour was not saved.\n\n" + TDMDB::ExceptionMessage(e));
      return;
    }
    ReloadAfterQuickAdd(*this, ComboBoxColours, &TForm1::LoadColours, name);
    return;
  }
}
