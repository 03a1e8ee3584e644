// The two style stock reports on the benchmark catalogue (100,000 styles in
// 10 branches): StyleStockList and BrokenSizeReport run through their own
// reads and grid builders, as their windows run them, over a pick of every
// style of the catalogue (a grid of about two million rows), against the
// fastest bare SQL that gives the same figures on the same engine, in the
// same iterations.
//
// The pick is what the picker hands a report after "Select All" on a search
// that found every style: the list of the styles in the picker's order,
// which the report reads a batch at a time with the styles in an IN list.
// The bare candidates take the same list, in one statement.
//
// The baseline: each bare candidate below runs its statements and reads
// every value of their rows; the fastest of them on the engine, found before
// the timed iterations, is the row's baseline. After every iteration the
// figures (per root PLU and branch: the sum of the quantities and how many
// there are) are read back from the grid and from the baseline's rows; a
// difference fails the row.
//
// A report whose grid shows more than the stock records give (the broken
// styles: each line's style and colour name, the size names of its header,
// all from PRODUCTS) has that statement in its baseline too, read whole,
// then the fastest stock candidate (which may list the root PLUs the names
// statement read instead of finding them again); the style and colour of
// each line must agree with the names as well. The fastest stock candidate
// alone is still timed in the same iterations, its figures checked too, and
// shown beside (narrow_ms, narrow_ratio; narrow_bare says which one).
//
// Memory: one run more from an empty grid, counted by HeapCounter: the most
// the run held at once above what it started with (peak_mb), what the grid
// kept afterwards (grid_mb), and their ratio (mem_ratio, 1.0 when the run
// never needed more than the grid it leaves).
//
// KV_BENCH_SCALE as for the catalogue ("small": 400 styles, the smoke run);
// KV_BENCH_STYLE_STEP=n picks every nth style only (for a quicker look at a
// change; the row's goal is for the whole catalogue).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>

#include <functional>
#include <limits>
#include <map>
#include <memory>

#include "BrokenSizeGridClass.h"
#include "BrokenSizeQueryClass.h"
#include "CatalogueCacheClass.h"
#include "DataModF.h"
#include "HeapCounter.h"
#include "KvBenchCompare.h"
#include "KvBenchMain.h"
#include "KvDb.h"
#include "KvStringGrid.h"
#include "StyleStockGridClass.h"
#include "StyleStockQueryClass.h"

namespace {

using kvtest::Engine;

// Every style, unless told otherwise.
int StyleStep() {
  bool ok = false;
  const int step = qEnvironmentVariableIntValue("KV_BENCH_STYLE_STEP", &ok);
  return ok && step > 0 ? step : 1;
}

// A data module connected to the catalogue, as a report program has one, and
// what a run needs from the database besides: the picked styles and the
// branches.
struct Shop {
  std::unique_ptr<TDMDB> dm;
  QStringList styles;
  std::vector<std::pair<QString, QString>> branches;  // (id, name) by name, as the selectors list them
  QHash<QString, QString> codeOfBranch;
  QHash<QString, QString> nameOfBranch;
  // The root PLUs of the rows the names statement read last (broken styles),
  // listed for an IN (...): a baseline that holds them lists them itself.
  QString rootsOfNames;

