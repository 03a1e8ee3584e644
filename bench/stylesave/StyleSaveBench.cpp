// Saving a new style of 30 sizes in 10 colours through the style editor's
// window: the first colour by Add and Save, the other nine as alternate
// colours picked in one go; against the same 300 PRODUCTS rows inserted
// directly in one transaction, on SQLite and PostgreSQL.
// (KV_BENCH_SCALE=small: 3 sizes in 3 colours, the smoke run.)
//
// A row of the bench table: ours is the window's save, the baseline the
// plain inserts, both in each iteration.
//
// KV_BENCH_WAL_PAGES=1 adds, on SQLite, the pages each side writes per
// iteration (ours_wal_pages, base_wal_pages): the write-ahead log is emptied
// before each side and its frames counted after. Emptying it takes every
// checkpoint out of the timed parts, so such a run's times are not the row's.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QToolButton>

#include <memory>

#include "FormCheckListF.h"
#include "KvCheckListBox.h"
#include "KvEdit.h"
#include "PickList.h"
#include "StyleKeeperBenchShop.h"

namespace {

using kdb::sql::Quote;
using kvtest::Engine;

bool Small() { return qEnvironmentVariable("KV_BENCH_SCALE") == "small"; }
int Sizes() { return Small() ? 3 : 30; }
int Colours() { return Small() ? 3 : 10; }
const char* kScale = "BENCH SCALE";

// The shop with the style editor's window open on it, made once per engine.
class Shop : public kvbench::StyleKeeperShop {
 public:
  explicit Shop(Engine e) : kvbench::StyleKeeperShop(e, [](kdb::Database& db) { AddScale(db); }) {
    colours_ = Column("SELECT NAME FROM PARAMETERS WHERE TYPE='COLOUR' ORDER BY NAME").mid(0, Colours());
    // The alternate colours picker: every colour but the first.
    onDialog = [this](QDialog& d) {
      auto* picker = qobject_cast<TFormCheckList*>(&d);
      if (!picker) return d.reject();
      for (int i = 0; i < picker->CheckListBoxList->Count(); ++i)
        picker->CheckListBoxList->SetChecked(
            i, colours_.mid(1).contains(kui::PickName(picker->CheckListBoxList->Item(i))));
      picker->SpButRightClick();
      picker->BitBtnOkClick();
    };
  }
  // One new style in every colour through the window; throws when a save
  // did not write every row.
  void SaveThroughWindow(const QString& style) {
    TForm1& f = *form;
    ClearShownTexts();
    f.SpButAdd->click();
    sktest::FillNewStyle(f, style, "BENCH " + style, colours_.value(0), kScale,
                         [](QComboBox* c, const QString& name) { c->setCurrentIndex(TForm1::IndexOfName(c, name)); });
    f.SpButSave->click();
    f.ButtonAddNewColour->click();
    if (!ShownTexts().isEmpty()) throw kdb::DbError(ShownTexts().join(" | "));
    if (Value("SELECT COUNT(*) FROM PRODUCTS WHERE STYLE=" + Quote(style)).toInt() != Rows())
      throw kdb::DbError("not every row of " + style + " was written");
  }

