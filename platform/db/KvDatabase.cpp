// Sessions and databases: opening the connection of the session's kind, the
// one place every statement passes (reconnect, one statement at a time,
// failures inside units of work), and the units of work themselves.

#include "Connection.h"
#include "StartTrace.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <deque>
#include <future>
#include <system_error>

namespace kdb {

namespace {

const char* const kLostUnit =
    "The connection to the database was lost; the changes were not saved";

QString UnitSavepoint(int level) { return "kv_unit_" + QString::number(level); }

// Marks a statement running for as long as it lives.
struct RunningScope {
  bool& flag;
  explicit RunningScope(bool& f) : flag(f) { flag = true; }
  ~RunningScope() { flag = false; }
};

// Every setting a connection is opened with, as one text: a connection
// opened ahead is taken only for the same settings.
QString ConnectionKey(const Database& d, const Session& s) {
  return QStringList{QString::number(int(s.SessionType)), QString::number(int(s.RemoteTransport)), s.RemoteHost,
                     QString::number(s.RemotePort), s.RemoteUser, s.RemotePassword, s.RemoteSslRootCert,
                     QString::number(s.ConnectTimeoutSeconds), s.PrivateDir, QString::number(s.LockRetryCount),
                     QString::number(s.LockWaitTime), QString::number(s.WriteTimeoutSeconds),
                     QString::number(s.NetworkTimeoutSeconds), d.DatabaseName, d.RemoteDatabase, d.Directory,
                     QString::number(int(d.CreateIfMissing))}
      .join(QChar(0x1F));
}

}  // namespace

// The thread opening ahead reads only its own copy of the settings.
struct Database::Ahead {
  QString key;
  Session session;
  Database database{&session};
  std::future<std::unique_ptr<Connection>> connection;
};

struct Database::ReadAheadRows {
  std::deque<std::pair<QString, Connection::BatchRows>> kept;  // by statement, in order
};

bool Connection::IsSelect(const QString& sql) {
  int k = 0;
  while (k < sql.size() && (sql[k].isSpace() || sql[k] == '(')) ++k;
  return sql.mid(k, 6).compare("SELECT", Qt::CaseInsensitive) == 0 &&
         !sql.contains("FOR UPDATE", Qt::CaseInsensitive);
}

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

std::unique_ptr<Connection> Database::OpenConnection() {
  if (!session_) throw DbError("Database " + DatabaseName + " has no session");
  if (session_->SessionType == Session::Type::Remote) return OpenPostgres(*this, *session_);
  if (Directory.isEmpty()) throw DbError("Database " + DatabaseName + " has no folder");
  const QString file = QDir(Directory).filePath(DatabaseName + ".sqlite");
  if (CreateIfMissing) {
    if (!QDir().mkpath(Directory)) throw DbError("Cannot create the database folder " + Directory);
  } else if (!QFileInfo(file).isFile()) {
    // Only the schema tool makes a database: an empty file here would look
    // like a database that lost all its data.
    throw DbError("The database file " + QDir::toNativeSeparators(file) + " does not exist");
  }
  return OpenSqlite(file, *session_, CreateIfMissing);
}

void Database::Open() {
  if (conn_ && conn_->Alive()) return;
  Close();
  if (ahead_) {
    const std::unique_ptr<Ahead> ahead = std::move(ahead_);
    if (session_ && ahead->key == ConnectionKey(*this, *session_)) {
      kos::TraceStep("open waits for the connect ahead");
      conn_ = ahead->connection.get();
      kos::TraceStep("open took the connect ahead");
      return;
    }
    // The settings changed since: that connection is closed once it is made.
  }
  conn_ = OpenConnection();
}

void Database::OpenAhead() {
  if (ahead_ || !session_ || (conn_ && conn_->Alive())) return;
  auto ahead = std::make_unique<Ahead>();
  Session& s = ahead->session;
  const Session& from = *session_;
  s.SessionName = from.SessionName;
  s.SessionType = from.SessionType;
  s.RemoteTransport = from.RemoteTransport;
  s.RemoteHost = from.RemoteHost;
  s.RemotePort = from.RemotePort;
  s.RemoteUser = from.RemoteUser;
  s.RemotePassword = from.RemotePassword;
  s.RemoteSslRootCert = from.RemoteSslRootCert;
  s.ConnectTimeoutSeconds = from.ConnectTimeoutSeconds;
  s.PrivateDir = from.PrivateDir;
  s.LockRetryCount = from.LockRetryCount;
  s.LockWaitTime = from.LockWaitTime;
  s.TableLockWaitTime = from.TableLockWaitTime;
  s.WriteTimeoutSeconds = from.WriteTimeoutSeconds;
  s.NetworkTimeoutSeconds = from.NetworkTimeoutSeconds;
  Database& d = ahead->database;
  d.DatabaseName = DatabaseName;
  d.RemoteDatabase = RemoteDatabase;
  d.Directory = Directory;
  d.CreateIfMissing = CreateIfMissing;
  ahead->key = ConnectionKey(d, s);
  try {
    ahead->connection = std::async(std::launch::async, [&d] {
      kos::TraceStep("connect ahead begun");
      auto c = d.OpenConnection();
      kos::TraceStep("connect ahead ended");
      return c;
    });
  } catch (const std::system_error&) {
    return;  // no thread: Open opens as ever
  }
  ahead_ = std::move(ahead);
}

void Database::TakeAhead(Database& from) {
  if (ahead_ || (conn_ && conn_->Alive()) || &from == this) return;
  ahead_ = std::move(from.ahead_);
}

void Database::ReadAhead(const QStringList& selects) {
  readAhead_.reset();
  try {
    if (running_ || !levels_.empty() || !conn_) return;
    for (const QString& sql : selects)
      if (!Connection::IsSelect(sql)) return;
    std::vector<Connection::BatchRows> batch = Ready().RunBatch(selects);
    if (batch.empty()) return;
    auto rows = std::make_unique<ReadAheadRows>();
    for (size_t k = 0; k < batch.size(); ++k) rows->kept.emplace_back(selects[qsizetype(k)], std::move(batch[k]));
    readAhead_ = std::move(rows);
  } catch (const DbError&) {
    // The statements run as ever; a lost connection is found by the first.
  }
}

std::unique_ptr<RowSet> Database::TakeReadAhead(const Statement& st, int* affected) {
  if (!readAhead_) return nullptr;
  auto& kept = readAhead_->kept;
  auto [sql, rows] = std::move(kept.front());
  kept.pop_front();
  const bool same = sql == st.sql && st.params.empty() && st.maxRows < 0 && !st.prepare;
  if (!same || kept.empty()) readAhead_.reset();
  if (!same || !rows.rows) return nullptr;
  if (affected) *affected = rows.affected;
  return std::move(rows.rows);
}

void Database::Close() {
  readAhead_.reset();
  conn_.reset();
  if (!levels_.empty()) ++unitSerial_;
  levels_.clear();
  tableLocks_.clear();
  ++dataSerial_;
  lost_ = false;
}

bool Database::Connected() { return conn_ && conn_->Alive(); }

bool Database::IsPostgres() const { return conn_ && conn_->IsPostgres(); }

Connection& Database::Live() {
  if (!conn_) throw DbError("Database " + DatabaseName + " is not connected");
  return *conn_;
}

void Database::ThrowLost(const QString& detail) {
  lost_ = true;
  throw DbError(detail.isEmpty() ? QString(kLostUnit) : QString(kLostUnit) + " (" + detail + ")");
}

void Database::Reconnect(const QString& reason) {
  ++dataSerial_;
  conn_ = OpenConnection();  // a failure keeps the dead one: the next statement tries again
  if (OnReconnect) OnReconnect(reason);
}

Connection& Database::Ready() {
  Connection& c = Live();
  if (lost_) ThrowLost(QString());
  if (c.Alive()) return c;
  if (!levels_.empty()) ThrowLost(QString());
  Reconnect("the connection was found dropped");
  return *conn_;
}

std::unique_ptr<RowSet> Database::Run(const Statement& given, int* affected, bool guarded) {
  if (running_) throw DbError("Another statement is still running on this connection; the new one was not started");
  if (auto kept = TakeReadAhead(given, affected)) return kept;
  Connection* c = &Ready();
  RunningScope running(running_);
  Statement st = given;
  const bool inUnit = !levels_.empty();
  const bool select = Connection::IsSelect(st.sql);
  if (!select) ++dataSerial_;
  if (session_ && session_->WriteTimeoutSeconds > 0 && (inUnit || !select))
    st.timeoutMs = session_->WriteTimeoutSeconds * 1000;
  const bool savepoint = guarded && inUnit && !levels_.back().allOrNothing;
  for (int attempt = 0;; ++attempt) {
    try {
      if (!savepoint) {
        if (kos::TraceOn()) kos::TraceStep(("statement " + st.sql.left(60)).toUtf8().constData());
        auto rows = c->Run(st, affected);
        kos::TraceStep("statement done");
        return rows;
      }
      c->Exec("SAVEPOINT kv_row");
      try {
        auto rows = c->Run(st, affected);
        c->Exec("RELEASE SAVEPOINT kv_row");
        return rows;
      } catch (const DbError&) {
        if (c->Alive()) {
          try {
            c->Exec("ROLLBACK TO SAVEPOINT kv_row; RELEASE SAVEPOINT kv_row");
          } catch (const DbError&) {
          }
        }
        throw;
      }
    } catch (const DbError& e) {
      if (c->Alive()) {
        // Contained by its savepoint, or a failure the unit has to know of.
        if (!savepoint && inUnit) levels_.back().failed = true;
        throw;
      }
      if (inUnit) ThrowLost(e.Message());
      // Outside a unit: a SELECT runs again once on a new connection; any
      // other statement may have been done before the line went, so it is
      // reported and not repeated (the next statement reconnects).
      if (!select || attempt > 0) throw;
      Reconnect(e.Message());
      c = conn_.get();
    }
  }
}

void Database::Control(const QString& sql, const ProgressFn* progress) {
  if (running_) throw DbError("Another statement is still running on this connection; the new one was not started");
  RunningScope running(running_);
  Live().Run(Statement{sql, {}, progress, -1});
}

void Database::Execute(const QString& statement) { Run(Statement{statement, {}, nullptr, -1}, nullptr, false); }

// ----- units of work --------------------------------------------------------------------

void Database::StartTransaction() {
  readAhead_.reset();
  if (levels_.empty()) {
    Connection& c = Ready();
    Control(c.BeginSql());
    levels_.push_back(Level{});
    return;
  }
  // Nested calls only count; the level shares its parent's way of failing.
  Level inner;
  inner.allOrNothing = levels_.back().allOrNothing;
  levels_.push_back(inner);
}

void Database::Commit() {
  if (levels_.empty()) throw DbError("Commit without an active transaction");
  if (levels_.size() > 1) {
    const Level done = levels_.back();
    levels_.pop_back();
    if (done.failed) levels_.back().failed = true;
    return;
  }
  EndOutermost(true);
}

void Database::Rollback() {
  // Called from error paths: it ends the whole unit of work and never throws
  // (on a lost connection the server has rolled back already).
  if (levels_.empty()) return;
  try {
    EndOutermost(false);
  } catch (const DbError&) {
  }
}

void Database::EndOutermost(bool commit) {
  bool failed = false, allOrNothing = false;
  for (const Level& l : levels_) {
    failed = failed || l.failed;
    allOrNothing = allOrNothing || l.allOrNothing;
  }
  const bool lost = lost_;
  levels_.clear();
  tableLocks_.clear();
  ++unitSerial_;
  lost_ = false;
  if (lost) {
    if (commit) throw DbError(kLostUnit);
    return;
  }
  if (!conn_ || !conn_->Alive()) {
    if (commit) throw DbError(kLostUnit);
    return;
  }
  Connection& c = *conn_;
  try {
    // PostgreSQL answers COMMIT of a failed transaction with a silent
    // rollback, and an all-or-nothing unit with a failed statement must not
    // keep the rest: either way the caller hears that its work is gone.
    if (commit && failed && allOrNothing) throw DbError("A statement of the unit of work failed; nothing was saved");
    if (commit && c.TransactionFailed()) throw DbError("The transaction failed and was rolled back");
    if (!c.EngineInTransaction()) {
      if (commit) throw DbError("The transaction was rolled back by the database; nothing was saved");
      return;
    }
    Control(commit ? "COMMIT" : "ROLLBACK");
  } catch (...) {
    try {
      if (c.Alive() && c.EngineInTransaction()) Control("ROLLBACK");
    } catch (const DbError&) {
    }
    if (commit) throw;
  }
}

QString Database::TableLockSql(const QString& table, int waitMs) const {
  static const QRegularExpression identifier("^[A-Za-z_][A-Za-z0-9_]*$");
  if (!identifier.match(table).hasMatch()) throw DbError("Invalid table name '" + table + "'");
  const int wait = waitMs >= 0 ? waitMs : (session_ ? session_->TableLockWaitTime : 10000);
  const int rowWait = session_ ? qMax(1, session_->LockRetryCount * session_->LockWaitTime) : 1500;
  return QString("SET LOCAL lock_timeout = %1; LOCK TABLE %2 IN SHARE ROW EXCLUSIVE MODE; SET LOCAL lock_timeout = %3")
      .arg(qMax(1, wait))
      .arg(table)
      .arg(rowWait);
}

void Database::LockTable(const QString& table, int waitMs) {
  if (levels_.empty()) throw DbError("A table lock needs an open unit of work");
  const QString sql = TableLockSql(table, waitMs);
  Connection& c = Ready();
  if (!c.IsPostgres()) return;  // BEGIN IMMEDIATE holds the write lock
  Run(Statement{sql, {}, OnLockWait ? &OnLockWait : nullptr, -1}, nullptr, false);
  tableLocks_.emplace_back(table.toUpper(), int(levels_.size()) - 1);
}

bool Database::HoldsTableLock(const QString& table) const {
  return std::any_of(tableLocks_.begin(), tableLocks_.end(),
                     [&](const auto& l) { return l.first.compare(table, Qt::CaseInsensitive) == 0; });
}

int Database::BeginUnit(bool allOrNothing, const QString& lockTable, int lockWaitMs) {
  Connection& c = Ready();
  const int level = int(levels_.size());
  // A nested unit under the lock its outer unit holds already has nothing
  // to wait for: the lock stays until the outer unit ends, whatever becomes
  // of the nested one.
  const bool held = level > 0 && !lockTable.isEmpty() && HoldsTableLock(lockTable);
  const QString lock = lockTable.isEmpty() || held ? QString() : TableLockSql(lockTable, lockWaitMs);
  const ProgressFn* waiting = !lock.isEmpty() && OnLockWait ? &OnLockWait : nullptr;
  if (level == 0) {
    if (c.IsPostgres()) {
      // One round trip for the start and the lock; a lock that cannot be
      // had leaves no transaction open behind it.
      try {
        Control(lock.isEmpty() ? c.BeginSql() : c.BeginSql() + "; " + lock, waiting);
      } catch (const DbError&) {
        try {
          if (c.Alive() && c.EngineInTransaction()) Control("ROLLBACK");
        } catch (const DbError&) {
        }
        throw;
      }
    } else {
      // SQLite takes its write lock at BEGIN IMMEDIATE: that is the wait.
      if (!lock.isEmpty()) c.SetLockWait(lockWaitMs >= 0 ? lockWaitMs : session_->TableLockWaitTime);
      try {
        Control(c.BeginSql(), waiting);
      } catch (...) {
        c.SetLockWait(-1);
        throw;
      }
      c.SetLockWait(-1);
    }
  } else {
    const QString sp = UnitSavepoint(level);
    try {
      Control(c.IsPostgres() && !lock.isEmpty() ? "SAVEPOINT " + sp + "; " + lock : "SAVEPOINT " + sp, waiting);
    } catch (const DbError& e) {
      if (!c.Alive()) ThrowLost(e.Message());
      try {  // the savepoint was made and the lock failed: back to it
        Control("ROLLBACK TO SAVEPOINT " + sp + "; RELEASE SAVEPOINT " + sp);
      } catch (const DbError&) {
        levels_.back().failed = true;  // the savepoint itself failed: the unit was spoilt already
      }
      throw;
    }
  }
  Level l;
  l.allOrNothing = allOrNothing;
  levels_.push_back(l);
  if (!lock.isEmpty() && c.IsPostgres()) {
    // Rows read before the lock may have changed until it was had.
    tableLocks_.emplace_back(lockTable.toUpper(), level);
    ++dataSerial_;
  }
  return level;
}

void Database::CommitUnit(int level, quint64 serial) {
  if (serial != unitSerial_ || level >= int(levels_.size()))
    throw DbError("The unit of work has already ended; it was rolled back");
  if (level == 0) return EndOutermost(true);
  bool failed = false;
  for (size_t k = size_t(level); k < levels_.size(); ++k) failed = failed || levels_[k].failed;
  const bool allOrNothing = levels_[size_t(level)].allOrNothing;
  if (lost_) ThrowLost(QString());
  Connection& c = Live();
  if ((failed && allOrNothing) || c.TransactionFailed()) {
    RollbackUnit(level, serial);
    throw DbError("A statement of the unit of work failed; nothing of it was saved");
  }
  try {
    Control("RELEASE SAVEPOINT " + UnitSavepoint(level));
  } catch (const DbError& e) {
    if (!c.Alive()) ThrowLost(e.Message());
    RollbackUnit(level, serial);
    throw;
  }
  levels_.resize(size_t(level));
  // A released savepoint's locks belong to the level around it now.
  for (auto& l : tableLocks_) l.second = std::min(l.second, level - 1);
  if (failed) levels_.back().failed = true;
}

void Database::RollbackUnit(int level, quint64 serial) {
  if (serial != unitSerial_ || level >= int(levels_.size())) return;
  if (level == 0) return Rollback();
  levels_.resize(size_t(level));
  // The locks taken since the savepoint go with it.
  std::erase_if(tableLocks_, [level](const auto& l) { return l.second >= level; });
  ++dataSerial_;
  if (lost_ || !conn_ || !conn_->Alive()) return;  // the outer unit hears of it on its next statement
  try {
    const QString sp = UnitSavepoint(level);
    Control("ROLLBACK TO SAVEPOINT " + sp + "; RELEASE SAVEPOINT " + sp);
  } catch (const DbError&) {
    if (!conn_->Alive()) lost_ = true;
  }
}

}  // namespace kdb
