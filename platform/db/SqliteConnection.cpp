// The single-user edition: one SQLite file, write-ahead log, lock waits
// through the session's retry count and wait time.

#include "Connection.h"

#include <sqlite3.h>

#include <QDir>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <cstdlib>
#include <mutex>
#include <new>
#include <system_error>
#include <unordered_map>

#include <sys/mman.h>
#include <thread>

namespace kdb {

namespace {

struct FreeBlock {
  void operator()(char* p) const { std::free(p); }
};
using Block = std::unique_ptr<char, FreeBlock>;

// Result blocks freed by one query serve the next: fresh memory costs the
// system a cleared page per fault, more than filling it does. Blocks are
// huge-page sized and aligned, and ask for huge pages where the system grants
// them on request. Once a result outgrows its first block, a helper thread
// faults in the next few blocks, so the page clearing runs beside the fetch
// instead of inside it.
class BlockPool {
 public:
  static constexpr size_t kBlock = 2 << 20;
  static constexpr size_t kKeep = 16;
  static constexpr size_t kAhead = 8;

  // growing: the caller has taken blocks before, so more will follow.
  static Block Take(bool growing) {
    BlockPool& p = Instance();
    {
      std::lock_guard<std::mutex> lock(p.mutex_);
      if (growing) {
        p.wanted_ = true;
        p.wake_.notify_one();
      }
      if (!p.free_.empty()) {
        Block b = std::move(p.free_.back());
        p.free_.pop_back();
        return b;
      }
    }
    return Fresh();
  }
  static void Give(Block b) {
    BlockPool& p = Instance();
    std::lock_guard<std::mutex> lock(p.mutex_);
    if (p.free_.size() < kKeep) p.free_.push_back(std::move(b));
  }

 private:
  BlockPool() {
    try {
      std::thread([this] { Prepare(); }).detach();
    } catch (const std::system_error&) {
      // no helper: every block is faulted in by the fetch itself
    }
  }
  // Never destroyed: a result may be freed during the program's exit.
  static BlockPool& Instance() {
    static BlockPool* pool = new BlockPool;
    return *pool;
  }
  static char* Allocate() {
    char* p = static_cast<char*>(std::aligned_alloc(kBlock, kBlock));
    if (p) madvise(p, kBlock, MADV_HUGEPAGE);
    return p;
  }
  static Block Fresh() {
    Block b(Allocate());
    if (!b) throw std::bad_alloc();
    return b;
  }
  void Prepare() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      wake_.wait(lock, [this] { return wanted_; });
      wanted_ = false;
      while (free_.size() < kAhead) {
        lock.unlock();
        Block b(Allocate());
        for (size_t at = 0; b && at < kBlock; at += 4096) b.get()[at] = 0;  // faults the pages in
        lock.lock();
        if (!b) break;  // out of memory: the fetch will report it itself
        if (free_.size() < kKeep) free_.push_back(std::move(b));
      }
    }
  }
  std::mutex mutex_;
  std::condition_variable wake_;
  bool wanted_ = false;
  std::vector<Block> free_;
};

// Rows buffered compactly, row after row in large blocks, much as SQLite keeps
// its own records: per row one tag byte per column telling what the value is
// and how many bytes it takes, then the values back to back (integers in as
// few bytes as hold them, doubles in eight, texts as their UTF-8 bytes, a long
// text after its four-byte length). A value is found by adding up the sizes of
// those before it; the offsets of the row read last are kept, so reading the
// fields of a row one after another decodes its tags once.
class SqliteRowSet : public RowSet {
 public:
  // `known`: the statement's columns as described for an earlier result.
  SqliteRowSet(sqlite3_stmt* st, SharedColumns known) {
    if (known) {
      columns_ = std::move(known);
    } else {
      const int n = st ? sqlite3_column_count(st) : 0;
      auto columns = std::make_shared<ColumnList>();
      columns->reserve(size_t(n));
      for (int c = 0; c < n; ++c) {
        const QString name = QString::fromUtf8(sqlite3_column_name(st, c));
        columns->push_back({name.toUpper(), name, conv::TypeFromDecl(sqlite3_column_decltype(st, c))});
        untyped_ += columns->back().type == FieldType::Unknown;
      }
      own_ = columns.get();
      columns_ = std::move(columns);
    }
    pending_.resize(columns_->size());
    offsets_.resize(columns_->size());
  }
  // All columns have a declared type: the description holds for every result.
  bool Typed() const { return untyped_ == 0; }

