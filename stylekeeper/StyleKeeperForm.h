#pragma once
// The style editor's main window: one style and colour (one root PLU) at a
// time, in View, Add or Edit mode, with the pick lists of the style tab, the
// price boxes and margins, and the pages and bars on which the rest of the
// style work hangs.
//
// Where each part lives (docs/architecture.md, "The style editor", has the
// handlers of each):
//   StyleKeeperForm.cpp         construction, module settings, command line,
//                               the handler net, Esc and the title panel
//   StyleKeeperFormLayout.cpp   the frame (title, bars, tab buttons, page
//                               control) and the style tab's controls
//   StyleKeeperFormLoad.cpp     pick-list loaders, FormShow, the root PLU box,
//                               loading one root PLU, pictures, age
//   StyleKeeperFormModes.cpp    View/Add/Edit, clearing, defaults, tab sheets
//   StyleKeeperFormPrices.cpp   price boxes, margins, the price calculator
//   StyleKeeperFormSave.cpp     the Save button, validation, numbering,
//                               d_SaveStyle, the edit's baseline, several
//                               colours at once
//   StyleKeeperFormClone.cpp    clone, clone into a season, alternate colours,
//                               the supplier-style exit step
//   StyleKeeperFormColours.cpp  the colour list beside the style details
//   StyleKeeperFormQuickAdd.cpp the "+" quick-add of list entries
//   StyleKeeperFormLaunches.cpp the editors started from the field captions,
//                               the history and web-copy programs
// Each page and bar is a class of its own unit (TFormPart, FormPartF.h) that
// builds, wires and handles its controls; the handler names below that
// belong to a page are thin entry points defined at the top of its unit:
//   QuantityPageF      stock, min stock, max stock, barcodes (TQuantityPage)
//   BranchPricesPageF  branch prices        PLUPricesPageF  per-PLU prices
//   ExtCodesPageF      external codes       ImagePageF      the picture
//   CommentsPageF      comments             InfoPageF       info
//   OptionsPageF       product options      ChargesPageF    style charges
//   PackPageF          wholesale pack       SearchBarF      top-bar searches
//   NavigationBarF     navigation and print
// The colour-by-size grid of the pages is ColourSizeGridClass (no window)
// shown by ColourSizeViewClass. Shared by all: ModeWords.h (the mode words),
// ControlEventsClass (a control's enter, exit, key and click events),
// StyleKeeperControls (the controls' factories), DisabledWindowClass.h.
#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "Currency.h"
#include "DisabledWindowClass.h"
#include "FormPartF.h"
#include "KvEditBaseline.h"
#include "KvMainWindow.h"

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPainter;
class QRect;
class QStackedWidget;
class QToolButton;
class QWidget;

namespace kdb {
class Database;
class Query;
}  // namespace kdb

namespace kui {
class KvEdit;
class KvStringGrid;
struct KvGridDrawState;
}  // namespace kui

class TBranchPricesPage;
class TChargesPage;
class TCommentsPage;
class TExtCodesPage;
class TImagePage;
class TInfoPage;
class TNavigationBar;
class TOptionsPage;
class TPLUPricesPage;
class TPackPage;
class TQuantityPage;
class TSearchBar;

class TForm1 : public kui::KvMainWindow {
  Q_OBJECT
 public:
  // The program's arguments (without the program name); the plain
  // constructor takes them from the application.
  explicit TForm1(QWidget* parent = nullptr);
  TForm1(const QStringList& arguments, QWidget* parent);
  ~TForm1() override;

  // The constructor found no database or no user: the program should end
  // without showing the window.
  bool TerminateRequested() const { return terminateRequested_; }

  static constexpr const char* kCaption = "Style Keeper";
  static constexpr quint32 kBarColour = 0xC6FFFF;
  static constexpr quint32 kCaptionPanelColour = 0x292929;
  static constexpr quint32 kFocusColour = 0xE9E9E9;
  // What a person may type into the boxes: a price ten characters, a text
  // box no more than its PRODUCTS column holds.
  static constexpr int kPriceLength = 10;
  static constexpr int kStyleLength = 50;        // STYLE
  static constexpr int kStyleRefLength = 50;     // STYLE_REF
  static constexpr int kDescriptionLength = 120;  // DESCRIPTION
  static constexpr int kRootPLUBoxLength = 16;   // ROOT_PLU

