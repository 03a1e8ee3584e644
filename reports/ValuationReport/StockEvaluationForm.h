#pragma once
// ValuationReport's window, the stock evaluation: every run first offers the
// advanced search (its fields kept from run to run; Cancel runs without a
// product condition), then one aggregate statement values the stock by
// branch and by the "Group By:" attribute (TStockEvaluationClass) into the
// grid, with a totals row and four total panels. The report prints; it has
// no export.
//
// The grid keeps its title row fixed on screen; it prints as the first
// detail line. A statement that fails tells the user and leaves the grid
// hidden; it is never shown as an empty valuation.
#include "ReportFrameForm.h"
#include "StockEvaluationClass.h"
#include "StockGroupByClass.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QToolButton;
class TFormAdvancedSearch;

class TMainForm : public TReportFrameForm {
  Q_OBJECT
 public:
  TMainForm();
  ~TMainForm() override;

  static constexpr const char* kTitle = "Stock Evaluation";
  static constexpr const char* kWaitText = "Please wait... Querying Back Office for information!";
  static constexpr quint32 kGridFixedColour = 0x00FFFF;  // yellow
  static constexpr quint32 kButtonSquareColour = 0xE2FBFC;
  static constexpr int kButtonSize = 84;
  static constexpr int kDefaultColWidth = 120;

  QLabel* PanelMessage = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QWidget* Panel1 = nullptr;  // the filter strip
  QToolButton* SpeedButtonRunReport = nullptr;
  QToolButton* ButtonPrint = nullptr;
  QToolButton* ButtonPrintOn = nullptr;  // the lit twin that takes the click
  QToolButton* SpeedButtonClearBranch = nullptr;  // the frame's "Clear"
  QLabel* LabelGroupBy = nullptr;
  QComboBox* ComboBoxGroupBy = nullptr;
  QWidget* Panel2 = nullptr;  // the totals bar
  QLabel* PanelTotalUnits = nullptr;
  QLabel* PanelTotalCost = nullptr;
  QLabel* PanelTotalRetail = nullptr;
  QLabel* PanelGrossProfit = nullptr;
  kui::KvStringGrid* StringGrid1 = nullptr;  // the frame's report grid

  // ----- the group of the last run ----------------------------------------------------
  quint8 GroupIndex = TStockGroupByClass::kValuationDefault;
  QString GroupCaption;
  QString GroupIdColumn;
  QString GroupNameColumn;

  // The advanced search of the run, kept for the program's life.
  TFormAdvancedSearch* AdvancedSearch() const { return search_; }
  const TStockEvaluationClass& Evaluation() const { return evaluation_; }
  // The statement of the last run.
  QString LastStatement() const { return statement_; }

  void FillGroupBy();
  void SetGroupFields();
  void RunEvaluation(const QString& condition);

  // ----- handlers -----------------------------------------------------------------------
  void SpeedButtonRunReportClick() { SpButViewClick(); }
  void ButtonPrintOnClick() { SpButPrintClick(); }
  void SpeedButtonClearBranchClick() { SpButClearBranchClick(); }
  void ButtonPrintMouseMove();
  void Panel1MouseMove();

 protected:
  void LoadLists() override;
  void LoadBranches() override;
  bool AskReportInput() override;
  void ResetGrid() override;
  void FillReport() override;
  std::unique_ptr<TGridReportForm> CreatePrintForm() override;
  void PreparePrintForm(TGridReportForm& form) override;
  bool IsBoldRow(int row) const override;
  Qt::Alignment ColumnAlignment(int col) const override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMessageStrip();
  void BuildButtons();
  void BuildTotalsBar();
  void ShowTotals();

  TFormAdvancedSearch* search_ = nullptr;
  TStockEvaluationClass evaluation_;
  QString condition_;
  QString statement_;
};
