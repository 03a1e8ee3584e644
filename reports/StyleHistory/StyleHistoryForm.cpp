// TFormStyleHistoryF: layout, start-up, handlers and the pop-up menu.
#include "StyleHistoryForm.h"

#include "DataModF.h"
#include "FormSearchResF.h"
#include "KvBusyGuard.h"
#include "KvColour.h"
#include "KvEdit.h"
#include "KVExportClass.h"
#include "KvFocusColour.h"
#include "KvStringGrid.h"
#include "MessageFrame.h"
#include "PickItemDrawClass.h"
#include "PickList.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int kTitlePixels = 29;
constexpr int kControlPixels = 15;
constexpr int kRootLength = 16;   // PRODUCTS.ROOT_PLU
constexpr int kStyleLength = 50;  // PRODUCTS.STYLE

QLabel* Label(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setFont(kvVerdana(kControlPixels));
  return l;
}

QToolButton* SpeedButton(const QString& caption, const char* name, QWidget* parent) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(caption);
  b->setAutoRaise(true);
  b->setFont(kvVerdana(kControlPixels, true));
  b->setMinimumHeight(32);
  b->setCursor(Qt::PointingHandCursor);
  return b;
}

// An editable combo box whose typed text turns into capitals.
QComboBox* CapitalsCombo(const char* name, int maxLength, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  auto* edit = new kui::KvEdit(combo);
  edit->SetCharCase(kui::KvEdit::CharCase::Upper);
  edit->SetMaxLength(maxLength);
  combo->setLineEdit(edit);
  combo->setFont(kvVerdana(kControlPixels));
  return combo;
}

QWidget* Panel(const char* name, quint32 colour, QWidget* parent) {
  auto* w = new QWidget(parent);
  w->setObjectName(name);
  kui::PaintBackground(w, kvColour(colour));
  return w;
}

}  // namespace

TFormStyleHistoryF::TFormStyleHistoryF(QWidget* parent) : TReportFrameForm(parent) {
  setObjectName("FormStyleHistoryF");
  SQLText.clear();
  CurrentRootPLU.clear();
  CurrentStyle.clear();
  SetReportTitle(kTitle);
  PanelTop->setFont(kvVerdana(kTitlePixels, true));
  BranchItemOffset = {4, 1};

  // The report window's filter strip and grid have no part here; the branch
  // selector moves to the info panel.
  PanelFilter->layout()->removeWidget(ComboBoxBranch);
  PanelFilter->hide();
  SGridRep->parentWidget()->hide();

  BuildSearchPanel();
  BuildBody();
  BuildPopupMenu();
  new kui::KvFocusColour(this, kui::KvFocusColour::kGrey);
  InitialiseForm();
}

TFormStyleHistoryF::~TFormStyleHistoryF() = default;

// ----- layout -------------------------------------------------------------------------------

void TFormStyleHistoryF::BuildSearchPanel() {
  PanelSearch = Panel("PanelSearch", kSearchColour, this);
  PanelSearch->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  ComboBoxRoot = CapitalsCombo("ComboBoxRoot", kRootLength, PanelSearch);
  ComboBoxRoot->setMinimumWidth(170);
  ComboBoxStyle = CapitalsCombo("ComboBoxStyle", kStyleLength, PanelSearch);
  ComboBoxStyle->setMinimumWidth(240);
  SpButSearch = SpeedButton("Search", "SpButSearch", PanelSearch);
  SpButAdvSearch = SpeedButton("Advanced Search", "SpButAdvSearch", PanelSearch);
  connect(SpButSearch, &QToolButton::clicked, this, [this] { SpButSearchClick(); });
  connect(SpButAdvSearch, &QToolButton::clicked, this, [this] { SpButAdvSearchClick(); });
  // Enter in either box searches, as "Search" does.
  for (QComboBox* box : {ComboBoxRoot, ComboBoxStyle})
    connect(box->lineEdit(), &QLineEdit::returnPressed, this, [this] { SpButSearchClick(); });

  auto* row = new QHBoxLayout(PanelSearch);
  row->setContentsMargins(12, 8, 12, 8);
  row->setSpacing(8);
  row->addWidget(Label("Root PLU", PanelSearch));
  row->addWidget(ComboBoxRoot);
  row->addSpacing(12);
  row->addWidget(Label("Style", PanelSearch));
  row->addWidget(ComboBoxStyle);
  row->addSpacing(12);
  row->addWidget(SpButSearch);
  row->addWidget(SpButAdvSearch);
  row->addStretch();
  AddBottomBar(PanelSearch);
}

