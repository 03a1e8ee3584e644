// TFormStyleHistoryF: finding a style and loading the style and info grids.
#include "StyleHistoryForm.h"

#include "DataModF.h"
#include "HistorySQLClass.h"
#include "KvBusyGuard.h"
#include "KvDb.h"
#include "KvStringGrid.h"
#include "PickList.h"

#include <QComboBox>
#include <QDateEdit>
#include <QSplitter>

// ----- the style -------------------------------------------------------------------------------

TFormStyleHistoryF::TFound TFormStyleHistoryF::FindStyle(const QString& rootText, const QString& styleText) {
  TWaitStep wait(*this, "Searching for style...");
  SQLText = THistorySQLClass::FindStyle(rootText, styleText);
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery(SQLText, q)) {
    NoteFailure("Could not search for the style");
    return TFound::Failed;
  }
  if (q->IsEmpty()) return TFound::NotFound;
  CurrentStyle = q->FieldByName("style").AsString();
  return TFound::Found;
}

void TFormStyleHistoryF::OpenStyle(const QString& style) {
  TWaitStep wait(*this, "Please wait loading style: " + style);
  if (!LoadStyle(style)) return;
  LoadSizes();
  LoadHistory();
}

bool TFormStyleHistoryF::LoadStyle(const QString& style) {
  TWaitStep wait(*this, "Please wait loading style: " + style);
  CurrentRootPLU.clear();
  CurrentStyle = style;
  if (!LoadStyleColours()) return false;
  ComboBoxStyle->setCurrentIndex(AddUniqueComboItem(ComboBoxStyle, style));
  return true;
}

void TFormStyleHistoryF::ResetStyleGrid() { style_.Reset(); }

bool TFormStyleHistoryF::LoadStyleColours() {
  SQLText = THistorySQLClass::StyleColours(CurrentStyle);
  ResetStyleGrid();
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery(SQLText, q)) {
    NoteFailure("Could not load the style " + CurrentStyle);
    return false;
  }
  if (q->IsEmpty()) return false;
  style_.SetColours(q->RecordCount());
  int col = 1;
  for (q->First(); !q->Eof(); q->Next(), ++col) style_.FillColour(col, *q);
  CurrentRootPLU = SGridStyle->Cell(1, TStyleGridClass::srRootPLU);
  return true;
}

QString TFormStyleHistoryF::Colour(int col) const { return SGridStyle->Cell(col, TStyleGridClass::srColour); }

// ----- the sizes and the colour list ---------------------------------------------------------------

void TFormStyleHistoryF::ResetInfoGrid() { info_.Reset(LocalMode()); }

void TFormStyleHistoryF::ClearInfoGrid() { info_.Clear(); }

void TFormStyleHistoryF::ClearSalesBetween() { info_.ClearRow(hrSalesBetween); }

void TFormStyleHistoryF::LoadSizes() {
  // The size columns come with the colour's figures (LoadHistory).
  ResetInfoGrid();
  sizesRootPLU_.clear();
  QStringList colours;
  for (int col = 1; col < SGridStyle->ColCount(); ++col) {
    const QString root = SGridStyle->Cell(col, TStyleGridClass::srRootPLU);
    colours << Colour(col) + "=" + root;
    AddUniqueComboItem(ComboBoxRoot, root);
  }
  {
    // Filling the list is no choice of the user's: no reload.
    const QSignalBlocker quiet(ComboByColour);
    kui::SetPickItems(ComboByColour, colours);
    ComboByColour->setCurrentIndex(0);
  }
  ComboBoxRoot->setCurrentIndex(-1);
  ComboBoxRoot->setEditText(QString());
  CurrentRootPLU = kui::SelectedPickValue(ComboByColour);
}

// ----- the movements --------------------------------------------------------------------------------

void TFormStyleHistoryF::LoadHistory() {
  {
    const bool local = LocalMode();
    TWaitStep wait(*this, local ? "Loading stock..." : "Loading history...");
    bool isNumber = false;
    CurrentBranchId = kui::SelectedPickValue(ComboBoxBranch).toLongLong(&isNumber);
    if (!isNumber) CurrentBranchId = 0;
    SQLText = THistorySQLClass::History(CurrentRootPLU, CurrentBranchId, local);
    kdb::Query* q = DMDB->DBQueryRemote1;
    const int col = SGridInfo->Col(), row = SGridInfo->Row();
    if (DMDB->RunQuery(SQLText, q)) {
      // The columns are those of the colour shown, so every figure stands
      // under its own size; the current cell stays where it was.
      ResetInfoGrid();
      info_.Load(*q, true);
      sizesRootPLU_ = CurrentRootPLU;
      if (col < SGridInfo->ColCount()) SGridInfo->SetCurrent(col, row);
    } else {
      NoteFailure("Could not load the history of " + CurrentRootPLU);
      // Without the colour's sizes one column shows that nothing could be read.
      if (sizesRootPLU_ != CurrentRootPLU || info_.SizeCount() == 0) {
        ResetInfoGrid();
        info_.AddSize(QString(), QString());
        sizesRootPLU_.clear();
      }
      ClearInfoGrid();
      for (const THistoryFigure& f : THistorySQLClass::Figures())
        if (f.row != hrSalesBetween && (!local || f.row == hrStock)) info_.MarkFailed(f.row);
      if (!local) info_.MarkFailed(hrOnOrder);
    }
    PanelInfoFilterBottom->setVisible(!local);
  }
  PanelInfo->show();
  SplitterBody->handle(1)->setEnabled(true);
}

bool TFormStyleHistoryF::LoadSales() {
  SQLText =
      THistorySQLClass::SalesBetween(CurrentRootPLU, CurrentBranchId, DTPickStart->date(), DTPickEnd->date());
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery(SQLText, q)) {
    NoteFailure("Could not load the sales of " + CurrentRootPLU);
    info_.MarkFailed(hrSalesBetween);
    return false;
  }
  info_.Load(*q, false);
  return true;
}

// ----- the branches ---------------------------------------------------------------------------------

void TFormStyleHistoryF::LoadBranches() {
  QStringList items{"[All]=0"};
  kdb::Query* q = DMDB->DBQueryRemote1;
  SQLText = THistorySQLClass::Branches();
  if (DMDB->RunQuery(SQLText, q)) {
    kdb::Field& name = q->FieldByName("NAME");
    kdb::Field& id = q->FieldByName("ID");
    for (q->First(); !q->Eof(); q->Next()) items << name.AsString() + "=" + id.AsString();
  } else {
    NoteFailure("Could not load the branches");
  }
  const QSignalBlocker quiet(ComboBoxBranch);
  kui::SetPickItems(ComboBoxBranch, items);
  ComboBoxBranch->setCurrentIndex(0);
}
