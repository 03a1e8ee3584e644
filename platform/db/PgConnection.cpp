// The multi-user edition: a PostgreSQL server reached through libpq. Queries
// are sent asynchronously so the progress callback runs while the server works.

#include "Connection.h"
#include "PgLibrary.h"

#include <poll.h>

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <string>
#include <unordered_map>

namespace kdb {

namespace {

// libpq is loaded by the first connect; every call after it goes through here.
const PgLibrary& Pq() { return LibPq(); }

// Type OIDs of the built-in types the schema uses.
FieldType TypeFromOid(Oid oid, int typmod) {
  switch (oid) {
    case 16: return FieldType::Boolean;
    case 20: case 21: case 23: case 26: return FieldType::Integer;
    case 700: case 701: return FieldType::Float;
    case 1700: return FieldType::Money;
    case 1082: case 1114: case 1184: return FieldType::DateTime;
    case 18: case 19: case 25: case 1042: case 1043: return FieldType::Text;
    default: (void)typmod; return FieldType::Unknown;
  }
}

QString ErrorText(const char* msg) { return QString::fromUtf8(msg).trimmed(); }

// The result as libpq holds it: values are text, converted when read.
class PgRowSet : public RowSet {
 public:
  PgRowSet(PGresult* res, int maxRows) : pq_(Pq()), res_(res) {
    if (!res_) return;
    const int n = pq_.PQnfields(res_);
    auto columns = std::make_shared<ColumnList>();
    columns->reserve(size_t(n));
    for (int c = 0; c < n; ++c) {
      // Unquoted names come back folded to lower case; the system's are upper.
      const QString name = QString::fromUtf8(pq_.PQfname(res_, c));
      columns->push_back({name.toUpper(), name, TypeFromOid(pq_.PQftype(res_, c), pq_.PQfmod(res_, c))});
    }
    columns_ = std::move(columns);
    rows_ = pq_.PQntuples(res_);
    if (maxRows >= 0 && rows_ > maxRows) rows_ = maxRows;
  }
  ~PgRowSet() override { pq_.PQclear(res_); }

  Cell Get(int row, int col) const override {
    Cell c;
    // libpq gives NULL as an empty text: only an empty value (or none, out
    // of range) asks which it is, so reading a value costs two calls, not three.
    const char* s = pq_.PQgetvalue(res_, row, col);
    if (!s || (!*s && pq_.PQgetisnull(res_, row, col))) return c;
    c.kind = Cell::Text;
    c.s = s;
    c.len = pq_.PQgetlength(res_, row, col);
    return c;
  }

 private:
  const PgLibrary& pq_;
  PGresult* res_;
};

struct ResultCloser {
  void operator()(PGresult* r) const { Pq().PQclear(r); }
};
using ResultPtr = std::unique_ptr<PGresult, ResultCloser>;

class PgConnection : public Connection {
 public:
  PgConnection(PGconn* c, int unitTimeoutMs) : c_(c), unitTimeoutMs_(unitTimeoutMs) {
    Pq().PQsetNoticeProcessor(c_, [](void*, const char*) {}, nullptr);
  }
  ~PgConnection() override { Pq().PQfinish(c_); }

  bool IsPostgres() const override { return true; }
  // The server cancels a statement of a unit of work a little before the
  // client would give up on it, so a slow server still gives its own answer.
  QString BeginSql() const override {
    return unitTimeoutMs_ > 0 ? QString("BEGIN; SET LOCAL statement_timeout = %1").arg(unitTimeoutMs_) : "BEGIN";
  }
  bool EngineInTransaction() override {
    return Pq().PQtransactionStatus(c_) == PQTRANS_INTRANS || Pq().PQtransactionStatus(c_) == PQTRANS_INERROR;
  }
  bool TransactionFailed() override { return Pq().PQtransactionStatus(c_) == PQTRANS_INERROR; }