  explicit Shop(Engine e) {
    const kvcat::CatalogueDb cat = kvcat::EnsureCatalogue(e, kvcat::SizeFromEnvironment());
    dm = std::make_unique<TDMDB>();
    kvtest::TestDatabase::Configure(cat.facts, *dm->DBSessionRemote, *dm->DBDatabaseRemote);
    dm->DBDatabaseRemote->Open();
    dm->DBSessionRemote->SetActive(true);
    kdb::Query q(dm->DBDatabaseRemote);
    // The picker lists the styles in order (its search for every style); the
    // user ticks them all.
    q.SQL = "select style from products group by style order by style";
    q.ExecSQL();
    const int step = StyleStep();
    int i = 0;
    for (q.First(); !q.Eof(); q.Next(), ++i)
      if (i % step == 0) styles << q.Fields(0).AsString();
    q.SQL = "select id, code, name from branches order by name asc";
    q.ExecSQL();
    for (q.First(); !q.Eof(); q.Next()) {
      const QString id = q.Fields(0).AsString();
      branches.emplace_back(id, q.Fields(2).AsString());
      codeOfBranch.insert(id, q.Fields(1).AsString());
      nameOfBranch.insert(id, q.Fields(2).AsString());
    }
  }
  kdb::Database& Db() { return *dm->DBDatabaseRemote; }
};

std::map<Engine, std::unique_ptr<Shop>> shops;

Shop& ShopOf(Engine e) {
  auto& s = shops[e];
  if (!s) s = std::make_unique<Shop>(e);
  return *s;
}

QString QuotedList(const QStringList& texts) {
  QStringList quoted;
  for (const QString& t : texts) quoted << kdb::sql::Quote(t);
  return quoted.join(", ");
}

// ----- the figures, as a report's grid shows them and as bare rows give them -------------

// Per line (root PLU and branch): the sum of its quantities and how many it shows.
struct LineFigures {
  qint64 total = 0;
  int quantities = 0;
  bool operator==(const LineFigures&) const = default;
};
using Figures = std::map<QString, LineFigures>;

Figures GridFigures(const kui::KvStringGrid& grid, const std::function<bool(int row)>& isLine, int rootCol,
                    int branchCol, int firstSizeCol, int endSizeCol) {
  Figures f;
  for (int r = 0; r < grid.RowCount(); ++r) {
    if (!isLine(r)) continue;
    LineFigures& line = f[grid.Cell(rootCol, r) + "|" + grid.Cell(branchCol, r)];
    for (int c = firstSizeCol; c < endSizeCol; ++c) {
      const QString cell = grid.Cell(c, r);
      if (cell.isEmpty()) continue;
      line.total += cell.toLongLong();
      ++line.quantities;
    }
  }
  return f;
}

std::unique_ptr<kdb::Query> Run(Shop& shop, const QString& sql) {
  auto q = std::make_unique<kdb::Query>(&shop.Db());
  q->SQL = sql;
  q->ExecSQL();
  return q;
}

// A bare candidate: its statement (made on the catalogue, which it may read
// first), run and every value of its rows read; then the figures of the rows.
struct BareFetch {
  const char* name;
  std::function<QString(Shop&)> sql;
  void (*read)(kdb::Query&);
  Figures (*figures)(Shop&, kdb::Query&);

  std::unique_ptr<kdb::Query> Fetch(Shop& shop) const {
    auto q = Run(shop, sql(shop));
    read(*q);
    return q;
  }
};

// Rows of (PLU, branch, quantity), every value read: the text as text, the
// numbers as numbers (any reader of the rows does at least this much).
void ReadStockRows(kdb::Query& q) {
  qint64 sum = 0;
  kdb::Field& plu = q.Fields(0);
  kdb::Field& branch = q.Fields(1);
  kdb::Field& quantity = q.Fields(2);
  for (q.First(); !q.Eof(); q.Next()) sum += plu.AsString().size() + branch.AsInteger() + quantity.AsInteger();
  benchmark::DoNotOptimize(sum);
}

// The styles' root PLUs, each once, as a list for an IN (...).
QString RootList(Shop& shop) {
  auto q = Run(shop, "select distinct p.root_plu from products p where p.style in (" + QuotedList(shop.styles) + ")");
  QStringList roots;
  for (q->First(); !q->Eof(); q->Next()) roots << q->Fields(0).AsString();
  return QuotedList(roots);
}

QString StylesRoots(Shop& shop) {
  return "select p.root_plu from products p where p.style in (" + QuotedList(shop.styles) + ")";
}

// What the window's wait window costs a run besides: a look at the clock
// after every line and colour, the events processed every 40 ms (see
// TReportFrameForm::ShowProgress).
class WaitWindowCost {
 public:
  WaitWindowCost() { clock_.start(); }
  void operator()() {
    if (clock_.elapsed() < 40) return;
    clock_.restart();
    QCoreApplication::processEvents();
  }