  // ----- fields ------------------------------------------------------------------
  int DefaultSeasonIndex = -1;
  int DefaultBrandIndex = -1;
  int DefaultSizeScaleIndex = -1;
  int DefaultVATIndex = -1;
  int RememberedSupplierIndex = -1;
  int RememberedCurrencyIndex = -1;
  QString CommandLineSupplierID;
  QString RootPLUToOpen;
  QDateTime StartTime;
  QDateTime ShownTime;
  Currency SalePrice;
  bool PricesTouched = false;
  QString ImagesFolder;
  int SelectedBranchIndex = 0;
  std::unique_ptr<QStringList> CopyBuffer;
  // What this window loaded of each PRODUCTS row of the shown colour, by PLU:
  // an edit writes only what differs from it, and refuses a column another
  // session changed since (StyleKeeperFormSave.cpp).
  std::map<QString, kdb::EditBaseline> StyleBaselines;

  // The mode word ("View", "Add", "Edit"; skmode, ModeWords.h) and the
  // loaded root PLU.
  QString Mode() const;
  QString LoadedRootPLU() const;

  // The handler net: runs one handler so that no failure escapes it; a
  // failure is logged with its qualified name ("TForm1::SpButSaveClick"), the
  // window enabled again and, when `tell`, the failure's text shown.
  void Guard(const char* where, const std::function<void()>& f, bool tell = true);

  // ----- construction, settings, command line (StyleKeeperForm.cpp) ------------
  void ApplyModuleSettings();
  void ReadCommandLine();
  void FormKeyPress(QChar key);
  void ImageExitClick();
  void PanelTopDblClick();
  // True when the pack label program lies in the program's folder.
  bool PackLabelProgramPresent() const;

  // ----- pick lists (StyleKeeperFormLoad.cpp) -----------------------------------
  void LoadSuppliers();
  void LoadColours();
  void LoadSeasons();
  void LoadCategories();
  void LoadDepartments();
  void LoadSubDepartmentList();
  void LoadBrandLabelList();
  void LoadSizeScaleList();
  void LoadVatRateList();
  void LoadCurrencies();
  static int IndexOfName(const QComboBox* combo, const QString& text);
  static int IndexOfID(const QComboBox* combo, int id);

  void ComboBoxCategoriesSelect();
  void ComboBoxCategoriesExit();
  void ComboBoxDepartmentsSelect();
  void ComboBoxDepartmentsExit();
  void ComboBoxTaxRatesSelect();
  void ComboBoxSizeRangesSelect();
  void ComboBoxCurrencySelect();

  // ----- showing one root PLU (StyleKeeperFormLoad.cpp) ---------------------------
  // Clears the form, View mode, and loads RootPLUToOpen when it names a style.
  // Already: the window shows that style already (a reload after a save or
  // the alternate colours), so the load does not stop half-way to paint it.
  enum class Shown { Other, Already };
  void FormShow(Shown shown = Shown::Other);
  static QString StyleByRootPLUSQL(const QString& rootPLU);
  // What the person is told when a style could not be looked up (the log
  // has the failure).
  static QString StyleNotReadMessage();
  void LoadStyleDetails(Shown shown = Shown::Other);
  void ShowProductAge(const QDateTime& created);
  // "N months N weeks" / "N days" from created to now; throws for dates
  // that give no age (invalid, or created after now).
  static QString ProductAgeText(const QDateTime& created, const QDateTime& now);
  void LoadPictures(const QString& rootPLU);
  // Adds a root PLU to the root PLU box's list unless it is there.
  void AddRootPLUItem(const QString& rootPLU);
  // The root PLU box: Enter selects; letters, digits and the editing keys
  // pass (root PLUs of the season prefix hold letters); others are dropped.
  bool ComboBoxRootPLUKeyPress(QChar key);
  void ComboBoxRootPLUSelect();