void TFormStyleHistoryF::BuildBody() {
  SplitterBody = new QSplitter(Qt::Horizontal, this);
  SplitterBody->setObjectName("SplitterBody");
  SplitterBody->setChildrenCollapsible(false);
  SplitterBody->addWidget(BuildStylePanel());
  SplitterBody->addWidget(BuildInfoPanel());
  SplitterBody->setStretchFactor(1, 1);
  SplitterBody->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  AddBottomBar(SplitterBody);
}

QWidget* TFormStyleHistoryF::BuildStylePanel() {
  PanelLeftStyle = Panel("PanelLeftStyle", 0xFFFFFF, this);
  SGridStyle = new kui::KvStringGrid(PanelLeftStyle);
  SGridStyle->setObjectName("SGridStyle");
  style_ = TStyleGridClass(SGridStyle);
  SGridStyle->SetDefaultDrawing(false);
  SGridStyle->OnDrawCell = [this](kui::KvStringGrid&, QPainter& p, int col, int row, const QRect& rect,
                                  kui::KvGridDrawState state) {
    SGridStyleDrawCell(p, col, row, rect, state);
  };
  auto* layout = new QVBoxLayout(PanelLeftStyle);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(SGridStyle);
  // Room for the labels and three colours.
  PanelLeftStyle->resize(TStyleGridClass::kLabelWidth + 3 * TStyleGridClass::kColourWidth + 24, 600);
  return PanelLeftStyle;
}

QWidget* TFormStyleHistoryF::BuildInfoPanel() {
  PanelInfo = Panel("PanelInfo", 0xFFFFFF, this);

  PanelInfoFilterTop = Panel("PanelInfoFilterTop", 0xFFFFFF, PanelInfo);
  ComboByColour = new QComboBox(PanelInfoFilterTop);
  ComboByColour->setObjectName("ComboByColour");
  ComboByColour->setFont(ComboBoxBranch->font());
  ComboByColour->setMinimumWidth(220);
  OwnerDrawItems(ComboByColour, [this](QPainter& p, const QStyleOptionViewItem& option, int index) {
    TPickItemDrawClass::Draw(p, option, ComboByColour->font(), kui::PickNameAt(ComboByColour, index),
                             BranchItemOffset);
  });
  ComboBoxBranch->setParent(PanelInfoFilterTop);
  auto* top = new QHBoxLayout(PanelInfoFilterTop);
  top->setContentsMargins(8, 6, 8, 6);
  top->setSpacing(8);
  top->addWidget(Label("Colour", PanelInfoFilterTop));
  top->addWidget(ComboByColour);
  top->addSpacing(12);
  top->addWidget(Label("Branch", PanelInfoFilterTop));
  top->addWidget(ComboBoxBranch);
  top->addStretch();
  for (QComboBox* combo : {ComboByColour, ComboBoxBranch})
    connect(combo, &QComboBox::currentIndexChanged, this, [this] { ComboBoxBranchChange(); });

  SGridInfo = new kui::KvStringGrid(PanelInfo);
  SGridInfo->setObjectName("SGridInfo");
  SGridInfo->SetDefaultDrawing(false);
  SGridInfo->OnDrawCell = [this](kui::KvStringGrid&, QPainter& p, int col, int row, const QRect& rect,
                                 kui::KvGridDrawState state) { SGridInfoDrawCell(p, col, row, rect, state); };
  info_ = TInfoGridClass(SGridInfo);

  PanelInfoFilterBottom = Panel("PanelInfoFilterBottom", 0xFFFFFF, PanelInfo);
  DTPickStart = new QDateEdit(PanelInfoFilterBottom);
  DTPickStart->setObjectName("DTPickStart");
  DTPickEnd = new QDateEdit(PanelInfoFilterBottom);
  DTPickEnd->setObjectName("DTPickEnd");
  for (QDateEdit* d : {DTPickStart, DTPickEnd}) {
    d->setCalendarPopup(true);
    d->setDisplayFormat("dd/MM/yyyy");
    d->setFont(kvVerdana(kControlPixels));
  }
  SpButViewSales = SpeedButton("Refresh", "SpButViewSales", PanelInfoFilterBottom);
  connect(SpButViewSales, &QToolButton::clicked, this, [this] { SpButViewSalesClick(); });
  auto* bottom = new QHBoxLayout(PanelInfoFilterBottom);
  bottom->setContentsMargins(8, 6, 8, 6);
  bottom->setSpacing(8);
  bottom->addWidget(Label("Start Date", PanelInfoFilterBottom));
  bottom->addWidget(DTPickStart);
  bottom->addSpacing(12);
  bottom->addWidget(Label("End Date", PanelInfoFilterBottom));
  bottom->addWidget(DTPickEnd);
  bottom->addSpacing(12);
  bottom->addWidget(SpButViewSales);
  bottom->addStretch();

  auto* column = new QVBoxLayout(PanelInfo);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(PanelInfoFilterTop);
  column->addWidget(SGridInfo, 1);
  column->addWidget(PanelInfoFilterBottom);
  return PanelInfo;
}

