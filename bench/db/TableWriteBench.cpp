// Writing the rows of one style save through kdb::Table, against the same
// rows written with one prepared statement through the engine's own C
// library, each in one transaction, on SQLite and PostgreSQL (rows of the
// bench table, goal: the data layer's):
//   TableInsert: 300 new PRODUCTS-shaped rows (Append, every column set, Post).
//   TableUpdate: the rows of the first save found by PLU, two columns changed
//                (FindKey, Edit, Post), against a prepared UPDATE by PLU.
//   TableUpdateLocked (PostgreSQL): the same in a unit that locks PRODUCTS
//                against other writers first, both sides, as a save that
//                numbers rows does. The rows are then held from their
//                FindKey on, so Edit need not lock each again; SQLite's
//                units hold the whole file always (TableUpdate).
// kdb::Table runs in an all-or-nothing unit (no savepoint per post); the
// ordinary unit, a savepoint around every post, is measured for the record.
//
// Rows per save come from KV_BENCH_SCALE: "small" is 30 (the CI smoke run),
// a number is taken as is, the default is 300.

#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <QDateTime>
#include <QDir>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "KvBenchCompare.h"
#include "KvDb.h"
#include "KvDbTestSupport.h"
#include "KvTransaction.h"
#include "ProductsShape.h"

using kvtest::Engine;
using namespace dbbench;

namespace {

// The value of column c in row n, typed as the program sets it.
QVariant Value(const Col& c, qint64 n) {
  switch (c.kind) {
    case K::Int: return QVariant::fromValue<qint64>(n % 977);
    case K::Text: return QString(c.name).toLower() + " " + QString::number(n);
    case K::Money: return QVariant::fromValue(Currency::FromRaw(n * 12345 % 99999999));
    case K::Flag: return n % 2 == 0;
    case K::Real: return double(n % 97) * 0.5;
    case K::Stamp: return QDateTime(QDate(2025, 1, 1), QTime(10, 0, 0)).addSecs(n);
  }
  return {};
}

std::string MoneyText(Currency c) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4f", c.ToDouble());
  return buf;
}

QString Plu(qint64 n) { return "B" + QString::number(n).rightJustified(9, '0'); }

// The same value as the text a bare client sends.
std::string Text(const Col& c, qint64 n) {
  const QVariant v = Value(c, n);
  switch (c.kind) {
    case K::Money: return MoneyText(v.value<Currency>());
    case K::Flag: return v.toBool() ? "true" : "false";
    case K::Stamp: return v.toDateTime().toString("yyyy-MM-dd hh:mm:ss").toStdString();
    default: return v.toString().toStdString();
  }
}

struct EngineData {
  std::unique_ptr<kvtest::TestDatabase> database;
  kvtest::DbHandle handle;
  sqlite3* lite = nullptr;
  PGconn* pg = nullptr;
  qint64 next = 0;  // the number of the next new row
  ~EngineData() {
    sqlite3_close_v2(lite);
    PQfinish(pg);
  }
};

std::unique_ptr<EngineData> Prepare(Engine e) {
  auto d = std::make_unique<EngineData>();
  d->database = std::make_unique<kvtest::TestDatabase>(e);
  d->handle = d->database->Connect();
  CreateProducts(*d->handle.db, true);
  const kvtest::DbFacts& f = d->database->Facts();
  if (e == Engine::SQLite) {
    sqlite3_open_v2(QDir(f.dataDir).filePath(f.databaseName + ".sqlite").toUtf8().constData(), &d->lite,
                    SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(d->lite, 5000);
  } else {
    d->pg = RawPg(f);
  }
  return d;
}

// ----- through kdb::Table -----
// One save: PRODUCTS open on a table, `write` called for rows first.., all in
// one unit of work.
template <class F>
void SaveThroughTable(EngineData& d, int rows, bool allOrNothing, qint64 first, F write, bool lock = false) {
  kdb::Database& db = *d.handle.db;
  kdb::Transaction tx(db, allOrNothing ? kdb::Transaction::AllOrNothing : kdb::Transaction::Partial,
                      lock ? kdb::TableLock{"PRODUCTS"} : kdb::TableLock{});
  kdb::Table t(&db);
  t.TableName = "PRODUCTS";
  t.Open();
  for (qint64 n = first; n < first + rows; ++n) write(t, n);
  tx.Commit();
}

void InsertTable(EngineData& d, int rows, bool allOrNothing, qint64 first) {
  SaveThroughTable(d, rows, allOrNothing, first, [](kdb::Table& t, qint64 n) {
    t.Append();
    for (const Col& c : kCols)
      t.FieldByName(c.name).SetValue(QString(c.name) == "PLU" ? QVariant(Plu(n)) : Value(c, n));
    t.Post();
  });
}

void UpdateTable(EngineData& d, int rows, bool allOrNothing, qint64 first, int round, bool lock = false) {
  SaveThroughTable(
      d, rows, allOrNothing, first,
      [round](kdb::Table& t, qint64 n) {
        if (!t.FindKey({Plu(n)})) throw kdb::DbError("no row " + Plu(n));
        t.Edit();
        t.FieldByName("DESCRIPTION").SetAsString("round " + QString::number(round));
        t.FieldByName("RETAIL_PRICE").SetAsCurrency(Currency::FromRaw(round * 10000 + n % 100));
        t.Post();
      },
      lock);
}

// ----- through libsqlite3 -----
void Check(sqlite3* db, int rc) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) throw kdb::DbError(sqlite3_errmsg(db));
}

