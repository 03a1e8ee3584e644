#include "BrokenStyleFrom.h"

#include "BrokenStyleRepForm.h"
#include "DataModF.h"
#include "KvColour.h"
#include "KvStringGrid.h"
#include "MessageFrame.h"
#include "PickList.h"
#include "StylesListForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QScopeGuard>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kTitleHeight = 68;
constexpr int kExitSize = 60;
constexpr int kBannerHeight = 70;
constexpr int kButtonStripHeight = 114;
constexpr int kPictureButton = 84;
constexpr int kBottomHeight = 35;
constexpr int kTextInset = 5;

// The run picture: a white arrow on a green disc; the print picture: a sheet
// coming out of a printer.
QPixmap ButtonPicture(bool run) {
  QPixmap pm(48, 48);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  if (run) {
    p.setPen(Qt::NoPen);
    p.setBrush(kvColour(0x3C9C3C));
    p.drawEllipse(QRectF(2, 2, 44, 44));
    p.setBrush(Qt::white);
    const QPointF arrow[] = {{18, 13}, {36, 24}, {18, 35}};
    p.drawPolygon(arrow, 3);
  } else {
    p.setPen(QPen(kvColour(0x404040), 2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(13, 4, 22, 16));
    p.setBrush(kvColour(0x707070));
    p.drawRoundedRect(QRectF(4, 18, 40, 18), 3, 3);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(13, 30, 22, 14));
  }
  return pm;
}

void PictureButton(QToolButton* b, const QString& name, const QString& caption, bool run) {
  b->setObjectName(name);
  b->setText(caption);
  b->setIcon(QIcon(ButtonPicture(run)));
  b->setIconSize({48, 48});
  b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  b->setFixedSize(kPictureButton, kPictureButton);
  b->setFont(kvVerdana(11));
  b->setAutoRaise(false);
  b->setStyleSheet(QString("QToolButton { background: %1; border: 1px solid #c8d8d8; }")
                       .arg(kvColour(TMainForm::kButtonColour).name()));
}

}  // namespace

