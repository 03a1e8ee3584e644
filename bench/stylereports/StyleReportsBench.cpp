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
// StyleStockList's baseline gives what its grid shows: each line (root PLU
// and branch) in the listing's order with its descriptive columns, the size
// names of its blocks and its quantities, as bare statements and a plain
// reader that pairs their rows give them; every line is compared with the
// grid's, in order (a key and a print of its texts and figures). The narrow
// fetch of (PLU, branch, quantity) in no order, which cannot build the
// listing, is still timed beside it (narrow_ms, narrow_ratio) and its figures
// compared as before.
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
#include <QSet>

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <memory>

#include "BrokenSizeGridClass.h"
#include "BrokenSizeQueryClass.h"
#include "CatalogueCacheClass.h"
#include "DataModF.h"
#include "Format.h"
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

// ----- StyleStockList: the lines with every column the grid shows -------------------------

// The listing line by line, in its order: a line (root PLU and branch) by its
// key and a print (FNV-1a) of what its rows show: the descriptive columns
// (supplier .. department, cost, retail), then block after block the size
// names of the block's header and the line's quantities there (column in the
// block, quantity).
struct LinePrint {
  QString key;  // root PLU | branch code
  quint64 print = 14695981039346656037ull;
  bool operator==(const LinePrint&) const = default;
  void Mix(quint64 v) {
    for (int i = 0; i < 8; ++i, v >>= 8) print = (print ^ (v & 0xFF)) * 1099511628211ull;
  }
  void Mix(const QString& text) {
    for (const QChar c : text) Mix(c.unicode());
    Mix(0xFFFFu);
  }
};
using ListingPrint = std::vector<LinePrint>;

// Grid columns of the descriptive texts, in the order they are mixed.
constexpr int kListingTextCols[] = {1, 2, 3, 4, 5, 6, 7, 8, TStyleStockGridClass::kCostCol,
                                    TStyleStockGridClass::kCostCol + 1};

ListingPrint GridListing(const kui::KvStringGrid& grid) {
  ListingPrint lines;
  QHash<QString, size_t> seen;
  int header = -1;
  for (int r = 1; r < grid.RowCount(); ++r) {
    if (TStyleStockGridClass::IsHeaderRow(grid, r)) {
      header = r;
      continue;
    }
    if (grid.Cell(0, r).isEmpty() || TStyleStockGridClass::IsTotalsRow(grid, r) || header < 0) continue;
    const QString key = grid.Cell(0, r) + "|" + grid.Cell(TStyleStockGridClass::kBranchCol, r);
    auto at = seen.constFind(key);
    if (at == seen.cend()) {
      at = seen.insert(key, lines.size());
      LinePrint& line = lines.emplace_back();
      line.key = key;
      for (int c : kListingTextCols) line.Mix(grid.Cell(c, r));
    }
    LinePrint& line = lines[at.value()];
    for (int k = 0; k < TStyleStockGridClass::kBlockSizes; ++k)
      line.Mix(grid.Cell(TStyleStockGridClass::kFirstSizeCol + k, header));
    for (int k = 0; k < TStyleStockGridClass::kBlockSizes; ++k) {
      const QString cell = grid.Cell(TStyleStockGridClass::kFirstSizeCol + k, r);
      if (cell.isEmpty()) continue;
      line.Mix(quint64(k));
      line.Mix(quint64(cell.toLongLong()));
    }
  }
  return lines;
}

// The size names of every scale: (COUNTER, names by offset).
using Scales = QHash<qint64, std::pair<int, std::vector<QString>>>;

constexpr const char* kScalesSql =
    "select s.id, s.counter, z.\"offset\", z.name from sizesscale s left join sizes z on (z.sizesscale_id = s.id)"
    " order by s.id, z.\"offset\"";

