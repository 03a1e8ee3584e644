#include "StockEvaluationForm.h"

#include "AdvancedSearchForm.h"
#include "DataModF.h"
#include "KvColour.h"
#include "KvStringGrid.h"
#include "ReportTypes.h"
#include "StockEvaluationPrintForm.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kTitleHeight = 68;
constexpr int kTitleFontPixels = 21;
constexpr int kStripFontPixels = 19;
constexpr int kGridFontPixels = 12;

QFont Pixels(int pixels, bool bold = false) { return kr::PixelFont(QFont().family(), pixels, bold); }

// The run picture: a green arrow on a pale square.
QPixmap RunPicture() {
  QPixmap pm(TMainForm::kButtonSize, TMainForm::kButtonSize);
  pm.fill(kvColour(TMainForm::kButtonSquareColour));
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kvColour(0x3C9B2E));
  p.drawPolygon(QPolygonF{QPointF(28, 18), QPointF(64, 42), QPointF(28, 66)});
  return pm;
}

// The print picture: a printer, lit (a warmer square) under the mouse.
QPixmap PrintPicture(bool lit) {
  QPixmap pm(TMainForm::kButtonSize, TMainForm::kButtonSize);
  pm.fill(lit ? kvColour(0x80E0FF) : kvColour(TMainForm::kButtonSquareColour));
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 60, 60), 2));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(28, 14, 28, 20));   // paper in
  p.setBrush(QColor(90, 90, 90));
  p.drawRoundedRect(QRectF(16, 32, 52, 24), 4, 4);  // body
  p.setBrush(Qt::white);
  p.drawRect(QRectF(28, 48, 28, 22));   // paper out
  p.drawLine(QPointF(33, 56), QPointF(51, 56));
  p.drawLine(QPointF(33, 62), QPointF(51, 62));
  return pm;
}

QToolButton* PictureButton(QWidget* parent, const char* name, const QPixmap& picture, const QString& tip) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setAutoRaise(true);
  b->setFixedSize(TMainForm::kButtonSize, TMainForm::kButtonSize);
  b->setIcon(QIcon(picture));
  b->setIconSize(picture.size());
  b->setToolTip(tip);
  b->setCursor(Qt::PointingHandCursor);
  return b;
}

}  // namespace

