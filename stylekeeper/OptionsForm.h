#pragma once
// The print options of the style sheet: all styles, or only the style on
// screen. Created per print with the main window as owner.
//
//   TFormOptions options(window);
//   if (options.Execute()) Print(options.ItemIndex() == TFormOptions::kOnlyThisStyle);
#include "PanelDialogForm.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;
class QRadioButton;

class TFormOptions : public TFormPanelDialog {
  Q_OBJECT
 public:
  explicit TFormOptions(QWidget* owner = nullptr);

  static constexpr int kClientWidth = 391;
  static constexpr int kClientHeight = 345;
  // The items of RadioGroup1.
  static constexpr int kAllStyles = 0;
  static constexpr int kOnlyThisStyle = 1;

  QGroupBox* RadioGroup1 = nullptr;  // " Print Options: "
  QRadioButton* RadioAllStyles = nullptr;
  QRadioButton* RadioThisStyle = nullptr;
  QPushButton* BitBtn1 = nullptr;  // OK
  QPushButton* BitBtn2 = nullptr;  // Cancel

  // The chosen item (kAllStyles preselected).
  int ItemIndex() const;
  void SetItemIndex(int index);

 private:
  QButtonGroup* items_ = nullptr;
};
