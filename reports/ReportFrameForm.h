#pragma once
// The window every stock report is: borderless, maximised, white; the title
// bar PanelTop (its caption is also the printed title) with the exit picture,
// the filter strip PanelFilter with the branch selector, the report's own
// options and the "View", "Print" and "Export" buttons, and the report grid
// SGridRep, which stays hidden until a run completes: its visibility is the
// record that there is something to print or export.
//
//   class TMainForm : public TReportFrameForm {
//     Q_OBJECT
//    public:
//     TMainForm() {
//       SetReportTitle("Product Stock Listing");
//       PrintRefusal = "Please run the report first.";
//       SetEscapeCloses(false);  // Escape closes the others, not this listing
//       AddFilterOption(ComboBoxGroupBy = new QComboBox);
//     }
//    protected:
//     void ResetGrid() override;            // columns, widths, header row
//     void FillReport() override;           // the queries, row by row
//     std::unique_ptr<TGridReportForm> CreatePrintForm() override;
//   };
//
// The run (SpButViewClick): AskReportInput (false: nothing happens); window
// disabled and grid hidden; wait window "Please wait..."; ResetGrid; the
// branch condition taken once; FillReport (SetWaitMessage for each step,
// ProcessMessages after each row); FinishReport; wait window closed; grid
// shown and window enabled. A run that throws is logged and ends with the
// window enabled and the grid hidden.
#include "FormReportF.h"
#include "KvMainWindow.h"

#include <QColor>
#include <QString>

#include <functional>
#include <memory>

class QComboBox;
class QHBoxLayout;
class QLabel;
class QPainter;
class QStyleOptionViewItem;
class QToolButton;
class QVBoxLayout;
class TWaitClass;

namespace kui {
class KvBusyGuard;
class KvStringGrid;
struct KvGridDrawState;
}  // namespace kui

class TReportFrameForm : public kui::KvMainWindow {
  Q_OBJECT
 public:
  explicit TReportFrameForm(QWidget* parent = nullptr);
  ~TReportFrameForm() override;

  static constexpr quint32 kFixedColour = 0xC6FFFF;       // fixed and header rows
  static constexpr quint32 kCurrentRowColour = 0xE9E9E9;  // the grid's current row
  static constexpr const char* kPleaseWait = "Please wait...";
  static constexpr int kBranchItemHeight = 26;
  static constexpr int kFilterFontPixels = 19;

  // ----- components ---------------------------------------------------------------
  QLabel* PanelTop = nullptr;
  QToolButton* ImageExit = nullptr;
  QWidget* PanelFilter = nullptr;
  QLabel* LabelBranch = nullptr;
  QComboBox* ComboBoxBranch = nullptr;
  QToolButton* SpButClearBranch = nullptr;
  QToolButton* SpButView = nullptr;
  QToolButton* SpButPrint = nullptr;
  QToolButton* SpButExport = nullptr;
  kui::KvStringGrid* SGridRep = nullptr;

  // ----- per-program texts and looks -------------------------------------------------
  void SetReportTitle(const QString& title);
  QString ReportTitle() const;
  QString PrintRefusal = "Please Run Report first!";
  QString ExportRefusal = "There is nothing to print, please run the report.";
  // When set, a run that fails tells the user this text followed by the
  // reason (after the wait window closed), instead of only logging it.
  QString RunFailedText;
  int PrintZoom = 120;
  QColor HeaderColour;            // fixed and header rows; 0xC6FFFF
  QPoint BranchItemOffset{0, 0};  // where an item's name is drawn in its rectangle

  // The report's own controls in the filter strip, before the buttons.
  void AddFilterOption(QWidget* widget);
  // A bar under the grid (totals panels).
  void AddBottomBar(QWidget* widget);

