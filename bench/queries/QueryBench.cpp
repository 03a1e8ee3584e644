// The searches' and the stock reports' statements on the benchmark catalogue,
// each as the report words it (made to run on both engines: the names beside
// the grouped ids are aggregated, as neither engine takes a bare one) against
// the fastest bare SQL found for the same figures, which is the floor a report
// should come within 1.3 times of. Both statements are run in each iteration
// and their figures compared; a difference fails the row.
//
// KV_BENCH_SCALE as for the catalogue ("small" in the CI smoke run).
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cmath>
#include <functional>
#include <memory>

#include "CatalogueCacheClass.h"
#include "KvBenchCompare.h"
#include "KvDb.h"

namespace {

using kvtest::Engine;

// A statement run and every value of every row read, numbers rounded to the
// cent whatever their type (sums of money in another order may differ in the
// last binary digit, and a sum of sums comes back as another number type).
QStringList Figures(kdb::Database& db, const QString& sql) {
  kdb::Query q(&db);
  q.SQL = sql;
  q.ExecSQL();
  QStringList rows;
  for (; !q.Eof(); q.Next()) {
    QStringList row;
    for (int c = 0; c < q.FieldCount(); ++c) {
      kdb::Field& f = q.Fields(c);
      if (f.DataType() == kdb::FieldType::Float || f.DataType() == kdb::FieldType::Money ||
          f.DataType() == kdb::FieldType::Integer)
        row << QString::number(std::round(f.AsFloat() * 100) / 100, 'f', 2);
      else row << f.AsString();
    }
    rows << row.join('|');
  }
  rows.sort();
  return rows;
}

QStringList FiguresOf(kdb::Database& db, const QStringList& statements) {
  QStringList all;
  for (const QString& s : statements) all << Figures(db, s);
  all.sort();
  return all;
}

kdb::Database& Db(Engine e) { return kvcat::CatalogueConnection(e); }

QStringList Column(kdb::Database& db, const QString& sql) { return kvtest::Column(db, sql); }

// The statements of one row, built on the catalogue (they may read it to
// choose their sample).
struct Statements {
  QStringList ours, bare;
};
using Builder = std::function<Statements(kdb::Database&)>;

void BM_Query(benchmark::State& state, Engine e, Builder build) {
  kdb::Database* db = nullptr;
  Statements st;
  try {
    db = &Db(e);
    st = build(*db);
  } catch (const std::exception& x) {
    state.SkipWithError(x.what());
    return;
  }
  kvbench::Comparison row(state, QString::fromStdString(kvtest::EngineName(e)), kvbench::kGoalQuery);
  try {
    for (auto _ : state) {
      QStringList ours, bare;
      row.Ours([&] { ours = FiguresOf(*db, st.ours); });
      row.Baseline([&] { bare = FiguresOf(*db, st.bare); });
      if (ours != bare) {
        state.SkipWithError("the two statements give different figures");
        break;
      }
      state.counters["rows"] = double(ours.size());
    }
  } catch (const kdb::DbError& x) {
    state.SkipWithError(x.Message().toStdString().c_str());
  }
  state.counters["statements"] = double(st.ours.size());
  row.Report();
}

// ----- the rows -----

// Stock evaluation by department (the style editor's dialog): the join on
// the PLU text grouped, against the stock summed per PLU before the join.
Statements Evaluation(kdb::Database&) {
  const QString tail =
      " group by products.category_id, products.department_id"
      " order by total_stock desc, category_name, department_name";
  return {{"select products.category_id, products.department_id, min(products.category_name) as category_name,"
           " min(products.department_name) as department_name, sum(stock_quantity) as total_stock,"
           " sum(stock_quantity*retail_price) as total_retail, sum(stock_quantity*current_cost_price) as total_cost"
           " from products inner join branchstock on (branchstock.plu = products.plu)" + tail},
          {"select products.category_id, products.department_id, min(products.category_name) as category_name,"
           " min(products.department_name) as department_name, sum(s.qty) as total_stock,"
           " sum(s.qty*retail_price) as total_retail, sum(s.qty*current_cost_price) as total_cost"
           " from (select plu, sum(stock_quantity) as qty from branchstock group by plu) s"
           " inner join products on (products.plu = s.plu)" + tail}};
}

// Stock valuation by branch and department: the report's join with its names,
// against the same sums by ids with the names joined to the few groups after.
Statements Valuation(kdb::Database&) {
  return {{"select branch_id, min(branch_name) as branch_name, department_id, min(category_name) as category_name,"
           " min(department_name) as department_name,"
           " SUM(CURRENT_COST_PRICE*STOCK_QUANTITY) as TOTAL_COST, SUM(RETAIL_PRICE*STOCK_QUANTITY) as TOTAL_RETAIL,"
           " AVG(RETAIL_PRICE) as UNIT_RETAIL, AVG(CURRENT_COST_PRICE) as UNIT_COST, SUM(STOCK_QUANTITY) as UNITS"
           " FROM BRANCHSTOCK, PRODUCTS WHERE BRANCHSTOCK.PLU = PRODUCTS.PLU"
           " GROUP BY BRANCH_ID, department_id order by category_name, department_name"},
          {"select g.branch_id, b.name as branch_name, g.department_id, c.name as category_name,"
           " d.name as department_name, g.total_cost, g.total_retail, g.unit_retail, g.unit_cost, g.units"
           " from (select s.branch_id, p.department_id, SUM(p.CURRENT_COST_PRICE*s.STOCK_QUANTITY) as total_cost,"
           " SUM(p.RETAIL_PRICE*s.STOCK_QUANTITY) as total_retail, AVG(p.RETAIL_PRICE) as unit_retail,"
           " AVG(p.CURRENT_COST_PRICE) as unit_cost, SUM(s.STOCK_QUANTITY) as units"
           " from BRANCHSTOCK s inner join PRODUCTS p on (p.PLU = s.PLU) group by s.branch_id, p.department_id) g"
           " inner join BRANCHES b on (b.ID = g.branch_id) inner join PARAMETERS d on (d.ID = g.department_id)"
           " inner join PARAMETERS c on (c.ID = d.PARENT_ID)"}};
}

// The product stock listing for every supplier checked (one statement per
// supplier, as the report runs them), against one statement per supplier that
// sums each PLU's stock from the covering index.
Statements StockListing(kdb::Database& db) {
  const QString limit = kvcat::SizeFromEnvironment().name == "small" ? "5" : "40";
  Statements st;
  for (const QString& id :
       Column(db, "select id from parameters where type = 'SUPPLIER' order by name limit " + limit)) {
    const QString cols =
        "products.plu, supplier_name, style, season_name, colour_name, size_offset, size_name, category_name,"
        " department_name, description, brandlabel_name";
    st.ours << "select " + cols + ", sum(bs.stock_quantity) as total_stock, current_cost_price, retail_price"
               " from products inner join branchstock bs on (bs.plu = products.plu) where supplier_id = " +
                   kdb::sql::Int(id) + " group by " + cols + ", current_cost_price, retail_price" +
                   " order by style, colour_name, size_offset";
    st.bare << "select * from (select " + cols +
                   ", (select sum(bs.stock_quantity) from branchstock bs where bs.plu = products.plu) as total_stock,"
                   " current_cost_price, retail_price from products where supplier_id = " +
                   kdb::sql::Int(id) + ") t where total_stock is not null order by style, colour_name, size_offset";
  }
  return st;
}

// The broken styles report for a sample of styles: per colour and branch one
// statement (as the report sends them), against one set-based statement.
Statements BrokenSizes(kdb::Database& db) {
  const QString limit = kvcat::SizeFromEnvironment().name == "small" ? "20" : "500";
  const QStringList styles = Column(db, "select style from products where id in (select min(id) from products"
                                        " group by style) order by style limit " + limit);
  const QStringList branches = Column(db, "select id from branches order by name");
  Statements st;
  QStringList quoted;
  for (const QString& s : styles) quoted << kdb::sql::Quote(s);
  for (const QString& root :
       Column(db, "select root_plu from products where style in (" + quoted.join(", ") + ") and size_offset = 0"))
    for (const QString& b : branches)
      st.ours << "select " + kdb::sql::Quote(root) + " as root_plu, " + b +
                     " as branch_id, plu, stock_quantity from branchstock where branch_id = " + b +
                     " and root_plu = " + kdb::sql::Quote(root);
  st.bare << "select bs.root_plu, bs.branch_id, bs.plu, bs.stock_quantity from branchstock bs"
             " where bs.root_plu in (select root_plu from products where style in (" + quoted.join(", ") + "))";
  return st;
}

// The style history of a sample of root PLUs: its seven movement statements
// joined to the products on the PLU text, against the same sums read by the
// PLU prefix from the movement tables alone.
Statements History(kdb::Database& db) {
  const QString limit = kvcat::SizeFromEnvironment().name == "small" ? "10" : "100";
  Statements st;
  struct Movement {
    const char* table;
    const char* plu;
    const char* sum;
  };
  const Movement moves[] = {{"branchstock", "plu", "sum(stock_quantity)"},
                            {"orders", "plu", "sum(qty)"},
                            {"orders", "plu", "sum(delivery)"},
                            {"transfers", "plu", "sum(qty)"},
                            {"transfers", "plu", "sum(received)"},
                            {"returns", "plu", "sum(qty)"},
                            {"writeoffs", "plu", "sum(qty)"},
                            {"transactions", "full_plu_string", "sum(quantity)"}};
  for (const QString& root : Column(db, "select root_plu from products where size_offset = 0 and id % 997 = 1"
                                        " order by id limit " + limit)) {
    const QString r = kdb::sql::Quote(root);
    for (const Movement& m : moves) {
      const QString t = m.table, plu = m.plu, sum = m.sum;
      st.ours << "select products.plu, products.size_offset, " + sum + " as total from " + t +
                     " inner join products on (products.plu = " + t + "." + plu + ") where products.root_plu = " + r +
                     " group by products.plu, products.size_offset";
      st.bare << "select " + plu + " as plu, cast(substr(" + plu + ", 9, 2) as integer) as size_offset, " + sum +
                     " as total from " + t + " where " + plu + " >= " + r + " and " + plu + " < " +
                     kdb::sql::Quote(root + "~") + " group by " + plu;
    }
  }
  return st;
}

// The style list of an advanced search on a description prefix: one row per
// root PLU by its first row's id, against the root PLUs' first sizes.
Statements StyleSearch(kdb::Database&) {
  const QString cols =
      "select root_plu, supplier_name, style, style_ref, description, colour_name, season_name, category_name,"
      " department_name, subdepartment_name, brandlabel_name, sizesscale_name, vat_rate, current_cost_price,"
      " retail_price from products";
  const QString where = " where description like 'SLIM COTTON%'";
  return {{cols + " where id in (select min(id) from products" + where + " group by root_plu)"
                  " order by style, colour_name"},
          {cols + where + " and size_offset = 0 order by style, colour_name"}};
}

const bool registered = [] {
  const std::pair<const char*, Builder> rows[] = {
      {"Query/EvaluationByDepartment/", Evaluation}, {"Query/ValuationByBranchDepartment/", Valuation},
      {"Query/StockListingBySupplier/", StockListing}, {"Query/BrokenSizes/", BrokenSizes},
      {"Query/StyleHistory/", History},             {"Query/StyleSearchByPrefix/", StyleSearch}};
  for (const auto& [name, build] : rows)
    for (Engine e : {Engine::SQLite, Engine::PostgreSQL})
      kvbench::AddRow(name + kvtest::EngineName(e), BM_Query, e, build);
  return true;
}();

}  // namespace

int main(int argc, char** argv) {
  return kvbench::RunBenchmarks(argc, argv, [] { kvcat::CloseCatalogueConnections(); });
}
