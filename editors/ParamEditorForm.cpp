// TParamEditorForm: the name checks, the row, the rename into PRODUCTS and
// the multi-add of the parameter-list editors.
#include "ParamEditorForm.h"

#include <QListWidget>
#include <QToolButton>

#include "CodeListGlyphs.h"
#include "CodeListSaveClass.h"
#include "DataModF.h"
#include "FormParamMultiAddF.h"
#include "KuiGuard.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ProductsRenameClass.h"
#include "WaitClass.h"

namespace {

constexpr const char* kEntryGone =
    "The entry could not be found; another user may have removed it. Nothing has been saved.";
constexpr int kListButtonSide = 28;

}  // namespace

TParamEditorForm::TParamEditorForm(const ListKind& kind, QWidget* parent)
    : TCodeListFrameForm(Keeping::Member, parent), kind_(kind) {
  SpButMultiAdd = new QToolButton(this);
  SpButMultiAdd->setObjectName("SpButMultiAdd");
  SpButMultiAdd->setToolTip("Add several at once");
  SpButMultiAdd->setAutoRaise(true);
  SpButMultiAdd->setFocusPolicy(Qt::NoFocus);
  SpButMultiAdd->setFixedSize(kListButtonSide, kListButtonSide);
  SpButMultiAdd->setIcon(editors::GlyphIcon(editors::Glyph::Add, kListButtonSide - 6));
  SpButMultiAdd->setCursor(Qt::PointingHandCursor);
  AddListButton(SpButMultiAdd);
  // Named when clicked: the editor's own class is not known yet here.
  connect(SpButMultiAdd, &QToolButton::clicked, this, [this] {
    const kui::HandlerName scope(Where("SpButMultiAddClick"));
    SpButMultiAddClick();
  });
  if (DMDB) DMDB->SmoothFormFonts(this);
}

TParamEditorForm::~TParamEditorForm() = default;

QString TParamEditorForm::ListSQL() const {
  return "select id, name from parameters where type = " + kdb::sql::Quote(kind_.type) + " order by name";
}

void TParamEditorForm::SetFieldsEditing(bool editing) { SpButMultiAdd->setEnabled(!editing); }

// ----- names -------------------------------------------------------------------------------

bool TParamEditorForm::NameTaken(const QString& name, qint64 id) {
  QString sql = "select name from parameters where name = " + kdb::sql::Quote(name) +
                " and type = " + kdb::sql::Quote(kind_.type);
  if (const QString parent = NameParentID(); !parent.isEmpty()) sql += " and parent_id = " + kdb::sql::Int(parent);
  sql += " and id <> " + kdb::sql::Int(id);
  return TCodeListSaveClass::Exists(*DMDB->DBQueryBRules, sql);
}

bool TParamEditorForm::TrimName() {
  EditName->setText(EditName->text().trimmed());
  return !EditName->text().isEmpty() || Refuse(kEnterName, EditName);
}

bool TParamEditorForm::NameIsFree() {
  return !NameTaken(EditName->text(), CurrentIntID()) || Refuse(kNameExists, EditName);
}

void TParamEditorForm::CheckInSave(kdb::Database&) {
  // Again under the save's lock: a name saved by another user since the
  // check before the save is found here.
  if (NameTaken(EditName->text(), CurrentIntID())) throw TCodeListRefusal(kNameExists, EditName);
}

// ----- the row ----------------------------------------------------------------------------

void TParamEditorForm::RunOrThrow(const QString& statement, kdb::Query* query) {
  if (!DMDB->RunQuery(statement, query)) throw kdb::DbError(DMDB->LastError);
}

kdb::Query& TParamEditorForm::ReadParamRow(const QStringList& columns, const QMap<QString, QString>& captions) {
  kdb::Query& q = *DMDB->DBQueryRemote1;
  const QStringList all = QStringList{"NAME"} + columns;
  RunOrThrow("select " + all.join(", ") + " from parameters where id = " + kdb::sql::Int(CurrentID()) +
                 " and type = " + kdb::sql::Quote(kind_.type),
             &q);
  if (q.RecordCount() == 0) throw kdb::DbError("The entry is no longer there.");
  Baseline.Capture(q, all);
  Baseline.SetCaption("NAME", "Name");
  for (auto it = captions.begin(); it != captions.end(); ++it) Baseline.SetCaption(it.key(), it.value());
  ShowName(q.FieldByName("NAME").AsString());
  return q;
}

