#pragma once
// The steps of a code-list save that need no window. They run inside the
// save's transaction (kdb::Transaction), in this order: the lock on the
// list's table, the uniqueness check under that lock, the row written, the
// dependent rows, the renames into PRODUCTS; the caller commits.
//
//   kdb::Transaction tx(db);
//   TCodeListSaveClass::LockTable(db, "SIZESSCALE");
//   if (TCodeListSaveClass::Exists(q, "SELECT ID FROM SIZESSCALE WHERE NAME = ...")) throw TCodeListRefusal(...);
//   const qint64 id = TCodeListSaveClass::WriteRow(table, "SIZESSCALE", id, baseline, {{"NAME", name}}, gone);
//   ...
//   tx.Commit();
#include <QString>

#include <stdexcept>

#include "KvEditBaseline.h"

class QWidget;

// A save refused for a reason the user can mend: the window shows the text,
// focuses the field named (when any) and stays as it was.
class TCodeListRefusal : public std::runtime_error {
 public:
  explicit TCodeListRefusal(const QString& message, QWidget* focus = nullptr)
      : std::runtime_error(message.toStdString()), message_(message), focus_(focus) {}
  QString Message() const { return message_; }
  QWidget* Focus() const { return focus_; }

 private:
  QString message_;
  QWidget* focus_;
};

class TCodeListSaveClass {
 public:
  // Makes the save's check and write one step among all savers of the
  // table: SQLite's transaction holds the database's write lock already; on
  // the server the table is locked against other writers (readers go on)
  // until the transaction ends. Throws kdb::DbError, also when the lock is
  // not granted within the session's lock wait.
  static void LockTable(kdb::Database& db, const QString& table);

  // True when the SELECT returns a row. Throws kdb::DbError when it fails:
  // a check that could not run proves nothing.
  static bool Exists(kdb::Query& query, const QString& select);

  // Writes one row of `tableName` through `table`.
  // id 0: a new row with every value; returns its new ID.
  // Otherwise the row of that ID, read again under its lock: only the values
  // that differ from the baseline are written, and a column another session
  // changed since the baseline was taken refuses the save (kdb::EditConflict,
  // nothing written); returns id. A row no longer there refuses with
  // TCodeListRefusal(goneMessage); no other row is ever written instead.
  static qint64 WriteRow(kdb::Table& table, const QString& tableName, qint64 id, kdb::EditBaseline& baseline,
                         const kdb::EditBaseline::Values& values, const QString& goneMessage);
};
