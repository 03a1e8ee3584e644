#pragma once
// The style history enquiry: for one style its colours side by side with
// their product data and prices (the style grid, one column per colour), and
// for one chosen colour and branch the movements of each size (the info
// grid): stock, orders, deliveries, transfers, returns, write-offs and sales,
// with the sales between two dates on "Refresh".
//
// The window is a report window (start-up, title bar, closing, owner-drawn
// selectors) without the report grid and its run, print and export buttons:
// everything it shows is loaded by a search.
//
// Where things are:
//   StyleHistoryForm.cpp      layout, start-up, handlers, pop-up menu
//   StyleHistoryFormLoad.cpp  searching and loading the two grids
//   StyleHistoryFormDraw.cpp  drawing of the grids
//   HistorySQLClass           the statements
//   StyleGridClass            labels and colour columns of the style grid
//   StyleFiguresClass         before VAT, profit, margin, markup
//   InfoGridClass             labels, size columns and figures of the info grid
//
// Every query that fails is logged and told to the user; its rows then show
// "n/a" rather than an empty history.
#include "InfoGridClass.h"
#include "KvBusyGuard.h"
#include "StyleGridClass.h"
#include "ReportFrameForm.h"

#include <QString>
#include <QStringList>

#include <optional>

class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QMenu;
class QSplitter;
class QToolButton;

namespace kdb {
class Query;
}

class TFormStyleHistoryF : public TReportFrameForm {
  Q_OBJECT
 public:
  explicit TFormStyleHistoryF(QWidget* parent = nullptr);
  ~TFormStyleHistoryF() override;

  static constexpr const char* kTitle = "Style History";
  static constexpr quint32 kSearchColour = 0xC6FFFF;
  static constexpr quint32 kFixedCellColour = 0xE2FBFC;
  static constexpr quint32 kSelectedCellColour = 0xC0C0C0;
  static constexpr quint32 kPositiveColour = 0xC0DCC0;
  static constexpr quint32 kNegativeColour = 0x0000FF;
  static constexpr const char* kItemReport = "ItemDataReport";

  // ----- components ---------------------------------------------------------------------
  // (PanelTop, ImageExit and ComboBoxBranch come from the report window.)
  QWidget* PanelSearch = nullptr;
  QComboBox* ComboBoxRoot = nullptr;
  QComboBox* ComboBoxStyle = nullptr;
  QToolButton* SpButSearch = nullptr;
  QToolButton* SpButAdvSearch = nullptr;
  QSplitter* SplitterBody = nullptr;
  QWidget* PanelLeftStyle = nullptr;
  kui::KvStringGrid* SGridStyle = nullptr;
  QWidget* PanelInfo = nullptr;
  QWidget* PanelInfoFilterTop = nullptr;
  QComboBox* ComboByColour = nullptr;
  kui::KvStringGrid* SGridInfo = nullptr;
  QWidget* PanelInfoFilterBottom = nullptr;
  QDateEdit* DTPickStart = nullptr;
  QDateEdit* DTPickEnd = nullptr;
  QToolButton* SpButViewSales = nullptr;
  QMenu* PopupMenuExport = nullptr;
  QAction* PPMExport = nullptr;
  QAction* PPMColourName = nullptr;
  QAction* PPMViewHistory = nullptr;

  // ----- state ---------------------------------------------------------------------------
  QString SQLText;
  QString CurrentRootPLU;  // the colour whose history is shown; "" until a style is loaded
  QString CurrentStyle;
  qint64 CurrentBranchId = 0;  // 0: every branch

  // ----- handlers ------------------------------------------------------------------------
  void SpButSearchClick();
  void SpButAdvSearchClick();
  // The change of the colour or the branch.
  void ComboBoxBranchChange();
  void SpButViewSalesClick();
  void PopupMenuExportPopup();
  void PPMExportClick();
  void PPMViewHistoryClick();
  void SGridStyleDrawCell(QPainter& p, int col, int row, const QRect& rect, kui::KvGridDrawState state);
  void SGridInfoDrawCell(QPainter& p, int col, int row, const QRect& rect, kui::KvGridDrawState state);

  // ----- operations ------------------------------------------------------------------------
  void InitialiseForm();
  // The first style matching the typed texts becomes the current style.
  enum class TFound { Found, NotFound, Failed };
  TFound FindStyle(const QString& rootText, const QString& styleText);
  void OpenStyle(const QString& style);
  bool LoadStyle(const QString& style);
  bool LoadStyleColours();
  void ResetStyleGrid();
  void ResetInfoGrid();
  // The colour list and the root PLUs of the style just loaded, its first
  // colour the current one.
  void LoadSizes();
  void ClearInfoGrid();
  // The sizes of the current colour with their figures for the current branch.
  void LoadHistory();
  void ClearSalesBetween();
  // The sales between the two dates (row 12) of the current colour and branch.
  bool LoadSales();

  // Adds the text to the combo box's sorted list unless it holds it already;
  // its index, -1 without a combo box.
  static int AddUniqueComboItem(QComboBox* combo, const QString& text);
  // The fill of a quantity cell: above 0, below 0 (red) and 0 (white).
  static quint32 QuantityColour(qint64 value);

  const TInfoGridClass& InfoGrid() const { return info_; }

 protected:
  void LoadLists() override;
  void LoadBranches() override;
  // Nothing is run from a "View" button here.
  void FillReport() override {}

 private:
  void BuildSearchPanel();
  void BuildBody();
  QWidget* BuildStylePanel();
  QWidget* BuildInfoPanel();
  void BuildPopupMenu();
  bool LocalMode() const;
  // The grid that opened the pop-up menu when its commands may act, else nullptr.
  kui::KvStringGrid* PopupGrid() const;
  QString Colour(int col) const;

  // A query that failed ("Could not load the sizes of 00000042"), told to the
  // user with the database's reason once the handler has finished (one
  // message for all).
  void NoteFailure(const QString& what);
  void ReportFailures();
  // Runs a handler: an exception is logged under its name and told.
  template <class F>
  void Handle(const char* method, F&& f);

  // The wait window of one user action: the first step shows it (and
  // disables the window), later steps of the same action change its text, so
  // a search that opens a style and its history shows one window, not three.
  class TWaitStep {
   public:
    TWaitStep(TFormStyleHistoryF& form, const QString& text);
    ~TWaitStep();
    TWaitStep(const TWaitStep&) = delete;
    TWaitStep& operator=(const TWaitStep&) = delete;

   private:
    TFormStyleHistoryF& form_;
    std::optional<kui::KvBusyGuard> own_;
  };
  kui::KvBusyGuard* busy_ = nullptr;

  TStyleGridClass style_{nullptr};
  TInfoGridClass info_{nullptr};
  QString sizesRootPLU_;  // the colour whose sizes head the info grid
  QStringList failures_;
};
