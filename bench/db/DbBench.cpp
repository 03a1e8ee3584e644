// Reads N rows of a PRODUCTS-shaped table (40 columns: integers, texts,
// NUMERIC(19,4) money, a flag, time stamps, a double) and every value of every
// row, once through kdb::Query and once through the engine's own C library,
// converting each value to the same C++ type both ways (integer, Currency,
// double, bool, QString; time stamps as their shown text).
//
// N comes from KV_BENCH_SCALE: "small" is 10,000 (the CI smoke run), a number
// is taken as is, the default is 1,000,000. PostgreSQL needs the test run's
// server (KV_PG_STATE); without it those cases report an error.

#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <QDir>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>

#include "KvBenchCompare.h"
#include "KvDb.h"
#include "KvDbTestSupport.h"
#include "ProductsShape.h"

using kdb::FieldType;
using kvtest::Engine;
using namespace dbbench;

namespace {

QString ValueSql(const Col& c, int n, bool pg) {
  const QString x = QString("(x * %1 % 9973)").arg(n + 3);
  switch (c.kind) {
    case K::Int: return x;
    case K::Text: return QString("'%1 ' || x").arg(QString(c.name).toLower());
    case K::Money: return x + " * 1.2345";
    case K::Flag: return "(x % 2 = 0)";
    case K::Real: return x + " * 0.5";
    case K::Stamp:
      return pg ? "TIMESTAMP '2024-01-01 00:00:00' + " + x + " * INTERVAL '1 minute'"
                : "datetime('2024-01-01 00:00:00', '+' || " + x + " || ' minutes')";
  }
  return {};
}

void Fill(kdb::Database& db, int rows) {
  const bool pg = db.IsPostgres();
  QStringList values;
  int n = 0;
  for (const Col& c : kCols) values << ValueSql(c, n++, pg);
  CreateProducts(db, false);  // generated PLUs repeat
  const QString select = "SELECT " + values.join(", ") + " FROM ";
  const QString series = pg ? QString("generate_series(1, %1) AS g(x)").arg(rows)
                            : QString("g");
  const QString with = pg ? "" : QString("WITH RECURSIVE g(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM g"
                                         " WHERE x < %1) ").arg(rows);
  db.Execute("INSERT INTO PRODUCTS (" + ColumnNames().join(", ") + ") " + with + select + series);
  if (pg) db.Execute("ANALYZE PRODUCTS");
}

const char* kSelect = "SELECT * FROM PRODUCTS";

// What every reader accumulates, so no read can be optimised away.
struct Sink {
  qint64 ints = 0;
  qint64 money = 0;
  double reals = 0;
  qint64 chars = 0;
  void Text(const QString& s) { chars += s.size(); }
};

// ----- through kdb -----
void ReadQuery(kdb::Database& db, Sink& sink, bool fetchOnly = false) {
  kdb::Query q(&db);
  q.SQL = kSelect;
  q.ExecSQL();
  if (fetchOnly) return void(sink.ints += q.RecordCount());
  const int n = q.FieldCount();
  for (; !q.Eof(); q.Next()) {
    for (int c = 0; c < n; ++c) {
      kdb::Field& f = q.Fields(c);
      switch (f.DataType()) {
        case FieldType::Integer: sink.ints += f.AsInteger(); break;
        case FieldType::Money: sink.money += f.AsCurrency().Raw(); break;
        case FieldType::Float: sink.reals += f.AsFloat(); break;
        case FieldType::Boolean: sink.ints += f.AsBoolean(); break;
        default: sink.Text(f.AsString()); break;
      }
    }
  }
}

// ----- through libsqlite3 -----
void ReadSqlite(sqlite3* db, Sink& sink) {
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, kSelect, -1, &st, nullptr);
  const int n = sqlite3_column_count(st);
  std::vector<K> kinds;
  kinds.push_back(K::Int);
  for (const Col& c : kCols) kinds.push_back(c.kind);
  while (sqlite3_step(st) == SQLITE_ROW) {
    for (int c = 0; c < n; ++c) {
      switch (kinds[size_t(c)]) {
        case K::Int:
        case K::Flag: sink.ints += sqlite3_column_int64(st, c); break;
        case K::Money:
          sink.money += sqlite3_column_type(st, c) == SQLITE_INTEGER
                            ? sqlite3_column_int64(st, c) * 10000
                            : std::llround(sqlite3_column_double(st, c) * 10000.0);
          break;
        case K::Real: sink.reals += sqlite3_column_double(st, c); break;
        case K::Text:
        case K::Stamp:
          sink.Text(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                                      sqlite3_column_bytes(st, c)));
          break;
      }
    }
  }
  sqlite3_finalize(st);
}

