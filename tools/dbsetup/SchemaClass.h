#pragma once
// The layout of the shared database and the code that makes a database match
// it. The programs never create tables: this is the one place where tables,
// columns and indexes are made, on SQLite and PostgreSQL alike.
//
// CreateSchema only adds what is missing (tables, columns, indexes) and gives
// a column of an older layout that was INTEGER where fractions belong
// (SIZES.RATIO) its fractional type, keeping every value; it never drops a
// column or a row, so it is safe on a live database.

#include <QMap>
#include <QString>
#include <QStringList>

#include <vector>

namespace kdb {
class Database;
}

namespace kvschema {

// How a column is used; the DDL type per engine follows from it.
enum class Kind {
  Id,        // auto-increment INTEGER primary key
  Integer,   // ids of other rows, counts, quantities
  Money,     // NUMERIC(19,4)
  Float,     // DOUBLE PRECISION
  Flag,      // BOOLEAN
  Stamp,     // TIMESTAMP
  Text,      // VARCHAR(length), or TEXT when length is 0; byte-order collation
};

struct ColumnDef {
  QString name;        // upper case, except "offset" (created quoted)
  Kind kind = Kind::Text;
  int length = 0;      // Text only
  bool notNull = false;
  QString defaultValue;  // SQL literal, empty for none
};

struct TableDef {
  QString name;
  std::vector<ColumnDef> columns;
  const ColumnDef* Find(const QString& column) const;  // ignores case
};

struct IndexDef {
  QString name;
  QString table;
  QStringList columns;  // columns, or expressions in upper case ("UPPER(SKU)")
  bool unique = false;
  QString where;        // the rows a partial index holds ("" every row)
};

// Every table the programs read or write, in creation order.
const std::vector<TableDef>& Tables();
const TableDef* FindTable(const QString& name);  // ignores case
// Unique indexes that keep the data sound and the indexes searches need.
const std::vector<IndexDef>& Indexes();

// A column name as it must stand in a statement ("offset" quoted).
QString Ident(const QString& name);
// The column's definition for CREATE TABLE on the engine of db.
QString ColumnSql(const ColumnDef& c, bool postgres);

// The statements that create a table or an index when it does not exist.
QString CreateTableSql(const TableDef& t, bool postgres);
QString CreateIndexSql(const IndexDef& ix);

// What CreateSchema did; empty when the database already matched.
struct SchemaChanges {
  QStringList tables;   // "PRODUCTS"
  QStringList columns;  // "PRODUCTS.SKU"
  QStringList indexes;  // "UX_PRODUCTS_PLU"
  QStringList retyped;  // "SIZES.RATIO"
  bool Empty() const { return tables.isEmpty() && columns.isEmpty() && indexes.isEmpty() && retyped.isEmpty(); }
  QStringList Lines() const;  // one readable line per change
};

// Creates whatever table, column or index is missing, in one transaction.
// Throws kdb::DbError (e.g. a unique index over rows that already repeat a
// key); the database is then left as it was.
SchemaChanges CreateSchema(kdb::Database& db);

// What the database holds now (names upper case).
QStringList ExistingTables(kdb::Database& db);
QStringList ExistingColumns(kdb::Database& db, const QString& table);
QStringList ExistingIndexes(kdb::Database& db);
// Column name -> declared type, both upper case ("INTEGER", "DOUBLE PRECISION").
QMap<QString, QString> ExistingColumnTypes(kdb::Database& db, const QString& table);

// PostgreSQL only (a no-op on SQLite): moves each table's id counter past
// the highest ID, so rows inserted with explicit IDs do not make the next
// automatic ID collide.
void SyncIdCounters(kdb::Database& db);

}  // namespace kvschema