  std::vector<BatchRows> RunBatch(const QStringList& selects) override {
    if (broken_ || selects.isEmpty() || Pq().PQstatus(c_) != CONNECTION_OK ||
        Pq().PQtransactionStatus(c_) != PQTRANS_IDLE || !Pq().PQenterPipelineMode(c_))
      return {};
    for (const QString& sql : selects) {
      if (!Pq().PQsendQueryParams(c_, sql.toUtf8().constData(), 0, nullptr, nullptr, nullptr, nullptr, 0)) {
        // Half a pipeline cannot be read back: the connection is given up.
        broken_ = true;
        throw DbError(ErrorText(Pq().PQerrorMessage(c_)));
      }
    }
    if (!Pq().PQpipelineSync(c_)) {
      broken_ = true;
      throw DbError(ErrorText(Pq().PQerrorMessage(c_)));
    }
    // Every answer is read up to the sync, also after a failure (the ones
    // after it come back aborted), so the connection leaves the pipeline idle.
    std::vector<BatchRows> out(size_t(selects.size()));
    for (BatchRows& b : out) {
      while (PGresult* raw = Pq().PQgetResult(c_)) {
        ResultPtr r(raw);
        if (Pq().PQresultStatus(raw) != PGRES_TUPLES_OK || b.rows) continue;
        b.affected = ParseCount(Pq().PQcmdTuples(raw));
        b.rows = std::make_unique<PgRowSet>(r.release(), -1);
      }
    }
    const ResultPtr sync(Pq().PQgetResult(c_));
    if (!sync || Pq().PQresultStatus(sync.get()) != PGRES_PIPELINE_SYNC || !Pq().PQexitPipelineMode(c_)) {
      broken_ = true;
      throw DbError("The database server's answers did not arrive as sent");
    }
    return out;
  }

  bool Alive() override {
    if (broken_ || Pq().PQstatus(c_) != CONNECTION_OK) return false;
    pollfd p{Pq().PQsocket(c_), short(POLLIN | POLLRDHUP), 0};
    if (poll(&p, 1, 0) > 0) {
      // Anything arriving while idle is a notice or the server saying goodbye.
      if (p.revents & (POLLHUP | POLLRDHUP | POLLERR | POLLNVAL)) return false;
      if (!Pq().PQconsumeInput(c_)) return false;
      while (PGnotify* n = Pq().PQnotifies(c_)) Pq().PQfreemem(n);
    }
    return Pq().PQstatus(c_) == CONNECTION_OK;
  }

  std::unique_ptr<RowSet> Run(const Statement& st, int* affected) override {
    if (broken_ || Pq().PQstatus(c_) != CONNECTION_OK) throw DbError("The connection to the database server was lost");
    const Deadline deadline(st.timeoutMs);
    if (!st.prepare) {
      Send(st);
      return Collect(st, affected, deadline);
    }
    const std::string sql = st.sql.toStdString();
    for (int attempt = 0;; ++attempt) {
      const std::string& name = Prepared(sql, st, deadline);
      SendPrepared(name, st);
      try {
        return Collect(st, affected, deadline);
      } catch (const StalePlan&) {
        // The table changed shape since the statement was prepared: prepare
        // it again, unless the failure spoiled an open transaction.
        cache_.erase(sql);
        if (attempt > 0 || Pq().PQtransactionStatus(c_) != PQTRANS_IDLE)
          throw DbError("The table was changed by another program; please try again");
      }
    }
  }

 private:
  // Statements kept prepared; a full cache is dropped at once (the table
  // layer makes few distinct statements).
  static constexpr size_t kCacheSize = 200;
  PGconn* c_;
  int unitTimeoutMs_;
  bool broken_ = false;  // given up on: the server did not answer in time
  std::unordered_map<std::string, std::string> cache_;  // statement text -> name
  int prepared_ = 0;     // names handed out on this connection

  struct StalePlan {};

  struct Deadline {
    using Clock = std::chrono::steady_clock;
    int ms;
    Clock::time_point at;
    explicit Deadline(int timeoutMs) : ms(timeoutMs), at(Clock::now() + std::chrono::milliseconds(timeoutMs)) {}
    bool Passed() const { return ms > 0 && Clock::now() >= at; }
  };

  static int ParseCount(const char* s) {
    int n = 0;
    std::from_chars(s, s + strlen(s), n);
    return n;
  }

  const std::string& Prepared(const std::string& sql, const Statement& st, const Deadline& deadline) {
    auto it = cache_.find(sql);
    if (it != cache_.end()) return it->second;
    if (cache_.size() >= kCacheSize) {
      if (Pq().PQtransactionStatus(c_) == PQTRANS_INERROR) throw DbError("The transaction failed and was rolled back");
      Send(Statement{"DEALLOCATE ALL", {}, nullptr, -1});
      Collect(Statement{}, nullptr, deadline);
      cache_.clear();
    }
    const std::string name = "kv" + std::to_string(++prepared_);
    if (!Pq().PQsendPrepare(c_, name.c_str(), sql.c_str(), int(st.params.size()), nullptr))
      throw DbError(ErrorText(Pq().PQerrorMessage(c_)));
    Collect(Statement{}, nullptr, deadline);
    return cache_.emplace(sql, name).first->second;
  }

