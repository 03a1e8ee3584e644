#pragma once
// The departments editor's main window: the categories at the left, the
// departments of the chosen category under them (the frame's list), and the
// chosen department's name and VAT rate. A department belongs to one
// category (PARENT_ID and PARENT_NAME) and names its VAT row in EXTRA; its
// name is unique within its category. The department list carries the copy
// button (TFormCopyDept) at its left and the multi-add button at its right.
//
// The members are spread over two files:
//   DepartmentsForm.cpp      the fields, the two lists, loading a department, the VAT rate
//   DepartmentsFormSave.cpp  the checks, the save, several at once, the copy, the printed list
//
// Every reload of the list (start, Save, Cancel, multi-add) reads the VAT
// rates and the categories again and shows the category chosen before, by
// its id, with its first department.
#include "ParamEditorForm.h"

class QComboBox;

class TForm1 : public TParamEditorForm {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  static constexpr const char* kTitle = "Departments";
  static constexpr const char* kSelectCategory = "Please select a category.";
  static constexpr const char* kSelectVAT = "Please select a VAT rate.";
  static constexpr const char* kNoVATForMultiAdd =
      "There is no VAT rate for the new departments: show a department with the VAT rate they should have, "
      "or set a default VAT rate.";

  // ----- components ------------------------------------------------------------------
  QListWidget* ListBoxCat = nullptr;
  QListWidget* ListBoxDept = nullptr;  // the frame's ListBoxParam
  QToolButton* SpButParamCopy = nullptr;
  QComboBox* ComboBoxVAT = nullptr;
  QLabel* LabelVATRate = nullptr;

  // ----- members ----------------------------------------------------------------------
  QString CategoryID;    // of the chosen category; "" while none is chosen
  QString CategoryName;
  int CategoryIndex = -1;     // the list index of the last chosen category
  int DefaultVATIndex = -1;   // of the default VAT rate in ComboBoxVAT
  QString SQLText;            // the last statement the form built
  int DepartmentID() const { return CurrentIntID(); }

  // ----- handlers ------------------------------------------------------------------------
  void ListBoxCatClick();
  void ListBoxDeptClick() { ListBoxParamClick(); }
  void ComboBoxVATChange();
  void SpButParamCopyClick();

  // ----- routines ------------------------------------------------------------------------
  // The categories again (no department read); false when they could not be read.
  bool ReloadCategories();
  // When the index lies in the list: selects it and loads it (focus: then
  // that list); outside the list nothing happens.
  void SelectCategory(int index, bool focus);
  void SelectDepartment(int index, bool focus);
  // The departments of the chosen category, the first one loaded.
  void LoadDepartmentList();
  void ClearDepartment() { ClearRecord(); }
  bool ValidateDepartment();
  // Several departments at once into the chosen category.
  TParamMultiAddClass::Result AddDepartments(const QStringList& lines) { return SaveMultiAdd(lines); }
  // The rows of a list whose parent is the given row, as "NAME=ID" items.
  bool GetParamListByParent(QStringList& items, const QString& type, const QString& parentId);

 protected:
  bool ReadListItems(QStringList& items) override;
  void ClearFields() override;
  void LoadRecord() override;
  void SetFieldsEditing(bool editing) override;
  QString SelectRecordMessage() const override { return "Please select a department."; }
  bool ValidateRecord() override { return ValidateDepartment(); }
  qint64 d_WriteRecord(kdb::Database& db) override;
  QString SavedMessage() const override { return "Department has been saved."; }
  QString SaveFailedMessage() const override { return "Error: Department has not been saved."; }
  QString NameParentID() const override { return CategoryID; }
  bool MultiAddAllowed() override;
  void d_WriteMultiAddEntry(const QString& name) override;
  bool FillPrintGrid() override;
  std::unique_ptr<TQuickReport1> CreatePrintForm() override;

 private:
  void BuildFields();
  bool LoadVATRates();
  // The category at the index becomes the chosen one (-1: none), without
  // reading its departments.
  void ChooseCategory(int index);
  // Add, copy and multi-add need a chosen category.
  void ShowCategoryButtons();
  // The department's row: its name, VAT, category.
  kdb::EditBaseline::Values DepartmentValues(const QString& name, const QString& vatId) const;

  bool departmentsOnly_ = false;  // a category click reads its departments only
  QString multiAddVAT_;           // the VAT rate of the departments added at once
};
