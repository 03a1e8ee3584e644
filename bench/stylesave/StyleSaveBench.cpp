// Saving a new style of 30 sizes in 10 colours through the style editor's
// window: the first colour by Add and Save, the other nine as alternate
// colours picked in one go; against the same 300 PRODUCTS rows inserted
// directly in one transaction (the same values in every column but keys,
// names, dates and display colours, checked after each iteration), on SQLite
// and PostgreSQL.
// (KV_BENCH_SCALE=small: 3 sizes in 3 colours, the smoke run.)
//
// A row of the bench table: ours is the window's save, the baseline the
// plain inserts, both in each iteration.
//
// On SQLite the write-ahead log is emptied before each side, outside the
// timed parts, and its frames counted after (ours_wal_pages, base_wal_pages).
// Otherwise SQLite's automatic checkpoint (a disk sync, about 10 ms) falls on
// whichever side's commit crosses its threshold, and the medians swing by
// which side that happens to be in a run; left out, neither side pays it, and
// the pages show what each side's share of it would be.
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QHash>
#include <QSet>
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

  // The same rows as plain inserts in one transaction: the values the window
  // stores, with the ids it looks up read once beforehand.
  void InsertDirectly(const QString& style) {
    if (direct_.isEmpty()) ReadDirectValues();
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
                        Quote("BENCH " + style), direct_["COLOUR"].value(c), Quote(colours_.value(c)), "255",
                        direct_["SUPPLIER"].value(0), Quote("SOLENT DENIM"), direct_["BRANDLABEL"].value(0),
                        Quote("TESSARIN"), direct_["SEASON"].value(0), Quote("AUTUMN WINTER 2025"),
                        direct_["CATEGORY"].value(0), Quote("MENSWEAR"), direct_["DEPARTMENT"].value(0),
                        Quote("JEANS"), "NULL", "NULL", "false", direct_["SCALE"].value(0), Quote(kScale),
                        direct_["SIZE"].value(s), Quote(direct_["SIZE NAME"].value(s)), QString::number(s),
                        direct_["VAT"].value(0), Quote("STANDARD"), "20", "10", "30", "0", "0"}
                .join(", ") +
            ")");
    }
    db.Commit();
  }

  // Throws unless the rows of the two styles hold the same values in every
  // column but their keys, names, dates and display colours (the window
  // draws those at random).
  void CheckSameRows(const QString& ours, const QString& direct) {
    const QStringList mine = RowTexts(ours), theirs = RowTexts(direct);
    if (mine != theirs)
      throw kdb::DbError("the direct rows differ from the window's: " + mine.value(0) + " against " +
                         theirs.value(0));
  }

  static int Rows() { return Sizes() * Colours(); }

 private:
  QStringList colours_;
  int directRoots_ = 0;
  QHash<QString, QStringList> direct_;  // ids (and size names) the direct rows store, by kind

  QString Value(const QString& sql) { return Column(sql).value(0); }

  QString IdOf(const char* type, const QString& name) {
    return Value("SELECT ID FROM PARAMETERS WHERE TYPE=" + Quote(type) + " AND NAME=" + Quote(name));
  }

  void ReadDirectValues() {
    for (const QString& colour : colours_) direct_["COLOUR"] << IdOf("COLOUR", colour);
    direct_["SUPPLIER"] << IdOf("SUPPLIER", "SOLENT DENIM");
    direct_["BRANDLABEL"] << IdOf("BRANDLABEL", "TESSARIN");
    direct_["SEASON"] << IdOf("SEASON", "AUTUMN WINTER 2025");
    direct_["CATEGORY"] << IdOf("CATEGORY", "MENSWEAR");
    direct_["DEPARTMENT"] << IdOf("DEPARTMENT", "JEANS");
    direct_["VAT"] << IdOf("VAT", "STANDARD");
    const QString scale = Value("SELECT ID FROM SIZESSCALE WHERE NAME=" + Quote(kScale));
    direct_["SCALE"] << scale;
    const QString sizes = " FROM SIZES WHERE SIZESSCALE_ID=" + scale + " ORDER BY \"offset\"";
    direct_["SIZE"] = Column("SELECT ID" + sizes);
    direct_["SIZE NAME"] = Column("SELECT NAME" + sizes);
  }

  // One text per row of a style, every column but the ones that differ by
  // design, in colour and size order.
  QStringList RowTexts(const QString& style) {
    static const QSet<QString> skipped = {"ID",    "ROOT_PLU",  "PLU",         "DATE_CREATED", "DATE_LASTDEL",
                                          "STYLE", "STYLE_REF", "DESCRIPTION", "COLOUR_VALUE"};
    kdb::Query q(&Db());
    q.SQL = "SELECT * FROM PRODUCTS WHERE STYLE=" + Quote(style) + " ORDER BY COLOUR_NAME, SIZE_OFFSET";
    q.ExecSQL();
    QStringList rows;
    for (q.First(); !q.Eof(); q.Next()) {
      QStringList values;
      for (int i = 0; i < q.FieldCount(); ++i)
        if (!skipped.contains(q.Fields(i).FieldName().toUpper()))
          values << q.Fields(i).FieldName() + "=" + (q.Fields(i).IsNull() ? "NULL" : q.Fields(i).AsString());
      rows << values.join(" ");
    }
    return rows;
  }

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
  explicit WalPages(Engine e) : on_(e == Engine::SQLite) {
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
    const QString direct = "DIRECT" + QString::number(styles);
    row.Baseline([&] { shop->InsertDirectly(direct); });
    wal.Count(basePages);
    try {
      shop->CheckSameRows(style, direct);
    } catch (const kdb::DbError& e) {
      state.SkipWithError(e.Message().toStdString().c_str());
      return;
    }
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
