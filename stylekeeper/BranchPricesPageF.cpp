// The branch prices page: layout, wiring and handlers, with the TForm1 entry
// points of those handlers first.
#include "BranchPricesPageF.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <optional>

#include "BranchStockClass.h"
#include "ColourSizeViewClass.h"
#include "DataModF.h"
#include "KuiColour.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ModeWords.h"
#include "PLUPricesPageF.h"
#include "QuantityPageF.h"
#include "StyleKeeperControls.h"
#include "StyleKeeperForm.h"

namespace {

using SG = TColourSizeGridClass;

TColourSizeViewClass& PriceView(kui::KvStringGrid* grid) {
  return TColourSizeViewClass::Of(grid, TColourSizeViewClass::Values::Prices);
}

}  // namespace

// ----- TForm1 entry points -----------------------------------------------------------------

QString TForm1::FormatPriceText(const QString& text) { return SG::FormatPriceText(text); }

quint32 TForm1::PriceCellColour(const QString& text) { return SG::PriceCellColour(text); }

void TForm1::RecalcGridTotals(kui::KvStringGrid* grid) { PriceView(grid).Model.SumPrices(); }

void TForm1::SpButBSPricesClick() { BranchPricesPage->Open(); }

void TForm1::ComboBoxBSPBranchSelect() { BranchPricesPage->BranchSelect(); }

void TForm1::SGridBSPriceDrawCell(kui::KvStringGrid& grid, QPainter& painter, int col, int row, const QRect& rect,
                                  kui::KvGridDrawState state) {
  PriceView(&grid).DrawCell(painter, col, row, rect, state);
}

void TForm1::SGridBSPriceSelectCell(kui::KvStringGrid& grid, int col, int row, bool& canSelect) {
  PriceView(&grid).SelectCell(col, row, canSelect);
}

void TForm1::SGridBSPriceKeyPress(kui::KvStringGrid& grid, QChar& key) {
  const bool digit = key >= QChar('0') && key <= QChar('9');
  const QString typed = digit ? TQuantityPage::TypedText(grid, key) : QString();
  PriceView(&grid).KeyPress(key);
  // A price the column cannot hold is refused here, not by the database.
  if (digit && !key.isNull() && !TBranchStockClass::PriceValue(typed)) key = QChar();
}

void TForm1::SpeedButtonSaveBranchPricesClick() { BranchPricesPage->Apply(); }

void TForm1::SpBLPSmartCopyClick() { BranchPricesPage->SmartCopy(); }

// ----- TBranchPricesPage ----------------------------------------------------------------------

