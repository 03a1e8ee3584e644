// The quantity pages (stock, min stock, max stock, barcodes): layout, wiring
// and handlers, the branch combos, the grid's loading, drawing and keys, the
// BRANCHSTOCK write of Apply; the ratio fill, the copy and paste of a colour
// row and the style page's "Ratio" button. The TForm1 entry points of those
// handlers come first.
#include "QuantityPageF.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>
#include <stdexcept>

#include "BranchStockClass.h"
#include "ColourSizeViewClass.h"
#include "DataModF.h"
#include "KuiColour.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ModeWords.h"
#include "PickList.h"
#include "Process.h"
#include "RatioFillClass.h"
#include "RatioQtyForm.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"

namespace {

using SG = TColourSizeGridClass;
using Handler = void (TForm1::*)();

constexpr char kEditStock[] = "Edit Stock";
constexpr char kSizeRatiosProgram[] = "SizeRatios";
constexpr quint32 kModePanelColour = 0x80FF80;

struct NamedHandler {
  const char* name;  // as the log names it
  Handler fn;
};

// Everything in which the four pages differ.
struct PageSpec {
  const char* sheet;
  const char* title;
  const char* column;
  const char* figure;  // what the figures are, in messages
  const char* what;    // what Apply saves, in messages: "<what> not saved."
  const char* grid;
  const char* combo;
  const char* style;
  const char* mode;  // nullptr: no modes
  const char* add;
  const char* ratio;
  const char* edit;
  const char* cancel;
  const char* apply;
  const char* applyCaption;
  NamedHandler select, addClick, editClick, cancelClick, applyClick, ratioClick;
};

#define SK_HANDLER(name) {"TForm1::" #name, &TForm1::name}
#define SK_NONE {nullptr, nullptr}

const PageSpec& Spec(TQuantityPage::Kind kind) {
  static const PageSpec specs[] = {
      {"TabShStock", "Stock Details", "STOCK_QUANTITY", "stock", "The stock was",
       "StringGridStock", "ComboBoxStockBranches", "PanelStyle", "PanelStockAction", "ButtonAddStock",
       "SpButStockUseRatio", "ButtonEditStock", "ButtonCancelStock", "ButtonApplyStock", "Apply",
       SK_HANDLER(ComboBoxStockBranchesSelect), SK_HANDLER(ButtonAddStockClick),
       SK_HANDLER(ButtonEditStockClick), SK_HANDLER(ButtonCancelStockClick), SK_HANDLER(ButtonApplyStockClick),
       SK_HANDLER(SpButStockUseRatioClick)},
      {"TabShMinStock", "Min Stock Details", "MIN_STOCK_QUANTITY", "minimum stock", "The minimum stock was",
       "SGridMinStock", "ComboBoxMinStockBranches", "PanelMinStyle",
       "PanelMinStockAction", "ButtonAddMinStock", "SpeedButton2", "ButtonEditMinStock", "ButtonCancelMinStock",
       "ButtonApplyMinStock", "Apply", SK_HANDLER(ComboBoxMinStockBranchesSelect),
       SK_HANDLER(ButtonAddMinStockClick), SK_HANDLER(ButtonEditMinStockClick), SK_HANDLER(ButtonCancelMinStockClick),
       SK_HANDLER(ButtonApplyMinStockClick), SK_HANDLER(SpeedButton2Click)},
      {"TabShMaxStock", "Max Stock Details", "MAX_STOCK_QUANTITY", "maximum stock", "The maximum stock was",
       "SGridMaxStock", "ComboBoxMaxStockBranches", "PanelMaxStyle",
       "PanelMaxStockAction", "ButtonAddMaxStock", "SpeedButton7", "ButtonEditMaxStock", "ButtonCancelMaxStock",
       "ButtonApplyMaxStock", "Apply", SK_HANDLER(ComboBoxMaxStockBranchesSelect),
       SK_HANDLER(ButtonAddMaxStockClick), SK_HANDLER(ButtonEditMaxStockClick), SK_HANDLER(ButtonCancelMaxStockClick),
       SK_HANDLER(ButtonApplyMaxStockClick), SK_HANDLER(SpeedButton7Click)},
      {"TabShBarcodes", "Barcodes", "BARCODES_QUANTITY", "barcode quantity", "The barcode quantities were",
       "SGridBarcodes", "ComboBoxBarcodesBranches", "PanelBarcodesStyle", nullptr, nullptr,
       "SpeedButton8", nullptr, nullptr, "SpeedButton3", "Apply",
       SK_HANDLER(ComboBoxBarcodesBranchesSelect), SK_NONE, SK_NONE, SK_NONE, SK_HANDLER(SpeedButton3Click),
       SK_HANDLER(SpeedButton8Click)},
  };
  return specs[static_cast<int>(kind)];
}

#undef SK_HANDLER
#undef SK_NONE

TColourSizeViewClass& QuantityView(kui::KvStringGrid* grid) {
  return TColourSizeViewClass::Of(grid, TColourSizeViewClass::Values::Quantities);
}

// Runs a statement on a query of the data module; a failure (logged by
// RunQuery) is thrown, never taken for an empty result.
kdb::Query& Run(const QString& sql, kdb::Query* query, const QString& failure) {
  if (!DMDB->RunQuery(sql, query)) throw kdb::DbError(failure);
  return *query;
}

}  // namespace