  // Reads the whole answer; the rows of the last result are returned.
  std::unique_ptr<RowSet> Collect(const Statement& st, int* affected, const Deadline& deadline) {
    Wait(st.progress, deadline);
    ResultPtr last;
    QString error;
    bool stale = false;
    while (PGresult* raw = Pq().PQgetResult(c_)) {
      ResultPtr r(raw);
      const ExecStatusType s = Pq().PQresultStatus(raw);
      if (s == PGRES_FATAL_ERROR || s == PGRES_BAD_RESPONSE || s == PGRES_NONFATAL_ERROR) {
        if (error.isEmpty()) error = ErrorText(Pq().PQresultErrorMessage(raw));
        const char* state = Pq().PQresultErrorField(raw, PG_DIAG_SQLSTATE);
        stale = stale || (state && std::strcmp(state, "0A000") == 0 && error.contains("cached plan"));
      } else if (s == PGRES_TUPLES_OK) {
        if (affected) *affected = ParseCount(Pq().PQcmdTuples(raw));
        last = std::move(r);
      } else if (s == PGRES_COMMAND_OK) {
        if (affected) *affected = ParseCount(Pq().PQcmdTuples(raw));
      } else if (s == PGRES_COPY_IN || s == PGRES_COPY_OUT || s == PGRES_COPY_BOTH) {
        error = "COPY is not supported";
        break;
      }
    }
    if (stale) throw StalePlan{};
    if (!error.isEmpty()) throw DbError(error);
    if (Pq().PQstatus(c_) != CONNECTION_OK) throw DbError(ErrorText(Pq().PQerrorMessage(c_)));
    return std::make_unique<PgRowSet>(last.release(), st.maxRows);
  }

  void Send(const Statement& st) {
    const QByteArray sql = st.sql.toUtf8();
    int ok;
    if (st.params.empty()) {
      ok = Pq().PQsendQuery(c_, sql.constData());
    } else {
      // Every value travels as text; the server reads it by the column's type.
      std::vector<std::string> text(st.params.size());
      std::vector<const char*> values(st.params.size());
      for (size_t k = 0; k < st.params.size(); ++k) values[k] = ParamText(st.params[k], text[k]);
      ok = Pq().PQsendQueryParams(c_, sql.constData(), int(values.size()), nullptr, values.data(),
                             nullptr, nullptr, 0);
    }
    if (!ok) throw DbError(ErrorText(Pq().PQerrorMessage(c_)));
  }

  void SendPrepared(const std::string& name, const Statement& st) {
    std::vector<std::string> text(st.params.size());
    std::vector<const char*> values(st.params.size());
    for (size_t k = 0; k < st.params.size(); ++k) values[k] = ParamText(st.params[k], text[k]);
    if (!Pq().PQsendQueryPrepared(c_, name.c_str(), int(values.size()), values.data(), nullptr, nullptr, 0))
      throw DbError(ErrorText(Pq().PQerrorMessage(c_)));
  }

  static const char* ParamText(const QVariant& v, std::string& out) {
    const Cell c = conv::FromValue(v, out);
    char buf[64];
    switch (c.kind) {
      case Cell::Null: return nullptr;
      case Cell::Int: out.assign(buf, std::to_chars(buf, buf + sizeof buf, c.i).ptr); break;
      case Cell::Real: out.assign(buf, std::to_chars(buf, buf + sizeof buf, c.d).ptr); break;
      case Cell::Money: out = conv::MoneyFixed(Currency::FromRaw(c.i)); break;
      case Cell::Text: break;  // already in out
    }
    return out.c_str();
  }

  // Waits for the whole answer, calling the progress callback between short
  // waits on the socket; an abort from the callback cancels the statement.
  // Past the deadline the server is given up on: the connection counts as
  // lost (the server rolls back whatever it had begun).
  void Wait(const ProgressFn* progress, const Deadline& deadline) {
    using Clock = std::chrono::steady_clock;
    auto lastTick = Clock::now();
    bool cancelled = false;
    while (Pq().PQisBusy(c_)) {
      pollfd p{Pq().PQsocket(c_), POLLIN, 0};
      const int r = poll(&p, 1, 50);
      if (r < 0 && errno != EINTR) throw DbError("Waiting for the database server failed");
      if (!Pq().PQconsumeInput(c_)) throw DbError(ErrorText(Pq().PQerrorMessage(c_)));
      if (deadline.Passed() && Pq().PQisBusy(c_)) {
        broken_ = true;
        throw DbError(QString("The database server did not answer within %1 seconds").arg(deadline.ms / 1000.0));
      }
      if (!progress || !*progress || Clock::now() - lastTick < std::chrono::milliseconds(50)) continue;
      lastTick = Clock::now();
      bool abort = false;
      (*progress)(0, abort);
      if (abort && !cancelled) cancelled = Cancel();
    }
  }

