#pragma once
// The window every code-list program is: borderless, maximised, white. The
// title panel PanelTop with the exit picture; under it the light-yellow strip
// PanelMsg with the mode word PanelAction at its right (caption keeping); the
// list of entries ListBoxParam under its captioned panel at the left; the
// record's fields on light-yellow shapes in PanelFields; the five square
// buttons Print, Add, Edit, Cancel and Save at the right; and the hidden grid
// StringGrid1 that holds the printed list's rows.
//
// A program's main form derives from it and adds only what is its own:
//
//   class TForm1 : public TCodeListFrameForm {
//    public:
//     TForm1() : TCodeListFrameForm(Keeping::Caption) {
//       SetTitle("Suppliers"); SetListCaption("Suppliers");
//       QFrame* shape = AddShape(); AddField(shape, "Name:", EditName); ...
//     }
//    protected:
//     QString ListSQL() const override;                 // ID, NAME in name order
//     void LoadRecord() override;                      // the rest of the row; Baseline captured
//     bool ValidateRecord() override;                  // the name checks, with their messages
//     void CheckInSave(kdb::Database& db) override;     // the same check under the save's lock
//     qint64 d_WriteRecord(kdb::Database& db) override; // the row (TCodeListSaveClass::WriteRow) and dependants
//     void d_RenameProducts(kdb::Database& db, qint64 id) override;  // TProductsRenameClass
//     bool FillPrintGrid() override; std::unique_ptr<TQuickReport1> CreatePrintForm() override;
//     ...
//   };
//
// Save (SpButSaveClick) runs, after ValidateRecord, one transaction:
// LockForSave, CheckInSave, d_WriteRecord, d_RenameProducts (when the mode
// class says so), commit. A refusal (TCodeListRefusal, kdb::EditConflict) is
// shown and leaves the window in its mode with the fields as typed; any other
// failure is logged and reported with SaveFailedMessage, and also leaves the
// input in place; nothing of a failed save stays in the database. After a
// save the list is read again and an entry selected (ReselectIndex).
//
// Every handler catches what its work throws, logs it under
// "<class>::<handler>" and tells the user; the window is enabled again on
// every way out. The program's main form declares Q_OBJECT, so that the log
// names it ("TForm1::SpButSaveClick").
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

#include "CodeListModeClass.h"
#include "CodeListPrintForm.h"
#include "KvEditBaseline.h"
#include "KvMainWindow.h"

class QFrame;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPainter;
class QStyleOptionViewItem;
class QToolButton;
class QVBoxLayout;

namespace kdb {
class Database;
}

namespace kui {
class KvBusyGuard;
class KvEdit;
class KvStringGrid;
}  // namespace kui

class TCodeListFrameForm : public kui::KvMainWindow {
  Q_OBJECT
 public:
  using Keeping = TCodeListModeClass::Keeping;

  explicit TCodeListFrameForm(Keeping keeping, QWidget* parent = nullptr);
  ~TCodeListFrameForm() override;

  static constexpr quint32 kYellowColour = 13041663;  // the strip and the field shapes
  static constexpr quint32 kActionColour = 8454016;   // the mode panel
  static constexpr int kNameLength = 30;              // what EditName takes by typing
  static constexpr int kButtonSide = 96;
  static constexpr int kListItemHeight = 24;
  static constexpr const char* kSaving = "Saving...";
  static constexpr const char* kUpdatingProducts = "Updating products...";

  // ----- components ---------------------------------------------------------------
  QLabel* PanelTop = nullptr;
  QToolButton* ImageExit = nullptr;
  QWidget* PanelMsg = nullptr;
  QLabel* PanelAction = nullptr;  // shown in caption keeping only
  QLabel* PanelID = nullptr;      // hidden: the current record's id (caption keeping)
  QLabel* PanelList = nullptr;    // the caption over the list
  QListWidget* ListBoxParam = nullptr;
  QWidget* PanelFields = nullptr;
  QToolButton* SpButPrint = nullptr;
  QToolButton* SpButAdd = nullptr;
  QToolButton* SpButEdit = nullptr;
  QToolButton* SpButCancel = nullptr;
  QToolButton* SpButSave = nullptr;
  kui::KvEdit* EditName = nullptr;
  kui::KvStringGrid* StringGrid1 = nullptr;  // hidden: the printed list's rows