 private:
  QElapsedTimer clock_;
};

// ----- StyleStockList --------------------------------------------------------------------

void RunStyleStockList(Shop& shop, kui::KvStringGrid& grid) {
  TStyleStockGridClass build(grid);
  build.BranchCode = [&](const QString& id) { return shop.codeOfBranch.value(id); };
  WaitWindowCost wait;
  build.BeforeStyle = [&](const QString&) { wait(); };
  build.AfterLine = [&] { wait(); };
  build.Reset();
  TStyleStockQueryClass reads(*shop.dm, QString());
  build.AddStyles(reads, shop.styles);
  build.Finish();
}

Figures StyleStockGridFigures(const kui::KvStringGrid& grid) {
  const auto isLine = [&](int r) {
    return r > 0 && !grid.Cell(0, r).isEmpty() && !TStyleStockGridClass::IsHeaderRow(grid, r) &&
           !TStyleStockGridClass::IsTotalsRow(grid, r);
  };
  return GridFigures(grid, isLine, 0, TStyleStockGridClass::kBranchCol, TStyleStockGridClass::kFirstSizeCol,
                     TStyleStockGridClass::kTotalCol);
}

// Rows of (PLU, branch, quantity): the root PLU and the size are the PLU's.
Figures StockFiguresByPLU(Shop& shop, kdb::Query& q) {
  Figures f;
  for (q.First(); !q.Eof(); q.Next()) {
    LineFigures& line = f[q.Fields(0).AsString().left(8) + "|" + shop.codeOfBranch.value(q.Fields(1).AsString())];
    line.total += q.Fields(2).AsInteger();
    ++line.quantities;
  }
  return f;
}

const std::vector<BareFetch>& StyleStockBares() {
  static const std::vector<BareFetch> bares = {
      // The styles' PLUs joined to their stock through the covering index
      // (PLU, BRANCH_ID, STOCK_QUANTITY).
      {"join on the PLU",
       [](Shop& shop) {
         return "select bs.plu, bs.branch_id, bs.stock_quantity from products p"
                " inner join branchstock bs on (bs.plu = p.plu) where p.style in (" +
                QuotedList(shop.styles) + ")";
       },
       ReadStockRows, StockFiguresByPLU},
      // The stock of the styles' root PLUs from the covering index
      // (ROOT_PLU, BRANCH_ID, PLU, STOCK_QUANTITY).
      {"by root PLU, sub-select",
       [](Shop& shop) {
         return "select bs.plu, bs.branch_id, bs.stock_quantity from branchstock bs where bs.root_plu in (" +
                StylesRoots(shop) + ")";
       },
       ReadStockRows, StockFiguresByPLU},
      {"by root PLU, listed",
       [](Shop& shop) {
         return "select bs.plu, bs.branch_id, bs.stock_quantity from branchstock bs where bs.root_plu in (" +
                RootList(shop) + ")";
       },
       ReadStockRows, StockFiguresByPLU},
  };
  return bares;
}

// ----- BrokenSizeReport ----------------------------------------------------------------

void RunBrokenSizes(Shop& shop, kui::KvStringGrid& grid) {
  TBrokenSizeGridClass build(grid);
  build.MinMissing = 1;
  build.HideAllZero = true;
  build.Branches = shop.branches;
  WaitWindowCost wait;
  build.BeforeStyle = [&](const TBrokenStyle&) { wait(); };
  build.BeforeColour = [&](const TBrokenStyle&, const TBrokenColour&) { wait(); };
  build.Reset();
  TBrokenSizeQueryClass reads(*shop.dm, QString());
  build.AddStyles(reads, shop.styles);
}

Figures BrokenGridFigures(const kui::KvStringGrid& grid) {
  const auto isLine = [&](int r) { return grid.Cell(0, r) == TBrokenSizeGridClass::kDataMark; };
  return GridFigures(grid, isLine, 2, 1, TBrokenSizeGridClass::kFirstSizeCol, grid.ColCount());
}

// The records of the broken (root PLU, branch) pairs (Min Missing 1, "Hide
// with all zeros" ticked): at least one quantity of 0 or below, and not all
// of them exactly 0. Rows of (root PLU, branch, PLU, quantity), a pair's
// rows together.
Figures BrokenFigures(Shop& shop, kdb::Query& q) {
  Figures f;
  QString pair;
  LineFigures line;
  bool missing = false, nonZero = false;
  const auto settle = [&] {
    if (missing && nonZero) f[pair] = line;
  };
  for (q.First(); !q.Eof(); q.Next()) {
    const QString key = q.Fields(0).AsString() + "|" + shop.nameOfBranch.value(q.Fields(1).AsString());
    if (key != pair) {
      settle();
      pair = key;
      line = {};
      missing = nonZero = false;
    }
    const qint64 n = q.Fields(3).AsInteger();
    line.total += n;
    ++line.quantities;
    missing = missing || n <= 0;
    nonZero = nonZero || n != 0;
  }
  settle();
  return f;
}

// Read in index order, a pair's rows come together: the broken pairs are
// known as the rows pass.
void ReadAndRuleBroken(kdb::Query& q) {
  qint64 branch = -1;
  QString root;
  int broken = 0;
  bool missing = false, nonZero = false;
  for (q.First(); !q.Eof(); q.Next()) {
    const QString r = q.Fields(0).AsString();
    const qint64 b = q.Fields(1).AsInteger();
    if (b != branch || r != root) {
      broken += missing && nonZero;
      root = r;
      branch = b;
      missing = nonZero = false;
    }
    benchmark::DoNotOptimize(q.Fields(2).AsString());
    const qint64 n = q.Fields(3).AsInteger();
    missing = missing || n <= 0;
    nonZero = nonZero || n != 0;
  }
  broken += missing && nonZero;
  benchmark::DoNotOptimize(broken);
}

// What the grid shows of a colour besides its stock: its style, colour name
// and size names. The PLUs of the picked styles from the covering index
// (STYLE, ROOT_PLU, PLU, SIZE_OFFSET, COLOUR_NAME, SIZE_NAME), a colour's
// PLUs together.
QString BrokenNamesSql(Shop& shop) {
  return "select p.style, p.root_plu, p.plu, p.size_offset, p.colour_name, p.size_name from products p"
         " where p.style in (" +
         QuotedList(shop.styles) + ") order by p.style, p.root_plu, p.plu";
}

// Every value read, and the root PLUs listed once each (a colour's rows
// come together).
void ReadBrokenNames(Shop& shop, kdb::Query& q) {
  qint64 sum = 0;
  kdb::Field& style = q.Fields(0);
  kdb::Field& root = q.Fields(1);
  kdb::Field& plu = q.Fields(2);
  kdb::Field& offset = q.Fields(3);
  kdb::Field& colour = q.Fields(4);
  kdb::Field& size = q.Fields(5);
  QStringList roots;
  for (q.First(); !q.Eof(); q.Next()) {
    const QString r = root.AsString();
    if (roots.isEmpty() || roots.constLast() != r) roots << r;
    sum += style.AsString().size() + r.size() + plu.AsString().size() + offset.AsInteger() +
           colour.AsString().size() + size.AsString().size();
  }
  benchmark::DoNotOptimize(sum);
  roots.removeDuplicates();  // a root PLU under two styles
  shop.rootsOfNames = QuotedList(roots);
}

// Per style and root PLU ("style|root"), the colour name a line shows: that
// of the colour's PLU with the lowest size offset (one without counts last),
// the lower PLU on a tie.
using ColourNames = std::map<QString, QString>;

ColourNames BrokenColourNames(kdb::Query& q) {
  struct Naming {
    qint64 offset;
    QString plu, name;
  };
  std::map<QString, Naming> naming;
  for (q.First(); !q.Eof(); q.Next()) {
    const qint64 offset = q.Fields(3).IsNull() ? std::numeric_limits<qint64>::max() : q.Fields(3).AsInteger();
    const QString plu = q.Fields(2).AsString();
    const auto [it, added] = naming.try_emplace(q.Fields(0).AsString() + "|" + q.Fields(1).AsString(),
                                                Naming{offset, plu, q.Fields(4).AsString()});
    if (!added && (offset < it->second.offset || (offset == it->second.offset && plu < it->second.plu)))
      it->second = {offset, plu, q.Fields(4).AsString()};
  }
  ColourNames names;
  for (const auto& [key, n] : naming) names.emplace(key, n.name);
  return names;
}

// The lines' colours as the grid shows them, for the same key.
ColourNames BrokenGridColours(const kui::KvStringGrid& grid) {
  ColourNames names;
  for (int r = 0; r < grid.RowCount(); ++r)
    if (grid.Cell(0, r) == TBrokenSizeGridClass::kDataMark) names[grid.Cell(3, r) + "|" + grid.Cell(2, r)] = grid.Cell(4, r);
  return names;
}

// True when every line's colour is the one the names statement gives.
bool SameColours(const kui::KvStringGrid& grid, kdb::Query& names) {
  const ColourNames shown = BrokenGridColours(grid);
  const ColourNames given = BrokenColourNames(names);
  for (const auto& [key, name] : shown) {
    const auto it = given.find(key);
    if (it == given.end() || it->second != name) return false;
  }
  return !shown.empty();
}

const std::vector<BareFetch>& BrokenBares() {
  static const std::vector<BareFetch> bares = {
      {"by root PLU, sub-select",
       [](Shop& shop) {
         return "select bs.root_plu, bs.branch_id, bs.plu, bs.stock_quantity from branchstock bs"
                " where bs.root_plu in (" +
                StylesRoots(shop) + ") order by bs.root_plu, bs.branch_id";
       },
       ReadAndRuleBroken, BrokenFigures},
      {"by root PLU, listed",
       [](Shop& shop) {
         return "select bs.root_plu, bs.branch_id, bs.plu, bs.stock_quantity from branchstock bs"
                " where bs.root_plu in (" +
                RootList(shop) + ") order by bs.root_plu, bs.branch_id";
       },
       ReadAndRuleBroken, BrokenFigures},
  };
  return bares;
}

// After the names statement: the stock of the root PLUs it read, listed,
// besides the candidates that find them again.
const std::vector<BareFetch>& BrokenBaresAfterNames() {
  static const std::vector<BareFetch> bares = [] {
    std::vector<BareFetch> b = {
        {"by the names' root PLUs, listed",
         [](Shop& shop) {
           return "select bs.root_plu, bs.branch_id, bs.plu, bs.stock_quantity from branchstock bs"
                  " where bs.root_plu in (" +
                  shop.rootsOfNames + ") order by bs.root_plu, bs.branch_id";
         },
         ReadAndRuleBroken, BrokenFigures}};
    b.insert(b.end(), BrokenBares().begin(), BrokenBares().end());
    return b;
  }();
  return bares;
}

// ----- the rows ----------------------------------------------------------------------------

struct Report {
  void (*run)(Shop&, kui::KvStringGrid&);
  Figures (*gridFigures)(const kui::KvStringGrid&);
  const std::vector<BareFetch>& (*bares)();
  // What the grid shows besides the stock, when it shows more: the
  // statement, its reader, and the check of the grid against its rows.
  QString (*namesSql)(Shop&) = nullptr;
  void (*readNames)(Shop&, kdb::Query&) = nullptr;
  bool (*sameNames)(const kui::KvStringGrid&, kdb::Query&) = nullptr;
  // The stock candidates once the names are read (they may use them).
  const std::vector<BareFetch>& (*baresAfterNames)() = nullptr;
};

double TimedMs(const std::function<void()>& f) {
  QElapsedTimer t;
  t.start();
  f();
  return double(t.nsecsElapsed()) / 1e6;
}

// The fastest candidate on this engine (the better of two runs each), each
// run after `before` where given.
const BareFetch& FastestBare(Shop& shop, const std::vector<BareFetch>& bares,
                             const std::function<void()>& before = {}) {
  const BareFetch* best = nullptr;
  double bestMs = 0;
  for (const BareFetch& b : bares) {
    double ms = 0;
    for (int i = 0; i < 2; ++i) {
      const double t = TimedMs([&] {
        if (before) before();
        b.Fetch(shop);
      });
      ms = i == 0 ? t : std::min(ms, t);
    }
    if (!best || ms < bestMs) {
      best = &b;
      bestMs = ms;
    }
  }
  return *best;
}

void BM_Report(benchmark::State& state, Engine e, Report report) {
  Shop* shop = nullptr;
  // The stock candidate alone (the baseline, unless the report reads names
  // besides); with names, the candidate that follows the names statement.
  const BareFetch* bare = nullptr;
  const BareFetch* afterNames = nullptr;
  std::unique_ptr<kdb::Query> names;
  const auto readNames = [&] {
    names = Run(*shop, report.namesSql(*shop));
    report.readNames(*shop, *names);
  };
  try {
    shop = &ShopOf(e);
    bare = &FastestBare(*shop, report.bares());
    if (report.namesSql) afterNames = &FastestBare(*shop, report.baresAfterNames(), readNames);
  } catch (const std::exception& x) {
    state.SkipWithError(x.what());
    return;
  }
  kui::KvStringGrid grid;
  kvbench::Comparison row(state, QString::fromStdString(kvtest::EngineName(e)), kvbench::kGoalQuery);
  std::vector<double> narrowMs;  // the stock candidate alone, when the baseline reads names besides
  const auto sameFigures = [&](const Figures& ours, const BareFetch& b, kdb::Query& rows) {
    if (!ours.empty() && ours == b.figures(*shop, rows)) return true;
    state.SkipWithError(("the report's grid and the bare rows (" + std::string(b.name) + ") give different figures")
                            .c_str());
    return false;
  };
  try {
    for (auto _ : state) {
      std::unique_ptr<kdb::Query> rows;
      names.reset();
      row.Ours([&] { report.run(*shop, grid); });
      row.Baseline([&] {
        if (!afterNames) {
          rows = bare->Fetch(*shop);
          return;
        }
        readNames();
        rows = afterNames->Fetch(*shop);
      });
      const Figures ours = report.gridFigures(grid);
      if (!sameFigures(ours, afterNames ? *afterNames : *bare, *rows)) break;
      if (afterNames) {
        if (!report.sameNames(grid, *names)) {
          state.SkipWithError("the report's grid and the bare rows give different colour names");
          break;
        }
        rows.reset();  // the stock candidate alone starts as it did in the baseline
        names.reset();
        narrowMs.push_back(TimedMs([&] { rows = bare->Fetch(*shop); }));
        if (!sameFigures(ours, *bare, *rows)) break;
      }
      state.counters["lines"] = double(ours.size());
      state.counters["grid_rows"] = grid.RowCount();
    }
    // The memory of one run from an empty grid.
    grid.SetRowCount(0);
    grid.SetColCount(0);
    kvbench::heap::Start();
    report.run(*shop, grid);
    const kvbench::heap::Use use = kvbench::heap::Stop();
    state.counters["grid_mb"] = double(use.kept) / 1e6;
    state.counters["peak_mb"] = double(use.peak) / 1e6;
    if (use.kept > 0) state.counters["mem_ratio"] = double(use.peak) / double(use.kept);
  } catch (const std::exception& x) {
    state.SkipWithError(x.what());
  }
  state.counters["styles"] = double(shop->styles.size());
  // Which candidates were fastest.
  state.counters["bare"] = afterNames ? double(afterNames - report.baresAfterNames().data())
                                      : double(bare - report.bares().data());
  if (afterNames) state.counters["narrow_bare"] = double(bare - report.bares().data());
  row.Report();
  if (!narrowMs.empty() && state.counters.count("ours_ms")) {
    // Beside the row's ratio: ours against the stock records alone.
    const double ms = kvbench::Median(narrowMs);
    state.counters["narrow_ms"] = ms;
    if (ms > 0) state.counters["narrow_ratio"] = state.counters["ours_ms"] / ms;
  }
}

const bool registered = [] {
  for (Engine e : {Engine::SQLite, Engine::PostgreSQL}) {
    const std::string engine = kvtest::EngineName(e);
    // Medians of three: a run takes some seconds, and the machine is shared.
    kvbench::AddRow("Report/StyleStockList/" + engine, BM_Report, e,
                    Report{RunStyleStockList, StyleStockGridFigures, StyleStockBares})
        ->Iterations(3);
    kvbench::AddRow("Report/BrokenSizeReport/" + engine, BM_Report, e,
                    Report{RunBrokenSizes, BrokenGridFigures, BrokenBares, BrokenNamesSql, ReadBrokenNames,
                           SameColours, BrokenBaresAfterNames})
        ->Iterations(3);
  }
  return true;
}();

}  // namespace

int main(int argc, char** argv) {
  return kvbench::RunGuiBenchmarks(argc, argv, [] { shops.clear(); });
}
