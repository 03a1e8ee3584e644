// Sessions and databases: opening the connection of the session's kind and
// the transaction count.

#include "Connection.h"

#include <QDir>

#include <algorithm>

namespace kdb {

Session::~Session() {
  for (Database* db : databases_) db->session_ = nullptr;
}

void Session::DropConnections() {
  for (Database* db : databases_) db->Close();
}

Database::Database(Session* session) { SetSession(session); }

Database::~Database() {
  SetSession(nullptr);
  Close();
}

void Database::SetSession(Session* s) {
  if (session_) {
    auto& list = session_->databases_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
  session_ = s;
  if (session_) session_->databases_.push_back(this);
}

void Database::Open() {
  if (conn_ && conn_->Alive()) return;
  Close();
  if (!session_) throw DbError("Database " + DatabaseName + " has no session");
  if (session_->SessionType == Session::Type::Remote) {
    conn_ = OpenPostgres(*this, *session_);
    return;
  }
  if (Directory.isEmpty()) throw DbError("Database " + DatabaseName + " has no folder");
  if (!QDir().mkpath(Directory)) throw DbError("Cannot create the database folder " + Directory);
  conn_ = OpenSqlite(QDir(Directory).filePath(DatabaseName + ".sqlite"), *session_);
}

void Database::Close() {
  conn_.reset();
  txDepth_ = 0;
}

bool Database::Connected() { return conn_ && conn_->Alive(); }

bool Database::IsPostgres() const { return conn_ && conn_->IsPostgres(); }

Connection& Database::Live() {
  if (!conn_) throw DbError("Database " + DatabaseName + " is not connected");
  return *conn_;
}

void Database::StartTransaction() {
  Connection& c = Live();
  if (txDepth_ == 0) c.Exec(c.BeginSql());
  ++txDepth_;
}

void Database::Commit() {
  if (txDepth_ == 0) throw DbError("Commit without an active transaction");
  if (--txDepth_ > 0) return;
  Connection& c = Live();
  try {
    // PostgreSQL answers COMMIT of a failed transaction with a silent
    // rollback; the caller must hear that its work is gone.
    if (c.TransactionFailed()) throw DbError("The transaction failed and was rolled back");
    c.Exec("COMMIT");
  } catch (...) {
    try {
      if (c.EngineInTransaction()) c.Exec("ROLLBACK");
    } catch (const DbError&) {
    }
    throw;
  }
}

void Database::Rollback() {
  // Called from error paths: it ends the whole unit of work and never throws
  // (on a lost connection the server has rolled back already).
  const bool open = txDepth_ > 0;
  txDepth_ = 0;
  if (!open || !conn_) return;
  try {
    if (conn_->EngineInTransaction()) conn_->Exec("ROLLBACK");
  } catch (const DbError&) {
  }
}

bool Database::InTransaction() const { return txDepth_ > 0; }

void Database::Execute(const QString& statement) { Live().Exec(statement); }

}  // namespace kdb
