#include "StatisticsClass.h"

#include <algorithm>

#include "KvDb.h"

namespace kvschema {

namespace {

long long FirstNumber(kdb::Database& db, const QString& sql, long long none) {
  kdb::Query q(&db);
  q.SQL = sql;
  q.ExecSQL();
  const long long n = q.Eof() || q.Fields(0).IsNull() ? none : q.Fields(0).AsInteger();
  q.Close();
  return n;
}

bool SqliteHasStatTable(kdb::Database& db) {
  return FirstNumber(db, "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = 'sqlite_stat1'", 0) > 0;
}

}  // namespace

const QStringList& StatisticsTables() {
  static const QStringList tables = {"PRODUCTS", "BRANCHSTOCK", "PARAMETERS", "TRANSACTIONS", "ORDERS",
                                     "TRANSFERS", "RETURNS", "WRITEOFFS"};
  return tables;
}

long long RecordedRows(kdb::Database& db, const QString& table) {
  if (db.IsPostgres())
    // reltuples is -1 until the table was first analysed (or vacuumed).
    return FirstNumber(db,
                       "SELECT CAST(reltuples AS BIGINT) AS N FROM pg_class WHERE relkind = 'r'"
                       " AND relnamespace = CAST(current_schema() AS regnamespace) AND relname = " +
                           kdb::sql::Quote(table.toLower()),
                       -1);
  if (!SqliteHasStatTable(db)) return -1;
  // The first number of an index's entry is the number of rows it holds:
  // the table's row count, or fewer for a partial index.
  kdb::Query q(&db);
  q.SQL = "SELECT stat FROM sqlite_stat1 WHERE UPPER(tbl) = " + kdb::sql::Quote(table.toUpper());
  q.ExecSQL();
  long long n = -1;
  for (; !q.Eof(); q.Next()) n = std::max(n, q.Fields(0).AsString().section(' ', 0, 0).toLongLong());
  q.Close();
  return n;
}

long long ActualRows(kdb::Database& db, const QString& table) {
  return FirstNumber(db, "SELECT COUNT(*) AS N FROM " + table, 0);
}

QString StatisticsNeed(kdb::Database& db) {
  for (const QString& t : StatisticsTables()) {
    const long long actual = ActualRows(db, t);
    if (actual == 0) continue;
    const long long recorded = RecordedRows(db, t);
    if (recorded < 0) return "no statistics for " + t;
    if (actual > 2 * recorded || 2 * actual < recorded)
      return QString("statistics of %1 record %2 rows, it holds %3").arg(t).arg(recorded).arg(actual);
  }
  return {};
}

QString UpdateStatistics(kdb::Database& db, bool force) {
  QString why = StatisticsNeed(db);
  if (why.isEmpty() && force) {
    for (const QString& t : StatisticsTables())
      if (ActualRows(db, t) > 0) {
        why = "new indexes";
        break;
      }
  }
  if (why.isEmpty()) return {};
  db.Execute("ANALYZE");
  return why;
}

}  // namespace kvschema
