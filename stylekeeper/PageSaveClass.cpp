#include "PageSaveClass.h"

#include "DataModF.h"
#include "KvDb.h"
#include "KvTransaction.h"

namespace {

constexpr char kSavepoint[] = "sk_page_row";

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
    kdb::Transaction unit(db_);
    for (const QString& table : LockTables) LockTable(db_, table);
    if (prepare) prepare();
    for (int i = 0; i < rows; ++i) {
      ++outcome.rows;
      db_.Execute(QStringLiteral("SAVEPOINT ") + kSavepoint);
      try {
        row(i);
        db_.Execute(QStringLiteral("RELEASE SAVEPOINT ") + kSavepoint);
      } catch (const std::exception& e) {
        try {
          db_.Execute(QStringLiteral("ROLLBACK TO SAVEPOINT %1; RELEASE SAVEPOINT %1").arg(kSavepoint));
        } catch (const kdb::DbError&) {
          // The connection is gone: the unit is lost anyway and its
          // rollback below says nothing more.
        }
        ++outcome.failed;
        fail(e);
      }
    }
    if (outcome.failed == 0) unit.Commit();
  } catch (const std::exception& e) {
    // Before the rows (a lock, the look-ups) or the commit: nothing stays.
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

void TPageSaveClass::LockTable(kdb::Database& db, const QString& table) {
  // Other sessions still read; writers of the table wait for this unit.
  if (db.IsPostgres()) db.Execute("LOCK TABLE " + table + " IN SHARE ROW EXCLUSIVE MODE");
}