// ----- TForm1 entry points: pages, grids and Apply ------------------------------------------

void TForm1::SpButTabStockClick() { StockPage->Open(); }
void TForm1::SpButShowMinStockClick() { MinStockPage->Open(); }
void TForm1::SpButShowMaxStockClick() { MaxStockPage->Open(); }
void TForm1::SpButTabBCodesClick() { BarcodesPage->Open(); }
void TForm1::ComboBoxStockBranchesSelect() { StockPage->BranchSelect(); }
void TForm1::ComboBoxMinStockBranchesSelect() { MinStockPage->BranchSelect(); }
void TForm1::ComboBoxMaxStockBranchesSelect() { MaxStockPage->BranchSelect(); }
void TForm1::ComboBoxBarcodesBranchesSelect() { BarcodesPage->BranchSelect(); }
void TForm1::ButtonAddStockClick() { StockPage->Add(); }
void TForm1::ButtonAddMinStockClick() { MinStockPage->Add(); }
void TForm1::ButtonAddMaxStockClick() { MaxStockPage->Add(); }
void TForm1::ButtonEditStockClick() { StockPage->Edit(); }
void TForm1::ButtonEditMinStockClick() { MinStockPage->Edit(); }
void TForm1::ButtonEditMaxStockClick() { MaxStockPage->Edit(); }
void TForm1::ButtonCancelStockClick() { StockPage->Cancel(); }
void TForm1::ButtonCancelMinStockClick() { MinStockPage->Cancel(); }
void TForm1::ButtonCancelMaxStockClick() { MaxStockPage->Cancel(); }
void TForm1::ButtonApplyStockClick() { StockPage->Apply(); }
void TForm1::ButtonApplyMinStockClick() { MinStockPage->Apply(); }
void TForm1::ButtonApplyMaxStockClick() { MaxStockPage->Apply(); }
void TForm1::SpeedButton3Click() { BarcodesPage->Apply(); }

void TForm1::LoadBranches(QComboBox* combo) {
  kdb::Query& q = Run(TBranchStockClass::BranchesSQL(DMDB->Setup->LOBranchID), DMDB->DBQueryRemote1,
                      "The branches could not be read.");
  QStringList items;
  for (q.First(); !q.Eof(); q.Next()) items << q.FieldByName("NAME").AsString() + "=" + q.FieldByName("ID").AsString();
  kui::SetPickItems(combo, items);
  // The branch chosen on another page, or the first when that one is gone.
  if (SelectedBranchIndex >= 0 && SelectedBranchIndex < combo->count())
    combo->setCurrentIndex(SelectedBranchIndex);
  else if (combo->count() > 0)
    combo->setCurrentIndex(0);
}

