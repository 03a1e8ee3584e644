#include "CatalogueSinkClass.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstdio>

#include "KvDb.h"

namespace kvcat {

namespace {

void AppendMoney(std::string& out, long long raw) {
  const unsigned long long mag = raw < 0 ? 0ULL - static_cast<unsigned long long>(raw)
                                         : static_cast<unsigned long long>(raw);
  char buf[32];
  const int n = std::snprintf(buf, sizeof buf, "%s%llu.%04llu", raw < 0 ? "-" : "", mag / 10000, mag % 10000);
  out.append(buf, size_t(n));
}

}  // namespace

void AppendCopyText(std::string& out, const Value& v) {
  switch (v.kind) {
    case Value::Null: out += "\\N"; return;
    case Value::Int: out += std::to_string(v.i); return;
    case Value::Bool: out += v.i ? 't' : 'f'; return;
    case Value::Money: AppendMoney(out, v.i); return;
    case Value::Real: {
      char buf[40];
      const int n = std::snprintf(buf, sizeof buf, "%.17g", v.d);
      out.append(buf, size_t(n));
      return;
    }
    case Value::Text:
    case Value::Stamp:
      for (char c : v.s) {
        switch (c) {
          case '\\': out += "\\\\"; break;
          case '\t': out += "\\t"; break;
          case '\n': out += "\\n"; break;
          case '\r': out += "\\r"; break;
          case '\0': break;  // neither engine keeps a NUL inside text
          default: out += c;
        }
      }
      return;
  }
}

// ----- SQLite -----

SqliteSink::~SqliteSink() { sqlite3_finalize(st_); }

void SqliteSink::Begin(const QString& table, const QStringList& columns) {
  End();
  table_ = table;
  QStringList marks;
  for (int k = 0; k < columns.size(); ++k) marks << "?";
  const QByteArray sql =
      ("INSERT INTO " + table + " (" + columns.join(", ") + ") VALUES (" + marks.join(", ") + ")").toUtf8();
  if (sqlite3_prepare_v2(db_, sql.constData(), -1, &st_, nullptr) != SQLITE_OK)
    throw kdb::DbError("Catalogue: " + QString::fromUtf8(sqlite3_errmsg(db_)) + " in " + QString::fromUtf8(sql));
}

void SqliteSink::Add(const Row& row) {
  for (size_t k = 0; k < row.Size(); ++k) {
    const Value& v = row.At(k);
    const int at = int(k) + 1;
    switch (v.kind) {
      case Value::Null: sqlite3_bind_null(st_, at); break;
      case Value::Int:
      case Value::Bool: sqlite3_bind_int64(st_, at, v.i); break;
      case Value::Real: sqlite3_bind_double(st_, at, v.d); break;
      case Value::Money:  // whole amounts stay integers, as the data layer writes them
        if (v.i % 10000 == 0) sqlite3_bind_int64(st_, at, v.i / 10000);
        else sqlite3_bind_double(st_, at, double(v.i) / 10000.0);
        break;
      case Value::Text:
      case Value::Stamp: sqlite3_bind_text(st_, at, v.s.data(), int(v.s.size()), SQLITE_STATIC); break;
    }
  }
  const int rc = sqlite3_step(st_);
  sqlite3_reset(st_);
  if (rc != SQLITE_DONE)
    throw kdb::DbError("Catalogue: " + QString::fromUtf8(sqlite3_errmsg(db_)) + " in table " + table_);
}

void SqliteSink::End() {
  sqlite3_finalize(st_);
  st_ = nullptr;
}

// ----- PostgreSQL -----

namespace {

QString PgError(pg_conn* c) { return QString::fromUtf8(PQerrorMessage(c)).trimmed(); }

void Check(pg_conn* c, PGresult* r, ExecStatusType want, const QString& what) {
  const bool ok = PQresultStatus(r) == want;
  const QString message = ok ? QString() : QString::fromUtf8(PQresultErrorMessage(r)).trimmed();
  PQclear(r);
  if (!ok) throw kdb::DbError("Catalogue: " + what + ": " + (message.isEmpty() ? PgError(c) : message));
}

}  // namespace

void PgCopySink::Begin(const QString& table, const QStringList& columns) {
  table_ = table;
  buffer_.clear();
  Check(conn_, PQexec(conn_, ("COPY " + table + " (" + columns.join(", ") + ") FROM STDIN").toUtf8().constData()),
        PGRES_COPY_IN, "COPY " + table);
}

void PgCopySink::Add(const Row& row) {
  for (size_t k = 0; k < row.Size(); ++k) {
    if (k) buffer_ += '\t';
    AppendCopyText(buffer_, row.At(k));
  }
  buffer_ += '\n';
  if (buffer_.size() >= (1 << 20)) Flush();
}

void PgCopySink::Flush() {
  if (buffer_.empty()) return;
  if (PQputCopyData(conn_, buffer_.data(), int(buffer_.size())) != 1)
    throw kdb::DbError("Catalogue: COPY " + table_ + ": " + PgError(conn_));
  buffer_.clear();
}

void PgCopySink::End() {
  Flush();
  if (PQputCopyEnd(conn_, nullptr) != 1) throw kdb::DbError("Catalogue: COPY " + table_ + ": " + PgError(conn_));
  Check(conn_, PQgetResult(conn_), PGRES_COMMAND_OK, "COPY " + table_);
  while (PGresult* r = PQgetResult(conn_)) PQclear(r);
}

// ----- memory -----

void MemorySink::Begin(const QString& table, const QStringList& cols) {
  table_ = table;
  columns[table] = cols;
  rows[table];
}

void MemorySink::Add(const Row& row) {
  std::vector<Value> copy;
  copy.reserve(row.Size());
  for (size_t k = 0; k < row.Size(); ++k) copy.push_back(row.At(k));
  rows[table_].push_back(std::move(copy));
}

size_t MemorySink::Count(const QString& table) const {
  const auto it = rows.find(table);
  return it == rows.end() ? 0 : it->second.size();
}

const Value& MemorySink::Get(const QString& table, size_t row, const QString& column) const {
  const int k = columns.at(table).indexOf(column);
  if (k < 0) throw kdb::DbError("No column " + column + " in " + table);
  return rows.at(table).at(row).at(size_t(k));
}

}  // namespace kvcat