  // ----- modes and tabs (StyleKeeperFormModes.cpp) ---------------------------------
  // styleButtons false: the buttons that need a style stay hidden (FormShow
  // with no style to open).
  void SetViewMode(bool styleButtons = true);
  void SetEditMode();
  void ClearStyleForm();
  void SelectDefaults();
  void SpButAddClick();
  void SpButEditClick();
  void SpButCancelClick();
  void ShowTabSheet(QWidget* sheet);
  void SpButTabStyleClick();

  // ----- prices and margins (StyleKeeperFormPrices.cpp) ---------------------------
  void EditCostPriceChange();
  void EditRetailPriceChange();
  void EditWSPriceChange();
  void FilterPriceText(QLineEdit* box, const QString& message);
  void EditCostPriceExit();
  void EditRetailPriceEnter();
  void CalcMarkup();
  static QString MarginPercent(Currency price, Currency cost);
  // The margin panel's text for the four texts of cost, retail, wholesale and
  // VAT rate; "0.00" when any of them is no number.
  static QString MarkupText(const QString& cost, const QString& retail, const QString& wholesale,
                            const QString& vatRate);
  void mCalcPrice();

  // ----- the colour list (StyleKeeperFormColours.cpp) -------------------------------
  // Its columns: 0 shown (drawn from the others), 1 root PLU, 2 colour name,
  // 3 colour value (0x00BBGGRR as decimal text), 4 retail price "0.00", 5 empty.
  enum ColourListCol { ccShown = 0, ccRootPLU = 1, ccName = 2, ccValue = 3, ccRetail = 4, ccColumns = 6 };
  void ClearColourList();
  void LoadColourList();
  void SGridStyleColoursDrawCell(QPainter& painter, int col, int row, const QRect& rect);
  void SGridStyleColoursClick();

  // ----- style save and validation (StyleKeeperFormSave.cpp) -----------------------
  // Validates, saves in one transaction and reloads the saved style in View;
  // after a failed save the window stays in its mode with the input kept.
  void SpButSaveClick();
  // True when the form may be saved; on false the user has been told.
  bool ValidateStyle();
  // Writes one PRODUCTS row per size of the scale (Add) or rewrites the
  // colour's rows (Edit), all or nothing; in Add the new root PLU becomes the
  // root PLU box's text. False (the user told, nothing written) on failure.
  bool d_SaveStyle();
  bool StyleHasColour(const QString& style, const QString& colourId);
  // The colour row's display colour as decimal integer text ("0" when none).
  QString ColourValueOf(const QString& colourId);
  void ConvertPricesByCurrency();
  // Makes concurrent savers of new styles number one after the other: call it
  // first thing in the save's unit of work (the save itself opens its unit
  // with this lock). Throws kdb::DbError (also when the lock is not granted
  // within the table lock's wait).
  static void LockProductsForNumbering(kdb::Database& db);
  // The next plain root PLU: the highest PRODUCTS ID plus one as 8 digits, or
  // the first free one after it; "" when there is none. Run it on the save's
  // connection after LockProductsForNumbering. Throws kdb::DbError.
  static QString NextPlainRootPLU(kdb::Query& query);
  // Saves the shown style in each colour of the list ("NAME=ID" items) as a
  // new root PLU, in turn, skipping the colours the style has: validated
  // once, its look-ups made once, and not shown again between the colours
  // (the caller shows the last one). Stops at a refused validation. The
  // window is disabled in `disabled` once the check passes, so the caller
  // can keep it so while it shows the last colour.
  void SaveColours(const QStringList& colours, std::optional<SkDisabledWindow>& disabled);
  // Remembers the saved columns of every row of the root PLU as loaded.
  void CaptureStyleBaseline(const QString& rootPLU);

  // ----- cloning and alternate colours (StyleKeeperFormClone.cpp) ------------------
  void SpeedButtonCloneClick();
  void SpButSeasonClick();
  void EditSupplierStyleExit();
  // The supplier-style step: an existing style's settings handed over to the
  // new colour. Enabled: the window is disabled while it looks (the box's
  // exit); SaveToFollow: the save's checks, which disable it right after.
  enum class WindowState { Enabled, SaveToFollow };
  void TakeSupplierStyle(WindowState window);
  void ButtonAddNewColourClick();

