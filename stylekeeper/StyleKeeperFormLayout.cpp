// TForm1: the window's controls, built in code, and their signals.
#include "StyleKeeperForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "KuiColour.h"
#include "KuiFont.h"
#include "KvEdit.h"
#include "KvFocusColour.h"
#include "KvStringGrid.h"

namespace {

constexpr int kPriceLength = 10;

void Fill(QWidget* w, quint32 bgr) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, kui::BgrColour(bgr));
  w->setPalette(pal);
  w->setAutoFillBackground(true);
}

QToolButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int width = 0) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(caption);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  b->setMinimumHeight(28);
  if (width > 0) b->setFixedWidth(width);
  return b;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption) {
  auto* l = new QLabel(caption, parent);
  if (name) l->setObjectName(name);
  return l;
}

QComboBox* MakePickList(QWidget* parent, const char* name) {
  auto* c = new QComboBox(parent);
  c->setObjectName(name);
  c->setMaxVisibleItems(12);
  c->setMinimumWidth(260);
  return c;
}

kui::KvEdit* MakeEdit(QWidget* parent, const char* name, int maxLength = 0) {
  auto* e = new kui::KvEdit(parent);
  e->setObjectName(name);
  e->SetCharCase(kui::KvEdit::CharCase::Upper);
  if (maxLength > 0) e->SetMaxLength(maxLength);
  return e;
}

QLabel* MakePanel(QWidget* parent, const char* name, const QString& caption) {
  auto* p = MakeLabel(parent, name, caption);
  // A plain grey box: the light half of a sunken bevel would vanish into
  // the white form.
  p->setStyleSheet("QLabel { border: 1px solid #a0a0a0; padding: 1px 4px; }");
  p->setMinimumWidth(90);
  return p;
}

QLineEdit* MakeReadOnly(QWidget* parent, const char* name) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setReadOnly(true);
  return e;
}

}  // namespace

void TForm1::BuildWindow() {
  Fill(this, 0xFFFFFF);
  resize(1024, 737);
  QFont f("Verdana");
  f.setPixelSize(13);
  setFont(f);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildTitlePanel());
  layout->addWidget(BuildTopBar());
  layout->addWidget(BuildTabButtons());
  PageCtrlSF = new QStackedWidget(this);
  PageCtrlSF->setObjectName("PageCtrlSF");
  layout->addWidget(PageCtrlSF, 1);
  BuildSheets();
  layout->addWidget(BuildBottomBar());

  new kui::KvFocusColour(this, kFocusColour);
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

QWidget* TForm1::BuildTopBar() {
  PanelTopBar = new QWidget(this);
  Fill(PanelTopBar, kBarColour);
  auto* row = new QHBoxLayout(PanelTopBar);
  row->setContentsMargins(6, 2, 6, 2);
  SpButTopExtSearch = MakeButton(PanelTopBar, "SpButTopExtSearch", "External ", 115);
  SpButTopRetailPriceSearch = MakeButton(PanelTopBar, "SpButTopRetailPriceSearch", "Retail Price", 115);
  SpButTopCostPriceSearch = MakeButton(PanelTopBar, "SpButTopCostPriceSearch", "Cost Price", 115);
  SpButTopCostGtRetailSearch = MakeButton(PanelTopBar, "SpButTopCostGtRetailSearch", "Cost > Retail", 115);
  SpButTopEComSearch = MakeButton(PanelTopBar, "SpButTopEComSearch", "Website", 115);
  ButtonEvaluationSearch = MakeButton(PanelTopBar, "ButtonEvaluationSearch", "Evaluation", 115);
  for (QToolButton* b : {SpButTopExtSearch, SpButTopRetailPriceSearch, SpButTopCostPriceSearch,
                         SpButTopCostGtRetailSearch, SpButTopEComSearch, ButtonEvaluationSearch})
    row->addWidget(b);
  row->addStretch(1);
  return PanelTopBar;
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
  return PanelTabButtons;
}

