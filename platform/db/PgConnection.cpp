// The multi-user edition: a PostgreSQL server reached through libpq. Queries
// are sent asynchronously so the progress callback runs while the server works.

#include "Connection.h"

#include <libpq-fe.h>
#include <poll.h>

#include <cerrno>
#include <charconv>
#include <chrono>

namespace kdb {

namespace {

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
  PgRowSet(PGresult* res, int maxRows) : res_(res) {
    if (!res_) return;
    const int n = PQnfields(res_);
    columns_.reserve(size_t(n));
    for (int c = 0; c < n; ++c) {
      // Unquoted names come back folded to lower case; the system's are upper.
      const QString name = QString::fromUtf8(PQfname(res_, c));
      columns_.push_back({name.toUpper(), name, TypeFromOid(PQftype(res_, c), PQfmod(res_, c))});
    }
    rows_ = PQntuples(res_);
    if (maxRows >= 0 && rows_ > maxRows) rows_ = maxRows;
  }
  ~PgRowSet() override { PQclear(res_); }

  Cell Get(int row, int col) const override {
    Cell c;
    if (PQgetisnull(res_, row, col)) return c;
    c.kind = Cell::Text;
    c.s = PQgetvalue(res_, row, col);
    c.len = PQgetlength(res_, row, col);
    return c;
  }

 private:
  PGresult* res_;
};

struct ResultCloser {
  void operator()(PGresult* r) const { PQclear(r); }
};
using ResultPtr = std::unique_ptr<PGresult, ResultCloser>;

class PgConnection : public Connection {
 public:
  explicit PgConnection(PGconn* c) : c_(c) {
    PQsetNoticeProcessor(c_, [](void*, const char*) {}, nullptr);
  }
  ~PgConnection() override { PQfinish(c_); }

  bool IsPostgres() const override { return true; }
  QString BeginSql() const override { return "BEGIN"; }
  bool EngineInTransaction() override {
    return PQtransactionStatus(c_) == PQTRANS_INTRANS || PQtransactionStatus(c_) == PQTRANS_INERROR;
  }
  bool TransactionFailed() override { return PQtransactionStatus(c_) == PQTRANS_INERROR; }

  bool Alive() override {
    if (PQstatus(c_) != CONNECTION_OK) return false;
    pollfd p{PQsocket(c_), short(POLLIN | POLLRDHUP), 0};
    if (poll(&p, 1, 0) > 0) {
      // Anything arriving while idle is a notice or the server saying goodbye.
      if (p.revents & (POLLHUP | POLLRDHUP | POLLERR | POLLNVAL)) return false;
      if (!PQconsumeInput(c_)) return false;
      while (PGnotify* n = PQnotifies(c_)) PQfreemem(n);
    }
    return PQstatus(c_) == CONNECTION_OK;
  }

  std::unique_ptr<RowSet> Run(const Statement& st, int* affected) override {
    if (PQstatus(c_) != CONNECTION_OK) throw DbError("The connection to the database server was lost");
    Send(st);
    Wait(st.progress);
    ResultPtr last;
    QString error;
    while (PGresult* raw = PQgetResult(c_)) {
      ResultPtr r(raw);
      const ExecStatusType s = PQresultStatus(raw);
      if (s == PGRES_FATAL_ERROR || s == PGRES_BAD_RESPONSE || s == PGRES_NONFATAL_ERROR) {
        if (error.isEmpty()) error = ErrorText(PQresultErrorMessage(raw));
      } else if (s == PGRES_TUPLES_OK) {
        if (affected) *affected = ParseCount(PQcmdTuples(raw));
        last = std::move(r);
      } else if (s == PGRES_COMMAND_OK) {
        if (affected) *affected = ParseCount(PQcmdTuples(raw));
      } else if (s == PGRES_COPY_IN || s == PGRES_COPY_OUT || s == PGRES_COPY_BOTH) {
        error = "COPY is not supported";
        break;
      }
    }
    if (!error.isEmpty()) throw DbError(error);
    if (PQstatus(c_) != CONNECTION_OK) throw DbError(ErrorText(PQerrorMessage(c_)));
    return std::make_unique<PgRowSet>(last.release(), st.maxRows);
  }

