#pragma once
// The planner statistics of the shared database. Without them SQLite guesses
// every table's size and picks indexes badly on a large catalogue (reading
// the stock table in random order through the branch index, for one); the
// schema tool therefore gathers them whenever they are missing or no longer
// describe the tables, and after it created an index.

#include <QStringList>

namespace kdb {
class Database;
}

namespace kvschema {

// The tables whose size the statistics must know.
const QStringList& StatisticsTables();

// Rows the statistics record for a table: -1 when there are none.
long long RecordedRows(kdb::Database& db, const QString& table);
long long ActualRows(kdb::Database& db, const QString& table);

// Why statistics should be gathered now ("" when they need nothing): a table
// holding rows has none, or its recorded row count is off by more than half.
QString StatisticsNeed(kdb::Database& db);

// Gathers them (ANALYZE) when StatisticsNeed says so or `force` is set and
// the database holds rows. Returns the reason given, or "" when nothing ran.
QString UpdateStatistics(kdb::Database& db, bool force);

}  // namespace kvschema
