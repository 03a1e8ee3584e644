#include "KvTransaction.h"

namespace kdb {

Transaction::Transaction(Database& db) : db_(db) { db_.StartTransaction(); }

Transaction::~Transaction() { Rollback(); }

void Transaction::Commit() {
  if (!open_) throw DbError("The transaction has already ended");
  open_ = false;
  db_.Commit();
}

void Transaction::Rollback() {
  if (!open_) return;
  open_ = false;
  db_.Rollback();
}

}  // namespace kdb
