#include "StockListingForm.h"

#include "DataModF.h"
#include "KVFormUtilSelectChListF.h"
#include "KvColour.h"
#include "KvStringGrid.h"
#include "StockListingPrintForm.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kDefaultColWidth = 72;
constexpr int kPumpMilliseconds = 50;  // how often a long fill lets the window repaint
}  // namespace

TStockListingForm::TStockListingForm(std::unique_ptr<TStockListingClass> listing, const QString& title)
    : listing_(std::move(listing)) {
  SetReportTitle(title);
  PrintRefusal = kPrintRefusal;
  RunFailedText = "The report could not be run:\n\n";
  SetEscapeCloses(false);
  BranchItemOffset = {4, 2};
  SpeedButtonClearBranch = SpButClearBranch;
  SpeedButtonClearBranch->setObjectName("SpeedButtonClearBranch");

  PanelBar = new QWidget(this);
  PanelBar->setObjectName("PanelBar");
  PanelBar->setFixedHeight(kBarHeight);
  kui::PaintBackground(PanelBar, kvColour(kFixedColour));
  if (auto* body = qobject_cast<QVBoxLayout*>(layout())) body->insertWidget(1, PanelBar);

  LabelGroupBy = new QLabel("Group By:");
  QFont font = LabelGroupBy->font();
  font.setPixelSize(kFilterFontPixels);
  LabelGroupBy->setFont(font);
  ComboBoxGroupBy = new QComboBox;
  ComboBoxGroupBy->setObjectName("ComboBoxGroupBy");
  ComboBoxGroupBy->setFont(font);
  ComboBoxGroupBy->setMinimumWidth(160);
  AddFilterOption(LabelGroupBy);
  AddFilterOption(ComboBoxGroupBy);
}

TStockListingForm::~TStockListingForm() = default;

// ----- lists and group fields ---------------------------------------------------------

void TStockListingForm::LoadLists() {
  LoadBranches();
  FillGroupBy();
}

void TStockListingForm::FillGroupBy() {
  ComboBoxGroupBy->clear();
  ComboBoxGroupBy->addItems(TStockGroupByClass::Captions(TStockGroupByClass::ListingChoices()));
  ComboBoxGroupBy->setCurrentIndex(TStockGroupByClass::kListingDefault);
}

void TStockListingForm::SetGroupFields(int index) {
  const auto& choices = TStockGroupByClass::ListingChoices();
  if (index < 0 || index >= static_cast<int>(choices.size())) index = TStockGroupByClass::kListingDefault;
  const TGroupChoice& c = choices[size_t(index)];
  GroupIndex = static_cast<quint8>(index);
  GroupCaption = c.Caption;
  GroupIdColumn = c.IdColumn;
  GroupNameColumn = c.NameColumn;
  GroupColumnTitle = c.ColumnTitle;
  GroupValuesSQL = c.ValuesSQL;
}

void TStockListingForm::LoadGroupValues(QStringList& list, const QString& valuesSql) {
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery(valuesSql, q)) throw kdb::DbError(DMDB->LastError);
  list.clear();
  for (q->First(); !q->Eof(); q->Next())
    list << q->FieldByName("name").AsString() + "=" + q->FieldByName("id").AsString();
  q->Close();
}

// ----- the run ----------------------------------------------------------------------------

bool TStockListingForm::AskReportInput() {
  // The choice as it stands now; it becomes the report's group only once the
  // run starts.
  const int index = ComboBoxGroupBy->currentIndex();
  const auto& choices = TStockGroupByClass::ListingChoices();
  if (index < 0 || index >= static_cast<int>(choices.size())) return false;
  const TGroupChoice& choice = choices[size_t(index)];
  QStringList values;
  LoadGroupValues(values, choice.ValuesSQL);
  TKVFormUtilSelectChList dialog(this);
  dialog.Title = "Select " + choice.Caption;
  dialog.SetItems(values);
  if (!dialog.Execute()) return false;
  dialog.GetCheckedItems(&checked_);
  allChecked_ = checked_.size() == values.size();
  SetGroupFields(index);
  return true;
}

void TStockListingForm::ResetGrid() {
  TReportFrameForm::ResetGrid();
  const auto& columns = listing_->Columns();
  SGridRep->SetColCount(listing_->ColumnCount());
  SGridRep->SetFixedCols(0);
  SGridRep->SetDefaultColWidth(kDefaultColWidth);
  for (int c = 0; c < listing_->ColumnCount(); ++c) SGridRep->SetColWidth(c, columns[size_t(c)].Width);
}

void TStockListingForm::WriteRow(int& row, const QStringList& cells) {
  if (!cells.isEmpty()) SGridRep->SetRowTexts(row, cells);
  ++row;
  SGridRep->SetRowCount(row + 2);
}

void TStockListingForm::FillReport() {
  // The header row always stands in row 0, so the grand "Totals" row lies
  // below it (and prints) even when no value has stock.
  int row = 0;
  WriteRow(row, listing_->HeaderRow(GroupColumnTitle));
  QStringList ids;
  for (const QString& value : checked_) ids << TKVFormUtilSelectChList::ItemId(value);
  const TGroupChoice& group = TStockGroupByClass::ListingChoices()[GroupIndex];
  ReportSQL = listing_->RunStatement(group, ids, allChecked_, BranchCondition());
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery(ReportSQL, q)) throw kdb::DbError(DMDB->LastError);
  QElapsedTimer pump;
  pump.start();
  listing_->ListRun(
      *q, [&](const QStringList& cells) { WriteRow(row, cells); },
      [&] {
        if (pump.elapsed() < kPumpMilliseconds) return;
        ProcessMessages();
        pump.restart();
      });
  q->Close();
  SGridRep->SetRowTexts(row, listing_->GrandTotalsRow());
  SGridRep->SetRowCount(row + 2);
}

// ----- printing and drawing ------------------------------------------------------------

std::unique_ptr<TGridReportForm> TStockListingForm::CreatePrintForm() {
  return std::make_unique<TForm2>(*listing_);
}

void TStockListingForm::PreparePrintForm(TGridReportForm& form) {
  form.SetTitle(ReportTitle() + " By " + GroupCaption);
  static_cast<TForm2&>(form).QRLabGroupTitle->Caption = GroupColumnTitle;
}

bool TStockListingForm::IsBoldRow(int row) const {
  return row == 0 || listing_->IsBoldText(SGridRep->Cell(0, row));
}

Qt::Alignment TStockListingForm::ColumnAlignment(int col) const {
  const auto& columns = listing_->Columns();
  return col >= 0 && col < listing_->ColumnCount() && columns[size_t(col)].Right ? Qt::AlignRight
                                                                                   : Qt::AlignLeft;
}
