#pragma once
// The external codes page: each PLU's external barcode and SKU, one grid
// row per PLU of the style on screen.
#include <vector>

#include "FormPartF.h"
#include "PageSaveClass.h"

class QLabel;
class QToolButton;

namespace kui {
class KvStringGrid;
}

class TExtCodesPage : public TFormPart {
  Q_OBJECT
 public:
  explicit TExtCodesPage(TForm1& form);

  // "External": lists the PLUs of the style on screen.
  void Open();
  // "Apply": writes the codes changed since Open, all or none.
  void Apply();

  QLabel* PanelExternalStyle = nullptr;
  kui::KvStringGrid* SGridExtCode = nullptr;
  QToolButton* SpButApplyExtCodes = nullptr;

 private:
  std::vector<TPageSaveClass::KeptRow> rows_;  // grid row r is rows_[r - 1]
};