// Read as any reader reads them; kept (the lines' headers need them).
Scales ReadScales(Shop& shop) {
  Scales scales;
  auto q = Run(shop, kScalesSql);
  for (q->First(); !q->Eof(); q->Next()) {
    auto& scale = scales[q->Fields(0).AsInteger()];
    scale.first = int(q->Fields(1).AsInteger());
    if (q->Fields(2).IsNull()) continue;
    const qint64 offset = q->Fields(2).AsInteger();
    if (offset < 0 || offset > TStyleStockQueryClass::kMaxOffset) continue;
    if (size_t(offset) >= scale.second.size()) scale.second.resize(size_t(offset) + 1);
    scale.second[size_t(offset)] = q->Fields(3).AsString();
  }
  return scales;
}

// A line as the bare rows give it, before its style's size blocks are known.
struct BareLine {
  QString key;
  QStringList texts;  // as kListingTextCols
  qint64 scale = 0;
  std::vector<std::pair<int, qint64>> stock;  // (offset, quantity) as read
};

// Builds the listing's print from lines handed over in the listing's order,
// a style at a time: the style's blocks (as many sizes as the scale's
// COUNTER, or more for stock at a higher offset) head every line of it.
class ListingBuilder {
 public:
  explicit ListingBuilder(const Scales& scales) : scales_(scales) {}
  void Add(const QString& style, BareLine line) {
    if (style != style_) Settle();
    style_ = style;
    lines_.push_back(std::move(line));
  }
  ListingPrint Take() {
    Settle();
    return std::move(out_);
  }

 private:
  void Settle() {
    if (lines_.empty()) return;
    const auto scale = scales_.value(lines_.front().scale);
    int sizes = std::max(0, scale.first);
    for (BareLine& l : lines_) {
      // Quantities by offset, each offset once; NULL and offsets no column shows left out.
      std::sort(l.stock.begin(), l.stock.end());
      std::vector<std::pair<int, qint64>> settled;
      for (const auto& [offset, quantity] : l.stock) {
        if (offset < 0 || offset > TStyleStockQueryClass::kMaxOffset) continue;
        if (!settled.empty() && settled.back().first == offset)
          settled.back().second += quantity;
        else
          settled.emplace_back(offset, quantity);
      }
      l.stock = std::move(settled);
      if (!l.stock.empty()) sizes = std::max(sizes, l.stock.back().first + 1);
    }
    for (const BareLine& l : lines_) {
      LinePrint& p = out_.emplace_back();
      p.key = l.key;
      for (const QString& t : l.texts) p.Mix(t);
      auto q = l.stock.begin();
      for (int first = 0; first < sizes; first += TStyleStockGridClass::kBlockSizes) {
        const int count = std::min(TStyleStockGridClass::kBlockSizes, sizes - first);
        for (int k = 0; k < TStyleStockGridClass::kBlockSizes; ++k)
          p.Mix(k < count && size_t(first + k) < scale.second.size() ? scale.second[size_t(first + k)] : QString());
        for (; q != l.stock.end() && q->first < first + count; ++q) {
          p.Mix(quint64(q->first - first));
          p.Mix(quint64(q->second));
        }
      }
    }
    lines_.clear();
  }

  const Scales& scales_;
  QString style_;
  std::vector<BareLine> lines_;
  ListingPrint out_;
};

QString MoneyText(kdb::Field& f) { return kos::FormatFloat("0.00", f.AsCurrency()); }

// What a full candidate's reader keeps: the lines in the listing's order
// and the descriptive columns of their first PLUs.
struct GatheredLine {
  int style;  // into styles
  int root;   // into roots
  qint64 branch;
  qint64 firstId;
  QString colour;
  std::vector<std::pair<int, qint64>> stock;  // (offset, quantity) as read; -1: NULL offset
};
struct Gathered {
  std::vector<std::unique_ptr<kdb::Query>> queries;  // the statements' rows, kept as a reader has them
  std::vector<QString> styles, roots;
  std::vector<GatheredLine> lines;
  QHash<qint64, std::pair<qint64, QStringList>> columns;  // id -> (scale, texts as kListingTextCols)
};

// A full candidate: its statements, run and read as any reader reads them,
// the rows paired into lines (the timed part).
struct ListingFetch {
  const char* name;
  Gathered (*fetch)(Shop&);
};

