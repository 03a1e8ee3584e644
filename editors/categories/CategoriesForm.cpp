// TForm1: the category's fields, its load, checks and save, and the printed
// list.
#include "CategoriesForm.h"

#include "DataModF.h"
#include "KvEdit.h"

TForm1::TForm1(QWidget* parent) : TParamEditorForm({"CATEGORY", "CATEGORY_ID", "CATEGORY_NAME"}, parent) {
  SetTitle(kTitle);
  SetListCaption(kTitle);
  // The window has no border: its caption shows in the task bar only.
  setWindowTitle("Form1");
  EditCode = new kui::KvEdit(this);
  EditCode->setObjectName("EditCode");
  EditCode->SetCharCase(kui::KvEdit::CharCase::Upper);
  EditCode->SetMaxLength(kCodeLength);
  QFrame* shape = AddShape();
  AddField(shape, "Name:", EditName);
  AddField(shape, "Code/Reference:", EditCode);
  ClearRecord();
  SetViewMode();
}

TForm1::~TForm1() = default;

void TForm1::ClearFields() { ShowFieldText(EditCode, QString(), kCodeLength); }

void TForm1::SetFieldsEditing(bool editing) {
  TParamEditorForm::SetFieldsEditing(editing);
  EditCode->setReadOnly(!editing);
}

void TForm1::LoadRecord() {
  kdb::Query& q = ReadParamRow({"PARENT_NAME", "PARENT_ID"}, {{"PARENT_NAME", "Code/Reference"}});
  // A longer code written elsewhere is shown whole, so a save does not cut it.
  ShowFieldText(EditCode, q.FieldByName("PARENT_NAME").AsString(), kCodeLength);
}

bool TForm1::ValidateRecord() {
  EditCode->setText(EditCode->text().trimmed());
  return ValidateName();
}

qint64 TForm1::d_WriteRecord(kdb::Database&) {
  // Every save writes the parent pair: PARENT_ID 0 and the code.
  return WriteParam({{"NAME", EditName->text()}, {"PARENT_NAME", EditCode->text()}, {"PARENT_ID", 0}});
}

// A category made several at once has no code and no PARENT_ID until it is
// saved on its own.
void TForm1::d_WriteMultiAddEntry(const QString& name) { AppendParam({{"NAME", name}}); }

bool TForm1::FillPrintGrid() {
  return FillPrintGridFrom("SELECT ID, NAME, parent_name FROM PARAMETERS WHERE TYPE ='CATEGORY' ORDER BY NAME",
                           {"ID", "NAME", "parent_name"});
}

std::unique_ptr<TQuickReport1> TForm1::CreatePrintForm() {
  // Made for each print and freed when its preview closes.
  return std::make_unique<TQuickReport1>(QPageLayout::Portrait, 100,
                                         std::vector<TPrintColumn>{{"ID", "QRLabelID", 4, 60},
                                                                   {"Name", "QRLabelName", 70, 300},
                                                                   {"Code/Reference", "QRLabCode", 380, 300}});
}
