#include "ReportFrameForm.h"

#include "DataModF.h"
#include "KVExportClass.h"
#include "KvBusyGuard.h"
#include "KvColour.h"
#include "KvStringGrid.h"
#include "PickItemDrawClass.h"
#include "PickList.h"
#include "Report1Form.h"
#include "WaitClass.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScopeGuard>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kTitleHeight = 48;
constexpr int kTitleFontPixels = 24;
constexpr int kExitSize = 48;

// Items of an owner-drawn selector are drawn by the window (ComboBoxBranchDrawItem).
class PickItemDelegate : public QStyledItemDelegate {
 public:
  PickItemDelegate(QObject* owner, TReportFrameForm::DrawItem draw)
      : QStyledItemDelegate(owner), draw_(std::move(draw)) {}
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    draw_(*p, option, index.row());
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), TReportFrameForm::kBranchItemHeight};
  }

 private:
  TReportFrameForm::DrawItem draw_;
};

QFont PixelFont(int pixels, bool bold = false) {
  QFont f;
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

// The exit picture: a white cross on a red disc.
QPixmap ExitPicture() {
  QPixmap pm(kExitSize, kExitSize);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kvColour(0x2828C8));
  p.drawEllipse(QRectF(6, 6, kExitSize - 12, kExitSize - 12));
  p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(17, 17), QPointF(kExitSize - 17, kExitSize - 17));
  p.drawLine(QPointF(kExitSize - 17, 17), QPointF(17, kExitSize - 17));
  return pm;
}

void SetBackground(QWidget* w, const QColor& colour) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, colour);
  w->setPalette(pal);
  w->setAutoFillBackground(true);
}

kr::Alignment ToReportAlignment(Qt::Alignment a) {
  if (a & Qt::AlignRight) return kr::Alignment::Right;
  if (a & Qt::AlignHCenter) return kr::Alignment::Center;
  return kr::Alignment::Left;
}

}  // namespace

TReportFrameForm::TReportFrameForm(QWidget* parent)
    : kui::KvMainWindow(parent), HeaderColour(kvColour(kFixedColour)) {
  SetBackground(this, Qt::white);
  body_ = new QVBoxLayout(this);
  body_->setContentsMargins(0, 0, 0, 0);
  body_->setSpacing(0);
  BuildTitleBar(body_);
  BuildFilterStrip(body_);
  BuildGrid(body_);
  SetEscapeCloses(true);
  if (DMDB) DMDB->Init();
}

TReportFrameForm::~TReportFrameForm() = default;

// ----- building the window ------------------------------------------------------------

void TReportFrameForm::BuildTitleBar(QVBoxLayout* body) {
  PanelTop = new QLabel(this);
  PanelTop->setObjectName("PanelTop");
  PanelTop->setFixedHeight(kTitleHeight);
  PanelTop->setFont(PixelFont(kTitleFontPixels, true));
  PanelTop->setIndent(12);
  SetBackground(PanelTop, Qt::white);
  auto* bar = new QHBoxLayout(PanelTop);
  bar->setContentsMargins(0, 0, 0, 0);
  bar->addStretch();
  ImageExit = new QToolButton(PanelTop);
  ImageExit->setObjectName("ImageExit");
  ImageExit->setAutoRaise(true);
  ImageExit->setFixedSize(kExitSize, kExitSize);
  ImageExit->setIcon(QIcon(ExitPicture()));
  ImageExit->setIconSize({kExitSize, kExitSize});
  ImageExit->setToolTip("Close");
  connect(ImageExit, &QToolButton::clicked, this, [this] { ImageExitClick(); });
  bar->addWidget(ImageExit);
  body->addWidget(PanelTop);
}

QToolButton* TReportFrameForm::FlatButton(const QString& caption) {
  auto* b = new QToolButton(PanelFilter);
  b->setText(caption);
  b->setAutoRaise(true);
  b->setFont(PixelFont(kFilterFontPixels));
  b->setMinimumHeight(36);
  b->setCursor(Qt::PointingHandCursor);
  return b;
}