// ----- through libpq -----
qint64 PgMoney(const char* s, int len) {
  // "123.4500": the digits without the point are the raw four-decimal value.
  qint64 units = 0, frac = 0;
  const char* dot = static_cast<const char*>(memchr(s, '.', size_t(len)));
  const char* end = s + len;
  std::from_chars(*s == '-' ? s + 1 : s, dot ? dot : end, units);
  if (dot) std::from_chars(dot + 1, end, frac);
  const qint64 raw = units * 10000 + frac;
  return *s == '-' ? -raw : raw;
}

void ReadPg(PGconn* c, Sink& sink) {
  PGresult* r = PQexec(c, kSelect);
  const int rows = PQntuples(r), n = PQnfields(r);
  std::vector<Oid> types;
  for (int k = 0; k < n; ++k) types.push_back(PQftype(r, k));
  for (int row = 0; row < rows; ++row) {
    for (int k = 0; k < n; ++k) {
      if (PQgetisnull(r, row, k)) continue;
      const char* v = PQgetvalue(r, row, k);
      const int len = PQgetlength(r, row, k);
      switch (types[size_t(k)]) {
        case 23: {
          qint64 i = 0;
          std::from_chars(v, v + len, i);
          sink.ints += i;
          break;
        }
        case 16: sink.ints += v[0] == 't'; break;
        case 1700: sink.money += PgMoney(v, len); break;
        case 701: {
          double d = 0;
          std::from_chars(v, v + len, d);
          sink.reals += d;
          break;
        }
        case 1114: sink.Text(QString::fromLatin1(v, 19)); break;
        default: sink.Text(QString::fromUtf8(v, len)); break;
      }
    }
  }
  PQclear(r);
}

struct EngineData {
  std::unique_ptr<kvtest::TestDatabase> database;
  kvtest::DbHandle handle;
  sqlite3* lite = nullptr;
  PGconn* pg = nullptr;
  ~EngineData() {
    sqlite3_close_v2(lite);
    PQfinish(pg);
  }
};

std::unique_ptr<EngineData> Prepare(Engine e, int rows) {
  auto d = std::make_unique<EngineData>();
  d->database = std::make_unique<kvtest::TestDatabase>(e);
  d->handle = d->database->Connect();
  Fill(*d->handle.db, rows);
  const kvtest::DbFacts& f = d->database->Facts();
  if (e == Engine::SQLite)
    sqlite3_open_v2(QDir(f.dataDir).filePath(f.databaseName + ".sqlite").toUtf8().constData(), &d->lite,
                    SQLITE_OPEN_READONLY, nullptr);
  else
    d->pg = RawPg(f);
  return d;
}

template <class F>
void Register(const std::string& name, int rows, F read) {
  benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
    for (auto _ : state) {
      Sink sink;
      read(sink);
      benchmark::DoNotOptimize(sink);
    }
    state.SetItemsProcessed(state.iterations() * rows);
  })->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(0.5);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const int rows = dbbench::Scale(10000, 1000000);
  std::vector<std::unique_ptr<EngineData>> engines;
  for (Engine e : {Engine::SQLite, Engine::PostgreSQL}) {
    const std::string name = "Fetch" + std::to_string(rows) + "/" + kvtest::EngineName(e);
    try {
      engines.push_back(Prepare(e, rows));
    } catch (const kdb::DbError& err) {
      const std::string msg = err.what();
      benchmark::RegisterBenchmark(name.c_str(), [msg](benchmark::State& s) { s.SkipWithError(msg.c_str()); });
      continue;
    }
    EngineData* d = engines.back().get();
    // A row of the bench table: kdb::Query against the engine's C library.
    benchmark::RegisterBenchmark(name.c_str(), [d, e, rows](benchmark::State& state) {
      kvbench::Comparison row(state, QString::fromStdString(kvtest::EngineName(e)), kvbench::kGoalDataLayer);
      for (auto _ : state) {
        Sink ours, bare;
        row.Ours([&] { ReadQuery(*d->handle.db, ours); });
        row.Baseline([&] {
          if (e == Engine::SQLite) ReadSqlite(d->lite, bare);
          else ReadPg(d->pg, bare);
        });
        benchmark::DoNotOptimize(ours);
        benchmark::DoNotOptimize(bare);
      }
      state.SetItemsProcessed(state.iterations() * rows);
      row.Report();
    })->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);
    // For the record: the share of the time spent fetching, before any field is read.
    Register(name + "/kdb::Query-fetch-only", rows, [d](Sink& s) { ReadQuery(*d->handle.db, s, true); });
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