QWidget* TForm1::BuildBottomBar() {
  PanelBottom = new QWidget(this);
  Fill(PanelBottom, kBarColour);
  auto* row = new QHBoxLayout(PanelBottom);
  row->setContentsMargins(6, 4, 6, 4);
  SpButNavFirst = MakeButton(PanelBottom, "SpButNavFirst", "|<", 44);
  SpButNavPrev = MakeButton(PanelBottom, "SpButNavPrev", "<", 44);
  SpButNavNext = MakeButton(PanelBottom, "SpButNavNext", ">", 44);
  SpButNavLast = MakeButton(PanelBottom, "SpButNavLast", ">|", 44);
  SpButNavSearch = MakeButton(PanelBottom, "SpButNavSearch", "Search", 80);
  SpButPrint = MakeButton(PanelBottom, "SpButPrint", "Print", 80);
  SpButAdd = MakeButton(PanelBottom, "SpButAdd", "Add", 90);
  SpButEdit = MakeButton(PanelBottom, "SpButEdit", "Edit", 90);
  SpButCancel = MakeButton(PanelBottom, "SpButCancel", "Cancel", 90);
  SpButSave = MakeButton(PanelBottom, "SpButSave", "Save", 90);
  for (QToolButton* b : {SpButNavFirst, SpButNavPrev, SpButNavNext, SpButNavLast, SpButNavSearch})
    row->addWidget(b);
  row->addStretch(1);
  for (QToolButton* b : {SpButPrint, SpButAdd, SpButEdit, SpButCancel, SpButSave}) row->addWidget(b);
  return PanelBottom;
}

QWidget* TForm1::AddSheet(const QString& name, const QString& title) {
  auto* sheet = new QWidget(PageCtrlSF);
  sheet->setObjectName(name);
  auto* layout = new QVBoxLayout(sheet);
  layout->setContentsMargins(8, 8, 8, 8);
  if (!title.isEmpty()) {
    auto* caption = MakeLabel(sheet, nullptr, title);
    QFont f = caption->font();
    f.setPixelSize(19);
    f.setBold(true);
    caption->setFont(f);
    layout->addWidget(caption);
  }
  PageCtrlSF->addWidget(sheet);
  return sheet;
}

void TForm1::BuildSheets() {
  TabShStyleDetails = BuildStyleSheet();
  BuildStockSheet();
  TabShMinStock = AddSheet("TabShMinStock", "Min Stock Details");
  TabShMaxStock = AddSheet("TabShMaxStock", "Max Stock Details");
  TabShBarcodes = AddSheet("TabShBarcodes", "Barcodes");
  BuildImageSheet();
  TabShExtBCodes = AddSheet("TabShExtBCodes", "External Barcodes");
  BuildPricesSheet();
  TabSheetBSPrice = AddSheet("TabSheetBSPrice", "Branch Level Pricing");
  BuildInfoSheet();
  TabShComments = AddSheet("TabShComments", "Comments");
  TabSheetCharges = AddSheet("TabSheetCharges", "Charges");
  TabSheetOptions = AddSheet("TabSheetOptions", "More Details");
  TabShPack = AddSheet("TabShPack", "Package");
  for (QWidget* sheet : {TabShMinStock, TabShMaxStock, TabShBarcodes, TabShExtBCodes,
                         TabSheetBSPrice, TabShComments, TabSheetCharges, TabSheetOptions, TabShPack})
    static_cast<QVBoxLayout*>(sheet->layout())->addStretch(1);
}

