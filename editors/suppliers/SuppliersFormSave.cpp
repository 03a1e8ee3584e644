// TForm1: the checks before a save, the save of the supplier with its three
// address rows, the rename into PRODUCTS and the printed list.
//
// The save runs in the frame's one transaction: the supplier's row and its
// three address rows are written together or not at all, and a failure is
// reported, never shown as a save. An edit writes only the values the user
// changed and refuses one that another user changed since the load.
#include "SuppliersForm.h"

#include <QCheckBox>
#include <QHash>
#include <QPlainTextEdit>

#include "CodeListSaveClass.h"
#include "DataModF.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "ProductsRenameClass.h"
#include "SupplierEntryClass.h"

namespace {

constexpr const char* kDuplicate = "There is already a Supplier with the same name!";
constexpr const char* kNotANumber = "Please enter the mark up as a number!";
constexpr const char* kSupplierGone =
    "The supplier could not be found; another user may have removed it. Nothing has been saved.";

QString TrimLeading(const QString& text) {
  int i = 0;
  while (i < text.size() && text.at(i).isSpace()) ++i;
  return text.mid(i);
}

}  // namespace

// ----- the checks ----------------------------------------------------------------------------

bool TForm1::NameTaken(const QString& name) {
  QString sql = "SELECT ID FROM PARAMETERS WHERE TYPE='SUPPLIER' AND NAME = " + kdb::sql::Quote(name);
  if (Mode() == TCodeListModeClass::kEdit) sql += " AND ID <> " + kdb::sql::Int(CurrentID());
  return TCodeListSaveClass::Exists(*DMDB->DBQueryRemote1, sql);
}

bool TForm1::ValidateSupplier() {
  // Leading blanks go; trailing blanks stay part of the name.
  EditName->setText(TrimLeading(EditName->text()));
  if (EditName->text().isEmpty()) return Refuse("Please enter name!", EditName);
  if (NameTaken(EditName->text())) return Refuse(kDuplicate, EditName);
  return true;
}

bool TForm1::ValidateMarkup() {
  // The filter leaves a full-length text alone and lets a lone "." through;
  // neither is a number, and nothing is written with it.
  if (TSupplierEntryClass::IsMarkup(EditMarkup->text())) return true;
  ShowPage(TabSheetTerms);
  return Refuse(kNotANumber, EditMarkup);
}

bool TForm1::ValidateRecord() { return ValidateSupplier() && ValidateMarkup(); }

void TForm1::LockForSave(kdb::Database& db) {
  // The supplier's address rows are found or appended under the lock too.
  TCodeListFrameForm::LockForSave(db);
  TCodeListSaveClass::LockTable(db, "ADDRESSES");
}

void TForm1::CheckInSave(kdb::Database&) {
  // Again under the save's lock: a supplier of that name saved by another
  // user since ValidateSupplier ran is found here.
  if (NameTaken(EditName->text())) throw TCodeListRefusal(kDuplicate, EditName);
}

// ----- the rows --------------------------------------------------------------------------------

QVariant TForm1::AllowPaymentsValue() const {
  if (Mode() == TCodeListModeClass::kEdit && CheckBoxAllowPayments->isChecked() == loadedAllow_)
    return Baseline.Value("RATE");
  return CheckBoxAllowPayments->isChecked() ? 1 : 0;
}

TSupplierAddressClass::RowValues TForm1::AddressValues() const {
  TSupplierAddressClass::RowValues rows;
  for (const Field& f : fields_) {
    const QString text = TextOf(f.box);
    QVariant value;
    // A box that still shows what was loaded stands for the stored value:
    // the mark-up shown as "0.00" for none, a name shown in capitals, a lead
    // time left empty are no change of the user's.
    if (const auto loaded = loadedTexts_.constFind(f.box); loaded != loadedTexts_.cend() && *loaded == text)
      value = addresses_.Value(f.kind, f.column);
    else if (f.column == "MARKUP")
      value = TSupplierEntryClass::MarkupValue(text);
    else if (f.column == "LEADTIME")
      value = TSupplierEntryClass::LeadTimeValue(text);
    else
      value = text;
    rows[size_t(f.kind)].emplace_back(f.column, value);
  }
  return rows;
}

qint64 TForm1::d_WriteRecord(kdb::Database&) {
  const bool adding = ModeState().Adding();
  qint64 id = 0;
  if (!adding) {
    // Id 0 would write a new row: an edited supplier must name its own.
    bool ok = false;
    id = CurrentID().toLongLong(&ok);
    if (!ok || id <= 0) throw kdb::DbError("No supplier is loaded.");
  }
  kdb::EditBaseline::Values values{{"NAME", EditName->text()}, {"RATE", AllowPaymentsValue()}};
  if (adding) values.emplace_back("TYPE", "SUPPLIER");
  kdb::Table& table = *DMDB->DBTableR1;
  id = TCodeListSaveClass::WriteRow(table, "PARAMETERS", id, Baseline, values, kSupplierGone);
  // The name the row holds now: the products copy the row, not the window.
  savedName_ = table.FieldByName("NAME").AsString();
  UpdateSupplierAddresses(id);
  return id;
}