void TForm1::BuildColourSizeGrid(kui::KvStringGrid* grid) {
  TColourSizeViewClass& view = TColourSizeViewClass::Of(grid);
  const QString style = EditSupplierStyle->text();
  std::vector<SG::Colour> rows;
  QStringList sizes;
  try {
    kdb::Query& colours = Run(TBranchStockClass::StyleColoursSQL(style), DMDB->DBQueryRemote1,
                              "The colours of style " + style + " could not be read.");
    rows = TBranchStockClass::ReadColours(colours);
    if (!rows.empty()) {
      kdb::Query& q = Run(TBranchStockClass::ColourSizesSQL(rows.front().rootPLU), DMDB->DBQueryRemote1,
                          "The sizes of style " + style + " could not be read.");
      sizes = TBranchStockClass::ReadSizeNames(q);
    }
  } catch (...) {
    view.Layout({}, {});  // a style that could not be read shows no grid
    throw;
  }
  // The same colours and sizes again (the page read again after an Apply):
  // only the figures are cleared, so the grid and its scroll bars are not
  // laid out, and painted, anew.
  if (view.Model.HasLayout(rows, sizes))
    view.Model.FillValueCells(QString());
  else
    view.Layout(rows, sizes);
}

bool TForm1::LoadBranchStockColumn(kui::KvStringGrid* grid, QComboBox* combo, const QString& column) {
  TColourSizeViewClass& view = TColourSizeViewClass::Of(grid);
  view.Model.FillSizeCells(QString());
  const QString branchId = kui::SelectedPickValue(combo);
  if (branchId.isEmpty()) return false;
  kdb::Query& q = Run(TBranchStockClass::ColumnSQL(column, branchId, EditSupplierStyle->text()), DMDB->DBQueryRemote1,
                      "The figures of branch " + kui::SelectedPickName(combo) + " could not be read.");
  view.Model.FillSizeCells("0");
  TBranchStockClass::PlaceColumn(q, view.Model);
  return true;
}

int TForm1::FindColourRow(kui::KvStringGrid* grid, const QString& rootPLU) {
  return TColourSizeViewClass::Of(grid).Model.FindColourRow(rootPLU);
}

void TForm1::SumQuantityGrid(kui::KvStringGrid* grid) { QuantityView(grid).Model.SumQuantities(); }

quint32 TForm1::QuantityCellColour(qint64 value) { return SG::QuantityCellColour(value); }

void TForm1::StringGridStockDrawCell(kui::KvStringGrid& grid, QPainter& painter, int col, int row, const QRect& rect,
                                     kui::KvGridDrawState state) {
  QuantityView(&grid).DrawCell(painter, col, row, rect, state);
}

void TForm1::StringGridStockKeyPress(kui::KvStringGrid& grid, QChar& key) {
  const bool digit = key >= QChar('0') && key <= QChar('9');
  const QString typed = digit ? TQuantityPage::TypedText(grid, key) : QString();
  QuantityView(&grid).KeyPress(key);
  // A figure the column cannot hold is refused here, not by the database.
  if (digit && !key.isNull() && !TBranchStockClass::QuantityValue(typed)) key = QChar();
}

void TForm1::StringGridStockSelectCell(kui::KvStringGrid& grid, int col, int row, bool& canSelect) {
  QuantityView(&grid).SelectCell(col, row, canSelect);
}

// ----- TForm1 entry points: ratio fill, copy and paste ------------------------------------------

void TForm1::SpButStockUseRatioClick() { StockPage->UseRatio(); }
void TForm1::SpeedButton2Click() { MinStockPage->UseRatio(); }
void TForm1::SpeedButton7Click() { MaxStockPage->UseRatio(); }
void TForm1::SpeedButton8Click() { BarcodesPage->UseRatio(); }

void TForm1::SpButSSRatioClick() {
  if (ComboBoxSizeRanges->currentIndex() < 0) return;
  const QString program = kos::FindProgramIn(kSizeRatiosProgram, QDir::currentPath());
  if (program.isEmpty()) return;
  kos::ShellOpen(program, "\"" + kui::SelectedPickValue(ComboBoxSizeRanges) + "\"");
}

