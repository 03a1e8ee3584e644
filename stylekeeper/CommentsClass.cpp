#include "CommentsClass.h"

#include <QStringList>

#include "KvTransaction.h"

void TCommentsClass::Load(kdb::Query& query, const QString& rootPLU) {
  query.Close();
  query.SQL = "select plu, pos_comments, comments from products where root_plu = " + kdb::sql::Quote(rootPLU) +
              " order by plu LIMIT 1";
  query.ExecSQL();
  const bool found = query.RecordCount() > 0;
  rootPLU_ = rootPLU;
  plu_ = found ? query.FieldByName("plu").AsString() : QString();
  Web = found ? query.FieldByName("comments").AsString() : QString();
  POS = found ? query.FieldByName("pos_comments").AsString() : QString();
  baseline_.Clear();
  baseline_.Set(kWebColumn, Web);
  baseline_.Set(kPOSColumn, POS);
  baseline_.SetCaption(kWebColumn, kWebCaption);
  baseline_.SetCaption(kPOSColumn, kPOSCaption);
}

int TCommentsClass::Save(kdb::Database& db, kdb::Table& table, kdb::Query& query, Scope scope, const QString& web,
                         const QString& pos) {
  if (plu_.isEmpty()) throw kdb::DbError("Root PLU " + rootPLU_ + " has no product rows to hold comments.");
  kdb::Transaction tx(db, kdb::Transaction::AllOrNothing);
  if (!table.Active() || table.TableName.compare("PRODUCTS", Qt::CaseInsensitive) != 0) {
    table.Close();
    table.TableName = "PRODUCTS";
    table.Open();
  }
  if (!table.FindKey({plu_}))
    throw kdb::DbError("Root PLU " + rootPLU_ + " was deleted by another user; the comments were not saved.");
  // The loaded row, read again under its lock: what another user wrote since
  // it was loaded is seen here.
  table.Edit();
  const kdb::EditBaseline::Values shown = {{kWebColumn, web}, {kPOSColumn, pos}};
  const kdb::EditBaseline::Values toWrite = scope == Scope::Colour ? baseline_.Changed(table, shown) : shown;
  for (const auto& [column, value] : toWrite) {
    const kdb::Field& stored = table.FieldByName(column);
    if (!kdb::EditBaseline::Same(stored.Value(), baseline_.Value(column), stored.DataType(), column)) {
      table.Cancel();
      throw kdb::EditConflict(column, baseline_.Caption(column));
    }
  }
  table.Cancel();
  if (toWrite.empty()) return 0;

  QStringList sets;
  for (const auto& [column, value] : toWrite) sets << column + " = " + kdb::sql::Quote(value.toString());
  const QString rows = scope == Scope::Colour
                           ? "ROOT_PLU = " + kdb::sql::Quote(rootPLU_)
                           : "STYLE IN (SELECT STYLE FROM PRODUCTS WHERE ROOT_PLU = " + kdb::sql::Quote(rootPLU_) + ")";
  query.Close();
  query.SQL = "UPDATE PRODUCTS SET " + sets.join(", ") + " WHERE " + rows;
  query.ExecSQL();
  const int written = query.RowsAffected();
  tx.Commit();
  for (const auto& [column, value] : toWrite) baseline_.Set(column, value);
  Web = web;
  POS = pos;
  return written;
}