  // ----- external codes and per-PLU prices (ExtCodesPageF.cpp, PLUPricesPageF.cpp) -----
  void SpButTabExternalClick();
  void SpButTabPricesClick();
  // Draws a cell of the external codes, options and charges grids.
  void SGridExtCodeDrawCell(kui::KvStringGrid& grid, QPainter& painter, int col, int row, const QRect& rect,
                            kui::KvGridDrawState state);
  // Enter in the external codes and options grids: down one row.
  void SGridExtCodeKeyPress(kui::KvStringGrid& grid, QChar& key);
  void SGridPricesDrawCell(kui::KvStringGrid& grid, QPainter& painter, int col, int row, const QRect& rect,
                           kui::KvGridDrawState state);
  // Enter in the prices grid: right across the four prices, then the next row.
  void SGridPricesKeyPress(kui::KvStringGrid& grid, QChar& key);
  // Each Apply is one unit of work: every changed row or none is written,
  // and the user learns how many rows failed.
  void SpButApplyExtCodesClick();
  void SpButApplyPricesClick();
  void SpButPricesSmartCopyClick();

  // ----- options, charges and the wholesale pack (OptionsPageF.cpp, ChargesPageF.cpp,
  //       PackPageF.cpp) ----------------------------------------------------------------
  void SpButInfoMoreDetailClick();
  void SpButOptionsApplyClick();
  void SpButInfoChargesClick();
  void SGridStyleChargesKeyPress(kui::KvStringGrid& grid, QChar& key);
  void SpeedButton18Click();  // Charges: Apply
  void SpButTabPackageClick();
  void LoadPack();
  void LoadPackLines();
  void SpButPackApplyClick();

  // ----- info (InfoPageF.cpp) --------------------------------------------------------
  void SpButStyleInfoClick();

  // ----- searches and the stock evaluation (SearchBarF.cpp) ---------------------------
  // The value typed in the last one-field prompt; emptied before each prompt.
  QString SearchValue;
  // The style list of a condition (" where ..." or ""): one row per root PLU.
  static QString StyleListSQL(const QString& where);
  // Asks for a value with the prompt into SearchValue; true when one was given.
  bool GetSimpleSearchValue(const QString& prompt);
  // The advanced search dialog (FormAdvancedSearch) and the search it describes.
  void RunAdvancedSearch();
  // The query's rows into the kept results dialog; the root PLU chosen is opened.
  void ShowSearchResults(kdb::Query* query);
  // Shows a root PLU in View mode.
  void OpenRootPLU(const QString& rootPLU);
  // With a kept result list: moves in it (0 first, 1 last, 2 previous,
  // 3 next), sets RootPLUToOpen and gives true; else false.
  bool NavigateSearchResults(int direction);
  void SpButNavSearchClick();
  void SpButTopExtSearchClick();
  void SpButTopRetailPriceSearchClick();
  void SpButTopCostPriceSearchClick();
  void SpButTopCostGtRetailSearchClick();
  void SpButTopEComSearchClick();
  void ButtonEvaluationSearchClick();

  // ----- navigation and the printed style sheet (NavigationBarF.cpp) ------------------
  void SpButNavFirstClick();
  void SpButNavPrevClick();
  void SpButNavNextClick();
  void SpButNavLastClick();
  // Asks for the scope (TFormOptions), then prints.
  void SpButPrintClick();
  // Fills the report grid and previews the style sheet of all styles or of
  // the style on screen.
  void HandlePrint(bool onlyThisStyle);