// Columns of the line statements, after the key columns.
constexpr const char* kLineColumns =
    "p.style, p.sizesscale_id, p.supplier_name, p.brandlabel_name, p.colour_name, p.season_name, p.description,"
    " p.style_ref, p.department_name, p.current_cost_price, p.retail_price";
enum LineCol { kLStyle, kLScale, kLSupplier, kLBrand, kLColour, kLSeason, kLDesc, kLRef, kLDept, kLCost, kLRetail };

// The texts of a line (as kListingTextCols) from its row, `at` the first line column.
QStringList LineTexts(kdb::Query& q, int at) {
  return {q.Fields(at + kLSupplier).AsString(), q.Fields(at + kLBrand).AsString(), q.Fields(at + kLStyle).AsString(),
          q.Fields(at + kLColour).AsString(),   q.Fields(at + kLSeason).AsString(), q.Fields(at + kLDesc).AsString(),
          q.Fields(at + kLRef).AsString(),      q.Fields(at + kLDept).AsString(),  MoneyText(q.Fields(at + kLCost)),
          MoneyText(q.Fields(at + kLRetail))};
}

// Three statements, each read from an index or by id, as the listing's data
// needs them: every stock row of the styles' PLUs with the PLU's root PLU,
// size offset, colour and id (both covering indexes, a style's rows together
// and a root PLU's in PLU order, so a line's first row is its lowest PLU);
// the lines gathered per style and put in the listing's order (colour,
// branch, root PLU); then the descriptive columns of the lines' first PLUs
// by id.
QString StockRunsSql(Shop& shop) {
  return "select p.style, p.root_plu, p.size_offset, p.colour_name, p.id, bs.branch_id, bs.stock_quantity"
         " from products p inner join branchstock bs on (bs.plu = p.plu) where p.style in (" +
         QuotedList(shop.styles) + ") order by p.style, p.root_plu, p.plu";
}

QString ColumnsByIdSql(const QStringList& ids) {
  return QString("select p.id, ") + kLineColumns + " from products p where p.id in (" + ids.join(", ") + ")";
}

// A style's lines in the listing's order: colour, branch, root PLU.
void SortLines(std::vector<GatheredLine>& lines) {
  std::sort(lines.begin(), lines.end(), [](const GatheredLine& a, const GatheredLine& b) {
    const int c = QString::compare(a.colour, b.colour);
    return c != 0 ? c < 0 : a.branch != b.branch ? a.branch < b.branch : a.root < b.root;
  });
}

// The descriptive columns of the lines' first PLUs, each read once by id.
void ReadFirstColumns(Shop& shop, Gathered& g) {
  QStringList ids;
  QSet<qint64> seen;
  for (const GatheredLine& l : g.lines)
    if (!seen.contains(l.firstId)) {
      seen.insert(l.firstId);
      ids << QString::number(l.firstId);
    }
  if (ids.isEmpty()) return;
  g.queries.push_back(Run(shop, ColumnsByIdSql(ids)));
  kdb::Query& c = *g.queries.back();
  for (c.First(); !c.Eof(); c.Next())
    g.columns.insert(c.Fields(0).AsInteger(), {c.Fields(1 + kLScale).AsInteger(), LineTexts(c, 1)});
}