void TFormStyleHistoryF::BuildPopupMenu() {
  PopupMenuExport = new QMenu(this);
  PopupMenuExport->setObjectName("PopupMenuExport");
  PPMExport = PopupMenuExport->addAction("Export...");
  PopupMenuExport->addSeparator();
  PPMColourName = PopupMenuExport->addAction("Colour");
  PPMColourName->setEnabled(false);
  PPMViewHistory = PopupMenuExport->addAction("View History");
  connect(PopupMenuExport, &QMenu::aboutToShow, this, [this] { PopupMenuExportPopup(); });
  connect(PPMExport, &QAction::triggered, this, [this] { PPMExportClick(); });
  connect(PPMViewHistory, &QAction::triggered, this, [this] { PPMViewHistoryClick(); });
  SGridStyle->SetContextMenu(PopupMenuExport);
  SGridInfo->SetContextMenu(PopupMenuExport);
}

void TFormStyleHistoryF::InitialiseForm() {
  ResetStyleGrid();
  ResetInfoGrid();
  const QDate today = (DMDB ? DMDB->Now() : QDateTime::currentDateTime()).date();
  DTPickStart->setDate(QDate(today.year(), today.month(), 1));
  DTPickEnd->setDate(today);
  kui::PaintBackground(PanelLeftStyle, Qt::white);
  PanelInfo->hide();
  kui::PaintBackground(PanelInfo, Qt::white);
  SplitterBody->handle(1)->setEnabled(false);
  PanelLeftStyle->setMinimumWidth(PanelLeftStyle->width());
}

bool TFormStyleHistoryF::LocalMode() const { return DMDB && DMDB->Setup && DMDB->Setup->LocalMode; }

// ----- start-up -----------------------------------------------------------------------------

void TFormStyleHistoryF::LoadLists() {
  LoadBranches();
  ReportFailures();
}

// ----- wait window ---------------------------------------------------------------------------

TFormStyleHistoryF::TWaitStep::TWaitStep(TFormStyleHistoryF& form, const QString& text) : form_(form) {
  if (form_.busy_) {
    form_.busy_->SetMessage(text);
    return;
  }
  own_.emplace(&form_, text);
  form_.busy_ = &*own_;
}

TFormStyleHistoryF::TWaitStep::~TWaitStep() {
  if (own_) form_.busy_ = nullptr;
}

// ----- failures -----------------------------------------------------------------------------

void TFormStyleHistoryF::NoteFailure(const QString& what) {
  failures_ << what + ":\n" + (DMDB ? DMDB->LastError : QString());
}

void TFormStyleHistoryF::ReportFailures() {
  if (failures_.isEmpty()) return;
  const QString text = failures_.join("\n\n");
  failures_.clear();
  if (DMDB) DMDB->ShowMessage(text);
}

