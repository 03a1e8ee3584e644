#pragma once
// The starter data of a new shop: what a newcomer needs to add a first style
// straight away (company, branches, the launcher's staff user with the
// "Edit Stock" right, every code list with its defaults, size scales, a few
// suppliers with their addresses). No products and no stock.

#include <QString>
#include <QStringList>

namespace kdb {
class Database;
}

namespace kvschema {

// Fixed facts of the starter data that programs and tests rely on.
namespace starter {
inline const QString kUserName = "1";        // the launcher's fixed log-in
inline const QString kPassword = "8264";
inline constexpr int kUserLevel = 9;         // has "Edit Stock"
inline constexpr int kAssistantLevel = 1;    // user "2": no rights
inline const QString kEditStock = "Edit Stock";
inline constexpr int kFirstBranchId = 1;
}  // namespace starter

struct StarterResult {
  bool loaded = false;  // false: the database already held data, nothing written
  QStringList lines;    // what was loaded, one line per table
};

// True when none of the tables that the starter data fills holds a row.
bool IsEmptyDatabase(kdb::Database& db);

// Loads the starter data into an empty database, in one transaction; on a
// database that already holds data it writes nothing. The tables must exist
// (CreateSchema). Throws kdb::DbError; the database is then left as it was.
StarterResult LoadStarterData(kdb::Database& db);

}  // namespace kvschema
