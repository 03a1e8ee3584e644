// TForm1: the brand's fields, its load, checks and save, the default mark
// and the printed list.
#include "BrandNamesForm.h"

#include <QComboBox>

#include "DataModF.h"
#include "KvEdit.h"

TForm1::TForm1(QWidget* parent) : TParamEditorForm({"BRANDLABEL", "BRANDLABEL_ID", "BRANDLABEL_NAME"}, parent) {
  SetTitle(kTitle);
  SetListCaption(kTitle);
  EditCode = new kui::KvEdit(this);
  EditCode->setObjectName("EditCode");
  EditCode->SetCharCase(kui::KvEdit::CharCase::Upper);
  EditCode->SetMaxLength(kCodeLength);
  ComboBoxDefault = new QComboBox(this);
  ComboBoxDefault->setObjectName("ComboBoxDefault");
  ComboBoxDefault->setFixedWidth(120);
  QFrame* shape = AddShape();
  AddField(shape, "Name:", EditName);
  AddField(shape, "Code/Reference:", EditCode);
  AddField(shape, "Default:", ComboBoxDefault);
  // The frame cleared its own part before these fields existed.
  ClearRecord();
  SetViewMode();
}

TForm1::~TForm1() = default;

void TForm1::ClearFields() {
  ShowFieldText(EditCode, QString(), kCodeLength);
  loadedDefault_ = false;
  ComboBoxDefault->clear();
  ComboBoxDefault->addItems({kNo, kYes});
  ComboBoxDefault->setCurrentIndex(0);
}

void TForm1::SetFieldsEditing(bool editing) {
  TParamEditorForm::SetFieldsEditing(editing);
  EditCode->setReadOnly(!editing);
  ComboBoxDefault->setEnabled(editing);
}

void TForm1::LoadRecord() {
  kdb::Query& q = ReadParamRow({"EXTRA", "PARENT_ID"}, {{"EXTRA", "Code/Reference"}});
  // A longer code written elsewhere is shown whole, so a save does not cut it.
  ShowFieldText(EditCode, q.FieldByName("EXTRA").AsString(), kCodeLength);
  loadedDefault_ = q.FieldByName("PARENT_ID").AsInteger() == CurrentIntID();
  ComboBoxDefault->setCurrentIndex(loadedDefault_ ? 1 : 0);
}

bool TForm1::ValidateRecord() {
  // An empty code is allowed.
  EditCode->setText(EditCode->text().trimmed());
  return ValidateName();
}

void TForm1::SetDefaultBrandLabel(qint64 id) {
  RunOrThrow("update parameters set parent_id = " + kdb::sql::Int(id) + " where type = 'BRANDLABEL'",
             DMDB->DBQueryRemote2);
}

qint64 TForm1::d_WriteRecord(kdb::Database&) {
  const qint64 id = WriteParam({{"NAME", EditName->text()}, {"EXTRA", EditCode->text()}});
  // "No" takes the mark from nobody; a "Yes" that was there already is no
  // change, and does not take the mark back from a brand another user made
  // the default meanwhile.
  if (ComboBoxDefault->currentText() == kYes && (ModeState().Adding() || !loadedDefault_)) SetDefaultBrandLabel(id);
  return id;
}

void TForm1::d_WriteMultiAddEntry(const QString& name) { AppendParam({{"NAME", name}, {"EXTRA", QString()}}); }

bool TForm1::FillPrintGrid() {
  // The code is not printed.
  return FillPrintGridFrom("SELECT ID, NAME FROM PARAMETERS WHERE TYPE ='BRANDLABEL' ORDER BY NAME", {"ID", "NAME"});
}

std::unique_ptr<TQuickReport1> TForm1::CreatePrintForm() {
  return std::make_unique<TQuickReport1>(
      QPageLayout::Portrait, 100,
      std::vector<TPrintColumn>{{"ID:", "QRLabelID", 4, 60}, {"NAME:", "QRLabelName", 70, 400}});
}