  void SetTitle(const QString& title);
  QString Title() const;
  void SetListCaption(const QString& caption);

  // ----- state ------------------------------------------------------------------------
  QString Mode() const { return mode_.Mode(); }
  bool Editing() const { return mode_.Editing(); }
  QString CurrentID() const { return mode_.CurrentID(); }
  int CurrentIntID() const { return mode_.CurrentIntID(); }
  const TCodeListModeClass& ModeState() const { return mode_; }
  // True when start-up found no database or no user and asked the program to end.
  bool Terminated() const { return terminated_; }
  // How the program ends, called once the event loop runs; by default the
  // window closes and the application quits.
  std::function<void()> OnTerminate;

  // ----- handlers ---------------------------------------------------------------------
  void FormShow();
  void ListBoxParamClick();
  // Draws the name of an item of an owner-drawn list (the frame's list and
  // any list added with AddListBefore).
  void ListBoxParamDrawItem(QListWidget* list, QPainter& p, const QStyleOptionViewItem& option, int index);
  void SpButAddClick();
  void SpButEditClick();
  void SpButCancelClick();
  void SpButSaveClick();
  void SpButPrintClick();
  void ImageExitClick();

  // ----- routines ---------------------------------------------------------------------
  void SetViewMode();
  void SetEditMode();
  // The member-keeping switch: editing (Add without a record, else Edit) or View.
  void SetEditing(bool editing);
  // No current record, every field empty, the editor's defaults set.
  void ClearRecord();
  // Clears the record, View mode, and reads the list again; false (the user
  // told) when the list could not be read.
  bool LoadList();
  // Selects the entry and loads it; an index outside the list selects nothing
  // and leaves the record cleared.
  void SelectEntry(int index);
  // The index of the entry whose name part equals the text; -1 when none.
  int IndexOfName(const QString& name) const;
  QString GetSelectedName() const;
  QString GetSelectedID() const;
  // The list's print form with StringGrid1 filled by the print query, or
  // nullptr (logged) when the query failed.
  std::unique_ptr<TQuickReport1> PreparePrint();

 protected:
  // ----- what each editor gives ---------------------------------------------------------
  // SELECT of ID and NAME in list order (the default ReadListItems runs it).
  virtual QString ListSQL() const = 0;
  // The list's items as NAME=ID texts; false when they could not be read.
  virtual bool ReadListItems(QStringList& items);
  // The table the entries live in; the save locks it.
  virtual QString RecordTable() const = 0;
  // The editor's record fields emptied and their defaults set.
  virtual void ClearFields() {}
  // Reads the rest of the current record (CurrentID) into the fields and
  // captures Baseline. Throws on failure (the record is then cleared).
  virtual void LoadRecord() = 0;
  // The editor's fields writable or read-only.
  virtual void SetFieldsEditing(bool editing) {}
  // What the editor sets up once connected and the user is known, before
  // the list is read (FormShow).
  virtual void AfterConnect() {}
  // What Add and Edit set up beyond the frame (after the mode is set).
  virtual void AfterAddStarted() {}
  virtual void AfterEditStarted() {}
  // Shown by Edit without a current record.
  virtual QString SelectRecordMessage() const = 0;
  // The checks before the save, each refusal shown with its focus; false stops.
  virtual bool ValidateRecord() = 0;
  // The save's lock: the record table (TCodeListSaveClass::LockTable).
  virtual void LockForSave(kdb::Database& db);
  // The uniqueness check under the lock; throws TCodeListRefusal.
  virtual void CheckInSave(kdb::Database& db) {}
  // Writes the record (and its dependent rows) and returns its id.
  virtual qint64 d_WriteRecord(kdb::Database& db) = 0;
  // Carries the saved names into PRODUCTS (TProductsRenameClass).
  virtual void d_RenameProducts(kdb::Database& db, qint64 id) {}
  // Member keeping: the message after a save ("Brand has been saved.").
  virtual QString SavedMessage() const { return {}; }
  // The message of a failed save ("Error: Brand has not been saved."); the
  // reason follows it.
  virtual QString SaveFailedMessage() const = 0;
  // The entry selected after Save and Cancel: caption keeping the saved name,
  // member keeping entry 0.
  virtual int ReselectIndex(const QString& savedName) const;
  // The print query into StringGrid1 (row 0 first); false when it failed.
  virtual bool FillPrintGrid() = 0;
  virtual std::unique_ptr<TQuickReport1> CreatePrintForm() = 0;
  // The printed list's title; by default the window's title.
  virtual QString PrintTitle() const { return Title(); }

