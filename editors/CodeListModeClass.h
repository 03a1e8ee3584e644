#pragma once
// The modes of a code-list editor without its window: the mode word, the
// current record, the moves between View, Add and Edit, and what each mode
// shows. Two ways of keeping the record exist among the editors:
//   Caption  the record's id as the text of a hidden panel ("" = none) and
//            the mode as the word on a panel; Save and Cancel start the
//            window afresh and Save selects the saved name again.
//   Member   the id as a number (0 = none, or a new entry); Save shows its
//            progress in the wait window and a closing message, and every
//            save, Add included, carries the name into PRODUCTS.
#include <QString>

class TCodeListModeClass {
 public:
  enum class Keeping { Caption, Member };

  static constexpr const char* kView = "View";
  static constexpr const char* kAdd = "Add";
  static constexpr const char* kEdit = "Edit";

  // What the window shows in the current mode.
  struct Controls {
    bool listsEnabled;     // the list (lists) of entries
    bool fieldsWritable;   // the record's fields
    bool viewButtons;      // Print, Add, Edit
    bool editButtons;      // Cancel, Save
  };

  explicit TCodeListModeClass(Keeping keeping) : keeping_(keeping) {}

  Keeping GetKeeping() const { return keeping_; }
  QString Mode() const { return mode_; }
  bool Editing() const { return mode_ != kView; }
  bool Adding() const { return mode_ == kAdd; }
  Controls Shown() const;

  // The current record's id as text: "" for none or a new entry (caption
  // keeping), the number as text (member keeping: "0" for none).
  QString CurrentID() const;
  // The id as a number; 0 for none and for text that is no number.
  int CurrentIntID() const;
  bool HasRecord() const;
  void SetCurrentID(const QString& id);
  void ClearRecord();

  void SetView();
  // Add always starts: a cleared record in Add mode.
  void StartAdd();
  // Edit needs a current record; false (nothing changes) without one.
  bool StartEdit();

  // Cancel starts the window afresh: caption keeping only outside View.
  bool CancelReloads() const;
  // Whether a save of the mode it ran in carries the name into PRODUCTS:
  // member keeping after every save, caption keeping after an Edit only (a
  // new entry has no products yet).
  bool RenamesProducts(bool added) const;
  // Member keeping: the wait window and the saved message.
  bool ShowsSaveProgress() const { return keeping_ == Keeping::Member; }
  // Caption keeping selects the saved name after a save; member keeping its
  // editor's own entry (entry 0 unless the editor says otherwise).
  bool ReselectsSavedName() const { return keeping_ == Keeping::Caption; }

 private:
  Keeping keeping_;
  QString mode_ = kView;
  QString id_;
};
