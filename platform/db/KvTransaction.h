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
// caller's outer unit can still go on or roll back as it decides.
#include "KvDb.h"

namespace kdb {

class Transaction {
 public:
  explicit Transaction(Database& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  // Ends the unit: COMMIT (outermost) or RELEASE SAVEPOINT (nested). Throws
  // DbError when the engine refuses; the unit is then rolled back.
  void Commit();
  // Undoes the unit now; never throws. Also done by the destructor.
  void Rollback();
  bool Open() const { return open_; }

 private:
  Database& db_;
  bool open_ = true;
};

}  // namespace kdb
