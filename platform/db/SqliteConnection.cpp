// The single-user edition: one SQLite file, write-ahead log, lock waits
// through the session's retry count and wait time.

#include "Connection.h"

#include <sqlite3.h>

#include <QDir>

#include <chrono>
#include <cstring>
#include <thread>

namespace kdb {

namespace {

// Rows buffered compactly: one kind byte and one 8-byte word per value (the
// integer, the double's bits, or the offset of the text in the arena, where a
// 4-byte length precedes the bytes).
class SqliteRowSet : public RowSet {
 public:
  explicit SqliteRowSet(sqlite3_stmt* st) {
    const int n = st ? sqlite3_column_count(st) : 0;
    columns_.reserve(size_t(n));
    for (int c = 0; c < n; ++c) {
      const QString name = QString::fromUtf8(sqlite3_column_name(st, c));
      columns_.push_back({name.toUpper(), name, conv::TypeFromDecl(sqlite3_column_decltype(st, c))});
    }
  }

  void Append(sqlite3_stmt* st) {
    const int n = ColumnCount();
    for (int c = 0; c < n; ++c) {
      const int type = sqlite3_column_type(st, c);
      qint64 word = 0;
      Cell::Kind kind = Cell::Null;
      if (type == SQLITE_INTEGER) {
        kind = Cell::Int;
        word = sqlite3_column_int64(st, c);
      } else if (type == SQLITE_FLOAT) {
        kind = Cell::Real;
        const double d = sqlite3_column_double(st, c);
        std::memcpy(&word, &d, sizeof word);
      } else if (type != SQLITE_NULL) {
        kind = Cell::Text;
        const auto* text = static_cast<const char*>(sqlite3_column_blob(st, c));
        const quint32 len = quint32(sqlite3_column_bytes(st, c));
        word = qint64(arena_.size());
        arena_.append(reinterpret_cast<const char*>(&len), sizeof len);
        if (len) arena_.append(text, len);
      }
      kinds_.push_back(kind);
      words_.push_back(word);
    }
    ++rows_;
  }

  // Expressions have no declared type: take it from the first value.
  void GuessTypes() {
    for (int c = 0; c < ColumnCount(); ++c) {
      if (columns_[size_t(c)].type != FieldType::Unknown) continue;
      for (int r = 0; r < rows_; ++r) {
        const auto k = kinds_[size_t(r) * size_t(ColumnCount()) + size_t(c)];
        if (k == Cell::Null) continue;
        columns_[size_t(c)].type = k == Cell::Int    ? FieldType::Integer
                                   : k == Cell::Real ? FieldType::Float
                                                     : FieldType::Text;
        break;
      }
    }
  }

  Cell Get(int row, int col) const override {
    const size_t k = size_t(row) * size_t(ColumnCount()) + size_t(col);
    Cell c;
    c.kind = Cell::Kind(kinds_[k]);
    const qint64 w = words_[k];
    if (c.kind == Cell::Int) {
      c.i = w;
    } else if (c.kind == Cell::Real) {
      std::memcpy(&c.d, &w, sizeof c.d);
    } else if (c.kind == Cell::Text) {
      quint32 len;
      std::memcpy(&len, arena_.data() + w, sizeof len);
      c.s = arena_.data() + w + sizeof len;
      c.len = int(len);
    }
    return c;
  }

 private:
  std::vector<quint8> kinds_;
  std::vector<qint64> words_;
  std::string arena_;
};

struct StmtCloser {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using StmtPtr = std::unique_ptr<sqlite3_stmt, StmtCloser>;

class SqliteConnection : public Connection {
 public:
  SqliteConnection(sqlite3* db, const Session& s)
      : db_(db), retries_(s.LockRetryCount), waitMs_(s.LockWaitTime) {
    sqlite3_busy_handler(db_, &SqliteConnection::Busy, this);
  }
  ~SqliteConnection() override { sqlite3_close_v2(db_); }

  bool IsPostgres() const override { return false; }
  bool Alive() override { return db_ != nullptr; }
  QString BeginSql() const override { return "BEGIN IMMEDIATE"; }
  bool EngineInTransaction() override { return !sqlite3_get_autocommit(db_); }

  std::unique_ptr<RowSet> Run(const Statement& st, int* affected) override {
    const QByteArray sql = st.sql.toUtf8();
    const char* p = sql.constData();
    const char* end = p + sql.size();
    std::unique_ptr<SqliteRowSet> result;
    ProgressScope progress(this, st.progress);
    while (p < end) {
      sqlite3_stmt* raw = nullptr;
      const char* tail = nullptr;
      if (sqlite3_prepare_v2(db_, p, int(end - p), &raw, &tail) != SQLITE_OK) Fail();
      StmtPtr stmt(raw);
      p = tail;
      if (!stmt) continue;  // only blanks or a comment were left
      Bind(stmt.get(), st.params);
      auto rows = Fetch(stmt.get(), st.maxRows);
      if (affected) *affected = sqlite3_stmt_readonly(stmt.get()) ? 0 : sqlite3_changes(db_);
      if (rows->ColumnCount() > 0) result = std::move(rows);
    }
    if (!result) return std::make_unique<SqliteRowSet>(nullptr);
    return result;
  }

