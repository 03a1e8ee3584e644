#include "TestForm.h"

#include "DataModF.h"
#include "FormUpgradeF.h"
#include "KuiApplication.h"
#include "KuiColour.h"
#include "MenuGlyphs.h"
#include "MessageFrame.h"
#include "Process.h"
#include "WaitClass.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <span>

TMainForm* MainForm = nullptr;

namespace {

using launcher::Glyph;

// Sizes and colours of the window as designed.
constexpr int kDesignWidth = 1014;
constexpr int kDesignHeight = 731;
constexpr quint32 kSilver = 0xC0C0C0;
constexpr quint32 kWhite = 0xFFFFFF;
constexpr quint32 kMenuBandColour = 0x2B2A2D;
constexpr int kTopHeight = 48;
constexpr int kCloseWidth = 128;
constexpr int kButtonWidth = 140;
constexpr int kButtonHeight = 144;
constexpr int kGlyphSide = 64;
constexpr int kMenuBandHeight = 32;

struct MenuButton {
  const char* name;
  const char* caption;
  const char* hint;
  Glyph glyph;
  void (TMainForm::*click)();
  QToolButton* TMainForm::*field;  // nullptr: reached by its name only
};

constexpr std::array<MenuButton, 5> kMainButtons{{
    {"SpButParam", "Setup", "", Glyph::Setup, &TMainForm::SpButParamClick, &TMainForm::SpButParam},
    {"SpButProd", "Style Keeper", "", Glyph::StyleKeeper, &TMainForm::SpButProdClick,
     &TMainForm::SpButProd},
    {"SpButReports", "Reports", "", Glyph::Reports, &TMainForm::SpButReportsClick,
     &TMainForm::SpButReports},
    {"SpButAddOns", "Upgrade", "", Glyph::Upgrade, &TMainForm::SpButAddOnsClick,
     &TMainForm::SpButAddOns},
    {"SpButContact", "Contact Us", "", Glyph::Contact, &TMainForm::SpButContactClick,
     &TMainForm::SpButContact},
}};

constexpr std::array<MenuButton, 6> kParamButtons{{
    {"SpButParamSuppliers", "Suppliers", "Create and edit supplier details", Glyph::Suppliers,
     &TMainForm::SpButParamSuppliersClick, nullptr},
    {"SpButParamBrands", "Brands", "Create and edit brand names", Glyph::Brands,
     &TMainForm::SpButParamBrandsClick, nullptr},
    {"SpButParamCat", "Categories", "Create and edit categories", Glyph::Categories,
     &TMainForm::SpButParamCatClick, nullptr},
    {"SpButParamDept", "Departments", "Create and edit departments", Glyph::Departments,
     &TMainForm::SpButParamDeptClick, nullptr},
    {"SpButParamColours", "Colours", "Create and edit colour names", Glyph::Colours,
     &TMainForm::SpButParamColoursClick, nullptr},
    {"SpButParamSizes", "Sizes", "Create and edit size scales", Glyph::Sizes,
     &TMainForm::SpButParamSizesClick, nullptr},
}};

constexpr std::array<MenuButton, 6> kReportButtons{{
    {"SpButRepStyleHistory", "Style History", "", Glyph::History,
     &TMainForm::SpButRepStyleHistoryClick, nullptr},
    {"SpButValuationReport", "Stock Evaluation", "", Glyph::Valuation,
     &TMainForm::SpButValuationReportClick, nullptr},
    {"SpButRepStockStyleList", "Style Listing", "", Glyph::StyleList,
     &TMainForm::SpButRepStockStyleListClick, nullptr},
    {"SpButRepStockBrokenStyles", "Broken Styles", "", Glyph::BrokenStyles,
     &TMainForm::SpButRepStockBrokenStylesClick, nullptr},
    {"SpButRepStockRootPLU", "Root PLU Listing", "", Glyph::RootPLU,
     &TMainForm::SpButRepStockRootPLUClick, nullptr},
    {"SpButRepStockPLU", "Product Listing", "", Glyph::ProductList,
     &TMainForm::SpButRepStockPLUClick, nullptr},
}};

std::span<const MenuButton> Group(int group) {
  switch (group) {
    case 1: return kParamButtons;
    case 2: return kReportButtons;
    default: return kMainButtons;
  }
}

void Paint(QWidget* w, quint32 background, quint32 text = 0x000000) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, kui::BgrColour(background));
  p.setColor(QPalette::WindowText, kui::BgrColour(text));
  p.setColor(QPalette::ButtonText, kui::BgrColour(text));
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text = QString()) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setTextFormat(Qt::PlainText);
  l->setFont(kvVerdana(13));
  return l;
}