Gathered GatherLines(Shop& shop) {
  Gathered gathered;
  Gathered* g = &gathered;
  auto& qs = gathered.queries;
  ReadScales(shop);
  qs.push_back(Run(shop, StockRunsSql(shop)));
  kdb::Query& q = *qs.back();
  kdb::Field& style = q.Fields(0);
  kdb::Field& root = q.Fields(1);
  kdb::Field& offset = q.Fields(2);
  kdb::Field& colour = q.Fields(3);
  kdb::Field& id = q.Fields(4);
  kdb::Field& branch = q.Fields(5);
  kdb::Field& quantity = q.Fields(6);
  std::vector<GatheredLine> styleLines;
  std::vector<size_t> rootLines;  // the current root PLU's lines
  const auto settle = [&] {
    SortLines(styleLines);
    for (GatheredLine& l : styleLines) g->lines.push_back(std::move(l));
    styleLines.clear();
  };
  QString s, r;
  for (q.First(); !q.Eof(); q.Next()) {
    style.AsStringInto(s);
    root.AsStringInto(r);
    bool newRoot = g->roots.empty() || r != g->roots.back();
    if (g->styles.empty() || s != g->styles.back()) {
      settle();
      g->styles.push_back(s);
      newRoot = true;
    }
    if (newRoot) {
      g->roots.push_back(r);
      rootLines.clear();
    }
    const qint64 b = branch.AsInteger();
    size_t at = 0;
    while (at < rootLines.size() && styleLines[rootLines[at]].branch != b) ++at;
    if (at == rootLines.size()) {
      rootLines.push_back(styleLines.size());
      styleLines.push_back({int(g->styles.size()) - 1, int(g->roots.size()) - 1, b, id.AsInteger(), colour.AsString(), {}});
    }
    const qint64 o = offset.AsInteger();
    styleLines[rootLines[at]].stock.emplace_back(int(o == 0 && offset.IsNull() ? -1 : std::clamp<qint64>(o, -1, 1000)),
                                                 quantity.AsInteger());
  }
  settle();
  ReadFirstColumns(shop, gathered);
  return gathered;
}

// The same lines from two reads that need no join: the styles' PLUs by root
// PLU and PLU, and the stock rows of their root PLUs listed, in the order
// of the covering index (ROOT_PLU, BRANCH_ID, PLU, STOCK_QUANTITY); the
// reader merges the two on root PLU and PLU (a line's first matched row is
// its lowest PLU at the branch), then as above.
QString PluRunsSql(Shop& shop) {
  return "select p.root_plu, p.plu, p.style, p.size_offset, p.colour_name, p.id from products p where p.style in (" +
         QuotedList(shop.styles) + ") order by p.root_plu, p.plu";
}