QWidget* TForm1::BuildStyleSheet() {
  QWidget* sheet = AddSheet("TabShStyleDetails", QString());
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
  PanelAction = MakeLabel(sheet, "PanelAction", "EDIT");
  PanelAction->hide();
  LabelRootPLU = MakeLabel(sheet, "LabelRootPLU", QString());
  LabelRootPLU->hide();
  addRow(MakeLabel(sheet, nullptr, "Root PLU:"), ComboBoxRootPLU);

  addPickRow(ComboBoxSuppliers, "ComboBoxSuppliers", LabelSupplier, "LabelSupplier", "Supplier:", SpButAddSupplier, "SpButAddSupplier");
  EditSupplierStyle = MakeEdit(sheet, "EditSupplierStyle");
  addRow(MakeLabel(sheet, nullptr, "Supplier Style:"), EditSupplierStyle);
  EditStyleRef = MakeEdit(sheet, "EditStyleRef");
  addRow(MakeLabel(sheet, nullptr, "Style Ref:"), EditStyleRef);
  EditDescription = MakeEdit(sheet, "EditDescription");
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
  side->addWidget(ImageSmall, 0, Qt::AlignHCenter);
  auto* cloneRow = new QHBoxLayout;
  SpeedButtonClone = MakeButton(sheet, "SpeedButtonClone", "Clone", 70);
  SpButSeason = MakeButton(sheet, "SpButSeason", "Season", 70);
  ButtonAddNewColour = MakeButton(sheet, "ButtonAddNewColour", "Colour", 70);
  for (QToolButton* b : {SpeedButtonClone, SpButSeason, ButtonAddNewColour}) cloneRow->addWidget(b);
  side->addLayout(cloneRow);
  SGridStyleColours = new kui::KvStringGrid(sheet);
  SGridStyleColours->setObjectName("SGridStyleColours");
  side->addWidget(SGridStyleColours, 1);
  return sheet;
}

void TForm1::BuildStockSheet() {
  TabShStock = AddSheet("TabShStock", "Stock Details");
  auto* row = new QHBoxLayout;
  SpButStockUseRatio = MakeButton(TabShStock, "SpButStockUseRatio", "Use Ratio", 90);
  CheckBoxMinStock = new QCheckBox("Set As Min Stock", TabShStock);
  CheckBoxMinStock->setObjectName("CheckBoxMinStock");
  CheckBoxMaxStock = new QCheckBox("Set As Max Stock", TabShStock);
  CheckBoxMaxStock->setObjectName("CheckBoxMaxStock");
  CheckBoxCreateBarcodes = new QCheckBox("Create Barcodes", TabShStock);
  CheckBoxCreateBarcodes->setObjectName("CheckBoxCreateBarcodes");
  row->addWidget(SpButStockUseRatio);
  for (QCheckBox* c : {CheckBoxMinStock, CheckBoxMaxStock, CheckBoxCreateBarcodes}) row->addWidget(c);
  row->addStretch(1);
  auto* layout = static_cast<QVBoxLayout*>(TabShStock->layout());
  layout->addLayout(row);
  layout->addStretch(1);
}

void TForm1::BuildImageSheet() {
  TabShImage = AddSheet("TabShImage", "Image");
  ImageLarge = MakeLabel(TabShImage, "ImageLarge", QString());
  ImageLarge->setFixedSize(300, 300);
  ImageLarge->setAlignment(Qt::AlignCenter);
  ImageLarge->hide();
  auto* layout = static_cast<QVBoxLayout*>(TabShImage->layout());
  layout->addWidget(ImageLarge, 0, Qt::AlignHCenter);
  layout->addStretch(1);
}

void TForm1::BuildPricesSheet() {
  TabShPrices = AddSheet("TabShPrices", "Size Level Pricing");
  SpButBSPrices = MakeButton(TabShPrices, "SpButBSPrices", "Branch Prices", 120);
  auto* layout = static_cast<QVBoxLayout*>(TabShPrices->layout());
  layout->addWidget(SpButBSPrices, 0, Qt::AlignLeft);
  layout->addStretch(1);
}

