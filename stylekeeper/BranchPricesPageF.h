#pragma once
// The branch prices page ("Branch Level Pricing"): one branch's retail
// price per PLU of the style on screen, kept in BRANCHSTOCK.BSRETAIL_PRICE,
// in a colour-by-size grid that is always open for typing. Opened from the
// prices page's "Branch Prices" button; no modes and no security check.
#include <QHash>
#include <QString>

#include "FormPartF.h"

class QComboBox;
class QLabel;
class QToolButton;
class TColourSizeViewClass;

namespace kui {
class KvStringGrid;
}

class TBranchPricesPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TBranchPricesPage(TForm1& form);

  kui::KvStringGrid* SGridBSPrice = nullptr;
  QComboBox* ComboBoxBSPBranch = nullptr;
  QLabel* PanelBSPriceStyle = nullptr;
  QLabel* PanelBSPriceMode = nullptr;  // always "EDIT" (skmode::kDesign): no modes
  QToolButton* SpeedButtonSaveBranchPrices = nullptr;  // "Apply"
  QToolButton* SpBLPSmartCopy = nullptr;               // "Smart Copy"

  TColourSizeViewClass& View() const;

  // The page's handlers (TForm1's entry points call them).
  void Open();
  void BranchSelect();
  void Apply();
  void SmartCopy();

  // The prices as loaded (or last written), by PLU.
  QHash<QString, QString> Loaded;

 private:
  bool ready_ = false;  // the grid holds the prices of a branch
};
