#pragma once
// The categories editor's main window: the categories (PARAMETERS rows of
// TYPE CATEGORY, the top of the product tree) in the list, the chosen
// category's name and its code or reference, kept in PARENT_NAME with
// PARENT_ID "0". A save carries the name into PRODUCTS; the departments keep
// their own copies of it.
#include "ParamEditorForm.h"

class TForm1 : public TParamEditorForm {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  static constexpr const char* kTitle = "Categories";
  static constexpr int kCodeLength = 30;

  kui::KvEdit* EditCode = nullptr;

 protected:
  void ClearFields() override;
  void LoadRecord() override;
  void SetFieldsEditing(bool editing) override;
  QString SelectRecordMessage() const override { return "Please select a category."; }
  bool ValidateRecord() override;
  qint64 d_WriteRecord(kdb::Database& db) override;
  void d_WriteMultiAddEntry(const QString& name) override;
  QString SavedMessage() const override { return "Category has been saved."; }
  QString SaveFailedMessage() const override { return "Error: Category has not been saved."; }
  bool FillPrintGrid() override;
  std::unique_ptr<TQuickReport1> CreatePrintForm() override;
};