void TForm1::UpdateSupplierAddresses(qint64 id) {
  addresses_.Write(*DMDB->DBQueryRemote2, *DMDB->DBTableRemote2, id, AddressValues());
}

void TForm1::d_RenameProducts(kdb::Database&, qint64 id) {
  TProductsRenameClass::Run(*DMDB->DBQueryRemote1,
                            TProductsRenameClass::CopyStatement("SUPPLIER_ID", QString::number(id),
                                                                {{"SUPPLIER_NAME", savedName_}}));
}

// ----- the printed list --------------------------------------------------------------------

bool TForm1::FillPrintGrid() {
  kdb::Query* suppliers = DMDB->DBQueryRemote1;
  kdb::Query* addresses = DMDB->DBQueryRemote2;
  // Two statements for the whole list: the suppliers, then the main and agent
  // rows of all of them (the first of each TYPE counts, as on screen).
  if (!DMDB->RunQuery("SELECT ID, NAME FROM PARAMETERS WHERE TYPE ='SUPPLIER' ORDER BY NAME", suppliers) ||
      !DMDB->RunQuery("SELECT PARENT_ID, TYPE, HOUSE_NO_NAME, STREET, AREA, TOWN_CITY, COUNTY, POSTCODE, "
                      "TELEPHONE, FAX, MARKUP, LEADTIME, AGENT_FIRST_NAME, AGENT_SURNAME, AGENT_TELEPHONE "
                      "FROM ADDRESSES WHERE TYPE IN ('SUPPLIER', 'SUPPLIER AGENT') ORDER BY ID",
                      addresses))
    return false;
  QHash<qint64, QStringList> main, agent;
  for (addresses->First(); !addresses->Eof(); addresses->Next()) {
    const qint64 parent = addresses->FieldByName("PARENT_ID").AsInteger();
    const auto text = [&](const char* column) { return addresses->FieldByName(column).AsString(); };
    if (text("TYPE") == "SUPPLIER" && !main.contains(parent)) {
      QStringList parts;
      for (const char* c : {"HOUSE_NO_NAME", "STREET", "AREA", "TOWN_CITY", "COUNTY"})
        if (!text(c).isEmpty()) parts << text(c);
      main.insert(parent, {parts.join(' '), text("POSTCODE"), text("TELEPHONE"), text("FAX"), text("MARKUP"),
                           text("LEADTIME")});
    } else if (text("TYPE") == "SUPPLIER AGENT" && !agent.contains(parent)) {
      agent.insert(parent, {(text("AGENT_FIRST_NAME") + " " + text("AGENT_SURNAME")).trimmed(),
                            text("AGENT_TELEPHONE")});
    }
  }
  StringGrid1->SetColCount(10);
  StringGrid1->SetRowCount(suppliers->RecordCount());
  int row = 0;
  for (suppliers->First(); !suppliers->Eof(); suppliers->Next(), ++row) {
    const qint64 id = suppliers->FieldByName("ID").AsInteger();
    // Missing rows print empty columns.
    const QStringList m = main.value(id, QStringList(6));
    const QStringList a = agent.value(id, QStringList(2));
    StringGrid1->SetRowTexts(row, {QString::number(id), suppliers->FieldByName("NAME").AsString(), m[0], m[1], m[2],
                                   m[3], a[0], a[1], m[4], m[5]});
  }
  return true;
}

std::unique_ptr<TQuickReport1> TForm1::CreatePrintForm() {
  // Ten columns across the landscape page; a text longer than its column is
  // cut at a word rather than printed over the next one.
  constexpr kr::Alignment kLeft = kr::Alignment::Left;
  const std::vector<TPrintColumn> columns{{"ID:", "QRLabelID", 4, 30, kLeft, 11},
                                          {"NAME:", "QRLabelName", 37, 150, kLeft, 11},
                                          {"ADDRESS:", "QRLabelAddress", 190, 212, kLeft, 11},
                                          {"POST CODE:", "QRLabelPostcode", 405, 90, kLeft, 11},
                                          {"TELEPHONE:", "QRLabelTelephone", 498, 92, kLeft, 11},
                                          {"FAX:", "QRLabelFax", 593, 92, kLeft, 11},
                                          {"AGENT:", "QRLabelAgent", 688, 110, kLeft, 11},
                                          {"AGENT TEL.:", "QRLabelAgentTelephone", 801, 88, kLeft, 11},
                                          {"MARKUP:", "QRLabelMarkup", 892, 66, kLeft, 11},
                                          {"LEAD TIME:", "QRLabelLeadTime", 961, 80, kLeft, 11}};
  auto form = std::make_unique<TQuickReport1>(QPageLayout::Landscape, 100, columns);
  for (const TPrintColumn& c : columns) form->ColumnLabel(c.label)->WordWrap = true;
  // An address takes two lines.
  form->ColumnLabel("QRLabelAddress")->Height = 30;
  form->QRBandDetail->Height = 36;
  return form;
}