Gathered MergeByRoot(Shop& shop) {
  Gathered gathered;
  Gathered* g = &gathered;
  auto& qs = gathered.queries;
  ReadScales(shop);
  struct Plu {
    QString plu;
    int offset;
    qint64 id;
  };
  struct Root {
    int style, first, end;
    QString colour;  // of its first PLU; a line's is its first PLU's
  };
  std::vector<Plu> plus;
  std::vector<Root> roots;
  std::vector<QString> colours;  // by PLU
  QHash<QString, int> styleIndex;
  QStringList rootList;
  {
    qs.push_back(Run(shop, PluRunsSql(shop)));
    kdb::Query& q = *qs.back();
    plus.reserve(size_t(q.RecordCount()));
    colours.reserve(size_t(q.RecordCount()));
    QString r, st;
    for (q.First(); !q.Eof(); q.Next()) {
      q.Fields(0).AsStringInto(r);
      if (roots.empty() || r != g->roots.back()) {
        q.Fields(2).AsStringInto(st);
        auto at = styleIndex.constFind(st);
        if (at == styleIndex.cend()) {
          at = styleIndex.insert(st, int(g->styles.size()));
          g->styles.push_back(st);
        }
        if (!roots.empty()) roots.back().end = int(plus.size());
        roots.push_back({at.value(), int(plus.size()), 0, {}});
        g->roots.push_back(r);
        rootList << kdb::sql::Quote(r);
      }
      const qint64 o = q.Fields(3).AsInteger();
      plus.push_back({q.Fields(1).AsString(), int(o == 0 && q.Fields(3).IsNull() ? -1 : std::clamp<qint64>(o, -1, 1000)),
                      q.Fields(5).AsInteger()});
      colours.push_back(q.Fields(4).AsString());
    }
    if (!roots.empty()) roots.back().end = int(plus.size());
  }
  std::vector<std::vector<GatheredLine>> byStyle(g->styles.size());
  if (!roots.empty()) {
    qs.push_back(Run(shop, "select bs.root_plu, bs.branch_id, bs.plu, bs.stock_quantity from branchstock bs"
                           " where bs.root_plu in (" + rootList.join(", ") + ") order by bs.root_plu, bs.branch_id, bs.plu"));
    kdb::Query& q = *qs.back();
    kdb::Field& root = q.Fields(0);
    kdb::Field& branch = q.Fields(1);
    kdb::Field& plu = q.Fields(2);
    kdb::Field& quantity = q.Fields(3);
    QString r, p;
    size_t ri = 0;
    int pi = 0;
    qint64 lastBranch = -1;
    bool rootFound = false;
    GatheredLine* line = nullptr;
    for (q.First(); !q.Eof(); q.Next()) {
      root.AsStringInto(r);
      const qint64 b = branch.AsInteger();
      if (ri >= g->roots.size() || r != g->roots[ri] || !rootFound) {
        while (ri < g->roots.size() && g->roots[ri] < r) ++ri;
        rootFound = ri < g->roots.size() && g->roots[ri] == r;
        lastBranch = -1;
        line = nullptr;
        if (!rootFound) continue;
      }
      if (b != lastBranch) {
        lastBranch = b;
        pi = roots[ri].first;
        line = nullptr;
      }
      plu.AsStringInto(p);
      while (pi < roots[ri].end && plus[size_t(pi)].plu < p) ++pi;
      if (pi == roots[ri].end || plus[size_t(pi)].plu != p) continue;  // no PLU of the styles
      if (!line) {
        std::vector<GatheredLine>& bucket = byStyle[size_t(roots[ri].style)];
        line = &bucket.emplace_back(GatheredLine{roots[ri].style, int(ri), b, plus[size_t(pi)].id, colours[size_t(pi)], {}});
      }
      line->stock.emplace_back(plus[size_t(pi)].offset, quantity.AsInteger());
    }
  }
  // The styles in the picked order, each one's lines in the listing's order.
  for (const QString& style : shop.styles) {
    const int si = styleIndex.value(style, -1);
    if (si < 0) continue;
    std::vector<GatheredLine>& bucket = byStyle[size_t(si)];
    SortLines(bucket);
    for (GatheredLine& l : bucket) g->lines.push_back(std::move(l));
  }
  ReadFirstColumns(shop, gathered);
  return gathered;
}

// The listing's print of what a candidate gathered.
ListingPrint GatheredListing(Shop& shop, const Gathered& g) {
  const Scales scales = ReadScales(shop);
  ListingBuilder out(scales);
  for (const GatheredLine& l : g.lines) {
    const auto columns = g.columns.value(l.firstId);
    out.Add(g.styles[size_t(l.style)], {g.roots[size_t(l.root)] + "|" + shop.codeOfBranch.value(QString::number(l.branch)),
                                        columns.second, columns.first, l.stock});
  }
  return out.Take();
}

