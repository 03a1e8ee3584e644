#include "ProductsRenameClass.h"

#include <QStringList>

#include "DataModF.h"
#include "KvDb.h"

namespace {

QString Literal(const QVariant& value) {
  switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
      return kdb::sql::Int(value.toLongLong());
    default:
      return kdb::sql::Quote(value.toString());
  }
}

}  // namespace

QString TProductsRenameClass::CopyStatement(const QString& idColumn, const QString& id, const Copies& copies) {
  QStringList sets, differs;
  for (const auto& [column, value] : copies) {
    const QString v = Literal(value);
    sets << column + " = " + v;
    differs << column + " IS NULL OR " + column + " <> " + v;
  }
  return "UPDATE PRODUCTS SET " + sets.join(", ") + " WHERE " + idColumn + " = " + kdb::sql::Int(id) + " AND (" +
         differs.join(" OR ") + ")";
}

QString TProductsRenameClass::CopyFromStatement(const QString& column, const QString& sourceTable,
                                                const QString& sourceColumn, const QString& keyColumn,
                                                const QString& scopeColumn, const QString& scopeId) {
  const QString scope = kdb::sql::Int(scopeId);
  const QString target = "PRODUCTS." + column;
  return "UPDATE PRODUCTS SET " + column + " = S." + sourceColumn + " FROM " + sourceTable + " S WHERE S.ID = PRODUCTS." +
         keyColumn + " AND S." + scopeColumn + " = " + scope + " AND PRODUCTS." + scopeColumn + " = " + scope +
         " AND (" + target + " IS NULL OR " + target + " <> S." + sourceColumn + ")";
}

QString TProductsRenameClass::CopyWhereCopiedStatement(const Copies& copies, const QString& column,
                                                       const QString& sourceTable, const QString& sourceColumn,
                                                       const QString& keyColumn, const QString& scopeColumn,
                                                       const QString& scopeId) {
  const QString scope = kdb::sql::Int(scopeId);
  return CopyStatement(scopeColumn, scope, copies) + " AND PRODUCTS." + column + " = (SELECT S." + sourceColumn +
         " FROM " + sourceTable + " S WHERE S.ID = PRODUCTS." + keyColumn + " AND S." + scopeColumn + " = " + scope +
         ")";
}

QString TProductsRenameClass::CountStatement(const QString& scopeColumn, const QString& scopeId) {
  return "SELECT COUNT(*) AS N FROM PRODUCTS WHERE " + scopeColumn + " = " + kdb::sql::Int(scopeId);
}

qint64 TProductsRenameClass::Count(kdb::Query& query, const QString& statement) {
  if (!DMDB->RunQuery(statement, &query) || query.Eof())
    throw kdb::DbError("The products could not be counted: " + DMDB->LastError);
  return query.FieldByName("N").AsInteger();
}

int TProductsRenameClass::Run(kdb::Query& query, const QString& statement) {
  if (!DMDB->RunQuery(statement, &query)) throw kdb::DbError("The names in the products could not be updated: " + DMDB->LastError);
  return query.RowsAffected();
}
