#pragma once
// KvCheckListBox: a list of texts, each with a check box.
//
//   auto* box = new kui::KvCheckListBox(parent);
//   box->SetItems({"RED=1", "BLUE=2"});     // one update; all unchecked
//   box->SetDisplayText([](const QString& s) { return s.section('=', 0, 0); });
//   box->CheckAll(true);
//   int n = box->CheckedCount();
//   for (int i = 0; i < box->Count(); ++i) if (box->Checked(i)) use(box->Item(i));
//
// Item(i) is always the whole text as added; SetDisplayText only changes what
// is shown (a pick list's name part, say). SetItemHeight fixes the row height.
#include <QListWidget>

#include <functional>

namespace kui {

class KvCheckListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit KvCheckListBox(QWidget* parent = nullptr);

  int Count() const { return count(); }
  QString Item(int i) const;
  QStringList Items() const;
  void AddItem(const QString& text, bool checked = false);
  void SetItems(const QStringList& texts);  // replaces every item, unchecked
  void DeleteItem(int i);
  void ClearItems() { clear(); }
  int IndexOf(const QString& text) const;  // -1 when absent

  bool Checked(int i) const;
  void SetChecked(int i, bool on);
  void CheckAll(bool on);
  int CheckedCount() const;
  QStringList CheckedItems() const;  // in list order

  void SetDisplayText(std::function<QString(const QString&)> f);
  void SetItemHeight(int pixels);

 signals:
  void CheckChanged(int index);

 private:
  QString Shown(const QString& text) const;

  std::function<QString(const QString&)> display_;
  int itemHeight_ = 0;
};

}  // namespace kui
