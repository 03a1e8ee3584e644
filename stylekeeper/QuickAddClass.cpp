#include "QuickAddClass.h"

#include <cstdlib>

#include "DMBRulesF.h"
#include "DataModF.h"
#include "KvTransaction.h"

int TQuickAddClass::AddEntry(const QString& type, const QString& name, const QString& parentName,
                             const QString& parentId, const std::function<void(int id)>& afterSave) {
  return Add(type, name, parentName, parentId, [] { return 0.0f; }, afterSave);
}

int TQuickAddClass::AddColour(const QString& name) {
  // Every value below 2^24 is exact in a float.
  return Add("COLOUR", name, QString(), QString(), [] { return static_cast<float>(RandomColour()); }, {});
}

int TQuickAddClass::Add(const QString& type, const QString& name, const QString& parentName, const QString& parentId,
                        const std::function<float()>& rate, const std::function<void(int id)>& afterSave) {
  kdb::Database& db = *DMDB->DBDatabaseRemote;
  // All or nothing: a default season that could not be set takes the new
  // season with it.
  kdb::Transaction tx(db, kdb::Transaction::AllOrNothing, kdb::TableLock{"PARAMETERS"});
  kdb::Query& q = *DMDB->DBQueryBRules;
  q.Close();
  q.SQL = "select id from parameters where name = " + kdb::sql::Quote(name) + " and type = " + kdb::sql::Quote(type) +
          " LIMIT 1";
  q.ExecSQL();
  if (q.RecordCount() > 0) throw Duplicate(name + " is already in the list.");
  int id = 0;
  if (!DMBRules->SaveParam(id, type, parentName, parentId, Currency(), rate(), name) || id == 0)
    throw kdb::DbError("The new entry " + name + " could not be written: " + DMDB->LastError);
  if (afterSave) afterSave(id);
  tx.Commit();
  return id;
}

quint32 TQuickAddClass::RandomColour() { return static_cast<quint32>(std::rand() % 16777215); }
