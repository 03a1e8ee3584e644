#pragma once
// The main window of an editor of one parameter list (the PARAMETERS rows of
// one TYPE): departments, brand names and categories. It is the code-list
// frame in its member-keeping form with what these editors share: the name
// checks (trimmed, not empty, unique within the list or within the
// entry's parent), the row written through the save's baseline, the rename
// of the entry's copies in PRODUCTS, and the multi-add button with its save.
//
//   class TForm1 : public TParamEditorForm {
//    public:
//     TForm1() : TParamEditorForm({"BRANDLABEL", "BRANDLABEL_ID", "BRANDLABEL_NAME"}) { ... }
//    protected:
//     void LoadRecord() override;                  // ReadParamRow(...) and the fields
//     bool ValidateRecord() override;              // ValidateName(), the editor's own checks
//     qint64 d_WriteRecord(kdb::Database&) override;          // WriteParam({...})
//     void d_WriteMultiAddEntry(const QString& name) override; // AppendParam({...})
//     ...
//   };
//
// The multi-add (SpButMultiAddClick): the dialog TFormParamMultiAdd, then
// SaveMultiAdd, one transaction under the list's lock that skips the names
// the list has (TParamMultiAddClass), then the list again from entry 0. A
// multi-add is offered in View only, so it never throws away an edit that is
// being typed.
#include <QMap>

#include "CodeListFrameForm.h"
#include "ParamMultiAddClass.h"

class TParamEditorForm : public TCodeListFrameForm {
  Q_OBJECT
 public:
  // The list's TYPE and the PRODUCTS columns that hold an entry's id and a
  // copy of its name.
  struct ListKind {
    QString type;
    QString productsIdColumn;
    QString productsNameColumn;
  };

  explicit TParamEditorForm(const ListKind& kind, QWidget* parent = nullptr);
  ~TParamEditorForm() override;

  static constexpr const char* kEnterName = "Please enter a name";
  static constexpr const char* kNameExists = "Name already exists, please enter a unique name";
  static constexpr const char* kMultiAddFailed = "Error: The entries have not been saved.";

  QToolButton* SpButMultiAdd = nullptr;

  QString ParamType() const { return kind_.type; }

  void SpButMultiAddClick();
  // Saves the dialog's entries as new rows, skipping empty lines and the
  // names the list holds; throws when nothing could be saved.
  TParamMultiAddClass::Result SaveMultiAdd(const QStringList& lines);

  // True when another row of the list (of the parent, when the editor has
  // one) has the name; `id` is the entry's own (0 for a new one). Throws
  // kdb::DbError when the check cannot run: it proves nothing then.
  bool NameTaken(const QString& name, qint64 id);

 protected:
  // The parent within which names are unique ("" for the whole list).
  virtual QString NameParentID() const { return {}; }
  // Whether a multi-add may start now; refuses with its message when not.
  virtual bool MultiAddAllowed() { return true; }
  // Writes the new row of one multi-add entry (AppendParam).
  virtual void d_WriteMultiAddEntry(const QString& name) = 0;

  QString ListSQL() const override;
  QString RecordTable() const override { return "PARAMETERS"; }
  void SetFieldsEditing(bool editing) override;
  void CheckInSave(kdb::Database& db) override;
  void d_RenameProducts(kdb::Database& db, qint64 id) override;

  // The name checks, each refusal told with the focus on the name; false
  // stops the save. TrimName: the name trimmed at both ends and written
  // back, refused when empty. NameIsFree: refused when taken.
  // ValidateName: both.
  bool TrimName();
  bool NameIsFree();
  bool ValidateName() { return TrimName() && NameIsFree(); }
  // The current entry's row with the named columns (NAME always), the
  // baseline taken of them (captions as the window names the fields).
  // Throws when the row cannot be read or is gone.
  kdb::Query& ReadParamRow(const QStringList& columns, const QMap<QString, QString>& captions = {});
  // Writes the current entry: a new row (the list's TYPE, RATE and VALUE 0
  // added) in Add, else only the changed values, against the baseline.
  qint64 WriteParam(const kdb::EditBaseline::Values& values);
  // A new row of the list with the values (TYPE, RATE and VALUE 0 added).
  qint64 AppendParam(const kdb::EditBaseline::Values& values);
  // Pick-list items ("NAME=ID") of a SELECT of ID, NAME (and PARENT_ID for
  // defaultIndex, the last row whose PARENT_ID is its own ID, -1 when none);
  // false when the statement failed.
  bool ReadPickItems(const QString& select, QStringList& items, int* defaultIndex = nullptr);
  // The printed list's rows: the columns of every row of the SELECT into
  // StringGrid1, in its order; false when the statement failed.
  bool FillPrintGridFrom(const QString& select, const QStringList& columns);
  // Runs a statement that must succeed (within the save's transaction).
  void RunOrThrow(const QString& statement, kdb::Query* query);

 private:
  ListKind kind_;
};