  ~SqliteRowSet() override {
    for (auto& b : blocks_) BlockPool::Give(std::move(b));
  }

  void Append(sqlite3_stmt* st) {
    const size_t n = pending_.size();
    size_t size = n;
    // One API call per column for the value; the value_* reads are plain.
    for (size_t c = 0; c < n; ++c) {
      sqlite3_value* v = sqlite3_column_value(st, int(c));
      Pending& p = pending_[c];
      switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER: p.i = sqlite3_value_int64(v), p.tag = IntTag(p.i); break;
        case SQLITE_FLOAT: p.d = sqlite3_value_double(v), p.tag = kReal; break;
        case SQLITE_NULL: p.tag = kNull; break;
        default:  // text and blobs: the bytes as they are
          p.s = sqlite3_value_blob(v);
          p.len = quint32(sqlite3_value_bytes(v));
          p.tag = p.len <= kMaxShort ? quint8(kShortText + p.len) : quint8(kLongText);
      }
      size += Size(p.tag, p.len);
    }
    if (untyped_ > 0) GuessTypes();
    char* row = Allocate(size);
    char* at = row + n;
    for (size_t c = 0; c < n; ++c) {
      const Pending& p = pending_[c];
      row[c] = char(p.tag);
      switch (p.tag) {
        case kNull: break;
        case kInt1: at = Store(at, qint8(p.i)); break;
        case kInt2: at = Store(at, qint16(p.i)); break;
        case kInt4: at = Store(at, qint32(p.i)); break;
        case kInt8: at = Store(at, p.i); break;
        case kReal: at = Store(at, p.d); break;
        case kLongText: at = Store(at, p.len); [[fallthrough]];
        default:
          if (p.len) std::memcpy(at, p.s, p.len);
          at += p.len;
      }
    }
    rowStart_.push_back(row);
    ++rows_;
  }

  Cell Get(int row, int col) const override {
    if (row != located_) Locate(row);
    const char* r = rowStart_[size_t(row)];
    const char* p = r + offsets_[size_t(col)];
    const quint8 tag = quint8(r[col]);
    Cell c;
    switch (tag) {
      case kNull: break;
      case kInt1: c.kind = Cell::Int, c.i = Load<qint8>(p); break;
      case kInt2: c.kind = Cell::Int, c.i = Load<qint16>(p); break;
      case kInt4: c.kind = Cell::Int, c.i = Load<qint32>(p); break;
      case kInt8: c.kind = Cell::Int, c.i = Load<qint64>(p); break;
      case kReal: c.kind = Cell::Real, c.d = Load<double>(p); break;
      case kLongText: c.kind = Cell::Text, c.len = int(Load<quint32>(p)), c.s = p + 4; break;
      default: c.kind = Cell::Text, c.len = tag - kShortText, c.s = p;
    }
    return c;
  }

 private:
  // kShortText + n: a text of n bytes stored without its length.
  enum Tag : quint8 { kNull, kInt1, kInt2, kInt4, kInt8, kReal, kLongText, kShortText };
  static constexpr quint32 kMaxShort = 255 - kShortText;

  struct Pending {  // a value of the row being appended
    union {
      qint64 i;
      double d;
      const void* s;
    };
    quint32 len = 0;
    quint8 tag = kNull;
  };

  static Tag IntTag(qint64 i) {
    return i == qint8(i) ? kInt1 : i == qint16(i) ? kInt2 : i == qint32(i) ? kInt4 : kInt8;
  }
  // Bytes of a value after the tags; len is the text's length.
  static size_t Size(quint8 tag, quint32 len) {
    static constexpr quint8 kFixed[] = {0, 1, 2, 4, 8, 8};
    return tag < kLongText ? kFixed[tag] : tag == kLongText ? 4 + size_t(len) : size_t(tag - kShortText);
  }
  template <class T>
  static char* Store(char* at, T v) {
    std::memcpy(at, &v, sizeof v);
    return at + sizeof v;
  }
  template <class T>
  static T Load(const char* at) {
    T v;
    std::memcpy(&v, at, sizeof v);
    return v;
  }

  // Expressions have no declared type: it is taken from the first value
  // (only results that described their own columns have such).
  void GuessTypes() {
    for (size_t c = 0; c < own_->size(); ++c) {
      const quint8 tag = pending_[c].tag;
      Column& col = (*own_)[c];
      if (col.type != FieldType::Unknown || tag == kNull) continue;
      col.type = tag == kReal ? FieldType::Float : tag < kReal ? FieldType::Integer : FieldType::Text;
      --untyped_;
    }
  }

  void Locate(int row) const {
    const char* r = rowStart_[size_t(row)];
    size_t at = offsets_.size();
    for (size_t c = 0; c < offsets_.size(); ++c) {
      offsets_[c] = at;
      const quint8 tag = quint8(r[c]);
      at += Size(tag, tag == kLongText ? Load<quint32>(r + at) : 0);
    }
    located_ = row;
  }

  char* Allocate(size_t size) {
    if (size > BlockPool::kBlock) {  // a row of huge texts gets a block of its own
      big_.push_back(std::make_unique_for_overwrite<char[]>(size));
      return big_.back().get();
    }
    if (!block_ || used_ + size > capacity_) NextBlock(size);
    char* p = block_ + used_;
    used_ += size;
    return p;
  }

  // Most results are a few rows (a look-up, a pick list, a PRAGMA): their
  // first block is a small one of the heap, so they neither take a block of
  // the pool nor make the system clear a fresh huge page for a handful of
  // bytes. A result that outgrows it goes on in blocks of the pool.
  void NextBlock(size_t size) {
    if (!block_ && size <= kFirstBlock) {
      first_.reset(static_cast<char*>(std::malloc(kFirstBlock)));
      if (!first_) throw std::bad_alloc();
      block_ = first_.get();
      capacity_ = kFirstBlock;
    } else {
      blocks_.push_back(BlockPool::Take(!blocks_.empty()));
      block_ = blocks_.back().get();
      capacity_ = BlockPool::kBlock;
    }
    used_ = 0;
  }

  static constexpr size_t kFirstBlock = 16 << 10;
  std::vector<Pending> pending_;
  ColumnList* own_ = nullptr;  // the columns this result described itself
  int untyped_ = 0;  // columns whose type is still unknown
  Block first_;                 // the small first block
  std::vector<Block> blocks_;   // blocks of the pool
  char* block_ = nullptr;       // the block rows are appended to
  size_t capacity_ = 0;
  size_t used_ = 0;
  std::vector<std::unique_ptr<char[]>> big_;
  std::vector<const char*> rowStart_;
  // Where each value of row located_ starts. A result is read by one thread.
  mutable std::vector<size_t> offsets_;
  mutable int located_ = -1;
};

