#pragma once
// Where the catalogue's rows go: one table at a time, row by row, through the
// engine's bulk path. SQLite gets one prepared INSERT per table inside the
// caller's transaction; PostgreSQL gets COPY ... FROM STDIN in text format.
// A memory sink keeps the rows for the generator's tests.
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
struct pg_conn;

namespace kvcat {

// One value of a row. Money is raw four-decimal fixed point; a stamp is
// "yyyy-mm-dd hh:mm:ss" text.
struct Value {
  enum Kind : unsigned char { Null, Int, Real, Money, Bool, Text, Stamp };
  Kind kind = Null;
  long long i = 0;  // Int, Money (raw), Bool
  double d = 0;     // Real
  std::string s;    // Text, Stamp
};

// A row being built; the generator reuses one per table.
class Row {
 public:
  Row& Null() {
    Put(Value::Null);
    return *this;
  }
  Row& Int(long long v) { Put(Value::Int).i = v; return *this; }
  Row& Real(double v) { Put(Value::Real).d = v; return *this; }
  Row& Money(long long raw) { Put(Value::Money).i = raw; return *this; }
  Row& Bool(bool v) { Put(Value::Bool).i = v ? 1 : 0; return *this; }
  Row& Text(const std::string& v) { Put(Value::Text).s = v; return *this; }
  Row& Text(const QString& v) { return Text(v.toStdString()); }
  Row& Stamp(const std::string& v) { Put(Value::Stamp).s = v; return *this; }
  // An id that may be absent (0 stands for none).
  Row& OptId(long long v) { return v > 0 ? Int(v) : Null(); }

  void Clear() { used_ = 0; }
  size_t Size() const { return used_; }
  const Value& At(size_t k) const { return values_[k]; }

 private:
  std::vector<Value> values_;
  size_t used_ = 0;
  Value& Put(Value::Kind k) {
    if (used_ == values_.size()) values_.emplace_back();
    Value& v = values_[used_++];
    v.kind = k;
    return v;
  }
};

class RowSink {
 public:
  virtual ~RowSink() = default;
  virtual void Begin(const QString& table, const QStringList& columns) = 0;
  virtual void Add(const Row& row) = 0;
  virtual void End() = 0;
};

// A value as COPY's text format writes it: \N for NULL, backslash, tab,
// newline and carriage return escaped, booleans t/f, money with four decimals.
void AppendCopyText(std::string& out, const Value& v);

// Prepared inserts on an open SQLite connection; the caller owns the
// transaction. Throws kdb::DbError with SQLite's text.
class SqliteSink : public RowSink {
 public:
  explicit SqliteSink(sqlite3* db) : db_(db) {}
  ~SqliteSink() override;
  void Begin(const QString& table, const QStringList& columns) override;
  void Add(const Row& row) override;
  void End() override;

 private:
  sqlite3* db_;
  sqlite3_stmt* st_ = nullptr;
  QString table_;
};

// COPY FROM STDIN on an open libpq connection, sent in blocks of about 1 MB.
// Throws kdb::DbError with the server's text.
class PgCopySink : public RowSink {
 public:
  explicit PgCopySink(pg_conn* conn) : conn_(conn) {}
  void Begin(const QString& table, const QStringList& columns) override;
  void Add(const Row& row) override;
  void End() override;

 private:
  pg_conn* conn_;
  std::string buffer_;
  QString table_;
  void Flush();
};

// Keeps every row in memory, per table (for the generator's tests).
class MemorySink : public RowSink {
 public:
  void Begin(const QString& table, const QStringList& columns) override;
  void Add(const Row& row) override;
  void End() override {}

  size_t Count(const QString& table) const;
  // The value of a named column of a table's row (throws when absent).
  const Value& Get(const QString& table, size_t row, const QString& column) const;
  std::map<QString, std::vector<std::vector<Value>>> rows;
  std::map<QString, QStringList> columns;

 private:
  QString table_;
};

}  // namespace kvcat