TMainForm::TMainForm() {
  SetReportTitle(kTitle);
  PrintRefusal = "Please Run Report first!";
  RunFailedText = "The report could not be run:\n\n";
  PrintZoom = TFormReport::kZoom;
  SetEscapeCloses(true);
  PanelTop->setFixedHeight(kTitleHeight);
  PanelTop->setFont(QFont("Verdana", -1, QFont::Bold));
  QFont title = PanelTop->font();
  title.setPixelSize(kTitleFontPixels);
  PanelTop->setFont(title);

  // The branch selector shows each item's whole text.
  ComboBoxBranch->setItemDelegate(new QStyledItemDelegate(ComboBoxBranch));
  SpeedButtonClearBranch = SpButClearBranch;
  SpeedButtonClearBranch->setObjectName("SpeedButtonClearBranch");
  Panel1 = PanelFilter;
  for (QToolButton* b : {SpButView, SpButPrint, SpButExport}) b->hide();

  StringGrid1 = SGridRep;
  StringGrid1->setObjectName("StringGrid1");
  HeaderColour = kvColour(kGridFixedColour);
  StringGrid1->SetFixedColour(HeaderColour);
  QFont gridFont = StringGrid1->font();
  gridFont.setPixelSize(kGridFontPixels);
  StringGrid1->setFont(gridFont);

  BuildMessageStrip();
  BuildButtons();
  BuildTotalsBar();

  search_ = new TFormAdvancedSearch(this, TFormAdvancedSearch::TUse::Valuation);
  FormAdvancedSearch = search_;
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildMessageStrip() {
  PanelMessage = new QLabel(this);
  PanelMessage->setObjectName("PanelMessage");
  PanelMessage->setFont(Pixels(kStripFontPixels));
  kui::PaintBackground(PanelMessage, Qt::white);
  PanelMessage->setMouseTracking(true);
  PanelMessage->installEventFilter(this);
  auto* strip = new QHBoxLayout(PanelMessage);
  strip->setContentsMargins(0, 0, 0, 0);
  ProgressBar1 = new QProgressBar(PanelMessage);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setFixedHeight(18);
  ProgressBar1->setRange(0, 0);
  ProgressBar1->setValue(0);
  strip->addWidget(ProgressBar1);
  auto* banner = new QWidget(this);
  banner->setObjectName("PanelBanner");
  banner->setFixedHeight(8);
  kui::PaintBackground(banner, kvColour(kFixedColour));
  if (auto* body = qobject_cast<QVBoxLayout*>(layout())) {
    body->insertWidget(1, PanelMessage);
    body->insertWidget(2, banner);
  }
}

void TMainForm::BuildButtons() {
  SpeedButtonRunReport = PictureButton(Panel1, "SpeedButtonRunReport", RunPicture(), "Run the report");
  connect(SpeedButtonRunReport, &QToolButton::clicked, this, [this] { SpeedButtonRunReportClick(); });

  // The print picture and its lit twin share one square; the twin shows
  // while the mouse is over it and takes the click.
  auto* square = new QWidget;
  square->setFixedSize(kButtonSize, kButtonSize);
  auto* stack = new QGridLayout(square);
  stack->setContentsMargins(0, 0, 0, 0);
  ButtonPrint = PictureButton(square, "ButtonPrint", PrintPicture(false), "Print");
  ButtonPrintOn = PictureButton(square, "ButtonPrintOn", PrintPicture(true), "Print");
  stack->addWidget(ButtonPrint, 0, 0);
  stack->addWidget(ButtonPrintOn, 0, 0);
  ButtonPrintOn->hide();
  ButtonPrint->setMouseTracking(true);
  ButtonPrint->installEventFilter(this);
  ButtonPrintOn->installEventFilter(this);
  connect(ButtonPrintOn, &QToolButton::clicked, this, [this] { ButtonPrintOnClick(); });
  connect(ButtonPrint, &QToolButton::clicked, this, [this] { ButtonPrintOnClick(); });
  Panel1->setMouseTracking(true);
  Panel1->installEventFilter(this);

  LabelGroupBy = new QLabel("Group By:");
  LabelGroupBy->setFont(Pixels(kStripFontPixels));
  ComboBoxGroupBy = new QComboBox;
  ComboBoxGroupBy->setObjectName("ComboBoxGroupBy");
  ComboBoxGroupBy->setFont(Pixels(kStripFontPixels));
  ComboBoxGroupBy->setMinimumWidth(160);
  AddFilterOption(LabelGroupBy);
  AddFilterOption(ComboBoxGroupBy);
  AddFilterOption(SpeedButtonRunReport);
  AddFilterOption(square);
}

void TMainForm::BuildTotalsBar() {
  Panel2 = new QWidget;
  Panel2->setObjectName("Panel2");
  kui::PaintBackground(Panel2, kvColour(kFixedColour));
  auto* bar = new QHBoxLayout(Panel2);
  bar->setContentsMargins(12, 6, 12, 6);
  bar->setSpacing(8);
  const struct {
    const char* caption;
    const char* name;
    QLabel** panel;
  } totals[] = {{"Total Units:", "PanelTotalUnits", &PanelTotalUnits},
                {"Total Cost:", "PanelTotalCost", &PanelTotalCost},
                {"Total Retail:", "PanelTotalRetail", &PanelTotalRetail},
                {"Total G.P.:", "PanelGrossProfit", &PanelGrossProfit}};
  for (const auto& t : totals) {
    auto* caption = new QLabel(t.caption, Panel2);
    caption->setFont(Pixels(kStripFontPixels));
    auto* panel = new QLabel("0", Panel2);
    panel->setObjectName(t.name);
    panel->setFont(Pixels(kStripFontPixels, true));
    panel->setMinimumWidth(140);
    panel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panel->setFrameShape(QFrame::StyledPanel);
    kui::PaintBackground(panel, Qt::white);
    *t.panel = panel;
    bar->addWidget(caption);
    bar->addWidget(panel);
    bar->addSpacing(16);
  }
  bar->addStretch(1);
  AddBottomBar(Panel2);
}

// ----- lists and group fields ---------------------------------------------------------

void TMainForm::LoadLists() {
  LoadBranches();
  FillGroupBy();
}

void TMainForm::LoadBranches() {
  // Every branch; each item shows its whole text. None leaves the list empty.
  ComboBoxBranch->clear();
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery("SELECT ID, NAME FROM BRANCHES ORDER BY NAME", q)) return;
  for (q->First(); !q->Eof(); q->Next())
    ComboBoxBranch->addItem(q->FieldByName("NAME").AsString() + "=" + q->FieldByName("ID").AsString());
  q->Close();
  ComboBoxBranch->setCurrentIndex(-1);
}

void TMainForm::FillGroupBy() {
  ComboBoxGroupBy->clear();
  ComboBoxGroupBy->addItems(TStockGroupByClass::Captions(TStockGroupByClass::ValuationChoices()));
  ComboBoxGroupBy->setCurrentIndex(TStockGroupByClass::kValuationDefault);
}

