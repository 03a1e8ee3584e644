// The quantity pages: layout, and (as they are built) the branch combos,
// grids, modes and the BRANCHSTOCK writes of the four pages, with the
// TForm1 entry points of their handlers.
#include "QuantityPageF.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "StyleKeeperControls.h"

namespace {

struct PageSpec {
  const char* sheet;
  const char* title;
  const char* column;
};

const PageSpec& Spec(TQuantityPage::Kind kind) {
  static const PageSpec specs[] = {
      {"TabShStock", "Stock Details", "STOCK_QUANTITY"},
      {"TabShMinStock", "Min Stock Details", "MIN_STOCK_QUANTITY"},
      {"TabShMaxStock", "Max Stock Details", "MAX_STOCK_QUANTITY"},
      {"TabShBarcodes", "Barcodes", "BARCODES_QUANTITY"},
  };
  return specs[static_cast<int>(kind)];
}

}  // namespace

TQuantityPage::TQuantityPage(TForm1& form, Kind kind)
    : TFormPart(form, Spec(kind).sheet, Spec(kind).title), PageKind(kind) {
  if (kind == Kind::Stock) BuildStockControls();
  SheetLayout()->addStretch(1);
}

QString TQuantityPage::Column() const { return Spec(PageKind).column; }

void TQuantityPage::BuildStockControls() {
  auto* row = new QHBoxLayout;
  SpButStockUseRatio = skui::MakeButton(Sheet, "SpButStockUseRatio", "Use Ratio", 90);
  CheckBoxMinStock = new QCheckBox("Set As Min Stock", Sheet);
  CheckBoxMinStock->setObjectName("CheckBoxMinStock");
  CheckBoxMaxStock = new QCheckBox("Set As Max Stock", Sheet);
  CheckBoxMaxStock->setObjectName("CheckBoxMaxStock");
  CheckBoxCreateBarcodes = new QCheckBox("Create Barcodes", Sheet);
  CheckBoxCreateBarcodes->setObjectName("CheckBoxCreateBarcodes");
  row->addWidget(SpButStockUseRatio);
  for (QCheckBox* c : {CheckBoxMinStock, CheckBoxMaxStock, CheckBoxCreateBarcodes}) row->addWidget(c);
  row->addStretch(1);
  SheetLayout()->addLayout(row);
}