TBranchPricesPage::TBranchPricesPage(TForm1& form) : TFormPart(form, "TabSheetBSPrice", "Branch Level Pricing") {
  auto* top = new QHBoxLayout;
  ComboBoxBSPBranch = skui::MakePickList(Sheet, "ComboBoxBSPBranch");
  PanelBSPriceStyle = skui::MakePanel(Sheet, "PanelBSPriceStyle", QString());
  PanelBSPriceStyle->setMinimumWidth(200);
  PanelBSPriceMode = skui::MakeLabel(Sheet, "PanelBSPriceMode", skmode::kDesign);
  PanelBSPriceMode->setAlignment(Qt::AlignCenter);
  PanelBSPriceMode->setMinimumSize(90, 28);
  kui::PaintBackground(PanelBSPriceMode, kui::BgrColour(0x80FF80));
  top->addWidget(skui::MakeLabel(Sheet, nullptr, "Branch:"));
  top->addWidget(ComboBoxBSPBranch);
  top->addSpacing(16);
  top->addWidget(skui::MakeLabel(Sheet, nullptr, "Style:"));
  top->addWidget(PanelBSPriceStyle);
  top->addStretch(1);
  top->addWidget(PanelBSPriceMode);
  SheetLayout()->addLayout(top);

  SGridBSPrice = new kui::KvStringGrid(Sheet);
  SGridBSPrice->setObjectName("SGridBSPrice");
  PriceView(SGridBSPrice);  // the grid's look and its cells
  SGridBSPrice->SetOption(kui::KvStringGrid::goEditing, false);  // until a branch's prices are read
  SheetLayout()->addWidget(SGridBSPrice, 1);

  auto* buttons = new QHBoxLayout;
  SpeedButtonSaveBranchPrices = skui::MakeButton(Sheet, "SpeedButtonSaveBranchPrices", "Apply", 90);
  SpBLPSmartCopy = skui::MakeButton(Sheet, "SpBLPSmartCopy", "Smart Copy", 110);
  buttons->addWidget(SpeedButtonSaveBranchPrices);
  buttons->addWidget(SpBLPSmartCopy);
  buttons->addStretch(1);
  SheetLayout()->addLayout(buttons);

  OnClick(SpeedButtonSaveBranchPrices, "TForm1::SpeedButtonSaveBranchPricesClick",
          [&form] { form.SpeedButtonSaveBranchPricesClick(); });
  OnClick(SpBLPSmartCopy, "TForm1::SpBLPSmartCopyClick", [&form] { form.SpBLPSmartCopyClick(); });
  connect(ComboBoxBSPBranch, &QComboBox::activated, this,
          [&form] { form.Guard("TForm1::ComboBoxBSPBranchSelect", [&form] { form.ComboBoxBSPBranchSelect(); }); });
  SGridBSPrice->OnDrawCell = [&form](kui::KvStringGrid& g, QPainter& p, int c, int r, const QRect& rect,
                                     kui::KvGridDrawState s) { form.SGridBSPriceDrawCell(g, p, c, r, rect, s); };
  SGridBSPrice->OnSelectCell = [&form](kui::KvStringGrid& g, int c, int r, bool& can) {
    form.SGridBSPriceSelectCell(g, c, r, can);
  };
  SGridBSPrice->OnKeyPress = [&form](kui::KvStringGrid& g, QChar& key) {
    form.Guard("TForm1::SGridBSPriceKeyPress", [&] { form.SGridBSPriceKeyPress(g, key); });
  };
}

TColourSizeViewClass& TBranchPricesPage::View() const { return PriceView(SGridBSPrice); }

void TBranchPricesPage::Open() {
  kui::KvBusyGuard busy(&Form, "Please wait...");
  Form.LoadBranches(ComboBoxBSPBranch);
  BranchSelect();
  ShowSheet();
}

void TBranchPricesPage::BranchSelect() {
  Form.SelectedBranchIndex = ComboBoxBSPBranch->currentIndex();
  ready_ = false;
  Loaded.clear();
  SGridBSPrice->SetOption(kui::KvStringGrid::goEditing, false);
  PanelBSPriceStyle->setText(Form.EditSupplierStyle->text());
  Form.BuildColourSizeGrid(SGridBSPrice);
  const bool loaded = Form.LoadBranchStockColumn(SGridBSPrice, ComboBoxBSPBranch, TBranchStockClass::kPriceColumn);
  Form.RecalcGridTotals(SGridBSPrice);
  if (!loaded) return;
  Loaded = TBranchStockClass::Figures(View().Model);
  ready_ = true;
  SGridBSPrice->SetOption(kui::KvStringGrid::goEditing, true);
}

void TBranchPricesPage::SmartCopy() {
  View().Model.CopyRowToEveryRow(SGridBSPrice->Row());
  Form.RecalcGridTotals(SGridBSPrice);
}

void TBranchPricesPage::Apply() {
  if (!ready_) {
    DMDB->ShowMessage("Please choose a branch first: its prices are not loaded.");
    return;
  }
  const auto assigns = [](const QString& text, const QString& loaded)
      -> std::optional<std::vector<TBranchStockClass::Assign>> {
    const std::optional<Currency> v = TBranchStockClass::PriceValue(text);
    if (!v) return std::nullopt;
    return TBranchStockClass::PriceAssigns(*v, TBranchStockClass::PriceValue(loaded).value_or(Currency()));
  };
  if (!TQuantityPage::WriteBranchGrid(View(), ComboBoxBSPBranch, Loaded, assigns, "branch price",
                                      "The branch level prices were", "TForm1::SpeedButtonSaveBranchPricesClick",
                                      "Please wait saving branch level prices..."))
    return;
  // The grid is not read again: the next Apply is checked against this one.
  Loaded = TBranchStockClass::Figures(View().Model);
  DMDB->ShowMessage("Branch level prices saved successfuly.");
}