  // ----- stock, min stock, max stock and barcodes (QuantityPageF.cpp) --------------
  // A branch combo: the branches by name (only Local/LOBranchID when it is
  // set), SelectedBranchIndex selected. Throws kdb::DbError when they
  // cannot be read.
  void LoadBranches(QComboBox* combo);
  // Lays a colour-by-size grid out for the supplier style on screen.
  // Throws kdb::DbError when the colours or sizes cannot be read.
  void BuildColourSizeGrid(kui::KvStringGrid* grid);
  // Fills the size cells from one BRANCHSTOCK column for the combo's branch
  // ("0" where a PLU has no row). False (the cells left empty) when no branch
  // is chosen; throws kdb::DbError when the rows cannot be read.
  bool LoadBranchStockColumn(kui::KvStringGrid* grid, QComboBox* combo, const QString& column);
  static int FindColourRow(kui::KvStringGrid* grid, const QString& rootPLU);
  void SumQuantityGrid(kui::KvStringGrid* grid);
  static quint32 QuantityCellColour(qint64 value);
  // The handlers of every quantity grid (and the wholesale pack grid).
  void StringGridStockDrawCell(kui::KvStringGrid& grid, QPainter& painter, int col, int row, const QRect& rect,
                               kui::KvGridDrawState state);
  // Also refuses a digit that would take the cell beyond what its column holds.
  void StringGridStockKeyPress(kui::KvStringGrid& grid, QChar& key);
  void StringGridStockSelectCell(kui::KvStringGrid& grid, int col, int row, bool& canSelect);
  void SpButTabStockClick();
  void SpButShowMinStockClick();
  void SpButShowMaxStockClick();
  void SpButTabBCodesClick();
  void ComboBoxStockBranchesSelect();
  void ComboBoxMinStockBranchesSelect();
  void ComboBoxMaxStockBranchesSelect();
  void ComboBoxBarcodesBranchesSelect();
  void ButtonAddStockClick();
  void ButtonAddMinStockClick();
  void ButtonAddMaxStockClick();
  void ButtonEditStockClick();
  void ButtonEditMinStockClick();
  void ButtonEditMaxStockClick();
  void ButtonCancelStockClick();
  void ButtonCancelMinStockClick();
  void ButtonCancelMaxStockClick();
  void ButtonApplyStockClick();
  void ButtonApplyMinStockClick();
  void ButtonApplyMaxStockClick();
  void SpeedButton3Click();  // Barcodes: Apply

  // ----- ratio fill, copy and paste of a colour (QuantityPageF.cpp) ----------------
  // Starts SizeRatios for the chosen size scale when it lies in the current folder.
  void SpButSSRatioClick();
  // Asks for a quantity and fills the grid with it times each size's ratio;
  // false (the grid unchanged) when the prompt was cancelled or the fill refused.
  bool FillGridFromRatio(kui::KvStringGrid* grid);
  void SpButStockUseRatioClick();
  void SpeedButton2Click();  // Min Stock: Use Ratio
  void SpeedButton7Click();  // Max Stock: Use Ratio
  void SpeedButton8Click();  // Barcodes: Use Ratio
  // The sum of the chosen size scale's ratios; 0 without a scale. Throws
  // kdb::DbError when it cannot be read.
  int SizeScaleRatioTotal();
  // The grid of the active quantity page; throws "No grid" on any other page.
  kui::KvStringGrid* ActiveQuantityGrid() const;
  void PasteColourRow(kui::KvStringGrid* grid, int row);
  void PPMStockCopyColourClick();
  void PPMStockPasteColourClick();
  void PPMStockPasteAllClick();

  // ----- branch prices (BranchPricesPageF.cpp) ---------------------------------------
  static QString FormatPriceText(const QString& text);
  static quint32 PriceCellColour(const QString& text);
  void RecalcGridTotals(kui::KvStringGrid* grid);
  void SpButBSPricesClick();
  void ComboBoxBSPBranchSelect();
  void SGridBSPriceDrawCell(kui::KvStringGrid& grid, QPainter& painter, int col, int row, const QRect& rect,
                            kui::KvGridDrawState state);
  void SGridBSPriceSelectCell(kui::KvStringGrid& grid, int col, int row, bool& canSelect);
  void SGridBSPriceKeyPress(kui::KvStringGrid& grid, QChar& key);
  void SpeedButtonSaveBranchPricesClick();
  void SpBLPSmartCopyClick();

