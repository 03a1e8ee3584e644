// TForm1: the checks before a save, the department's row, several
// departments at once, the copy to another category and the printed list.
//
// A department always belongs to a category: without a chosen category Add,
// copy and multi-add are not offered and a save is refused, so no department
// is written without its parent.
#include "DepartmentsForm.h"

#include <QComboBox>
#include <QListWidget>

#include "CodeListSaveClass.h"
#include "DataModF.h"
#include "FormCopyDeptF.h"
#include "KvEdit.h"
#include "PickList.h"

bool TForm1::ValidateDepartment() {
  if (CategoryID.isEmpty()) return Refuse(kSelectCategory, ListBoxCat);
  if (!TrimName()) return false;
  if (ComboBoxVAT->currentIndex() < 0) return Refuse(kSelectVAT, ComboBoxVAT);
  // Unique within the category: another category may have the same name.
  return NameIsFree();
}

kdb::EditBaseline::Values TForm1::DepartmentValues(const QString& name, const QString& vatId) const {
  return {{"NAME", name},
          {"EXTRA", vatId},
          {"PARENT_ID", kdb::sql::Int(CategoryID).toLongLong()},
          {"PARENT_NAME", CategoryName}};
}

qint64 TForm1::d_WriteRecord(kdb::Database&) {
  if (CategoryID.isEmpty()) throw TCodeListRefusal(kSelectCategory, ListBoxCat);
  return WriteParam(DepartmentValues(EditName->text(), kui::SelectedPickValue(ComboBoxVAT)));
}

// ----- several at once ----------------------------------------------------------------------

bool TForm1::MultiAddAllowed() {
  if (CategoryID.isEmpty()) return Refuse(kSelectCategory, ListBoxCat);
  // The VAT rate of the department shown, else the default rate.
  multiAddVAT_ = kui::SelectedPickValue(ComboBoxVAT);
  if (multiAddVAT_.isEmpty()) multiAddVAT_ = kui::PickValueAt(ComboBoxVAT, DefaultVATIndex);
  return !multiAddVAT_.isEmpty() || Refuse(kNoVATForMultiAdd);
}

void TForm1::d_WriteMultiAddEntry(const QString& name) { AppendParam(DepartmentValues(name, multiAddVAT_)); }

// ----- the copy ------------------------------------------------------------------------------

void TForm1::SpButParamCopyClick() {
  try {
    if (!ListBoxCat->isEnabled() || CategoryID.isEmpty()) return;
    TFormCopyDept dialog(this);
    dialog.Execute(CategoryID);
  } catch (const std::exception& e) {
    DMDB->LogException(e, Where("SpButParamCopyClick"));
    DMDB->ShowMessage("Error: " + TDMDB::ExceptionMessage(e));
  }
}

// ----- the printed list ----------------------------------------------------------------------

bool TForm1::FillPrintGrid() {
  // In the order of the category name each department keeps.
  return FillPrintGridFrom(
      "SELECT ID, PARENT_NAME, NAME FROM PARAMETERS WHERE TYPE ='DEPARTMENT' ORDER BY PARENT_NAME, NAME",
      {"ID", "PARENT_NAME", "NAME"});
}

std::unique_ptr<TQuickReport1> TForm1::CreatePrintForm() {
  return std::make_unique<TQuickReport1>(QPageLayout::Portrait, 100,
                                         std::vector<TPrintColumn>{{"ID:", "QRLabelID", 4, 60},
                                                                   {"CATEGORY:", "QRLabelName", 70, 300},
                                                                   {"DEPARTMENT:", "QRLabelDepartmentName", 380, 300}});
}
