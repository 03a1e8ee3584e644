// Loading a style search's rows into the results dialog (LoadResults: grid,
// root PLU list, wait window) against the bare query and fetch of the same
// rows, on SQLite and PostgreSQL. One PRODUCTS row per root PLU, 100,000 rows
// (KV_BENCH_SCALE=small: 2,000, the smoke run).
//
// A row of the bench table: ours is the query plus LoadResults, the baseline
// the bare query and fetch of every row and column, both in each iteration.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "KvBenchCompare.h"
#include "KvBenchMain.h"
#include "KvDb.h"
#include "KvDbTestSupport.h"
#include "SchemaClass.h"
#include "SearchResultsForm.h"

namespace {

using kvtest::Engine;

int Rows() { return qEnvironmentVariable("KV_BENCH_SCALE") == "small" ? 2000 : 100000; }

// The style editor's style list statement without a condition.
const QString kStyleList =
    "select root_plu, supplier_name, style, style_ref, description,"
    "colour_name, season_name, category_name, department_name,"
    "subdepartment_name, brandlabel_name, sizesscale_name, vat_rate,"
    "current_cost_price, retail_price from products order by style, colour_name";

// Prices as a shop has them (a few hundred distinct values), or every row
// with prices of its own (the worst case for the results' formatting).
enum class Prices { ShopLike, AllDistinct };

QString ProductValues(int i, Prices prices) {
  const QString root = QString("%1").arg(i, 8, 10, QLatin1Char('0'));
  const bool shop = prices == Prices::ShopLike;
  const QString cost = shop ? QString("%1.5").arg(i % 90)
                            : QString("%1.%2").arg(i / 7).arg(i % 10000, 4, 10, QLatin1Char('0'));
  const QString retail = shop ? QString("%1.99").arg(i % 200)
                              : QString("%1.%2").arg(i / 3).arg(i % 100, 2, 10, QLatin1Char('0'));
  return QString("('%1', '%2', 'STYLE %3', 'REF %3', 'DESCRIPTION OF STYLE %3', 'COLOUR %4', "
                 "'SUPPLIER %5', 'BRAND %5', 'SEASON %6', 'CATEGORY %4', 'DEPARTMENT %6', "
                 "'SUBDEPT %5', 'SCALE %6', 20.0, %7, %8)")
      .arg(root, root + "00", QString::number(i / 3), QString::number(i % 40),
           QString::number(i % 25), QString::number(i % 7), cost, retail);
}

// A database per engine with the suite's schema and the rows, made once.
struct Fixture {
  std::unique_ptr<kvtest::TestDatabase> database;
  kvtest::DbHandle handle;

  Fixture(Engine e, Prices prices) : database(std::make_unique<kvtest::TestDatabase>(e)) {
    handle = database->Connect();
    kdb::Database& db = *handle.db;
    kvschema::CreateSchema(db);
    const int rows = Rows();
    constexpr int kBatch = 500;
    db.StartTransaction();
    for (int first = 1; first <= rows; first += kBatch) {
      QStringList values;
      for (int i = first; i < first + kBatch && i <= rows; ++i) values << ProductValues(i, prices);
      db.Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, STYLE, STYLE_REF, DESCRIPTION, "
                 "COLOUR_NAME, SUPPLIER_NAME, BRANDLABEL_NAME, SEASON_NAME, CATEGORY_NAME, "
                 "DEPARTMENT_NAME, SUBDEPARTMENT_NAME, SIZESSCALE_NAME, VAT_RATE, "
                 "CURRENT_COST_PRICE, RETAIL_PRICE) VALUES " + values.join(", "));
    }
    db.Commit();
  }
};

// Dropped before the program ends (main), while everything they use still lives.
std::map<std::pair<Engine, Prices>, std::unique_ptr<Fixture>> fixtures;

Fixture& FixtureFor(Engine e, Prices prices) {
  auto& f = fixtures[{e, prices}];
  if (!f) f = std::make_unique<Fixture>(e, prices);
  return *f;
}

// The query run and every column of every row read, as any reader of the
// rows must at least do.
void BareFetch(kdb::Database& db) {
  kdb::Query q(&db);
  q.SQL = kStyleList;
  q.ExecSQL();
  qsizetype chars = 0;
  for (q.First(); !q.Eof(); q.Next())
    for (int c = 0; c < q.FieldCount(); ++c) chars += q.Fields(c).AsString().size();
  benchmark::DoNotOptimize(chars);
}

void Load(kdb::Database& db, TFormSearchResults& form) {
  kdb::Query q(&db);
  q.SQL = kStyleList;
  q.ExecSQL();
  form.LoadResults(q);
}

void BM_LoadResults(benchmark::State& state, Engine engine, Prices prices) {
  kdb::Database* db = nullptr;
  try {
    db = FixtureFor(engine, prices).handle.db.get();
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  TFormSearchResults form;
  kvbench::Comparison row(state, QString::fromStdString(kvtest::EngineName(engine)), kvbench::kGoalGridFill);
  for (auto _ : state) {
    row.Baseline([&] { BareFetch(*db); });
    row.Ours([&] { Load(*db, form); });
  }
  if (form.RootPLUs.size() != Rows()) state.SkipWithError("not every row was loaded");
  state.counters["rows"] = Rows();
  row.Report();
}
// Registered by name: the table shows the name without the engine.
const bool registered = [] {
  for (Engine e : {Engine::SQLite, Engine::PostgreSQL})
    for (Prices p : {Prices::ShopLike, Prices::AllDistinct}) {
      const std::string name = std::string(p == Prices::ShopLike ? "SearchResults/GridFill/"
                                                                  : "SearchResults/GridFillDistinctPrices/") +
                               kvtest::EngineName(e);
      kvbench::AddRow(name, BM_LoadResults, e, p);
    }
  return true;
}();

}  // namespace

int main(int argc, char** argv) {
  return kvbench::RunGuiBenchmarks(argc, argv, [] { fixtures.clear(); });
}
