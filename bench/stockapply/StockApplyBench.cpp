// Apply of one branch's stock grid through the style editor's window: a style
// of 10 colours in 30 sizes, every figure changed in Edit, then Apply (the
// writes, the message and the page read again); against the same 300
// BRANCHSTOCK rows upserted directly in one transaction, on SQLite and
// PostgreSQL. (KV_BENCH_SCALE=small: 3 colours of 3 sizes, the smoke run.)
//
// A row of the bench table: ours is the window's Apply, the baseline the
// plain upserts, both in each iteration.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QToolButton>

#include <memory>

#include "BranchStockClass.h"
#include "KvStringGrid.h"
#include "PickList.h"
#include "QuantityPageF.h"
#include "StyleKeeperBenchShop.h"

namespace {

using kdb::sql::Quote;
using kvtest::Engine;

bool Small() { return qEnvironmentVariable("KV_BENCH_SCALE") == "small"; }
int Sizes() { return Small() ? 3 : 30; }
int Colours() { return Small() ? 3 : 10; }
const char* kScale = "BENCH SCALE";
const char* kStyle = "BENCHSTOCK";

// The shop with one style of every colour and the window open on its stock
// page, made once per engine.
class Shop : public kvbench::StyleKeeperShop {
 public:
  explicit Shop(Engine e) : kvbench::StyleKeeperShop(e, InsertStyle, {"", RootPLU(0)}) {
    form->SpButTabStockClick();
    branch_ = {kui::SelectedPickValue(form->StockPage->BranchCombo), kui::SelectedPickName(form->StockPage->BranchCombo)};
    UpsertDirectly(0);  // the branch holds every PLU already
  }

  // Every figure changed in Edit (not timed).
  void Prepare(int round) {
    TForm1& f = *form;
    ClearShownTexts();
    f.SpButTabStockClick();  // what the baseline wrote
    f.ButtonEditStockClick();
    kui::KvStringGrid* g = f.StockPage->Grid;
    for (int r = 1; r <= Colours(); ++r)
      for (int c = 3; c < 3 + Sizes(); ++c) g->SetCell(c, r, QString::number(round * 2 + r + c));
    // The window shows what was typed before anyone clicks Apply: its
    // painting and layout belong to the typing, not to the Apply.
    QApplication::processEvents();
  }

  // Apply through the window; throws when it did not save.
  void ApplyThroughWindow() {
    form->ButtonApplyStockClick();
    // Until the window shows the page read again, the Apply is not done.
    QApplication::processEvents();
    if (ShownTexts() != QStringList{"Stock saved successfully."}) throw kdb::DbError(ShownTexts().join(" | "));
  }

  // The same rows upserted as plain statements in one transaction.
  void UpsertDirectly(int round) {
    kdb::Database& db = Db();
    db.StartTransaction();
    for (int c = 0; c < Colours(); ++c)
      for (int s = 0; s < Sizes(); ++s)
        db.Execute("INSERT INTO BRANCHSTOCK (PLU, ROOT_PLU, BRANCH_NAME, BRANCH_ID, STOCK_QUANTITY) VALUES (" +
                   Quote(RootPLU(c) + QString::number(s).rightJustified(2, '0')) + ", " + Quote(RootPLU(c)) + ", " +
                   Quote(branch_.name) + ", " + branch_.id + ", " + QString::number(round * 2 + 1 + c + s) +
                   ") ON CONFLICT (PLU, BRANCH_ID) DO UPDATE SET STOCK_QUANTITY = excluded.STOCK_QUANTITY");
    db.Commit();
  }

  static int Rows() { return Sizes() * Colours(); }

 private:
  TBranchStockClass::Branch branch_;

  static QString RootPLU(int colour) { return "B" + QString::number(colour).rightJustified(7, '0'); }

  static void InsertStyle(kdb::Database& db) {
    QList<QPair<QString, int>> sizes;
    for (int i = 0; i < Sizes(); ++i) sizes.append({"S" + QString::number(i), i});
    sktest::AddScale(db, kScale, sizes);
    const QStringList colours = kvtest::Column(db, "SELECT NAME FROM PARAMETERS WHERE TYPE='COLOUR' ORDER BY NAME");
    for (int c = 0; c < Colours(); ++c)
      for (int s = 0; s < Sizes(); ++s)
        db.Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, STYLE, DESCRIPTION, COLOUR_NAME, COLOUR_VALUE, SUPPLIER_NAME,"
                   " SIZESSCALE_NAME, SIZE_NAME, SIZE_OFFSET, VAT_NAME) VALUES (" +
                   QStringList{Quote(RootPLU(c)), Quote(RootPLU(c) + QString::number(s).rightJustified(2, '0')),
                               Quote(kStyle), Quote("BENCH STOCK"), Quote(colours.value(c)), "255",
                               Quote("SOLENT DENIM"), Quote(kScale), Quote("S" + QString::number(s)),
                               QString::number(s), Quote("STANDARD")}
                       .join(", ") +
                   ")");
  }
};

// One shop at a time: the window and its data module are the program's only ones.
std::unique_ptr<Shop> shop;

void BM_ApplyStockGrid(benchmark::State& state, Engine engine) {
  if (!kvbench::OpenShop(shop, state, engine)) return;
  static int round = 0;
  kvbench::Comparison row(state, QString::fromStdString(kvtest::EngineName(engine)), kvbench::kGoalStyleSave);
  for (auto _ : state) {
    ++round;
    try {
      shop->Prepare(round);
      row.Ours([&] { shop->ApplyThroughWindow(); });
    } catch (const kdb::DbError& e) {
      state.SkipWithError(e.Message().toStdString().c_str());
      return;
    }
    row.Baseline([&] { shop->UpsertDirectly(round); });
  }
  state.counters["rows"] = Shop::Rows();
  row.Report();
}
const bool registered = kvbench::AddEngineRows("StockApply/Grid", BM_ApplyStockGrid);

}  // namespace

int main(int argc, char** argv) { return kvbench::RunShopBenchmarks(argc, argv, shop); }
