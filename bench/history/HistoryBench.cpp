// The style history enquiry on the benchmark catalogue: opening one style
// (its colours into the style grid, the sizes of its first colour and every
// movement of that colour into the info grid), with the enquiry's own
// statements and grid classes, against the fastest bare SQL found for the same
// figures, fetched and nothing more. Both run in each iteration and their
// figures are compared; a difference fails the row.
//
// Two rows: the enquiry's statements and grids alone (both engines), and the
// window itself opening the style, wait windows included (PostgreSQL, the
// multi-user edition that shows every movement).
//
// The style is one from the middle of the catalogue, in several colours.
// KV_BENCH_SCALE as for the catalogue ("small" in the CI smoke run).
#include <benchmark/benchmark.h>

#include <QApplication>

#include <map>
#include <memory>

#include "CatalogueCacheClass.h"
#include "DataModF.h"
#include "HistorySQLClass.h"
#include "InfoGridClass.h"
#include "KvBenchCompare.h"
#include "KvBenchMain.h"
#include "KvDb.h"
#include "KvFwTestSupport.h"
#include "KvStringGrid.h"
#include "StyleGridClass.h"
#include "StyleHistoryForm.h"

namespace {

using kdb::sql::Quote;
using kvtest::Engine;

std::map<Engine, kvtest::DbHandle> connections;

kdb::Database& Db(Engine e) {
  auto& h = connections[e];
  if (!h.db) {
    h = {std::make_unique<kdb::Session>(), std::make_unique<kdb::Database>()};
    kvtest::TestDatabase::Configure(kvcat::EnsureCatalogue(e, kvcat::SizeFromEnvironment()).facts, *h.session,
                                    *h.db);
    h.db->Open();
  }
  return *h.db;
}

// A style from the middle of the catalogue with more than one colour.
QString SampleStyle(kdb::Database& db) {
  const QString middle = kvtest::Column(db, "select max(id) / 2 from products").value(0);
  return kvtest::Column(db,
                        "select style from products where id >= " + kdb::sql::Int(middle) +
                            " and style in (select style from products group by style"
                            " having count(distinct root_plu) > 1) order by id limit 1")
      .value(0);
}

// The figures of a colour: per PLU (in size order) its size name and its
// movement sums in info grid row order (stock, ordered, delivered, trans out,
// trans in, returned, written off, sales).
const int kRows[] = {hrStock, hrOrdered, hrDelivered, hrTransOut, hrTransIn, hrReturned, hrWrittenOff, hrSales};
using Figures = QStringList;

// The figures as the two grids show them.
Figures GridFigures(const kui::KvStringGrid& styleGrid, const kui::KvStringGrid& infoGrid) {
  Figures f{QString::number(styleGrid.ColCount() - 1), styleGrid.Cell(1, TStyleGridClass::srRootPLU)};
  for (int c = 1; c + 1 < infoGrid.ColCount(); ++c) {
    QStringList line{infoGrid.Cell(c, 0)};
    for (int row : kRows) line << infoGrid.Cell(c, row);
    f << line.join('|');
  }
  return f;
}

// What the enquiry does when a style is opened, minus the wait windows.
class Enquiry {
 public:
  explicit Enquiry(kdb::Database& db) : db_(db) {}

  Figures Open(const QString& style) {
    kdb::Query q(&db_);
    q.SQL = THistorySQLClass::StyleColours(style);
    q.ExecSQL();
    styleGrid_.Reset();
    styleGrid_.SetColours(q.RecordCount());
    int col = 1;
    for (q.First(); !q.Eof(); q.Next(), ++col) styleGrid_.FillColour(col, q);
    const QString root = sgrid_.Cell(1, TStyleGridClass::srRootPLU);

    q.SQL = THistorySQLClass::History(root, 0, false);
    q.ExecSQL();
    infoGrid_.Reset(false);
    infoGrid_.Load(q, true);

    return GridFigures(sgrid_, igrid_);
  }

