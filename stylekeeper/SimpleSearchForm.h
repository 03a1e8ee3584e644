#pragma once
// The one-field prompt of the style editor's value searches ("External
// Barcode:", "Retail Price:", "Cost Price:"): the caller sets the prompt,
// the person types a value (letters become capitals) and presses OK.
//
//   TFormSimpleSearch prompt(owner);
//   prompt.LabelFilter->setText("Retail Price:");
//   if (prompt.Execute()) value = prompt.GetValue();   // trimmed
//
// Created per prompt and held in FormSimpleSearch while it lives.
#include <QString>

#include "PanelDialogForm.h"

class QLabel;
class QPushButton;

namespace kui {
class KvEdit;
}

class TFormSimpleSearch : public TFormPanelDialog {
  Q_OBJECT
 public:
  explicit TFormSimpleSearch(QWidget* owner = nullptr);
  ~TFormSimpleSearch() override;

  static constexpr int kClientWidth = 438;
  static constexpr int kClientHeight = 245;
  static constexpr quint32 kEditFrameColour = 0xE9E9E9;
  static constexpr int kMaxValueLength = 30;  // EXTERNAL_BARCODE and SKU

  QLabel* LabelFilter = nullptr;
  kui::KvEdit* EditFilter = nullptr;
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;

  // Empties the field and gives it the focus.
  void FormShow();
  // Shows the prompt modally; true when it closed with OK.
  bool Execute() { return kui::KvDialog::Execute(); }
  // The field's text without blanks around it.
  QString GetValue() const;

 protected:
  void showEvent(QShowEvent* event) override;
};

// The prompt while one is shown (nullptr otherwise).
extern TFormSimpleSearch* FormSimpleSearch;
