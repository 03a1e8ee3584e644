#include "ParamMultiAddClass.h"

#include "CodeListSaveClass.h"
#include "DataModF.h"
#include "KvTransaction.h"
#include "Utils.h"

QStringList TParamMultiAddClass::Entries(const QStringList& lines) {
  QStringList entries;
  for (const QString& line : lines)
    for (const QString& piece : kos::SplitEntries(line))
      if (!piece.isEmpty()) entries << piece;
  return entries;
}

QStringList TParamMultiAddClass::TooLong(const QStringList& entries, int length) {
  QStringList longer;
  for (const QString& e : entries)
    if (e.size() > length) longer << e;
  return longer;
}

TParamMultiAddClass::Result TParamMultiAddClass::Save(kdb::Database& db, const QStringList& entries,
                                                      const Exists& exists, const Write& write,
                                                      const QString& where) {
  Result r;
  kdb::Transaction tx(db);
  TCodeListSaveClass::LockTable(db, "PARAMETERS");
  for (const QString& entry : entries) {
    const QString name = entry.trimmed();
    if (name.isEmpty()) {
      ++r.skipped;
      continue;
    }
    // One entry's failure undoes that entry only.
    kdb::Transaction one(db);
    try {
      if (exists(name)) {
        ++r.skipped;
        continue;
      }
      write(name);
      one.Commit();
      ++r.saved;
    } catch (const std::exception& e) {
      one.Rollback();
      if (DMDB) DMDB->LogException(e, where);
      ++r.failed;
    }
  }
  tx.Commit();
  return r;
}

QString TParamMultiAddClass::FailedMessage(const Result& result) {
  if (result.failed == 0) return {};
  const QString entries = result.failed == 1 ? "1 entry has" : QString::number(result.failed) + " entries have";
  return "Error: " + entries + " not been saved. The others have been saved.";
}
