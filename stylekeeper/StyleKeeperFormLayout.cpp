// TForm1: the frame of the window (title panel, bars, tab buttons and the
// page control with its pages) and the controls of the style tab, which is
// the window's own page. The other pages and the bars build their controls
// in their own units.
#include "StyleKeeperForm.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <type_traits>

#include "BranchPricesPageF.h"
#include "ChargesPageF.h"
#include "CommentsPageF.h"
#include "ExtCodesPageF.h"
#include "ImagePageF.h"
#include "InfoPageF.h"
#include "KuiColour.h"
#include "KuiFont.h"
#include "KvEdit.h"
#include "KvFocusColour.h"
#include "KvStringGrid.h"
#include "ModeWords.h"
#include "NavigationBarF.h"
#include "OptionsPageF.h"
#include "PLUPricesPageF.h"
#include "PackPageF.h"
#include "QuantityPageF.h"
#include "SearchBarF.h"
#include "StyleKeeperControls.h"

namespace {

using skui::MakeButton;
using skui::MakeEdit;
using skui::MakeLabel;
using skui::MakePanel;
using skui::MakePickList;

void Fill(QWidget* w, quint32 bgr) { kui::PaintBackground(w, kui::BgrColour(bgr)); }

// A row of buttons keeps the height it has with every button shown, so the
// controls below stay where they are when a mode hides its buttons.
void KeepHeight(QWidget* row) { row->setFixedHeight(row->sizeHint().height()); }

}  // namespace

void TForm1::BuildWindow() {
  Fill(this, 0xFFFFFF);
  resize(1024, 737);
  QFont f("Verdana");
  f.setPixelSize(13);
  // A font made anew has its own style strategy: it keeps the application's
  // (no OpenType shaping where the script needs none) and adds smoothing.
  f.setStyleStrategy(QApplication::font().styleStrategy());
  kui::SmoothFont(f);  // smooth from the start: SmoothFonts below has nothing left to set
  setFont(f);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildTitlePanel());
  SearchBar = new TSearchBar(*this);
  layout->addWidget(SearchBar->PanelTopBar);
  layout->addWidget(BuildTabButtons());
  PageCtrlSF = new QStackedWidget(this);
  PageCtrlSF->setObjectName("PageCtrlSF");
  layout->addWidget(PageCtrlSF, 1);
  BuildPages();
  layout->addWidget(BuildBottomBar());

  kui::SmoothFonts(this);
  ConnectHandlers();
}

QWidget* TForm1::BuildTitlePanel() {
  auto* panel = new QWidget(this);
  Fill(panel, 0xFFFFFF);
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(12, 6, 12, 6);
  PanelTop = MakeLabel(panel, "PanelTop", kCaption);
  QFont title = PanelTop->font();
  title.setPixelSize(29);
  title.setBold(true);
  PanelTop->setFont(title);
  ImageExit = MakeLabel(panel, "ImageExit", QString::fromUtf8("\u2715"));
  ImageExit->setToolTip("Exit");
  ImageExit->setCursor(Qt::PointingHandCursor);
  QFont exitFont = ImageExit->font();
  exitFont.setPixelSize(24);
  ImageExit->setFont(exitFont);
  row->addWidget(PanelTop, 1);
  row->addWidget(ImageExit);
  return panel;
}

