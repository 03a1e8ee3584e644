// The single-user edition: one SQLite file, write-ahead log, lock waits
// through the session's retry count and wait time.

#include "Connection.h"

#include <sqlite3.h>

#include <QDir>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdlib>
#include <mutex>
#include <new>

#include <sys/mman.h>
#include <thread>

namespace kdb {

namespace {

struct FreeBlock {
  void operator()(char* p) const { std::free(p); }
};
using Block = std::unique_ptr<char, FreeBlock>;

// Result blocks freed by one query serve the next: fresh memory from the
// system costs a page fault per 4 KB, more than filling it does. Blocks are
// huge-page sized and aligned, and ask for huge pages where the system
// grants them on request.
class BlockPool {
 public:
  static constexpr size_t kBlock = 2 << 20;
  static constexpr size_t kKeep = 16;

  static Block Take() {
    {
      BlockPool& p = Instance();
      std::lock_guard<std::mutex> lock(p.mutex_);
      if (!p.free_.empty()) {
        Block b = std::move(p.free_.back());
        p.free_.pop_back();
        return b;
      }
    }
    Block b(static_cast<char*>(std::aligned_alloc(kBlock, kBlock)));
    if (!b) throw std::bad_alloc();
    madvise(b.get(), kBlock, MADV_HUGEPAGE);
    return b;
  }
  static void Give(Block b) {
    BlockPool& p = Instance();
    std::lock_guard<std::mutex> lock(p.mutex_);
    if (p.free_.size() < kKeep) p.free_.push_back(std::move(b));
  }

 private:
  // Never destroyed: a result may be freed during the program's exit.
  static BlockPool& Instance() {
    static BlockPool* pool = new BlockPool;
    return *pool;
  }
  std::mutex mutex_;
  std::vector<Block> free_;
};

// Rows buffered compactly, row after row in large blocks: per row one kind
// byte per column, then one 8-byte word per column (the integer, the double's
// bits, or the text's offset from the row start and its length), then the
// texts. Blocks never move, so rows are reached through a pointer each.
class SqliteRowSet : public RowSet {
 public:
  explicit SqliteRowSet(sqlite3_stmt* st) {
    const int n = st ? sqlite3_column_count(st) : 0;
    columns_.reserve(size_t(n));
    for (int c = 0; c < n; ++c) {
      const QString name = QString::fromUtf8(sqlite3_column_name(st, c));
      columns_.push_back({name.toUpper(), name, conv::TypeFromDecl(sqlite3_column_decltype(st, c))});
    }
    wordsAt_ = Align(size_t(n));
    header_ = wordsAt_ + 8 * size_t(n);
    types_.resize(size_t(n));
    sizes_.resize(size_t(n));
    values_.resize(size_t(n));
  }

  void Append(sqlite3_stmt* st) {
    const int n = ColumnCount();
    size_t size = header_;
    // One API call per column; the value_* accessors below are plain reads.
    for (int c = 0; c < n; ++c) {
      sqlite3_value* v = sqlite3_column_value(st, c);
      values_[size_t(c)] = v;
      types_[size_t(c)] = sqlite3_value_type(v);
      const bool text = types_[size_t(c)] == SQLITE_TEXT || types_[size_t(c)] == SQLITE_BLOB;
      sizes_[size_t(c)] = text ? quint32(sqlite3_value_bytes(v)) : 0;
      size += sizes_[size_t(c)];
    }
    char* row = Allocate(size);
    char* words = row + wordsAt_;
    size_t textAt = header_;
    for (int c = 0; c < n; ++c) {
      qint64 word = 0;
      Cell::Kind kind = Cell::Null;
      switch (types_[size_t(c)]) {
        case SQLITE_INTEGER:
          kind = Cell::Int;
          word = sqlite3_value_int64(values_[size_t(c)]);
          break;
        case SQLITE_FLOAT: {
          kind = Cell::Real;
          const double d = sqlite3_value_double(values_[size_t(c)]);
          std::memcpy(&word, &d, sizeof word);
          break;
        }
        case SQLITE_NULL: break;
        default: {
          kind = Cell::Text;
          const quint32 len = sizes_[size_t(c)];
          if (len) std::memcpy(row + textAt, sqlite3_value_blob(values_[size_t(c)]), len);
          word = qint64(quint64(textAt) << 32 | len);
          textAt += len;
        }
      }
      row[c] = char(kind);
      std::memcpy(words + 8 * size_t(c), &word, sizeof word);
    }
    rowStart_.push_back(row);
    ++rows_;
  }

  // Expressions have no declared type: take it from the first value.
  void GuessTypes() {
    for (int c = 0; c < ColumnCount(); ++c) {
      if (columns_[size_t(c)].type != FieldType::Unknown) continue;
      for (int r = 0; r < rows_; ++r) {
        const Cell v = Get(r, c);
        if (v.kind == Cell::Null) continue;
        columns_[size_t(c)].type = v.kind == Cell::Int    ? FieldType::Integer
                                   : v.kind == Cell::Real ? FieldType::Float
                                                          : FieldType::Text;
        break;
      }
    }
  }

  ~SqliteRowSet() override {
    for (auto& b : blocks_) BlockPool::Give(std::move(b));
  }

  Cell Get(int row, int col) const override {
    const char* r = rowStart_[size_t(row)];
    Cell c;
    c.kind = Cell::Kind(r[col]);
    qint64 w;
    std::memcpy(&w, r + wordsAt_ + 8 * size_t(col), sizeof w);
    if (c.kind == Cell::Int) {
      c.i = w;
    } else if (c.kind == Cell::Real) {
      std::memcpy(&c.d, &w, sizeof c.d);
    } else if (c.kind == Cell::Text) {
      c.s = r + (quint64(w) >> 32);
      c.len = int(w & 0xffffffff);
    }
    return c;
  }

 private:
  static size_t Align(size_t n) { return (n + 7) & ~size_t(7); }

  char* Allocate(size_t size) {
    size = Align(size);
    if (size > BlockPool::kBlock) {  // a row of huge texts gets a block of its own
      big_.push_back(std::make_unique_for_overwrite<char[]>(size));
      return big_.back().get();
    }
    if (blocks_.empty() || used_ + size > BlockPool::kBlock) {
      blocks_.push_back(BlockPool::Take());
      used_ = 0;
    }
    char* p = blocks_.back().get() + used_;
    used_ += size;
    return p;
  }

  size_t wordsAt_ = 0;  // offset of the words in a row
  size_t header_ = 0;
  std::vector<int> types_;        // of the row being appended
  std::vector<quint32> sizes_;
  std::vector<sqlite3_value*> values_;
  std::vector<Block> blocks_;
  size_t used_ = 0;
  std::vector<std::unique_ptr<char[]>> big_;
  std::vector<const char*> rowStart_;
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
      if (maxRows < 0 || rows->RowCount() < maxRows) {
        rows->Append(st);
      } else if (sqlite3_stmt_readonly(st)) {
        break;  // a SELECT need not run to its end; a write must
      }
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