qint64 TParamEditorForm::AppendParam(const kdb::EditBaseline::Values& values) {
  kdb::EditBaseline::Values row = values;
  row.emplace_back("TYPE", kind_.type);
  row.emplace_back("RATE", 0);
  row.emplace_back("VALUE", 0);
  kdb::EditBaseline none;
  return TCodeListSaveClass::WriteRow(*DMDB->DBTableR1, "PARAMETERS", 0, none, row, kEntryGone);
}

qint64 TParamEditorForm::WriteParam(const kdb::EditBaseline::Values& values) {
  if (ModeState().Adding()) return AppendParam(values);
  // An edit names its own row: id 0 would append one instead.
  const qint64 id = CurrentIntID();
  if (id <= 0) throw kdb::DbError("No entry is loaded.");
  return TCodeListSaveClass::WriteRow(*DMDB->DBTableR1, "PARAMETERS", id, Baseline, values, kEntryGone);
}

void TParamEditorForm::d_RenameProducts(kdb::Database&, qint64 id) {
  TProductsRenameClass::Run(*DMDB->DBQueryRemote2,
                            TProductsRenameClass::CopyStatement(kind_.productsIdColumn, QString::number(id),
                                                                {{kind_.productsNameColumn, EditName->text()}}));
}

bool TParamEditorForm::ReadPickItems(const QString& select, QStringList& items, int* defaultIndex) {
  items.clear();
  if (defaultIndex) *defaultIndex = -1;
  kdb::Query* q = DMDB->DBQueryBRules;
  if (!DMDB->RunQuery(select, q)) return false;
  for (q->First(); !q->Eof(); q->Next()) {
    const qint64 id = q->FieldByName("ID").AsInteger();
    items << q->FieldByName("NAME").AsString() + "=" + QString::number(id);
    if (defaultIndex && q->FieldByName("PARENT_ID").AsInteger() == id) *defaultIndex = int(items.size()) - 1;
  }
  return true;
}

bool TParamEditorForm::FillPrintGridFrom(const QString& select, const QStringList& columns) {
  kdb::Query* q = DMDB->DBQueryRemote1;
  if (!DMDB->RunQuery(select, q)) return false;
  StringGrid1->SetColCount(int(columns.size()));
  StringGrid1->SetRowCount(q->RecordCount());
  int row = 0;
  for (q->First(); !q->Eof(); q->Next(), ++row) {
    QStringList texts;
    for (const QString& c : columns) texts << q->FieldByName(c).AsString();
    StringGrid1->SetRowTexts(row, texts);
  }
  return true;
}

// ----- several at once ---------------------------------------------------------------------

TParamMultiAddClass::Result TParamEditorForm::SaveMultiAdd(const QStringList& lines) {
  TWaitClass wait;
  kui::KvBusyGuard busy(this, kSaving, QString(), &wait);
  return TParamMultiAddClass::Save(
      *DMDB->DBDatabaseRemote, lines, [this](const QString& name) { return NameTaken(name, 0); },
      [this](const QString& name) { d_WriteMultiAddEntry(name); }, Where("SaveMultiAdd"));
}

void TParamEditorForm::SpButMultiAddClick() {
  try {
    if (Editing() || !MultiAddAllowed()) return;
    QStringList lines;
    {
      TFormParamMultiAdd dialog(this);
      if (!dialog.Execute()) return;
      lines = dialog.Lines();
    }
    TParamMultiAddClass::Result result;
    try {
      result = SaveMultiAdd(lines);
    } catch (const std::exception& e) {
      DMDB->LogException(e, Where("SpButMultiAddClick"));
      DMDB->ShowMessage(QString(kMultiAddFailed) + "\n\n" + TDMDB::ExceptionMessage(e));
    }
    // The list again, with what this and other users added.
    if (LoadList()) SelectEntry(ReselectIndex(QString()));
    if (result.failed > 0) DMDB->ShowMessage(TParamMultiAddClass::FailedMessage(result));
  } catch (const std::exception& e) {
    DMDB->LogException(e, Where("SpButMultiAddClick"));
    DMDB->ShowMessage("Error: " + TDMDB::ExceptionMessage(e));
  }
}
