#include "CodeListSaveClass.h"

#include "KvDb.h"

void TCodeListSaveClass::LockTable(kdb::Database& db, const QString& table) {
  if (db.IsPostgres()) db.Execute("LOCK TABLE " + table + " IN SHARE ROW EXCLUSIVE MODE");
}

bool TCodeListSaveClass::Exists(kdb::Query& query, const QString& select) {
  query.Close();
  query.SQL = select;
  query.ExecSQL();
  return query.RecordCount() > 0;
}

qint64 TCodeListSaveClass::WriteRow(kdb::Table& table, const QString& tableName, qint64 id,
                                    kdb::EditBaseline& baseline, const kdb::EditBaseline::Values& values,
                                    const QString& goneMessage) {
  if (!table.Active() || table.TableName.compare(tableName, Qt::CaseInsensitive) != 0) {
    table.Close();
    table.TableName = tableName;
    table.Open();
  }
  try {
    if (id == 0) {
      table.Append();
      for (const auto& [field, value] : values) table.FieldByName(field).SetValue(value);
      table.Post();
      return table.FieldByName("ID").AsInteger();
    }
    if (!table.FindKey({id})) throw TCodeListRefusal(goneMessage);
    table.Edit();
    if (baseline.Apply(table, values) > 0)
      table.Post();
    else
      table.Cancel();
    return id;
  } catch (...) {
    table.Cancel();
    throw;
  }
}