QToolButton* FlatButton(QWidget* parent, const char* name, const QSize& size) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setAutoRaise(true);
  b->setFixedSize(size);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

}  // namespace

// ----- construction -------------------------------------------------------------------

TMainForm::TMainForm(QWidget* parent) : kui::KvMainWindow(parent) {
  if (!MainForm) MainForm = this;
  setObjectName("MainForm");
  // The connect goes on while the settings are read.
  if (DMDB) DMDB->ConnectAhead();
  CompName.clear();
  CompNo.clear();
  CompVATNo.clear();
  // The launcher's database is a file that opens at once: the settings, the
  // connect and the company are read while the font configuration is still
  // being read, before the window needs it; the window then shows them.
  const StartStep reached = StartUp();
  kui::KvApplication::AwaitFontConfig();
  BuildWindow();
  // The page controls are stacks: they have no tab buttons to hide.
  if (DMDB) DMDB->SmoothFormFonts(this);
  if (reached != StartStep::None) ShowVersionInfo();
  if (reached == StartStep::Connected) ShowCompanyDetails();
}

TMainForm::~TMainForm() {
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::BuildWindow() {
  setWindowTitle(kCaption);
  resize(kDesignWidth, kDesignHeight);
  Paint(this, kSilver);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildTopPanel());
  PageControlTop = new QStackedWidget(this);
  PageControlTop->setObjectName("PageControlTop");
  // The page the window was designed on; code only ever selects the menu.
  PageControlTop->addWidget(BuildLoginPage());
  PageControlTop->addWidget(BuildMainMenuPage());
  layout->addWidget(PageControlTop, 1);
}

QWidget* TMainForm::BuildTopPanel() {
  // The caption is the panel's own, centred across it; logo and close button
  // sit on top of it at the two ends.
  PanelTop = new QLabel(QStringLiteral("Login"), this);
  PanelTop->setObjectName("PanelTop");
  PanelTop->setAlignment(Qt::AlignCenter);
  PanelTop->setFixedHeight(kTopHeight);
  PanelTop->setFont(kvVerdana(27));
  Paint(PanelTop, kWhite);
  auto* row = new QHBoxLayout(PanelTop);
  row->setContentsMargins(0, 0, 0, 0);
  auto* logo = new QLabel(PanelTop);
  logo->setObjectName("ImageLogo");
  logo->setPixmap(launcher::LogoPixmap(kTopHeight));
  row->addWidget(logo);
  row->addStretch(1);
  SpButClose = FlatButton(PanelTop, "SpButClose", QSize(kCloseWidth, kTopHeight));
  SpButClose->setIcon(launcher::GlyphIcon(Glyph::Close, 32));
  SpButClose->setIconSize(QSize(32, 32));
  connect(SpButClose, &QToolButton::clicked, this,
          [this] { Guard(QStringLiteral("TMainForm::SpButCloseClick"), [this] { SpButCloseClick(); }); });
  row->addWidget(SpButClose, 0, Qt::AlignTop | Qt::AlignRight);
  return PanelTop;
}

QWidget* TMainForm::BuildLoginPage() {
  TabSheetLogin = new QWidget(this);
  TabSheetLogin->setObjectName("TabSheetLogin");
  auto* page = new QVBoxLayout(TabSheetLogin);
  page->setContentsMargins(8, 8, 8, 8);
  PanelLoginBody = new QWidget(TabSheetLogin);
  PanelLoginBody->setObjectName("PanelLoginBody");
  Paint(PanelLoginBody, kWhite);
  page->addWidget(PanelLoginBody);

  auto* body = new QVBoxLayout(PanelLoginBody);
  body->setContentsMargins(32, 32, 32, 32);
  body->setSpacing(6);
  LabelCopyVersion = MakeLabel(PanelLoginBody, "LabelCopyVersion");
  LabelCompName = MakeLabel(PanelLoginBody, "LabelCompName");
  LabelCompNo = MakeLabel(PanelLoginBody, "LabelCompNo");
  LabelCompVATNo = MakeLabel(PanelLoginBody, "LabelCompVATNo");
  LabelCopyInfo = MakeLabel(PanelLoginBody, "LabelCopyInfo");
  LabelRights = MakeLabel(PanelLoginBody, "LabelRights", QStringLiteral("All Rights Reserved"));
  LabelCopyTrademark = MakeLabel(PanelLoginBody, "LabelCopyTrademark");
  body->addWidget(LabelCopyVersion);
  body->addSpacing(24);
  for (QLabel* l : {LabelCompName, LabelCompNo, LabelCompVATNo}) body->addWidget(l);
  body->addStretch(1);
  for (QLabel* l : {LabelCopyInfo, LabelRights, LabelCopyTrademark}) body->addWidget(l);
  return TabSheetLogin;
}