bool TForm1::FillGridFromRatio(kui::KvStringGrid* grid) {
  const QString scaleId = kui::SelectedPickValue(ComboBoxSizeRanges);
  if (scaleId.isEmpty()) {
    DMDB->ShowMessage("Please select a size scale on the style page: its ratios fill the grid.");
    return false;
  }
  TFormRatioQty* prompt = FormRatioQty ? FormRatioQty : new TFormRatioQty(this);
  if (!prompt->Execute()) return false;
  const int quantity = prompt->Quantity();
  kdb::Query& q = Run(TRatioFillClass::RatiosSQL(scaleId), DMDB->DBQueryRemote2,
                      "The size ratios of " + kui::SelectedPickName(ComboBoxSizeRanges) + " could not be read.");
  QString why;
  if (!TRatioFillClass::Fill(QuantityView(grid).Model, quantity, TRatioFillClass::ReadRatios(q), &why)) {
    DMDB->ShowMessage(why);
    return false;
  }
  return true;
}

int TForm1::SizeScaleRatioTotal() {
  const QString scaleId = kui::SelectedPickValue(ComboBoxSizeRanges);
  if (scaleId.isEmpty()) return 0;
  // The second query, so that a result open on the first stays.
  kdb::Query& q = Run(TRatioFillClass::RatioTotalSQL(scaleId), DMDB->DBQueryRemote2,
                      "The size ratios could not be read.");
  return static_cast<int>(q.FieldByName("TOTAL").AsInteger());
}

kui::KvStringGrid* TForm1::ActiveQuantityGrid() const {
  const QWidget* sheet = PageCtrlSF->currentWidget();
  // A page not made yet is not the one shown.
  for (const TQuantityPage* page :
       {StockPage.IfMade(), MinStockPage.IfMade(), MaxStockPage.IfMade(), BarcodesPage.IfMade()})
    if (page && page->Sheet == sheet) return page->Grid;
  throw std::runtime_error("No grid");
}

void TForm1::PasteColourRow(kui::KvStringGrid* grid, int row) {
  TColourSizeGridClass& model = QuantityView(grid).Model;
  if (model.IsSizeCell(SG::kFirstSizeCol, row)) model.PasteRow(row, *CopyBuffer);
}

void TForm1::PPMStockCopyColourClick() {
  kui::KvStringGrid* grid = ActiveQuantityGrid();
  const TColourSizeGridClass& model = QuantityView(grid).Model;
  if (!model.IsSizeCell(SG::kFirstSizeCol, grid->Row())) return;
  *CopyBuffer = model.CopyRow(grid->Row());
}

void TForm1::PPMStockPasteColourClick() {
  kui::KvStringGrid* grid = ActiveQuantityGrid();
  if (!grid->HasOption(kui::KvStringGrid::goEditing) || CopyBuffer->isEmpty()) return;
  PasteColourRow(grid, grid->Row());
  SumQuantityGrid(grid);
}

void TForm1::PPMStockPasteAllClick() {
  kui::KvStringGrid* grid = ActiveQuantityGrid();
  if (!grid->HasOption(kui::KvStringGrid::goEditing) || CopyBuffer->isEmpty()) return;
  for (int row = SG::kFirstColourRow; row < grid->RowCount() - 1; ++row) PasteColourRow(grid, row);
  SumQuantityGrid(grid);
}

// ----- TQuantityPage --------------------------------------------------------------------------

TQuantityPage::TQuantityPage(TForm1& form, Kind kind)
    : TFormPart(form, Spec(kind).sheet, Spec(kind).title), PageKind(kind) {
  BuildControls();
  const PageSpec& spec = Spec(kind);
  const auto wire = [this](QToolButton* button, const NamedHandler& h) {
    if (button && h.fn) OnClick(button, h.name, [this, fn = h.fn] { (Form.*fn)(); });
  };
  wire(ButtonAdd, spec.addClick);
  wire(ButtonEdit, spec.editClick);
  wire(ButtonCancel, spec.cancelClick);
  wire(ButtonApply, spec.applyClick);
  wire(ButtonUseRatio, spec.ratioClick);
  connect(BranchCombo, &QComboBox::activated, this,
          [this, h = spec.select] { Form.Guard(h.name, [this, fn = h.fn] { (Form.*fn)(); }); });

  Grid->OnDrawCell = [this](kui::KvStringGrid& g, QPainter& p, int c, int r, const QRect& rect,
                            kui::KvGridDrawState s) { Form.StringGridStockDrawCell(g, p, c, r, rect, s); };
  Grid->OnKeyPress = [this](kui::KvStringGrid& g, QChar& key) {
    Form.Guard("TForm1::StringGridStockKeyPress", [&] { Form.StringGridStockKeyPress(g, key); });
  };
  Grid->OnSelectCell = [this](kui::KvStringGrid& g, int c, int r, bool& can) {
    Form.StringGridStockSelectCell(g, c, r, can);
  };
  if (kind == Kind::Stock) BuildStockMenu();
  // One pop-up menu serves the four grids: it acts on the active page's.
  Grid->SetContextMenu(kind == Kind::Stock ? PPMenuStock : Form.StockPage->PPMenuStock);
  if (HasModes()) ShowMode(skmode::kView);
  else SetEditable(false);
}

