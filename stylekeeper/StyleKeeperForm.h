#pragma once
// The style editor's main window: one style and colour (one root PLU) at a
// time, in View, Add or Edit mode, with the pick lists of the style tab, the
// price boxes and margins, and the tab sheets and buttons on which the rest of
// the style work hangs.
//
// The members are spread over several .cpp files by topic:
//   StyleKeeperForm.cpp        construction, module settings, command line, keys
//   StyleKeeperFormLayout.cpp  building the window's controls
//   StyleKeeperFormLoad.cpp    pick-list loaders, FormShow, loading a root PLU
//   StyleKeeperFormModes.cpp   View/Add/Edit, clearing, defaults, tab buttons, info tab
//   StyleKeeperFormPrices.cpp  price boxes, margins, the price calculator
//   StyleKeeperFormColours.cpp the colour list beside the style details
// A later topic (saving, stock grids, pictures, searches ...) adds its own
// file and its members in a section of its own below.
#include <QDateTime>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

#include "Currency.h"
#include "KvMainWindow.h"

class QCheckBox;
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
}  // namespace kui

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

  // The mode word ("View", "Add", "Edit") and the loaded root PLU.
  QString Mode() const;
  QString LoadedRootPLU() const;

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
  void FormShow();
  static QString StyleByRootPLUSQL(const QString& rootPLU);
  void LoadStyleDetails();
  void ShowProductAge(const QDateTime& created);
  // "N months N weeks" / "N days" from created to now; throws for dates
  // that give no age (invalid, or created after now).
  static QString ProductAgeText(const QDateTime& created, const QDateTime& now);
  void LoadPictures(const QString& rootPLU);
  // The root PLU box: Enter, Backspace and digits pass; Enter selects.
  bool ComboBoxRootPLUKeyPress(QChar key);
  void ComboBoxRootPLUSelect();

  // ----- modes and tabs (StyleKeeperFormModes.cpp) ---------------------------------
  void SetViewMode();
  void SetEditMode();
  void ClearStyleForm();
  void SelectDefaults();
  void SpButAddClick();
  void SpButEditClick();
  void SpButCancelClick();
  void ShowTabSheet(QWidget* sheet);
  void SpButTabStyleClick();
  void SpButStyleInfoClick();

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
  void ClearColourList();
  void LoadColourList();

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
  // first thing in the save's transaction. Throws kdb::DbError (also when the
  // lock is not granted within the session's lock wait).
  static void LockProductsForNumbering(kdb::Database& db);
  // The next plain root PLU: the highest PRODUCTS ID plus one as 8 digits, or
  // the first free one after it; "" when there is none. Run it on the save's
  // connection after LockProductsForNumbering. Throws kdb::DbError.
  static QString NextPlainRootPLU(kdb::Query& query);

  // ----- cloning and alternate colours (StyleKeeperFormClone.cpp) ------------------
  void SpeedButtonCloneClick();
  void SpButSeasonClick();
  void EditSupplierStyleExit();
  void ButtonAddNewColourClick();
  void SGridStyleColoursDrawCell(QPainter& painter, int col, int row, const QRect& rect);
  void SGridStyleColoursClick();

  // ----- components -----------------------------------------------------------------
  // Title panel and bars.
  QLabel* PanelTop = nullptr;
  QLabel* ImageExit = nullptr;
  QWidget* PanelTopBar = nullptr;
  QToolButton* SpButTopExtSearch = nullptr;
  QToolButton* SpButTopRetailPriceSearch = nullptr;
  QToolButton* SpButTopCostPriceSearch = nullptr;
  QToolButton* SpButTopCostGtRetailSearch = nullptr;
  QToolButton* SpButTopEComSearch = nullptr;
  QToolButton* ButtonEvaluationSearch = nullptr;
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
  QToolButton* SpButNavFirst = nullptr;
  QToolButton* SpButNavPrev = nullptr;
  QToolButton* SpButNavNext = nullptr;
  QToolButton* SpButNavLast = nullptr;
  QToolButton* SpButNavSearch = nullptr;
  QToolButton* SpButPrint = nullptr;
  QToolButton* SpButAdd = nullptr;
  QToolButton* SpButEdit = nullptr;
  QToolButton* SpButCancel = nullptr;
  QToolButton* SpButSave = nullptr;

  // Page control and its sheets (tabs hidden; the buttons switch them).
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

  // Image tab.
  QLabel* ImageLarge = nullptr;

  // Stock tab (the parts the modes and settings switch).
  QToolButton* SpButStockUseRatio = nullptr;
  QCheckBox* CheckBoxMinStock = nullptr;
  QCheckBox* CheckBoxMaxStock = nullptr;
  QCheckBox* CheckBoxCreateBarcodes = nullptr;

  // Prices tab.
  QToolButton* SpButBSPrices = nullptr;

  // Info tab.
  QLabel* PanelInfoStyle = nullptr;
  QLineEdit* EditProdColour = nullptr;
  QLineEdit* EditProdAge = nullptr;
  QLineEdit* EditProdCreated = nullptr;
  QToolButton* SpButInfoComments = nullptr;
  QToolButton* SpButInfoCharges = nullptr;
  QToolButton* SpButInfoMoreDetail = nullptr;
  QToolButton* SpButInfoHist = nullptr;
  QToolButton* SpButInfoContent = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Layout (StyleKeeperFormLayout.cpp).
  void BuildWindow();
  QWidget* BuildTitlePanel();
  QWidget* BuildTopBar();
  QWidget* BuildTabButtons();
  QWidget* BuildBottomBar();
  void BuildSheets();
  QWidget* BuildStyleSheet();
  void BuildStockSheet();
  void BuildImageSheet();
  void BuildPricesSheet();
  void BuildInfoSheet();
  void ConnectHandlers();
  // The save, clone and colour-list handlers (StyleKeeperFormClone.cpp).
  void ConnectSaveHandlers();
  QWidget* AddSheet(const QString& name, const QString& title);

  // Loaders share one shape: NAME=ID items, optionally the default row.
  // Fills the combo with NAME=ID items of the statement's rows (on the first
  // remote query) and returns the index of the last default row (the row
  // whose defaultColumn equals its ID), -1 when none or no defaultColumn.
  int FillPickList(QComboBox* combo, const QString& sql, const QString& defaultColumn);
  int FillPickList(QComboBox* combo, const QString& sql, kdb::Query* query, const char* nameColumn,
                   const char* valueColumn, const QString& defaultColumn);
  void SetModeWord(const QString& word);
  void SetPickListsEnabled(bool on);
  void SetStyleEditsReadOnly(bool on);
  void ShowTabButtons(bool on);
  void LoadPriceBox(QLineEdit* box, Currency value);
  // Runs one handler under the event-loop guard: a failure is logged with its
  // qualified name (and the window enabled again) instead of escaping.
  // Tells the user with the failure's text when `tell`.
  void Guard(const char* where, const std::function<void()>& f, bool tell = true);

  // Disables the window for a scope and gives the focus back afterwards: a
  // disabled window loses its focus, and a root PLU typed and loaded with
  // Enter should leave the box ready for the next one.
  class DisabledWindow {
   public:
    explicit DisabledWindow(QWidget* window);
    ~DisabledWindow();
    DisabledWindow(const DisabledWindow&) = delete;
    DisabledWindow& operator=(const DisabledWindow&) = delete;

   private:
    QWidget* window_;
    QPointer<QWidget> focus_;
  };

  QStringList arguments_;
  bool terminateRequested_ = false;
};

// The main window of the running program.
extern TForm1* Form1;