QWidget* TMainForm::BuildMainMenuPage() {
  TabSheetMainMenu = new QWidget(this);
  TabSheetMainMenu->setObjectName("TabSheetMainMenu");
  auto* page = new QVBoxLayout(TabSheetMainMenu);
  page->setContentsMargins(0, 8, 0, 0);
  page->setSpacing(8);
  page->addWidget(BuildButtonRow(0));

  PanelMTop = new QLabel(TabSheetMainMenu);
  PanelMTop->setObjectName("PanelMTop");
  PanelMTop->setFixedHeight(kMenuBandHeight);
  PanelMTop->setFrameShape(QFrame::Box);
  PanelMTop->setAlignment(Qt::AlignCenter);
  PanelMTop->setFont(kvVerdana(19));
  Paint(PanelMTop, kMenuBandColour, kWhite);
  page->addWidget(PanelMTop);

  PageControlMBottom = new QStackedWidget(TabSheetMainMenu);
  PageControlMBottom->setObjectName("PageControlMBottom");
  // Showing no page must not move what lies below it.
  QSizePolicy keep = PageControlMBottom->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  PageControlMBottom->setSizePolicy(keep);
  TabSheetMParam = BuildButtonRow(1);
  TabSheetMParam->setObjectName("TabSheetMParam");
  TabSheetMReports = BuildButtonRow(2);
  TabSheetMReports->setObjectName("TabSheetMReports");
  PageControlMBottom->addWidget(TabSheetMParam);
  PageControlMBottom->addWidget(TabSheetMReports);
  PageControlMBottom->hide();
  page->addWidget(PageControlMBottom);
  page->addStretch(1);
  return TabSheetMainMenu;
}

QWidget* TMainForm::BuildButtonRow(int group) {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(8, 0, 8, 0);
  layout->setSpacing(8);
  for (const MenuButton& b : Group(group)) {
    QToolButton* button = FlatButton(row, b.name, QSize(kButtonWidth, kButtonHeight));
    button->setText(b.caption);
    button->setToolTip(b.hint);
    button->setFont(kvVerdana(16));
    button->setIcon(launcher::GlyphIcon(b.glyph, kGlyphSide));
    button->setIconSize(QSize(kGlyphSide, kGlyphSide));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    if (b.field) this->*b.field = button;
    const QString where = QStringLiteral("TMainForm::%1Click").arg(b.name);
    const auto click = b.click;
    connect(button, &QToolButton::clicked, this, [this, where, click] {
      Guard(where, [this, click] { (this->*click)(); });
    });
    layout->addWidget(button);
  }
  layout->addStretch(1);
  return row;
}

// ----- start-up and log-in -----------------------------------------------------------

TMainForm::StartStep TMainForm::StartUp() {
  // One wait window for the whole sequence; it closes when StartUp returns.
  TWaitClass wait;
  wait.Show(QStringLiteral("Starting Tessarin ") + kEditionName + "..");
  if (!InitDataModule()) return StartStep::None;
  wait.Show(QStringLiteral("Please wait connecting to database..."));
  if (!DMDB->ConnectRemoteDB(false)) {
    Terminate();
    return StartStep::Initialised;
  }
  wait.Show(QStringLiteral("Please wait loading company details..."));
  ReadCompanyDetails();
  return StartStep::Connected;
}

bool TMainForm::InitDataModule() {
  if (DMDB && DMDB->Init()) return true;
  Terminate();
  return false;
}

void TMainForm::Terminate() {
  // The entry point sees this before the window is shown and ends the run.
  terminating_ = true;
}

void TMainForm::ShowVersionInfo() {
  const QString version = DMDB->GetFileVersion(DMDB->ProgramFile(), false);
  LabelCopyVersion->setText(QStringLiteral("Tessarin") + QChar(0x2122) + " Version " + version);
  const int year = std::max(DMDB->Now().date().year(), kFirstCopyrightYear);
  LabelCopyInfo->setText(kCopyNotice + QString::number(year));
  LabelCopyTrademark->setText(kTrademark);
}