void TReportFrameForm::BuildFilterStrip(QVBoxLayout* body) {
  PanelFilter = new QWidget(this);
  PanelFilter->setObjectName("PanelFilter");
  PanelFilter->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  SetBackground(PanelFilter, Qt::white);
  auto* strip = new QHBoxLayout(PanelFilter);
  strip->setContentsMargins(12, 8, 12, 8);
  strip->setSpacing(8);

  LabelBranch = new QLabel("Branch:", PanelFilter);
  LabelBranch->setFont(PixelFont(kFilterFontPixels));
  ComboBoxBranch = new QComboBox(PanelFilter);
  ComboBoxBranch->setObjectName("ComboBoxBranch");
  ComboBoxBranch->setFont(PixelFont(kFilterFontPixels));
  ComboBoxBranch->setMinimumWidth(274);
  OwnerDrawItems(ComboBoxBranch, [this](QPainter& p, const QStyleOptionViewItem& option, int index) {
    ComboBoxBranchDrawItem(p, option, index);
  });
  SpButClearBranch = FlatButton("Clear");
  connect(SpButClearBranch, &QToolButton::clicked, this, [this] { SpButClearBranchClick(); });
  strip->addWidget(LabelBranch);
  strip->addWidget(ComboBoxBranch);
  strip->addWidget(SpButClearBranch);

  options_ = new QHBoxLayout;
  options_->setSpacing(8);
  strip->addSpacing(16);
  strip->addLayout(options_);
  strip->addStretch();

  SpButView = FlatButton("View");
  SpButPrint = FlatButton("Print");
  SpButExport = FlatButton("Export");
  connect(SpButView, &QToolButton::clicked, this, [this] { SpButViewClick(); });
  connect(SpButPrint, &QToolButton::clicked, this, [this] { SpButPrintClick(); });
  connect(SpButExport, &QToolButton::clicked, this, [this] { SpButExportClick(); });
  for (QToolButton* b : {SpButView, SpButPrint, SpButExport}) strip->addWidget(b);
  body->addWidget(PanelFilter);
}

void TReportFrameForm::BuildGrid(QVBoxLayout* body) {
  // The holder keeps the grid's room while the grid is hidden.
  auto* holder = new QWidget(this);
  auto* layout = new QVBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  SGridRep = new kui::KvStringGrid(holder);
  SGridRep->setObjectName("SGridRep");
  SGridRep->SetFixedCols(0);
  SGridRep->SetFixedRows(1);
  SGridRep->SetFixedColour(HeaderColour);
  SGridRep->SetGridOptions(kui::KvStringGrid::kDefaultOptions | kui::KvStringGrid::goColSizing |
                           kui::KvStringGrid::goRowSelect);
  SGridRep->SetDefaultDrawing(false);
  SGridRep->OnDrawCell = [this](kui::KvStringGrid& g, QPainter& p, int col, int row,
                                const QRect& rect, kui::KvGridDrawState state) {
    SGridRepDrawCell(g, p, col, row, rect, state);
  };
  SGridRep->hide();
  layout->addWidget(SGridRep);
  body->addWidget(holder, 1);
}

void TReportFrameForm::AddFilterOption(QWidget* widget) {
  widget->setParent(PanelFilter);
  options_->addWidget(widget);
}

void TReportFrameForm::AddBottomBar(QWidget* widget) {
  widget->setParent(this);
  body_->addWidget(widget);
}

void TReportFrameForm::SetReportTitle(const QString& title) {
  PanelTop->setText(title);
  setWindowTitle(title);
}

QString TReportFrameForm::ReportTitle() const { return PanelTop->text(); }

QString TReportFrameForm::Where(const char* method) const {
  return QString::fromLatin1(metaObject()->className()) + "::" + QString::fromLatin1(method);
}

// ----- start-up -------------------------------------------------------------------------

