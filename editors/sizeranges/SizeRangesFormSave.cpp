// TForm1: the checks before a save, the save of a scale with its sizes, the
// renames into PRODUCTS and the printed list.
//
// The save runs in the frame's one transaction: a new scale is written with
// all its sizes or not at all, so COUNTER always equals its number of SIZES
// rows; an edited scale writes only the name and the size names the user
// changed, refuses one that another user changed meanwhile, and its new names
// reach PRODUCTS in the same transaction.
#include "SizeRangesForm.h"

#include <QComboBox>
#include <QLabel>
#include <QMap>

#include "CodeListSaveClass.h"
#include "DataModF.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ProductsRenameClass.h"

namespace {

constexpr const char* kScaleGone =
    "The Size Scale could not be found; another user may have removed it. Nothing has been saved.";
constexpr const char* kSizeGone =
    "A size of the Size Scale could not be found; another user may have removed it. Nothing has been saved.";

}  // namespace

bool TForm1::NameTaken(const QString& name) {
  QString sql = "SELECT ID FROM SIZESSCALE WHERE NAME = " + kdb::sql::Quote(name);
  if (ModeState().Mode() == TCodeListModeClass::kEdit) sql += " AND ID <> " + kdb::sql::Int(CurrentID());
  return TCodeListSaveClass::Exists(*DMDB->DBQueryRemote1, sql);
}

bool TForm1::ValidateScale() {
  EditName->setText(TrimLeading(EditName->text()));
  if (EditName->text().isEmpty()) return Refuse("Please enter name!", EditName);
  if (sizes_.Count() == 0) return Refuse("Please enter sizes!");
  return NameIsFree();
}

bool TForm1::DefaultChosen() const { return ComboBoxDefault->currentText() == kYes; }

qint64 TForm1::d_WriteRecord(kdb::Database&) {
  const bool adding = ModeState().Adding();
  // COUNTER is the number of sizes: unchanged by an edit, unless an older
  // program left it wrong, which this save puts right.
  const kdb::EditBaseline::Values values{{"NAME", EditName->text()}, {"COUNTER", sizes_.Count()}};
  qint64 id = 0;
  if (!adding) {
    // Id 0 would write a new row: an edited scale must name its own.
    bool ok = false;
    id = CurrentID().toLongLong(&ok);
    if (!ok || id <= 0) throw kdb::DbError("No size scale is loaded.");
  }
  kdb::Table& table = *DMDB->DBTableR1;
  const QVariant loadedName = Baseline.Value("NAME");
  id = TCodeListSaveClass::WriteRow(table, "SIZESSCALE", id, Baseline, values, kScaleGone);
  // The name the row holds now: the products copy the row, not the window
  // (a name another user gave the scale meanwhile stays when this window
  // left the name alone).
  savedName_ = table.FieldByName("NAME").AsString();
  renamed_ = !adding && savedName_ != loadedName.toString();
  if (adding)
    WriteNewSizes(id);
  else
    WriteRenamedSizes();
  // "No" takes the mark from nobody: the default stays where it is until
  // another scale is saved with "Yes". A "Yes" that was already there is no
  // change, and does not take the mark back from a scale made the default
  // meanwhile.
  if (DefaultChosen() && (adding || !loadedDefault_)) {
    if (!DMDB->RunQuery("UPDATE SIZESSCALE SET DEFAULT_ID = " + kdb::sql::Int(id), DMDB->DBQueryRemote1))
      throw kdb::DbError("The default size scale could not be set: " + DMDB->LastError);
  }
  return id;
}

void TForm1::WriteNewSizes(qint64 scaleId) {
  kdb::EditBaseline none;
  for (int offset = 0; offset < sizes_.Count(); ++offset)
    TCodeListSaveClass::WriteRow(*DMDB->DBTableRemote2, "SIZES", 0, none,
                                 {{"SIZESSCALE_ID", scaleId}, {"NAME", sizes_.Name(offset)}, {"offset", offset}},
                                 kSizeGone);
}

