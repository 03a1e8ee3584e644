#pragma once
// Inside the engine: the connection to SQLite or PostgreSQL, result rows and
// one value of a result. Nothing outside platform/db includes this header.

#include "KvDb.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kdb {

// One value as the engine delivered it. Text points into the result (or into
// a caller's scratch string) and is UTF-8, not NUL-terminated.
struct Cell {
  enum Kind : quint8 { Null, Int, Real, Money, Text };
  union {
    qint64 i = 0;      // Int; Money as raw (four decimals)
    double d;          // Real
    const char* s;     // Text
  };
  int len = 0;         // Text
  Kind kind = Null;
};
static_assert(sizeof(Cell) == 16, "a cell travels in registers");

struct Column {
  QString name;     // upper case: how fields are named
  QString sqlName;  // as the engine spells it, for generated statements
  FieldType type = FieldType::Unknown;
};

// The rows of one result, held compactly; the count is always known.
class RowSet {
 public:
  virtual ~RowSet() = default;
  int RowCount() const { return rows_; }
  int ColumnCount() const { return int(columns_.size()); }
  const Column& Col(int c) const { return columns_[size_t(c)]; }
  const std::vector<Column>& Columns() const { return columns_; }
  virtual Cell Get(int row, int col) const = 0;

 protected:
  std::vector<Column> columns_;
  int rows_ = 0;
};

// Field getters ask this for every value; it must not cost a call.
inline bool DataSet::HasCurrentRow() const { return rows_ && cur_ >= 0 && cur_ < rows_->RowCount(); }

using ProgressFn = std::function<void(int percentDone, bool& abort)>;

// A statement to run: SQL with $1..$n placeholders and their values (already
// converted to the column types: qlonglong, double, Currency, bool, QDateTime,
// QString, or invalid for NULL).
struct Statement {
  QString sql;
  std::vector<QVariant> params;
  const ProgressFn* progress = nullptr;
  int maxRows = -1;
};

class Connection {
 public:
  virtual ~Connection() = default;
  virtual bool IsPostgres() const = 0;
  // Cheap check, no round trip: false once the other end has gone.
  virtual bool Alive() = 0;
  // Runs the statement (without parameters it may hold several; the rows of
  // the last one are returned). Throws DbError with the engine's text.
  virtual std::unique_ptr<RowSet> Run(const Statement& st, int* affected = nullptr) = 0;
  virtual QString BeginSql() const = 0;
  // Whether the engine reports the connection inside a transaction block.
  virtual bool EngineInTransaction() = 0;
  // True when an error has spoiled the open transaction (PostgreSQL would
  // answer COMMIT with a silent rollback).
  virtual bool TransactionFailed() { return false; }

  void Exec(const QString& sql) { Run(Statement{sql, {}, nullptr, -1}); }
};

std::unique_ptr<Connection> OpenSqlite(const QString& file, const Session& s);
std::unique_ptr<Connection> OpenPostgres(const Database& db, const Session& s);

// ----- conversions shared by both engines (FieldConv.cpp) -----
namespace conv {
qint64 ToInt(const Cell& c, FieldType t);
double ToFloat(const Cell& c, FieldType t);
Currency ToMoney(const Cell& c, FieldType t);
bool ToBool(const Cell& c, FieldType t);
QDateTime ToDateTime(const Cell& c, FieldType t);
QString ToText(const Cell& c, FieldType t);
// The value in the column's own type (money as Currency); invalid for NULL.
QVariant ToValue(const Cell& c, FieldType t);
// A value given by a caller, converted to the column's type. Text is parsed
// strictly: an empty text is NULL, text that does not fit throws DbError.
QVariant Normalize(const QVariant& v, FieldType t, const QString& fieldName);
// A normalised value as a cell (text kept in scratch).
Cell FromValue(const QVariant& v, std::string& scratch);
// Money as the shortest decimal text ("12.5", "-0.0001", "3").
QString MoneyText(Currency c);
// Money exactly as four-decimal text ("12.5000").
std::string MoneyFixed(Currency c);
// 'yyyy-mm-dd hh:mm:ss' as both engines store it.
std::string StampText(const QDateTime& dt);
// Type of a column from its declared SQL type name.
FieldType TypeFromDecl(const char* decl);
}  // namespace conv

}  // namespace kdb
