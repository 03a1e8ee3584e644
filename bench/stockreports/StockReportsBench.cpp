// The three stock reports over the whole benchmark catalogue, each run as its
// window runs it (one statement for every value of the group, its records
// turned into the rows of a string grid), against the fastest bare SQL found
// for the same figures on the same engine, timed in the same iterations. The
// grand totals of both must agree, or the row fails.
//
// Memory: the run's peak and what stays held with the grid are given as
// counters (peak_MB, grid_MB): the statement's rows must not cost more than
// the grid itself.
//
// KV_BENCH_SCALE as for the catalogue ("small" in the CI smoke run).
#include <benchmark/benchmark.h>

#include <QFile>

#include <cmath>
#include <functional>
#include <memory>

#include "CatalogueCacheClass.h"
#include "Format.h"
#include "ItemStockListingClass.h"
#include "KvBenchCompare.h"
#include "KvBenchMain.h"
#include "KvDb.h"
#include "KvStringGrid.h"
#include "RootStockListingClass.h"
#include "StockEvaluationClass.h"
#include "StockGroupByClass.h"

namespace {

using kvtest::Engine;

// Resident and peak memory of this process in MB; Reset puts the peak back
// to what is resident now.
struct Memory {
  static double Field(const char* name) {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
      if (line.startsWith(name)) return line.mid(int(qstrlen(name))).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
  }
  static double Resident() { return Field("VmRSS:"); }
  static double Peak() { return Field("VmHWM:"); }
  static void ResetPeak() {
    QFile f("/proc/self/clear_refs");
    if (f.open(QIODevice::WriteOnly)) f.write("5");
  }
};

// A run as the window makes it: the statement, then every row into the grid.
struct GridRun {
  kui::KvStringGrid grid;
  int row = 0;
  void Write(const QStringList& cells) {
    if (!cells.isEmpty()) grid.SetRowTexts(row, cells);
    ++row;
    grid.SetRowCount(row + 2);
  }
  QStringList Last() const { return grid.RowTexts(row); }
};

struct Report {
  // Ours: fills the grid, returns the grand totals as the grid shows them.
  std::function<QStringList(kdb::Database&, GridRun&)> ours;
  // The bare statement whose rows give the same figures, read as the
  // grand totals the report shows.
  std::function<QStringList(kdb::Database&)> bare;
};

QStringList AllIds(kdb::Database& db, const TGroupChoice& g) { return kvtest::Column(db, g.ValuesSQL); }

QStringList RunListing(kdb::Database& db, GridRun& run, TStockListingClass& listing, int choice) {
  const TGroupChoice& g = TStockGroupByClass::ListingChoices()[size_t(choice)];
  kdb::Query q(&db);
  q.SQL = listing.RunStatement(g, AllIds(db, g), true, "");
  q.ExecSQL();
  run.grid.SetColCount(listing.ColumnCount());
  run.Write(listing.HeaderRow(g.ColumnTitle));
  listing.ListRun(q, [&](const QStringList& cells) { run.Write(cells); });
  q.Close();
  const QStringList grand = listing.GrandTotalsRow();
  run.grid.SetRowTexts(run.row, grand);
  return grand;
}

QString Money(Currency c) { return kos::FormatFloat("0.00", c); }

// The sums of a bare statement's rows (quantity, cost, retail), as a
// listing's grand totals show them.
QStringList MoneySums(kdb::Database& db, const QString& sql) {
  kdb::Query q(&db);
  q.SQL = sql;
  q.ExecSQL();
  qint64 qty = 0;
  Currency cost, retail;
  for (; !q.Eof(); q.Next()) {
    qty += q.Fields(0).AsInteger();
    cost += q.Fields(1).AsCurrency();
    retail += q.Fields(2).AsCurrency();
  }
  return {QString::number(qty), Money(cost), Money(retail)};
}

// Each PLU's stock summed from the covering index; nothing sorted.
constexpr const char* kStockPerPlu =
    " from products p inner join (select plu, sum(stock_quantity) as total_stock from branchstock group by plu) s"
    " on s.plu = p.plu where p.supplier_id in (select id from parameters where type = 'SUPPLIER')";

// The product stock listing of every supplier, against the figures of each PLU.
Report ItemStock() {
  return {[](kdb::Database& db, GridRun& run) {
            TItemStockListingClass listing;
            return RunListing(db, run, listing, TStockGroupByClass::kListingDefault);
          },
          [](kdb::Database& db) {
            return MoneySums(db, QString("select s.total_stock, s.total_stock * p.current_cost_price,"
                                         " s.total_stock * p.retail_price") + kStockPerPlu);
          }};
}

// The style-and-colour listing of every supplier, against the same sums per root PLU.
Report RootStock() {
  return {[](kdb::Database& db, GridRun& run) {
            TRootStockListingClass listing;
            return RunListing(db, run, listing, TStockGroupByClass::kListingDefault);
          },
          [](kdb::Database& db) {
            return MoneySums(db, QString("select sum(s.total_stock), sum(s.total_stock * p.current_cost_price),"
                                         " sum(s.total_stock * p.retail_price)") + kStockPerPlu +
                                     " group by p.supplier_id, p.root_plu");
          }};
}

// The stock evaluation by department of every branch, without a search: the
// sums by ids alone.
Report Valuation() {
  return {[](kdb::Database& db, GridRun& run) {
            kdb::Query q(&db);
            q.SQL = TStockEvaluationClass::Statement(TStockGroupByClass::kDepartment, "", "");
            q.ExecSQL();
            TStockEvaluationClass e;
            e.Begin();
            run.grid.SetColCount(TStockEvaluationClass::kColumns);
            run.Write(TStockEvaluationClass::Titles("Department"));
            for (; !q.Eof(); q.Next())
              run.Write(e.AddRecord(TStockEvaluationClass::ReadRecord(q, TStockGroupByClass::kDepartment)));
            run.Write({});
            run.grid.SetRowTexts(run.row, e.TotalsRow());
            return QStringList{QString::number(e.Units()), TStockEvaluationClass::Amount(e.TotalCost()),
                               TStockEvaluationClass::Amount(e.TotalRetail())};
          },
          [](kdb::Database& db) {
            kdb::Query q(&db);
            q.SQL = "select sum(s.stock_quantity) as units, sum(p.current_cost_price * s.stock_quantity) as cost,"
                    " sum(p.retail_price * s.stock_quantity) as retail, avg(p.retail_price), avg(p.current_cost_price)"
                    " from branchstock s inner join products p on p.plu = s.plu group by s.branch_id, p.department_id";
            q.ExecSQL();
            qint64 units = 0;
            double cost = 0, retail = 0;
            for (; !q.Eof(); q.Next()) {
              units += q.Fields(0).AsInteger();
              cost += q.Fields(1).AsFloat();
              retail += q.Fields(2).AsFloat();
            }
            return QStringList{QString::number(units), TStockEvaluationClass::Amount(cost),
                               TStockEvaluationClass::Amount(retail)};
          }};
}

// The grand totals' quantity and amounts of a listing's Totals row.
QStringList Figures(const QStringList& grand) { return grand.mid(grand.size() - 3); }

void BM_StockReport(benchmark::State& state, Engine e, Report (*make)()) {
  kdb::Database* db = nullptr;
  try {
    db = &kvcat::CatalogueConnection(e);
  } catch (const std::exception& x) {
    state.SkipWithError(x.what());
    return;
  }
  const Report report = make();
  kvbench::Comparison row(state, QString::fromStdString(kvtest::EngineName(e)), kvbench::kGoalQuery);
  try {
    for (auto _ : state) {
      QStringList ours, bare;
      double before = 0, peak = 0, held = 0;
      {
        GridRun run;
        Memory::ResetPeak();
        before = Memory::Resident();
        row.Ours([&] { ours = Figures(report.ours(*db, run)); });
        peak = Memory::Peak();
        held = Memory::Resident();
        state.counters["rows"] = run.row + 1;
      }
      row.Baseline([&] { bare = report.bare(*db); });
      state.counters["peak_MB"] = peak - before;
      state.counters["grid_MB"] = held - before;
      if (ours != bare) {
        state.SkipWithError(("different figures: " + ours.join(" ") + " against " + bare.join(" ")).toStdString().c_str());
        break;
      }
    }
  } catch (const kdb::DbError& x) {
    state.SkipWithError(x.Message().toStdString().c_str());
  }
  row.Report();
}

const bool registered = [] {
  const std::pair<const char*, Report (*)()> rows[] = {{"StockReport/ItemStockAllSuppliers/", ItemStock},
                                                       {"StockReport/RootStockAllSuppliers/", RootStock},
                                                       {"StockReport/ValuationByDepartment/", Valuation}};
  for (const auto& [name, make] : rows)
    for (Engine e : {Engine::SQLite, Engine::PostgreSQL})
      kvbench::AddRow(name + kvtest::EngineName(e), BM_StockReport, e, make)->Iterations(3);
  return true;
}();

}  // namespace

int main(int argc, char** argv) {
  return kvbench::RunGuiBenchmarks(argc, argv, [] { kvcat::CloseCatalogueConnections(); });
}
