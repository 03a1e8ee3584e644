#include "KvShopTestSupport.h"

#include "SchemaClass.h"
#include "StarterDataClass.h"

namespace kvfwtest {

void Schema(kdb::Database& db) { kvschema::CreateSchema(db); }

DataChange StarterData(const DataChange& change) {
  return [change](kdb::Database& db) {
    kvschema::CreateSchema(db);
    kvschema::LoadStarterData(db);
    if (change) change(db);
  };
}

QString FixedUserId(kdb::Database& db) {
  kdb::Query q(&db);
  q.SQL = "SELECT ID FROM STAFF WHERE USERNAME = " + kdb::sql::Quote(kvschema::starter::kUserName);
  q.ExecSQL();
  return q.FieldByName("ID").AsString();
}

}  // namespace kvfwtest