  // ----- pictures (ImagePageF.cpp) ---------------------------------------------------
  void SpButTabImageClick();
  void SpButImgLoadClick();
  void SpButImgApplyClick();
  void SpButImgCopyClick();
  void SpButImgClearClick();

  // ----- comments and web text (CommentsPageF.cpp) ----------------------------------
  void SpButInfoCommentsClick();
  void SpButCommentApplyThisClick();
  void SpButCommentApplyAllClick();
  void InsertHtmlTag(const QString& opening, const QString& closing);
  void ButtonTagBoldClick();
  void ButtonTagItalicClick();
  void ButtonTagUnderlineClick();
  void ButtonTagBulletClick();
  void ButtonTahParaClick();
  void ButtonTagH1Click();
  void ButtonTagH2Click();
  void ButtonH3Click();
  void ButtonTagImageClick();
  void ButtonTagLinkClick();
  void ButtonTagBRClick();
  void ButtonTagHRClick();

  // ----- quick-add of list entries (StyleKeeperFormQuickAdd.cpp) --------------------
  // The entry made by the last typed quick-add; both empty when it was
  // cancelled or refused.
  QString QuickAddID;
  QString QuickAddName;
  // Asks for a new entry of the list type (the quick-add dialog) and writes
  // it; afterSave runs with its new ID in the same unit of work. False when
  // cancelled or failed (logged as "TForm1::d_QuickAddParam").
  bool d_QuickAddParam(const QString& type, const QString& caption, const QString& parentName,
                       const QString& parentID, int maxLength,
                       const std::function<void(int id)>& afterSave = {});
  void SpButAddSupplierClick();
  void SpButAddColourClick();
  void SpButAddSeasonClick();
  void SpButAddBrandClick();
  void SpButAddCatClick();
  void SpButAddDeptClick();
  void SpButAddSubDeptClick();

  // ----- editors and outside programs (StyleKeeperFormLaunches.cpp) -----------------
  void LabelSupplierDblClick();
  void LabelColourDblClick();
  void LabelSeasonDblClick();
  void LabelCatDblClick();
  void Label11DblClick();
  void Label12DblClick();
  void LabelBrandDblClick();
  void LabelSizeScaleDblClick();
  void LabelVATDblClick();
  void SpButInfoHistClick();
  void SpButInfoContentClick();

  // ----- the pages and bars ------------------------------------------------------------
  // The bars are made by the constructor, each page on its first use
  // (TPageSlot); all are kept for the run. Each unit adds the entry points of
  // its handlers in its own section above this one.
  TSearchBar* SearchBar = nullptr;          // SearchBarF
  TNavigationBar* NavigationBar = nullptr;  // NavigationBarF
  TPageSlot<TQuantityPage> StockPage;       // QuantityPageF
  TPageSlot<TQuantityPage> MinStockPage;
  TPageSlot<TQuantityPage> MaxStockPage;
  TPageSlot<TQuantityPage> BarcodesPage;
  TPageSlot<TImagePage> ImagePage;              // ImagePageF
  TPageSlot<TExtCodesPage> ExtCodesPage;        // ExtCodesPageF
  TPageSlot<TPLUPricesPage> PricesPage;         // PLUPricesPageF
  TPageSlot<TBranchPricesPage> BranchPricesPage;  // BranchPricesPageF
  TPageSlot<TInfoPage> InfoPage;                // InfoPageF
  TPageSlot<TCommentsPage> CommentsPage;        // CommentsPageF
  TPageSlot<TChargesPage> ChargesPage;          // ChargesPageF
  TPageSlot<TOptionsPage> OptionsPage;          // OptionsPageF
  TPageSlot<TPackPage> PackPage;                // PackPageF

