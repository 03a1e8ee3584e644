#pragma once
// The style editor's window on a shop of its own, for the benchmarks that
// time its handlers: the starter data and the benchmark's rows on one engine,
// the user handed over, and the window started as the program starts it.
// One shop at a time (the window and its data module are the program's
// only ones), made anew when the benchmark turns to the other engine.
//
//   class Shop : public kvbench::StyleKeeperShop { ... };
//   std::unique_ptr<Shop> shop;
//   void BM_X(benchmark::State& state, Engine e) {
//     if (!kvbench::OpenShop(shop, state, e)) return;   // skipped, with the reason
//     ...
//   }
//
// The including target needs stylekeeper/tests/db on its include path.
#include <benchmark/benchmark.h>

#include <memory>

#include "KvBenchCompare.h"
#include "KvBenchMain.h"
#include "StyleKeeperDbFixture.h"

namespace kvbench {

// What the module fixture stands on outside GoogleTest: the shop calls its
// SetUp and TearDown itself.
struct Unattended {
  virtual ~Unattended() = default;
  virtual void SetUp() {}
  virtual void TearDown() {}
};

class StyleKeeperShop : public sktest::StyleKeeperTest<kvfwtest::ModuleTest<Unattended>> {
 public:
  // The shop's data: the starter data, then `fill`; the window is started
  // with `args` (program arguments). Throws kdb::DbError when it does not start.
  StyleKeeperShop(kvtest::Engine e, const kvfwtest::DataChange& fill, const QStringList& args = {}) : engine_(e) {
    SetUp();
    database_ = std::make_unique<kvfwtest::EditionDatabase>(e, programDir, sktest::ShopData(false, fill),
                                                            sktest::ShopSettings());
    sktest::HandOverUser(e);
    CreateModules();
    StartForm(args);
    if (form->TerminateRequested()) throw kdb::DbError("The window did not start: " + dm->LastError);
  }
  ~StyleKeeperShop() override {
    TearDown();  // the window and modules before the database they run on
    database_.reset();
  }

  kvtest::Engine ShopEngine() const { return engine_; }
  // The benchmark's own connection, beside the window's.
  kdb::Database& Db() { return database_->Db(); }
  QStringList Column(const QString& sql) { return kvtest::Column(Db(), sql); }

 private:
  kvtest::Engine engine_;
  std::unique_ptr<kvfwtest::EditionDatabase> database_;
};

// The shop for the engine in `shop`, made when there is none or it is on the
// other engine. False (the benchmark skipped with the reason) when it cannot
// be made.
template <class Shop>
bool OpenShop(std::unique_ptr<Shop>& shop, benchmark::State& state, kvtest::Engine e) {
  try {
    if (!shop || shop->ShopEngine() != e) {
      shop.reset();
      shop = std::make_unique<Shop>(e);
    }
    return true;
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
    return false;
  }
}

// Registers `fn(state, engine)` as the rows `name`/SQLite and `name`/PostgreSQL.
template <class Fn>
bool AddEngineRows(const std::string& name, Fn fn) {
  for (kvtest::Engine e : {kvtest::Engine::SQLite, kvtest::Engine::PostgreSQL})
    AddRow(name + "/" + kvtest::EngineName(e), fn, e);
  return true;
}

// The main of a shop benchmark: the programs' settings and logs in a home of
// their own, the shop (its window and connections) dropped before the
// application ends.
template <class Shop>
int RunShopBenchmarks(int argc, char** argv, std::unique_ptr<Shop>& shop) {
  const kvtest::PrivateHome home;
  return RunGuiBenchmarks(argc, argv, [&shop] { shop.reset(); });
}

}  // namespace kvbench
