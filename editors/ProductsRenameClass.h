#pragma once
// The copies of a code-list entry that PRODUCTS keeps (its name, a colour's
// display value, a size's name) rewritten after the entry was saved.
//
// Each copy is one set-based UPDATE over the entry's rows (or, for a renamed
// scale, one for both of its copies while they need nothing else), run inside
// the save's transaction, so a catalogue of a million rows is rewritten by the
// database in one statement and the copies change together with the entry
// or not at all. A row whose copy already holds the value is left alone:
// saving an unchanged name writes nothing, while a copy that went stale
// meanwhile is put right by the next save of its entry.
//
//   TProductsRenameClass::Run(*DMDB->DBQueryRemote1,
//       TProductsRenameClass::CopyStatement("SUPPLIER_ID", id, {{"SUPPLIER_NAME", name}}));
#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

namespace kdb {
class Query;
}

class TProductsRenameClass {
 public:
  // Column and value; a value is text (quoted) or a whole number.
  using Copies = std::vector<std::pair<QString, QVariant>>;

  // "UPDATE PRODUCTS SET c = v, ... WHERE idColumn = id AND (c IS NULL OR c <> v OR ...)".
  // Throws kdb::DbError when id is no whole number.
  static QString CopyStatement(const QString& idColumn, const QString& id, const Copies& copies);

  // The copy of a column of rows of another table, found by the products'
  // key column, for every product of a scope (the sizes of one scale):
  // "UPDATE PRODUCTS SET column = S.sourceColumn FROM sourceTable S
  //  WHERE S.ID = PRODUCTS.keyColumn AND S.scopeColumn = scopeId
  //  AND PRODUCTS.scopeColumn = scopeId AND (PRODUCTS.column IS NULL OR PRODUCTS.column <> S.sourceColumn)".
  static QString CopyFromStatement(const QString& column, const QString& sourceTable, const QString& sourceColumn,
                                   const QString& keyColumn, const QString& scopeColumn, const QString& scopeId);

  // CopyStatement(scopeColumn, scopeId, copies) on the rows whose copy of
  // CopyFromStatement's column is right already (equal to the source row's,
  // found in the scope). One pass renames the rows that need nothing else; a
  // row it leaves (a copy gone stale, no source row) needs both statements.
  static QString CopyWhereCopiedStatement(const Copies& copies, const QString& column, const QString& sourceTable,
                                          const QString& sourceColumn, const QString& keyColumn,
                                          const QString& scopeColumn, const QString& scopeId);

  // The number of products of a scope: "SELECT COUNT(*) AS N FROM PRODUCTS WHERE scopeColumn = scopeId".
  static QString CountStatement(const QString& scopeColumn, const QString& scopeId);

  // Runs a statement on the query's database (inside the caller's
  // transaction) and returns the number of rows it changed. Failures are
  // logged with the statement and thrown as kdb::DbError.
  static int Run(kdb::Query& query, const QString& statement);
  // Runs CountStatement's kind of statement and returns its N. Throws as Run.
  static qint64 Count(kdb::Query& query, const QString& statement);
};
