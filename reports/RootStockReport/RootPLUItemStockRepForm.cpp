#include "RootPLUItemStockRepForm.h"

#include "DataModF.h"
#include "PickList.h"
#include "RootStockListingClass.h"

#include <QComboBox>

TMainForm::TMainForm() : TStockListingForm(std::make_unique<TRootStockListingClass>(), kTitle) {}

void TMainForm::LoadBranches() {
  // A failed query (logged) counts as no branch.
  QStringList branches;
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (DMDB->RunQuery("select id, name from branches order by name", q)) {
    for (q->First(); !q->Eof(); q->Next())
      branches << q->FieldByName("name").AsString() + "=" + q->FieldByName("id").AsString();
    q->Close();
  }
  if (branches.isEmpty()) {
    DMDB->MsgBox(kNoBranches, 0);
    Terminate();
    return;
  }
  kui::SetPickItems(ComboBoxBranch, branches);
}