 private:
  PGconn* c_;

  static int ParseCount(const char* s) {
    int n = 0;
    std::from_chars(s, s + strlen(s), n);
    return n;
  }

  void Send(const Statement& st) {
    const QByteArray sql = st.sql.toUtf8();
    int ok;
    if (st.params.empty()) {
      ok = PQsendQuery(c_, sql.constData());
    } else {
      // Every value travels as text; the server reads it by the column's type.
      std::vector<std::string> text(st.params.size());
      std::vector<const char*> values(st.params.size());
      for (size_t k = 0; k < st.params.size(); ++k) values[k] = ParamText(st.params[k], text[k]);
      ok = PQsendQueryParams(c_, sql.constData(), int(values.size()), nullptr, values.data(),
                             nullptr, nullptr, 0);
    }
    if (!ok) throw DbError(ErrorText(PQerrorMessage(c_)));
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
  void Wait(const ProgressFn* progress) {
    using Clock = std::chrono::steady_clock;
    auto lastTick = Clock::now();
    bool cancelled = false;
    while (PQisBusy(c_)) {
      pollfd p{PQsocket(c_), POLLIN, 0};
      const int r = poll(&p, 1, 50);
      if (r < 0 && errno != EINTR) throw DbError("Waiting for the database server failed");
      if (!PQconsumeInput(c_)) throw DbError(ErrorText(PQerrorMessage(c_)));
      if (!progress || !*progress || Clock::now() - lastTick < std::chrono::milliseconds(50)) continue;
      lastTick = Clock::now();
      bool abort = false;
      (*progress)(0, abort);
      if (abort && !cancelled) cancelled = Cancel();
    }
  }

  bool Cancel() {
    PGcancel* cancel = PQgetCancel(c_);
    if (!cancel) return false;
    char err[256];
    PQcancel(cancel, err, sizeof err);
    PQfreeCancel(cancel);
    return true;
  }
};

}  // namespace

std::unique_ptr<Connection> OpenPostgres(const Database& db, const Session& s) {
  const bool internet = s.RemoteTransport == Session::RemoteType::Internet;
  const bool verify = internet && !s.RemoteSslRootCert.isEmpty();
  std::vector<std::pair<const char*, QByteArray>> params = {
      {"host", s.RemoteHost.toUtf8()},
      {"port", QByteArray::number(s.RemotePort)},
      {"dbname", db.RemoteDatabase.toUtf8()},
      {"user", s.RemoteUser.toUtf8()},
      {"password", s.RemotePassword.toUtf8()},
      {"connect_timeout", QByteArray::number(qMax(1, s.ConnectTimeoutSeconds))},
      {"client_encoding", "UTF8"},
      {"application_name", "Tessarin"},
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
  PGconn* c = PQconnectdbParams(keys.data(), values.data(), 0);
  if (!c) throw DbError("Out of memory while connecting to the database server");
  if (PQstatus(c) != CONNECTION_OK) {
    const QString msg = ErrorText(PQerrorMessage(c));
    PQfinish(c);
    throw DbError(msg);
  }
  auto conn = std::make_unique<PgConnection>(c);
  const int lockMs = qMax(1, s.LockRetryCount * s.LockWaitTime);
  // Quotes are doubled and backslashes literal (what sql::Quote relies on);
  // a row lock held elsewhere fails after the session's wait, never hangs.
  conn->Exec(QString("SET standard_conforming_strings = on; SET DateStyle = 'ISO, YMD';"
                     " SET lock_timeout = %1; SET client_min_messages = warning")
                 .arg(lockMs));
  return conn;
}

}  // namespace kdb