void TForm1::BuildInfoSheet() {
  TabShInfo = AddSheet("TabShInfo", "Info");
  auto* layout = static_cast<QVBoxLayout*>(TabShInfo->layout());
  PanelInfoStyle = MakePanel(TabShInfo, "PanelInfoStyle", QString());
  layout->addWidget(PanelInfoStyle);
  auto* grid = new QGridLayout;
  EditProdColour = MakeReadOnly(TabShInfo, "EditProdColour");
  EditProdCreated = MakeReadOnly(TabShInfo, "EditProdCreated");
  EditProdAge = MakeReadOnly(TabShInfo, "EditProdAge");
  grid->addWidget(MakeLabel(TabShInfo, nullptr, "Colour:"), 0, 0);
  grid->addWidget(EditProdColour, 0, 1);
  grid->addWidget(MakeLabel(TabShInfo, nullptr, "Created:"), 1, 0);
  grid->addWidget(EditProdCreated, 1, 1);
  grid->addWidget(MakeLabel(TabShInfo, nullptr, "Age:"), 2, 0);
  grid->addWidget(EditProdAge, 2, 1);
  grid->setColumnStretch(2, 1);
  layout->addLayout(grid);
  auto* buttons = new QHBoxLayout;
  SpButInfoComments = MakeButton(TabShInfo, "SpButInfoComments", "Comments", 110);
  SpButInfoCharges = MakeButton(TabShInfo, "SpButInfoCharges", "Charges", 110);
  SpButInfoMoreDetail = MakeButton(TabShInfo, "SpButInfoMoreDetail", "More Detail", 110);
  SpButInfoHist = MakeButton(TabShInfo, "SpButInfoHist", "View History", 110);
  SpButInfoContent = MakeButton(TabShInfo, "SpButInfoContent", "Web Copy", 110);
  for (QToolButton* b :
       {SpButInfoComments, SpButInfoCharges, SpButInfoMoreDetail, SpButInfoHist, SpButInfoContent})
    buttons->addWidget(b);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  layout->addStretch(1);
}

void TForm1::ConnectHandlers() {
  const auto onClick = [this](QToolButton* b, const char* where, void (TForm1::*handler)()) {
    connect(b, &QToolButton::clicked, this, [this, where, handler] { Guard(where, [&] { (this->*handler)(); }); });
  };
  onClick(SpButAdd, "TForm1::SpButAddClick", &TForm1::SpButAddClick);
  onClick(SpButEdit, "TForm1::SpButEditClick", &TForm1::SpButEditClick);
  onClick(SpButCancel, "TForm1::SpButCancelClick", &TForm1::SpButCancelClick);
  onClick(SpButTabStyle, "TForm1::SpButTabStyleClick", &TForm1::SpButTabStyleClick);
  onClick(SpButStyleInfo, "TForm1::SpButStyleInfoClick", &TForm1::SpButStyleInfoClick);

  const auto onSelect = [this](QComboBox* c, const char* where, void (TForm1::*handler)()) {
    connect(c, &QComboBox::activated, this, [this, where, handler] { Guard(where, [&] { (this->*handler)(); }); });
  };
  onSelect(ComboBoxCategories, "TForm1::ComboBoxCategoriesSelect", &TForm1::ComboBoxCategoriesSelect);
  onSelect(ComboBoxDepartments, "TForm1::ComboBoxDepartmentsSelect", &TForm1::ComboBoxDepartmentsSelect);
  onSelect(ComboBoxTaxRates, "TForm1::ComboBoxTaxRatesSelect", &TForm1::ComboBoxTaxRatesSelect);
  onSelect(ComboBoxSizeRanges, "TForm1::ComboBoxSizeRangesSelect", &TForm1::ComboBoxSizeRangesSelect);
  onSelect(ComboBoxCurrency, "TForm1::ComboBoxCurrencySelect", &TForm1::ComboBoxCurrencySelect);
  // The root PLU box logs its own failures and shows nothing.
  connect(ComboBoxRootPLU, &QComboBox::activated, this, [this] { ComboBoxRootPLUSelect(); });

  const auto onChange = [this](QLineEdit* e, const char* where, void (TForm1::*handler)()) {
    connect(e, &QLineEdit::textChanged, this, [this, where, handler] { Guard(where, [&] { (this->*handler)(); }); });
  };
  onChange(EditCostPrice, "TForm1::EditCostPriceChange", &TForm1::EditCostPriceChange);
  onChange(EditRetailPrice, "TForm1::EditRetailPriceChange", &TForm1::EditRetailPriceChange);
  onChange(EditWSPrice, "TForm1::EditWSPriceChange", &TForm1::EditWSPriceChange);
  ConnectSaveHandlers();
}
