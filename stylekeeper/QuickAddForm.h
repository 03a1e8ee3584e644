#pragma once
// The quick-add dialog: a new entry of a code list from its name alone,
// behind the "+" buttons of the style tab. A small borderless window with a
// black frame, the white title "Add New", a caption, the name field (typed
// letters become capitals), OK and Cancel.
//
//   TFormQuickAdd dlg(&form);
//   dlg.ListType = "DEPARTMENT"; dlg.ParentID = "12"; dlg.ParentName = "MENSWEAR";
//   if (dlg.Execute("Department:", 60)) use(dlg.NewID, dlg.NewName);
//
// With a list type OK checks the name and writes the entry (TQuickAddClass)
// before it closes; a refused or failed save says so and keeps the dialog
// open. Without one (the kept instance FormQuickAdd of the colour quick-add)
// OK only refuses an empty name, and the caller writes.
#include <QString>

#include <functional>

#include "KvDialog.h"

class QLabel;
class QPushButton;
namespace kui {
class KvEdit;
}

class TFormQuickAdd : public kui::KvDialog {
  Q_OBJECT
 public:
  explicit TFormQuickAdd(QWidget* owner = nullptr);
  ~TFormQuickAdd() override;
  // The kept instance of the colour quick-add (FormQuickAdd), made on first
  // use and owned by `owner`.
  static TFormQuickAdd& Kept(QWidget* owner);

  static constexpr quint32 kBodyColour = 0xC6FFFF;   // light yellow, 0x00BBGGRR
  static constexpr quint32 kFocusColour = 15329769;  // light grey

  QString ListType;
  QString ParentID;
  QString ParentName;
  QString NewID;
  QString NewName;
  // Runs with the new ID inside the save's unit of work (the default season).
  std::function<void(int id)> AfterSave;

  // Caption, the name field emptied with its maximum length (0: none), then
  // shown; true when closed with OK.
  bool Execute(const QString& caption, int maxLength);
  // Shows the dialog again as it is (the name kept); true when closed with OK.
  bool ShowAgain();

  void FormShow();
  void BitBtnOKClick();
  // Trims the name in its field; false (the user told, focus in the field)
  // when it is empty or the list has it.
  bool ValidateName();
  // Writes the entry; false (the user told) when it was refused or failed.
  bool SaveEntry();

  QLabel* PanelTitle = nullptr;
  QLabel* Label1 = nullptr;
  kui::KvEdit* EditDesc = nullptr;
  QPushButton* BitBtnOK = nullptr;
  QPushButton* BitBtnCancel = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool Refuse(const QString& message);
};

// The kept quick-add dialog of the colour list (nullptr before it is made).
extern TFormQuickAdd* FormQuickAdd;
