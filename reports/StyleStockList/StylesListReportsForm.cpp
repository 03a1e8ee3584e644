#include "StylesListReportsForm.h"

#include "DataModF.h"
#include "KvColour.h"
#include "KvStringGrid.h"
#include "PickList.h"
#include "StyleStockQueryClass.h"
#include "StyleStockRepForm.h"
#include "StylesListForm.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace {

constexpr int kBottomFontPixels = 19;
constexpr int kTitleBarHeight = 8;

QFont Pixels(int px, bool bold = false) {
  QFont f;
  f.setPixelSize(px);
  f.setBold(bold);
  return f;
}

QWidget* ColouredBar(QWidget* parent, int height) {
  auto* bar = new QWidget(parent);
  bar->setFixedHeight(height);
  kui::PaintBackground(bar, kvColour(TReportFrameForm::kFixedColour));
  return bar;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : TReportFrameForm(parent), builder_(*SGridRep) {
  setObjectName("Form1");
  SetReportTitle(kTitle);
  RunFailedText = kRunFailed;
  LabelBranch->setText("Branch");
  // The thin coloured bar under the title.
  if (auto* body = qobject_cast<QVBoxLayout*>(layout())) body->insertWidget(1, ColouredBar(this, kTitleBarHeight));

  RadioGrpOpt = new QGroupBox(" Stock Figures ");
  RadioGrpOpt->setObjectName("RadioGrpOpt");
  RadioGrpOptItems = new QButtonGroup(RadioGrpOpt);
  auto* options = new QGridLayout(RadioGrpOpt);
  options->setContentsMargins(8, 4, 8, 4);
  options->setVerticalSpacing(2);
  AddFilterOption(RadioGrpOpt);

  PanelBottom = ColouredBar(this, 40);
  PanelBottom->setObjectName("PanelBottom");
  LabelOverallTotal = new QLabel("Overall Total", PanelBottom);
  LabelOverallTotal->setFont(Pixels(kBottomFontPixels));
  PanelOverallTotal = new QLabel("0", PanelBottom);
  PanelOverallTotal->setObjectName("PanelOverallTotal");
  PanelOverallTotal->setFont(Pixels(kBottomFontPixels, true));
  PanelOverallTotal->setMinimumWidth(140);
  PanelOverallTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* bottom = new QHBoxLayout(PanelBottom);
  bottom->setContentsMargins(12, 4, 24, 4);
  bottom->addStretch();
  bottom->addWidget(LabelOverallTotal);
  bottom->addWidget(PanelOverallTotal);
  AddBottomBar(PanelBottom);

  builder_.BranchCode = [this](const QString& id) { return GetBranchCode(id); };
  FillStockFigureOptions();
}

TForm1::~TForm1() = default;

// ----- lists ---------------------------------------------------------------------------

void TForm1::FillStockFigureOptions() {
  auto* grid = static_cast<QGridLayout*>(RadioGrpOpt->layout());
  for (QAbstractButton* b : RadioGrpOptItems->buttons()) {
    RadioGrpOptItems->removeButton(b);
    delete b;
  }
  const QStringList& texts = TStyleStockGridClass::OptionTexts();
  for (int i = 0; i < texts.size(); ++i) {
    auto* item = new QRadioButton(texts[i], RadioGrpOpt);
    RadioGrpOptItems->addButton(item, i);
    grid->addWidget(item, i % 2, i / 2);
  }
  SetStockFigureOption(0);
}

int TForm1::StockFigureOption() const { return RadioGrpOptItems->checkedId(); }

void TForm1::SetStockFigureOption(int index) {
  if (QAbstractButton* b = RadioGrpOptItems->button(index)) b->setChecked(true);
}

void TForm1::LoadBranches() {
  // Every branch by name: the selector shows the name, the codes list gives
  // the code a line shows.
  QStringList items;
  BranchCodes.clear();
  codeOfBranch_.clear();
  kdb::Query* q = DMDB->DBQueryRemote1;
  SQLText = "select id, code, name from branches order by name asc";
  if (!DMDB->RunQuery(SQLText, q)) {
    // Without its branches the listing cannot name a line's branch.
    DMDB->ShowMessage(kBranchesFailed + DMDB->LastError);
    Terminate();
    return;
  }
  for (q->First(); !q->Eof(); q->Next()) {
    const QString id = q->FieldByName("id").AsString();
    const QString code = q->FieldByName("code").AsString();
    items << q->FieldByName("name").AsString() + "=" + id;
    BranchCodes << code + "=" + id;
    if (!codeOfBranch_.contains(id)) codeOfBranch_.insert(id, code);
  }
  q->Close();
  kui::SetPickItems(ComboBoxBranch, items);
}

QString TForm1::GetBranchCode(const QString& branchId) const { return codeOfBranch_.value(branchId); }

// ----- the run ---------------------------------------------------------------------------

bool TForm1::AskReportInput() {
  if (!FormStylesList) new TFormStylesList(this);  // kept for the run, so list and ticks stay
  if (FormStylesList->ExecuteResult() != kui::KvDialog::mrOk) return false;
  FormStylesList->GetSelectedStyles(SelectedStyles);
  return true;
}

void TForm1::ResetGrid() {
  TReportFrameForm::ResetGrid();
  builder_.Reset();
  PanelOverallTotal->setText("0");
}

TStyleStockQueryClass& TForm1::Reads() {
  if (!reads_) reads_ = std::make_unique<TStyleStockQueryClass>(*DMDB, BranchCondition());
  return *reads_;
}

int TForm1::GetSizeCount(const QString& scaleId) { return Reads().Scale(scaleId).Counter; }

QStringList TForm1::OpenSizeNames(const QString& scaleId, int first) {
  const TSizeScale& scale = Reads().Scale(scaleId);
  QStringList names;
  for (int offset = first; offset < static_cast<int>(scale.Names.size()); ++offset) names << scale.NameAt(offset);
  return names;
}

void TForm1::AddHeaderRow(int row, const QString& scaleId, int first, int count) {
  builder_.AddHeaderRow(row, Reads().Scale(scaleId), first, count);
}

void TForm1::AddSizeBlock(const TStyleStock& style, int first, int count) {
  const QString scaleId = style.Lines.empty() ? QString() : style.Lines.front().SizesScaleId;
  builder_.AddSizeBlock(style, Reads().Scale(scaleId), first, count);
}

void TForm1::mRunReport() {
  // Scales are read afresh for each run; the reads end with it.
  reads_ = std::make_unique<TStyleStockQueryClass>(*DMDB, BranchCondition());
  const auto end = qScopeGuard([this] { reads_.reset(); });
  builder_.Option = StockFigureOption();
  QString progress = "Processing style: " + SelectedStyles.value(0);
  ShowProgress(progress);
  builder_.BeforeStyle = [this, &progress](const QString& style) {
    progress = "Processing style: " + style;
    ShowProgress(progress);
  };
  builder_.AfterLine = [this, &progress] { ShowProgress(progress); };
  const auto unhook = qScopeGuard([this] {
    builder_.BeforeStyle = nullptr;
    builder_.AfterLine = nullptr;
  });
  SQLText = TStyleStockQueryClass::ProductsSql(SelectedStyles.mid(0, TStyleStockQueryClass::kBatchStyles));
  builder_.AddStyles(*reads_, SelectedStyles);
}

void TForm1::FinishReport() {
  builder_.Finish();
  PanelOverallTotal->setText(QString::number(builder_.OverallTotal));
}

// ----- print and drawing ------------------------------------------------------------------

std::unique_ptr<TGridReportForm> TForm1::CreatePrintForm() {
  auto form = std::make_unique<TFormRep>();
  form->QRLabelOverallTotals->Caption = PanelOverallTotal->text();
  return form;
}

bool TForm1::IsHeaderRow(int row) const { return TStyleStockGridClass::IsHeaderRow(*SGridRep, row); }

bool TForm1::IsBoldRow(int row) const {
  return IsHeaderRow(row) || TStyleStockGridClass::IsTotalsRow(*SGridRep, row);
}

Qt::Alignment TForm1::ColumnAlignment(int col) const {
  return col >= TStyleStockGridClass::kCostCol ? Qt::AlignRight : Qt::AlignLeft;
}