QWidget* TForm1::BuildTabButtons() {
  PanelTabButtons = new QWidget(this);
  auto* row = new QHBoxLayout(PanelTabButtons);
  row->setContentsMargins(6, 4, 6, 4);
  SpButTabStyle = MakeButton(PanelTabButtons, "SpButTabStyle", "Style", 90);
  SpButTabStock = MakeButton(PanelTabButtons, "SpButTabStock", "Stock", 90);
  SpButShowMinStock = MakeButton(PanelTabButtons, "SpButShowMinStock", "Min Stock", 90);
  SpButShowMaxStock = MakeButton(PanelTabButtons, "SpButShowMaxStock", "Max Stock", 90);
  SpButTabBCodes = MakeButton(PanelTabButtons, "SpButTabBCodes", "Barcodes", 90);
  SpButTabImage = MakeButton(PanelTabButtons, "SpButTabImage", "Image", 90);
  SpButTabExternal = MakeButton(PanelTabButtons, "SpButTabExternal", "External", 90);
  SpButTabPrices = MakeButton(PanelTabButtons, "SpButTabPrices", "Prices", 90);
  SpButStyleInfo = MakeButton(PanelTabButtons, "SpButStyleInfo", "Info", 90);
  SpButTabPackage = MakeButton(PanelTabButtons, "SpButTabPackage", "Package", 90);
  for (QToolButton* b : {SpButTabStyle, SpButTabStock, SpButShowMinStock, SpButShowMaxStock,
                         SpButTabBCodes, SpButTabImage, SpButTabExternal, SpButTabPrices,
                         SpButStyleInfo, SpButTabPackage})
    row->addWidget(b);
  row->addStretch(1);
  KeepHeight(PanelTabButtons);
  return PanelTabButtons;
}

QWidget* TForm1::BuildBottomBar() {
  PanelBottom = new QWidget(this);
  Fill(PanelBottom, kBarColour);
  auto* row = new QHBoxLayout(PanelBottom);
  row->setContentsMargins(6, 4, 6, 4);
  NavigationBar = new TNavigationBar(*this, PanelBottom, row);
  row->addStretch(1);
  SpButAdd = MakeButton(PanelBottom, "SpButAdd", "Add", 90);
  SpButEdit = MakeButton(PanelBottom, "SpButEdit", "Edit", 90);
  SpButCancel = MakeButton(PanelBottom, "SpButCancel", "Cancel", 90);
  SpButSave = MakeButton(PanelBottom, "SpButSave", "Save", 90);
  for (QToolButton* b : {NavigationBar->SpButPrint, SpButAdd, SpButEdit, SpButCancel, SpButSave})
    row->addWidget(b);
  KeepHeight(PanelBottom);
  return PanelBottom;
}

void TForm1::BuildPages() {
  TabShStyleDetails = BuildStyleSheet();
  // Each page makes its own sheet on its first use; the window names it as
  // the page control's then.
  const auto page = [this](auto& slot, QWidget*& sheet, auto make) {
    using Page = std::remove_pointer_t<decltype(make())>;
    slot.SetMaker(
        [&sheet, make] {
          Page* made = make();
          sheet = made->Sheet;
          return made;
        },
        [this](Page& made) { PreparePage(made); });
  };
  using Kind = TQuantityPage::Kind;
  page(StockPage, TabShStock, [this] { return new TQuantityPage(*this, Kind::Stock); });
  page(MinStockPage, TabShMinStock, [this] { return new TQuantityPage(*this, Kind::MinStock); });
  page(MaxStockPage, TabShMaxStock, [this] { return new TQuantityPage(*this, Kind::MaxStock); });
  page(BarcodesPage, TabShBarcodes, [this] { return new TQuantityPage(*this, Kind::Barcodes); });
  page(ImagePage, TabShImage, [this] { return new TImagePage(*this); });
  page(ExtCodesPage, TabShExtBCodes, [this] { return new TExtCodesPage(*this); });
  page(PricesPage, TabShPrices, [this] { return new TPLUPricesPage(*this); });
  page(BranchPricesPage, TabSheetBSPrice, [this] { return new TBranchPricesPage(*this); });
  page(InfoPage, TabShInfo, [this] { return new TInfoPage(*this); });
  page(CommentsPage, TabShComments, [this] { return new TCommentsPage(*this); });
  page(ChargesPage, TabSheetCharges, [this] { return new TChargesPage(*this); });
  page(OptionsPage, TabSheetOptions, [this] { return new TOptionsPage(*this); });
  page(PackPage, TabShPack, [this] { return new TPackPage(*this); });
}

