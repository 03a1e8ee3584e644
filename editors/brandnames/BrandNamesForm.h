#pragma once
// The brand-label editor's main window: the brands (PARAMETERS rows of TYPE
// BRANDLABEL) in the list, the chosen brand's name, its code or reference
// (EXTRA) and whether it is the default brand (the row whose PARENT_ID is its
// own ID; every brand row carries the default's ID). A save carries the name
// into PRODUCTS; "Yes" makes the brand the default.
#include "ParamEditorForm.h"

class QComboBox;

class TForm1 : public TParamEditorForm {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  static constexpr const char* kTitle = "Brand Names";
  static constexpr const char* kNo = "No";
  static constexpr const char* kYes = "Yes";
  static constexpr int kCodeLength = 30;

  kui::KvEdit* EditCode = nullptr;
  QComboBox* ComboBoxDefault = nullptr;

  // The brand's id becomes the default of every brand row.
  void SetDefaultBrandLabel(qint64 id);

 protected:
  void ClearFields() override;
  void LoadRecord() override;
  void SetFieldsEditing(bool editing) override;
  QString SelectRecordMessage() const override { return "Please select a brand"; }
  bool ValidateRecord() override;
  qint64 d_WriteRecord(kdb::Database& db) override;
  void d_WriteMultiAddEntry(const QString& name) override;
  QString SavedMessage() const override { return "Brand has been saved."; }
  QString SaveFailedMessage() const override { return "Error: Brand has not been saved."; }
  bool FillPrintGrid() override;
  std::unique_ptr<TQuickReport1> CreatePrintForm() override;

 private:
  bool loadedDefault_ = false;
};