void TQuantityPage::BuildControls() {
  const PageSpec& spec = Spec(PageKind);
  auto* top = new QHBoxLayout;
  BranchCombo = skui::MakePickList(Sheet, spec.combo);
  StylePanel = skui::MakePanel(Sheet, spec.style, QString());
  StylePanel->setMinimumWidth(200);
  top->addWidget(skui::MakeLabel(Sheet, nullptr, "Branch:"));
  top->addWidget(BranchCombo);
  top->addSpacing(16);
  top->addWidget(skui::MakeLabel(Sheet, nullptr, "Style:"));
  top->addWidget(StylePanel);
  top->addStretch(1);
  if (spec.mode) {
    ModePanel = skui::MakeLabel(Sheet, spec.mode, skmode::kDesign);
    ModePanel->setAlignment(Qt::AlignCenter);
    ModePanel->setMinimumWidth(90);
    ModePanel->setMinimumHeight(28);
    kui::PaintBackground(ModePanel, kui::BgrColour(kModePanelColour));
    top->addWidget(ModePanel);
  }
  SheetLayout()->addLayout(top);

  Grid = new kui::KvStringGrid(Sheet);
  Grid->setObjectName(spec.grid);
  QuantityView(Grid);  // the grid's look and its cells
  SheetLayout()->addWidget(Grid, 1);

  auto* buttons = new QHBoxLayout;
  const auto button = [this, buttons](const char* name, const QString& caption) -> QToolButton* {
    if (!name) return nullptr;
    QToolButton* b = skui::MakeButton(Sheet, name, caption, 90);
    buttons->addWidget(b);
    return b;
  };
  ButtonAdd = button(spec.add, "Add");
  ButtonUseRatio = button(spec.ratio, "Use Ratio");
  ButtonEdit = button(spec.edit, "Edit");
  ButtonCancel = button(spec.cancel, "Cancel");
  ButtonApply = button(spec.apply, spec.applyCaption);
  if (PageKind == Kind::Stock) {
    SpButStockUseRatio = ButtonUseRatio;
    buttons->addSpacing(16);
    const auto check = [this, buttons](const char* name, const QString& caption) {
      auto* c = new QCheckBox(caption, Sheet);
      c->setObjectName(name);
      buttons->addWidget(c);
      return c;
    };
    CheckBoxMinStock = check("CheckBoxMinStock", "Set As Min Stock");
    CheckBoxMaxStock = check("CheckBoxMaxStock", "Set As Max Stock");
    CheckBoxCreateBarcodes = check("CheckBoxCreateBarcodes", "Create Barcodes");
  }
  buttons->addStretch(1);
  SheetLayout()->addLayout(buttons);
}

void TQuantityPage::BuildStockMenu() {
  PPMenuStock = new QMenu(Sheet);
  PPMenuStock->setObjectName("PPMenuStock");
  // Copy and paste fail silently: the failure is logged, nobody is asked.
  const auto item = [this](const char* name, const QString& caption, const char* where, Handler fn) {
    QAction* a = PPMenuStock->addAction(caption);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, [this, where, fn] { Form.Guard(where, [this, fn] { (Form.*fn)(); }, false); });
  };
  item("PPMStockCopyColour", "Copy Colour", "TForm1::PPMStockCopyColourClick", &TForm1::PPMStockCopyColourClick);
  item("PPMStockPasteColour", "Paste Colour", "TForm1::PPMStockPasteColourClick", &TForm1::PPMStockPasteColourClick);
  PPMenuStock->addSeparator();
  item("PPMStockPasteAll", "Paste to All Colours", "TForm1::PPMStockPasteAllClick", &TForm1::PPMStockPasteAllClick);
}