void InsertSqlite(EngineData& d, int rows, qint64 first) {
  const QStringList names = ColumnNames();
  const QByteArray sql = ("INSERT INTO PRODUCTS (" + names.join(", ") + ") VALUES (" +
                          QStringList(names.size(), "?").join(", ") + ")").toUtf8();
  sqlite3_stmt* st = nullptr;
  Check(d.lite, sqlite3_prepare_v2(d.lite, sql.constData(), -1, &st, nullptr));
  Check(d.lite, sqlite3_exec(d.lite, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr));
  for (qint64 n = first; n < first + rows; ++n) {
    int k = 1;
    for (const Col& c : kCols) {
      const QVariant v = QString(c.name) == "PLU" ? QVariant(Plu(n)) : Value(c, n);
      switch (c.kind) {
        case K::Int: sqlite3_bind_int64(st, k, v.toLongLong()); break;
        case K::Flag: sqlite3_bind_int(st, k, v.toBool()); break;
        case K::Real: sqlite3_bind_double(st, k, v.toDouble()); break;
        case K::Money: sqlite3_bind_double(st, k, v.value<Currency>().ToDouble()); break;
        default: {
          const std::string s = QString(c.name) == "PLU" ? Plu(n).toStdString() : Text(c, n);
          sqlite3_bind_text(st, k, s.c_str(), -1, SQLITE_TRANSIENT);
        }
      }
      ++k;
    }
    Check(d.lite, sqlite3_step(st));
    sqlite3_reset(st);
  }
  Check(d.lite, sqlite3_exec(d.lite, "COMMIT", nullptr, nullptr, nullptr));
  sqlite3_finalize(st);
}

void UpdateSqlite(EngineData& d, int rows, qint64 first, int round) {
  sqlite3_stmt* st = nullptr;
  Check(d.lite, sqlite3_prepare_v2(d.lite, "UPDATE PRODUCTS SET DESCRIPTION = ?, RETAIL_PRICE = ? WHERE PLU = ?", -1,
                                   &st, nullptr));
  Check(d.lite, sqlite3_exec(d.lite, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr));
  const std::string text = "round " + std::to_string(round);
  for (qint64 n = first; n < first + rows; ++n) {
    const std::string plu = Plu(n).toStdString();
    sqlite3_bind_text(st, 1, text.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_double(st, 2, double(round) + double(n % 100) / 10000.0);
    sqlite3_bind_text(st, 3, plu.c_str(), -1, SQLITE_TRANSIENT);
    Check(d.lite, sqlite3_step(st));
    sqlite3_reset(st);
  }
  Check(d.lite, sqlite3_exec(d.lite, "COMMIT", nullptr, nullptr, nullptr));
  sqlite3_finalize(st);
}

// ----- through libpq -----
void Exec(PGconn* c, const char* sql) {
  PGresult* r = PQexec(c, sql);
  const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK || PQresultStatus(r) == PGRES_TUPLES_OK;
  PQclear(r);
  if (!ok) throw kdb::DbError(PQerrorMessage(c));
}

void RunPrepared(PGconn* c, const char* name, const std::vector<std::string>& values) {
  std::vector<const char*> p;
  for (const std::string& v : values) p.push_back(v.c_str());
  PGresult* r = PQexecPrepared(c, name, int(p.size()), p.data(), nullptr, nullptr, 0);
  const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
  PQclear(r);
  if (!ok) throw kdb::DbError(PQerrorMessage(c));
}

void Prepare(PGconn* c, const char* name, const QString& sql, int params) {
  PGresult* r = PQprepare(c, name, sql.toUtf8().constData(), params, nullptr);
  PQclear(r);
}

void InsertPg(EngineData& d, int rows, qint64 first) {
  static bool prepared = false;
  const QStringList names = ColumnNames();
  if (!prepared) {
    QStringList marks;
    for (int k = 1; k <= names.size(); ++k) marks << "$" + QString::number(k);
    Prepare(d.pg, "ins", "INSERT INTO PRODUCTS (" + names.join(", ") + ") VALUES (" + marks.join(", ") + ")",
            int(names.size()));
    prepared = true;
  }
  Exec(d.pg, "BEGIN");
  for (qint64 n = first; n < first + rows; ++n) {
    std::vector<std::string> values;
    for (const Col& c : kCols) values.push_back(QString(c.name) == "PLU" ? Plu(n).toStdString() : Text(c, n));
    RunPrepared(d.pg, "ins", values);
  }
  Exec(d.pg, "COMMIT");
}

void UpdatePg(EngineData& d, int rows, qint64 first, int round, bool lock = false) {
  static bool prepared = false;
  if (!prepared) {
    Prepare(d.pg, "upd", "UPDATE PRODUCTS SET DESCRIPTION = $1, RETAIL_PRICE = $2 WHERE PLU = $3", 3);
    prepared = true;
  }
  Exec(d.pg, lock ? "BEGIN; LOCK TABLE PRODUCTS IN SHARE ROW EXCLUSIVE MODE" : "BEGIN");
  for (qint64 n = first; n < first + rows; ++n)
    RunPrepared(d.pg, "upd",
                {"round " + std::to_string(round),
                 MoneyText(Currency::FromRaw(round * 10000 + n % 100)), Plu(n).toStdString()});
  Exec(d.pg, "COMMIT");
}

// The rows of one save: new ones (Insert) or those of the first save changed
// (Update), through `ours` and through `bare`; every call writes anew.
struct Writer {
  std::function<void(EngineData&, int, qint64, int)> table;  // rows, first row, round
  std::function<void(EngineData&, int, qint64, int)> bare;
};

// A row of the bench table: kdb::Table in an all-or-nothing unit against
// one prepared statement of the engine's C library.
void RegisterRow(const std::string& name, EngineData* d, kvtest::Engine e, int rows, bool update,
                 const Writer& w) {
  benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
    kvbench::Comparison row(state, QString::fromStdString(kvtest::EngineName(e)), kvbench::kGoalDataLayer);
    int round = 0;
    const auto first = [&] {
      if (update) return qint64(0);
      const qint64 f = d->next;
      d->next += rows;
      return f;
    };
    for (auto _ : state) {
      row.Ours([&] { w.table(*d, rows, first(), ++round); });
      row.Baseline([&] { w.bare(*d, rows, first(), ++round); });
    }
    state.SetItemsProcessed(state.iterations() * rows);
    row.Report();
  })->UseManualTime()->Unit(benchmark::kMillisecond);
}