 private:
  kdb::Database& db_;
  kui::KvStringGrid sgrid_, igrid_;
  TStyleGridClass styleGrid_{&sgrid_};
  TInfoGridClass infoGrid_{&igrid_};
};

// The colours of the style (the first PRODUCTS row of each), every value read
// once as a grid fill would; returns the first colour's root PLU.
QString BareColours(kdb::Database& db, const QString& style, int& colours) {
  kdb::Query q(&db);
  q.SQL = "select root_plu, style, style_ref, colour_name, colour_value, description, season_name,"
          " brandlabel_name, supplier_name, current_cost_price, retail_price, vat_rate, category_name,"
          " department_name, subdepartment_name, date_created from products where id in"
          " (select min(id) from products where style = " +
          Quote(style) + " group by root_plu) order by colour_name nulls first, root_plu";
  q.ExecSQL();
  colours = q.RecordCount();
  for (q.First(); !q.Eof(); q.Next())
    for (int c = 0; c < q.FieldCount(); ++c) q.Fields(c).AsString();
  q.First();
  return q.FieldByName("root_plu").AsString();
}

Figures BareFigures(kdb::Database& db, const QString& sql, int colours, const QString& root) {
  kdb::Query q(&db);
  q.SQL = sql;
  q.ExecSQL();
  Figures f{QString::number(colours), root};
  for (q.First(); !q.Eof(); q.Next()) {
    QStringList line;
    for (int c = 0; c < q.FieldCount(); ++c) line << q.Fields(c).AsString();
    f << line.join('|');
  }
  return f;
}

// The same figures from bare SQL: the colours, then the sizes of the first
// colour with each movement summed for the PLU in a correlated subquery
// (faster on both engines than summing each movement table for the colour's
// PLUs before joining, and as fast as a lateral join on PostgreSQL).
Figures Bare(kdb::Database& db, const QString& style) {
  int colours = 0;
  const QString root = BareColours(db, style, colours);
  return BareFigures(
      db,
      "select p.size_name,"
      " (select sum(stock_quantity) from branchstock b where b.plu = p.plu) as stock,"
      " (select sum(qty) from orders o where o.plu = p.plu) as ordqty,"
      " (select sum(delivery) from orders o where o.plu = p.plu) as delqty,"
      " (select sum(qty) from transfers t where t.plu = p.plu) as transout,"
      " (select sum(received) from transfers t where t.plu = p.plu) as transin,"
      " (select sum(qty) from returns r where r.plu = p.plu) as ret,"
      " (select sum(qty) from writeoffs w where w.plu = p.plu) as wo,"
      " (select sum(quantity) from transactions s where s.full_plu_string = p.plu) as sales"
      " from products p where p.root_plu = " + Quote(root) + " order by p.size_offset nulls first, p.plu",
      colours, root);
}

// Runs a row: ours and the bare SQL on the sample style, figures compared.
void CompareRow(benchmark::State& state, Engine e, const std::function<Figures(const QString&)>& ours) {
  kdb::Database* db = nullptr;
  QString style;
  try {
    db = &Db(e);
    style = SampleStyle(*db);
    if (style.isEmpty()) throw kdb::DbError("The catalogue has no style in several colours.");
  } catch (const std::exception& x) {
    state.SkipWithError(x.what());
    return;
  }
  kvbench::Comparison row(state, QString::fromStdString(kvtest::EngineName(e)), kvbench::kGoalQuery);
  try {
    for (auto _ : state) {
      Figures mine, bare;
      row.Ours([&] { mine = ours(style); });
      row.Baseline([&] { bare = Bare(*db, style); });
      if (mine != bare) {
        state.SkipWithError(("the enquiry and the bare SQL give different figures:\n" + mine.join('\n') +
                             "\n--\n" + bare.join('\n'))
                                .toStdString()
                                .c_str());
        break;
      }
      state.counters["sizes"] = double(mine.size() - 2);
    }
  } catch (const kdb::DbError& x) {
    state.SkipWithError(x.Message().toStdString().c_str());
  }
  row.Report();
}

void BM_OpenStyle(benchmark::State& state, Engine e) {
  std::unique_ptr<Enquiry> enquiry;
  CompareRow(state, e, [&](const QString& style) {
    if (!enquiry) enquiry = std::make_unique<Enquiry>(Db(e));
    return enquiry->Open(style);
  });
}

// The enquiry's window in the multi-user edition on the PostgreSQL catalogue,
// every message answered.
class Window : public kvfwtest::ModalAnswers {
 public:
  Window() {
    const kvtest::DbFacts facts = kvcat::EnsureCatalogue(Engine::PostgreSQL, kvcat::SizeFromEnvironment()).facts;
    kvtest::RemoveSettingsFolders();
    Install();
    qputenv("TESSARIN_DB_PORT", QByteArray::number(facts.port));
    kvfwtest::WriteSettings("[Database]\nDBHost=" + facts.host.toUtf8() + "\nDBLiveName=" +
                            facts.database.toUtf8() + "\n");
    const QString staff = kvtest::Column(Db(Engine::PostgreSQL), "select id from staff where username = '1'").value(0);
    kvtest::WriteFile(kvtest::MultiUserFolder() + "user.txt", "1\r\n" + staff.toUtf8() + "\r\n");
    module_ = std::make_unique<TDMDB>();
    module_->SetProgramFile(kvtest::FreshFolder("bin") + "StyleHistory");
    form_ = std::make_unique<TFormStyleHistoryF>();
    form_->OnTerminate = [] {};
    form_->show();
    QApplication::processEvents();
    if (form_->Terminated()) throw kdb::DbError("The window did not start: " + module_->LastError);
  }
  ~Window() override {
    form_.reset();
    module_.reset();
    kui::ModalSeam::ClearAnswerers();
  }
  Figures Open(const QString& style) {
    form_->OpenStyle(style);
    if (!messages.isEmpty()) throw kdb::DbError(messages.join(" | "));
    return GridFigures(*form_->SGridStyle, *form_->SGridInfo);
  }

 private:
  std::unique_ptr<TDMDB> module_;
  std::unique_ptr<TFormStyleHistoryF> form_;
};

std::unique_ptr<Window> window;

void BM_WindowOpenStyle(benchmark::State& state) {
  try {
    if (!window) window = std::make_unique<Window>();
  } catch (const std::exception& x) {
    state.SkipWithError(x.what());
    return;
  }
  CompareRow(state, Engine::PostgreSQL, [](const QString& style) { return window->Open(style); });
}

KV_BENCH_ROW("StyleHistoryOpen/SQLite", BM_OpenStyle, Engine::SQLite);
KV_BENCH_ROW("StyleHistoryOpen/PostgreSQL", BM_OpenStyle, Engine::PostgreSQL);
KV_BENCH_ROW("StyleHistoryWindowOpen/PostgreSQL", BM_WindowOpenStyle);

}  // namespace

int main(int argc, char** argv) {
  const kvtest::PrivateHome home;  // the window's settings and logs go there
  return kvbench::RunGuiBenchmarks(argc, argv, [] {
    window.reset();
    connections.clear();
  });
}
