#pragma once
// The copy-departments dialog of the departments editor: the departments of
// the "From Category" are ticked, a "To Category" is chosen, and Copy writes
// them there (with their sub-departments when asked), skipping the names the
// destination has already (TCopyDeptClass). The dialog stays open for more
// copies. Borderless and maximised, white; the lists show their items whole,
// name, "=" and id.
//
//   TFormCopyDept dlg(this);       // the global FormCopyDept while it lives
//   dlg.Execute(categoryId);       // the caller's chosen category is the source
#include "KvDialog.h"

#include "CopyDeptClass.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace kui {
class KvCheckListBox;
}

class TFormCopyDept : public kui::KvDialog {
  Q_OBJECT
 public:
  explicit TFormCopyDept(QWidget* owner = nullptr);
  ~TFormCopyDept() override;

  static constexpr const char* kTitle = "Copy Departments";
  static constexpr const char* kNoDestination = "Please select a category.";
  static constexpr const char* kCopying = "Copying...";
  static constexpr const char* kCopyFailed = "Error: The departments have not been copied.";
  static constexpr quint32 kYellowColour = 13041663;
  static constexpr int kDropDownRows = 12;

  // ----- components ---------------------------------------------------------------
  QLabel* PanelTop = nullptr;
  QToolButton* ImageExit = nullptr;
  QToolButton* SpeedButtonAll = nullptr;
  QToolButton* SpeedButtonNone = nullptr;
  QComboBox* ComboBoxCat = nullptr;
  kui::KvCheckListBox* CheckListBoxDept = nullptr;
  QComboBox* ComboBoxCatDest = nullptr;
  QCheckBox* CheckBoxCopySub = nullptr;
  QPushButton* ButtonCopy = nullptr;

  // ----- members --------------------------------------------------------------------
  QString DestCategoryID;
  QString DestCategoryName;
  QString SourceDepartmentID;
  QString DepartmentName;
  // What the last Copy did.
  TCopyDeptClass::Result LastResult;

  // ----- routines and handlers ----------------------------------------------------------
  // Loads the categories, selects the one of the id as the source (by its
  // id, so a category another user added meanwhile cannot shift it) and
  // shows the dialog modally.
  void Execute(const QString& categoryId);
  void ClearLists();
  // False (logged, the user told) when the categories could not be read.
  bool LoadCategories();
  bool LoadDepartments(const QString& categoryId);
  void LoadDestinations();
  void RefreshLists();
  void ComboBoxCatChange();
  void CheckAll(bool checked);
  void SpeedButtonAllClick() { CheckAll(true); }
  void SpeedButtonNoneClick() { CheckAll(false); }
  void ButtonCopyClick();
  void CopyDepartments();
  void FormKeyPress(QChar& key);
  void ImageExitClick() { close(); }

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  TCopyDeptClass copy_;
};

// The copy dialog while it is open (nullptr otherwise).
extern TFormCopyDept* FormCopyDept;
