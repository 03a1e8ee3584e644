#pragma once
// The stock evaluation dialog of the style editor: choosing a grouping in
// ComboBox1 ("Category", "Department", "Supplier", "Season", "Brand") runs
// the evaluation of all branches into SGridRep (one line per group and a
// TOTALS line); OK closes. The rules and the statement are TEvaluationClass.
//
// Created per use and held in FormEvaluation while it lives. A failed run
// tells the user and leaves the grid hidden: a failure never reads as an
// empty evaluation.
#include "PanelDialogForm.h"

class QComboBox;
class QLabel;
class QPainter;
class QPushButton;
class QRect;

namespace kui {
class KvStringGrid;
struct KvGridDrawState;
}  // namespace kui

class TFormEvaluation : public TFormPanelDialog {
  Q_OBJECT
 public:
  explicit TFormEvaluation(QWidget* owner = nullptr);
  ~TFormEvaluation() override;

  static constexpr int kClientWidth = 713;
  static constexpr int kClientHeight = 640;
  static constexpr quint32 kDarkColour = 0x292929;
  static constexpr quint32 kSelectedColour = 0x00FFFF;
  static constexpr quint32 kEvenRowColour = 0xE9E9E9;  // 15329769
  static constexpr const char* kRunFailed = "The evaluation could not be run:\n\n";

  QLabel* LabelBy = nullptr;  // "Stock Evaluation by:"
  QComboBox* ComboBox1 = nullptr;
  kui::KvStringGrid* SGridRep = nullptr;
  QPushButton* BitBtn1 = nullptr;  // OK

  // Runs the evaluation of the chosen item into the grid; false (the user
  // told, the failure logged) when the statement failed.
  bool RunReport();
  void ComboBox1Select();
  void FormShow();
  void SGridRepDrawCell(QPainter& p, int col, int row, const QRect& rect, const kui::KvGridDrawState& state);
  void BitBtn1Click();

 protected:
  void showEvent(QShowEvent* event) override;
};

// The dialog while it is open (nullptr otherwise).
extern TFormEvaluation* FormEvaluation;
