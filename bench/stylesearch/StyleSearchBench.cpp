// The style editor's searches, navigation and stock evaluation on the whole
// benchmark catalogue, each as the window runs it against the fastest bare
// SQL found for the same figures on the same engine, timed in the same
// iterations; the figures of both must agree, or the row fails.
//   List:       the advanced search for season "SPRING" (about 100,000 root
//               PLUs at full size): the style list statement and every value
//               of its rows, against the first sizes' rows read directly.
//   NextStep:   one step of the next button from the root PLU in the middle
//               of the catalogue, against the one lookup of the row after it.
//   Evaluation: the evaluation dialog by department over every branch (the
//               statement and the grid's rows), against the bare sums.
//
// KV_BENCH_SCALE as for the catalogue ("small" in the CI smoke run).
#include <benchmark/benchmark.h>

#include <QCryptographicHash>

#include <functional>

#include "AdvancedSearchForm.h"
#include "CatalogueCacheClass.h"
#include "EvaluationClass.h"
#include "Format.h"
#include "KvBenchCompare.h"
#include "KvBenchMain.h"
#include "KvDb.h"
#include "KvEdit.h"
#include "StyleListClass.h"
#include "StyleNavigationClass.h"

namespace {

using kvtest::Engine;

// A statement's rows read whole, every value as text, kept as one digest (the
// figures) and a row count.
struct Read {
  QByteArray digest;
  int rows = 0;
  bool operator==(const Read&) const = default;
};

Read ReadAll(kdb::Database& db, const QString& sql) {
  kdb::Query q(&db);
  q.SQL = sql;
  q.ExecSQL();
  QCryptographicHash h(QCryptographicHash::Sha1);
  Read r;
  for (; !q.Eof(); q.Next(), ++r.rows)
    for (int c = 0; c < q.FieldCount(); ++c) {
      h.addData(q.Fields(c).AsString().toUtf8());
      h.addData("|");
    }
  r.digest = h.result();
  return r;
}

// One row of the table: ours and the bare statement give figures as text.
struct Row {
  std::function<QStringList(kdb::Database&)> ours, bare;
};

// ----- the style list of an advanced search --------------------------------------------

QString SeasonSearch() {
  TFormAdvancedSearch dialog;
  dialog.EditSeason->setText("SPRING");
  return dialog.GetWhereClause();
}

const char* const kStyleListColumns =
    "select root_plu, supplier_name, style, style_ref, description, colour_name, season_name, category_name,"
    " department_name, subdepartment_name, brandlabel_name, sizesscale_name, vat_rate, current_cost_price,"
    " retail_price from products";

Row List() {
  const QString where = SeasonSearch();
  const auto figures = [](const Read& r) { return QStringList{QString::number(r.rows), r.digest.toHex()}; };
  return {[where, figures](kdb::Database& db) {
            return figures(ReadAll(db, TStyleListClass::FirstSizeStyleListSQL(where)));
          },
          [where, figures](kdb::Database& db) {
            return figures(ReadAll(db, kStyleListColumns + where +
                                           " and size_offset = 0"
                                           " order by coalesce(style, ''), coalesce(colour_name, ''), root_plu"));
          }};
}

// ----- one step of the next button --------------------------------------------------------

Row NextStep(kdb::Database& db) {
  const QStringList middle = kvtest::Column(
      db, "select root_plu from products where id >= (select max(id) from products) / 2 order by id limit 1");
  const QString root = middle.value(0);
  const QString style =
      kvtest::Column(db, "select style from products where plu = " + kdb::sql::Quote(root + "00")).value(0);
  return {[root, style](kdb::Database& d) {
            kdb::Query q(&d);
            const QString reached = TStyleNavigationClass::Step(
                TStyleNavigationClass::navNext, root, style, [&q](const QString& sql) -> kdb::DataSet& {
                  q.SQL = sql;
                  q.ExecSQL();
                  return q;
                });
            return QStringList{reached};
          },
          [root, style](kdb::Database& d) {
            return kvtest::Column(d, "select root_plu from products where plu > " + kdb::sql::Quote(root + "00") +
                                         " and style <> " + kdb::sql::Quote(style) + " order by plu limit 1");
          }};
}

// ----- the stock evaluation ---------------------------------------------------------------

QString Money(Currency c) { return kos::FormatFloat("#,##0.00", c); }

Row Evaluation() {
  constexpr int kDepartment = 1;
  return {[](kdb::Database& db) {
            kdb::Query q(&db);
            q.SQL = TEvaluationClass::ReportSQL(kDepartment);
            q.ExecSQL();
            const std::vector<QStringList> rows = TEvaluationClass::Rows(kDepartment, q);
            return rows.back().mid(1, 3);  // the TOTALS row's stock, cost and retail
          },
          [](kdb::Database& db) {
            kdb::Query q(&db);
            q.SQL = "select sum(s.qty), sum(s.qty * p.current_cost_price), sum(s.qty * p.retail_price)"
                    " from (select plu, sum(stock_quantity) as qty from branchstock group by plu) s"
                    " inner join products p on (p.plu = s.plu) group by p.category_id, p.department_id";
            q.ExecSQL();
            qint64 stock = 0;
            Currency cost, retail;
            for (; !q.Eof(); q.Next()) {
              stock += q.Fields(0).AsInteger();
              cost += q.Fields(1).AsCurrency();
              retail += q.Fields(2).AsCurrency();
            }
            return QStringList{QString::number(stock), Money(cost), Money(retail)};
          }};
}

// ----- the rows of the table ------------------------------------------------------------------

void BM_StyleSearch(benchmark::State& state, Engine e, Row (*make)(kdb::Database&)) {
  kdb::Database* db = nullptr;
  Row row;
  try {
    db = &kvcat::CatalogueConnection(e);
    row = make(*db);
  } catch (const std::exception& x) {
    state.SkipWithError(x.what());
    return;
  }
  kvbench::Comparison compare(state, QString::fromStdString(kvtest::EngineName(e)), kvbench::kGoalQuery);
  try {
    for (auto _ : state) {
      QStringList ours, bare;
      compare.Ours([&] { ours = row.ours(*db); });
      compare.Baseline([&] { bare = row.bare(*db); });
      if (ours != bare || ours.isEmpty()) {
        state.SkipWithError(("different figures: " + ours.join(" ") + " against " + bare.join(" ")).toStdString().c_str());
        break;
      }
    }
  } catch (const kdb::DbError& x) {
    state.SkipWithError(x.Message().toStdString().c_str());
  }
  compare.Report();
}

Row ListRow(kdb::Database&) { return List(); }
Row EvaluationRow(kdb::Database&) { return Evaluation(); }

const bool registered = [] {
  const std::pair<const char*, Row (*)(kdb::Database&)> rows[] = {
      {"StyleSearch/ListSeasonSpring/", ListRow},
      {"StyleSearch/NextStepMidCatalogue/", NextStep},
      {"StyleSearch/EvaluationByDepartment/", EvaluationRow}};
  for (const auto& [name, make] : rows)
    for (Engine e : {Engine::SQLite, Engine::PostgreSQL}) {
      benchmark::internal::Benchmark* b = kvbench::AddRow(name + kvtest::EngineName(e), BM_StyleSearch, e, make);
      if (make != NextStep) b->Iterations(3);
    }
  return true;
}();

}  // namespace

int main(int argc, char** argv) {
  return kvbench::RunGuiBenchmarks(argc, argv, [] { kvcat::CloseCatalogueConnections(); });
}