  // The same rows as plain inserts in one transaction.
  void InsertDirectly(const QString& style) {
    kdb::Database& db = Db();
    db.StartTransaction();
    for (int c = 0; c < Colours(); ++c) {
      const QString root = "D" + QString::number(++directRoots_).rightJustified(7, '0');
      for (int s = 0; s < Sizes(); ++s)
        db.Execute(
            "INSERT INTO PRODUCTS (ROOT_PLU, PLU, DATE_CREATED, DATE_LASTDEL, STYLE, STYLE_REF, DESCRIPTION,"
            " COLOUR_ID, COLOUR_NAME, COLOUR_VALUE, SUPPLIER_ID, SUPPLIER_NAME, BRANDLABEL_ID, BRANDLABEL_NAME,"
            " SEASON_ID, SEASON_NAME, CATEGORY_ID, CATEGORY_NAME, DEPARTMENT_ID, DEPARTMENT_NAME,"
            " SUBDEPARTMENT_ID, SUBDEPARTMENT_NAME, ECOM_FLAG, SIZESSCALE_ID, SIZESSCALE_NAME, SIZE_ID,"
            " SIZE_NAME, SIZE_OFFSET, VAT_ID, VAT_NAME, VAT_RATE, CURRENT_COST_PRICE, RETAIL_PRICE,"
            " WHOLESALE_PRICE, SALEPRICE) VALUES (" +
            QStringList{Quote(root), Quote(root + QString::number(s).rightJustified(2, '0')),
                        "'2025-01-01 10:00:00'", "'2025-01-01 10:00:00'", Quote(style), Quote(style),
                        Quote("BENCH " + style), "1", Quote(colours_.value(c)), "255", "1", Quote("SOLENT DENIM"),
                        "1", Quote("TESSARIN"), "1", Quote("AUTUMN WINTER 2025"), "1", Quote("MENSWEAR"), "1",
                        Quote("JEANS"), "NULL", "NULL", "false", "1", Quote(kScale), "1", Quote("S"),
                        QString::number(s), "1", Quote("STANDARD"), "20", "10", "30", "0", "0"}
                .join(", ") +
            ")");
    }
    db.Commit();
  }

  static int Rows() { return Sizes() * Colours(); }

 private:
  QStringList colours_;
  int directRoots_ = 0;

  QString Value(const QString& sql) { return Column(sql).value(0); }

  static void AddScale(kdb::Database& db) {
    QList<QPair<QString, int>> sizes;
    for (int i = 0; i < Sizes(); ++i) sizes.append({"S" + QString::number(i), i * 10});
    sktest::AddScale(db, kScale, sizes);
  }
};

// One shop at a time: the window and its data module are the program's only ones.
std::unique_ptr<Shop> shop;

// The pages written to SQLite's write-ahead log by one side of an iteration.
class WalPages {
 public:
  explicit WalPages(Engine e)
      : on_(e == Engine::SQLite && qEnvironmentVariableIsSet("KV_BENCH_WAL_PAGES")) {
    if (!on_) return;
    wal_ = shop->Column("SELECT file FROM pragma_database_list WHERE name = 'main'").value(0) + "-wal";
    frameBytes_ = 24 + shop->Column("PRAGMA page_size").value(0).toLongLong();
  }
  bool On() const { return on_; }
  // Empties the log; throws when a reader keeps it from being emptied.
  void Empty() {
    if (on_ && shop->Column("PRAGMA wal_checkpoint(TRUNCATE)").value(0) != "0")
      throw kdb::DbError("the write-ahead log could not be emptied");
  }
  // The frames written since Empty, added to `total`.
  void Count(double& total) const {
    if (on_) total += double((QFileInfo(wal_).size() - 32) / frameBytes_);
  }

 private:
  bool on_;
  QString wal_;
  qint64 frameBytes_ = 1;
};

void BM_SaveNewStyle(benchmark::State& state, Engine engine) {
  if (!kvbench::OpenShop(shop, state, engine)) return;
  static int styles = 0;
  kvbench::Comparison row(state, QString::fromStdString(kvtest::EngineName(engine)), kvbench::kGoalStyleSave);
  WalPages wal(engine);
  double oursPages = 0, basePages = 0;
  int iterations = 0;
  for (auto _ : state) {
    const QString style = "BENCH" + QString::number(++styles);
    try {
      wal.Empty();
      row.Ours([&] { shop->SaveThroughWindow(style); });
      wal.Count(oursPages);
      wal.Empty();
    } catch (const kdb::DbError& e) {
      state.SkipWithError(e.Message().toStdString().c_str());
      return;
    }
    row.Baseline([&] { shop->InsertDirectly("DIRECT" + QString::number(styles)); });
    wal.Count(basePages);
    ++iterations;
  }
  state.counters["rows"] = Shop::Rows();
  if (wal.On() && iterations > 0) {
    state.counters["ours_wal_pages"] = oursPages / iterations;
    state.counters["base_wal_pages"] = basePages / iterations;
  }
  row.Report();
}
const bool registered = kvbench::AddEngineRows("StyleSave/NewStyle", BM_SaveNewStyle);

}  // namespace

int main(int argc, char** argv) { return kvbench::RunShopBenchmarks(argc, argv, shop); }
