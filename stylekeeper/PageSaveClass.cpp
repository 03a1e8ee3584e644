#include "PageSaveClass.h"

#include "DataModF.h"
#include "KvDb.h"
#include "KvTransaction.h"

namespace {

// Undoes a pending change of the table after a failed write; the table may
// be the reason the write failed, so its own failure is dropped.
void CancelQuietly(kdb::Table& table) {
  try {
    table.Cancel();
  } catch (...) {
  }
}

QString TextOf(const std::exception& e) { return TDMDB::ExceptionMessage(e); }

}  // namespace

TPageSaveClass::Outcome TPageSaveClass::Run(int rows, const std::function<void(int)>& row,
                                            const std::function<void()>& prepare) {
  Outcome outcome;
  const auto fail = [&](const std::exception& e) {
    if (DMDB) DMDB->LogException(e, where_);
    if (outcome.error.isEmpty()) outcome.error = TextOf(e);
  };
  try {
    kdb::Transaction unit(db_, kdb::Transaction::Partial,
                          kdb::TableLock{LockTables.isEmpty() ? QString() : LockTables.front()});
    for (qsizetype i = 1; i < LockTables.size(); ++i) db_.LockTable(LockTables[i]);
    if (prepare) prepare();
    for (int i = 0; i < rows; ++i) {
      ++outcome.rows;
      // Every statement of a partial unit runs under a savepoint of its own,
      // so a failed row leaves the unit usable and the next one goes on; a
      // row writes one row at most, and a unit with a failed row is rolled
      // back whole.
      try {
        row(i);
      } catch (const std::exception& e) {
        ++outcome.failed;
        fail(e);
      }
    }
    if (outcome.failed == 0) unit.Commit();
  } catch (const std::exception& e) {
    // A lock, the look-ups before the rows, or the commit: nothing stays.
    fail(e);
  }
  return outcome;
}

QString TPageSaveClass::FailureText(const QString& what, const Outcome& outcome) {
  QString text = what + " were not saved";
  if (outcome.failed > 0)
    text += QStringLiteral(": %1 of %2 rows could not be written.").arg(outcome.failed).arg(outcome.rows);
  else
    text += ".";
  return text + "\n\n" + outcome.error + "\n\nNothing was written.";
}

bool TPageSaveClass::EditRow(kdb::Table& table, const QVariant& key, kdb::EditBaseline& base, const Values& shown,
                             const QString& rowName) {
  if (base.Changed(table, shown).empty()) return false;
  if (!table.FindKey({key})) throw kdb::DbError(rowName + " no longer exists: another user has removed it.");
  table.Edit();  // the row read again under its lock
  try {
    if (base.Apply(table, shown) == 0) {
      table.Cancel();
      return false;
    }
    table.Post();
    return true;
  } catch (...) {
    CancelQuietly(table);
    throw;
  }
}

void TPageSaveClass::InsertRow(kdb::Table& table, kdb::EditBaseline& base, const Values& values) {
  table.Insert();
  try {
    for (const auto& [field, value] : values) table.FieldByName(field).SetValue(value);
    table.Post();
  } catch (...) {
    CancelQuietly(table);
    throw;
  }
  for (const auto& [field, value] : values) base.Set(field, value);
}

bool TPageSaveClass::UpsertKeyedRow(kdb::Table& table, std::optional<qint64> idNow, KeptRow& kept,
                                    const Values& changed, const Values& all, const QString& rowName) {
  if (idNow) {
    kept.key = *idNow;
    return EditRow(table, *idNow, kept.base, changed, rowName);
  }
  if (kept.key.isValid() && changed.empty()) return false;
  InsertRow(table, kept.base, all);
  kept.key = table.FieldByName("ID").AsInteger();
  return true;
}

QHash<QString, qint64> TPageSaveClass::FirstIdByKey(kdb::DataSet& rows, const QString& keyColumn) {
  QHash<QString, qint64> ids;
  for (rows.First(); !rows.Eof(); rows.Next()) {
    const QString key = rows.FieldByName(keyColumn).AsString();
    if (!ids.contains(key)) ids.insert(key, rows.FieldByName("id").AsInteger());
  }
  return ids;
}