struct StmtCloser {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using StmtPtr = std::unique_ptr<sqlite3_stmt, StmtCloser>;

class SqliteConnection : public Connection {
 public:
  SqliteConnection(sqlite3* db, const Session& s)
      : db_(db), retries_(s.LockRetryCount), sessionRetries_(s.LockRetryCount), waitMs_(s.LockWaitTime) {
    sqlite3_busy_handler(db_, &SqliteConnection::Busy, this);
  }
  ~SqliteConnection() override {
    cache_.clear();  // every statement before the connection
    recent_.clear();
    sqlite3_close_v2(db_);
  }

  bool IsPostgres() const override { return false; }
  bool Alive() override { return db_ != nullptr; }
  QString BeginSql() const override { return "BEGIN IMMEDIATE"; }
  bool EngineInTransaction() override { return !sqlite3_get_autocommit(db_); }
  void SetLockWait(int ms) override {
    retries_ = ms < 0 ? sessionRetries_ : qMax(1, (ms + waitMs_ - 1) / qMax(1, waitMs_));
  }

  std::unique_ptr<RowSet> Run(const Statement& st, int* affected) override {
    ProgressScope progress(this, st.progress);
    QByteArray sql = st.sql.toUtf8();
    positional_ = !st.params.empty() && Positional(sql, st.params.size());
    if (st.prepare) return RunCached(sql, st, affected);
    // A text run a moment ago (a look-up of every reload, a unit's savepoint)
    // runs the statement kept from then: on a table of many columns and
    // indexes, preparing costs more than running.
    std::string key = sql.toStdString();
    if (auto kept = recent_.find(key); kept != recent_.end()) return RunKept(kept->second, st, affected);
    const char* p = sql.constData();
    const char* end = p + sql.size();
    std::unique_ptr<SqliteRowSet> result;
    while (p < end) {
      sqlite3_stmt* raw = nullptr;
      const char* tail = nullptr;
      if (sqlite3_prepare_v2(db_, p, int(end - p), &raw, &tail) != SQLITE_OK) Fail();
      StmtPtr stmt(raw);
      const bool whole = p == sql.constData() && OnlyBlanks(tail, end);
      p = tail;
      if (!stmt) continue;  // only blanks or a comment were left
      if (whole) {
        // One statement: kept for the next run of the same text.
        if (recent_.size() >= kRecentSize) recent_.clear();
        Kept& kept = recent_.emplace(std::move(key), Kept{std::move(stmt), nullptr, -1}).first->second;
        return RunKept(kept, st, affected);
      }
      auto rows = Execute(stmt.get(), st, affected);
      if (rows->ColumnCount() > 0) result = std::move(rows);
    }
    if (!result) return std::make_unique<SqliteRowSet>(nullptr, nullptr);
    return result;
  }

