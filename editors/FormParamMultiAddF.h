#pragma once
// The multi-add dialog of the code-list editors (departments, brand names,
// categories): one new entry per line, or several on a line separated by
// commas. OK cleans what was typed (TParamMultiAddClass::Entries) and shows
// it in the memo; the caller reads Lines() after Execute and saves them
// itself, skipping names its list has already.
//
//   TFormParamMultiAdd dlg(this);
//   if (dlg.Execute()) SaveMultiAdd(dlg.Lines());
//
// Borderless with a thin black frame, 684 x 431, centred on its owner.
#include "KvDialog.h"

#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TFormParamMultiAdd : public kui::KvDialog {
  Q_OBJECT
 public:
  explicit TFormParamMultiAdd(QWidget* owner = nullptr);
  ~TFormParamMultiAdd() override;

  static constexpr const char* kTitle = "Add Multiple";
  static constexpr const char* kNoEntry = "Please add a entry";
  static constexpr quint32 kYellowColour = 13041663;

  QLabel* PanelTop = nullptr;
  QLabel* Label1 = nullptr;
  QPlainTextEdit* MemoParam = nullptr;
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;

  // Empties the memo and shows the dialog modally; true when closed by OK.
  bool Execute();
  void ClearEntries();
  // The memo's lines: after OK, the cleaned entries, one per line.
  QStringList Lines() const;

  void FormShow();
  // Cleans the entries into the memo; closes with OK when there is at least
  // one and none is longer than a name may be, else tells the user and
  // stays open.
  void BitBtnOKClick();

 protected:
  void showEvent(QShowEvent* e) override;
};