void TForm1::WriteRenamedSizes() {
  // The list of an edited scale is the list it was loaded with, renamed.
  for (int offset = 0; offset < sizes_.Count() && offset < static_cast<int>(loaded_.size()); ++offset) {
    const LoadedSize& was = loaded_[size_t(offset)];
    if (sizes_.Name(offset) == was.name) continue;
    kdb::EditBaseline size;
    size.Set("NAME", was.name);
    size.SetCaption("NAME", "Size \"" + was.name + "\"");
    TCodeListSaveClass::WriteRow(*DMDB->DBTableRemote2, "SIZES", was.id, size, {{"NAME", sizes_.Name(offset)}},
                                 kSizeGone);
  }
}

void TForm1::d_RenameProducts(kdb::Database& db, qint64 id) {
  const QString scale = QString::number(id);
  kdb::Query& q = *DMDB->DBQueryRemote1;
  const TProductsRenameClass::Copies name{{"SIZESSCALE_NAME", savedName_}};
  // A renamed scale whose products all hold their sizes' names already (a
  // copy goes stale only when an older program renamed a size) is renamed
  // in one pass that checks the size names on the way: when it wrote every
  // product of the scale, nothing is left for the two statements below,
  // which would read every row again. That count holds only while no other
  // program can add a product meanwhile: SQLite's unit holds the database's
  // write lock from its start; PostgreSQL's does not, so it always runs both.
  if (renamed_ && !db.IsPostgres()) {
    const qint64 products = TProductsRenameClass::Count(q, TProductsRenameClass::CountStatement("SIZESSCALE_ID", scale));
    const int renamed = TProductsRenameClass::Run(
        q, TProductsRenameClass::CopyWhereCopiedStatement(name, "SIZE_NAME", "SIZES", "NAME", "SIZE_ID", "SIZESSCALE_ID",
                                                          scale));
    if (renamed == products) return;
  }
  TProductsRenameClass::Run(q, TProductsRenameClass::CopyStatement("SIZESSCALE_ID", scale, name));
  TProductsRenameClass::Run(
      q, TProductsRenameClass::CopyFromStatement("SIZE_NAME", "SIZES", "NAME", "SIZE_ID", "SIZESSCALE_ID", scale));
}

// ----- the printed list --------------------------------------------------------------------

bool TForm1::FillPrintGrid() {
  kdb::Query* scales = DMDB->DBQueryRemote1;
  kdb::Query* sizes = DMDB->DBQueryRemote2;
  if (!DMDB->RunQuery("SELECT ID, NAME FROM SIZESSCALE ORDER BY NAME", scales) ||
      !DMDB->RunQuery("SELECT SIZESSCALE_ID, NAME FROM SIZES ORDER BY SIZESSCALE_ID, \"offset\"", sizes))
    return false;
  // Two statements for the whole list, not one per scale.
  QMap<qint64, QStringList> names;
  for (sizes->First(); !sizes->Eof(); sizes->Next())
    names[sizes->FieldByName("SIZESSCALE_ID").AsInteger()] << sizes->FieldByName("NAME").AsString();
  int widest = 0;
  for (const QStringList& n : names) widest = qMax(widest, static_cast<int>(n.size()));
  StringGrid1->SetColCount(qMax(30, 2 + widest));
  StringGrid1->SetRowCount(scales->RecordCount());
  int row = 0;
  for (scales->First(); !scales->Eof(); scales->Next(), ++row) {
    const qint64 id = scales->FieldByName("ID").AsInteger();
    StringGrid1->SetRowTexts(row, QStringList{QString::number(id), scales->FieldByName("NAME").AsString()} + names.value(id));
  }
  return true;
}

std::unique_ptr<TQuickReport1> TForm1::CreatePrintForm() {
  std::vector<TPrintColumn> columns{{"ID:", "QRLabelID", 4, 40}, {"NAME:", "QRLabelName", 48, 150}};
  // Twenty columns across the landscape page, small enough for six characters.
  for (int i = 0; i < kPrintedSizes; ++i)
    columns.push_back({QString::number(i), "QRLabelSize" + QString::number(i), 200.0 + 31 * i, 31,
                       kr::Alignment::Center, 9});
  auto form = std::make_unique<TQuickReport1>(QPageLayout::Landscape, 80, columns);
  // A name of 30 characters takes two lines.
  form->ColumnLabel("QRLabelName")->WordWrap = true;
  form->ColumnLabel("QRLabelName")->Height = 30;
  form->QRBandDetail->Height = 34;
  return form;
}