  // ----- components of the window itself ---------------------------------------------
  // Title panel and bars.
  QLabel* PanelTop = nullptr;
  QLabel* ImageExit = nullptr;
  QWidget* PanelTabButtons = nullptr;
  QToolButton* SpButTabStyle = nullptr;
  QToolButton* SpButTabStock = nullptr;
  QToolButton* SpButShowMinStock = nullptr;
  QToolButton* SpButShowMaxStock = nullptr;
  QToolButton* SpButTabBCodes = nullptr;
  QToolButton* SpButTabImage = nullptr;
  QToolButton* SpButTabExternal = nullptr;
  QToolButton* SpButTabPrices = nullptr;
  QToolButton* SpButStyleInfo = nullptr;
  QToolButton* SpButTabPackage = nullptr;
  QWidget* PanelBottom = nullptr;
  QToolButton* SpButAdd = nullptr;
  QToolButton* SpButEdit = nullptr;
  QToolButton* SpButCancel = nullptr;
  QToolButton* SpButSave = nullptr;

  // Page control and its sheets (tabs hidden; the buttons switch them). The
  // sheets are the pages' own: nullptr until the page is made.
  QStackedWidget* PageCtrlSF = nullptr;
  QWidget* TabShStyleDetails = nullptr;
  QWidget* TabShStock = nullptr;
  QWidget* TabShMinStock = nullptr;
  QWidget* TabShMaxStock = nullptr;
  QWidget* TabShBarcodes = nullptr;
  QWidget* TabShImage = nullptr;
  QWidget* TabShExtBCodes = nullptr;
  QWidget* TabShPrices = nullptr;
  QWidget* TabSheetBSPrice = nullptr;
  QWidget* TabShInfo = nullptr;
  QWidget* TabShComments = nullptr;
  QWidget* TabSheetCharges = nullptr;
  QWidget* TabSheetOptions = nullptr;
  QWidget* TabShPack = nullptr;

  // Style tab.
  QLabel* PanelStyleDetails = nullptr;  // "Style Details" caption panel
  QLabel* PanelAction = nullptr;        // hidden: the mode word
  QLabel* LabelRootPLU = nullptr;       // hidden: the loaded root PLU
  QComboBox* ComboBoxRootPLU = nullptr;
  QComboBox* ComboBoxSuppliers = nullptr;
  QComboBox* ComboBoxColours = nullptr;
  QComboBox* ComboBoxSeasons = nullptr;
  QComboBox* ComboBoxCategories = nullptr;
  QComboBox* ComboBoxDepartments = nullptr;
  QComboBox* ComboBoxProductGroups = nullptr;
  QComboBox* ComboBoxBrands = nullptr;
  QComboBox* ComboBoxSizeRanges = nullptr;
  QComboBox* ComboBoxTaxRates = nullptr;
  QComboBox* ComboBoxCurrency = nullptr;
  QComboBox* ComboBoxECommerce = nullptr;
  kui::KvEdit* EditSupplierStyle = nullptr;
  kui::KvEdit* EditStyleRef = nullptr;
  kui::KvEdit* EditDescription = nullptr;
  kui::KvEdit* EditCostPrice = nullptr;
  kui::KvEdit* EditRetailPrice = nullptr;
  kui::KvEdit* EditWSPrice = nullptr;
  QLabel* PanelSizes = nullptr;
  QLabel* PanelVATRate = nullptr;  // hidden
  QLabel* PanelMarkup = nullptr;
  QLabel* LabelSupplier = nullptr;
  QLabel* LabelColour = nullptr;
  QLabel* LabelSeason = nullptr;
  QLabel* LabelCat = nullptr;
  QLabel* Label11 = nullptr;  // "Department:"
  QLabel* Label12 = nullptr;  // "Sub-Department:"
  QLabel* LabelBrand = nullptr;
  QLabel* LabelSizeScale = nullptr;
  QLabel* LabelVAT = nullptr;
  QToolButton* SpButAddSupplier = nullptr;
  QToolButton* SpButAddColour = nullptr;
  QToolButton* SpButAddSeason = nullptr;
  QToolButton* SpButAddBrand = nullptr;
  QToolButton* SpButAddCat = nullptr;
  QToolButton* SpButAddDept = nullptr;
  QToolButton* SpButAddSubDept = nullptr;
  QToolButton* SpButSSRatio = nullptr;
  QToolButton* SpeedButtonClone = nullptr;
  QToolButton* SpButSeason = nullptr;
  QToolButton* ButtonAddNewColour = nullptr;
  kui::KvStringGrid* SGridStyleColours = nullptr;
  QLabel* ImageSmall = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Layout (StyleKeeperFormLayout.cpp).
  void BuildWindow();
  QWidget* BuildTitlePanel();
  QWidget* BuildTabButtons();
  QWidget* BuildBottomBar();
  void BuildPages();
  // A page made after the start gets what the window set on the pages made
  // with it: the smoothed fonts, the settings and the View mode's choices.
  void PreparePage(TFormPart& page);
  // The settings (ApplyModuleSettings) and the View mode (SetViewMode) on
  // the pages made so far, or only on `page`.
  void ApplyPageSettings(const TFormPart* page);
  void ApplyViewModeToPages(const TFormPart* page);
  QWidget* BuildStyleSheet();

