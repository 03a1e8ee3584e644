// TForm1: the checks before a save, the save of the colour with the rewrite
// of its copies in PRODUCTS, and the printed list.
//
// The row and the copies change in the frame's one transaction: PRODUCTS
// never shows a name or display colour that the colour row does not hold.
#include "ColoursForm.h"

#include <QComboBox>

#include "ColourRulesClass.h"
#include "DataModF.h"
#include "KvEdit.h"

bool TForm1::ValidateRecord() {
  if (!TrimName()) return false;
  if (SingleUser()) ComboBoxBase->setCurrentIndex(ComboBoxBase->findText(kSingleUserBase));
  if (ComboBoxBase->currentIndex() < 0) return Refuse("Please select a base colour", ComboBoxBase);
  return NameIsFree();
}

QString TForm1::BaseToWrite() const {
  // Found in any letter case, a base colour the user did not change is no
  // change: "BLUE" stays "BLUE".
  if (!ModeState().Adding() && ComboBoxBase->currentIndex() == loadedBase_) return Baseline.Value("PARENT_NAME").toString();
  return ComboBoxBase->currentText();
}

qint64 TForm1::d_WriteRecord(kdb::Database&) {
  return WriteParam(TColourRulesClass::RowValues(EditName->text(), BaseToWrite(), Colour()));
}

TProductsRenameClass::Copies TForm1::ProductsCopies(kdb::DataSet& savedRow) const {
  // A display colour another user set meanwhile, which this window did not
  // change, is copied too.
  return TColourRulesClass::UpdateProductsColour(savedRow.FieldByName("NAME").AsString(),
                                                 TColourRulesClass::ColourOfRate(savedRow.FieldByName("RATE").Value()));
}

bool TForm1::FillPrintGrid() {
  // The display and base colours are not printed.
  return FillPrintGridFrom("SELECT ID, NAME FROM PARAMETERS WHERE TYPE ='COLOUR' ORDER BY NAME", {"ID", "NAME"});
}
