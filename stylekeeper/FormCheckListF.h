#pragma once
// The two-list picker: every parameter row of one type on the left, the
// chosen ones on the right. The left list can be narrowed by the start of
// the name; checked items move right with ">" and leave it with "<".
//
//   TFormCheckList& dlg = TFormCheckList::Kept(this);   // or one of its own
//   dlg.SetTitle("Select Alternate Colours");
//   dlg.SetParamType("COLOUR");
//   if (dlg.Execute())
//     for (int i = 0; i < dlg.SelectedCount(); ++i) use(dlg.SelectedName(i), dlg.SelectedId(i));
#include <QString>
#include <QStringList>

#include "KvDialog.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace kui {
class KvCheckListBox;
class KvEdit;
}  // namespace kui

class TFormCheckList : public kui::KvDialog {
  Q_OBJECT
 public:
  explicit TFormCheckList(QWidget* owner = nullptr);
  ~TFormCheckList() override;
  // The kept instance (FormCheckList), made on first use as a child of the
  // owner's window: each Execute starts it afresh, so it is built, laid out
  // and polished once for the run, not once per use.
  static TFormCheckList& Kept(QWidget* owner);

  static constexpr quint32 kColour = 13041663;  // light yellow, 0x00BBGGRR
  static constexpr int kItemHeight = 23;

  void SetTitle(const QString& text);
  void SetParamType(const QString& type) { paramType_ = type; }
  QString ParamType() const { return paramType_; }

  // Empties the search and the chosen list, loads the rows and shows the
  // dialog modally over the middle of its owner's window; true when it was
  // closed with OK.
  bool Execute();
  int SelectedCount() const;
  QString SelectedName(int i) const;
  QString SelectedId(int i) const;

  // The rows of the type (narrowed by the search text) into the cache and the left list.
  void LoadList();
  static QString ItemName(const QStringList& strings, int i);
  static QString ItemId(const QStringList& strings, int i);

  void EditSearchChange();
  // Enter moves to the left list; true when the key was used up.
  bool EditSearchKeyPress(QChar key);
  void SpButRightClick();
  void SpButLeftClick();
  void BitBtnOkClick();

  QLabel* PanelTop = nullptr;
  QLabel* Label1 = nullptr;
  kui::KvEdit* EditSearch = nullptr;
  kui::KvCheckListBox* CheckListBoxList = nullptr;
  kui::KvCheckListBox* CheckListBoxSelect = nullptr;
  QToolButton* SpButRight = nullptr;
  QToolButton* SpButLeft = nullptr;
  QPushButton* BitBtnOk = nullptr;
  QPushButton* BitBtnCancel = nullptr;
  QToolButton* SpeedButtonSearch = nullptr;  // hidden

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString paramType_;
  QStringList cache_;  // "name=id" of every row loaded
};

// The kept picker, once made (nullptr before).
extern TFormCheckList* FormCheckList;