  // ----- state --------------------------------------------------------------------------
  // True once a run completed: printing and export are allowed.
  bool ReportShown() const;
  // The branch condition of the current run: " and branch_id = " and the id
  // of the selected branch, or "" for all branches.
  QString BranchCondition() const { return branchCondition_; }
  // The condition as the selector stands now.
  QString MakeBranchCondition() const;
  // The report's print form with the grid, the title (the caption of
  // PanelTop) and the footer totals given: what "Print" previews.
  std::unique_ptr<TGridReportForm> PreparedPrintForm();
  // True when start-up found no database or no user and asked the program to end.
  bool Terminated() const { return terminated_; }
  // How the program ends; by default the application quits once its loop runs.
  std::function<void()> OnTerminate;

  // ----- handlers ---------------------------------------------------------------------------
  void FormShow();
  void ImageExitClick();
  void SpButClearBranchClick();
  void SpButViewClick();
  void SpButPrintClick();
  void SpButExportClick();
  void SGridRepDrawCell(kui::KvStringGrid& grid, QPainter& p, int col, int row, const QRect& rect,
                        kui::KvGridDrawState state);
  void ComboBoxBranchDrawItem(QPainter& p, const QStyleOptionViewItem& option, int index);

  // ----- owner-drawn pick lists --------------------------------------------------------
  using DrawItem = std::function<void(QPainter& p, const QStyleOptionViewItem& option, int index)>;
  // The items of `box` drawn by `draw` (TPickItemDrawClass), each
  // kBranchItemHeight high.
  static void OwnerDrawItems(QComboBox* box, DrawItem draw);

  // ----- for the report's own steps ------------------------------------------------------
  // The wait window's text during a run (nothing outside a run).
  void SetWaitMessage(const QString& message, const QString& info = QString());
  // Lets the window repaint during a long loop.
  static void ProcessMessages();
  // For loops over very many rows: the wait window's text and a repaint, at
  // most every few hundredths of a second (the first call of a run always),
  // so that the run does not spend its time redrawing.
  void ShowProgress(const QString& message);

 protected:
  // The report's input dialog; false (cancelled) leaves window and grid as they were.
  virtual bool AskReportInput() { return true; }
  // The pick lists filled after connecting: by default the branches.
  virtual void LoadLists();
  // Every branch as name=id items in name order (TDMDB::GetBranchList), none selected.
  virtual void LoadBranches();
  // Columns, widths, one fixed header row, no data; totals back to 0. The
  // frame's own reset empties the grid and hides it.
  virtual void ResetGrid();
  // The report's queries, filling the grid row by row.
  virtual void FillReport() = 0;
  // Trim the grid, write the totals panels.
  virtual void FinishReport() {}
  // The print form of the report (its labels laid out); by default one
  // label per shown grid column on the frame's standard form.
  virtual std::unique_ptr<TGridReportForm> CreatePrintForm();
  // Footer totals and the like, after grid and title were given.
  virtual void PreparePrintForm(TGridReportForm& form) {}

  // Drawing: rows painted like the fixed row, bold rows, right-aligned columns.
  virtual bool IsHeaderRow(int row) const { return false; }
  virtual bool IsBoldRow(int row) const { return false; }
  virtual Qt::Alignment ColumnAlignment(int col) const { return Qt::AlignLeft; }

  // "TClass::Method" for the log.
  QString Where(const char* method) const;

  void showEvent(QShowEvent* e) override;

  // Ends the program (start-up found it cannot work); see OnTerminate.
  void Terminate();

 private:
  void BuildTitleBar(QVBoxLayout* body);
  void BuildFilterStrip(QVBoxLayout* body);
  void BuildGrid(QVBoxLayout* body);
  QToolButton* FlatButton(const QString& caption);
  void RunReport();
  void PrintReport();

  QVBoxLayout* body_ = nullptr;
  QHBoxLayout* options_ = nullptr;
  kui::KvBusyGuard* busy_ = nullptr;  // during a run
  QString branchCondition_;
  qint64 lastProgress_ = -1;  // ms since the epoch of the last ShowProgress that painted
  bool shown_ = false;
  bool terminated_ = false;
};
