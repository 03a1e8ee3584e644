#pragma once
// The Apply of a style editor page that writes several rows (external codes,
// per-PLU prices, options, charges, the wholesale pack): one unit of work.
//
//   TPageSaveClass save(*DMDB->DBDatabaseRemote, "TForm1::SpButApplyPricesClick");
//   const auto outcome = save.Run(rows, [&](int i) { ...write row i...; });
//   if (!outcome.Saved()) DMDB->ShowMessage(TPageSaveClass::FailureText("The prices", outcome));
//
// Every row is tried, also after one failed, so the user learns how many
// fail; each failure is logged under the handler's name. (The unit is a
// partial one: each statement runs under a savepoint of its own, so a failed
// statement does not spoil it, as the server would otherwise refuse every
// later one.) The unit commits only when every row went through;
// otherwise it rolls back and nothing is written, so a page is never left
// half saved.
//
// Rows are written by the lost-update rule: a window remembers what it loaded
// of each row (kdb::EditBaseline) and writes only the values the user
// changed, refusing a value another session changed since the load
// (EditRow, InsertRow).
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>
#include <utility>

#include "KvEditBaseline.h"

namespace kdb {
class DataSet;
class Database;
class Table;
}  // namespace kdb

class TPageSaveClass {
 public:
  struct Outcome {
    int rows = 0;    // rows tried
    int failed = 0;  // rows that could not be written
    QString error;   // the first failure's text; empty when the unit committed
    bool Saved() const { return error.isEmpty(); }
  };

  // What a page keeps of one row it loaded: the stored values (the
  // baseline) and the texts its cells showed, by column. A cell still
  // showing its loaded text stands for the stored value, so a save writes
  // only what the user changed (a price stored as 12.3456 and shown as
  // "12.35" is not rounded by a save that did not touch it).
  struct KeptRow {
    kdb::EditBaseline base;
    QStringList texts;
    QVariant key;  // the row's key in its table; null when it had no row
    bool Changed(int col, const QString& text) const { return texts.value(col) != text; }
  };

  TPageSaveClass(kdb::Database& db, QString where) : db_(db), where_(std::move(where)) {}

  // Tables other programs may add rows to while the page is open, with no
  // unique index to keep one row per key: locked first in the unit, so a
  // look-up made under the lock still holds when the row is written.
  QStringList LockTables;

  // Runs `prepare` and then `row(0)` .. `row(rows - 1)` in one unit. A
  // failure in `prepare` or in the commit fails the whole save.
  Outcome Run(int rows, const std::function<void(int)>& row, const std::function<void()>& prepare = {});

  // Run, with what the window keeps of its rows (baselines) put back as it
  // was when the unit does not commit, so the next Apply is checked against
  // what is really stored.
  template <class Kept>
  Outcome RunKeeping(Kept& kept, int rows, const std::function<void(int)>& row,
                     const std::function<void()>& prepare = {}) {
    Kept before = kept;
    Outcome outcome = Run(rows, row, prepare);
    if (!outcome.Saved()) kept = std::move(before);
    return outcome;
  }

  // What the user is told: "<what> were not saved: 2 of 12 rows could not be
  // written." and the first failure, "Nothing was written.".
  static QString FailureText(const QString& what, const Outcome& outcome);

  // ----- writing one row by the lost-update rule --------------------------------------
  using Values = kdb::EditBaseline::Values;

  // Edits the row the table finds by its key with the shown values that
  // differ from the baseline. False, with nothing locked or written, when
  // none differs. Throws kdb::DbError when the row is gone and
  // kdb::EditConflict when a changed value was changed meanwhile by another
  // session. The table must be open.
  static bool EditRow(kdb::Table& table, const QVariant& key, kdb::EditBaseline& base, const Values& shown,
                      const QString& rowName);
  // Appends a row with these values; the baseline then holds them.
  static void InsertRow(kdb::Table& table, kdb::EditBaseline& base, const Values& values);

  // A row of a table that keeps one row per key without a unique index
  // (options, charges), its ID looked up under the save's lock (`idNow`,
  // none when the key has no row). A stored row gets the changed values
  // (EditRow); a missing row is added with all values, unless it was there
  // when the page loaded and nothing was changed (another user removed it,
  // and that stands). The kept row's key then names the row written.
  static bool UpsertKeyedRow(kdb::Table& table, std::optional<qint64> idNow, KeptRow& kept, const Values& changed,
                             const Values& all, const QString& rowName);
  // The ID of the first row of each key (the named column) of a result
  // ordered by ID.
  static QHash<QString, qint64> FirstIdByKey(kdb::DataSet& rows, const QString& keyColumn);

 private:
  kdb::Database& db_;
  QString where_;
};
