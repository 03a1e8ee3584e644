// Apply of the per-PLU prices page through the style editor's window: a
// style of 10 colours in 30 sizes, every cost and retail price changed, then
// Apply (each row checked against what the page loaded and written under
// its lock, in one unit); against the same 300 PRODUCTS rows updated
// directly in one transaction, on SQLite and PostgreSQL. (KV_BENCH_SCALE=small:
// 3 colours of 3 sizes, the smoke run.)
#include <benchmark/benchmark.h>

#include <memory>

#include "KvStringGrid.h"
#include "PLUPricesPageF.h"
#include "StyleKeeperBenchShop.h"

namespace {

using kdb::sql::Quote;
using kvtest::Engine;

bool Small() { return qEnvironmentVariable("KV_BENCH_SCALE") == "small"; }
int Sizes() { return Small() ? 3 : 30; }
int Colours() { return Small() ? 3 : 10; }
const char* kStyle = "BENCHPRICES";

QString RootPLU(int colour) { return "P" + QString::number(colour).rightJustified(7, '0'); }
QString PLU(int colour, int size) { return RootPLU(colour) + QString::number(size).rightJustified(2, '0'); }
QString Price(int round, int colour, int size) { return QString::number(round + colour + size) + ".25"; }

// The shop with the style and the window open on its prices page, made once
// per engine.
class Shop : public kvbench::StyleKeeperShop {
 public:
  explicit Shop(Engine e) : kvbench::StyleKeeperShop(e, InsertStyle, {"", RootPLU(0)}) {}

  // The page read again and every cost and retail price changed (not timed).
  void Prepare(int round) {
    ClearShownTexts();
    form->SpButTabPricesClick();
    kui::KvStringGrid* g = form->PricesPage->SGridPrices;
    for (int row = 1; row < g->RowCount(); ++row) {
      const int colour = g->Cell(0, row).mid(1, 7).toInt(), size = g->Cell(0, row).right(2).toInt();
      g->SetCell(4, row, Price(round, colour, size));
      g->SetCell(5, row, Price(round + 1, colour, size));
    }
  }

  void ApplyThroughWindow() {
    form->SpButApplyPricesClick();
    if (ShownTexts() != QStringList{"Prices saved successfuly!"}) throw kdb::DbError(ShownTexts().join(" | "));
  }

  // The same prices as plain updates in one transaction.
  void UpdateDirectly(int round) {
    kdb::Database& db = Db();
    db.StartTransaction();
    for (int c = 0; c < Colours(); ++c)
      for (int s = 0; s < Sizes(); ++s)
        db.Execute("UPDATE PRODUCTS SET CURRENT_COST_PRICE = " + Price(round, c, s) +
                   ", RETAIL_PRICE = " + Price(round + 1, c, s) + " WHERE PLU = " + Quote(PLU(c, s)));
    db.Commit();
  }

  static int Rows() { return Sizes() * Colours(); }

 private:
  static void InsertStyle(kdb::Database& db) {
    for (int c = 0; c < Colours(); ++c)
      for (int s = 0; s < Sizes(); ++s)
        db.Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, STYLE, DESCRIPTION, COLOUR_NAME, COLOUR_VALUE, SIZE_NAME,"
                   " SIZE_OFFSET, CURRENT_COST_PRICE, RETAIL_PRICE, WHOLESALE_PRICE, SALEPRICE) VALUES (" +
                   QStringList{Quote(RootPLU(c)), Quote(PLU(c, s)), Quote(kStyle), Quote("BENCH PRICES"),
                               Quote("COLOUR " + QString::number(c).rightJustified(2, '0')), "255",
                               Quote("S" + QString::number(s)), QString::number(s), "1", "2", "1", "0"}
                       .join(", ") +
                   ")");
  }
};

// One shop at a time: the window and its data module are the program's only ones.
std::unique_ptr<Shop> shop;

void BM_ApplyPrices(benchmark::State& state, Engine engine) {
  if (!kvbench::OpenShop(shop, state, engine)) return;
  static int round = 0;
  kvbench::Comparison row(state, QString::fromStdString(kvtest::EngineName(engine)), kvbench::kGoalStyleSave);
  for (auto _ : state) {
    round += 2;
    try {
      shop->Prepare(round);
      row.Ours([&] { shop->ApplyThroughWindow(); });
    } catch (const kdb::DbError& e) {
      state.SkipWithError(e.Message().toStdString().c_str());
      return;
    }
    row.Baseline([&] { shop->UpdateDirectly(round + 1); });
  }
  state.counters["rows"] = Shop::Rows();
  row.Report();
}
const bool registered = kvbench::AddEngineRows("PLUPrices/Apply", BM_ApplyPrices);

}  // namespace

int main(int argc, char** argv) { return kvbench::RunShopBenchmarks(argc, argv, shop); }
