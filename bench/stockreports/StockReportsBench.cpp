// The three stock reports over the whole benchmark catalogue, each run as its
// window runs it (one statement for every value of the group, its records
// turned into the rows of a string grid), against the fastest bare SQL found
// for the same figures on the same engine, timed in the same iterations. The
// grand totals of both must agree, or the row fails.
//
// A listing's baseline gives the listing's rows in the listing's order (the
// groups in the value list's order, within them style, colour and size, or
// root PLU): a statement that only sums the figures leaves out the sort the
// report must make. Each row's key and quantity, in order, must agree with
// the grid's. The bare sums without that order are still timed in the same
// iterations and shown beside (unordered_ms, unordered_ratio).
//
// Memory: the run's peak and what stays held with the grid are given as
// counters (peak_MB, grid_MB): the statement's rows must not cost more than
// the grid itself.
//
// KV_BENCH_SCALE as for the catalogue ("small" in the CI smoke run).
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
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
  // grand totals the report shows (and for a listing its rows' print).
  std::function<QStringList(kdb::Database&)> bare;
  // A listing: the grid column of the quantity (the key is column 0), and
  // the bare sums without the listing's order (grand totals only).
  int qtyColumn = -1;
  std::function<QStringList(kdb::Database&)> unordered = {};
};

// The rows of a listing in their order, each by its key and quantity: their
// number and a hash (FNV-1a), as two texts.
class RowPrint {
 public:
  void Add(const QString& key, qint64 qty) {
    for (const QChar c : key) Mix(c.unicode());
    Mix(0xFFFF);
    Mix(quint64(qty));
    ++rows_;
  }
  QStringList Texts() const { return {QString::number(rows_), QString::number(hash_, 16)}; }

 private:
  void Mix(quint64 v) {
    for (int i = 0; i < 8; ++i, v >>= 8) hash_ = (hash_ ^ (v & 0xFF)) * 1099511628211ull;
  }
  qint64 rows_ = 0;
  quint64 hash_ = 14695981039346656037ull;
};

// The print of the grid's record rows (neither the header, a "Totals" row
// nor a blank row).
QStringList GridPrint(const GridRun& run, int qtyColumn) {
  RowPrint print;
  for (int r = 1; r < run.row; ++r) {
    const QString key = run.grid.Cell(0, r);
    if (key.isEmpty() || key == TStockListingClass::kTotals) continue;
    print.Add(key, run.grid.Cell(qtyColumn, r).toLongLong());
  }
  return print.Texts();
}

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

// How a bare statement's rows give the figures: quantity, cost and retail
// from the first column; or after the row's key (the rows' print then follows
// the sums); or the key, quantity and the unit cost and retail, which the
// quantity multiplies as the listing does.
enum class Rows { Sums, KeyedSums, KeyedPrices };

// The sums of a bare statement's rows, as a listing's grand totals show them.
QStringList MoneySums(kdb::Database& db, const QString& sql, Rows rows = Rows::Sums) {
  kdb::Query q(&db);
  q.SQL = sql;
  q.ExecSQL();
  const int first = rows == Rows::Sums ? 0 : 1;
  qint64 qty = 0;
  Currency cost, retail;
  RowPrint print;
  for (; !q.Eof(); q.Next()) {
    const qint64 n = q.Fields(first).AsInteger();
    if (rows != Rows::Sums) print.Add(q.Fields(0).AsString(), n);
    qty += n;
    const qint64 times = rows == Rows::KeyedPrices ? n : 1;
    cost += q.Fields(first + 1).AsCurrency() * times;
    retail += q.Fields(first + 2).AsCurrency() * times;
  }
  const QStringList sums{QString::number(qty), Money(cost), Money(retail)};
  return rows == Rows::Sums ? sums : sums + print.Texts();
}

// Each PLU's stock summed from the covering index; nothing sorted.
constexpr const char* kStockPerPlu =
    " from products p inner join (select plu, sum(stock_quantity) as total_stock from branchstock group by plu) s"
    " on s.plu = p.plu where p.supplier_id in (select id from parameters where type = 'SUPPLIER')";