template <class F>
void TFormStyleHistoryF::Handle(const char* method, F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    if (DMDB) DMDB->LogException(e, Where(method));
    failures_ << QString("The enquiry stopped with an error:\n") + TDMDB::ExceptionMessage(e);
  } catch (...) {
    if (DMDB) DMDB->LogException("Unknown exception", Where(method));
    failures_ << "The enquiry stopped with an error.";
  }
  ReportFailures();
}

// ----- handlers -------------------------------------------------------------------------------

void TFormStyleHistoryF::SpButSearchClick() {
  Handle("SpButSearchClick", [this] {
    const QString rootText = ComboBoxRoot->currentText().trimmed();
    const QString styleText = ComboBoxStyle->currentText().trimmed();
    if (rootText.isEmpty() && styleText.isEmpty()) {
      DMDB->ShowMessage("Please enter a style name or Root PLU");
      ComboBoxStyle->setFocus();
      return;
    }
    TFound found = TFound::NotFound;
    {
      // One wait window for the search and the style it opens.
      TWaitStep wait(*this, "Searching for style...");
      found = FindStyle(rootText, styleText);
      if (found == TFound::Found) OpenStyle(CurrentStyle);
    }
    // A failed search is told by Handle.
    if (found == TFound::NotFound) DMDB->ShowMessage("No matching styles found.");
  });
}

void TFormStyleHistoryF::SpButAdvSearchClick() {
  Handle("SpButAdvSearchClick", [this] {
    kvrep::TFormSearchResults results(nullptr);
    if (results.Execute()) OpenStyle(results.GetSelected(1));
  });
}

void TFormStyleHistoryF::ComboBoxBranchChange() {
  Handle("ComboBoxBranchChange", [this] {
    CurrentRootPLU = kui::SelectedPickValue(ComboByColour);
    LoadHistory();
  });
}

void TFormStyleHistoryF::SpButViewSalesClick() {
  Handle("SpButViewSalesClick", [this] {
    TWaitStep wait(*this, "Searching for sales...");
    ClearSalesBetween();
    LoadSales();
  });
}

// ----- pop-up menu ----------------------------------------------------------------------------

kui::KvStringGrid* TFormStyleHistoryF::PopupGrid() const {
  kui::KvStringGrid* grid = kui::KvStringGrid::PopupComponent(PopupMenuExport);
  if (CurrentRootPLU.isEmpty() || PanelInfo->isHidden()) return nullptr;
  return grid == SGridStyle || grid == SGridInfo ? grid : nullptr;
}

void TFormStyleHistoryF::PopupMenuExportPopup() {
  Handle("PopupMenuExportPopup", [this] {
    kui::KvStringGrid* grid = PopupGrid();
    if (!grid) return;
    PPMColourName->setText(grid == SGridStyle ? SGridStyle->Cell(SGridStyle->Col(), TStyleGridClass::srColour)
                                              : kui::SelectedPickName(ComboByColour));
  });
}

void TFormStyleHistoryF::PPMExportClick() {
  Handle("PPMExportClick", [this] {
    if (kui::KvStringGrid* grid = PopupGrid()) KVExportGridCommand(grid, Where("PPMExportClick"));
  });
}

void TFormStyleHistoryF::PPMViewHistoryClick() {
  Handle("PPMViewHistoryClick", [this] {
    kui::KvStringGrid* grid = PopupGrid();
    if (!grid) return;
    const QString root =
        grid == SGridStyle ? SGridStyle->Cell(SGridStyle->Col(), TStyleGridClass::srRootPLU) : CurrentRootPLU;
    // Not waited for; whether the item report started is not checked.
    DMDB->RunProgram(QString(kItemReport) + " " + root, DMDB->ExeFolder, false);
  });
}

// ----- combo boxes ----------------------------------------------------------------------------

int TFormStyleHistoryF::AddUniqueComboItem(QComboBox* combo, const QString& text) {
  if (!combo) return -1;
  const int found = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (found >= 0) return found;
  // The list is kept sorted: the text goes before the first item after it.
  int at = 0;
  while (at < combo->count() && QString::compare(combo->itemText(at), text, Qt::CaseInsensitive) <= 0) ++at;
  const QSignalBlocker quiet(combo);
  combo->insertItem(at, text);
  return at;
}
