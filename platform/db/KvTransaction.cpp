#include "KvTransaction.h"

namespace kdb {

Transaction::Transaction(Database& db, Mode mode, const TableLock& lock) : db_(db) {
  serial_ = db_.unitSerial_;
  level_ = db_.BeginUnit(mode == AllOrNothing, lock.table, lock.waitMs);
}

Transaction::~Transaction() { Rollback(); }

void Transaction::Commit() {
  if (!open_) throw DbError("The transaction has already ended");
  open_ = false;
  db_.CommitUnit(level_, serial_);
}

void Transaction::Rollback() {
  if (!open_) return;
  open_ = false;
  db_.RollbackUnit(level_, serial_);
}

}  // namespace kdb