void TMainForm::SetGroupFields() {
  const auto& choices = TStockGroupByClass::ValuationChoices();
  int index = ComboBoxGroupBy->currentIndex();
  if (index < 0 || index >= static_cast<int>(choices.size())) index = TStockGroupByClass::kValuationDefault;
  GroupIndex = static_cast<quint8>(index);
  GroupCaption = choices[size_t(index)].Caption;
  GroupIdColumn = choices[size_t(index)].IdColumn;
  GroupNameColumn = choices[size_t(index)].NameColumn;
}

// ----- the run ----------------------------------------------------------------------------

bool TMainForm::AskReportInput() {
  // Cancel does not stop the run: it only drops the product condition.
  condition_.clear();
  if (search_->Execute()) condition_ = search_->GetWhereClause();
  SetGroupFields();
  return true;
}

void TMainForm::ResetGrid() {
  TReportFrameForm::ResetGrid();
  StringGrid1->SetColCount(TStockEvaluationClass::kColumns);
  StringGrid1->SetFixedCols(0);
  StringGrid1->SetRowCount(1);
  StringGrid1->SetDefaultColWidth(kDefaultColWidth);
  StringGrid1->SetColWidth(TStockEvaluationClass::cBranch, 100);
  StringGrid1->SetColWidth(TStockEvaluationClass::cGroup, 140);
  StringGrid1->SetRowTexts(0, TStockEvaluationClass::Titles(GroupCaption));
  evaluation_.Begin();
  ShowTotals();
}

void TMainForm::FillReport() {
  SetWaitMessage(kWaitText);
  RunEvaluation(condition_);
}

void TMainForm::RunEvaluation(const QString& condition) {
  statement_ = TStockEvaluationClass::Statement(GroupIndex, BranchCondition(), condition);
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery(statement_, q)) throw kdb::DbError(DMDB->LastError);
  ResetGrid();
  const int records = q->RecordCount();
  ProgressBar1->setRange(0, records);
  ProgressBar1->setValue(0);
  StringGrid1->SetRowCount(records + 1);
  int row = 1;
  for (q->First(); !q->Eof(); q->Next(), ++row) {
    StringGrid1->SetRowTexts(row, evaluation_.AddRecord(TStockEvaluationClass::ReadRecord(*q, GroupIndex)));
    ProgressBar1->setValue(row);
    ProcessMessages();
  }
  q->Close();
  // A blank row, then the totals.
  StringGrid1->SetRowCount(records + 3);
  StringGrid1->SetRowTexts(records + 2, evaluation_.TotalsRow());
  ProgressBar1->setValue(0);
  ShowTotals();
}

void TMainForm::ShowTotals() {
  PanelTotalUnits->setText(QString::number(evaluation_.Units()));
  PanelTotalCost->setText(TStockEvaluationClass::Amount(evaluation_.TotalCost()));
  PanelTotalRetail->setText(TStockEvaluationClass::Amount(evaluation_.TotalRetail()));
  PanelGrossProfit->setText(TStockEvaluationClass::Amount(evaluation_.GrossProfit()));
}

// ----- printing ---------------------------------------------------------------------------

std::unique_ptr<TGridReportForm> TMainForm::CreatePrintForm() { return std::make_unique<TFormReport>(); }

void TMainForm::PreparePrintForm(TGridReportForm& form) {
  auto& report = static_cast<TFormReport&>(form);
  report.SetTitle("Stock Evaluation By " + GroupCaption);
  report.QRLabelTotalGrossProfit->Caption = PanelGrossProfit->text();
  report.QRLabelTotalCost->Caption = PanelTotalCost->text();
  report.QRLabelTotalRetail->Caption = PanelTotalRetail->text();
  report.QRLabelTotalUnits->Caption = PanelTotalUnits->text();
  if (DMDB && DMDB->Setup) {
    report.ImagesFolder = DMDB->Setup->GetImagesFolder();
    report.UseImages = DMDB->Setup->LOUseImages;
  }
}

void TMainForm::ButtonPrintMouseMove() { ButtonPrintOn->show(); }

void TMainForm::Panel1MouseMove() { ButtonPrintOn->hide(); }

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type t = event->type();
  if (watched == ButtonPrint && (t == QEvent::MouseMove || t == QEvent::Enter))
    ButtonPrintMouseMove();
  else if ((watched == Panel1 || watched == PanelMessage) && t == QEvent::MouseMove)
    Panel1MouseMove();
  else if (watched == ButtonPrintOn && t == QEvent::Leave)
    Panel1MouseMove();
  return TReportFrameForm::eventFilter(watched, event);
}

// ----- drawing ------------------------------------------------------------------------------

bool TMainForm::IsBoldRow(int row) const {
  return row == 0 || StringGrid1->Cell(TStockEvaluationClass::cGroup, row) == TStockEvaluationClass::kTotals;
}

Qt::Alignment TMainForm::ColumnAlignment(int col) const {
  return col >= TStockEvaluationClass::cUnits ? Qt::AlignRight : Qt::AlignLeft;
}
