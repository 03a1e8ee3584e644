#pragma once
// The checklist selection dialog of the stock listings: every value of one
// product attribute as a pick-list item ("name=id"), each with a check box.
//
//   TKVFormUtilSelectChList dlg(this);
//   dlg.Title = "Select Supplier";
//   dlg.SetItems(values);              // all unchecked
//   if (dlg.Execute()) {               // OK with at least one value checked
//     QStringList checked;
//     dlg.GetCheckedItems(&checked);   // "name=id" texts, in list order
//   }
//
// The dialog keeps nothing between uses: every SetItems starts unchecked.
#include <QString>
#include <QStringList>

#include "KvDialog.h"

class QLabel;
class QPainter;
class QPushButton;
class QStyleOptionViewItem;
class QToolButton;

namespace kui {
class KvCheckListBox;
}

class TKVFormUtilSelectChList : public kui::KvDialog {
  Q_OBJECT
 public:
  explicit TKVFormUtilSelectChList(QWidget* owner = nullptr);
  ~TKVFormUtilSelectChList() override;

  static constexpr int kClientWidth = 533;
  static constexpr int kClientHeight = 638;
  static constexpr quint32 kFormColour = 0xC6FFFF;
  static constexpr quint32 kFoundColour = 0x00FFFF;  // yellow
  static constexpr int kItemHeight = 28;

  QLabel* PanelTitle = nullptr;
  kui::KvCheckListBox* ChListM = nullptr;
  QLabel* PanelFound = nullptr;
  QToolButton* SpSelectAll = nullptr;
  QToolButton* SpSelectNone = nullptr;
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;

  // The dialog's caption and title; set before Execute.
  QString Title;

  // The list's items, in order, all unchecked.
  void SetItems(const QStringList& items);
  // Shows the dialog; true only when it closed with OK and a value is checked.
  bool Execute();
  void UpdateCaptions();
  // The checked items' full texts in list order into `items` (cleared first);
  // nothing at all without a list.
  void GetCheckedItems(QStringList* items) const;
  int CountChecked() const;
  void CheckAll(bool checked);

  void SpSelectAllClick() { CheckAll(true); }
  void SpSelectNoneClick() { CheckAll(false); }
  // Paints one item's background and name; the check box is the list's own.
  void ChListMDrawItem(QPainter& p, const QStyleOptionViewItem& option, int index);

  // The name of a "name=id" item: everything before its last "=" (a name may
  // hold "=" itself; an id never does).
  static QString ItemName(const QString& item);
  // The id of a "name=id" item: everything after its last "=".
  static QString ItemId(const QString& item);
};