  // Each unit wires the handlers of its own controls.
  void ConnectHandlers();        // StyleKeeperFormLayout.cpp: calls the others
  void ConnectTitleHandlers();   // StyleKeeperForm.cpp
  void ConnectLoadHandlers();    // StyleKeeperFormLoad.cpp
  void ConnectModeHandlers();    // StyleKeeperFormModes.cpp
  void ConnectPriceHandlers();   // StyleKeeperFormPrices.cpp
  void ConnectSaveHandlers();    // StyleKeeperFormSave.cpp
  void ConnectCloneHandlers();   // StyleKeeperFormClone.cpp
  void ConnectColourListHandlers();  // StyleKeeperFormColours.cpp
  void ConnectQuickAddHandlers();    // StyleKeeperFormQuickAdd.cpp
  void ConnectLaunchHandlers();      // StyleKeeperFormLaunches.cpp
  // A click, a choice in a pick list, a changed text: the handler runs under
  // the handler net, logged as `where`.
  void OnClick(QAbstractButton* button, const char* where, void (TForm1::*handler)());
  void OnSelect(QComboBox* combo, const char* where, void (TForm1::*handler)());
  void OnChange(QLineEdit* box, const char* where, void (TForm1::*handler)());

  // Loaders share one shape: NAME=ID items, optionally the default row.
  // Fills the combo with NAME=ID items of the statement's rows (on the first
  // remote query) and returns the index of the last default row (the row
  // whose defaultColumn equals its ID), -1 when none or no defaultColumn.
  int FillPickList(QComboBox* combo, const QString& sql, const QString& defaultColumn);
  int FillPickList(QComboBox* combo, const QString& sql, kdb::Query* query, const char* nameColumn,
                   const char* valueColumn, const QString& defaultColumn);
  // The start's loaders, each behind its wait text. Ahead of filling, only
  // those that need no box filled before them run: ReadRows reads their rows
  // into listsReadAhead_ (the boxes need not exist yet), OneTrip reads them
  // in one round trip to the server (for the fill that follows).
  enum class StartLists { Fill, ReadRows, OneTrip };
  void RunStartLoaders(StartLists how);
  struct PickRows {
    QStringList items;
    int defaultIndex = -1;
  };
  // Rows read ahead by statement text; FillPickList takes them (once)
  // instead of running the statement. A failed read is kept as well (empty):
  // it is logged once, as a failed fill is.
  std::map<QString, PickRows> listsReadAhead_;
  StartLists listsPass_ = StartLists::Fill;
  QStringList listStatements_;  // OneTrip: the statements the loaders would run
  void SetModeWord(const QString& word);
  void SetPickListsEnabled(bool on);
  void SetStyleEditsReadOnly(bool on);
  void ShowTabButtons(bool on);
  // The buttons that need a style (its other pages, clone, season, colour).
  void HideStyleButtons();
  void LoadPriceBox(QLineEdit* box, Currency value);

  // The look-ups a run of saves of one style shares (StyleKeeperFormSave.cpp).
  struct SaveBatch;
  SaveBatch* saveBatch_ = nullptr;
  QSet<QString> rootPLUItems_;  // the root PLU box's items

  QStringList arguments_;
  bool terminateRequested_ = false;
};

// The main window of the running program.
extern TForm1* Form1;