void TMainForm::ReadCompanyDetails() {
  DMDB->Log(QStringLiteral("Loading company details..."), true);
  kdb::Table* table = DMDB->DBTableR1;
  try {
    if (!DMDB->GetTable(QStringLiteral("COMPANY"), table))
      throw kdb::DbError(QStringLiteral("The table COMPANY could not be opened."));
    CompName = table->FieldByName(QStringLiteral("COMPANY_NAME")).AsString();
    CompNo = table->FieldByName(QStringLiteral("COMPANY_NO")).AsString();
    CompVATNo = table->FieldByName(QStringLiteral("VAT_NO")).AsString();
  } catch (const std::exception& e) {
    // Logged under the name the start-up's company step has always had.
    DMDB->LogException(e, QStringLiteral("TMainForm::LoadCompanyDetails"));
  }
  DMDB->CloseTable(table);
}

void TMainForm::ShowCompanyDetails() {
  LabelCompName->setText("Company Name:\t\t" + CompName);
  LabelCompNo->setText("Company Reg No:\t" + CompNo);
  LabelCompVATNo->setText("Company VAT No:\t" + CompVATNo);
}

void TMainForm::showEvent(QShowEvent* event) {
  kui::KvMainWindow::showEvent(event);
  // Only the program's own showing counts, not the desktop restoring the window.
  if (!event->spontaneous()) Guard(QStringLiteral("TMainForm::FormShow"), [this] { AutoLogin(); });
}

void TMainForm::AutoLogin() {
  if (!DMDB->LoginUser(kLoginUser, kLoginPassword)) return;
  DMDB->SaveUser(DMDB->UserName, DMDB->StaffID);
  ShowMainMenu();
}

// ----- main menu ---------------------------------------------------------------------

void TMainForm::ShowMainMenu() {
  ShowSubMenu(nullptr);
  PageControlTop->setCurrentWidget(TabSheetMainMenu);
  PanelTop->setText(kEditionName);
  PanelMTop->setText(QString());
}

void TMainForm::ShowSubMenu(QWidget* page) {
  if (!page) {
    PageControlMBottom->hide();
    return;
  }
  PageControlMBottom->setCurrentWidget(page);
  PageControlMBottom->show();
}

int TMainForm::MBottomPageIndex() const {
  return PageControlMBottom->isHidden() ? -1 : PageControlMBottom->currentIndex();
}

void TMainForm::ShowUpgrade() {
  TFormUpgrade form(this);
  form.Execute();
}

void TMainForm::OpenProgram(const QString& fileName) {
  // Started and forgotten: whether the program exists or starts is not our
  // concern, the shell's answer is ignored.
  kos::ShellOpen(fileName);
}

void TMainForm::Guard(const QString& where, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    if (DMDB) DMDB->LogException(e, where);
  } catch (...) {
    if (DMDB) DMDB->LogException(QStringLiteral("Unknown exception"), where);
  }
}

void TMainForm::SpButParamClick() { ShowSubMenu(TabSheetMParam); }
void TMainForm::SpButProdClick() { OpenProgram(QStringLiteral("StyleKeeper")); }
void TMainForm::SpButReportsClick() { ShowSubMenu(TabSheetMReports); }
void TMainForm::SpButAddOnsClick() { ShowUpgrade(); }
void TMainForm::SpButContactClick() { OpenProgram(kSupportAddress); }
void TMainForm::SpButCloseClick() { close(); }
void TMainForm::SpButParamSuppliersClick() { OpenProgram(QStringLiteral("suppliers")); }
void TMainForm::SpButParamBrandsClick() { OpenProgram(QStringLiteral("brandnames")); }
void TMainForm::SpButParamCatClick() { OpenProgram(QStringLiteral("categories")); }
void TMainForm::SpButParamDeptClick() { OpenProgram(QStringLiteral("departments")); }
void TMainForm::SpButParamColoursClick() { OpenProgram(QStringLiteral("colours")); }
void TMainForm::SpButParamSizesClick() { OpenProgram(QStringLiteral("sizeranges")); }
void TMainForm::SpButRepStyleHistoryClick() { OpenProgram(QStringLiteral("StyleHistory")); }
void TMainForm::SpButValuationReportClick() { OpenProgram(QStringLiteral("ValuationReport")); }
void TMainForm::SpButRepStockStyleListClick() { OpenProgram(QStringLiteral("StyleStockList")); }
void TMainForm::SpButRepStockBrokenStylesClick() { OpenProgram(QStringLiteral("BrokenSizeReport")); }
void TMainForm::SpButRepStockRootPLUClick() { OpenProgram(QStringLiteral("RootStockReport")); }
void TMainForm::SpButRepStockPLUClick() { OpenProgram(QStringLiteral("ItemStockReport")); }