QString TQuantityPage::Column() const { return Spec(PageKind).column; }

QString TQuantityPage::Mode() const { return ModePanel ? ModePanel->text() : QString(); }

bool TQuantityPage::Editable() const { return Grid->HasOption(kui::KvStringGrid::goEditing); }

TColourSizeViewClass& TQuantityPage::View() const { return QuantityView(Grid); }

QString TQuantityPage::TypedText(const kui::KvStringGrid& grid, QChar key) {
  // A key typed while no editor is open opens one with the text selected.
  if (!grid.EditorMode()) return QString(key);
  const QLineEdit* editor = grid.InplaceEditor();
  QString text = editor->text();
  if (editor->hasSelectedText())
    text.replace(editor->selectionStart(), editor->selectedText().size(), key);
  else
    text.insert(editor->cursorPosition(), key);
  return text;
}

void TQuantityPage::CaptureLoaded() { Loaded = TBranchStockClass::Figures(View().Model); }

bool TQuantityPage::WriteBranchGrid(TColourSizeViewClass& view, QComboBox* combo,
                                    const QHash<QString, QString>& loaded,
                                    const TBranchStockClass::CellAssigns& assigns, const QString& figure,
                                    const QString& what, const char* where, const QString& waitText) {
  const TBranchStockClass::Branch branch{kui::SelectedPickValue(combo), kui::SelectedPickName(combo)};
  try {
    // The wait cursor and the wait window, the window itself left enabled:
    // nothing can be clicked or typed while the write runs anyway (its
    // progress callbacks take no input; what the person does meanwhile waits
    // until it is done), and disabling and enabling the window would send
    // every control its change and have them all painted again behind the
    // message that follows. The grid holds every typed figure already (its
    // editor writes each change into its cell).
    kui::KvBusyGuard busy(nullptr, waitText);
    TBranchStockClass writer(*DMDB->DBQueryRemote1);
    writer.AfterPost = [](kdb::Query& row) { DMDB->LogAfterPost(&row, TBranchStockClass::kTable); };
    const TDMDB::LogRecord posts(*DMDB);  // the post records in one write
    writer.WriteGrid(*DMDB->DBDatabaseRemote, view.Model, branch, loaded, assigns, figure);
    return true;
  } catch (const std::exception& e) {
    DMDB->LogException(e, where);
    DMDB->ShowMessage(what + " not saved.\n\n" + TDMDB::ExceptionMessage(e) + "\n\nNothing was written.");
    return false;
  }
}

void TQuantityPage::SetEditable(bool on) {
  // A read-only grid still scrolls and takes a cell for "Copy Colour".
  Grid->SetOption(kui::KvStringGrid::goEditing, on);
}

void TQuantityPage::ShowMode(const QString& word) {
  ModePanel->setText(word);
  const bool view = word == skmode::kView;
  SetEditable(!view);
  skui::SetVisible({ButtonAdd, ButtonEdit}, view);
  skui::SetVisible({ButtonCancel, ButtonApply}, !view);
}

void TQuantityPage::FocusFirstCell() {
  Grid->SetCurrent(SG::kFirstSizeCol, SG::kFirstColourRow);
  Grid->setFocus();
}

QWidget* TQuantityPage::GuardWindow() { return keepEnabled_ ? nullptr : &Form; }

void TQuantityPage::Open() {
  kui::KvBusyGuard busy(GuardWindow(), "Please wait...");
  Form.LoadBranches(BranchCombo);
  BranchSelect();
  ShowSheet();
  if (PageKind == Kind::Barcodes) Grid->setFocus();
}

