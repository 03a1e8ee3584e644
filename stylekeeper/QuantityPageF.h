#pragma once
// The four quantity pages of the style editor: "Stock", "Min Stock", "Max
// Stock" and "Barcodes". Each shows one branch's quantities of the style on
// screen, one BRANCHSTOCK column, in a colour-by-size grid; one class serves
// the four, told apart by their Kind.
#include <QString>

#include "FormPartF.h"

class QCheckBox;
class QToolButton;

class TQuantityPage : public TFormPart {
  Q_OBJECT
 public:
  enum class Kind { Stock, MinStock, MaxStock, Barcodes };

  TQuantityPage(TForm1& form, Kind kind);

  const Kind PageKind;
  // The BRANCHSTOCK column the page shows and writes.
  QString Column() const;

  // The stock page's own controls (nullptr on the other three).
  QToolButton* SpButStockUseRatio = nullptr;
  QCheckBox* CheckBoxMinStock = nullptr;
  QCheckBox* CheckBoxMaxStock = nullptr;
  QCheckBox* CheckBoxCreateBarcodes = nullptr;

 private:
  void BuildStockControls();
};
