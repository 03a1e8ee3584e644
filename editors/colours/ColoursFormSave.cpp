// TForm1: the checks before a save, the save of the colour with the rewrite
// of its copies in PRODUCTS, and the printed list.
//
// The row and the copies change in the frame's one transaction: PRODUCTS
// never shows a name or display colour that the colour row does not hold.
#include "ColoursForm.h"

#include <QComboBox>

#include "CodeListSaveClass.h"
#include "ColourRulesClass.h"
#include "DataModF.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ProductsRenameClass.h"

namespace {
constexpr const char* kNameExists = "Name already exists, please enter a unique name";
}  // namespace

bool TForm1::NameTaken(const QString& name) {
  return TCodeListSaveClass::Exists(*DMDB->DBQueryBRules, "select name from parameters where name = " +
                                                              kdb::sql::Quote(name) + " and type = 'COLOUR'" +
                                                              " and id <> " + kdb::sql::Int(CurrentIntID()));
}

bool TForm1::ValidateRecord() {
  EditName->setText(EditName->text().trimmed());
  if (EditName->text().isEmpty()) return Refuse("Please enter a name", EditName);
  if (SingleUser()) ComboBoxBase->setCurrentIndex(ComboBoxBase->findText(kSingleUserBase));
  if (ComboBoxBase->currentIndex() < 0) return Refuse("Please select a base colour", ComboBoxBase);
  if (NameTaken(EditName->text())) return Refuse(kNameExists, EditName);
  return true;
}

void TForm1::CheckInSave(kdb::Database&) {
  // Again under the save's lock: a colour of that name saved by another user
  // since the check before the save is found here.
  if (NameTaken(EditName->text())) throw TCodeListRefusal(kNameExists, EditName);
}

QString TForm1::BaseToWrite() const {
  // Found in any letter case, a base colour the user did not change is no
  // change: "BLUE" stays "BLUE".
  if (!ModeState().Adding() && ComboBoxBase->currentIndex() == loadedBase_) return Baseline.Value("PARENT_NAME").toString();
  return ComboBoxBase->currentText();
}

qint64 TForm1::d_WriteRecord(kdb::Database&) {
  qint64 id = 0;
  if (!ModeState().Adding()) {
    // Id 0 would write a new row: an edited colour must name its own.
    id = CurrentIntID();
    if (id <= 0) throw kdb::DbError("No colour is loaded.");
  }
  kdb::Table& table = *DMDB->DBTableR1;
  id = TColourRulesClass::SaveColour(table, id, Baseline, EditName->text(), BaseToWrite(), Colour());
  // The products copy the row as the save left it: a display colour another
  // user set meanwhile, which this window did not change, is copied too.
  savedName_ = table.FieldByName("NAME").AsString();
  savedColour_ = TColourRulesClass::ColourOfRate(table.FieldByName("RATE").Value());
  return id;
}

void TForm1::d_RenameProducts(kdb::Database&, qint64 id) {
  TProductsRenameClass::Run(*DMDB->DBQueryRemote2, TColourRulesClass::UpdateProductsColour(id, savedName_, savedColour_));
}

// ----- the printed list --------------------------------------------------------------------

bool TForm1::FillPrintGrid() {
  // The display and base colours are not printed.
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery("SELECT ID, NAME FROM PARAMETERS WHERE TYPE ='COLOUR' ORDER BY NAME", q)) return false;
  StringGrid1->SetColCount(2);
  StringGrid1->SetRowCount(q->RecordCount());
  int row = 0;
  for (q->First(); !q->Eof(); q->Next(), ++row)
    StringGrid1->SetRowTexts(row, {q->FieldByName("ID").AsString(), q->FieldByName("NAME").AsString()});
  return true;
}

std::unique_ptr<TQuickReport1> TForm1::CreatePrintForm() {
  return std::make_unique<TQuickReport1>(
      QPageLayout::Portrait, 100,
      std::vector<TPrintColumn>{{"ID:", "QRLabelID", 4, 60}, {"NAME:", "QRLabelName", 70, 400}});
}
