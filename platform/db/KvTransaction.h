#pragma once
// A unit of work that cannot be left open by mistake.
//
//   {
//     kdb::Transaction tx(db);   // BEGIN, or a savepoint inside an open unit
//     ...                        // statements and table posts; may throw
//     tx.Commit();               // all of it, or (by leaving the scope) none
//   }
//
// Leaving the scope without Commit rolls back: the outermost unit ends the
// database's transaction, a nested one only returns to its savepoint, so the
// caller's outer unit can still go on or roll back as it decides. A nested
// unit is how a statement whose failure the caller tolerates (a look-up)
// runs inside a save without spoiling it.
//
// A save whose rows are written all or none opens its unit AllOrNothing: its
// table posts then run without a savepoint each (one round trip less per
// row), and any failed statement makes its Commit throw and roll back.
//
// A save that numbers new rows holds the table against other numbering
// saves for the whole unit, waiting longer for it than for a row lock:
//
//   kdb::Transaction tx(db, kdb::Transaction::AllOrNothing, kdb::TableLock{"PRODUCTS"});
//
// (PostgreSQL: LOCK TABLE ... IN SHARE ROW EXCLUSIVE MODE in the same round
// trip as the BEGIN; SQLite: BEGIN IMMEDIATE waiting that long for the
// database's write lock.) The wait is the session's TableLockWaitTime unless
// the lock names its own; when it runs out the constructor throws DbError.
#include "KvDb.h"

namespace kdb {

struct TableLock {
  QString table;     // empty: no table lock
  int waitMs = -1;   // negative: the session's TableLockWaitTime
};

class Transaction {
 public:
  enum Mode {
    Partial,       // a failed statement is the caller's to handle; the rest may commit
    AllOrNothing,  // any failure in the unit undoes all of it
  };

  explicit Transaction(Database& db, Mode mode = Partial, const TableLock& lock = {});
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  // Ends the unit: COMMIT (outermost) or RELEASE SAVEPOINT (nested). Throws
  // DbError when the engine refuses, when an all-or-nothing unit had a
  // failure, or when the connection was lost; the unit is then rolled back.
  void Commit();
  // Undoes the unit now; never throws. Also done by the destructor.
  void Rollback();
  bool Open() const { return open_; }
  // True for the outermost unit, false for a savepoint inside another.
  bool Outermost() const { return level_ == 0; }

 private:
  Database& db_;
  int level_ = 0;
  quint64 serial_ = 0;
  bool open_ = true;
};

}  // namespace kdb