 private:
  // The statements the table layer generates, kept prepared; a full cache
  // starts over (the table layer makes few distinct statements).
  static constexpr size_t kCacheSize = 200;
  sqlite3* db_;
  bool positional_ = false;  // the statement being run binds by position
  int retries_;
  int sessionRetries_;
  int waitMs_;
  // A kept statement, and its columns as described for its last result
  // (while SQLite has not prepared it again since: a table changed).
  struct Kept {
    StmtPtr stmt;
    SharedColumns columns;
    int prepares = -1;
  };
  std::unordered_map<std::string, Kept> cache_;
  // Other statements of one statement each, kept by their text; a full
  // store starts over (most texts hold values and come once).
  static constexpr size_t kRecentSize = 64;
  std::unordered_map<std::string, Kept> recent_;
  const ProgressFn* progress_ = nullptr;
  std::chrono::steady_clock::time_point lastTick_;

  // The session's pessimistic locking: wait LockWaitTime, LockRetryCount times.
  static int Busy(void* self, int count) {
    auto* c = static_cast<SqliteConnection*>(self);
    if (count >= c->retries_) return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(c->waitMs_));
    // A statement run with a progress callback keeps the program's window
    // alive through the wait too (BEGIN IMMEDIATE waits here, not in a step).
    if (c->progress_ && *c->progress_) {
      bool abort = false;
      (*c->progress_)(0, abort);
      if (abort) return 0;
    }
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

  // SQLite looks a named parameter ("$1") up among those before it, when it
  // prepares a statement and when it binds one: a statement of many
  // parameters (a multi-row insert) would cost the square of their number.
  // When the statement is one, and "$1" .. "$n" stand in it in that order,
  // once each and outside quotes, they become plain "?" bound by position.
  static bool Positional(QByteArray& sql, size_t count) {
    QByteArray out;
    out.reserve(sql.size());
    size_t next = 1;
    char quote = 0;
    for (qsizetype i = 0; i < sql.size(); ++i) {
      const char c = sql[i];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '\'' || c == '"') {
        quote = c;
      } else if (c == ';') {
        return false;
      } else if (c == '$' && i + 1 < sql.size() && sql[i + 1] >= '0' && sql[i + 1] <= '9') {
        qsizetype j = i + 1;
        size_t n = 0;
        while (j < sql.size() && sql[j] >= '0' && sql[j] <= '9') n = n * 10 + size_t(sql[j++] - '0');
        if (n != next++) return false;
        out += '?';
        i = j - 1;
        continue;
      }
      out += c;
    }
    if (next - 1 != count) return false;
    sql = out;
    return true;
  }