 private:
  sqlite3* db_;
  int retries_;
  int waitMs_;
  const ProgressFn* progress_ = nullptr;
  std::chrono::steady_clock::time_point lastTick_;

  // The session's pessimistic locking: wait LockWaitTime, LockRetryCount times.
  static int Busy(void* self, int count) {
    auto* c = static_cast<SqliteConnection*>(self);
    if (count >= c->retries_) return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(c->waitMs_));
    return 1;
  }

  static int Tick(void* self) {
    auto* c = static_cast<SqliteConnection*>(self);
    const auto now = std::chrono::steady_clock::now();
    if (now - c->lastTick_ < std::chrono::milliseconds(50)) return 0;
    c->lastTick_ = now;
    bool abort = false;
    (*c->progress_)(0, abort);
    return abort ? 1 : 0;
  }

  struct ProgressScope {
    SqliteConnection* c;
    ProgressScope(SqliteConnection* conn, const ProgressFn* fn) : c(conn) {
      if (!fn || !*fn) { c = nullptr; return; }
      conn->progress_ = fn;
      conn->lastTick_ = std::chrono::steady_clock::now();
      sqlite3_progress_handler(conn->db_, 10000, &SqliteConnection::Tick, conn);
    }
    ~ProgressScope() {
      if (c) sqlite3_progress_handler(c->db_, 0, nullptr, nullptr), c->progress_ = nullptr;
    }
  };

  [[noreturn]] void Fail() const { throw DbError(QString::fromUtf8(sqlite3_errmsg(db_))); }

  void Bind(sqlite3_stmt* st, const std::vector<QVariant>& params) {
    for (size_t n = 0; n < params.size(); ++n) {
      const QByteArray name = "$" + QByteArray::number(qulonglong(n + 1));
      const int index = sqlite3_bind_parameter_index(st, name.constData());
      if (index == 0) continue;
      std::string scratch;
      const Cell c = conv::FromValue(params[n], scratch);
      int rc = SQLITE_OK;
      switch (c.kind) {
        case Cell::Null: rc = sqlite3_bind_null(st, index); break;
        case Cell::Int: rc = sqlite3_bind_int64(st, index, c.i); break;
        case Cell::Real: rc = sqlite3_bind_double(st, index, c.d); break;
        case Cell::Money:  // whole amounts stay integers, as SQLite itself stores them
          rc = c.i % 10000 == 0 ? sqlite3_bind_int64(st, index, c.i / 10000)
                                : sqlite3_bind_double(st, index, double(c.i) / 10000.0);
          break;
        case Cell::Text: rc = sqlite3_bind_text(st, index, c.s, c.len, SQLITE_TRANSIENT); break;
      }
      if (rc != SQLITE_OK) Fail();
    }
  }

  std::unique_ptr<SqliteRowSet> Fetch(sqlite3_stmt* st, int maxRows) {
    auto rows = std::make_unique<SqliteRowSet>(st);
    for (;;) {
      const int rc = sqlite3_step(st);
      if (rc == SQLITE_DONE) break;
      if (rc != SQLITE_ROW) Fail();
      if (maxRows < 0 || rows->RowCount() < maxRows) rows->Append(st);
    }
    rows->GuessTypes();
    return rows;
  }
};

}  // namespace

std::unique_ptr<Connection> OpenSqlite(const QString& file, const Session& s) {
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(file.toUtf8().constData(), &db,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (rc != SQLITE_OK) {
    const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString("out of memory");
    sqlite3_close_v2(db);
    throw DbError(msg + ": " + file);
  }
  auto conn = std::make_unique<SqliteConnection>(db, s);
  if (!s.PrivateDir.isEmpty()) {
    QDir().mkpath(s.PrivateDir);
    conn->Exec("PRAGMA temp_store_directory = " + sql::Quote(QDir::toNativeSeparators(s.PrivateDir)));
  }
  // The first statement reads the file header: a file that is no database
  // fails here, with the engine's message.
  conn->Exec("PRAGMA journal_mode = WAL");
  // LIKE compares case-sensitively on both engines.
  conn->Exec("PRAGMA synchronous = NORMAL; PRAGMA case_sensitive_like = ON");
  return conn;
}

}  // namespace kdb
