#pragma once
// A shop database for the programs' tests: the tables dbsetup creates, with
// or without its starter data, as fills for kvfwtest::EditionDbTest.
//
//   PrepareDatabase(kvfwtest::Schema);
//   PrepareDatabase(kvfwtest::StarterData([](kdb::Database& db) { db.Execute("DELETE FROM COMPANY"); }));
#include "KvFwTestSupport.h"

namespace kvfwtest {

// Every table, column and index of the shared database, no rows.
void Schema(kdb::Database& db);

// The schema and the starter data, then `change`.
DataChange StarterData(const DataChange& change = {});

// The staff id of the launcher's fixed log-in, read from the database itself.
QString FixedUserId(kdb::Database& db);

}  // namespace kvfwtest