  void Bind(sqlite3_stmt* st, const std::vector<QVariant>& params) {
    for (size_t n = 0; n < params.size(); ++n) {
      int index = int(n + 1);
      if (!positional_) {
        const QByteArray name = "$" + QByteArray::number(qulonglong(n + 1));
        index = sqlite3_bind_parameter_index(st, name.constData());
      }
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

  std::unique_ptr<SqliteRowSet> Execute(sqlite3_stmt* stmt, const Statement& st, int* affected,
                                        Kept* kept = nullptr) {
    Bind(stmt, st.params);
    auto rows = Fetch(stmt, st.maxRows, kept);
    if (affected) *affected = sqlite3_stmt_readonly(stmt) ? 0 : sqlite3_changes(db_);
    return rows;
  }

  std::unique_ptr<RowSet> RunCached(const QByteArray& sql, const Statement& st, int* affected) {
    const std::string key = sql.toStdString();
    auto it = cache_.find(key);
    if (it == cache_.end()) {
      sqlite3_stmt* raw = nullptr;
      const char* tail = nullptr;
      if (sqlite3_prepare_v3(db_, key.c_str(), int(key.size()), SQLITE_PREPARE_PERSISTENT, &raw, &tail) != SQLITE_OK)
        Fail();
      StmtPtr stmt(raw);
      if (!stmt) return std::make_unique<SqliteRowSet>(nullptr, nullptr);
      if (tail && *tail) throw DbError("A prepared statement must be one statement: " + st.sql);
      if (cache_.size() >= kCacheSize) cache_.clear();
      it = cache_.emplace(key, Kept{std::move(stmt), nullptr, -1}).first;
    }
    return RunKept(it->second, st, affected);
  }

  static bool OnlyBlanks(const char* p, const char* end) {
    for (; p < end; ++p)
      if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != ';') return false;
    return true;
  }

  std::unique_ptr<RowSet> RunKept(Kept& kept, const Statement& st, int* affected) {
    sqlite3_stmt* stmt = kept.stmt.get();
    // Reset on every way out: a kept statement must not hold its read lock.
    struct Reset {
      sqlite3_stmt* s;
      ~Reset() {
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
      }
    } reset{stmt};
    return Execute(stmt, st, affected, &kept);
  }

  std::unique_ptr<SqliteRowSet> Fetch(sqlite3_stmt* st, int maxRows, Kept* kept) {
    // The columns are taken after the first step: a kept statement is
    // prepared again there when the table changed since (SELECT * grows).
    int rc = sqlite3_step(st);
    const int prepares = kept ? sqlite3_stmt_status(st, SQLITE_STMTSTATUS_REPREPARE, 0) : -1;
    const bool known = kept && kept->columns && kept->prepares == prepares;
    auto rows = std::make_unique<SqliteRowSet>(st, known ? kept->columns : nullptr);
    if (kept && !known && rows->Typed()) {
      kept->columns = rows->ColumnsShared();
      kept->prepares = prepares;
    }
    for (;; rc = sqlite3_step(st)) {
      if (rc == SQLITE_DONE) break;
      if (rc != SQLITE_ROW) Fail();
      if (maxRows < 0 || rows->RowCount() < maxRows) {
        rows->Append(st);
      } else if (sqlite3_stmt_readonly(st)) {
        break;  // a SELECT need not run to its end; a write must
      }
    }
    return rows;
  }
};

}  // namespace

std::unique_ptr<Connection> OpenSqlite(const QString& file, const Session& s, bool create) {
  // A statement that may fail half-way keeps the pages it changes in a
  // statement journal (an insert into PRODUCTS needs one for its expression
  // indexes). SQLite moves it to a temporary file past 64 kB, which a save
  // of one colour's sizes passes: a file made, written and deleted per save.
  // Up to a few MB it stays in memory. Set before the library starts (the
  // first open); when something else started it first the default holds.
  static const bool journalInMemory = [] {
    return sqlite3_config(SQLITE_CONFIG_STMTJRNL_SPILL, 4 << 20) == SQLITE_OK;
  }();
  (void)journalInMemory;
  sqlite3* db = nullptr;
  const int rc = sqlite3_open_v2(file.toUtf8().constData(), &db,
                                 SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX,
                                 nullptr);
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