// For the record: the same through kdb::Table in an ordinary unit, where
// every post has a savepoint of its own.
void RegisterPartial(const std::string& name, EngineData* d, int rows, bool update) {
  benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
    int round = 0;
    for (auto _ : state) {
      if (update) {
        UpdateTable(*d, rows, false, 0, ++round);
      } else {
        InsertTable(*d, rows, false, d->next);
        d->next += rows;
      }
    }
    state.SetItemsProcessed(state.iterations() * rows);
  })->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const int rows = Scale(30, 300);
  std::vector<std::unique_ptr<EngineData>> engines;
  for (Engine e : {Engine::SQLite, Engine::PostgreSQL}) {
    std::string engine = kvtest::EngineName(e);
    engine.insert(engine.begin(), '/');  // not "/" + name: GCC 12 warns falsely about that at -O3
    const std::string ins = "TableInsert" + std::to_string(rows) + engine;
    const std::string upd = "TableUpdate" + std::to_string(rows) + engine;
    const std::string locked = "TableUpdateLocked" + std::to_string(rows) + engine;
    const bool lite = e == Engine::SQLite;
    try {
      engines.push_back(Prepare(e));
      InsertTable(*engines.back(), rows, false, 0);  // the rows the updates change
      engines.back()->next = rows;
    } catch (const kdb::DbError& err) {
      const std::string msg = err.what();
      for (const std::string& name : {ins, upd, locked})
        if (!lite || name != locked)
          benchmark::RegisterBenchmark(name.c_str(), [msg](benchmark::State& s) { s.SkipWithError(msg.c_str()); });
      continue;
    }
    EngineData* d = engines.back().get();
    RegisterRow(ins, d, e, rows, false,
                {[](EngineData& d, int r, qint64 f, int) { InsertTable(d, r, true, f); },
                 [lite](EngineData& d, int r, qint64 f, int) { lite ? InsertSqlite(d, r, f) : InsertPg(d, r, f); }});
    RegisterRow(upd, d, e, rows, true,
                {[](EngineData& d, int r, qint64 f, int k) { UpdateTable(d, r, true, f, k); },
                 [lite](EngineData& d, int r, qint64 f, int k) {
                   lite ? UpdateSqlite(d, r, f, k) : UpdatePg(d, r, f, k);
                 }});
    if (!lite)
      RegisterRow(locked, d, e, rows, true,
                  {[](EngineData& d, int r, qint64 f, int k) { UpdateTable(d, r, true, f, k, true); },
                   [](EngineData& d, int r, qint64 f, int k) { UpdatePg(d, r, f, k, true); }});
    RegisterPartial(ins + "/kdb::Table-savepoint-per-post", d, rows, false);
    RegisterPartial(upd + "/kdb::Table-savepoint-per-post", d, rows, true);
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