QWidget* TForm1::BuildStyleSheet() {
  QWidget* sheet = skui::AddSheet(PageCtrlSF, "TabShStyleDetails", QString());
  new kui::KvFocusColour(sheet, kFocusColour);
  auto* outer = static_cast<QVBoxLayout*>(sheet->layout());
  PanelStyleDetails = MakeLabel(sheet, "PanelStyleDetails", "Style Details");
  Fill(PanelStyleDetails, kCaptionPanelColour);
  QPalette captionPal = PanelStyleDetails->palette();
  captionPal.setColor(QPalette::WindowText, Qt::white);
  PanelStyleDetails->setPalette(captionPal);
  PanelStyleDetails->setContentsMargins(8, 4, 8, 4);
  outer->addWidget(PanelStyleDetails);

  auto* body = new QHBoxLayout;
  outer->addLayout(body, 1);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(4);
  body->addLayout(grid, 3);
  int row = 0;
  const auto addRow = [&](QWidget* label, QWidget* field, QWidget* extra = nullptr,
                          QWidget* extra2 = nullptr) {
    grid->addWidget(label, row, 0);
    grid->addWidget(field, row, 1);
    if (extra) grid->addWidget(extra, row, 2);
    if (extra2) grid->addWidget(extra2, row, 3);
    ++row;
  };
  // A pick list with its label and its "+" quick-add button on one row.
  const auto addPickRow = [&](QComboBox*& combo, const char* comboName, QLabel*& label,
                              const char* labelName, const char* caption, QToolButton*& plus,
                              const char* plusName) {
    combo = MakePickList(sheet, comboName);
    label = MakeLabel(sheet, labelName, caption);
    plus = MakeButton(sheet, plusName, "+", 28);
    addRow(label, combo, plus);
  };

  ComboBoxRootPLU = new QComboBox(sheet);
  ComboBoxRootPLU->setObjectName("ComboBoxRootPLU");
  ComboBoxRootPLU->setEditable(true);
  ComboBoxRootPLU->setInsertPolicy(QComboBox::NoInsert);
  ComboBoxRootPLU->lineEdit()->setMaxLength(kRootPLUBoxLength);
  PanelAction = MakeLabel(sheet, "PanelAction", skmode::kDesign);
  PanelAction->hide();
  LabelRootPLU = MakeLabel(sheet, "LabelRootPLU", QString());
  LabelRootPLU->hide();
  addRow(MakeLabel(sheet, nullptr, "Root PLU:"), ComboBoxRootPLU);

  addPickRow(ComboBoxSuppliers, "ComboBoxSuppliers", LabelSupplier, "LabelSupplier", "Supplier:", SpButAddSupplier, "SpButAddSupplier");
  EditSupplierStyle = MakeEdit(sheet, "EditSupplierStyle", kStyleLength);
  addRow(MakeLabel(sheet, nullptr, "Supplier Style:"), EditSupplierStyle);
  EditStyleRef = MakeEdit(sheet, "EditStyleRef", kStyleRefLength);
  addRow(MakeLabel(sheet, nullptr, "Style Ref:"), EditStyleRef);
  EditDescription = MakeEdit(sheet, "EditDescription", kDescriptionLength);
  addRow(MakeLabel(sheet, nullptr, "Description:"), EditDescription);

  addPickRow(ComboBoxColours, "ComboBoxColours", LabelColour, "LabelColour", "Colour:", SpButAddColour, "SpButAddColour");
  addPickRow(ComboBoxSeasons, "ComboBoxSeasons", LabelSeason, "LabelSeason", "Season:", SpButAddSeason, "SpButAddSeason");
  addPickRow(ComboBoxCategories, "ComboBoxCategories", LabelCat, "LabelCat", "Category:", SpButAddCat, "SpButAddCat");
  addPickRow(ComboBoxDepartments, "ComboBoxDepartments", Label11, "Label11", "Department:", SpButAddDept, "SpButAddDept");
  addPickRow(ComboBoxProductGroups, "ComboBoxProductGroups", Label12, "Label12", "Sub-Department:", SpButAddSubDept, "SpButAddSubDept");
  addPickRow(ComboBoxBrands, "ComboBoxBrands", LabelBrand, "LabelBrand", "Brand:", SpButAddBrand, "SpButAddBrand");
  ComboBoxSizeRanges = MakePickList(sheet, "ComboBoxSizeRanges");
  LabelSizeScale = MakeLabel(sheet, "LabelSizeScale", "Size Scale:");
  SpButSSRatio = MakeButton(sheet, "SpButSSRatio", "Ratio", 50);
  PanelSizes = MakePanel(sheet, "PanelSizes", QString());
  addRow(LabelSizeScale, ComboBoxSizeRanges, SpButSSRatio, PanelSizes);
  ComboBoxTaxRates = MakePickList(sheet, "ComboBoxTaxRates");
  LabelVAT = MakeLabel(sheet, "LabelVAT", "VAT Rate:");
  PanelVATRate = MakePanel(sheet, "PanelVATRate", "0");
  PanelVATRate->hide();
  addRow(LabelVAT, ComboBoxTaxRates);
  ComboBoxECommerce = new QComboBox(sheet);
  ComboBoxECommerce->setObjectName("ComboBoxECommerce");
  ComboBoxECommerce->addItems({"NO", "YES"});
  addRow(MakeLabel(sheet, nullptr, "Website:"), ComboBoxECommerce);
  // The currency box is kept for the price conversion of a save, but no
  // screen offers it.
  ComboBoxCurrency = MakePickList(sheet, "ComboBoxCurrency");
  ComboBoxCurrency->hide();

  EditCostPrice = MakeEdit(sheet, "EditCostPrice", kPriceLength);
  addRow(MakeLabel(sheet, nullptr, "Cost Price:"), EditCostPrice);
  EditRetailPrice = MakeEdit(sheet, "EditRetailPrice", kPriceLength);
  addRow(MakeLabel(sheet, nullptr, "Retail Price:"), EditRetailPrice);
  EditWSPrice = MakeEdit(sheet, "EditWSPrice", kPriceLength);
  addRow(MakeLabel(sheet, nullptr, "Wholesale Price:"), EditWSPrice);
  PanelMarkup = MakePanel(sheet, "PanelMarkup", "0.00");
  addRow(MakeLabel(sheet, nullptr, "Margin %:"), PanelMarkup);
  grid->setRowStretch(row, 1);
  grid->setColumnStretch(1, 1);

  auto* side = new QVBoxLayout;
  body->addLayout(side, 2);
  ImageSmall = MakeLabel(sheet, "ImageSmall", QString());
  ImageSmall->setFixedSize(150, 150);
  ImageSmall->setAlignment(Qt::AlignCenter);
  ImageSmall->hide();
  // A style without a picture keeps the picture's place: the colour list
  // below it does not move.
  QSizePolicy keep = ImageSmall->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  ImageSmall->setSizePolicy(keep);
  side->addWidget(ImageSmall, 0, Qt::AlignHCenter);
  auto* cloneButtons = new QWidget(sheet);
  auto* cloneRow = new QHBoxLayout(cloneButtons);
  cloneRow->setContentsMargins(0, 0, 0, 0);
  SpeedButtonClone = MakeButton(sheet, "SpeedButtonClone", "Clone", 70);
  SpButSeason = MakeButton(sheet, "SpButSeason", "Season", 70);
  ButtonAddNewColour = MakeButton(sheet, "ButtonAddNewColour", "Colour", 70);
  for (QToolButton* b : {SpeedButtonClone, SpButSeason, ButtonAddNewColour}) cloneRow->addWidget(b);
  KeepHeight(cloneButtons);
  side->addWidget(cloneButtons);
  SGridStyleColours = new kui::KvStringGrid(sheet);
  SGridStyleColours->setObjectName("SGridStyleColours");
  side->addWidget(SGridStyleColours, 1);
  return sheet;
}

void TForm1::ConnectHandlers() {
  ConnectTitleHandlers();
  ConnectLoadHandlers();
  ConnectModeHandlers();
  ConnectPriceHandlers();
  ConnectSaveHandlers();
  ConnectCloneHandlers();
  ConnectColourListHandlers();
  ConnectQuickAddHandlers();
  ConnectLaunchHandlers();
}