const std::vector<ListingFetch>& StyleStockListings() {
  static const std::vector<ListingFetch> fetches = {
      {"stock runs gathered, columns by id", GatherLines},
      {"PLUs and stock merged by root PLU, columns by id", MergeByRoot},
  };
  return fetches;
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

// The fastest candidate on this engine (the better of two runs each).
template <class T, class Fetch>
const T& Fastest(const std::vector<T>& candidates, Fetch fetch) {
  const T* best = nullptr;
  double bestMs = 0;
  for (const T& c : candidates) {
    double ms = 0;
    for (int i = 0; i < 2; ++i) {
      const double t = TimedMs([&] { fetch(c); });
      ms = i == 0 ? t : std::min(ms, t);
    }
    if (!best || ms < bestMs) {
      best = &c;
      bestMs = ms;
    }
  }
  return *best;
}

// Each run after `before` where given.
const BareFetch& FastestBare(Shop& shop, const std::vector<BareFetch>& bares,
                             const std::function<void()>& before = {}) {
  return Fastest(bares, [&](const BareFetch& b) {
    if (before) before();
    b.Fetch(shop);
  });
}

// The memory of one run from an empty grid.
void CountMemory(benchmark::State& state, const std::function<void()>& run, kui::KvStringGrid& grid) {
  grid.SetRowCount(0);
  grid.SetColCount(0);
  kvbench::heap::Start();
  run();
  const kvbench::heap::Use use = kvbench::heap::Stop();
  state.counters["grid_mb"] = double(use.kept) / 1e6;
  state.counters["peak_mb"] = double(use.peak) / 1e6;
  if (use.kept > 0) state.counters["mem_ratio"] = double(use.peak) / double(use.kept);
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
    CountMemory(state, [&] { report.run(*shop, grid); }, grid);
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

// StyleStockList: ours against the fastest full candidate (every column the
// grid shows, in its order), its lines compared in order; the narrow fetch
// (PLU, branch and quantity only, in no order) still timed beside it
// (narrow_ms, narrow_ratio) and its figures compared as before.
void BM_StyleStockList(benchmark::State& state, Engine e) {
  Shop* shop = nullptr;
  const ListingFetch* full = nullptr;
  const BareFetch* narrow = nullptr;
  try {
    shop = &ShopOf(e);
    full = &Fastest(StyleStockListings(), [&](const ListingFetch& f) { f.fetch(*shop); });
    narrow = &FastestBare(*shop, StyleStockBares());
  } catch (const std::exception& x) {
    state.SkipWithError(x.what());
    return;
  }
  kui::KvStringGrid grid;
  kvbench::Comparison row(state, QString::fromStdString(kvtest::EngineName(e)), kvbench::kGoalQuery);
  std::vector<double> narrowMs;
  try {
    for (auto _ : state) {
      Gathered rows;
      row.Ours([&] { RunStyleStockList(*shop, grid); });
      row.Baseline([&] { rows = full->fetch(*shop); });
      const ListingPrint ours = GridListing(grid);
      const ListingPrint bare = GatheredListing(*shop, rows);
      rows = {};
      if (ours.empty() || ours != bare) {
        const auto diff = std::mismatch(ours.begin(), ours.end(), bare.begin(), bare.end());
        const QString at = diff.first != ours.end() ? diff.first->key : diff.second != bare.end() ? diff.second->key : "";
        state.SkipWithError(("the report's lines and the bare lines (" + std::string(full->name) + ") differ at line " +
                             std::to_string(diff.first - ours.begin()) + " " + at.toStdString())
                                .c_str());
        break;
      }
      std::unique_ptr<kdb::Query> narrowRows;
      narrowMs.push_back(TimedMs([&] { narrowRows = narrow->Fetch(*shop); }));
      const Figures figures = StyleStockGridFigures(grid);
      if (figures != narrow->figures(*shop, *narrowRows)) {
        state.SkipWithError(("the report's grid and the narrow rows (" + std::string(narrow->name) +
                             ") give different figures").c_str());
        break;
      }
      state.counters["lines"] = double(ours.size());
      state.counters["grid_rows"] = grid.RowCount();
    }
    CountMemory(state, [&] { RunStyleStockList(*shop, grid); }, grid);
  } catch (const std::exception& x) {
    state.SkipWithError(x.what());
  }
  state.counters["styles"] = double(shop->styles.size());
  state.counters["bare"] = double(full - StyleStockListings().data());
  state.counters["narrow"] = double(narrow - StyleStockBares().data());
  row.Report();
  if (!narrowMs.empty() && state.counters.count("ours_ms")) {
    const double ms = kvbench::Median(narrowMs);
    state.counters["narrow_ms"] = ms;
    if (ms > 0) state.counters["narrow_ratio"] = state.counters["ours_ms"] / ms;
  }
}

const bool registered = [] {
  for (Engine e : {Engine::SQLite, Engine::PostgreSQL}) {
    const std::string engine = kvtest::EngineName(e);
    // Medians of three: a run takes some seconds, and the machine is shared.
    kvbench::AddRow("Report/StyleStockList/" + engine, BM_StyleStockList, e)->Iterations(3);
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