TMainForm::TMainForm(QWidget* parent) : TReportFrameForm(parent), builder_(*SGridRep) {
  setObjectName("MainForm");
  SetReportTitle(kTitle);
  PrintRefusal = "Please run the report before priniting.";
  RunFailedText = kRunFailed;
  PrintZoom = 100;
  HeaderColour = kvColour(kHeaderRowColour);
  BuildLayout();
  // The grid draws its own cells: header rows, selection and centred sizes.
  SGridRep->OnDrawCell = [this](kui::KvStringGrid& g, QPainter& p, int col, int row, const QRect& rect,
                                kui::KvGridDrawState state) { SGridRepDrawCell(g, p, col, row, rect, state); };
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildLayout() {
  PanelTop->setFixedHeight(kTitleHeight);
  PanelTop->setFont(kvVerdana(24, true));
  ImageExit->setFixedSize(kExitSize, kExitSize);
  ImageExit->setIconSize({kExitSize, kExitSize});

  PanelMessage = new QLabel(kBanner, this);
  PanelMessage->setObjectName("PanelMessage");
  PanelMessage->setFixedHeight(kBannerHeight);
  PanelMessage->setFont(kvVerdana(19));
  PanelMessage->setIndent(16);
  kui::PaintBackground(PanelMessage, kvColour(kBannerColour));
  if (auto* body = qobject_cast<QVBoxLayout*>(layout())) body->insertWidget(1, PanelMessage);

  PanelButton = PanelFilter;
  PanelButton->setFixedHeight(kButtonStripHeight);
  ImageRunReport = SpButView;
  ButtonPrint = SpButPrint;
  PictureButton(ImageRunReport, "ImageRunReport", "Run Report", true);
  PictureButton(ButtonPrint, "ButtonPrint", "Print", false);
  SpButExport->hide();  // this report has no export

  // The branch list shows each item's whole text.
  ComboBoxBranch->setItemDelegate(new QStyledItemDelegate(ComboBoxBranch));
  ComboBoxBranch->setFont(kvVerdana(13));
  LabelBranch->setFont(kvVerdana(13));
  SpButClearBranch->setObjectName("SpButClearBranch");

  LabelMissing = new QLabel("Min Missing:");
  LabelMissing->setFont(kvVerdana(13));
  ComboBoxMissing = new QComboBox;
  ComboBoxMissing->setObjectName("ComboBoxMissing");
  ComboBoxMissing->setFont(kvVerdana(13));
  ComboBoxMissing->setMinimumWidth(70);
  CheckBoxHideAllZero = new QCheckBox("Hide with all zeros");
  CheckBoxHideAllZero->setObjectName("CheckBoxHideAllZero");
  CheckBoxHideAllZero->setFont(kvVerdana(13));
  AddFilterOption(LabelMissing);
  AddFilterOption(ComboBoxMissing);
  AddFilterOption(CheckBoxHideAllZero);

  PanelBottom = new QWidget;
  PanelBottom->setObjectName("PanelBottom");
  PanelBottom->setFixedHeight(kBottomHeight);
  kui::PaintBackground(PanelBottom, kvColour(kBannerColour));
  AddBottomBar(PanelBottom);

  QFont gridFont = kvVerdana(13);
  SGridRep->setFont(gridFont);
  SGridRep->SetFixedColour(kvColour(0x00FFFF));
}

// ----- start-up ---------------------------------------------------------------------------

void TMainForm::LoadLists() {
  InitOptions();
  LoadBranches();
  if (!Terminated()) FillMinMissing();
}

void TMainForm::InitOptions() {
  ResetGrid();
  CheckBoxHideAllZero->setChecked(true);
}

void TMainForm::LoadBranches() {
  kdb::Query* q = DMDB->DBQueryRemote1;
  ReportSQL = "select id, name from branches order by name";
  if (!DMDB->RunQuery(ReportSQL, q)) {
    DMDB->ShowMessage(kBranchesFailed + DMDB->LastError);
    Terminate();
    return;
  }
  if (q->IsEmpty()) {
    q->Close();
    DMDB->MsgBox(kNoBranches, 0);  // the plain message box: not logged
    Terminate();
    return;
  }
  ComboBoxBranch->clear();
  for (q->First(); !q->Eof(); q->Next())
    ComboBoxBranch->addItem(q->FieldByName("name").AsString() + "=" + q->FieldByName("id").AsString());
  ComboBoxBranch->setCurrentIndex(-1);
  q->Close();
}

void TMainForm::FillMinMissing() {
  ComboBoxMissing->setUpdatesEnabled(false);
  ComboBoxMissing->clear();
  for (int i = 1; i <= 10; ++i) ComboBoxMissing->addItem(QString::number(i));
  ComboBoxMissing->setUpdatesEnabled(true);
  ComboBoxMissing->setCurrentIndex(0);
}

// ----- the run --------------------------------------------------------------------------

bool TMainForm::PickStyles() {
  SelectedStyles.clear();
  TFormStylesList picker(this, TFormStylesList::TUse::Broken);
  if (picker.Execute()) picker.GetSelectedStyles(SelectedStyles);
  return !SelectedStyles.isEmpty();
}

void TMainForm::ResetGrid() {
  TReportFrameForm::ResetGrid();
  builder_.Reset();
}

void TMainForm::FillReport() {
  BranchFilterId = ComboBoxBranch->currentIndex() < 0 ? QString() : kui::SelectedPickValue(ComboBoxBranch);
  bool number = false;
  MinMissing = ComboBoxMissing->currentText().trimmed().toInt(&number);
  if (!number) MinMissing = 1;
  builder_.MinMissing = MinMissing;
  builder_.HideAllZero = CheckBoxHideAllZero->isChecked();
  RunReport();
}

void TMainForm::RunReport() {
  // Branches in the selector's order (by name).
  builder_.Branches.clear();
  for (int i = 0; i < ComboBoxBranch->count(); ++i) {
    const QString item = ComboBoxBranch->itemText(i);
    builder_.Branches.emplace_back(kui::PickValue(item), kui::PickName(item));
  }
  builder_.BranchFilterId = BranchFilterId;
  builder_.BeforeStyle = [this](const TBrokenStyle& style) {
    CurrentStyle = style.Style;
    ShowProgress("Processing style: " + CurrentStyle);
  };
  builder_.BeforeColour = [this](const TBrokenStyle&, const TBrokenColour& colour) {
    CurrentRootPLU = colour.RootPLU;
    CurrentColour = colour.Colour;
    ShowProgress("Processing style: " + CurrentStyle + " " + CurrentColour);
  };
  const auto unhook = qScopeGuard([this] {
    builder_.BeforeStyle = nullptr;
    builder_.BeforeColour = nullptr;
  });
  ShowProgress("Processing style: " + SelectedStyles.value(0));
  ReportSQL = TBrokenSizeQueryClass::ProductsSql(SelectedStyles.mid(0, TBrokenSizeQueryClass::kBatchStyles));
  TBrokenSizeQueryClass reads(*DMDB, BranchFilterId);
  builder_.AddStyles(reads, SelectedStyles);
}

void TMainForm::ProcessColour(const TBrokenColour& colour) {
  CurrentRootPLU = colour.RootPLU;
  CurrentColour = colour.Colour;
  builder_.AddColour(CurrentStyle, colour);
}

void TMainForm::WriteStockRow(int row, const TBrokenColour& colour) {
  builder_.WriteStockRow(row, CurrentBranchName(), CurrentStyle, colour, colour.StockAt(CurrentBranchId()));
}

// ----- print and drawing ---------------------------------------------------------------------

std::unique_ptr<TGridReportForm> TMainForm::CreatePrintForm() { return std::make_unique<TFormRep>(); }

void TMainForm::SGridRepDrawCell(kui::KvStringGrid& grid, QPainter& p, int col, int row, const QRect& rect,
                                 kui::KvGridDrawState state) {
  const bool header = TBrokenSizeGridClass::IsHeaderRow(grid, row);
  QColor back = Qt::white;
  if (header) back = kvColour(kHeaderRowColour);
  if (state.selected || state.focused) back = kvColour(kSelectedColour);
  p.fillRect(rect, back);
  QFont font = grid.font();
  font.setBold(header);
  p.setFont(font);
  p.setPen(Qt::black);
  const Qt::Alignment align = col >= TBrokenSizeGridClass::kFirstSizeCol ? Qt::AlignHCenter : Qt::AlignLeft;
  kui::KvStringGrid::DrawCellText(p, rect, grid.Cell(col, row), align, kTextInset, kTextInset);
}
