#pragma once
// The window of the two stock listings (product, and style and colour): the
// report frame with a "Group By:" choice of six product attributes. "View"
// lists the values of the chosen attribute in the checklist dialog; one
// statement then reads every checked value, and each value with stock fills
// a block of rows, its "Totals" row and a blank row, in list order; a grand
// "Totals" row closes the grid, which always keeps one empty row after the
// last row written.
//
//   class TMainForm : public TStockListingForm {
//    public:
//     TMainForm() : TStockListingForm(std::make_unique<TItemStockListingClass>(),
//                                     "Product Stock Listing") {}
//   };
//
// The group fields are taken when a run starts (after the dialog's OK), so
// a cancelled choice changes nothing: printing titles the grid after the
// group it was run with. A value list or a run's statement that fails ends
// the run and tells the user; it is never shown as an empty report.
#include "ReportFrameForm.h"
#include "StockGroupByClass.h"
#include "StockListingClass.h"

#include <QStringList>

#include <memory>

class QComboBox;
class QLabel;
class QToolButton;

class TStockListingForm : public TReportFrameForm {
  Q_OBJECT
 public:
  TStockListingForm(std::unique_ptr<TStockListingClass> listing, const QString& title);
  ~TStockListingForm() override;

  static constexpr const char* kPrintRefusal = "Please run the report first.";
  static constexpr int kBarHeight = 8;

  QWidget* PanelBar = nullptr;  // the coloured bar under the title
  QLabel* LabelGroupBy = nullptr;
  QComboBox* ComboBoxGroupBy = nullptr;
  QToolButton* SpeedButtonClearBranch = nullptr;  // the frame's "Clear"

  // ----- the group of the last run ----------------------------------------------------
  quint8 GroupIndex = 0;
  QString GroupCaption;
  QString GroupIdColumn;
  QString GroupNameColumn;
  QString GroupColumnTitle;
  QString GroupValuesSQL;
  QString ReportSQL;  // the statement of the last run

  const TStockListingClass& Listing() const { return *listing_; }
  // The checked values of the last run ("name=id").
  const QStringList& CheckedValues() const { return checked_; }

  void FillGroupBy();
  // The group fields from a Group By item.
  void SetGroupFields(int index);
  // The values of a group ("name=id" in the statement's order) into `list`;
  // throws kdb::DbError when the statement fails.
  void LoadGroupValues(QStringList& list, const QString& valuesSql);
  void SpeedButtonClearBranchClick() { SpButClearBranchClick(); }

 protected:
  bool AskReportInput() override;
  void ResetGrid() override;
  void FillReport() override;
  std::unique_ptr<TGridReportForm> CreatePrintForm() override;
  void PreparePrintForm(TGridReportForm& form) override;
  void LoadLists() override;

  bool IsBoldRow(int row) const override;
  Qt::Alignment ColumnAlignment(int col) const override;

 private:
  void WriteRow(int& row, const QStringList& cells);

  std::unique_ptr<TStockListingClass> listing_;
  QStringList checked_;
  bool allChecked_ = false;  // every value of the list
};
