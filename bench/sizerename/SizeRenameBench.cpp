// Renaming a size scale used by 100,000 PRODUCTS rows through the size scales
// editor's window (select, Edit, new name, Save: the scale row, the renames
// into PRODUCTS in one transaction, the list read again), against the bare
// UPDATE of the rows' name copies in the same iterations; on SQLite and
// PostgreSQL. A row of the bench table, goal: within 1.3 times the bare UPDATE.
// (KV_BENCH_SCALE=small: 1,000 rows, the smoke run.)
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QToolButton>

#include <memory>

#include "KvBenchCompare.h"
#include "KvBenchMain.h"
#include "KvEdit.h"
#include "KvShopTestSupport.h"
#include "SizeRangesForm.h"

namespace {

using kdb::sql::Quote;
using kvtest::Engine;

bool Small() { return qEnvironmentVariable("KV_BENCH_SCALE") == "small"; }
int Rows() { return Small() ? 1000 : 100000; }
const char* kScale = "MENS S-XXL";
// The window's rename, with its transaction, checks and reload, against the
// one statement that rewrites the same copies.
constexpr double kGoalRename = 1.3;

// Rows of one size scale, spread over its five sizes, with their copies.
void AddProducts(kdb::Database& db) {
  const QString scale =
      kvtest::Column(db, "SELECT ID FROM SIZESSCALE WHERE NAME = " + Quote(kScale)).value(0);
  const QString size = "(SELECT %1 FROM SIZES WHERE SIZESSCALE_ID = " + scale + " AND \"offset\" = n.i % 5)";
  db.Execute("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " +
             QString::number(Rows() - 1) +
             ") INSERT INTO PRODUCTS (ROOT_PLU, PLU, SIZESSCALE_ID, SIZESSCALE_NAME, SIZE_ID, SIZE_NAME, SIZE_OFFSET)"
             " SELECT SUBSTR(CAST(n.i + 1000000000 AS TEXT), 1, 8), CAST(n.i + 1000000000 AS TEXT), " +
             scale + ", " + Quote(kScale) + ", " + size.arg("ID") + ", " + size.arg("NAME") + ", n.i % 5 FROM n");
}

// The shop with the size scales editor open on it, made once per engine;
// every message the window shows is answered and kept.
class Shop : public kvfwtest::ModalAnswers {
 public:
  explicit Shop(Engine e) : engine_(e) {
    kvtest::RemoveSettingsFolders();
    const QString programDir = kvtest::FreshFolder("bin");
    Install();
    database_ = std::make_unique<kvfwtest::EditionDatabase>(e, programDir, kvfwtest::StarterData(AddProducts));
    kvtest::WriteFile(kvfwtest::EditionFolder(e) + "user.txt", "1\r\n1\r\n");
    module_ = std::make_unique<TDMDB>();
    module_->SetProgramFile(programDir + "sizeranges");
    form_ = std::make_unique<TForm1>();
    form_->OnTerminate = [] {};
    form_->show();
    QApplication::processEvents();
    if (form_->Terminated()) throw kdb::DbError("The window did not start: " + module_->LastError);
    scaleId_ = Value("SELECT ID FROM SIZESSCALE WHERE NAME = " + Quote(kScale));
  }
  ~Shop() override {
    // The window and module before the database they run on.
    form_.reset();
    module_.reset();
    kui::ModalSeam::ClearAnswerers();
    database_.reset();
  }

  // The scale renamed through the window.
  void RenameThroughWindow(const QString& name) {
    TForm1& f = *form_;
    messages.clear();
    f.SelectEntry(f.IndexOfScaleName(current_));
    f.SpButEdit->click();
    f.EditName->setText(name);
    f.SpButSave->click();
    current_ = name;
  }

  // Throws when the last save was refused or did not reach every row.
  void Verify(const QString& name) {
    if (!messages.isEmpty()) throw kdb::DbError(messages.join(" | "));
    if (Value("SELECT COUNT(*) FROM PRODUCTS WHERE SIZESSCALE_NAME = " + Quote(name)).toInt() != Rows())
      throw kdb::DbError("not every row was renamed to " + name);
  }

  // The copies renamed by the bare statement, as the baseline.
  void RenameBare(const QString& name) {
    database_->Db().Execute("UPDATE PRODUCTS SET SIZESSCALE_NAME = " + Quote(name) +
                            " WHERE SIZESSCALE_ID = " + scaleId_);
  }

  Engine ShopEngine() const { return engine_; }

 private:
  Engine engine_;
  std::unique_ptr<kvfwtest::EditionDatabase> database_;
  std::unique_ptr<TDMDB> module_;
  std::unique_ptr<TForm1> form_;
  QString scaleId_;
  QString current_ = kScale;

  QString Value(const QString& sql) { return kvtest::Column(database_->Db(), sql).value(0); }
};

std::unique_ptr<Shop> shop;

// The shop of the engine, made when the last one was of the other; nullptr
// (the benchmark skipped with the reason) when it cannot be made.
Shop* ShopOn(benchmark::State& state, Engine engine) {
  if (shop && shop->ShopEngine() == engine) return shop.get();
  shop.reset();
  try {
    shop = std::make_unique<Shop>(engine);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
  }
  return shop.get();
}

void BM_RenameSizeScale(benchmark::State& state, Engine engine) {
  if (!ShopOn(state, engine)) return;
  static int renames = 0;
  kvbench::Comparison row(state, QString::fromStdString(kvtest::EngineName(engine)), kGoalRename);
  for (auto _ : state) {
    const QString name = "BENCH SCALE " + QString::number(++renames);
    row.Ours([&] { shop->RenameThroughWindow(name); });
    try {
      shop->Verify(name);
    } catch (const kdb::DbError& e) {
      state.SkipWithError(e.Message().toStdString().c_str());
      return;
    }
    // The bare statement writes every row as well: the copies hold the
    // window's new name, it writes another and then the window's back.
    row.Baseline([&] { shop->RenameBare(name + " BARE"); });
    shop->RenameBare(name);
  }
  state.counters["rows"] = Rows();
  row.Report();
}
const bool registered = [] {
  for (Engine e : {Engine::SQLite, Engine::PostgreSQL})
    kvbench::AddRow("SizeScale/Rename100k/" + kvtest::EngineName(e), BM_RenameSizeScale, e);
  return true;
}();

}  // namespace

int main(int argc, char** argv) {
  const kvtest::PrivateHome home;  // the programs' settings and logs go there
  return kvbench::RunGuiBenchmarks(argc, argv, [] { shop.reset(); });
}