  bool Cancel() {
    PGcancel* cancel = Pq().PQgetCancel(c_);
    if (!cancel) return false;
    char err[256];
    Pq().PQcancel(cancel, err, sizeof err);
    Pq().PQfreeCancel(cancel);
    return true;
  }
};

}  // namespace

std::unique_ptr<Connection> OpenPostgres(const Database& db, const Session& s) {
  const bool internet = s.RemoteTransport == Session::RemoteType::Internet;
  const bool verify = internet && !s.RemoteSslRootCert.isEmpty();
  const int lockMs = qMax(1, s.LockRetryCount * s.LockWaitTime);
  // The session's settings travel with the connection request, so they cost
  // no round trip of their own: quotes doubled and backslashes literal (what
  // sql::Quote relies on); a row lock held elsewhere fails after the
  // session's wait, never hangs; a program that vanished in the middle of a
  // unit of work (a stalled link given up on) does not hold its locks for
  // ever.
  QByteArray options = "-c standard_conforming_strings=on -c DateStyle=ISO,YMD -c lock_timeout=" +
                       QByteArray::number(lockMs) + " -c client_min_messages=warning";
  if (s.WriteTimeoutSeconds > 0)
    options += " -c idle_in_transaction_session_timeout=" + QByteArray::number(qMax(60, s.WriteTimeoutSeconds * 4) * 1000);
  std::vector<std::pair<const char*, QByteArray>> params = {
      {"host", s.RemoteHost.toUtf8()},
      {"port", QByteArray::number(s.RemotePort)},
      {"dbname", db.RemoteDatabase.toUtf8()},
      {"user", s.RemoteUser.toUtf8()},
      {"password", s.RemotePassword.toUtf8()},
      {"connect_timeout", QByteArray::number(qMax(1, s.ConnectTimeoutSeconds))},
      {"client_encoding", "UTF8"},
      {"application_name", "Tessarin"},
      // A link that goes silent is noticed within NetworkTimeoutSeconds, also
      // while a long statement runs: keepalive probes after a few idle
      // seconds, and a user time-out on data the server never acknowledges.
      {"keepalives", "1"},
      {"keepalives_idle", QByteArray::number(qBound(1, s.NetworkTimeoutSeconds / 2, 30))},
      {"keepalives_interval", QByteArray::number(qBound(1, s.NetworkTimeoutSeconds / 5, 10))},
      {"keepalives_count", "3"},
      {"tcp_user_timeout", QByteArray::number(qMax(1, s.NetworkTimeoutSeconds) * 1000)},
      {"options", options},
      // The server account signs in by password; asking the Kerberos
      // libraries for credentials first only slows every connect down.
      {"gssencmode", "disable"},
  };
  // Over the internet the line must be encrypted, and verified when the
  // server's certificate authority is known.
  if (internet) params.push_back({"sslmode", verify ? "verify-full" : "require"});
  if (verify) params.push_back({"sslrootcert", s.RemoteSslRootCert.toUtf8()});
  std::vector<const char*> keys, values;
  for (const auto& [k, v] : params) {
    if (v.isEmpty()) continue;
    keys.push_back(k);
    values.push_back(v.constData());
  }
  keys.push_back(nullptr);
  values.push_back(nullptr);
  PGconn* c = nullptr;
  {
    const TlsWarmUp tls;
    c = Pq().PQconnectdbParams(keys.data(), values.data(), 0);
  }
  if (!c) throw DbError("Out of memory while connecting to the database server");
  if (Pq().PQstatus(c) != CONNECTION_OK) {
    const QString msg = ErrorText(Pq().PQerrorMessage(c));
    Pq().PQfinish(c);
    throw DbError(msg);
  }
  const int unitTimeoutMs = s.WriteTimeoutSeconds > 0 ? qMax(1000, s.WriteTimeoutSeconds * 1000 - 2000) : 0;
  return std::make_unique<PgConnection>(c, unitTimeoutMs);
}

}  // namespace kdb
