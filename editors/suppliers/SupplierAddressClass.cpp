#include "SupplierAddressClass.h"

#include "CodeListSaveClass.h"
#include "DataModF.h"
#include "KvDb.h"

namespace {

const QStringList kAddressColumns = {"HOUSE_NO_NAME", "STREET", "AREA", "TOWN_CITY", "COUNTY",
                                     "POSTCODE",      "TELEPHONE", "FAX", "EMAIL", "WEBSITE"};
const QStringList kAgentColumns = {"AGENT_FIRST_NAME", "AGENT_SURNAME", "AGENT_TELEPHONE", "AGENT_FAX",
                                   "AGENT_EMAIL"};
constexpr const char* kRowGone =
    "An address of the supplier could not be found; another user may have removed it. Nothing has been saved.";

int KindOfType(const QString& type) {
  for (int k = 0; k < TSupplierAddressClass::kKinds; ++k)
    if (TSupplierAddressClass::Type(k) == type) return k;
  return -1;
}

QString TypeList() {
  QStringList types;
  for (int k = 0; k < TSupplierAddressClass::kKinds; ++k) types << kdb::sql::Quote(TSupplierAddressClass::Type(k));
  return types.join(", ");
}

}  // namespace

QString TSupplierAddressClass::Type(int kind) {
  switch (kind) {
    case Main: return "SUPPLIER";
    case Agent: return "SUPPLIER AGENT";
    default: return "SUPPLIER RETURN";
  }
}

QStringList TSupplierAddressClass::Columns(int kind) {
  switch (kind) {
    case Main: return kAddressColumns + QStringList{"MARKUP", "LEADTIME", "TERMS"};
    case Agent: return kAgentColumns;
    default: return kAddressColumns;
  }
}

void TSupplierAddressClass::Clear() {
  for (kdb::EditBaseline& row : rows_) row.Clear();
  found_.fill(false);
}

void TSupplierAddressClass::Load(kdb::Query& query, qint64 supplierId) {
  Clear();
  QStringList columns = kAddressColumns + kAgentColumns + QStringList{"MARKUP", "LEADTIME", "TERMS"};
  const QString sql = "SELECT ID, TYPE, " + columns.join(", ") + " FROM ADDRESSES WHERE PARENT_ID = " +
                      kdb::sql::Int(supplierId) + " AND TYPE IN (" + TypeList() + ") ORDER BY ID";
  if (!DMDB->RunQuery(sql, &query)) throw kdb::DbError("The addresses of the supplier could not be read.");
  for (query.First(); !query.Eof(); query.Next()) {
    const int kind = KindOfType(query.FieldByName("TYPE").AsString());
    if (kind < 0 || found_[size_t(kind)]) continue;
    found_[size_t(kind)] = true;
    rows_[size_t(kind)].Capture(query, Columns(kind));
  }
  // A row that is not there is empty: a row another user adds meanwhile is
  // then checked field by field like any other change.
  for (int kind = 0; kind < kKinds; ++kind)
    if (!found_[size_t(kind)])
      for (const QString& column : Columns(kind)) rows_[size_t(kind)].Set(column, QVariant());
}

QVariant TSupplierAddressClass::Value(int kind, const QString& column) const {
  return rows_[size_t(kind)].Value(column);
}

void TSupplierAddressClass::SetCaption(int kind, const QString& column, const QString& caption) {
  rows_[size_t(kind)].SetCaption(column, caption);
}

qint64 TSupplierAddressClass::FindAddressRow(kdb::Query& query, qint64 supplierId, int kind) {
  const QString sql = "SELECT ID FROM ADDRESSES WHERE PARENT_ID = " + kdb::sql::Int(supplierId) +
                      " AND TYPE = " + kdb::sql::Quote(Type(kind)) + " ORDER BY ID LIMIT 1";
  if (!DMDB->RunQuery(sql, &query)) throw kdb::DbError("The addresses of the supplier could not be read.");
  return query.RecordCount() > 0 ? query.FieldByName("ID").AsInteger() : 0;
}

void TSupplierAddressClass::Write(kdb::Query& query, kdb::Table& table, qint64 supplierId,
                                  const RowValues& values) const {
  for (int kind = 0; kind < kKinds; ++kind) {
    // A copy: the loaded values must survive a save that is rolled back.
    kdb::EditBaseline loaded = rows_[size_t(kind)];
    const qint64 id = FindAddressRow(query, supplierId, kind);
    kdb::EditBaseline::Values row = values[size_t(kind)];
    if (id == 0) {
      row.emplace_back("PARENT_ID", supplierId);
      row.emplace_back("TYPE", Type(kind));
      loaded = kdb::EditBaseline();
    }
    TCodeListSaveClass::WriteRow(table, "ADDRESSES", id, loaded, row, kRowGone);
  }
}
