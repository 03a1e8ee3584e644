#include "EvaluationForm.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "DataModF.h"
#include "DisabledWindowClass.h"
#include "EvaluationClass.h"
#include "KuiColour.h"
#include "KvStringGrid.h"
#include "MessageFrame.h"
#include "WaitClass.h"

TFormEvaluation* FormEvaluation = nullptr;

namespace {

constexpr int kGridWidth = 650;
constexpr int kGridHeight = 417;
constexpr int kColWidth = 125;
constexpr int kRowHeight = 32;

}  // namespace

TFormEvaluation::TFormEvaluation(QWidget* owner)
    : TFormPanelDialog(owner, Border::None, {kClientWidth, kClientHeight}, "Stock Evaluation") {
  FormEvaluation = this;
  setObjectName("FormEvaluation");

  LabelBy = new QLabel("Stock Evaluation by:", this);
  LabelBy->setObjectName("LabelBy");
  LabelBy->setFont(kvVerdana(19));
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setFont(kvVerdana(19));
  ComboBox1->addItems(TEvaluationClass::Items());
  ComboBox1->setCurrentIndex(-1);
  ComboBox1->setMinimumWidth(260);

  SGridRep = new kui::KvStringGrid(this);
  SGridRep->setObjectName("SGridRep");
  SGridRep->setFrameShape(QFrame::NoFrame);
  SGridRep->setFixedSize(kGridWidth, kGridHeight);
  SGridRep->setFont(kvVerdana(11));
  SGridRep->SetColCount(TEvaluationClass::kColumns);
  SGridRep->SetRowCount(2);
  SGridRep->SetFixedCols(0);
  SGridRep->SetFixedRows(1);
  SGridRep->SetDefaultColWidth(kColWidth);
  SGridRep->SetDefaultRowHeight(kRowHeight);
  SGridRep->SetGridOptions(SGridRep->GridOptions() | kui::KvStringGrid::goRowSelect |
                           kui::KvStringGrid::goColSizing | kui::KvStringGrid::goRowSizing);
  SGridRep->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SGridRep->OnDrawCell = [this](kui::KvStringGrid&, QPainter& p, int col, int row, const QRect& rect,
                                kui::KvGridDrawState state) { SGridRepDrawCell(p, col, row, rect, state); };
  SGridRep->hide();

  BitBtn1 = AddCloseButton("BitBtn1", "OK", mrOk);
  BitBtn1->setDefault(true);

  connect(ComboBox1, &QComboBox::activated, this, [this] {
    try {
      ComboBox1Select();
    } catch (const std::exception& e) {
      DMDB->LogException(e, "TFormEvaluation::ComboBox1Select");
      SGridRep->hide();
      DMDB->ShowMessage(kRunFailed + TDMDB::ExceptionMessage(e));
    }
  });

  auto* choice = new QHBoxLayout;
  choice->addWidget(LabelBy);
  choice->addWidget(ComboBox1);
  choice->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  Body()->addLayout(choice);
  Body()->addWidget(SGridRep, 0, Qt::AlignHCenter);
  Body()->addStretch(1);
  Body()->addLayout(buttons);
}

TFormEvaluation::~TFormEvaluation() {
  if (FormEvaluation == this) FormEvaluation = nullptr;
}

void TFormEvaluation::showEvent(QShowEvent* event) {
  TFormPanelDialog::showEvent(event);
  FormShow();
}

void TFormEvaluation::FormShow() {
  if (SGridRep->isVisible()) SGridRep->setFocus();
}

void TFormEvaluation::ComboBox1Select() {
  RunReport();
  FormShow();
}

bool TFormEvaluation::RunReport() {
  const int item = ComboBox1->currentIndex();
  if (item < 0) return false;
  TWaitClass wait;
  wait.Show("Please wait... running report.", QString());
  SkDisabledWindow disabled(this);
  kdb::Query* q = DMDB->DBQueryRemote1;
  SGridRep->hide();
  if (!DMDB->RunQuery(TEvaluationClass::ReportSQL(item), q)) {
    wait.Close();
    DMDB->ShowMessage(kRunFailed + DMDB->LastError);
    return false;
  }
  const std::vector<QStringList> rows =
      TEvaluationClass::Rows(item, *q, [&wait](const QString& text) { wait.Show(text, QString()); });
  q->Close();
  SGridRep->ClearCells();
  SGridRep->SetRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) SGridRep->SetRowTexts(r, rows[static_cast<size_t>(r)]);
  SGridRep->SetRow(1);
  SGridRep->show();
  return true;
}

void TFormEvaluation::SGridRepDrawCell(QPainter& p, int col, int row, const QRect& rect,
                                       const kui::KvGridDrawState& state) {
  const bool dark = state.fixed || row == SGridRep->RowCount() - 1;  // header and TOTALS
  quint32 brush = row % 2 == 0 ? kEvenRowColour : 0xFFFFFF;
  QColor pen = Qt::black;
  if (dark) {
    brush = kDarkColour;
    pen = Qt::white;
  } else if (state.selected) {
    brush = kSelectedColour;
  }
  p.fillRect(rect, kui::BgrColour(brush));
  QFont font = p.font();
  font.setBold(dark);
  p.setFont(font);
  p.setPen(pen);
  kui::KvStringGrid::DrawCellText(p, rect, SGridRep->Cell(col, row), col == 0 ? Qt::AlignLeft : Qt::AlignRight);
}

void TFormEvaluation::BitBtn1Click() { SetModalResult(mrOk); }