  // ----- for the editors ----------------------------------------------------------------
  // The values of the current record as it was loaded, for the save's check
  // that nobody changed them meanwhile.
  kdb::EditBaseline Baseline;

  // A light-yellow shape in PanelFields holding captioned fields.
  QFrame* AddShape();
  // A caption and its field as the next row of a shape; returns the caption.
  QLabel* AddField(QFrame* shape, const QString& caption, QWidget* field);
  // Another owner-drawn list under its caption, left of the frame's list
  // (categories before their departments); enabled only in View, as the
  // frame's list is. Its caption panel comes back through captionPanel.
  QListWidget* AddListBefore(const QString& caption, const QString& name, QLabel** captionPanel = nullptr);
  // A button at the right of a list's caption panel (PanelList when none is named).
  void AddListButton(QWidget* button, QLabel* captionPanel = nullptr);
  // A filter between the frame's list and its caption.
  void AddListFilter(QWidget* filter);
  // A widget that is no edit box (a list) turns yellow while it has the focus too.
  void ColourOnFocus(QWidget* widget);
  // Puts a loaded name into EditName; a name longer than the box takes is
  // shown whole (the box widens to it) rather than cut.
  void ShowName(const QString& name);
  // The same for any edit box whose typing limit is `length`: a loaded text
  // is never cut, so that saving something else does not shorten it.
  static void ShowFieldText(kui::KvEdit* edit, const QString& text, int length);
  // Shows a refusal and focuses its field; returns false for the checks.
  bool Refuse(const QString& message, QWidget* focus = nullptr);
  // The wait window's text during a save (member keeping; nothing otherwise).
  void SetSaveMessage(const QString& message);
  // "TForm1::Method" for the log.
  QString Where(const char* method) const;

  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildWindow();
  void BuildTitlePanel(QVBoxLayout* body);
  void BuildStrip(QVBoxLayout* body);
  void BuildContent(QVBoxLayout* body);
  QToolButton* SquareButton(const char* name, const QString& caption, int glyph);
  QVBoxLayout* ListColumn(QLabel* caption, QListWidget* list);
  void ApplyControls();
  void SetCurrentID(const QString& id);
  void Reselect(const QString& savedName);
  qint64 d_SaveRecord(bool adding);
  void Terminate();
  // Runs a handler's work; what it throws is logged under the handler's name
  // and shown.
  template <class F>
  void Handle(const char* method, F&& work);

  TCodeListModeClass mode_;
  QVBoxLayout* fields_ = nullptr;
  QHBoxLayout* content_ = nullptr;
  QVBoxLayout* listColumn_ = nullptr;
  std::vector<QListWidget*> lists_;  // lists added beside the frame's own
  kui::KvBusyGuard* busy_ = nullptr;  // during a save
  bool loading_ = false;              // while an entry is loaded
  bool shown_ = false;
  bool terminated_ = false;
};
