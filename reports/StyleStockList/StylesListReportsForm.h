#pragma once
// StyleStockList's window "Styles Listing Stock Report": for the styles picked
// in the style picker, the stock of every colour in every branch (or the one
// branch chosen), size by size, in blocks of at most 20 sizes with a totals
// row per block and the overall total in the bottom bar.
//
// Layers: this window (options, run, drawing, print and export through the
// report frame) -> TStyleStockQueryClass (the reads, a batch of styles per
// statement) -> TStyleStockGridClass (blocks, hiding options, totals, written
// into SGridRep). The print form is TFormRep (StyleStockRepForm).
#include "ReportFrameForm.h"
#include "StyleStockGridClass.h"

#include <QHash>
#include <QStringList>

class QButtonGroup;
class QGroupBox;
class QLabel;
class TStyleStockQueryClass;

class TForm1 : public TReportFrameForm {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  static constexpr const char* kTitle = "Styles Listing Stock Report";
  static constexpr const char* kRunFailed = "The report could not be run:\n\n";
  static constexpr const char* kBranchesFailed = "The branches could not be read:\n\n";

  // ----- components -------------------------------------------------------------
  QGroupBox* RadioGrpOpt = nullptr;  // " Stock Figures "
  QButtonGroup* RadioGrpOptItems = nullptr;
  QWidget* PanelBottom = nullptr;
  QLabel* LabelOverallTotal = nullptr;
  QLabel* PanelOverallTotal = nullptr;

  // ----- state ----------------------------------------------------------------------
  QStringList SelectedStyles;  // from the picker, before each run
  QStringList BranchCodes;     // code=id per branch
  QString SQLText;             // the last statement of the run

  // The chosen stock-figure option (item index of RadioGrpOpt).
  int StockFigureOption() const;
  void SetStockFigureOption(int index);

  // ----- members -----------------------------------------------------------------------
  void FillStockFigureOptions();
  void LoadBranches() override;
  QString GetBranchCode(const QString& branchId) const;
  // The COUNTER of a size scale (0 when it has none) and its size names by
  // offset from `first` on; both read once per run.
  int GetSizeCount(const QString& scaleId);
  QStringList OpenSizeNames(const QString& scaleId, int first);
  void ResetGrid() override;
  void AddHeaderRow(int row, const QString& scaleId, int first, int count);
  void mRunReport();
  void AddSizeBlock(const TStyleStock& style, int first, int count);

 protected:
  bool AskReportInput() override;
  void FillReport() override { mRunReport(); }
  void FinishReport() override;
  std::unique_ptr<TGridReportForm> CreatePrintForm() override;
  bool IsHeaderRow(int row) const override;
  bool IsBoldRow(int row) const override;
  Qt::Alignment ColumnAlignment(int col) const override;

 private:
  TStyleStockGridClass builder_;
  QHash<QString, QString> codeOfBranch_;
  std::unique_ptr<TStyleStockQueryClass> reads_;  // during a run
  TStyleStockQueryClass& Reads();
};