void TQuantityPage::BranchSelect() {
  Form.SelectedBranchIndex = BranchCombo->currentIndex();
  std::optional<kui::KvBusyGuard> busy;
  if (PageKind == Kind::Stock) busy.emplace(GuardWindow(), "Please wait... Loading Stock");
  // Until the figures are read nothing can be typed or applied.
  ready_ = false;
  Loaded.clear();
  if (HasModes()) ShowMode(skmode::kView);
  else SetEditable(false);
  StylePanel->setText(Form.EditSupplierStyle->text());
  bool loaded = false;
  {
    // Painted once read: figures read again as they were shown paint nothing.
    Grid->BeginUpdate();
    const auto painted = qScopeGuard([this] { Grid->EndUpdate(); });
    Form.BuildColourSizeGrid(Grid);
    loaded = Form.LoadBranchStockColumn(Grid, BranchCombo, Column());
    Form.SumQuantityGrid(Grid);
  }
  if (!loaded) return;
  CaptureLoaded();
  ready_ = true;
  if (!HasModes()) {
    SetEditable(true);
    return;
  }
  Grid->SetCurrent(SG::kFirstSizeCol, SG::kFirstColourRow);
  if (PageKind != Kind::Stock) ShowSheet();
}

void TQuantityPage::Add() {
  if (PageKind == Kind::Stock && !DMDB->CheckSecurity(kEditStock, true)) return;
  ShowMode(skmode::kAdd);
  View().Model.FillValueCells("0");
  FocusFirstCell();
}

void TQuantityPage::Edit() {
  if (PageKind == Kind::Stock && !DMDB->CheckSecurity(kEditStock, true)) return;
  ShowMode(skmode::kEdit);
  FocusFirstCell();
}

void TQuantityPage::Cancel() { Open(); }

// Open after an Apply, with its wait cursor and wait window but the window
// left enabled, as the Apply left it: disabling and enabling it would send
// every control of the window its change and repaint them all. Nothing can
// be clicked or typed meanwhile either way: the reads take no input while
// they run (their progress callbacks exclude it).
void TQuantityPage::Reload() {
  keepEnabled_ = true;
  const auto done = qScopeGuard([this] { keepEnabled_ = false; });
  Open();
}

void TQuantityPage::UseRatio() {
  if (!DMDB->CheckSecurity(kEditStock, true)) return;
  // A cancelled prompt leaves the page as it was: no mode that would add
  // the stored figures to themselves on Apply.
  if (!Form.FillGridFromRatio(Grid)) return;
  if (PageKind == Kind::Stock) ShowMode(skmode::kAdd);
  else if (HasModes()) ShowMode(skmode::kEdit);
  else SetEditable(true);
  if (HasModes()) FocusFirstCell();
  Form.SumQuantityGrid(Grid);
}

void TQuantityPage::Apply() {
  const PageSpec& spec = Spec(PageKind);
  if (!ready_) {
    DMDB->ShowMessage("Please choose a branch first: its figures are not loaded.");
    return;
  }
  TBranchStockClass::QuantityChoice choice{Column(), Mode() == skmode::kAdd};
  if (PageKind == Kind::Stock) {
    choice.setMin = CheckBoxMinStock->isChecked();
    choice.setMax = CheckBoxMaxStock->isChecked();
    choice.barcodes = CheckBoxCreateBarcodes->isChecked();
  }
  const auto assigns = [&choice](const QString& text, const QString& loaded)
      -> std::optional<std::vector<TBranchStockClass::Assign>> {
    const std::optional<qint64> v = TBranchStockClass::QuantityValue(text);
    if (!v) return std::nullopt;
    return TBranchStockClass::QuantityAssigns(choice, *v, TBranchStockClass::QuantityValue(loaded).value_or(0));
  };
  if (!WriteBranchGrid(View(), BranchCombo, Loaded, assigns, spec.figure, spec.what, spec.applyClick.name,
                       "Please wait saving " + QString(spec.figure) + "..."))
    return;  // the page stays in its mode with the figures typed
  switch (PageKind) {
    case Kind::Stock:
      DMDB->ShowMessage("Stock saved successfully.");
      Reload();
      break;
    case Kind::MinStock:
      Reload();
      DMDB->ShowMessage("Min Stock saved successfuly!");
      break;
    case Kind::MaxStock:
      Reload();
      DMDB->ShowMessage("Max Stock saved successfuly!");
      break;
    case Kind::Barcodes:
      // No reload: the next Apply is checked against what this one wrote.
      CaptureLoaded();
      DMDB->ShowMessage("Barcodes saved successfuly!");
      break;
  }
}