// The same (with `rows`, the number of stock rows of each PLU) joined to the
// suppliers ranked in their list's order (v.supplier_rank): the fastest
// order found on both engines sorts by that one integer. The suppliers are
// named by their ids, or SQLite would read every supplier for each PLU
// rather than make an index of them.
QString StockPerPluRanked(kdb::Database& db, bool rows) {
  const TGroupChoice& g = TStockGroupByClass::ListingChoices()[TStockGroupByClass::kListingDefault];
  const QString ids = "(" + AllIds(db, g).join(", ") + ")";
  return QString(" from products p inner join (select plu, sum(stock_quantity) as total_stock") +
         (rows ? ", count(*) as stock_rows" : "") +
         " from branchstock group by plu) s on s.plu = p.plu inner join (select id, row_number() over"
         " (order by name nulls first, id) as supplier_rank from parameters where id in " + ids +
         ") v on v.id = p.supplier_id where p.supplier_id in " + ids;
}

// The product stock listing of every supplier, against the figures of each PLU.
Report ItemStock() {
  return {[](kdb::Database& db, GridRun& run) {
            TItemStockListingClass listing;
            return RunListing(db, run, listing, TStockGroupByClass::kListingDefault);
          },
          [](kdb::Database& db) {
            return MoneySums(db, QString("select p.plu, s.total_stock, p.current_cost_price, p.retail_price,"
                                          " p.supplier_name, p.brandlabel_name, p.style, p.colour_name, p.size_name,"
                                          " p.category_name, p.department_name, p.description") +
                                      StockPerPluRanked(db, false) +
                                      " order by v.supplier_rank, p.style nulls first, p.colour_name nulls first,"
                                      " p.size_offset nulls first, p.plu",
                             Rows::KeyedPrices);
          },
          TItemStockListingClass::cQty,
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
            return MoneySums(db, QString("select p.root_plu, sum(s.total_stock), sum(s.total_stock * p.current_cost_price),"
                                          " sum(s.total_stock * p.retail_price), min(p.supplier_name),"
                                          " min(p.brandlabel_name), min(p.style), min(p.colour_name),"
                                          " min(p.category_name), min(p.department_name), min(p.description),"
                                          " sum(s.stock_rows * p.current_cost_price),"
                                          " sum(case when p.current_cost_price is null then 0 else s.stock_rows end),"
                                          " sum(s.stock_rows * p.retail_price),"
                                          " sum(case when p.retail_price is null then 0 else s.stock_rows end)") +
                                      StockPerPluRanked(db, true) +
                                      " group by v.supplier_rank, p.root_plu order by v.supplier_rank, p.root_plu",
                             Rows::KeyedSums);
          },
          TRootStockListingClass::cQty,
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
  std::vector<double> unorderedMs;
  try {
    for (auto _ : state) {
      QStringList ours, bare, unordered;
      double before = 0, peak = 0, held = 0;
      {
        GridRun run;
        Memory::ResetPeak();
        before = Memory::Resident();
        row.Ours([&] { ours = Figures(report.ours(*db, run)); });
        peak = Memory::Peak();
        held = Memory::Resident();
        state.counters["rows"] = run.row + 1;
        if (report.qtyColumn >= 0) ours += GridPrint(run, report.qtyColumn);
      }
      row.Baseline([&] { bare = report.bare(*db); });
      if (report.unordered) {
        QElapsedTimer t;
        t.start();
        unordered = report.unordered(*db);
        unorderedMs.push_back(double(t.nsecsElapsed()) / 1e6);
      }
      state.counters["peak_MB"] = peak - before;
      state.counters["grid_MB"] = held - before;
      if (ours != bare || (report.unordered && unordered != ours.mid(0, 3))) {
        state.SkipWithError(("different figures: " + ours.join(" ") + " against " + bare.join(" ") + " / " +
                             unordered.join(" ")).toStdString().c_str());
        break;
      }
    }

  } catch (const kdb::DbError& x) {
    state.SkipWithError(x.Message().toStdString().c_str());
  }
  row.Report();
  if (!unorderedMs.empty() && state.counters.count("ours_ms")) {
    // Beside the row's ratio: ours against the bare sums without the order.
    const double ms = kvbench::Median(unorderedMs);
    state.counters["unordered_ms"] = ms;
    if (ms > 0) state.counters["unordered_ratio"] = state.counters["ours_ms"] / ms;
  }
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