void TReportFrameForm::showEvent(QShowEvent* e) {
  kui::KvMainWindow::showEvent(e);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void TReportFrameForm::FormShow() {
  try {
    // Without a database or a user the program ends; the reason is in the log.
    if (!DMDB || !DMDB->ConnectAndLoadUser(false)) {
      Terminate();
      return;
    }
    LoadLists();
    ResetGrid();
  } catch (const std::exception& e) {
    if (DMDB) DMDB->LogException(e, Where("FormShow"));
  }
}

void TReportFrameForm::Terminate() {
  terminated_ = true;
  if (OnTerminate) {
    OnTerminate();
    return;
  }
  // Queued: start-up runs before the application's loop, which must see the request.
  QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
  QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void TReportFrameForm::LoadLists() { LoadBranches(); }

void TReportFrameForm::LoadBranches() { DMDB->GetBranchList(ComboBoxBranch, true); }

void TReportFrameForm::ResetGrid() {
  SGridRep->hide();
  SGridRep->ClearCells();
  SGridRep->SetFixedRows(1);
  SGridRep->SetRowCount(2);
}

// ----- handlers --------------------------------------------------------------------------

void TReportFrameForm::ImageExitClick() { close(); }

void TReportFrameForm::SpButClearBranchClick() { ComboBoxBranch->setCurrentIndex(-1); }

QString TReportFrameForm::MakeBranchCondition() const {
  if (ComboBoxBranch->currentIndex() < 0) return {};
  return " and branch_id = " + kdb::sql::Int(kui::SelectedPickValue(ComboBoxBranch));
}

bool TReportFrameForm::ReportShown() const { return !SGridRep->isHidden(); }

void TReportFrameForm::SpButViewClick() {
  QString failure;
  try {
    if (!AskReportInput()) return;
    RunReport();
  } catch (const std::exception& e) {
    if (DMDB) DMDB->LogException(e, Where("SpButViewClick"));
    failure = TDMDB::ExceptionMessage(e);
  } catch (...) {
    if (DMDB) DMDB->LogException("Unknown exception", Where("SpButViewClick"));
    failure = "Unknown exception";
  }
  if (!failure.isEmpty() && !RunFailedText.isEmpty() && DMDB) DMDB->ShowMessage(RunFailedText + failure);
}

void TReportFrameForm::RunReport() {
  TWaitClass wait;
  {
    kui::KvBusyGuard busy(this, kPleaseWait, QString(), &wait);
    busy_ = &busy;
    lastProgress_ = -1;
    const auto forget = qScopeGuard([this] { busy_ = nullptr; });
    SGridRep->hide();
    ResetGrid();
    branchCondition_ = MakeBranchCondition();
    FillReport();
    FinishReport();
  }
  SGridRep->show();
}

void TReportFrameForm::SetWaitMessage(const QString& message, const QString& info) {
  if (busy_) busy_->SetMessage(message, info);
}

void TReportFrameForm::ProcessMessages() { QCoreApplication::processEvents(); }

void TReportFrameForm::ShowProgress(const QString& message) {
  constexpr qint64 kEveryMs = 40;
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  if (lastProgress_ >= 0 && now - lastProgress_ < kEveryMs) return;
  lastProgress_ = now;
  SetWaitMessage(message);
  ProcessMessages();
}

void TReportFrameForm::SpButPrintClick() {
  if (!ReportShown()) {
    DMDB->ShowMessage(PrintRefusal);
    return;
  }
  PrintReport();
}

void TReportFrameForm::PrintReport() {
  // A print that fails is dropped without a message; the form goes in every case.
  try {
    if (std::unique_ptr<TGridReportForm> form = PreparedPrintForm()) form->Preview(this);
  } catch (const std::exception& e) {
    if (DMDB) DMDB->LogException(e, Where("SpButPrintClick"));
  } catch (...) {
    if (DMDB) DMDB->LogException("Unknown exception", Where("SpButPrintClick"));
  }
}

std::unique_ptr<TGridReportForm> TReportFrameForm::PreparedPrintForm() {
  std::unique_ptr<TGridReportForm> form = CreatePrintForm();
  if (!form) return form;
  form->SetGrid(SGridRep);
  form->SetTitle(ReportTitle());
  PreparePrintForm(*form);
  return form;
}

std::unique_ptr<TGridReportForm> TReportFrameForm::CreatePrintForm() {
  auto form = std::make_unique<TReport1Form>(PrintZoom, SGridRep->FixedRows());
  form->AddGridColumnLabels(*SGridRep, [this](int col) { return ToReportAlignment(ColumnAlignment(col)); });
  return form;
}

void TReportFrameForm::SpButExportClick() {
  if (!ReportShown()) {
    DMDB->ShowMessage(ExportRefusal);
    return;
  }
  KVExportGridCommand(SGridRep, Where("SpButExportClick"));
}

// ----- drawing ------------------------------------------------------------------------------

void TReportFrameForm::SGridRepDrawCell(kui::KvStringGrid& grid, QPainter& p, int col, int row,
                                        const QRect& rect, kui::KvGridDrawState state) {
  QColor back = Qt::white;
  if (state.fixed || IsHeaderRow(row)) back = HeaderColour;
  if (state.selected) back = kvColour(kCurrentRowColour);
  p.fillRect(rect, back);
  QFont font = grid.font();
  font.setBold(IsBoldRow(row));
  p.setFont(font);
  p.setPen(Qt::black);
  kui::KvStringGrid::DrawCellText(p, rect, grid.Cell(col, row), ColumnAlignment(col), 2, 2);
}

void TReportFrameForm::OwnerDrawItems(QComboBox* box, DrawItem draw) {
  box->setItemDelegate(new PickItemDelegate(box, std::move(draw)));
}

void TReportFrameForm::ComboBoxBranchDrawItem(QPainter& p, const QStyleOptionViewItem& option, int index) {
  TPickItemDrawClass::Draw(p, option, ComboBoxBranch->font(), kui::PickNameAt(ComboBoxBranch, index), BranchItemOffset);
}
