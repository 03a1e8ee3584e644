#pragma once
// BrokenSizeReport's window "Broken Styles Report": for the styles picked, the
// colours whose size run is broken at a branch (sizes with a stock record but
// no stock), one row per colour and branch with the stock of every size, under
// a header row of size names.
//
// Layers: this window (options, run, drawing, print through the report frame;
// no export) -> TBrokenSizeQueryClass (the reads, a batch of styles at a time)
// -> TBrokenSizeGridClass (the broken-size rule and the rows, written into
// SGridRep). The print form is TFormRep (BrokenStyleRepForm).
#include "BrokenSizeGridClass.h"
#include "ReportFrameForm.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;

class TMainForm : public TReportFrameForm {
  Q_OBJECT
 public:
  explicit TMainForm(QWidget* parent = nullptr);
  ~TMainForm() override;

  static constexpr const char* kTitle = "Broken Styles Report";
  static constexpr const char* kBanner = "Finds sizes without stock within a size range";
  static constexpr const char* kNoBranches = "There is no Branches!";
  static constexpr const char* kBranchesFailed = "The branches could not be read:\n\n";
  static constexpr const char* kRunFailed = "The report could not be run:\n\n";
  static constexpr quint32 kBannerColour = 0xC6FFFF;
  static constexpr quint32 kButtonColour = 0xE2FBFC;
  static constexpr quint32 kHeaderRowColour = 0xC6FFFF;
  static constexpr quint32 kSelectedColour = 0xC0C0C0;

  // ----- components (the frame's run and print buttons under this program's names) ------
  QLabel* PanelMessage = nullptr;
  QWidget* PanelButton = nullptr;          // the frame's PanelFilter
  QToolButton* ImageRunReport = nullptr;   // the frame's SpButView
  QToolButton* ButtonPrint = nullptr;      // the frame's SpButPrint
  QLabel* LabelMissing = nullptr;
  QComboBox* ComboBoxMissing = nullptr;
  QCheckBox* CheckBoxHideAllZero = nullptr;
  QWidget* PanelBottom = nullptr;

  // ----- state ------------------------------------------------------------------------
  QString ReportSQL;
  QStringList SelectedStyles;
  QString BranchFilterId;  // "" for every branch
  int MinMissing = 1;
  QString CurrentStyle;
  QString CurrentRootPLU;
  QString CurrentColour;
  const QString& CurrentBranchId() const { return builder_.CurrentBranchId; }
  const QString& CurrentBranchName() const { return builder_.CurrentBranchName; }
  int CurrentRow() const { return builder_.CurrentRow; }
  int SizeColumnCount() const { return builder_.SizeColumnCount; }

  // ----- members ---------------------------------------------------------------------
  void InitOptions();
  void LoadBranches() override;
  void FillMinMissing();
  void ImageRunReportClick() { SpButViewClick(); }
  void ButtonPrintClick() { SpButPrintClick(); }
  bool PickStyles();
  void RunReport();
  void ProcessColour(const TBrokenColour& colour);
  int CountMissing(TBrokenRecords records) const { return builder_.CountMissing(records); }
  void AddRowWithHeader(const TBrokenColour& colour) { builder_.AddRowWithHeader(colour); }
  void WriteHeaderLabels(int row) { builder_.WriteHeaderLabels(row); }
  void WriteSizeNames(int row, const TBrokenColour& colour) { builder_.WriteSizeNames(row, colour); }
  void WriteStockRow(int row, const TBrokenColour& colour);
  void AddSeparator() { builder_.AddSeparator(); }
  void SGridRepDrawCell(kui::KvStringGrid& grid, QPainter& p, int col, int row, const QRect& rect,
                        kui::KvGridDrawState state);

 protected:
  void LoadLists() override;
  bool AskReportInput() override { return PickStyles(); }
  void ResetGrid() override;
  void FillReport() override;
  std::unique_ptr<TGridReportForm> CreatePrintForm() override;

 private:
  TBrokenSizeGridClass builder_;
  void BuildLayout();
};
